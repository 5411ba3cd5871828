<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ChangeWatch</name>
    <message>
        <source>The connection to the database server was lost.</source>
        <translation>La connexion au serveur de base de données a été perdue.</translation>
    </message>
    <message>
        <source>The database server did not answer within %1 seconds.</source>
        <translation>Le serveur de base de données n&apos;a pas répondu en %1 secondes.</translation>
    </message>
    <message>
        <source>The database server cannot be reached.</source>
        <translation>Le serveur de base de données est injoignable.</translation>
    </message>
</context>
<context>
    <name>Correction</name>
    <message>
        <source>A correction needs a reason.</source>
        <translation>Une correction doit avoir un motif.</translation>
    </message>
    <message>
        <source>The piece count must be from 0 to 1,000,000,000.</source>
        <translation>La quantité doit être comprise entre 0 et 1 000 000 000.</translation>
    </message>
    <message>
        <source>This job pays no bonus: its piece count stays 0.</source>
        <translation>Cette tâche ne donne pas de prime : la quantité reste à 0.</translation>
    </message>
    <message>
        <source>The job cannot end before it started (%1).</source>
        <translation>La tâche ne peut pas finir avant d&apos;avoir commencé (%1).</translation>
    </message>
    <message>
        <source>The job must end within 24 hours of its start (%1): a punch keeps the time of day of its stop only.</source>
        <translation>La tâche doit finir dans les 24 heures après son début (%1) : un pointage ne garde que l&apos;heure de fin.</translation>
    </message>
    <message>
        <source>The job cannot end in the future (%1).</source>
        <translation>La tâche ne peut pas finir dans le futur (%1).</translation>
    </message>
    <message>
        <source>The punch is deleted; the corrections keep all its fields.</source>
        <translation>Le pointage est supprimé ; les corrections en gardent tous les champs.</translation>
    </message>
    <message>
        <source>The conflict is dismissed: nothing is written to the punches.</source>
        <translation>Le conflit est rejeté : rien n&apos;est écrit dans les pointages.</translation>
    </message>
    <message>
        <source>The terminal&apos;s start is written as a new punch.</source>
        <translation>Le début venu du terminal est écrit comme nouveau pointage.</translation>
    </message>
    <message>
        <source>The terminal&apos;s end is written:</source>
        <translation>La fin venue du terminal est écrite :</translation>
    </message>
    <message>
        <source>(open)</source>
        <translation>(ouverte)</translation>
    </message>
    <message>
        <source>The job of %1 is not open.</source>
        <translation>La tâche de %1 n&apos;est pas ouverte.</translation>
    </message>
    <message>
        <source>The job has no start date and time; correct its start first.</source>
        <translation>La tâche n&apos;a ni date ni heure de début ; corrigez d&apos;abord son début.</translation>
    </message>
    <message>
        <source>The job needs a start date and time.</source>
        <translation>La tâche doit avoir une date et une heure de début.</translation>
    </message>
    <message>
        <source>The job cannot start in the future (%1).</source>
        <translation>La tâche ne peut pas commencer dans le futur (%1).</translation>
    </message>
    <message>
        <source>The correction changes nothing.</source>
        <translation>La correction ne change rien.</translation>
    </message>
</context>
<context>
    <name>DataError</name>
    <message>
        <source>%1 is not in the folder %2.</source>
        <translation>%1 n&apos;est pas dans le dossier %2.</translation>
    </message>
    <message>
        <source>The database server cannot be reached, or did not answer in time.</source>
        <translation>Le serveur de base de données est injoignable ou n&apos;a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The site&apos;s pointer file does not say where its database server is.</source>
        <translation>Le fichier de renvoi du site n&apos;indique pas où est son serveur de base de données.</translation>
    </message>
    <message>
        <source>Another program changed or deleted this row since it was read.</source>
        <translation>Un autre programme a modifié ou supprimé cette ligne depuis sa lecture.</translation>
    </message>
    <message>
        <source>%1 has no table %2.</source>
        <translation>%1 n&apos;a pas de table %2.</translation>
    </message>
    <message>
        <source>%1 is a file that Job Costing only reads; the table %2 cannot be written.</source>
        <translation>%1 est un fichier que Job Costing lit seulement ; la table %2 ne peut pas être écrite.</translation>
    </message>
    <message>
        <source>The current row is no longer in the table %1 of %2.</source>
        <translation>La ligne en cours n&apos;est plus dans la table %1 de %2.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table %3.</source>
        <translation>%1 n&apos;a pas de champ %2 dans la table %3.</translation>
    </message>
    <message>
        <source>Another program changed or deleted this row of the table %1 in %2 since it was read.</source>
        <translation>Un autre programme a modifié ou supprimé cette ligne de la table %1 dans %2 depuis sa lecture.</translation>
    </message>
    <message>
        <source>The field %1 of the table %2 in %3 does not take the value &apos;%4&apos;.</source>
        <translation>Le champ %1 de la table %2 dans %3 n&apos;accepte pas la valeur &apos;%4&apos;.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>%1 ne peut pas être lu : %2.</translation>
    </message>
    <message>
        <source>%1 is not a database; its content looks like: %2.</source>
        <translation>%1 n&apos;est pas une base de données ; son contenu ressemble à : %2.</translation>
    </message>
    <message>
        <source>%1 is a folder, not a database file.</source>
        <translation>%1 est un dossier, pas un fichier de base de données.</translation>
    </message>
    <message>
        <source>%1 is not a database file but a device or a pipe.</source>
        <translation>%1 n&apos;est pas un fichier de base de données mais un périphérique ou un tube.</translation>
    </message>
    <message>
        <source>Another program kept %1 locked for more than five seconds; the table %2 could not be used.</source>
        <translation>Un autre programme a verrouillé %1 plus de cinq secondes ; la table %2 n&apos;a pas pu être utilisée.</translation>
    </message>
    <message>
        <source>%1 was moved or replaced while in use; the table %2 was not written.</source>
        <translation>%1 a été déplacé ou remplacé pendant son utilisation ; la table %2 n&apos;a pas été écrite.</translation>
    </message>
    <message>
        <source>%1 is read-only; the table %2 cannot be written.</source>
        <translation>%1 est en lecture seule ; la table %2 ne peut pas être écrite.</translation>
    </message>
    <message>
        <source>%1 could not be read or written (a disk or network fault); the table %2 could not be used.</source>
        <translation>%1 n&apos;a pas pu être lu ou écrit (panne de disque ou de réseau) ; la table %2 n&apos;a pas pu être utilisée.</translation>
    </message>
    <message>
        <source>%1 is damaged; the table %2 cannot be used.</source>
        <translation>%1 est endommagé ; la table %2 ne peut pas être utilisée.</translation>
    </message>
    <message>
        <source>The disk that holds %1 is full; the table %2 cannot grow.</source>
        <translation>Le disque qui contient %1 est plein ; la table %2 ne peut pas grandir.</translation>
    </message>
    <message>
        <source>%1 is not a database; it has no table %2.</source>
        <translation>%1 n&apos;est pas une base de données ; il n&apos;a pas de table %2.</translation>
    </message>
