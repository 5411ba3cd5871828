#include "SiteTime.h"

#include "Punch.h"
#include "regional/Clock.h"

namespace SiteTime {

QDateTime now(const Clock& clock)
{
    return clock.now();
}

qint64 secondsOpen(const Punch& punch, const QDateTime& now)
{
    const QDateTime started = punch.started();
    return started.isValid() ? std::max<qint64>(started.secsTo(now), 0) : 0;
}

qint64 secondsWorked(const Punch& punch)
{
    const QDateTime stop = punch.stopped();
    return stop.isValid() ? punch.started().secsTo(stop) : 0;
}

} // namespace SiteTime
