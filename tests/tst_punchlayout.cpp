#include "PunchScreen.h"
#include "data/SiteModel.h"
#include "punch/PunchTexts.h"
#include "ui/FormMetrics.h"
#include "ui/HiddenBox.h"
#include "ui/PictureButton.h"

#include <QFrame>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

// The punch screen as designed: its controls, the window, the level layout,
// and how the program is left.
class TestPunchLayout : public QObject
{
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void badgeEntryWindow();
    void captionsFitTheirTextAtEveryTurn();
    void firstPaint();
    void levels_data();
    void levels();
};

namespace {

const QColor none, white(255, 255, 255), black(0, 0, 0), grey(224, 224, 224), teal(0, 128, 128);

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
    const char *win = "JobCosting", *pic = "Picture1", *sans = "MS Sans Serif 12 bold";
    const char *narrow = "Arial Narrow 14.25 bold", *small = "Arial Narrow 12 bold";
    row("Label4", win, {312, 8, 29, 16}, "", "MS Sans Serif 9.75");
    row("Label2", win, {24, 16, 310, 19}, "Proceed to Job Information Entry Screen",
        "Arial 12 bold", QColor(128, 0, 0));
    row("Label3", win, {64, 48, 62, 23}, "Badge #", narrow, teal);
    row("Text34", win, {128, 48, 65, 24}, "", "MS Sans Serif 9.75 bold", black, white);
    row("Label5", win, {208, 48, 51, 23}, "Label5", narrow, teal);
    row("Picture1", win, {24, 88, 441, 233}, "", sans, none, grey);
    row("Label1", pic, {10, 2, 177, 20}, "Select your Job information:", small, teal);
    row("Label10", pic, {10, 26, 48, 20}, "Department", small);
    row("Picture2", pic, {10, 47, 417, 37}, "", sans, none, grey);
    row("Label11", pic, {10, 90, 48, 20}, "Operation", small);
    row("Picture3", pic, {10, 114, 417, 41}, "", sans, none, grey);
    row("Text4", "Picture3", {10, 11, 73, 19}, "", "Arial 9", black, white);
    row("DBCombo2", "Picture3", {98, 10, 313, 23}, "", "Arial 9");
    row("Label13", pic, {10, 162, 48, 20}, "Part", small);
    row("Text3", win, {45, 144, 73, 19}, "", "Arial 9", black, white);
    row("DBCombo1", win, {128, 144, 313, 23}, "", "Arial 9");
    row("Picture4", win, {32, 272, 417, 41}, "", sans, none, grey);
    row("Text5", "Picture4", {11, 11, 73, 19}, "", "Arial 9", black, white);
    row("DBCombo3", "Picture4", {98, 10, 313, 23}, "", "Arial 9");
    row("Command1", win, {24, 328, 129, 49}, "New Job", narrow);
    row("Command2", win, {184, 328, 121, 49}, "End Job", narrow);
    row("Command3", win, {344, 328, 121, 49}, "Exit", narrow);
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
    // A control hidden in badge entry mode takes its font and size when it is shown.
    for (QWidget* shown = widget; shown != &punch.screen(); shown = shown->parentWidget())
        shown->show();
    // The design's font, shown in its metric twin.
    const QFont& f = widget->font();
    QCOMPARE(QStringLiteral("%1 %2").arg(f.families().constLast()).arg(f.pointSizeF())
            + QString::fromLatin1(f.bold() ? " bold" : ""),
        font);
    QCOMPARE(QFontInfo(f).family(),
        font.startsWith(u"Arial Narrow") ? u"Liberation Sans Narrow" : u"Liberation Sans");
    // Its texts run as the design's Windows ran them, without kerning: "AV" is
    // as wide as "A" and "V" side by side.
    const QFontMetricsF metrics(f);
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("AV")),
        metrics.horizontalAdvance(QStringLiteral("A"))
            + metrics.horizontalAdvance(QStringLiteral("V")));
    // Boxes paint in Text on Base, the others in WindowText on Window.
    const QPalette& palette = widget->palette();
    if (foreground.isValid())
        QCOMPARE(palette.color(QPalette::Active, widget->foregroundRole()), foreground);
    if (background.isValid())
        QCOMPARE(palette.color(QPalette::Active, widget->backgroundRole()), background);
    QCOMPARE(widget->property("text").toString(), text);
    if (qobject_cast<QLabel*>(widget)) {
        QCOMPARE(widget->pos(), geometry.topLeft());
        QVERIFY(widget->width() >= widget->sizeHint().width()); // nothing of the caption is cut
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
}

