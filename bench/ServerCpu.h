#pragma once

// The processor time of a PostgreSQL server on this machine, read from /proc:
// its postmaster's own, that of the processes it has reaped (backends whose
// connections ended, parallel workers) and that of every process it runs now.

#include <QDir>
#include <QFile>
#include <QString>
#include <optional>
#include <unistd.h>

struct ProcStat
{
    qint64 ppid = 0;
    double cpuMs = 0; // utime + stime
    double reapedMs = 0; // cutime + cstime
};

inline std::optional<ProcStat> procStat(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    // The name in parentheses may hold blanks: the fields after it count from ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 15)
        return std::nullopt;
    const double tick = 1000.0 / double(sysconf(_SC_CLK_TCK));
    return ProcStat {fields.at(1).toLongLong(),
        (fields.at(11).toDouble() + fields.at(12).toDouble()) * tick,
        (fields.at(13).toDouble() + fields.at(14).toDouble()) * tick};
}

// The postmaster of the server whose data folder is given, from the first line
// of its postmaster.pid (a backend of one's own ends with its connection,
// before /proc could be read); 0 when it cannot be read.
inline qint64 postmasterIn(const QString& dataDirectory)
{
    QFile pidFile(QDir(dataDirectory).filePath(QStringLiteral("postmaster.pid")));
    bool number = false;
    const qint64 pid
        = pidFile.open(QIODevice::ReadOnly) ? pidFile.readLine().trimmed().toLongLong(&number) : 0;
    return number && procStat(pid) ? pid : 0;
}

class ServerCpu
{
public:
    explicit ServerCpu(qint64 postmaster)
        : m_postmaster(postmaster)
    { }

    // Milliseconds so far; nothing once the postmaster is gone.
    std::optional<double> ms() const
    {
        const auto own = procStat(m_postmaster);
        if (!own)
            return std::nullopt;
        double total = own->cpuMs + own->reapedMs;
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            bool number = false;
            const qint64 pid = entry.toLongLong(&number);
            if (!number || pid == m_postmaster)
                continue;
            if (const auto child = procStat(pid); child && child->ppid == m_postmaster)
                total += child->cpuMs;
        }
        return total;
    }

private:
    qint64 m_postmaster;
};
