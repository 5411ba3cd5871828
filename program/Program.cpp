#include "Program.h"

#include <QStringList>
#include <cstdio>
#include <cstdlib>

void ImmediateExit::end(ExitStatus status, const QString& reason)
{
    if (!reason.isEmpty()) {
        // One line per refusal, so that the service's log keeps it whole.
        QString flat = reason;
        flat.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const QString line = QStringLiteral("jobcosting: ")
            + flat.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char(' '))
            + QLatin1Char('\n');
        std::fputs(line.toLocal8Bit().constData(), stderr);
    }
    std::fflush(nullptr);
    std::_Exit(static_cast<int>(status));
}
