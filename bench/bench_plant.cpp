// A plant's worth of terminals on one server, measured on the private test
// server: N real terminal processes (offscreen, the installed program's
// libraries and start, dialogs answered by script) in folders of their own,
// all pointing to one site.
//
// 1. The start storm: all N started at once; the time until every punch
//    screen is ready, and the server's connections (the most seen while they
//    start, and at rest).
// 2. A shift change: each terminal makes one Start Job at a random moment of
//    one minute; the time from the Start Job click to its row committed and
//    the screen back at badge entry, at the 50th and 99th percentile, beside
//    one terminal alone (the median of its first Start Job after its start, as
//    each of the plant's is, and of its later ones); and the server's CPU
//    time per punch, in the terminals' own server processes and in all.
// 3. With --rest-minutes: the server's CPU time per terminal and hour while
//    the terminals stand at rest beside a site of --rest-items items a level,
//    after their copies were made, beside the idle server's own; then the
//    same terminals on the site without its count of changes, which copy the
//    tables whole every ten minutes as before they followed notices: the
//    server's CPU time for one such refresh (ten minutes more).
//
//   scripts/test-server build/bench/bench_plant [--terminals 10,30,60] [--items 200]
//   scripts/test-server --max-connections 200 build/bench/bench_plant --terminals 100
//   scripts/test-server build/bench/bench_plant --terminals 0 --rest-minutes 10
//       [--rest-terminals 5] [--rest-items 50000]

#include "BenchSchema.h"
#include "ReadyWatch.h"
#include "ServerCpu.h"
#include "SiteBuilder.h"
#include "app/Application.h"
#include "data/OfflineStore.h"
#include "data/SiteModel.h"
#include "punch/JobCosting.h"
#include "punch/Module1.h"
#include "ui/DesktopServices.h"
#include "ui/Dialogs.h"
#include "ui/PictureButton.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);

[[noreturn]] void fail(const QString& why)
{
    out << "bench_plant: " << why << Qt::endl;
    std::exit(EXIT_FAILURE);
}

// ---------------------------------------------------------------------------
// A terminal: the program's start as app/Application.cpp makes it, in the
// site folder given. It prints "ready" once its punch screen is ready and
// "copied" once it holds copies of the server's tables, then takes commands
// on its standard input, a line each:
//   start BADGE CODE1 CODE2 CODE3   a Start Job; prints "punched MS" or "refused TEXT"
//   quit

// Answers every question with its first button; a message is printed as a
// line "message TEXT" and the work goes on, as a worker who reads it would.
class WorkerDialogs : public Dialogs
{
public:
    QStringList told;
    Answer message(const Message& message) override
    {
        told << message.text;
        std::printf("message %s\n", qPrintable(QString(message.text).replace(u'\n', u' ')));
        std::fflush(stdout);
        switch (message.buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::Yes;
        }
        return Answer::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return u"1"_s; }
    void beep() override { }
};

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

