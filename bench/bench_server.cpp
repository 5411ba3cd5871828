// Several terminals on one database server, measured:
//
// 1. The Start Job and End Job writes (the data-source work of the two
//    buttons) on a SQLite site and on a server site, side by side.
// 2. Two terminal processes, each the real punch screen run headless, on one
//    server site. They punch in lock step: at every step both badge in, then
//    both press their button at the same moment. First with interleaved badges
//    (every worker at one terminal, then at the other), then with the same
//    badge at both at once. The rows are counted after: none may be lost or
//    doubled, and no worker may have two open jobs.
//
//   bench_server [--server URI] [--runs 200] [--cycles 500]
//
// URI names a PostgreSQL database where the bench may make schemas of its own
// (dropped at the end); it defaults to JOBCOSTING_TEST_SERVER, so that
// `scripts/test-server build/bench/bench_server` runs it on a private server.

#include "BenchPunch.h"
#include "BenchSchema.h"
#include "SiteBuilder.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"
#include "program/Program.h"
#include "program/Services.h"
#include "punch/JobCosting.h"
#include "punch/Module1.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/Dialogs.h"
#include "ui/PictureButton.h"
#include "ui/Shell.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QUuid>
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>

using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);

const SystemClock systemClock;
const RegionalSettings regional {
    u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), systemClock};

// ---- 1. Write latency ----

struct Latency
{
    QList<double> start;
    QList<double> end;
};

double percentile(QList<double> ms, double fraction)
{
    std::sort(ms.begin(), ms.end());
    return ms.at(std::min<qsizetype>(ms.size() - 1, qsizetype(fraction * ms.size())));
}

// The writes of Start Job (a new row of 24 fields, as the screen sets them)
// and End Job (Badge, TimeStop, Pieces of the worker's open row), each timed
// from the first data-source call to the end of the save.
Latency measureWrites(const QString& dir, int runs)
{
    QDir::setCurrent(dir);
    DataSource data1(u"Data1"_s, SiteModel::jobPunchesFile,
        u"select * from JobPunches where Badge = 'Open'"_s, false, regional);
    data1.refresh();
    Latency latency;
    for (int run = 0; run < runs; ++run) {
        const QString name = u"Worker %1"_s.arg(run);
        QElapsedTimer timer;
        timer.start();
        addStartJob(data1, name, 123);
        data1.save();
        latency.start << timer.nsecsElapsed() / 1e6;

        data1.refresh();
        data1.findFirst(u"Name = '%1'"_s.arg(name));
        timer.restart();
        data1.edit();
        data1.setField(u"Badge"_s, u"Closed"_s);
        data1.setField(u"TimeStop"_s, QTime(16, 6, 7));
        data1.setField(u"Pieces"_s, 48.0);
        data1.save();
        latency.end << timer.nsecsElapsed() / 1e6;
    }
    return latency;
}

void reportLatency(const BenchSchema& schema, int runs)
{
    QTemporaryDir sqlite;
    QTemporaryDir server;
    SiteBuilder::create(sqlite.path());
    SiteBuilder::fillDemo(sqlite.path());
    SiteBuilder::create(server.path(), schema.uri());
    SiteBuilder::fillDemo(server.path());
    const QString previous = QDir::currentPath();
    const Latency onFile = measureWrites(sqlite.path(), runs);
    const Latency onServer = measureWrites(server.path(), runs);
    QDir::setCurrent(previous);

    out << u"Write latency, %1 runs each (ms)"_s.arg(runs) << Qt::endl;
    out << u"  %1 %2 %3"_s.arg(QString(), -26).arg(u"SQLite"_s, 10).arg(u"server"_s, 10)
        << Qt::endl;
    const auto row = [](const QString& label, double file, double onServer) {
        out << u"  %1 %2 %3"_s.arg(label, -26).arg(file, 10, 'f', 3).arg(onServer, 10, 'f', 3)
            << Qt::endl;
    };
    row(u"Start Job write, median"_s, percentile(onFile.start, 0.5),
        percentile(onServer.start, 0.5));
    row(u"Start Job write, 95th pct"_s, percentile(onFile.start, 0.95),
        percentile(onServer.start, 0.95));
    row(u"End Job write, median"_s, percentile(onFile.end, 0.5), percentile(onServer.end, 0.5));
    row(u"End Job write, 95th pct"_s, percentile(onFile.end, 0.95), percentile(onServer.end, 0.95));
}

