#include "JobCost.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <utility>

namespace JobCost {
namespace {

constexpr qint64 secondsPerDay = 24 * 3600;
constexpr qint64 scale = 10'000; // rates, costs and pieces are read to four decimals
// Beyond this a value is no rate or count of this world.
constexpr double largest = 1e13;

Wide divideRounded(Wide numerator, Wide denominator)
{
    Wide quotient = numerator / denominator;
    const Wide remainder = numerator % denominator;
    if (2 * (remainder < 0 ? -remainder : remainder) >= denominator)
        quotient += numerator < 0 ? -1 : 1;
    return quotient;
}

// value / 10^places as a decimal text with that many places.
QString decimal(Wide value, int places)
{
    const bool negative = value < 0;
    QString digits;
    for (Wide rest = negative ? -value : value; rest > 0 || digits.size() <= places; rest /= 10)
        digits.prepend(QLatin1Char(static_cast<char>('0' + static_cast<int>(rest % 10))));
    if (places > 0)
        digits.insert(digits.size() - places, QLatin1Char('.'));
    return negative ? QLatin1Char('-') + digits : digits;
}

// Ten-thousandths of a currency unit per piece.
QString perPiece(Wide units, Wide pieces)
{
    return decimal(divideRounded(units, 3600 * pieces), 4);
}

QString piecesText(Wide pieces)
{
    QString text = decimal(pieces, 4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

bool isEmpty(const QVariant& value)
{
    return !value.isValid() || value.isNull();
}

QString plainText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (value.typeId() == QMetaType::QTime)
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    return value.toString();
}

// A number read to four decimals: from the engine's numeric types, or from a
// decimal text with a full stop (as a server's exact NUMERIC arrives).
std::optional<Wide> tenThousandths(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return Wide(value.toLongLong()) * scale;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        if (!std::isfinite(number) || std::fabs(number) >= largest)
            return std::nullopt;
        return Wide(std::llround(number * scale));
    }
    case QMetaType::QString: {
        static const QRegularExpression decimalText(
            QStringLiteral("^\\s*([+-]?)(\\d{1,13})(?:\\.(\\d*))?\\s*$"));
        const auto match = decimalText.match(value.toString());
        if (!match.hasMatch())
            return std::nullopt;
        const QString fraction = (match.captured(3) + QStringLiteral("00000")).left(5);
        Wide result = Wide(match.captured(2).toLongLong()) * scale + fraction.left(4).toLongLong();
        if (fraction.at(4) >= QLatin1Char('5'))
            ++result;
        return match.captured(1) == QLatin1String("-") ? -result : result;
    }
    default:
        return std::nullopt;
    }
}

std::optional<QDate> dateOf(const QVariant& value)
{
    const QDate date = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date()
        : value.typeId() == QMetaType::QDate                  ? value.toDate()
                                             : QDate::fromString(value.toString(), Qt::ISODate);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

std::optional<QTime> timeOf(const QVariant& value)
{
    const QTime time = value.typeId() == QMetaType::QDateTime ? value.toDateTime().time()
        : value.typeId() == QMetaType::QTime                  ? value.toTime()
                                             : QTime::fromString(value.toString(), Qt::ISODate);
    return time.isValid() ? std::optional(time) : std::nullopt;
}

// Collects what makes a row impossible to cost, one reason per field.
class Checks
{
public:
    std::optional<QDate> date(const QString& field, const QVariant& value)
    {
        const auto date = isEmpty(value) ? std::nullopt : dateOf(value);
        if (!date)
            fail(field, isEmpty(value) ? "is empty" : "is not a date");
        return date;
    }

    std::optional<QTime> time(const QString& field, const QVariant& value)
    {
        const auto time = isEmpty(value) ? std::nullopt : timeOf(value);
        if (!time)
            fail(field, isEmpty(value) ? "is empty" : "is not a time");
        return time;
    }

    // An absent value reads as `whenEmpty`, or is refused without one.
    Wide amount(const QString& field, const QVariant& value, std::optional<Wide> whenEmpty = {})
    {
        if (isEmpty(value) && whenEmpty)
            return *whenEmpty;
        const auto number = isEmpty(value) ? std::nullopt : tenThousandths(value);
        if (!number)
            fail(field, isEmpty(value) ? "is empty" : "is not a number");
        else if (*number < 0)
            fail(field, "is negative");
        return number.value_or(0);
    }

    void fail(const QString& field, const char* problem)
    {
        m_reasons << field + QLatin1Char(' ') + QLatin1String(problem);
    }
    bool passed() const { return m_reasons.isEmpty(); }
    QString reasons() const { return m_reasons.join(QLatin1String("; ")); }

private:
    QStringList m_reasons;
};

const std::array<QString, 3> bonusRateFields {QStringLiteral("Level1BonusRate"),
    QStringLiteral("Level2BonusRate"), QStringLiteral("Level3BonusRate")};
const std::array<QString, 3> standardCostFields {QStringLiteral("Level1StandardCost"),
    QStringLiteral("Level2StandardCost"), QStringLiteral("Level3StandardCost")};

QString workerOf(const Punch& punch)
{
    const QString number = plainText(punch.empNum);
    return number.isEmpty() ? plainText(punch.name)
                            : QStringLiteral("%1 (%2)").arg(plainText(punch.name), number);
}

// Numbers compare by value, so that department 9 comes before department 12.
bool keyLess(const QStringList& a, const QStringList& b)
{
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        bool aIsNumber = false;
        bool bIsNumber = false;
        const double x = a.at(i).toDouble(&aIsNumber);
        const double y = b.at(i).toDouble(&bIsNumber);
        if (aIsNumber && bIsNumber && x != y)
            return x < y;
        if (aIsNumber != bIsNumber)
            return aIsNumber;
        if (const int order = a.at(i).compare(b.at(i), Qt::CaseInsensitive); order != 0)
            return order < 0;
        if (const int order = a.at(i).compare(b.at(i)); order != 0)
            return order < 0;
    }
    return a.size() < b.size();
}

} // namespace

