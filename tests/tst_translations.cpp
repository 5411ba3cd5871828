#include "PunchScreen.h"
#include "program/Language.h"
#include "startup/DateCheck.h"
#include "ui/PictureButton.h"
#include "ui/TerminalFonts.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

// The punch screen in every language the terminal speaks: each caption fits
// the control the fixed layout draws it in, and the job buttons keep their
// roles whatever their captions say.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void jobButtonsKeepTheirRoles_data();
    void jobButtonsKeepTheirRoles();
};

namespace {

const QStringList builtTranslations {QStringLiteral(JOBCOSTING_TRANSLATIONS_DIR)};

QStringList languages()
{
    return QStringList {QString()} + Language::translated();
}

QString nameOf(const QString& language)
{
    return language.isEmpty() ? u"en"_s : language;
}

bool use(const QString& language)
{
    if (!Language::use(language, builtTranslations))
        return false;
    // A translation that did not load would pass for a short one.
    return language.isEmpty() || QCoreApplication::translate("JobCosting", "Cancel") != "Cancel"_L1;
}

// Labels that show data (the worker's name, the levels' titles), not the program's words.
bool showsData(const QWidget* control)
{
    static const QStringList data {u"Label5"_s, u"Label10"_s, u"Label11"_s, u"Label13"_s};
    return data.contains(control->objectName());
}

QRect inWindow(const QWidget* control)
{
    return {control->mapTo(control->window(), QPoint()), control->size()};
}

// The room a caption has: a button's face inside its focus frame; for a label,
// which sizes itself, up to the next control drawn on its row, or its holder's edge.
int room(const QWidget* control)
{
    if (qobject_cast<const PictureButton*>(control))
        return control->width() - 8;
    const QWidget* window = control->window();
    const QWidget* holder = control->parentWidget();
    const QRect own = inWindow(control);
    int right = holder->mapTo(window, holder->contentsRect().topRight()).x() + 1;
    for (const QWidget* other : window->findChildren<QWidget*>()) {
        if (other == control || !other->isVisibleTo(window) || other->isAncestorOf(control))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(other);
            label && label->text().isEmpty())
            continue; // draws nothing
        const QRect next = inWindow(other);
        if (next.left() > own.left() && next.top() <= own.bottom() && next.bottom() >= own.top())
            right = std::min(right, next.left());
    }
    return right - own.left();
}

int needed(const QWidget* control)
{
    if (const auto* button = qobject_cast<const PictureButton*>(control))
        return button->fontMetrics().horizontalAdvance(button->text());
    return control->sizeHint().width();
}

// The captions of the window's controls that do not fit, as "Control: caption (needed > room)".
QStringList cut(const QWidget* window, const QStringList& only = {})
{
    QStringList found;
    QList<const QWidget*> controls;
    for (const QLabel* label : window->findChildren<QLabel*>())
        controls << label;
    for (const PictureButton* button : window->findChildren<PictureButton*>())
        controls << button;
    for (const QWidget* control : std::as_const(controls)) {
        const bool shown
            = only.isEmpty() ? control->isVisibleTo(window) : only.contains(control->objectName());
        if (!shown || showsData(control))
            continue;
        const QString caption = control->property("text").toString();
        if (!caption.isEmpty() && needed(control) > room(control)) {
            found << u"%1: \"%2\" (%3 > %4 pixels)"_s.arg(control->objectName(), caption)
                         .arg(needed(control))
                         .arg(room(control));
        }
    }
    return found;
}

} // namespace

#define VERIFY_FITS(cut)                                                                           \
    do {                                                                                           \
        const QStringList found = (cut);                                                           \
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u"; "_s)));                                \
    } while (false)

void TestTranslations::cleanup()
{
    Language::use({}, {});
}

void TestTranslations::captionsFitTheirControls_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("state");

    for (const QString& language : languages()) {
        for (const char* state : {"design", "badge entry", "new job by Enter",
                 "new job by sixth key", "end job", "date check"})
            QTest::addRow("%s, %s", qPrintable(nameOf(language)), state)
                << language << QString::fromLatin1(state);
    }
}

