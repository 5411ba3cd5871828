#include "PunchScreen.h"
#include "punch/PunchTexts.h"
#include "ui/DbCombo.h"
#include "ui/PictureButton.h"

#include <QTest>

// Naming the job's levels in new-job mode: by item code and Enter, or by
// description from the pull-downs.
class TestJobSelection : public QObject
{
    Q_OBJECT

private slots:
    void framing_data();
    void framing();
    void codeLookup_data();
    void codeLookup();
    void unknownCode_data();
    void unknownCode();
    void focusColours();
    void chooseDescription_data();
    void chooseDescription();
    void noSelectionWhileLoadingOpenJob();
};

namespace {

const QString quotedItem
    = QStringLiteral("INSERT INTO Level1 VALUES ('Q''7', 'Welder''s Bay', 5, 0, 'Department')");

// Brings the screen into new-job mode for worker 000123, after changing the
// validation tables with `change` when it is not empty.
bool startNewJob(PunchScreen& punch, const QString& change = {})
{
    if (!change.isEmpty())
        punch.site().sql(SiteBuilder::validationsFile, change);
    if (!punch.open())
        return false;
    punch.type(QStringLiteral("Text34"), QStringLiteral("000123"));
    return punch.focused() == punch.screen().Text3;
}

// The level (1 to 3) whose item-code box is `box`, and that level's controls.
int levelOf(const QString& box)
{
    return box == QLatin1String("Text3") ? 1 : box == QLatin1String("Text4") ? 2 : 3;
}

QString pullDownOf(const QString& box)
{
    return QStringLiteral("DBCombo%1").arg(levelOf(box));
}

// The box bound to the ItemCode of the level's item source.
QString itemCodeBox(const QString& box)
{
    return QStringLiteral("Text%1").arg(12 + levelOf(box));
}

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

} // namespace

void TestJobSelection::framing_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("typed"); // key by key; else delivered at once, as by a scanner
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("kept");

    QString digits;
    while (digits.size() < 150)
        digits += QStringLiteral("0123456789");
    digits.truncate(150);

    const auto row = [](const char* name, const char* box, bool typed, const QString& entry,
                         const QString& kept) {
        QTest::newRow(name) << text(box) << typed << entry << kept;
    };
    row("reader marks", "Text3", false, text(";12?"), text("12"));
    row("reader marks typed", "Text4", true, text(";7?"), text("7"));
    row("doubled marks", "Text3", false, text("@@12||"), text("12"));
    row("mark inside", "Text5", false, text("1;2"), text("1;2"));
    row("marks only", "Text3", false, text("@|;?"), QString());
    row("long after @", "Text3", false, QLatin1Char('@') + digits, digits.left(99));
    row("level 1 has no length limit", "Text3", true, text("ABCDEFGHIJKL"), text("ABCDEFGHIJKL"));
    row("level 2 stops at 10", "Text4", true, text("ABCDEFGHIJKL"), text("ABCDEFGHIJ"));
    row("level 3 stops at 10", "Text5", true, text("ABCDEFGHIJKL"), text("ABCDEFGHIJ"));
}

void TestJobSelection::framing()
{
    QFETCH(QString, box);
    QFETCH(bool, typed);
    QFETCH(QString, entry);
    QFETCH(QString, kept);

    PunchScreen punch;
    QVERIFY(startNewJob(punch));
    auto* code = punch.find<QLineEdit>(box);
    code->setFocus();
    if (typed)
        punch.type(box, entry);
    else
        code->insert(entry);
    QCOMPARE(code->text(), kept);
}

void TestJobSelection::codeLookup_data()
{
    QTest::addColumn<QString>("change"); // to the validation tables
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("next");

    const auto row = [](const char* name, const QString& change, const char* box, const char* typed,
                         const char* stored, const char* description, const char* next) {
        QTest::newRow(name) << change << text(box) << text(typed) << text(stored)
                            << text(description) << text(next);
    };
    const QString all;
    row("level 1, on to level 2", all, "Text3", "12", "12", "Assembly", "Text4");
    row("level 2, on to level 3", all, "Text4", "7", "7", "Weld", "Text5");
    // The code as the table stores it replaces the one typed.
    row("level 3, on to Start Job", all, "Text5", "a-100", "A-100", "Cover Plate", "Command1");
    row("level 2, level 3 not in use", text("DELETE FROM Level3"), "Text4", "8", "8", "Drill",
        "Command1");
    row("level 1, level 2 not in use", text("DELETE FROM Level2"), "Text3", "14", "14", "Machining",
        "Command1");
    row("quote in the code", quotedItem, "Text3", "Q'7", "Q'7", "Welder's Bay", "Text4");
}

void TestJobSelection::codeLookup()
{
    QFETCH(QString, change);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, description);
    QFETCH(QString, next);

    PunchScreen punch;
    QVERIFY(startNewJob(punch, change));
    auto* code = punch.find<QLineEdit>(box);
    auto* following = punch.find<QWidget>(next);
    // The next box may have been left disabled by an earlier end-job display.
    if (qobject_cast<QLineEdit*>(following))
        following->setEnabled(false);
    code->setEnabled(true);
    code->setFocus();

    punch.type(box, typed);
    punch.pressEnter(box);

    QCOMPARE(punch.find<DbCombo>(pullDownOf(box))->text(), description);
    QCOMPARE(code->text(), stored);
    QVERIFY(!code->isEnabled());
    QCOMPARE(punch.find<QLineEdit>(itemCodeBox(box))->text(), stored);
    QVERIFY(following->isEnabled());
    QCOMPARE(punch.focused(), following);
    VERIFY_DIALOGS(punch.services().dialogs);
}

