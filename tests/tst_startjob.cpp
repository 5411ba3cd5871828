#include "DiskFlushes.h"
#include "PunchScreen.h"
#include "data/DatabaseFile.h"
#include "data/OpenDatabaseFile.h"
#include "data/SiteModel.h"
#include "ui/DbCombo.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>
#include <functional>
#include <memory>

using Answer = Dialogs::Answer;
using namespace Qt::StringLiterals;

namespace {

const QString opening = u"You are about to start working on a new Job\n\n"_s;
const QString levels12 = u"Department\n    12  Assembly\n\nOperation\n    7  Weld\n\n"_s;

} // namespace

class TestStartJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { DatabaseFile::setLockWaitMs(testLockWaitMs); }
    void onlyFirstMissingLevelIsReported_data();
    void onlyFirstMissingLevelIsReported();
    void confirmation_data();
    void confirmation();
    void rowThatDidNotReachTheDiskIsReported_data();
    void rowThatDidNotReachTheDiskIsReported();
    void jobGoesIntoTheFileNowAtItsName();
    void readOnlyFileIsReadAndRefusedAtTheSave();
    void everySaveCostsOneFlush();
    void secondOpenJobIsRefused();
};

void TestStartJob::onlyFirstMissingLevelIsReported_data()
{
    QTest::addColumn<QStringList>("chosen"); // descriptions, empty for a level left open
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("focus"); // the clicked button keeps it for level 1

    QTest::newRow("nothing chosen") << QStringList {{}, {}, {}} << u"Department"_s << u"Command1"_s;
    QTest::newRow("levels 1 and 3 missing")
        << QStringList {{}, u"Weld"_s, {}} << u"Department"_s << u"Command1"_s;
    QTest::newRow("level 2 missing")
        << QStringList {u"Assembly"_s, {}, u"Bracket"_s} << u"Operation"_s << u"DBCombo2"_s;
    QTest::newRow("level 3 missing")
        << QStringList {u"Assembly"_s, u"Weld"_s, {}} << u"Part"_s << u"DBCombo3"_s;
}

void TestStartJob::onlyFirstMissingLevelIsReported()
{
    QFETCH(QStringList, chosen);
    QFETCH(QString, level);
    QFETCH(QString, focus);

    PunchScreen punch;
    QVERIFY(punch.open());
    punch.type(u"Text34"_s, u"000123"_s);
    for (int i = 0; i < 3; ++i) {
        if (!chosen.at(i).isEmpty())
            punch.choose(u"DBCombo%1"_s.arg(i + 1), chosen.at(i));
    }
    punch.services().dialogs.answer(Answer::Ok);

    punch.click(u"Command1"_s);

    VERIFY_DIALOGS(punch.services().dialogs);
    const auto& shown = punch.services().dialogs.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().message.text, u"You must select a valid "_s + level);
    QCOMPARE(shown.first().message.title, u"Job Costing - Operator Instruction"_s);
    QCOMPARE(shown.first().message.icon, Dialogs::Icon::Critical);
    QCOMPARE(shown.first().message.buttons, Dialogs::Buttons::Ok);
    QCOMPARE(punch.focused(), punch.find<QWidget>(focus));
    QVERIFY(punch.site().jobPunches().isEmpty());
    QCOMPARE(punch.find<QPushButton>(u"Command1"_s)->text(), u"New Job"_s);
}

