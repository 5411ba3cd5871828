#include "PunchScreen.h"
#include "data/SiteModel.h"
#include "punch/PunchTexts.h"
#include "punch/ReaderSuffix.h"
#include "ui/DbCombo.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

// The badge box as a keyboard and a card reader drive it, and the two modes a
// found worker is taken to.
class TestBadgeEntry : public QObject
{
    Q_OBJECT

private slots:
    void lookups_data();
    void lookups();
    void foundWorker_data();
    void foundWorker();
    void strayKeysDoNothing_data();
    void strayKeysDoNothing();
    void openJobHasBonus_data();
    void openJobHasBonus();
    void databaseFailureIsToldAndOutlived_data();
    void databaseFailureIsToldAndOutlived();
};

namespace {

// Inserts a JobPunches row marked "Open"; values are SQL literals.
void addOpenJob(const Site& site, const QString& columns, const QString& values)
{
    site.sql(SiteModel::jobPunchesFile,
        u"INSERT INTO JobPunches (Badge, %1) VALUES ('Open', %2)"_s.arg(columns, values));
}

QStringList list(const char* items)
{
    return QString::fromLatin1(items).split(QLatin1Char(','));
}

} // namespace

void TestBadgeEntry::lookups_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<int>("back"); // cursor moves to the left before the last key
    QTest::addColumn<QString>("lookedUp"); // nobody's badge; empty: no lookup

    QTest::newRow("six digits typed") << u"123456"_s << false << 0 << u"123456"_s;
    QTest::newRow("reader without end mark") << u";123456"_s << false << 0 << u"123456"_s;
    QTest::newRow("reader, five digits, Enter") << u";12345?"_s << true << 0 << u"012345"_s;
    QTest::newRow("short badge, Enter") << u"999"_s << true << 0 << u"000999"_s;
    QTest::newRow("framing inside stays") << u"12456;"_s << false << 3 << u"12;456"_s;
    QTest::newRow("quote in the badge") << u"1'3"_s << true << 0 << u"0001'3"_s;
    QTest::newRow("Enter on an empty box") << QString() << true << 0 << QString();
    QTest::newRow("only framing, Enter") << u"@|;?"_s << true << 0 << QString();
    // Pasted at once: cut to six characters, then stripped to the one digit.
    QTest::newRow("32,000 pasted, Enter")
        << u"paste:1"_s + u"|"_s.repeated(31999) << true << 0 << u"000001"_s;
}

void TestBadgeEntry::lookups()
{
    QFETCH(QString, keys);
    QFETCH(bool, enter);
    QFETCH(int, back);
    QFETCH(QString, lookedUp);

    PunchScreen punch;
    QVERIFY(punch.open());
    JobCosting& screen = punch.screen();
    ScriptedDialogs& dialogs = punch.services().dialogs;
    const QStringList expected = lookedUp.isEmpty()
        ? QStringList()
        : QStringList {u"No employee found with Badge number '%1'"_s.arg(lookedUp)};
    if (!lookedUp.isEmpty())
        dialogs.answer(Dialogs::Answer::Ok);

    // Nothing is looked up before the last key.
    if (keys.startsWith(u"paste:"_s)) {
        screen.Text34->insert(keys.mid(6));
        QCOMPARE(screen.Text34->text(), u"1"_s);
        keys = QString();
    }
    const QString last = enter ? QString() : keys.right(1);
    punch.type(u"Text34"_s, keys.chopped(last.size()));
    QCOMPARE(dialogs.shown().size(), 0);
    for (int i = 0; i < back; ++i)
        QTest::keyClick(screen.Text34, Qt::Key_Left);
    if (enter)
        punch.pressEnter(u"Text34"_s);
    else
        punch.type(u"Text34"_s, last);

    QCOMPARE(dialogs.texts(), expected);
    for (const ScriptedDialogs::Shown& shown : dialogs.shown()) {
        QCOMPARE(shown.message.title, PunchTexts::instructionTitle());
        QCOMPARE(shown.message.icon, Dialogs::Icon::Critical);
    }
    QVERIFY(screen.Text34->text().isEmpty() && screen.Text34->isEnabled());
    QCOMPARE(punch.focused(), screen.Text34);
    QVERIFY(!screen.Picture1->isVisible());
    VERIFY_DIALOGS(dialogs);
}

