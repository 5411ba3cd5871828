#include "JobCostCommand.h"

#include "JobCost.h"
#include "JobCostCsv.h"
#include "JobCostPdf.h"
#include "JobCostRead.h"
#include "JobCostingVersion.h"
#include "data/DataError.h"
#include "data/SiteModel.h"
#include "program/CommandLine.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>
#include <tuple>

namespace JobCostCommand {
namespace {

using namespace JobCost;

const QString program = QStringLiteral("jobcosting-report");
using SiteModel::jobPunchesFile;
constexpr int notReadOrWritten = 1;

struct Failure
{
    int status;
    QString message;
};

QString viewsExpected()
{
    const QStringList names = viewNames();
    return names.mid(0, names.size() - 1).join(QLatin1String(", ")) + QLatin1String(" or ")
        + names.last();
}

const CommandLine::Definition commandLine {
    program,
    {QStringLiteral("[OPTION]... [SITE]")},
    QStringLiteral(R"(Costs the job punches of a job-costing site from the values each punch froze
when its job started, and writes the report as CSV or PDF. SITE is the site's
folder, the one that holds JobPunches.MDB (default: the working folder). The
site is only read, never written.)"),
    {{{QStringLiteral("site")}, QStringLiteral("DIR"),
         QStringLiteral("the site's folder, instead of SITE"),
         QStringLiteral("a site folder with JobPunches.MDB")},
        {{QStringLiteral("by")}, QStringLiteral("VIEW"),
            QStringLiteral(R"(group the costs by VIEW (default: job):
  job          the level 1/2/3 combination of the job
  level1, level2, level3
               the item chosen on that one level
  worker       employee number and name
  department   the worker's department (DeptNum)
  day          the date worked, with week and month
               subtotals)"),
            viewsExpected()},
        {{QStringLiteral("from")}, QStringLiteral("DATE"),
            QStringLiteral("only jobs worked on DATE (YYYY-MM-DD) or later"),
            QStringLiteral("YYYY-MM-DD")},
        {{QStringLiteral("to")}, QStringLiteral("DATE"),
            QStringLiteral("only jobs worked on DATE (YYYY-MM-DD) or earlier"),
            QStringLiteral("YYYY-MM-DD")},
        {{QStringLiteral("detail")}, {},
            QStringLiteral("each punch under its group (worker, start, stop, hours,\n"
                           "pieces, labour, bonus)"),
            {}},
        {{QStringLiteral("corrections")}, {},
            QStringLiteral(R"(list the supervisor's corrections of the period, from
the desk's audit: those of punches worked from --from
to --to, by the punch's date worked now or before or
after the correction (a deleted punch's as it was))"),
            {}},
        {{QStringLiteral("format")}, QStringLiteral("FORMAT"),
            QStringLiteral("csv or pdf (default: by the --output file's name ending\n"
                           "in .csv or .pdf, else csv)"),
            QStringLiteral("csv or pdf")},
        {{QStringLiteral("excel")}, {},
            QStringLiteral(R"(CSV for spreadsheets that read it by the regional
settings: a byte-order mark, and where the decimal point
is a comma, ";" between fields and decimal commas)"),
            {}},
        {{QStringLiteral("page-size")}, QStringLiteral("SIZE"),
            QStringLiteral("the PDF's paper: a4 (default) or letter"),
            QStringLiteral("a4 or letter")},
        {{QStringLiteral("shift-hours")}, QStringLiteral("HOURS"),
            QStringLiteral("open jobs open longer than this are flagged (default: 8)"),
            QStringLiteral("a number of hours")},
        {{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("FILE"),
            QStringLiteral("write the report to FILE, once it is complete\n"
                           "(default, and with -o -: standard output)"),
            QStringLiteral("a file name, or - for standard output")},
        CommandLine::helpOption(), CommandLine::versionOption()},
    QStringLiteral(R"(The figures, from each closed job punch:
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
total, open, not costed or correction. A text cell that begins with =, +, -, @,
a tab or a carriage return starts with an apostrophe, so that a spreadsheet
shows it as text and never runs it as a formula. Nothing is written unless the
status is 0.)"),
    {{0, QStringLiteral("the report was written")},
        {1,
            QStringLiteral("the site's data could not be read or the report could not be\n"
                           "written")},
        {2, QStringLiteral("a bad command line, or no JobPunches.MDB in the site folder")}},
    {},
};

struct Request
{
    Options options;
    QString site;
    bool pdf = false;
    bool excel = false;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QString output; // empty: standard output
};

Request parse(const CommandLine::Arguments& arguments, const Clock& clock)
{
    Request request;
    Options& options = request.options;
    options.now = clock.now();
    // The machine's clocks, for a site that records no zone of its own.
    options.time = SiteTime(clock.timeZone());
    if (arguments.isSet(QStringLiteral("by"))) {
        const auto chosen = viewNamed(arguments.value(QStringLiteral("by")));
        if (!chosen)
            throw arguments.badValue(QStringLiteral("by"));
        options.view = *chosen;
    }
    std::tie(options.from, options.to) = arguments.period();

    options.detail = arguments.isSet(QStringLiteral("detail"));
    options.corrections = arguments.isSet(QStringLiteral("corrections"));
    request.output = arguments.value(QStringLiteral("output"));
    if (arguments.isSet(QStringLiteral("output")) && request.output.isEmpty())
        throw arguments.badValue(QStringLiteral("output"));
    if (request.output == QLatin1String("-"))
        request.output.clear();
    // The output's name ending chooses the format; --format may only agree.
    const QString ending = QFileInfo(request.output).suffix().toLower();
    const QString named
        = ending == QLatin1String("pdf") || ending == QLatin1String("csv") ? ending : QString();
    if (arguments.isSet(QStringLiteral("format"))) {
        const QString format = arguments.value(QStringLiteral("format"));
        if (format != QLatin1String("csv") && format != QLatin1String("pdf"))
            throw arguments.badValue(QStringLiteral("format"));
        if (!named.isEmpty() && format != named)
            throw CommandLine::badValue(arguments.typed(QStringLiteral("format")),
                QStringLiteral("%1, as the output's name says").arg(named), format);
        request.pdf = format == QLatin1String("pdf");
    } else {
        request.pdf = named == QLatin1String("pdf");
    }
    request.excel = arguments.isSet(QStringLiteral("excel"));
    if (request.excel && request.pdf)
        throw CommandLine::conflict(arguments.typed(QStringLiteral("excel")),
            arguments.isSet(QStringLiteral("format"))
                ? QStringLiteral("%1 pdf").arg(arguments.typed(QStringLiteral("format")))
                : QStringLiteral("a PDF output"));
    if (arguments.isSet(QStringLiteral("page-size"))) {
        const QString paper = arguments.value(QStringLiteral("page-size"));
        if (paper != QLatin1String("a4") && paper != QLatin1String("letter"))
            throw arguments.badValue(QStringLiteral("page-size"));
        request.pageSize = paper == QLatin1String("letter") ? QPageSize::Letter : QPageSize::A4;
    }
    if (arguments.isSet(QStringLiteral("shift-hours"))) {
        bool ok = false;
        const double hours = arguments.value(QStringLiteral("shift-hours")).toDouble(&ok);
        if (!ok || !(hours > 0 && hours <= 24 * 366))
            throw arguments.badValue(QStringLiteral("shift-hours"));
        options.shiftSeconds = std::llround(hours * 3600);
    }

    const QStringList positional = arguments.positional();
    const bool siteOption = arguments.isSet(QStringLiteral("site"));
    if (siteOption && !positional.isEmpty())
        throw CommandLine::conflict(
            arguments.typed(QStringLiteral("site")), QStringLiteral("SITE"));
    if (positional.size() > 1)
        throw CommandLine::unexpectedArgument(positional.at(1));
    request.site = siteOption  ? arguments.value(QStringLiteral("site"))
        : positional.isEmpty() ? QDir::currentPath()
                               : positional.first();
    if (!QFileInfo(QDir(request.site).filePath(jobPunchesFile)).isFile())
        throw CommandLine::badValue(
            siteOption ? arguments.typed(QStringLiteral("site")) : QStringLiteral("SITE"),
            QStringLiteral("a site folder with JobPunches.MDB"), request.site);
    const QFileInfo target(request.output);
    if (!request.output.isEmpty() && target.exists()
        && QFileInfo(target.absolutePath()) == QFileInfo(request.site)
        && SiteModel::files.contains(target.fileName(), Qt::CaseInsensitive))
        throw CommandLine::badValue(arguments.typed(QStringLiteral("output")),
            QStringLiteral("a file that is not the site's"), request.output);
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
    Request request;
    try {
        const CommandLine::Arguments parsed = CommandLine::parse(commandLine, arguments);
        QString answered;
        QTextStream answer(&answered);
        if (const auto status = CommandLine::answer(commandLine, parsed, answer)) {
            out.write(answered.toUtf8());
            return *status;
        }
        request = parse(parsed, clock);
    } catch (const CommandLine::Error& error) {
        return CommandLine::refuse(commandLine, error, err);
    }
    try {
        const Report report = read(request);
        if (request.output.isEmpty()) {
            if (!write(request, report, regional, out))
                throw Failure {notReadOrWritten, QStringLiteral("the report could not be written")};
            return 0;
        }
        QSaveFile file(request.output);
        if (!file.open(QIODevice::WriteOnly) || !write(request, report, regional, file)
            || !file.commit())
            throw Failure {notReadOrWritten,
                QStringLiteral("cannot write %1: %2").arg(request.output, file.errorString())};
        return 0;
    } catch (const Failure& failure) {
        err << program << ": " << failure.message << Qt::endl;
        return failure.status;
    }
}

} // namespace JobCostCommand
