#include "DeskStore.h"

#include "data/DataError.h"
#include "data/JsonValue.h"
#include "data/OpenDatabaseFile.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"
#include "data/SiteZone.h"
#include "data/ThisProgram.h"
#include "data/Transaction.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

using SiteModel::jobPunchesFile;
using SiteModel::timeClockFile;
namespace JobPunch = SiteModel::JobPunch;
namespace Audit = SiteModel::Correction;
namespace Conflicts = SiteModel::Conflict;
namespace Origin = SiteModel::Origin;
namespace CorrectionReason = SiteModel::CorrectionReason;
const QString& punchesTable = SiteModel::jobPunches;
const QString& correctionsTable = SiteModel::jobPunchCorrections;
const QString& conflictsTable = SiteModel::jobPunchConflicts;
const QString& originsTable = SiteModel::jobPunchOrigins;
// On SQLite, the reason of the correction being written, which the file's
// triggers put into its audit row.
const QString& reasonTable = SiteModel::jobPunchCorrectionReason;
const QString& punchIdField = JobPunch::punchId;
constexpr int badgeLength = 6;
// More names than this are looked up in one pass over EMPLOYEES, which has
// no index by name, rather than one search each.
constexpr qsizetype namesSearchedOneByOne = 8;

// The names of a conflict's fields, as the audit writes them.
const QStringList& conflictFieldNames()
{
    static const QStringList names
        = QStringList {SiteModel::keyColumn, punchIdField, Conflicts::terminal, Conflicts::action}
        + Punch::fields() + QStringList {Conflicts::reason, Conflicts::arrivedAt};
    return names;
}

QString canonicalConflictField(const QString& name)
{
    for (const QString& known : conflictFieldNames())
        if (known.compare(name, Qt::CaseInsensitive) == 0)
            return known;
    return name;
}

} // namespace

QString inWords(const DataError& error)
{
    if (error.reason() == DataError::Reason::Unreachable)
        return DeskStore::tr("The site's database server does not answer, or cannot be reached.");
    return error.shown();
}

DeskStore::DeskStore(const QString& site, const QTimeZone& machine)
    : m_site(QDir(site).absolutePath())
{
    m_punches = openDatabaseFile(jobPunchesPath());
    if (!m_punches->hasFeature(DatabaseFile::Feature::Writes))
        throw DataError(tr("%1 is an Access file, which is never written: the desk "
                           "corrects punches in a SQLite file or on a database "
                           "server. jobcosting-site convert %2 makes such a copy.")
                            .arg(jobPunchesPath(), m_site));
    m_server = m_punches->database().driverName() == QLatin1String("QPSQL");
    m_punches->beforeRead(punchesTable);
    for (const Column& column : m_punches->columns(punchesTable))
        m_columns.insert(column.name.toCaseFolded(), column);
    if (m_columns.isEmpty())
        throw DataError(tr("%1 has no table JobPunches.").arg(jobPunchesFile));
    const QString upgrade = QStringLiteral("jobcosting-site upgrade %1").arg(m_site);
    for (const QString& field : Punch::fields() + QStringList {punchIdField})
        if (!m_columns.contains(field.toCaseFolded()))
            throw DataError(tr("%1 has no field %2 in the table JobPunches; %3 "
                               "brings the site up to date.")
                                .arg(jobPunchesFile, field, upgrade));
    for (const QString& field : Punch::fields())
        m_fieldColumns << column(field);
    if (m_punches->columns(correctionsTable).isEmpty())
        throw DataError(tr("%1 has no table JobPunchCorrections, where the desk keeps "
                           "its corrections; %2 makes it.")
                            .arg(jobPunchesFile, upgrade));
    // Where the database writes the audit itself, it notes where punches came from.
    if (m_punches->columns(originsTable).isEmpty()
        || (!m_server && m_punches->columns(reasonTable).isEmpty()))
        throw DataError(tr("%1 was made by an earlier version, whose database does "
                           "not write the audit of a correction itself; %2 brings it "
                           "up to date.")
                            .arg(jobPunchesFile, upgrade));
    m_time = SiteTime(siteTimeZone(*m_punches, machine));
    // Asked now: a failed statement leaves a server's transaction unable to ask.
    login();
}

