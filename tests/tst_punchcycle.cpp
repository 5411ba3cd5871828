#include "PunchScreen.h"
#include "SiteConverter.h"
#include "data/SiteModel.h"
#include "ui/PictureButton.h"

#include <QtTest>

using Answer = Dialogs::Answer;
using namespace Qt::StringLiterals;

// Workers at a terminal, from badge to closed job punch, on every engine, with
// the rows read back through a connection of their own, as another program
// (or another terminal) reads them.
class TestPunchCycle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngines(); }
    void init() { SKIP_WITHOUT_TEST_SERVER(); }

    void twoWorkersStartAndEndJobs();
    void sampleSiteCycle();
    void jobStartedElsewhereMeanwhileIsNotStartedTwice();
    void serverRestartsMidShift();
};

void TestPunchCycle::twoWorkersStartAndEndJobs()
{
    SKIP_ACCESS();
    PunchScreen punch(Site::Contents::Demo, currentEngine());
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    FixedClock& clock = punch.services().clock;

    // Walter works by keyboard alone: he scans his card, names each level by its
    // code and Enter, and presses the focused New Job button with Enter.
    JobCosting& screen = punch.screen();
    punch.keys(u";000123?"_s);
    const QImage unfocused = screen.Command1->grab().toImage();
    for (const QString& code : {u"12"_s, u"7"_s, u"3"_s}) {
        punch.keys(code);
        punch.key(Qt::Key_Return);
    }
    QCOMPARE(punch.focused(), screen.Command1);
    QVERIFY2(screen.Command1->grab().toImage() != unfocused, "the focus is not marked");
    dialogs.answer(Answer::Ok);
    punch.key(Qt::Key_Return);
    QCOMPARE(punch.badgeEntryProblems(), QString());

    // Linda types her badge and picks each level by its description.
    clock.advance(60);
    punch.type(u"Text34"_s, u"126"_s);
    punch.pressEnter(u"Text34"_s);
    punch.choose(u"DBCombo1"_s, u"Paint Shop"_s);
    punch.choose(u"DBCombo2"_s, u"Inspect"_s);
    punch.choose(u"DBCombo3"_s, u"Housing"_s);
    dialogs.answer(Answer::Ok);
    punch.click(u"Command1"_s);

    // Walter's job pays a bonus: with the keypad's Enter he looks himself up and
    // presses the focused End Job button, and gives his piece count.
    clock.advance(2 * 3600);
    punch.keys(u"123"_s);
    punch.key(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(punch.focused(), screen.Command2);
    dialogs.type(u"48"_s);
    dialogs.answer(Answer::Yes);
    punch.key(Qt::Key_Enter, Qt::KeypadModifier);

    // Linda's does not: she only confirms, the next day after midnight.
    clock.set(QDateTime(QDate(2004, 2, 27), QTime(0, 30, 0)));
    punch.type(u"Text34"_s, u"000126"_s);
    dialogs.answer(Answer::Yes);
    punch.click(u"Command2"_s);

    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.beeps(), 2);
    QCOMPARE(punch.services().program.ends, 0);

    const QStringList fields = Site::jobFields();
    const QList<QVariantList> expected {
        {u"Walter Brennan"_s, u"Closed"_s, u"2004-02-26"_s, u"14:05:07"_s, u"16:06:07"_s,
            u"Department"_s, u"12"_s, u"Assembly"_s, 14.5, 0.0, u"Operation"_s, u"7"_s, u"Weld"_s,
            6.5, 0.35, u"Part"_s, u"3"_s, u"Bracket"_s, 1.2, 0.15, 48.0, 123, 10, 18.5},
        {u"Linda Kowalski"_s, u"Closed"_s, u"2004-02-26"_s, u"14:06:07"_s, u"00:30:00"_s,
            u"Department"_s, u"16"_s, u"Paint Shop"_s, 12.0, 0.0, u"Operation"_s, u"10"_s,
            u"Inspect"_s, 2.5, 0.0, u"Part"_s, u"5"_s, u"Housing"_s, 4.4, 0.0, 0.0, 126, 20,
            17.75}};
    const QList<QVariantMap> rows = punch.site().jobPunches();
    QCOMPARE(rows.size(), expected.size());
    // Each job is named by a UUID of the terminal's making, kept when it ends.
    const QRegularExpression uuid(
        u"^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$"_s);
    QVERIFY(uuid.match(rows.at(0).value(u"PunchId"_s).toString()).hasMatch());
    QVERIFY(uuid.match(rows.at(1).value(u"PunchId"_s).toString()).hasMatch());
    QVERIFY(rows.at(0).value(u"PunchId"_s) != rows.at(1).value(u"PunchId"_s));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype f = 0; f < fields.size(); ++f) {
            const QVariant value = rows.at(r).value(fields.at(f));
            QVERIFY2(value == expected.at(r).at(f),
                qPrintable(fields.at(f) + u" = "_s + value.toString()));
        }
    }
}