</context>
<context>
    <name>DateCheck</name>
    <message>
        <source>The Short Date Style on this Pc is Invalid!</source>
        <translation>Le format de date court de ce PC n&apos;est pas valable !</translation>
    </message>
    <message>
        <source>To correct, do the following;</source>
        <translation>Pour corriger, procédez ainsi :</translation>
    </message>
    <message>
        <source>Exit Ostrel</source>
        <translation>Quittez Ostrel</translation>
    </message>
    <message>
        <source>Click Start</source>
        <translation>Cliquez sur Démarrer</translation>
    </message>
    <message>
        <source>Click Settings</source>
        <translation>Cliquez sur Paramètres</translation>
    </message>
    <message>
        <source>Click Control Panel</source>
        <translation>Cliquez sur Panneau de configuration</translation>
    </message>
    <message>
        <source>Double-Click Regional Settings</source>
        <translation>Double-cliquez sur Paramètres régionaux</translation>
    </message>
    <message>
        <source>Click Date Tab</source>
        <translation>Cliquez sur l&apos;onglet Date</translation>
    </message>
    <message>
        <source>Select the Short Date Style of MM/dd/yy or MM/dd/yyyy</source>
        <translation>Choisissez le format court MM/dd/yy ou MM/dd/yyyy</translation>
    </message>
    <message>
        <source>Click Apply</source>
        <translation>Cliquez sur Appliquer</translation>
    </message>
    <message>
        <source>Click OK</source>
        <translation>Cliquez sur OK</translation>
    </message>
    <message>
        <source>Exit Control Panel and restart Ostrel</source>
        <translation>Fermez le Panneau de configuration et relancez Ostrel</translation>
    </message>
    <message>
        <source>Date &amp; Time Check</source>
        <translation>Vérification date et heure</translation>
    </message>
    <message>
        <source>Checking Pc Date &amp; Time Settings</source>
        <translation>Vérification date et heure du PC</translation>
    </message>
    <message>
        <source>Punch - Operator Instruction</source>
        <translation>Punch - Consigne opérateur</translation>
    </message>
</context>
<context>
    <name>DeskLink</name>
    <message>
        <source>The site cannot be read now.</source>
        <translation>Le site ne peut pas être lu pour le moment.</translation>
    </message>
