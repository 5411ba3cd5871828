#include "SiteConverter.h"

#include "SiteBuilder.h"
#include "data/DataError.h"
#include "data/DatabaseFile.h"
#include "data/OpenDatabaseFile.h"
#include "data/SiteModel.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace SiteConverter {
namespace {

using Kind = DatabaseFile::Kind;
using Access::Type;

[[noreturn]] void fail(const QString& message)
{
    throw SiteBuilder::Error(message.toStdString());
}

bool isWhole(Type type)
{
    return type == Type::Byte || type == Type::Integer || type == Type::Long;
}

// The value as a column of that kind keeps it, or why it has no place there.
QVariant valueFor(Kind kind, Type type, const QVariant& value, const QString& column)
{
    if (value.isNull())
        return {};
    const auto refuse = [&](const QString& why) -> QVariant {
        fail(QStringLiteral("The value %1 of %2 %3.").arg(value.toString(), column, why));
    };
    switch (kind) {
    case Kind::Text:
        if (type == Type::Text || type == Type::Memo || type == Type::ReplicationId)
            return value.toString();
        return refuse(QStringLiteral("is not a text"));
    case Kind::Integer:
        if (isWhole(type))
            return value.toInt();
        if (type == Type::Boolean)
            return value.toBool() ? 1 : 0;
        return refuse(QStringLiteral("is not a whole number"));
    case Kind::Real:
        if (type == Type::Currency)
            return Access::currencyText(value.toLongLong()).toDouble();
        if (type == Type::Numeric)
            return value.toString().toDouble();
        if (type == Type::Single || type == Type::Double || isWhole(type))
            return value.toDouble();
        return refuse(QStringLiteral("is not a number"));
    case Kind::Date:
        if (type == Type::DateTime && value.toDateTime().time() == QTime(0, 0))
            return value.toDateTime().date().toString(Qt::ISODate);
        return refuse(QStringLiteral("is not a date without a time of day"));
    case Kind::Time:
        if (type == Type::DateTime && value.toDateTime().date() == QDate(1899, 12, 30))
            return value.toDateTime().time().toString(QStringLiteral("HH:mm:ss"));
        return refuse(QStringLiteral("is not a time of day without a date"));
    }
    return {};
}

struct Mapping
{
    QString table;
    QStringList columns; // in the SQLite database, quoted
    QList<QVariantList> rows; // as the SQLite columns keep them
};

Mapping map(const Access::Table& from, DatabaseFile& to)
{
    const QList<DatabaseFile::Column> target = to.columns(from.name);
    if (target.isEmpty())
        fail(QStringLiteral("%1 has no table %2.").arg(to.path(), from.name));
    Mapping mapping {to.quoted(from.name), {}, {}};
    QList<Kind> kinds;
    for (const Access::Column& column : from.columns) {
        const auto found = std::find_if(target.begin(), target.end(), [&](const auto& candidate) {
            return candidate.name.compare(column.name, Qt::CaseInsensitive) == 0;
        });
        if (found == target.end())
            fail(QStringLiteral("The column %1 of %2 has no place in %3.")
                     .arg(column.name, from.name, to.path()));
        mapping.columns << to.quoted(found->name);
        kinds << found->kind;
    }
    for (qsizetype r = 0; r < from.rows.size(); ++r) {
        QVariantList row;
        for (qsizetype c = 0; c < kinds.size(); ++c)
            row << valueFor(kinds.at(c), from.columns.at(c).type, from.rows.at(r).at(c),
                QStringLiteral("%1 in row %2").arg(from.columns.at(c).name).arg(r + 1));
        mapping.rows << row;
    }
    return mapping;
}

// The rows, inside the caller's transaction.
void insertRows(const Mapping& mapping, QSqlDatabase& db)
{
    QSqlQuery query(db);
    QStringList marks;
    for (qsizetype i = 0; i < mapping.columns.size(); ++i)
        marks << QStringLiteral("?");
    if (!query.prepare(QLatin1String("INSERT INTO ") + mapping.table + QLatin1String(" (")
            + mapping.columns.join(QLatin1String(", ")) + QLatin1String(") VALUES (")
            + marks.join(QLatin1String(", ")) + QLatin1Char(')')))
        fail(query.lastError().text());
    for (const QVariantList& row : mapping.rows) {
        for (const QVariant& value : row)
            query.addBindValue(value);
        if (!query.exec())
            fail(query.lastError().text());
    }
}

void insert(const Mapping& mapping, DatabaseFile& to)
{
    QSqlDatabase db = to.database();
    if (!db.transaction())
        fail(db.lastError().text());
    try {
        insertRows(mapping, db);
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit())
        fail(db.lastError().text());
}

bool same(const QVariant& expected, const QVariant& stored)
{
    if (expected.isNull() || stored.isNull())
        return expected.isNull() && stored.isNull();
    if (expected.typeId() == QMetaType::Double)
        return stored.toDouble() == expected.toDouble();
    if (expected.typeId() == QMetaType::Int)
        return stored.toLongLong() == expected.toLongLong();
    return stored.toString() == expected.toString();
}

// True when the table holds exactly the mapped rows, in their order.
bool holds(DatabaseFile& file, const Mapping& mapping)
{
    QSqlQuery query(file.database());
    query.setForwardOnly(true);
    if (!query.exec(QLatin1String("SELECT ") + mapping.columns.join(QLatin1String(", "))
            + QLatin1String(" FROM ") + mapping.table + QLatin1String(" ORDER BY ")
            + file.rowKey(mapping.table)))
        fail(query.lastError().text());
    qsizetype r = 0;
    for (; query.next(); ++r) {
        if (r >= mapping.rows.size())
            return false;
        for (qsizetype c = 0; c < mapping.columns.size(); ++c) {
            if (!same(mapping.rows.at(r).at(c), query.value(int(c))))
                return false;
        }
    }
    return r == mapping.rows.size();
}

} // namespace

