#include "Site.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "ui/RegionalSettings.h"

#include <QLineEdit>
#include <QtTest>
#include <memory>

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
    void readOnlySourceRefusesWrites();
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
        return std::make_unique<DataSource>(
            QStringLiteral("Data"), file, recordSource, readOnly, m_regional);
    }

    RegionalSettings m_regional { QStringLiteral("MM/dd/yyyy"), QStringLiteral("h:mm:ss AP"),
        QLatin1Char('.'), QLatin1Char(',') };
};

void TestDataSource::fieldNamesIgnoreLetterCase()
{
    Site site;
    auto employees = source(SiteBuilder::timeClockFile, QStringLiteral("EMPLOYEES"));
    employees->refresh();
    QCOMPARE(employees->field(QStringLiteral("NAME")).toString(), QStringLiteral("Walter Brennan"));
    QCOMPARE(employees->fieldText(QStringLiteral("basepayrate")), QStringLiteral("18.5"));

    auto punches = source(SiteBuilder::jobPunchesFile, QStringLiteral("JobPunches"));
    punches->refresh();
    punches->addNew();
    punches->setField(QStringLiteral("level2ItemCode"), QStringLiteral("7"));
    punches->setField(QStringLiteral("LEVEL2ITEMCODE"), QStringLiteral("8"));
    punches->setField(QStringLiteral("name"), QStringLiteral("Maria Lopez"));
    punches->save();
    const auto rows = site.jobPunches();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).value(QStringLiteral("Level2ItemCode")), QVariant(QStringLiteral("8")));
    QCOMPARE(rows.at(0).value(QStringLiteral("Name")), QVariant(QStringLiteral("Maria Lopez")));
    QVERIFY_THROWS_EXCEPTION(DataError, employees->field(QStringLiteral("Nickname")));
}

void TestDataSource::findFirst_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QString>("badge"); // empty: no match

    QTest::newRow("apostrophe in the value") << "Name = 'James O'Connor'"
                                             << "000125";
    QTest::newRow("upper-case field name") << "NAME = 'Karen Johansson'"
                                           << "004711";
    QTest::newRow("by badge") << "Badge = '000130'"
                              << "000130";
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
    auto employees = source(SiteBuilder::timeClockFile, QStringLiteral("EMPLOYEES"), true);
    employees->refresh();
    employees->moveNext();

    employees->findFirst(criteria);
    QCOMPARE(employees->noMatch(), badge.isEmpty());
    // A failed search leaves the cursor where it stood.
    QCOMPARE(employees->field(QStringLiteral("Badge")).toString(),
        badge.isEmpty() ? QStringLiteral("000124") : badge);
}

void TestDataSource::refreshStandsOnFirstRowOrNone()
{
    Site site;
    auto punches = source(SiteBuilder::jobPunchesFile, QStringLiteral("JobPunches"));
    punches->refresh();
    QVERIFY(!punches->hasCurrentRow());
    QVERIFY(punches->bof());
    QVERIFY(punches->eof());
    QCOMPARE(punches->recordCount(), qint64(0));
    QVERIFY_THROWS_EXCEPTION(DataError, punches->field(QStringLiteral("Name")));

    auto level = source(SiteBuilder::validationsFile, QStringLiteral("Level1"), true);
    level->refresh();
    level->moveNext();
    level->setRecordSource(QStringLiteral("select * from Level1 order by ItemDescription desc"));
    QCOMPARE(
        level->field(QStringLiteral("ItemDescription")).toString(), QStringLiteral("Machining"));
    level->refresh();
    QVERIFY(!level->bof() && !level->eof());
    QCOMPARE(
        level->field(QStringLiteral("ItemDescription")).toString(), QStringLiteral("Shipping"));
    QCOMPARE(level->recordCount(), qint64(4));
}

