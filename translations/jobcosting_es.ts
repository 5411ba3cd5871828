<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>ChangeWatch</name>
    <message>
        <source>The connection to the database server was lost.</source>
        <translation>Se perdió la conexión con el servidor de base de datos.</translation>
    </message>
    <message>
        <source>The database server did not answer within %1 seconds.</source>
        <translation>El servidor de base de datos no respondió en %1 segundos.</translation>
    </message>
    <message>
        <source>The database server cannot be reached.</source>
        <translation>No se puede conectar con el servidor de base de datos.</translation>
    </message>
</context>
<context>
    <name>Correction</name>
    <message>
        <source>A correction needs a reason.</source>
        <translation>Una corrección necesita un motivo.</translation>
    </message>
    <message>
        <source>The piece count must be from 0 to 1,000,000,000.</source>
        <translation>La cantidad debe estar entre 0 y 1.000.000.000.</translation>
    </message>
    <message>
        <source>This job pays no bonus: its piece count stays 0.</source>
        <translation>Este trabajo no tiene prima: la cantidad se queda en 0.</translation>
    </message>
    <message>
        <source>The job cannot end before it started (%1).</source>
        <translation>El trabajo no puede terminar antes de empezar (%1).</translation>
    </message>
    <message>
        <source>The job must end within 24 hours of its start (%1): a punch keeps the time of day of its stop only.</source>
        <translation>El trabajo debe terminar en las 24 horas siguientes a su inicio (%1): un fichaje solo guarda la hora del final.</translation>
    </message>
    <message>
        <source>The job cannot end in the future (%1).</source>
        <translation>El trabajo no puede terminar en el futuro (%1).</translation>
    </message>
    <message>
        <source>The punch is deleted; the corrections keep all its fields.</source>
        <translation>Se borra el fichaje; las correcciones guardan todos sus campos.</translation>
    </message>
    <message>
        <source>The conflict is dismissed: nothing is written to the punches.</source>
        <translation>Se descarta el conflicto: no se escribe nada en los fichajes.</translation>
    </message>
    <message>
        <source>The terminal&apos;s start is written as a new punch.</source>
        <translation>El inicio del terminal se escribe como fichaje nuevo.</translation>
    </message>
    <message>
        <source>The terminal&apos;s end is written:</source>
        <translation>Se escribe el final del terminal:</translation>
    </message>
    <message>
        <source>(open)</source>
        <translation>(abierto)</translation>
    </message>
    <message>
        <source>The job of %1 is not open.</source>
        <translation>El trabajo de %1 no está abierto.</translation>
    </message>
    <message>
        <source>The job has no start date and time; correct its start first.</source>
        <translation>El trabajo no tiene fecha ni hora de inicio; corrija primero el inicio.</translation>
    </message>
    <message>
        <source>The job needs a start date and time.</source>
        <translation>El trabajo necesita fecha y hora de inicio.</translation>
    </message>
    <message>
        <source>The job cannot start in the future (%1).</source>
        <translation>El trabajo no puede empezar en el futuro (%1).</translation>
    </message>
    <message>
        <source>The correction changes nothing.</source>
        <translation>La corrección no cambia nada.</translation>
    </message>
</context>
<context>
    <name>DataError</name>
    <message>
        <source>%1 is not in the folder %2.</source>
        <translation>%1 no está en la carpeta %2.</translation>
    </message>
    <message>
        <source>The database server cannot be reached, or did not answer in time.</source>
        <translation>No se puede conectar con el servidor de base de datos o no respondió a tiempo.</translation>
    </message>
    <message>
        <source>The site&apos;s pointer file does not say where its database server is.</source>
        <translation>El archivo de enlace del centro no indica dónde está su servidor de base de datos.</translation>
    </message>
    <message>
        <source>Another program changed or deleted this row since it was read.</source>
        <translation>Otro programa cambió o borró esta fila después de leerla.</translation>
    </message>
    <message>
        <source>%1 has no table %2.</source>
        <translation>%1 no tiene la tabla %2.</translation>
    </message>
    <message>
        <source>%1 is a file that Job Costing only reads; the table %2 cannot be written.</source>
        <translation>%1 es un archivo que Job Costing solo lee; no se puede escribir en la tabla %2.</translation>
    </message>
    <message>
        <source>The current row is no longer in the table %1 of %2.</source>
        <translation>La fila actual ya no está en la tabla %1 de %2.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table %3.</source>
        <translation>%1 no tiene el campo %2 en la tabla %3.</translation>
    </message>
    <message>
        <source>Another program changed or deleted this row of the table %1 in %2 since it was read.</source>
        <translation>Otro programa cambió o borró esta fila de la tabla %1 en %2 después de leerla.</translation>
    </message>
    <message>
        <source>The field %1 of the table %2 in %3 does not take the value &apos;%4&apos;.</source>
        <translation>El campo %1 de la tabla %2 en %3 no admite el valor &apos;%4&apos;.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>No se puede leer %1: %2.</translation>
    </message>
    <message>
        <source>%1 is not a database; its content looks like: %2.</source>
        <translation>%1 no es una base de datos; su contenido parece: %2.</translation>
    </message>
    <message>
        <source>%1 is a folder, not a database file.</source>
        <translation>%1 es una carpeta, no un archivo de base de datos.</translation>
    </message>
    <message>
        <source>%1 is not a database file but a device or a pipe.</source>
        <translation>%1 no es un archivo de base de datos sino un dispositivo o una tubería.</translation>
    </message>
    <message>
        <source>Another program kept %1 locked for more than five seconds; the table %2 could not be used.</source>
        <translation>Otro programa tuvo %1 bloqueado más de cinco segundos; no se pudo usar la tabla %2.</translation>
    </message>
    <message>
        <source>%1 was moved or replaced while in use; the table %2 was not written.</source>
        <translation>%1 se movió o se sustituyó mientras se usaba; no se escribió la tabla %2.</translation>
    </message>
    <message>
        <source>%1 is read-only; the table %2 cannot be written.</source>
        <translation>%1 es de solo lectura; no se puede escribir en la tabla %2.</translation>
    </message>
    <message>
        <source>%1 could not be read or written (a disk or network fault); the table %2 could not be used.</source>
        <translation>No se pudo leer ni escribir %1 (fallo de disco o de red); no se pudo usar la tabla %2.</translation>
    </message>
    <message>
        <source>%1 is damaged; the table %2 cannot be used.</source>
        <translation>%1 está dañado; no se puede usar la tabla %2.</translation>
    </message>
    <message>
        <source>The disk that holds %1 is full; the table %2 cannot grow.</source>
        <translation>El disco donde está %1 está lleno; la tabla %2 no puede crecer.</translation>
    </message>
    <message>
        <source>%1 is not a database; it has no table %2.</source>
        <translation>%1 no es una base de datos; no tiene la tabla %2.</translation>
    </message>
