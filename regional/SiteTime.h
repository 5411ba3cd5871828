#pragma once

#include <QDateTime>
#include <QTimeZone>
#include <memory>

class Clock;

// The site's clocks: the time zone in which the terminals wrote every date and
// time of day, and the moments those stand for. A job punch keeps a date and
// two times of day; the hours worked are the real time that passed between
// them, across midnight and the nights the clocks change.
class SiteTime
{
public:
    // The zone of the machine this runs on.
    SiteTime();
    explicit SiteTime(const QTimeZone& zone);

    const QTimeZone& zone() const { return m_zone; }

    // The moment the site's clocks read `time` on `date`. In the hour the
    // clocks go back, its earlier occurrence; in the hour skipped when they go
    // forward, the time as the clock showed it before the jump (02:30 is 03:30
    // daylight time). Invalid for an invalid date or time.
    QDateTime moment(QDate date, QTime time) const;
    // The same, but where the clocks read `time` twice on `date`, the first of
    // the two that is not before `notBefore` (a job's true end over the night
    // the clocks go back).
    QDateTime moment(QDate date, QTime time, const QDateTime& notBefore) const;
    // The first moment at or after `from` whose clock reads `time`: the end of
    // a job started at `from` whose stop reads `time`.
    QDateTime next(const QDateTime& from, QTime time) const;
    // The seconds from the start of a job worked on `date` to its stop.
    qint64 secondsWorked(QDate date, QTime start, QTime stop) const;
    // Now, in the site's zone.
    QDateTime now(const Clock& clock) const;

    // Whether every job started on `date` ran on clocks that kept one offset
    // from UTC from its start to its stop, so that its hours are its stop's
    // time of day less its start's (past midnight where the stop is earlier).
    bool regular(QDate date) const;
    // The dates of [from, to] (both included) that are not regular, ascending.
    QList<QDate> irregularDays(QDate from, QDate to) const;
    // The span of dates inside which irregularDays() knows every change of the
    // site's clocks; every date outside it counts as irregular.
    static QDate firstKnownDay();
    static QDate lastKnownDay();

    // Whether a start or an end that happened at `own` reached the database
    // late or early enough to be worth a look: more than ten minutes away
    // from it, before or after.
    static bool arrivedAway(const QDateTime& own, const QDateTime& received);
    static constexpr qint64 awaySeconds = 10 * 60;

    // The days near a change of the clocks' offset, worked out once a zone.
    struct Changes;

private:
    QTimeZone m_zone;
    std::shared_ptr<const Changes> m_changes;
};
