#include "PunchScreen.h"

#include <QLabel>
#include <QtTest>

using Answer = Dialogs::Answer;

namespace {

const QString title = QStringLiteral("Job Costing - Operator Instruction");
const QString noCount
    = QStringLiteral("No piece count has been entered!  End-Job Process Canceled!");
const QString invalid = QStringLiteral("Pieces amount entered was invalad try again");

// Walter Brennan's open job on two levels (the site has no third); the
// operation carries the bonus rate given.
void openJob(PunchScreen& punch, double bonusRate)
{
    punch.site().sql(SiteBuilder::validationsFile, QStringLiteral("DELETE FROM Level3"));
    punch.site().sql(SiteBuilder::jobPunchesFile,
        QStringLiteral("INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, TimeStop, "
                       "Level1Description, Level1ItemCode, Level1ItemDescription, Level1BonusRate, "
                       "Level2Description, Level2ItemCode, Level2ItemDescription, Level2BonusRate, "
                       "Level3Description, Pieces, EmpNum) VALUES ('Walter Brennan', 'Open', "
                       "'2004-02-26', '08:00:00', '08:00:00', 'Department', '12', 'Assembly', 0, "
                       "'Operation', '7', 'Weld', ?, '', 0, 123)"),
        { bonusRate });
}

QVariantMap onlyRow(PunchScreen& punch)
{
    const QList<QVariantMap> rows = punch.site().jobPunches();
    return rows.size() == 1 ? rows.first() : QVariantMap();
}

} // namespace

class TestEndJob : public QObject
{
    Q_OBJECT

private slots:
    void cancelRoleReturnsWithoutAsking();
    void pieceCountLoopUntilConfirmed();
    void regionalNumbersAreAccepted_data();
    void regionalNumbersAreAccepted();
    void noCountLeavesJobOpen_data();
    void noCountLeavesJobOpen();
    void jobWithoutBonusIsConfirmedPlainly_data();
    void jobWithoutBonusIsConfirmedPlainly();
    void jobChangedElsewhereIsNeverClosed_data();
    void jobChangedElsewhereIsNeverClosed();

private:
    static void verifyStillEndJobMode(PunchScreen& punch);
};

void TestEndJob::verifyStillEndJobMode(PunchScreen& punch)
{
    QCOMPARE(
        punch.find<QPushButton>(QStringLiteral("Command2"))->text(), QStringLiteral("End Job"));
    QVERIFY(punch.find<QWidget>(QStringLiteral("Picture1"))->isVisible());
    QVERIFY(!punch.find<QLineEdit>(QStringLiteral("Text34"))->isEnabled());
    QCOMPARE(punch.find<QLineEdit>(QStringLiteral("Text3"))->text(), QStringLiteral("12"));
    QCOMPARE(onlyRow(punch).value(QStringLiteral("Badge")).toString(), QStringLiteral("Open"));
}

void TestEndJob::cancelRoleReturnsWithoutAsking()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    punch.type(QStringLiteral("Text34"), QStringLiteral("000124"));
    QCOMPARE(punch.find<QPushButton>(QStringLiteral("Command2"))->text(), QStringLiteral("Cancel"));

    punch.click(QStringLiteral("Command2"));

    VERIFY_DIALOGS(punch.services().dialogs);
    QVERIFY(punch.services().dialogs.shown().isEmpty());
    QCOMPARE(punch.services().dialogs.beeps(), 0);
    auto* badge = punch.find<QLineEdit>(QStringLiteral("Text34"));
    QVERIFY(badge->isEnabled() && badge->text().isEmpty());
    QCOMPARE(punch.focused(), badge);
    QVERIFY(punch.find<QWidget>(QStringLiteral("Picture1"))->isHidden());
    QVERIFY(punch.find<QLineEdit>(QStringLiteral("Text3"))->isEnabled());
    QVERIFY(punch.site().jobPunches().isEmpty());
}

