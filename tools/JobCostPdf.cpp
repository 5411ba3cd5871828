#include "JobCostPdf.h"

#include "JobCost.h"
#include "ui/PdfPages.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <functional>
#include <utility>

namespace JobCostPdf {
namespace {

using namespace JobCost;

// Points.
constexpr double bodySize = PdfPages::bodySize;
constexpr double lineHeight = PdfPages::lineHeight;
constexpr double padding = PdfPages::padding;
constexpr double cellGap = 6; // between the figures of two columns
constexpr double barWidth = 56;
// A figure column at least this wide puts its heading on two lines at most.
constexpr double figureWidth = 40;
constexpr double detailIndent = 10;

const QColor labourColour(0x2f, 0x6d, 0xb5);
const QColor bonusColour(0xe0, 0x8a, 0x1e);
const QColor shadeColour = PdfPages::shadeColour;
const QColor subtotalColour(0xdd, 0xe8, 0xf4);
const QColor detailColour(0x44, 0x44, 0x44);

QString correctedHeading()
{
    return QCoreApplication::translate("JobCostPdf", "Corrected");
}

QString correctedMark()
{
    return QCoreApplication::translate("JobCostPdf", "corrected at the desk");
}

using Align = PdfPages::Align;
using Column = PdfPages::Column;
using Cell = PdfPages::Cell;

QString viewWords(View view)
{
    switch (view) {
    case View::Job:
        return QCoreApplication::translate("JobCostPdf", "job (level 1 / level 2 / level 3)");
    case View::Level1:
    case View::Level2:
    case View::Level3:
        return QCoreApplication::translate("JobCostPdf", "level %1 item")
            .arg(static_cast<int>(view));
    case View::Worker:
        return QCoreApplication::translate("JobCostPdf", "worker");
    case View::Department:
        return QCoreApplication::translate("JobCostPdf", "department (DeptNum)");
    case View::Day:
        return QCoreApplication::translate("JobCostPdf", "day worked");
    }
    return {};
}

QString periodText(const Options& options)
{
    const auto iso = [](const std::optional<QDate>& date) {
        return date->toString(Qt::ISODate);
    };
    if (options.from && options.to)
        return QCoreApplication::translate("JobCostPdf", "%1 to %2")
            .arg(iso(options.from), iso(options.to));
    if (options.from)
        return QCoreApplication::translate("JobCostPdf", "from %1").arg(iso(options.from));
    if (options.to)
        return QCoreApplication::translate("JobCostPdf", "up to %1").arg(iso(options.to));
    return QCoreApplication::translate("JobCostPdf", "all");
}

// Code and item of each level (or number and name) side by side.
QString label(const QStringList& key)
{
    QStringList parts;
    for (qsizetype i = 0; i < key.size(); i += 2) {
        const QString part = key.mid(i, 2).join(QLatin1Char(' ')).trimmed();
        if (!part.isEmpty())
            parts << part;
    }
    return parts.isEmpty() ? QCoreApplication::translate("JobCostPdf", "(none)")
                           : parts.join(QLatin1String(" / "));
}

QString detailLabel(const Detail& detail)
{
    const QString stop = detail.stop.date() == detail.start.date()
        ? detail.stop.toString(QStringLiteral("HH:mm:ss"))
        : detail.stop.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return QCoreApplication::translate("JobCostPdf", "%1, %2 to %3%4")
        .arg(detail.worker, detail.start.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), stop,
            detail.arrivedAway ? QStringLiteral(" \u2020") : QString());
}

QString jsonText(const QJsonValue& value)
{
    if (value.isNull() || value.isUndefined())
        return QCoreApplication::translate("JobCostPdf", "(empty)");
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 15);
    return value.toVariant().toString();
}