</context>
<context>
    <name>DateCheck</name>
    <message>
        <source>The Short Date Style on this Pc is Invalid!</source>
        <translation>¡El formato de fecha corta de este PC no es válido!</translation>
    </message>
    <message>
        <source>To correct, do the following;</source>
        <translation>Para corregirlo, haga lo siguiente:</translation>
    </message>
    <message>
        <source>Exit Ostrel</source>
        <translation>Salga de Ostrel</translation>
    </message>
    <message>
        <source>Click Start</source>
        <translation>Haga clic en Inicio</translation>
    </message>
    <message>
        <source>Click Settings</source>
        <translation>Haga clic en Configuración</translation>
    </message>
    <message>
        <source>Click Control Panel</source>
        <translation>Haga clic en Panel de control</translation>
    </message>
    <message>
        <source>Double-Click Regional Settings</source>
        <translation>Haga doble clic en Configuración regional</translation>
    </message>
    <message>
        <source>Click Date Tab</source>
        <translation>Haga clic en la pestaña Fecha</translation>
    </message>
    <message>
        <source>Select the Short Date Style of MM/dd/yy or MM/dd/yyyy</source>
        <translation>Elija el formato de fecha corta MM/dd/yy o MM/dd/yyyy</translation>
    </message>
    <message>
        <source>Click Apply</source>
        <translation>Haga clic en Aplicar</translation>
    </message>
    <message>
        <source>Click OK</source>
        <translation>Haga clic en Aceptar</translation>
    </message>
    <message>
        <source>Exit Control Panel and restart Ostrel</source>
        <translation>Cierre el Panel de control y vuelva a abrir Ostrel</translation>
    </message>
    <message>
        <source>Date &amp; Time Check</source>
        <translation>Comprobación de fecha y hora</translation>
    </message>
    <message>
        <source>Checking Pc Date &amp; Time Settings</source>
        <translation>Comprobando fecha y hora del PC</translation>
    </message>
    <message>
        <source>Punch - Operator Instruction</source>
        <translation>Punch - Instrucción al operario</translation>
    </message>
</context>
<context>
    <name>DeskLink</name>
    <message>
        <source>The site cannot be read now.</source>
        <translation>Ahora no se puede leer el centro.</translation>
    </message>
