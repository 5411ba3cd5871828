#pragma once

#include <QByteArray>
#include <QFile>

// A memory figure of this process from /proc/self/status, in kilobytes, or -1:
// "VmRSS" what it holds now, "VmHWM" the most it held since its program was
// loaded (ru_maxrss would also count what a parent had when it forked it).
inline long processKilobytes(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = field + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}
