#include "JobCostPdf.h"

#include "JobCost.h"

#include <QFontMetricsF>
#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <functional>
#include <utility>

namespace JobCostPdf {
namespace {

using namespace JobCost;

// Points.
constexpr double bodySize = 8;
constexpr double lineHeight = 10.5; // of one line of body text
constexpr double padding = 1.5; // above and below the text of a row
constexpr double cellGap = 6; // between the figures of two columns
constexpr double footerHeight = 16;
constexpr double barWidth = 56;
// A figure column at least this wide puts its heading on two lines at most.
constexpr double figureWidth = 40;
constexpr double detailIndent = 10;
constexpr double marginMm = 12;
constexpr int resolution = 720;

const QColor labourColour(0x2f, 0x6d, 0xb5);
const QColor bonusColour(0xe0, 0x8a, 0x1e);
const QColor shadeColour(0xf2, 0xf2, 0xf2);
const QColor subtotalColour(0xdd, 0xe8, 0xf4);
const QColor detailColour(0x44, 0x44, 0x44);

const QString correctedHeading = QStringLiteral("Corrected");
const QString correctedMark = QStringLiteral("corrected at the desk");

enum class Align
{
    Left,
    Right
};

struct Column
{
    QString heading;
    double width; // 0: what the other columns leave
    Align align = Align::Right;
};

struct Cell
{
    QString text;
    bool bold = false;
};

QString viewWords(View view)
{
    switch (view) {
    case View::Job:
        return QStringLiteral("job (level 1 / level 2 / level 3)");
    case View::Level1:
    case View::Level2:
    case View::Level3:
        return QStringLiteral("level %1 item").arg(static_cast<int>(view));
    case View::Worker:
        return QStringLiteral("worker");
    case View::Department:
        return QStringLiteral("department (DeptNum)");
    case View::Day:
        return QStringLiteral("day worked");
    }
    return {};
}

QString periodText(const Options& options)
{
    const auto iso = [](const std::optional<QDate>& date) {
        return date->toString(Qt::ISODate);
    };
    if (options.from && options.to)
        return QStringLiteral("%1 to %2").arg(iso(options.from), iso(options.to));
    if (options.from)
        return QStringLiteral("from %1").arg(iso(options.from));
    if (options.to)
        return QStringLiteral("up to %1").arg(iso(options.to));
    return QStringLiteral("all");
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
    return parts.isEmpty() ? QStringLiteral("(none)") : parts.join(QLatin1String(" / "));
}

QString detailLabel(const Detail& detail)
{
    const QString stop = detail.stop.date() == detail.start.date()
        ? detail.stop.toString(QStringLiteral("HH:mm:ss"))
        : detail.stop.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return QStringLiteral("%1, %2 to %3%4")
        .arg(detail.worker, detail.start.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), stop,
            detail.arrivedAway ? QStringLiteral(" \u2020") : QString());
}

QString jsonText(const QJsonValue& value)
{
    if (value.isNull() || value.isUndefined())
        return QStringLiteral("(empty)");
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
        changes << QStringLiteral("%1: %2 to %3")
                       .arg(it.key(), jsonText(oldValues.value(it.key())), jsonText(it.value()));
    if (!changes.isEmpty())
        return changes.join(QLatin1String("; "));
    if (audit.action == QLatin1String("delete"))
        return QStringLiteral("punch deleted");
    if (audit.action == QLatin1String("apply"))
        return QStringLiteral("a terminal's punch applied");
    if (audit.action == QLatin1String("dismiss"))
        return QStringLiteral("a terminal's punch dismissed");
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
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(size);
    font.setBold(bold);
    return font;
}

// Lays the pages out once to count them, then again to paint them: both runs
// measure with the writer's own metrics, so they break the pages alike.
class Renderer
{
public:
    Renderer(const Report& report, const Heading& heading, const Numbers& numbers,
        QPdfWriter& writer, int pageCount)
        : m_report(report)
        , m_heading(heading)
        , m_numbers(numbers)
        , m_writer(writer)
        , m_paint(pageCount > 0)
        , m_pageCount(pageCount)
        , m_unit(resolution / 72.0)
    {
        m_area = writer.pageLayout().paintRect(QPageLayout::Point);
        m_area.moveTo(0, 0);
        if (m_paint)
            m_painter.begin(&m_writer);
    }

    int run()
    {
        headingBlock();
        groupTable();
        openJobs();
        notCosted();
        if (m_report.options().corrections)
            corrections();
        footer();
        if (m_paint)
            m_painter.end();
        return m_page;
    }

private:
    QRectF device(double x, double y, double width, double height) const
    {
        return {x * m_unit, y * m_unit, width * m_unit, height * m_unit};
    }