void TestStartJob::confirmation_data()
{
    QTest::addColumn<QStringList>("validations"); // run on the site before the screen opens
    QTest::addColumn<QStringList>("punches");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QVariantMap>("written"); // fields of the one new row; none when empty

    const QString part3 = u"Part\n    3  Bracket\n\n"_s;
    QTest::newRow("Cancel writes nothing")
        << QStringList {} << QStringList {} << QStringList {u"12"_s, u"7"_s, u"3"_s}
        << Answer::Cancel << opening + levels12 + part3 << QVariantMap {};
    QTest::newRow("OK writes one open row")
        << QStringList {} << QStringList {} << QStringList {u"14"_s, u"8"_s, u"a-100"_s}
        << Answer::Ok
        << opening
            + u"Department\n    14  Machining\n\nOperation\n    8  Drill\n\nPart\n    A-100  Cover Plate\n\n"_s
        << QVariantMap {{u"Name"_s, u"Walter Brennan"_s}, {u"Badge"_s, u"Open"_s},
               {u"TimeStart"_s, u"14:05:07"_s}, {u"TimeStop"_s, u"14:05:07"_s}, {u"Pieces"_s, 0.0},
               {u"Level2ItemCode"_s, u"8"_s}, {u"Level3ItemCode"_s, u"A-100"_s},
               // The worker's employee values as the badge lookup found them.
               {u"EmpNum"_s, 123}, {u"DeptNum"_s, 10}, {u"BaseRate"_s, 18.5}};
    QTest::newRow("an unused level is left out of the prompt but written")
        << QStringList {u"DELETE FROM Level3"_s} << QStringList {} << QStringList {u"12"_s, u"7"_s}
        << Answer::Ok << opening + levels12
        << QVariantMap {{u"Level3Description"_s, u""_s}, {u"Level3ItemCode"_s, u""_s},
               {u"Level3ItemDescription"_s, u""_s}, {u"Level2ItemDescription"_s, u"Weld"_s}};
    QTest::newRow("a refused column keeps its default, the row is saved")
        << QStringList {u"UPDATE Level1 SET StandardCost = NULL WHERE ItemCode = '12'"_s}
        << QStringList {} << QStringList {u"12"_s, u"7"_s, u"3"_s} << Answer::Ok
        << opening + levels12 + part3
        << QVariantMap {{u"Level1StandardCost"_s, QVariant()},
               {u"Level1ItemDescription"_s, u"Assembly"_s}, {u"Level2StandardCost"_s, 6.5},
               {u"EmpNum"_s, 123}};
}

void TestStartJob::confirmation()
{
    QFETCH(QStringList, validations);
    QFETCH(QStringList, punches);
    QFETCH(QStringList, codes);
    QFETCH(Answer, answer);
    QFETCH(QString, prompt);
    QFETCH(QVariantMap, written);

    PunchScreen punch;
    for (const QString& statement : validations)
        punch.site().sql(SiteModel::validationsFile, statement);
    for (const QString& statement : punches)
        punch.site().sql(SiteModel::jobPunchesFile, statement);
    QVERIFY(punch.open());
    punch.type(u"Text34"_s, u"000123"_s);
    punch.enterCodes(codes);
    QCOMPARE(punch.focused(), punch.find<QWidget>(u"Command1"_s));
    punch.services().dialogs.answer(answer);

    punch.click(u"Command1"_s);

    VERIFY_DIALOGS(punch.services().dialogs);
    QCOMPARE(punch.services().dialogs.shown().size(), 1);
    const Dialogs::Message shown = punch.services().dialogs.shown().first().message;
    QCOMPARE(shown.text, prompt);
    QCOMPARE(shown.title, u"Job Costing - Operator Instruction"_s);
    QCOMPARE(shown.icon, Dialogs::Icon::None);
    QCOMPARE(shown.buttons, Dialogs::Buttons::OkCancel);
    QCOMPARE(shown.defaultButton, Answer::Ok);
    QCOMPARE(punch.badgeEntryProblems(), QString());

    const QList<QVariantMap> rows = punch.site().jobPunches();
    QCOMPARE(rows.size(), written.isEmpty() ? 0 : 1);
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        const QVariant value = rows.first().value(it.key());
        QVERIFY2(it->isValid() ? value == *it : value.isNull(), qPrintable(it.key()));
    }
    if (written.isEmpty())
        return;
    // The new job is what the same worker finds next time.
    punch.type(u"Text34"_s, u"000123"_s);
    QCOMPARE(punch.find<QPushButton>(u"Command2"_s)->text(), u"End Job"_s);
    QCOMPARE(punch.find<QLabel>(u"Label2"_s)->text(), u"Started Job on 02/26/2004 at 2:05:07 PM"_s);
}

enum class Fault
{
    LockPastTheWait,
    DiskFull,
    Refused,
    FileMovedAway,
};

void TestStartJob::rowThatDidNotReachTheDiskIsReported_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("trouble"); // what the worker is told; %1: the site's folder

    QTest::newRow("lock held past the wait")
        << Fault::LockPastTheWait
        << u"Another program kept JobPunches.MDB locked for more than five seconds; the table "
           "JobPunches could not be used."_s;
    QTest::newRow("disk full")
        << Fault::DiskFull
        << u"The disk that holds JobPunches.MDB is full; the table JobPunches cannot grow."_s;
    QTest::newRow("row refused") << Fault::Refused
                                 << u"JobPunches.MDB refused the values for the table JobPunches: "
                                    "stock-taking."_s;
    QTest::newRow("file moved away")
        << Fault::FileMovedAway << u"JobPunches.MDB is not in the folder %1."_s;
}

