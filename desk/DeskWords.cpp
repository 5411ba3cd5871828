#include "DeskWords.h"

#include "program/Language.h"
#include "regional/RegionalSettings.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

namespace DeskWords {

QString duration(qint64 seconds)
{
    const qint64 minutes = std::max<qint64>(seconds, 0) / 60;
    return QCoreApplication::translate("DeskWords", "%1 h %2 min")
        .arg(minutes / 60)
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString decimalHours(qint64 seconds)
{
    return QString::number(std::max<qint64>(seconds, 0) / 3600.0, 'f', 2);
}

QString workerDepartment()
{
    return QCoreApplication::translate("DeskWords", "Worker's dept. no.");
}

QStringList levelHeadings(const QStringList& titles)
{
    QStringList headings;
    for (int level = 1; level <= 3; ++level) {
        const QString title = titles.value(level - 1).trimmed();
        headings << (title.isEmpty()
                ? QCoreApplication::translate("DeskWords", "Level %1").arg(level)
                : title);
    }
    return headings;
}

QString fieldName(const QString& field, const QStringList& levelTitles)
{
    static const QHash<QString, const char*> names {
        {QStringLiteral("Name"), QT_TRANSLATE_NOOP("DeskWords", "Worker")},
        {QStringLiteral("Badge"), QT_TRANSLATE_NOOP("DeskWords", "State")},
        {QStringLiteral("DateWorked"), QT_TRANSLATE_NOOP("DeskWords", "Date worked")},
        {QStringLiteral("TimeStart"), QT_TRANSLATE_NOOP("DeskWords", "Started")},
        {QStringLiteral("TimeStop"), QT_TRANSLATE_NOOP("DeskWords", "Stopped")},
        {QStringLiteral("Pieces"), QT_TRANSLATE_NOOP("DeskWords", "Pieces")},
        {QStringLiteral("EmpNum"), QT_TRANSLATE_NOOP("DeskWords", "Employee no.")},
        {QStringLiteral("BaseRate"), QT_TRANSLATE_NOOP("DeskWords", "Base pay rate")}};
    if (field == QLatin1String("DeptNum"))
        return workerDepartment();
    if (const auto found = names.constFind(field); found != names.constEnd())
        return QCoreApplication::translate("DeskWords", *found);
    if (field.startsWith(QLatin1String("Level")) && field.size() > 6) {
        const int level = field.mid(5, 1).toInt();
        const QString part = field.mid(6);
        const QString title = levelHeadings(levelTitles).value(level - 1);
        if (part == QLatin1String("Description"))
            return QCoreApplication::translate("DeskWords", "Level %1 title").arg(level);
        //: %1 is the level's title, "Department"
        if (part == QLatin1String("ItemCode"))
            return QCoreApplication::translate("DeskWords", "%1 code").arg(title);
        if (part == QLatin1String("ItemDescription"))
            return title;
        if (part == QLatin1String("StandardCost"))
            return QCoreApplication::translate("DeskWords", "%1 standard cost").arg(title);
        if (part == QLatin1String("BonusRate"))
            return QCoreApplication::translate("DeskWords", "%1 bonus rate").arg(title);
    }
    return field;
}

QString valueText(const QString& field, const QVariant& value, const RegionalSettings& regional)
{
    if (!value.isValid() || value.isNull())
        return QCoreApplication::translate("DeskWords", "(empty)");
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
        return value.toString().isEmpty() ? QCoreApplication::translate("DeskWords", "(empty)")
                                          : value.toString();
    }
}

QString punchText(const Punch& punch, const RegionalSettings& regional)
{
    QStringList parts;
    if (punch.started().isValid())
        parts << QCoreApplication::translate("DeskWords", "started %1")
                     .arg(regional.dateTimeText(punch.started()));
    if (punch.stopped().isValid())
        parts << QCoreApplication::translate("DeskWords", "stopped %1 (%2)")
                     .arg(punch.stopped().date() == punch.started().date()
                             ? regional.timeText(punch.stopped().time())
                             : regional.dateTimeText(punch.stopped()),
                         duration(punch.secondsWorked()));
    else if (punch.isOpen())
        parts << QCoreApplication::translate("DeskWords", "still open");
    QStringList items;
    for (int level = 1; level <= 3; ++level)
        if (!punch.item(level).isEmpty())
            items << punch.item(level);
    if (!items.isEmpty())
        parts << items.join(QLatin1String(" / "));
    if (!punch.isOpen()) {
        const int count = Language::pluralCount(punch.pieces());
        parts << QCoreApplication::translate("DeskWords", "%1 pieces", "", count)
                     .arg(regional.numberText(punch.pieces()));
    }
    return parts.join(QLatin1String(", "));
}

QString actionText(const QString& action)
{
    static const QHash<QString, const char*> words {
        {QStringLiteral("end"), QT_TRANSLATE_NOOP("DeskWords", "Ended")},
        {QStringLiteral("edit"), QT_TRANSLATE_NOOP("DeskWords", "Corrected")},
        {QStringLiteral("delete"), QT_TRANSLATE_NOOP("DeskWords", "Deleted")},
        {QStringLiteral("apply"), QT_TRANSLATE_NOOP("DeskWords", "Applied")},
        {QStringLiteral("dismiss"), QT_TRANSLATE_NOOP("DeskWords", "Dismissed")}};
    const auto found = words.constFind(action);
    return found == words.constEnd() ? action : QCoreApplication::translate("DeskWords", *found);
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
        return QCoreApplication::translate("DeskWords", "Deleted: %1")
            .arg(punchText(punch, regional));
    const QString terminalAction = before.value(QStringLiteral("Action")).toString();
    if (action == QLatin1String("dismiss"))
        return (terminalAction == QLatin1String("start")
                ? QCoreApplication::translate("DeskWords", "A terminal's start not written: %1")
                : QCoreApplication::translate("DeskWords", "A terminal's end not written: %1"))
            .arg(punchText(punch, regional));
    if (action == QLatin1String("apply") && terminalAction == QLatin1String("start")) {
        punch.values = after;
        return QCoreApplication::translate("DeskWords", "A terminal's start written: %1")
            .arg(punchText(punch, regional));
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
                           openStop ? QCoreApplication::translate("DeskWords", "(open)")
                                    : valueText(field, before.value(field), regional),
                           now);
    }
    return changes.join(QLatin1String("; "));
}

} // namespace DeskWords
