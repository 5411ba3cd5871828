#include "JobCostCsv.h"

#include "JobCost.h"

namespace JobCostCsv {
namespace {

QString field(const QString& text)
{
    static const QString special = QStringLiteral("\",\r\n");
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return special.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void line(QString& out, const QStringList& fields)
{
    QStringList escaped;
    for (const QString& text : fields)
        escaped << field(text);
    out += escaped.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

} // namespace

QByteArray write(const JobCost::Report& report)
{
    using namespace JobCost;
    const QStringList keys = keyHeadings(report.options().view);
    const QStringList noKey(keys.size());
    const QStringList noFigures(figures().size());

    QString out;
    QStringList header {QStringLiteral("Section")};
    header << keys;
    for (const Figure& figure : figures())
        header << (figure.workedOut.isEmpty()
                ? figure.heading
                : QStringLiteral("%1 (%2)").arg(figure.heading, figure.workedOut));
    header << QStringLiteral("Hours open") << QStringLiteral("Note");
    line(out, header);

    for (const Group& group : report.groups())
        line(out,
            QStringList {QStringLiteral("group")} + group.key + figureTexts(group.totals)
                << QString() << QString());
    line(out,
        QStringList {QStringLiteral("total")} + noKey + figureTexts(report.total())
            << QString() << QString());
    for (const OpenJob& job : report.openJobs()) {
        QString note
            = QStringLiteral("%1, started %2")
                  .arg(job.worker, job.started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        if (job.longerThanShift)
            note += QLatin1String("; open longer than a shift");
        line(out,
            QStringList {QStringLiteral("open")} + job.key + noFigures << hoursText(job.secondsOpen)
                                                                       << note);
    }
    for (const NotCosted& row : report.notCosted())
        line(out,
            QStringList {QStringLiteral("not costed")} + row.key + noFigures
                << QString()
                << QStringLiteral("row %1, %2, %3: %4")
                       .arg(row.row)
                       .arg(row.worker, row.dateWorked, row.reason));
    return out.toUtf8();
}

} // namespace JobCostCsv
