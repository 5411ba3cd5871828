// Drives the real punch screen through whole steps on generated sites and
// times each step's handler beside the raw SQLite statements the step needs,
// and the program's start beside a bare Qt window, all in the same run.
//
//   bench_punch [--punches 1000,100000,1000000] [--employees 50000]
//               [--items 10,50000] [--runs 25] [--starts 25] [--dir DIR]
//
// The sites are generated first, under DIR (default: the temporary folder; it
// should be a local disk, as a site's files are). Every measurement then runs
// in a child process, so that its start and its peak memory are its own:
// bench_punchstart for the program's start (the installed program's libraries
// and steps), bench_barewindow for the bare Qt window (a Qt Widgets program
// that shows an empty window and nothing else) and this program with --steps
// for the steps. The children use the platform of QT_QPA_PLATFORM (offscreen
// when it is not set).

#include "ProcessMemory.h"
#include "ReadyWatch.h"
#include "ScriptedDialogs.h"
#include "SiteBuilder.h"
#include "TestServices.h"
#include "app/Application.h"
#include "data/DataSource.h"
#include "data/OpenDatabaseFile.h"
#include "data/SiteModel.h"
#include "punch/JobCosting.h"
#include "punch/Module1.h"
#include "ui/DbCombo.h"
#include "ui/FormMetrics.h"
#include "ui/PictureButton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);

double quantile(QList<double> values, double fraction)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(qsizetype(fraction * (values.size() - 1) + 0.5));
}

double median(const QList<double>& values)
{
    return quantile(values, 0.5);
}

// Wall-clock and CPU milliseconds of some work. The CPU time leaves out the
// waits: the disk flushes, and the other programs on a busy machine.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

Timing timed(const std::function<void()>& work)
{
    const double cpuBefore = threadCpuMs();
    QElapsedTimer timer;
    timer.start();
    work();
    return {timer.nsecsElapsed() / 1e6, threadCpuMs() - cpuBefore};
}

double elapsedMs(const std::function<void()>& work)
{
    return timed(work).wall;
}

QString loadAverage()
{
    QFile file(u"/proc/loadavg"_s);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(u' ', 0, 2)
                                          : u"?"_s;
}

// A measurement that went wrong; main() reports it, after the sites are removed.
struct Failure
{
    QString what;
};

[[noreturn]] void fail(const QString& what)
{
    throw Failure {what};
}

void drainEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The child's last line for the parent: what it measured.
void tell(const QString& line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

// ---------------------------------------------------------------------------
// The raw statements a step needs, on a connection of their own with the
// program's durability (the write-ahead log, synchronous=FULL).

class Raw
{
public:
    explicit Raw(const QString& file, const QString& name)
        : m_name(name)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        db.setDatabaseName(file);
        if (!db.open())
            fail(db.lastError().text());
        exec(u"PRAGMA journal_mode = WAL"_s);
        exec(u"PRAGMA synchronous = FULL"_s);
    }
    ~Raw()
    {
        m_queries.clear();
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    // Runs a statement; reads every value of its first row, as a cursor does.
    QVariantList exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery& query = prepared(sql);
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (!query.exec())
            fail(sql + u": "_s + query.lastError().text());
        QVariantList row;
        if (query.isSelect() && query.next()) {
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i);
        }
        query.finish();
        return row;
    }

private:
    QSqlQuery& prepared(const QString& sql)
    {
        auto found = m_queries.find(sql);
        if (found == m_queries.end()) {
            auto query = std::make_unique<QSqlQuery>(db());
            query->setForwardOnly(true);
            if (!query->prepare(sql))
                fail(sql + u": "_s + query->lastError().text());
            found = m_queries.emplace(sql, std::move(query)).first;
        }
        return *found->second;
    }

    QString m_name;
    std::map<QString, std::unique_ptr<QSqlQuery>> m_queries;
};

const QString punchColumns = u"Name, Badge, DateWorked, TimeStart, TimeStop, Level1Description, "
                             "Level1ItemCode, Level1ItemDescription, Level1StandardCost, "
                             "Level1BonusRate, Level2Description, Level2ItemCode, "
                             "Level2ItemDescription, Level2StandardCost, Level2BonusRate, "
                             "Level3Description, Level3ItemCode, Level3ItemDescription, "
                             "Level3StandardCost, Level3BonusRate, Pieces, EmpNum, DeptNum, "
                             "BaseRate"_s;

