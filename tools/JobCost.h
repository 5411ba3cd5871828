#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <optional>

// The costing of job punches from the values frozen on each row: hours, labour,
// bonus and the standard cost of the pieces, summed exactly.
namespace JobCost {

__extension__ typedef __int128 Wide;

// Every amount is a whole number of these units, so that seconds x hourly rate
// and pieces x piece rate (both read to four decimals) add up without rounding.
inline constexpr Wide unitsPerCurrency = Wide(3600) * 100'000'000;

enum class View
{
    Job,
    Level1,
    Level2,
    Level3,
    Worker,
    Department,
    Day
};

// The names --by takes, in the order of View.
QStringList viewNames();
std::optional<View> viewNamed(const QString& name);
QStringList keyHeadings(View view);

// One row of JobPunches as the data layer gives it.
struct Punch
{
    struct Level
    {
        QVariant description, itemCode, itemDescription, standardCost, bonusRate;
    };
    qint64 row = 0; // 1-based, in the table's order
    QVariant name, badge, dateWorked, timeStart, timeStop;
    std::array<Level, 3> levels;
    QVariant pieces, empNum, deptNum, baseRate;
};

struct Totals
{
    qint64 jobs = 0;
    qint64 seconds = 0;
    Wide labour = 0; // units
    Wide bonus = 0; // units
    Wide pieces = 0; // ten-thousandths of a piece
    Wide standard = 0; // units: standard cost per piece x pieces

    Totals& operator+=(const Totals& other);
};

struct Group
{
    QStringList key;
    Totals totals;
};

struct OpenJob
{
    QStringList key;
    QString worker; // name and employee number
    QDateTime started;
    qint64 secondsOpen = 0;
    bool longerThanShift = false;
};

struct NotCosted
{
    qint64 row = 0;
    QStringList key;
    QString worker;
    QString dateWorked;
    QString reason;
};

struct Options
{
    View view = View::Job;
    std::optional<QDate> from;
    std::optional<QDate> to;
    QDateTime now; // open jobs are timed to this moment
    qint64 shiftSeconds = 8 * 3600;
};

class Report
{
public:
    explicit Report(Options options);

    void add(const Punch& punch);

    const Options& options() const { return m_options; }
    // In key order, numbers by value.
    QList<Group> groups() const;
    const Totals& total() const { return m_total; }
    const QList<OpenJob>& openJobs() const { return m_openJobs; }
    const QList<NotCosted>& notCosted() const { return m_notCosted; }

private:
    QStringList keyOf(const Punch& punch) const;
    void notCosted(const Punch& punch, const QString& reasons);

    Options m_options;
    QHash<QStringList, Totals> m_groups;
    Totals m_total;
    QList<OpenJob> m_openJobs;
    QList<NotCosted> m_notCosted;
};

struct Figure
{
    QString heading;
    QString workedOut; // empty when the heading says it all
};
// What figureTexts() gives, in its order.
QList<Figure> figures();

// The figures of a group as both report formats print them: jobs, hours,
// labour, bonus, labour + bonus, pieces, then standard, actual and variance
// per piece (empty without pieces). Each is rounded once, half away from zero.
QStringList figureTexts(const Totals& totals);
QString hoursText(qint64 seconds);
QString moneyText(Wide units);

} // namespace JobCost
