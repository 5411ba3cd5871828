<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ChangeWatch</name>
    <message>
        <source>The connection to the database server was lost.</source>
        <translation>Die Verbindung zum Datenbankserver ist abgerissen.</translation>
    </message>
    <message>
        <source>The database server did not answer within %1 seconds.</source>
        <translation>Der Datenbankserver hat nicht innerhalb von %1 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>The database server cannot be reached.</source>
        <translation>Der Datenbankserver ist nicht erreichbar.</translation>
    </message>
</context>
<context>
    <name>Correction</name>
    <message>
        <source>A correction needs a reason.</source>
        <translation>Eine Korrektur braucht einen Grund.</translation>
    </message>
    <message>
        <source>The piece count must be from 0 to 1,000,000,000.</source>
        <translation>Die Stückzahl muss zwischen 0 und 1.000.000.000 liegen.</translation>
    </message>
    <message>
        <source>This job pays no bonus: its piece count stays 0.</source>
        <translation>Dieser Auftrag hat keine Prämie: Die Stückzahl bleibt 0.</translation>
    </message>
    <message>
        <source>The job cannot end before it started (%1).</source>
        <translation>Der Auftrag kann nicht vor seinem Beginn enden (%1).</translation>
    </message>
    <message>
        <source>The job must end within 24 hours of its start (%1): a punch keeps the time of day of its stop only.</source>
        <translation>Der Auftrag muss innerhalb von 24 Stunden nach Beginn enden (%1): Eine Buchung speichert nur die Uhrzeit des Endes.</translation>
    </message>
    <message>
        <source>The job cannot end in the future (%1).</source>
        <translation>Der Auftrag kann nicht in der Zukunft enden (%1).</translation>
    </message>
    <message>
        <source>The punch is deleted; the corrections keep all its fields.</source>
        <translation>Die Buchung wird gelöscht; die Korrekturen behalten alle ihre Felder.</translation>
    </message>
    <message>
        <source>The conflict is dismissed: nothing is written to the punches.</source>
        <translation>Der Konflikt wird verworfen: In die Buchungen wird nichts geschrieben.</translation>
    </message>
    <message>
        <source>The terminal&apos;s start is written as a new punch.</source>
        <translation>Der Beginn vom Terminal wird als neue Buchung geschrieben.</translation>
    </message>
    <message>
        <source>The terminal&apos;s end is written:</source>
        <translation>Das Ende vom Terminal wird geschrieben:</translation>
    </message>
    <message>
        <source>(open)</source>
        <translation>(offen)</translation>
    </message>
    <message>
        <source>The job of %1 is not open.</source>
        <translation>Der Auftrag von %1 ist nicht offen.</translation>
    </message>
    <message>
        <source>The job has no start date and time; correct its start first.</source>
        <translation>Der Auftrag hat kein Beginndatum und keine Beginnzeit; korrigieren Sie zuerst den Beginn.</translation>
    </message>
    <message>
        <source>The job needs a start date and time.</source>
        <translation>Der Auftrag braucht Beginndatum und -zeit.</translation>
    </message>
    <message>
        <source>The job cannot start in the future (%1).</source>
        <translation>Der Auftrag kann nicht in der Zukunft beginnen (%1).</translation>
    </message>
    <message>
        <source>The correction changes nothing.</source>
        <translation>Die Korrektur ändert nichts.</translation>
    </message>
</context>
<context>
    <name>DataError</name>
    <message>
        <source>%1 is not in the folder %2.</source>
        <translation>%1 ist nicht im Ordner %2.</translation>
    </message>
    <message>
        <source>The database server cannot be reached, or did not answer in time.</source>
        <translation>Der Datenbankserver ist nicht erreichbar oder hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The site&apos;s pointer file does not say where its database server is.</source>
        <translation>Die Verweisdatei des Standorts nennt keinen Datenbankserver.</translation>
    </message>
    <message>
        <source>Another program changed or deleted this row since it was read.</source>
        <translation>Ein anderes Programm hat diese Zeile inzwischen geändert oder gelöscht.</translation>
    </message>
    <message>
        <source>%1 has no table %2.</source>
        <translation>%1 hat keine Tabelle %2.</translation>
    </message>
    <message>
        <source>%1 is a file that Job Costing only reads; the table %2 cannot be written.</source>
        <translation>%1 ist eine Datei, die Job Costing nur liest; in die Tabelle %2 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The current row is no longer in the table %1 of %2.</source>
        <translation>Die aktuelle Zeile ist nicht mehr in der Tabelle %1 von %2.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table %3.</source>
        <translation>%1 hat kein Feld %2 in der Tabelle %3.</translation>
    </message>
    <message>
        <source>Another program changed or deleted this row of the table %1 in %2 since it was read.</source>
        <translation>Ein anderes Programm hat diese Zeile der Tabelle %1 in %2 inzwischen geändert oder gelöscht.</translation>
    </message>
    <message>
        <source>The field %1 of the table %2 in %3 does not take the value &apos;%4&apos;.</source>
        <translation>Das Feld %1 der Tabelle %2 in %3 nimmt den Wert &apos;%4&apos; nicht an.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>%1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>%1 is not a database; its content looks like: %2.</source>
        <translation>%1 ist keine Datenbank; der Inhalt sieht so aus: %2.</translation>
    </message>
    <message>
        <source>%1 is a folder, not a database file.</source>
        <translation>%1 ist ein Ordner, keine Datenbankdatei.</translation>
    </message>
    <message>
        <source>%1 is not a database file but a device or a pipe.</source>
        <translation>%1 ist keine Datenbankdatei, sondern ein Gerät oder eine Pipe.</translation>
    </message>
    <message>
        <source>Another program kept %1 locked for more than five seconds; the table %2 could not be used.</source>
        <translation>Ein anderes Programm hat %1 länger als fünf Sekunden gesperrt; die Tabelle %2 war nicht nutzbar.</translation>
    </message>
    <message>
        <source>%1 was moved or replaced while in use; the table %2 was not written.</source>
        <translation>%1 wurde während der Nutzung verschoben oder ersetzt; die Tabelle %2 wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>%1 is read-only; the table %2 cannot be written.</source>
        <translation>%1 ist schreibgeschützt; in die Tabelle %2 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 could not be read or written (a disk or network fault); the table %2 could not be used.</source>
        <translation>%1 konnte nicht gelesen oder geschrieben werden (Platten- oder Netzwerkfehler); die Tabelle %2 war nicht nutzbar.</translation>
    </message>
    <message>
        <source>%1 is damaged; the table %2 cannot be used.</source>
        <translation>%1 ist beschädigt; die Tabelle %2 ist nicht nutzbar.</translation>
    </message>
    <message>
        <source>The disk that holds %1 is full; the table %2 cannot grow.</source>
        <translation>Die Platte mit %1 ist voll; die Tabelle %2 kann nicht wachsen.</translation>
    </message>
    <message>
        <source>%1 is not a database; it has no table %2.</source>
        <translation>%1 ist keine Datenbank; es gibt keine Tabelle %2.</translation>
    </message>