QStringList viewNames()
{
    return {QStringLiteral("job"), QStringLiteral("level1"), QStringLiteral("level2"),
        QStringLiteral("level3"), QStringLiteral("worker"), QStringLiteral("department"),
        QStringLiteral("day")};
}

std::optional<View> viewNamed(const QString& name)
{
    const qsizetype index = viewNames().indexOf(name);
    return index < 0 ? std::nullopt : std::optional(static_cast<View>(index));
}

QStringList keyHeadings(View view)
{
    const auto level = [](int n) {
        return QStringList {
            QStringLiteral("Level %1 code").arg(n), QStringLiteral("Level %1 item").arg(n)};
    };
    switch (view) {
    case View::Job:
        return level(1) + level(2) + level(3);
    case View::Level1:
        return level(1);
    case View::Level2:
        return level(2);
    case View::Level3:
        return level(3);
    case View::Worker:
        return {QStringLiteral("Employee number"), QStringLiteral("Name")};
    case View::Department:
        return {QStringLiteral("Department number")};
    case View::Day:
        return {QStringLiteral("Date worked")};
    }
    return {};
}

Totals& Totals::operator+=(const Totals& other)
{
    jobs += other.jobs;
    seconds += other.seconds;
    labour += other.labour;
    bonus += other.bonus;
    pieces += other.pieces;
    standard += other.standard;
    return *this;
}

Report::Report(Options options)
    : m_options(std::move(options))
{ }

QStringList Report::keyOf(const Punch& punch) const
{
    const auto level = [&](int n) {
        return QStringList {
            plainText(punch.levels.at(n).itemCode), plainText(punch.levels.at(n).itemDescription)};
    };
    switch (m_options.view) {
    case View::Job:
        return level(0) + level(1) + level(2);
    case View::Level1:
        return level(0);
    case View::Level2:
        return level(1);
    case View::Level3:
        return level(2);
    case View::Worker:
        return {plainText(punch.empNum), plainText(punch.name)};
    case View::Department:
        return {plainText(punch.deptNum)};
    case View::Day:
        return {plainText(punch.dateWorked)};
    }
    return {};
}

