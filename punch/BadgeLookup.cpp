#include "Framing.h"
#include "JobCosting.h"
#include "Module1.h"
#include "PunchTexts.h"
#include "ReaderSuffix.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "ui/DbCombo.h"
#include "ui/Dialogs.h"
#include "ui/HiddenBox.h"
#include "ui/PictureButton.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int badgeLength = 6;

} // namespace

void JobCosting::Text34_Change()
{
    removeFramingCharacters(Text34);
    if (Text34->text().size() >= badgeLength && !m_fillingBadge) {
        m_readerSuffix->lookingUp(Text34->text(), true);
        lookUpBadge(LookupVariant::Automatic);
    }
}

void JobCosting::Text34_KeyPress()
{
    const QString entry = Text34->text();
    if (entry.isEmpty())
        return;
    // The write of the filled-up badge must not start the automatic lookup too.
    m_fillingBadge = true;
    Text34->setText(
        QStringLiteral("000000").left(std::max<qsizetype>(badgeLength - entry.size(), 0)) + entry);
    m_fillingBadge = false;
    m_readerSuffix->lookingUp(entry, false);
    lookUpBadge(LookupVariant::Enter);
}

void JobCosting::lookUpBadge(LookupVariant variant)
{
    loadRest();
    const QString badge = Text34->text();
    try {
        Data8->findFirst(QStringLiteral("Badge = '") + badge + QStringLiteral("'"));
        if (Data8->noMatch()) {
            m_services.dialogs.stop(PunchTexts::instructionTitle(),
                tr("No employee found with Badge number '%1'").arg(badge));
            m_readerSuffix->forgetRead();
            Text34->clear();
            Text34->setFocus();
            return;
        }

        m_module.CurEmpName = Data8->field(QStringLiteral("Name"));
        m_module.CurEmpNum = Data8->field(QStringLiteral("EmpNum"));
        m_module.CurDeptNum = Data8->field(QStringLiteral("DeptNum"));
        m_module.CurBasePayRate = Data8->field(QStringLiteral("BasePayRate"));

        setCaption(Label5, Data8->fieldText(QStringLiteral("Name")));
        Label5->show();
        for (QWidget* control :
            std::initializer_list<QWidget*> {Picture1, DBCombo1, Text3, Picture4, DBCombo3, Text5})
            control->show();
        applyLevelLayout();

        reopenOpenJobs();
        Data1->findFirst(
            QStringLiteral("Name = '") + m_module.CurEmpName.toString() + QStringLiteral("'"));
        if (Data1->noMatch())
            enterNewJobMode(variant);
        else
            enterEndJobMode(variant);
    } catch (const DataError& error) {
        showDataError(tr("The badge could not be looked up."), error.shown());
        returnToBadgeEntry();
    }
}

void JobCosting::enterNewJobMode(LookupVariant variant)
{
    setCaption(Label2, tr("You are about to start working on a new Job"));
    setCaption(Label1,
        variant == LookupVariant::Automatic ? tr("Enter your job information:")
                                            : tr("Enter your Job information:"));
    Label2->show();

    Data2->setRecordSource(QStringLiteral("select * from Level1 order by ItemDescription"));
    Data3->setRecordSource(QStringLiteral("select * from Level2 order by ItemDescription"));
    Data4->setRecordSource(QStringLiteral("select * from Level3 order by ItemDescription"));
    refreshLevelLists();
    for (DbCombo* combo : {DBCombo1, DBCombo2, DBCombo3})
        combo->setEnabled(true);
    for (DbCombo* combo : {DBCombo1, DBCombo2, DBCombo3})
        combo->setText(QString());
    for (QLineEdit* box : {Text3, Text4, Text5})
        box->clear();

    lockBadgeBox();
    Command2->show();
    setCaption(Command2, QT_TR_NOOP("Cancel"));
    Command1->show();
    Text3->show();
    Text3->setEnabled(true);
    Text3->setFocus();
    m_module.BadgeFocusPending = false;
}

void JobCosting::enterEndJobMode(LookupVariant variant)
{
    m_module.OpenJobHasBonus = openJobHasBonus();
    lockBadgeBox();
    Command1->show();
    setCaption(Command1, QT_TR_NOOP("Cancel"));
    Command2->show();
    for (QLineEdit* box : {Text3, Text4, Text5})
        box->setEnabled(false);
    for (DbCombo* combo : {DBCombo1, DBCombo2, DBCombo3})
        combo->setEnabled(false);
    //: %1 is the job's date, %2 its start time
    setCaption(Label2, tr("Started Job on %1 at %2").arg(Text12->text(), Text16->text()));
    setCaption(Label1, tr("Current Job Allocation"));

    const std::pair<HiddenBox*, HiddenBox*> shown[]
        = {{Text19, Text20}, {Text22, Text23}, {Text25, Text26}};
    for (int number = 1; number <= 3; ++number) {
        const auto& [code, description] = shown[number - 1];
        level(number).code->setText(code->text());
        m_module.LoadingOpenJob = true;
        level(number).description->setText(description->text());
        m_module.LoadingOpenJob = false;
    }

    if (variant == LookupVariant::Enter)
        Command2->setFocus();
}

void JobCosting::lockBadgeBox()
{
    // Qt would hand the focus on to the next control that takes it, Exit or a
    // Cancel as the case may be, where a reader's Enter or a stray one would
    // press it. The window itself does nothing with a key.
    if (focusWidget() == Text34)
        setFocus(Qt::OtherFocusReason);
    Text34->setEnabled(false);
}

bool JobCosting::openJobHasBonus() const
{
    // Only the deepest level that carries a description counts.
    for (int number = 3; number >= 1; --number) {
        const QString prefix = QStringLiteral("Level%1").arg(number);
        if (Data1->fieldText(prefix + QStringLiteral("Description")).isEmpty())
            continue;
        // The rate as the table holds it: its text would follow the regional
        // decimal separator. A missing rate counts as zero.
        return Data1->field(prefix + QStringLiteral("BonusRate")).toDouble() > 0;
    }
    return false;
}
