#include "Punch.h"

#include "data/JsonValue.h"

#include <QJsonValue>

const QStringList& Punch::fields()
{
    static const QStringList names = [] {
        QStringList list {QStringLiteral("Name"), QStringLiteral("Badge"),
            QStringLiteral("DateWorked"), QStringLiteral("TimeStart"), QStringLiteral("TimeStop")};
        for (int level = 1; level <= 3; ++level) {
            for (const char* field :
                {"Description", "ItemCode", "ItemDescription", "StandardCost", "BonusRate"})
                list << QStringLiteral("Level%1").arg(level) + QLatin1String(field);
        }
        return list << QStringLiteral("Pieces") << QStringLiteral("EmpNum")
                    << QStringLiteral("DeptNum") << QStringLiteral("BaseRate");
    }();
    return names;
}

bool Punch::isOpen() const
{
    return values.value(QStringLiteral("Badge"))
               .toString()
               .compare(QLatin1String("Open"), Qt::CaseInsensitive)
        == 0;
}

QDateTime Punch::started() const
{
    const QDate date = values.value(QStringLiteral("DateWorked")).toDate();
    const QTime time = values.value(QStringLiteral("TimeStart")).toTime();
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

QDateTime Punch::stopped() const
{
    const QDateTime start = started();
    const QTime stop = values.value(QStringLiteral("TimeStop")).toTime();
    if (isOpen() || !start.isValid() || !stop.isValid())
        return {};
    return QDateTime(start.date().addDays(stop < start.time() ? 1 : 0), stop);
}

QString Punch::department() const
{
    const QVariant department = values.value(QStringLiteral("DeptNum"));
    return department.isValid() ? QString::number(department.toLongLong()) : QString();
}

QString Punch::item(int level) const
{
    return values.value(QStringLiteral("Level%1ItemDescription").arg(level)).toString();
}

bool Punch::paysBonus() const
{
    for (int level = 3; level >= 1; --level) {
        const QString prefix = QStringLiteral("Level%1").arg(level);
        if (values.value(prefix + QLatin1String("Description")).toString().isEmpty())
            continue;
        return values.value(prefix + QLatin1String("BonusRate")).toDouble() > 0;
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