</context>
<context>
    <name>DateCheck</name>
    <message>
        <source>The Short Date Style on this Pc is Invalid!</source>
        <translation>Das kurze Datumsformat dieses PCs ist ungültig!</translation>
    </message>
    <message>
        <source>To correct, do the following;</source>
        <translation>So beheben Sie den Fehler:</translation>
    </message>
    <message>
        <source>Exit Ostrel</source>
        <translation>Ostrel beenden</translation>
    </message>
    <message>
        <source>Click Start</source>
        <translation>Auf „Start“ klicken</translation>
    </message>
    <message>
        <source>Click Settings</source>
        <translation>Auf „Einstellungen“ klicken</translation>
    </message>
    <message>
        <source>Click Control Panel</source>
        <translation>Auf „Systemsteuerung“ klicken</translation>
    </message>
    <message>
        <source>Double-Click Regional Settings</source>
        <translation>Doppelklick auf „Ländereinstellungen“</translation>
    </message>
    <message>
        <source>Click Date Tab</source>
        <translation>Registerkarte „Datum“ anklicken</translation>
    </message>
    <message>
        <source>Select the Short Date Style of MM/dd/yy or MM/dd/yyyy</source>
        <translation>Kurzes Datumsformat MM/dd/yy oder MM/dd/yyyy wählen</translation>
    </message>
    <message>
        <source>Click Apply</source>
        <translation>Auf „Übernehmen“ klicken</translation>
    </message>
    <message>
        <source>Click OK</source>
        <translation>Auf „OK“ klicken</translation>
    </message>
    <message>
        <source>Exit Control Panel and restart Ostrel</source>
        <translation>Systemsteuerung schließen und Ostrel neu starten</translation>
    </message>
    <message>
        <source>Date &amp; Time Check</source>
        <translation>Prüfung von Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Checking Pc Date &amp; Time Settings</source>
        <translation>Datum und Uhrzeit des PCs prüfen</translation>
    </message>
    <message>
        <source>Punch - Operator Instruction</source>
        <translation>Punch - Bedienerhinweis</translation>
    </message>
