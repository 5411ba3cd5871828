#include "Attempt.h"
#include "DatabaseWork.h"
#include "JobCosting.h"
#include "Module1.h"
#include "PunchTexts.h"
#include "ReaderSuffix.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/DbCombo.h"
#include "ui/Dialogs.h"
#include "ui/HiddenBox.h"
#include "ui/PictureButton.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QUuid>
#include <optional>

void JobCosting::Command1_Click()
{
    if (Command1->caption() == QLatin1String("Cancel")) {
        returnToBadgeEntry();
        return;
    }
    startJob();
}

void JobCosting::startJob()
{
    for (int number = 1; number <= 3; ++number) {
        const Level& controls = level(number);
        if (!controls.title->text().isEmpty() && controls.description->text().isEmpty()) {
            m_services.dialogs.stop(PunchTexts::instructionTitle(),
                //: %1 is the title of a level, such as Operation
                tr("You must select a valid %1").arg(controls.title->text()));
            if (number > 1)
                controls.description->setFocus();
            return;
        }
    }

    const Dialogs::Answer answer = m_services.dialogs.message(
        {PunchTexts::instructionTitle(), jobText(tr("You are about to start working on a new Job")),
            Dialogs::Icon::None, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok});
    if (answer != Dialogs::Answer::Ok) {
        returnToBadgeEntry();
        return;
    }

    // Every column is tried on its own: one the database refuses keeps the new
    // row's default, and the others are still written.
    const auto set = [this](const QString& field, const QVariant& value) {
        attempt([&] { Data1->setField(field, value); });
    };
    const RegionalSettings& regional = m_services.regional;
    const auto now = [this, &regional] {
        return regional.dateTimeText(m_services.clock.now());
    };

    attempt([this] { Data1->addNew(); });
    set(QStringLiteral("Name"), m_module.CurEmpName);
    set(QStringLiteral("Badge"), QStringLiteral("Open"));
    set(QStringLiteral("DateWorked"), regional.parseDate(now()));
    set(QStringLiteral("TimeStart"), regional.parseTime(now()));
    set(QStringLiteral("TimeStop"), regional.parseTime(now()));
    for (int number = 1; number <= 3; ++number) {
        const Level& controls = level(number);
        const QString prefix = QStringLiteral("Level%1").arg(number);
        set(prefix + QStringLiteral("Description"), controls.title->text());
        set(number == 2 ? QStringLiteral("level2ItemCode") : prefix + QStringLiteral("ItemCode"),
            controls.code->text());
        set(prefix + QStringLiteral("ItemDescription"), controls.description->text());
        set(prefix + QStringLiteral("StandardCost"), controls.standardCost->text());
        set(prefix + QStringLiteral("BonusRate"), controls.bonusRate->text());
    }
    set(QStringLiteral("Pieces"), QVariant::fromValue<qint16>(0));
    set(QStringLiteral("EmpNum"), m_module.CurEmpNum);
    set(QStringLiteral("DeptNum"), m_module.CurDeptNum);
    set(QStringLiteral("BaseRate"), m_module.CurBasePayRate);
    // The punch's own name, made here: a copy of it sent twice is known as one.
    set(QStringLiteral("PunchId"), QUuid::createUuid().toString(QUuid::WithoutBraces));
    std::optional<DataError> failure;
    DataSource::Saved saved = DataSource::Saved::Written;
    {
        const DatabaseWork work;
        try {
            saved = Data1->save();
        } catch (const DataError& error) {
            failure = error;
        }
        if (!failure || failure->reason() == DataError::Reason::Duplicate)
            returnToBadgeEntryAfterSave();
    }
    if (!failure) {
        if (saved == DataSource::Saved::Kept)
            showKeptPunch();
        return;
    }
    // The database refuses a second open job for the same worker, who may
    // have started one at another terminal since he badged in here.
    if (failure->reason() == DataError::Reason::Duplicate) {
        m_services.dialogs.stop(PunchTexts::instructionTitle(),
            tr("The job was not started: a job is already open under your name. Badge in again "
               "to see it."));
        return;
    }
    // A job the worker believes started but that is not on the disk is lost
    // pay: he is told, and his choices stay on the screen for another try.
    m_services.dialogs.stop(PunchTexts::instructionTitle(),
        //: %1 is the database's reason; New Job is the button's caption
        tr("The job was not started: %1\n\nNothing was written. Your choices are still on the "
           "screen: press New Job to try again. If this message comes back, tell the site "
           "manager.")
            .arg(failure->shown()));
}

void JobCosting::showKeptPunch()
{
    m_services.dialogs.message({PunchTexts::informationTitle(), PunchTexts::keptPunch(),
        Dialogs::Icon::Information, Dialogs::Buttons::Ok, Dialogs::Answer::Ok});
}

QString JobCosting::jobText(const QString& opening) const
{
    QString text = opening + QStringLiteral("\n\n");
    for (int number = 1; number <= 3; ++number) {
        const Level& controls = level(number);
        if (number > 1 && controls.title->text().isEmpty())
            continue;
        text += controls.title->text() + QStringLiteral("\n    ") + controls.code->text()
            + QStringLiteral("  ") + controls.description->text() + QStringLiteral("\n\n");
    }
    return text;
}

void JobCosting::reopenOpenJobs()
{
    Data1->setRecordSource(PunchTexts::openJobQuery);
    Data1->refresh();
}

void JobCosting::hideJobControls()
{
    for (QWidget* control : std::initializer_list<QWidget*> {
             Label5, Command1, Command2, Picture1, DBCombo1, Text3, Picture4, DBCombo3, Text5})
        control->hide();
}

void JobCosting::returnToBadgeEntry()
{
    m_readerSuffix->forgetRead();
    attempt([this] { reopenOpenJobs(); });
    hideJobControls();
    Text34->clear();
    setCaption(Label2, PunchTexts::entryPrompt());
    Text3->setEnabled(true);
    if (!Text4->isHidden())
        Text4->setEnabled(true);
    Text34->setEnabled(true);
    Text34->setFocus();
}

void JobCosting::returnToBadgeEntryAfterSave()
{
    m_readerSuffix->forgetRead();
    attempt([this] { reopenOpenJobs(); });
    hideJobControls();
    setCaption(Label2, PunchTexts::entryPrompt());
    Text34->setEnabled(true);
    Text34->clear();
    Text34->setFocus();
}
