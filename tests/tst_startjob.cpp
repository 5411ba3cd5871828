#include "PunchScreen.h"
#include "ui/DbCombo.h"

#include <QLabel>
#include <QtTest>

using Answer = Dialogs::Answer;

class TestStartJob : public QObject
{
    Q_OBJECT

private slots:
    void cancelRoleReturnsToBadgeEntry();
    void onlyFirstMissingLevelIsReported_data();
    void onlyFirstMissingLevelIsReported();
    void promptListsLevelsAndCancelWritesNothing();
    void okWritesOneOpenRow();
    void refusedColumnKeepsDefaultAndRowIsSaved();
    void unusedLevelIsLeftOutOfPromptButWritten();
    void rowThatCannotBeSavedIsDroppedSilently();

private:
    static void badgeIn(PunchScreen& punch, const QString& badge);
    static void enterCodes(PunchScreen& punch, const QStringList& codes);
    static void verifyBadgeEntryMode(PunchScreen& punch);
};

void TestStartJob::badgeIn(PunchScreen& punch, const QString& badge)
{
    punch.type(QStringLiteral("Text34"), badge);
}

void TestStartJob::enterCodes(PunchScreen& punch, const QStringList& codes)
{
    const QString boxes[]
        = { QStringLiteral("Text3"), QStringLiteral("Text4"), QStringLiteral("Text5") };
    for (qsizetype i = 0; i < codes.size(); ++i) {
        punch.type(boxes[i], codes.at(i));
        punch.pressEnter(boxes[i]);
    }
}

void TestStartJob::verifyBadgeEntryMode(PunchScreen& punch)
{
    auto* badge = punch.find<QLineEdit>(QStringLiteral("Text34"));
    QVERIFY(badge->isEnabled());
    QVERIFY(badge->text().isEmpty());
    QCOMPARE(punch.focused(), badge);
    for (const char* name :
        { "Picture1", "Label5", "Command1", "Command2", "Text3", "DBCombo1", "Picture4" })
        QVERIFY2(punch.find<QWidget>(QString::fromLatin1(name))->isHidden(), name);
    QCOMPARE(punch.find<QLabel>(QStringLiteral("Label2"))->text(),
        QStringLiteral("Proceed to Job Information Entry Screen"));
}

void TestStartJob::cancelRoleReturnsToBadgeEntry()
{
    PunchScreen punch;
    punch.site().sql(SiteBuilder::jobPunchesFile,
        QStringLiteral("INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart) "
                       "VALUES ('Walter Brennan', 'Open', '2004-02-25', '08:00:00')"));
    QVERIFY(punch.open());
    badgeIn(punch, QStringLiteral("000123"));
    auto* command1 = punch.find<QPushButton>(QStringLiteral("Command1"));
    QCOMPARE(command1->text(), QStringLiteral("Cancel"));

    punch.click(QStringLiteral("Command1"));

    VERIFY_DIALOGS(punch.services().dialogs);
    QVERIFY(punch.services().dialogs.shown().isEmpty());
    verifyBadgeEntryMode(punch);
    QVERIFY(punch.find<QLineEdit>(QStringLiteral("Text3"))->isEnabled());
    QVERIFY(punch.find<QLineEdit>(QStringLiteral("Text4"))->isEnabled());
    QCOMPARE(punch.site().jobPunches().size(), 1);
    QCOMPARE(punch.site().jobPunches().first().value(QStringLiteral("Badge")).toString(),
        QStringLiteral("Open"));
}

void TestStartJob::onlyFirstMissingLevelIsReported_data()
{
    QTest::addColumn<QStringList>("chosen"); // descriptions, empty for a level left open
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus"); // the clicked button keeps it for level 1

    QTest::newRow("nothing chosen")
        << QStringList { QString(), QString(), QString() }
        << QStringLiteral("You must select a valid Department") << QStringLiteral("Command1");
    QTest::newRow("levels 1 and 3 missing")
        << QStringList { QString(), QStringLiteral("Weld"), QString() }
        << QStringLiteral("You must select a valid Department") << QStringLiteral("Command1");
    QTest::newRow("level 2 missing")
        << QStringList { QStringLiteral("Assembly"), QString(), QStringLiteral("Bracket") }
        << QStringLiteral("You must select a valid Operation") << QStringLiteral("DBCombo2");
    QTest::newRow("level 3 missing")
        << QStringList { QStringLiteral("Assembly"), QStringLiteral("Weld"), QString() }
        << QStringLiteral("You must select a valid Part") << QStringLiteral("DBCombo3");
}

