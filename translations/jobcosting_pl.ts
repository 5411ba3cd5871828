<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>DateCheck</name>
    <message>
        <source>The Short Date Style on this Pc is Invalid!</source>
        <translation>Krótki format daty na tym komputerze jest nieprawidłowy!</translation>
    </message>
    <message>
        <source>To correct, do the following;</source>
        <translation>Aby to poprawić, wykonaj te kroki:</translation>
    </message>
    <message>
        <source>Exit Ostrel</source>
        <translation>Zamknij Ostrel</translation>
    </message>
    <message>
        <source>Click Start</source>
        <translation>Kliknij Start</translation>
    </message>
    <message>
        <source>Click Settings</source>
        <translation>Kliknij Ustawienia</translation>
    </message>
    <message>
        <source>Click Control Panel</source>
        <translation>Kliknij Panel sterowania</translation>
    </message>
    <message>
        <source>Double-Click Regional Settings</source>
        <translation>Kliknij dwukrotnie Ustawienia regionalne</translation>
    </message>
    <message>
        <source>Click Date Tab</source>
        <translation>Kliknij kartę Data</translation>
    </message>
    <message>
        <source>Select the Short Date Style of MM/dd/yy or MM/dd/yyyy</source>
        <translation>Wybierz krótki format daty MM/dd/yy lub MM/dd/yyyy</translation>
    </message>
    <message>
        <source>Click Apply</source>
        <translation>Kliknij Zastosuj</translation>
    </message>
    <message>
        <source>Click OK</source>
        <translation>Kliknij OK</translation>
    </message>
    <message>
        <source>Exit Control Panel and restart Ostrel</source>
        <translation>Zamknij Panel sterowania i uruchom ponownie Ostrel</translation>
    </message>
    <message>
        <source>Date &amp; Time Check</source>
        <translation>Sprawdzanie daty i godziny</translation>
    </message>
    <message>
        <source>Checking Pc Date &amp; Time Settings</source>
        <translation>Sprawdzanie daty i godziny</translation>
    </message>
    <message>
        <source>Punch - Operator Instruction</source>
        <translation>Punch - Instrukcja dla operatora</translation>
    </message>