void TestBadgeEntry::foundWorker_data()
{
    QTest::addColumn<QString>("keys"); // Enter follows when fewer than six
    QTest::addColumn<QString>("owner"); // name on the open job as SQL, empty: no open job
    QTest::addColumn<QString>("heading");

    const QString walter = u"'Walter Brennan'"_s, current = u"Current Job Allocation"_s;
    QTest::newRow("new job, sixth character")
        << u"000123"_s << QString() << u"Enter your job information:"_s;
    QTest::newRow("new job, Enter") << u"123"_s << QString() << u"Enter your Job information:"_s;
    QTest::newRow("open job, sixth character") << u"000123"_s << walter << current;
    QTest::newRow("open job, Enter") << u"123"_s << walter << current;
    // Open jobs are found by name: a namesake is shown the other worker's job.
    QTest::newRow("namesake") << u"000200"_s << walter << current;
    QTest::newRow("quote in the name") << u"125"_s << u"'James O''Connor'"_s << current;
}

void TestBadgeEntry::foundWorker()
{
    QFETCH(QString, keys);
    QFETCH(QString, owner);
    QFETCH(QString, heading);
    const bool open = !owner.isEmpty(), enter = keys.size() < 6;

    PunchScreen punch;
    SiteBuilder::addEmployees(
        punch.site().path(), {{u"000200"_s, u"Walter Brennan"_s, 200, 30, 15}});
    if (open)
        addOpenJob(punch.site(),
            u"Name, DateWorked, TimeStart, Level1Description, Level1ItemCode, "
            "Level1ItemDescription, Level2Description, Level2ItemCode, Level2ItemDescription, "
            "Level3Description, Level3ItemCode, Level3ItemDescription"_s,
            owner
                + u", '2004-02-26', '14:05:07', 'Department', '14', 'Machining', 'Operation', "
                  "'8', 'Drill', 'Part', 'A-100', 'Cover Plate'"_s);
    QVERIFY(punch.open());
    JobCosting& screen = punch.screen();
    // An item added after the screen opened, and leftovers of an earlier display.
    punch.site().sql(SiteModel::validationsFile,
        u"INSERT INTO Level1 VALUES ('20', 'Deburring', 3, 0, 'Department')"_s);
    screen.Text4->setText(u"9"_s);
    screen.DBCombo2->setText(u"Grind"_s);

    punch.type(u"Text34"_s, keys);
    if (enter)
        punch.pressEnter(u"Text34"_s);

    QCOMPARE(screen.Text34->text(), keys.rightJustified(6, u'0'));
    QVERIFY(!screen.Text34->isEnabled());
    QCOMPARE(screen.Label1->text(), heading);
    QCOMPARE(QStringList({screen.Label2->text(), screen.Command1->text(), screen.Command2->text()}),
        open
            ? QStringList({u"Started Job on 02/26/2004 at 2:05:07 PM"_s, u"Cancel"_s, u"End Job"_s})
            : QStringList(
                {u"You are about to start working on a new Job"_s, u"New Job"_s, u"Cancel"_s}));
    QVERIFY(screen.Label2->isVisible() && screen.Command1->isVisible());
    QVERIFY(screen.Command2->isVisible());

    // The open job's levels are shown and locked; a new job starts from empty, open boxes.
    const QStringList codes = open ? list("14,8,A-100") : list(",,");
    const QStringList descriptions = open ? list("Machining,Drill,Cover Plate") : list(",,");
    const QLineEdit* boxes[] = {screen.Text3, screen.Text4, screen.Text5};
    const DbCombo* pullDowns[] = {screen.DBCombo1, screen.DBCombo2, screen.DBCombo3};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(boxes[i]->text(), codes.at(i));
        QCOMPARE(pullDowns[i]->text(), descriptions.at(i));
        QVERIFY(boxes[i]->isVisible() && pullDowns[i]->isVisible());
        QCOMPARE(pullDowns[i]->isEnabled(), !open);
    }
    QCOMPARE(screen.Text3->isEnabled(), !open);
    if (open) {
        QVERIFY(!screen.Text4->isEnabled() && !screen.Text5->isEnabled());
        QVERIFY(!punch.module().LoadingOpenJob);
        if (enter)
            QCOMPARE(punch.focused(), screen.Command2);
    } else {
        QVERIFY(screen.Label5->isVisible());
        QCOMPARE(screen.Label5->text(), u"Walter Brennan"_s);
        QVERIFY(screen.Label5->width() >= screen.Label5->sizeHint().width());
        QStringList departments;
        screen.DBCombo1->showPopup();
        screen.DBCombo1->hidePopup();
        for (int i = 0; i < screen.DBCombo1->count(); ++i)
            departments << screen.DBCombo1->itemText(i);
        QCOMPARE(departments, list("Assembly,Deburring,Machining,Paint Shop,Shipping"));
        QCOMPARE(punch.focused(), screen.Text3);
    }
    VERIFY_DIALOGS(punch.services().dialogs);
}