void TestStartJob::onlyFirstMissingLevelIsReported()
{
    QFETCH(QStringList, chosen);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    PunchScreen punch;
    QVERIFY(punch.open());
    badgeIn(punch, QStringLiteral("000123"));
    const QString pullDowns[]
        = { QStringLiteral("DBCombo1"), QStringLiteral("DBCombo2"), QStringLiteral("DBCombo3") };
    for (int i = 0; i < 3; ++i) {
        if (!chosen.at(i).isEmpty())
            punch.choose(pullDowns[i], chosen.at(i));
    }
    punch.services().dialogs.answer(Answer::Ok);

    punch.click(QStringLiteral("Command1"));

    VERIFY_DIALOGS(punch.services().dialogs);
    const auto& shown = punch.services().dialogs.shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().message.text, message);
    QCOMPARE(shown.first().message.title, QStringLiteral("Job Costing - Operator Instruction"));
    QCOMPARE(shown.first().message.icon, Dialogs::Icon::Critical);
    QCOMPARE(shown.first().message.buttons, Dialogs::Buttons::Ok);
    QCOMPARE(punch.focused(), punch.find<QWidget>(focus));
    QVERIFY(punch.site().jobPunches().isEmpty());
    QCOMPARE(
        punch.find<QPushButton>(QStringLiteral("Command1"))->text(), QStringLiteral("New Job"));
}

void TestStartJob::promptListsLevelsAndCancelWritesNothing()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    badgeIn(punch, QStringLiteral("000123"));
    enterCodes(punch, { QStringLiteral("12"), QStringLiteral("7"), QStringLiteral("3") });
    QCOMPARE(punch.focused(), punch.find<QWidget>(QStringLiteral("Command1")));
    punch.services().dialogs.answer(Answer::Cancel);

    punch.click(QStringLiteral("Command1"));

    VERIFY_DIALOGS(punch.services().dialogs);
    const Dialogs::Message prompt = punch.services().dialogs.shown().first().message;
    QCOMPARE(prompt.text,
        QStringLiteral("You are about to start working on a new Job\n\n"
                       "Department\n    12  Assembly\n\n"
                       "Operation\n    7  Weld\n\n"
                       "Part\n    3  Bracket\n\n"));
    QCOMPARE(prompt.title, QStringLiteral("Job Costing - Operator Instruction"));
    QCOMPARE(prompt.icon, Dialogs::Icon::None);
    QCOMPARE(prompt.buttons, Dialogs::Buttons::OkCancel);
    QCOMPARE(prompt.defaultButton, Answer::Ok);
    QVERIFY(punch.site().jobPunches().isEmpty());
    verifyBadgeEntryMode(punch);
}

void TestStartJob::okWritesOneOpenRow()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    badgeIn(punch, QStringLiteral("000125")); // James O'Connor
    enterCodes(punch, { QStringLiteral("14"), QStringLiteral("8"), QStringLiteral("A-100") });
    punch.services().dialogs.answer(Answer::Ok);

    punch.click(QStringLiteral("Command1"));

    VERIFY_DIALOGS(punch.services().dialogs);
    verifyBadgeEntryMode(punch);
    const QList<QVariantMap> rows = punch.site().jobPunches();
    QCOMPARE(rows.size(), 1);
    const QVariantMap row = rows.first();
    const QVariantMap expected {
        { QStringLiteral("Name"), QStringLiteral("James O'Connor") },
        { QStringLiteral("Badge"), QStringLiteral("Open") },
        { QStringLiteral("DateWorked"), QStringLiteral("2004-02-26") },
        { QStringLiteral("TimeStart"), QStringLiteral("14:05:07") },
        { QStringLiteral("TimeStop"), QStringLiteral("14:05:07") },
        { QStringLiteral("Level1Description"), QStringLiteral("Department") },
        { QStringLiteral("Level1ItemCode"), QStringLiteral("14") },
        { QStringLiteral("Level1ItemDescription"), QStringLiteral("Machining") },
        { QStringLiteral("Level1StandardCost"), 18.25 },
        { QStringLiteral("Level1BonusRate"), 0.0 },
        { QStringLiteral("Level2Description"), QStringLiteral("Operation") },
        { QStringLiteral("Level2ItemCode"), QStringLiteral("8") },
        { QStringLiteral("Level2ItemDescription"), QStringLiteral("Drill") },
        { QStringLiteral("Level2StandardCost"), 4.25 },
        { QStringLiteral("Level2BonusRate"), 0.2 },
        { QStringLiteral("Level3Description"), QStringLiteral("Part") },
        { QStringLiteral("Level3ItemCode"), QStringLiteral("A-100") },
        { QStringLiteral("Level3ItemDescription"), QStringLiteral("Cover Plate") },
        { QStringLiteral("Level3StandardCost"), 1.6 },
        { QStringLiteral("Level3BonusRate"), 0.0 },
        { QStringLiteral("Pieces"), 0.0 },
        { QStringLiteral("EmpNum"), 125 },
        { QStringLiteral("DeptNum"), 20 },
        { QStringLiteral("BaseRate"), 21.0 },
    };
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(row.value(it.key()) == it.value(),
            qPrintable(it.key() + QStringLiteral(": ") + row.value(it.key()).toString()));

    // The new job is what the same worker finds next time.
    badgeIn(punch, QStringLiteral("000125"));
    QCOMPARE(
        punch.find<QPushButton>(QStringLiteral("Command2"))->text(), QStringLiteral("End Job"));
    QCOMPARE(punch.find<QLabel>(QStringLiteral("Label2"))->text(),
        QStringLiteral("Started Job on 02/26/2004 at 2:05:07 PM"));
}

