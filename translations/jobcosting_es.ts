<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
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