QVariantList punchValues(const QString& name)
{
    return {name, u"Open"_s, u"2004-02-26"_s, u"14:05:07"_s, u"14:05:07"_s, u"Level 1"_s,
        u"10025"_s, u"Item 25 of level 1"_s, 12.5, 0.0, u"Level 2"_s, u"20025"_s,
        u"Item 25 of level 2"_s, 12.5, 0.0, u"Level 3"_s, u"30025"_s, u"Item 25 of level 3"_s, 12.5,
        0.0, 0.0, 25001, 20, 15.25};
}

QString insertPunch()
{
    return u"INSERT INTO JobPunches ("_s + punchColumns + u") VALUES ("_s
        + QStringList(24, u"?"_s).join(u", "_s) + u')';
}

// ---------------------------------------------------------------------------
// The steps, driven through the real widgets.

struct Step
{
    QString name;
    QList<double> handler;
    QList<double> cpu;
    QList<double> raw;
    // Handler over raw statement, each pair timed back to back, so that both
    // meet the same disk.
    QList<double> pairRatios;
    QString note;

    void record(const Timing& timing)
    {
        handler << timing.wall;
        cpu << timing.cpu;
    }
    void recordPair(const Timing& timing, double rawMs)
    {
        record(timing);
        raw << rawMs;
        if (rawMs > 0)
            pairRatios << timing.wall / rawMs;
    }
};

// One step's line for the parent: its medians, and the paired ratios where
// the step was timed in pairs.
void tellStep(const Step& step, const QString& name)
{
    QString note = step.note;
    if (!step.pairRatios.isEmpty()) {
        note = u"median of %1 paired ratios %2x, middle half %3x-%4x"_s.arg(step.pairRatios.size())
                   .arg(median(step.pairRatios), 0, 'f', 2)
                   .arg(quantile(step.pairRatios, 0.25), 0, 'f', 2)
                   .arg(quantile(step.pairRatios, 0.75), 0, 'f', 2);
    }
    tell(u"step|%1|%2|%3|%4|%5"_s.arg(name)
             .arg(median(step.handler))
             .arg(median(step.cpu))
             .arg(step.raw.isEmpty() ? -1 : median(step.raw))
             .arg(note));
}

// The program's save and the raw statement by turns, the raw one first in
// odd rounds, so that neither always follows the other's flush.
void timePair(
    int round, Step& step, const std::function<void()>& save, const std::function<void()>& rawSave)
{
    Timing timing;
    double rawMs = 0;
    if (round % 2) {
        rawMs = elapsedMs(rawSave);
        timing = timed(save);
    } else {
        timing = timed(save);
        rawMs = elapsedMs(rawSave);
    }
    step.recordPair(timing, rawMs);
}

class Steps
{
public:
    Steps(TestServices& services, Module1& module, JobCosting& screen, int employees, int items)
        : m_services(services)
        , m_module(module)
        , m_screen(screen)
        , m_employees(employees)
        , m_items(items)
    { }

    void run(int round, Raw& punches, Raw& validations, Raw& timeClock);
    const QList<Step>& steps() const { return m_steps; }

private:
    Step& step(const QString& name)
    {
        for (Step& each : m_steps) {
            if (each.name == name)
                return each;
        }
        m_steps.append({name, {}, {}, {}, {}, {}});
        return m_steps.last();
    }
    void expect(bool condition, const QString& what)
    {
        if (!condition)
            fail(what + u" (dialogs: "_s + m_services.dialogs.texts().join(u" / "_s) + u')');
    }
    Timing typeBadge(const QString& badge);
    void openAndScrollList(DbCombo* combo);

    TestServices& m_services;
    Module1& m_module;
    JobCosting& m_screen;
    int m_employees;
    int m_items;
    QList<Step> m_steps;
};

// Types the badge; the time is that of the sixth key, which runs the lookup.
Timing Steps::typeBadge(const QString& badge)
{
    QTest::keyClicks(m_screen.Text34, badge.left(5));
    drainEvents();
    const Timing timing = timed([&] { QTest::keyClick(m_screen.Text34, badge.at(5).toLatin1()); });
    drainEvents();
    return timing;
}