void TestDataSource::orderedSourceIsWalkedAndSearchedInOrder()
{
    Site site;
    auto level = source(SiteBuilder::validationsFile,
        QStringLiteral("select * from Level3 order by ItemDescription"), true);
    level->refresh();
    QStringList walked;
    for (; !level->eof(); level->moveNext())
        walked << level->field(QStringLiteral("ItemDescription")).toString();
    const QStringList sorted { QStringLiteral("Bracket"), QStringLiteral("Cover Plate"),
        QStringLiteral("Hinge"), QStringLiteral("Housing"), QStringLiteral("Shaft") };
    QCOMPARE(walked, sorted);
    QCOMPARE(level->columnTexts(QStringLiteral("ItemDescription")), sorted);

    // After a search the cursor goes on from the row it found.
    level->findFirst(QStringLiteral("ItemDescription = 'Hinge'"));
    level->moveNext();
    QCOMPARE(level->field(QStringLiteral("ItemDescription")).toString(), QStringLiteral("Housing"));

    // Two open jobs under one name: the first in the query's order is found.
    for (const char* badge : { "Closed", "Open", "Open" })
        site.sql(SiteBuilder::jobPunchesFile,
            QStringLiteral("INSERT INTO JobPunches (Name, Badge) VALUES ('Robert Chen', ?)"),
            { QString::fromLatin1(badge) });
    auto open = source(SiteBuilder::jobPunchesFile,
        QStringLiteral("select * from JobPunches where Badge = 'Open'"));
    open->refresh();
    QCOMPARE(open->recordCount(), qint64(2));
    open->findFirst(QStringLiteral("Name = 'Robert Chen'"));
    QCOMPARE(open->field(QStringLiteral("ID")).toInt(), 2);
}

void TestDataSource::deleteLoopEmptiesTable()
{
    Site site;
    for (const char* name : { "A", "B", "C", "D", "E" })
        site.sql(SiteBuilder::timeClockFile, QStringLiteral("INSERT INTO WORK (NAME) VALUES (?)"),
            { QString::fromLatin1(name) });
    auto work = source(SiteBuilder::timeClockFile, QStringLiteral("Select * from WORK"));
    work->refresh();

    // Deleting two rows in a row skips none.
    for (; !work->eof(); work->moveNext()) {
        const QString name = work->field(QStringLiteral("NAME")).toString();
        if (name == QLatin1String("B") || name == QLatin1String("C"))
            work->deleteCurrent();
    }
    QCOMPARE(
        site.sql(SiteBuilder::timeClockFile, QStringLiteral("SELECT NAME FROM WORK ORDER BY 1")),
        (Rows { { QStringLiteral("A") }, { QStringLiteral("D") }, { QStringLiteral("E") } }));

    work->moveFirst();
    while (!work->eof()) {
        if (work->bof())
            work->moveFirst();
        else
            work->deleteCurrent();
        work->moveNext();
    }
    QCOMPARE(work->recordCount(), qint64(0));
    QCOMPARE(site.sql(SiteBuilder::timeClockFile, QStringLiteral("SELECT COUNT(*) FROM WORK")),
        (Rows { { 0 } }));
    QCOMPARE(site.sql(SiteBuilder::timeClockFile, QStringLiteral("SELECT COUNT(*) FROM EMPLOYEES")),
        (Rows { { 12 } }));
}

void TestDataSource::readOnlySourceRefusesWrites()
{
    Site site;
    auto level = source(SiteBuilder::validationsFile, QStringLiteral("Level1"), true);
    level->refresh();
    QVERIFY_THROWS_EXCEPTION(DataError, level->addNew());
    QVERIFY_THROWS_EXCEPTION(DataError, level->edit());
    QVERIFY_THROWS_EXCEPTION(DataError, level->deleteCurrent());
    QVERIFY_THROWS_EXCEPTION(DataError, level->save());
    QCOMPARE(site.sql(SiteBuilder::validationsFile, QStringLiteral("SELECT COUNT(*) FROM Level1")),
        (Rows { { 4 } }));
}

void TestDataSource::fieldConversion_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("stored"); // invalid: the value is refused

    QTest::newRow("empty text, number") << "Pieces" << QVariant(QString()) << QVariant();
    QTest::newRow("blank text, number") << "EmpNum" << QVariant(QStringLiteral(" ")) << QVariant();
    QTest::newRow("letters, number") << "BaseRate" << QVariant(QStringLiteral("12a")) << QVariant();
    QTest::newRow("regional number")
        << "Pieces" << QVariant(QStringLiteral(" 1,234.5 ")) << QVariant(1234.5);
    QTest::newRow("integer, half to even")
        << "EmpNum" << QVariant(QStringLiteral("2.5")) << QVariant(2);
    QTest::newRow("integer, half up to even") << "EmpNum" << QVariant(3.5) << QVariant(4);
    QTest::newRow("regional date") << "DateWorked" << QVariant(QStringLiteral("02/26/2004"))
                                   << QVariant(QStringLiteral("2004-02-26"));
    QTest::newRow("no such date") << "DateWorked" << QVariant(QStringLiteral("02/30/2004"))
                                  << QVariant();
    QTest::newRow("regional time") << "TimeStart" << QVariant(QStringLiteral("2:05:07 PM"))
                                   << QVariant(QStringLiteral("14:05:07"));
    QTest::newRow("number into text")
        << "Level1ItemCode" << QVariant(0.25) << QVariant(QStringLiteral("0.25"));
    QTest::newRow("empty text, text")
        << "Level1ItemCode" << QVariant(QStringLiteral("")) << QVariant(QStringLiteral(""));
}

