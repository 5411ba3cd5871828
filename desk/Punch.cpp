#include "Punch.h"

#include "data/JsonValue.h"
#include "data/SiteModel.h"

#include <QJsonValue>
#include <algorithm>

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

qint64 Punch::secondsOpen(const QDateTime& now) const
{
    const QDateTime start = started();
    return start.isValid() ? std::max<qint64>(start.secsTo(now), 0) : 0;
}

qint64 Punch::secondsWorked() const
{
    const QDateTime stop = stopped();
    return stop.isValid() ? started().secsTo(stop) : 0;
}

bool Punch::arrivedAway() const
{
    return SiteTime::arrivedAway(started(), startArrived)
        || SiteTime::arrivedAway(stopped(), endArrived);
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

QVariantMap Punch::valuesOf(const QJsonObject& object)
{
    QVariantMap values;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString& field = it.key();
        const QJsonValue value = it.value();
        if (value.isNull() || value.isUndefined())
            values.insert(field, QVariant());
        else if (field == QLatin1String("DateWorked"))
            values.insert(field, QDate::fromString(value.toString(), Qt::ISODate));
        else if (field == QLatin1String("TimeStart") || field == QLatin1String("TimeStop"))
            values.insert(field, QTime::fromString(value.toString(), Qt::ISODate));
        else if (value.isDouble())
            values.insert(field, value.toDouble());
        else
            values.insert(field, value.toString());
    }
    return values;
}