// ---- 2. Two terminals ----

// The worker's answers: OK, Yes, and 5 pieces; every box is kept.
class WorkerAnswers : public Dialogs
{
public:
    Answer message(const Message& message) override
    {
        texts << message.text;
        return message.buttons == Buttons::YesNo || message.buttons == Buttons::YesNoCancel
            ? Answer::Yes
            : Answer::Ok;
    }
    QString inputBox(const QString& prompt, const QString&, const QString&) override
    {
        texts << prompt;
        return u"5"_s;
    }
    void beep() override { }
    QStringList texts;
};

class NoShell : public Shell
{
public:
    void open(const QString&) override { }
};

class KeepRunning : public Program
{
public:
    void end(ExitStatus, const QString&) override { ended = true; }
    bool ended = false;
};

struct Tally
{
    int started = 0;
    int notStarted = 0; // a job was already open
    int ended = 0;
    int notEnded = 0; // the job was changed meanwhile
    int errors = 0;

    QString line() const
    {
        return u"tally %1 %2 %3 %4 %5"_s.arg(started)
            .arg(notStarted)
            .arg(ended)
            .arg(notEnded)
            .arg(errors);
    }
    static Tally fromLine(const QString& line)
    {
        const QStringList numbers = line.split(u' ');
        return {numbers.value(1).toInt(), numbers.value(2).toInt(), numbers.value(3).toInt(),
            numbers.value(4).toInt(), numbers.value(5).toInt()};
    }
};

// One terminal, driven as a worker drives it. Before each button press it
// says "ready" and waits for "go", so that both terminals press at once.
int runTerminal(const QString& dir, const QStringList& badges, int offset, int steps,
    const QString& departmentCode)
{
    QDir::setCurrent(dir);
    WorkerAnswers dialogs;
    NoShell shell;
    SystemClock clock;
    KeepRunning program;
    const Services services {dialogs, shell, clock, regional, program};
    Module1 module;
    JobCosting screen(services, module);
    screen.load();
    screen.show();
    screen.activateWindow();
    if (program.ended || !QTest::qWaitForWindowActive(&screen)) {
        std::cerr << "the terminal did not start: " << qPrintable(dialogs.texts.join(u"; "_s))
                  << std::endl;
        return 1;
    }

    Tally tally;
    for (int step = 0; step < steps; ++step) {
        const qsizetype shown = dialogs.texts.size();
        QTest::keyClicks(screen.Text34, badges.at((offset + step) % badges.size()));
        const bool newJob
            = !screen.Command1->isHidden() && screen.Command1->text() == QLatin1String("New Job");
        const bool endJob
            = !screen.Command2->isHidden() && screen.Command2->text() == QLatin1String("End Job");
        if (newJob) {
            const std::pair<QLineEdit*, QString> codes[]
                = {{screen.Text3, departmentCode}, {screen.Text4, u"7"_s}, {screen.Text5, u"3"_s}};
            for (const auto& [box, code] : codes) {
                QTest::keyClicks(box, code);
                QTest::keyClick(box, Qt::Key_Return);
            }
        }
        std::cout << "ready" << std::endl;
        std::string go;
        if (!std::getline(std::cin, go))
            return 1;
        if (newJob)
            screen.Command1->click();
        else if (endJob)
            screen.Command2->click();

        bool refused = false;
        for (qsizetype i = shown; i < dialogs.texts.size(); ++i) {
            const QString& text = dialogs.texts.at(i);
            if (text.startsWith(u"The job was not started: a job is already open"_s)) {
                ++tally.notStarted;
                refused = true;
            } else if (text.startsWith(u"The job was not ended."_s)) {
                ++tally.notEnded;
                refused = true;
            } else if (text.startsWith(u"The "_s) || text.startsWith(u"No "_s)
                || text.startsWith(u"Item "_s)) {
                ++tally.errors;
                refused = true;
                std::cerr << qPrintable(text) << std::endl;
            }
        }
        if (!newJob && !endJob)
            ++tally.errors;
        else if (!refused)
            ++(newJob ? tally.started : tally.ended);
    }
    std::cout << qPrintable(tally.line()) << std::endl;
    return 0;
}

