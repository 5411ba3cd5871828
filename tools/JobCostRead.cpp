#include "JobCostRead.h"

#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/OpenDatabaseFile.h"
#include "data/SiteModel.h"
#include "data/SiteZone.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <sqlite3.h>

namespace JobCostRead {
namespace {

using namespace JobCost;
namespace JobPunch = SiteModel::JobPunch;
namespace Corrections = SiteModel::Correction;
using JobPunch::LevelField;

const QString& table = SiteModel::jobPunches;
// The desk's audit: a punch it names was corrected by a supervisor.
const QString& correctionsTable = SiteModel::jobPunchCorrections;
const QString& punchIdField = JobPunch::punchId;
// The rows that are neither closed nor anything the engine could sum are few
// (a site's open jobs and the odd damaged row); beyond this many the engine's
// sums save little, and every row is read as the reference reads it.
constexpr qsizetype mostRowsApart = 20'000;
constexpr qsizetype rowsPerRead = 1000;

// The field of a job punch for level `level`, from 0.
QString levelField(int level, LevelField field)
{
    return JobPunch::level(level + 1, field);
}

// The PunchIds the corrections name, case-folded as the engines compare them.
using Corrected = QSet<QString>;
// When the start and the end of each punch reached the database, by its
// PunchId in small letters.
using Arrivals = QHash<QString, std::pair<QDateTime, QDateTime>>;

// The fields a punch is costed from.
QStringList punchFields()
{
    QStringList fields {JobPunch::name, JobPunch::badge, JobPunch::dateWorked, JobPunch::timeStart,
        JobPunch::timeStop, JobPunch::pieces, JobPunch::empNum, JobPunch::deptNum,
        JobPunch::baseRate};
    for (int level = 0; level < SiteModel::levels; ++level) {
        for (const LevelField field : JobPunch::levelFields)
            fields << levelField(level, field);
    }
    return fields;
}

// The positions of the fields a punch is costed from.
struct Fields
{
    int name, badge, dateWorked, timeStart, timeStop;
    std::array<std::array<int, 5>, 3> levels; // description, code, item, cost, rate
    int pieces, empNum, deptNum, baseRate;
    int punchId; // -1 on a site made before punches had one
    const Corrected& corrected;
    const Arrivals* arrivals;

    Fields(const QSqlRecord& record, const Corrected& corrected, const Arrivals* arrivals)
        : corrected(corrected)
        , arrivals(arrivals)
    {
        const auto at = [&](const QString& field) {
            const int index = record.indexOf(field);
            if (index < 0)
                throw DataError(QStringLiteral("the JobPunches table has no field %1").arg(field));
            return index;
        };
        name = at(JobPunch::name);
        badge = at(JobPunch::badge);
        dateWorked = at(JobPunch::dateWorked);
        timeStart = at(JobPunch::timeStart);
        timeStop = at(JobPunch::timeStop);
        for (int level = 0; level < 3; ++level)
            levels.at(level) = {at(levelField(level, LevelField::Description)),
                at(levelField(level, LevelField::ItemCode)),
                at(levelField(level, LevelField::ItemDescription)),
                at(levelField(level, LevelField::StandardCost)),
                at(levelField(level, LevelField::BonusRate))};
        pieces = at(JobPunch::pieces);
        empNum = at(JobPunch::empNum);
        deptNum = at(JobPunch::deptNum);
        baseRate = at(JobPunch::baseRate);
        punchId = record.indexOf(punchIdField);
    }