void Steps::openAndScrollList(DbCombo* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow = combo->style()->subControlRect(
        QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    step(u"open a pull-down"_s).record(timed([&] {
        QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
    }));
    drainEvents();
    QAbstractItemView* list = combo->view();
    expect(list->isVisible(), u"the pull-down did not open"_s);
    const int before = combo->count();
    step(u"scroll to the end of its list"_s).record(timed([&] { list->scrollToBottom(); }));
    const int read = combo->count();
    if (m_items > before)
        expect(read > before, u"scrolling read nothing"_s);
    step(u"scroll to the end of its list"_s).note
        = u"%1 of %2 items read after one scroll"_s.arg(read).arg(m_items);
    combo->hidePopup();
    drainEvents();
    expect(!list->isVisible(), u"the pull-down did not close"_s);
}

void Steps::run(int round, Raw& punches, Raw& validations, Raw& timeClock)
{
    ScriptedDialogs& dialogs = m_services.dialogs;
    dialogs.clear();
    // Workers from the middle of the staff: none of them has a job open.
    const int number = m_employees / 2 + round + 1;
    const QString badge = u"%1"_s.arg(number, 6, 10, QLatin1Char('0'));
    const QString name = u"Worker %1"_s.arg(number);

    const Timing toNewJob = typeBadge(badge);
    expect(m_screen.Label2->text() == "You are about to start working on a new Job"_L1,
        u"badge %1 did not reach new-job mode"_s.arg(badge));
    step(u"badge to new-job mode"_s).record(toNewJob);
    // The pull-downs become editable when first shown: the first badge pays for it.
    if (round == 0)
        step(u"the first of them after start"_s).record(toNewJob);
    step(u"badge to new-job mode"_s).raw << elapsedMs([&] {
        timeClock.exec(u"SELECT * FROM EMPLOYEES WHERE Badge = ? LIMIT 1"_s, {badge});
        punches.exec(
            u"SELECT * FROM JobPunches WHERE Badge = 'Open' AND Name = ? LIMIT 1"_s, {name});
        for (int level = 1; level <= 3; ++level)
            validations.exec(
                u"SELECT * FROM Level%1 ORDER BY ItemDescription LIMIT 1"_s.arg(level));
    });

    const int item = (m_items / 2 + round) % m_items + 1;
    QLineEdit* const boxes[] = {m_screen.Text3, m_screen.Text4, m_screen.Text5};
    QWidget* const next[] = {m_screen.Text4, m_screen.Text5, m_screen.Command1};
    for (int level = 1; level <= 3; ++level) {
        QLineEdit* box = boxes[level - 1];
        expect(QApplication::focusWidget() == box, u"no focus in the level %1 box"_s.arg(level));
        const QString code = SiteBuilder::largeItemCode(level, item, m_items);
        QTest::keyClicks(box, code);
        drainEvents();
        const QString title = u"item code, level %1"_s.arg(level);
        step(title).record(timed([&] { QTest::keyClick(box, Qt::Key_Return); }));
        drainEvents();
        expect(QApplication::focusWidget() == next[level - 1],
            u"code %1 was not taken at level %2"_s.arg(code).arg(level));
        step(title).raw << elapsedMs([&] {
            validations.exec(
                u"SELECT * FROM Level%1 WHERE ItemCode = ? LIMIT 1"_s.arg(level), {code});
        });
    }
    expect(m_screen.DBCombo3->text() == SiteBuilder::largeItemDescription(3, item),
        u"the level 3 pull-down does not show its item"_s);

    openAndScrollList(m_screen.DBCombo3);

    dialogs.answer(Dialogs::Answer::Ok);
    timePair(
        round, step(u"Start Job"_s), [&] { QTest::mouseClick(m_screen.Command1, Qt::LeftButton); },
        [&] { punches.exec(insertPunch(), punchValues(u"Raw "_s + name)); });
    drainEvents();
    expect(m_screen.Text34->isEnabled() && QApplication::focusWidget() == m_screen.Text34,
        u"Start Job did not return to badge entry"_s);
    // The raw job stays open until the raw update closes it, as the program's does.
    const QVariant rawId
        = punches
              .exec(u"SELECT ID FROM JobPunches WHERE Badge = 'Open' AND Name = ?"_s,
                  {QVariant(u"Raw "_s + name)})
              .value(0);

    const Timing toEndJob = typeBadge(badge);
    expect(m_screen.Label1->text() == "Current Job Allocation"_L1,
        u"badge %1 did not reach end-job mode"_s.arg(badge));
    step(u"badge to end-job mode"_s).record(toEndJob);
    step(u"badge to end-job mode"_s).raw << elapsedMs([&] {
        timeClock.exec(u"SELECT * FROM EMPLOYEES WHERE Badge = ? LIMIT 1"_s, {badge});
        punches.exec(
            u"SELECT * FROM JobPunches WHERE Badge = 'Open' AND Name = ? LIMIT 1"_s, {name});
    });

    if (m_module.OpenJobHasBonus) {
        dialogs.type(u"12"_s);
        dialogs.answer(Dialogs::Answer::Yes);
    } else {
        dialogs.answer(Dialogs::Answer::Yes);
    }
    const QVariant id
        = punches
              .exec(
                  u"SELECT ID FROM JobPunches WHERE Badge = 'Open' AND Name = ? LIMIT 1"_s, {name})
              .value(0);
    timePair(
        round, step(u"End Job"_s), [&] { QTest::mouseClick(m_screen.Command2, Qt::LeftButton); },
        [&] {
            punches.exec(
                u"UPDATE JobPunches SET Badge = 'Closed', TimeStop = ?, Pieces = ? WHERE ID = ?"_s,
                {u"15:05:07"_s, 12.0, rawId});
        });
    drainEvents();
    expect(
        dialogs.problems().isEmpty(), u"the dialogs were not as scripted: "_s + dialogs.problems());
    expect(
        punches.exec(u"SELECT Badge FROM JobPunches WHERE ID = ?"_s, {id}).value(0) == u"Closed"_s,
        u"End Job did not close the job"_s);
    punches.exec(u"DELETE FROM JobPunches WHERE ID = ?"_s, {rawId});
}

// Median milliseconds of one raw insert into JobPunches on a connection with
// the given journal and synchronous settings; each row is removed untimed.
double rawInsertMs(
    const QString& file, const QString& journal, const QString& synchronous, int runs)
{
    QList<double> times;
    {
        Raw raw(file, u"insert-"_s + journal + synchronous);
        raw.exec(u"PRAGMA journal_mode = "_s + journal);
        raw.exec(u"PRAGMA synchronous = "_s + synchronous);
        for (int i = 0; i < runs; ++i) {
            times << elapsedMs([&] { raw.exec(insertPunch(), punchValues(u"Probe"_s)); });
            raw.exec(u"DELETE FROM JobPunches WHERE Name = 'Probe'"_s);
        }
        raw.exec(u"PRAGMA journal_mode = WAL"_s);
    }
    return median(times);
}

int punchSteps(int argc, char* argv[], const QString& site, int employees, int items, int runs)
{
    prepareProcess();
    QApplication application(argc, argv);
    QDir::setCurrent(site);
    TestServices services;
    Module1 module;

    auto screen = std::make_unique<JobCosting>(services.services, module);
    PaintWatch watch;
    screen->installEventFilter(&watch);
    const Timing start = timed([&] {
        screen->load();
        screen->show();
        screen->activateWindow();
        if (!waitUntilReady(screen.get(), watch, screen->Text34))
            fail(u"the window never became ready"_s);
    });
    const long startPeak = processKilobytes("VmHWM");

    QList<double> rawStart;
    for (int i = 0; i < runs; ++i) {
        rawStart << elapsedMs([&] {
            Raw punches(SiteModel::jobPunchesFile, u"start-punches"_s);
            Raw validations(SiteModel::validationsFile, u"start-validations"_s);
            Raw timeClock(SiteModel::timeClockFile, u"start-timeclock"_s);
            timeClock.exec(u"DELETE FROM WORK"_s);
            timeClock.exec(u"INSERT INTO WORK (NAME, CLOCKWE) VALUES ('TestDate', '2004-02-26')"_s);
            timeClock.exec(u"SELECT * FROM WORK WHERE NAME = 'TestDate' LIMIT 1"_s);
            timeClock.exec(u"SELECT * FROM EMPLOYEES LIMIT 1"_s);
            punches.exec(u"SELECT * FROM JobPunches WHERE Badge = 'Open' LIMIT 1"_s);
            for (int level = 1; level <= 3; ++level)
                validations.exec(u"SELECT * FROM Level%1 LIMIT 1"_s.arg(level));
        });
    }

    {
        Raw punches(SiteModel::jobPunchesFile, u"punches"_s);
        Raw validations(SiteModel::validationsFile, u"validations"_s);
        Raw timeClock(SiteModel::timeClockFile, u"timeclock"_s);
        Steps steps(services, module, *screen, employees, items);
        for (int round = 0; round < runs; ++round)
            steps.run(round, punches, validations, timeClock);
        tell(u"step|start to ready (in the process)|%1|%2|%3|"_s.arg(start.wall)
                 .arg(start.cpu)
                 .arg(median(rawStart)));
        for (const Step& step : steps.steps())
            tellStep(step, step.name);

        // The saves once more without the flush, the program's and the raw
        // statements' alike: the handlers' own time, kernel included.
        const QString unflushed = u"PRAGMA synchronous = OFF"_s;
        QSqlQuery(unflushed, openDatabaseFile(SiteModel::jobPunchesFile)->database());
        punches.exec(unflushed);
        Steps again(services, module, *screen, employees, items);
        for (int round = runs; round < 2 * runs; ++round)
            again.run(round, punches, validations, timeClock);
        for (const Step& step : again.steps()) {
            if (step.name == "Start Job"_L1 || step.name == "End Job"_L1)
                tellStep(step, step.name + u", no flush (synchronous=OFF)"_s);
        }
        QSqlQuery(u"PRAGMA synchronous = FULL"_s,
            openDatabaseFile(SiteModel::jobPunchesFile)->database());
    }
    tell(u"memory|%1|%2"_s.arg(startPeak).arg(processKilobytes("VmHWM")));

    // Fixed costs, measured on their own.
    {
        const RegionalSettings& regional = services.regional;
        QList<double> parse;
        for (int i = 0; i < 21; ++i)
            parse << elapsedMs([&] { regional.parseNumber(u"12"_s); });
        DataSource data(u"Data1"_s, SiteModel::jobPunchesFile,
            u"select * from JobPunches where Badge = 'Open'"_s, false, regional);
        QList<double> refresh, tableInfo;
        Raw punches(SiteModel::jobPunchesFile, u"fixed"_s);
        for (int i = 0; i < runs; ++i) {
            refresh << elapsedMs([&] { data.refresh(); });
            tableInfo << elapsedMs(
                [&] { punches.exec(u"SELECT name, type FROM pragma_table_info('JobPunches')"_s); });
        }
        DataSource level(u"Data4"_s, SiteModel::validationsFile,
            u"select * from Level3 order by ItemDescription"_s, true, regional);
        level.refresh();
        QList<double> deepWindow;
        for (int i = 0; i < runs; ++i) {
            deepWindow << elapsedMs(
                [&] { level.windowTexts(u"ItemDescription"_s, std::max(0, items - 100), 100); });
        }
        // The writes alone: Start Job's row and End Job's edit through a data
        // source, each timed in a pair with the raw statement it comes down
        // to, on the same file with the same durability.
        DataSource writer(u"Data9"_s, SiteModel::jobPunchesFile,
            u"select * from JobPunches where Name = 'Write probe' and Badge = 'Open'"_s, false,
            regional);
        writer.refresh();
        const QStringList columns = punchColumns.split(u", "_s);
        const auto values = [](const QString& name, const QString& badge) {
            QVariantList row = punchValues(name);
            row[1] = badge;
            return row;
        };
        // The data source is given dates and times as the screen gives them.
        const auto typed = [](QVariantList row) {
            row[2] = QDate::fromString(row.at(2).toString(), Qt::ISODate);
            row[3] = QTime::fromString(row.at(3).toString(), Qt::ISODate);
            row[4] = QTime::fromString(row.at(4).toString(), Qt::ISODate);
            return row;
        };
        const QString closeRaw
            = u"UPDATE JobPunches SET TimeStop = ?, Pieces = ?, Badge = 'Closed' "
              "WHERE Name = 'Raw probe' AND Badge = 'Open'"_s;
        Step insert {u"Start Job's write: a row through the data source"_s, {}, {}, {}, {}, {}};
        Step close {u"End Job's write: an edit through the data source"_s, {}, {}, {}, {}, {}};
        for (int round = 0; round < runs; ++round) {
            timePair(
                round, insert,
                [&] {
                    writer.addNew();
                    const QVariantList row = typed(values(u"Write probe"_s, u"Closed"_s));
                    for (qsizetype i = 0; i < columns.size(); ++i)
                        writer.setField(columns.at(i), row.at(i));
                    writer.save();
                },
                [&] { punches.exec(insertPunch(), values(u"Raw probe"_s, u"Closed"_s)); });
            punches.exec(insertPunch(), values(u"Write probe"_s, u"Open"_s));
            punches.exec(insertPunch(), values(u"Raw probe"_s, u"Open"_s));
            writer.refresh();
            timePair(
                round, close,
                [&] {
                    writer.edit();
                    writer.setField(u"TimeStop"_s, QTime(16, 6, 7));
                    writer.setField(u"Pieces"_s, 12.0);
                    writer.setField(u"Badge"_s, u"Closed"_s);
                    writer.save();
                },
                [&] {
                    punches.exec(closeRaw, {u"16:06:07"_s, 12.0});
                });
        }
        punches.exec(u"DELETE FROM JobPunches WHERE Name IN ('Write probe', 'Raw probe')"_s);
        tellStep(insert, insert.name);
        tellStep(close, close.name);
        tell(u"fixed|parseNumber, one call|%1"_s.arg(median(parse)));
        tell(u"fixed|the last window of a pull-down's list|%1"_s.arg(median(deepWindow)));
        tell(u"fixed|refresh of the open-job query|%1"_s.arg(median(refresh)));
        tell(u"fixed|its column-list read (pragma_table_info)|%1"_s.arg(median(tableInfo)));
    }
    screen.reset();
    const QString file = QDir(site).filePath(SiteModel::jobPunchesFile);
    tell(u"fixed|insert, rollback journal, synchronous=FULL|%1"_s.arg(
        rawInsertMs(file, u"DELETE"_s, u"FULL"_s, runs)));
    tell(u"fixed|insert, write-ahead log, synchronous=FULL|%1"_s.arg(
        rawInsertMs(file, u"WAL"_s, u"FULL"_s, runs)));
    tell(u"fixed|insert, write-ahead log, no flush (synchronous=OFF)|%1"_s.arg(
        rawInsertMs(file, u"WAL"_s, u"OFF"_s, runs)));
    return 0;
}

// ---------------------------------------------------------------------------
// The parent: builds the sites, runs the children, prints the tables.

// Runs a program as a child (by default this one); its output lines. With
// wallMs, the time from the start of the child to its first line (its "ready").
QStringList runChild(const QStringList& arguments, double* wallMs = nullptr,
    const QString& program = QCoreApplication::applicationFilePath())
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    QByteArray output;
    if (wallMs) {
        while (!output.contains('\n') && child.waitForReadyRead(-1))
            output += child.readAll();
        *wallMs = timer.nsecsElapsed() / 1e6;
    }
    child.waitForFinished(-1);
    output += child.readAll();
    const QStringList lines = QString::fromLocal8Bit(output).split(u'\n', Qt::SkipEmptyParts);
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        fail(u"a measurement failed: "_s + arguments.join(u' ') + u"\n"_s + lines.join(u'\n'));
    return lines;
}