void TestBadgeEntry::strayKeysDoNothing_data()
{
    // The read: a reader's burst into the badge box, as X key names are typed.
    QTest::addColumn<QString>("read");
    QTest::addColumn<bool>("open"); // the worker has an open job
    // Keys that follow, 100 ms after the read, 8 ms apart: \n Enter, \r the
    // keypad's Enter, \t Tab, ^ Shift, | a click on a label, ! a click on
    // Cancel, ~ 2.5 s later, _ 400 ms later (typing by hand), = the reader's
    // longest pause passes for real, . the screen is taken from here on.
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("told"); // each answered OK
    QTest::addColumn<bool>("taken"); // nothing changes on the screen

    const bool taken = true, acts = false;
    const QStringList none, invalid {u"Item Code invalid! Try using the Description pulldown"_s};
    const QString badge = u";004711?\n"_s;
    // The end mark of a six-character badge belongs to it, wherever it lands.
    for (const bool open : {false, true}) {
        const char* mode = open ? "end job" : "new job";
        QTest::addRow("%s, Tab", mode) << u"004711"_s << open << u"\t"_s << none << taken;
        QTest::addRow("%s, framed, Tab", mode)
            << u";004711"_s << open << u"?@\t"_s << none << taken;
        QTest::addRow("%s, second Tab", mode) << u"004711"_s << open << u"\t\t"_s << none << acts;
        QTest::addRow("%s, Tab after a click", mode)
            << u"004711"_s << open << u"|\t"_s << none << acts;
        // A burst that repeats the read, while its result shows, is swallowed whole.
        QTest::addRow("%s, double swipe", mode) << badge << open << badge << none << taken;
        QTest::addRow("%s, triple swipe", mode) << badge << open << badge + badge << none << taken;
        QTest::addRow("%s, double swipe without end mark", mode)
            << u";004711?"_s << open << u";004711?="_s << none << taken;
        QTest::addRow("%s, Enter read, double", mode)
            << u"4711\n"_s << open << u"4711\n"_s << none << taken;
        QTest::addRow("%s, new swipe after Cancel", mode)
            << badge << open << u"!."_s + badge << none << acts;
    }
    QTest::newRow("new job, Enter") << u"004711"_s << false << u"\n"_s << none << taken;
    QTest::newRow("new job, keypad Enter") << u"004711"_s << false << u"\r"_s << none << taken;
    QTest::newRow("new job, framed, Enter") << u";004711"_s << false << u"^?\n"_s << none << taken;
    QTest::newRow("new job, second Enter") << u"004711"_s << false << u"\n\n"_s << invalid << acts;
    QTest::newRow("new job, Tab after Enter") << u"004711"_s << false << u"\n\t"_s << none << acts;
    QTest::newRow("new job, Enter after a click")
        << u"004711"_s << false << u"|\n"_s << invalid << acts;
    QTest::newRow("new job, Enter after a code")
        << u"004711"_s << false << u"12\n"_s << none << acts;
    // Keys that do not repeat the read go where they would have gone, in order:
    // into the level-1 code box, where 004711 is an item's code too.
    QTest::newRow("new job, swipe 2.5 s later") << badge << false << u"~"_s + badge << none << acts;
    QTest::newRow("new job, another badge") << badge << false << u";000123?\n"_s << invalid << acts;
    QTest::newRow("new job, same badge by hand")
        << badge << false << u"_0_0_4_7_1_1_\n"_s << none << acts;
    QTest::newRow("new job, a click in the burst")
        << badge << false << u";004|711?\n"_s << none << acts;
    QTest::newRow("new job, burst cut short") << badge << false << u";0047="_s << none << acts;
    // End-job mode parks the focus where Enter does nothing, reader's or not;
    // Tab still reaches the buttons.
    QTest::newRow("end job, Enters") << u"004711"_s << true << u"\n\r\n"_s << none << taken;
    QTest::newRow("end job, keypad Enter, Tab") << u"004711"_s << true << u"\r\t"_s << none << acts;
    QTest::newRow("end job, swipe 2.5 s later") << badge << true << u"~"_s + badge << none << taken;
    QTest::newRow("unknown badge, Enter") << u"999999"_s << false << u"\n"_s << none << taken;
    QTest::newRow("unknown badge, framed, Tab")
        << u";999999"_s << false << u"?\t"_s << none << taken;
    QTest::newRow("unknown badge, second Tab") << u"999999"_s << false << u"\t\t"_s << none << acts;
}