    Punch punch(const QSqlRecord& record, qint64 row) const
    {
        Punch punch;
        punch.row = row;
        punch.name = record.value(name);
        punch.badge = record.value(badge);
        punch.dateWorked = record.value(dateWorked);
        punch.timeStart = record.value(timeStart);
        punch.timeStop = record.value(timeStop);
        for (int level = 0; level < 3; ++level) {
            const auto& at = levels.at(level);
            punch.levels.at(level) = {record.value(at[0]), record.value(at[1]), record.value(at[2]),
                record.value(at[3]), record.value(at[4])};
        }
        punch.pieces = record.value(pieces);
        punch.empNum = record.value(empNum);
        punch.deptNum = record.value(deptNum);
        punch.baseRate = record.value(baseRate);
        punch.corrected = punchId >= 0 && !corrected.isEmpty()
            && corrected.contains(record.value(punchId).toString().toLower());
        if (arrivals && punchId >= 0) {
            const auto arrived = arrivals->constFind(record.value(punchId).toString().toLower());
            if (arrived != arrivals->constEnd())
                std::tie(punch.startArrived, punch.endArrived) = *arrived;
        }
        return punch;
    }
};

// Every row of the source into the report; `rowOf` gives the row number of the
// n-th row visited (from 0).
void stream(DataSource& source, Report& report, const Corrected& corrected,
    const std::function<qint64(qint64)>& rowOf, const Arrivals* arrivals = nullptr)
{
    std::optional<Fields> fields;
    qint64 visited = 0;
    source.forEachRow([&](const QSqlRecord& record) {
        if (!fields)
            fields.emplace(record, corrected, arrivals);
        report.add(fields->punch(record, rowOf(visited++)));
    });
}

QStringList keyFields(View view)
{
    const auto level = [](int n) {
        return QStringList {
            levelField(n, LevelField::ItemCode), levelField(n, LevelField::ItemDescription)};
    };
    switch (view) {
    case View::Job:
        return level(0) + level(1) + level(2);
    case View::Level1:
        return level(0);
    case View::Level2:
        return level(1);
    case View::Level3:
        return level(2);
    case View::Worker:
        return {JobPunch::empNum, JobPunch::name};
    case View::Department:
        return {JobPunch::deptNum};
    case View::Day:
        return {JobPunch::dateWorked};
    }
    return {};
}

QSqlQuery run(DatabaseFile& file, const QString& sql, const QVariantList& values = {},
    const QString& of = table)
{
    QSqlQuery query(file.database());
    query.setForwardOnly(true);
    // A server prepares no statement but a query or a change of rows.
    bool done = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    done = done && (values.isEmpty() || query.exec());
    if (!done)
        throw file.errorOf(query.lastError(), of);
    return query;
}

// When each start and end reached the database, where the site notes it.
Arrivals arrivalsOf(DatabaseFile& file)
{
    namespace Origin = SiteModel::Origin;
    const QString& origins = SiteModel::jobPunchOrigins;
    Arrivals arrivals;
    if (file.columns(origins).isEmpty())
        return arrivals;
    QSqlQuery query = run(file,
        QStringLiteral("SELECT %1, %2, max(%3) FROM %4 GROUP BY %1, %2")
            .arg(Origin::punchId, Origin::event, Origin::receivedAt, origins),
        {}, origins);
    while (query.next()) {
        // A server gives a moment; SQLite keeps UTC as ISO text.
        const QVariant value = query.value(2);
        const QDateTime at = value.typeId() == QMetaType::QDateTime
            ? value.toDateTime()
            : QDateTime::fromString(value.toString(), Qt::ISODate);
        auto& arrived = arrivals[query.value(0).toString().toLower()];
        (query.value(1).toString() == Origin::start ? arrived.first : arrived.second) = at;
    }
    if (query.lastError().isValid())
        throw file.errorOf(query.lastError(), origins);
    return arrivals;
}

// Whether the site keeps the desk's corrections: an Access file and a site
// made before the desk keep none.
bool keepsCorrections(DatabaseFile& file)
{
    if (file.columns(correctionsTable).isEmpty())
        return false;
    const QList<DatabaseFile::Column> columns = file.columns(table);
    return std::any_of(columns.cbegin(), columns.cend(), [](const DatabaseFile::Column& column) {
        return column.name.compare(punchIdField, Qt::CaseInsensitive) == 0;
    });
}

Corrected correctedPunches(DatabaseFile& file)
{
    Corrected corrected;
    if (!keepsCorrections(file))
        return corrected;
    QSqlQuery query = run(file,
        QStringLiteral("SELECT DISTINCT %1 FROM %2").arg(Corrections::punchId, correctionsTable),
        {}, correctionsTable);
    while (query.next())
        corrected.insert(query.value(0).toString().toLower());
    if (query.lastError().isValid())
        throw file.errorOf(query.lastError(), correctionsTable);
    return corrected;
}

// The corrections of the report's period, each with its punch as it is now
// (none once deleted).
void listCorrections(DatabaseFile& file, Report& report, const QStringList& punchFields)
{
    if (!keepsCorrections(file))
        return;
    QStringList columns;
    for (const QString& field : punchFields)
        columns << QLatin1String("j.") + field;
    QSqlQuery query = run(file,
        QStringLiteral("SELECT c.%1, c.%2, c.%3, c.%4, c.%5, c.%6, c.%7, j.%8 AS Found, %9 FROM "
                       "%10 c LEFT JOIN %11 j ON j.%8 = c.%12 ORDER BY c.%1")
            .arg(Corrections::correctionId, Corrections::correctedAt, Corrections::correctedBy,
                Corrections::action, Corrections::reason, Corrections::oldValues,
                Corrections::newValues, punchIdField, columns.join(QLatin1String(", ")),
                correctionsTable, table, Corrections::punchId),
        {}, correctionsTable);
    std::optional<Fields> fields;
    const Corrected none;
    while (query.next()) {
        if (!fields)
            fields.emplace(query.record(), none, nullptr);
        Audit audit;
        audit.id = query.value(0).toLongLong();
        const QVariant at = query.value(1);
        // A server keeps the moment, SQLite the local time as text.
        audit.correctedAt = at.typeId() == QMetaType::QDateTime
            ? at.toDateTime().toLocalTime()
            : QDateTime::fromString(at.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        audit.correctedBy = query.value(2).toString();
        audit.action = query.value(3).toString();
        audit.reason = query.value(4).toString();
        audit.oldValues = query.value(5).toString();
        audit.newValues = query.value(6).toString();
        report.addCorrection(audit,
            query.isNull(7) ? std::nullopt : std::optional(fields->punch(query.record(), 0)));
    }
    if (query.lastError().isValid())
        throw file.errorOf(query.lastError(), correctionsTable);
}

// A whole number of any size, from the engine's integer or exact decimal text.
Wide wideOf(const QVariant& value)
{
    if (value.typeId() != QMetaType::QString)
        return value.toLongLong();
    const QString text = value.toString().section(QLatin1Char('.'), 0, 0);
    Wide result = 0;
    for (const QChar digit : text) {
        if (digit.isDigit())
            result = result * 10 + digit.digitValue();
    }
    return text.startsWith(QLatin1Char('-')) ? -result : result;
}

// Takes the sums of one group as the engine gave them.
using AddSums = std::function<void(const QStringList& key, const Totals& totals)>;

// The report's key of a group as the engine gave it, as the reference makes it.
QStringList keyOf(const QSqlQuery& query, qsizetype fields)
{
    QStringList key;
    for (int i = 0; i < fields; ++i) {
        const QVariant value = query.value(i);
        key << (value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate)
                                                   : value.toString());
    }
    return key;
}

// The values of SQLite's rows as the data layer gives them, read as the
// reference reads them; anything else is not plain, and left to the reference.
namespace Sqlite {

int digits(const unsigned char* text, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<QDate> date(sqlite3_value* value)
{
    if (sqlite3_value_type(value) != SQLITE_TEXT)
        return std::nullopt;
    const unsigned char* text = sqlite3_value_text(value);
    if (sqlite3_value_bytes(value) != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const int year = digits(text, 4);
    const QDate date(year, digits(text + 5, 2), digits(text + 8, 2));
    // QDate takes years before the common era, the reference no year that is
    // not four digits.
    return year > 0 && date.isValid() ? std::optional(date) : std::nullopt;
}

// Seconds since midnight.
std::optional<int> time(sqlite3_value* value)
{
    if (sqlite3_value_type(value) != SQLITE_TEXT)
        return std::nullopt;
    const unsigned char* text = sqlite3_value_text(value);
    if (sqlite3_value_bytes(value) != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    const int hours = digits(text, 2);
    const int minutes = digits(text + 3, 2);
    const int seconds = digits(text + 6, 2);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return std::nullopt;
    return hours * 3600 + minutes * 60 + seconds;
}

// Ten-thousandths; NULL is none where `emptyIsZero`, else not plain.
std::optional<Wide> amount(sqlite3_value* value, bool emptyIsZero)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return emptyIsZero ? std::optional<Wide>(0) : std::nullopt;
    case SQLITE_INTEGER: {
        const sqlite3_int64 number = sqlite3_value_int64(value);
        return number >= 0 ? std::optional(Wide(number) * scale) : std::nullopt;
    }
    case SQLITE_FLOAT: {
        const double number = sqlite3_value_double(value);
        if (!(number >= 0 && number < largest))
            return std::nullopt;
        return Wide(std::llround(number * scale));
    }
    default:
        return std::nullopt;
    }
}

bool described(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_TEXT:
        sqlite3_value_text(value);
        return sqlite3_value_bytes(value) > 0;
    case SQLITE_BLOB:
        return sqlite3_value_bytes(value) > 0;
    default:
        return true;
    }
}

// The arguments of the aggregate, in this order.
enum Argument
{
    RowKey,
    DateWorked,
    TimeStart,
    TimeStop,
    BaseRate,
    Pieces,
    Level1, // its description, standard cost and bonus rate; then levels 2 and 3
    Arguments = Level1 + 9
};

struct Rows
{
    const Options* options;
    std::vector<qint64> notPlain;
};

// Accumulates the group's Totals in SQLite's zeroed aggregate memory.
void addToGroup(sqlite3_context* context, int, sqlite3_value** values)
{
    auto* rows = static_cast<Rows*>(sqlite3_user_data(context));
    void* sums = sqlite3_aggregate_context(context, sizeof(Totals));
    if (!sums)
        return sqlite3_result_error_nomem(context);
    const auto date = Sqlite::date(values[DateWorked]);
    const Options& options = *rows->options;
    if (date && ((options.from && *date < *options.from) || (options.to && *date > *options.to)))
        return;
    const auto start = Sqlite::time(values[TimeStart]);
    const auto stop = Sqlite::time(values[TimeStop]);
    const auto rate = amount(values[BaseRate], false);
    const auto pieces = amount(values[Pieces], false);
    bool plain = date && start && stop && rate && pieces;
    Costing costing;
    bool deepest = true;
    for (int level = 2; level >= 0 && plain; --level) {
        sqlite3_value** values3 = values + Level1 + 3 * level;
        if (!described(values3[0]))
            continue;
        if (std::exchange(deepest, false)) {
            const auto bonusRate = amount(values3[2], true);
            plain = bonusRate.has_value();
            costing.bonusRate = bonusRate.value_or(0);
        }
        const auto standardCost = amount(values3[1], true);
        plain = plain && standardCost;
        costing.standardCost += standardCost.value_or(0);
    }
    if (!plain) {
        try {
            rows->notPlain.push_back(sqlite3_value_int64(values[RowKey]));
        } catch (const std::bad_alloc&) {
            sqlite3_result_error_nomem(context);
        }
        return;
    }
    costing.seconds
        = options.time.secondsWorked(*date, QTime::fromMSecsSinceStartOfDay(*start * 1000),
            QTime::fromMSecsSinceStartOfDay(*stop * 1000));
    costing.rate = *rate;
    costing.pieces = *pieces;
    Totals totals;
    std::memcpy(&totals, sums, sizeof(Totals));
    totals += costOf(costing);
    std::memcpy(sums, &totals, sizeof(Totals));
}

void finishGroup(sqlite3_context* context)
{
    void* sums = sqlite3_aggregate_context(context, 0);
    if (!sums)
        return sqlite3_result_null(context);
    sqlite3_result_blob(context, sums, sizeof(Totals), SQLITE_TRANSIENT);
}

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

// The closed punches (those that meet `only` too, where given) summed by SQLite
// with the reference's own costing, in C++ inside the engine's GROUP BY; the
// rows that are not plain are listed.
bool sums(DatabaseFile& file, const Options& options, const QString& only,
    std::vector<qint64>& notPlain, const AddSums& add)
{
    sqlite3* handle = handleOf(file.database());
    if (!handle)
        return false;
    const char* name = "jobcost_sums";
    Rows rows {&options, {}};
    if (sqlite3_create_function_v2(
            handle, name, Arguments, SQLITE_UTF8, &rows, nullptr, addToGroup, finishGroup, nullptr)
        != SQLITE_OK)
        return false;
    struct Unregister
    {
        sqlite3* handle;
        const char* name;
        ~Unregister()
        {
            sqlite3_create_function_v2(
                handle, name, Arguments, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr, nullptr);
        }
    } unregister {handle, name};

    const QStringList keys = keyFields(options.view);
    QStringList arguments {QStringLiteral("_rowid_"), JobPunch::dateWorked, JobPunch::timeStart,
        JobPunch::timeStop, JobPunch::baseRate, JobPunch::pieces};
    for (int level = 0; level < 3; ++level)
        arguments << levelField(level, LevelField::Description)
                  << levelField(level, LevelField::StandardCost)
                  << levelField(level, LevelField::BonusRate);
    // The closed rows (the letter case of the state does not count, as for the
    // reference), by a scan: most rows are closed, and reaching each through
    // the index on the state would cost more than reading the table. Rows
    // outside the dates asked for are left out unless their date is not plain.
    QString where = QStringLiteral("+%1 = '%2'").arg(JobPunch::badge, JobPunch::closed);
    if (!only.isEmpty())
        where += QLatin1String(" AND ") + only;
    QVariantList values;
    if (options.from || options.to) {
        // date() alone lets 30 February through; a day added (none) does not.
        where += QStringLiteral(" AND (%1 BETWEEN ? AND ? OR %1 < '0001-01-01' OR date(%1, '+0 "
                                "days') IS NOT %1)")
                     .arg(JobPunch::dateWorked);
        values << options.from.value_or(QDate(1, 1, 1)).toString(Qt::ISODate)
               << options.to.value_or(QDate(9999, 12, 31)).toString(Qt::ISODate);
    }
    QSqlQuery query = run(file,
        QStringLiteral("SELECT %1, %2(%3) FROM %4 WHERE %5 GROUP BY %6")
            .arg(keys.join(QLatin1String(", ")), QLatin1String(name),
                arguments.join(QLatin1String(", ")), table, where,
                keys.join(QLatin1String(" COLLATE BINARY, ")) + QLatin1String(" COLLATE BINARY")),
        values);
    while (query.next()) {
        const QByteArray blob = query.value(int(keys.size())).toByteArray();
        Totals totals;
        if (blob.size() != sizeof(Totals))
            continue;
        std::memcpy(&totals, blob.constData(), sizeof(Totals));
        if (totals.jobs > 0)
            add(keyOf(query, keys.size()), totals);
    }
    if (query.lastError().isValid())
        throw file.errorOf(query.lastError(), table);
    notPlain = std::move(rows.notPlain);
    return true;
}

bool writeAheadLog(DatabaseFile& file)
{
    QSqlQuery query = run(file, QStringLiteral("PRAGMA journal_mode"));
    return query.next()
        && query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
}

} // namespace Sqlite

// The same on a database server, in its own SQL: its columns are typed, so
// a value is plain when it is there and in range.
namespace Server {

// How the reference reads the amounts of a server's columns, by their types.
class Amounts
{
public:
    explicit Amounts(DatabaseFile& file)
    {
        QSqlQuery types = run(file,
            QStringLiteral("SELECT lower(attname), format_type(atttypid, atttypmod) FROM "
                           "pg_attribute WHERE attrelid = to_regclass('jobpunches') AND attnum > 0 "
                           "AND NOT attisdropped"));
        while (types.next())
            m_types.insert(types.value(0).toString(), types.value(1).toString());
    }

