<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>ChangeWatch</name>
    <message>
        <source>The connection to the database server was lost.</source>
        <translation>Utracono połączenie z serwerem bazy danych.</translation>
    </message>
    <message>
        <source>The database server did not answer within %1 seconds.</source>
        <translation>Serwer bazy danych nie odpowiedział w ciągu %1 s.</translation>
    </message>
    <message>
        <source>The database server cannot be reached.</source>
        <translation>Brak połączenia z serwerem bazy danych.</translation>
    </message>
</context>
<context>
    <name>Correction</name>
    <message>
        <source>A correction needs a reason.</source>
        <translation>Korekta wymaga podania powodu.</translation>
    </message>
    <message>
        <source>The piece count must be from 0 to 1,000,000,000.</source>
        <translation>Liczba sztuk musi mieścić się w zakresie od 0 do 1 000 000 000.</translation>
    </message>
    <message>
        <source>This job pays no bonus: its piece count stays 0.</source>
        <translation>To zlecenie nie ma premii: liczba sztuk zostaje 0.</translation>
    </message>
    <message>
        <source>The job cannot end before it started (%1).</source>
        <translation>Zlecenie nie może się skończyć przed rozpoczęciem (%1).</translation>
    </message>
    <message>
        <source>The job must end within 24 hours of its start (%1): a punch keeps the time of day of its stop only.</source>
        <translation>Zlecenie musi się skończyć w ciągu 24 godzin od rozpoczęcia (%1): rejestracja zapisuje tylko godzinę zakończenia.</translation>
    </message>
    <message>
        <source>The job cannot end in the future (%1).</source>
        <translation>Zlecenie nie może się skończyć w przyszłości (%1).</translation>
    </message>
    <message>
        <source>The punch is deleted; the corrections keep all its fields.</source>
        <translation>Rejestracja zostanie usunięta; korekty zachowują wszystkie jej pola.</translation>
    </message>
    <message>
        <source>The conflict is dismissed: nothing is written to the punches.</source>
        <translation>Konflikt zostanie odrzucony: nic nie zostanie zapisane w rejestracjach.</translation>
    </message>
    <message>
        <source>The terminal&apos;s start is written as a new punch.</source>
        <translation>Rozpoczęcie z terminala zostanie zapisane jako nowa rejestracja.</translation>
    </message>
    <message>
        <source>The terminal&apos;s end is written:</source>
        <translation>Zakończenie z terminala zostanie zapisane:</translation>
    </message>
    <message>
        <source>(open)</source>
        <translation>(otwarte)</translation>
    </message>
    <message>
        <source>The job of %1 is not open.</source>
        <translation>Zlecenie pracownika %1 nie jest otwarte.</translation>
    </message>
    <message>
        <source>The job has no start date and time; correct its start first.</source>
        <translation>Zlecenie nie ma daty i godziny rozpoczęcia; najpierw popraw rozpoczęcie.</translation>
    </message>
    <message>
        <source>The job needs a start date and time.</source>
        <translation>Zlecenie musi mieć datę i godzinę rozpoczęcia.</translation>
    </message>
    <message>
        <source>The job cannot start in the future (%1).</source>
        <translation>Zlecenie nie może się zacząć w przyszłości (%1).</translation>
    </message>
    <message>
        <source>The correction changes nothing.</source>
        <translation>Korekta niczego nie zmienia.</translation>
    </message>