void TestPunchLayout::badgeEntryWindow()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    JobCosting& screen = punch.screen();
    QCOMPARE(screen.windowTitle(), QStringLiteral("Job Costing "));
    QCOMPARE(screen.size(), QSize(484, 389));
    QCOMPARE(screen.minimumSize(), screen.maximumSize());
    QCOMPARE(screen.palette().color(QPalette::Window), grey);
    QCOMPARE(screen.windowIcon().availableSizes(), QList<QSize> {QSize(32, 32)});
    QCOMPARE(screen.Text34->maxLength(), 6);
    QCOMPARE(screen.Text34->toolTip(), QStringLiteral("Enter your Badge number"));

    // Badge entry mode shows only the badge row and Exit; the bound boxes are no controls at all.
    const QStringList shown = names("Label2 Label3 Text34 Command3");
    for (const QString& name :
        shown + names("Label5 Picture1 Text3 DBCombo1 Picture4 Command1 Command2"))
        QVERIFY2(punch.find<QWidget>(name)->isVisible() == shown.contains(name), qPrintable(name));
    for (int i : {1, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
             26, 27, 28, 29, 30, 31, 32, 33, 35, 36, 37, 38})
        QVERIFY(punch.find<HiddenBox>(QStringLiteral("Text%1").arg(i)));
}

void TestPunchLayout::captionsFitTheirTextAtEveryTurn()
{
    PunchScreen punch;
    QVERIFY(punch.open());
    JobCosting& screen = punch.screen();
    const auto captionsFit = [&](const QString& when) {
        for (const QLabel* label : {screen.Label1, screen.Label2, screen.Label5, screen.Label10,
                 screen.Label11, screen.Label13}) {
            QVERIFY2(label->size() == label->sizeHint(),
                qPrintable(when + u": "_s + label->objectName() + u" "_s + label->text()));
        }
    };
    // Each caption comes back after others: a size kept for it must still fit.
    for (const QString& badge : {u"000123"_s, u"000124"_s, u"000123"_s, u"000124"_s}) {
        punch.keys(badge);
        captionsFit(u"badge "_s + badge);
        punch.click(screen.Command1->text() == "Cancel"_L1 ? u"Command1"_s : u"Command2"_s);
        QCOMPARE(punch.badgeEntryProblems(), QString());
        captionsFit(u"after badge "_s + badge);
    }
}

void TestPunchLayout::firstPaint()
{
    // While the window system maps the window the badge row's captions are
    // fitted and the data that badge entry does not show is read: the first
    // paint shows each caption whole, and the employees are open by then.
    PunchScreen punch;
    JobCosting screen(punch.services().services, punch.module());
    screen.load();
    const QString designText = screen.Text35->text();
    class FirstPaint : public QObject
    {
    public:
        explicit FirstPaint(const JobCosting& screen)
            : m_screen(screen)
        { }
        QStringList cut;
        QSet<QObject*> painted;
        QString employee;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            auto* label = qobject_cast<QLabel*>(watched);
            if (event->type() == QEvent::Paint && label && !painted.contains(label)) {
                painted.insert(label);
                if (label->width() < label->sizeHint().width())
                    cut << label->objectName();
                employee = m_screen.Text35->text();
            }
            return false;
        }

    private:
        const JobCosting& m_screen;
    } firstPaint(screen);
    for (QLabel* label : {screen.Label2, screen.Label3})
        label->installEventFilter(&firstPaint);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QTRY_COMPARE(firstPaint.painted.size(), 2);
    QCOMPARE(firstPaint.cut, QStringList());
    QVERIFY(!firstPaint.employee.isEmpty());
    QCOMPARE_NE(firstPaint.employee, designText);

    // A screen never shown reads it when a badge is first looked up.
    JobCosting unshown(punch.services().services, punch.module());
    unshown.load();
    const QString itemDesignText = unshown.Text13->text();
    unshown.Text34->setText(u"000123"_s);
    QCOMPARE(unshown.Label5->text(), u"Walter Brennan"_s);
    QCOMPARE(unshown.Text13->text(), screen.Text13->text());
    QCOMPARE_NE(unshown.Text13->text(), itemDesignText);
}