void TestEndJob::pieceCountLoopUntilConfirmed()
{
    PunchScreen punch;
    openJob(punch, 0.35);
    QVERIFY(punch.open());
    punch.type(QStringLiteral("Text34"), QStringLiteral("123"));
    punch.pressEnter(QStringLiteral("Text34"));
    QVERIFY(punch.module().OpenJobHasBonus);
    QCOMPARE(punch.focused(), punch.find<QWidget>(QStringLiteral("Command2")));

    ScriptedDialogs& dialogs = punch.services().dialogs;
    dialogs.type(QStringLiteral("twelve"));
    dialogs.answer(Answer::Ok);
    dialogs.type(QStringLiteral("12"));
    dialogs.answer(Answer::No);
    dialogs.type(QStringLiteral("12"));
    dialogs.answer(Answer::Yes);
    punch.services().clock.advance(3600);

    punch.click(QStringLiteral("Command2"));

    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.beeps(), 1);
    const QString prompt = QStringLiteral("You are about to stop working on Job\n\n"
                                          "Department\n    12  Assembly\n\n"
                                          "Operation\n    7  Weld\n\n"
                                          "    How many Pieces did you work on?:");
    QCOMPARE(dialogs.texts(),
        (QStringList { prompt, invalid, prompt, QStringLiteral("Is 12 pieces correct?"), prompt,
            QStringLiteral("Is 12 pieces correct?") }));
    const auto& shown = dialogs.shown();
    QCOMPARE(shown.at(0).message.title, QStringLiteral("Job Costing - Operator Information"));
    QCOMPARE(shown.at(1).message.icon, Dialogs::Icon::Critical);
    QCOMPARE(shown.at(1).message.title, title);
    const Dialogs::Message check = shown.at(3).message;
    QCOMPARE(check.title, title);
    QCOMPARE(check.icon, Dialogs::Icon::None);
    QCOMPARE(check.buttons, Dialogs::Buttons::YesNoCancel);
    QCOMPARE(check.defaultButton, Answer::Yes);

    const QVariantMap row = onlyRow(punch);
    QCOMPARE(row.value(QStringLiteral("Badge")).toString(), QStringLiteral("Closed"));
    QCOMPARE(row.value(QStringLiteral("TimeStop")).toString(), QStringLiteral("15:05:07"));
    QCOMPARE(row.value(QStringLiteral("Pieces")).toDouble(), 12.0);
    QCOMPARE(row.value(QStringLiteral("TimeStart")).toString(), QStringLiteral("08:00:00"));
    QCOMPARE(row.value(QStringLiteral("DateWorked")).toString(), QStringLiteral("2004-02-26"));
    auto* badge = punch.find<QLineEdit>(QStringLiteral("Text34"));
    QVERIFY(badge->isEnabled() && badge->text().isEmpty());
    QCOMPARE(punch.focused(), badge);
}

void TestEndJob::regionalNumbersAreAccepted_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<double>("pieces");
    QTest::newRow("negative") << QStringLiteral("-3") << -3.0;
    QTest::newRow("fraction") << QStringLiteral("2.5") << 2.5;
    QTest::newRow("blanks around") << QStringLiteral(" 12 ") << 12.0;
    QTest::newRow("thousands") << QStringLiteral("1,250") << 1250.0;
    QTest::newRow("zero") << QStringLiteral("0") << 0.0;
}

void TestEndJob::regionalNumbersAreAccepted()
{
    QFETCH(QString, answer);
    QFETCH(double, pieces);
    PunchScreen punch;
    openJob(punch, 1.5);
    QVERIFY(punch.open());
    punch.type(QStringLiteral("Text34"), QStringLiteral("000123"));
    punch.services().dialogs.type(answer);
    punch.services().dialogs.answer(Answer::Yes);

    punch.click(QStringLiteral("Command2"));

    VERIFY_DIALOGS(punch.services().dialogs);
    QCOMPARE(punch.services().dialogs.texts().last(),
        QStringLiteral("Is ") + answer + QStringLiteral(" pieces correct?"));
    QCOMPARE(onlyRow(punch).value(QStringLiteral("Pieces")).toDouble(), pieces);
    QCOMPARE(onlyRow(punch).value(QStringLiteral("Badge")).toString(), QStringLiteral("Closed"));
}

void TestEndJob::noCountLeavesJobOpen_data()
{
    QTest::addColumn<bool>("cancelAtCheck");
    QTest::newRow("cancel or nothing typed in the input box") << false;
    QTest::newRow("cancel at the check") << true;
}