</context>
<context>
    <name>DataError</name>
    <message>
        <source>%1 is not in the folder %2.</source>
        <translation>Pliku %1 nie ma w folderze %2.</translation>
    </message>
    <message>
        <source>The database server cannot be reached, or did not answer in time.</source>
        <translation>Serwer bazy danych jest nieosiągalny albo nie odpowiedział na czas.</translation>
    </message>
    <message>
        <source>The site&apos;s pointer file does not say where its database server is.</source>
        <translation>Plik wskazujący zakładu nie podaje, gdzie jest serwer bazy danych.</translation>
    </message>
    <message>
        <source>Another program changed or deleted this row since it was read.</source>
        <translation>Inny program zmienił lub usunął ten wiersz po jego odczytaniu.</translation>
    </message>
    <message>
        <source>%1 has no table %2.</source>
        <translation>W %1 nie ma tabeli %2.</translation>
    </message>
    <message>
        <source>%1 is a file that Job Costing only reads; the table %2 cannot be written.</source>
        <translation>%1 to plik, który Job Costing tylko czyta; nie można zapisać tabeli %2.</translation>
    </message>
    <message>
        <source>The current row is no longer in the table %1 of %2.</source>
        <translation>Bieżącego wiersza nie ma już w tabeli %1 w %2.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table %3.</source>
        <translation>W %1 nie ma pola %2 w tabeli %3.</translation>
    </message>
    <message>
        <source>Another program changed or deleted this row of the table %1 in %2 since it was read.</source>
        <translation>Inny program zmienił lub usunął ten wiersz tabeli %1 w %2 po jego odczytaniu.</translation>
    </message>
    <message>
        <source>The field %1 of the table %2 in %3 does not take the value &apos;%4&apos;.</source>
        <translation>Pole %1 tabeli %2 w %3 nie przyjmuje wartości &apos;%4&apos;.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>Nie można odczytać %1: %2.</translation>
    </message>
    <message>
        <source>%1 is not a database; its content looks like: %2.</source>
        <translation>%1 nie jest bazą danych; jego zawartość wygląda tak: %2.</translation>
    </message>
    <message>
        <source>%1 is a folder, not a database file.</source>
        <translation>%1 to folder, a nie plik bazy danych.</translation>
    </message>
    <message>
        <source>%1 is not a database file but a device or a pipe.</source>
        <translation>%1 nie jest plikiem bazy danych, tylko urządzeniem lub potokiem.</translation>
    </message>
    <message>
        <source>Another program kept %1 locked for more than five seconds; the table %2 could not be used.</source>
        <translation>Inny program blokował %1 dłużej niż pięć sekund; nie można było użyć tabeli %2.</translation>
    </message>
    <message>
        <source>%1 was moved or replaced while in use; the table %2 was not written.</source>
        <translation>%1 przeniesiono lub podmieniono w trakcie użycia; tabela %2 nie została zapisana.</translation>
    </message>
    <message>
        <source>%1 is read-only; the table %2 cannot be written.</source>
        <translation>%1 jest tylko do odczytu; nie można zapisać tabeli %2.</translation>
    </message>
    <message>
        <source>%1 could not be read or written (a disk or network fault); the table %2 could not be used.</source>
        <translation>Nie można było odczytać ani zapisać %1 (awaria dysku lub sieci); nie można było użyć tabeli %2.</translation>
    </message>
    <message>
        <source>%1 is damaged; the table %2 cannot be used.</source>
        <translation>%1 jest uszkodzony; nie można użyć tabeli %2.</translation>
    </message>
    <message>
        <source>The disk that holds %1 is full; the table %2 cannot grow.</source>
        <translation>Dysk z plikiem %1 jest pełny; tabela %2 nie może się powiększyć.</translation>
    </message>
    <message>
        <source>%1 is not a database; it has no table %2.</source>
        <translation>%1 nie jest bazą danych; nie ma tabeli %2.</translation>
    </message>
</context>
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
    <name>DeskLink</name>
    <message>
        <source>The site cannot be read now.</source>
        <translation>Nie można teraz odczytać danych zakładu.</translation>
    </message>
