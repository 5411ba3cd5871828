<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