void TestEndJob::noCountLeavesJobOpen()
{
    QFETCH(bool, cancelAtCheck);
    PunchScreen punch;
    openJob(punch, 0.35);
    QVERIFY(punch.open());
    punch.type(QStringLiteral("Text34"), QStringLiteral("000123"));
    ScriptedDialogs& dialogs = punch.services().dialogs;
    if (cancelAtCheck) {
        dialogs.type(QStringLiteral("5"));
        dialogs.answer(Answer::Cancel);
    } else {
        dialogs.type(QString());
        dialogs.answer(Answer::Ok);
    }

    punch.click(QStringLiteral("Command2"));

    VERIFY_DIALOGS(dialogs);
    if (cancelAtCheck) {
        QCOMPARE(dialogs.shown().size(), 2);
    } else {
        QCOMPARE(dialogs.texts().last(), noCount);
        QCOMPARE(dialogs.shown().last().message.icon, Dialogs::Icon::Critical);
    }
    verifyStillEndJobMode(punch);
}

void TestEndJob::jobWithoutBonusIsConfirmedPlainly_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("yes closes") << Answer::Yes;
    QTest::newRow("no keeps it open") << Answer::No;
}

void TestEndJob::jobWithoutBonusIsConfirmedPlainly()
{
    QFETCH(Answer, answer);
    PunchScreen punch;
    openJob(punch, 0);
    QVERIFY(punch.open());
    punch.type(QStringLiteral("Text34"), QStringLiteral("000123"));
    QVERIFY(!punch.module().OpenJobHasBonus);
    punch.services().dialogs.answer(answer);

    punch.click(QStringLiteral("Command2"));

    VERIFY_DIALOGS(punch.services().dialogs);
    QCOMPARE(punch.services().dialogs.beeps(), 1);
    const Dialogs::Message question = punch.services().dialogs.shown().first().message;
    QCOMPARE(question.text, QStringLiteral("Are you sure you want to end this Job?"));
    QCOMPARE(question.buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(question.defaultButton, Answer::Yes);
    QCOMPARE(question.icon, Dialogs::Icon::None);
    const QVariantMap row = onlyRow(punch);
    QCOMPARE(row.value(QStringLiteral("Badge")).toString(),
        answer == Answer::Yes ? QStringLiteral("Closed") : QStringLiteral("Open"));
    QCOMPARE(row.value(QStringLiteral("Pieces")).toDouble(), 0.0);
    auto* badge = punch.find<QLineEdit>(QStringLiteral("Text34"));
    QVERIFY(badge->isEnabled() && badge->text().isEmpty());
}

void TestEndJob::jobChangedElsewhereIsNeverClosed_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("deleted") << QStringLiteral("DELETE FROM JobPunches");
    QTest::newRow("ended at another terminal")
        << QStringLiteral("UPDATE JobPunches SET Badge = 'Closed', Pieces = 4");
    QTest::newRow("deleted, and its key taken over")
        << QStringLiteral("DELETE FROM JobPunches; INSERT INTO JobPunches (ID, Name, Badge) "
                          "VALUES (1, 'Maria Lopez', 'Open')");
}

void TestEndJob::jobChangedElsewhereIsNeverClosed()
{
    QFETCH(QString, meanwhile);
    PunchScreen punch;
    openJob(punch, 0);
    QVERIFY(punch.open());
    punch.type(QStringLiteral("Text34"), QStringLiteral("000123"));
    for (const QString& statement : meanwhile.split(QLatin1String("; ")))
        punch.site().sql(SiteBuilder::jobPunchesFile, statement);
    const QList<QVariantMap> before = punch.site().jobPunches();
    punch.services().dialogs.answer(Answer::Yes);
    punch.services().dialogs.answer(Answer::Ok);

    punch.click(QStringLiteral("Command2"));

    VERIFY_DIALOGS(punch.services().dialogs);
    const Dialogs::Message told = punch.services().dialogs.shown().last().message;
    QCOMPARE(told.icon, Dialogs::Icon::Critical);
    QVERIFY(told.text.startsWith(QStringLiteral("The job was not ended.")));
    QCOMPARE(punch.site().jobPunches(), before);
    // The screen goes back to badge entry and stays usable.
    auto* badge = punch.find<QLineEdit>(QStringLiteral("Text34"));
    QVERIFY(badge->isEnabled() && badge->text().isEmpty());
    QCOMPARE(punch.services().program.ends, 0);
    punch.type(QStringLiteral("Text34"), QStringLiteral("000124"));
    QCOMPARE(punch.find<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("Maria Lopez"));
}

QTEST_MAIN(TestEndJob)
#include "tst_endjob.moc"