    // Ten-thousandths as the reference reads them: a decimal of four places
    // at most exactly; any other value as a double, rounded half away from
    // zero (plain() leaves no value where that differs from the reference's
    // llround: it is 0 or at least 0.0001).
    QString scaled(const QString& field) const
    {
        if (exact(field))
            return QStringLiteral("(%1 * 10000)::bigint").arg(field);
        return QStringLiteral("floor(CAST(%1 AS double precision) * 10000 + 0.5)::bigint")
            .arg(field);
    }

    QString plain(const QString& field, bool emptyIsZero) const
    {
        const QString inRange = exact(field)
            ? QStringLiteral("%1 BETWEEN 0 AND 99999").arg(field)
            : QStringLiteral("%1 = 0 OR %1 BETWEEN 0.0001 AND 99999").arg(field);
        return emptyIsZero ? QStringLiteral("(%1 IS NULL OR %2)").arg(field, inRange)
                           : QLatin1Char('(') + inRange + QLatin1Char(')');
    }

    // A time of day in whole seconds, before 24:00 (the reference reads no
    // other as a time).
    QString plainTime(const QString& field) const
    {
        const QString before = QStringLiteral("%1 < '24:00:00'").arg(field);
        if (type(field) == QLatin1String("time(0) without time zone"))
            return before;
        return before
            + QStringLiteral(" AND date_part('epoch', %1) = floor(date_part('epoch', %1))")
                  .arg(field);
    }

private:
    QString type(const QString& field) const { return m_types.value(field.toLower()); }
    bool exact(const QString& field) const
    {
        static const QRegularExpression fourPlaces(QStringLiteral("^numeric\\(\\d+,[0-4]\\)$"));
        return fourPlaces.match(type(field)).hasMatch();
    }