QString answerOf(QProcess& terminal)
{
    while (!terminal.canReadLine()) {
        if (!terminal.waitForReadyRead(120000))
            return {};
    }
    return QString::fromLocal8Bit(terminal.readLine()).trimmed();
}

struct Terminal
{
    QString name;
    QStringList badges;
    int offset;
    QString departmentCode;
};

// Runs two terminals in lock step; returns their tallies, or nothing when one
// of them failed.
std::optional<std::pair<Tally, Tally>> runPair(
    const QString& dir, const Terminal& first, const Terminal& second, int steps)
{
    QProcess processes[2];
    const Terminal* terminals[2] = {&first, &second};
    // Each terminal works in a folder of its own, with the site's pointer files.
    QTemporaryDir folders[2];
    for (int i = 0; i < 2; ++i) {
        for (const QString& name :
            {SiteModel::jobPunchesFile, SiteModel::validationsFile, SiteModel::timeClockFile})
            QFile::copy(QDir(dir).filePath(name), QDir(folders[i].path()).filePath(name));
        processes[i].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processes[i].start(QCoreApplication::applicationFilePath(),
            {u"--terminal"_s, folders[i].path(), u"--badges"_s, terminals[i]->badges.join(u','),
                u"--offset"_s, QString::number(terminals[i]->offset), u"--steps"_s,
                QString::number(steps), u"--code"_s, terminals[i]->departmentCode});
    }
    for (int step = 0; step < steps; ++step) {
        for (QProcess& process : processes) {
            if (answerOf(process) != QLatin1String("ready"))
                return std::nullopt;
        }
        for (QProcess& process : processes) {
            process.write("go\n");
            process.waitForBytesWritten();
        }
    }
    Tally tallies[2];
    for (int i = 0; i < 2; ++i) {
        const QString line = answerOf(processes[i]);
        if (!line.startsWith(u"tally"_s) || !processes[i].waitForFinished(60000))
            return std::nullopt;
        tallies[i] = Tally::fromLine(line);
    }
    return std::pair {tallies[0], tallies[1]};
}