</context>
<context>
    <name>DeskStore</name>
    <message>
        <source>The site&apos;s database server does not answer, or cannot be reached.</source>
        <translation>Le serveur de base de données du site ne répond pas ou est injoignable.</translation>
    </message>
    <message>
        <source>%1 is an Access file, which is never written: the desk corrects punches in a SQLite file or on a database server. jobcosting-site convert %2 makes such a copy.</source>
        <translation>%1 est un fichier Access, jamais écrit : le poste du chef corrige les pointages dans un fichier SQLite ou sur un serveur de base de données. jobcosting-site convert %2 en fait une copie.</translation>
    </message>
    <message>
        <source>%1 has no table JobPunches.</source>
        <translation>%1 n&apos;a pas de table JobPunches.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table JobPunches; %3 brings the site up to date.</source>
        <translation>%1 n&apos;a pas de champ %2 dans la table JobPunches ; %3 met le site à jour.</translation>
    </message>
    <message>
        <source>%1 has no table JobPunchCorrections, where the desk keeps its corrections; %2 makes it.</source>
        <translation>%1 n&apos;a pas de table JobPunchCorrections, où le poste du chef garde ses corrections ; %2 la crée.</translation>
    </message>
    <message>
        <source>%1 was made by an earlier version, whose database does not write the audit of a correction itself; %2 brings it up to date.</source>
        <translation>%1 vient d&apos;une version antérieure, dont la base n&apos;écrit pas elle-même la trace d&apos;une correction ; %2 la met à jour.</translation>
    </message>
    <message>
        <source>%1 has no field %2 in the table JobPunches.</source>
        <translation>%1 n&apos;a pas de champ %2 dans la table JobPunches.</translation>
    </message>
    <message>
        <source>The login %1 may not do this: the database server refused it the right to read the table %2.</source>
        <translation>La connexion %1 n&apos;a pas ce droit : le serveur de base de données lui refuse la lecture de la table %2.</translation>
    </message>
    <message>
        <source>The login %1 may not do this: the database server refused it the right to change the table %2.</source>
        <translation>La connexion %1 n&apos;a pas ce droit : le serveur de base de données lui refuse la modification de la table %2.</translation>
    </message>
    <message>
        <source>The login %1 may not correct punches: a correction needs a login of the role jobcosting_supervisor.</source>
        <translation>La connexion %1 ne peut pas corriger de pointages : il faut une connexion du rôle jobcosting_supervisor.</translation>
    </message>
    <message>
        <source>The punch of %1 changed since the desk read it (a terminal or another supervisor wrote it meanwhile); nothing was written. Look at it again.</source>
        <translation>Le pointage de %1 a changé depuis sa lecture (un terminal ou un autre chef l&apos;a écrit entre-temps) ; rien n&apos;a été enregistré. Regardez-le à nouveau.</translation>
    </message>
    <message>
        <source>This start is among the punches already; dismiss the conflict.</source>
        <translation>Ce début est déjà parmi les pointages ; rejetez le conflit.</translation>
    </message>
    <message>
        <source>%1 has an open job already: end it, then apply this start.</source>
        <translation>%1 a déjà une tâche ouverte : terminez-la, puis appliquez ce début.</translation>
    </message>
    <message>
        <source>The job of %1 is not open any more (ended or deleted meanwhile): dismiss the conflict, or correct the job.</source>
        <translation>La tâche de %1 n&apos;est plus ouverte (terminée ou supprimée entre-temps) : rejetez le conflit ou corrigez la tâche.</translation>
    </message>
    <message>
        <source>Someone settled this conflict meanwhile; nothing was written.</source>
        <translation>Quelqu&apos;un a réglé ce conflit entre-temps ; rien n&apos;a été enregistré.</translation>
    </message>
</context>
<context>
    <name>DeskTables</name>
    <message>
        <source>Badge</source>
        <translation>Badge</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Heures</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Pièces</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Corrections</source>
        <translation>Corrections</translation>
    </message>
    <message>
        <source>Open for</source>
        <translation>Ouverte depuis</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Corrigé</translation>
    </message>
    <message>
        <source>over a shift</source>
        <translation>plus d&apos;un poste</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quand</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Employé</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Modifications</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motif</translation>
    </message>
