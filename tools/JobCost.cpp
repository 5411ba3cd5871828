#include "JobCost.h"

#include "data/SiteModel.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace JobCost {
namespace {

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

// The punch whose fields a deletion's audit row kept.
Punch punchOf(const QJsonObject& fields)
{
    const auto field = [&](const QString& name) {
        const QJsonValue value = fields.value(name);
        return value.isUndefined() || value.isNull() ? QVariant() : value.toVariant();
    };
    namespace JobPunch = SiteModel::JobPunch;
    using JobPunch::LevelField;
    const auto level = [&](int n) {
        return Punch::Level {field(JobPunch::level(n, LevelField::Description)),
            field(JobPunch::level(n, LevelField::ItemCode)),
            field(JobPunch::level(n, LevelField::ItemDescription)),
            field(JobPunch::level(n, LevelField::StandardCost)),
            field(JobPunch::level(n, LevelField::BonusRate))};
    };
    Punch punch;
    punch.name = field(JobPunch::name);
    punch.badge = field(JobPunch::badge);
    punch.dateWorked = field(JobPunch::dateWorked);
    punch.timeStart = field(JobPunch::timeStart);
    punch.timeStop = field(JobPunch::timeStop);
    punch.levels = {level(1), level(2), level(3)};
    punch.pieces = field(JobPunch::pieces);
    punch.empNum = field(JobPunch::empNum);
    punch.deptNum = field(JobPunch::deptNum);
    punch.baseRate = field(JobPunch::baseRate);
    return punch;
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

// The fields of each level, from 0, that a costing checks.
std::array<QString, 3> levelFields(SiteModel::JobPunch::LevelField field)
{
    return {SiteModel::JobPunch::level(1, field), SiteModel::JobPunch::level(2, field),
        SiteModel::JobPunch::level(3, field)};
}
const std::array<QString, 3> bonusRateFields
    = levelFields(SiteModel::JobPunch::LevelField::BonusRate);
const std::array<QString, 3> standardCostFields
    = levelFields(SiteModel::JobPunch::LevelField::StandardCost);

QString workerOf(const Punch& punch)
{
    const QString number = plainText(punch.empNum);
    return number.isEmpty() ? plainText(punch.name)
                            : QStringLiteral("%1 (%2)").arg(plainText(punch.name), number);
}

// One field of two keys in key order: numbers by value (department 9 before
// department 12) and before texts, texts without regard to letter case, then
// with it. Zero when the two are the same text.
int fieldOrder(QStringView a, QStringView b)
{
    bool aIsNumber = false;
    bool bIsNumber = false;
    const double x = a.toDouble(&aIsNumber);
    const double y = b.toDouble(&bIsNumber);
    if (aIsNumber && bIsNumber && x != y)
        return x < y ? -1 : 1;
    if (aIsNumber != bIsNumber)
        return aIsNumber ? -1 : 1;
    if (const int order = a.compare(b, Qt::CaseInsensitive); order != 0)
        return order;
    return a.compare(b);
}

void putCount(QByteArray& out, quint64 value)
{
    do {
        out.append(char((value & 0x7f) | (value > 0x7f ? 0x80 : 0)));
        value >>= 7;
    } while (value > 0);
}

quint64 takeCount(const char*& in)
{
    quint64 value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        value |= quint64(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return value;
    }
}

// A key field read back as UTF-16 without a heap allocation where it is short
// and plain ASCII, as item codes and descriptions mostly are.
class FieldView
{
public:
    explicit FieldView(QByteArrayView utf8)
    {
        if (utf8.size() <= shortField
            && std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= 0; })) {
            m_ascii.resize(utf8.size());
            std::copy(utf8.begin(), utf8.end(), m_ascii.begin());
            m_view = QStringView(m_ascii.constData(), m_ascii.size());
        } else {
            m_other = QString::fromUtf8(utf8);
            m_view = m_other;
        }
    }
    QStringView view() const { return m_view; }

private:
    static constexpr qsizetype shortField = 128;
    QVarLengthArray<char16_t, shortField> m_ascii;
    QString m_other;
    QStringView m_view;
};

} // namespace