</context>
<context>
    <name>DeskLink</name>
    <message>
        <source>The site cannot be read now.</source>
        <translation>Der Standort kann gerade nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>DeskStore</name>
    <message>
        <source>The site&apos;s database server does not answer, or cannot be reached.</source>
        <translation>Der Datenbankserver des Standorts antwortet nicht oder ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>%1 is an Access file, which is never written: the desk corrects punches in a SQLite file or on a database server. jobcosting-site convert %2 makes such a copy.</source>
        <translation>%1 ist eine Access-Datei, in die nie geschrieben wird: Der Leitstand korrigiert Buchungen in einer SQLite-Datei oder auf einem Datenbankserver. jobcosting-site convert %2 legt eine solche Kopie an.</translation>
    </message>
    <message>
        <source>%1 has no table JobPunches.</source>
        <translation>%1 hat keine Tabelle JobPunches.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table JobPunches; %3 brings the site up to date.</source>
        <translation>%1 hat kein Feld %2 in der Tabelle JobPunches; %3 bringt den Standort auf den neuesten Stand.</translation>
    </message>
    <message>
        <source>%1 has no table JobPunchCorrections, where the desk keeps its corrections; %2 makes it.</source>
        <translation>%1 hat keine Tabelle JobPunchCorrections, in der der Leitstand seine Korrekturen ablegt; %2 legt sie an.</translation>
    </message>
    <message>
        <source>%1 was made by an earlier version, whose database does not write the audit of a correction itself; %2 brings it up to date.</source>
        <translation>%1 stammt von einer älteren Version, deren Datenbank das Protokoll einer Korrektur nicht selbst schreibt; %2 bringt sie auf den neuesten Stand.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table JobPunches.</source>
        <translation>%1 hat kein Feld %2 in der Tabelle JobPunches.</translation>
    </message>
    <message>
        <source>The login %1 may not do this: the database server refused it the right to read the table %2.</source>
        <translation>Die Anmeldung %1 darf das nicht: Der Datenbankserver verweigert ihr das Lesen der Tabelle %2.</translation>
    </message>
    <message>
        <source>The login %1 may not do this: the database server refused it the right to change the table %2.</source>
        <translation>Die Anmeldung %1 darf das nicht: Der Datenbankserver verweigert ihr das Ändern der Tabelle %2.</translation>
    </message>
    <message>
        <source>The login %1 may not correct punches: a correction needs a login of the role jobcosting_supervisor.</source>
        <translation>Die Anmeldung %1 darf keine Buchungen korrigieren: Dafür ist eine Anmeldung mit der Rolle jobcosting_supervisor nötig.</translation>
    </message>
    <message>
        <source>The punch of %1 changed since the desk read it (a terminal or another supervisor wrote it meanwhile); nothing was written. Look at it again.</source>
        <translation>Die Buchung von %1 hat sich geändert, seit der Leitstand sie gelesen hat (ein Terminal oder ein anderer Meister hat sie inzwischen geschrieben); es wurde nichts gespeichert. Sehen Sie sie sich noch einmal an.</translation>
    </message>
    <message>
        <source>This start is among the punches already; dismiss the conflict.</source>
        <translation>Dieser Beginn ist schon unter den Buchungen; verwerfen Sie den Konflikt.</translation>
    </message>
    <message>
        <source>%1 has an open job already: end it, then apply this start.</source>
        <translation>%1 hat schon einen offenen Auftrag: Beenden Sie ihn, dann übernehmen Sie diesen Beginn.</translation>
    </message>
    <message>
        <source>The job of %1 is not open any more (ended or deleted meanwhile): dismiss the conflict, or correct the job.</source>
        <translation>Der Auftrag von %1 ist nicht mehr offen (inzwischen beendet oder gelöscht): Verwerfen Sie den Konflikt oder korrigieren Sie den Auftrag.</translation>
    </message>
    <message>
        <source>Someone settled this conflict meanwhile; nothing was written.</source>
        <translation>Jemand hat diesen Konflikt inzwischen erledigt; es wurde nichts gespeichert.</translation>
    </message>
</context>
<context>
    <name>DeskTables</name>
    <message>
        <source>Badge</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Stück</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Corrections</source>
        <translation>Korrekturen</translation>
    </message>
    <message>
        <source>Open for</source>
        <translation>Offen seit</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Korrigiert</translation>
    </message>
    <message>
        <source>over a shift</source>
        <translation>über eine Schicht</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Mitarbeiter</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