</context>
<context>
    <name>DeskWindow</name>
    <message>
        <source>End the job of %1</source>
        <translation>Terminer la tâche de %1</translation>
    </message>
    <message>
        <source>Correct the punch of %1</source>
        <translation>Corriger le pointage de %1</translation>
    </message>
    <message>
        <source>Delete the punch of %1</source>
        <translation>Supprimer le pointage de %1</translation>
    </message>
    <message>
        <source>Apply the conflict of %1</source>
        <translation>Appliquer le conflit de %1</translation>
    </message>
    <message>
        <source>Dismiss the conflict of %1</source>
        <translation>Rejeter le conflit de %1</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>&amp;Open jobs</source>
        <translation>Tâches &amp;ouvertes</translation>
    </message>
    <message>
        <source>&amp;Closed jobs</source>
        <translation>Tâches &amp;fermées</translation>
    </message>
    <message>
        <source>Co&amp;rrections</source>
        <translation>Co&amp;rrections</translation>
    </message>
    <message>
        <source>Reading the site...</source>
        <translation>Lecture du site...</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1 :</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Name or badge</source>
        <translation>Nom ou badge</translation>
    </message>
    <message>
        <source>&amp;End job...</source>
        <translation>&amp;Terminer la tâche...</translation>
    </message>
    <message>
        <source>E&amp;dit...</source>
        <translation>&amp;Modifier...</translation>
    </message>
    <message>
        <source>De&amp;lete...</source>
        <translation>&amp;Supprimer...</translation>
    </message>
    <message>
        <source>Started from</source>
        <translation>Commencées du</translation>
    </message>
    <message>
        <source>to</source>
        <translation>au</translation>
    </message>
    <message>
        <source>Made from</source>
        <translation>Faites du</translation>
    </message>
    <message>
        <source>Punches a terminal could not write after an outage</source>
        <translation>Pointages qu&apos;un terminal n&apos;a pas pu écrire après une panne</translation>
    </message>
    <message>
        <source>&amp;Apply...</source>
        <translation>&amp;Appliquer...</translation>
    </message>
    <message>
        <source>Di&amp;smiss...</source>
        <translation>&amp;Rejeter...</translation>
    </message>
    <message>
        <source>Arrived</source>
        <translation>Arrivé</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>Pointage</translation>
    </message>
    <message>
        <source>Badge</source>
        <translation>Badge</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Pourquoi</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Export the list as CSV...</source>
        <translation>&amp;Exporter la liste en CSV...</translation>
    </message>
    <message>
        <source>&amp;Print the list to PDF...</source>
        <translation>&amp;Imprimer la liste en PDF...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Read the site again</source>
        <translation>&amp;Relire le site</translation>
    </message>
    <message>
        <source>Co&amp;nflicts</source>
        <translation>Co&amp;nflits</translation>
    </message>
    <message>
        <source>The badges could not be looked up: %1</source>
        <translation>Les badges n&apos;ont pas pu être vérifiés : %1</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Mis à jour à %1</translation>
    </message>
    <message>
        <source>The site cannot be read now: %1 The desk tries again by itself.</source>
        <translation>Le site ne peut pas être lu pour le moment : %1 Le poste réessaie tout seul.</translation>
    </message>
    <message>
        <source>Not updated since %1</source>
        <translation>Pas mis à jour depuis %1</translation>
    </message>
    <message>
        <source>%1: done, as %2.</source>
        <translation>%1 : fait, en tant que %2.</translation>
    </message>
    <message>
        <source>The correction was not written: %1 Nothing was changed; try again once the site can be read.</source>
        <translation>La correction n&apos;a pas été enregistrée : %1 Rien n&apos;a changé ; réessayez quand le site pourra être lu.</translation>
    </message>
    <message>
        <source>1 correction</source>
        <translation>1 correction</translation>
    </message>
    <message numerus="yes">
        <source>%n corrections</source>
        <translation>
            <numerusform>%n correction</numerusform>
            <numerusform>%n corrections</numerusform>
        </translation>
    </message>
    <message>
        <source>Co&amp;nflicts (%1)</source>
        <translation>Co&amp;nflits (%1)</translation>
    </message>
    <message>
        <source>%1 - 1 open job</source>
        <translation>%1 - 1 tâche ouverte</translation>
    </message>
    <message numerus="yes">
        <source>%1 - %n open jobs</source>
        <translation>
            <numerusform>%1 - %n tâche ouverte</numerusform>
            <numerusform>%1 - %n tâches ouvertes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> - %n over a shift</source>
        <translation>
            <numerusform> - %n dépasse un poste</numerusform>
            <numerusform> - %n dépassent un poste</numerusform>
        </translation>
    </message>
    <message>
        <source> - not updated since %1</source>
        <translation> - pas mis à jour depuis %1</translation>
    </message>
    <message>
        <source>1 job open</source>
        <translation>1 tâche ouverte</translation>
    </message>
    <message numerus="yes">
        <source>%n jobs open</source>
        <translation>
            <numerusform>%n tâche ouverte</numerusform>
            <numerusform>%n tâches ouvertes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n over a shift</source>
        <translation>
            <numerusform>, %n dépasse un poste</numerusform>
            <numerusform>, %n dépassent un poste</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 open in all</source>
        <translation>, %1 ouvertes au total</translation>
    </message>
    <message numerus="yes">
        <source> (of %n open)</source>
        <translation>
            <numerusform> (sur %n ouverte)</numerusform>
            <numerusform> (sur %n ouvertes)</numerusform>
        </translation>
    </message>
    <message>
        <source>1 job closed, %1 worked, %2 pieces</source>
        <translation>1 tâche fermée, %1 de travail, %2 pièces</translation>
    </message>
    <message numerus="yes">
        <source>%n jobs closed, %1 worked, %2 pieces</source>
        <translation>
            <numerusform>%n tâche fermée, %1 de travail, %2 pièces</numerusform>
            <numerusform>%n tâches fermées, %1 de travail, %2 pièces</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose a job first: click its row, or move to it with the arrow keys.</source>
        <translation>Choisissez d&apos;abord une tâche : cliquez sur sa ligne ou allez-y avec les flèches.</translation>
    </message>
    <message>
        <source>Choose a conflict first: click its row.</source>
        <translation>Choisissez d&apos;abord un conflit : cliquez sur sa ligne.</translation>
    </message>
    <message>
        <source>A correction is being written; correct it once it is done.</source>
        <translation>Une correction est en cours d&apos;écriture ; corrigez quand elle sera terminée.</translation>
    </message>
    <message>
        <source>The site cannot be read now: %1

Nothing is written while the desk cannot show the punches as they are; correct it once its title no longer says &quot;not updated&quot;. The desk tries again by itself.</source>
        <extracomment>&quot;not updated&quot; is what the window&apos;s title says while the site cannot be read</extracomment>
        <translation>Le site ne peut pas être lu pour le moment : %1

Rien n&apos;est écrit tant que le poste ne peut pas montrer les pointages tels qu&apos;ils sont ; corrigez quand son titre ne dit plus « pas mis à jour ». Le poste réessaie tout seul.</translation>
    </message>
    <message>
        <source>it has not been read yet.</source>
        <translation>il n&apos;a pas encore été lu.</translation>
    </message>
    <message>
        <source>%1 (badge %2): %3</source>
        <translation>%1 (badge %2) : %3</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>%1?

%2

%3

Reason: %4</source>
        <extracomment>%1 is what the correction does (&quot;End the job of Smith&quot;)</extracomment>
        <translation>%1 ?

%2

%3