// What a correction changed, "TimeStop: 07:04:26 to 15:30:00; Badge: Open to
// Closed", or what it did where it names no field.
QString changesOf(const Audit& audit)
{
    const QJsonObject oldValues = QJsonDocument::fromJson(audit.oldValues.toUtf8()).object();
    const QJsonObject newValues = QJsonDocument::fromJson(audit.newValues.toUtf8()).object();
    QStringList changes;
    for (auto it = newValues.constBegin(); it != newValues.constEnd(); ++it)
        changes << QCoreApplication::translate("JobCostPdf", "%1: %2 to %3")
                       .arg(it.key(), jsonText(oldValues.value(it.key())), jsonText(it.value()));
    if (!changes.isEmpty())
        return changes.join(QLatin1String("; "));
    if (audit.action == QLatin1String("delete"))
        return QCoreApplication::translate("JobCostPdf", "punch deleted");
    if (audit.action == QLatin1String("apply"))
        return QCoreApplication::translate("JobCostPdf", "a terminal's punch applied");
    if (audit.action == QLatin1String("dismiss"))
        return QCoreApplication::translate("JobCostPdf", "a terminal's punch dismissed");
    return {};
}

QString timestamp(const QDateTime& moment)
{
    return moment.isValid() ? moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

double toDouble(Wide value)
{
    return static_cast<double>(static_cast<long double>(value));
}

QFont font(double size, bool bold = false)
{
    return PdfPages::font(size, bold);
}

// Draws the report on the pages given, once to count them and once to paint.
class Renderer
{
public:
    Renderer(const Report& report, const Heading& heading, const Numbers& numbers, PdfPages& pages)
        : m_report(report)
        , m_heading(heading)
        , m_numbers(numbers)
        , m_pages(pages)
    {
        m_pages.setFooter(
            QCoreApplication::translate("JobCostPdf", "Job cost report by %1, dates worked: %2")
                .arg(viewWords(m_report.options().view), periodText(m_report.options())));
    }

    void run()
    {
        headingBlock();
        groupTable();
        openJobs();
        notCosted();
        if (m_report.options().corrections)
            corrections();
    }

private:
    double textWidth(const QString& text, const QFont& font) const
    {
        return m_pages.textWidth(text, font);
    }
    void paragraph(const QString& words, const QFont& font, double gapAfter = 0)
    {
        m_pages.paragraph(words, font, gapAfter);
    }
    void section(const QString& title) { m_pages.section(title); }
    void table(const QList<Column>& columns, const std::function<void()>& rows)
    {
        m_pages.table(columns, rows);
    }
    double row(const QList<Column>& columns, const QList<Cell>& cells, const QColor& shade = {},
        double indent = 0, const QColor& colour = Qt::black)
    {
        return m_pages.row(columns, cells, shade, indent, colour);
    }
    void need(double height) { m_pages.need(height); }

    void headingBlock()
    {
        const Options& options = m_report.options();
        const QFont info = font(bodySize);
        m_pages.title(QCoreApplication::translate("JobCostPdf", "Job cost report by %1")
                          .arg(viewWords(options.view)));
        paragraph(QCoreApplication::translate("JobCostPdf", "Site: %1").arg(m_heading.site), info);
        paragraph(
            QCoreApplication::translate("JobCostPdf", "Dates worked: %1").arg(periodText(options)),
            info);
        paragraph(QCoreApplication::translate("JobCostPdf",
                      "Made %1 by %2. Open jobs are timed to that moment; a shift is %3 hours.")
                      .arg(options.now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                          m_heading.madeBy, grouped(hoursText(options.shiftSeconds), m_numbers)),
            info, 5);
        paragraph(QCoreApplication::translate("JobCostPdf",
                      "How each figure is worked out, from the values each punch froze "
                      "when its job started:"),
            font(bodySize, true));
        paragraph(QCoreApplication::translate("JobCostPdf",
                      "Hours = the time that passed from TimeStart on DateWorked to "
                      "the first moment after it when the site's clocks (%1) read "
                      "TimeStop: past midnight, and across the nights the clocks "
                      "change, as the hours were worked. Labour = hours x BaseRate, "
                      "the worker's pay rate.")
                      .arg(QString::fromUtf8(options.time.zone().id())),
            info);
        for (const char* words :
            {
                QT_TRANSLATE_NOOP("JobCostPdf",
                    "Bonus = Pieces x the bonus rate of the deepest level with a description "
                    "(level "
                    "3, else 2, else 1). Cost = labour + bonus."),
                QT_TRANSLATE_NOOP("JobCostPdf",
                    "Standard = pieces x the sum of the standard costs of the levels with a "
                    "description. Per piece: standard, actual (cost / pieces) and variance (actual "
                    "- "
                    "standard), empty without pieces."),
                QT_TRANSLATE_NOOP("JobCostPdf",
                    "Variance = cost - standard, above zero when the work cost more than standard; "
                    "Variance % = variance / standard, empty without a standard."),
                QT_TRANSLATE_NOOP("JobCostPdf",
                    "Rates, costs and pieces are read to four decimals and summed exactly; each "
                    "figure is rounded once, half away from zero (money to the cent, per piece to "
                    "four decimals, hours and percentages to two), so a figure may differ in its "
                    "last digit from one worked out of other rounded figures."),
                QT_TRANSLATE_NOOP("JobCostPdf",
                    "Open jobs are never costed: they are listed apart with the hours open so far. "
                    "Rows with impossible values are listed under Rows not costed."),
                QT_TRANSLATE_NOOP("JobCostPdf",
                    "Corrected = how many of the punches a supervisor corrected at the desk (empty "
                    "where none); a punch deleted there is in no figure."),
            })
            paragraph(QCoreApplication::translate("JobCostPdf", words), info);
        if (options.detail)
            paragraph(QStringLiteral("\u2020 = ")
                    + QCoreApplication::translate("JobCostPdf",
                        "the punch's start or end reached the database "
                        "more than ten minutes away from its own time: kept at a "
                        "terminal through an outage, written on a clock set wrong, "
                        "or by hand."),
                info);
        m_pages.moveDown(5);
        const auto longOpen = std::count_if(m_report.openJobs().cbegin(),
            m_report.openJobs().cend(), [](const OpenJob& job) { return job.longerThanShift; });
        paragraph(QCoreApplication::translate("JobCostPdf",
                      "Costed jobs: %1     Open jobs: %2, %3 of them longer than a "
                      "shift     Rows not costed: %4")
                      .arg(grouped(QString::number(m_report.total().jobs), m_numbers))
                      .arg(m_report.openJobs().size())
                      .arg(longOpen)
                      .arg(m_report.notCosted().size()),
            font(bodySize, true));
    }

    // The figures, then the punches corrected, where any.
    QStringList shownFigures(const Line& line) const
    {
        QStringList texts
            = line.kind == Line::Kind::Detail ? detailTexts(line.totals) : figureTexts(line.totals);
        texts << (line.totals.corrected > 0 ? QString::number(line.totals.corrected) : QString());
        for (QString& text : texts)
            text = grouped(text, m_numbers);
        return texts;
    }

    QString lineLabel(const Line& line) const
    {
        switch (line.kind) {
        case Line::Kind::Group:
            return label(line.key);
        case Line::Kind::Detail:
            return detailLabel(*line.detail);
        case Line::Kind::Week:
            return QCoreApplication::translate("JobCostPdf", "Week %1").arg(line.key.value(0));
        case Line::Kind::Month:
            return QCoreApplication::translate("JobCostPdf", "Month %1").arg(line.key.value(0));
        case Line::Kind::Total:
            return QCoreApplication::translate("JobCostPdf", "Total");
        }
        return {};
    }

    // Each figure column is as wide as its widest figure or heading word.
    QList<Column> groupColumns(bool& withBar) const
    {
        const QStringList headings = figureHeadings(Words::Translated) << correctedHeading();
        QList<double> widths(headings.size(), figureWidth);
        for (qsizetype i = 0; i < headings.size(); ++i) {
            for (const QString& word : headings.at(i).split(QLatin1Char(' ')))
                widths[i] = std::max(widths[i], textWidth(word, font(bodySize, true)));
        }
        m_report.lines([&](const Line& line) {
            const QStringList texts = shownFigures(line);
            for (qsizetype i = 0; i < texts.size(); ++i)
                widths[i] = std::max(widths[i], textWidth(texts.at(i), font(bodySize, true)));
        });
        double figures = 0;
        for (double& width : widths)
            figures += (width += cellGap);
        withBar = m_pages.width() - figures - barWidth - cellGap >= 150;

        QList<Column> columns {
            {keyHeadings(m_report.options().view, Words::Translated).join(QLatin1String(" / ")), 0,
                Align::Left}};
        for (qsizetype i = 0; i < headings.size(); ++i)
            columns.append({headings.at(i), widths.at(i)});
        if (withBar) {
            columns.append({QString(), cellGap});
            columns.append(
                {QCoreApplication::translate("JobCostPdf", "Labour and bonus, full bar %1")
                        .arg(grouped(moneyText(m_report.largestCost()), m_numbers)),
                    barWidth, Align::Left});
        }
        return columns;
    }

    void groupTable()
    {
        bool withBar = false;
        const QList<Column> columns = groupColumns(withBar);
        const double largest = toDouble(m_report.largestCost());
        section(QCoreApplication::translate("JobCostPdf", "Costs by %1")
                    .arg(viewWords(m_report.options().view)));
        table(columns, [&] {
            bool shaded = false;
            m_report.lines([&](const Line& line) {
                const bool group = line.kind == Line::Kind::Group;
                const bool detail = line.kind == Line::Kind::Detail;
                const bool subtotal = !group && !detail;
                QList<Cell> cells {{lineLabel(line), subtotal}};
                for (const QString& figure : shownFigures(line))
                    cells.append({figure, subtotal});
                if (line.kind == Line::Kind::Total) {
                    need(2 * lineHeight + 2 * padding);
                    m_pages.rule(m_pages.y());
                    m_pages.moveDown(1);
                }
                const QColor shade = subtotal && line.kind != Line::Kind::Total ? subtotalColour
                    : group && (shaded = !shaded)                               ? shadeColour
                                                                                : QColor();
                const double height = row(columns, cells, shade, detail ? detailIndent : 0,
                    detail ? detailColour : QColor(Qt::black));
                if (group && withBar) {
                    const double x = m_pages.width() - barWidth;
                    const double y = m_pages.y() - height + padding + lineHeight * 0.2;
                    const double labour = barWidth * toDouble(line.totals.labour) / largest;
                    const double bonus = barWidth * toDouble(line.totals.bonus) / largest;
                    m_pages.fill(x, y, labour, lineHeight * 0.6, labourColour);
                    m_pages.fill(x + labour, y, bonus, lineHeight * 0.6, bonusColour);
                }
            });
        });
        if (withBar)
            legend();
    }

    void legend()
    {
        need(lineHeight + 2 * padding);
        const double x = m_pages.width() - barWidth - 60;
        const double y = m_pages.y() + padding;
        m_pages.fill(x, y + 2.5, 6, 5, labourColour);
        m_pages.text(
            x + 8, y, 50, QCoreApplication::translate("JobCostPdf", "labour"), font(bodySize));
        m_pages.fill(x + 60, y + 2.5, 6, 5, bonusColour);
        m_pages.text(
            x + 68, y, 50, QCoreApplication::translate("JobCostPdf", "bonus"), font(bodySize));
        m_pages.moveDown(lineHeight + 2 * padding);
    }

    void openJobs()
    {
        const QList<OpenJob>& jobs = m_report.openJobs();
        section(QCoreApplication::translate("JobCostPdf", "Open jobs, not costed: %1")
                    .arg(jobs.size()));
        if (jobs.isEmpty())
            return;
        const QList<Column> columns {
            {QCoreApplication::translate("JobCostPdf", "Job group"), 0, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Worker"), 170, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Started"), 95, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Hours open"), 60},
            {QString(), 110, Align::Left}};
        table(columns, [&] {
            bool shaded = false;
            for (const OpenJob& job : jobs) {
                const bool flagged = job.longerThanShift;
                QStringList marks;
                if (flagged)
                    marks << QCoreApplication::translate("JobCostPdf", "longer than a shift");
                if (job.corrected)
                    marks << correctedMark();
                row(columns,
                    {{label(job.key), flagged}, {job.worker, flagged},
                        {timestamp(job.started), flagged},
                        {grouped(hoursText(job.secondsOpen), m_numbers), flagged},
                        {marks.join(QLatin1String(", ")), flagged}},
                    (shaded = !shaded) ? shadeColour : QColor());
            }
        });
    }

    void notCosted()
    {
        const QList<NotCosted>& rows = m_report.notCosted();
        section(QCoreApplication::translate("JobCostPdf", "Rows not costed: %1").arg(rows.size()));
        if (rows.isEmpty())
            return;
        const QList<Column> columns {
            {QCoreApplication::translate("JobCostPdf", "Row"), 50, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Worker"), 150, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Date worked"), 70, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Job group"), 220, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Why"), 0, Align::Left}};
        table(columns, [&] {
            bool shaded = false;
            for (const NotCosted& bad : rows)
                row(columns,
                    {{QString::number(bad.row)}, {bad.worker}, {bad.dateWorked}, {label(bad.key)},
                        {bad.corrected ? bad.reason + QLatin1String("; ") + correctedMark()
                                       : bad.reason}},
                    (shaded = !shaded) ? shadeColour : QColor());
        });
    }

    void corrections()
    {
        const QList<CorrectionLine>& lines = m_report.corrections();
        section(QCoreApplication::translate("JobCostPdf", "Corrections of these dates worked: %1")
                    .arg(lines.size()));
        if (lines.isEmpty())
            return;
        const QList<Column> columns {
            {QCoreApplication::translate("JobCostPdf", "Corrected at"), 88, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "By"), 60, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Action"), 36, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Worker"), 110, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Job group"), 0, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Started"), 88, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Changes"), 170, Align::Left},
            {QCoreApplication::translate("JobCostPdf", "Reason"), 130, Align::Left}};
        table(columns, [&] {
            bool shaded = false;
            for (const CorrectionLine& line : lines)
                row(columns,
                    {{timestamp(line.audit.correctedAt)}, {line.audit.correctedBy},
                        {line.audit.action}, {line.worker}, {label(line.key)},
                        {timestamp(line.start)}, {changesOf(line.audit)}, {line.audit.reason}},
                    (shaded = !shaded) ? shadeColour : QColor());
        });
    }

    const Report& m_report;
    const Heading& m_heading;
    const Numbers& m_numbers;
    PdfPages& m_pages;
};

} // namespace

