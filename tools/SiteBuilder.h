#pragma once

#include "PunchRules.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <stdexcept>

class DatabaseFile;
class QSqlDatabase;

// Makes the three database files of a site: the job punches, the validation
// tables and the time-clock database, with every table and field the punch
// terminal uses. It never overwrites a file.
namespace SiteBuilder {

class Error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct Employee
{
    QString badge;
    QString name;
    int empNum = 0;
    int deptNum = 0;
    double basePayRate = 0;
};

struct Item
{
    QString code;
    QString description;
    double standardCost = 0;
    double bonusRate = 0;
};

struct Level
{
    QString title; // carried on every row as LevelDescription
    QList<Item> items;
};

// What a new site's tables hold.
struct Contents
{
    enum class Kind
    {
        Empty,
        Demo, // the demo site and its month of punches up to `now`
        Large // fillLarge()'s
    };
    Kind kind = Kind::Empty;
    QDateTime now;
    // The zone in which the site's clocks run, an IANA name (SiteSettings'
    // TimeZone); the machine's where empty.
    QString timeZone;
    int employees = 0;
    qint64 punches = 0;
    int items = 200;
};

// Creates the three databases in dir (made if missing) and fills them, all or
// nothing: on a failure the files and folders it made are removed again.
// Refuses, and touches nothing, when any of the three names is taken (by a
// dangling link too).
//
// With a server (a postgresql:// connection URI), the tables and indexes are
// made and filled in that database in one transaction instead, and each of
// the three files in dir is a pointer to it. Refuses, and changes nothing,
// when any of them is on the server already.
void create(const QString& dir, const QString& server = {}, const Contents& contents = {});

// This machine's time zone, by its IANA name; Error where it has none.
QString machineTimeZone();
// `zone` where this machine knows it, the machine's where it is empty; else Error.
QString checkedTimeZone(const QString& zone);

// How upgrade() left the site's time zone.
struct ZoneRecorded
{
    enum class From
    {
        Given,
        Machine, // the site had none recorded: this machine's
        Kept // the site's own, recorded before
    };
    QString zone;
    From from = From::Kept;
};

// Brings the job-punch database of a site made by an earlier version up to
// date, in one transaction: the unique index over the open jobs with which the
// database refuses a second open job for the same worker (refused, naming the
// workers, while any worker has more than one open job), a PunchId for every
// job punch, the table of the supervisor's corrections, the index of the days
// worked and, on a server, the notices of changed punches that the desk
// follows and the table JobPunchConflicts where the terminals put kept punches
// that could not be applied; where each start and end came from
// (JobPunchOrigins), the site's time zone (SiteSettings: `timeZone` where given,
// else the one recorded, else the machine's) and the rules the database keeps
// (see PunchRules); and, where the validation and time-clock files point to a
// server, the count and the notices of the changes of their tables that keep
// the terminals' copies. Does nothing that is done already.
ZoneRecorded upgrade(const QString& dir, const QString& timeZone = {});
// On the database server of a site: makes the roles jobcosting_terminal and
// jobcosting_supervisor where they are missing, gives them their privileges on
// the site's tables afresh, and sets what a terminal's start is checked
// against: the tables among EMPLOYEES and Level1 to Level3 that are in the same
// database. Refused on a site without a server, or not brought up to date.
PunchRules::TerminalChecks roles(const QString& dir);
// Creates only the job-punch database in dir, beside a site's own validation
// and time-clock files. Refuses, touching nothing, when it is there already;
// removes what it made when it fails.
void createJobPunches(const QString& dir, const QString& timeZone = {});
// An empty job-punch database at path (a file that is not there yet, or
// empty), in the zone `timeZone` (the machine's where empty). `fill`, where
// given, adds rows before the rules that check and note each punch are made.
void createJobPunchesFile(const QString& path, const QString& timeZone = {},
    const std::function<void(DatabaseFile&)>& fill = {});

// Runs work on the job-punch database of the site in dir, in one transaction,
// with its rules set aside as the tables' owner may: what it writes is neither
// checked, nor audited, nor noted as a terminal's start or end. For rows that
// are the site's own (generated sites, tests), never for a correction.
void unchecked(const QString& dir, const std::function<void(QSqlDatabase&)>& work);

void addEmployees(const QString& dir, const QList<Employee>& employees);
// Level 1, 2 or 3.
void addLevel(const QString& dir, int level, const Level& contents);

// A small, realistic site: a dozen employees and three levels.
void fillDemo(const QString& dir);
// About a month of the demo site's job punches up to `now`, the same for the
// same day: a shift each working day (one worker at night, past midnight),
// two to four jobs a shift, pieces on the jobs with a bonus rate; three jobs
// open now and one forgotten for two days, none of them for the badges the
// walk-through uses (000123 to 000126, 000133, 004711).
void fillDemoPunches(const QString& dir, const QDateTime& now);
// A large generated site: employees, closed punches spread over years and a
// few open ones, and three level tables of `items` items each. Without
// punches there may be no employees.
void fillLarge(const QString& dir, int employees, qint64 punches, int items = 200);
// The code and the description of item `item` (from 1) of a generated level.
QString largeItemCode(int level, int item, int items);
QString largeItemDescription(int level, int item);

} // namespace SiteBuilder
