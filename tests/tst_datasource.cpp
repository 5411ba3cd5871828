#include "Site.h"
#include "TestServices.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/DatabaseFile.h"
#include "data/OpenDatabaseFile.h"
#include "data/SiteModel.h"
#include "data/Transaction.h"
#include "regional/RegionalSettings.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;

using Rows = QList<QVariantList>;

// The data layer on every engine: each test runs once on SQLite files and once
// on the test server.
class TestDataSource : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngines(); }
    void init()
    {
        SKIP_WITHOUT_TEST_SERVER();
        DatabaseFile::setLockWaitMs(testLockWaitMs);
    }

    void fieldNamesIgnoreLetterCase();
    void fieldsReadTheirOwnColumnAfterOneIsDropped();
    void findFirst_data();
    void findFirst();
    void refreshStandsOnFirstRowOrNone();
    void deleteEmptiesRecordSource_data();
    void deleteEmptiesRecordSource();
    void windowTexts_data();
    void windowTexts();
    void fieldConversion_data();
    void fieldConversion();
    void editOfRowChangedElsewhereWritesNothing_data();
    void editOfRowChangedElsewhereWritesNothing();
    void oneOpenJobPerWorker_data();
    void oneOpenJobPerWorker();
    void writeWaitsForALockAtMostFiveSecondsReadsNever();
    void failuresNameFileTableAndTrouble_data();
    void failuresNameFileTableAndTrouble();
    void fileReplacedUnderAnOpenSource_data();
    void fileReplacedUnderAnOpenSource();
    void contentStampChangesWithEveryCommit();
    void scratchWritesLeaveLaterSavesFlushed_data();
    void scratchWritesLeaveLaterSavesFlushed();

    // Run once per engine, on the sample site of real Access files.
    void sampleTablesEqualTheirCsv_data();
    void sampleTablesEqualTheirCsv();
    void lookupsFindTheSameRows_data();
    void lookupsFindTheSameRows();
    void descriptionsInTheSameOrder_data();
    void descriptionsInTheSameOrder();
    void writesOnlyWhereTheEngineTakesThem();
    void forEachRowVisitsEveryRowOnce_data();
    void forEachRowVisitsEveryRowOnce();

private:
    std::unique_ptr<DataSource> open(
        const QString& file, const QString& recordSource, bool readOnly = false) const
    {
        auto data
            = std::make_unique<DataSource>(u"Data"_s, file, recordSource, readOnly, m_regional);
        data->refresh();
        return data;
    }

    FixedClock m_clock;
    RegionalSettings m_regional {
        u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), m_clock};
};

void TestDataSource::fieldNamesIgnoreLetterCase()
{
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    auto employees = open(SiteModel::timeClockFile, u"EMPLOYEES"_s);
    QCOMPARE(employees->field(u"NAME"_s).toString(), u"Walter Brennan"_s);
    QCOMPARE(employees->fieldText(u"basepayrate"_s), u"18.5"_s);
    QVERIFY_THROWS_EXCEPTION(DataError, employees->field(u"Nickname"_s));

    auto punches = open(SiteModel::jobPunchesFile, u"JobPunches"_s);
    punches->addNew();
    punches->setField(u"level2ItemCode"_s, u"7"_s);
    punches->setField(u"name"_s, u"Maria Lopez"_s);
    punches->setField(u"BADGE"_s, u"Open"_s);
    punches->save();
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT Name, Level2ItemCode FROM JobPunches"_s),
        (Rows {{u"Maria Lopez"_s, u"7"_s}}));
}

void TestDataSource::fieldsReadTheirOwnColumnAfterOneIsDropped()
{
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    auto employees = open(SiteModel::timeClockFile, u"EMPLOYEES"_s);
    QString shown;
    employees->bind(u"shift"_s, employees.get(), [&shown](const QString& text) { shown = text; });
    // The columns after it move up one place in every row read from now on.
    site.sql(SiteModel::timeClockFile, u"ALTER TABLE EMPLOYEES DROP COLUMN EmpNum"_s);
    employees->refresh();
    QCOMPARE(employees->field(u"Name"_s).toString(), u"Walter Brennan"_s);
    QCOMPARE(employees->field(u"DeptNum"_s).toInt(), 10);
    QCOMPARE(employees->fieldText(u"BasePayRate"_s), u"18.5"_s);
    QCOMPARE(shown, u"Day"_s);
}

void TestDataSource::findFirst_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QString>("badge"); // empty: no match

    QTest::newRow("apostrophe in the value") << "Name = 'James O'Connor'" << u"000125"_s;
    QTest::newRow("upper-case field name") << "NAME = 'Karen Johansson'" << u"004711"_s;
    QTest::newRow("no such name") << "Name = 'Nobody'" << QString();
    QTest::newRow("value is not SQL") << "Name = 'x' OR '1' = '1'" << QString();
    QTest::newRow("outside the record source") << "Name = 'Linda Kowalski'" << QString();
}

