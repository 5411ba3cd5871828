#include "Site.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "ui/RegionalSettings.h"

#include <QLineEdit>
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
    void orderedSourceIsWalkedAndSearchedInOrder();
    void deleteLoopEmptiesTable();
    void fieldConversion_data();
    void fieldConversion();
    void editOfRowChangedElsewhereWritesNothing_data();
    void editOfRowChangedElsewhereWritesNothing();
    void missingDatabaseIsNeverCreated();
    void boundControlsFollowCurrentRow();

private:
    std::unique_ptr<DataSource> source(
        const QString& file, const QString& recordSource, bool readOnly = false) const
    {
        return std::make_unique<DataSource>(u"Data"_s, file, recordSource, readOnly, m_regional);
    }

    RegionalSettings m_regional { u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'),
        QLatin1Char(',') };
};

void TestDataSource::fieldNamesIgnoreLetterCase()
{
    Site site;
    auto employees = source(SiteBuilder::timeClockFile, u"EMPLOYEES"_s);
    employees->refresh();
    QCOMPARE(employees->field(u"NAME"_s).toString(), u"Walter Brennan"_s);
    QCOMPARE(employees->fieldText(u"basepayrate"_s), u"18.5"_s);

    auto punches = source(SiteBuilder::jobPunchesFile, u"JobPunches"_s);
    punches->refresh();
    punches->addNew();
    punches->setField(u"level2ItemCode"_s, u"7"_s);
    punches->setField(u"name"_s, u"Maria Lopez"_s);
    punches->save();
    QCOMPARE(
        site.sql(SiteBuilder::jobPunchesFile, u"SELECT Name, Level2ItemCode FROM JobPunches"_s),
        (Rows { { u"Maria Lopez"_s, u"7"_s } }));
    QVERIFY_THROWS_EXCEPTION(DataError, employees->field(u"Nickname"_s));
}

void TestDataSource::findFirst_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QString>("badge"); // empty: no match

    QTest::newRow("apostrophe in the value") << "Name = 'James O'Connor'"
                                             << "000125";
    QTest::newRow("upper-case field name") << "NAME = 'Karen Johansson'"
                                           << "004711";
    QTest::newRow("no such name") << "Name = 'Nobody'"
                                  << "";
    QTest::newRow("value is not SQL") << "Name = 'x' OR '1' = '1'"
                                      << "";
}

void TestDataSource::findFirst()
{
    QFETCH(QString, criteria);
    QFETCH(QString, badge);
    Site site;
    auto employees = source(SiteBuilder::timeClockFile, u"EMPLOYEES"_s, true);
    employees->refresh();
    employees->moveNext();

    employees->findFirst(criteria);
    QCOMPARE(employees->noMatch(), badge.isEmpty());
    // A failed search leaves the cursor where it stood.
    QCOMPARE(employees->field(u"Badge"_s).toString(), badge.isEmpty() ? u"000124"_s : badge);
}

void TestDataSource::refreshStandsOnFirstRowOrNone()
{
    Site site;
    auto punches = source(SiteBuilder::jobPunchesFile, u"JobPunches"_s);
    punches->refresh();
    QVERIFY(!punches->hasCurrentRow());
    QVERIFY(punches->bof());
    QVERIFY(punches->eof());
    QCOMPARE(punches->recordCount(), qint64(0));
    QVERIFY_THROWS_EXCEPTION(DataError, punches->field(u"Name"_s));

    auto level = source(SiteBuilder::validationsFile, u"Level1"_s, true);
    level->refresh();
    level->moveNext();
    level->setRecordSource(u"select * from Level1 order by ItemDescription desc"_s);
    QCOMPARE(level->field(u"ItemDescription"_s).toString(), u"Machining"_s);
    level->refresh();
    QVERIFY(!level->bof() && !level->eof());
    QCOMPARE(level->field(u"ItemDescription"_s).toString(), u"Shipping"_s);
    QCOMPARE(level->recordCount(), qint64(4));

    // The level tables are read-only: nothing goes through.
    QVERIFY_THROWS_EXCEPTION(DataError, level->addNew());
    QVERIFY_THROWS_EXCEPTION(DataError, level->edit());
    QVERIFY_THROWS_EXCEPTION(DataError, level->deleteCurrent());
    QCOMPARE(
        site.sql(SiteBuilder::validationsFile, u"SELECT COUNT(*) FROM Level1"_s), (Rows { { 4 } }));
}

