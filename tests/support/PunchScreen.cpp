#include "PunchScreen.h"

#include "ui/DbCombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

PunchScreen::PunchScreen(Site::Contents contents, Engine engine)
    : m_site(std::make_unique<Site>(contents, engine))
{ }

PunchScreen::PunchScreen(const QString& folder)
    : m_previous(QDir::currentPath())
{
    QDir::setCurrent(folder);
}

PunchScreen::~PunchScreen()
{
    m_screen.reset();
    m_site.reset();
    if (!m_previous.isEmpty())
        QDir::setCurrent(m_previous);
}

bool PunchScreen::open()
{
    m_screen = std::make_unique<JobCosting>(m_services.services, m_module);
    m_screen->load();
    m_screen->show();
    m_screen->activateWindow();
    if (!QTest::qWaitForWindowActive(m_screen.get()))
        return false;
    // What the event loop does before a worker's first key.
    QCoreApplication::processEvents();
    return true;
}

void PunchScreen::type(const QString& box, const QString& text)
{
    QTest::keyClicks(find<QLineEdit>(box), text);
}

void PunchScreen::keys(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(focused(), c.toLatin1());
}

void PunchScreen::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focused(), key, modifiers);
}

quint64 PunchScreen::burst(const QString& keys, quint64 time, int gapMs)
{
    for (const QChar c : keys) {
        int key = c.toUpper().unicode();
        Qt::KeyboardModifiers modifiers;
        if (c == u'\n') {
            key = Qt::Key_Return;
        } else if (c == u'\r') {
            key = Qt::Key_Enter;
            modifiers = Qt::KeypadModifier;
        } else if (c == u'\t') {
            key = Qt::Key_Tab;
        }
        QKeyEvent press(
            QEvent::KeyPress, key, modifiers, c == u'\n' ? QStringLiteral("\r") : QString(c));
        press.setTimestamp(time);
        QSpontaneKeyEvent::setSpontaneous(&press);
        QWidget* receiver = focused();
        QApplication::instance()->notify(
            receiver ? receiver : QApplication::activeWindow(), &press);
        time += gapMs;
    }
    return time - gapMs;
}

void PunchScreen::pressEnter(const QString& box)
{
    QTest::keyClick(find<QWidget>(box), Qt::Key_Return);
}

void PunchScreen::click(const QString& button)
{
    QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
}

void PunchScreen::enterCodes(const QStringList& codes)
{
    const QString boxes[]
        = {QStringLiteral("Text3"), QStringLiteral("Text4"), QStringLiteral("Text5")};
    for (qsizetype i = 0; i < codes.size(); ++i) {
        type(boxes[i], codes.at(i));
        pressEnter(boxes[i]);
    }
}

void PunchScreen::enterJob(const QString& badge)
{
    type(QStringLiteral("Text34"), badge);
    enterCodes({QStringLiteral("12"), QStringLiteral("7"), QStringLiteral("3")});
}

void PunchScreen::startJob(const QString& badge, bool kept)
{
    enterJob(badge);
    m_services.dialogs.answer(Dialogs::Answer::Ok);
    if (kept)
        m_services.dialogs.answer(Dialogs::Answer::Ok);
    click(QStringLiteral("Command1"));
}

void PunchScreen::choose(const QString& pullDown, const QString& description)
{
    auto* combo = find<DbCombo>(pullDown);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    // Scrolls down, as a worker would, until the item has been read into the list.
    int index = combo->findText(description);
    for (int read = 0; index < 0 && read < combo->count();) {
        read = combo->count();
        list->scrollToBottom();
        index = combo->findText(description);
    }
    if (index < 0)
        qFatal("%s has no item %s", qPrintable(pullDown), qPrintable(description));
    const QModelIndex item = list->model()->index(index, combo->modelColumn());
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
}

QWidget* PunchScreen::focused() const
{
    return QApplication::focusWidget();
}

QString PunchScreen::badgeEntryProblems() const
{
    QStringList problems;
    const auto* badge = find<QLineEdit>(QStringLiteral("Text34"));
    if (!badge->isEnabled() || !badge->text().isEmpty() || focused() != badge)
        problems << QStringLiteral("the badge box is not empty, enabled and focused");
    for (const char* name :
        {"Label5", "Command1", "Command2", "Picture1", "Text3", "DBCombo1", "Picture4"}) {
        if (!find<QWidget>(QString::fromLatin1(name))->isHidden())
            problems << QString::fromLatin1(name) + QStringLiteral(" is shown");
    }
    // In the language the screen speaks.
    if (find<QLabel>(QStringLiteral("Label2"))->text()
        != QCoreApplication::translate("JobCosting", "Proceed to Job Information Entry Screen"))
        problems << QStringLiteral("the prompt line is not reset");
    return problems.join(QLatin1String("; "));
}
