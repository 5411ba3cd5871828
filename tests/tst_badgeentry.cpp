#include "PunchScreen.h"
#include "punch/PunchTexts.h"
#include "ui/DbCombo.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QTest>

// The badge box as a keyboard and a card reader drive it, and the two modes a
// found worker is taken to.
class TestBadgeEntry : public QObject
{
    Q_OBJECT

private slots:
    void lookups_data();
    void lookups();
    void newJobMode_data();
    void newJobMode();
    void endJobMode_data();
    void endJobMode();
    void openJobHasBonus_data();
    void openJobHasBonus();
};

namespace {

// Inserts a JobPunches row marked "Open" with the given fields.
void addOpenJob(const Site& site, QVariantMap fields)
{
    fields.insert(QStringLiteral("Badge"), QStringLiteral("Open"));
    QStringList marks;
    for (qsizetype i = 0; i < fields.size(); ++i)
        marks << QStringLiteral("?");
    site.sql(SiteBuilder::jobPunchesFile,
        QStringLiteral("INSERT INTO JobPunches (%1) VALUES (%2)")
            .arg(fields.keys().join(QLatin1String(", ")), marks.join(QLatin1String(", "))),
        fields.values());
}

QStringList list(const char* items)
{
    return QString::fromLatin1(items).split(QLatin1Char(','));
}

QString notFound(const QString& badge)
{
    return QStringLiteral("No employee found with Badge number '") + badge + QLatin1Char('\'');
}

} // namespace

void TestBadgeEntry::lookups_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<int>("back"); // cursor moves to the left before the last key
    QTest::addColumn<QStringList>("lookedUp"); // none of them is anyone's badge

    const QStringList none;
    QTest::newRow("six digits typed") << QStringLiteral("123456") << false << 0 << list("123456");
    QTest::newRow("reader without end mark")
        << QStringLiteral(";123456") << false << 0 << list("123456");
    QTest::newRow("reader, five digits, Enter")
        << QStringLiteral(";12345?") << true << 0 << list("012345");
    QTest::newRow("short badge, Enter") << QStringLiteral("999") << true << 0 << list("000999");
    QTest::newRow("framing inside stays")
        << QStringLiteral("12456;") << false << 3 << list("12;456");
    QTest::newRow("quote in the badge") << QStringLiteral("1'3") << true << 0 << list("0001'3");
    QTest::newRow("Enter on an empty box") << QString() << true << 0 << none;
    QTest::newRow("only framing, Enter") << QStringLiteral("@|;?") << true << 0 << none;
}

void TestBadgeEntry::lookups()
{
    QFETCH(QString, keys);
    QFETCH(bool, enter);
    QFETCH(int, back);
    QFETCH(QStringList, lookedUp);

    PunchScreen punch;
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    for (qsizetype i = 0; i < lookedUp.size(); ++i)
        dialogs.answer(Dialogs::Answer::Ok);

    // Nothing is looked up before the last key.
    const QString last = enter ? QString() : keys.right(1);
    punch.type(QStringLiteral("Text34"), keys.chopped(last.size()));
    QCOMPARE(dialogs.shown().size(), 0);
    for (int i = 0; i < back; ++i)
        QTest::keyClick(punch.screen().Text34, Qt::Key_Left);
    if (enter)
        punch.pressEnter(QStringLiteral("Text34"));
    else
        punch.type(QStringLiteral("Text34"), last);

    QStringList expected;
    for (const QString& badge : std::as_const(lookedUp))
        expected << notFound(badge);
    QCOMPARE(dialogs.texts(), expected);
    for (const ScriptedDialogs::Shown& shown : dialogs.shown()) {
        QCOMPARE(shown.message.title, PunchTexts::instructionTitle);
        QCOMPARE(shown.message.icon, Dialogs::Icon::Critical);
    }
    QVERIFY(punch.screen().Text34->text().isEmpty());
    QVERIFY(punch.screen().Text34->isEnabled());
    QCOMPARE(punch.focused(), punch.screen().Text34);
    QVERIFY(!punch.screen().Picture1->isVisible());
    VERIFY_DIALOGS(dialogs);
}

void TestBadgeEntry::newJobMode_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("heading");

    QTest::newRow("sixth character")
        << QStringLiteral("000123") << false << QStringLiteral("Enter your job information:");
    QTest::newRow("Enter") << QStringLiteral("123") << true
                           << QStringLiteral("Enter your Job information:");
}

