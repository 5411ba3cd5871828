#include "PunchScreen.h"
#include "data/SiteModel.h"
#include "punch/Framing.h"
#include "punch/PunchTexts.h"
#include "ui/DbCombo.h"
#include "ui/HiddenBox.h"
#include "ui/PictureButton.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

// Naming the job's levels in new-job mode: by item code and Enter, or by
// description from the pull-downs. Level n has code box Text(n+2), pull-down
// DBCombo(n), and the hidden box Text(n+12) bound to its item's ItemCode.
class TestJobSelection : public QObject
{
    Q_OBJECT

private slots:
    void framing_data();
    void framing();
    void framingMatchesNestedRule();
    void longCodeIsLookedUpWhole_data();
    void longCodeIsLookedUpWhole();
    void select_data();
    void select();
    void noSelectionWhileLoadingOpenJob();
};

namespace {

// Brings the screen into new-job mode for worker 000123, after changing the
// validation tables with `change` when it is not empty.
bool startNewJob(PunchScreen& punch, const QString& change = {})
{
    if (!change.isEmpty())
        punch.site().sql(SiteModel::validationsFile, change);
    if (!punch.open())
        return false;
    punch.type(u"Text34"_s, u"000123"_s);
    return punch.focused() == punch.screen().Text3;
}

} // namespace

void TestJobSelection::framing_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("typed"); // key by key; else delivered at once, as by a scanner
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("kept");

    const QString digits = u"0123456789"_s.repeated(15);
    QTest::newRow("reader marks") << 1 << false << u";12?"_s << u"12"_s;
    QTest::newRow("reader marks typed") << 2 << true << u";7?"_s << u"7"_s;
    QTest::newRow("doubled marks") << 1 << false << u"@@12||"_s << u"12"_s;
    QTest::newRow("mark inside") << 3 << false << u"1;2"_s << u"1;2"_s;
    QTest::newRow("marks only") << 1 << false << u"@|;?"_s << QString();
    QTest::newRow("long after @") << 1 << false << u'@' + digits << digits.left(99);
    QTest::newRow("level 1, no limit") << 1 << true << u"ABCDEFGHIJK"_s << u"ABCDEFGHIJK"_s;
    QTest::newRow("level 2, 10 at most") << 2 << true << u"ABCDEFGHIJK"_s << u"ABCDEFGHIJ"_s;
    QTest::newRow("level 3, 10 at most") << 3 << true << u"ABCDEFGHIJK"_s << u"ABCDEFGHIJ"_s;
    // A paste is cut to what the column holds before any framing is stripped.
    QTest::newRow("32,000 pasted, level 1")
        << 1 << false << u"1"_s + u"?"_s.repeated(31999) << u"1"_s;
    QTest::newRow("32,000 pasted, level 2")
        << 2 << false << u"7"_s + u";"_s.repeated(31999) << u"7"_s;
    QTest::newRow("32,000 pasted, level 3") << 3 << false << u"@|"_s.repeated(16000) << QString();
}

void TestJobSelection::framing()
{
    QFETCH(int, level);
    QFETCH(bool, typed);
    QFETCH(QString, entry);
    QFETCH(QString, kept);

    PunchScreen punch;
    QVERIFY(startNewJob(punch));
    const JobCosting& screen = punch.screen();
    QLineEdit* code = punch.find<QLineEdit>(u"Text%1"_s.arg(level + 2));
    code->setFocus();
    if (typed)
        QTest::keyClicks(code, entry);
    else
        code->insert(entry);
    QCOMPARE(code->text(), kept);
    // The code box with the focus is cyan, the others white.
    for (const QLineEdit* each : {screen.Text3, screen.Text4, screen.Text5})
        QCOMPARE(each->palette().color(QPalette::Base),
            each == code ? QColor(0, 255, 255) : QColor(255, 255, 255));
}

namespace {

// The rule as the card-reader handling always ran it: each removal writes the
// box, whose handler strips the shorter text to its end before going on.
QString nestedRule(QString text)
{
    for (const QChar leading : u"@|;?"_s) {
        if (text.startsWith(leading))
            text = nestedRule(text.mid(1, 99));
    }
    for (const QChar trailing : u";?@|"_s) {
        if (text.endsWith(trailing))
            text = nestedRule(text.chopped(1));
    }
    return text;
}

} // namespace

void TestJobSelection::framingMatchesNestedRule()
{
    QRandomGenerator random(9);
    const QString alphabet = u"@|;?1A"_s;
    for (int i = 0; i < 5000; ++i) {
        QString text;
        for (int length = random.bounded(160); length > 0; --length)
            text += alphabet.at(random.bounded(alphabet.size()));
        QCOMPARE(withoutFraming(text), nestedRule(text));
    }
}

