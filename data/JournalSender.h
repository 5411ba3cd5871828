#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// The thread that sends a terminal's journal to the server in order, as soon
// as the server answers, and refreshes the terminal's copies of the server's
// tables while it answers. It has connections of its own, each with the
// deadline of its pointer file, and never holds up the window.
//
// Each punch reaches JobPunches once, also when the answer to a commit was
// lost and it is sent again: a start is added only under a PunchId not there
// yet, an end is applied to the row of its PunchId while that job is open. A
// punch that can no longer be applied as it is (the worker has a job open on
// the server already; the job was ended elsewhere, or is not there) goes into
// JobPunchConflicts, once, for a supervisor to settle; none is dropped.
class JournalSender
{
public:
    // Sends the journal of the offline store at storePath, for the site's
    // files in folder.
    JournalSender(QString storePath, QString folder);
    ~JournalSender();
    JournalSender(const JournalSender&) = delete;
    JournalSender& operator=(const JournalSender&) = delete;

    // Something was kept: the thread looks now.
    void wake();
    // The server is being treated as unreachable until the thread has sent the
    // journal and refreshed the copies.
    bool away() const { return m_away.load(); }
    // The screens found the server away: the thread looks at once.
    void markAway();
    // The open jobs changed on the server: their copy is refreshed soon.
    void refreshOpenJobsSoon();

    // The site's files in the folder that point to a server, by name.
    static QStringList pointersIn(const QString& folder);

private:
    void run();

    QString m_storePath;
    QString m_folder;
    std::atomic<bool> m_away = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_woken = true;
    bool m_openJobsDue = true;
    bool m_stopping = false;
    std::thread m_thread;
};