void TestDataSource::findFirst()
{
    QFETCH(QString, criteria);
    QFETCH(QString, badge);
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    auto employees = open(
        SiteModel::timeClockFile, u"select * from EMPLOYEES where Badge <> '000126'"_s, true);
    employees->moveNext();
    employees->findFirst(criteria);
    QCOMPARE(employees->noMatch(), badge.isEmpty());
    // A failed search leaves the cursor where it stood.
    QCOMPARE(employees->field(u"Badge"_s).toString(), badge.isEmpty() ? u"000124"_s : badge);
}

void TestDataSource::refreshStandsOnFirstRowOrNone()
{
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    auto punches = open(SiteModel::jobPunchesFile, u"JobPunches"_s);
    QVERIFY(!punches->hasCurrentRow() && punches->bof() && punches->eof());
    QCOMPARE(punches->recordCount(), qint64(0));
    QVERIFY_THROWS_EXCEPTION(DataError, punches->field(u"Name"_s));

    auto level = open(SiteModel::validationsFile, u"Level1"_s, true);
    level->moveNext();
    level->setRecordSource(u"select * from Level1 order by ItemDescription desc"_s);
    level->refresh();
    QVERIFY(!level->bof() && !level->eof());
    QCOMPARE(level->field(u"ItemDescription"_s).toString(), u"Shipping"_s);
    QCOMPARE(level->recordCount(), qint64(4));

    QVERIFY_THROWS_EXCEPTION(DataError, level->addNew());
    QVERIFY_THROWS_EXCEPTION(DataError, level->edit());
    QVERIFY_THROWS_EXCEPTION(DataError, level->deleteCurrent());
    QCOMPARE(site.sql(SiteModel::validationsFile, u"SELECT COUNT(*) FROM Level1"_s), (Rows {{4}}));
}

void TestDataSource::deleteEmptiesRecordSource_data()
{
    QTest::addColumn<bool>("rowByRow");
    QTest::newRow("row by row") << true;
    QTest::newRow("in one statement") << false;
}

void TestDataSource::deleteEmptiesRecordSource()
{
    QFETCH(bool, rowByRow);
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    site.sql(SiteModel::timeClockFile,
        u"INSERT INTO WORK (NAME) VALUES ('A'), ('Keep'), ('B'), ('C'), ('D')"_s);
    auto work = open(SiteModel::timeClockFile, u"Select * from WORK where NAME <> 'Keep'"_s);
    if (rowByRow) {
        // The old idiom: stand on a row, delete it, move on, until none is left.
        work->moveFirst();
        while (!work->eof()) {
            if (work->bof())
                work->moveFirst();
            else
                work->deleteCurrent();
            work->moveNext();
        }
    } else {
        work->deleteAll();
        QVERIFY(!work->hasCurrentRow() && work->eof());
    }
    QCOMPARE(site.sql(SiteModel::timeClockFile, u"SELECT NAME FROM WORK"_s), (Rows {{u"Keep"_s}}));
    auto employees = open(SiteModel::timeClockFile, u"EMPLOYEES"_s, true);
    QVERIFY_THROWS_EXCEPTION(DataError, employees->deleteAll());
}

void TestDataSource::windowTexts_data()
{
    QTest::addColumn<QString>("recordSource");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("texts");

    const QString byDescription = u"select * from Level3 order by ItemDescription"_s;
    const QString item = u"ItemDescription"_s;
    QTest::newRow("first window") << byDescription << item << 0 << 2
                                  << QStringList {u"Bracket"_s, u"Cover Plate"_s};
    QTest::newRow("middle window")
        << byDescription << item << 2 << 2 << QStringList {u"Hinge"_s, u"Housing"_s};
    QTest::newRow("window past the end")
        << byDescription << item << 4 << 10 << QStringList {u"Shaft"_s};
    QTest::newRow("after the end") << byDescription << item << 5 << 10 << QStringList();
    QTest::newRow("table order") << u"Level3"_s << item << 1 << 2
                                 << QStringList {u"Hinge"_s, u"Housing"_s};
    QTest::newRow("where and descending order")
        << u"select * from Level3 where BonusRate > 0 order by ItemDescription desc"_s << item << 1
        << 5 << QStringList {u"Hinge"_s, u"Bracket"_s};
    QTest::newRow("numbers as shown") << byDescription << u"standardcost"_s << 0 << 3
                                      << QStringList {u"1.2"_s, u"1.6"_s, u"0.85"_s};
}