// The sums of the groups, packed: a report by job on a large site has tens of
// thousands of groups, and a QStringList per key would hold several times the
// memory of its text. Each entry is its totals, then the number of key fields
// and each field as its UTF-8 length and bytes. The entries fill blocks that
// never move: one buffer grown by doubling holds its old and its new copy at
// once while it grows, and set the report's peak memory.
class Report::Groups
{
public:
    using Entry = char*;

    void add(const QStringList& key, const Totals& totals)
    {
        QByteArray entry(reinterpret_cast<const char*>(&totals), sizeof(Totals));
        putCount(entry, quint64(key.size()));
        for (const QString& field : key) {
            const QByteArray utf8 = field.toUtf8();
            putCount(entry, quint64(utf8.size()));
            entry.append(utf8);
        }
        if (m_blocks.empty() || m_free < entry.size()) {
            m_free = std::max(blockSize, entry.size());
            m_blocks.push_back(std::make_unique<char[]>(std::size_t(m_free)));
            m_next = m_blocks.back().get();
        }
        std::memcpy(m_next, entry.constData(), std::size_t(entry.size()));
        m_entries.push_back(m_next);
        m_next += entry.size();
        m_free -= entry.size();
    }

    // In key order, each key once with the sum of its entries.
    void sort()
    {
        // The first field decides most comparisons; where it is a number, it is
        // read once rather than at every comparison.
        struct Sorted
        {
            Entry entry;
            bool isNumber;
            double number;
        };
        std::vector<Sorted> sorted;
        sorted.reserve(m_entries.size());
        for (const Entry entry : m_entries) {
            const auto key = fields(entry);
            bool isNumber = false;
            const double number
                = key.isEmpty() ? 0 : FieldView(key.first()).view().toDouble(&isNumber);
            sorted.push_back({entry, isNumber, number});
        }
        std::sort(sorted.begin(), sorted.end(), [this](const Sorted& a, const Sorted& b) {
            if (a.isNumber && b.isNumber && a.number != b.number)
                return a.number < b.number;
            if (a.isNumber != b.isNumber)
                return a.isNumber;
            return order(a.entry, b.entry) < 0;
        });
        for (std::size_t i = 0; i < sorted.size(); ++i)
            m_entries[i] = sorted[i].entry;
        std::vector<Entry> merged;
        for (const Entry entry : m_entries) {
            if (!merged.empty() && order(merged.back(), entry) == 0) {
                Totals sum = totals(merged.back());
                sum += totals(entry);
                std::memcpy(merged.back(), &sum, sizeof(Totals));
            } else {
                merged.push_back(entry);
            }
        }
        m_entries = std::move(merged);
    }

    qsizetype size() const { return qsizetype(m_entries.size()); }
    Totals totals(Entry entry) const
    {
        Totals totals;
        std::memcpy(&totals, entry, sizeof(Totals));
        return totals;
    }
    QStringList key(Entry entry) const
    {
        QStringList key;
        for (const QByteArrayView field : fields(entry))
            key << QString::fromUtf8(field);
        return key;
    }
    const std::vector<Entry>& entries() const { return m_entries; }

private:
    static constexpr qsizetype blockSize = 256 * 1024;

    QVarLengthArray<QByteArrayView, 8> fields(Entry entry) const
    {
        const char* in = entry + sizeof(Totals);
        QVarLengthArray<QByteArrayView, 8> fields(qsizetype(takeCount(in)));
        for (QByteArrayView& field : fields) {
            const auto size = qsizetype(takeCount(in));
            field = QByteArrayView(in, size);
            in += size;
        }
        return fields;
    }