// The sample site as a real one runs it: its own Validations.mdb and Norla.MDB,
// and its job-punch history carried over into a JobPunches.MDB that takes
// punches. A worker with an accent starts and ends a job chosen by a code with
// a quote, a code and a description; a worker with a quote ends his open job.
void TestPunchCycle::sampleSiteCycle()
{
    SKIP_SERVER_FOR_SAMPLE();
    PunchScreen punch(Site::Contents::Sample, currentEngine());
    if (currentEngine() == Engine::Access)
        SiteConverter::convert(punch.site().path());
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    FixedClock& clock = punch.services().clock;

    punch.type(u"Text34"_s, u"314"_s);
    punch.pressEnter(u"Text34"_s);
    punch.type(u"Text3"_s, u"W'2"_s);
    punch.pressEnter(u"Text3"_s);
    punch.type(u"Text4"_s, u"10"_s);
    punch.pressEnter(u"Text4"_s);
    punch.choose(u"DBCombo3"_s, u"Hinge"_s);
    dialogs.answer(Answer::Ok);
    punch.click(u"Command1"_s);

    clock.advance(600);
    punch.type(u"Text34"_s, u"007007"_s);
    dialogs.type(u"7"_s);
    dialogs.answer(Answer::Yes);
    punch.click(u"Command2"_s);

    clock.advance(3600);
    punch.type(u"Text34"_s, u"000314"_s);
    dialogs.type(u"12"_s);
    dialogs.answer(Answer::Yes);
    punch.click(u"Command2"_s);

    VERIFY_DIALOGS(dialogs);
    QCOMPARE(punch.services().program.ends, 0);
    const QList<QVariantMap> rows = punch.site().jobPunches();
    QCOMPARE(rows.size(), 504);
    const QVariantMap pat = rows.at(500);
    QCOMPARE(pat.value(u"Name"_s), u"Pat O'Hara"_s);
    QCOMPARE(pat.value(u"Badge"_s), u"Closed"_s);
    QCOMPARE(pat.value(u"TimeStop"_s), u"14:15:07"_s);
    QCOMPARE(pat.value(u"Pieces"_s), 7.0);

    const QVariantMap zoe = rows.last();
    const QVariantMap expected {{u"Name"_s, u"Zoë Brandt"_s}, {u"Badge"_s, u"Closed"_s},
        {u"DateWorked"_s, u"2004-02-26"_s}, {u"TimeStart"_s, u"14:05:07"_s},
        {u"TimeStop"_s, u"15:15:07"_s}, {u"Level1Description"_s, u"Cell"_s},
        {u"Level1ItemCode"_s, u"W'2"_s}, {u"Level1ItemDescription"_s, u"Welder's Bay"_s},
        {u"Level1StandardCost"_s, 11.1}, {u"Level1BonusRate"_s, 0.8},
        {u"Level2Description"_s, u"Task"_s}, {u"Level2ItemCode"_s, u"10"_s},
        {u"Level2ItemDescription"_s, u"Nachprüfung ß"_s}, {u"Level2StandardCost"_s, 4.25},
        {u"Level2BonusRate"_s, 0.75}, {u"Level3Description"_s, u"Part"_s},
        {u"Level3ItemCode"_s, u"P2"_s}, {u"Level3ItemDescription"_s, u"Hinge"_s},
        {u"Level3StandardCost"_s, 0.6}, {u"Level3BonusRate"_s, 0.25}, {u"Pieces"_s, 12.0},
        {u"EmpNum"_s, 314}, {u"DeptNum"_s, 12}, {u"BaseRate"_s, 19.3333}};
    for (auto field = expected.begin(); field != expected.end(); ++field)
        QVERIFY2(zoe.value(field.key()) == field.value(),
            qPrintable(field.key() + u" = "_s + zoe.value(field.key()).toString()));
}

void TestPunchCycle::jobStartedElsewhereMeanwhileIsNotStartedTwice()
{
    SKIP_ACCESS();
    PunchScreen punch(Site::Contents::Demo, currentEngine());
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    punch.enterJob(u"000123"_s);
    // Meanwhile Walter has started a job at another terminal.
    punch.site().sql(SiteModel::jobPunchesFile,
        u"INSERT INTO JobPunches (Name, Badge, Level1ItemCode) VALUES ('Walter Brennan', "
        "'Open', 'elsewhere')"_s);
    dialogs.answer(Answer::Ok);
    dialogs.answer(Answer::Ok);
    punch.click(u"Command1"_s);

    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.texts().last(),
        u"The job was not started: a job is already open under your name. Badge in again to "
        "see it."_s);
    QCOMPARE(punch.badgeEntryProblems(), QString());
    QCOMPARE(punch.site().sql(SiteModel::jobPunchesFile,
                 u"SELECT Level1ItemCode FROM JobPunches WHERE Name = 'Walter Brennan'"_s),
        (QList<QVariantList> {{u"elsewhere"_s}}));
    // Badged in again, he sees the job he started at the other terminal.
    punch.type(u"Text34"_s, u"000123"_s);
    QCOMPARE(punch.find<QLineEdit>(u"Text3"_s)->text(), u"elsewhere"_s);
}

// A restart of the server between two workers goes unnoticed at the terminal.
void TestPunchCycle::serverRestartsMidShift()
{
    if (currentEngine() != Engine::Server)
        QSKIP("Only a server can restart while the terminal runs.");
    PunchScreen punch(Site::Contents::Demo, Engine::Server);
    const ServerSchema& server = *punch.site().server();
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    punch.startJob(u"000123"_s);
    server.dropConnections();
    punch.startJob(u"000126"_s);
    server.dropConnections();
    punch.type(u"Text34"_s, u"000123"_s);
    dialogs.type(u"5"_s);
    dialogs.answer(Answer::Yes);
    punch.click(u"Command2"_s);
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(punch.site().sql(SiteModel::jobPunchesFile,
                 u"SELECT Name, Badge, Pieces FROM JobPunches ORDER BY ID"_s),
        (QList<QVariantList> {
            {u"Walter Brennan"_s, u"Closed"_s, 5.0}, {u"Linda Kowalski"_s, u"Open"_s, 0.0}}));
}

QTEST_MAIN(TestPunchCycle)
#include "tst_punchcycle.moc"