</context>
<context>
    <name>DeskStore</name>
    <message>
        <source>The site&apos;s database server does not answer, or cannot be reached.</source>
        <translation>El servidor de base de datos del centro no responde o no se puede conectar.</translation>
    </message>
    <message>
        <source>%1 is an Access file, which is never written: the desk corrects punches in a SQLite file or on a database server. jobcosting-site convert %2 makes such a copy.</source>
        <translation>%1 es un archivo de Access, en el que nunca se escribe: el puesto del encargado corrige fichajes en un archivo SQLite o en un servidor de base de datos. jobcosting-site convert %2 hace esa copia.</translation>
    </message>
    <message>
        <source>%1 has no table JobPunches.</source>
        <translation>%1 no tiene la tabla JobPunches.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table JobPunches; %3 brings the site up to date.</source>
        <translation>%1 no tiene el campo %2 en la tabla JobPunches; %3 pone el centro al día.</translation>
    </message>
    <message>
        <source>%1 has no table JobPunchCorrections, where the desk keeps its corrections; %2 makes it.</source>
        <translation>%1 no tiene la tabla JobPunchCorrections, donde el puesto del encargado guarda sus correcciones; %2 la crea.</translation>
    </message>
    <message>
        <source>%1 was made by an earlier version, whose database does not write the audit of a correction itself; %2 brings it up to date.</source>
        <translation>%1 se hizo con una versión anterior, cuya base de datos no escribe por sí misma el registro de una corrección; %2 la pone al día.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table JobPunches.</source>
        <translation>%1 no tiene el campo %2 en la tabla JobPunches.</translation>
    </message>
    <message>
        <source>The login %1 may not do this: the database server refused it the right to read the table %2.</source>
        <translation>El usuario %1 no puede hacerlo: el servidor de base de datos le niega leer la tabla %2.</translation>
    </message>
    <message>
        <source>The login %1 may not do this: the database server refused it the right to change the table %2.</source>
        <translation>El usuario %1 no puede hacerlo: el servidor de base de datos le niega cambiar la tabla %2.</translation>
    </message>
    <message>
        <source>The login %1 may not correct punches: a correction needs a login of the role jobcosting_supervisor.</source>
        <translation>El usuario %1 no puede corregir fichajes: hace falta un usuario con el rol jobcosting_supervisor.</translation>
    </message>
    <message>
        <source>The punch of %1 changed since the desk read it (a terminal or another supervisor wrote it meanwhile); nothing was written. Look at it again.</source>
        <translation>El fichaje de %1 cambió después de leerlo (un terminal u otro encargado lo escribió mientras tanto); no se ha guardado nada. Vuelva a mirarlo.</translation>
    </message>
    <message>
        <source>This start is among the punches already; dismiss the conflict.</source>
        <translation>Este inicio ya está entre los fichajes; descarte el conflicto.</translation>
    </message>
    <message>
        <source>%1 has an open job already: end it, then apply this start.</source>
        <translation>%1 ya tiene un trabajo abierto: termínelo y después aplique este inicio.</translation>
    </message>
    <message>
        <source>The job of %1 is not open any more (ended or deleted meanwhile): dismiss the conflict, or correct the job.</source>
        <translation>El trabajo de %1 ya no está abierto (se terminó o se borró mientras tanto): descarte el conflicto o corrija el trabajo.</translation>
    </message>
    <message>
        <source>Someone settled this conflict meanwhile; nothing was written.</source>
        <translation>Alguien resolvió este conflicto mientras tanto; no se ha guardado nada.</translation>
    </message>
</context>
<context>
    <name>DeskTables</name>
    <message>
        <source>Badge</source>
        <translation>Tarjeta</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Horas</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Piezas</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Corrections</source>
        <translation>Correcciones</translation>
    </message>
    <message>
        <source>Open for</source>
        <translation>Abierto hace</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Corregido</translation>
    </message>
    <message>
        <source>over a shift</source>
        <translation>más de un turno</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N.º</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Cuándo</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Por</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Trabajador</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Cambios</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
