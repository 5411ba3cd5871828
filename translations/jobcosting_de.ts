<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
