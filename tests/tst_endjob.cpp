#include "PunchScreen.h"
#include "data/DatabaseFile.h"
#include "data/SiteModel.h"

#include <QLabel>
#include <QtTest>

using Answer = Dialogs::Answer;
using namespace Qt::StringLiterals;

namespace {

// Walter Brennan's open job on two levels (the site has no third); the
// operation carries the bonus rate given.
void openJob(PunchScreen& punch, double bonusRate)
{
    punch.site().sql(SiteModel::validationsFile, u"DELETE FROM Level3"_s);
    punch.site().sql(SiteModel::jobPunchesFile,
        u"INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, TimeStop, Level1Description, "
        "Level1ItemCode, Level1ItemDescription, Level1BonusRate, Level2Description, "
        "Level2ItemCode, "
        "Level2ItemDescription, Level2BonusRate, Level3Description, Pieces) VALUES ('Walter "
        "Brennan', 'Open', '2004-02-26', '08:00:00', '08:00:00', 'Department', '12', 'Assembly', "
        "0, 'Operation', '7', 'Weld', ?, '', 0)"_s,
        {bonusRate});
}

} // namespace

class TestEndJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { DatabaseFile::setLockWaitMs(testLockWaitMs); }
    void cancelRoleReturnsWithoutAsking_data();
    void cancelRoleReturnsWithoutAsking();
    void answers_data();
    void answers();
    void jobChangedElsewhereIsNeverClosed_data();
    void jobChangedElsewhereIsNeverClosed();
    void lockPastTheWaitLeavesTheJobOpen();
};

void TestEndJob::cancelRoleReturnsWithoutAsking_data()
{
    QTest::addColumn<bool>("open"); // end-job mode, where Cancel is Command1
    QTest::newRow("new job") << false;
    QTest::newRow("end job") << true;
}

// Cancel returns to badge entry at once, in either mode: nothing asked, nothing written.
void TestEndJob::cancelRoleReturnsWithoutAsking()
{
    QFETCH(bool, open);
    PunchScreen punch;
    if (open)
        openJob(punch, 0);
    QVERIFY(punch.open());
    const QList<QVariantMap> before = punch.site().jobPunches();
    punch.type(u"Text34"_s, u"000123"_s);
    const QString cancel = open ? u"Command1"_s : u"Command2"_s;
    QCOMPARE(punch.find<QPushButton>(cancel)->text(), u"Cancel"_s);

    punch.click(cancel);

    QVERIFY(punch.services().dialogs.shown().isEmpty());
    QCOMPARE(punch.services().dialogs.beeps(), 0);
    QCOMPARE(punch.badgeEntryProblems(), QString());
    // The code boxes that end-job mode locked are open for the next worker.
    QVERIFY(punch.find<QLineEdit>(u"Text3"_s)->isEnabled());
    QVERIFY(punch.find<QLineEdit>(u"Text4"_s)->isEnabled());
    QCOMPARE(punch.site().jobPunches(), before);
}

void TestEndJob::answers_data()
{
    // The worker's answers in order: "type:TEXT" in the input box, else a button.
    QTest::addColumn<double>("bonusRate");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("lastText");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<double>("pieces");
    QTest::addColumn<bool>("stillShown"); // end-job mode kept, else badge entry

    const QString check12 = u"Is 12 pieces correct?"_s;
    QTest::newRow("letters, then 12 and No, then 12 and Yes")
        << 0.35
        << QStringList {u"type:twelve"_s, u"Ok"_s, u"type:12"_s, u"No"_s, u"type:12"_s, u"Yes"_s}
        << check12 << true << 12.0 << false;
    QTest::newRow("negative") << 0.35 << QStringList {u"type:-3"_s, u"Yes"_s}
                              << u"Is -3 pieces correct?"_s << true << -3.0 << false;
    QTest::newRow("fraction") << 1.5 << QStringList {u"type:2.5"_s, u"Yes"_s}
                              << u"Is 2.5 pieces correct?"_s << true << 2.5 << false;
    QTest::newRow("blanks around") << 0.35 << QStringList {u"type: 12 "_s, u"Yes"_s}
                                   << u"Is  12  pieces correct?"_s << true << 12.0 << false;
    QTest::newRow("thousands grouped wrong, then right")
        << 0.35 << QStringList {u"type:1,5"_s, u"Ok"_s, u"type:1,500"_s, u"Yes"_s}
        << u"Is 1,500 pieces correct?"_s << true << 1500.0 << false;
    QTest::newRow("nothing typed, or Cancel")
        << 0.35 << QStringList {u"type:"_s, u"Ok"_s}
        << u"No piece count has been entered!  End-Job Process Canceled!"_s << false << 0.0 << true;
    QTest::newRow("Cancel at the check") << 0.35 << QStringList {u"type:5"_s, u"Cancel"_s}
                                         << u"Is 5 pieces correct?"_s << false << 0.0 << true;
    QTest::newRow("no bonus, Yes")
        << 0.0 << QStringList {u"Yes"_s} << u"Are you sure you want to end this Job?"_s << true
        << 0.0 << false;
    QTest::newRow("no bonus, No") << 0.0 << QStringList {u"No"_s}
                                  << u"Are you sure you want to end this Job?"_s << false << 0.0
                                  << false;
}