</context>
<context>
    <name>JobCosting</name>
    <message>
        <source>No employee found with Badge number &apos;%1&apos;</source>
        <translation>Nie znaleziono pracownika z numerem karty &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The badge could not be looked up.</source>
        <translation>Nie udało się sprawdzić karty.</translation>
    </message>
    <message>
        <source>You are about to start working on a new Job</source>
        <translation>Rozpoczynasz nowe zlecenie</translation>
    </message>
    <message>
        <source>Enter your job information:</source>
        <translation>Wprowadź dane zlecenia:</translation>
    </message>
    <message>
        <source>Enter your Job information:</source>
        <translation>Wprowadź dane zlecenia:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Started Job on %1 at %2</source>
        <extracomment>%1 is the job&apos;s date, %2 its start time</extracomment>
        <translation>Zlecenie rozpoczęte %1 o godz. %2</translation>
    </message>
    <message>
        <source>Current Job Allocation</source>
        <translation>Bieżące zlecenie</translation>
    </message>
    <message>
        <source>You are about to stop working on Job</source>
        <translation>Kończysz zlecenie</translation>
    </message>
    <message>
        <source>Are you sure you want to end this Job?</source>
        <translation>Czy na pewno zakończyć to zlecenie?</translation>
    </message>
    <message>
        <source>How many Pieces did you work on?:</source>
        <translation>Ile sztuk wykonano?</translation>
    </message>
    <message>
        <source>No piece count has been entered!  End-Job Process Canceled!</source>
        <translation>Nie podano liczby sztuk! Zlecenie nie zostało zakończone!</translation>
    </message>
    <message>
        <source>Pieces amount entered was invalad try again</source>
        <translation>Nieprawidłowa liczba sztuk, spróbuj ponownie</translation>
    </message>
    <message numerus="yes">
        <source>Is %1 pieces correct?</source>
        <extracomment>%1 is the count as the worker typed it</extracomment>
        <translation>
            <numerusform>%1 sztuka – zgadza się?</numerusform>
            <numerusform>%1 sztuki – zgadza się?</numerusform>
            <numerusform>%1 sztuk – zgadza się?</numerusform>
        </translation>
    </message>
    <message>
        <source>The job was not ended: it was ended or changed at another terminal or at the desk meanwhile. Badge in again to see your job.</source>
        <translation>Zlecenie nie zostało zakończone: w międzyczasie zakończono je lub zmieniono na innym terminalu albo u mistrza. Odbij kartę ponownie, aby je zobaczyć.</translation>
    </message>
    <message>
        <source>The job was not ended. Badge in again to see it as it stands now.</source>
        <translation>Zlecenie nie zostało zakończone. Odbij kartę ponownie, aby zobaczyć jego aktualny stan.</translation>
    </message>
    <message>
        <source>Job Costing </source>
        <translation>Job Costing </translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Badge #</source>
        <translation>Karta</translation>
    </message>
    <message>
        <source>Enter your Badge number</source>
        <translation>Wprowadź numer karty</translation>
    </message>
    <message>
        <source>Select your Job information:</source>
        <translation>Wybierz dane zlecenia:</translation>
    </message>
    <message>
        <source>Start Job</source>
        <translation>Rozpocznij</translation>
    </message>
    <message>
        <source>End Job</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Wyjdź</translation>
    </message>
    <message>
        <source>The item code could not be looked up.</source>
        <translation>Nie udało się sprawdzić kodu.</translation>
    </message>
    <message>
        <source>Item Code invalid! Try using the Description pulldown</source>
        <translation>Nieprawidłowy kod! Wybierz z listy opisów</translation>
    </message>
    <message>
        <source>New Job</source>
        <translation>Nowe zlecenie</translation>
    </message>
    <message>
        <source>Job Costing requires Validation Tables be established at the Vexmo workstation.  Process canceled!</source>
        <translation>Job Costing wymaga tabel słownikowych, zakładanych na stanowisku Vexmo.  Proces anulowany!</translation>
    </message>
    <message>
        <source>Job Costing - Operator Information</source>
        <translation>Job Costing - Informacja dla operatora</translation>
    </message>
    <message>
        <source>Proceed to Job Information Entry Screen</source>
        <translation>Przejdź do wprowadzania danych zlecenia</translation>
    </message>
    <message>
        <source>The server cannot be reached. Your job is kept at this terminal and will be sent when the server answers.</source>
        <translation>Brak połączenia z serwerem. Zlecenie zostało zapisane na tym terminalu i zostanie wysłane, gdy serwer odpowie.</translation>
    </message>
    <message>
        <source>You must select a valid %1</source>
        <extracomment>%1 is the title of a level, such as Operation</extracomment>
        <translation>Wybierz prawidłową wartość: %1</translation>
    </message>
    <message>
        <source>The job was not started: a job is already open under your name. Badge in again to see it.</source>
        <translation>Zlecenie nie zostało rozpoczęte: na Twoje nazwisko jest już otwarte zlecenie. Odbij kartę ponownie, aby je zobaczyć.</translation>
    </message>
    <message>
        <source>The job was not started: %1

Nothing was written. Your choices are still on the screen: press New Job to try again. If this message comes back, tell the site manager.</source>
        <extracomment>%1 is the database&apos;s reason; New Job is the button&apos;s caption</extracomment>
        <translation>Zlecenie nie zostało rozpoczęte: %1

Nic nie zapisano. Twój wybór jest nadal na ekranie: naciśnij Nowe zlecenie, aby spróbować ponownie. Jeśli ten komunikat się powtórzy, zgłoś to kierownikowi zakładu.</translation>
    </message>
    <message>
        <source>Job Costing - Operator Instruction</source>
        <translation>Job Costing - Instrukcja dla operatora</translation>
    </message>
</context>
<context>
    <name>SiteCheck</name>
    <message>
        <source>JobPunches.MDB is a Microsoft Access file: Job Costing cannot add job punches to it.
Convert it once, with Job Costing closed, by the command
jobcosting-site convert &quot;%1&quot;
and start Job Costing again.  Process canceled!</source>
        <translation>JobPunches.MDB to plik Microsoft Access: Job Costing nie może dopisywać do niego rejestracji.
Przekonwertuj go raz, przy zamkniętym Job Costing, poleceniem
jobcosting-site convert &quot;%1&quot;
i uruchom Job Costing ponownie.  Proces anulowany!</translation>
    </message>
    <message>
        <source>Job Costing cannot start: %1
Process canceled!</source>
        <translation>Nie można uruchomić Job Costing: %1
Proces anulowany!</translation>
    </message>
</context>
</TS>