</context>
<context>
    <name>DeskWindow</name>
    <message>
        <source>End the job of %1</source>
        <translation>Auftrag von %1 beenden</translation>
    </message>
    <message>
        <source>Correct the punch of %1</source>
        <translation>Buchung von %1 korrigieren</translation>
    </message>
    <message>
        <source>Delete the punch of %1</source>
        <translation>Buchung von %1 löschen</translation>
    </message>
    <message>
        <source>Apply the conflict of %1</source>
        <translation>Konflikt von %1 übernehmen</translation>
    </message>
    <message>
        <source>Dismiss the conflict of %1</source>
        <translation>Konflikt von %1 verwerfen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>&amp;Open jobs</source>
        <translation>&amp;Offene Aufträge</translation>
    </message>
    <message>
        <source>&amp;Closed jobs</source>
        <translation>&amp;Geschlossene Aufträge</translation>
    </message>
    <message>
        <source>Co&amp;rrections</source>
        <translation>&amp;Korrekturen</translation>
    </message>
    <message>
        <source>Reading the site...</source>
        <translation>Standort wird gelesen...</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Name or badge</source>
        <translation>Name oder Karte</translation>
    </message>
    <message>
        <source>&amp;End job...</source>
        <translation>Auftrag &amp;beenden...</translation>
    </message>
    <message>
        <source>E&amp;dit...</source>
        <translation>Ä&amp;ndern...</translation>
    </message>
    <message>
        <source>De&amp;lete...</source>
        <translation>&amp;Löschen...</translation>
    </message>
    <message>
        <source>Started from</source>
        <translation>Begonnen vom</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Made from</source>
        <translation>Erfasst vom</translation>
    </message>
    <message>
        <source>Punches a terminal could not write after an outage</source>
        <translation>Buchungen, die ein Terminal nach einem Ausfall nicht schreiben konnte</translation>
    </message>
    <message>
        <source>&amp;Apply...</source>
        <translation>Ü&amp;bernehmen...</translation>
    </message>
    <message>
        <source>Di&amp;smiss...</source>
        <translation>&amp;Verwerfen...</translation>
    </message>
    <message>
        <source>Arrived</source>
        <translation>Eingegangen</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>Buchung</translation>
    </message>
    <message>
        <source>Badge</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Warum</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Export the list as CSV...</source>
        <translation>Liste als CSV &amp;exportieren...</translation>
    </message>
    <message>
        <source>&amp;Print the list to PDF...</source>
        <translation>Liste als PDF &amp;drucken...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Read the site again</source>
        <translation>Standort &amp;neu lesen</translation>
    </message>
    <message>
        <source>Co&amp;nflicts</source>
        <translation>Kon&amp;flikte</translation>
    </message>
    <message>
        <source>The badges could not be looked up: %1</source>
        <translation>Die Karten konnten nicht geprüft werden: %1</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Aktualisiert %1</translation>
    </message>
    <message>
        <source>The site cannot be read now: %1 The desk tries again by itself.</source>
        <translation>Der Standort kann gerade nicht gelesen werden: %1 Der Leitstand versucht es von selbst wieder.</translation>
    </message>
    <message>
        <source>Not updated since %1</source>
        <translation>Nicht aktualisiert seit %1</translation>
    </message>
    <message>
        <source>%1: done, as %2.</source>
        <translation>%1: erledigt, als %2.</translation>
    </message>
    <message>
        <source>The correction was not written: %1 Nothing was changed; try again once the site can be read.</source>
        <translation>Die Korrektur wurde nicht gespeichert: %1 Es wurde nichts geändert; versuchen Sie es wieder, sobald der Standort lesbar ist.</translation>
    </message>
    <message>
        <source>1 correction</source>
        <translation>1 Korrektur</translation>
    </message>
    <message numerus="yes">
        <source>%n corrections</source>
        <translation>
            <numerusform>%n Korrektur</numerusform>
            <numerusform>%n Korrekturen</numerusform>
        </translation>
    </message>
    <message>
        <source>Co&amp;nflicts (%1)</source>
        <translation>Kon&amp;flikte (%1)</translation>
    </message>
    <message>
        <source>%1 - 1 open job</source>
        <translation>%1 - 1 offener Auftrag</translation>
    </message>
    <message numerus="yes">
        <source>%1 - %n open jobs</source>
        <translation>
            <numerusform>%1 - %n offener Auftrag</numerusform>
            <numerusform>%1 - %n offene Aufträge</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> - %n over a shift</source>
        <translation>
            <numerusform> - %n länger als eine Schicht</numerusform>
            <numerusform> - %n länger als eine Schicht</numerusform>
        </translation>
    </message>
    <message>
        <source> - not updated since %1</source>
        <translation> - nicht aktualisiert seit %1</translation>
    </message>
    <message>
        <source>1 job open</source>
        <translation>1 Auftrag offen</translation>
    </message>
    <message numerus="yes">
        <source>%n jobs open</source>
        <translation>
            <numerusform>%n Auftrag offen</numerusform>
            <numerusform>%n Aufträge offen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n over a shift</source>
        <translation>
            <numerusform>, %n länger als eine Schicht</numerusform>
            <numerusform>, %n länger als eine Schicht</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 open in all</source>
        <translation>, %1 offen insgesamt</translation>
    </message>
    <message numerus="yes">
        <source> (of %n open)</source>
        <translation>
            <numerusform> (von %n offenen)</numerusform>
            <numerusform> (von %n offenen)</numerusform>
        </translation>
    </message>
    <message>
        <source>1 job closed, %1 worked, %2 pieces</source>
        <translation>1 Auftrag geschlossen, %1 gearbeitet, %2 Stück</translation>
    </message>
    <message numerus="yes">
        <source>%n jobs closed, %1 worked, %2 pieces</source>
        <translation>
            <numerusform>%n Auftrag geschlossen, %1 gearbeitet, %2 Stück</numerusform>
            <numerusform>%n Aufträge geschlossen, %1 gearbeitet, %2 Stück</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose a job first: click its row, or move to it with the arrow keys.</source>
        <translation>Wählen Sie zuerst einen Auftrag: Klicken Sie auf seine Zeile oder gehen Sie mit den Pfeiltasten dorthin.</translation>
    </message>
    <message>
        <source>Choose a conflict first: click its row.</source>
        <translation>Wählen Sie zuerst einen Konflikt: Klicken Sie auf seine Zeile.</translation>
    </message>
    <message>
        <source>A correction is being written; correct it once it is done.</source>
        <translation>Gerade wird eine Korrektur gespeichert; korrigieren Sie, sobald sie fertig ist.</translation>
    </message>
    <message>
        <source>The site cannot be read now: %1

Nothing is written while the desk cannot show the punches as they are; correct it once its title no longer says &quot;not updated&quot;. The desk tries again by itself.</source>
        <extracomment>&quot;not updated&quot; is what the window&apos;s title says while the site cannot be read</extracomment>
        <translation>Der Standort kann gerade nicht gelesen werden: %1

Solange der Leitstand die Buchungen nicht aktuell zeigen kann, wird nichts gespeichert; korrigieren Sie, sobald im Titel nicht mehr „nicht aktualisiert“ steht. Der Leitstand versucht es von selbst wieder.</translation>
    </message>
    <message>
        <source>it has not been read yet.</source>
        <translation>Er wurde noch nicht gelesen.</translation>
    </message>
    <message>
        <source>%1 (badge %2): %3</source>
        <translation>%1 (Karte %2): %3</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>%1?

%2

%3

Reason: %4</source>
        <extracomment>%1 is what the correction does (&quot;End the job of Smith&quot;)</extracomment>
        <translation>%1?

%2

%3