void TestEndJob::answers()
{
    QFETCH(double, bonusRate);
    QFETCH(QStringList, script);
    QFETCH(QString, lastText);
    QFETCH(bool, closed);
    QFETCH(double, pieces);
    QFETCH(bool, stillShown);

    PunchScreen punch;
    openJob(punch, bonusRate);
    QVERIFY(punch.open());
    punch.type(u"Text34"_s, u"000123"_s);
    ScriptedDialogs& dialogs = punch.services().dialogs;
    const QMap<QString, Answer> buttons {{u"Ok"_s, Answer::Ok}, {u"Cancel"_s, Answer::Cancel},
        {u"Yes"_s, Answer::Yes}, {u"No"_s, Answer::No}};
    for (const QString& step : script) {
        if (step.startsWith(u"type:"_s))
            dialogs.type(step.mid(5));
        else
            dialogs.answer(buttons.value(step));
    }
    punch.services().clock.advance(3600);

    punch.click(u"Command2"_s);

    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.beeps(), 1);
    QCOMPARE(dialogs.texts().last(), lastText);
    for (const ScriptedDialogs::Shown& shown : dialogs.shown()) {
        const Dialogs::Message& box = shown.message;
        if (shown.kind == ScriptedDialogs::Shown::Kind::Input) {
            QCOMPARE(box.text,
                u"You are about to stop working on Job\n\nDepartment\n    12  Assembly\n\n"
                "Operation\n    7  Weld\n\n    How many Pieces did you work on?:"_s);
            QCOMPARE(box.title, u"Job Costing - Operator Information"_s);
        } else if (box.text.startsWith(u"Is "_s)) {
            QCOMPARE(box.title, u"Job Costing - Operator Instruction"_s);
            QCOMPARE(box.icon, Dialogs::Icon::None);
            QCOMPARE(box.buttons, Dialogs::Buttons::YesNoCancel);
            QCOMPARE(box.defaultButton, Answer::Yes);
        }
    }
    if (script.contains(u"type:twelve"_s) || script.contains(u"type:1,5"_s))
        QCOMPARE(dialogs.texts().at(1), u"Pieces amount entered was invalad try again"_s);
    const QVariantMap row = punch.site().jobPunches().value(0);
    QCOMPARE(row.value(u"Badge"_s).toString(), closed ? u"Closed"_s : u"Open"_s);
    QCOMPARE(row.value(u"TimeStop"_s).toString(), closed ? u"15:05:07"_s : u"08:00:00"_s);
    QCOMPARE(row.value(u"Pieces"_s).toDouble(), pieces);
    QCOMPARE(row.value(u"TimeStart"_s).toString(), u"08:00:00"_s);
    if (stillShown) {
        QCOMPARE(punch.find<QPushButton>(u"Command2"_s)->text(), u"End Job"_s);
        QVERIFY(punch.find<QWidget>(u"Picture1"_s)->isVisible());
        QCOMPARE(punch.find<QLineEdit>(u"Text3"_s)->text(), u"12"_s);
    } else {
        QCOMPARE(punch.badgeEntryProblems(), QString());
    }
}