void TestStartJob::refusedColumnKeepsDefaultAndRowIsSaved()
{
    PunchScreen punch;
    punch.site().sql(SiteBuilder::validationsFile,
        QStringLiteral("INSERT INTO Level1 (ItemCode, ItemDescription, StandardCost, "
                       "BonusRate, LevelDescription) VALUES ('99', 'Rework', NULL, 0, "
                       "'Department')"));
    QVERIFY(punch.open());
    badgeIn(punch, QStringLiteral("000123"));
    enterCodes(punch, { QStringLiteral("99"), QStringLiteral("7"), QStringLiteral("3") });
    QVERIFY(punch.find<QLineEdit>(QStringLiteral("Text28"))->text().isEmpty());
    punch.services().dialogs.answer(Answer::Ok);

    punch.click(QStringLiteral("Command1"));

    VERIFY_DIALOGS(punch.services().dialogs);
    const QList<QVariantMap> rows = punch.site().jobPunches();
    QCOMPARE(rows.size(), 1);
    QVERIFY(rows.first().value(QStringLiteral("Level1StandardCost")).isNull());
    QCOMPARE(rows.first().value(QStringLiteral("Level1ItemDescription")).toString(),
        QStringLiteral("Rework"));
    QCOMPARE(rows.first().value(QStringLiteral("Level2StandardCost")).toDouble(), 6.5);
    QCOMPARE(rows.first().value(QStringLiteral("EmpNum")).toInt(), 123);
}

void TestStartJob::unusedLevelIsLeftOutOfPromptButWritten()
{
    PunchScreen punch;
    punch.site().sql(SiteBuilder::validationsFile, QStringLiteral("DELETE FROM Level3"));
    QVERIFY(punch.open());
    badgeIn(punch, QStringLiteral("000123"));
    enterCodes(punch, { QStringLiteral("12"), QStringLiteral("7") });
    QCOMPARE(punch.focused(), punch.find<QWidget>(QStringLiteral("Command1")));
    punch.services().dialogs.answer(Answer::Ok);

    punch.click(QStringLiteral("Command1"));

    VERIFY_DIALOGS(punch.services().dialogs);
    QCOMPARE(punch.services().dialogs.shown().first().message.text,
        QStringLiteral("You are about to start working on a new Job\n\n"
                       "Department\n    12  Assembly\n\n"
                       "Operation\n    7  Weld\n\n"));
    const QVariantMap row = punch.site().jobPunches().value(0);
    QCOMPARE(row.value(QStringLiteral("Level3Description")).toString(), QString());
    QCOMPARE(row.value(QStringLiteral("Level3ItemCode")).toString(), QString());
    QCOMPARE(row.value(QStringLiteral("Level3ItemDescription")).toString(), QString());
    QCOMPARE(row.value(QStringLiteral("Level2ItemDescription")).toString(), QStringLiteral("Weld"));
}

void TestStartJob::rowThatCannotBeSavedIsDroppedSilently()
{
    PunchScreen punch;
    punch.site().sql(SiteBuilder::jobPunchesFile,
        QStringLiteral("CREATE TRIGGER NoNewJobs BEFORE INSERT ON JobPunches "
                       "BEGIN SELECT RAISE(ABORT, 'closed for stock-taking'); END"));
    QVERIFY(punch.open());
    badgeIn(punch, QStringLiteral("000123"));
    enterCodes(punch, { QStringLiteral("12"), QStringLiteral("7"), QStringLiteral("3") });
    punch.services().dialogs.answer(Answer::Ok);

    punch.click(QStringLiteral("Command1"));

    VERIFY_DIALOGS(punch.services().dialogs);
    QCOMPARE(punch.services().dialogs.shown().size(), 1);
    QVERIFY(punch.site().jobPunches().isEmpty());
    verifyBadgeEntryMode(punch);
}

QTEST_MAIN(TestStartJob)
#include "tst_startjob.moc"