QString ratio(double value, double anchor)
{
    return anchor > 0 ? u"%1x"_s.arg(value / anchor, 0, 'f', 2) : u"-"_s;
}

void printConfiguration(const QString& site, int employees, int items, int runs, int starts)
{
    const QString loadBefore = loadAverage();
    // Start to ready: the program and the bare windows, by turns.
    QList<double> bare, captioned, punch, barePeak, punchPeak;
    QList<QList<double>> phases(8), barePhases(4);
    const QString startProgram = QCoreApplication::applicationDirPath() + u"/bench_punchstart"_s;
    const QString bareProgram = QCoreApplication::applicationDirPath() + u"/bench_barewindow"_s;
    const QSize size = FormMetrics::size(7260, 5835);
    const QStringList bareSize {QString::number(size.width()), QString::number(size.height())};
    for (int i = 0; i < starts; ++i) {
        double ms = 0;
        const QStringList bareReady = runChild(bareSize, &ms, bareProgram).value(0).split(u' ');
        barePeak << bareReady.value(1).toDouble();
        for (int phase = 0; phase < 4; ++phase)
            barePhases[phase] << bareReady.value(2 + phase).toDouble();
        bare << ms;
        runChild(QStringList {u"--caption"_s} + bareSize, &ms, bareProgram);
        captioned << ms;
        const QStringList ready = runChild({site}, &ms, startProgram).value(0).split(u' ');
        punch << ms;
        punchPeak << ready.value(1).toDouble();
        for (int phase = 0; phase < 8; ++phase)
            phases[phase] << ready.value(2 + phase).toDouble();
    }
    const QStringList lines
        = runChild({u"--steps"_s, site, u"--employees"_s, QString::number(employees), u"--items"_s,
            QString::number(items), u"--runs"_s, QString::number(runs)});

    const auto row = [](const QString& name, const QString& wall, const QString& cpu,
                         const QString& raw, const QString& ratio) {
        return u"  %1 %2 %3 %4 %5"_s.arg(name, -36).arg(wall, 11).arg(cpu, 9).arg(raw, 11).arg(
            ratio, 8);
    };
    const auto number = [](double value) {
        return QString::number(value, 'f', 3);
    };
    out << row(u"step"_s, u"handler ms"_s, u"CPU ms"_s, u"raw SQL ms"_s, u"ratio"_s) << Qt::endl;
    out << row(u"start to ready (process)"_s, number(median(punch)), {}, {},
        ratio(median(punch), median(bare)))
        << u"   (bare window %1 ms; with one label %2 ms, the program %3 of that)"_s
               .arg(median(bare), 0, 'f', 1)
               .arg(median(captioned), 0, 'f', 1)
               .arg(ratio(median(punch), median(captioned)))
        << Qt::endl;
    // Each round starts the two one after the other, on the machine as it is
    // then: the ratios of the rounds leave out how it changes between rounds.
    QList<double> rounds;
    for (qsizetype i = 0; i < punch.size(); ++i)
        rounds << punch.at(i) / bare.at(i);
    out << u"    median of %1 rounds' ratios %2x, middle half %3x-%4x"_s.arg(rounds.size())
               .arg(median(rounds), 0, 'f', 2)
               .arg(quantile(rounds, 0.25), 0, 'f', 2)
               .arg(quantile(rounds, 0.75), 0, 'f', 2)
        << Qt::endl;
    QStringList phaseTexts;
    const QStringList phaseNames {
        u"QApplication"_s, u"screen built"_s, u"load"_s, u"shown and painted"_s};
    for (int phase = 0; phase < 4; ++phase) {
        phaseTexts << u"%1 %2 ms (CPU %3)"_s.arg(phaseNames.at(phase))
                          .arg(median(phases[2 * phase]), 0, 'f', 1)
                          .arg(median(phases[2 * phase + 1]), 0, 'f', 1);
    }
    out << u"    phases in main(): "_s << phaseTexts.join(u", "_s) << Qt::endl;
    out << u"    the bare window's: QApplication %1 ms (CPU %2), shown and painted %3 ms (CPU %4)"_s
               .arg(median(barePhases[0]), 0, 'f', 1)
               .arg(median(barePhases[1]), 0, 'f', 1)
               .arg(median(barePhases[2]), 0, 'f', 1)
               .arg(median(barePhases[3]), 0, 'f', 1)
        << Qt::endl;
    for (const QString& line : lines) {
        const QStringList fields = line.split(u'|');
        if (fields.value(0) == "step"_L1) {
            const double handler = fields.value(2).toDouble(), raw = fields.value(4).toDouble();
            out << row(fields.value(1), number(handler), number(fields.value(3).toDouble()),
                raw < 0 ? QString() : number(raw), raw < 0 ? QString() : ratio(handler, raw));
            if (!fields.value(5).isEmpty())
                out << "   (" << fields.value(5) << ')';
            out << Qt::endl;
        } else if (fields.value(0) == "memory"_L1) {
            const double bareKb = median(barePeak);
            out << u"  peak memory: bare window %1 MB; the program at ready %2 MB (%3), after "
                   "the steps %4 MB (%5)"_s.arg(bareKb / 1024, 0, 'f', 1)
                       .arg(median(punchPeak) / 1024, 0, 'f', 1)
                       .arg(ratio(median(punchPeak), bareKb))
                       .arg(fields.value(2).toDouble() / 1024, 0, 'f', 1)
                       .arg(ratio(fields.value(2).toDouble(), bareKb))
                << Qt::endl;
        } else if (fields.value(0) == "fixed"_L1) {
            out << u"  fixed cost: %1 %2 ms"_s.arg(fields.value(1), -48)
                       .arg(fields.value(2).toDouble(), 8, 'f', 3)
                << Qt::endl;
        }
    }
    out << u"  load average before and after: %1 / %2"_s.arg(loadBefore, loadAverage()) << Qt::endl;
}

