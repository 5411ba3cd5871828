#pragma once

#include "Site.h"
#include "TestServices.h"
#include "Widgets.h"
#include "punch/JobCosting.h"
#include "punch/Module1.h"

#include <QLineEdit>
#include <QPushButton>
#include <memory>

// The punch screen on a site, loaded and shown, with scripted services.
// Tests drive its real widgets: keys into the boxes, clicks on the buttons.
class PunchScreen
{
public:
    explicit PunchScreen(
        Site::Contents contents = Site::Contents::Demo, Engine engine = Engine::Sqlite);
    // On the site in `folder`, made by the test; site() is not there then.
    explicit PunchScreen(const QString& folder);
    ~PunchScreen();

    // Loads the screen on the site and shows it; false if the window never
    // became active (focus events only reach an active window).
    bool open();
    // Ends the terminal: the screen and all it holds are gone when it returns.
    void close() { m_screen.reset(); }

    Site& site() { return *m_site; }
    TestServices& services() { return m_services; }
    Module1& module() { return m_module; }
    JobCosting& screen() { return *m_screen; }

    template<typename Control> Control* find(const QString& name) const
    {
        return control<Control>(m_screen.get(), name);
    }

    // Types text into a box key by key, as a keyboard or a card reader does.
    void type(const QString& box, const QString& text);
    // Types into whatever control has the focus, key by key, as the keyboard does.
    void keys(const QString& text);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    // Presses keys on whatever has the focus, stamped as the window system
    // stamps them: the first at `time` (in milliseconds), each next `gapMs`
    // later. \n is Enter, \r the keypad's Enter, \t Tab. Returns the time of the last.
    quint64 burst(const QString& keys, quint64 time, int gapMs = 8);
    void pressEnter(const QString& box);
    void click(const QString& button);
    // Names the levels by their codes, Enter after each, from level 1 on.
    void enterCodes(const QStringList& codes);
    // Badges a worker in and names the job Assembly, Weld, Bracket (12, 7, 3).
    void enterJob(const QString& badge);
    // Starts that job: OK to the confirmation and, when the terminal keeps
    // the job while its server is away, OK to the message that says so.
    void startJob(const QString& badge, bool kept = false);
    // Picks the item with that text from a description pull-down, as a worker does.
    void choose(const QString& pullDown, const QString& description);
    QWidget* focused() const;
    // Empty when the screen is in badge entry mode (the badge box empty, enabled
    // and focused, the job controls hidden, the prompt reset); else what is not.
    QString badgeEntryProblems() const;

private:
    TestServices m_services;
    Module1 m_module;
    std::unique_ptr<Site> m_site;
    std::unique_ptr<JobCosting> m_screen;
    QString m_previous; // the working folder before a site's folder
};