DeskStore::~DeskStore()
{
    try {
        if (m_failed)
            m_punches->onConnection([this] { m_failed.reset(); });
    } catch (const DataError&) {
        m_failed.reset();
    }
}

QString DeskStore::jobPunchesPath() const
{
    return QDir(m_site).filePath(jobPunchesFile);
}

QString DeskStore::login()
{
    if (m_login.isEmpty()) {
        if (m_server) {
            const Rows rows = run(punchesTable, QStringLiteral("SELECT session_user"));
            m_login = rows.values.isEmpty() ? QString() : rows.values.first().value(0).toString();
        } else {
            m_login = ThisProgram::user();
        }
    }
    return m_login;
}

const DatabaseFile::Column& DeskStore::column(const QString& field) const
{
    const auto found = m_columns.constFind(field.toCaseFolded());
    if (found == m_columns.constEnd())
        throw DataError(
            tr("%1 has no field %2 in the table JobPunches.").arg(jobPunchesFile, field));
    return *found;
}

DeskStore::Rows DeskStore::runOn(
    DatabaseFile& file, const QString& sql, const QVariantList& values, QSqlError& error)
{
    Rows rows;
    const QSqlDatabase db = file.database();
    file.onConnection([&] {
        auto query = std::make_unique<QSqlQuery>(db);
        query->setForwardOnly(true);
        bool done = query->prepare(sql);
        if (done) {
            for (const QVariant& value : values)
                query->addBindValue(value);
            done = query->exec();
        }
        if (!done) {
            error = query->lastError();
            m_failed = std::move(query);
            return;
        }
        const QSqlRecord record = query->record();
        for (int i = 0; i < record.count(); ++i)
            rows.names << record.fieldName(i);
        while (query->next()) {
            QVariantList row;
            row.reserve(record.count());
            for (int i = 0; i < record.count(); ++i)
                row << query->value(i);
            rows.values << row;
        }
        rows.affected = query->numRowsAffected();
    });
    return rows;
}

DeskStore::Rows DeskStore::run(const QString& table, const QString& sql, const QVariantList& values)
{
    QSqlError error;
    Rows rows = runOn(*m_punches, sql, values, error);
    if (error.isValid()) {
        if (error.nativeErrorCode() == QLatin1String("42501")) // insufficient_privilege
            throw Refused((sql.startsWith(QLatin1String("SELECT"))
                    ? tr("The login %1 may not do this: the database server refused it the right "
                         "to read the table %2.")
                    : tr("The login %1 may not do this: the database server refused it the right "
                         "to change the table %2."))
                              .arg(login(), table));
        throw m_punches->errorOf(error, table);
    }
    return rows;
}

QVariant DeskStore::normalized(const Column& column, const QVariant& raw) const
{
    if (!raw.isValid() || raw.isNull())
        return {};
    switch (column.kind) {
    case DatabaseFile::Kind::Date: {
        if (raw.typeId() == QMetaType::QDate)
            return raw;
        const QDate date = QDate::fromString(raw.toString().left(10), Qt::ISODate);
        return date.isValid() ? QVariant(date) : raw;
    }
    case DatabaseFile::Kind::Time: {
        if (raw.typeId() == QMetaType::QTime)
            return raw;
        // The ISO form is read without building a parser for a pattern.
        const QTime time = QTime::fromString(raw.toString(), Qt::ISODate);
        return time.isValid() ? QVariant(time) : raw;
    }
    case DatabaseFile::Kind::Real:
    case DatabaseFile::Kind::Integer: {
        // A server's numeric arrives as its exact decimal text.
        bool ok = false;
        const double number = raw.typeId() == QMetaType::QString
            ? QLocale::c().toDouble(raw.toString(), &ok)
            : raw.toDouble(&ok);
        if (!ok)
            return raw;
        return column.kind == DatabaseFile::Kind::Integer ? QVariant(qlonglong(number))
                                                          : QVariant(number);
    }
    case DatabaseFile::Kind::Text:
        return raw.toString();
    }
    return raw;
}

