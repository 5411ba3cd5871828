#include "SiteModel.h"

namespace SiteModel {

QString levelTable(int level)
{
    return QStringLiteral("Level%1").arg(level);
}

QStringList screenTables(const QString& file)
{
    if (file == jobPunchesFile)
        return {jobPunches};
    if (file == validationsFile) {
        QStringList tables;
        for (int level = 1; level <= levels; ++level)
            tables << levelTable(level);
        return tables;
    }
    if (file == timeClockFile)
        return {employees};
    return {};
}

namespace JobPunch {

QString level(int level, LevelField field)
{
    static const QString names[] {QStringLiteral("Description"), QStringLiteral("ItemCode"),
        QStringLiteral("ItemDescription"), QStringLiteral("StandardCost"),
        QStringLiteral("BonusRate")};
    return levelTable(level) + names[int(field)];
}

const QList<Column>& fields()
{
    static const QList<Column> columns = [] {
        QList<Column> list {{name, Holds::Text}, {badge, Holds::Text}, {dateWorked, Holds::Date},
            {timeStart, Holds::Time}, {timeStop, Holds::Time}};
        for (int n = 1; n <= levels; ++n) {
            list << Column {level(n, LevelField::Description), Holds::Text}
                 << Column {level(n, LevelField::ItemCode), Holds::Text}
                 << Column {level(n, LevelField::ItemDescription), Holds::Text}
                 << Column {level(n, LevelField::StandardCost), Holds::Amount}
                 << Column {level(n, LevelField::BonusRate), Holds::Amount};
        }
        return list << Column {pieces, Holds::Number} << Column {empNum, Holds::Integer}
                    << Column {deptNum, Holds::Integer} << Column {baseRate, Holds::Amount};
    }();
    return columns;
}

const QStringList& fieldNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const Column& column : fields())
            list << column.name;
        return list;
    }();
    return names;
}

} // namespace JobPunch

const QList<Column>& Item::columns()
{
    static const QList<Column> list {{itemCode, Holds::Text}, {itemDescription, Holds::Text},
        {standardCost, Holds::Amount}, {bonusRate, Holds::Amount}, {levelDescription, Holds::Text}};
    return list;
}

const QList<Column>& Employee::columns()
{
    static const QList<Column> list {{badge, Holds::Text}, {name, Holds::Text},
        {empNum, Holds::Integer}, {deptNum, Holds::Integer}, {basePayRate, Holds::Amount},
        {shift, Holds::Text}, {hireDate, Holds::Date}};
    return list;
}

const QList<Column>& Work::columns()
{
    static const QList<Column> list {{name, Holds::Text}, {clockWe, Holds::Date},
        {QStringLiteral("EMPNUM"), Holds::Integer}, {QStringLiteral("TIMEIN"), Holds::Time},
        {QStringLiteral("TIMEOUT"), Holds::Time}, {QStringLiteral("HOURS"), Holds::Amount}};
    return list;
}

} // namespace SiteModel