void TestDataSource::orderedSourceIsWalkedAndSearchedInOrder()
{
    Site site;
    auto level = source(
        SiteBuilder::validationsFile, u"select * from Level3 order by ItemDescription"_s, true);
    level->refresh();
    QStringList walked;
    for (; !level->eof(); level->moveNext())
        walked << level->field(u"ItemDescription"_s).toString();
    const QStringList sorted { u"Bracket"_s, u"Cover Plate"_s, u"Hinge"_s, u"Housing"_s,
        u"Shaft"_s };
    QCOMPARE(walked, sorted);
    QCOMPARE(level->columnTexts(u"ItemDescription"_s), sorted);

    // After a search the cursor goes on from the row it found.
    level->findFirst(u"ItemDescription = 'Hinge'"_s);
    level->moveNext();
    QCOMPARE(level->field(u"ItemDescription"_s).toString(), u"Housing"_s);

    // Two open jobs under one name: the first in the query's order is found.
    for (const char* badge : { "Closed", "Open", "Open" })
        site.sql(SiteBuilder::jobPunchesFile,
            u"INSERT INTO JobPunches (Name, Badge) VALUES ('Robert Chen', ?)"_s,
            { QString::fromLatin1(badge) });
    auto open
        = source(SiteBuilder::jobPunchesFile, u"select * from JobPunches where Badge = 'Open'"_s);
    open->refresh();
    QCOMPARE(open->recordCount(), qint64(2));
    open->findFirst(u"Name = 'Robert Chen'"_s);
    QCOMPARE(open->field(u"ID"_s).toInt(), 2);
}

void TestDataSource::deleteLoopEmptiesTable()
{
    Site site;
    for (const char* name : { "A", "B", "C", "D", "E" })
        site.sql(SiteBuilder::timeClockFile, u"INSERT INTO WORK (NAME) VALUES (?)"_s,
            { QString::fromLatin1(name) });
    auto work = source(SiteBuilder::timeClockFile, u"Select * from WORK"_s);
    work->refresh();

    // Deleting two rows in a row skips none.
    for (; !work->eof(); work->moveNext()) {
        const QString name = work->field(u"NAME"_s).toString();
        if (name == QLatin1String("B") || name == QLatin1String("C"))
            work->deleteCurrent();
    }
    QCOMPARE(site.sql(SiteBuilder::timeClockFile, u"SELECT NAME FROM WORK ORDER BY 1"_s),
        (Rows { { u"A"_s }, { u"D"_s }, { u"E"_s } }));

    work->moveFirst();
    while (!work->eof()) {
        if (work->bof())
            work->moveFirst();
        else
            work->deleteCurrent();
        work->moveNext();
    }
    QCOMPARE(
        site.sql(SiteBuilder::timeClockFile, u"SELECT COUNT(*) FROM WORK"_s), (Rows { { 0 } }));
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
    QTest::newRow("regional date")
        << "DateWorked" << QVariant(u"02/26/2004"_s) << QVariant(u"2004-02-26"_s);
    QTest::newRow("no such date") << "DateWorked" << QVariant(u"02/30/2004"_s) << QVariant();
    QTest::newRow("regional time")
        << "TimeStart" << QVariant(u"2:05:07 PM"_s) << QVariant(u"14:05:07"_s);
    QTest::newRow("number into text") << "Level1ItemCode" << QVariant(0.25) << QVariant(u"0.25"_s);
    QTest::newRow("empty text, text") << "Level1ItemCode" << QVariant(u""_s) << QVariant(u""_s);
}

void TestDataSource::fieldConversion()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QVariant, stored);
    Site site;
    auto punches = source(SiteBuilder::jobPunchesFile, u"JobPunches"_s);
    punches->refresh();
    punches->addNew();
    punches->setField(u"Name"_s, u"Probe"_s);
    if (stored.isValid())
        punches->setField(field, value);
    else
        QVERIFY_THROWS_EXCEPTION(DataError, punches->setField(field, value));
    punches->setField(u"Badge"_s, u"Open"_s);
    punches->save();

    // A refused value leaves the field empty; the other fields are written.
    const Rows rows = site.sql(
        SiteBuilder::jobPunchesFile, u"SELECT Name, Badge, %1 FROM JobPunches"_s.arg(field));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).at(0).toString(), u"Probe"_s);
    QCOMPARE(rows.at(0).at(1).toString(), u"Open"_s);
    QCOMPARE(rows.at(0).at(2).isNull(), !stored.isValid());
    if (stored.isValid())
        QCOMPARE(rows.at(0).at(2), stored);
}

