#pragma once

#include "Correction.h"
#include "Punch.h"
#include "data/DatabaseFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QHash>
#include <QList>
#include <QTimeZone>
#include <memory>
#include <optional>

class DataError;
class RegionalSettings;

// A failure to read or write, in words for the supervisor: a server that does
// not answer or cannot be reached is told as such, never in the server's own
// text.
QString inWords(const DataError& error);

// The desk's reads and writes on a site: the punches of JobPunches.MDB (a
// SQLite file or a database server), the corrections beside them, and the
// badges of EMPLOYEES in Norla.MDB (any engine; on the same server, through
// the same connection). Reads never go through the whole table: the open jobs
// through the index by state, a day's jobs through the index by day. Every
// statement runs where its connection lives, on a server within its deadline;
// the store is used by one thread, the one that made it. Failures to read or
// write raise DataError; a correction that may not be written raises Refused,
// and nothing is written then.
class DeskStore
{
    Q_DECLARE_TR_FUNCTIONS(DeskStore)

public:
    struct Employee
    {
        QString badge;
        QString name;
    };
    struct AuditEntry
    {
        qint64 id = 0;
        QDateTime correctedAt;
        QString correctedBy;
        QString action;
        QString punchId;
        QString name; // the worker's, from the punch or, once deleted, from the audit
        QString reason;
        QString oldValues; // JSON
        QString newValues; // JSON
    };

    // Refuses, naming what to do, a site whose JobPunches.MDB cannot be
    // corrected: missing, an Access file, or made before the database kept its
    // own audit. Dates and times are read in the site's time zone, or in
    // `machine` where the site records none.
    explicit DeskStore(const QString& site, const QTimeZone& machine = QTimeZone::systemTimeZone());
    ~DeskStore();
    DeskStore(const DeskStore&) = delete;
    DeskStore& operator=(const DeskStore&) = delete;

    QString site() const { return m_site; }
    // The site's clocks.
    const SiteTime& siteTime() const { return m_time; }
    QString jobPunchesPath() const;
    bool onServer() const { return m_server; }
    // Who the corrections are written under: the database login on a server,
    // the operating-system user on a SQLite site.
    QString login();

    QList<Punch> openJobs();
    // The jobs started on the days from..to (both included), open and closed,
    // or the open ones only.
    QList<Punch> jobsOfDays(QDate from, QDate to, bool openOnly = false);
    QList<Punch> jobsOfDay(QDate day, bool openOnly = false)
    {
        return jobsOfDays(day, day, openOnly);
    }
    // The titles of the three levels (Department, Operation...) as the latest
    // day's punches carry them; empty where no punch names one.
    QStringList levelTitles();
    std::optional<Punch> openJobOf(const QString& name);
    // The employee of a badge as the terminal looks it up: card-reader framing
    // dropped, filled up with zeros in front to six characters.
    std::optional<Employee> employee(const QString& badge);
    static QString badgeAsTyped(const QString& entry);
    // Why the last read found no badges, if a read of EMPLOYEES failed; the
    // punches were read all the same.
    QString employeesProblem() const { return m_employeesProblem; }

    // Whether the site keeps conflicts (a table JobPunchConflicts).
    bool keepsConflicts();
    QList<Conflict> conflicts();

    // The corrections made on the days from..to (both included, either open),
    // in the order they were made.
    QList<AuditEntry> history(std::optional<QDate> from, std::optional<QDate> to);

    // Writes the correction in one transaction, with its reason, from which
    // the database writes its audit row: both or neither. Refused when the
    // punch changed since it was read (a terminal ended the job meanwhile,
    // another supervisor corrected it), or when the login may not correct.
    void write(const Correction& correction);

private:
    using Column = DatabaseFile::Column;
    // What a statement returned, read to its end where the connection lives.
    struct Rows
    {
        QStringList names; // of the columns
        QList<QVariantList> values;
        int affected = 0;
    };
    DatabaseFile& employeesFile();
    QString q(const QString& identifier) const { return m_punches->quoted(identifier); }
    const Column& column(const QString& field) const;
    Rows run(const QString& table, const QString& sql, const QVariantList& values = {});
    Rows runOn(
        DatabaseFile& file, const QString& sql, const QVariantList& values, QSqlError& error);
    QList<Punch> readPunches(const QString& condition, const QVariantList& values);
    Punch punchFrom(const QVariantList& row) const;
    QVariant normalized(const Column& column, const QVariant& raw) const;
    QVariant stored(const QString& field, const QVariant& value) const;
    void lookUpBadges(QList<Punch>& punches);
    void requireMayCorrect();
    void writeChanges(const Correction& correction);
    void settleConflict(const Correction& correction);
    void giveReason(const Correction& correction);

    QString m_site;
    SiteTime m_time;
    std::shared_ptr<DatabaseFile> m_punches;
    std::shared_ptr<DatabaseFile> m_employees; // Norla.MDB, once read
    bool m_server = false;
    QHash<QString, Column> m_columns; // of JobPunches, by case-folded name
    QList<Column> m_fieldColumns; // those of Punch::fields(), in its order
    QString m_login;
    // The statement that failed last: a server refuses to free a statement
    // inside a failed transaction, so it is freed after the rollback.
    std::unique_ptr<QSqlQuery> m_failed;

    QHash<QString, QString> m_badges; // by case-folded name; empty: nobody has it
    QString m_employeesVersion;
    QString m_employeesProblem;
};
