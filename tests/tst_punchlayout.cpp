#include "PunchScreen.h"
#include "punch/PunchTexts.h"
#include "ui/DbCombo.h"
#include "ui/PictureButton.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QTest>

// The punch screen as designed: places, captions, fonts and colours of its
// controls, the window, the level layout, and how the program is left.
class TestPunchLayout : public QObject
{
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void window();
    void hiddenBoxesShowTheirFields();
    void levelLayout_data();
    void levelLayout();
    void missingLevelOneEndsTheProgram_data();
    void missingLevelOneEndsTheProgram();
    void leaving_data();
    void leaving();
};

namespace {

const QColor none;
const QColor white(255, 255, 255);
const QColor black(0, 0, 0);
const QColor grey(224, 224, 224);
const QColor teal(0, 128, 128);

QStringList names(const char* list)
{
    return QString::fromLatin1(list).split(QLatin1Char(' '));
}

// One row of the design table; geometry in pixels at 96 DPI.
void row(const char* name, const char* holder, QRect geometry, const char* text, const char* font,
    QColor foreground = {}, QColor background = {})
{
    QTest::newRow(name) << QString::fromLatin1(holder) << geometry << QString::fromLatin1(text)
                        << QString::fromLatin1(font) << foreground << background;
}

QString describe(const QFont& font)
{
    return QStringLiteral("%1 %2%3")
        .arg(font.family())
        .arg(font.pointSizeF())
        .arg(font.bold() ? QStringLiteral(" bold") : QString());
}

} // namespace

void TestPunchLayout::controls_data()
{
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QRect>("geometry"); // labels size themselves: only their place counts
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QColor>("foreground");
    QTest::addColumn<QColor>("background");

    // Children of a frame sit 2 pixels further in, inside its border. The badge
    // box's focus handler has renamed Command1 "New Job" by the time anyone looks.
    const char* win = "JobCosting";
    const QColor maroon(128, 0, 0);
    row("Label4", win, { 312, 8, 29, 16 }, "", "MS Sans Serif 9.75");
    row("Label2", win, { 24, 16, 310, 19 }, "Proceed to Job Information Entry Screen",
        "Arial 12 bold", maroon);
    row("Label3", win, { 64, 48, 62, 23 }, "Badge #", "Arial Narrow 14.25 bold", teal);
    row("Text34", win, { 128, 48, 65, 24 }, "", "MS Sans Serif 9.75 bold", black, white);
    row("Label5", win, { 208, 48, 51, 23 }, "Label5", "Arial Narrow 14.25 bold", teal);
    row("Picture1", win, { 24, 88, 441, 233 }, "", "MS Sans Serif 12 bold", none, grey);
    row("Label1", "Picture1", { 10, 2, 177, 20 },
        "Select your Job information:", "Arial Narrow 12 bold", teal);
    row("Label10", "Picture1", { 10, 26, 48, 20 }, "Department", "Arial Narrow 12 bold");
    row("Picture2", "Picture1", { 10, 47, 417, 37 }, "", "MS Sans Serif 12 bold", none, grey);
    row("Label11", "Picture1", { 10, 90, 48, 20 }, "Operation", "Arial Narrow 12 bold");
    row("Picture3", "Picture1", { 10, 114, 417, 41 }, "", "MS Sans Serif 12 bold", none, grey);
    row("Text4", "Picture3", { 10, 11, 73, 19 }, "", "Arial 9", black, white);
    row("DBCombo2", "Picture3", { 98, 10, 313, 23 }, "", "Arial 9");
    row("Label13", "Picture1", { 10, 162, 48, 20 }, "Part", "Arial Narrow 12 bold");
    row("Text3", win, { 45, 144, 73, 19 }, "", "Arial 9", black, white);
    row("DBCombo1", win, { 128, 144, 313, 23 }, "", "Arial 9");
    row("Picture4", win, { 32, 272, 417, 41 }, "", "MS Sans Serif 12 bold", none, grey);
    row("Text5", "Picture4", { 11, 11, 73, 19 }, "", "Arial 9", black, white);
    row("DBCombo3", "Picture4", { 98, 10, 313, 23 }, "", "Arial 9");
    row("Command1", win, { 24, 328, 129, 49 }, "New Job", "Arial Narrow 14.25 bold");
    row("Command2", win, { 184, 328, 121, 49 }, "End Job", "Arial Narrow 14.25 bold");
    row("Command3", win, { 344, 328, 121, 49 }, "Exit", "Arial Narrow 14.25 bold");
}