</context>
<context>
    <name>DeskStore</name>
    <message>
        <source>The site&apos;s database server does not answer, or cannot be reached.</source>
        <translation>Serwer bazy danych zakładu nie odpowiada lub jest nieosiągalny.</translation>
    </message>
    <message>
        <source>%1 is an Access file, which is never written: the desk corrects punches in a SQLite file or on a database server. jobcosting-site convert %2 makes such a copy.</source>
        <translation>%1 to plik Access, do którego nic się nie zapisuje: stanowisko mistrza poprawia rejestracje w pliku SQLite lub na serwerze bazy danych. Taką kopię tworzy jobcosting-site convert %2.</translation>
    </message>
    <message>
        <source>%1 has no table JobPunches.</source>
        <translation>W %1 nie ma tabeli JobPunches.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table JobPunches; %3 brings the site up to date.</source>
        <translation>W %1 nie ma pola %2 w tabeli JobPunches; %3 zaktualizuje zakład.</translation>
    </message>
    <message>
        <source>%1 has no table JobPunchCorrections, where the desk keeps its corrections; %2 makes it.</source>
        <translation>W %1 nie ma tabeli JobPunchCorrections, w której stanowisko mistrza zapisuje korekty; %2 ją utworzy.</translation>
    </message>
    <message>
        <source>%1 was made by an earlier version, whose database does not write the audit of a correction itself; %2 brings it up to date.</source>
        <translation>%1 utworzyła starsza wersja, której baza sama nie zapisuje śladu korekty; %2 ją zaktualizuje.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table JobPunches.</source>
        <translation>W %1 nie ma pola %2 w tabeli JobPunches.</translation>
    </message>
    <message>
        <source>The login %1 may not do this: the database server refused it the right to read the table %2.</source>
        <translation>Login %1 nie ma do tego prawa: serwer bazy danych odmówił mu odczytu tabeli %2.</translation>
    </message>
    <message>
        <source>The login %1 may not do this: the database server refused it the right to change the table %2.</source>
        <translation>Login %1 nie ma do tego prawa: serwer bazy danych odmówił mu zmiany tabeli %2.</translation>
    </message>
    <message>
        <source>The login %1 may not correct punches: a correction needs a login of the role jobcosting_supervisor.</source>
        <translation>Login %1 nie może poprawiać rejestracji: korekta wymaga loginu z rolą jobcosting_supervisor.</translation>
    </message>
    <message>
        <source>The punch of %1 changed since the desk read it (a terminal or another supervisor wrote it meanwhile); nothing was written. Look at it again.</source>
        <translation>Rejestracja pracownika %1 zmieniła się od odczytu (w międzyczasie zapisał ją terminal lub inny mistrz); nic nie zapisano. Sprawdź ją ponownie.</translation>
    </message>
    <message>
        <source>This start is among the punches already; dismiss the conflict.</source>
        <translation>To rozpoczęcie już jest wśród rejestracji; odrzuć konflikt.</translation>
    </message>
    <message>
        <source>%1 has an open job already: end it, then apply this start.</source>
        <translation>%1 ma już otwarte zlecenie: zakończ je, potem zastosuj to rozpoczęcie.</translation>
    </message>
    <message>
        <source>The job of %1 is not open any more (ended or deleted meanwhile): dismiss the conflict, or correct the job.</source>
        <translation>Zlecenie pracownika %1 nie jest już otwarte (w międzyczasie zakończone lub usunięte): odrzuć konflikt albo popraw zlecenie.</translation>
    </message>
    <message>
        <source>Someone settled this conflict meanwhile; nothing was written.</source>
        <translation>Ktoś w międzyczasie rozstrzygnął ten konflikt; nic nie zapisano.</translation>
    </message>
</context>
<context>
    <name>DeskTables</name>
    <message>
        <source>Badge</source>
        <translation>Karta</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwisko</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Koniec</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Godziny</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Sztuki</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Corrections</source>
        <translation>Korekty</translation>
    </message>
    <message>
        <source>Open for</source>
        <translation>Otwarte od</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Korekty</translation>
    </message>
    <message>
        <source>over a shift</source>
        <translation>ponad zmianę</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Kiedy</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Kto</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Czynność</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Pracownik</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Zmiany</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Powód</translation>
    </message>