void TestDataSource::windowTexts()
{
    QFETCH(QString, recordSource);
    QFETCH(QString, field);
    QFETCH(int, offset);
    QFETCH(int, count);
    QFETCH(QStringList, texts);
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    auto level = open(SiteModel::validationsFile, recordSource, true);
    QCOMPARE(level->windowTexts(field, offset, count), texts);
    QVERIFY_THROWS_EXCEPTION(DataError, level->windowTexts(u"Nickname"_s, 0, 1));
}

void TestDataSource::fieldConversion_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("stored"); // invalid: the value is refused

    QTest::newRow("empty text, number") << "Pieces" << QVariant(QString()) << QVariant();
    QTest::newRow("regional number") << "Pieces" << QVariant(u" 1,234.5 "_s) << QVariant(1234.5);
    QTest::newRow("integer, half to even") << "EmpNum" << QVariant(u"2.5"_s) << QVariant(2);
    QTest::newRow("integer, half up to even") << "EmpNum" << QVariant(3.5) << QVariant(4);
    QTest::newRow("date") << "DateWorked" << QVariant(u"02/26/2004"_s) << QVariant(u"2004-02-26"_s);
    QTest::newRow("no such date") << "DateWorked" << QVariant(u"02/30/2004"_s) << QVariant();
    QTest::newRow("time") << "TimeStart" << QVariant(u"2:05:07 PM"_s) << QVariant(u"14:05:07"_s);
    QTest::newRow("number into text") << "Level1ItemCode" << QVariant(0.25) << QVariant(u"0.25"_s);
    QTest::newRow("empty text, text") << "Level1ItemCode" << QVariant(u""_s) << QVariant(u""_s);
}

void TestDataSource::fieldConversion()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QVariant, stored);
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    auto punches = open(SiteModel::jobPunchesFile, u"JobPunches"_s);
    punches->addNew();
    punches->setField(u"Name"_s, u"Probe"_s);
    punches->setField(u"Badge"_s, u"Open"_s);
    if (stored.isValid())
        punches->setField(field, value);
    else
        QVERIFY_THROWS_EXCEPTION(DataError, punches->setField(field, value));
    punches->save();

    // A refused value leaves the field empty; the other fields are written.
    const Rows rows
        = site.sql(SiteModel::jobPunchesFile, u"SELECT Name, %1 FROM JobPunches"_s.arg(field));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).at(0).toString(), u"Probe"_s);
    QCOMPARE(rows.at(0).at(1).isNull(), !stored.isValid());
    if (stored.isValid())
        QCOMPARE(rows.at(0).at(1), stored);
}

void TestDataSource::editOfRowChangedElsewhereWritesNothing_data()
{
    // Statements separated by ';'; KEY stands for the column that names a row.
    QTest::addColumn<QString>("meanwhile");

    QTest::newRow("unchanged") << "";
    QTest::newRow("changed") << "UPDATE WORK SET EMPNUM = 20 WHERE KEY = 2";
    QTest::newRow("letter case changed") << "UPDATE WORK SET NAME = 'BETA' WHERE KEY = 2";
    QTest::newRow("deleted") << "DELETE FROM WORK WHERE KEY = 2";
    QTest::newRow("key taken over")
        << "DELETE FROM WORK WHERE KEY = 2;"
           "INSERT INTO WORK (KEY, NAME, EMPNUM) VALUES (2, 'Gamma', 3)";
}

void TestDataSource::editOfRowChangedElsewhereWritesNothing()
{
    QFETCH(QString, meanwhile);
    const bool saves = meanwhile.isEmpty();
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    site.sql(SiteModel::timeClockFile,
        u"INSERT INTO WORK (%1, NAME, EMPNUM) VALUES (1, 'Alpha', 1), (2, 'Beta', 2)"_s.arg(
            site.rowKey()));
    auto work = open(SiteModel::timeClockFile, u"WORK"_s);
    work->moveNext();
    work->edit();
    work->setField(u"HOURS"_s, 8);
    for (QString statement : meanwhile.split(u';', Qt::SkipEmptyParts))
        site.sql(SiteModel::timeClockFile, statement.replace(u"KEY"_s, site.rowKey()));
    if (saves) {
        work->save();
        // The next edit is guarded by the row as it was stored, not as it was read.
        work->edit();
        work->setField(u"HOURS"_s, 9);
        work->save();
        QCOMPARE(work->field(u"HOURS"_s).toDouble(), 9.0);
    } else {
        QVERIFY_THROWS_EXCEPTION(DataError, work->save());
    }
    QCOMPARE(site.sql(SiteModel::timeClockFile, u"SELECT NAME FROM WORK WHERE HOURS IS NOT NULL"_s),
        saves ? Rows {{u"Beta"_s}} : Rows {});
}