// A keyboard-wedge card reader ends the badge with Enter or Tab after the
// sixth character has already run the lookup, and sends it all again when the
// card is swiped twice: neither presses a button, picks an item or ends the
// terminal. Keys that are not the reader's act as they always did.
void TestBadgeEntry::strayKeysDoNothing()
{
    QFETCH(QString, read);
    QFETCH(bool, open);
    QFETCH(QString, after);
    QFETCH(QStringList, told);
    QFETCH(bool, taken);

    PunchScreen punch;
    if (open)
        addOpenJob(punch.site(), u"Name, Level1Description, Level1ItemCode"_s,
            u"'Karen Johansson', 'Department', '12'"_s);
    punch.site().sql(SiteModel::validationsFile,
        u"INSERT INTO Level1 VALUES ('004711', 'Stores', 3, 0, 'Department')"_s);
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    if (read.contains(u"999999"_s))
        dialogs.answer(Dialogs::Answer::Ok);
    quint64 time = punch.burst(read, 10000);
    VERIFY_DIALOGS(dialogs);

    JobCosting& screen = punch.screen();
    const auto state = [&] {
        return QVariantList {QVariant::fromValue(punch.focused()), dialogs.shown().size(),
            screen.Text34->text(), screen.Text34->isEnabled(), screen.Command1->text(),
            screen.Command2->text(), screen.Text3->text(), screen.DBCombo1->text()};
    };
    QVariantList before = state();
    for (qsizetype i = 0; i < told.size(); ++i)
        dialogs.answer(Dialogs::Answer::Ok);
    int gap = 100;
    for (const QChar c : after) {
        if (c == u'~' || c == u'_') {
            gap = c == u'~' ? 2500 : 400;
            continue;
        }
        time += gap;
        gap = 8;
        if (c == u'^')
            QTest::keyPress(punch.focused(), Qt::Key_Shift);
        else if (c == u'|')
            QTest::mouseClick(screen.Label3, Qt::LeftButton);
        else if (c == u'!')
            QTest::mouseClick(
                screen.Command1->text() == u"Cancel"_s ? screen.Command1 : screen.Command2,
                Qt::LeftButton);
        else if (c == u'=')
            QTest::qWait(ReaderSuffix::burstGapMs + 50);
        else if (c == u'.')
            before = state();
        else
            punch.burst(c, time);
    }

    QCOMPARE(state() == before, taken);
    QCOMPARE(dialogs.texts().mid(read.contains(u"999999"_s) ? 1 : 0), told);
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(punch.services().program.ends, 0);
    QVERIFY(punch.site().jobPunches().size() == (open ? 1 : 0));
}

void TestBadgeEntry::openJobHasBonus_data()
{
    // Level1..3Description, Level1..3BonusRate as SQL; the deepest described level's rate counts.
    QTest::addColumn<QString>("levels");
    QTest::addColumn<QChar>("decimal"); // the regional decimal separator
    QTest::addColumn<bool>("bonus");
    const auto row = [](const char* levels, bool bonus, char decimal = '.') {
        QTest::newRow(levels) << QString::fromLatin1(levels) << QChar::fromLatin1(decimal) << bonus;
    };
    row("'Department', 'Operation', '', 0, 1.5, 0", true);
    row("'Department', 'Operation', '', 2, 0, 0", false);
    row("'Department', 'Operation', 'Part', 2, 2, 0", false);
    row("'Department', 'Operation', 'Part', 0, 0, 0.25", true);
    row("'Department', 'Operation', 'Part', 0, 0, 0.15", true, ',');
    row("'', NULL, '', 5, 5, 5", false);
    row("'Department', '', '', NULL, NULL, NULL", false);
}

