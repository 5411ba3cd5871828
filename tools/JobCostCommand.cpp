#include "JobCostCommand.h"

#include "JobCost.h"
#include "JobCostCsv.h"
#include "JobCostPdf.h"
#include "JobCostRead.h"
#include "JobCostingVersion.h"
#include "data/DataError.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>
#include <optional>

namespace JobCostCommand {
namespace {

using namespace JobCost;

const QString program = QStringLiteral("jobcosting-report");
const QString jobPunchesFile = QStringLiteral("JobPunches.MDB");
const QStringList siteFiles {
    jobPunchesFile, QStringLiteral("Validations.mdb"), QStringLiteral("Norla.MDB")};
constexpr int notReadOrWritten = 1;
constexpr int badInput = 2;

struct Failure
{
    int status;
    QString message;
};

const QString help = QStringLiteral(R"(Usage: jobcosting-report [OPTION]... [SITE]
Costs the job punches of a job-costing site from the values each punch froze
when its job started, and writes the report as CSV or PDF. SITE is the site's
folder, the one that holds JobPunches.MDB (default: the working folder). The
site is only read, never written.

  --site DIR           the site's folder, instead of SITE
  --by VIEW            group the costs by VIEW (default: job):
                         job          the level 1/2/3 combination of the job
                         level1, level2, level3
                                      the item chosen on that one level
                         worker       employee number and name
                         department   the worker's department (DeptNum)
                         day          the date worked, with week and month
                                      subtotals
  --from DATE          only jobs worked on DATE (YYYY-MM-DD) or later
  --to DATE            only jobs worked on DATE (YYYY-MM-DD) or earlier
  --detail             each punch under its group (worker, start, stop, hours,
                       pieces, labour, bonus)
  --corrections        list the supervisor's corrections of the period, from
                       the desk's audit: those of punches worked from --from
                       to --to, by the punch's date worked now or before or
                       after the correction (a deleted punch's as it was)
  --format FORMAT      csv or pdf (default: by the --output file's name ending
                       in .csv or .pdf, else csv)
  --excel              CSV for spreadsheets that read it by the regional
                       settings: a byte-order mark, and where the decimal point
                       is a comma, ";" between fields and decimal commas
  --page-size SIZE     the PDF's paper: a4 (default) or letter
  --shift-hours HOURS  open jobs open longer than this are flagged (default: 8)
  -o, --output FILE    write the report to FILE, once it is complete
                       (default, and with -o -: standard output)
  -h, --help           show this help and exit
  --version            show the version and exit

The figures, from each closed job punch:
  hours              TimeStop - TimeStart (past midnight when the stop is earlier)
  labour             hours x BaseRate
  bonus              Pieces x the bonus rate of the deepest level that has a
                     description (level 3, else 2, else 1)
  cost               labour + bonus
  standard           pieces x the sum of the standard costs of the levels that
                     have a description
  per piece          standard, actual (cost / pieces) and variance (actual -
                     standard)
  variance           cost - standard, and as a percentage of the standard
Rates, costs and pieces are read to four decimals and summed exactly; each
figure is rounded once, half away from zero (money to the cent). Open jobs are
listed apart with the hours they have been open and never costed. Rows with
impossible values (an empty time, a negative piece count, a rate that is not a
number) are listed as "not costed". Corrected counts the punches a supervisor
corrected at the desk (a deleted punch no longer counts).

CSV: RFC 4180 with a header row of short names, UTF-8, ISO dates, full-stop
decimals; the first column says what a row is: group, detail, week, month,
total, open, not costed or correction. A text cell that begins with =, +, -, @, a tab or a
carriage return starts with an apostrophe, so that a spreadsheet shows it as
text and never runs it as a formula.

Exit status: 0 the report was written; 1 the site's data could not be read or
the report could not be written; 2 a bad command line or no JobPunches.MDB in
the folder. Nothing is written unless the status is 0.
)");

QDate isoDate(const QString& option, const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!shape.match(text).hasMatch() || !date.isValid())
        throw Failure {
            badInput, QStringLiteral("--%1 '%2' is not a date (YYYY-MM-DD)").arg(option, text)};
    return date;
}

struct Request
{
    Options options;
    QString site;
    bool pdf = false;
    bool excel = false;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QString output; // empty: standard output
};

// Nothing when --help or --version answered.
std::optional<Request> parse(const QStringList& arguments, const Clock& clock, QIODevice& out)
{
    QCommandLineParser parser;
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption version(QStringLiteral("version"), {});
    const QCommandLineOption site(QStringLiteral("site"), {}, QStringLiteral("DIR"));
    const QCommandLineOption by(QStringLiteral("by"), {}, QStringLiteral("VIEW"));
    const QCommandLineOption from(QStringLiteral("from"), {}, QStringLiteral("DATE"));
    const QCommandLineOption to(QStringLiteral("to"), {}, QStringLiteral("DATE"));
    const QCommandLineOption format(QStringLiteral("format"), {}, QStringLiteral("FORMAT"));
    const QCommandLineOption detail(QStringLiteral("detail"), {});
    const QCommandLineOption corrections(QStringLiteral("corrections"), {});
    const QCommandLineOption excel(QStringLiteral("excel"), {});
    const QCommandLineOption pageSize(QStringLiteral("page-size"), {}, QStringLiteral("SIZE"));
    const QCommandLineOption shift(QStringLiteral("shift-hours"), {}, QStringLiteral("HOURS"));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")}, {}, QStringLiteral("FILE"));
    parser.addOptions({helpOption, version, site, by, from, to, detail, corrections, format, excel,
        pageSize, shift, output});
    if (!parser.parse(QStringList {program} + arguments))
        throw Failure {badInput, parser.errorText()};
    if (parser.isSet(helpOption)) {
        out.write(help.toUtf8());
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        out.write(
            QStringLiteral("%1 %2\n").arg(program, QStringLiteral(JOBCOSTING_VERSION)).toUtf8());
        return std::nullopt;
    }

    Request request;
    Options& options = request.options;
    options.now = clock.now();
    const QString view = parser.isSet(by) ? parser.value(by) : QStringLiteral("job");
    const auto chosen = viewNamed(view);
    if (!chosen)
        throw Failure {badInput,
            QStringLiteral("unknown --by '%1' (one of %2)")
                .arg(view, viewNames().join(QLatin1String(", ")))};
    options.view = *chosen;
    if (parser.isSet(from))
        options.from = isoDate(QStringLiteral("from"), parser.value(from));
    if (parser.isSet(to))
        options.to = isoDate(QStringLiteral("to"), parser.value(to));
    if (options.from && options.to && *options.from > *options.to)
        throw Failure {badInput,
            QStringLiteral("--from %1 is after --to %2").arg(parser.value(from), parser.value(to))};

    options.detail = parser.isSet(detail);
    options.corrections = parser.isSet(corrections);
    request.output = parser.value(output);
    if (parser.isSet(output) && request.output.isEmpty())
        throw Failure {
            badInput, QStringLiteral("--output needs a file name (or - for standard output)")};
    if (request.output == QLatin1String("-"))
        request.output.clear();
    // The output's name ending chooses the format; --format may only agree.
    const QString ending = QFileInfo(request.output).suffix().toLower();
    const QString named
        = ending == QLatin1String("pdf") || ending == QLatin1String("csv") ? ending : QString();
    const QString formatName = parser.isSet(format) ? parser.value(format)
        : named.isEmpty()                           ? QStringLiteral("csv")
                                                    : named;
    if (formatName != QLatin1String("csv") && formatName != QLatin1String("pdf"))
        throw Failure {
            badInput, QStringLiteral("unknown --format '%1' (csv or pdf)").arg(formatName)};
    if (!named.isEmpty() && formatName != named)
        throw Failure {badInput,
            QStringLiteral("--format %1 does not fit the output %2")
                .arg(formatName, request.output)};
    request.pdf = formatName == QLatin1String("pdf");
    request.excel = parser.isSet(excel);
    if (request.excel && request.pdf)
        throw Failure {badInput, QStringLiteral("--excel is for CSV, not PDF")};
    const QString paper = parser.isSet(pageSize) ? parser.value(pageSize) : QStringLiteral("a4");
    if (paper != QLatin1String("a4") && paper != QLatin1String("letter"))
        throw Failure {
            badInput, QStringLiteral("unknown --page-size '%1' (a4 or letter)").arg(paper)};
    request.pageSize = paper == QLatin1String("letter") ? QPageSize::Letter : QPageSize::A4;
    if (parser.isSet(shift)) {
        bool ok = false;
        const double hours = parser.value(shift).toDouble(&ok);
        if (!ok || !(hours > 0 && hours <= 24 * 366))
            throw Failure {badInput,
                QStringLiteral("--shift-hours '%1' is not a number of hours")
                    .arg(parser.value(shift))};
        options.shiftSeconds = std::llround(hours * 3600);
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1 || (parser.isSet(site) && !positional.isEmpty()))
        throw Failure {badInput, QStringLiteral("give one site folder")};
    request.site = parser.isSet(site) ? parser.value(site)
        : positional.isEmpty()        ? QDir::currentPath()
                                      : positional.first();
    if (!QFileInfo(QDir(request.site).filePath(jobPunchesFile)).isFile())
        throw Failure {badInput,
            QStringLiteral("%1 holds no %2: not a site folder").arg(request.site, jobPunchesFile)};
    const QFileInfo target(request.output);
    if (!request.output.isEmpty() && target.exists()
        && QFileInfo(target.absolutePath()) == QFileInfo(request.site)
        && siteFiles.contains(target.fileName(), Qt::CaseInsensitive))
        throw Failure {
            badInput, QStringLiteral("--output %1 is a file of the site").arg(request.output)};
    return request;
}

Report read(const Request& request)
{
    try {
        return JobCostRead::read(request.options, QDir(request.site).filePath(jobPunchesFile),
            JobCostRead::Path::Engine);
    } catch (const DataError& error) {
        throw Failure {notReadOrWritten,
            QStringLiteral("%1 could not be read: %2")
                .arg(QDir(request.site).filePath(jobPunchesFile), error.message())};
    }
}

bool write(
    const Request& request, const Report& report, const RegionalSettings& regional, QIODevice& out)
{
    if (!request.pdf)
        return JobCostCsv::write(report, out, {request.excel, regional.decimalSeparator()});
    return JobCostPdf::write(report,
        {QDir(request.site).absolutePath(),
            QStringLiteral("%1 %2").arg(program, QStringLiteral(JOBCOSTING_VERSION))},
        request.pageSize, {regional.decimalSeparator(), regional.groupSeparator()}, out);
}

} // namespace

int run(const QStringList& arguments, const Clock& clock, const RegionalSettings& regional,
    QIODevice& out, QTextStream& err)
{
    try {
        const auto request = parse(arguments, clock, out);
        if (!request)
            return 0;
        const Report report = read(*request);
        if (request->output.isEmpty()) {
            if (!write(*request, report, regional, out))
                throw Failure {notReadOrWritten, QStringLiteral("the report could not be written")};
            return 0;
        }
        QSaveFile file(request->output);
        if (!file.open(QIODevice::WriteOnly) || !write(*request, report, regional, file)
            || !file.commit())
            throw Failure {notReadOrWritten,
                QStringLiteral("cannot write %1: %2").arg(request->output, file.errorString())};
        return 0;
    } catch (const Failure& failure) {
        err << program << ": " << failure.message << Qt::endl;
        return failure.status;
    }
}

} // namespace JobCostCommand