</context>
<context>
    <name>DeskWindow</name>
    <message>
        <source>End the job of %1</source>
        <translation>Terminar el trabajo de %1</translation>
    </message>
    <message>
        <source>Correct the punch of %1</source>
        <translation>Corregir el fichaje de %1</translation>
    </message>
    <message>
        <source>Delete the punch of %1</source>
        <translation>Borrar el fichaje de %1</translation>
    </message>
    <message>
        <source>Apply the conflict of %1</source>
        <translation>Aplicar el conflicto de %1</translation>
    </message>
    <message>
        <source>Dismiss the conflict of %1</source>
        <translation>Descartar el conflicto de %1</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>&amp;Open jobs</source>
        <translation>Trabajos &amp;abiertos</translation>
    </message>
    <message>
        <source>&amp;Closed jobs</source>
        <translation>Trabajos &amp;cerrados</translation>
    </message>
    <message>
        <source>Co&amp;rrections</source>
        <translation>Co&amp;rrecciones</translation>
    </message>
    <message>
        <source>Reading the site...</source>
        <translation>Leyendo el centro...</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todos</translation>
    </message>
    <message>
        <source>Name or badge</source>
        <translation>Nombre o tarjeta</translation>
    </message>
    <message>
        <source>&amp;End job...</source>
        <translation>&amp;Terminar trabajo...</translation>
    </message>
    <message>
        <source>E&amp;dit...</source>
        <translation>&amp;Editar...</translation>
    </message>
    <message>
        <source>De&amp;lete...</source>
        <translation>&amp;Borrar...</translation>
    </message>
    <message>
        <source>Started from</source>
        <translation>Iniciados del</translation>
    </message>
    <message>
        <source>to</source>
        <translation>al</translation>
    </message>
    <message>
        <source>Made from</source>
        <translation>Hechas del</translation>
    </message>
    <message>
        <source>Punches a terminal could not write after an outage</source>
        <translation>Fichajes que un terminal no pudo escribir tras un corte</translation>
    </message>
    <message>
        <source>&amp;Apply...</source>
        <translation>&amp;Aplicar...</translation>
    </message>
    <message>
        <source>Di&amp;smiss...</source>
        <translation>&amp;Descartar...</translation>
    </message>
    <message>
        <source>Arrived</source>
        <translation>Llegó</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>Fichaje</translation>
    </message>
    <message>
        <source>Badge</source>
        <translation>Tarjeta</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Por qué</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Export the list as CSV...</source>
        <translation>&amp;Exportar la lista a CSV...</translation>
    </message>
    <message>
        <source>&amp;Print the list to PDF...</source>
        <translation>&amp;Imprimir la lista en PDF...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Read the site again</source>
        <translation>&amp;Volver a leer el centro</translation>
    </message>
    <message>
        <source>Co&amp;nflicts</source>
        <translation>Co&amp;nflictos</translation>
    </message>
    <message>
        <source>The badges could not be looked up: %1</source>
        <translation>No se pudieron comprobar las tarjetas: %1</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Actualizado %1</translation>
    </message>
    <message>
        <source>The site cannot be read now: %1 The desk tries again by itself.</source>
        <translation>Ahora no se puede leer el centro: %1 El puesto lo vuelve a intentar solo.</translation>
    </message>
    <message>
        <source>Not updated since %1</source>
        <translation>Sin actualizar desde %1</translation>
    </message>
    <message>
        <source>%1: done, as %2.</source>
        <translation>%1: hecho, como %2.</translation>
    </message>
    <message>
        <source>The correction was not written: %1 Nothing was changed; try again once the site can be read.</source>
        <translation>La corrección no se ha guardado: %1 No se ha cambiado nada; vuelva a intentarlo cuando se pueda leer el centro.</translation>
    </message>
    <message>
        <source>1 correction</source>
        <translation>1 corrección</translation>
    </message>
    <message numerus="yes">
        <source>%n corrections</source>
        <translation>
            <numerusform>%n corrección</numerusform>
            <numerusform>%n correcciones</numerusform>
        </translation>
    </message>
    <message>
        <source>Co&amp;nflicts (%1)</source>
        <translation>Co&amp;nflictos (%1)</translation>
    </message>
    <message>
        <source>%1 - 1 open job</source>
        <translation>%1 - 1 trabajo abierto</translation>
    </message>
    <message numerus="yes">
        <source>%1 - %n open jobs</source>
        <translation>
            <numerusform>%1 - %n trabajo abierto</numerusform>
            <numerusform>%1 - %n trabajos abiertos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> - %n over a shift</source>
        <translation>
            <numerusform> - %n supera un turno</numerusform>
            <numerusform> - %n superan un turno</numerusform>
        </translation>
    </message>
    <message>
        <source> - not updated since %1</source>
        <translation> - sin actualizar desde %1</translation>
    </message>
    <message>
        <source>1 job open</source>
        <translation>1 trabajo abierto</translation>
    </message>
    <message numerus="yes">
        <source>%n jobs open</source>
        <translation>
            <numerusform>%n trabajo abierto</numerusform>
            <numerusform>%n trabajos abiertos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n over a shift</source>
        <translation>
            <numerusform>, %n supera un turno</numerusform>
            <numerusform>, %n superan un turno</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 open in all</source>
        <translation>, %1 abiertos en total</translation>
    </message>
    <message numerus="yes">
        <source> (of %n open)</source>
        <translation>
            <numerusform> (de %n abierto)</numerusform>
            <numerusform> (de %n abiertos)</numerusform>
        </translation>
    </message>
    <message>
        <source>1 job closed, %1 worked, %2 pieces</source>
        <translation>1 trabajo cerrado, %1 de trabajo, %2 piezas</translation>
    </message>
    <message numerus="yes">
        <source>%n jobs closed, %1 worked, %2 pieces</source>
        <translation>
            <numerusform>%n trabajo cerrado, %1 de trabajo, %2 piezas</numerusform>
            <numerusform>%n trabajos cerrados, %1 de trabajo, %2 piezas</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose a job first: click its row, or move to it with the arrow keys.</source>
        <translation>Elija primero un trabajo: haga clic en su fila o llegue a ella con las flechas.</translation>
    </message>
    <message>
        <source>Choose a conflict first: click its row.</source>
        <translation>Elija primero un conflicto: haga clic en su fila.</translation>
    </message>
    <message>
        <source>A correction is being written; correct it once it is done.</source>
        <translation>Se está guardando una corrección; corrija cuando termine.</translation>
    </message>
    <message>
        <source>The site cannot be read now: %1

Nothing is written while the desk cannot show the punches as they are; correct it once its title no longer says &quot;not updated&quot;. The desk tries again by itself.</source>
        <extracomment>&quot;not updated&quot; is what the window&apos;s title says while the site cannot be read</extracomment>
        <translation>Ahora no se puede leer el centro: %1

No se escribe nada mientras el puesto no pueda mostrar los fichajes como están; corrija cuando el título ya no diga «sin actualizar». El puesto lo vuelve a intentar solo.</translation>
    </message>
    <message>
        <source>it has not been read yet.</source>
        <translation>todavía no se ha leído.</translation>
    </message>
    <message>
        <source>%1 (badge %2): %3</source>
        <translation>%1 (tarjeta %2): %3</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>desconocida</translation>
    </message>
    <message>
        <source>%1?

%2

%3

Reason: %4</source>
        <extracomment>%1 is what the correction does (&quot;End the job of Smith&quot;)</extracomment>
        <translation>¿%1?

%2

%3