    QHash<QString, QString> m_types;
};

QString describedLevel(int level)
{
    return QStringLiteral("COALESCE(CAST(%1 AS text), '') <> ''")
        .arg(levelField(level, LevelField::Description));
}

bool sums(DatabaseFile& file, const Options& options, const QString& only,
    std::vector<qint64>& notPlain, const AddSums& add)
{
    const QString key = file.rowKey(table);
    const QStringList keys = keyFields(options.view);
    QStringList keyTexts;
    for (const QString& field : keys)
        keyTexts << (field == JobPunch::empNum || field == JobPunch::deptNum
                    || field == JobPunch::dateWorked
                ? field
                : QStringLiteral("CAST(%1 AS text) AS %1").arg(field));

    const Amounts amounts(file);
    QStringList checks {
        QStringLiteral("%1 BETWEEN '0001-01-01' AND '9999-12-31'").arg(JobPunch::dateWorked),
        amounts.plainTime(JobPunch::timeStart), amounts.plainTime(JobPunch::timeStop),
        amounts.plain(JobPunch::baseRate, false), amounts.plain(JobPunch::pieces, false)};
    QStringList bonusChecks;
    QStringList bonus;
    QStringList standard;
    for (int level = 2; level >= 0; --level) {
        checks << QStringLiteral("(NOT %1 OR %2)")
                      .arg(describedLevel(level),
                          amounts.plain(levelField(level, LevelField::StandardCost), true));
        bonusChecks << QStringLiteral("WHEN %1 THEN %2")
                           .arg(describedLevel(level),
                               amounts.plain(levelField(level, LevelField::BonusRate), true));
        bonus << QStringLiteral("WHEN %1 THEN COALESCE(%2, 0)")
                     .arg(describedLevel(level),
                         amounts.scaled(levelField(level, LevelField::BonusRate)));
        standard << QStringLiteral("CASE WHEN %1 THEN COALESCE(%2, 0) ELSE 0 END")
                        .arg(describedLevel(level),
                            amounts.scaled(levelField(level, LevelField::StandardCost)));
    }
    checks << QStringLiteral("CASE %1 ELSE true END").arg(bonusChecks.join(QLatin1Char(' ')));
    // A job worked near a change of the site's clocks is timed by the reference.
    checks << QStringLiteral("irregularDay IS NULL")
           << QStringLiteral("%1 BETWEEN '%2' AND '%3'")
                  .arg(JobPunch::dateWorked, SiteTime::firstKnownDay().toString(Qt::ISODate),
                      SiteTime::lastKnownDay().toString(Qt::ISODate));
    QStringList irregular;
    for (const QDate& day :
        options.time.irregularDays(options.from.value_or(SiteTime::firstKnownDay()),
            options.to.value_or(SiteTime::lastKnownDay())))
        irregular << day.toString(Qt::ISODate);

    QString where = QStringLiteral("%1 = '%2'").arg(JobPunch::badge, JobPunch::closed);
    if (!only.isEmpty())
        where += QLatin1String(" AND ") + only;
    QVariantList values {QLatin1Char('{') + irregular.join(QLatin1Char(',')) + QLatin1Char('}')};
    if (options.from || options.to) {
        where += QStringLiteral(" AND (%1 BETWEEN ? AND ? OR %1 IS NULL OR %1 NOT BETWEEN "
                                "'0001-01-01' AND '9999-12-31')")
                     .arg(JobPunch::dateWorked);
        values << options.from.value_or(QDate(1, 1, 1)) << options.to.value_or(QDate(9999, 12, 31));
    }
    QStringList columns = keys;
    for (const QString& field : QStringList {key, JobPunch::dateWorked, JobPunch::timeStart,
             JobPunch::timeStop, JobPunch::baseRate, JobPunch::pieces}) {
        if (!columns.contains(field))
            columns << field;
    }
    for (int level = 0; level < 3; ++level)
        columns << levelField(level, LevelField::Description)
                << levelField(level, LevelField::StandardCost)
                << levelField(level, LevelField::BonusRate);
    // The checks are worked out once a row, in a subquery that the planner
    // keeps (OFFSET 0); the figures only for rows that passed them.
    const QString checked = QStringLiteral("SELECT ") + columns.join(QLatin1String(", "))
        + QStringLiteral(", COALESCE(") + checks.join(QLatin1String(" AND "))
        + QStringLiteral(", false) AS plain FROM ") + table
        + QStringLiteral(" LEFT JOIN (SELECT DISTINCT CAST(day AS date) AS irregularDay FROM "
                         "unnest(CAST(? AS text[])) AS day) AS irregular ON irregularDay = %1 "
                         "WHERE ")
              .arg(JobPunch::dateWorked)
        + where + QStringLiteral(" OFFSET 0");
    const QString costed = QStringLiteral("SELECT ") + keyTexts.join(QLatin1String(", "))
        + QStringLiteral(", CASE WHEN plain THEN NULL ELSE %1 END AS notPlain, "
                         "CASE WHEN plain THEN (CAST(date_part('epoch', %6) AS integer) - "
                         "CAST(date_part('epoch', %7) AS integer) + 86400) % 86400 END AS s, "
                         "CASE WHEN plain THEN %2 END AS r, CASE WHEN plain THEN %3 END AS p, "
                         "CASE WHEN plain THEN CASE %4 ELSE 0 END END AS b, "
                         "CASE WHEN plain THEN %5 END AS c FROM (")
              .arg(key, amounts.scaled(JobPunch::baseRate), amounts.scaled(JobPunch::pieces),
                  bonus.join(QLatin1Char(' ')), standard.join(QLatin1String(" + ")),
                  JobPunch::timeStop, JobPunch::timeStart)
        + checked + QStringLiteral(") AS checked OFFSET 0");
    const QString keyList = keys.join(QLatin1String(", "));
    const QString sql = QStringLiteral("SELECT ") + keyList
        + QStringLiteral(", notPlain, count(*), sum(s), sum(s * r), sum(p * b), sum(p), "
                         "sum(p * c) FROM (")
        + costed + QStringLiteral(") AS costed GROUP BY ") + keyList + QStringLiteral(", notPlain");
    QSqlQuery query = run(file, sql, values);
    const int at = int(keys.size());
    while (query.next()) {
        if (!query.isNull(at)) {
            notPlain.push_back(query.value(at).toLongLong());
            continue;
        }
        Totals totals;
        totals.jobs = query.value(at + 1).toLongLong();
        totals.seconds = qint64(wideOf(query.value(at + 2)));
        totals.labour = wideOf(query.value(at + 3)) * scale;
        totals.bonus = wideOf(query.value(at + 4)) * 3600;
        totals.pieces = wideOf(query.value(at + 5));
        totals.standard = wideOf(query.value(at + 6)) * 3600;
        add(keyOf(query, keys.size()), totals);
    }
    if (query.lastError().isValid())
        throw file.errorOf(query.lastError(), table);
    std::sort(notPlain.begin(), notPlain.end());
    return true;
}

} // namespace Server

// One read-only transaction over every statement of the engine's way, so
// that a job closed meanwhile is summed once, neither twice nor never.
class Snapshot
{
public:
    Snapshot(DatabaseFile& file, bool server)
        : m_db(file.database())
    {
        if (!m_db.transaction())
            throw file.errorOf(m_db.lastError(), table);
        if (server)
            run(file, QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
    }
    ~Snapshot() { m_db.rollback(); }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

private:
    QSqlDatabase m_db;
};

// Where each row key stands in the table's order, from 1: counted between
// the keys asked for, so that the table is counted once whatever their number.
std::function<qint64(qint64)> places(DatabaseFile& file, std::vector<qint64> keys)
{
    std::sort(keys.begin(), keys.end());
    const QString key = file.rowKey(table);
    QHash<qint64, qint64> place;
    qint64 before = std::numeric_limits<qint32>::min();
    qint64 counted = 0;
    for (const qint64 at : keys) {
        QSqlQuery query = run(file,
            QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 > ? AND %2 <= ?").arg(table, key),
            {before, at});
        counted += query.next() ? query.value(0).toLongLong() : 0;
        place.insert(at, counted);
        before = at;
    }
    return [place](qint64 key) {
        return place.value(key);
    };
}

std::optional<Report> engineRead(const Options& options, DataSource& punches, DatabaseFile& file)
{
    const QString driver = file.database().driverName();
    const bool server = driver == QLatin1String("QPSQL");
    const bool sqlite = driver == QLatin1String("QSQLITE")
        && file.hasFeature(DatabaseFile::Feature::Writes) && Sqlite::writeAheadLog(file);
    if (!server && !sqlite)
        return std::nullopt;
    // The key's values are given as the reference would give them only for
    // columns of text, whole numbers and dates.
    for (const DatabaseFile::Column& column : file.columns(table)) {
        if (keyFields(options.view).contains(column.name, Qt::CaseInsensitive)
            && column.kind != DatabaseFile::Kind::Text && column.kind != DatabaseFile::Kind::Integer
            && column.kind != DatabaseFile::Kind::Date)
            return std::nullopt;
    }

    const Snapshot snapshot(file, server);
    Report report(options);
    const Corrected corrected = correctedPunches(file);
    const auto sums = [&](const QString& only, std::vector<qint64>& notPlain, const AddSums& add) {
        return server ? Server::sums(file, options, only, notPlain, add)
                      : Sqlite::sums(file, options, only, notPlain, add);
    };
    std::vector<qint64> apart;
    if (!sums({}, apart,
            [&](const QStringList& key, const Totals& totals) { report.addSums(key, totals); }))
        return std::nullopt;
    // The corrected punches among those summed, counted in a second pass over
    // them alone: they are few, and found through the index on PunchId.
    if (!corrected.isEmpty()) {
        std::vector<qint64> counted;
        sums(QStringLiteral("%1 IN (SELECT %2 FROM %3)")
                 .arg(punchIdField, Corrections::punchId, correctionsTable),
            counted, [&](const QStringList& key, const Totals& totals) {
                Totals count;
                count.corrected = totals.jobs;
                report.addSums(key, count);
            });
    }
    // The rows that are not closed: open jobs and states the reference refuses.
    const QString notClosed = QStringLiteral("%1 IS NULL OR %1 < '%2' OR %1 > '%2'")
                                  .arg(JobPunch::badge, JobPunch::closed);
    const QString key = file.rowKey(table);
    QSqlQuery others
        = run(file, QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(key, table, notClosed));
    while (others.next())
        apart.push_back(others.value(0).toLongLong());
    others.finish();
    if (qsizetype(apart.size()) > mostRowsApart)
        return std::nullopt;
    std::sort(apart.begin(), apart.end());

    for (std::size_t first = 0; first < apart.size(); first += rowsPerRead) {
        const std::size_t end = std::min(apart.size(), first + std::size_t(rowsPerRead));
        QStringList keys;
        for (std::size_t i = first; i < end; ++i)
            keys << QString::number(apart.at(i));
        punches.setRecordSource(QStringLiteral("select * from %1 where %2 IN (%3)")
                                    .arg(table, key, keys.join(QLatin1Char(','))));
        punches.refresh();
        qint64 visited = 0;
        stream(punches, report, corrected, [&](qint64 n) {
            visited = n + 1;
            return apart.at(first + std::size_t(std::min<qint64>(n, qint64(end - first) - 1)));
        });
        if (visited != qint64(end - first))
            throw DataError(QStringLiteral("%1: the job punches changed while they were read")
                                .arg(file.name()));
    }
    std::vector<qint64> notCosted;
    for (const NotCosted& row : report.notCosted())
        notCosted.push_back(row.row);
    if (!notCosted.empty())
        report.numberNotCosted(places(file, notCosted));
    if (options.corrections)
        listCorrections(file, report, punchFields());
    report.finish();
    return report;
}

} // namespace

Report read(const Options& given, const QString& jobPunchesFile, Path path, Path* used)
{
    const SystemClock clock;
    const RegionalSettings iso(
        QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss"), QLatin1Char('.'), QChar(), clock);
    DataSource punches(table, jobPunchesFile, table, true, iso);
    punches.refresh();
    const std::shared_ptr<DatabaseFile> file = openDatabaseFile(jobPunchesFile);
    // Every date and time is read on the site's clocks, and so is now.
    Options options = given;
    options.time = SiteTime(siteTimeZone(*file, given.time.zone()));
    options.now = given.now.toTimeZone(options.time.zone());
    QStringList fields = punchFields();
    for (const DatabaseFile::Column& column : file->columns(table))
        fields.removeIf([&](const QString& field) {
            return field.compare(column.name, Qt::CaseInsensitive) == 0;
        });
    if (!fields.isEmpty())
        throw DataError(QStringLiteral("%1: the table JobPunches has no field %2")
                            .arg(file->name(), fields.join(QLatin1String(", "))));
    if (used)
        *used = Path::Streaming;
    if (path == Path::Engine && !options.detail) {
        if (auto report = engineRead(options, punches, *file)) {
            if (used)
                *used = Path::Engine;
            return std::move(*report);
        }
        punches.setRecordSource(table);
        punches.refresh();
    }
    Report report(options);
    const Arrivals arrivals = options.detail ? arrivalsOf(*file) : Arrivals();
    stream(
        punches, report, correctedPunches(*file), [](qint64 n) { return n + 1; }, &arrivals);
    if (options.corrections)
        listCorrections(*file, report, punchFields());
    report.finish();
    return report;
}

} // namespace JobCostRead
