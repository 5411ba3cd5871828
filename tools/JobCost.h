#pragma once

#include "regional/SiteTime.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The costing of job punches from the values frozen on each row: hours, labour,
// bonus and the standard cost of the pieces, summed exactly.
namespace JobCost {

__extension__ typedef __int128 Wide;

// Every amount is a whole number of these units, so that seconds x hourly rate
// and pieces x piece rate (both read to four decimals) add up without rounding.
inline constexpr Wide unitsPerCurrency = Wide(3600) * 100'000'000;
// Rates, costs and pieces are read to four decimals.
inline constexpr qint64 scale = 10'000;
// Beyond this a value is no rate or count of this world.
inline constexpr double largest = 1e13;

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

// The headings of the CSV, in English in every language, or of the PDF, in
// the session's language.
enum class Words
{
    English,
    Translated
};

// The names --by takes, in the order of View.
QStringList viewNames();
std::optional<View> viewNamed(const QString& name);
// The short names of the key's columns, as the CSV's header gives them.
QStringList keyHeadings(View view, Words words = Words::English);
// Whether a column of the key holds a number (employee and department numbers).
bool keyIsNumber(View view, qsizetype column);

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
    bool corrected = false; // a supervisor corrected it at the desk
    // When its start and its end reached the database, where the site notes
    // it (read for --detail only).
    QDateTime startArrived, endArrived;
};

struct Totals
{
    qint64 jobs = 0;
    qint64 seconds = 0;
    Wide labour = 0; // units
    Wide bonus = 0; // units
    Wide pieces = 0; // ten-thousandths of a piece
    Wide standard = 0; // units: standard cost per piece x pieces
    qint64 corrected = 0; // of the jobs, those a supervisor corrected

    Totals& operator+=(const Totals& other);
    bool operator==(const Totals&) const = default;
};

// What a closed punch is costed from once its values passed the checks; the
// amounts in ten-thousandths.
struct Costing
{
    qint64 seconds = 0; // from the start to the stop, on the site's clocks
    Wide rate = 0; // BaseRate
    Wide pieces = 0;
    Wide bonusRate = 0; // of the deepest level with a description
    Wide standardCost = 0; // the sum over the levels with a description
};
Totals costOf(const Costing& costing);

// One costed punch, for --detail.
struct Detail
{
    qint64 row = 0;
    QString worker;
    QDateTime start;
    QDateTime stop;
    Totals totals;
    // Its start or end reached the database more than ten minutes away from
    // its own time.
    bool arrivedAway = false;
};

struct OpenJob
{
    QStringList key;
    QString worker; // name and employee number
    QDateTime started;
    qint64 secondsOpen = 0;
    bool longerThanShift = false;
    bool corrected = false;
};

struct NotCosted
{
    qint64 row = 0;
    QStringList key;
    QString worker;
    QString dateWorked;
    QString reason;
    bool corrected = false;
};

// A row of the desk's audit, JobPunchCorrections.
struct Audit
{
    qint64 id = 0;
    QDateTime correctedAt;
    QString correctedBy;
    QString action; // end, edit, delete, apply or dismiss
    QString reason;
    QString oldValues; // JSON objects: the fields changed, by name
    QString newValues;
};

// A correction of the report's period with the punch it names, as the punch
// is now or, once deleted, as the audit kept it.
struct CorrectionLine
{
    Audit audit;
    QStringList key;
    QString worker;
    QDateTime start;
    QDateTime stop; // invalid while the job is open
    bool punchDeleted = false;
};

struct Options
{
    View view = View::Job;
    std::optional<QDate> from;
    std::optional<QDate> to;
    QDateTime now; // open jobs are timed to this moment
    SiteTime time; // the site's clocks, in which every date and time was written
    qint64 shiftSeconds = 8 * 3600;
    bool detail = false; // keep each costed punch under its group
    bool corrections = false; // list the corrections of the period
};

// A row of the printed report, in the order both formats print them.
struct Line
{
    enum class Kind
    {
        Group,
        Detail, // one punch of the group before it
        Week, // subtotal of an ISO week (by day only), after its last day
        Month, // subtotal of a month (by day only), after its last day
        Total
    };
    Kind kind = Kind::Group;
    QStringList key; // a week is "2024-W10", a month "2024-03"
    Totals totals;
    const Detail* detail = nullptr;
};

class Report
{
public:
    explicit Report(Options options);
    ~Report();
    Report(Report&&) noexcept;
    Report& operator=(Report&&) noexcept;

    // Costs one punch, or lists it as open or not costed. This is the
    // reference: every other way to the same sums must agree with it.
    void add(const Punch& punch);
    // Sums of closed punches worked out elsewhere for the group `key`; a key
    // met again adds to its group.
    void addSums(const QStringList& key, const Totals& totals);
    // Rows not costed that were added under their row key rather than their
    // place in the table get their place.
    void numberNotCosted(const std::function<qint64(qint64 key)>& place);
    // Lists a correction (in the order given) when its punch was worked in the
    // report's period: by the punch's DateWorked as it is now, or as the
    // correction found it or left it. `punch` is the punch as it is now;
    // without it, the punch is gone and the audit's old values (a deletion
    // keeps every field) stand for it.
    void addCorrection(const Audit& audit, const std::optional<Punch>& punch);
    // Puts the groups in order; lines() needs it.
    void finish();

    const Options& options() const { return m_options; }
    const Totals& total() const { return m_total; }
    const QList<OpenJob>& openJobs() const { return m_openJobs; }
    const QList<NotCosted>& notCosted() const { return m_notCosted; }
    const QList<CorrectionLine>& corrections() const { return m_corrections; }
    qsizetype groupCount() const;
    // The group with the largest labour + bonus, in units (at least 1).
    Wide largestCost() const;
    // The groups in key order (numbers by value), each followed by its punches
    // with --detail; by day, week and month subtotals; then the total.
    void lines(const std::function<void(const Line&)>& visit) const;

private:
    class Groups;
    QStringList keyOf(const Punch& punch) const;
    void notCosted(const Punch& punch, const QString& reasons);

    Options m_options;
    QHash<QStringList, Totals> m_rowSums; // of add(), until finish()
    std::unique_ptr<Groups> m_groups;
    QHash<QStringList, std::vector<Detail>> m_details;
    Totals m_total;
    QList<OpenJob> m_openJobs;
    QList<NotCosted> m_notCosted;
    QList<CorrectionLine> m_corrections;
};

// The short names of the figures, as the CSV's header gives them, in the
// order of figureTexts().
QStringList figureHeadings(Words words = Words::English);

// The figures of a group as both report formats print them: jobs, hours,
// labour, bonus, cost (labour + bonus), pieces; standard, actual and variance
// per piece (empty without pieces); the variance in money (cost - standard per
// piece x pieces) and as a percentage of the standard (empty without one).
// Each is rounded once, half away from zero. Full-stop decimals, no grouping.
QStringList figureTexts(const Totals& totals);
// What a detail line shows in the same columns: the hours, labour, bonus and
// pieces of the one punch only.
QStringList detailTexts(const Totals& totals);
QString hoursText(qint64 seconds);
QString moneyText(Wide units);

} // namespace JobCost