void copyRows(const Access::Table& from, const QString& path)
{
    try {
        const auto file = openDatabaseFile(path);
        const Mapping mapping = map(from, *file);
        // Job punches copied are the site's own: no terminal's, nor corrections.
        if (QFileInfo(path).fileName() == SiteModel::jobPunchesFile)
            SiteBuilder::unchecked(
                QFileInfo(path).absolutePath(), [&](QSqlDatabase& db) { insertRows(mapping, db); });
        else
            insert(mapping, *file);
    } catch (const DataError& error) {
        fail(error.message());
    }
}

qint64 convert(const QString& dir, const std::function<void(const QString& copy)>& meanwhile)
{
    const QDir site(dir);
    const QString original = site.filePath(SiteModel::jobPunchesFile);
    const QString kept = site.filePath(keptAccessFile);
    if (QFileInfo::exists(kept))
        fail(QStringLiteral("%1 is there already, kept from an earlier conversion; move it "
                            "elsewhere first. Nothing was changed.")
                 .arg(kept));
    QFile file(original);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot read %1: %2. Nothing was changed.")
                 .arg(original, file.errorString()));
    if (!Access::isAccessFile(file.read(64)))
        fail(QStringLiteral("%1 is not an Access file; there is nothing to convert. Nothing was "
                            "changed.")
                 .arg(original));
    file.close();

    QTemporaryFile converted(site.filePath(QStringLiteral("JobPunches-XXXXXX.converting")));
    if (!converted.open())
        fail(QStringLiteral("Cannot make a file in %1: %2").arg(dir, converted.errorString()));
    converted.close();
    qint64 rows = 0;
    try {
        const Access::Table source = Access::readTable(original, SiteModel::jobPunches);
        // The rows are copied in before the rules that take each new punch for a
        // terminal's start: they are the site's own.
        SiteBuilder::createJobPunchesFile(converted.fileName(), {}, [&](DatabaseFile& target) {
            insert(map(source, target), target);
            if (meanwhile)
                meanwhile(converted.fileName());
            // Read the Access file once more: the copy must hold what it holds now.
            const Access::Table again = Access::readTable(original, source.name);
            if (again.stamp != source.stamp || !holds(target, map(again, target)))
                fail(QStringLiteral("The copy does not hold the same rows as %1; was it "
                                    "changed meanwhile? Nothing was changed.")
                         .arg(original));
            rows = again.rows.size();
        });
    } catch (const DataError& error) {
        fail(error.message() + QStringLiteral(" Nothing was changed."));
    }

    // Whoever could use the original can use the copy, and the terminal writes it.
    converted.setPermissions(QFileInfo(original).permissions() | QFile::WriteOwner);

    // The original keeps its content under the new name; the copy then takes
    // its place in one step, so that the site always has a JobPunches.MDB.
    const QByteArray originalName = QFile::encodeName(original);
    const QByteArray keptName = QFile::encodeName(kept);
    // Where the folder takes no hard links, the original moves instead.
    const bool linked = ::link(originalName.constData(), keptName.constData()) == 0;
    if (!linked && (errno == EEXIST || !QFile::rename(original, kept)))
        fail(QStringLiteral("Cannot keep %1 as %2. Nothing was changed.").arg(original, kept));
    if (std::rename(QFile::encodeName(converted.fileName()).constData(), originalName.constData())
        != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        if (linked)
            ::unlink(keptName.constData());
        else
            QFile::rename(kept, original);
        fail(QStringLiteral("Cannot put the copy in place of %1: %2. Nothing was changed.")
                 .arg(original, reason));
    }
    converted.setAutoRemove(false);
    return rows;
}

} // namespace SiteConverter