Grund: %4</translation>
    </message>
    <message>
        <source>%1: writing...</source>
        <translation>%1: wird gespeichert...</translation>
    </message>
    <message>
        <source>name or badge holding &quot;%1&quot;</source>
        <translation>Name oder Karte mit „%1“</translation>
    </message>
    <message>
        <source>Only %1. </source>
        <translation>Nur %1. </translation>
    </message>
    <message>
        <source>Open jobs</source>
        <translation>Offene Aufträge</translation>
    </message>
    <message>
        <source>Closed jobs started from %1 to %2</source>
        <translation>Geschlossene Aufträge, begonnen vom %1 bis %2</translation>
    </message>
    <message>
        <source>Corrections made from %1 to %2</source>
        <translation>Korrekturen vom %1 bis %2</translation>
    </message>
    <message>
        <source>Conflicts</source>
        <translation>Konflikte</translation>
    </message>
    <message>
        <source>Punches a terminal could not write after an outage.</source>
        <translation>Buchungen, die ein Terminal nach einem Ausfall nicht schreiben konnte.</translation>
    </message>
    <message>
        <source>The list could not be saved in %1: %2.</source>
        <translation>Die Liste konnte nicht in %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>%1 (1 row) saved in %2.</source>
        <translation>%1 (1 Zeile) gespeichert in %2.</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n rows) saved in %2.</source>
        <translation>
            <numerusform>%1 (%n Zeile) gespeichert in %2.</numerusform>
            <numerusform>%1 (%n Zeilen) gespeichert in %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export the list as CSV</source>
        <translation>Liste als CSV exportieren</translation>
    </message>
    <message>
        <source>Print the list to PDF</source>
        <translation>Liste als PDF drucken</translation>
    </message>
    <message>
        <source>Job Costing Desk: %1, printed %2</source>
        <translation>Job Costing Desk: %1, gedruckt %2</translation>
    </message>
    <message>
        <source>The desk cannot open the site %1.

%2</source>
        <translation>Der Leitstand kann den Standort %1 nicht öffnen.

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
        <translation>Abt.-Nr. Mitarbeiter</translation>
    </message>
    <message>
        <source>Level %1</source>
        <translation>Ebene %1</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Mitarbeiter</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Date worked</source>
        <translation>Arbeitstag</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Stück</translation>
    </message>
    <message>
        <source>Employee no.</source>
        <translation>Personal-Nr.</translation>
    </message>
    <message>
        <source>Base pay rate</source>
        <translation>Grundlohn</translation>
    </message>
    <message>
        <source>Level %1 title</source>
        <translation>Titel Ebene %1</translation>
    </message>
    <message>
        <source>%1 code</source>
        <extracomment>%1 is the level&apos;s title, &quot;Department&quot;</extracomment>
        <translation>%1 Code</translation>
    </message>
    <message>
        <source>%1 standard cost</source>
        <translation>%1 Standardkosten</translation>
    </message>
    <message>
        <source>%1 bonus rate</source>
        <translation>%1 Prämiensatz</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>started %1</source>
        <translation>begonnen %1</translation>
    </message>
    <message>
        <source>stopped %1 (%2)</source>
        <translation>beendet %1 (%2)</translation>
    </message>
    <message>
        <source>still open</source>
        <translation>noch offen</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Beendet</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Korrigiert</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Gelöscht</translation>
    </message>
    <message>
        <source>Applied</source>
        <translation>Übernommen</translation>
    </message>
    <message>
        <source>Dismissed</source>
        <translation>Verworfen</translation>
    </message>
    <message>
        <source>Deleted: %1</source>
        <translation>Gelöscht: %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s start not written: %1</source>
        <translation>Beginn vom Terminal nicht geschrieben: %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s end not written: %1</source>
        <translation>Ende vom Terminal nicht geschrieben: %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s start written: %1</source>
        <translation>Beginn vom Terminal geschrieben: %1</translation>
    </message>
    <message>
        <source>(open)</source>
        <translation>(offen)</translation>
    </message>
    <message numerus="yes">
        <source>%1 pieces</source>
        <translation>
            <numerusform>%1 Stück</numerusform>
            <numerusform>%1 Stück</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JobCost</name>
    <message>
        <source>Level %1 code</source>
        <translation>Ebene %1 Code</translation>
    </message>
    <message>
        <source>Level %1 item</source>
        <translation>Ebene %1 Position</translation>
    </message>
    <message>
        <source>Employee number</source>
        <translation>Personal-Nr.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Department</source>
        <translation>Abteilung</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Aufträge</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Labour</source>
        <translation>Lohn</translation>
    </message>
    <message>
        <source>Bonus</source>
        <translation>Prämie</translation>
    </message>
    <message>
        <source>Cost</source>
        <translation>Kosten</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Stück</translation>
    </message>
    <message>
        <source>Standard per piece</source>
        <translation>Standard je Stück</translation>
    </message>
    <message>
        <source>Actual per piece</source>
        <translation>Ist je Stück</translation>
    </message>
    <message>
        <source>Variance per piece</source>
        <translation>Abweichung je Stück</translation>
    </message>
    <message>
        <source>Variance</source>
        <translation>Abweichung</translation>
    </message>
    <message>
        <source>Variance %</source>
        <translation>Abweichung %</translation>
    </message>