Motif : %4</translation>
    </message>
    <message>
        <source>%1: writing...</source>
        <translation>%1 : écriture...</translation>
    </message>
    <message>
        <source>name or badge holding &quot;%1&quot;</source>
        <translation>nom ou badge contenant « %1 »</translation>
    </message>
    <message>
        <source>Only %1. </source>
        <translation>Seulement %1. </translation>
    </message>
    <message>
        <source>Open jobs</source>
        <translation>Tâches ouvertes</translation>
    </message>
    <message>
        <source>Closed jobs started from %1 to %2</source>
        <translation>Tâches fermées commencées du %1 au %2</translation>
    </message>
    <message>
        <source>Corrections made from %1 to %2</source>
        <translation>Corrections faites du %1 au %2</translation>
    </message>
    <message>
        <source>Conflicts</source>
        <translation>Conflits</translation>
    </message>
    <message>
        <source>Punches a terminal could not write after an outage.</source>
        <translation>Pointages qu&apos;un terminal n&apos;a pas pu écrire après une panne.</translation>
    </message>
    <message>
        <source>The list could not be saved in %1: %2.</source>
        <translation>La liste n&apos;a pas pu être enregistrée dans %1 : %2.</translation>
    </message>
    <message>
        <source>%1 (1 row) saved in %2.</source>
        <translation>%1 (1 ligne) enregistré dans %2.</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n rows) saved in %2.</source>
        <translation>
            <numerusform>%1 (%n ligne) enregistré dans %2.</numerusform>
            <numerusform>%1 (%n lignes) enregistré dans %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export the list as CSV</source>
        <translation>Exporter la liste en CSV</translation>
    </message>
    <message>
        <source>Print the list to PDF</source>
        <translation>Imprimer la liste en PDF</translation>
    </message>
    <message>
        <source>Job Costing Desk: %1, printed %2</source>
        <translation>Job Costing Desk : %1, imprimé le %2</translation>
    </message>
    <message>
        <source>The desk cannot open the site %1.

%2</source>
        <translation>Le poste ne peut pas ouvrir le site %1.

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
        <translation>Service employé</translation>
    </message>
    <message>
        <source>Level %1</source>
        <translation>Niveau %1</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Employé</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Date worked</source>
        <translation>Jour travaillé</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Pièces</translation>
    </message>
    <message>
        <source>Employee no.</source>
        <translation>N° employé</translation>
    </message>
    <message>
        <source>Base pay rate</source>
        <translation>Taux de base</translation>
    </message>
    <message>
        <source>Level %1 title</source>
        <translation>Titre du niveau %1</translation>
    </message>
    <message>
        <source>%1 code</source>
        <extracomment>%1 is the level&apos;s title, &quot;Department&quot;</extracomment>
        <translation>Code %1</translation>
    </message>
    <message>
        <source>%1 standard cost</source>
        <translation>Coût standard %1</translation>
    </message>
    <message>
        <source>%1 bonus rate</source>
        <translation>Taux de prime %1</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vide)</translation>
    </message>
    <message>
        <source>started %1</source>
        <translation>commencée le %1</translation>
    </message>
    <message>
        <source>stopped %1 (%2)</source>
        <translation>finie à %1 (%2)</translation>
    </message>
    <message>
        <source>still open</source>
        <translation>encore ouverte</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Terminée</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Corrigé</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Supprimé</translation>
    </message>
    <message>
        <source>Applied</source>
        <translation>Appliqué</translation>
    </message>
    <message>
        <source>Dismissed</source>
        <translation>Rejeté</translation>
    </message>
    <message>
        <source>Deleted: %1</source>
        <translation>Supprimé : %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s start not written: %1</source>
        <translation>Début venu du terminal non écrit : %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s end not written: %1</source>
        <translation>Fin venue du terminal non écrite : %1</translation>
    </message>
    <message>
        <source>A terminal&apos;s start written: %1</source>
        <translation>Début venu du terminal écrit : %1</translation>
    </message>
    <message>
        <source>(open)</source>
        <translation>(ouverte)</translation>
    </message>
    <message numerus="yes">
        <source>%1 pieces</source>
        <translation>
            <numerusform>%1 pièce</numerusform>
            <numerusform>%1 pièces</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JobCost</name>
    <message>
        <source>Level %1 code</source>
        <translation>Code niveau %1</translation>
    </message>
    <message>
        <source>Level %1 item</source>
        <translation>Élément niveau %1</translation>
    </message>
    <message>
        <source>Employee number</source>
        <translation>N° employé</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Department</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Heures</translation>
    </message>
    <message>
        <source>Labour</source>
        <translation>Main-d&apos;œuvre</translation>
    </message>
    <message>
        <source>Bonus</source>
        <translation>Prime</translation>
    </message>
    <message>
        <source>Cost</source>
        <translation>Coût</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Pièces</translation>
    </message>
    <message>
        <source>Standard per piece</source>
        <translation>Standard par pièce</translation>
    </message>
    <message>
        <source>Actual per piece</source>
        <translation>Réel par pièce</translation>
    </message>
    <message>
        <source>Variance per piece</source>
        <translation>Écart par pièce</translation>
    </message>
    <message>
        <source>Variance</source>
        <translation>Écart</translation>
    </message>
    <message>
        <source>Variance %</source>
        <translation>Écart %</translation>
    </message>