void TestEndJob::jobChangedElsewhereIsNeverClosed_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QStringList>("meanwhile");
    for (const auto& [engine, name] :
        {std::pair {Engine::Sqlite, "SQLite"}, std::pair {Engine::Server, "server"}}) {
        QTest::addRow("%s, deleted", name) << engine << QStringList {u"DELETE FROM JobPunches"_s};
        QTest::addRow("%s, ended at another terminal", name)
            << engine << QStringList {u"UPDATE JobPunches SET Badge = 'Closed', Pieces = 4"_s};
        QTest::addRow("%s, deleted, and its key taken over", name)
            << engine
            << QStringList {u"DELETE FROM JobPunches"_s,
                   u"INSERT INTO JobPunches (ID, Name, Badge) VALUES (1, 'Maria Lopez', 'Open')"_s};
    }
}

// The worker is told in his words that another terminal or the desk was
// first, and nothing is written.
void TestEndJob::jobChangedElsewhereIsNeverClosed()
{
    QFETCH(Engine, engine);
    QFETCH(QStringList, meanwhile);
    if (engine == Engine::Server && testServer().isEmpty())
        QSKIP("No test server: JOBCOSTING_TEST_SERVER is not set.");
    PunchScreen punch(Site::Contents::Demo, engine);
    openJob(punch, 0);
    QVERIFY(punch.open());
    punch.type(u"Text34"_s, u"000123"_s);
    // A deletion is a supervisor's correction, with its reason.
    for (const QString& statement : meanwhile) {
        if (statement.startsWith(u"DELETE"_s))
            punch.site().correct(statement);
        else
            punch.site().sql(SiteModel::jobPunchesFile, statement);
    }
    const QList<QVariantMap> before = punch.site().jobPunches();
    punch.services().dialogs.answer(Answer::Yes);
    punch.services().dialogs.answer(Answer::Ok);

    punch.click(u"Command2"_s);

    VERIFY_DIALOGS(punch.services().dialogs);
    const Dialogs::Message told = punch.services().dialogs.shown().last().message;
    QCOMPARE(told.icon, Dialogs::Icon::Critical);
    QCOMPARE(told.text,
        u"The job was not ended: it was ended or changed at another terminal or at the desk "
        "meanwhile. Badge in again to see your job."_s);
    QCOMPARE(punch.site().jobPunches(), before);
    // The screen goes back to badge entry and stays usable.
    QCOMPARE(punch.badgeEntryProblems(), QString());
    QCOMPARE(punch.services().program.ends, 0);
    punch.type(u"Text34"_s, u"000124"_s);
    QCOMPARE(punch.find<QLabel>(u"Label5"_s)->text(), u"Maria Lopez"_s);
}

// Another program holds the job-punch file past the five seconds' wait: the
// worker is told, the job stays open, and his next End Job closes it.
void TestEndJob::lockPastTheWaitLeavesTheJobOpen()
{
    PunchScreen punch;
    openJob(punch, 0);
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    for (int attempt = 0; attempt < 2; ++attempt) {
        punch.type(u"Text34"_s, u"000123"_s);
        dialogs.answer(Answer::Yes);
        std::optional<Site::Lock> otherProgram;
        if (attempt == 0) {
            otherProgram.emplace(punch.site(), SiteModel::jobPunchesFile, u"JobPunches"_s);
            dialogs.answer(Answer::Ok);
        }
        QElapsedTimer clock;
        clock.start();

        punch.click(u"Command2"_s);

        // The wait in all, not the wait for every statement.
        QVERIFY2(
            clock.elapsed() < testLockWaitMs * 9 / 5, qPrintable(QString::number(clock.elapsed())));
        otherProgram.reset();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(punch.site().jobPunches().value(0).value(u"Badge"_s).toString(),
            attempt == 0 ? u"Open"_s : u"Closed"_s);
        QCOMPARE(punch.badgeEntryProblems(), QString());
    }
    QCOMPARE(dialogs.texts().at(1),
        u"The job was not ended. Badge in again to see it as it stands now.\nAnother program kept "
        "JobPunches.MDB locked for more than five seconds; the table JobPunches could not be "
        "used."_s);
    QCOMPARE(dialogs.shown().at(1).message.title, u"Job Costing - Operator Instruction"_s);
    QCOMPARE(dialogs.shown().at(1).message.icon, Dialogs::Icon::Critical);
}

QTEST_MAIN(TestEndJob)
#include "tst_endjob.moc"