void TestJobSelection::longCodeIsLookedUpWhole_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("width"); // declared type of the level's ItemCode; empty: as made
    QTest::addColumn<QString>("stored"); // the code of an item added
    QTest::addColumn<QString>("typed"); // then Enter
    QTest::addColumn<bool>("found"); // else refused

    // A code box that cut a scanned code to the column's width found the item
    // whose code is the first part of it.
    const QString ten = u"1234567890"_s;
    QTest::newRow("level 1, Access's Text (10), longer code")
        << 1 << u"VARCHAR(10)"_s << ten << ten + u"12"_s << false;
    QTest::newRow("level 1, Access's Text (10), the code")
        << 1 << u"VARCHAR(10)"_s << ten << ten << true;
    QTest::newRow("level 1, no width, 300 characters")
        << 1 << QString() << u"7"_s.repeated(255) << u"7"_s.repeated(300) << false;
    QTest::newRow("level 2, column narrower than the box")
        << 2 << u"VARCHAR(8)"_s << ten.left(8) << ten << false;
    QTest::newRow("level 3, column narrower than the box")
        << 3 << u"CHAR( 4 )"_s << u"A-10"_s << u"A-10X"_s << false;
}

void TestJobSelection::longCodeIsLookedUpWhole()
{
    QFETCH(int, level);
    QFETCH(QString, width);
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, found);

    PunchScreen punch;
    const auto sql = [&punch](const QString& statement, const QVariantList& values = {}) {
        punch.site().sql(SiteModel::validationsFile, statement, values);
    };
    const QString table = u"Level%1"_s.arg(level);
    if (!width.isEmpty()) {
        sql(u"CREATE TABLE Narrow (ItemCode "_s + width
            + u", ItemDescription TEXT, StandardCost REAL, BonusRate REAL, LevelDescription TEXT)"_s);
        sql(u"INSERT INTO Narrow SELECT ItemCode, ItemDescription, StandardCost, BonusRate, "
            "LevelDescription FROM "_s
            + table);
        sql(u"DROP TABLE "_s + table);
        sql(u"ALTER TABLE Narrow RENAME TO "_s + table);
    }
    sql(u"INSERT INTO %1 (ItemCode, ItemDescription, StandardCost, BonusRate, LevelDescription) "
        "SELECT ?, 'Long code', 1, 0, LevelDescription FROM %1 LIMIT 1"_s.arg(table),
        {stored});
    QVERIFY(startNewJob(punch));
    const QString box = u"Text%1"_s.arg(level + 2);
    auto* code = punch.find<QLineEdit>(box);
    code->setFocus();
    ScriptedDialogs& dialogs = punch.services().dialogs;
    if (!found)
        dialogs.answer(Dialogs::Answer::Ok);

    punch.type(box, typed);
    punch.pressEnter(box);

    QCOMPARE(code->text(), found ? stored : QString());
    QCOMPARE(
        punch.find<DbCombo>(u"DBCombo%1"_s.arg(level))->text(), found ? u"Long code"_s : QString());
    VERIFY_DIALOGS(dialogs);
}

void TestJobSelection::select_data()
{
    QTest::addColumn<QString>("change"); // to the validation tables
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("typed"); // then Enter; null: the description is chosen instead
    QTest::addColumn<QString>("code"); // as stored, it replaces the code typed; empty: unknown
    QTest::addColumn<QString>("description"); // shown by the level's pull-down afterwards
    QTest::addColumn<QString>("next"); // has the focus afterwards

    const QString all, choose, box1 = u"Text3"_s, box2 = u"Text4"_s, start = u"Command1"_s;
    const QString quoted
        = u"INSERT INTO Level1 VALUES ('Q''7', 'Welder''s Bay', 5, 0, 'Department')"_s;
    QTest::newRow("code, level 1") << all << 1 << u"12"_s << u"12"_s << u"Assembly"_s << box2;
    QTest::newRow("code, level 2") << all << 2 << u"7"_s << u"7"_s << u"Weld"_s << u"Text5"_s;
    QTest::newRow("code, level 3")
        << all << 3 << u"a-100"_s << u"A-100"_s << u"Cover Plate"_s << start;
    QTest::newRow("code, level 2, level 3 not in use")
        << u"DELETE FROM Level3"_s << 2 << u"8"_s << u"8"_s << u"Drill"_s << start;
    QTest::newRow("code, level 1, level 2 not in use")
        << u"DELETE FROM Level2"_s << 1 << u"14"_s << u"14"_s << u"Machining"_s << start;
    QTest::newRow("code with a quote")
        << quoted << 1 << u"Q'7"_s << u"Q'7"_s << u"Welder's Bay"_s << box2;
    QTest::newRow("unknown code") << all << 1 << u"99"_s << QString() << u"Shipping"_s << box1;
    QTest::newRow("unknown code with a quote")
        << all << 1 << u"1'2"_s << QString() << u"Shipping"_s << box1;
    QTest::newRow("no code") << all << 1 << u""_s << QString() << u"Shipping"_s << box1;
    QTest::newRow("description, level 1")
        << all << 1 << choose << u"14"_s << u"Machining"_s << box1;
    QTest::newRow("description, level 2") << all << 2 << choose << u"8"_s << u"Drill"_s << box1;
    QTest::newRow("description, level 3")
        << all << 3 << choose << u"A-100"_s << u"Cover Plate"_s << box1;
    QTest::newRow("description with a quote")
        << quoted << 1 << choose << u"Q'7"_s << u"Welder's Bay"_s << box1;
    // Five hundred more parts: the item is far beyond what the list first reads.
    const QString parts = u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                          "WHERE i < 500) INSERT INTO Level3 SELECT 'Z' || i, "
                          "printf('Zinc %03d', i), 1, 0, 'Part' FROM n"_s;
    QTest::newRow("code, long list")
        << parts << 3 << u"z480"_s << u"Z480"_s << u"Zinc 480"_s << start;
    QTest::newRow("description, long list")
        << parts << 3 << choose << u"Z480"_s << u"Zinc 480"_s << box1;
}

