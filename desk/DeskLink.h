#pragma once

#include "Correction.h"
#include "DeskStore.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QThread>
#include <chrono>

class Clock;

// What the window shows, as the store read it at one moment.
struct DeskRead
{
    QList<Punch> openJobs;
    QList<Punch> closedJobs; // those started in the period asked
    QList<DeskStore::AuditEntry> corrections; // made in the period asked, in the order made
    QList<Conflict> conflicts;
    bool keepsConflicts = false;
    QStringList levelTitles;
    QString employeesProblem;
    QDateTime at; // at the site
    SiteTime time; // the site's clocks
};

// The days the window lists: the closed jobs started from..to, the
// corrections made from..to.
struct DeskPeriods
{
    QDate closedFrom;
    QDate closedTo;
    QDate correctionsFrom;
    QDate correctionsTo;
};

// The window's way to the site. The store and its change watch live on
// threads of their own, where every wait for a server keeps the server's
// deadline: the window asks and is told by signals, and never waits. A read
// that fails is tried again by itself until one succeeds; every change the
// watch tells of is read.
class DeskLink : public QObject
{
    Q_OBJECT

public:
    struct Timing
    {
        std::chrono::milliseconds poll {1000}; // of the change watch
        std::chrono::milliseconds retry {2000}; // after a read that failed
    };

    DeskLink(const QString& site, const Clock& clock);
    DeskLink(const QString& site, const Clock& clock, Timing timing);
    ~DeskLink() override;
    DeskLink(const DeskLink&) = delete;
    DeskLink& operator=(const DeskLink&) = delete;

    // Reads anew, for these days. Nothing is read before the first ask.
    void setPeriods(const DeskPeriods& periods);
    void refresh();
    // Writes one correction; written() or notWritten() tells how it went,
    // and a read follows.
    void write(const Correction& correction);

    class Worker;

signals:
    void read(const DeskRead& read);
    // The site could not be read: why, in words a supervisor can act on. The
    // link tries again by itself.
    void readFailed(const QString& why);
    // The site can never be corrected at the desk (an Access file, a site
    // made before the corrections): why, naming what to do.
    void cannotOpen(const QString& why);
    // By the login named.
    void written(const QString& by);
    // Refused: a rule or a change made meanwhile; not refused: the site could
    // not be reached or written. Nothing was written either way.
    void notWritten(const QString& why, bool refused);

private:
    QThread m_thread;
    Worker* m_worker; // lives on m_thread
};
