#include "AccessFile.h"

#include "DataError.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

namespace {

using Access::Type;

// How the in-memory table keeps a Date/Time column: dates alone when every
// value is at midnight, times of day alone when every value lies on Access's
// zero day, both otherwise.
enum class Moment
{
    Date,
    Time,
    DateTime
};

const QDate zeroDay(1899, 12, 30);

Moment momentOf(const Access::Table& table, qsizetype column)
{
    bool midnights = true;
    bool zeroDays = true;
    for (const QVariantList& row : table.rows) {
        const QVariant& value = row.at(column);
        if (value.isNull())
            continue;
        const QDateTime moment = value.toDateTime();
        midnights = midnights && moment.time() == QTime(0, 0);
        zeroDays = zeroDays && moment.date() == zeroDay;
    }
    return midnights ? Moment::Date : zeroDays ? Moment::Time : Moment::DateTime;
}

QString declaredType(const Access::Column& column, Moment moment)
{
    switch (column.type) {
    case Type::Text:
        return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(column.size);
    case Type::Memo:
    case Type::ReplicationId:
        return QStringLiteral("TEXT COLLATE NOCASE");
    case Type::Boolean:
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
        return QStringLiteral("INTEGER");
    case Type::Currency:
    case Type::Single:
    case Type::Double:
    case Type::Numeric:
        return QStringLiteral("REAL");
    case Type::Binary:
        return QStringLiteral("BLOB");
    case Type::DateTime:
        return moment == Moment::Date ? QStringLiteral("DATE")
            : moment == Moment::Time  ? QStringLiteral("TIME")
                                      : QStringLiteral("DATETIME");
    }
    return {};
}

QVariant stored(const QVariant& value, Type type, Moment moment)
{
    if (value.isNull())
        return value;
    switch (type) {
    case Type::Boolean:
        return value.toBool() ? 1 : 0;
    case Type::Currency:
        // Exact decimal text, then one correctly rounded conversion.
        return Access::currencyText(value.toLongLong()).toDouble();
    case Type::Numeric:
        return value.toString().toDouble();
    case Type::DateTime: {
        const QDateTime when = value.toDateTime();
        return moment == Moment::Date ? when.date().toString(Qt::ISODate)
            : moment == Moment::Time  ? when.time().toString(QStringLiteral("HH:mm:ss"))
                                      : when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    default:
        return value;
    }
}

void exec(QSqlQuery& query, const QString& sql)
{
    if (!query.exec(sql))
        throw DataError(query.lastError().text());
}

} // namespace

AccessFile::AccessFile(QString path, QString connection)
    : SqliteFile(std::move(path), connection, InMemory {})
{
    Access::tableNames(this->path());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (!db.open())
        throw DataError(db.lastError().text());
}

bool AccessFile::hasFeature(Feature feature) const
{
    return feature != Feature::Writes;
}

void AccessFile::beforeRead(const QString& table)
{
    const auto loaded = m_loaded.constFind(table.toCaseFolded());
    if (loaded != m_loaded.constEnd() && *loaded == Access::Stamp::of(path()))
        return;
    const Access::Table read = Access::readTable(path(), table);
    load(read);
    m_loaded.insert(table.toCaseFolded(), read.stamp);
}

void AccessFile::load(const Access::Table& table)
{
    QList<Moment> moments;
    QStringList columns;
    QStringList marks;
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        const Access::Column& column = table.columns.at(i);
        moments << (column.type == Type::DateTime ? momentOf(table, i) : Moment::Date);
        columns << quoted(column.name) + QLatin1Char(' ') + declaredType(column, moments.last());
        marks << QStringLiteral("?");
    }

    QSqlDatabase db = database();
    db.transaction();
    try {
        QSqlQuery query(db);
        exec(query, QLatin1String("DROP TABLE IF EXISTS ") + quoted(table.name));
        exec(query,
            QLatin1String("CREATE TABLE ") + quoted(table.name) + QLatin1String(" (")
                + columns.join(QLatin1String(", ")) + QLatin1Char(')'));
        if (!query.prepare(QLatin1String("INSERT INTO ") + quoted(table.name)
                + QLatin1String(" VALUES (") + marks.join(QLatin1String(", ")) + QLatin1Char(')')))
            throw DataError(query.lastError().text());
        for (const QVariantList& row : table.rows) {
            for (qsizetype i = 0; i < row.size(); ++i)
                query.addBindValue(stored(row.at(i), table.columns.at(i).type, moments.at(i)));
            if (!query.exec())
                throw DataError(query.lastError().text());
        }
    } catch (...) {
        db.rollback();
        throw;
    }
    db.commit();
    forgetColumns();
}