void TestDataSource::oneOpenJobPerWorker_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("badge");
    QTest::addColumn<bool>("refused");

    QTest::newRow("the same worker") << "Walter Brennan"
                                     << "Open" << true;
    QTest::newRow("other letter case") << "WALTER BRENNAN"
                                       << "OPEN" << true;
    QTest::newRow("a blank more") << "Walter Brennan "
                                  << "Open" << false;
    QTest::newRow("another worker") << "Maria Lopez"
                                    << "Open" << false;
}

void TestDataSource::oneOpenJobPerWorker()
{
    QFETCH(QString, name);
    QFETCH(QString, badge);
    QFETCH(bool, refused);
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    site.sql(SiteModel::jobPunchesFile,
        u"INSERT INTO JobPunches (Name, Badge) VALUES ('Walter Brennan', 'Open')"_s);
    auto punches
        = open(SiteModel::jobPunchesFile, u"select * from JobPunches where Badge = 'Open'"_s);
    punches->addNew();
    punches->setField(u"Name"_s, name);
    punches->setField(u"Badge"_s, badge);
    if (refused) {
        try {
            punches->save();
            QFAIL("a second open job was saved");
        } catch (const DataError& error) {
            QCOMPARE(error.reason(), DataError::Reason::Duplicate);
        }
    } else {
        punches->save();
    }
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunches"_s),
        (Rows {{refused ? 1 : 2}}));
}

void TestDataSource::writeWaitsForALockAtMostFiveSecondsReadsNever()
{
    SKIP_ACCESS();
    // The program's own wait on SQLite, once in the suite; the server's lock
    // timeout follows the wait set.
    const bool realWait = currentEngine() == Engine::Sqlite;
    if (realWait)
        DatabaseFile::setLockWaitMs(DatabaseFile::defaultLockWaitMs);
    const int expected = realWait ? 5000 : testLockWaitMs;
    Site site(Site::Contents::Demo, currentEngine());
    auto punches = open(SiteModel::jobPunchesFile, u"JobPunches"_s);
    punches->addNew();
    punches->setField(u"Name"_s, u"Walter Brennan"_s);
    punches->setField(u"Badge"_s, u"Open"_s);
    QElapsedTimer waited;
    {
        const Site::Lock otherTerminal(site, SiteModel::jobPunchesFile, u"JobPunches"_s);
        // Another program's save in progress blocks no reader.
        waited.start();
        auto openJobs = open(SiteModel::jobPunchesFile, u"JobPunches"_s, true);
        QCOMPARE(openJobs->recordCount(), 0);
        QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunches"_s),
            (Rows {{0}}));
        QVERIFY2(waited.elapsed() < 1000, qPrintable(u"read in %1 ms"_s.arg(waited.elapsed())));
        waited.restart();
        try {
            punches->save();
            QFAIL("a row was written past another program's lock");
        } catch (const DataError& error) {
            QCOMPARE(error.message(),
                currentEngine() == Engine::Server
                    ? u"Another terminal kept the table JobPunches of the database server of "
                      "JobPunches.MDB locked for more than five seconds."_s
                    : u"Another program kept JobPunches.MDB locked for more than five seconds; "
                      "the table JobPunches could not be used."_s);
        }
    }
    QVERIFY2(waited.elapsed() >= expected * 9 / 10 && waited.elapsed() < expected + 3000,
        qPrintable(u"waited %1 ms"_s.arg(waited.elapsed())));
    QCOMPARE(
        site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunches"_s), (Rows {{0}}));
}

enum class Breakage
{
    Missing,
    NotADatabase,
    NoTable,
    NoField,
};

