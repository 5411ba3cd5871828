#include "PdfPages.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextLayout>
#include <memory>

namespace {

constexpr double footerHeight = 16;
constexpr double marginMm = 12;
constexpr int resolution = 720;

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

bool PdfPages::write(
    QIODevice& out, const Document& document, const std::function<void(PdfPages&)>& draw)
{
    Forward forward(out);
    const auto writer = [&] {
        auto pdf = std::make_unique<QPdfWriter>(&forward);
        pdf->setTitle(document.title);
        pdf->setCreator(document.creator);
        pdf->setResolution(resolution);
        pdf->setPageLayout(QPageLayout(QPageSize(document.size), QPageLayout::Landscape,
            QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter));
        return pdf;
    };
    int pages = 0;
    {
        const auto pdf = writer();
        PdfPages counting(*pdf, 0);
        draw(counting);
        pages = counting.finish();
    }
    {
        const auto pdf = writer();
        PdfPages painting(*pdf, pages);
        draw(painting);
        painting.finish();
    }
    return forward.ok();
}

QFont PdfPages::font(double size, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(size);
    font.setBold(bold);
    return font;
}

PdfPages::PdfPages(QPdfWriter& writer, int pageCount)
    : m_writer(writer)
    , m_paint(pageCount > 0)
    , m_pageCount(pageCount)
    , m_unit(resolution / 72.0)
{
    m_area = writer.pageLayout().paintRect(QPageLayout::Point);
    m_area.moveTo(0, 0);
    if (m_paint)
        m_painter.begin(&m_writer);
}

int PdfPages::finish()
{
    footer();
    if (m_paint)
        m_painter.end();
    return m_page;
}

QRectF PdfPages::device(double x, double y, double width, double height) const
{
    return {x * m_unit, y * m_unit, width * m_unit, height * m_unit};
}

double PdfPages::textWidth(const QString& text, const QFont& font) const
{
    return QFontMetricsF(font, &m_writer).horizontalAdvance(text) / m_unit;
}

QStringList PdfPages::wrapped(const QString& text, const QFont& font, double width) const
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

void PdfPages::text(double x, double y, double width, const QString& text, const QFont& font,
    Align align, const QColor& colour)
{
    if (!m_paint)
        return;
    m_painter.setFont(font);
    m_painter.setPen(colour);
    m_painter.drawText(device(x, y, width, lineHeight),
        (align == Align::Left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, text);
}

void PdfPages::fill(double x, double y, double width, double height, const QColor& colour)
{
    if (m_paint)
        m_painter.fillRect(device(x, y, width, height), colour);
}

void PdfPages::rule(double y, double thickness)
{
    fill(0, y, m_area.width(), thickness, Qt::black);
}

void PdfPages::footer()
{
    const QFont small = font(bodySize);
    const double y = m_area.height() - lineHeight;
    text(0, y, m_area.width() * 0.75, m_footer, small);
    text(m_area.width() * 0.75, y, m_area.width() * 0.25,
        QCoreApplication::translate("PdfPages", "Page %1 of %2").arg(m_page).arg(m_pageCount),
        small, Align::Right);
}

void PdfPages::need(double height)
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

void PdfPages::paragraph(const QString& words, const QFont& font, double gapAfter)
{
    const QStringList lines = wrapped(words, font, m_area.width());
    const double height = lines.size() * lineHeight * font.pointSizeF() / bodySize;
    need(height);
    for (qsizetype i = 0; i < lines.size(); ++i)
        text(0, m_y + i * height / lines.size(), m_area.width(), lines.at(i), font);
    m_y += height + gapAfter;
}

void PdfPages::title(const QString& words)
{
    text(0, m_y, m_area.width(), words, font(14, true));
    m_y += 22;
}

QList<QPair<double, double>> PdfPages::spans(const QList<Column>& columns) const
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

double PdfPages::row(const QList<Column>& columns, const QList<Cell>& cells, const QColor& shade,
    double indent, const QColor& colour)
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
                at.at(i).second - 4 - inset, lines.at(i).at(n), font(bodySize, cells.at(i).bold),
                columns.at(i).align, colour);
    }
    m_y += height;
    return height;
}

void PdfPages::table(const QList<Column>& columns, const std::function<void()>& rows)
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

void PdfPages::shadedTable(const QList<Column>& columns, const QList<QStringList>& rows)
{
    table(columns, [&] {
        bool shaded = false;
        for (const QStringList& texts : rows) {
            QList<Cell> cells;
            for (const QString& text : texts)
                cells.append({text});
            row(columns, cells, (shaded = !shaded) ? shadeColour : QColor());
        }
    });
}

void PdfPages::section(const QString& title)
{
    m_y += lineHeight;
    need(3 * lineHeight);
    text(0, m_y, m_area.width(), title, font(10, true));
    m_y += lineHeight * 1.4;
}
