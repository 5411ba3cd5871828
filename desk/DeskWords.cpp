#include "DeskWords.h"

#include "regional/RegionalSettings.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace DeskWords {

QString duration(qint64 seconds)
{
    const qint64 minutes = std::max<qint64>(seconds, 0) / 60;
    return QStringLiteral("%1 h %2 min")
        .arg(minutes / 60)
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString decimalHours(qint64 seconds)
{
    return QString::number(std::max<qint64>(seconds, 0) / 3600.0, 'f', 2);
}

QString workerDepartment()
{
    return QStringLiteral("Worker's dept. no.");
}

QStringList levelHeadings(const QStringList& titles)
{
    QStringList headings;
    for (int level = 1; level <= 3; ++level) {
        const QString title = titles.value(level - 1).trimmed();
        headings << (title.isEmpty() ? QStringLiteral("Level %1").arg(level) : title);
    }
    return headings;
}

QString fieldName(const QString& field, const QStringList& levelTitles)
{
    static const QHash<QString, QString> names {{QStringLiteral("Name"), QStringLiteral("Worker")},
        {QStringLiteral("Badge"), QStringLiteral("State")},
        {QStringLiteral("DateWorked"), QStringLiteral("Date worked")},
        {QStringLiteral("TimeStart"), QStringLiteral("Started")},
        {QStringLiteral("TimeStop"), QStringLiteral("Stopped")},
        {QStringLiteral("Pieces"), QStringLiteral("Pieces")},
        {QStringLiteral("EmpNum"), QStringLiteral("Employee no.")},
        {QStringLiteral("DeptNum"), workerDepartment()},
        {QStringLiteral("BaseRate"), QStringLiteral("Base pay rate")}};
    if (const auto found = names.constFind(field); found != names.constEnd())
        return *found;
    if (field.startsWith(QLatin1String("Level")) && field.size() > 6) {
        const int level = field.mid(5, 1).toInt();
        const QString part = field.mid(6);
        const QString title = levelHeadings(levelTitles).value(level - 1);
        if (part == QLatin1String("Description"))
            return QStringLiteral("Level %1 title").arg(level);
        if (part == QLatin1String("ItemCode"))
            return title + QLatin1String(" code");
        if (part == QLatin1String("ItemDescription"))
            return title;
        if (part == QLatin1String("StandardCost"))
            return title + QLatin1String(" standard cost");
        if (part == QLatin1String("BonusRate"))
            return title + QLatin1String(" bonus rate");
    }
    return field;
}

QString valueText(const QString& field, const QVariant& value, const RegionalSettings& regional)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("(empty)");
    if (field == QLatin1String("Badge"))
        return value.toString().toLower();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return regional.dateText(value.toDate());
    case QMetaType::QTime:
        return regional.timeText(value.toTime());
    case QMetaType::Double:
    case QMetaType::LongLong:
    case QMetaType::Int:
        return regional.numberText(value.toDouble());
    default:
        return value.toString().isEmpty() ? QStringLiteral("(empty)") : value.toString();
    }
}

QString punchText(const Punch& punch, const RegionalSettings& regional)
{
    QStringList parts;
    if (punch.started().isValid())
        parts << QStringLiteral("started %1").arg(regional.dateTimeText(punch.started()));
    if (punch.stopped().isValid())
        parts << QStringLiteral("stopped %1 (%2)")
                     .arg(punch.stopped().date() == punch.started().date()
                             ? regional.timeText(punch.stopped().time())
                             : regional.dateTimeText(punch.stopped()),
                         duration(punch.secondsWorked()));
    else if (punch.isOpen())
        parts << QStringLiteral("still open");
    QStringList items;
    for (int level = 1; level <= 3; ++level)
        if (!punch.item(level).isEmpty())
            items << punch.item(level);
    if (!items.isEmpty())
        parts << items.join(QLatin1String(" / "));
    if (!punch.isOpen())
        parts << QStringLiteral("%1 pieces").arg(regional.numberText(punch.pieces()));
    return parts.join(QLatin1String(", "));
}

QString actionText(const QString& action)
{
    static const QHash<QString, QString> words {{QStringLiteral("end"), QStringLiteral("Ended")},
        {QStringLiteral("edit"), QStringLiteral("Corrected")},
        {QStringLiteral("delete"), QStringLiteral("Deleted")},
        {QStringLiteral("apply"), QStringLiteral("Applied")},
        {QStringLiteral("dismiss"), QStringLiteral("Dismissed")}};
    return words.value(action, action);
}

QString changesText(const QString& action, const QString& oldValues, const QString& newValues,
    const QStringList& levelTitles, const RegionalSettings& regional)
{
    const QVariantMap before
        = Punch::valuesOf(QJsonDocument::fromJson(oldValues.toUtf8()).object());
    const QVariantMap after = Punch::valuesOf(QJsonDocument::fromJson(newValues.toUtf8()).object());
    Punch punch;
    punch.values = before;
    if (action == QLatin1String("delete"))
        return QStringLiteral("Deleted: %1").arg(punchText(punch, regional));
    const QString terminalAction = before.value(QStringLiteral("Action")).toString();
    if (action == QLatin1String("dismiss"))
        return QStringLiteral("A terminal's %1 not written: %2")
            .arg(terminalAction, punchText(punch, regional));
    if (action == QLatin1String("apply") && terminalAction == QLatin1String("start")) {
        punch.values = after;
        return QStringLiteral("A terminal's start written: %1").arg(punchText(punch, regional));
    }
    QStringList changes;
    const bool wasOpen = before.value(QStringLiteral("Badge"))
                             .toString()
                             .compare(QLatin1String("Open"), Qt::CaseInsensitive)
        == 0;
    for (const QString& field : Punch::fields()) {
        if (!after.contains(field))
            continue;
        const QString name = fieldName(field, levelTitles);
        const QString now = valueText(field, after.value(field), regional);
        if (action == QLatin1String("apply")) {
            changes << QStringLiteral("%1 %2").arg(name, now);
            continue;
        }
        // An open job's stop holds its start until it ends.
        const bool openStop = wasOpen && field == QLatin1String("TimeStop");
        if (openStop && !after.contains(QStringLiteral("Badge")))
            continue;
        changes << QStringLiteral("%1 %2 -> %3")
                       .arg(name,
                           openStop ? QStringLiteral("(open)")
                                    : valueText(field, before.value(field), regional),
                           now);
    }
    return changes.join(QLatin1String("; "));
}

} // namespace DeskWords
