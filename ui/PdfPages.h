#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPageSize>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;
class QPdfWriter;

// The pages of a landscape PDF for reading, as the programs print their
// lists: a title, wrapped paragraphs, and tables whose heads repeat on every
// page they run over, each page numbered in its footer. Labels wrap rather
// than being cut. What draws is run twice, once to count the pages and once
// to paint them, both measuring with the writer's own metrics, so that both
// runs break the pages alike. Places and sizes are in points, from the top
// left of the printable area.
class PdfPages
{
public:
    static constexpr double bodySize = 8;
    static constexpr double lineHeight = 10.5; // of one line of body text
    static constexpr double padding = 1.5; // above and below the text of a row
    static inline const QColor shadeColour {0xf2, 0xf2, 0xf2};

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
    struct Document
    {
        QString title;
        QString creator; // program name and version
        QPageSize::PageSizeId size = QPageSize::A4;
    };

    // Draws the document and writes it out; false when the device took less
    // than it was given.
    static bool write(
        QIODevice& out, const Document& document, const std::function<void(PdfPages&)>& draw);

    static QFont font(double size, bool bold = false);

    double width() const { return m_area.width(); }
    double y() const { return m_y; }
    void moveDown(double points) { m_y += points; }
    // What the footer says left of the page number.
    void setFooter(const QString& text) { m_footer = text; }

    double textWidth(const QString& text, const QFont& font) const;
    // The lines `text` takes in `width` points: at word boundaries, or within
    // a word too long for a line; never cut.
    QStringList wrapped(const QString& text, const QFont& font, double width) const;
    void text(double x, double y, double width, const QString& text, const QFont& font,
        Align align = Align::Left, const QColor& colour = Qt::black);
    void fill(double x, double y, double width, double height, const QColor& colour);
    void rule(double y, double thickness = 0.5);
    // Room for `height` more points on this page, or a new page that starts
    // with the heads of the table being drawn.
    void need(double height);
    void paragraph(const QString& words, const QFont& font, double gapAfter = 0);
    // The page's big title.
    void title(const QString& words);
    void section(const QString& title);
    // A row of cells, each wrapped in its column; returns its height. The first
    // cell is indented by `indent`.
    double row(const QList<Column>& columns, const QList<Cell>& cells, const QColor& shade = {},
        double indent = 0, const QColor& colour = Qt::black);
    // A table whose heads repeat on every page it runs over.
    void table(const QList<Column>& columns, const std::function<void()>& rows);
    // Rows of plain cells in a table, shaded in turn.
    void shadedTable(const QList<Column>& columns, const QList<QStringList>& rows);

private:
    PdfPages(QPdfWriter& writer, int pageCount);
    QRectF device(double x, double y, double width, double height) const;
    void footer();
    // Ends the last page; returns how many there were.
    int finish();
    QList<QPair<double, double>> spans(const QList<Column>& columns) const;

    QPdfWriter& m_writer;
    bool m_paint;
    QPainter m_painter;
    QRectF m_area;
    int m_pageCount;
    double m_unit; // device pixels per point
    double m_y = 0;
    int m_page = 1;
    QString m_footer;
    std::function<void()> m_tableHeads;
};
