#include "Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

void DesktopShell::open(const QString& fileName)
{
#ifdef Q_OS_WIN
    ShellExecuteW(
        nullptr, L"open", reinterpret_cast<LPCWSTR>(fileName.utf16()), L"", L"", SW_SHOWNORMAL);
#else
    // The working folder comes first, as it does for the Windows shell; then PATH.
    const QFileInfo local(QDir::current(), fileName);
    QString program = local.isFile() && local.isExecutable()
        ? local.absoluteFilePath()
        : QStandardPaths::findExecutable(fileName);
    if (!program.isEmpty())
        QProcess::startDetached(program, {}, QDir::currentPath());
#endif
}