</context>
<context>
    <name>JobCostPdf</name>
    <message>
        <source>Corrected</source>
        <translation>Corrigé</translation>
    </message>
    <message>
        <source>corrected at the desk</source>
        <translation>corrigé au poste du chef</translation>
    </message>
    <message>
        <source>job (level 1 / level 2 / level 3)</source>
        <translation>tâche (niveau 1 / niveau 2 / niveau 3)</translation>
    </message>
    <message>
        <source>level %1 item</source>
        <translation>élément du niveau %1</translation>
    </message>
    <message>
        <source>worker</source>
        <translation>employé</translation>
    </message>
    <message>
        <source>department (DeptNum)</source>
        <translation>service (DeptNum)</translation>
    </message>
    <message>
        <source>day worked</source>
        <translation>jour travaillé</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>du %1 au %2</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>à partir du %1</translation>
    </message>
    <message>
        <source>up to %1</source>
        <translation>jusqu&apos;au %1</translation>
    </message>
    <message>
        <source>all</source>
        <translation>tous</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucun)</translation>
    </message>
    <message>
        <source>%1, %2 to %3%4</source>
        <translation>%1, %2 à %3%4</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vide)</translation>
    </message>
    <message>
        <source>%1: %2 to %3</source>
        <translation>%1 : %2 devient %3</translation>
    </message>
    <message>
        <source>punch deleted</source>
        <translation>pointage supprimé</translation>
    </message>
    <message>
        <source>a terminal&apos;s punch applied</source>
        <translation>pointage du terminal appliqué</translation>
    </message>
    <message>
        <source>a terminal&apos;s punch dismissed</source>
        <translation>pointage du terminal rejeté</translation>
    </message>
    <message>
        <source>Job cost report by %1, dates worked: %2</source>
        <translation>Coûts des tâches par %1, jours travaillés : %2</translation>
    </message>
    <message>
        <source>Job cost report by %1</source>
        <translation>Coûts des tâches par %1</translation>
    </message>
    <message>
        <source>Site: %1</source>
        <translation>Site : %1</translation>
    </message>
    <message>
        <source>Dates worked: %1</source>
        <translation>Jours travaillés : %1</translation>
    </message>
    <message>
        <source>Made %1 by %2. Open jobs are timed to that moment; a shift is %3 hours.</source>
        <translation>Fait le %1 par %2. Les tâches ouvertes sont comptées jusqu&apos;à ce moment ; un poste dure %3 heures.</translation>
    </message>
    <message>
        <source>How each figure is worked out, from the values each punch froze when its job started:</source>
        <translation>Comment chaque chiffre est calculé, à partir des valeurs figées par chaque pointage au début de sa tâche :</translation>
    </message>
    <message>
        <source>Hours = the time that passed from TimeStart on DateWorked to the first moment after it when the site&apos;s clocks (%1) read TimeStop: past midnight, and across the nights the clocks change, as the hours were worked. Labour = hours x BaseRate, the worker&apos;s pay rate.</source>
        <translation>Heures = le temps écoulé de TimeStart le DateWorked jusqu&apos;au premier moment suivant où les horloges du site (%1) indiquent TimeStop : après minuit, et pendant les nuits de changement d&apos;heure, comme les heures ont été faites. Main-d&apos;œuvre = heures x BaseRate, le taux horaire de l&apos;employé.</translation>
    </message>
    <message>
        <source>Bonus = Pieces x the bonus rate of the deepest level with a description (level 3, else 2, else 1). Cost = labour + bonus.</source>
        <translation>Prime = Pieces x le taux de prime du niveau le plus profond ayant une description (niveau 3, sinon 2, sinon 1). Coût = main-d&apos;œuvre + prime.</translation>
    </message>
    <message>
        <source>Standard = pieces x the sum of the standard costs of the levels with a description. Per piece: standard, actual (cost / pieces) and variance (actual - standard), empty without pieces.</source>
        <translation>Standard = pièces x la somme des coûts standard des niveaux ayant une description. Par pièce : standard, réel (coût / pièces) et écart (réel - standard), vides sans pièces.</translation>
    </message>
    <message>
        <source>Variance = cost - standard, above zero when the work cost more than standard; Variance % = variance / standard, empty without a standard.</source>
        <translation>Écart = coût - standard, positif quand le travail a coûté plus que le standard ; Écart % = écart / standard, vide sans standard.</translation>
    </message>
    <message>
        <source>Rates, costs and pieces are read to four decimals and summed exactly; each figure is rounded once, half away from zero (money to the cent, per piece to four decimals, hours and percentages to two), so a figure may differ in its last digit from one worked out of other rounded figures.</source>
        <translation>Taux, coûts et pièces sont lus à quatre décimales et additionnés exactement ; chaque chiffre est arrondi une seule fois, la moitié loin de zéro (l&apos;argent au centime, par pièce à quatre décimales, heures et pourcentages à deux) : un chiffre peut donc différer au dernier chiffre d&apos;un calcul fait à partir d&apos;autres chiffres arrondis.</translation>
    </message>
    <message>
        <source>Open jobs are never costed: they are listed apart with the hours open so far. Rows with impossible values are listed under Rows not costed.</source>
        <translation>Les tâches ouvertes ne sont jamais chiffrées : elles sont listées à part avec les heures ouvertes à ce jour. Les lignes aux valeurs impossibles sont listées sous Lignes non chiffrées.</translation>
    </message>
    <message>
        <source>Corrected = how many of the punches a supervisor corrected at the desk (empty where none); a punch deleted there is in no figure.</source>
        <translation>Corrigé = combien de pointages un chef a corrigés à son poste (vide s&apos;il n&apos;y en a pas) ; un pointage supprimé là n&apos;entre dans aucun chiffre.</translation>
    </message>
    <message>
        <source>the punch&apos;s start or end reached the database more than ten minutes away from its own time: kept at a terminal through an outage, written on a clock set wrong, or by hand.</source>
        <translation>le début ou la fin du pointage est arrivé dans la base à plus de dix minutes de son heure : gardé sur un terminal pendant une panne, écrit avec une horloge mal réglée, ou à la main.</translation>
    </message>
    <message>
        <source>Costed jobs: %1     Open jobs: %2, %3 of them longer than a shift     Rows not costed: %4</source>
        <translation>Tâches chiffrées : %1     Tâches ouvertes : %2, dont %3 de plus d&apos;un poste     Lignes non chiffrées : %4</translation>
    </message>
    <message>
        <source>Week %1</source>
        <translation>Semaine %1</translation>
    </message>
    <message>
        <source>Month %1</source>
        <translation>Mois %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Labour and bonus, full bar %1</source>
        <translation>Main-d&apos;œuvre et prime, barre pleine %1</translation>
    </message>
    <message>
        <source>Costs by %1</source>
        <translation>Coûts par %1</translation>
    </message>
    <message>
        <source>labour</source>
        <translation>main-d&apos;œuvre</translation>
    </message>
    <message>
        <source>bonus</source>
        <translation>prime</translation>
    </message>
    <message>
        <source>Open jobs, not costed: %1</source>
        <translation>Tâches ouvertes, non chiffrées : %1</translation>
    </message>
    <message>
        <source>Job group</source>
        <translation>Groupe de tâches</translation>
    </message>
    <message>
        <source>Worker</source>
        <translation>Employé</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Hours open</source>
        <translation>Heures ouvertes</translation>
    </message>
    <message>
        <source>longer than a shift</source>
        <translation>plus d&apos;un poste</translation>
    </message>
    <message>
        <source>Rows not costed: %1</source>
        <translation>Lignes non chiffrées : %1</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Ligne</translation>
    </message>
    <message>
        <source>Date worked</source>
        <translation>Jour travaillé</translation>
    </message>
    <message>
        <source>Why</source>
        <translation>Pourquoi</translation>
    </message>
    <message>
        <source>Corrections of these dates worked: %1</source>
        <translation>Corrections de ces jours travaillés : %1</translation>
    </message>
    <message>
        <source>Corrected at</source>
        <translation>Corrigé le</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Modifications</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motif</translation>
    </message>
    <message>
        <source>Job cost report</source>
        <translation>Coûts des tâches</translation>
    </message>