QString grouped(const QString& figure, const Numbers& numbers)
{
    const qsizetype digitsFrom = figure.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype point = figure.indexOf(QLatin1Char('.'));
    if (point < 0)
        point = figure.size();
    if (figure.isEmpty()
        || !std::all_of(figure.cbegin() + digitsFrom, figure.cbegin() + point,
            [](QChar c) { return c.isDigit(); }))
        return figure;
    const QChar group = !numbers.groupSeparator.isNull() ? numbers.groupSeparator
        : numbers.decimalSeparator == QLatin1Char(',')   ? QLatin1Char('.')
                                                         : QLatin1Char(',');
    QString shown = figure.mid(point);
    if (!shown.isEmpty())
        shown[0] = numbers.decimalSeparator;
    for (qsizetype end = point, n = 0; end > digitsFrom; --end, ++n) {
        if (n > 0 && n % 3 == 0)
            shown.prepend(group);
        shown.prepend(figure.at(end - 1));
    }
    return figure.left(digitsFrom) + shown;
}

bool write(const Report& report, const Heading& heading, QPageSize::PageSizeId size,
    const Numbers& numbers, QIODevice& out)
{
    return PdfPages::write(out,
        {QCoreApplication::translate("JobCostPdf", "Job cost report"), heading.madeBy, size},
        [&](PdfPages& pages) { Renderer(report, heading, numbers, pages).run(); });
}

} // namespace JobCostPdf