namespace {

// Puts content in the place of a file in one step, as a program that saves a
// new copy does.
void putInPlace(const QString& path, const QByteArray& content)
{
    QFile next(path + u".next"_s);
    QVERIFY(next.open(QIODevice::WriteOnly) && next.write(content) == content.size());
    next.close();
    QVERIFY(std::rename(qPrintable(next.fileName()), qPrintable(path)) == 0);
}

// Spoils the site's time-clock file or its EMPLOYEES table; `putRight` is
// set to how to put it right again.
void spoil(const Site& site, Breakage breakage, std::function<void()>& putRight)
{
    const QString norla = site.file(SiteModel::timeClockFile);
    const QString kept = norla + u".kept"_s;
    const auto keep = [&] {
        QVERIFY(QFile::rename(norla, kept));
    };
    const auto putBack = [norla, kept] {
        QFile::remove(norla);
        QFile::rename(kept, norla);
    };
    switch (breakage) {
    case Breakage::Missing:
        keep();
        putRight = putBack;
        return;
    case Breakage::NotADatabase:
        keep();
        putInPlace(norla, QByteArray("Shift roster, week 9\n").repeated(300));
        putRight = putBack;
        return;
    case Breakage::NoTable:
        if (currentEngine() == Engine::Access) {
            keep();
            QVERIFY(QFile::copy(Site::sample(SiteModel::validationsFile), norla));
            putRight = putBack;
            return;
        }
        site.sql(SiteModel::timeClockFile, u"ALTER TABLE EMPLOYEES RENAME TO Staff"_s);
        putRight = [&site] {
            site.sql(SiteModel::timeClockFile, u"ALTER TABLE Staff RENAME TO EMPLOYEES"_s);
        };
        return;
    case Breakage::NoField:
        site.sql(SiteModel::timeClockFile, u"ALTER TABLE EMPLOYEES RENAME COLUMN Badge TO Card"_s);
        putRight = [&site] {
            site.sql(
                SiteModel::timeClockFile, u"ALTER TABLE EMPLOYEES RENAME COLUMN Card TO Badge"_s);
        };
    }
}

} // namespace

void TestDataSource::failuresNameFileTableAndTrouble_data()
{
    QTest::addColumn<Breakage>("breakage");
    QTest::addColumn<bool>("whileOpen"); // spoiled after the source opened, else before
    QTest::addColumn<QString>("told"); // %1: the site's folder

    for (const bool whileOpen : {false, true}) {
        const char* when = whileOpen ? "while open" : "before opening";
        QTest::addRow("file missing, %s", when)
            << Breakage::Missing << whileOpen << u"Norla.MDB is not in the folder %1."_s;
        QTest::addRow("not a database, %s", when)
            << Breakage::NotADatabase << whileOpen
            << u"Norla.MDB is not a database; its content looks like: plain text document."_s;
        QTest::addRow("no table, %s", when)
            << Breakage::NoTable << whileOpen << u"Norla.MDB has no table EMPLOYEES."_s;
        QTest::addRow("no field, %s", when)
            << Breakage::NoField << whileOpen
            << u"Norla.MDB has no field Badge in the table EMPLOYEES."_s;
    }
}

// What a badge lookup meets when the time-clock file or its table is spoiled,
// before the source first opened or during the shift: the file, the table and
// the trouble in words. Once the site is put right the same source finds the
// badge, without a restart.
void TestDataSource::failuresNameFileTableAndTrouble()
{
    QFETCH(Breakage, breakage);
    QFETCH(bool, whileOpen);
    QFETCH(QString, told);
    const Engine engine = currentEngine();
    if (engine == Engine::Access && breakage == Breakage::NoField)
        QSKIP("Nothing can change the fields of an Access file.");
    if (engine == Engine::Server && whileOpen && breakage == Breakage::NoField)
        QSKIP("The server names a field gone meanwhile in its own letter case.");
    if (engine == Engine::Server && whileOpen && breakage != Breakage::NoTable)
        QSKIP("A pointer file is read once, when the server is first reached.");
    const bool access = engine == Engine::Access;
    Site site(access ? Site::Contents::Sample : Site::Contents::Demo, engine);
    const QString badge = access ? u"000314"_s : u"000123"_s;
    DataSource employees(u"Data8"_s, SiteModel::timeClockFile, u"EMPLOYEES"_s, true, m_regional);
    if (whileOpen)
        employees.refresh();

    std::function<void()> putRight;
    spoil(site, breakage, putRight);
    // The screen's load opens its sources, and goes on when one fails.
    if (!whileOpen && breakage != Breakage::NoField)
        QVERIFY_THROWS_EXCEPTION(DataError, employees.refresh());
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            employees.findFirst(u"Badge = '"_s + badge + u"'"_s);
            QFAIL("a spoiled site was searched");
        } catch (const DataError& error) {
            QCOMPARE(error.message(), told.replace(u"%1"_s, site.path()));
        }
    }

    putRight();
    employees.findFirst(u"Badge = '"_s + badge + u"'"_s);
    QVERIFY(!employees.noMatch());
    QCOMPARE(employees.field(u"Name"_s).toString(), access ? u"Zoë Brandt"_s : u"Walter Brennan"_s);
}

void TestDataSource::fileReplacedUnderAnOpenSource_data()
{
    QTest::addColumn<bool>("writeAheadLog"); // the file's journal mode, else a rollback journal
    QTest::addColumn<bool>("movedAside"); // else deleted
    QTest::addColumn<bool>("restarted"); // the terminal ended, and started again on the backup

    QTest::newRow("moved aside, a backup put back") << false << true << false;
    QTest::newRow("deleted, a backup put back") << false << false << false;
    QTest::newRow("write-ahead log, moved aside, a backup put back") << true << true << false;
    QTest::newRow("write-ahead log, deleted, a backup put back") << true << false << false;
    QTest::newRow("write-ahead log, moved aside, restarted on a backup") << true << true << true;
    QTest::newRow("write-ahead log, deleted, restarted on a backup") << true << false << true;
}