void TestPunchLayout::controls()
{
    QFETCH(QString, holder);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QString, font);
    QFETCH(QColor, foreground);
    QFETCH(QColor, background);

    PunchScreen punch;
    QVERIFY(punch.open());
    auto* widget = punch.find<QWidget>(QString::fromLatin1(QTest::currentDataTag()));

    QCOMPARE(widget->parentWidget()->objectName(), holder);
    QCOMPARE(describe(widget->font()), font);

    const auto* box = qobject_cast<QLineEdit*>(widget);
    const QPalette::ColorRole textRole = box ? QPalette::Text : QPalette::WindowText;
    const QPalette::ColorRole backRole = box ? QPalette::Base : QPalette::Window;
    if (foreground.isValid())
        QCOMPARE(widget->palette().color(QPalette::Active, textRole), foreground);
    if (background.isValid())
        QCOMPARE(widget->palette().color(QPalette::Active, backRole), background);

    if (const auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->pos(), geometry.topLeft());
        // Nothing of the caption is cut.
        QVERIFY(label->width() >= label->sizeHint().width());
    } else {
        QCOMPARE(widget->geometry(), geometry);
        if (box)
            QCOMPARE(box->text(), text);
        else if (const auto* button = qobject_cast<QPushButton*>(widget))
            QCOMPARE(button->text(), text);
    }
}

void TestPunchLayout::window()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    JobCosting& screen = punch.screen();

    QCOMPARE(screen.windowTitle(), QStringLiteral("Job Costing "));
    QCOMPARE(screen.size(), QSize(484, 389));
    QCOMPARE(screen.minimumSize(), screen.maximumSize());
    QCOMPARE(screen.palette().color(QPalette::Window), grey);
    QVERIFY(!screen.windowIcon().isNull());
    QCOMPARE(screen.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(screen.font().pointSizeF(), 12.0);
    QVERIFY(screen.font().bold());

    QCOMPARE(screen.Text34->maxLength(), 6);
    QCOMPARE(screen.Text34->toolTip(), QStringLiteral("Enter your Badge number"));
    QCOMPARE(screen.Text4->maxLength(), 10);
    QCOMPARE(screen.Text5->maxLength(), 10);
    QVERIFY(!screen.Text3->isEnabled());

    // Badge entry mode: only the badge row and Exit.
    for (QWidget* shown :
        { static_cast<QWidget*>(screen.Label2), static_cast<QWidget*>(screen.Label3),
            static_cast<QWidget*>(screen.Text34), static_cast<QWidget*>(screen.Command3) })
        QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
    for (const char* name :
        { "Label5", "Picture1", "Text3", "DBCombo1", "Picture4", "Command1", "Command2" })
        QVERIFY2(!punch.find<QWidget>(QString::fromLatin1(name))->isVisible(), name);
    punch.savePicture(QStringLiteral("badge-entry.png"));

    // The worker can type his badge as soon as the window is shown.
    QCOMPARE(punch.focused(), screen.Text34);
    QTest::keyClicks(nullptr, QStringLiteral("12"));
    QCOMPARE(screen.Text34->text(), QStringLiteral("12"));
}

void TestPunchLayout::hiddenBoxesShowTheirFields()
{
    PunchScreen punch;
    punch.site().sql(QStringLiteral("JobPunches.MDB"),
        QStringLiteral("INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, "
                       "TimeStop, Level1Description, Level1ItemCode, "
                       "Level1ItemDescription, Level2Description, Level2ItemCode, "
                       "Level2ItemDescription, Level3Description, Level3ItemCode, "
                       "Level3ItemDescription, Pieces) VALUES ('Maria Lopez', 'Open', "
                       "'2004-02-26', '14:05:07', '14:05:08', 'Department', '14', "
                       "'Machining', 'Operation', '8', 'Drill', 'Part', '4', 'Hinge', 0)"));
    QVERIFY(punch.open());

    // Each list and item source stands on its table's first row; Data8 on the first employee.
    const QStringList expected = QStringLiteral(
        "Text1=Maria Lopez;Text2=Open;Text12=02/26/2004;Text16=2:05:07 PM;Text17=2:05:08 PM;"
        "Text18=Department;Text19=14;Text20=Machining;Text21=Operation;Text22=8;Text23=Drill;"
        "Text24=Part;Text25=4;Text26=Hinge;Text27=0;Text9=12;Text10=7;Text11=3;Text13=12;"
        "Text6=Assembly;Text28=14.5;Text29=0;Text36=0;Text14=7;Text7=Weld;Text30=6.5;Text31=0.35;"
        "Text37=0.35;Text15=3;Text8=Bracket;Text32=1.2;Text33=0.15;Text38=0.15;"
        "Text35=Walter Brennan")
                                     .split(QLatin1Char(';'));
    QCOMPARE(expected.size(), 34);
    for (const QString& pair : expected) {
        const QString name = pair.section(QLatin1Char('='), 0, 0);
        const auto* box = punch.find<QLineEdit>(name);
        QVERIFY2(box->isHidden(), qPrintable(name));
        QCOMPARE(name + QLatin1Char('=') + box->text(), pair);
    }
}