</context>
<context>
    <name>JobCostPdf</name>
    <message>
        <source>Corrected</source>
        <translation>Korrigiert</translation>
    </message>
    <message>
        <source>corrected at the desk</source>
        <translation>am Leitstand korrigiert</translation>
    </message>
    <message>
        <source>job (level 1 / level 2 / level 3)</source>
        <translation>Auftrag (Ebene 1 / Ebene 2 / Ebene 3)</translation>
    </message>
    <message>
        <source>level %1 item</source>
        <translation>Position der Ebene %1</translation>
    </message>
    <message>
        <source>worker</source>
        <translation>Mitarbeiter</translation>
    </message>
    <message>
        <source>department (DeptNum)</source>
        <translation>Abteilung (DeptNum)</translation>
    </message>
    <message>
        <source>day worked</source>
        <translation>Arbeitstag</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>ab %1</translation>
    </message>
    <message>
        <source>up to %1</source>
        <translation>bis %1</translation>
    </message>
    <message>
        <source>all</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>%1, %2 to %3%4</source>
        <translation>%1, %2 bis %3%4</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>%1: %2 to %3</source>
        <translation>%1: %2 zu %3</translation>
    </message>
    <message>
        <source>punch deleted</source>
        <translation>Buchung gelöscht</translation>
    </message>
    <message>
        <source>a terminal&apos;s punch applied</source>
        <translation>Buchung vom Terminal übernommen</translation>
    </message>
    <message>
        <source>a terminal&apos;s punch dismissed</source>
        <translation>Buchung vom Terminal verworfen</translation>
    </message>
    <message>
        <source>Job cost report by %1, dates worked: %2</source>
        <translation>Auftragskosten nach %1, Arbeitstage: %2</translation>
    </message>
    <message>
        <source>Job cost report by %1</source>
        <translation>Auftragskosten nach %1</translation>
    </message>
    <message>
        <source>Site: %1</source>
        <translation>Standort: %1</translation>
    </message>
    <message>
        <source>Dates worked: %1</source>
        <translation>Arbeitstage: %1</translation>
    </message>
    <message>
        <source>Made %1 by %2. Open jobs are timed to that moment; a shift is %3 hours.</source>
        <translation>Erstellt %1 von %2. Offene Aufträge sind bis zu diesem Zeitpunkt gerechnet; eine Schicht hat %3 Stunden.</translation>
    </message>
    <message>
        <source>How each figure is worked out, from the values each punch froze when its job started:</source>
        <translation>So wird jede Zahl berechnet, aus den Werten, die jede Buchung bei Auftragsbeginn festhielt:</translation>
    </message>
    <message>
        <source>Hours = the time that passed from TimeStart on DateWorked to the first moment after it when the site&apos;s clocks (%1) read TimeStop: past midnight, and across the nights the clocks change, as the hours were worked. Labour = hours x BaseRate, the worker&apos;s pay rate.</source>
        <translation>Stunden = die Zeit von TimeStart am DateWorked bis zum ersten Zeitpunkt danach, an dem die Uhren des Standorts (%1) TimeStop zeigen: über Mitternacht und über die Nächte der Zeitumstellung hinweg, wie tatsächlich gearbeitet. Lohn = Stunden x BaseRate, der Lohnsatz des Mitarbeiters.</translation>
    </message>
    <message>
        <source>Bonus = Pieces x the bonus rate of the deepest level with a description (level 3, else 2, else 1). Cost = labour + bonus.</source>
        <translation>Prämie = Pieces x Prämiensatz der tiefsten Ebene mit Beschreibung (Ebene 3, sonst 2, sonst 1). Kosten = Lohn + Prämie.</translation>
    </message>
    <message>
        <source>Standard = pieces x the sum of the standard costs of the levels with a description. Per piece: standard, actual (cost / pieces) and variance (actual - standard), empty without pieces.</source>
        <translation>Standard = Stück x Summe der Standardkosten der Ebenen mit Beschreibung. Je Stück: Standard, Ist (Kosten / Stück) und Abweichung (Ist - Standard), leer ohne Stück.</translation>
    </message>
    <message>
        <source>Variance = cost - standard, above zero when the work cost more than standard; Variance % = variance / standard, empty without a standard.</source>
        <translation>Abweichung = Kosten - Standard, über null, wenn die Arbeit mehr als der Standard kostete; Abweichung % = Abweichung / Standard, leer ohne Standard.</translation>
    </message>
    <message>
        <source>Rates, costs and pieces are read to four decimals and summed exactly; each figure is rounded once, half away from zero (money to the cent, per piece to four decimals, hours and percentages to two), so a figure may differ in its last digit from one worked out of other rounded figures.</source>
        <translation>Sätze, Kosten und Stück werden auf vier Nachkommastellen gelesen und genau summiert; jede Zahl wird einmal gerundet, Hälften von null weg (Geld auf den Cent, je Stück auf vier Stellen, Stunden und Prozente auf zwei). Eine Zahl kann daher in der letzten Stelle von einer abweichen, die aus anderen gerundeten Zahlen berechnet wird.</translation>
    </message>
    <message>
        <source>Open jobs are never costed: they are listed apart with the hours open so far. Rows with impossible values are listed under Rows not costed.</source>
        <translation>Offene Aufträge werden nie berechnet: Sie stehen gesondert mit den bisher offenen Stunden. Zeilen mit unmöglichen Werten stehen unter Nicht berechnete Zeilen.</translation>
    </message>
    <message>
        <source>Corrected = how many of the punches a supervisor corrected at the desk (empty where none); a punch deleted there is in no figure.</source>
        <translation>Korrigiert = wie viele der Buchungen ein Meister am Leitstand korrigiert hat (leer, wenn keine); eine dort gelöschte Buchung ist in keiner Zahl enthalten.</translation>
    </message>
    <message>
        <source>the punch&apos;s start or end reached the database more than ten minutes away from its own time: kept at a terminal through an outage, written on a clock set wrong, or by hand.</source>
        <translation>Beginn oder Ende der Buchung kam mehr als zehn Minuten neben ihrer eigenen Zeit in der Datenbank an: an einem Terminal über einen Ausfall gehalten, mit falsch gestellter Uhr oder von Hand geschrieben.</translation>
    </message>
    <message>
        <source>Costed jobs: %1     Open jobs: %2, %3 of them longer than a shift     Rows not costed: %4</source>
        <translation>Berechnete Aufträge: %1     Offene Aufträge: %2, davon %3 länger als eine Schicht     Nicht berechnete Zeilen: %4</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Woche %1</translation>
    </message>
    <message>
        <source>Month %1</source>
        <translation>Monat %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Labour and bonus, full bar %1</source>
        <translation>Lohn und Prämie, voller Balken %1</translation>
    </message>
    <message>
        <source>Costs by %1</source>
        <translation>Kosten nach %1</translation>
    </message>
    <message>
        <source>labour</source>
        <translation>Lohn</translation>
    </message>
    <message>
        <source>bonus</source>
        <translation>Prämie</translation>
    </message>
    <message>
        <source>Open jobs, not costed: %1</source>
        <translation>Offene Aufträge, nicht berechnet: %1</translation>
    </message>
    <message>
        <source>Job group</source>
        <translation>Auftragsgruppe</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Mitarbeiter</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Hours open</source>
        <translation>Std. offen</translation>
    </message>
    <message>
        <source>longer than a shift</source>
        <translation>länger als eine Schicht</translation>
    </message>
    <message>
        <source>Rows not costed: %1</source>
        <translation>Nicht berechnete Zeilen: %1</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Date worked</source>
        <translation>Arbeitstag</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Warum</translation>
    </message>
    <message>
        <source>Corrections of these dates worked: %1</source>
        <translation>Korrekturen dieser Arbeitstage: %1</translation>
    </message>
    <message>
        <source>Corrected at</source>
        <translation>Korrigiert am</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Job cost report</source>
        <translation>Auftragskosten</translation>
    </message>