    int order(Entry a, Entry b) const
    {
        const auto x = fields(a);
        const auto y = fields(b);
        for (qsizetype i = 0; i < std::min(x.size(), y.size()); ++i) {
            if (x.at(i) == y.at(i))
                continue;
            if (const int order = fieldOrder(FieldView(x.at(i)).view(), FieldView(y.at(i)).view()))
                return order;
        }
        return x.size() == y.size() ? 0 : x.size() < y.size() ? -1 : 1;
    }

    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_next = nullptr; // the free room of the last block
    qsizetype m_free = 0;
    std::vector<Entry> m_entries;
};

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

namespace {

QString headingIn(Words words, const char* heading)
{
    return words == Words::Translated ? QCoreApplication::translate("JobCost", heading)
                                      : QString::fromLatin1(heading);
}

} // namespace

QStringList keyHeadings(View view, Words words)
{
    const auto level = [words](int n) {
        return QStringList {headingIn(words, QT_TRANSLATE_NOOP("JobCost", "Level %1 code")).arg(n),
            headingIn(words, QT_TRANSLATE_NOOP("JobCost", "Level %1 item")).arg(n)};
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
        return {headingIn(words, QT_TRANSLATE_NOOP("JobCost", "Employee number")),
            headingIn(words, QT_TRANSLATE_NOOP("JobCost", "Name"))};
    case View::Department:
        return {headingIn(words, QT_TRANSLATE_NOOP("JobCost", "Department"))};
    case View::Day:
        return {headingIn(words, QT_TRANSLATE_NOOP("JobCost", "Date"))};
    }
    return {};
}

bool keyIsNumber(View view, qsizetype column)
{
    return (view == View::Worker || view == View::Department) && column == 0;
}

Totals& Totals::operator+=(const Totals& other)
{
    jobs += other.jobs;
    seconds += other.seconds;
    labour += other.labour;
    bonus += other.bonus;
    pieces += other.pieces;
    standard += other.standard;
    corrected += other.corrected;
    return *this;
}

Totals costOf(const Costing& costing)
{
    Totals row;
    row.jobs = 1;
    row.seconds = costing.seconds;
    row.labour = costing.seconds * costing.rate * scale;
    row.bonus = costing.pieces * costing.bonusRate * 3600;
    row.pieces = costing.pieces;
    row.standard = costing.pieces * costing.standardCost * 3600;
    return row;
}

Report::Report(Options options)
    : m_options(std::move(options))
    , m_groups(std::make_unique<Groups>())
{ }

Report::~Report() = default;
Report::Report(Report&&) noexcept = default;
Report& Report::operator=(Report&&) noexcept = default;

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
        const QDateTime started = m_options.time.moment(*date, *start);
        const qint64 secondsOpen = started.secsTo(m_options.now);
        m_openJobs.append({keyOf(punch), workerOf(punch), started, secondsOpen,
            secondsOpen > m_options.shiftSeconds, punch.corrected});
        return;
    }
    if (open)
        return notCosted(punch, checks.reasons());

    const auto stop = checks.time(QStringLiteral("TimeStop"), punch.timeStop);
    Costing costing;
    costing.rate = checks.amount(QStringLiteral("BaseRate"), punch.baseRate);
    costing.pieces = checks.amount(QStringLiteral("Pieces"), punch.pieces);
    bool deepest = true;
    for (int level = 2; level >= 0; --level) {
        const Punch::Level& values = punch.levels.at(level);
        if (plainText(values.description).isEmpty())
            continue;
        // A missing rate or cost is none; the terminal asks no pieces then.
        if (std::exchange(deepest, false))
            costing.bonusRate = checks.amount(bonusRateFields.at(level), values.bonusRate, 0);
        costing.standardCost += checks.amount(standardCostFields.at(level), values.standardCost, 0);
    }

    if (!checks.passed())
        return notCosted(punch, checks.reasons());

    costing.seconds = m_options.time.secondsWorked(*date, *start, *stop);
    Totals row = costOf(costing);
    row.corrected = punch.corrected ? 1 : 0;
    const QStringList key = keyOf(punch);
    m_rowSums[key] += row;
    m_total += row;
    if (m_options.detail) {
        const QDateTime started = m_options.time.moment(*date, *start);
        const QDateTime stopped = started.addSecs(costing.seconds);
        m_details[key].push_back({punch.row, workerOf(punch), started, stopped, row,
            SiteTime::arrivedAway(started, punch.startArrived)
                || SiteTime::arrivedAway(stopped, punch.endArrived)});
    }
}