// A job-punch file replaced while the terminal holds it open: the next write
// goes into the file now at the name, whole, and the file that was replaced
// keeps what was written to it, its log included.
void TestDataSource::fileReplacedUnderAnOpenSource()
{
    QFETCH(bool, writeAheadLog);
    QFETCH(bool, movedAside);
    QFETCH(bool, restarted);
    SKIP_ENGINE(Engine::Access, "Nothing writes an Access file; tst_accessfile replaces them.");
    SKIP_ENGINE(Engine::Server, "A server database has no file to replace.");
    Site site(Site::Contents::Demo, currentEngine());
    const QString live = site.file(SiteModel::jobPunchesFile);
    if (writeAheadLog)
        site.sql(SiteModel::jobPunchesFile, u"PRAGMA journal_mode = WAL"_s);
    QVERIFY(QFile::copy(live, live + u".backup"_s));
    auto punches = open(SiteModel::jobPunchesFile, u"JobPunches"_s);
    const auto add = [&punches](const QString& name) {
        punches->addNew();
        punches->setField(u"Name"_s, name);
        punches->setField(u"Badge"_s, u"Open"_s);
        punches->save();
    };
    add(u"Before"_s);

    QVERIFY(movedAside ? QFile::rename(live, live + u".old"_s) : QFile::remove(live));
    if (restarted)
        punches.reset();
    QVERIFY(QFile::copy(live + u".backup"_s, live));
    if (restarted)
        punches = open(SiteModel::jobPunchesFile, u"JobPunches"_s);
    add(u"After"_s);

    const QString names = u"SELECT Name FROM JobPunches ORDER BY ID"_s;
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, names), (Rows {{u"After"_s}}));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"PRAGMA integrity_check"_s), (Rows {{u"ok"_s}}));
    if (movedAside)
        QCOMPARE(site.sql(SiteModel::jobPunchesFile + u".old"_s, names), (Rows {{u"Before"_s}}));
}

// True when a value read through a data source is what the sample's CSV says:
// dates at midnight, times of day on 1899-12-30, numbers to the last digit.
static bool matchesCsv(const QVariant& value, const QString& csv)
{
    if (value.isNull())
        return csv.isEmpty();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return csv == value.toDate().toString(Qt::ISODate) + u" 00:00:00"_s;
    case QMetaType::QTime:
        return csv == u"1899-12-30 "_s + value.toTime().toString(u"HH:mm:ss"_s);
    case QMetaType::Double:
        return csv.toDouble() == value.toDouble();
    default:
        return csv == value.toString();
    }
}

void TestDataSource::sampleTablesEqualTheirCsv_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    for (const auto& [file, table] : {std::pair {"Validations.mdb", "Level1"},
             {"Validations.mdb", "Level2"}, {"Validations.mdb", "Level3"},
             {"Norla.MDB", "EMPLOYEES"}, {"JobPunches.MDB", "JobPunches"}, {"Norla.MDB", "WORK"}})
        QTest::addRow("%s", table) << file << table;
}

void TestDataSource::sampleTablesEqualTheirCsv()
{
    SKIP_SERVER_FOR_SAMPLE();
    QFETCH(QString, file);
    QFETCH(QString, table);
    // The time clock's own scratch table, NULLs and all, is there on Access only.
    if (table == u"WORK"_s && currentEngine() != Engine::Access)
        QSKIP("The SQLite copy of the sample keeps no WORK rows.");
    Site site(Site::Contents::Sample, currentEngine());
    const QList<QStringList> csv = Site::sampleCsv(file, table);
    const QStringList fields = csv.first();
    auto data = open(file, table, true);
    QCOMPARE(data->recordCount(), csv.size() - 1);
    for (qsizetype row = 1; row < csv.size(); ++row, data->moveNext()) {
        for (qsizetype f = 0; f < fields.size(); ++f) {
            const QVariant value = data->field(fields.at(f));
            QVERIFY2(matchesCsv(value, csv.at(row).at(f)),
                qPrintable(u"row %1 %2: %3, not %4"_s.arg(row).arg(
                    fields.at(f), value.toString(), csv.at(row).at(f))));
        }
    }
    QVERIFY(data->eof());
}