</context>
<context>
    <name>JobCosting</name>
    <message>
        <source>No employee found with Badge number &apos;%1&apos;</source>
        <translation>Kein Mitarbeiter mit Kartennummer &apos;%1&apos; gefunden</translation>
    </message>
    <message>
        <source>The badge could not be looked up.</source>
        <translation>Die Karte konnte nicht geprüft werden.</translation>
    </message>
    <message>
        <source>You are about to start working on a new Job</source>
        <translation>Sie beginnen einen neuen Auftrag</translation>
    </message>
    <message>
        <source>Enter your job information:</source>
        <translation>Auftragsdaten eingeben:</translation>
    </message>
    <message>
        <source>Enter your Job information:</source>
        <translation>Auftragsdaten eingeben:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Started Job on %1 at %2</source>
        <extracomment>%1 is the job&apos;s date, %2 its start time</extracomment>
        <translation>Auftrag begonnen am %1 um %2</translation>
    </message>
    <message>
        <source>Current Job Allocation</source>
        <translation>Aktueller Auftrag</translation>
    </message>
    <message>
        <source>You are about to stop working on Job</source>
        <translation>Sie beenden den Auftrag</translation>
    </message>
    <message>
        <source>Are you sure you want to end this Job?</source>
        <translation>Diesen Auftrag wirklich beenden?</translation>
    </message>
    <message>
        <source>How many Pieces did you work on?:</source>
        <translation>Wie viele Stück haben Sie gefertigt?</translation>
    </message>
    <message>
        <source>No piece count has been entered!  End-Job Process Canceled!</source>
        <translation>Keine Stückzahl eingegeben! Der Auftrag wurde nicht beendet!</translation>
    </message>
    <message>
        <source>Pieces amount entered was invalad try again</source>
        <translation>Ungültige Stückzahl, bitte noch einmal eingeben</translation>
    </message>
    <message numerus="yes">
        <source>Is %1 pieces correct?</source>
        <extracomment>%1 is the count as the worker typed it</extracomment>
        <translation>
            <numerusform>Ist %1 Stück richtig?</numerusform>
            <numerusform>Sind %1 Stück richtig?</numerusform>
        </translation>
    </message>
    <message>
        <source>The job was not ended: it was ended or changed at another terminal or at the desk meanwhile. Badge in again to see your job.</source>
        <translation>Der Auftrag wurde nicht beendet: Er wurde inzwischen an einem anderen Terminal oder am Leitstand beendet oder geändert. Stempeln Sie erneut, um Ihren Auftrag zu sehen.</translation>
    </message>
    <message>
        <source>The job was not ended. Badge in again to see it as it stands now.</source>
        <translation>Der Auftrag wurde nicht beendet. Stempeln Sie erneut, um den aktuellen Stand zu sehen.</translation>
    </message>
    <message>
        <source>Job Costing </source>
        <translation>Job Costing </translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Badge #</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Enter your Badge number</source>
        <translation>Kartennummer eingeben</translation>
    </message>
    <message>
        <source>Select your Job information:</source>
        <translation>Auftragsdaten auswählen:</translation>
    </message>
    <message>
        <source>Start Job</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>End Job</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The item code could not be looked up.</source>
        <translation>Der Code konnte nicht geprüft werden.</translation>
    </message>
    <message>
        <source>Item Code invalid! Try using the Description pulldown</source>
        <translation>Ungültiger Code! Wählen Sie aus der Liste der Beschreibungen</translation>
    </message>
    <message>
        <source>New Job</source>
        <translation>Neuer Auftrag</translation>
    </message>
    <message>
        <source>Job Costing requires Validation Tables be established at the Vexmo workstation.  Process canceled!</source>
        <translation>Für Job Costing müssen am Vexmo-Arbeitsplatz die Prüftabellen angelegt sein.  Vorgang abgebrochen!</translation>
    </message>
    <message>
        <source>Job Costing - Operator Information</source>
        <translation>Job Costing - Bedienerinformation</translation>
    </message>
    <message>
        <source>Proceed to Job Information Entry Screen</source>
        <translation>Weiter zur Eingabe der Auftragsdaten</translation>
    </message>
    <message>
        <source>The server cannot be reached. Your job is kept at this terminal and will be sent when the server answers.</source>
        <translation>Der Server ist nicht erreichbar. Ihr Auftrag wird an diesem Terminal gespeichert und gesendet, sobald der Server antwortet.</translation>
    </message>
    <message>
        <source>You must select a valid %1</source>
        <extracomment>%1 is the title of a level, such as Operation</extracomment>
        <translation>Bitte eine gültige Auswahl treffen: %1</translation>
    </message>
    <message>
        <source>The job was not started: a job is already open under your name. Badge in again to see it.</source>
        <translation>Der Auftrag wurde nicht gestartet: Unter Ihrem Namen ist schon ein Auftrag offen. Stempeln Sie erneut, um ihn zu sehen.</translation>
    </message>
    <message>
        <source>The job was not started: %1

