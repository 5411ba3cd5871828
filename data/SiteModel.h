#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The site every program works on, named once: its three database files,
// found by their bare names in the site's folder, the tables each holds, their
// columns and the fields of a job punch. Each file is a SQLite file, an Access
// file (read only) or a pointer to a database server, told apart by its
// content; every engine takes the same names, and chooses its own type for a
// column from what the column holds.
namespace SiteModel {

// What a column holds.
enum class Holds
{
    Text,
    Date, // a day, without a time of day
    Time, // a time of day, without a date
    Integer,
    Amount, // money, rates and hours: four decimals on a server
    Number, // a number with any fraction: the pieces of a job
};

struct Column
{
    QString name;
    Holds holds;
};

// The system's own job punches (JobPunches, and the desk's corrections), a
// SQLite file or a server: an Access file is converted before a terminal
// writes to it.
inline const QString jobPunchesFile = QStringLiteral("JobPunches.MDB");
// The three validation tables, kept by the site's punch workstation.
inline const QString validationsFile = QStringLiteral("Validations.mdb");
// The site's time-clock database: its employees and the scratch table WORK.
inline const QString timeClockFile = QStringLiteral("Norla.MDB");
// The three, the job punches first.
inline const QStringList files {jobPunchesFile, validationsFile, timeClockFile};

inline const QString jobPunches = QStringLiteral("JobPunches");
inline constexpr int levels = 3;
// Level1, Level2 or Level3: the items a worker chooses from on that level.
QString levelTable(int level);
inline const QString employees = QStringLiteral("EMPLOYEES");
// The short-date check's scratch table.
inline const QString work = QStringLiteral("WORK");
// The supervisor's corrections of job punches, beside them.
inline const QString jobPunchCorrections = QStringLiteral("JobPunchCorrections");
// On a server every change of JobPunches is announced on this channel, with
// the table's schema as its payload.
inline const QString punchesChannel = QStringLiteral("jobpunches");
// On a server every change of the tables that terminals copy (EMPLOYEES and
// Level1 to Level3) is announced on this channel, once a statement, as the
// words: the table's schema, its name folded, its count of changes after this
// one, and the keys of the rows changed joined by commas, or "*" for many.
inline const QString tablesChannel = QStringLiteral("sitetables");
// On a server: each copied table's count of changes (its name folded, and the
// count), kept by the triggers that announce them, so that a terminal that
// was not listening can tell whether its copy is still the table.
inline const QString tableChanges = QStringLiteral("TableChanges");
namespace TableChange {
inline const QString tableName = QStringLiteral("TableName");
inline const QString changes = QStringLiteral("Changes");
} // namespace TableChange
// The keys of more rows than this are announced as "*".
inline constexpr int announcedKeys = 500;
// On a server: the punches a terminal kept through an outage that could not
// be applied as they arrived.
inline const QString jobPunchConflicts = QStringLiteral("JobPunchConflicts");

// Where each start and each end of a job punch came from, one row each,
// written by the database as it arrives.
inline const QString jobPunchOrigins = QStringLiteral("JobPunchOrigins");
// The site's settings, one row a setting: its time zone.
inline const QString siteSettings = QStringLiteral("SiteSettings");
// On SQLite, the reason (and the author) of the correction being written, for
// the file's triggers to put into its audit row.
inline const QString jobPunchCorrectionReason = QStringLiteral("JobPunchCorrectionReason");

// The key of every table on a server, and of JobPunches in a SQLite file: a
// number the database gives each row.
inline const QString keyColumn = QStringLiteral("ID");

// The tables of a file that the punch screen reads, and that a terminal
// copies where the file points to a server.
QStringList screenTables(const QString& file);

// The fields of a job punch, a row of JobPunches.
namespace JobPunch {
inline const QString name = QStringLiteral("Name");
// The job's state, not a badge number: open or closed.
inline const QString badge = QStringLiteral("Badge");
inline const QString open = QStringLiteral("Open");
inline const QString closed = QStringLiteral("Closed");
inline const QString dateWorked = QStringLiteral("DateWorked");
inline const QString timeStart = QStringLiteral("TimeStart");
inline const QString timeStop = QStringLiteral("TimeStop");
inline const QString pieces = QStringLiteral("Pieces");
inline const QString empNum = QStringLiteral("EmpNum");
inline const QString deptNum = QStringLiteral("DeptNum");
inline const QString baseRate = QStringLiteral("BaseRate");
// A job punch's name for good, made by the program that adds the row.
inline const QString punchId = QStringLiteral("PunchId");

// What a job punch keeps of each level.
enum class LevelField
{
    Description, // the level's title
    ItemCode,
    ItemDescription,
    StandardCost,
    BonusRate,
};
inline constexpr LevelField levelFields[] = {LevelField::Description, LevelField::ItemCode,
    LevelField::ItemDescription, LevelField::StandardCost, LevelField::BonusRate};
// Level1Description ... Level3BonusRate.
QString level(int level, LevelField field);

// The 24 fields, in the table's order.
const QList<Column>& fields();
const QStringList& fieldNames();
} // namespace JobPunch

// The columns of Level1, Level2 and Level3: one item each row.
namespace Item {
inline const QString itemCode = QStringLiteral("ItemCode");
inline const QString itemDescription = QStringLiteral("ItemDescription");
inline const QString standardCost = QStringLiteral("StandardCost");
inline const QString bonusRate = QStringLiteral("BonusRate");
// The title of the whole level, carried on every row.
inline const QString levelDescription = QStringLiteral("LevelDescription");
const QList<Column>& columns();
} // namespace Item

// The columns of EMPLOYEES.
namespace Employee {
inline const QString badge = QStringLiteral("Badge");
inline const QString name = QStringLiteral("Name");
inline const QString empNum = QStringLiteral("EmpNum");
inline const QString deptNum = QStringLiteral("DeptNum");
inline const QString basePayRate = QStringLiteral("BasePayRate");
inline const QString shift = QStringLiteral("Shift");
inline const QString hireDate = QStringLiteral("HireDate");
const QList<Column>& columns();
} // namespace Employee

// The columns of WORK.
namespace Work {
inline const QString name = QStringLiteral("NAME");
inline const QString clockWe = QStringLiteral("CLOCKWE");
const QList<Column>& columns();
} // namespace Work

// The columns of JobPunchCorrections.
namespace Correction {
inline const QString correctionId = QStringLiteral("CorrectionId");
inline const QString punchId = QStringLiteral("PunchId");
inline const QString action = QStringLiteral("Action");
inline const QString correctedAt = QStringLiteral("CorrectedAt");
inline const QString correctedBy = QStringLiteral("CorrectedBy");
inline const QString reason = QStringLiteral("Reason");
inline const QString oldValues = QStringLiteral("OldValues");
inline const QString newValues = QStringLiteral("NewValues");
} // namespace Correction

// The columns of JobPunchConflicts beside a job punch's fields.
namespace Conflict {
inline const QString punchId = QStringLiteral("PunchId");
inline const QString terminal = QStringLiteral("Terminal");
inline const QString action = QStringLiteral("Action");
inline const QString reason = QStringLiteral("Reason");
inline const QString arrivedAt = QStringLiteral("ArrivedAt");
} // namespace Conflict

// The columns of JobPunchOrigins.
namespace Origin {
inline const QString punchId = QStringLiteral("PunchId");
inline const QString event = QStringLiteral("Event");
inline const QString start = QStringLiteral("start");
inline const QString end = QStringLiteral("end");
// The login on a server, the operating-system user on SQLite.
inline const QString writtenBy = QStringLiteral("WrittenBy");
// The terminal's machine and working folder, "host:/folder".
inline const QString terminal = QStringLiteral("Terminal");
// When it reached the database, on the database's clock.
inline const QString receivedAt = QStringLiteral("ReceivedAt");
} // namespace Origin

// The columns of SiteSettings, and the settings.
namespace Setting {
inline const QString name = QStringLiteral("Name");
inline const QString value = QStringLiteral("Value");
// The IANA name of the zone in which the site's clocks run.
inline const QString timeZone = QStringLiteral("TimeZone");
} // namespace Setting

// The columns of JobPunchCorrectionReason.
namespace CorrectionReason {
inline const QString reason = QStringLiteral("Reason");
inline const QString correctedBy = QStringLiteral("CorrectedBy");
} // namespace CorrectionReason

} // namespace SiteModel