int runTerminal(int argc, char* argv[], const QString& folder)
{
    prepareProcess();
    QApplication application(argc, argv);
    WorkerDialogs dialogs;
    const DesktopServices desktop(dialogs);
    if (!QDir::setCurrent(folder))
        return EXIT_FAILURE;
    Module1 module;
    JobCosting screen(desktop.services, module);
    PaintWatch watch;
    screen.installEventFilter(&watch);
    screen.load();
    screen.show();
    screen.activateWindow();
    if (!waitUntilReady(&screen, watch, screen.Text34))
        return EXIT_FAILURE;
    say(u"ready"_s);

    QTimer copies;
    QObject::connect(&copies, &QTimer::timeout, &screen, [&copies] {
        const auto store = OfflineStore::of(QDir::currentPath());
        if (store && store->hasCopies()) {
            say(u"copied"_s);
            copies.stop();
        }
    });
    copies.start(200);

    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return EXIT_FAILURE;
    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&commands, &QSocketNotifier::activated, &screen, [&] {
        char buffer[4096];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            application.quit();
            return;
        }
        pending.append(buffer, got);
        while (pending.contains('\n')) {
            const qsizetype end = pending.indexOf('\n');
            const QStringList words = QString::fromUtf8(pending.left(end)).split(u' ');
            pending.remove(0, end + 1);
            if (words.value(0) == "quit"_L1) {
                application.quit();
                return;
            }
            if (words.value(0) != "start"_L1 || words.size() != 5)
                continue;
            const qsizetype before = dialogs.told.size();
            QTest::keyClicks(screen.Text34, words.at(1));
            if (screen.Command1->isHidden() || screen.Command1->text() != "New Job"_L1) {
                say(u"refused no new job for %1: %2"_s.arg(
                    words.at(1), dialogs.told.mid(before).join(u" / "_s)));
                continue;
            }
            QLineEdit* const boxes[] = {screen.Text3, screen.Text4, screen.Text5};
            for (int level = 0; level < 3; ++level) {
                QLineEdit* box = boxes[level];
                if (box->isHidden())
                    continue;
                QTest::keyClicks(box, words.at(2 + level));
                QTest::keyClick(box, Qt::Key_Return);
            }
            const qsizetype asked = dialogs.told.size();
            QElapsedTimer clicked;
            clicked.start();
            screen.Command1->click();
            const double ms = clicked.nsecsElapsed() / 1e6;
            // The one question is the confirmation; anything after it is a refusal.
            const QStringList after = dialogs.told.mid(asked + 1);
            if (after.isEmpty())
                say(u"punched %1"_s.arg(ms, 0, 'f', 2));
            else
                say(u"refused %1"_s.arg(after.join(u" / "_s)));
        }
    });
    return application.exec();
}

// ---------------------------------------------------------------------------
// The whole server's CPU time so far (ServerCpu.h); the bench ends when the
// server's processes cannot be read.

class ServerTime
{
public:
    explicit ServerTime(const BenchSchema& schema)
        : m_cpu(postmasterIn(schema.rows(u"SHOW data_directory"_s).value(0).value(0).toString()))
    {
        ms();
    }
    double ms() const
    {
        const std::optional<double> ms = m_cpu.ms();
        if (!ms)
            fail(u"the server's processes cannot be read from /proc"_s);
        return *ms;
    }

private:
    ServerCpu m_cpu;
};

// ---------------------------------------------------------------------------
// The parent.

struct Terminal
{
    std::unique_ptr<QProcess> process;
    QByteArray buffer;
    double readyMs = -1;
    bool copied = false;
    QList<double> punches;
    QStringList refusals;
    QStringList messages;
};

class Plant
{
public:
    Plant(const QString& site, int count, const QString& root)
    {
        m_terminals.resize(count);
        for (int i = 0; i < count; ++i) {
            const QString folder = QDir(root).filePath(u"terminal-%1"_s.arg(i));
            QDir().mkpath(folder);
            for (const QString& name : SiteModel::files)
                QFile::copy(QDir(site).filePath(name), QDir(folder).filePath(name));
            m_folders << folder;
        }
    }
    ~Plant()
    {
        for (Terminal& terminal : m_terminals) {
            if (!terminal.process)
                continue;
            terminal.process->write("quit\n");
            terminal.process->closeWriteChannel();
        }
        for (Terminal& terminal : m_terminals) {
            if (terminal.process && !terminal.process->waitForFinished(20000))
                terminal.process->kill();
        }
    }
    Plant(const Plant&) = delete;
    Plant& operator=(const Plant&) = delete;

    qsizetype size() const { return qsizetype(m_terminals.size()); }
    Terminal& at(qsizetype i) { return m_terminals[size_t(i)]; }