void TestBadgeEntry::newJobMode()
{
    QFETCH(QString, keys);
    QFETCH(bool, enter);
    QFETCH(QString, heading);

    PunchScreen punch;
    QVERIFY(punch.open());
    JobCosting& screen = punch.screen();
    // An item added at the punch workstation after the screen opened, and
    // leftovers of an earlier display: the lists are read again, the texts emptied.
    punch.site().sql(SiteBuilder::validationsFile,
        QStringLiteral("INSERT INTO Level1 VALUES ('20', 'Deburring', 3, 0, 'Department')"));
    screen.Text4->setText(QStringLiteral("9"));
    screen.DBCombo2->setText(QStringLiteral("Grind"));

    punch.type(QStringLiteral("Text34"), keys);
    if (enter)
        punch.pressEnter(QStringLiteral("Text34"));

    QCOMPARE(screen.Text34->text(), QStringLiteral("000123"));
    QVERIFY(!screen.Text34->isEnabled());
    QVERIFY(screen.Label5->isVisible());
    QCOMPARE(screen.Label5->text(), QStringLiteral("Walter Brennan"));
    QVERIFY(screen.Label5->width() >= screen.Label5->sizeHint().width());
    QVERIFY(screen.Label2->isVisible());
    QCOMPARE(screen.Label2->text(), QStringLiteral("You are about to start working on a new Job"));
    QCOMPARE(screen.Label1->text(), heading);
    QVERIFY(screen.Command1->isVisible());
    QCOMPARE(screen.Command1->text(), QStringLiteral("New Job"));
    QVERIFY(screen.Command2->isVisible());
    QCOMPARE(screen.Command2->text(), QStringLiteral("Cancel"));

    QStringList departments;
    for (int i = 0; i < screen.DBCombo1->count(); ++i)
        departments << screen.DBCombo1->itemText(i);
    QCOMPARE(departments, (list("Assembly,Deburring,Machining,Paint Shop,Shipping")));
    for (DbCombo* combo : { screen.DBCombo1, screen.DBCombo2, screen.DBCombo3 }) {
        QVERIFY(combo->isVisible() && combo->isEnabled());
        QCOMPARE(combo->text(), QString());
    }
    for (QLineEdit* box : { screen.Text3, screen.Text4, screen.Text5 })
        QCOMPARE(box->text(), QString());
    QVERIFY(screen.Text3->isEnabled());
    QCOMPARE(punch.focused(), screen.Text3);

    const Module1& module = punch.module();
    QCOMPARE(module.CurEmpName.toString(), QStringLiteral("Walter Brennan"));
    QCOMPARE(module.CurEmpNum.toInt(), 123);
    QCOMPARE(module.CurDeptNum.toInt(), 10);
    QCOMPARE(module.CurBasePayRate.toDouble(), 18.5);
    QVERIFY(!module.BadgeFocusPending);
    VERIFY_DIALOGS(punch.services().dialogs);
    if (enter)
        punch.savePicture(QStringLiteral("new-job.png"));
}

void TestBadgeEntry::endJobMode_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("owner"); // whose name the open job carries

    const QString walter = QStringLiteral("Walter Brennan");
    QTest::newRow("sixth character") << QStringLiteral("000123") << false << walter;
    QTest::newRow("Enter") << QStringLiteral("123") << true << walter;
    // Open jobs are found by name: a namesake is shown the other worker's job.
    QTest::newRow("namesake") << QStringLiteral("000200") << false << walter;
    QTest::newRow("quote in the name")
        << QStringLiteral("125") << true << QStringLiteral("James O'Connor");
}