Nothing was written. Your choices are still on the screen: press New Job to try again. If this message comes back, tell the site manager.</source>
        <extracomment>%1 is the database&apos;s reason; New Job is the button&apos;s caption</extracomment>
        <translation>Der Auftrag wurde nicht gestartet: %1

Es wurde nichts gespeichert. Ihre Auswahl steht noch auf dem Bildschirm: Drücken Sie „Neuer Auftrag“, um es noch einmal zu versuchen. Kommt diese Meldung wieder, sagen Sie dem Betriebsleiter Bescheid.</translation>
    </message>
    <message>
        <source>Job Costing - Operator Instruction</source>
        <translation>Job Costing - Bedienerhinweis</translation>
    </message>
</context>
<context>
    <name>PdfPages</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>PunchTableModel</name>
    <message>
        <source>Its start or its end reached the database more than ten minutes away from its own time: kept at a terminal through an outage, written on a clock set wrong, or by hand.</source>
        <translation>Beginn oder Ende kam mehr als zehn Minuten neben der eigenen Zeit in der Datenbank an: an einem Terminal über einen Ausfall gehalten, mit falsch gestellter Uhr oder von Hand geschrieben.</translation>
    </message>
    <message>
        <source>corrected</source>
        <translation>korrigiert</translation>
    </message>
    <message numerus="yes">
        <source>corrected %n times</source>
        <translation>
            <numerusform>%n-mal korrigiert</numerusform>
            <numerusform>%n-mal korrigiert</numerusform>
        </translation>
    </message>
    <message>
        <source>Open longer than a shift (%1)</source>
        <translation>Länger offen als eine Schicht (%1)</translation>
    </message>
    <message>
        <source>Badge</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Open for</source>
        <translation>Offen seit</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Stück</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Korrigiert</translation>
    </message>
</context>
<context>
    <name>QtDeskForms</name>
    <message>
        <source>End a job</source>
        <translation>Auftrag beenden</translation>
    </message>
    <message>
        <source>Correct a job</source>
        <translation>Auftrag korrigieren</translation>
    </message>
    <message>
        <source>Delete a punch</source>
        <translation>Buchung löschen</translation>
    </message>
    <message>
        <source>Apply a conflict</source>
        <translation>Konflikt übernehmen</translation>
    </message>
    <message>
        <source>Dismiss a conflict</source>
        <translation>Konflikt verwerfen</translation>
    </message>
    <message>
        <source>%1 (badge %2), worker&apos;s dept. no. %3
%4</source>
        <translation>%1 (Karte %2), Abt.-Nr. %3
%4</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>&amp;Started:</source>
        <translation>&amp;Beginn:</translation>
    </message>
    <message>
        <source>&amp;Ended at:</source>
        <translation>&amp;Beendet um:</translation>
    </message>
    <message>
        <source>S&amp;topped:</source>
        <translation>&amp;Ende:</translation>
    </message>
    <message>
        <source>&amp;Pieces:</source>
        <translation>&amp;Stück:</translation>
    </message>
    <message>
        <source>Why (required)</source>
        <translation>Warum (Pflicht)</translation>
    </message>
    <message>
        <source>&amp;Reason:</source>
        <translation>&amp;Grund:</translation>
    </message>
</context>
<context>
    <name>SiteCheck</name>
    <message>
        <source>JobPunches.MDB is a Microsoft Access file: Job Costing cannot add job punches to it.
Convert it once, with Job Costing closed, by the command
jobcosting-site convert &quot;%1&quot;
and start Job Costing again.  Process canceled!</source>
        <translation>JobPunches.MDB ist eine Microsoft-Access-Datei: Job Costing kann darin keine Buchungen anlegen.
Wandeln Sie sie bei geschlossenem Job Costing einmal um, mit dem Befehl
jobcosting-site convert &quot;%1&quot;
und starten Sie Job Costing neu.  Vorgang abgebrochen!</translation>
    </message>
    <message>
        <source>Job Costing cannot start: %1
Process canceled!</source>
        <translation>Job Costing kann nicht starten: %1
Vorgang abgebrochen!</translation>
    </message>
</context>
</TS>