// What the worker sees when the new row does not reach the disk, and that the
// next New Job after the fault is gone writes the one row.
void TestStartJob::rowThatDidNotReachTheDiskIsReported()
{
    QFETCH(Fault, fault);
    QFETCH(QString, trouble);

    PunchScreen punch;
    const QString file = punch.site().file(SiteModel::jobPunchesFile);
    // How the fault is taken away again, once.
    std::function<void()> undo;
    const auto clear = [&undo] {
        if (undo)
            std::exchange(undo, {})();
    };
    const auto guard = qScopeGuard(clear);
    if (fault == Fault::DiskFull) {
        // A row larger than a page needs a new one.
        punch.site().sql(SiteModel::timeClockFile, u"UPDATE EMPLOYEES SET Name = Name || ?"_s,
            {u"x"_s.repeated(5000)});
    } else if (fault == Fault::Refused) {
        punch.site().sql(SiteModel::jobPunchesFile,
            u"CREATE TRIGGER Closed BEFORE INSERT ON JobPunches BEGIN "
            "SELECT RAISE(ABORT, 'stock-taking'); END"_s);
        undo = [&punch] {
            punch.site().sql(SiteModel::jobPunchesFile, u"DROP TRIGGER Closed"_s);
        };
    }
    QVERIFY(punch.open());
    punch.enterJob(u"000123"_s);

    if (fault == Fault::LockPastTheWait) {
        // Another program in the middle of a write, beside which the terminal still reads.
        const QString connection = u"other program"_s;
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
            other.setDatabaseName(file);
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec(u"BEGIN EXCLUSIVE"_s));
        }
        undo = [connection] {
            QSqlQuery(u"ROLLBACK"_s, QSqlDatabase::database(connection, false));
            QSqlDatabase::removeDatabase(connection);
        };
    } else if (fault == Fault::FileMovedAway) {
        QVERIFY(QFile::rename(file, file + u".away"_s));
        undo = [file] {
            QFile::rename(file + u".away"_s, file);
        };
    } else if (fault == Fault::DiskFull) {
        // The terminal's own connection, shared by everything that opens the file.
        QSqlDatabase db = openDatabaseFile(file)->database();
        QSqlQuery pages(u"PRAGMA page_count"_s, db);
        QVERIFY(pages.next());
        QSqlQuery(u"PRAGMA max_page_count = %1"_s.arg(pages.value(0).toInt()), db);
        undo = [db] {
            QSqlQuery(u"PRAGMA max_page_count = 1073741823"_s, db);
        };
    }
    ScriptedDialogs& dialogs = punch.services().dialogs;
    dialogs.answer(Answer::Ok);
    dialogs.answer(Answer::Ok);

    QElapsedTimer clock;
    clock.start();

    punch.click(u"Command1"_s);

    // The wait in all for another program's lock, not the wait for every statement.
    QVERIFY2(
        clock.elapsed() < testLockWaitMs * 9 / 5, qPrintable(QString::number(clock.elapsed())));
    VERIFY_DIALOGS(dialogs);
    const Dialogs::Message told = dialogs.shown().last().message;
    QCOMPARE(told.title, u"Job Costing - Operator Instruction"_s);
    QCOMPARE(told.icon, Dialogs::Icon::Critical);
    QCOMPARE(told.text,
        u"The job was not started: "_s + trouble.replace(u"%1"_s, punch.site().path())
            + u"\n\nNothing was written. Your choices are still on the screen: press New Job to "
              "try again. If this message comes back, tell the site manager."_s);
    // His choices are still there for another try, which writes the one row.
    const JobCosting& screen = punch.screen();
    QCOMPARE(screen.Command1->text(), u"New Job"_s);
    QVERIFY(screen.Command1->isVisible());
    QCOMPARE(QStringList({screen.Text3->text(), screen.Text4->text(), screen.Text5->text()}),
        QStringList({u"12"_s, u"7"_s, u"3"_s}));
    QCOMPARE(screen.DBCombo3->text(), u"Bracket"_s);

    clear();
    QCOMPARE(punch.site().jobPunches().size(), 0);
    dialogs.clear();
    dialogs.answer(Answer::Ok);
    punch.click(u"Command1"_s);

    VERIFY_DIALOGS(dialogs);
    const QList<QVariantMap> rows = punch.site().jobPunches();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(u"Level3ItemDescription"_s).toString(), u"Bracket"_s);
    QCOMPARE(punch.badgeEntryProblems(), QString());
}

