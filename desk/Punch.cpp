#include "Punch.h"

#include "data/JsonValue.h"
#include "data/SiteModel.h"

#include <QJsonValue>

namespace JobPunch = SiteModel::JobPunch;
using JobPunch::LevelField;

const QStringList& Punch::fields()
{
    return JobPunch::fieldNames();
}

bool Punch::isOpen() const
{
    return values.value(JobPunch::badge).toString().compare(JobPunch::open, Qt::CaseInsensitive)
        == 0;
}

QDateTime Punch::started() const
{
    const QDate date = values.value(JobPunch::dateWorked).toDate();
    const QTime time = values.value(JobPunch::timeStart).toTime();
    if (!date.isValid() || !time.isValid())
        return {};
    return this->time.moment(date, time);
}

QDateTime Punch::stopped() const
{
    const QDateTime start = started();
    const QTime stop = values.value(JobPunch::timeStop).toTime();
    if (isOpen() || !start.isValid() || !stop.isValid())
        return {};
    return time.next(start, stop);
}

bool Punch::arrivedAway() const
{
    return SiteTime::arrivedAway(started(), startArrived)
        || SiteTime::arrivedAway(stopped(), endArrived);
}

qint64 Punch::secondsWorked() const
{
    const QDateTime stop = stopped();
    return stop.isValid() ? started().secsTo(stop) : 0;
}

QString Punch::department() const
{
    const QVariant department = values.value(JobPunch::deptNum);
    return department.isValid() ? QString::number(department.toLongLong()) : QString();
}

QString Punch::item(int level) const
{
    return values.value(JobPunch::level(level, LevelField::ItemDescription)).toString();
}

bool Punch::paysBonus() const
{
    for (int level = 3; level >= 1; --level) {
        if (values.value(JobPunch::level(level, LevelField::Description)).toString().isEmpty())
            continue;
        return values.value(JobPunch::level(level, LevelField::BonusRate)).toDouble() > 0;
    }
    return false;
}

QJsonObject Punch::json(const QStringList& names) const
{
    QJsonObject object;
    for (const QString& name : names)
        object.insert(name, jsonValueOf(values.value(name)));
    return object;
}

QString hoursMinutes(qint64 seconds)
{
    const qint64 minutes = std::max<qint64>(seconds, 0) / 60;
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
