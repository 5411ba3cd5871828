#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <stdexcept>

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

// Brings the job-punch database of a site made by an earlier version up to
// date, in one transaction: the unique index over the open jobs with which the
// database refuses a second open job for the same worker (refused, naming the
// workers, while any worker has more than one open job), a PunchId for every
// job punch, the table of the supervisor's corrections, the index of the days
// worked and, on a server, the notices of changed punches that the desk
// follows and the table JobPunchConflicts where the terminals put kept punches
// that could not be applied. Does nothing that is done already.
void upgrade(const QString& dir);
// On the database server of a site: makes the roles jobcosting_terminal and
// jobcosting_supervisor where they are missing, and gives them their
// privileges on the site's tables afresh. Refused on a site without a server.
void roles(const QString& dir);
// Creates only the job-punch database in dir, beside a site's own validation
// and time-clock files. Refuses, touching nothing, when it is there already;
// removes what it made when it fails.
void createJobPunches(const QString& dir);
// An empty job-punch database at path (a file that is not there yet, or empty).
void createJobPunchesFile(const QString& path);

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