</context>
<context>
    <name>JobCosting</name>
    <message>
        <source>No employee found with Badge number &apos;%1&apos;</source>
        <translation>Aucun employé trouvé avec le numéro de badge &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The badge could not be looked up.</source>
        <translation>Le badge n&apos;a pas pu être vérifié.</translation>
    </message>
    <message>
        <source>You are about to start working on a new Job</source>
        <translation>Vous allez commencer une nouvelle tâche</translation>
    </message>
    <message>
        <source>Enter your job information:</source>
        <translation>Saisissez votre tâche :</translation>
    </message>
    <message>
        <source>Enter your Job information:</source>
        <translation>Saisissez votre tâche :</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Started Job on %1 at %2</source>
        <extracomment>%1 is the job&apos;s date, %2 its start time</extracomment>
        <translation>Tâche commencée le %1 à %2</translation>
    </message>
    <message>
        <source>Current Job Allocation</source>
        <translation>Tâche en cours</translation>
    </message>
    <message>
        <source>You are about to stop working on Job</source>
        <translation>Vous allez terminer la tâche</translation>
    </message>
    <message>
        <source>Are you sure you want to end this Job?</source>
        <translation>Voulez-vous vraiment terminer cette tâche ?</translation>
    </message>
    <message>
        <source>How many Pieces did you work on?:</source>
        <translation>Combien de pièces avez-vous faites ?</translation>
    </message>
    <message>
        <source>No piece count has been entered!  End-Job Process Canceled!</source>
        <translation>Aucune quantité saisie ! La tâche n&apos;est pas terminée !</translation>
    </message>
    <message>
        <source>Pieces amount entered was invalad try again</source>
        <translation>Quantité non valable, recommencez</translation>
    </message>
    <message numerus="yes">
        <source>Is %1 pieces correct?</source>
        <extracomment>%1 is the count as the worker typed it</extracomment>
        <translation>
            <numerusform>%1 pièce, c&apos;est bien ça ?</numerusform>
            <numerusform>%1 pièces, c&apos;est bien ça ?</numerusform>
        </translation>
    </message>
    <message>
        <source>The job was not ended: it was ended or changed at another terminal or at the desk meanwhile. Badge in again to see your job.</source>
        <translation>La tâche n&apos;a pas été terminée : entre-temps, elle a été terminée ou modifiée sur un autre terminal ou au poste du chef d&apos;atelier. Badgez à nouveau pour voir votre tâche.</translation>
    </message>
    <message>
        <source>The job was not ended. Badge in again to see it as it stands now.</source>
        <translation>La tâche n&apos;a pas été terminée. Badgez à nouveau pour voir où elle en est.</translation>
    </message>
    <message>
        <source>Job Costing </source>
        <translation>Job Costing </translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Badge #</source>
        <translation>Badge</translation>
    </message>
    <message>
        <source>Enter your Badge number</source>
        <translation>Saisissez votre numéro de badge</translation>
    </message>
    <message>
        <source>Select your Job information:</source>
        <translation>Choisissez votre tâche :</translation>
    </message>
    <message>
        <source>Start Job</source>
        <translation>Commencer</translation>
    </message>
    <message>
        <source>End Job</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>The item code could not be looked up.</source>
        <translation>Le code n&apos;a pas pu être vérifié.</translation>
    </message>
    <message>
        <source>Item Code invalid! Try using the Description pulldown</source>
        <translation>Code non valable ! Choisissez dans la liste des descriptions</translation>
    </message>
    <message>
        <source>New Job</source>
        <translation>Nouvelle tâche</translation>
    </message>
    <message>
        <source>Job Costing requires Validation Tables be established at the Vexmo workstation.  Process canceled!</source>
        <translation>Job Costing a besoin des tables de validation, à créer sur le poste Vexmo.  Opération annulée !</translation>
    </message>
    <message>
        <source>Job Costing - Operator Information</source>
        <translation>Job Costing - Information opérateur</translation>
    </message>
    <message>
        <source>Proceed to Job Information Entry Screen</source>
        <translation>Passez à la saisie de la tâche</translation>
    </message>
    <message>
        <source>The server cannot be reached. Your job is kept at this terminal and will be sent when the server answers.</source>
        <translation>Le serveur est injoignable. Votre tâche est gardée sur ce terminal et sera envoyée dès que le serveur répondra.</translation>
    </message>
    <message>
        <source>You must select a valid %1</source>
        <extracomment>%1 is the title of a level, such as Operation</extracomment>
        <translation>Choisissez une valeur valable pour : %1</translation>
    </message>
    <message>
        <source>The job was not started: a job is already open under your name. Badge in again to see it.</source>
        <translation>La tâche n&apos;a pas été commencée : une tâche est déjà ouverte à votre nom. Badgez à nouveau pour la voir.</translation>
    </message>
    <message>
        <source>The job was not started: %1