void Report::addSums(const QStringList& key, const Totals& totals)
{
    m_groups->add(key, totals);
    m_total += totals;
}

void Report::notCosted(const Punch& punch, const QString& reasons)
{
    m_notCosted.append({punch.row, keyOf(punch), workerOf(punch), plainText(punch.dateWorked),
        reasons, punch.corrected});
}

void Report::addCorrection(const Audit& audit, const std::optional<Punch>& punch)
{
    const QJsonObject oldValues = QJsonDocument::fromJson(audit.oldValues.toUtf8()).object();
    const QJsonObject newValues = QJsonDocument::fromJson(audit.newValues.toUtf8()).object();
    const Punch named = punch ? *punch : punchOf(oldValues);
    const QString dateWorked = QStringLiteral("DateWorked");
    const QList<std::optional<QDate>> dates {dateOf(named.dateWorked),
        dateOf(oldValues.value(dateWorked).toVariant()),
        dateOf(newValues.value(dateWorked).toVariant())};
    const bool inPeriod = std::any_of(dates.cbegin(), dates.cend(), [&](const auto& date) {
        return date && (!m_options.from || *date >= *m_options.from)
            && (!m_options.to || *date <= *m_options.to);
    });
    if (!inPeriod && (m_options.from || m_options.to))
        return;

    CorrectionLine line {audit, keyOf(named), workerOf(named), {}, {}, !punch};
    const auto date = dateOf(named.dateWorked);
    const auto start = timeOf(named.timeStart);
    if (date && start) {
        line.start = m_options.time.moment(*date, *start);
        const auto stop = timeOf(named.timeStop);
        const bool open
            = plainText(named.badge).trimmed().compare(QLatin1String("Open"), Qt::CaseInsensitive)
            == 0;
        if (stop && !open)
            line.stop = m_options.time.next(line.start, *stop);
    }
    m_corrections.append(line);
}

void Report::numberNotCosted(const std::function<qint64(qint64)>& place)
{
    for (NotCosted& row : m_notCosted)
        row.row = place(row.row);
    std::stable_sort(m_notCosted.begin(), m_notCosted.end(),
        [](const NotCosted& a, const NotCosted& b) { return a.row < b.row; });
}

void Report::finish()
{
    for (auto it = m_rowSums.cbegin(); it != m_rowSums.cend(); ++it)
        m_groups->add(it.key(), it.value());
    m_rowSums.clear();
    m_groups->sort();
    for (std::vector<Detail>& details : m_details)
        std::stable_sort(details.begin(), details.end(),
            [](const Detail& a, const Detail& b) { return a.start < b.start; });
}

qsizetype Report::groupCount() const
{
    return m_groups->size();
}

Wide Report::largestCost() const
{
    Wide largest = 1;
    for (const auto entry : m_groups->entries()) {
        const Totals totals = m_groups->totals(entry);
        largest = std::max(largest, totals.labour + totals.bonus);
    }
    return largest;
}

namespace {

// Where the day view puts its subtotals: after the last day of each ISO week
// (Monday to Sunday) and of each month.
class Subtotals
{
public:
    explicit Subtotals(const std::function<void(const Line&)>& visit)
        : m_visit(visit)
    { }

