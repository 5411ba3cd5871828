#include "Attempt.h"
#include "JobCosting.h"
#include "Module1.h"
#include "PunchTexts.h"
#include "data/DataSource.h"
#include "data/SiteModel.h"
#include "program/Program.h"
#include "startup/DateCheck.h"
#include "ui/DbCombo.h"
#include "ui/Dialogs.h"
#include "ui/FormMetrics.h"
#include "ui/PictureButton.h"
#include "ui/Shell.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

using PunchTexts::openJobQuery;

void JobCosting::Form_Load()
{
    attempt([this] {
        m_dateCheck = new DateCheck(m_services);
        const DateCheck::Outcome outcome = m_dateCheck->load();
        if (outcome == DateCheck::Outcome::Failed) {
            m_ended = true;
            return;
        }
        if (outcome == DateCheck::Outcome::NoVerdict)
            m_dateCheck->show();
    });
    if (m_ended)
        return;
    m_module.BadgeFocusPending = true;
    setCaption(Label4, QString());
    // The open jobs are read with the other data that badge entry does not show.
    Data1->setRecordSource(openJobQuery);
    hideJobControls();
    m_module.BadgeFocusPending = true;
}

void JobCosting::Form_Paint()
{
    if (!m_module.BadgeFocusPending || m_ended)
        return;
    applyLevelLayout();
    Data1->setRecordSource(openJobQuery);
    Text34->setFocus();
}

void JobCosting::applyLevelLayout()
{
    if (Label13->text().isEmpty()) {
        Picture4->hide();
        Text5->hide();
        DBCombo3->hide();
        Picture1->resize(Picture1->width(), FormMetrics::pixels(2415));
        m_module.BadgeFocusPending = false;
    }
    if (Label11->text().isEmpty()) {
        Picture3->hide();
        Text4->hide();
        DBCombo2->hide();
        Picture1->resize(Picture1->width(), FormMetrics::pixels(1335));
        m_module.BadgeFocusPending = false;
    }
}

void JobCosting::Text34_GotFocus()
{
    setCaption(Command1, QT_TR_NOOP("New Job"));
    setCaption(Command2, QT_TR_NOOP("End Job"));
    if (Label10->text().isEmpty()) {
        // A level-1 table that could not be read says why under the refusal.
        m_services.dialogs.stop(PunchTexts::instructionTitle(),
            tr("Job Costing requires Validation Tables be established at the Vexmo "
               "workstation.  Process canceled!")
                + (m_levelOneFailure.isEmpty() ? QString()
                                               : QStringLiteral("\n\n") + m_levelOneFailure));
        endProgram(ExitStatus::NeedsPerson,
            QFileInfo(SiteModel::validationsFile).absoluteFilePath()
                + QStringLiteral(": the table Level1 is missing or empty, or its first row has "
                                 "no LevelDescription; the validation tables must be set up. ")
                + m_levelOneFailure);
        return;
    }
    applyLevelLayout();
    for (QLineEdit* box : {Text4, Text5})
        FormMetrics::setColour(box, QPalette::Base, QColor(255, 255, 255));
}

void JobCosting::Command3_GotFocus()
{
    if (!m_module.BadgeFocusPending)
        return;
    m_module.BadgeFocusPending = false;
    Text34->setFocus();
}

void JobCosting::Command3_Click()
{
    m_services.shell.open(QStringLiteral("VexmoJC.exe"));
    endProgram(ExitStatus::Done);
}

void JobCosting::Form_Terminate()
{
    if (m_ended)
        return;
    m_services.shell.open(QStringLiteral("Vexmo80.exe"));
    endProgram(ExitStatus::Done);
}

void JobCosting::endProgram(ExitStatus status, const QString& reason)
{
    m_ended = true;
    m_services.program.end(status, reason);
}
