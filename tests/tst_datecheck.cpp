#include "Site.h"
#include "TestServices.h"
#include "data/SiteModel.h"
#include "startup/DateCheck.h"
#include "ui/HiddenBox.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using Outcome = DateCheck::Outcome;
using Rows = QList<QVariantList>;

class TestDateCheck : public QObject
{
    Q_OBJECT

private slots:
    void judgesShortDateStyle_data();
    void judgesShortDateStyle();
    void missingTimeClockDatabaseAbandonsSilently();
    void refusedTestRowLeavesWorkAsItWas();
};

void TestDateCheck::judgesShortDateStyle_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("judged");
    QTest::addColumn<bool>("passes");

    const QDate february(2004, 2, 26);
    QTest::newRow("MM/dd/yyyy") << "MM/dd/yyyy" << february << "02/26/2004" << true;
    QTest::newRow("MM/dd/yy") << "MM/dd/yy" << february << "02/26/04" << true;
    QTest::newRow("dd/MM/yyyy") << "dd/MM/yyyy" << february << "26/02/2004" << true;
    QTest::newRow("M/d/yyyy, one-digit month") << "M/d/yyyy" << february << "2/26/2004" << false;
    QTest::newRow("M/d/yyyy, two-digit month")
        << "M/d/yyyy" << QDate(2004, 12, 26) << "12/26/2004" << true;
    // The 3rd character is "/" here: only the 6th decides.
    QTest::newRow("M/d/yyyy, two-digit month, one-digit day")
        << "M/d/yyyy" << QDate(2004, 12, 5) << "12/5/2004" << false;
    QTest::newRow("MM/dd-yyyy") << "MM/dd-yyyy" << february << "02/26-2004" << false;
    QTest::newRow("MM-dd-yyyy") << "MM-dd-yyyy" << february << "02-26-2004" << false;
    QTest::newRow("dd.MM.yyyy") << "dd.MM.yyyy" << february << "26.02.2004" << false;
    QTest::newRow("yyyy/MM/dd") << "yyyy/MM/dd" << february << "2004/02/26" << false;
}

void TestDateCheck::judgesShortDateStyle()
{
    QFETCH(QString, style);
    QFETCH(QDate, today);
    QFETCH(QString, judged);
    QFETCH(bool, passes);

    Site site;
    site.sql(SiteModel::timeClockFile,
        QStringLiteral("INSERT INTO WORK (NAME, CLOCKWE, EMPNUM, HOURS) VALUES "
                       "('TestDate', '1999-12-31', NULL, NULL), ('Walter Brennan', "
                       "'2004-02-21', 123, 40.5), ('Maria Lopez', NULL, 124, 38)"));
    TestServices t;
    t.regional
        = RegionalSettings(style, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), t.clock);
    t.clock.set(QDateTime(today, QTime(23, 59, 59)));
    if (!passes)
        t.dialogs.answer(Dialogs::Answer::Ok);

    DateCheck check(t.services);
    QCOMPARE(check.load(), passes ? Outcome::Passed : Outcome::Failed);
    QCOMPARE(check.Text7->text(), judged);
    QVERIFY(!check.isVisible());
    QCOMPARE(site.sql(SiteModel::timeClockFile, u"SELECT NAME, CLOCKWE FROM WORK"_s),
        (Rows {{u"TestDate"_s, today.toString(Qt::ISODate)}}));
    VERIFY_DIALOGS(t.dialogs);
    QVERIFY(t.shell.opened.isEmpty());
    QCOMPARE(t.program.ends, passes ? 0 : 1);
    if (passes)
        return;
    // Starting again would not help: the log says what to set.
    QCOMPARE(t.program.status, ExitStatus::NeedsPerson);
    QVERIFY2(
        t.program.reason.contains(style + u": today is "_s + judged), qPrintable(t.program.reason));

    const Dialogs::Message shown = t.dialogs.shown().at(0).message;
    QCOMPARE(shown.title, u"Punch - Operator Instruction"_s);
    QCOMPARE(shown.icon, Dialogs::Icon::Critical);
    QCOMPARE(shown.buttons, Dialogs::Buttons::Ok);
    const QStringList lines {u"The Short Date Style on this Pc is Invalid!"_s, QString(),
        u"To correct, do the following;"_s, u"1.  Exit Ostrel"_s, u"2.  Click Start"_s,
        u"3.  Click Settings"_s, u"4.  Click Control Panel"_s,
        u"5.  Double-Click Regional Settings"_s, u"6.  Click Date Tab"_s,
        u"7.  Select the Short Date Style of MM/dd/yy or MM/dd/yyyy"_s, u"8.  Click Apply"_s,
        u"9.  Click OK"_s, u"10. Exit Control Panel and restart Ostrel"_s};
    QCOMPARE(shown.text, lines.join(u"\r\n") + u"\r\n"_s);
}

void TestDateCheck::missingTimeClockDatabaseAbandonsSilently()
{
    Site site;
    QVERIFY(QFile::remove(site.file(SiteModel::timeClockFile)));
    TestServices t;
    DateCheck check(t.services);
    QCOMPARE(check.load(), Outcome::Abandoned);
    QVERIFY(!check.isVisible());
    VERIFY_DIALOGS(t.dialogs);
    QVERIFY(t.dialogs.shown().isEmpty());
    QCOMPARE(t.program.ends, 0);
    QVERIFY(!QFileInfo::exists(site.file(SiteModel::timeClockFile)));
}

// The table is emptied and the test row written together, or neither is.
void TestDateCheck::refusedTestRowLeavesWorkAsItWas()
{
    Site site;
    site.sql(SiteModel::timeClockFile,
        u"INSERT INTO WORK (NAME, CLOCKWE) VALUES ('Walter Brennan', '2004-02-21')"_s);
    site.sql(SiteModel::timeClockFile,
        u"CREATE TRIGGER Closed BEFORE INSERT ON WORK BEGIN SELECT RAISE(ABORT, 'closed'); END"_s);
    TestServices t;
    {
        DateCheck check(t.services);
        QCOMPARE(check.load(), Outcome::Abandoned);
    }
    QCOMPARE(site.sql(SiteModel::timeClockFile, u"SELECT NAME, CLOCKWE FROM WORK"_s),
        (Rows {{u"Walter Brennan"_s, u"2004-02-21"_s}}));
    VERIFY_DIALOGS(t.dialogs);
    QCOMPARE(t.program.ends, 0);
}

QTEST_MAIN(TestDateCheck)
#include "tst_datecheck.moc"