</context>
<context>
    <name>DeskWindow</name>
    <message>
        <source>End the job of %1</source>
        <translation>Zakończ zlecenie: %1</translation>
    </message>
    <message>
        <source>Correct the punch of %1</source>
        <translation>Popraw rejestrację: %1</translation>
    </message>
    <message>
        <source>Delete the punch of %1</source>
        <translation>Usuń rejestrację: %1</translation>
    </message>
    <message>
        <source>Apply the conflict of %1</source>
        <translation>Zastosuj konflikt: %1</translation>
    </message>
    <message>
        <source>Dismiss the conflict of %1</source>
        <translation>Odrzuć konflikt: %1</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Rozpoczęcie</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Zakończenie</translation>
    </message>
    <message>
        <source>&amp;Open jobs</source>
        <translation>&amp;Otwarte zlecenia</translation>
    </message>
    <message>
        <source>&amp;Closed jobs</source>
        <translation>&amp;Zamknięte zlecenia</translation>
    </message>
    <message>
        <source>Co&amp;rrections</source>
        <translation>&amp;Korekty</translation>
    </message>
    <message>
        <source>Reading the site...</source>
        <translation>Odczyt danych zakładu...</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>Name or badge</source>
        <translation>Nazwisko lub karta</translation>
    </message>
    <message>
        <source>&amp;End job...</source>
        <translation>&amp;Zakończ zlecenie...</translation>
    </message>
    <message>
        <source>E&amp;dit...</source>
        <translation>Ed&amp;ytuj...</translation>
    </message>
    <message>
        <source>De&amp;lete...</source>
        <translation>&amp;Usuń...</translation>
    </message>
    <message>
        <source>Started from</source>
        <translation>Rozpoczęte od</translation>
    </message>
    <message>
        <source>to</source>
        <translation>do</translation>
    </message>
    <message>
        <source>Made from</source>
        <translation>Wykonane od</translation>
    </message>
    <message>
        <source>Punches a terminal could not write after an outage</source>
        <translation>Rejestracje, których terminal nie mógł zapisać po awarii</translation>
    </message>
    <message>
        <source>&amp;Apply...</source>
        <translation>&amp;Zastosuj...</translation>
    </message>
    <message>
        <source>Di&amp;smiss...</source>
        <translation>&amp;Odrzuć...</translation>
    </message>
    <message>
        <source>Arrived</source>
        <translation>Nadeszło</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>Rejestracja</translation>
    </message>
    <message>
        <source>Badge</source>
        <translation>Karta</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwisko</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Dlaczego</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Export the list as CSV...</source>
        <translation>&amp;Eksportuj listę do CSV...</translation>
    </message>
    <message>
        <source>&amp;Print the list to PDF...</source>
        <translation>&amp;Drukuj listę do PDF...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Zakończ</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Widok</translation>
    </message>
    <message>
        <source>&amp;Read the site again</source>
        <translation>&amp;Odczytaj ponownie</translation>
    </message>
    <message>
        <source>Co&amp;nflicts</source>
        <translation>Ko&amp;nflikty</translation>
    </message>
    <message>
        <source>The badges could not be looked up: %1</source>
        <translation>Nie udało się sprawdzić kart: %1</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Zaktualizowano %1</translation>
    </message>
    <message>
        <source>The site cannot be read now: %1 The desk tries again by itself.</source>
        <translation>Nie można teraz odczytać danych zakładu: %1 Stanowisko spróbuje ponownie samo.</translation>
    </message>
    <message>
        <source>Not updated since %1</source>
        <translation>Bez aktualizacji od %1</translation>
    </message>
    <message>
        <source>%1: done, as %2.</source>
        <translation>%1: gotowe, jako %2.</translation>
    </message>
    <message>
        <source>The correction was not written: %1 Nothing was changed; try again once the site can be read.</source>
        <translation>Korekta nie została zapisana: %1 Nic nie zmieniono; spróbuj ponownie, gdy dane zakładu będzie można odczytać.</translation>
    </message>
    <message>
        <source>1 correction</source>
        <translation>1 korekta</translation>
    </message>
    <message numerus="yes">
        <source>%n corrections</source>
        <translation>
            <numerusform>%n korekta</numerusform>
            <numerusform>%n korekty</numerusform>
            <numerusform>%n korekt</numerusform>
        </translation>
    </message>
    <message>
        <source>Co&amp;nflicts (%1)</source>
        <translation>Ko&amp;nflikty (%1)</translation>
    </message>
    <message>
        <source>%1 - 1 open job</source>
        <translation>%1 - 1 otwarte zlecenie</translation>
    </message>
    <message numerus="yes">
        <source>%1 - %n open jobs</source>
        <translation>
            <numerusform>%1 - %n otwarte zlecenie</numerusform>
            <numerusform>%1 - %n otwarte zlecenia</numerusform>
            <numerusform>%1 - %n otwartych zleceń</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> - %n over a shift</source>
        <translation>
            <numerusform> - %n ponad zmianę</numerusform>
            <numerusform> - %n ponad zmianę</numerusform>
            <numerusform> - %n ponad zmianę</numerusform>
        </translation>
    </message>
    <message>
        <source> - not updated since %1</source>
        <translation> - bez aktualizacji od %1</translation>
    </message>
    <message>
        <source>1 job open</source>
        <translation>1 zlecenie otwarte</translation>
    </message>
    <message numerus="yes">
        <source>%n jobs open</source>
        <translation>
            <numerusform>%n zlecenie otwarte</numerusform>
            <numerusform>%n zlecenia otwarte</numerusform>
            <numerusform>%n zleceń otwartych</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n over a shift</source>
        <translation>
            <numerusform>, %n ponad zmianę</numerusform>
            <numerusform>, %n ponad zmianę</numerusform>
            <numerusform>, %n ponad zmianę</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 open in all</source>
        <translation>, łącznie otwarte %1</translation>
    </message>
    <message numerus="yes">
        <source> (of %n open)</source>
        <translation>
            <numerusform> (z %n otwartego)</numerusform>
            <numerusform> (z %n otwartych)</numerusform>
            <numerusform> (z %n otwartych)</numerusform>
        </translation>
    </message>
    <message>
        <source>1 job closed, %1 worked, %2 pieces</source>
        <translation>1 zlecenie zamknięte, przepracowano %1, %2 szt.</translation>
    </message>
    <message numerus="yes">
        <source>%n jobs closed, %1 worked, %2 pieces</source>
        <translation>
            <numerusform>%n zlecenie zamknięte, przepracowano %1, %2 szt.</numerusform>
            <numerusform>%n zlecenia zamknięte, przepracowano %1, %2 szt.</numerusform>
            <numerusform>%n zleceń zamkniętych, przepracowano %1, %2 szt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose a job first: click its row, or move to it with the arrow keys.</source>
        <translation>Najpierw wybierz zlecenie: kliknij jego wiersz albo przejdź do niego strzałkami.</translation>
    </message>
    <message>
        <source>Choose a conflict first: click its row.</source>
        <translation>Najpierw wybierz konflikt: kliknij jego wiersz.</translation>
    </message>
    <message>
        <source>A correction is being written; correct it once it is done.</source>
        <translation>Trwa zapisywanie korekty; popraw, gdy się zakończy.</translation>
    </message>
    <message>
        <source>The site cannot be read now: %1