Motivo: %4</translation>
    </message>
    <message>
        <source>%1: writing...</source>
        <translation>%1: guardando...</translation>
    </message>
    <message>
        <source>name or badge holding &quot;%1&quot;</source>
        <translation>nombre o tarjeta con «%1»</translation>
    </message>
    <message>
        <source>Only %1. </source>
        <translation>Solo %1. </translation>
    </message>
    <message>
        <source>Open jobs</source>
        <translation>Trabajos abiertos</translation>
    </message>
    <message>
        <source>Closed jobs started from %1 to %2</source>
        <translation>Trabajos cerrados iniciados del %1 al %2</translation>
    </message>
    <message>
        <source>Corrections made from %1 to %2</source>
        <translation>Correcciones hechas del %1 al %2</translation>
    </message>
    <message>
        <source>Conflicts</source>
        <translation>Conflictos</translation>
    </message>
    <message>
        <source>Punches a terminal could not write after an outage.</source>
        <translation>Fichajes que un terminal no pudo escribir tras un corte.</translation>
    </message>
    <message>
        <source>The list could not be saved in %1: %2.</source>
        <translation>No se pudo guardar la lista en %1: %2.</translation>
    </message>
    <message>
        <source>%1 (1 row) saved in %2.</source>
        <translation>%1 (1 fila) guardado en %2.</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n rows) saved in %2.</source>
        <translation>
            <numerusform>%1 (%n fila) guardado en %2.</numerusform>
            <numerusform>%1 (%n filas) guardado en %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export the list as CSV</source>
        <translation>Exportar la lista a CSV</translation>
    </message>
    <message>
        <source>Print the list to PDF</source>
        <translation>Imprimir la lista en PDF</translation>
    </message>
    <message>
        <source>Job Costing Desk: %1, printed %2</source>
        <translation>Job Costing Desk: %1, impreso el %2</translation>
    </message>
    <message>
        <source>The desk cannot open the site %1.

%2</source>
        <translation>El puesto no puede abrir el centro %1.

%2</translation>
    </message>
</context>
<context>
    <name>DeskWords</name>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>Worker&apos;s dept. no.</source>
        <translation>Dpto. trabajador</translation>
    </message>
    <message>
        <source>Level %1</source>
        <translation>Nivel %1</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Trabajador</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Date worked</source>
        <translation>Día trabajado</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Piezas</translation>
    </message>
    <message>
        <source>Employee no.</source>
        <translation>N.º empleado</translation>
    </message>
    <message>
        <source>Base pay rate</source>
        <translation>Tarifa base</translation>
    </message>
    <message>
        <source>Level %1 title</source>
        <translation>Título del nivel %1</translation>
    </message>
    <message>
        <source>%1 code</source>
        <extracomment>%1 is the level&apos;s title, &quot;Department&quot;</extracomment>
        <translation>Código %1</translation>
    </message>
    <message>
        <source>%1 standard cost</source>
        <translation>Coste estándar %1</translation>
    </message>
    <message>
        <source>%1 bonus rate</source>
        <translation>Tarifa de prima %1</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vacío)</translation>
    </message>
    <message>
        <source>started %1</source>
        <translation>iniciado el %1</translation>
    </message>
    <message>
        <source>stopped %1 (%2)</source>
        <translation>terminado a las %1 (%2)</translation>
    </message>
    <message>
        <source>still open</source>
        <translation>todavía abierto</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Terminado</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Corregido</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Borrado</translation>
    </message>
    <message>
        <source>Applied</source>
        <translation>Aplicado</translation>
    </message>
    <message>
        <source>Dismissed</source>
        <translation>Descartado</translation>
    </message>
    <message>
        <source>Deleted: %1</source>
        <translation>Borrado: %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s start not written: %1</source>
        <translation>Inicio del terminal no escrito: %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s end not written: %1</source>
        <translation>Final del terminal no escrito: %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s start written: %1</source>
        <translation>Inicio del terminal escrito: %1</translation>
    </message>
    <message>
        <source>(open)</source>
        <translation>(abierto)</translation>
    </message>
    <message numerus="yes">
        <source>%1 pieces</source>
        <translation>
            <numerusform>%1 pieza</numerusform>
            <numerusform>%1 piezas</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JobCost</name>
    <message>
        <source>Level %1 code</source>
        <translation>Código nivel %1</translation>
    </message>
    <message>
        <source>Level %1 item</source>
        <translation>Elemento nivel %1</translation>
    </message>
    <message>
        <source>Employee number</source>
        <translation>N.º empleado</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Department</source>
        <translation>Departamento</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Trabajos</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Horas</translation>
    </message>
    <message>
        <source>Labour</source>
        <translation>Mano de obra</translation>
    </message>
    <message>
        <source>Bonus</source>
        <translation>Prima</translation>
    </message>
    <message>
        <source>Cost</source>
        <translation>Coste</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Piezas</translation>
    </message>
    <message>
        <source>Standard per piece</source>
        <translation>Estándar por pieza</translation>
    </message>
    <message>
        <source>Actual per piece</source>
        <translation>Real por pieza</translation>
    </message>
    <message>
        <source>Variance per piece</source>
        <translation>Desviación por pieza</translation>
    </message>
    <message>
        <source>Variance</source>
        <translation>Desviación</translation>
    </message>
    <message>
        <source>Variance %</source>
        <translation>Desviación %</translation>
    </message>