QVariant DeskStore::stored(const QString& field, const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant(column(field).kind == DatabaseFile::Kind::Text
                ? QMetaType::fromType<QString>()
                : QMetaType::fromType<double>());
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    default:
        return value;
    }
}

Punch DeskStore::punchFrom(const QVariantList& row) const
{
    Punch punch;
    const QStringList& fields = Punch::fields();
    punch.stored.reserve(fields.size());
    for (int i = 0; i < fields.size(); ++i) {
        const QVariant raw = row.value(i);
        punch.stored << raw;
        punch.values.insert(fields.at(i), normalized(m_fieldColumns.at(i), raw));
    }
    const int after = int(fields.size());
    punch.punchId = row.value(after).toString();
    punch.corrections = row.value(after + 1).toInt();
    punch.time = m_time;
    // A server gives a moment; SQLite keeps UTC as ISO text.
    const auto arrived = [&](int column) {
        const QVariant value = row.value(column);
        return value.typeId() == QMetaType::QDateTime
            ? value.toDateTime()
            : QDateTime::fromString(value.toString(), Qt::ISODate);
    };
    punch.startArrived = arrived(after + 2);
    punch.endArrived = arrived(after + 3);
    return punch;
}

QList<Punch> DeskStore::readPunches(const QString& condition, const QVariantList& values)
{
    m_punches->beforeRead(punchesTable);
    QStringList columns;
    for (const QString& field : Punch::fields())
        columns << QLatin1String("j.") + q(field);
    const QString arrived
        = QStringLiteral("(SELECT max(o.%1) FROM %2 o WHERE o.%3 = j.%3 AND o.%4 "
                         "= '%5')")
              .arg(q(Origin::receivedAt), q(originsTable), q(punchIdField), q(Origin::event));
    const QString sql
        = QStringLiteral("SELECT %1, j.%2, (SELECT COUNT(*) FROM %3 c WHERE c.%2 = j.%2), %8, %9 "
                         "FROM %4 j WHERE %5 ORDER BY j.%6, j.%7, j.%2")
              .arg(columns.join(QLatin1String(", ")), q(punchIdField), q(correctionsTable),
                  q(punchesTable), condition, q(JobPunch::dateWorked), q(JobPunch::timeStart),
                  arrived.arg(Origin::start), arrived.arg(Origin::end));
    QList<Punch> punches;
    for (const QVariantList& row : run(punchesTable, sql, values).values)
        punches << punchFrom(row);
    lookUpBadges(punches);
    return punches;
}

QList<Punch> DeskStore::openJobs()
{
    return readPunches(QStringLiteral("j.%1 = '%2'").arg(q(JobPunch::badge), JobPunch::open), {});
}

QList<Punch> DeskStore::jobsOfDays(QDate from, QDate to, bool openOnly)
{
    QString condition = from == to
        ? QStringLiteral("j.%1 = ?").arg(q(JobPunch::dateWorked))
        : QStringLiteral("j.%1 BETWEEN ? AND ?").arg(q(JobPunch::dateWorked));
    if (openOnly)
        condition += QStringLiteral(" AND j.%1 = '%2'").arg(q(JobPunch::badge), JobPunch::open);
    QVariantList values {from.toString(Qt::ISODate)};
    if (from != to)
        values << to.toString(Qt::ISODate);
    return readPunches(condition, values);
}