    // Starts every terminal at once.
    void start()
    {
        m_started.start();
        for (qsizetype i = 0; i < size(); ++i) {
            Terminal& terminal = m_terminals[size_t(i)];
            terminal.process = std::make_unique<QProcess>();
            terminal.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            QObject::connect(terminal.process.get(), &QProcess::readyReadStandardOutput,
                terminal.process.get(), [this, i] { read(i); });
            terminal.process->start(
                QCoreApplication::applicationFilePath(), {u"--terminal"_s, m_folders.at(i)});
        }
    }
    // Handles events until `done` holds, at most timeoutMs; `each` runs at
    // every turn. False on the timeout or when a terminal ended.
    template<typename Done, typename Each> bool waitFor(Done done, int timeoutMs, Each each)
    {
        QElapsedTimer waited;
        waited.start();
        while (!done()) {
            if (waited.elapsed() > timeoutMs)
                return false;
            for (const Terminal& terminal : m_terminals) {
                if (terminal.process && terminal.process->state() == QProcess::NotRunning)
                    fail(u"a terminal ended: %1"_s.arg(terminal.messages.join(u" / "_s)));
            }
            each();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(5);
        }
        return true;
    }
    template<typename Done> bool waitFor(Done done, int timeoutMs)
    {
        return waitFor(done, timeoutMs, [] {});
    }
    void send(qsizetype i, const QString& command)
    {
        at(i).process->write((command + u'\n').toUtf8());
    }

private:
    void read(qsizetype i)
    {
        Terminal& terminal = at(i);
        terminal.buffer += terminal.process->readAllStandardOutput();
        while (terminal.buffer.contains('\n')) {
            const qsizetype end = terminal.buffer.indexOf('\n');
            const QString line = QString::fromUtf8(terminal.buffer.left(end));
            terminal.buffer.remove(0, end + 1);
            if (line == "ready"_L1)
                terminal.readyMs = m_started.nsecsElapsed() / 1e6;
            else if (line == "copied"_L1)
                terminal.copied = true;
            else if (line.startsWith("punched "_L1))
                terminal.punches << line.mid(8).toDouble();
            else if (line.startsWith("refused "_L1))
                terminal.refusals << line.mid(8);
            else if (line.startsWith("message "_L1))
                terminal.messages << line.mid(8);
        }
    }

    QStringList m_folders;
    std::vector<Terminal> m_terminals;
    QElapsedTimer m_started;
};

int connectionsOf(const BenchSchema& schema)
{
    return schema
        .rows(u"SELECT count(*) FROM pg_stat_activity WHERE datname = current_database() "
              "AND application_name = 'jobcosting' AND pid <> pg_backend_pid()"_s)
        .value(0)
        .value(0)
        .toInt();
}

double percentile(QList<double> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = qsizetype(std::ceil(p / 100.0 * double(values.size()))) - 1;
    return values.at(std::clamp<qsizetype>(at, 0, values.size() - 1));
}

QString startCommand(int worker, int items)
{
    return u"start %1 %2 %3 %4"_s.arg(worker, 6, 10, QLatin1Char('0'))
        .arg(SiteBuilder::largeItemCode(1, worker % items, items),
            SiteBuilder::largeItemCode(2, (worker * 7) % items, items),
            SiteBuilder::largeItemCode(3, (worker * 13) % items, items));
}

QString makeSite(const BenchSchema& schema, const QString& dir, int employees, int items)
{
    SiteBuilder::Contents contents;
    contents.kind = SiteBuilder::Contents::Kind::Large;
    contents.employees = employees;
    contents.items = items;
    try {
        SiteBuilder::create(dir, schema.uri(), contents);
    } catch (const SiteBuilder::Error& error) {
        fail(u"cannot build the site: "_s + QString::fromLocal8Bit(error.what()));
    }
    return dir;
}

// Handles events for ms milliseconds, with the plant's terminals running.
void runFor(Plant& plant, int ms)
{
    QElapsedTimer window;
    window.start();
    plant.waitFor([&] { return window.elapsed() >= ms; }, ms + 1000);
}