void TestJobSelection::select()
{
    QFETCH(QString, change);
    QFETCH(int, level);
    QFETCH(QString, typed);
    QFETCH(QString, code);
    QFETCH(QString, description);
    QFETCH(QString, next);
    const QString box = u"Text%1"_s.arg(level + 2), pullDown = u"DBCombo%1"_s.arg(level);

    PunchScreen punch;
    QVERIFY(startNewJob(punch, change));
    JobCosting& screen = punch.screen();
    ScriptedDialogs& dialogs = punch.services().dialogs;
    auto* codeBox = punch.find<QLineEdit>(box);
    auto* following = punch.find<QWidget>(next);
    punch.choose(u"DBCombo1"_s, u"Shipping"_s);
    QCOMPARE(screen.Text3->text(), u"18"_s);
    if (typed.isNull()) {
        punch.choose(pullDown, description);
        // A choice by description neither disables a box nor moves the focus.
        QVERIFY(
            screen.Text3->isEnabled() && screen.Text4->isEnabled() && screen.Text5->isEnabled());
    } else {
        if (code.isEmpty())
            dialogs.answer(Dialogs::Answer::Ok);
        // The next box may have been left disabled by an earlier end-job display.
        if (following != codeBox && qobject_cast<QLineEdit*>(following))
            following->setEnabled(false);
        codeBox->clear();
        codeBox->setEnabled(true);
        codeBox->setFocus();
        punch.type(box, typed);
        punch.pressEnter(box);
        // Only a known code locks its box.
        QCOMPARE(codeBox->isEnabled(), code.isEmpty());
    }

    QCOMPARE(punch.find<DbCombo>(pullDown)->text(), description);
    QCOMPARE(codeBox->text(), code);
    if (!code.isEmpty())
        QCOMPARE(punch.find<HiddenBox>(u"Text%1"_s.arg(level + 12))->text(), code);
    if (level > 1) // level 1 is left as it was
        QCOMPARE(screen.DBCombo1->text(), u"Shipping"_s);
    QVERIFY(following->isEnabled());
    QCOMPARE(punch.focused(), following);
    QCOMPARE(dialogs.texts(),
        code.isEmpty() ? QStringList {u"Item Code invalid! Try using the Description pulldown"_s}
                       : QStringList());
    for (const ScriptedDialogs::Shown& shown : dialogs.shown()) {
        QCOMPARE(shown.message.title, PunchTexts::instructionTitle());
        QCOMPARE(shown.message.icon, Dialogs::Icon::Critical);
    }
    VERIFY_DIALOGS(dialogs);
}

void TestJobSelection::noSelectionWhileLoadingOpenJob()
{
    PunchScreen punch;
    QVERIFY(startNewJob(punch));
    JobCosting& screen = punch.screen();
    const QString itemBefore = screen.Text13->text();

    punch.module().LoadingOpenJob = true;
    punch.choose(u"DBCombo2"_s, u"Drill"_s);
    punch.choose(u"DBCombo1"_s, u"Machining"_s);
    punch.module().LoadingOpenJob = false;

    QVERIFY(screen.Text3->text().isEmpty() && screen.Text4->text().isEmpty());
    QCOMPARE(screen.Text13->text(), itemBefore);
}

QTEST_MAIN(TestJobSelection)
#include "tst_jobselection.moc"