void TestPunchLayout::levelLayout_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<int>("panelHeight"); // pixels

    const QStringList none;
    QTest::newRow("all levels") << QString() << none << 3495 / 15;
    QTest::newRow("no level 3") << QStringLiteral("DELETE FROM Level3")
                                << names("Picture4 Text5 DBCombo3") << 2415 / 15;
    QTest::newRow("no level 2") << QStringLiteral("DELETE FROM Level2")
                                << names("Picture3 Text4 DBCombo2") << 1335 / 15;
    QTest::newRow("untitled level 2") << QStringLiteral("UPDATE Level2 SET LevelDescription = ''")
                                      << names("Picture3 Text4 DBCombo2") << 1335 / 15;
}

void TestPunchLayout::levelLayout()
{
    QFETCH(QString, change);
    QFETCH(QStringList, hidden);
    QFETCH(int, panelHeight);

    PunchScreen punch;
    if (!change.isEmpty())
        punch.site().sql(QStringLiteral("Validations.mdb"), change);
    QVERIFY(punch.open());
    QCOMPARE(punch.screen().Picture1->height(), panelHeight);

    punch.type(QStringLiteral("Text34"), QStringLiteral("000123"));
    QVERIFY(punch.screen().Picture1->isVisible());
    QCOMPARE(punch.screen().Picture1->height(), panelHeight);
    for (const char* name :
        { "Picture3", "Text4", "DBCombo2", "Picture4", "Text5", "DBCombo3", "Text3", "DBCombo1" }) {
        const QString control = QString::fromLatin1(name);
        QVERIFY2(punch.find<QWidget>(control)->isVisible() != hidden.contains(control), name);
    }
    VERIFY_DIALOGS(punch.services().dialogs);
}

void TestPunchLayout::missingLevelOneEndsTheProgram_data()
{
    QTest::addColumn<QString>("change");

    QTest::newRow("no rows") << QStringLiteral("DELETE FROM Level1");
    QTest::newRow("no title") << QStringLiteral("UPDATE Level1 SET LevelDescription = ''");
    QTest::newRow("no table") << QStringLiteral("DROP TABLE Level1");
}

void TestPunchLayout::missingLevelOneEndsTheProgram()
{
    QFETCH(QString, change);

    PunchScreen punch;
    punch.site().sql(QStringLiteral("Validations.mdb"), change);
    TestServices& services = punch.services();
    services.dialogs.answer(Dialogs::Answer::Ok);
    punch.open();
    QTest::qWait(50);

    QCOMPARE(services.dialogs.shown().size(), 1);
    const Dialogs::Message& message = services.dialogs.shown().first().message;
    QCOMPARE(message.text,
        QStringLiteral("Job Costing requires Validation Tables be established at "
                       "the Vexmo workstation.  Process canceled!"));
    QCOMPARE(message.title, PunchTexts::instructionTitle);
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QCOMPARE(message.buttons, Dialogs::Buttons::Ok);
    QCOMPARE(services.program.ends, 1);

    punch.screen().close();
    QCOMPARE(services.program.ends, 1);
    QVERIFY(services.shell.opened.isEmpty());
    VERIFY_DIALOGS(services.dialogs);
}

void TestPunchLayout::leaving_data()
{
    QTest::addColumn<bool>("exit");
    QTest::addColumn<QString>("started");

    QTest::newRow("Exit button") << true << QStringLiteral("VexmoJC.exe");
    QTest::newRow("window closed") << false << QStringLiteral("Vexmo80.exe");
}

void TestPunchLayout::leaving()
{
#ifdef Q_OS_WIN
    QSKIP("the stand-in sibling programs are shell scripts");
#endif
    QFETCH(bool, exit);
    QFETCH(QString, started);

    // The real shell, on stand-ins for the two sibling programs that note their start.
    Site site;
    const QString log = site.file(QStringLiteral("started.log"));
    for (const QString& program :
        { QStringLiteral("VexmoJC.exe"), QStringLiteral("Vexmo80.exe") }) {
        QFile script(site.file(program));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho %1 >> '%2'\n").arg(program, log).toUtf8());
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
    }
    TestServices scripted;
    DesktopShell shell;
    const Services services { scripted.dialogs, shell, scripted.clock, scripted.regional,
        scripted.program };
    Module1 module;
    JobCosting screen(services, module);
    screen.load();
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));

    if (exit)
        QTest::mouseClick(screen.Command3, Qt::LeftButton);
    else
        screen.close();
    QCOMPARE(scripted.program.ends, 1);
    // Once ended, closing the window starts nothing more.
    screen.close();
    QCOMPARE(scripted.program.ends, 1);

    const auto startedPrograms = [&log] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    QTRY_COMPARE(startedPrograms(), started + QLatin1Char('\n'));
    QTest::qWait(200);
    QCOMPARE(startedPrograms(), started + QLatin1Char('\n'));
    VERIFY_DIALOGS(scripted.dialogs);
}

QTEST_MAIN(TestPunchLayout)
#include "tst_punchlayout.moc"