// The CPU time of the terminals' own server processes, those of their
// connections: the work of their punches, without the server's own (its
// checkpoints, its statistics, its vacuum) that runs whatever they do.
class TerminalsCpu
{
public:
    explicit TerminalsCpu(const BenchSchema& schema)
    {
        for (const QVariantList& row :
            schema.rows(u"SELECT pid FROM pg_stat_activity WHERE datname = current_database() AND "
                        "application_name = 'jobcosting'"_s))
            m_pids << row.value(0).toLongLong();
    }
    double ms() const
    {
        double total = 0;
        for (const qint64 pid : m_pids) {
            if (const auto stat = procStat(pid))
                total += stat->cpuMs;
        }
        return total;
    }

private:
    QList<qint64> m_pids;
};

// One terminal alone, at the shift change's pace: `starts` times a terminal
// started anew, in a folder of its own, makes its first Start Job, as each of
// the plant's does (its statements prepared, the server's caches of its
// connection filled at that first one); then one terminal's Start Jobs one after
// another, a second apart.
struct Alone
{
    double firstMedian = 0;
    double laterMedian = 0;
    double firstCpu = 0; // a first Start Job's, on average, in its server process
    double cpuPerPunch = 0; // of the later ones
};

Alone oneTerminal(const QString& server, int items, int starts, int punches)
{
    const BenchSchema schema(server);
    QTemporaryDir root;
    const QString site = makeSite(schema, root.filePath(u"site"_s), starts + punches + 1, items);
    const auto ready = [](Plant& plant) {
        if (!plant.waitFor([&] { return plant.at(0).readyMs >= 0 && plant.at(0).copied; }, 60000))
            fail(u"the terminal alone did not come up"_s);
        QTest::qWait(1000);
    };
    const auto punch = [](Plant& plant, int worker, int items) {
        const qsizetype done = plant.at(0).punches.size() + plant.at(0).refusals.size() + 1;
        plant.send(0, startCommand(worker, items));
        if (!plant.waitFor(
                [&] { return plant.at(0).punches.size() + plant.at(0).refusals.size() >= done; },
                60000))
            fail(u"a Start Job of the terminal alone did not return"_s);
        if (!plant.at(0).refusals.isEmpty())
            fail(u"the terminal alone was refused: "_s + plant.at(0).refusals.join(u" / "_s));
    };
    Alone alone;
    QList<double> firsts;
    for (int run = 1; run <= starts; ++run) {
        Plant plant(site, 1, root.filePath(u"first-%1"_s.arg(run)));
        plant.start();
        ready(plant);
        const TerminalsCpu cpu(schema);
        const double before = cpu.ms();
        punch(plant, run, items);
        alone.firstCpu += (cpu.ms() - before) / starts;
        firsts << plant.at(0).punches.constFirst();
    }
    alone.firstMedian = percentile(firsts, 50);

    Plant plant(site, 1, root.filePath(u"later"_s));
    plant.start();
    ready(plant);
    punch(plant, starts + 1, items);
    const TerminalsCpu cpu(schema);
    const double before = cpu.ms();
    for (int worker = starts + 2; worker < starts + 2 + punches; ++worker) {
        punch(plant, worker, items);
        QTest::qWait(1000);
    }
    alone.cpuPerPunch = (cpu.ms() - before) / punches;
    alone.laterMedian = percentile(plant.at(0).punches.mid(1), 50);
    return alone;
}