Nothing is written while the desk cannot show the punches as they are; correct it once its title no longer says &quot;not updated&quot;. The desk tries again by itself.</source>
        <extracomment>&quot;not updated&quot; is what the window&apos;s title says while the site cannot be read</extracomment>
        <translation>Nie można teraz odczytać danych zakładu: %1

Dopóki stanowisko nie może pokazać rejestracji w aktualnym stanie, nic nie jest zapisywane; popraw, gdy w tytule nie będzie już „bez aktualizacji”. Stanowisko spróbuje ponownie samo.</translation>
    </message>
    <message>
        <source>it has not been read yet.</source>
        <translation>jeszcze nie został odczytany.</translation>
    </message>
    <message>
        <source>%1 (badge %2): %3</source>
        <translation>%1 (karta %2): %3</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>nieznana</translation>
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

Powód: %4</translation>
    </message>
    <message>
        <source>%1: writing...</source>
        <translation>%1: zapisywanie...</translation>
    </message>
    <message>
        <source>name or badge holding &quot;%1&quot;</source>
        <translation>nazwisko lub karta zawierające „%1”</translation>
    </message>
    <message>
        <source>Only %1. </source>
        <translation>Tylko %1. </translation>
    </message>
    <message>
        <source>Open jobs</source>
        <translation>Otwarte zlecenia</translation>
    </message>
    <message>
        <source>Closed jobs started from %1 to %2</source>
        <translation>Zamknięte zlecenia rozpoczęte od %1 do %2</translation>
    </message>
    <message>
        <source>Corrections made from %1 to %2</source>
        <translation>Korekty wykonane od %1 do %2</translation>
    </message>
    <message>
        <source>Conflicts</source>
        <translation>Konflikty</translation>
    </message>
    <message>
        <source>Punches a terminal could not write after an outage.</source>
        <translation>Rejestracje, których terminal nie mógł zapisać po awarii.</translation>
    </message>
    <message>
        <source>The list could not be saved in %1: %2.</source>
        <translation>Nie udało się zapisać listy w %1: %2.</translation>
    </message>
    <message>
        <source>%1 (1 row) saved in %2.</source>
        <translation>%1 (1 wiersz) zapisano w %2.</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n rows) saved in %2.</source>
        <translation>
            <numerusform>%1 (%n wiersz) zapisano w %2.</numerusform>
            <numerusform>%1 (%n wiersze) zapisano w %2.</numerusform>
            <numerusform>%1 (%n wierszy) zapisano w %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export the list as CSV</source>
        <translation>Eksport listy do CSV</translation>
    </message>
    <message>
        <source>Print the list to PDF</source>
        <translation>Druk listy do PDF</translation>
    </message>
    <message>
        <source>Job Costing Desk: %1, printed %2</source>
        <translation>Job Costing Desk: %1, wydruk %2</translation>
    </message>
    <message>
        <source>The desk cannot open the site %1.