</context>
<context>
    <name>JobCostPdf</name>
    <message>
        <source>Corrected</source>
        <translation>Corregido</translation>
    </message>
    <message>
        <source>corrected at the desk</source>
        <translation>corregido en el puesto del encargado</translation>
    </message>
    <message>
        <source>job (level 1 / level 2 / level 3)</source>
        <translation>trabajo (nivel 1 / nivel 2 / nivel 3)</translation>
    </message>
    <message>
        <source>level %1 item</source>
        <translation>elemento del nivel %1</translation>
    </message>
    <message>
        <source>worker</source>
        <translation>trabajador</translation>
    </message>
    <message>
        <source>department (DeptNum)</source>
        <translation>departamento (DeptNum)</translation>
    </message>
    <message>
        <source>day worked</source>
        <translation>día trabajado</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>del %1 al %2</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>desde el %1</translation>
    </message>
    <message>
        <source>up to %1</source>
        <translation>hasta el %1</translation>
    </message>
    <message>
        <source>all</source>
        <translation>todos</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(ninguno)</translation>
    </message>
    <message>
        <source>%1, %2 to %3%4</source>
        <translation>%1, %2 a %3%4</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vacío)</translation>
    </message>
    <message>
        <source>%1: %2 to %3</source>
        <translation>%1: %2 a %3</translation>
    </message>
    <message>
        <source>punch deleted</source>
        <translation>fichaje borrado</translation>
    </message>
    <message>
        <source>a terminal&apos;s punch applied</source>
        <translation>fichaje del terminal aplicado</translation>
    </message>
    <message>
        <source>a terminal&apos;s punch dismissed</source>
        <translation>fichaje del terminal descartado</translation>
    </message>
    <message>
        <source>Job cost report by %1, dates worked: %2</source>
        <translation>Costes de trabajos por %1, días trabajados: %2</translation>
    </message>
    <message>
        <source>Job cost report by %1</source>
        <translation>Costes de trabajos por %1</translation>
    </message>
    <message>
        <source>Site: %1</source>
        <translation>Centro: %1</translation>
    </message>
    <message>
        <source>Dates worked: %1</source>
        <translation>Días trabajados: %1</translation>
    </message>
    <message>
        <source>Made %1 by %2. Open jobs are timed to that moment; a shift is %3 hours.</source>
        <translation>Hecho el %1 por %2. Los trabajos abiertos se cuentan hasta ese momento; un turno son %3 horas.</translation>
    </message>
    <message>
        <source>How each figure is worked out, from the values each punch froze when its job started:</source>
        <translation>Cómo se calcula cada cifra, con los valores que cada fichaje fijó al empezar su trabajo:</translation>
    </message>
    <message>
        <source>Hours = the time that passed from TimeStart on DateWorked to the first moment after it when the site&apos;s clocks (%1) read TimeStop: past midnight, and across the nights the clocks change, as the hours were worked. Labour = hours x BaseRate, the worker&apos;s pay rate.</source>
        <translation>Horas = el tiempo que pasó desde TimeStart en DateWorked hasta el primer momento posterior en que los relojes del centro (%1) marcan TimeStop: pasada la medianoche, y en las noches de cambio de hora, tal como se trabajaron. Mano de obra = horas x BaseRate, la tarifa del trabajador.</translation>
    </message>
    <message>
        <source>Bonus = Pieces x the bonus rate of the deepest level with a description (level 3, else 2, else 1). Cost = labour + bonus.</source>
        <translation>Prima = Pieces x la tarifa de prima del nivel más bajo con descripción (nivel 3, si no 2, si no 1). Coste = mano de obra + prima.</translation>
    </message>
    <message>
        <source>Standard = pieces x the sum of the standard costs of the levels with a description. Per piece: standard, actual (cost / pieces) and variance (actual - standard), empty without pieces.</source>
        <translation>Estándar = piezas x la suma de los costes estándar de los niveles con descripción. Por pieza: estándar, real (coste / piezas) y desviación (real - estándar), vacíos sin piezas.</translation>
    </message>
    <message>
        <source>Variance = cost - standard, above zero when the work cost more than standard; Variance % = variance / standard, empty without a standard.</source>
        <translation>Desviación = coste - estándar, mayor que cero si el trabajo costó más que el estándar; Desviación % = desviación / estándar, vacía sin estándar.</translation>
    </message>
    <message>
        <source>Rates, costs and pieces are read to four decimals and summed exactly; each figure is rounded once, half away from zero (money to the cent, per piece to four decimals, hours and percentages to two), so a figure may differ in its last digit from one worked out of other rounded figures.</source>
        <translation>Tarifas, costes y piezas se leen con cuatro decimales y se suman exactamente; cada cifra se redondea una sola vez, la mitad hacia fuera de cero (el dinero al céntimo, por pieza a cuatro decimales, horas y porcentajes a dos), así que una cifra puede diferir en su último dígito de otra calculada con cifras ya redondeadas.</translation>
    </message>
    <message>
        <source>Open jobs are never costed: they are listed apart with the hours open so far. Rows with impossible values are listed under Rows not costed.</source>
        <translation>Los trabajos abiertos nunca se costean: se listan aparte con las horas abiertas hasta ahora. Las filas con valores imposibles se listan en Filas sin costear.</translation>
    </message>
    <message>
        <source>Corrected = how many of the punches a supervisor corrected at the desk (empty where none); a punch deleted there is in no figure.</source>
        <translation>Corregido = cuántos fichajes corrigió un encargado en su puesto (vacío si ninguno); un fichaje borrado allí no entra en ninguna cifra.</translation>
    </message>
    <message>
        <source>the punch&apos;s start or end reached the database more than ten minutes away from its own time: kept at a terminal through an outage, written on a clock set wrong, or by hand.</source>
        <translation>el inicio o el final del fichaje llegó a la base de datos a más de diez minutos de su hora: guardado en un terminal durante un corte, escrito con un reloj mal puesto o a mano.</translation>
    </message>
    <message>
        <source>Costed jobs: %1     Open jobs: %2, %3 of them longer than a shift     Rows not costed: %4</source>
        <translation>Trabajos costeados: %1     Trabajos abiertos: %2, %3 de ellos más de un turno     Filas sin costear: %4</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Semana %1</translation>
    </message>
    <message>
        <source>Month %1</source>
        <translation>Mes %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Labour and bonus, full bar %1</source>
        <translation>Mano de obra y prima, barra llena %1</translation>
    </message>
    <message>
        <source>Costs by %1</source>
        <translation>Costes por %1</translation>
    </message>
    <message>
        <source>labour</source>
        <translation>mano de obra</translation>
    </message>
    <message>
        <source>bonus</source>
        <translation>prima</translation>
    </message>
    <message>
        <source>Open jobs, not costed: %1</source>
        <translation>Trabajos abiertos, sin costear: %1</translation>
    </message>
    <message>
        <source>Job group</source>
        <translation>Grupo de trabajo</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Trabajador</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Hours open</source>
        <translation>Horas abiertas</translation>
    </message>
    <message>
        <source>longer than a shift</source>
        <translation>más de un turno</translation>
    </message>
    <message>
        <source>Rows not costed: %1</source>
        <translation>Filas sin costear: %1</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Fila</translation>
    </message>
    <message>
        <source>Date worked</source>
        <translation>Día trabajado</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Por qué</translation>
    </message>
    <message>
        <source>Corrections of these dates worked: %1</source>
        <translation>Correcciones de estos días trabajados: %1</translation>
    </message>
    <message>
        <source>Corrected at</source>
        <translation>Corregido el</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Por</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Cambios</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>Job cost report</source>
        <translation>Costes de trabajos</translation>
    </message>