void measurePlant(const QString& server, int count, int items, int shiftMs, const Alone& alone)
{
    const BenchSchema schema(server);
    QTemporaryDir root;
    const QString site = makeSite(schema, root.filePath(u"site"_s), std::max(count, 1), items);
    const ServerTime cpu(schema);
    Plant plant(site, count, root.path());

    // The storm.
    int peak = 0;
    QElapsedTimer sampled;
    sampled.start();
    plant.start();
    const auto allReady = [&] {
        for (qsizetype i = 0; i < plant.size(); ++i) {
            if (plant.at(i).readyMs < 0)
                return false;
        }
        return true;
    };
    const auto sample = [&] {
        if (sampled.elapsed() >= 200) {
            peak = std::max(peak, connectionsOf(schema));
            sampled.restart();
        }
    };
    if (!plant.waitFor(allReady, 120000, sample))
        fail(u"not every terminal came up within two minutes"_s);
    QList<double> ready;
    int startMessages = 0;
    for (qsizetype i = 0; i < plant.size(); ++i) {
        ready << plant.at(i).readyMs;
        startMessages += int(plant.at(i).messages.size());
    }
    const auto allCopied = [&] {
        for (qsizetype i = 0; i < plant.size(); ++i) {
            if (!plant.at(i).copied)
                return false;
        }
        return true;
    };
    if (!plant.waitFor(allCopied, 120000, sample))
        fail(u"not every terminal made its copies within two minutes"_s);
    QTest::qWait(2000);
    const int atRest = connectionsOf(schema);
    peak = std::max(peak, atRest);

    // The shift change: each terminal one Start Job at a random moment of the minute.
    QRandomGenerator random(1968);
    QList<int> at;
    for (int i = 0; i < count; ++i)
        at << int(random.bounded(shiftMs));
    const TerminalsCpu terminalsCpu(schema);
    const double cpuBefore = cpu.ms();
    const double terminalsBefore = terminalsCpu.ms();
    QElapsedTimer shift;
    shift.start();
    QList<bool> sent(count, false);
    const auto answered = [&] {
        qsizetype done = 0;
        for (qsizetype i = 0; i < plant.size(); ++i)
            done += plant.at(i).punches.size() + plant.at(i).refusals.size();
        return done >= count;
    };
    if (!plant.waitFor(answered, shiftMs + 120000, [&] {
            for (int i = 0; i < count; ++i) {
                if (!sent[i] && shift.elapsed() >= at[i]) {
                    plant.send(i, startCommand(i + 1, items));
                    sent[i] = true;
                }
            }
        }))
        fail(u"not every Start Job returned"_s);
    const double shiftCpu = cpu.ms() - cpuBefore;
    const double terminalsShiftCpu = terminalsCpu.ms() - terminalsBefore;
    QList<double> punches;
    QStringList refusals;
    for (qsizetype i = 0; i < plant.size(); ++i) {
        punches << plant.at(i).punches;
        refusals << plant.at(i).refusals;
    }
    const int rows = schema.rows(u"SELECT count(*) FROM JobPunches"_s).value(0).value(0).toInt();
    const double p99 = percentile(punches, 99);
    out << u"%1 terminals: all ready %2 s after the start (first %3 s, median %4 s, %5 "
           "messages at start); server connections %6 at rest, %7 at most"_s.arg(count)
               .arg(percentile(ready, 100) / 1000, 0, 'f', 1)
               .arg(percentile(ready, 0) / 1000, 0, 'f', 1)
               .arg(percentile(ready, 50) / 1000, 0, 'f', 1)
               .arg(startMessages)
               .arg(atRest)
               .arg(peak)
        << Qt::endl
        << u"  shift change: %1 Start Jobs (%2 rows, %3 refused) over %4 s; click to row "
           "p50 %5 ms, p99 %6 ms = %7x one terminal's first Start Job (%8x its later ones); server "
           "CPU %9 ms a punch in the terminals' own server processes (%10 ms with the server's "
           "others)"_s.arg(punches.size())
               .arg(rows)
               .arg(refusals.size())
               .arg(shiftMs / 1000)
               .arg(percentile(punches, 50), 0, 'f', 1)
               .arg(p99, 0, 'f', 1)
               .arg(p99 / alone.firstMedian, 0, 'f', 2)
               .arg(p99 / alone.laterMedian, 0, 'f', 2)
               .arg(terminalsShiftCpu / std::max<qsizetype>(1, punches.size()), 0, 'f', 1)
               .arg(shiftCpu / std::max<qsizetype>(1, punches.size()), 0, 'f', 1)
        << Qt::endl;
    for (const QString& refusal : std::as_const(refusals))
        out << "  refused: " << refusal << Qt::endl;
}