%2</source>
        <translation>Stanowisko nie może otworzyć zakładu %1.

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
        <translation>Dział pracownika</translation>
    </message>
    <message>
        <source>Level %1</source>
        <translation>Poziom %1</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Pracownik</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Date worked</source>
        <translation>Dzień pracy</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Koniec</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Sztuki</translation>
    </message>
    <message>
        <source>Employee no.</source>
        <translation>Nr pracownika</translation>
    </message>
    <message>
        <source>Base pay rate</source>
        <translation>Stawka podstawowa</translation>
    </message>
    <message>
        <source>Level %1 title</source>
        <translation>Nazwa poziomu %1</translation>
    </message>
    <message>
        <source>%1 code</source>
        <extracomment>%1 is the level&apos;s title, &quot;Department&quot;</extracomment>
        <translation>Kod: %1</translation>
    </message>
    <message>
        <source>%1 standard cost</source>
        <translation>Koszt standardowy: %1</translation>
    </message>
    <message>
        <source>%1 bonus rate</source>
        <translation>Stawka premii: %1</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(puste)</translation>
    </message>
    <message>
        <source>started %1</source>
        <translation>rozpoczęte %1</translation>
    </message>
    <message>
        <source>stopped %1 (%2)</source>
        <translation>zakończone %1 (%2)</translation>
    </message>
    <message>
        <source>still open</source>
        <translation>nadal otwarte</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Zakończono</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Poprawiono</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Usunięto</translation>
    </message>
    <message>
        <source>Applied</source>
        <translation>Zastosowano</translation>
    </message>
    <message>
        <source>Dismissed</source>
        <translation>Odrzucono</translation>
    </message>
    <message>
        <source>Deleted: %1</source>
        <translation>Usunięto: %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s start not written: %1</source>
        <translation>Nie zapisano rozpoczęcia z terminala: %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s end not written: %1</source>
        <translation>Nie zapisano zakończenia z terminala: %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s start written: %1</source>
        <translation>Zapisano rozpoczęcie z terminala: %1</translation>
    </message>
    <message>
        <source>(open)</source>
        <translation>(otwarte)</translation>
    </message>
    <message numerus="yes">
        <source>%1 pieces</source>
        <translation>
            <numerusform>%1 sztuka</numerusform>
            <numerusform>%1 sztuki</numerusform>
            <numerusform>%1 sztuk</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JobCost</name>
    <message>
        <source>Level %1 code</source>
        <translation>Kod poziomu %1</translation>
    </message>
    <message>
        <source>Level %1 item</source>
        <translation>Pozycja poziomu %1</translation>
    </message>
    <message>
        <source>Employee number</source>
        <translation>Nr pracownika</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwisko</translation>
    </message>
    <message>
        <source>Department</source>
        <translation>Dział</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Zlecenia</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Godziny</translation>
    </message>
    <message>
        <source>Labour</source>
        <translation>Robocizna</translation>
    </message>
    <message>
        <source>Bonus</source>
        <translation>Premia</translation>
    </message>
    <message>
        <source>Cost</source>
        <translation>Koszt</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Sztuki</translation>
    </message>
    <message>
        <source>Standard per piece</source>
        <translation>Norma na sztukę</translation>
    </message>
    <message>
        <source>Actual per piece</source>
        <translation>Rzecz. na sztukę</translation>
    </message>
    <message>
        <source>Variance per piece</source>
        <translation>Odchyłka na sztukę</translation>
    </message>
    <message>
        <source>Variance</source>
        <translation>Odchyłka</translation>
    </message>
    <message>
        <source>Variance %</source>
        <translation>Odchyłka %</translation>
    </message>