int parent(const QCommandLineParser& parser, const QCommandLineOption& punchesOption,
    const QCommandLineOption& employeesOption, const QCommandLineOption& itemsOption,
    const QCommandLineOption& runsOption, const QCommandLineOption& startsOption,
    const QCommandLineOption& dirOption)
{
    const int employees = parser.value(employeesOption).toInt();
    const int runs = std::max(1, parser.value(runsOption).toInt());
    const int starts = std::max(1, parser.value(startsOption).toInt());
    QList<int> itemCounts;
    for (const QString& count : parser.value(itemsOption).split(u','))
        itemCounts << count.toInt();
    const QString base = parser.isSet(dirOption) ? parser.value(dirOption) : QDir::tempPath();
    QTemporaryDir root(QDir(base).filePath(u"bench_punch-XXXXXX"_s));
    if (!root.isValid())
        fail(u"cannot make a folder under "_s + base);

    // One validation file per item count, made once.
    std::map<int, QString> validations;
    for (const int items : itemCounts) {
        const QString dir = root.filePath(u"levels-%1"_s.arg(items));
        SiteBuilder::create(dir);
        SiteBuilder::fillLarge(dir, 0, 0, items);
        validations[items] = QDir(dir).filePath(SiteModel::validationsFile);
    }

    out << "Medians. Handler: the widget event that runs the step (key, Enter or click), "
           "dialogs answered by script; CPU: its CPU time, which leaves out the wait for the disk "
           "but not the kernel's share of a write; "
           "raw SQL: the statements the step needs, on a connection of their own with the "
           "same durability. Platform: "
        << qEnvironmentVariable("QT_QPA_PLATFORM") << Qt::endl;
    for (const QString& size : parser.value(punchesOption).split(u',')) {
        const qint64 punches = size.toLongLong();
        const QString site = root.filePath(u"site-%1"_s.arg(punches));
        QElapsedTimer generation;
        generation.start();
        try {
            SiteBuilder::create(site);
            SiteBuilder::fillLarge(site, employees, punches, itemCounts.value(0, 10));
        } catch (const SiteBuilder::Error& error) {
            fail(u"cannot build the site: "_s + QString::fromLocal8Bit(error.what()));
        }
        const double built = generation.elapsed() / 1000.0;
        for (const int items : itemCounts) {
            const QString target = QDir(site).filePath(SiteModel::validationsFile);
            if (!QFile::remove(target) || !QFile::copy(validations[items], target))
                fail(u"cannot put the level tables in place"_s);
            // The site's files on the disk first, so that no flush measured waits for them.
            ::sync();
            out << Qt::endl
                << u"%1 punches, %2 employees, %3 items per level (site built in %4 s)"_s
                       .arg(punches)
                       .arg(employees)
                       .arg(items)
                       .arg(built, 0, 'f', 1)
                << Qt::endl;
            printConfiguration(site, employees, items, runs, starts);
        }
        QDir(site).removeRecursively();
    }
    return 0;
}