void TestPunchLayout::levels_data()
{
    QTest::addColumn<QStringList>("changes"); // to the validation tables
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<int>("panelHeight"); // pixels; 0: the program refuses to run

    const QStringList level2 = names("Picture3 Text4 DBCombo2");
    const QStringList level3 = names("Picture4 Text5 DBCombo3");
    const auto row
        = [](const char* name, const char* changes, const QStringList& hidden, int height) {
              QTest::newRow(name) << QString::fromLatin1(changes).split(u';', Qt::SkipEmptyParts)
                                  << hidden << height / 15;
          };
    row("all levels", "", {}, 3495);
    row("no level 3", "DELETE FROM Level3", level3, 2415);
    row("no level 3 table", "DROP TABLE Level3", level3, 2415);
    row("no level 2", "DELETE FROM Level2", level2, 1335);
    row("untitled level 2", "UPDATE Level2 SET LevelDescription = ''", level2, 1335);
    row("no level 2 table", "DROP TABLE Level2", level2, 1335);
    row("level 1 only", "DELETE FROM Level2;DELETE FROM Level3", level2 + level3, 1335);
    row("no level 1", "DELETE FROM Level1", {}, 0);
    row("untitled level 1", "UPDATE Level1 SET LevelDescription = ''", {}, 0);
    row("no level 1 table", "DROP TABLE Level1", {}, 0);
    row("no level at all", "DELETE FROM Level1;DELETE FROM Level2;DELETE FROM Level3", {}, 0);
}

void TestPunchLayout::levels()
{
    QFETCH(QStringList, changes);
    QFETCH(QStringList, hidden);
    QFETCH(int, panelHeight);

    PunchScreen punch;
    for (const QString& change : changes)
        punch.site().sql(SiteModel::validationsFile, change);
    TestServices& services = punch.services();
    if (panelHeight == 0) {
        // Refused as soon as the window shows: the badge box has the focus at once.
        services.dialogs.answer(Dialogs::Answer::Ok);
        punch.open();
        QTRY_COMPARE(services.program.ends, 1);
        // A table that could not be read is named under the refusal.
        const QString why = changes.contains(QStringLiteral("DROP TABLE Level1"))
            ? QStringLiteral("\n\nValidations.mdb has no table Level1.")
            : QString();
        QCOMPARE(services.dialogs.texts(),
            QStringList {QStringLiteral("Job Costing requires Validation Tables be established at "
                                        "the Vexmo workstation.  Process canceled!")
                + why});
        const Dialogs::Message& message = services.dialogs.shown().first().message;
        QCOMPARE(message.title, PunchTexts::instructionTitle());
        QCOMPARE(message.icon, Dialogs::Icon::Critical);
        QCOMPARE(message.buttons, Dialogs::Buttons::Ok);
        QCOMPARE(services.program.status, ExitStatus::NeedsPerson);
        QVERIFY2(services.program.reason.startsWith(
                     punch.site().file(SiteModel::validationsFile) + u": the table Level1"_s)
                && services.program.reason.endsWith(why.trimmed()),
            qPrintable(services.program.reason));
        punch.screen().close();
        QCOMPARE(services.program.ends, 1);
        QVERIFY(services.shell.opened.isEmpty());
    } else {
        // Whatever levels are in use, a badge typed as soon as the window shows
        // goes into the badge box.
        QVERIFY(punch.open());
        QCOMPARE(punch.focused(), punch.screen().Text34);
        QCOMPARE(punch.screen().Picture1->height(), panelHeight);
        punch.keys(QStringLiteral("000123"));
        QCOMPARE(punch.focused(), punch.screen().Text3);
        QVERIFY(punch.screen().Picture1->isVisible());
        QCOMPARE(punch.screen().Picture1->height(), panelHeight);
        for (const QString& name :
            names("Picture3 Text4 DBCombo2 Picture4 Text5 DBCombo3 Text3 DBCombo1"))
            QVERIFY2(
                punch.find<QWidget>(name)->isVisible() != hidden.contains(name), qPrintable(name));
    }
    VERIFY_DIALOGS(services.dialogs);
}

QTEST_MAIN(TestPunchLayout)
#include "tst_punchlayout.moc"
