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
    void missingLevelOneEndsTheProgram();
    void badgeBoxHasTheFocusWhenShown();
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

} // namespace

void TestPunchLayout::controls_data()
{
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QRect>(
        "geometry"); // pixels at 96 DPI; labels size themselves, so only their place counts
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("foreground");
    QTest::addColumn<QColor>("background");

    const QString window = QStringLiteral("JobCosting");
    const QString sans = QStringLiteral("MS Sans Serif");
    const QString arial = QStringLiteral("Arial");
    const QString narrow = QStringLiteral("Arial Narrow");

    // Children of a frame sit 2 pixels further in, inside its border. The badge
    // box's focus handler has renamed Command1 "New Job" by the time anyone looks.
    QTest::newRow("Label4") << window << QRect(312, 8, 29, 16) << QString() << sans << 9.75 << false
                            << none << none;
    QTest::newRow("Label2") << window << QRect(24, 16, 310, 19) << PunchTexts::entryPrompt << arial
                            << 12.0 << true << QColor(128, 0, 0) << none;
    QTest::newRow("Label3") << window << QRect(64, 48, 62, 23) << QStringLiteral("Badge #")
                            << narrow << 14.25 << true << teal << none;
    QTest::newRow("Text34") << window << QRect(128, 48, 65, 24) << QString() << sans << 9.75 << true
                            << black << white;
    QTest::newRow("Label5") << window << QRect(208, 48, 51, 23) << QStringLiteral("Label5")
                            << narrow << 14.25 << true << teal << none;
    QTest::newRow("Picture1") << window << QRect(24, 88, 441, 233) << QString() << sans << 12.0
                              << true << none << grey;
    QTest::newRow("Label1") << QStringLiteral("Picture1") << QRect(10, 2, 177, 20)
                            << QStringLiteral("Select your Job information:") << narrow << 12.0
                            << true << teal << none;
    QTest::newRow("Label10") << QStringLiteral("Picture1") << QRect(10, 26, 48, 20)
                             << QStringLiteral("Department") << narrow << 12.0 << true << none
                             << none;
    QTest::newRow("Picture2") << QStringLiteral("Picture1") << QRect(10, 47, 417, 37) << QString()
                              << sans << 12.0 << true << none << grey;
    QTest::newRow("Label11") << QStringLiteral("Picture1") << QRect(10, 90, 48, 20)
                             << QStringLiteral("Operation") << narrow << 12.0 << true << none
                             << none;
    QTest::newRow("Picture3") << QStringLiteral("Picture1") << QRect(10, 114, 417, 41) << QString()
                              << sans << 12.0 << true << none << grey;
    QTest::newRow("Text4") << QStringLiteral("Picture3") << QRect(10, 11, 73, 19) << QString()
                           << arial << 9.0 << false << black << white;
    QTest::newRow("DBCombo2") << QStringLiteral("Picture3") << QRect(98, 10, 313, 23) << QString()
                              << arial << 9.0 << false << none << none;
    QTest::newRow("Label13") << QStringLiteral("Picture1") << QRect(10, 162, 48, 20)
                             << QStringLiteral("Part") << narrow << 12.0 << true << none << none;
    QTest::newRow("Text3") << window << QRect(45, 144, 73, 19) << QString() << arial << 9.0 << false
                           << black << white;
    QTest::newRow("DBCombo1") << window << QRect(128, 144, 313, 23) << QString() << arial << 9.0
                              << false << none << none;
    QTest::newRow("Picture4") << window << QRect(32, 272, 417, 41) << QString() << sans << 12.0
                              << true << none << grey;
    QTest::newRow("Text5") << QStringLiteral("Picture4") << QRect(11, 11, 73, 19) << QString()
                           << arial << 9.0 << false << black << white;
    QTest::newRow("DBCombo3") << QStringLiteral("Picture4") << QRect(98, 10, 313, 23) << QString()
                              << arial << 9.0 << false << none << none;
    QTest::newRow("Command1") << window << QRect(24, 328, 129, 49) << QStringLiteral("New Job")
                              << narrow << 14.25 << true << none << none;
    QTest::newRow("Command2") << window << QRect(184, 328, 121, 49) << QStringLiteral("End Job")
                              << narrow << 14.25 << true << none << none;
    QTest::newRow("Command3") << window << QRect(344, 328, 121, 49) << QStringLiteral("Exit")
                              << narrow << 14.25 << true << none << none;
}

void TestPunchLayout::controls()
{
    QFETCH(QString, holder);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(QColor, foreground);
    QFETCH(QColor, background);

    PunchScreen punch;
    QVERIFY(punch.open());
    auto* widget = punch.find<QWidget>(QString::fromLatin1(QTest::currentDataTag()));

    QCOMPARE(widget->parentWidget()->objectName(), holder);
    QCOMPARE(widget->font().family(), family);
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(widget->font().bold(), bold);

    const auto* box = qobject_cast<QLineEdit*>(widget);
    const QPalette::ColorRole textRole = box ? QPalette::Text : QPalette::WindowText;
    const QPalette::ColorRole backRole = box ? QPalette::Base : QPalette::Window;
    if (foreground.isValid())
        QCOMPARE(widget->palette().color(textRole), foreground);
    if (background.isValid())
        QCOMPARE(widget->palette().color(backRole), background);

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
    const QStringList expected = {
        QStringLiteral("Text1=Maria Lopez"),
        QStringLiteral("Text2=Open"),
        QStringLiteral("Text12=02/26/2004"),
        QStringLiteral("Text16=2:05:07 PM"),
        QStringLiteral("Text17=2:05:08 PM"),
        QStringLiteral("Text18=Department"),
        QStringLiteral("Text19=14"),
        QStringLiteral("Text20=Machining"),
        QStringLiteral("Text21=Operation"),
        QStringLiteral("Text22=8"),
        QStringLiteral("Text23=Drill"),
        QStringLiteral("Text24=Part"),
        QStringLiteral("Text25=4"),
        QStringLiteral("Text26=Hinge"),
        QStringLiteral("Text27=0"),
        QStringLiteral("Text9=12"),
        QStringLiteral("Text10=7"),
        QStringLiteral("Text11=3"),
        QStringLiteral("Text13=12"),
        QStringLiteral("Text6=Assembly"),
        QStringLiteral("Text28=14.5"),
        QStringLiteral("Text29=0"),
        QStringLiteral("Text36=0"),
        QStringLiteral("Text14=7"),
        QStringLiteral("Text7=Weld"),
        QStringLiteral("Text30=6.5"),
        QStringLiteral("Text31=0.35"),
        QStringLiteral("Text37=0.35"),
        QStringLiteral("Text15=3"),
        QStringLiteral("Text8=Bracket"),
        QStringLiteral("Text32=1.2"),
        QStringLiteral("Text33=0.15"),
        QStringLiteral("Text38=0.15"),
        QStringLiteral("Text35=Walter Brennan"),
    };
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

void TestPunchLayout::missingLevelOneEndsTheProgram()
{
    PunchScreen punch;
    punch.site().sql(QStringLiteral("Validations.mdb"), QStringLiteral("DELETE FROM Level1"));
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

void TestPunchLayout::badgeBoxHasTheFocusWhenShown()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    QCOMPARE(punch.focused(), punch.screen().Text34);
    QVERIFY(!punch.module().BadgeFocusPending);

    QTest::keyClicks(nullptr, QStringLiteral("12"));
    QCOMPARE(punch.screen().Text34->text(), QStringLiteral("12"));
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
