#pragma once

#include "Punch.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <stdexcept>

class RegionalSettings;

// A correction that was refused before anything was written, with the reason
// in words for the supervisor.
class Refused : public std::runtime_error
{
public:
    explicit Refused(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    { }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A punch that a terminal's outage journal could not apply, kept for a
// supervisor to apply or dismiss.
struct Conflict
{
    qint64 id = 0;
    QString terminal;
    QString action; // "start" or "end"
    QString reason;
    QDateTime arrivedAt;
    Punch punch; // the punch the terminal meant to write
    QJsonObject fields; // every field of the conflict's row, its ID included
};

// One correction of one punch, checked and ready to be written with its audit
// row: what it changes and why. Made only through the functions below, which
// refuse what may not be written.
struct Correction
{
    Q_DECLARE_TR_FUNCTIONS(Correction)

public:
    enum class Action
    {
        End,
        Edit,
        Delete,
        Apply,
        Dismiss
    };

    Action action = Action::Edit;
    Punch punch; // as the desk read it; for a conflict, the punch it carries
    QVariantMap changes; // the fields that change, with their new values
    QString reason;
    std::optional<Conflict> conflict;

    // One line per changed field, "Stopped 8:00:00 AM -> 4:30:00 PM", for the
    // supervisor to check before it is written.
    QString summary(const RegionalSettings& regional) const;
};

namespace Corrections {

// The most pieces a job may be given: more is a slip of the keyboard.
constexpr double mostPieces = 1e9;

// Ends an open job at `at`: after its start and within 24 hours of it (its
// stop holds a time of day only), and not after `now`. A job that pays no
// bonus takes no piece count but 0.
Correction end(const Punch& punch, const QDateTime& at, double pieces, const QString& reason,
    const QDateTime& now, const RegionalSettings& regional);
// Changes the start, the stop (closed jobs only; invalid for an open one) or
// the piece count, under the same rules as an end. An open job's stop keeps
// following its start.
Correction edit(const Punch& punch, const QDateTime& start, const QDateTime& stop, double pieces,
    const QString& reason, const QDateTime& now, const RegionalSettings& regional);
Correction remove(const Punch& punch, const QString& reason);
Correction apply(const Conflict& conflict, const QString& reason);
Correction dismiss(const Conflict& conflict, const QString& reason);

} // namespace Corrections