int run(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto value = [&](const char* option) {
        const qsizetype at = arguments.indexOf(QString::fromLatin1(option));
        return at >= 0 ? arguments.value(at + 1) : QString();
    };
    if (arguments.contains("--steps"_L1))
        return punchSteps(argc, argv, value("--steps"), value("--employees").toInt(),
            value("--items").toInt(), std::max(1, value("--runs").toInt()));

    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Times whole steps of the punch screen on generated sites, beside the raw SQLite "
        "statements each step needs and a bare Qt window."_s);
    parser.addHelpOption();
    const QCommandLineOption punches(
        u"punches"_s, u"Comma-separated job-punch counts."_s, u"list"_s, u"1000,100000,1000000"_s);
    const QCommandLineOption employees(u"employees"_s, u"Employees."_s, u"N"_s, u"50000"_s);
    const QCommandLineOption items(
        u"items"_s, u"Comma-separated items per level table."_s, u"list"_s, u"10,50000"_s);
    const QCommandLineOption runs(u"runs"_s, u"Rounds of the steps."_s, u"N"_s, u"25"_s);
    const QCommandLineOption starts(
        u"starts"_s, u"Starts of the program and of the bare window."_s, u"N"_s, u"25"_s);
    const QCommandLineOption dir(u"dir"_s, u"Where the sites are made."_s, u"DIR"_s);
    parser.addOptions({punches, employees, items, runs, starts, dir});
    parser.process(application);
    return parent(parser, punches, employees, items, runs, starts, dir);
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        return run(argc, argv);
    } catch (const Failure& failure) {
        out << "bench_punch: " << failure.what << Qt::endl;
        return 1;
    }
}