</context>
<context>
    <name>JobCosting</name>
    <message>
        <source>No employee found with Badge number &apos;%1&apos;</source>
        <translation>No hay ningún empleado con el número de tarjeta &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The badge could not be looked up.</source>
        <translation>No se pudo comprobar la tarjeta.</translation>
    </message>
    <message>
        <source>You are about to start working on a new Job</source>
        <translation>Va a empezar un trabajo nuevo</translation>
    </message>
    <message>
        <source>Enter your job information:</source>
        <translation>Introduzca los datos del trabajo:</translation>
    </message>
    <message>
        <source>Enter your Job information:</source>
        <translation>Introduzca los datos del trabajo:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Started Job on %1 at %2</source>
        <extracomment>%1 is the job&apos;s date, %2 its start time</extracomment>
        <translation>Trabajo iniciado el %1 a las %2</translation>
    </message>
    <message>
        <source>Current Job Allocation</source>
        <translation>Trabajo actual</translation>
    </message>
    <message>
        <source>You are about to stop working on Job</source>
        <translation>Va a terminar el trabajo</translation>
    </message>
    <message>
        <source>Are you sure you want to end this Job?</source>
        <translation>¿Seguro que quiere terminar este trabajo?</translation>
    </message>
    <message>
        <source>How many Pieces did you work on?:</source>
        <translation>¿Cuántas piezas ha hecho?</translation>
    </message>
    <message>
        <source>No piece count has been entered!  End-Job Process Canceled!</source>
        <translation>¡No ha introducido ninguna cantidad! El trabajo no se ha terminado.</translation>
    </message>
    <message>
        <source>Pieces amount entered was invalad try again</source>
        <translation>Cantidad no válida, inténtelo de nuevo</translation>
    </message>
    <message numerus="yes">
        <source>Is %1 pieces correct?</source>
        <extracomment>%1 is the count as the worker typed it</extracomment>
        <translation>
            <numerusform>%1 pieza, ¿es correcto?</numerusform>
            <numerusform>%1 piezas, ¿es correcto?</numerusform>
        </translation>
    </message>
    <message>
        <source>The job was not ended: it was ended or changed at another terminal or at the desk meanwhile. Badge in again to see your job.</source>
        <translation>El trabajo no se ha terminado: mientras tanto se terminó o se cambió en otro terminal o en el puesto del encargado. Vuelva a fichar para ver su trabajo.</translation>
    </message>
    <message>
        <source>The job was not ended. Badge in again to see it as it stands now.</source>
        <translation>El trabajo no se ha terminado. Vuelva a fichar para ver cómo está ahora.</translation>
    </message>
    <message>
        <source>Job Costing </source>
        <translation>Job Costing </translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Badge #</source>
        <translation>Tarjeta</translation>
    </message>
    <message>
        <source>Enter your Badge number</source>
        <translation>Introduzca su número de tarjeta</translation>
    </message>
    <message>
        <source>Select your Job information:</source>
        <translation>Elija los datos del trabajo:</translation>
    </message>
    <message>
        <source>Start Job</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>End Job</source>
        <translation>Terminar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>The item code could not be looked up.</source>
        <translation>No se pudo comprobar el código.</translation>
    </message>
    <message>
        <source>Item Code invalid! Try using the Description pulldown</source>
        <translation>¡Código no válido! Elija en la lista de descripciones</translation>
    </message>
    <message>
        <source>New Job</source>
        <translation>Nuevo trabajo</translation>
    </message>
    <message>
        <source>Job Costing requires Validation Tables be established at the Vexmo workstation.  Process canceled!</source>
        <translation>Job Costing necesita las tablas de validación, que se crean en el puesto Vexmo.  ¡Proceso cancelado!</translation>
    </message>
    <message>
        <source>Job Costing - Operator Information</source>
        <translation>Job Costing - Información al operario</translation>
    </message>
    <message>
        <source>Proceed to Job Information Entry Screen</source>
        <translation>Pase a la entrada de datos del trabajo</translation>
    </message>
    <message>
        <source>The server cannot be reached. Your job is kept at this terminal and will be sent when the server answers.</source>
        <translation>No se puede conectar con el servidor. Su trabajo queda guardado en este terminal y se enviará cuando el servidor responda.</translation>
    </message>
    <message>
        <source>You must select a valid %1</source>
        <extracomment>%1 is the title of a level, such as Operation</extracomment>
        <translation>Debe elegir un valor válido para: %1</translation>
    </message>
    <message>
        <source>The job was not started: a job is already open under your name. Badge in again to see it.</source>
        <translation>El trabajo no se ha iniciado: ya hay un trabajo abierto a su nombre. Vuelva a fichar para verlo.</translation>
    </message>
    <message>
        <source>The job was not started: %1

