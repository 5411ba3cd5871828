#include "PunchScreen.h"

#include <QtTest>

using Answer = Dialogs::Answer;

// Two workers on one terminal, from badge to closed job punch, with the rows
// read back through a connection of their own, as another program reads them.
class TestPunchCycle : public QObject
{
    Q_OBJECT

private slots:
    void twoWorkersStartAndEndJobs();
};

void TestPunchCycle::twoWorkersStartAndEndJobs()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    FixedClock& clock = punch.services().clock;

    // Walter scans his card and names each level by its code.
    punch.type(QStringLiteral("Text34"), QStringLiteral(";000123?"));
    for (const auto& [box, code] :
        { std::pair { "Text3", "12" }, { "Text4", "7" }, { "Text5", "3" } }) {
        punch.type(QString::fromLatin1(box), QString::fromLatin1(code));
        punch.pressEnter(QString::fromLatin1(box));
    }
    dialogs.answer(Answer::Ok);
    punch.click(QStringLiteral("Command1"));

    // Linda types her badge and picks each level by its description.
    clock.advance(60);
    punch.type(QStringLiteral("Text34"), QStringLiteral("126"));
    punch.pressEnter(QStringLiteral("Text34"));
    punch.choose(QStringLiteral("DBCombo1"), QStringLiteral("Paint Shop"));
    punch.choose(QStringLiteral("DBCombo2"), QStringLiteral("Inspect"));
    punch.choose(QStringLiteral("DBCombo3"), QStringLiteral("Housing"));
    dialogs.answer(Answer::Ok);
    punch.click(QStringLiteral("Command1"));

    // Walter's job pays a bonus: he gives his piece count.
    clock.advance(2 * 3600);
    punch.type(QStringLiteral("Text34"), QStringLiteral("000123"));
    dialogs.type(QStringLiteral("48"));
    dialogs.answer(Answer::Yes);
    punch.click(QStringLiteral("Command2"));

    // Linda's does not: she only confirms, the next day after midnight.
    clock.set(QDateTime(QDate(2004, 2, 27), QTime(0, 30, 0)));
    punch.type(QStringLiteral("Text34"), QStringLiteral("000126"));
    dialogs.answer(Answer::Yes);
    punch.click(QStringLiteral("Command2"));

    VERIFY_DIALOGS(dialogs);
    QCOMPARE(dialogs.beeps(), 2);
    QCOMPARE(punch.services().program.ends, 0);

    const QList<QVariantMap> rows = punch.site().jobPunches();
    QCOMPARE(rows.size(), 2);
    const QVariantMap walter {
        { QStringLiteral("Name"), QStringLiteral("Walter Brennan") },
        { QStringLiteral("Badge"), QStringLiteral("Closed") },
        { QStringLiteral("DateWorked"), QStringLiteral("2004-02-26") },
        { QStringLiteral("TimeStart"), QStringLiteral("14:05:07") },
        { QStringLiteral("TimeStop"), QStringLiteral("16:06:07") },
        { QStringLiteral("Level1Description"), QStringLiteral("Department") },
        { QStringLiteral("Level1ItemCode"), QStringLiteral("12") },
        { QStringLiteral("Level1ItemDescription"), QStringLiteral("Assembly") },
        { QStringLiteral("Level1StandardCost"), 14.5 },
        { QStringLiteral("Level1BonusRate"), 0.0 },
        { QStringLiteral("Level2Description"), QStringLiteral("Operation") },
        { QStringLiteral("Level2ItemCode"), QStringLiteral("7") },
        { QStringLiteral("Level2ItemDescription"), QStringLiteral("Weld") },
        { QStringLiteral("Level2StandardCost"), 6.5 },
        { QStringLiteral("Level2BonusRate"), 0.35 },
        { QStringLiteral("Level3Description"), QStringLiteral("Part") },
        { QStringLiteral("Level3ItemCode"), QStringLiteral("3") },
        { QStringLiteral("Level3ItemDescription"), QStringLiteral("Bracket") },
        { QStringLiteral("Level3StandardCost"), 1.2 },
        { QStringLiteral("Level3BonusRate"), 0.15 },
        { QStringLiteral("Pieces"), 48.0 },
        { QStringLiteral("EmpNum"), 123 },
        { QStringLiteral("DeptNum"), 10 },
        { QStringLiteral("BaseRate"), 18.5 },
    };
    const QVariantMap linda {
        { QStringLiteral("Name"), QStringLiteral("Linda Kowalski") },
        { QStringLiteral("Badge"), QStringLiteral("Closed") },
        { QStringLiteral("DateWorked"), QStringLiteral("2004-02-26") },
        { QStringLiteral("TimeStart"), QStringLiteral("14:06:07") },
        { QStringLiteral("TimeStop"), QStringLiteral("00:30:00") },
        { QStringLiteral("Level1Description"), QStringLiteral("Department") },
        { QStringLiteral("Level1ItemCode"), QStringLiteral("16") },
        { QStringLiteral("Level1ItemDescription"), QStringLiteral("Paint Shop") },
        { QStringLiteral("Level1StandardCost"), 12.0 },
        { QStringLiteral("Level1BonusRate"), 0.0 },
        { QStringLiteral("Level2Description"), QStringLiteral("Operation") },
        { QStringLiteral("Level2ItemCode"), QStringLiteral("10") },
        { QStringLiteral("Level2ItemDescription"), QStringLiteral("Inspect") },
        { QStringLiteral("Level2StandardCost"), 2.5 },
        { QStringLiteral("Level2BonusRate"), 0.0 },
        { QStringLiteral("Level3Description"), QStringLiteral("Part") },
        { QStringLiteral("Level3ItemCode"), QStringLiteral("5") },
        { QStringLiteral("Level3ItemDescription"), QStringLiteral("Housing") },
        { QStringLiteral("Level3StandardCost"), 4.4 },
        { QStringLiteral("Level3BonusRate"), 0.0 },
        { QStringLiteral("Pieces"), 0.0 },
        { QStringLiteral("EmpNum"), 126 },
        { QStringLiteral("DeptNum"), 20 },
        { QStringLiteral("BaseRate"), 17.75 },
    };
    for (const auto& [row, expected] :
        { std::pair { rows.at(0), walter }, { rows.at(1), linda } }) {
        QCOMPARE(expected.size(), 24);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QVERIFY2(row.value(it.key()) == it.value(),
                qPrintable(expected.value(QStringLiteral("Name")).toString() + QLatin1Char(' ')
                    + it.key() + QStringLiteral(" = ") + row.value(it.key()).toString()));
        }
    }
}

QTEST_MAIN(TestPunchCycle)
#include "tst_punchcycle.moc"