void TestTranslations::captionsFitTheirControls()
{
    QFETCH(QString, language);
    QFETCH(QString, state);

    QVERIFY(use(language));
    PunchScreen punch;
    // The widest start a caption shows: two-digit month, day and hour, and AM.
    punch.services().clock.set({QDate(2004, 12, 28), QTime(10, 58, 58)});
    if (state == u"design") {
        const JobCosting screen(punch.services().services, punch.module());
        // The prompt line leaves Label4's row once Label4 is emptied, at load.
        VERIFY_FITS(cut(&screen,
            {u"Label4"_s, u"Label3"_s, u"Label1"_s, u"Command1"_s, u"Command2"_s, u"Command3"_s}));
        return;
    }
    if (state == u"date check") {
        const DateCheck form(punch.services().services);
        VERIFY_FITS(cut(&form, {u"Label1"_s}));
        return;
    }
    QVERIFY(punch.open());
    if (state == u"new job by Enter") {
        punch.type(u"Text34"_s, u"123"_s);
        punch.pressEnter(u"Text34"_s);
    } else if (state == u"new job by sixth key") {
        punch.type(u"Text34"_s, u"000123"_s);
    } else if (state == u"end job") {
        punch.startJob(u"000123"_s);
        punch.type(u"Text34"_s, u"000123"_s);
        QVERIFY(punch.find<QLabel>(u"Label2"_s)->text().contains(u"12/28/2004"_s));
    }
    VERIFY_DIALOGS(punch.services().dialogs);
    // Fonts load as controls are shown: the captions are measured as drawn.
    QCOMPARE(punch.find<QLabel>(u"Label3"_s)->fontInfo().family(), u"Liberation Sans Narrow"_s);
    VERIFY_FITS(cut(&punch.screen()));
}

void TestTranslations::jobButtonsKeepTheirRoles_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("openJob"); // end-job mode, else new-job mode
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("role"); // the caption in the program's own words

    for (const QString& language : languages()) {
        const QByteArray name = nameOf(language).toLatin1();
        QTest::newRow(name + ", new job, Command1")
            << language << false << u"Command1"_s << u"New Job"_s;
        QTest::newRow(name + ", new job, Command2")
            << language << false << u"Command2"_s << u"Cancel"_s;
        QTest::newRow(name + ", end job, Command1")
            << language << true << u"Command1"_s << u"Cancel"_s;
        QTest::newRow(name + ", end job, Command2")
            << language << true << u"Command2"_s << u"End Job"_s;
    }
}

void TestTranslations::jobButtonsKeepTheirRoles()
{
    QFETCH(QString, language);
    QFETCH(bool, openJob);
    QFETCH(QString, button);
    QFETCH(QString, role);

    QVERIFY(use(language));
    PunchScreen punch;
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;
    if (openJob)
        punch.startJob(u"000123"_s);
    const QList<QVariantMap> before = punch.site().jobPunches();
    if (openJob)
        punch.type(u"Text34"_s, u"000123"_s);
    else
        punch.enterJob(u"000123"_s);

    const auto* pressed = punch.find<PictureButton>(button);
    QCOMPARE(pressed->caption(), role);
    QCOMPARE(pressed->text(), QCoreApplication::translate("JobCosting", qPrintable(role)));
    const int shownBefore = int(dialogs.shown().size());
    // Cancel goes back to badge entry at once, with nothing written; New Job
    // and End Job ask first, then write.
    int asked = 0;
    if (role == u"New Job") {
        dialogs.answer(Dialogs::Answer::Ok);
        asked = 1;
    } else if (role == u"End Job") {
        dialogs.type(u"5"_s); // the job pays a bonus
        dialogs.answer(Dialogs::Answer::Yes);
        asked = 2;
    }
    punch.click(button);

    VERIFY_DIALOGS(dialogs);
    QCOMPARE(int(dialogs.shown().size()) - shownBefore, asked);
    QCOMPARE(punch.badgeEntryProblems(), QString());
    const QList<QVariantMap> rows = punch.site().jobPunches();
    if (role == u"Cancel") {
        QCOMPARE(rows, before);
    } else {
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.constFirst().value(u"Badge"_s).toString(),
            role == u"New Job" ? u"Open"_s : u"Closed"_s);
    }
}

int main(int argc, char* argv[])
{
    // The faces the terminal draws in, as it narrows them before it starts.
    TerminalFonts::narrow();
    QApplication application(argc, argv);
    TestTranslations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