void TestBadgeEntry::openJobHasBonus()
{
    QFETCH(QString, levels);
    QFETCH(QChar, decimal);
    QFETCH(bool, bonus);

    PunchScreen punch;
    TestServices& services = punch.services();
    services.regional = RegionalSettings(
        u"dd/MM/yyyy"_s, u"HH:mm:ss"_s, decimal, decimal == u'.' ? u',' : u'.', services.clock);
    addOpenJob(punch.site(),
        u"Name, Level1Description, Level2Description, Level3Description, Level1BonusRate, "
        "Level2BonusRate, Level3BonusRate"_s,
        u"'Walter Brennan', "_s + levels);
    QVERIFY(punch.open());
    punch.module().OpenJobHasBonus = !bonus;

    punch.type(u"Text34"_s, u"000123"_s);
    QCOMPARE(punch.screen().Label1->text(), u"Current Job Allocation"_s);
    QCOMPARE(punch.module().OpenJobHasBonus, bonus);
    VERIFY_DIALOGS(services.dialogs);
}

void TestBadgeEntry::databaseFailureIsToldAndOutlived_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("breakage"); // "moved away", else SQL on the file
    QTest::addColumn<QString>("undo"); // SQL on the file, for breakage by SQL
    QTest::addColumn<bool>("midShift"); // after the screen opened, else before
    QTest::addColumn<QString>("reason"); // %1: the site's folder

    const QString norla = SiteModel::timeClockFile;
    QTest::newRow("time-clock file missing at the start")
        << norla << u"moved away"_s << QString() << false
        << u"Norla.MDB is not in the folder %1."_s;
    QTest::newRow("EMPLOYEES without Badge")
        << norla << u"ALTER TABLE EMPLOYEES RENAME COLUMN Badge TO Card"_s
        << u"ALTER TABLE EMPLOYEES RENAME COLUMN Card TO Badge"_s << false
        << u"Norla.MDB has no field Badge in the table EMPLOYEES."_s;
    QTest::newRow("job-punch file moved away during the shift")
        << SiteModel::jobPunchesFile << u"moved away"_s << QString() << true
        << u"JobPunches.MDB is not in the folder %1."_s;
    QTest::newRow("JobPunches renamed during the shift")
        << SiteModel::jobPunchesFile << u"ALTER TABLE JobPunches RENAME TO Punches"_s
        << u"ALTER TABLE Punches RENAME TO JobPunches"_s << true
        << u"JobPunches.MDB has no table JobPunches."_s;
}

// A database file or table that is missing or wrong is named to the worker,
// under the operator-instruction title; once the site manager puts it right,
// the same badge is found without a restart.
void TestBadgeEntry::databaseFailureIsToldAndOutlived()
{
    QFETCH(QString, file);
    QFETCH(QString, breakage);
    QFETCH(QString, undo);
    QFETCH(bool, midShift);
    QFETCH(QString, reason);

    PunchScreen punch;
    const QString path = punch.site().file(file);
    const auto spoil = [&] {
        if (breakage == u"moved away"_s)
            QVERIFY(QFile::rename(path, path + u".away"_s));
        else
            punch.site().sql(file, breakage);
    };
    if (!midShift)
        spoil();
    QVERIFY(punch.open());
    if (midShift)
        spoil();
    ScriptedDialogs& dialogs = punch.services().dialogs;
    dialogs.answer(Dialogs::Answer::Ok);

    punch.type(u"Text34"_s, u"000123"_s);

    VERIFY_DIALOGS(dialogs);
    const Dialogs::Message told = dialogs.shown().last().message;
    QCOMPARE(told.text,
        u"The badge could not be looked up.\n"_s + reason.replace(u"%1"_s, punch.site().path()));
    QCOMPARE(told.title, PunchTexts::instructionTitle());
    QCOMPARE(told.icon, Dialogs::Icon::Critical);
    QCOMPARE(punch.badgeEntryProblems(), QString());

    if (breakage == u"moved away"_s)
        QVERIFY(QFile::rename(path + u".away"_s, path));
    else
        punch.site().sql(file, undo);
    punch.type(u"Text34"_s, u"000123"_s);
    QCOMPARE(punch.screen().Label1->text(), u"Enter your job information:"_s);
    VERIFY_DIALOGS(dialogs);
}

QTEST_MAIN(TestBadgeEntry)
#include "tst_badgeentry.moc"