bool allCopied(Plant& plant)
{
    for (qsizetype i = 0; i < plant.size(); ++i) {
        if (!plant.at(i).copied)
            return false;
    }
    return true;
}

void measureRest(const QString& server, int count, int items, int minutes)
{
    const BenchSchema schema(server);
    QTemporaryDir root;
    QElapsedTimer built;
    built.start();
    const QString site = makeSite(schema, root.filePath(u"site"_s), 100, items);
    out << u"at rest: %1 items a level (site built in %2 s)"_s.arg(items).arg(
        built.elapsed() / 1000.0, 0, 'f', 1)
        << Qt::endl;
    // The server's own work after the site was built (its statistics, the
    // pages written), done now rather than in the window measured.
    schema.rows(u"VACUUM ANALYZE"_s);
    schema.rows(u"CHECKPOINT"_s);
    const ServerTime cpu(schema);
    const int windowMs = minutes * 60 * 1000;
    // The idle server's own work, over a fifth of the window.
    double before = cpu.ms();
    QTest::qWait(windowMs / 5);
    const double idlePerHour = (cpu.ms() - before) * 3600000.0 / (windowMs / 5);

    // Now: the copies follow the notices, and nothing changes.
    {
        Plant plant(site, count, root.filePath(u"notices"_s));
        plant.start();
        if (!plant.waitFor([&] { return allCopied(plant); }, 600000))
            fail(u"the terminals did not make their copies"_s);
        runFor(plant, 20000);
        const TerminalsCpu own(schema);
        before = cpu.ms();
        const double ownBefore = own.ms();
        QElapsedTimer window;
        window.start();
        runFor(plant, windowMs);
        const double hours = double(window.elapsed()) / 3600000.0;
        out << u"  %1 terminals following notices over %2 min: server CPU %3 ms an hour for "
               "each terminal in its own server process; the whole server %4 ms an hour (the "
               "idle server alone %5 ms an hour)"_s.arg(count)
                   .arg(minutes)
                   .arg((own.ms() - ownBefore) / hours / count, 0, 'f', 0)
                   .arg((cpu.ms() - before) / hours, 0, 'f', 0)
                   .arg(idlePerHour, 0, 'f', 0)
            << Qt::endl;
    }

    // Before: a server that counts no changes (a site not brought up to
    // date). The terminals, started anew, copy the tables whole and then every
    // ten minutes, as every terminal did before it followed notices. A window
    // of ten minutes, from shortly after all made their copies, holds exactly
    // one such refresh of each.
    schema.rows(u"DROP TABLE TableChanges"_s);
    schema.rows(u"DROP FUNCTION CopiedTableChanged() CASCADE"_s);
    {
        Plant plant(site, count, root.filePath(u"whole"_s));
        plant.start();
        if (!plant.waitFor([&] { return allCopied(plant); }, 600000))
            fail(u"the terminals did not make their copies"_s);
        runFor(plant, 20000);
        const TerminalsCpu own(schema);
        const int refreshWindowMs = 10 * 60 * 1000;
        before = cpu.ms();
        const double ownBefore = own.ms();
        runFor(plant, refreshWindowMs);
        const double refresh = (own.ms() - ownBefore) / count;
        const double whole
            = (cpu.ms() - before - idlePerHour * refreshWindowMs / 3600000.0) / count;
        out << u"  %1 terminals copying whole every ten minutes: server CPU %2 ms for each "
               "terminal's refresh of the four tables and the open jobs in its own server "
               "process (%3 ms from the whole server's, less the idle server's)"_s.arg(count)
                   .arg(refresh, 0, 'f', 0)
                   .arg(whole, 0, 'f', 0)
            << Qt::endl;
    }

    // Before the notices, the sender made a connection of its own for each
    // such refresh, and closed it a minute after: what one costs the server
    // (the process started for it and ended), over 50.
    constexpr int connections = 50;
    before = cpu.ms();
    for (int made = 0; made < connections; ++made)
        schema.rows(u"SELECT 1"_s);
    QTest::qWait(1000); // the last process reaped
    out << u"  a connection made, asked one statement and closed: server CPU %1 ms"_s.arg(
        (cpu.ms() - before) / connections, 0, 'f', 1)
        << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArrayView(argv[1]) == "--terminal") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return runTerminal(argc - 2, argv, QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption terminals(
        u"terminals"_s, u"Terminal counts."_s, u"N,..."_s, u"10,30,60"_s);
    const QCommandLineOption items(u"items"_s, u"Items a level."_s, u"K"_s, u"200"_s);
    const QCommandLineOption shift(
        u"shift-seconds"_s, u"The shift change's length."_s, u"S"_s, u"60"_s);
    const QCommandLineOption aloneStarts(u"alone-starts"_s,
        u"Starts of a terminal alone, each for one Start Job."_s, u"S"_s, u"15"_s);
    const QCommandLineOption alonePunches(u"alone-punches"_s,
        u"Start Jobs of one terminal alone after its first."_s, u"P"_s, u"20"_s);
    const QCommandLineOption restMinutes(
        u"rest-minutes"_s, u"Minutes at rest to measure (0: none)."_s, u"M"_s, u"0"_s);
    const QCommandLineOption restTerminals(
        u"rest-terminals"_s, u"Terminals at rest."_s, u"N"_s, u"5"_s);
    const QCommandLineOption restItems(
        u"rest-items"_s, u"Items a level at rest."_s, u"K"_s, u"50000"_s);
    parser.addOptions({terminals, items, shift, aloneStarts, alonePunches, restMinutes,
        restTerminals, restItems});
    parser.addHelpOption();
    parser.process(application);
    const QString server = qEnvironmentVariable("JOBCOSTING_TEST_SERVER");
    if (server.isEmpty())
        fail(u"no server: run it as scripts/test-server build/bench/bench_plant"_s);
    qputenv("QT_QPA_PLATFORM", "offscreen");

    const BenchSchema probe(server);
    out << "max_connections " << probe.rows(u"SHOW max_connections"_s).value(0).value(0).toString()
        << ", " << QThread::idealThreadCount() << " cores" << Qt::endl;
    const int itemCount = parser.value(items).toInt();
    QList<int> counts;
    for (const QString& count : parser.value(terminals).split(u',', Qt::SkipEmptyParts)) {
        if (count.toInt() > 0)
            counts << count.toInt();
    }
    if (!counts.isEmpty()) {
        const Alone alone = oneTerminal(server, itemCount, parser.value(aloneStarts).toInt(),
            parser.value(alonePunches).toInt());
        out << u"one terminal alone: click to row median %1 ms for its first Start Job after "
               "its start (of %2 starts), %3 ms for later ones; server CPU in its own server "
               "process %4 ms a first Start Job, %5 ms a later one"_s
                   .arg(alone.firstMedian, 0, 'f', 1)
                   .arg(parser.value(aloneStarts).toInt())
                   .arg(alone.laterMedian, 0, 'f', 1)
                   .arg(alone.firstCpu, 0, 'f', 1)
                   .arg(alone.cpuPerPunch, 0, 'f', 1)
            << Qt::endl;
        for (const int count : std::as_const(counts))
            measurePlant(server, count, itemCount, parser.value(shift).toInt() * 1000, alone);
    }
    if (const int minutes = parser.value(restMinutes).toInt(); minutes > 0)
        measureRest(
            server, parser.value(restTerminals).toInt(), parser.value(restItems).toInt(), minutes);
    return 0;
}