void Report::add(const Punch& punch)
{
    Checks checks;
    const QString state = plainText(punch.badge).trimmed();
    const bool open = state.compare(QLatin1String("Open"), Qt::CaseInsensitive) == 0;
    if (!open && state.compare(QLatin1String("Closed"), Qt::CaseInsensitive) != 0)
        checks.fail(QStringLiteral("Badge"), "is neither Open nor Closed");
    const auto date = checks.date(QStringLiteral("DateWorked"), punch.dateWorked);
    if (date
        && ((m_options.from && *date < *m_options.from) || (m_options.to && *date > *m_options.to)))
        return;
    const auto start = checks.time(QStringLiteral("TimeStart"), punch.timeStart);

    if (open && checks.passed()) {
        const QDateTime started(*date, *start);
        const qint64 secondsOpen = started.secsTo(m_options.now);
        m_openJobs.append({keyOf(punch), workerOf(punch), started, secondsOpen,
            secondsOpen > m_options.shiftSeconds});
        return;
    }
    if (open)
        return notCosted(punch, checks.reasons());

    const auto stop = checks.time(QStringLiteral("TimeStop"), punch.timeStop);
    const Wide rate = checks.amount(QStringLiteral("BaseRate"), punch.baseRate);
    const Wide pieces = checks.amount(QStringLiteral("Pieces"), punch.pieces);
    Wide bonusRate = 0;
    Wide standardCost = 0;
    bool deepest = true;
    for (int level = 2; level >= 0; --level) {
        const Punch::Level& values = punch.levels.at(level);
        if (plainText(values.description).isEmpty())
            continue;
        // A missing rate or cost is none; the terminal asks no pieces then.
        if (std::exchange(deepest, false))
            bonusRate = checks.amount(bonusRateFields.at(level), values.bonusRate, 0);
        standardCost += checks.amount(standardCostFields.at(level), values.standardCost, 0);
    }

    if (!checks.passed())
        return notCosted(punch, checks.reasons());

    Totals row;
    row.jobs = 1;
    row.seconds = start->secsTo(*stop);
    if (row.seconds < 0)
        row.seconds += secondsPerDay; // ran past midnight
    row.labour = row.seconds * rate * scale;
    row.bonus = pieces * bonusRate * 3600;
    row.pieces = pieces;
    row.standard = pieces * standardCost * 3600;
    m_groups[keyOf(punch)] += row;
    m_total += row;
}

void Report::notCosted(const Punch& punch, const QString& reasons)
{
    m_notCosted.append(
        {punch.row, keyOf(punch), workerOf(punch), plainText(punch.dateWorked), reasons});
}

QList<Group> Report::groups() const
{
    QList<Group> groups;
    groups.reserve(m_groups.size());
    for (auto it = m_groups.cbegin(); it != m_groups.cend(); ++it)
        groups.append({it.key(), it.value()});
    std::sort(groups.begin(), groups.end(),
        [](const Group& a, const Group& b) { return keyLess(a.key, b.key); });
    return groups;
}

QList<Figure> figures()
{
    return {{QStringLiteral("Jobs"), QStringLiteral("closed job punches costed")},
        {QStringLiteral("Hours"),
            QStringLiteral("TimeStop - TimeStart; a stop before the start ran past midnight")},
        {QStringLiteral("Labour"), QStringLiteral("hours x BaseRate")},
        {QStringLiteral("Bonus"),
            QStringLiteral("Pieces x bonus rate of the deepest level with a description")},
        {QStringLiteral("Labour + bonus"), {}}, {QStringLiteral("Pieces"), {}},
        {QStringLiteral("Standard per piece"),
            QStringLiteral("sum of the standard costs of the levels with a description")},
        {QStringLiteral("Actual per piece"), QStringLiteral("(labour + bonus) / pieces")},
        {QStringLiteral("Variance per piece"), QStringLiteral("actual - standard")}};
}

QString moneyText(Wide units)
{
    return decimal(divideRounded(units, unitsPerCurrency / 100), 2);
}

QString hoursText(qint64 seconds)
{
    return decimal(divideRounded(seconds, 36), 2);
}

QStringList figureTexts(const Totals& totals)
{
    const Wide cost = totals.labour + totals.bonus;
    const bool perPieceKnown = totals.pieces > 0;
    return {QString::number(totals.jobs), hoursText(totals.seconds), moneyText(totals.labour),
        moneyText(totals.bonus), moneyText(cost), piecesText(totals.pieces),
        perPieceKnown ? perPiece(totals.standard, totals.pieces) : QString(),
        perPieceKnown ? perPiece(cost, totals.pieces) : QString(),
        perPieceKnown ? perPiece(cost - totals.standard, totals.pieces) : QString()};
}

} // namespace JobCost