Nothing was written. Your choices are still on the screen: press New Job to try again. If this message comes back, tell the site manager.</source>
        <extracomment>%1 is the database&apos;s reason; New Job is the button&apos;s caption</extracomment>
        <translation>El trabajo no se ha iniciado: %1

No se ha guardado nada. Su selección sigue en pantalla: pulse Nuevo trabajo para volver a intentarlo. Si este mensaje vuelve a salir, avise al responsable de la planta.</translation>
    </message>
    <message>
        <source>Job Costing - Operator Instruction</source>
        <translation>Job Costing - Instrucción al operario</translation>
    </message>
</context>
<context>
    <name>PdfPages</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
</context>
<context>
    <name>PunchTableModel</name>
    <message>
        <source>Its start or its end reached the database more than ten minutes away from its own time: kept at a terminal through an outage, written on a clock set wrong, or by hand.</source>
        <translation>Su inicio o su final llegó a la base de datos a más de diez minutos de su hora: guardado en un terminal durante un corte, escrito con un reloj mal puesto o a mano.</translation>
    </message>
    <message>
        <source>corrected</source>
        <translation>corregido</translation>
    </message>
    <message numerus="yes">
        <source>corrected %n times</source>
        <translation>
            <numerusform>corregido %n vez</numerusform>
            <numerusform>corregido %n veces</numerusform>
        </translation>
    </message>
    <message>
        <source>Open longer than a shift (%1)</source>
        <translation>Abierto más de un turno (%1)</translation>
    </message>
    <message>
        <source>Badge</source>
        <translation>Tarjeta</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Open for</source>
        <translation>Abierto hace</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Horas</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Piezas</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Corregido</translation>
    </message>
</context>
<context>
    <name>QtDeskForms</name>
    <message>
        <source>End a job</source>
        <translation>Terminar un trabajo</translation>
    </message>
    <message>
        <source>Correct a job</source>
        <translation>Corregir un trabajo</translation>
    </message>
    <message>
        <source>Delete a punch</source>
        <translation>Borrar un fichaje</translation>
    </message>
    <message>
        <source>Apply a conflict</source>
        <translation>Aplicar un conflicto</translation>
    </message>
    <message>
        <source>Dismiss a conflict</source>
        <translation>Descartar un conflicto</translation>
    </message>
    <message>
        <source>%1 (badge %2), worker&apos;s dept. no. %3
%4</source>
        <translation>%1 (tarjeta %2), dpto. n.º %3
%4</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>desconocida</translation>
    </message>
    <message>
        <source>&amp;Started:</source>
        <translation>&amp;Inicio:</translation>
    </message>
    <message>
        <source>&amp;Ended at:</source>
        <translation>&amp;Terminado a las:</translation>
    </message>
    <message>
        <source>S&amp;topped:</source>
        <translation>&amp;Fin:</translation>
    </message>
    <message>
        <source>&amp;Pieces:</source>
        <translation>&amp;Piezas:</translation>
    </message>
    <message>
        <source>Why (required)</source>
        <translation>Por qué (obligatorio)</translation>
    </message>
    <message>
        <source>&amp;Reason:</source>
        <translation>&amp;Motivo:</translation>
    </message>
</context>
<context>
    <name>SiteCheck</name>
    <message>
        <source>JobPunches.MDB is a Microsoft Access file: Job Costing cannot add job punches to it.
Convert it once, with Job Costing closed, by the command
jobcosting-site convert &quot;%1&quot;
and start Job Costing again.  Process canceled!</source>
        <translation>JobPunches.MDB es un archivo de Microsoft Access: Job Costing no puede añadirle fichajes.
Conviértalo una vez, con Job Costing cerrado, con el comando
jobcosting-site convert &quot;%1&quot;
y vuelva a abrir Job Costing.  ¡Proceso cancelado!</translation>
    </message>
    <message>
        <source>Job Costing cannot start: %1
Process canceled!</source>
        <translation>Job Costing no puede arrancar: %1
¡Proceso cancelado!</translation>
    </message>
</context>
</TS>
