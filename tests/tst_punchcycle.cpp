#include "PunchScreen.h"
#include "ui/PictureButton.h"

#include <QtTest>

using Answer = Dialogs::Answer;
using namespace Qt::StringLiterals;

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

    // Every field of both rows, in the table's order.
    const QStringList fields {u"Name"_s, u"Badge"_s, u"DateWorked"_s, u"TimeStart"_s, u"TimeStop"_s,
        u"Level1Description"_s, u"Level1ItemCode"_s, u"Level1ItemDescription"_s,
        u"Level1StandardCost"_s, u"Level1BonusRate"_s, u"Level2Description"_s, u"Level2ItemCode"_s,
        u"Level2ItemDescription"_s, u"Level2StandardCost"_s, u"Level2BonusRate"_s,
        u"Level3Description"_s, u"Level3ItemCode"_s, u"Level3ItemDescription"_s,
        u"Level3StandardCost"_s, u"Level3BonusRate"_s, u"Pieces"_s, u"EmpNum"_s, u"DeptNum"_s,
        u"BaseRate"_s};
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
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype f = 0; f < fields.size(); ++f) {
            const QVariant value = rows.at(r).value(fields.at(f));
            QVERIFY2(value == expected.at(r).at(f),
                qPrintable(fields.at(f) + u" = "_s + value.toString()));
        }
    }
}

QTEST_MAIN(TestPunchCycle)
#include "tst_punchcycle.moc"
