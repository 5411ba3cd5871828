// Counts the disk flushes (fsync, fdatasync) that the terminal's saves cost on
// a SQLite site, beside a plain SQLite write in the same mode (write-ahead log,
// full synchronisation) as the anchor: the first save after the start, and the
// saves after it. Each start is a fresh connection, as a program start is.
//
//   bench_flushes [--saves 20]

#include "DiskFlushes.h"
#include "SiteBuilder.h"
#include "data/DataSource.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <sqlite3.h>

namespace {

QTextStream out(stdout);

long flushesOf(const std::function<void()>& step)
{
    const long before = diskFlushes();
    step();
    return diskFlushes() - before;
}

void report(const QString& what, long first, const QList<long>& later, long setUp = -1)
{
    // SQLite copies the log into the file (a checkpoint, two flushes more)
    // in the save that takes it past a thousand pages, and the save after
    // starts the log anew (its header, one more).
    const auto more = std::count_if(later.begin(), later.end(), [](long n) { return n > 1; });
    out << QStringLiteral("  %1 set-up %2, first save %3, later saves %4 to %5 (%6 of %7 more "
                          "than one)")
               .arg(what, -36)
               .arg(setUp < 0 ? QStringLiteral("-") : QString::number(setUp), 2)
               .arg(first, 2)
               .arg(*std::min_element(later.begin(), later.end()))
               .arg(*std::max_element(later.begin(), later.end()))
               .arg(more)
               .arg(later.size())
        << Qt::endl;
}

void execute(sqlite3* db, const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("%s: %s", sql, sqlite3_errmsg(db));
}

// The anchor: one connection of SQLite's own, inserting one row a save.
void plainSqlite(const QString& dir, int saves)
{
    const QByteArray path = QDir(dir).filePath(QStringLiteral("plain.db")).toUtf8();
    sqlite3* db = nullptr;
    sqlite3_open(path.constData(), &db);
    execute(db, "PRAGMA journal_mode = WAL; CREATE TABLE t (id INTEGER PRIMARY KEY, v TEXT)");
    sqlite3_close(db);
    sqlite3_open(path.constData(), &db);
    execute(db, "PRAGMA synchronous = FULL");
    const long first = flushesOf([db] { execute(db, "INSERT INTO t (v) VALUES ('x')"); });
    QList<long> later;
    for (int i = 1; i < saves; ++i)
        later << flushesOf([db] { execute(db, "INSERT INTO t (v) VALUES ('x')"); });
    sqlite3_close(db);
    report(QStringLiteral("plain SQLite, one row an INSERT"), first, later);
}

// Start Job's new row and End Job's edit, through the punch data source as
// the screen uses it, alternately; set up first or not.
void terminal(const RegionalSettings& regional, int saves, bool prepared)
{
    DataSource punches(QStringLiteral("Data1"), QStringLiteral("JobPunches.MDB"),
        QStringLiteral("select * from JobPunches where Badge = 'Open'"), false, regional);
    punches.refresh();
    const long setUp = prepared ? flushesOf([&punches] { punches.prepareWrites(); }) : -1;
    const auto save = [&punches](int i) {
        if (i % 2 == 0) {
            punches.addNew();
            punches.setField(QStringLiteral("Name"), QStringLiteral("Walter Brennan"));
            punches.setField(QStringLiteral("Badge"), QStringLiteral("Open"));
        } else {
            punches.refresh();
            punches.edit();
            punches.setField(QStringLiteral("Badge"), QStringLiteral("Closed"));
        }
        punches.save();
    };
    const long first = flushesOf([&] { save(0); });
    QList<long> later;
    for (int i = 1; i < saves; ++i)
        later << flushesOf([&] { save(i); });
    report(prepared ? QStringLiteral("terminal, set up at the start")
                    : QStringLiteral("terminal, not set up"),
        first, later, setUp);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Disk flushes of the terminal's saves, beside a plain SQLite write."));
    parser.addHelpOption();
    const QCommandLineOption savesOption(QStringLiteral("saves"),
        QStringLiteral("Saves after each start."), QStringLiteral("N"), QStringLiteral("20"));
    parser.addOption(savesOption);
    parser.process(application);
    const int saves = std::max(2, parser.value(savesOption).toInt());

    QTemporaryDir dir;
    plainSqlite(dir.path(), saves);
    SiteBuilder::create(dir.path());
    QDir::setCurrent(dir.path());
    class FixedClock : public Clock
    {
    public:
        QDateTime now() const override { return QDateTime(QDate(2004, 2, 26), QTime(6, 0)); }
    } clock;
    const RegionalSettings regional(QStringLiteral("MM/dd/yyyy"), QStringLiteral("h:mm:ss AP"),
        QLatin1Char('.'), QLatin1Char(','), clock);
    terminal(regional, saves, false);
    terminal(regional, saves, true);
    if (diskFlushes() == 0) {
        out << "no flush was counted: SQLite's calls did not reach the counter" << Qt::endl;
        return 1;
    }
    return 0;
}