void TestDataSource::editOfRowChangedElsewhereWritesNothing_data()
{
    QTest::addColumn<QStringList>("meanwhile");
    QTest::addColumn<bool>("saves");

    QTest::newRow("unchanged") << QStringList() << true;
    QTest::newRow("changed") << QStringList { u"UPDATE WORK SET EMPNUM = 20 WHERE rowid = 2"_s }
                             << false;
    QTest::newRow("deleted") << QStringList { u"DELETE FROM WORK WHERE rowid = 2"_s } << false;
    QTest::newRow("rowid taken over") << QStringList { u"DELETE FROM WORK WHERE rowid = 2"_s,
        u"INSERT INTO WORK (rowid, NAME, EMPNUM) VALUES (2, 'Gamma', 3)"_s }
                                      << false;
}

void TestDataSource::editOfRowChangedElsewhereWritesNothing()
{
    QFETCH(QStringList, meanwhile);
    QFETCH(bool, saves);
    Site site;
    site.sql(SiteBuilder::timeClockFile,
        QStringLiteral("INSERT INTO WORK (rowid, NAME, EMPNUM) VALUES (1, 'Alpha', 1), "
                       "(2, 'Beta', 2)"));
    auto work = source(SiteBuilder::timeClockFile, u"WORK"_s);
    work->refresh();
    work->moveNext();
    work->edit();
    work->setField(u"HOURS"_s, 8);
    for (const QString& statement : meanwhile)
        site.sql(SiteBuilder::timeClockFile, statement);
    if (saves)
        work->save();
    else
        QVERIFY_THROWS_EXCEPTION(DataError, work->save());

    const Rows written
        = site.sql(SiteBuilder::timeClockFile, u"SELECT NAME FROM WORK WHERE HOURS IS NOT NULL"_s);
    QCOMPARE(written, saves ? Rows { { u"Beta"_s } } : Rows {});
}

void TestDataSource::missingDatabaseIsNeverCreated()
{
    QTemporaryDir elsewhere;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    for (const QString& file :
        { SiteBuilder::jobPunchesFile, SiteBuilder::validationsFile, SiteBuilder::timeClockFile }) {
        auto data = source(file, u"WORK"_s);
        QVERIFY_THROWS_EXCEPTION(DataError, data->refresh());
        QVERIFY(!data->isOpen());
        QVERIFY_THROWS_EXCEPTION(DataError, data->moveFirst());
        QVERIFY(!QFileInfo::exists(file));
    }
    QDir::setCurrent(previous);
    QVERIFY(QDir(elsewhere.path()).isEmpty());
}

void TestDataSource::boundControlsFollowCurrentRow()
{
    Site site;
    QLineEdit name;
    QLineEdit rate;
    auto employees = source(SiteBuilder::timeClockFile, u"EMPLOYEES"_s);
    employees->bind(u"NAME"_s, &name, [&name](const QString& text) { name.setText(text); });
    employees->bind(u"BasePayRate"_s, &rate, [&rate](const QString& text) { rate.setText(text); });

    employees->refresh();
    QCOMPARE(name.text(), u"Walter Brennan"_s);
    QCOMPARE(rate.text(), u"18.5"_s);
    employees->moveNext();
    QCOMPARE(name.text(), u"Maria Lopez"_s);
    employees->findFirst(u"Badge = '004711'"_s);
    QCOMPARE(name.text(), u"Karen Johansson"_s);

    name.setText(u"typed over"_s);
    employees->updateControls();
    QCOMPARE(name.text(), u"Karen Johansson"_s);

    employees->edit();
    employees->setField(u"BasePayRate"_s, u"24.75"_s);
    employees->save();
    QCOMPARE(rate.text(), u"24.75"_s);

    employees->setRecordSource(u"select * from EMPLOYEES where Badge = 'none'"_s);
    employees->refresh();
    QCOMPARE(name.text(), QString());
    QCOMPARE(rate.text(), QString());
}

QTEST_MAIN(TestDataSource)
#include "tst_datasource.moc"