void TestBadgeEntry::endJobMode()
{
    QFETCH(QString, keys);
    QFETCH(bool, enter);
    QFETCH(QString, owner);

    PunchScreen punch;
    SiteBuilder::addEmployees(punch.site().path(),
        { { QStringLiteral("000200"), QStringLiteral("Walter Brennan"), 200, 30, 15 } });
    const QStringList titles = list("Department,Operation,Part");
    const QStringList codes = list("14,8,A-100");
    const QStringList descriptions = list("Machining,Drill,Cover Plate");
    QVariantMap job { { QStringLiteral("Name"), owner },
        { QStringLiteral("DateWorked"), QStringLiteral("2004-02-26") },
        { QStringLiteral("TimeStart"), QStringLiteral("14:05:07") } };
    for (int i = 0; i < 3; ++i) {
        const QString level = QStringLiteral("Level%1").arg(i + 1);
        job.insert(level + QLatin1String("Description"), titles.at(i));
        job.insert(level + QLatin1String("ItemCode"), codes.at(i));
        job.insert(level + QLatin1String("ItemDescription"), descriptions.at(i));
    }
    addOpenJob(punch.site(), job);
    QVERIFY(punch.open());
    JobCosting& screen = punch.screen();

    punch.type(QStringLiteral("Text34"), keys);
    if (enter)
        punch.pressEnter(QStringLiteral("Text34"));

    QVERIFY(!screen.Text34->isEnabled());
    QCOMPARE(screen.Label2->text(), QStringLiteral("Started Job on 02/26/2004 at 2:05:07 PM"));
    QCOMPARE(screen.Label1->text(), QStringLiteral("Current Job Allocation"));
    QVERIFY(screen.Command1->isVisible());
    QCOMPARE(screen.Command1->text(), QStringLiteral("Cancel"));
    QVERIFY(screen.Command2->isVisible());
    QCOMPARE(screen.Command2->text(), QStringLiteral("End Job"));

    const QLineEdit* codeBoxes[] = { screen.Text3, screen.Text4, screen.Text5 };
    const DbCombo* pullDowns[] = { screen.DBCombo1, screen.DBCombo2, screen.DBCombo3 };
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(codeBoxes[i]->text(), codes.at(i));
        QVERIFY(codeBoxes[i]->isVisible() && !codeBoxes[i]->isEnabled());
        QCOMPARE(pullDowns[i]->text(), descriptions.at(i));
        QVERIFY(pullDowns[i]->isVisible() && !pullDowns[i]->isEnabled());
    }
    QVERIFY(!punch.module().LoadingOpenJob);
    if (enter)
        QCOMPARE(punch.focused(), screen.Command2);
    VERIFY_DIALOGS(punch.services().dialogs);
    if (QByteArray(QTest::currentDataTag()) == "Enter")
        punch.savePicture(QStringLiteral("end-job.png"));
}

void TestBadgeEntry::openJobHasBonus_data()
{
    QTest::addColumn<QVariantList>("titles"); // Level1Description .. Level3Description
    QTest::addColumn<QVariantList>("rates"); // Level1BonusRate .. Level3BonusRate
    QTest::addColumn<bool>("bonus");

    const QVariant none;
    const QVariant department = QStringLiteral("Department");
    const QVariant operation = QStringLiteral("Operation");
    const QVariant part = QStringLiteral("Part");
    const QVariant empty = QString();

    QTest::newRow("level 2 deepest, with a rate")
        << QVariantList { department, operation, empty } << QVariantList { 0, 1.5, 0 } << true;
    QTest::newRow("level 2 deepest, rate only on level 1")
        << QVariantList { department, operation, empty } << QVariantList { 2, 0, 0 } << false;
    QTest::newRow("level 3 deepest, rate only higher up")
        << QVariantList { department, operation, part } << QVariantList { 2, 2, 0 } << false;
    QTest::newRow("level 3 deepest, with a rate")
        << QVariantList { department, operation, part } << QVariantList { 0, 0, 0.25 } << true;
    QTest::newRow("no level described")
        << QVariantList { empty, none, empty } << QVariantList { 5, 5, 5 } << false;
    QTest::newRow("rate missing") << QVariantList { department, empty, empty }
                                  << QVariantList { none, none, none } << false;
}

void TestBadgeEntry::openJobHasBonus()
{
    QFETCH(QVariantList, titles);
    QFETCH(QVariantList, rates);
    QFETCH(bool, bonus);

    PunchScreen punch;
    QVariantMap job { { QStringLiteral("Name"), QStringLiteral("Walter Brennan") } };
    for (int level = 1; level <= 3; ++level) {
        job.insert(QStringLiteral("Level%1Description").arg(level), titles.at(level - 1));
        job.insert(QStringLiteral("Level%1BonusRate").arg(level), rates.at(level - 1));
    }
    addOpenJob(punch.site(), job);
    QVERIFY(punch.open());
    punch.module().OpenJobHasBonus = !bonus;

    punch.type(QStringLiteral("Text34"), QStringLiteral("000123"));
    QCOMPARE(punch.screen().Label1->text(), QStringLiteral("Current Job Allocation"));
    QCOMPARE(punch.module().OpenJobHasBonus, bonus);
    VERIFY_DIALOGS(punch.services().dialogs);
}

QTEST_MAIN(TestBadgeEntry)
#include "tst_badgeentry.moc"
