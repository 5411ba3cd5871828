#include "JobCostCsv.h"

#include "JobCost.h"
#include "program/Csv.h"

#include <QIODevice>

namespace JobCostCsv {
namespace {

using namespace JobCost;

using Kind = Csv::Kind;

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
        if (kind == Kind::Number && Csv::plainNumber(text)) {
            QString number = text;
            return m_commaDecimals ? number.replace(QLatin1Char('.'), QLatin1Char(',')) : number;
        }
        return Csv::guarded(text);
    }

    QString field(const QString& text) const { return Csv::field(text, m_separator); }

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
    // Columns added later come last, so that the earlier ones keep their places.
    const QStringList punchColumns {QStringLiteral("Worker"), QStringLiteral("Start"),
        QStringLiteral("Stop"), QStringLiteral("Hours open"), QStringLiteral("Note"),
        QStringLiteral("Corrected")};
    const QStringList auditColumns = report.options().corrections
        ? QStringList {QStringLiteral("Correction"), QStringLiteral("Corrected at"),
            QStringLiteral("Corrected by"), QStringLiteral("Action"), QStringLiteral("Reason"),
            QStringLiteral("Old values"), QStringLiteral("New values")}
        : QStringList();
    // Last: whether a punch of --detail reached the database late or early.
    const QStringList header = QStringList {QStringLiteral("Section")} + keys + figures
        + punchColumns + auditColumns + QStringList {QStringLiteral("Late")};
    QList<Kind> kinds(header.size(), Kind::Text);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keyIsNumber(view, i))
            kinds[1 + i] = Kind::Number;
    }
    for (qsizetype i = 0; i < figures.size(); ++i)
        kinds[1 + keys.size() + i] = Kind::Number;
    for (const QString& number : {QStringLiteral("Hours open"), QStringLiteral("Corrected"),
             QStringLiteral("Correction"), QStringLiteral("Late")}) {
        if (const qsizetype at = header.indexOf(number); at >= 0)
            kinds[at] = Kind::Number;
    }

    Writer writer(out, style, kinds);
    writer.row(header);
    const auto row = [&](QStringList cells) {
        cells.resize(header.size());
        writer.row(cells);
    };
    const auto count = [](bool corrected) {
        return corrected ? QStringLiteral("1") : QStringLiteral("0");
    };
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
        cells << QString() << QString() << QString::number(line.totals.corrected);
        if (line.kind == Line::Kind::Detail) {
            cells.resize(header.size() - 1);
            cells << count(line.detail->arrivedAway);
        }
        row(cells);
    });
    for (const OpenJob& job : report.openJobs())
        row(QStringList {QStringLiteral("open")} + job.key + noFigures
            + QStringList {job.worker, timestamp(job.started), QString(),
                hoursText(job.secondsOpen),
                job.longerThanShift ? QStringLiteral("open longer than a shift") : QString(),
                count(job.corrected)});
    for (const NotCosted& bad : report.notCosted())
        row(QStringList {QStringLiteral("not costed")} + bad.key + noFigures
            + QStringList {bad.worker, QString(), QString(), QString(),
                QStringLiteral("row %1%2: %3")
                    .arg(bad.row)
                    .arg(
                        bad.dateWorked.isEmpty() ? QString() : QLatin1String(", ") + bad.dateWorked,
                        bad.reason),
                count(bad.corrected)});
    for (const CorrectionLine& line : report.corrections()) {
        const Audit& audit = line.audit;
        row(QStringList {QStringLiteral("correction")} + line.key + noFigures
            + QStringList {line.worker, line.start.isValid() ? timestamp(line.start) : QString(),
                line.stop.isValid() ? timestamp(line.stop) : QString(), QString(),
                line.punchDeleted ? QStringLiteral("punch deleted") : QString(), QString(),
                QString::number(audit.id), timestamp(audit.correctedAt), audit.correctedBy,
                audit.action, audit.reason, audit.oldValues, audit.newValues});
    }
    return writer.ok();
}

} // namespace JobCostCsv
