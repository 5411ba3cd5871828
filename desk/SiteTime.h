#pragma once

#include <QDateTime>

class Clock;
struct Punch;

// The desk's one door to the time at the site: what "now" is there, and how
// long a job has been open or worked, from the date and the times of day its
// punch holds. Every list, flag, total and default end goes through it.
namespace SiteTime {

QDateTime now(const Clock& clock);
// From the job's start to `now`; 0 without a start.
qint64 secondsOpen(const Punch& punch, const QDateTime& now);
// From its start to its stop; 0 for an open job.
qint64 secondsWorked(const Punch& punch);

} // namespace SiteTime