QStringList DeskStore::levelTitles()
{
    m_punches->beforeRead(punchesTable);
    // The latest day through the index by day, then its punches' titles.
    const QString day = q(JobPunch::dateWorked);
    QStringList titles(3);
    const Rows rows = run(punchesTable,
        QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE %5 = (SELECT MAX(%5) FROM %4)")
            .arg(q(JobPunch::level(1, JobPunch::LevelField::Description)),
                q(JobPunch::level(2, JobPunch::LevelField::Description)),
                q(JobPunch::level(3, JobPunch::LevelField::Description)), q(punchesTable), day));
    for (const QVariantList& row : rows.values)
        for (int level = 0; level < 3; ++level)
            if (titles.at(level).isEmpty())
                titles[level] = row.value(level).toString().trimmed();
    return titles;
}

std::optional<Punch> DeskStore::openJobOf(const QString& name)
{
    const QList<Punch> found
        = readPunches(QStringLiteral("j.%1 = '%2' AND j.%3 = ?")
                          .arg(q(JobPunch::badge), JobPunch::open, q(JobPunch::name)),
            {name});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QString DeskStore::badgeAsTyped(const QString& entry)
{
    QString badge = entry.trimmed();
    const auto framing = [](QChar c) {
        return c == QLatin1Char('@') || c == QLatin1Char('|') || c == QLatin1Char(';')
            || c == QLatin1Char('?');
    };
    while (!badge.isEmpty() && framing(badge.front()))
        badge.remove(0, 1);
    while (!badge.isEmpty() && framing(badge.back()))
        badge.chop(1);
    return QString(std::max<qsizetype>(badgeLength - badge.size(), 0), QLatin1Char('0')) + badge;
}

DatabaseFile& DeskStore::employeesFile()
{
    // Kept open: opening a file reads its first bytes, and closing that
    // descriptor would drop the locks of a connection open on the file. A
    // pointer to the punches' database goes through their connection.
    if (!m_employees) {
        const QString path = QDir(m_site).filePath(timeClockFile);
        try {
            if (m_server
                && PostgresFile::readPointer(path) == PostgresFile::readPointer(jobPunchesPath()))
                m_employees = m_punches;
        } catch (const DataError&) {
            // Not a pointer file: opened as what it is.
        }
        if (!m_employees)
            m_employees = openDatabaseFile(path);
    }
    return *m_employees;
}

std::optional<DeskStore::Employee> DeskStore::employee(const QString& badge)
{
    DatabaseFile& employees = employeesFile();
    employees.beforeRead(SiteModel::employees);
    QSqlError error;
    const Rows rows = runOn(employees,
        QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 = ?")
            .arg(employees.quoted(SiteModel::Employee::badge),
                employees.quoted(SiteModel::Employee::name),
                employees.quoted(SiteModel::employees)),
        {badgeAsTyped(badge)}, error);
    if (error.isValid())
        throw employees.errorOf(error, SiteModel::employees);
    if (rows.values.isEmpty())
        return std::nullopt;
    return Employee {
        rows.values.first().value(0).toString(), rows.values.first().value(1).toString()};
}

void DeskStore::lookUpBadges(QList<Punch>& punches)
{
    m_employeesProblem.clear();
    try {
        DatabaseFile& employees = employeesFile();
        employees.beforeRead(SiteModel::employees);
        // The badges found are kept while the time clock's file is unchanged, where
        // its engine can tell; a name not found is looked for again at each read.
        const QString version = employees.contentVersion();
        if (version != m_employeesVersion)
            m_badges.clear();
        m_employeesVersion = version;

        QHash<QString, QString> missing; // the names as the punches hold them, by key
        for (const Punch& punch : std::as_const(punches))
            if (const QString key = punch.name().toCaseFolded(); !m_badges.contains(key))
                missing.insert(key, punch.name());
        const QString badge = employees.quoted(SiteModel::Employee::badge);
        const QString name = employees.quoted(SiteModel::Employee::name);
        const QString table = employees.quoted(SiteModel::employees);
        QSqlError error;
        if (missing.size() > namesSearchedOneByOne) {
            const Rows rows = runOn(employees,
                QStringLiteral("SELECT %1, %2 FROM %3").arg(badge, name, table), {}, error);
            for (const QVariantList& row : rows.values) {
                const QString key = row.value(1).toString().toCaseFolded();
                if (missing.remove(key) > 0)
                    m_badges.insert(key, row.value(0).toString());
            }
        } else if (!missing.isEmpty()) {
            // One statement, prepared once, for every name.
            const QSqlDatabase db = employees.database();
            const QString sql
                = QStringLiteral("SELECT %1 FROM %3 WHERE %2 = ?").arg(badge, name, table);
            employees.onConnection([&] {
                QSqlQuery query(db);
                query.setForwardOnly(true);
                if (!query.prepare(sql)) {
                    error = query.lastError();
                    return;
                }
                for (auto it = missing.cbegin(); it != missing.cend(); ++it) {
                    query.addBindValue(it.value());
                    if (!query.exec()) {
                        error = query.lastError();
                        return;
                    }
                    if (query.next())
                        m_badges.insert(it.key(), query.value(0).toString());
                    query.finish();
                }
            });
        }
        if (error.isValid())
            throw employees.errorOf(error, SiteModel::employees);
    } catch (const DataError& error) {
        m_employeesProblem = inWords(error);
    }
    for (Punch& punch : punches)
        punch.badge = m_badges.value(punch.name().toCaseFolded());
}

bool DeskStore::keepsConflicts()
{
    return !m_punches->columns(conflictsTable).isEmpty();
}

QList<Conflict> DeskStore::conflicts()
{
    if (!keepsConflicts())
        return {};
    m_punches->beforeRead(conflictsTable);
    QHash<QString, Column> kinds;
    for (const Column& column : m_punches->columns(conflictsTable))
        kinds.insert(column.name.toCaseFolded(), column);
    const Rows rows = run(conflictsTable,
        QStringLiteral("SELECT * FROM %1 ORDER BY %2")
            .arg(q(conflictsTable), q(SiteModel::keyColumn)));
    QList<Conflict> conflicts;
    for (const QVariantList& row : rows.values) {
        Conflict conflict;
        conflict.punch.time = m_time;
        for (int i = 0; i < rows.names.size(); ++i) {
            const QString field = canonicalConflictField(rows.names.at(i));
            const auto kind = kinds.constFind(field.toCaseFolded());
            const QVariant value
                = kind == kinds.constEnd() ? row.value(i) : normalized(*kind, row.value(i));
            conflict.fields.insert(field, jsonValueOf(value));
            if (Punch::fields().contains(field))
                conflict.punch.values.insert(field, value);
            else if (field == SiteModel::keyColumn)
                conflict.id = value.toLongLong();
            else if (field == punchIdField)
                conflict.punch.punchId = value.toString();
            else if (field == Conflicts::terminal)
                conflict.terminal = value.toString();
            else if (field == Conflicts::action)
                conflict.action = value.toString();
            else if (field == Conflicts::reason)
                conflict.reason = value.toString();
            else if (field == Conflicts::arrivedAt)
                conflict.arrivedAt = value.toDateTime().toLocalTime();
        }
        conflicts << conflict;
    }
    QList<Punch> punches;
    for (const Conflict& conflict : std::as_const(conflicts))
        punches << conflict.punch;
    lookUpBadges(punches);
    for (qsizetype i = 0; i < conflicts.size(); ++i)
        conflicts[i].punch.badge = punches.at(i).badge;
    return conflicts;
}

QList<DeskStore::AuditEntry> DeskStore::history(std::optional<QDate> from, std::optional<QDate> to)
{
    m_punches->beforeRead(correctionsTable);
    const QString at = QStringLiteral("c.") + q(Audit::correctedAt);
    // On SQLite the time is kept as local ISO text; a server compares instants.
    const auto bound = [this](QDate day) -> QVariant {
        if (!m_server)
            return day.toString(Qt::ISODate);
        const QDateTime midnight(day, QTime(0, 0));
        return midnight.toOffsetFromUtc(midnight.offsetFromUtc()).toString(Qt::ISODate);
    };
    const QString placeholder
        = m_server ? QStringLiteral("CAST(? AS timestamptz)") : QStringLiteral("?");
    QStringList conditions;
    QVariantList values;
    if (from) {
        conditions << at + QLatin1String(" >= ") + placeholder;
        values << bound(*from);
    }
    if (to) {
        conditions << at + QLatin1String(" < ") + placeholder;
        values << bound(to->addDays(1));
    }
    QStringList columns;
    for (const QString& field : {Audit::correctionId, Audit::correctedAt, Audit::correctedBy,
             Audit::action, Audit::punchId, Audit::reason, Audit::oldValues, Audit::newValues})
        columns << QLatin1String("c.") + q(field);
    const Rows rows = run(correctionsTable,
        QStringLiteral("SELECT %1, j.%2 FROM %3 c LEFT JOIN %4 j ON j.%5 = c.%5%6 ORDER BY c.%7, "
                       "c.%8")
            .arg(columns.join(QLatin1String(", ")), q(JobPunch::name), q(correctionsTable),
                q(punchesTable), q(punchIdField),
                conditions.isEmpty()
                    ? QString()
                    : QLatin1String(" WHERE ") + conditions.join(QLatin1String(" AND ")),
                q(Audit::correctedAt), q(Audit::correctionId)),
        values);
    QList<AuditEntry> entries;
    for (const QVariantList& row : rows.values) {
        AuditEntry entry;
        entry.id = row.value(0).toLongLong();
        const QVariant correctedAt = row.value(1);
        entry.correctedAt = correctedAt.typeId() == QMetaType::QDateTime
            ? correctedAt.toDateTime().toLocalTime()
            : QDateTime::fromString(correctedAt.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        entry.correctedBy = row.value(2).toString();
        entry.action = row.value(3).toString();
        entry.punchId = row.value(4).toString();
        entry.reason = row.value(5).toString();
        entry.oldValues = row.value(6).toString();
        entry.newValues = row.value(7).toString();
        entry.name = row.value(8).isNull() ? QJsonDocument::fromJson(entry.oldValues.toUtf8())
                                                 .object()
                                                 .value(JobPunch::name)
                                                 .toString()
                                           : row.value(8).toString();
        entries << entry;
    }
    return entries;
}

void DeskStore::requireMayCorrect()
{
    if (!m_server)
        return;
    // Terminals never delete punches; who may, corrects them.
    const Rows rows
        = run(punchesTable, QStringLiteral("SELECT has_table_privilege(CAST(? AS text), 'DELETE')"),
            {punchesTable.toLower()});
    if (!rows.values.isEmpty() && !rows.values.first().value(0).toBool())
        throw Refused(tr("The login %1 may not correct punches: a correction needs a "
                         "login of the role jobcosting_supervisor.")
                          .arg(login()));
}

void DeskStore::write(const Correction& correction)
{
    requireMayCorrect();
    const LockDeadline deadline;
    const auto freeFailed = qScopeGuard([this] {
        if (!m_failed)
            return;
        try {
            m_punches->onConnection([this] { m_failed.reset(); });
        } catch (const DataError&) {
            // A server that does not answer: its statement goes with the connection.
            m_failed.reset();
        }
    });
    Transaction transaction(jobPunchesPath(), punchesTable);
    giveReason(correction);
    if (correction.conflict)
        settleConflict(correction);
    else
        writeChanges(correction);
    if (!m_server)
        run(reasonTable, QStringLiteral("DELETE FROM %1").arg(q(reasonTable)));
    transaction.commit();
}

void DeskStore::giveReason(const Correction& correction)
{
    if (m_server) {
        run(punchesTable, QStringLiteral("SELECT set_config('jobcosting.reason', ?, true)"),
            {correction.reason});
        if (correction.conflict)
            run(punchesTable, QStringLiteral("SELECT set_config('jobcosting.conflict', ?, true)"),
                {QString::number(correction.conflict->id)});
        return;
    }
    run(reasonTable, QStringLiteral("DELETE FROM %1").arg(q(reasonTable)));
    run(reasonTable,
        QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
            .arg(q(reasonTable), q(CorrectionReason::reason), q(CorrectionReason::correctedBy)),
        {correction.reason, login()});
}

void DeskStore::writeChanges(const Correction& correction)
{
    const Punch& punch = correction.punch;
    QStringList conditions {q(punchIdField) + QLatin1String(" = ?")};
    QVariantList conditionValues {punch.punchId};
    for (qsizetype i = 0; i < Punch::fields().size(); ++i) {
        conditions << m_punches->unchangedCondition(column(Punch::fields().at(i)));
        conditionValues << punch.stored.value(i);
    }
    QString sql;
    QVariantList values;
    if (correction.action == Correction::Action::Delete) {
        sql = QStringLiteral("DELETE FROM %1").arg(q(punchesTable));
    } else {
        QStringList assignments;
        for (const QString& field : Punch::fields()) {
            if (!correction.changes.contains(field))
                continue;
            assignments << q(field) + QLatin1String(" = ?");
            values << stored(field, correction.changes.value(field));
        }
        sql = QStringLiteral("UPDATE %1 SET %2")
                  .arg(q(punchesTable), assignments.join(QLatin1String(", ")));
    }
    if (run(punchesTable, sql + QLatin1String(" WHERE ") + conditions.join(QLatin1String(" AND ")),
            values + conditionValues)
            .affected
        != 1)
        throw Refused(tr("The punch of %1 changed since the desk read it (a terminal "
                         "or another supervisor wrote it meanwhile); nothing was "
                         "written. Look at it again.")
                          .arg(punch.name()));
}

void DeskStore::settleConflict(const Correction& correction)
{
    const Conflict& conflict = *correction.conflict;
    const Punch& punch = conflict.punch;
    if (correction.action == Correction::Action::Apply
        && conflict.action == QLatin1String("start")) {
        const Rows count = run(punchesTable,
            QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?")
                .arg(q(punchesTable), q(punchIdField)),
            {punch.punchId});
        const bool there
            = !count.values.isEmpty() && count.values.first().value(0).toLongLong() > 0;
        if (there)
            throw Refused(tr("This start is among the punches already; dismiss the "
                             "conflict."));
        QStringList names;
        QVariantList values;
        for (const QString& field : Punch::fields()) {
            names << q(field);
            values << stored(field, punch.values.value(field));
        }
        names << q(punchIdField);
        values << punch.punchId;
        try {
            run(punchesTable,
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(q(punchesTable), names.join(QLatin1String(", ")),
                        QStringList(names.size(), QStringLiteral("?")).join(QLatin1String(", "))),
                values);
        } catch (const DataError& error) {
            if (error.reason() != DataError::Reason::Duplicate)
                throw;
            throw Refused(tr("%1 has an open job already: end it, then apply this "
                             "start.")
                              .arg(punch.name()));
        }
    } else if (correction.action == Correction::Action::Apply) {
        QStringList assignments;
        QVariantList values;
        for (const QString& field : correction.changes.keys()) {
            assignments << q(field) + QLatin1String(" = ?");
            values << stored(field, correction.changes.value(field));
        }
        const Rows ended = run(punchesTable,
            QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ? AND %4 = '%5'")
                .arg(q(punchesTable), assignments.join(QLatin1String(", ")), q(punchIdField),
                    q(JobPunch::badge), JobPunch::open),
            values << punch.punchId);
        if (ended.affected != 1)
            throw Refused(tr("The job of %1 is not open any more (ended or deleted "
                             "meanwhile): dismiss the conflict, or correct the job.")
                              .arg(punch.name()));
    }
    const Rows settled = run(conflictsTable,
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
            .arg(q(conflictsTable), q(SiteModel::keyColumn)),
        {conflict.id});
    if (settled.affected != 1)
        throw Refused(tr("Someone settled this conflict meanwhile; nothing was written."));
}