Nothing was written. Your choices are still on the screen: press New Job to try again. If this message comes back, tell the site manager.</source>
        <extracomment>%1 is the database&apos;s reason; New Job is the button&apos;s caption</extracomment>
        <translation>La tâche n&apos;a pas été commencée : %1

Rien n&apos;a été enregistré. Vos choix sont toujours à l&apos;écran : appuyez sur Nouvelle tâche pour réessayer. Si ce message revient, prévenez le responsable du site.</translation>
    </message>
    <message>
        <source>Job Costing - Operator Instruction</source>
        <translation>Job Costing - Consigne opérateur</translation>
    </message>
</context>
<context>
    <name>PdfPages</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
</context>
<context>
    <name>PunchTableModel</name>
    <message>
        <source>Its start or its end reached the database more than ten minutes away from its own time: kept at a terminal through an outage, written on a clock set wrong, or by hand.</source>
        <translation>Son début ou sa fin est arrivé dans la base à plus de dix minutes de son heure : gardé sur un terminal pendant une panne, écrit avec une horloge mal réglée, ou à la main.</translation>
    </message>
    <message>
        <source>corrected</source>
        <translation>corrigé</translation>
    </message>
    <message numerus="yes">
        <source>corrected %n times</source>
        <translation>
            <numerusform>corrigé %n fois</numerusform>
            <numerusform>corrigé %n fois</numerusform>
        </translation>
    </message>
    <message>
        <source>Open longer than a shift (%1)</source>
        <translation>Ouverte plus d&apos;un poste (%1)</translation>
    </message>
    <message>
        <source>Badge</source>
        <translation>Badge</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Open for</source>
        <translation>Ouverte depuis</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Heures</translation>
    </message>
    <message>
        <source>Pieces</source>
        <translation>Pièces</translation>
    </message>
    <message>
        <source>Corrected</source>
        <translation>Corrigé</translation>
    </message>
</context>
<context>
    <name>QtDeskForms</name>
    <message>
        <source>End a job</source>
        <translation>Terminer une tâche</translation>
    </message>
    <message>
        <source>Correct a job</source>
        <translation>Corriger une tâche</translation>
    </message>
    <message>
        <source>Delete a punch</source>
        <translation>Supprimer un pointage</translation>
    </message>
    <message>
        <source>Apply a conflict</source>
        <translation>Appliquer un conflit</translation>
    </message>
    <message>
        <source>Dismiss a conflict</source>
        <translation>Rejeter un conflit</translation>
    </message>
    <message>
        <source>%1 (badge %2), worker&apos;s dept. no. %3
%4</source>
        <translation>%1 (badge %2), service n° %3
%4</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>&amp;Started:</source>
        <translation>&amp;Début :</translation>
    </message>
    <message>
        <source>&amp;Ended at:</source>
        <translation>&amp;Fin à :</translation>
    </message>
    <message>
        <source>S&amp;topped:</source>
        <translation>&amp;Fin :</translation>
    </message>
    <message>
        <source>&amp;Pieces:</source>
        <translation>&amp;Pièces :</translation>
    </message>
    <message>
        <source>Why (required)</source>
        <translation>Pourquoi (obligatoire)</translation>
    </message>
    <message>
        <source>&amp;Reason:</source>
        <translation>&amp;Motif :</translation>
    </message>
</context>
<context>
    <name>SiteCheck</name>
    <message>
        <source>JobPunches.MDB is a Microsoft Access file: Job Costing cannot add job punches to it.
Convert it once, with Job Costing closed, by the command
jobcosting-site convert &quot;%1&quot;
and start Job Costing again.  Process canceled!</source>
        <translation>JobPunches.MDB est un fichier Microsoft Access : Job Costing ne peut pas y ajouter de pointages.
Convertissez-le une fois, Job Costing fermé, par la commande
jobcosting-site convert &quot;%1&quot;
puis relancez Job Costing.  Opération annulée !</translation>
    </message>
    <message>
        <source>Job Costing cannot start: %1
Process canceled!</source>
        <translation>Job Costing ne peut pas démarrer : %1
Opération annulée !</translation>
    </message>
</context>
</TS>