    double textWidth(const QString& text, const QFont& font) const
    {
        return QFontMetricsF(font, &m_writer).horizontalAdvance(text) / m_unit;
    }

    // The lines `text` takes in `width` points: at word boundaries, or within a
    // word too long for a line; never cut.
    QStringList wrapped(const QString& text, const QFont& font, double width) const
    {
        QTextLayout layout(text, font, &m_writer);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        QStringList lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width * m_unit);
            lines << text.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        return lines.isEmpty() ? QStringList {QString()} : lines;
    }

    void text(double x, double y, double width, const QString& text, const QFont& font,
        Align align = Align::Left, const QColor& colour = Qt::black)
    {
        if (!m_paint)
            return;
        m_painter.setFont(font);
        m_painter.setPen(colour);
        m_painter.drawText(device(x, y, width, lineHeight),
            (align == Align::Left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, text);
    }

    void fill(double x, double y, double width, double height, const QColor& colour)
    {
        if (m_paint)
            m_painter.fillRect(device(x, y, width, height), colour);
    }

    void rule(double y, double thickness = 0.5)
    {
        fill(0, y, m_area.width(), thickness, Qt::black);
    }

    void footer()
    {
        const QFont small = font(bodySize);
        const double y = m_area.height() - lineHeight;
        text(0, y, m_area.width() * 0.75,
            QStringLiteral("Job cost report by %1, dates worked: %2")
                .arg(viewWords(m_report.options().view), periodText(m_report.options())),
            small);
        text(m_area.width() * 0.75, y, m_area.width() * 0.25,
            QStringLiteral("Page %1 of %2").arg(m_page).arg(m_pageCount), small, Align::Right);
    }

    // Room for `height` more points on this page, or a new page that starts
    // with the heads of the table being printed.
    void need(double height)
    {
        if (m_y + height <= m_area.height() - footerHeight)
            return;
        footer();
        if (m_paint)
            m_writer.newPage();
        ++m_page;
        m_y = 0;
        if (m_tableHeads)
            m_tableHeads();
    }

    void paragraph(const QString& words, const QFont& font, double gapAfter = 0)
    {
        const QStringList lines = wrapped(words, font, m_area.width());
        const double height = lines.size() * lineHeight * font.pointSizeF() / bodySize;
        need(height);
        for (qsizetype i = 0; i < lines.size(); ++i)
            text(0, m_y + i * height / lines.size(), m_area.width(), lines.at(i), font);
        m_y += height + gapAfter;
    }

    QList<QPair<double, double>> spans(const QList<Column>& columns) const
    {
        double fixed = 0;
        for (const Column& column : columns)
            fixed += column.width;
        QList<QPair<double, double>> spans;
        double x = 0;
        for (const Column& column : columns) {
            const double width = column.width > 0 ? column.width : m_area.width() - fixed;
            spans.append({x, width});
            x += width;
        }
        return spans;
    }

    // A row of cells, each wrapped in its column; returns its height. The
    // label cell of a detail row is indented.
    double row(const QList<Column>& columns, const QList<Cell>& cells, const QColor& shade = {},
        double indent = 0, const QColor& colour = Qt::black)
    {
        const auto at = spans(columns);
        QList<QStringList> lines;
        qsizetype most = 1;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const double inset = i == 0 ? indent : 0;
            lines << wrapped(
                cells.at(i).text, font(bodySize, cells.at(i).bold), at.at(i).second - 4 - inset);
            most = std::max(most, lines.last().size());
        }
        const double height = most * lineHeight + 2 * padding;
        need(height);
        if (shade.isValid())
            fill(0, m_y, m_area.width(), height, shade);
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const double inset = i == 0 ? indent : 0;
            for (qsizetype n = 0; n < lines.at(i).size(); ++n)
                text(at.at(i).first + 2 + inset, m_y + padding + n * lineHeight,
                    at.at(i).second - 4 - inset, lines.at(i).at(n),
                    font(bodySize, cells.at(i).bold), columns.at(i).align, colour);
        }
        m_y += height;
        return height;
    }

    // A table whose heads repeat on every page it runs over.
    void table(const QList<Column>& columns, const std::function<void()>& rows)
    {
        m_tableHeads = [this, columns] {
            QList<Cell> heads;
            for (const Column& column : columns)
                heads.append({column.heading, true});
            row(columns, heads);
            rule(m_y);
            m_y += 1;
        };
        need(4 * lineHeight);
        m_tableHeads();
        rows();
        m_tableHeads = nullptr;
    }

    void section(const QString& title)
    {
        m_y += lineHeight;
        need(3 * lineHeight);
        text(0, m_y, m_area.width(), title, font(10, true));
        m_y += lineHeight * 1.4;
    }

    void headingBlock()
    {
        const Options& options = m_report.options();
        const QFont info = font(bodySize);
        text(0, m_y, m_area.width(),
            QStringLiteral("Job cost report by %1").arg(viewWords(options.view)), font(14, true));
        m_y += 22;
        paragraph(QStringLiteral("Site: %1").arg(m_heading.site), info);
        paragraph(QStringLiteral("Dates worked: %1").arg(periodText(options)), info);
        paragraph(QStringLiteral(
                      "Made %1 by %2. Open jobs are timed to that moment; a shift is %3 hours.")
                      .arg(options.now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                          m_heading.madeBy, grouped(hoursText(options.shiftSeconds), m_numbers)),
            info, 5);
        paragraph(QStringLiteral("How each figure is worked out, from the values each punch froze "
                                 "when its job started:"),
            font(bodySize, true));
        paragraph(QStringLiteral("Hours = the time that passed from TimeStart on DateWorked to "
                                 "the first moment after it when the site's clocks (%1) read "
                                 "TimeStop: past midnight, and across the nights the clocks "
                                 "change, as the hours were worked. Labour = hours x BaseRate, "
                                 "the worker's pay rate.")
                      .arg(QString::fromUtf8(options.time.zone().id())),
            info);
        for (const char* words : {
                 "Bonus = Pieces x the bonus rate of the deepest level with a description (level "
                 "3, else 2, else 1). Cost = labour + bonus.",
                 "Standard = pieces x the sum of the standard costs of the levels with a "
                 "description. Per piece: standard, actual (cost / pieces) and variance (actual - "
                 "standard), empty without pieces.",
                 "Variance = cost - standard, above zero when the work cost more than standard; "
                 "Variance % = variance / standard, empty without a standard.",
                 "Rates, costs and pieces are read to four decimals and summed exactly; each "
                 "figure is rounded once, half away from zero (money to the cent, per piece to "
                 "four decimals, hours and percentages to two), so a figure may differ in its "
                 "last digit from one worked out of other rounded figures.",
                 "Open jobs are never costed: they are listed apart with the hours open so far. "
                 "Rows with impossible values are listed under Rows not costed.",
                 "Corrected = how many of the punches a supervisor corrected at the desk (empty "
                 "where none); a punch deleted there is in no figure.",
             })
            paragraph(QLatin1String(words), info);
        if (options.detail)
            paragraph(QStringLiteral("\u2020 = the punch's start or end reached the database "
                                     "more than ten minutes away from its own time: kept at a "
                                     "terminal through an outage, written on a clock set wrong, "
                                     "or by hand."),
                info);
        m_y += 5;
        const auto longOpen = std::count_if(m_report.openJobs().cbegin(),
            m_report.openJobs().cend(), [](const OpenJob& job) { return job.longerThanShift; });
        paragraph(QStringLiteral("Costed jobs: %1     Open jobs: %2, %3 of them longer than a "
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
            return QStringLiteral("Week %1").arg(line.key.value(0));
        case Line::Kind::Month:
            return QStringLiteral("Month %1").arg(line.key.value(0));
        case Line::Kind::Total:
            return QStringLiteral("Total");
        }
        return {};
    }

    // Each figure column is as wide as its widest figure or heading word.
    QList<Column> groupColumns(bool& withBar) const
    {
        const QStringList headings = figureHeadings() << correctedHeading;
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
        withBar = m_area.width() - figures - barWidth - cellGap >= 150;

        QList<Column> columns {
            {keyHeadings(m_report.options().view).join(QLatin1String(" / ")), 0, Align::Left}};
        for (qsizetype i = 0; i < headings.size(); ++i)
            columns.append({headings.at(i), widths.at(i)});
        if (withBar) {
            columns.append({QString(), cellGap});
            columns.append({QStringLiteral("Labour and bonus, full bar %1")
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
        section(QStringLiteral("Costs by %1").arg(viewWords(m_report.options().view)));
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
                    rule(m_y);
                    m_y += 1;
                }
                const QColor shade = subtotal && line.kind != Line::Kind::Total ? subtotalColour
                    : group && (shaded = !shaded)                               ? shadeColour
                                                                                : QColor();
                const double height = row(columns, cells, shade, detail ? detailIndent : 0,
                    detail ? detailColour : QColor(Qt::black));
                if (group && withBar) {
                    const double x = m_area.width() - barWidth;
                    const double y = m_y - height + padding + lineHeight * 0.2;
                    const double labour = barWidth * toDouble(line.totals.labour) / largest;
                    const double bonus = barWidth * toDouble(line.totals.bonus) / largest;
                    fill(x, y, labour, lineHeight * 0.6, labourColour);
                    fill(x + labour, y, bonus, lineHeight * 0.6, bonusColour);
                }
            });
        });
        if (withBar)
            legend();
    }

    void legend()
    {
        need(lineHeight + 2 * padding);
        const double x = m_area.width() - barWidth - 60;
        const double y = m_y + padding;
        fill(x, y + 2.5, 6, 5, labourColour);
        text(x + 8, y, 50, QStringLiteral("labour"), font(bodySize));
        fill(x + 60, y + 2.5, 6, 5, bonusColour);
        text(x + 68, y, 50, QStringLiteral("bonus"), font(bodySize));
        m_y += lineHeight + 2 * padding;
    }

    void openJobs()
    {
        const QList<OpenJob>& jobs = m_report.openJobs();
        section(QStringLiteral("Open jobs, not costed: %1").arg(jobs.size()));
        if (jobs.isEmpty())
            return;
        const QList<Column> columns {{QStringLiteral("Job group"), 0, Align::Left},
            {QStringLiteral("Worker"), 170, Align::Left},
            {QStringLiteral("Started"), 95, Align::Left}, {QStringLiteral("Hours open"), 60},
            {QString(), 110, Align::Left}};
        table(columns, [&] {
            bool shaded = false;
            for (const OpenJob& job : jobs) {
                const bool flagged = job.longerThanShift;
                QStringList marks;
                if (flagged)
                    marks << QStringLiteral("longer than a shift");
                if (job.corrected)
                    marks << correctedMark;
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
        section(QStringLiteral("Rows not costed: %1").arg(rows.size()));
        if (rows.isEmpty())
            return;
        const QList<Column> columns {{QStringLiteral("Row"), 50, Align::Left},
            {QStringLiteral("Worker"), 150, Align::Left},
            {QStringLiteral("Date worked"), 70, Align::Left},
            {QStringLiteral("Job group"), 220, Align::Left},
            {QStringLiteral("Why"), 0, Align::Left}};
        table(columns, [&] {
            bool shaded = false;
            for (const NotCosted& bad : rows)
                row(columns,
                    {{QString::number(bad.row)}, {bad.worker}, {bad.dateWorked}, {label(bad.key)},
                        {bad.corrected ? bad.reason + QLatin1String("; ") + correctedMark
                                       : bad.reason}},
                    (shaded = !shaded) ? shadeColour : QColor());
        });
    }

    void corrections()
    {
        const QList<CorrectionLine>& lines = m_report.corrections();
        section(QStringLiteral("Corrections of these dates worked: %1").arg(lines.size()));
        if (lines.isEmpty())
            return;
        const QList<Column> columns {{QStringLiteral("Corrected at"), 88, Align::Left},
            {QStringLiteral("By"), 60, Align::Left}, {QStringLiteral("Action"), 36, Align::Left},
            {QStringLiteral("Worker"), 110, Align::Left},
            {QStringLiteral("Job group"), 0, Align::Left},
            {QStringLiteral("Started"), 88, Align::Left},
            {QStringLiteral("Changes"), 170, Align::Left},
            {QStringLiteral("Reason"), 130, Align::Left}};
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
    QPdfWriter& m_writer;
    bool m_paint;
    QPainter m_painter;
    QRectF m_area; // points, from the top left of the printable area
    int m_pageCount;
    double m_unit; // device pixels per point
    double m_y = 0;
    int m_page = 1;
    std::function<void()> m_tableHeads;
};

// Hands the PDF on to the output and notes whether it took all of it; the
// writer itself cannot tell.
class Forward : public QIODevice
{
public:
    explicit Forward(QIODevice& to)
        : m_to(to)
    {
        open(QIODevice::WriteOnly);
    }
    bool ok() const { return m_ok; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        m_ok = m_ok && m_to.write(data, size) == size;
        return size;
    }

private:
    QIODevice& m_to;
    bool m_ok = true;
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
    Forward forward(out);
    const auto writer = [&] {
        auto pdf = std::make_unique<QPdfWriter>(&forward);
        pdf->setTitle(QStringLiteral("Job cost report"));
        pdf->setCreator(heading.madeBy);
        pdf->setResolution(resolution);
        pdf->setPageLayout(QPageLayout(QPageSize(size), QPageLayout::Landscape,
            QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter));
        return pdf;
    };
    const int pages = Renderer(report, heading, numbers, *writer(), 0).run();
    {
        const auto pdf = writer();
        Renderer(report, heading, numbers, *pdf, pages).run();
    }
    return forward.ok();
}

} // namespace JobCostPdf