void TestDataSource::lookupsFindTheSameRows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("found"); // its value in the row found; empty: none
    struct Case
    {
        const char* name;
        const char* file;
        const char* table;
        QString criteria;
        const char* field;
        QString found;
    };
    const Case cases[] = {
        {"badge", "Norla.MDB", "EMPLOYEES", u"Badge = '000314'"_s, "Name", u"Zoë Brandt"_s},
        {"badge, trailing blank", "Norla.MDB", "EMPLOYEES", u"Badge = '000314 '"_s, "Name", {}},
        {"name with a quote", "Norla.MDB", "EMPLOYEES", u"Name = 'Pat O'Hara'"_s, "Badge",
            u"007007"_s},
        {"two workers of one name", "Norla.MDB", "EMPLOYEES", u"Name = 'Jo Kim'"_s, "Badge",
            u"000200"_s},
        {"empty name, not NULL", "Norla.MDB", "EMPLOYEES", u"Name = ''"_s, "Badge", u"000999"_s},
        {"code with framing characters", "Validations.mdb", "Level1", u"ItemCode = '@55|'"_s,
            "ItemDescription", u"Framed Scan"_s},
        {"code with a quote", "Validations.mdb", "Level1", u"ItemCode = 'W'2'"_s, "ItemDescription",
            u"Welder's Bay"_s},
        {"code in lower case", "Validations.mdb", "Level3", u"ItemCode = 'p2'"_s, "ItemDescription",
            u"Hinge"_s},
        {"description in capitals", "Validations.mdb", "Level1",
            u"ItemDescription = 'WELDER'S BAY'"_s, "ItemCode", u"W'2"_s},
        {"description, ASCII letters in capitals", "Validations.mdb", "Level2",
            u"ItemDescription = 'NACHPRüFUNG ß'"_s, "ItemCode", u"10"_s},
        {"description, accented letter in capitals", "Validations.mdb", "Level2",
            u"ItemDescription = 'nachprÜfung ß'"_s, "ItemCode", {}},
    };
    for (const Case& c : cases)
        QTest::addRow("%s", c.name) << QString::fromLatin1(c.file) << QString::fromLatin1(c.table)
                                    << c.criteria << QString::fromLatin1(c.field) << c.found;
}

void TestDataSource::lookupsFindTheSameRows()
{
    SKIP_SERVER_FOR_SAMPLE();
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, criteria);
    QFETCH(QString, field);
    QFETCH(QString, found);
    Site site(Site::Contents::Sample, currentEngine());
    auto data = open(file, table, true);
    data->findFirst(criteria);
    QCOMPARE(data->noMatch(), found.isEmpty());
    if (!found.isEmpty()) {
        QCOMPARE(data->field(field).toString(), found);
        QVERIFY(!data->field(field).isNull());
    }
}

void TestDataSource::descriptionsInTheSameOrder_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QStringList>("descriptions");
    QTest::newRow("Level1") << u"Level1"_s
                            << QStringList {u"Assembly Ünit"_s, u"Cutting"_s, u"Framed Scan"_s,
                                   u"Welder's Bay"_s};
    QTest::newRow("Level2") << u"Level2"_s
                            << QStringList {u"Inspect"_s, u"Nachprüfung ß"_s, u"Run"_s, u"Setup"_s};
}

void TestDataSource::descriptionsInTheSameOrder()
{
    SKIP_SERVER_FOR_SAMPLE();
    QFETCH(QString, level);
    QFETCH(QStringList, descriptions);
    Site site(Site::Contents::Sample, currentEngine());
    auto data = open(SiteModel::validationsFile,
        u"select * from %1 order by ItemDescription"_s.arg(level), true);
    QCOMPARE(data->windowTexts(u"ItemDescription"_s, 0, 100), descriptions);
    // The title is read from the first row, as the level heading shows it.
    QCOMPARE(data->fieldText(u"LevelDescription"_s), level == u"Level1"_s ? u"Cell"_s : u"Task"_s);
}

void TestDataSource::writesOnlyWhereTheEngineTakesThem()
{
    SKIP_SERVER_FOR_SAMPLE();
    const bool writes = currentEngine() != Engine::Access;
    Site site(Site::Contents::Sample, currentEngine());
    QFile file(SiteModel::timeClockFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    auto employees = open(SiteModel::timeClockFile, u"EMPLOYEES"_s);
    const auto addOne = [&] {
        employees->addNew();
        employees->setField(u"Badge"_s, u"000777"_s);
        employees->save();
        employees->refresh();
    };
    if (writes) {
        addOne();
        QCOMPARE(employees->recordCount(), 41);
        return;
    }
    try {
        addOne();
        QFAIL("an Access file took a row");
    } catch (const DataError& error) {
        QCOMPARE(error.message(),
            u"Norla.MDB is a file that Job Costing only reads; the table EMPLOYEES cannot be "
            "written."_s);
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == before);
    QCOMPARE(employees->recordCount(), 40);
}

void TestDataSource::forEachRowVisitsEveryRowOnce_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("recordSource");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected"); // the field of every row, in order, by SQL

    QTest::newRow("an order of its own")
        << SiteModel::validationsFile << u"select * from Level2 order by ItemDescription"_s
        << u"ItemDescription"_s << u"SELECT ItemDescription FROM Level2 ORDER BY 1"_s;
    QTest::newRow("a condition, over many slices")
        << SiteModel::jobPunchesFile << u"select * from JobPunches where Badge = 'Open'"_s
        << u"ID"_s << u"SELECT ID FROM JobPunches WHERE Badge = 'Open' ORDER BY ID"_s;
}

