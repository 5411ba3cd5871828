#include "JobCostPdf.h"

#include "JobCost.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <functional>
#include <utility>

namespace JobCostPdf {
namespace {

using namespace JobCost;

// Points. A row this high puts about a hundred groups on an A4 or Letter page.
constexpr double rowHeight = 7.3;
constexpr double bodySize = 5.8;
constexpr double footerHeight = 14;
constexpr double barWidth = 74;
constexpr double barGap = 6;
constexpr double marginMm = 12;
constexpr int resolution = 720;

const QColor labourColour(0x2f, 0x6d, 0xb5);
const QColor bonusColour(0xe0, 0x8a, 0x1e);
const QColor shadeColour(0xf0, 0xf0, 0xf0);

struct Column
{
    QString heading;
    double width; // 0: what the other columns leave
    Qt::Alignment align = Qt::AlignRight;
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

double toDouble(Wide value)
{
    return static_cast<double>(static_cast<long double>(value));
}

class Renderer
{
public:
    // Without a writer it only counts the pages.
    Renderer(const Report& report, const Heading& heading, QPageSize::PageSizeId size,
        QPdfWriter* writer, int pageCount)
        : m_report(report)
        , m_heading(heading)
        , m_writer(writer)
        , m_pageCount(pageCount)
    {
        const QPageLayout layout(QPageSize(size), QPageLayout::Portrait,
            QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
        m_area = layout.paintRect(QPageLayout::Point);
        if (m_writer) {
            m_writer->setPageLayout(layout);
            m_writer->setResolution(resolution);
            m_unit = resolution / 72.0;
            m_painter.begin(m_writer);
        }
    }

    int run()
    {
        headingBlock();
        groupTable();
        openJobs();
        notCosted();
        footer();
        if (m_writer)
            m_painter.end();
        return m_page;
    }

private:
    QRectF device(double x, double y, double width, double height) const
    {
        return {x * m_unit, y * m_unit, width * m_unit, height * m_unit};
    }

    static QFont font(double size, bool bold = false)
    {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(size);
        font.setBold(bold);
        return font;
    }

    void text(double x, double width, double height, const QString& text, const QFont& font,
        Qt::Alignment align = Qt::AlignLeft, bool wrap = false)
    {
        if (!m_writer)
            return;
        m_painter.setFont(font);
        m_painter.setPen(Qt::black);
        const QString shown = wrap
            ? text
            : QFontMetricsF(font, m_writer).elidedText(text, Qt::ElideRight, (width - 2) * m_unit);
        m_painter.drawText(device(x + 1, m_y, width - 2, height),
            (align | Qt::AlignVCenter).toInt() | (wrap ? Qt::TextWordWrap : 0), shown);
    }

    void fill(double x, double y, double width, double height, const QColor& colour)
    {
        if (m_writer)
            m_painter.fillRect(device(x, y, width, height), colour);
    }

    void rule(double y, double thickness = 0.4)
    {
        fill(0, y, m_area.width(), thickness, Qt::black);
    }

    void footer()
    {
        const double y = std::exchange(m_y, m_area.height() - footerHeight / 2);
        const QFont small = font(6);
        text(0, m_area.width() / 2, footerHeight / 2,
            QStringLiteral("Job cost report by %1, dates worked: %2")
                .arg(viewWords(m_report.options().view), periodText(m_report.options())),
            small);
        text(m_area.width() / 2, m_area.width() / 2, footerHeight / 2,
            QStringLiteral("Page %1 of %2").arg(m_page).arg(m_pageCount), small, Qt::AlignRight);
        m_y = y;
    }

    // Room for `height` more points on this page, or a new page that starts
    // with the header of the table being printed.
    void need(double height)
    {
        if (m_y + height <= m_area.height() - footerHeight)
            return;
        footer();
        if (m_writer)
            m_writer->newPage();
        ++m_page;
        m_y = 0;
        if (m_tableHeader)
            m_tableHeader();
    }

    void line(const QString& words, const QFont& font, double height)
    {
        need(height);
        text(0, m_area.width(), height, words, font);
        m_y += height;
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

    void columnHeadings(const QList<Column>& columns)
    {
        const double height = 2 * rowHeight;
        const auto at = spans(columns);
        for (qsizetype i = 0; i < columns.size(); ++i)
            text(at.at(i).first, at.at(i).second, height, columns.at(i).heading,
                font(bodySize, true), columns.at(i).align, true);
        m_y += height;
        rule(m_y);
        m_y += 1;
    }

    void row(const QList<Column>& columns, const QStringList& cells, bool bold, bool shaded)
    {
        need(rowHeight);
        if (shaded)
            fill(0, m_y, m_area.width(), rowHeight, shadeColour);
        const auto at = spans(columns);
        for (qsizetype i = 0; i < cells.size(); ++i)
            text(at.at(i).first, at.at(i).second, rowHeight, cells.at(i), font(bodySize, bold),
                columns.at(i).align);
        m_y += rowHeight;
    }

    // A table whose header repeats on every page it runs over.
    void table(const QList<Column>& columns, const std::function<void()>& rows)
    {
        need(3 * rowHeight);
        m_tableHeader = [this, columns] {
            columnHeadings(columns);
        };
        m_tableHeader();
        rows();
        m_tableHeader = nullptr;
    }

    void section(const QString& title)
    {
        m_y += rowHeight;
        line(title, font(8, true), 12);
    }

    void headingBlock()
    {
        const Options& options = m_report.options();
        line(QStringLiteral("Job cost report by %1").arg(viewWords(options.view)), font(13, true),
            20);
        const QFont info = font(7);
        line(QStringLiteral("Site: %1").arg(m_heading.site), info, 9.5);
        line(QStringLiteral("Dates worked: %1").arg(periodText(options)), info, 9.5);
        line(QStringLiteral(
                 "Made %1 by %2. Open jobs are timed to that moment; a shift is %3 hours.")
                 .arg(options.now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), m_heading.madeBy,
                     hoursText(options.shiftSeconds)),
            info, 9.5);
        m_y += 5;
        line(QStringLiteral("How each figure is worked out, from the values each punch froze "
                            "when its job started:"),
            font(7, true), 9.5);
        const QFont small = font(6.5);
        for (const char* words :
            {
                "Hours = TimeStop - TimeStart on DateWorked; a stop earlier than the start means "
                "the job ran past midnight.",
                "Labour = hours x BaseRate, the worker's pay rate.",
                "Bonus = Pieces x the bonus rate of the deepest level with a description (level 3, "
                "else level 2, else level 1); a missing rate is none.",
                "Standard per piece = the sum of the standard costs of the levels with a "
                "description, over the group's pieces.",
                "Actual per piece = (labour + bonus) / pieces. Variance per piece = actual - "
                "standard: above zero, the pieces cost more than standard.",
                "Per-piece figures are empty where a group made no pieces (a job without a bonus "
                "rate records none).",
                "Rates, costs and pieces are read to four decimals and summed exactly. Each figure "
                "is rounded once, half away from zero:",
                "money to the cent, per-piece figures to four decimals, hours to two; so a figure "
                "may differ in its last digit from one worked out of other rounded figures.",
                "Open jobs are never costed: they are listed apart with the hours open so far. "
                "Rows with impossible values are listed under Rows not costed.",
            })
            line(QLatin1String(words), small, 8.5);
        m_y += 5;
        const auto longOpen = std::count_if(m_report.openJobs().cbegin(),
            m_report.openJobs().cend(), [](const OpenJob& job) { return job.longerThanShift; });
        line(QStringLiteral("Costed jobs: %1     Open jobs: %2, %3 of them longer than a shift     "
                            "Rows not costed: %4")
                 .arg(m_report.total().jobs)
                 .arg(m_report.openJobs().size())
                 .arg(longOpen)
                 .arg(m_report.notCosted().size()),
            font(7, true), 9.5);
    }

    void groupTable()
    {
        const QList<Group> groups = m_report.groups();
        Wide largest = 1;
        for (const Group& group : groups)
            largest = std::max(largest, group.totals.labour + group.totals.bonus);

        QList<Column> columns {
            {keyHeadings(m_report.options().view).join(QLatin1String(" / ")), 0, Qt::AlignLeft}};
        const QList<double> widths {24, 34, 40, 38, 42, 38, 34, 34, 34};
        for (qsizetype i = 0; i < widths.size(); ++i)
            columns.append({figures().at(i).heading, widths.at(i)});
        columns.append({QString(), barGap});
        columns.append(
            {QStringLiteral("Bar: labour + bonus, full width %1").arg(moneyText(largest)), barWidth,
                Qt::AlignLeft});

        section(QStringLiteral("Costs by %1").arg(viewWords(m_report.options().view)));
        table(columns, [&] {
            bool shaded = false;
            for (const Group& group : groups) {
                row(columns, QStringList {label(group.key)} + figureTexts(group.totals), false,
                    shaded = !shaded);
                const double x = m_area.width() - barWidth;
                const double y = m_y - rowHeight * 0.8;
                const double labour = barWidth * toDouble(group.totals.labour) / toDouble(largest);
                const double bonus = barWidth * toDouble(group.totals.bonus) / toDouble(largest);
                fill(x, y, labour, rowHeight * 0.6, labourColour);
                fill(x + labour, y, bonus, rowHeight * 0.6, bonusColour);
            }
            need(rowHeight + 1);
            rule(m_y);
            m_y += 1;
            row(columns, QStringList {QStringLiteral("Total")} + figureTexts(m_report.total()),
                true, false);
        });
        legend();
    }

    void legend()
    {
        need(rowHeight);
        const double x = m_area.width() - barWidth;
        fill(x, m_y + 2, 5, 3.5, labourColour);
        text(x + 6, 30, rowHeight, QStringLiteral("labour"), font(bodySize));
        fill(x + 36, m_y + 2, 5, 3.5, bonusColour);
        text(x + 42, 30, rowHeight, QStringLiteral("bonus"), font(bodySize));
        m_y += rowHeight;
    }

    void openJobs()
    {
        const QList<OpenJob>& jobs = m_report.openJobs();
        section(QStringLiteral("Open jobs, not costed: %1").arg(jobs.size()));
        if (jobs.isEmpty())
            return;
        const QList<Column> columns {{QStringLiteral("Job group"), 0, Qt::AlignLeft},
            {QStringLiteral("Worker"), 120, Qt::AlignLeft},
            {QStringLiteral("Started"), 70, Qt::AlignLeft}, {QStringLiteral("Hours open"), 40},
            {QString(), 80, Qt::AlignLeft}};
        table(columns, [&] {
            bool shaded = false;
            for (const OpenJob& job : jobs)
                row(columns,
                    {label(job.key), job.worker,
                        job.started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                        hoursText(job.secondsOpen),
                        job.longerThanShift ? QStringLiteral("longer than a shift") : QString()},
                    job.longerThanShift, shaded = !shaded);
        });
    }

    void notCosted()
    {
        const QList<NotCosted>& rows = m_report.notCosted();
        section(QStringLiteral("Rows not costed: %1").arg(rows.size()));
        if (rows.isEmpty())
            return;
        const QList<Column> columns {{QStringLiteral("Row"), 30, Qt::AlignLeft},
            {QStringLiteral("Worker"), 100, Qt::AlignLeft},
            {QStringLiteral("Date worked"), 45, Qt::AlignLeft},
            {QStringLiteral("Job group"), 120, Qt::AlignLeft},
            {QStringLiteral("Why"), 0, Qt::AlignLeft}};
        table(columns, [&] {
            bool shaded = false;
            for (const NotCosted& bad : rows)
                row(columns,
                    {QString::number(bad.row), bad.worker, bad.dateWorked, label(bad.key),
                        bad.reason},
                    false, shaded = !shaded);
        });
    }

    const Report& m_report;
    const Heading& m_heading;
    QPdfWriter* m_writer;
    QPainter m_painter;
    QRectF m_area; // points, from the top left of the printable area
    double m_unit = 1; // device pixels per point
    double m_y = 0;
    int m_page = 1;
    int m_pageCount;
    std::function<void()> m_tableHeader;
};

} // namespace

QByteArray write(const Report& report, const Heading& heading, QPageSize::PageSizeId size)
{
    const int pages = Renderer(report, heading, size, nullptr, 0).run();
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Job cost report"));
        writer.setCreator(heading.madeBy);
        Renderer(report, heading, size, &writer, pages).run();
    }
    return pdf;
}

} // namespace JobCostPdf
