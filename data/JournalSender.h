#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// The thread that sends a terminal's journal to the server in order, as soon
// as the server answers, and keeps the terminal's copies of the server's
// tables up to date while it answers. It shares the terminal's one connection
// to each server, each request with the deadline of its pointer file, and
// never holds up the window for longer than one request.
//
// The copies follow the server's notices of changed rows, taken in without a
// word to the server: a row announced changed is read again, or the table
// whole where many were; nothing is read while nothing changes. The open jobs
// follow other terminals' punches within half a minute. Where it may
// have missed notices (at its start, and whenever the connection was made
// anew) it compares each table's count of changes with the copy's. On a site
// whose server counts no changes, the tables are copied whole every ten
// minutes instead.
//
// A server that cannot be reached (or refuses the connection: full,
// restarting, refusing the login) is tried again after a pause that grows,
// with some randomness, so that a plant's terminals do not knock in step; the
// log says so once, with the server's own words.
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
    // The copy of the open jobs could not follow a save: it is read anew soon.
    void refreshOpenJobsSoon();

    // The site's files in the folder that point to a server, by name.
    static QStringList pointersIn(const QString& folder);

    // The pause before a server that could not be reached is tried again
    // grows from the first to the longest; tests shorten it.
    static constexpr int defaultFirstRetryMs = 500;
    static constexpr int defaultLongestRetryMs = 15000;
    static void setRetryPauses(int firstMs, int longestMs);
    // The copy of the open jobs follows other terminals' punches once within
    // this time, at a moment drawn from its second half, so that a shift
    // change's punches do not have every terminal read it at each punch, and
    // all at once; tests shorten it.
    static constexpr int defaultOthersFollowMs = 30000;
    static void setOthersFollow(int ms);

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