void TestDataSource::fieldConversion()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QVariant, stored);
    Site site;
    auto punches = source(SiteBuilder::jobPunchesFile, QStringLiteral("JobPunches"));
    punches->refresh();
    punches->addNew();
    punches->setField(QStringLiteral("Name"), QStringLiteral("Probe"));
    if (stored.isValid())
        punches->setField(field, value);
    else
        QVERIFY_THROWS_EXCEPTION(DataError, punches->setField(field, value));
    punches->setField(QStringLiteral("Badge"), QStringLiteral("Open"));
    punches->save();

    // A refused value leaves the field empty; the other fields are written.
    const Rows rows = site.sql(SiteBuilder::jobPunchesFile,
        QStringLiteral("SELECT Name, Badge, %1 FROM JobPunches").arg(field));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).at(0).toString(), QStringLiteral("Probe"));
    QCOMPARE(rows.at(0).at(1).toString(), QStringLiteral("Open"));
    QCOMPARE(rows.at(0).at(2).isNull(), !stored.isValid());
    if (stored.isValid())
        QCOMPARE(rows.at(0).at(2), stored);
}

void TestDataSource::editOfRowChangedElsewhereWritesNothing_data()
{
    QTest::addColumn<QStringList>("meanwhile");
    QTest::addColumn<bool>("saves");

    QTest::newRow("unchanged") << QStringList() << true;
    QTest::newRow("changed") << QStringList {
        QStringLiteral("UPDATE WORK SET EMPNUM = 20 WHERE rowid = 2")
    } << false;
    QTest::newRow("deleted") << QStringList { QStringLiteral("DELETE FROM WORK WHERE rowid = 2") }
                             << false;
    QTest::newRow("rowid taken over")
        << QStringList { QStringLiteral("DELETE FROM WORK WHERE rowid = 2"),
               QStringLiteral("INSERT INTO WORK (rowid, NAME, EMPNUM) VALUES (2, 'Gamma', 3)") }
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
    auto work = source(SiteBuilder::timeClockFile, QStringLiteral("WORK"));
    work->refresh();
    work->moveNext();
    work->edit();
    work->setField(QStringLiteral("HOURS"), 8);
    for (const QString& statement : meanwhile)
        site.sql(SiteBuilder::timeClockFile, statement);
    if (saves)
        work->save();
    else
        QVERIFY_THROWS_EXCEPTION(DataError, work->save());

    const Rows written = site.sql(SiteBuilder::timeClockFile,
        QStringLiteral("SELECT NAME FROM WORK WHERE HOURS IS NOT NULL"));
    QCOMPARE(written, saves ? Rows { { QStringLiteral("Beta") } } : Rows {});
}

void TestDataSource::missingDatabaseIsNeverCreated()
{
    QTemporaryDir elsewhere;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    for (const QString& file :
        { SiteBuilder::jobPunchesFile, SiteBuilder::validationsFile, SiteBuilder::timeClockFile }) {
        auto data = source(file, QStringLiteral("WORK"));
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
    auto employees = source(SiteBuilder::timeClockFile, QStringLiteral("EMPLOYEES"));
    employees->bind(
        QStringLiteral("NAME"), &name, [&name](const QString& text) { name.setText(text); });
    employees->bind(
        QStringLiteral("BasePayRate"), &rate, [&rate](const QString& text) { rate.setText(text); });

    employees->refresh();
    QCOMPARE(name.text(), QStringLiteral("Walter Brennan"));
    QCOMPARE(rate.text(), QStringLiteral("18.5"));
    employees->moveNext();
    QCOMPARE(name.text(), QStringLiteral("Maria Lopez"));
    employees->findFirst(QStringLiteral("Badge = '004711'"));
    QCOMPARE(name.text(), QStringLiteral("Karen Johansson"));

    name.setText(QStringLiteral("typed over"));
    employees->updateControls();
    QCOMPARE(name.text(), QStringLiteral("Karen Johansson"));

    employees->edit();
    employees->setField(QStringLiteral("BasePayRate"), QStringLiteral("24.75"));
    employees->save();
    QCOMPARE(rate.text(), QStringLiteral("24.75"));

    employees->setRecordSource(QStringLiteral("select * from EMPLOYEES where Badge = 'none'"));
    employees->refresh();
    QCOMPARE(name.text(), QString());
    QCOMPARE(rate.text(), QString());
}

QTEST_MAIN(TestDataSource)
#include "tst_datasource.moc"