void TestDataSource::forEachRowVisitsEveryRowOnce()
{
    QFETCH(QString, file);
    QFETCH(QString, recordSource);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    site.seed(
        u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12001) "
        "INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, Pieces) SELECT 'W' || i, "
        "CASE i % 3 WHEN 0 THEN 'Closed' ELSE 'Open' END, '2004-02-26', '14:05:07', 2.5 FROM n"_s);
    auto data = open(file, recordSource, true);
    const QVariant current = data->field(field);

    QVariantList visited;
    QSqlRecord first;
    data->forEachRow([&](const QSqlRecord& row) {
        if (visited.isEmpty())
            first = row;
        visited << row.value(field);
    });
    QVariantList rows;
    for (const QVariantList& row : site.sql(file, expected))
        rows << row.at(0);
    QCOMPARE(visited, rows);
    QCOMPARE(data->field(field), current);
    // The values field() gives the first row.
    for (int i = 0; i < first.count(); ++i)
        QCOMPARE(first.value(i), data->field(first.fieldName(i)));
}

void TestDataSource::contentStampChangesWithEveryCommit()
{
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    auto work = open(SiteModel::timeClockFile, u"Select * from WORK order by NAME"_s);
    const QString first = work->contentStamp();
    if (first.isEmpty())
        QSKIP("The engine tells no stamp: lists on it are read anew at every fill.");
    work->refresh();
    QCOMPARE(work->contentStamp(), first);

    // Another program's commit, then one of this source's own.
    site.sql(SiteModel::timeClockFile, u"INSERT INTO WORK (NAME) VALUES ('Other')"_s);
    work->refresh();
    const QString afterOther = work->contentStamp();
    QVERIFY(afterOther != first);
    work->addNew();
    work->setField(u"NAME"_s, u"Own"_s);
    work->save();
    work->refresh();
    const QString afterOwn = work->contentStamp();
    QVERIFY(afterOwn != afterOther);

    // The same rows in another order are another list.
    work->setRecordSource(u"Select * from WORK order by NAME desc"_s);
    work->refresh();
    QVERIFY(work->contentStamp() != afterOwn);
}

void TestDataSource::scratchWritesLeaveLaterSavesFlushed_data()
{
    QTest::addColumn<bool>("committed");
    QTest::newRow("committed") << true;
    QTest::newRow("rolled back") << false;
}

void TestDataSource::scratchWritesLeaveLaterSavesFlushed()
{
    QFETCH(bool, committed);
    SKIP_ACCESS();
    Site site(Site::Contents::Demo, currentEngine());
    const bool server = currentEngine() == Engine::Server;
    const QString setting = server ? u"SHOW synchronous_commit"_s : u"PRAGMA synchronous"_s;
    // As the file's next statement finds it: on a server, the shared
    // connection takes each file's setting before its request.
    const auto flushing = [&] {
        const auto file = openDatabaseFile(SiteModel::timeClockFile);
        QString value;
        file->onConnection([&] {
            QSqlQuery query(file->database());
            if (query.exec(setting) && query.next())
                value = query.value(0).toString();
        });
        return value;
    };
    const QString flushed = server ? u"on"_s : u"2"_s;
    auto work = open(SiteModel::timeClockFile, u"WORK"_s);
    {
        Transaction scratch(SiteModel::timeClockFile, u"WORK"_s, Transaction::Durability::Scratch);
        QCOMPARE(flushing(), server ? u"off"_s : u"0"_s);
        work->addNew();
        work->setField(u"NAME"_s, u"TestDate"_s);
        work->save();
        if (committed)
            scratch.commit();
    }
    QCOMPARE(flushing(), flushed);
    QCOMPARE(site.sql(SiteModel::timeClockFile, u"SELECT COUNT(*) FROM WORK"_s),
        (Rows {{committed ? 1 : 0}}));
}

QTEST_MAIN(TestDataSource)
#include "tst_datasource.moc"