    void day(const QDate& date, const Totals& totals)
    {
        int year = 0;
        const int week = date.weekNumber(&year);
        const QString weekKey
            = QStringLiteral("%1-W%2").arg(year).arg(week, 2, 10, QLatin1Char('0'));
        const QString monthKey = date.toString(QStringLiteral("yyyy-MM"));
        if (weekKey != m_week.key.value(0))
            emitWeek();
        if (monthKey != m_month.key.value(0))
            emitMonth();
        m_week.key = QStringList {weekKey};
        m_month.key = QStringList {monthKey};
        m_week.totals += totals;
        m_month.totals += totals;
    }

    void end()
    {
        emitWeek();
        emitMonth();
    }

private:
    void emitWeek() { flush(m_week, Line::Kind::Week); }
    void emitMonth() { flush(m_month, Line::Kind::Month); }
    void flush(Line& line, Line::Kind kind)
    {
        if (line.key.isEmpty())
            return;
        line.kind = kind;
        m_visit(line);
        line = Line();
    }

    const std::function<void(const Line&)>& m_visit;
    Line m_week;
    Line m_month;
};

} // namespace

void Report::lines(const std::function<void(const Line&)>& visit) const
{
    Q_ASSERT(m_rowSums.isEmpty());
    std::optional<Subtotals> subtotals;
    if (m_options.view == View::Day)
        subtotals.emplace(visit);
    for (const auto entry : m_groups->entries()) {
        Line group {Line::Kind::Group, m_groups->key(entry), m_groups->totals(entry), nullptr};
        if (subtotals) {
            const QDate day = QDate::fromString(group.key.value(0), Qt::ISODate);
            if (day.isValid())
                subtotals->day(day, group.totals);
        }
        visit(group);
        const auto details = m_details.constFind(group.key);
        if (details == m_details.cend())
            continue;
        for (const Detail& detail : *details)
            visit({Line::Kind::Detail, group.key, detail.totals, &detail});
    }
    if (subtotals)
        subtotals->end();
    visit({Line::Kind::Total, {}, m_total, nullptr});
}

QStringList figureHeadings(Words words)
{
    QStringList headings;
    for (const char* heading :
        {QT_TRANSLATE_NOOP("JobCost", "Jobs"), QT_TRANSLATE_NOOP("JobCost", "Hours"),
            QT_TRANSLATE_NOOP("JobCost", "Labour"), QT_TRANSLATE_NOOP("JobCost", "Bonus"),
            QT_TRANSLATE_NOOP("JobCost", "Cost"), QT_TRANSLATE_NOOP("JobCost", "Pieces"),
            QT_TRANSLATE_NOOP("JobCost", "Standard per piece"),
            QT_TRANSLATE_NOOP("JobCost", "Actual per piece"),
            QT_TRANSLATE_NOOP("JobCost", "Variance per piece"),
            QT_TRANSLATE_NOOP("JobCost", "Variance"), QT_TRANSLATE_NOOP("JobCost", "Variance %")})
        headings << headingIn(words, heading);
    return headings;
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
    const Wide variance = cost - totals.standard;
    const bool perPieceKnown = totals.pieces > 0;
    return {QString::number(totals.jobs), hoursText(totals.seconds), moneyText(totals.labour),
        moneyText(totals.bonus), moneyText(cost), piecesText(totals.pieces),
        perPieceKnown ? perPiece(totals.standard, totals.pieces) : QString(),
        perPieceKnown ? perPiece(cost, totals.pieces) : QString(),
        perPieceKnown ? perPiece(variance, totals.pieces) : QString(), moneyText(variance),
        totals.standard != 0 ? decimal(divideRounded(variance * 10'000, totals.standard), 2)
                             : QString()};
}

QStringList detailTexts(const Totals& totals)
{
    QStringList texts(figureHeadings().size());
    texts[1] = hoursText(totals.seconds);
    texts[2] = moneyText(totals.labour);
    texts[3] = moneyText(totals.bonus);
    texts[5] = piecesText(totals.pieces);
    return texts;
}

} // namespace JobCost