// The job-punch file copied back from a backup while the terminal runs: the
// next job goes into the file now at the name, not into the one replaced.
void TestStartJob::jobGoesIntoTheFileNowAtItsName()
{
    PunchScreen punch;
    const QString file = punch.site().file(SiteModel::jobPunchesFile);
    QVERIFY(QFile::copy(file, file + u".backup"_s));
    QVERIFY(punch.open());
    punch.enterJob(u"000123"_s);
    QVERIFY(QFile::rename(file, file + u".replaced"_s));
    QVERIFY(QFile::copy(file + u".backup"_s, file));
    punch.services().dialogs.answer(Answer::Ok);

    punch.click(u"Command1"_s);

    VERIFY_DIALOGS(punch.services().dialogs);
    QCOMPARE(punch.site().jobPunches().size(), 1);
    QCOMPARE(punch.site().sql(
                 SiteModel::jobPunchesFile + u".replaced"_s, u"SELECT COUNT(*) FROM JobPunches"_s),
        QList<QVariantList> {{0}});
    QCOMPARE(punch.badgeEntryProblems(), QString());
}

// A job-punch file the terminal may not write when it starts is read as it
// is; the save is refused.
void TestStartJob::readOnlyFileIsReadAndRefusedAtTheSave()
{
    PunchScreen punch;
    const QString file = punch.site().file(SiteModel::jobPunchesFile);
    // Permissions do not bind the superuser; the immutable flag does.
    if (QProcess::execute(u"chattr"_s, {u"+i"_s, file}) != 0)
        QSKIP("cannot make a file read-only on this file system");
    const auto undo = qScopeGuard([file] { QProcess::execute(u"chattr"_s, {u"-i"_s, file}); });

    QVERIFY(punch.open());
    punch.enterJob(u"000123"_s);
    ScriptedDialogs& dialogs = punch.services().dialogs;
    dialogs.answer(Answer::Ok);
    dialogs.answer(Answer::Ok);
    punch.click(u"Command1"_s);

    VERIFY_DIALOGS(dialogs);
    const QString told = dialogs.shown().last().message.text;
    QVERIFY2(told.startsWith(u"The job was not started: "_s), qPrintable(told));
    QCOMPARE(punch.site().jobPunches().size(), 0);
}

// The worker started a job at another terminal since he badged in here: the
// database refuses a second open job under his name, he is told, and a new
// badge-in shows him the job he has.
void TestStartJob::secondOpenJobIsRefused()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    punch.enterJob(u"000123"_s);
    punch.site().sql(SiteModel::jobPunchesFile,
        u"INSERT INTO JobPunches (Name, Badge, Level1ItemCode) VALUES ('Walter Brennan', 'Open', "
        "'elsewhere')"_s);
    ScriptedDialogs& dialogs = punch.services().dialogs;
    dialogs.answer(Answer::Ok);
    dialogs.answer(Answer::Ok);

    punch.click(u"Command1"_s);

    VERIFY_DIALOGS(dialogs);
    const Dialogs::Message told = dialogs.shown().last().message;
    QCOMPARE(told.text,
        u"The job was not started: a job is already open under your name. Badge in again to "
        "see it."_s);
    QCOMPARE(told.icon, Dialogs::Icon::Critical);
    QCOMPARE(punch.badgeEntryProblems(), QString());
    const QList<QVariantMap> rows = punch.site().jobPunches();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(u"Level1ItemCode"_s), QVariant(u"elsewhere"_s));
    punch.type(u"Text34"_s, u"000123"_s);
    QCOMPARE(punch.screen().Text3->text(), u"elsewhere"_s);
}

// The job-punch file is set up for saves once the screen is ready: the first
// Start Job and End Job after the start cost the disk one flush each, as the
// later ones do, and not the three of a log's first commit.
void TestStartJob::everySaveCostsOneFlush()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    QList<long> flushes;
    const auto counted = [&flushes](const std::function<void()>& save) {
        const long before = diskFlushes();
        save();
        flushes << diskFlushes() - before;
    };
    for (int cycle = 0; cycle < 2; ++cycle) {
        punch.enterJob(u"000123"_s);
        dialogs.answer(Answer::Ok);
        counted([&punch] { punch.click(u"Command1"_s); });
        punch.type(u"Text34"_s, u"123"_s);
        punch.pressEnter(u"Text34"_s);
        dialogs.type(u"12"_s); // the job pays a bonus: the pieces made
        dialogs.answer(Answer::Yes);
        counted([&punch] { punch.click(u"Command2"_s); });
    }
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(punch.site().jobPunches().size(), 2);
    QCOMPARE(flushes, QList<long>(4, 1));
}

QTEST_MAIN(TestStartJob)
#include "tst_startjob.moc"
