#include "Site.h"
#include "TestServices.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "ui/RegionalSettings.h"

#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;

using Rows = QList<QVariantList>;

class TestDataSource : public QObject
{
    Q_OBJECT

private slots:
    void fieldNamesIgnoreLetterCase();
    void findFirst_data();
    void findFirst();
    void refreshStandsOnFirstRowOrNone();
    void deleteLoopEmptiesTable();
    void fieldConversion_data();
    void fieldConversion();
    void editOfRowChangedElsewhereWritesNothing_data();
    void editOfRowChangedElsewhereWritesNothing();
    void missingDatabaseIsNeverCreated();

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
    Site site;
    auto employees = open(SiteBuilder::timeClockFile, u"EMPLOYEES"_s);
    QCOMPARE(employees->field(u"NAME"_s).toString(), u"Walter Brennan"_s);
    QCOMPARE(employees->fieldText(u"basepayrate"_s), u"18.5"_s);
    QVERIFY_THROWS_EXCEPTION(DataError, employees->field(u"Nickname"_s));

    auto punches = open(SiteBuilder::jobPunchesFile, u"JobPunches"_s);
    punches->addNew();
    punches->setField(u"level2ItemCode"_s, u"7"_s);
    punches->setField(u"name"_s, u"Maria Lopez"_s);
    punches->save();
    QCOMPARE(
        site.sql(SiteBuilder::jobPunchesFile, u"SELECT Name, Level2ItemCode FROM JobPunches"_s),
        (Rows {{u"Maria Lopez"_s, u"7"_s}}));
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
    Site site;
    auto employees = open(
        SiteBuilder::timeClockFile, u"select * from EMPLOYEES where Badge <> '000126'"_s, true);
    employees->moveNext();
    employees->findFirst(criteria);
    QCOMPARE(employees->noMatch(), badge.isEmpty());
    // A failed search leaves the cursor where it stood.
    QCOMPARE(employees->field(u"Badge"_s).toString(), badge.isEmpty() ? u"000124"_s : badge);
}

void TestDataSource::refreshStandsOnFirstRowOrNone()
{
    Site site;
    auto punches = open(SiteBuilder::jobPunchesFile, u"JobPunches"_s);
    QVERIFY(!punches->hasCurrentRow() && punches->bof() && punches->eof());
    QCOMPARE(punches->recordCount(), qint64(0));
    QVERIFY_THROWS_EXCEPTION(DataError, punches->field(u"Name"_s));

    auto level = open(SiteBuilder::validationsFile, u"Level1"_s, true);
    level->moveNext();
    level->setRecordSource(u"select * from Level1 order by ItemDescription desc"_s);
    level->refresh();
    QVERIFY(!level->bof() && !level->eof());
    QCOMPARE(level->field(u"ItemDescription"_s).toString(), u"Shipping"_s);
    QCOMPARE(level->recordCount(), qint64(4));

    QVERIFY_THROWS_EXCEPTION(DataError, level->addNew());
    QVERIFY_THROWS_EXCEPTION(DataError, level->edit());
    QVERIFY_THROWS_EXCEPTION(DataError, level->deleteCurrent());
    QCOMPARE(
        site.sql(SiteBuilder::validationsFile, u"SELECT COUNT(*) FROM Level1"_s), (Rows {{4}}));
}

void TestDataSource::deleteLoopEmptiesTable()
{
    Site site;
    site.sql(SiteBuilder::timeClockFile,
        u"INSERT INTO WORK (NAME) VALUES ('A'), ('B'), ('C'), ('D'), ('E')"_s);
    auto work = open(SiteBuilder::timeClockFile, u"Select * from WORK"_s);
    // The old idiom: stand on a row, delete it, move on, until none is left.
    work->moveFirst();
    while (!work->eof()) {
        if (work->bof())
            work->moveFirst();
        else
            work->deleteCurrent();
        work->moveNext();
    }
    QCOMPARE(site.sql(SiteBuilder::timeClockFile, u"SELECT COUNT(*) FROM WORK"_s), (Rows {{0}}));
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
    Site site;
    auto punches = open(SiteBuilder::jobPunchesFile, u"JobPunches"_s);
    punches->addNew();
    punches->setField(u"Name"_s, u"Probe"_s);
    if (stored.isValid())
        punches->setField(field, value);
    else
        QVERIFY_THROWS_EXCEPTION(DataError, punches->setField(field, value));
    punches->save();

    // A refused value leaves the field empty; the other fields are written.
    const Rows rows
        = site.sql(SiteBuilder::jobPunchesFile, u"SELECT Name, %1 FROM JobPunches"_s.arg(field));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).at(0).toString(), u"Probe"_s);
    QCOMPARE(rows.at(0).at(1).isNull(), !stored.isValid());
    if (stored.isValid())
        QCOMPARE(rows.at(0).at(1), stored);
}

void TestDataSource::editOfRowChangedElsewhereWritesNothing_data()
{
    QTest::addColumn<QString>("meanwhile"); // statements separated by ';'

    QTest::newRow("unchanged") << "";
    QTest::newRow("changed") << "UPDATE WORK SET EMPNUM = 20 WHERE rowid = 2";
    QTest::newRow("letter case changed") << "UPDATE WORK SET NAME = 'BETA' WHERE rowid = 2";
    QTest::newRow("deleted") << "DELETE FROM WORK WHERE rowid = 2";
    QTest::newRow("rowid taken over")
        << "DELETE FROM WORK WHERE rowid = 2;"
           "INSERT INTO WORK (rowid, NAME, EMPNUM) VALUES (2, 'Gamma', 3)";
}

void TestDataSource::editOfRowChangedElsewhereWritesNothing()
{
    QFETCH(QString, meanwhile);
    const bool saves = meanwhile.isEmpty();
    Site site;
    site.sql(SiteBuilder::timeClockFile,
        u"INSERT INTO WORK (rowid, NAME, EMPNUM) VALUES (1, 'Alpha', 1), (2, 'Beta', 2)"_s);
    auto work = open(SiteBuilder::timeClockFile, u"WORK"_s);
    work->moveNext();
    work->edit();
    work->setField(u"HOURS"_s, 8);
    for (const QString& statement : meanwhile.split(u';', Qt::SkipEmptyParts))
        site.sql(SiteBuilder::timeClockFile, statement);
    if (saves)
        work->save();
    else
        QVERIFY_THROWS_EXCEPTION(DataError, work->save());
    QCOMPARE(
        site.sql(SiteBuilder::timeClockFile, u"SELECT NAME FROM WORK WHERE HOURS IS NOT NULL"_s),
        saves ? Rows {{u"Beta"_s}} : Rows {});
}

void TestDataSource::missingDatabaseIsNeverCreated()
{
    QTemporaryDir elsewhere;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    for (const QString& file :
        {SiteBuilder::jobPunchesFile, SiteBuilder::validationsFile, SiteBuilder::timeClockFile}) {
        DataSource data(u"Data"_s, file, u"WORK"_s, false, m_regional);
        QVERIFY_THROWS_EXCEPTION(DataError, data.refresh());
        QVERIFY(!data.isOpen());
        QVERIFY_THROWS_EXCEPTION(DataError, data.moveFirst());
    }
    QDir::setCurrent(previous);
    QVERIFY(QDir(elsewhere.path()).isEmpty());
}

QTEST_MAIN(TestDataSource)
#include "tst_datasource.moc"