</context>
<context>
    <name>JobCostPdf</name>
    <message>
        <source>Corrected</source>
        <translation>Korekty</translation>
    </message>
    <message>
        <source>corrected at the desk</source>
        <translation>poprawione u mistrza</translation>
    </message>
    <message>
        <source>job (level 1 / level 2 / level 3)</source>
        <translation>zlecenie (poziom 1 / poziom 2 / poziom 3)</translation>
    </message>
    <message>
        <source>level %1 item</source>
        <translation>pozycja poziomu %1</translation>
    </message>
    <message>
        <source>worker</source>
        <translation>pracownik</translation>
    </message>
    <message>
        <source>department (DeptNum)</source>
        <translation>dział (DeptNum)</translation>
    </message>
    <message>
        <source>day worked</source>
        <translation>dzień pracy</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>od %1 do %2</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>od %1</translation>
    </message>
    <message>
        <source>up to %1</source>
        <translation>do %1</translation>
    </message>
    <message>
        <source>all</source>
        <translation>wszystkie</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(brak)</translation>
    </message>
    <message>
        <source>%1, %2 to %3%4</source>
        <translation>%1, %2 do %3%4</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(puste)</translation>
    </message>
    <message>
        <source>%1: %2 to %3</source>
        <translation>%1: %2 na %3</translation>
    </message>
    <message>
        <source>punch deleted</source>
        <translation>rejestracja usunięta</translation>
    </message>
    <message>
        <source>a terminal&apos;s punch applied</source>
        <translation>zastosowano rejestrację z terminala</translation>
    </message>
    <message>
        <source>a terminal&apos;s punch dismissed</source>
        <translation>odrzucono rejestrację z terminala</translation>
    </message>
    <message>
        <source>Job cost report by %1, dates worked: %2</source>
        <translation>Koszty zleceń według: %1, dni pracy: %2</translation>
    </message>
    <message>
        <source>Job cost report by %1</source>
        <translation>Koszty zleceń według: %1</translation>
    </message>
    <message>
        <source>Site: %1</source>
        <translation>Zakład: %1</translation>
    </message>
    <message>
        <source>Dates worked: %1</source>
        <translation>Dni pracy: %1</translation>
    </message>
    <message>
        <source>Made %1 by %2. Open jobs are timed to that moment; a shift is %3 hours.</source>
        <translation>Utworzono %1 przez %2. Otwarte zlecenia liczone są do tej chwili; zmiana trwa %3 godz.</translation>
    </message>
    <message>
        <source>How each figure is worked out, from the values each punch froze when its job started:</source>
        <translation>Jak liczona jest każda wartość, z danych zapamiętanych przez rejestrację przy rozpoczęciu zlecenia:</translation>
    </message>
    <message>
        <source>Hours = the time that passed from TimeStart on DateWorked to the first moment after it when the site&apos;s clocks (%1) read TimeStop: past midnight, and across the nights the clocks change, as the hours were worked. Labour = hours x BaseRate, the worker&apos;s pay rate.</source>
        <translation>Godziny = czas od TimeStart w dniu DateWorked do pierwszej chwili potem, gdy zegary zakładu (%1) wskażą TimeStop: po północy i w noce zmiany czasu, tak jak faktycznie przepracowano. Robocizna = godziny x BaseRate, stawka pracownika.</translation>
    </message>
    <message>
        <source>Bonus = Pieces x the bonus rate of the deepest level with a description (level 3, else 2, else 1). Cost = labour + bonus.</source>
        <translation>Premia = Pieces x stawka premii najniższego poziomu z opisem (poziom 3, inaczej 2, inaczej 1). Koszt = robocizna + premia.</translation>
    </message>
    <message>
        <source>Standard = pieces x the sum of the standard costs of the levels with a description. Per piece: standard, actual (cost / pieces) and variance (actual - standard), empty without pieces.</source>
        <translation>Norma = sztuki x suma kosztów standardowych poziomów z opisem. Na sztukę: norma, rzeczywisty (koszt / sztuki) i odchyłka (rzeczywisty - norma), puste bez sztuk.</translation>
    </message>
    <message>
        <source>Variance = cost - standard, above zero when the work cost more than standard; Variance % = variance / standard, empty without a standard.</source>
        <translation>Odchyłka = koszt - norma, powyżej zera, gdy praca kosztowała więcej niż norma; Odchyłka % = odchyłka / norma, pusta bez normy.</translation>
    </message>
    <message>
        <source>Rates, costs and pieces are read to four decimals and summed exactly; each figure is rounded once, half away from zero (money to the cent, per piece to four decimals, hours and percentages to two), so a figure may differ in its last digit from one worked out of other rounded figures.</source>
        <translation>Stawki, koszty i sztuki czytane są z dokładnością do czterech miejsc i sumowane dokładnie; każda wartość jest zaokrąglana raz, połówki od zera (kwoty do grosza, na sztukę do czterech miejsc, godziny i procenty do dwóch), więc ostatnia cyfra może się różnić od wyniku liczonego z innych zaokrąglonych wartości.</translation>
    </message>
    <message>
        <source>Open jobs are never costed: they are listed apart with the hours open so far. Rows with impossible values are listed under Rows not costed.</source>
        <translation>Otwarte zlecenia nigdy nie są wyceniane: są wypisane osobno z dotychczasowymi godzinami. Wiersze z niemożliwymi wartościami są w części Wiersze niewycenione.</translation>
    </message>
    <message>
        <source>Corrected = how many of the punches a supervisor corrected at the desk (empty where none); a punch deleted there is in no figure.</source>
        <translation>Korekty = ile rejestracji mistrz poprawił na swoim stanowisku (puste, jeśli żadnej); rejestracja tam usunięta nie wchodzi do żadnej wartości.</translation>
    </message>
    <message>
        <source>the punch&apos;s start or end reached the database more than ten minutes away from its own time: kept at a terminal through an outage, written on a clock set wrong, or by hand.</source>
        <translation>rozpoczęcie lub zakończenie rejestracji dotarło do bazy ponad dziesięć minut od swojego czasu: przechowane na terminalu podczas awarii, zapisane przy źle ustawionym zegarze lub ręcznie.</translation>
    </message>
    <message>
        <source>Costed jobs: %1     Open jobs: %2, %3 of them longer than a shift     Rows not costed: %4</source>
        <translation>Wycenione zlecenia: %1     Otwarte zlecenia: %2, w tym %3 ponad zmianę     Wiersze niewycenione: %4</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Tydzień %1</translation>
    </message>
    <message>
        <source>Month %1</source>
        <translation>Miesiąc %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Razem</translation>
    </message>
    <message>
        <source>Labour and bonus, full bar %1</source>
        <translation>Robocizna i premia, pełny pasek %1</translation>
    </message>
    <message>
        <source>Costs by %1</source>
        <translation>Koszty według: %1</translation>
    </message>
    <message>
        <source>labour</source>
        <translation>robocizna</translation>
    </message>
    <message>
        <source>bonus</source>
        <translation>premia</translation>
    </message>
    <message>
        <source>Open jobs, not costed: %1</source>
        <translation>Otwarte zlecenia, niewycenione: %1</translation>
    </message>
    <message>
        <source>Job group</source>
        <translation>Grupa zleceń</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Pracownik</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>Hours open</source>
        <translation>Godz. otwarte</translation>
    </message>
    <message>
        <source>longer than a shift</source>
        <translation>ponad zmianę</translation>
    </message>
    <message>
        <source>Rows not costed: %1</source>
        <translation>Wiersze niewycenione: %1</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Wiersz</translation>
    </message>
    <message>
        <source>Date worked</source>
        <translation>Dzień pracy</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Dlaczego</translation>
    </message>
    <message>
        <source>Corrections of these dates worked: %1</source>
        <translation>Korekty z tych dni pracy: %1</translation>
    </message>
    <message>
        <source>Corrected at</source>
        <translation>Poprawiono</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Kto</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Czynność</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Zmiany</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Powód</translation>
    </message>
    <message>
        <source>Job cost report</source>
        <translation>Koszty zleceń</translation>
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
    <name>PdfPages</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Strona %1 z %2</translation>
    </message>
