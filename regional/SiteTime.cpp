#include "SiteTime.h"

#include "Clock.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace {

constexpr qint64 secondsPerDay = 24 * 3600;
// Beyond this the offsets around a moment can differ from its own: two days
// hold a job of up to a day and the longest offset from UTC.
constexpr qint64 window = 2 * secondsPerDay;

} // namespace

// The days whose jobs may run across a change of the clocks' offset, as
// Julian days, ascending.
struct SiteTime::Changes
{
    std::vector<qint64> irregular;
};

namespace {

std::shared_ptr<const SiteTime::Changes> changesOf(const QTimeZone& zone)
{
    auto changes = std::make_shared<SiteTime::Changes>();
    if (!zone.hasTransitions())
        return changes;
    const QDateTime from(SiteTime::firstKnownDay().addDays(-3), QTime(0, 0), Qt::UTC);
    const QDateTime to(SiteTime::lastKnownDay().addDays(3), QTime(0, 0), Qt::UTC);
    for (const QTimeZone::OffsetData& change : zone.transitions(from, to)) {
        const int before = zone.offsetFromUtc(change.atUtc.addSecs(-1));
        // A job started up to a day before the change or on its day may run
        // across it, and a job of the next day starts near it.
        for (const int offset : {before, change.offsetFromUtc}) {
            const qint64 day = change.atUtc.addSecs(offset).date().toJulianDay();
            for (qint64 near = day - 2; near <= day + 1; ++near)
                changes->irregular.push_back(near);
        }
    }
    std::sort(changes->irregular.begin(), changes->irregular.end());
    changes->irregular.erase(std::unique(changes->irregular.begin(), changes->irregular.end()),
        changes->irregular.end());
    return changes;
}

} // namespace

SiteTime::SiteTime()
    : SiteTime(QTimeZone::systemTimeZone())
{ }

SiteTime::SiteTime(const QTimeZone& zone)
    : m_zone(zone)
{
    // Worked out once a zone: punches are read by the thousand, each with its site's clocks.
    static std::mutex mutex;
    static std::map<QByteArray, std::shared_ptr<const Changes>> known;
    const std::lock_guard lock(mutex);
    std::shared_ptr<const Changes>& changes = known[m_zone.id()];
    if (!changes)
        changes = changesOf(m_zone);
    m_changes = changes;
}

QDate SiteTime::firstKnownDay()
{
    return QDate(1970, 1, 3);
}

QDate SiteTime::lastKnownDay()
{
    return QDate(2099, 12, 28);
}

bool SiteTime::regular(QDate date) const
{
    if (!date.isValid() || date < firstKnownDay() || date > lastKnownDay())
        return false;
    return !std::binary_search(
        m_changes->irregular.cbegin(), m_changes->irregular.cend(), date.toJulianDay());
}

QList<QDate> SiteTime::irregularDays(QDate from, QDate to) const
{
    QList<QDate> days;
    const auto first = std::lower_bound(
        m_changes->irregular.cbegin(), m_changes->irregular.cend(), from.toJulianDay());
    for (auto day = first; day != m_changes->irregular.cend() && *day <= to.toJulianDay(); ++day)
        days << QDate::fromJulianDay(*day);
    return days;
}

namespace {

// The moments at which clocks in `zone` read `local` (a date and time given as
// if in UTC), ascending: none where the clocks skipped it, two where they
// went back over it.
QList<QDateTime> readings(const QTimeZone& zone, const QDateTime& local)
{
    QList<int> offsets {zone.offsetFromUtc(local.addSecs(-window))};
    const QTimeZone::OffsetDataList changes
        = zone.transitions(local.addSecs(-window), local.addSecs(window));
    for (const QTimeZone::OffsetData& change : changes)
        offsets << change.offsetFromUtc;
    QList<QDateTime> found;
    for (const int offset : std::as_const(offsets)) {
        const QDateTime at = local.addSecs(-offset);
        if (zone.offsetFromUtc(at) == offset && !found.contains(at))
            found << at;
    }
    std::sort(found.begin(), found.end());
    if (!found.isEmpty())
        return found;
    // Skipped: read with the offset in force before the jump.
    for (const QTimeZone::OffsetData& change : changes) {
        const int before = zone.offsetFromUtc(change.atUtc.addSecs(-1));
        if (change.offsetFromUtc > before && local >= change.atUtc.addSecs(before)
            && local < change.atUtc.addSecs(change.offsetFromUtc))
            return {local.addSecs(-before)};
    }
    return {local.addSecs(-offsets.first())};
}

} // namespace

QDateTime SiteTime::moment(QDate date, QTime time) const
{
    if (!date.isValid() || !time.isValid())
        return {};
    const QDateTime local(date, time, Qt::UTC);
    if (regular(date))
        return local.addSecs(-m_zone.offsetFromUtc(local)).toTimeZone(m_zone);
    return readings(m_zone, local).first().toTimeZone(m_zone);
}

QDateTime SiteTime::moment(QDate date, QTime time, const QDateTime& notBefore) const
{
    if (!date.isValid() || !time.isValid())
        return {};
    const QList<QDateTime> found = readings(m_zone, QDateTime(date, time, Qt::UTC));
    for (const QDateTime& at : found)
        if (at >= notBefore)
            return at.toTimeZone(m_zone);
    return found.first().toTimeZone(m_zone);
}

QDateTime SiteTime::next(const QDateTime& from, QTime time) const
{
    if (!from.isValid() || !time.isValid())
        return {};
    const QDate day = from.toTimeZone(m_zone).date();
    for (QDate date = day.addDays(-1); date <= day.addDays(2); date = date.addDays(1))
        for (const QDateTime& at : readings(m_zone, QDateTime(date, time, Qt::UTC)))
            if (at >= from)
                return at.toTimeZone(m_zone);
    return {};
}

qint64 SiteTime::secondsWorked(QDate date, QTime start, QTime stop) const
{
    if (regular(date)) {
        const qint64 seconds = start.secsTo(stop);
        return seconds < 0 ? seconds + secondsPerDay : seconds;
    }
    const QDateTime started = moment(date, start);
    return started.secsTo(next(started, stop));
}

QDateTime SiteTime::now(const Clock& clock) const
{
    return clock.now().toTimeZone(m_zone);
}

bool SiteTime::arrivedAway(const QDateTime& own, const QDateTime& received)
{
    return own.isValid() && received.isValid() && std::abs(own.secsTo(received)) > awaySeconds;
}
