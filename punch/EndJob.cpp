#include "DatabaseWork.h"
#include "JobCosting.h"
#include "Module1.h"
#include "PunchTexts.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "program/Language.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/Dialogs.h"
#include "ui/PictureButton.h"

void JobCosting::Command2_Click()
{
    if (Command2->caption() == QLatin1String("Cancel")) {
        returnToBadgeEntry();
        return;
    }
    endJob();
}

void JobCosting::endJob()
{
    const QString summary = jobText(tr("You are about to stop working on Job"));
    m_services.dialogs.beep();

    if (m_module.OpenJobHasBonus) {
        double pieces = 0;
        if (askPieceCount(summary, pieces))
            closeOpenJob(pieces);
        return;
    }
    const Dialogs::Answer answer = m_services.dialogs.message(
        {PunchTexts::instructionTitle(), tr("Are you sure you want to end this Job?"),
            Dialogs::Icon::None, Dialogs::Buttons::YesNo, Dialogs::Answer::Yes});
    if (answer == Dialogs::Answer::Yes)
        closeOpenJob(0);
    else
        returnToBadgeEntry();
}

bool JobCosting::askPieceCount(const QString& summary, double& pieces)
{
    for (;;) {
        const QString answer = m_services.dialogs.inputBox(
            summary + QStringLiteral("    ") + tr("How many Pieces did you work on?:"),
            PunchTexts::informationTitle(), QString());
        if (answer.isEmpty()) {
            m_services.dialogs.stop(PunchTexts::instructionTitle(),
                tr("No piece count has been entered!  End-Job Process Canceled!"));
            return false;
        }
        const std::optional<double> count = m_services.regional.parseNumber(answer);
        if (!count) {
            m_services.dialogs.stop(
                PunchTexts::instructionTitle(), tr("Pieces amount entered was invalad try again"));
            continue;
        }
        switch (m_services.dialogs.message({PunchTexts::instructionTitle(),
            //: %1 is the count as the worker typed it
            tr("Is %1 pieces correct?", nullptr, Language::pluralCount(*count)).arg(answer),
            Dialogs::Icon::None, Dialogs::Buttons::YesNoCancel, Dialogs::Answer::Yes})) {
        case Dialogs::Answer::Yes:
            pieces = *count;
            return true;
        case Dialogs::Answer::No:
            continue;
        default:
            return false;
        }
    }
}

void JobCosting::closeOpenJob(double pieces)
{
    QString failure;
    bool changedMeanwhile = false;
    DataSource::Saved saved = DataSource::Saved::Written;
    {
        const DatabaseWork work;
        try {
            Data1->edit();
            Data1->setField(QStringLiteral("Badge"), QStringLiteral("Closed"));
            Data1->setField(QStringLiteral("TimeStop"),
                m_services.regional.parseTime(
                    m_services.regional.dateTimeText(m_services.clock.now())));
            Data1->setField(QStringLiteral("Pieces"), pieces);
            saved = Data1->save();
        } catch (const DataError& error) {
            failure = error.shown();
            changedMeanwhile = error.reason() == DataError::Reason::Changed;
        } catch (const std::exception& error) {
            failure = QString::fromLocal8Bit(error.what());
        }
        if (failure.isEmpty())
            returnToBadgeEntryAfterSave();
        else
            returnToBadgeEntry();
    }
    if (saved == DataSource::Saved::Kept)
        showKeptPunch();
    // Nothing was written: changed or removed at another station meanwhile, or
    // the file could not be written. Told once the busy pointer is gone.
    if (changedMeanwhile)
        m_services.dialogs.stop(PunchTexts::instructionTitle(),
            tr("The job was not ended: it was ended or changed at another terminal or at the "
               "desk meanwhile. Badge in again to see your job."));
    else if (!failure.isEmpty())
        showDataError(
            tr("The job was not ended. Badge in again to see it as it stands now."), failure);
}
