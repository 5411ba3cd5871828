#include "JobCostCsv.h"

#include "JobCost.h"

#include <QIODevice>
#include <QRegularExpression>

namespace JobCostCsv {
namespace {

using namespace JobCost;

enum class Kind
{
    Text,
    Number
};

// A spreadsheet reads a cell that begins with one of these as a formula.
bool formulaLike(const QString& text)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text.front());
}

bool plainNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    return number.match(text).hasMatch();
}

class Writer
{
public:
    Writer(QIODevice& out, const Style& style, QList<Kind> kinds)
        : m_out(out)
        , m_kinds(std::move(kinds))
        , m_commaDecimals(style.excel && style.decimalSeparator == QLatin1Char(','))
        , m_separator(m_commaDecimals ? QLatin1Char(';') : QLatin1Char(','))
    {
        if (style.excel)
            put("\xEF\xBB\xBF");
    }

    void row(const QStringList& cells)
    {
        QString line;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                line += m_separator;
            line += field(cell(cells.at(i), m_kinds.value(i, Kind::Text)));
        }
        line += QLatin1String("\r\n");
        put(line.toUtf8());
    }

    bool ok() const { return m_ok; }

private:
    // Decided by the column: a number column holds numbers as they are, and
    // anything else in any column that a spreadsheet would run is guarded.
    QString cell(const QString& text, Kind kind) const
    {
        if (kind == Kind::Number && plainNumber(text)) {
            QString number = text;
            return m_commaDecimals ? number.replace(QLatin1Char('.'), QLatin1Char(',')) : number;
        }
        return formulaLike(text) ? QLatin1Char('\'') + text : text;
    }

    QString field(const QString& text) const
    {
        if (std::none_of(text.cbegin(), text.cend(), [this](QChar c) {
                return c == m_separator || c == QLatin1Char('"') || c == QLatin1Char('\r')
                    || c == QLatin1Char('\n');
            }))
            return text;
        QString quoted = text;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + quoted + QLatin1Char('"');
    }

    void put(const QByteArray& bytes) { m_ok = m_ok && m_out.write(bytes) == bytes.size(); }

    QIODevice& m_out;
    QList<Kind> m_kinds;
    bool m_commaDecimals;
    QChar m_separator;
    bool m_ok = true;
};

QString sectionOf(Line::Kind kind)
{
    switch (kind) {
    case Line::Kind::Group:
        return QStringLiteral("group");
    case Line::Kind::Detail:
        return QStringLiteral("detail");
    case Line::Kind::Week:
        return QStringLiteral("week");
    case Line::Kind::Month:
        return QStringLiteral("month");
    case Line::Kind::Total:
        return QStringLiteral("total");
    }
    return {};
}

QString timestamp(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

bool write(const Report& report, QIODevice& out, const Style& style)
{
    const View view = report.options().view;
    const QStringList keys = keyHeadings(view);
    const QStringList figures = figureHeadings();
    const QStringList header = QStringList {QStringLiteral("Section")} + keys + figures
        + QStringList {QStringLiteral("Worker"), QStringLiteral("Start"), QStringLiteral("Stop"),
            QStringLiteral("Hours open"), QStringLiteral("Note")};
    QList<Kind> kinds(header.size(), Kind::Text);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keyIsNumber(view, i))
            kinds[1 + i] = Kind::Number;
    }
    for (qsizetype i = 0; i < figures.size(); ++i)
        kinds[1 + keys.size() + i] = Kind::Number;
    kinds[header.size() - 2] = Kind::Number;

    Writer writer(out, style, kinds);
    writer.row(header);
    const QStringList noKey(keys.size());
    const QStringList noFigures(figures.size());
    report.lines([&](const Line& line) {
        QStringList cells {sectionOf(line.kind)};
        cells << (line.kind == Line::Kind::Total ? noKey : line.key);
        if (line.kind == Line::Kind::Detail) {
            cells << detailTexts(line.totals) << line.detail->worker
                  << timestamp(line.detail->start) << timestamp(line.detail->stop);
        } else {
            cells << figureTexts(line.totals) << QString() << QString() << QString();
        }
        writer.row(cells << QString() << QString());
    });
    for (const OpenJob& job : report.openJobs())
        writer.row(QStringList {QStringLiteral("open")} + job.key + noFigures
            + QStringList {job.worker, timestamp(job.started), QString(),
                hoursText(job.secondsOpen),
                job.longerThanShift ? QStringLiteral("open longer than a shift") : QString()});
    for (const NotCosted& row : report.notCosted())
        writer.row(QStringList {QStringLiteral("not costed")} + row.key + noFigures
            + QStringList {row.worker, QString(), QString(), QString(),
                QStringLiteral("row %1%2: %3")
                    .arg(row.row)
                    .arg(
                        row.dateWorked.isEmpty() ? QString() : QLatin1String(", ") + row.dateWorked,
                        row.reason)});
    return writer.ok();
}

} // namespace JobCostCsv
