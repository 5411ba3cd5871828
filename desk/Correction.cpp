#include "Correction.h"

#include "DeskWords.h"
#include "data/SiteModel.h"
#include "regional/RegionalSettings.h"

#include <cmath>

namespace {

namespace JobPunch = SiteModel::JobPunch;

constexpr qint64 secondsPerDay = 24 * 3600;

void requireReason(const QString& reason)
{
    if (reason.trimmed().isEmpty())
        throw Refused(Correction::tr("A correction needs a reason."));
}

void requirePieces(const Punch& punch, double pieces)
{
    if (!(pieces >= 0 && pieces <= Corrections::mostPieces))
        throw Refused(Correction::tr("The piece count must be from 0 to 1,000,000,000."));
    if (pieces != 0 && !punch.paysBonus())
        throw Refused(Correction::tr("This job pays no bonus: its piece count stays 0."));
}

// The rules every stop meets: after the start, within 24 hours of it, and
// not in the future.
void requireStop(const QDateTime& start, const QDateTime& stop, const QDateTime& now,
    const RegionalSettings& regional)
{
    const QString started = regional.dateTimeText(start);
    if (stop <= start)
        throw Refused(Correction::tr("The job cannot end before it started (%1).").arg(started));
    if (start.secsTo(stop) >= secondsPerDay)
        throw Refused(Correction::tr("The job must end within 24 hours of its start (%1): a "
                                     "punch keeps the time of day of its stop only.")
                          .arg(started));
    if (stop > now)
        throw Refused(Correction::tr("The job cannot end in the future (%1).")
                          .arg(regional.dateTimeText(stop.toTimeZone(start.timeZone()))));
}

void change(Correction& correction, const QString& field, const QVariant& value)
{
    if (correction.punch.values.value(field) != value)
        correction.changes.insert(field, value);
}

Correction conflictCorrection(
    Correction::Action action, const Conflict& conflict, const QString& reason)
{
    requireReason(reason);
    Correction correction;
    correction.action = action;
    correction.punch = conflict.punch;
    correction.reason = reason.trimmed();
    correction.conflict = conflict;
    return correction;
}

} // namespace

QString Correction::summary(const RegionalSettings& regional) const
{
    QStringList lines;
    switch (action) {
    case Action::Delete:
        lines << tr("The punch is deleted; the corrections keep all its fields.");
        break;
    case Action::Dismiss:
        lines << tr("The conflict is dismissed: nothing is written to the punches.");
        break;
    case Action::Apply:
        if (conflict && conflict->action == QLatin1String("start")) {
            lines << tr("The terminal's start is written as a new punch.");
            break;
        }
        lines << tr("The terminal's end is written:");
        for (const QString& field : Punch::fields())
            if (changes.contains(field))
                lines << QStringLiteral("%1 %2").arg(DeskWords::fieldName(field),
                    DeskWords::valueText(field, changes.value(field), regional));
        break;
    default: {
        QStringList titles;
        for (int level = 1; level <= 3; ++level)
            titles
                << punch.values.value(QStringLiteral("Level%1Description").arg(level)).toString();
        for (const QString& field : Punch::fields()) {
            if (!changes.contains(field))
                continue;
            const QString name = DeskWords::fieldName(field, titles);
            const QString now = DeskWords::valueText(field, changes.value(field), regional);
            // An open job's stop holds its start until it ends.
            const bool openStop = punch.isOpen() && field == QLatin1String("TimeStop");
            if (openStop && !changes.contains(QStringLiteral("Badge")))
                continue;
            lines << QStringLiteral("%1 %2 -> %3")
                         .arg(name,
                             openStop
                                 ? tr("(open)")
                                 : DeskWords::valueText(field, punch.values.value(field), regional),
                             now);
        }
    }
    }
    return lines.join(QLatin1Char('\n'));
}

namespace Corrections {

Correction end(const Punch& punch, const QDateTime& at, double pieces, const QString& reason,
    const QDateTime& now, const RegionalSettings& regional)
{
    requireReason(reason);
    if (!punch.isOpen())
        throw Refused(Correction::tr("The job of %1 is not open.").arg(punch.name()));
    const QDateTime start = punch.started();
    if (!start.isValid())
        throw Refused(Correction::tr("The job has no start date and time; correct its start "
                                     "first."));
    requireStop(start, at, now, regional);
    requirePieces(punch, pieces);
    Correction correction;
    correction.action = Correction::Action::End;
    correction.punch = punch;
    correction.reason = reason.trimmed();
    change(correction, JobPunch::badge, JobPunch::closed);
    // The punch keeps the time as the site's clocks read it.
    change(correction, JobPunch::timeStop, at.toTimeZone(punch.time.zone()).time());
    change(correction, JobPunch::pieces, pieces);
    return correction;
}

Correction edit(const Punch& punch, const QDateTime& start, const QDateTime& stop, double pieces,
    const QString& reason, const QDateTime& now, const RegionalSettings& regional)
{
    requireReason(reason);
    if (!start.isValid())
        throw Refused(Correction::tr("The job needs a start date and time."));
    if (start > now)
        throw Refused(Correction::tr("The job cannot start in the future (%1).")
                          .arg(regional.dateTimeText(start)));
    Correction correction;
    correction.action = Correction::Action::Edit;
    correction.punch = punch;
    correction.reason = reason.trimmed();
    // The punch keeps the times as the site's clocks read them.
    const QDateTime started = start.toTimeZone(punch.time.zone());
    change(correction, JobPunch::dateWorked, started.date());
    change(correction, JobPunch::timeStart, started.time());
    if (punch.isOpen()) {
        // While a job is open its stop holds its start.
        change(correction, JobPunch::timeStop, started.time());
    } else {
        requireStop(start, stop, now, regional);
        change(correction, JobPunch::timeStop, stop.toTimeZone(punch.time.zone()).time());
    }
    if (pieces != punch.pieces())
        requirePieces(punch, pieces);
    change(correction, JobPunch::pieces, pieces);
    if (correction.changes.isEmpty())
        throw Refused(Correction::tr("The correction changes nothing."));
    return correction;
}

Correction remove(const Punch& punch, const QString& reason)
{
    requireReason(reason);
    Correction correction;
    correction.action = Correction::Action::Delete;
    correction.punch = punch;
    correction.reason = reason.trimmed();
    return correction;
}

Correction apply(const Conflict& conflict, const QString& reason)
{
    Correction correction = conflictCorrection(Correction::Action::Apply, conflict, reason);
    const QStringList written = conflict.action == QLatin1String("start")
        ? Punch::fields()
        : QStringList {JobPunch::badge, JobPunch::timeStop, JobPunch::pieces};
    for (const QString& field : written)
        correction.changes.insert(field, conflict.punch.values.value(field));
    return correction;
}

Correction dismiss(const Conflict& conflict, const QString& reason)
{
    return conflictCorrection(Correction::Action::Dismiss, conflict, reason);
}

} // namespace Corrections