</context>
<context>
    <name>PunchTableModel</name>
    <message>
        <source>Its start or its end reached the database more than ten minutes away from its own time: kept at a terminal through an outage, written on a clock set wrong, or by hand.</source>
        <translation>Rozpoczęcie lub zakończenie dotarło do bazy ponad dziesięć minut od swojego czasu: przechowane na terminalu podczas awarii, zapisane przy źle ustawionym zegarze lub ręcznie.</translation>
    </message>
    <message>
        <source>corrected</source>
        <translation>poprawione</translation>
    </message>
    <message numerus="yes">
        <source>corrected %n times</source>
        <translation>
            <numerusform>poprawione %n raz</numerusform>
            <numerusform>poprawione %n razy</numerusform>
            <numerusform>poprawione %n razy</numerusform>
        </translation>
    </message>
    <message>
        <source>Open longer than a shift (%1)</source>
        <translation>Otwarte dłużej niż zmiana (%1)</translation>
    </message>
    <message>
        <source>Badge</source>
        <translation>Karta</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwisko</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>Open for</source>
        <translation>Otwarte od</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Koniec</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Godziny</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Sztuki</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Korekty</translation>
    </message>
</context>
<context>
    <name>QtDeskForms</name>
    <message>
        <source>End a job</source>
        <translation>Zakończ zlecenie</translation>
    </message>
    <message>
        <source>Correct a job</source>
        <translation>Popraw zlecenie</translation>
    </message>
    <message>
        <source>Delete a punch</source>
        <translation>Usuń rejestrację</translation>
    </message>
    <message>
        <source>Apply a conflict</source>
        <translation>Zastosuj konflikt</translation>
    </message>
    <message>
        <source>Dismiss a conflict</source>
        <translation>Odrzuć konflikt</translation>
    </message>
    <message>
        <source>%1 (badge %2), worker&apos;s dept. no. %3
%4</source>
        <translation>%1 (karta %2), dział nr %3
%4</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>nieznana</translation>
    </message>
    <message>
        <source>&amp;Started:</source>
        <translation>&amp;Początek:</translation>
    </message>
    <message>
        <source>&amp;Ended at:</source>
        <translation>&amp;Zakończono o:</translation>
    </message>
    <message>
        <source>S&amp;topped:</source>
        <translation>&amp;Koniec:</translation>
    </message>
    <message>
        <source>&amp;Pieces:</source>
        <translation>&amp;Sztuki:</translation>
    </message>
    <message>
        <source>Why (required)</source>
        <translation>Dlaczego (wymagane)</translation>
    </message>
    <message>
        <source>&amp;Reason:</source>
        <translation>&amp;Powód:</translation>
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
