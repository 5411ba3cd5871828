#include "ThisProgram.h"

#include <QDir>
#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

namespace ThisProgram {

QString user()
{
    if (const passwd* user = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(user->pw_name);
    return qEnvironmentVariable("USER");
}

QString terminal()
{
    return QSysInfo::machineHostName() + QLatin1Char(':') + QDir::currentPath();
}

} // namespace ThisProgram
