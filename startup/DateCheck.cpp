#include "DateCheck.h"

#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/DatabaseFile.h"
#include "data/OpenDatabaseFile.h"
#include "data/SiteModel.h"
#include "data/Transaction.h"
#include "program/Program.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/Dialogs.h"
#include "ui/FormMetrics.h"
#include "ui/HiddenBox.h"

#include <QLabel>

namespace {

const QString workQuery = QStringLiteral("Select * from WORK");

QString operatorInstructions()
{
    // The steps keep their numbers in every language.
    const QStringList lines {
        DateCheck::tr("The Short Date Style on this Pc is Invalid!"),
        QString(),
        DateCheck::tr("To correct, do the following;"),
        QStringLiteral("1.  ") + DateCheck::tr("Exit Ostrel"),
        QStringLiteral("2.  ") + DateCheck::tr("Click Start"),
        QStringLiteral("3.  ") + DateCheck::tr("Click Settings"),
        QStringLiteral("4.  ") + DateCheck::tr("Click Control Panel"),
        QStringLiteral("5.  ") + DateCheck::tr("Double-Click Regional Settings"),
        QStringLiteral("6.  ") + DateCheck::tr("Click Date Tab"),
        QStringLiteral("7.  ")
            + DateCheck::tr("Select the Short Date Style of MM/dd/yy or MM/dd/yyyy"),
        QStringLiteral("8.  ") + DateCheck::tr("Click Apply"),
        QStringLiteral("9.  ") + DateCheck::tr("Click OK"),
        QStringLiteral("10. ") + DateCheck::tr("Exit Control Panel and restart Ostrel"),
    };
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    return text;
}

// The time-clock database keeps the test row, unless it is a file that this
// program only reads (an Access file): the terminal's own job-punch database
// keeps it then.
QString workDatabase()
{
    try {
        if (!openDatabaseFile(SiteModel::timeClockFile)->hasFeature(DatabaseFile::Feature::Writes))
            return SiteModel::jobPunchesFile;
    } catch (const DataError&) {
        // The check's own refresh meets the same error and abandons the check.
    }
    return SiteModel::timeClockFile;
}

} // namespace

bool isValidShortDate(const QString& shortDateText)
{
    return shortDateText.size() >= 6 && shortDateText.at(2) == QLatin1Char('/')
        && shortDateText.at(5) == QLatin1Char('/');
}

DateCheck::DateCheck(const Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
{
    setObjectName(QStringLiteral("DateCheck"));
    setWindowTitle(tr("Date & Time Check"));
    setFont(FormMetrics::font(QStringLiteral("MS Sans Serif"), 8.25));
    resize(FormMetrics::size(5385, 870));

    Label1 = new QLabel(tr("Checking Pc Date & Time Settings"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(FormMetrics::font(QStringLiteral("MS Sans Serif"), 13.5, true));
    Label1->setAutoFillBackground(true);
    Label1->setGeometry(FormMetrics::rect(240, 240, 4800, 360));

    HiddenBox** boxes[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7};
    int number = 1;
    for (HiddenBox** box : boxes)
        *box = new HiddenBox(this, QStringLiteral("Text%1").arg(number++));

    Data1 = new DataSource(
        QStringLiteral("Data1"), workDatabase(), SiteModel::work, false, services.regional, this);
}

DateCheck::~DateCheck() = default;

void DateCheck::showEvent(QShowEvent* event)
{
    // Sized to its caption only when seen: the form mostly closes unseen, and
    // measuring the caption loads its font.
    Label1->adjustSize();
    QWidget::showEvent(event);
}

DateCheck::Outcome DateCheck::load()
{
    // The check's first step opens the table on its own query: the data
    // source is not first opened on the whole table as well.
    try {
        return runCheck();
    } catch (const DataError&) {
        return Outcome::Abandoned;
    }
}

DateCheck::Outcome DateCheck::runCheck()
{
    Data1->setRecordSource(workQuery);
    Data1->refresh();

    const RegionalSettings& regional = m_services.regional;
    const QDate testDate = regional.parseDate(regional.dateTimeText(m_services.clock.now()));

    {
        // The table emptied and the test row written together, or neither. The
        // row is read back at once and emptied at the next start, so the
        // commit does not wait for the disk.
        Transaction writes(
            Data1->databaseName(), SiteModel::work, Transaction::Durability::Scratch);
        ClearWorkTable();
        Data1->refresh();
        Data1->updateControls();

        Data1->addNew();
        Data1->setField(QStringLiteral("CLOCKWE"), testDate);
        Data1->setField(QStringLiteral("NAME"), QStringLiteral("TestDate"));
        Data1->save();
        writes.commit();
    }
    Data1->refresh();

    Data1->findFirst(QStringLiteral("NAME = '") + QStringLiteral("TestDate") + QStringLiteral("'"));
    if (Data1->noMatch())
        return Outcome::NoVerdict;

    Text7->setText(regional.dateText(Data1->field(QStringLiteral("CLOCKWE")).toDate()));
    if (isValidShortDate(Text7->text())) {
        close();
        return Outcome::Passed;
    }

    m_services.dialogs.stop(tr("Punch - Operator Instruction"), operatorInstructions());
    // The instructions speak of the design's Windows; the log says what to set here.
    m_services.program.end(ExitStatus::NeedsPerson,
        QStringLiteral("The short date style of this machine (%1: today is %2) does not put '/' "
                       "as its 3rd and 6th characters. Choose a locale whose dates do, such as "
                       "en_US.UTF-8, in LC_ALL, LC_TIME or LANG.")
            .arg(regional.shortDatePattern(), Text7->text()));
    return Outcome::Failed;
}

void DateCheck::ClearWorkTable()
{
    Data1->setRecordSource(workQuery);
    Data1->deleteAll();
}