void TestJobSelection::unknownCode_data()
{
    QTest::addColumn<QString>("typed");

    QTest::newRow("no such code") << QStringLiteral("99");
    QTest::newRow("quote") << QStringLiteral("1'2");
    QTest::newRow("nothing typed") << QString();
}

void TestJobSelection::unknownCode()
{
    QFETCH(QString, typed);

    PunchScreen punch;
    QVERIFY(startNewJob(punch));
    JobCosting& screen = punch.screen();
    punch.choose(QStringLiteral("DBCombo1"), QStringLiteral("Machining"));
    screen.Text3->clear();
    ScriptedDialogs& dialogs = punch.services().dialogs;
    dialogs.answer(Dialogs::Answer::Ok);

    punch.type(QStringLiteral("Text3"), typed);
    punch.pressEnter(QStringLiteral("Text3"));

    QCOMPARE(dialogs.texts(),
        QStringList { QStringLiteral("Item Code invalid! Try using the Description pulldown") });
    QCOMPARE(dialogs.shown().first().message.title, PunchTexts::instructionTitle);
    QCOMPARE(dialogs.shown().first().message.icon, Dialogs::Icon::Critical);
    QCOMPARE(screen.Text3->text(), QString());
    QVERIFY(screen.Text3->isEnabled());
    QCOMPARE(punch.focused(), screen.Text3);
    QCOMPARE(screen.DBCombo1->text(), QStringLiteral("Machining"));
    VERIFY_DIALOGS(dialogs);
}

void TestJobSelection::focusColours()
{
    PunchScreen punch;
    QVERIFY(startNewJob(punch));
    JobCosting& screen = punch.screen();
    const QColor cyan(0, 255, 255);
    const QColor white(255, 255, 255);
    const auto background = [](const QLineEdit* box) {
        return box->palette().color(QPalette::Base);
    };

    QCOMPARE(background(screen.Text3), cyan);
    for (QLineEdit* box : { screen.Text4, screen.Text5 }) {
        box->setFocus();
        QCOMPARE(background(box), cyan);
    }
    screen.DBCombo1->setFocus();
    for (QLineEdit* box : { screen.Text3, screen.Text4, screen.Text5 })
        QCOMPARE(background(box), white);
}

void TestJobSelection::chooseDescription_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("code");

    QTest::newRow("level 1") << text("Text3") << text("Machining") << text("14");
    QTest::newRow("level 2") << text("Text4") << text("Drill") << text("8");
    QTest::newRow("level 3") << text("Text5") << text("Cover Plate") << text("A-100");
    QTest::newRow("quote") << text("Text3") << text("Welder's Bay") << text("Q'7");
}

void TestJobSelection::chooseDescription()
{
    QFETCH(QString, box);
    QFETCH(QString, description);
    QFETCH(QString, code);
    const QString pullDown = pullDownOf(box);

    PunchScreen punch;
    QVERIFY(startNewJob(punch, quotedItem));
    JobCosting& screen = punch.screen();
    punch.choose(QStringLiteral("DBCombo1"), QStringLiteral("Shipping"));
    QCOMPARE(screen.Text3->text(), QStringLiteral("18"));

    punch.choose(pullDown, description);

    QCOMPARE(punch.find<QLineEdit>(box)->text(), code);
    QCOMPARE(punch.find<QLineEdit>(itemCodeBox(box))->text(), code);
    QCOMPARE(punch.find<DbCombo>(pullDown)->text(), description);
    // Choosing on level 2 or 3 leaves level 1 as it was.
    if (pullDown != QLatin1String("DBCombo1"))
        QCOMPARE(screen.DBCombo1->text(), QStringLiteral("Shipping"));
    // A choice by description neither disables a box nor moves the focus.
    for (QLineEdit* each : { screen.Text3, screen.Text4, screen.Text5 })
        QVERIFY(each->isEnabled());
    QCOMPARE(punch.focused(), screen.Text3);
    VERIFY_DIALOGS(punch.services().dialogs);
}

void TestJobSelection::noSelectionWhileLoadingOpenJob()
{
    PunchScreen punch;
    QVERIFY(startNewJob(punch));
    JobCosting& screen = punch.screen();
    const QString itemBefore = screen.Text13->text();

    punch.module().LoadingOpenJob = true;
    punch.choose(QStringLiteral("DBCombo2"), QStringLiteral("Drill"));
    punch.choose(QStringLiteral("DBCombo1"), QStringLiteral("Machining"));
    punch.module().LoadingOpenJob = false;

    QCOMPARE(screen.Text3->text(), QString());
    QCOMPARE(screen.Text4->text(), QString());
    QCOMPARE(screen.Text13->text(), itemBefore);
}

QTEST_MAIN(TestJobSelection)
#include "tst_jobselection.moc"