int reportTerminals(const BenchSchema& schema, int cycles)
{
    QTemporaryDir site;
    SiteBuilder::create(site.path(), schema.uri());
    SiteBuilder::fillDemo(site.path());
    QStringList badges;
    for (int badge = 123; badge <= 133; ++badge)
        badges << u"%1"_s.arg(badge, 6, 10, QLatin1Char('0'));
    badges << u"004711"_s;

    // Each terminal writes its own department code, so that every row tells
    // which terminal started it.
    struct Phase
    {
        QString name;
        Terminal first;
        Terminal second;
    };
    const Phase phases[] = {
        {u"interleaved badges"_s, {u"A"_s, badges, 0, u"12"_s},
            {u"B"_s, badges, int(badges.size() / 2), u"14"_s}},
        {u"the same badge at once"_s, {u"A"_s, {u"000125"_s}, 0, u"16"_s},
            {u"B"_s, {u"000125"_s}, 0, u"18"_s}},
    };
    const int steps = 2 * cycles;
    out << Qt::endl
        << u"Two terminal processes on one server, %1 steps each per phase (a step: badge in, "
           "then both press Start Job or End Job at once)"_s.arg(steps)
        << Qt::endl;
    out << u"  %1 %2 %3 %4 %5 %6 %7 %8 %9"_s.arg(u"phase"_s, -24)
               .arg(u"term"_s, 4)
               .arg(u"started"_s, 8)
               .arg(u"refused"_s, 8)
               .arg(u"ended"_s, 6)
               .arg(u"refused"_s, 8)
               .arg(u"errors"_s, 7)
               .arg(u"rows"_s, 5)
               .arg(u"lost  doubled  s/step"_s, 22)
        << Qt::endl;
    int endedTotal = 0;
    int faults = 0;
    for (const Phase& phase : phases) {
        QElapsedTimer wall;
        wall.start();
        const auto tallies = runPair(site.path(), phase.first, phase.second, steps);
        if (!tallies) {
            out << "  a terminal failed" << Qt::endl;
            return 1;
        }
        const double perStep = wall.elapsed() / 1000.0 / steps;
        for (const auto& [terminal, tally] : {std::pair {&phase.first, tallies->first},
                 std::pair {&phase.second, tallies->second}}) {
            const int rows = schema
                                 .rows(u"SELECT COUNT(*) FROM JobPunches WHERE Level1ItemCode = "
                                       "'%1'"_s.arg(terminal->departmentCode))
                                 .value(0)
                                 .value(0)
                                 .toInt();
            const int lost = std::max(0, tally.started - rows);
            const int doubled = std::max(0, rows - tally.started);
            faults += lost + doubled + tally.errors;
            endedTotal += tally.ended;
            out << u"  %1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11"_s.arg(phase.name, -24)
                       .arg(terminal->name, 4)
                       .arg(tally.started, 8)
                       .arg(tally.notStarted, 8)
                       .arg(tally.ended, 6)
                       .arg(tally.notEnded, 8)
                       .arg(tally.errors, 7)
                       .arg(rows, 5)
                       .arg(lost, 5)
                       .arg(doubled, 8)
                       .arg(perStep, 7, 'f', 3)
                << Qt::endl;
        }
    }
    const int closed = schema.rows(u"SELECT COUNT(*) FROM JobPunches WHERE Badge = 'Closed'"_s)
                           .value(0)
                           .value(0)
                           .toInt();
    const int twoOpen = schema
                            .rows(u"SELECT COUNT(*) FROM (SELECT Name FROM JobPunches WHERE "
                                  "Badge = 'Open' GROUP BY Name HAVING COUNT(*) > 1) AS twice"_s)
                            .value(0)
                            .value(0)
                            .toInt();
    out << u"  closed rows %1 for %2 ended jobs; workers with two open jobs: %3"_s.arg(closed)
               .arg(endedTotal)
               .arg(twoOpen)
        << Qt::endl;
    return faults + std::abs(closed - endedTotal) + twoOpen == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Times Start Job and End Job on SQLite and on a server, "
                                     "and runs two terminals on one server."_s);
    parser.addHelpOption();
    const QCommandLineOption server(u"server"_s,
        u"A PostgreSQL database to work in (default: JOBCOSTING_TEST_SERVER)."_s, u"URI"_s,
        qEnvironmentVariable("JOBCOSTING_TEST_SERVER"));
    const QCommandLineOption runs(
        u"runs"_s, u"Timed Start Job and End Job writes per engine."_s, u"N"_s, u"200"_s);
    const QCommandLineOption cycles(
        u"cycles"_s, u"Start/end cycles per terminal and phase."_s, u"N"_s, u"500"_s);
    const QCommandLineOption terminal(u"terminal"_s, u"Run one terminal (internal)."_s, u"DIR"_s);
    const QCommandLineOption badges(u"badges"_s, u"internal"_s, u"LIST"_s);
    const QCommandLineOption offset(u"offset"_s, u"internal"_s, u"N"_s, u"0"_s);
    const QCommandLineOption steps(u"steps"_s, u"internal"_s, u"N"_s);
    const QCommandLineOption code(u"code"_s, u"internal"_s, u"CODE"_s);
    parser.addOptions({server, runs, cycles, terminal, badges, offset, steps, code});
    parser.process(app);

    try {
        if (parser.isSet(terminal))
            return runTerminal(parser.value(terminal), parser.value(badges).split(u','),
                parser.value(offset).toInt(), parser.value(steps).toInt(), parser.value(code));
        if (parser.value(server).isEmpty()) {
            out << "No server: give --server URI, or run it as scripts/test-server "
                   "build/bench/bench_server"
                << Qt::endl;
            return 2;
        }
        const BenchSchema latencySchema(parser.value(server));
        reportLatency(latencySchema, std::max(1, parser.value(runs).toInt()));
        const BenchSchema terminalSchema(parser.value(server));
        return reportTerminals(terminalSchema, std::max(1, parser.value(cycles).toInt()));
    } catch (const std::exception& error) {
        out << "bench_server: " << error.what() << Qt::endl;
        return 1;
    }
}
