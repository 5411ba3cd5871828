#include "SiteCheck.h"

#include "StartTexts.h"
#include "data/DataError.h"
#include "data/DatabaseFile.h"
#include "data/OfflineStore.h"
#include "data/OpenDatabaseFile.h"
#include "data/PostgresFile.h"
#include "data/SiteModel.h"
#include "program/Program.h"
#include "ui/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The operator reads it in his language, the log keeps it in English.
struct Trouble
{
    const char* text; // with %1 for the argument
    QString argument;
    ExitStatus status = ExitStatus::NeedsPerson;
    QString shownArgument {}; // the argument in the operator's language, where it differs

    QString shown() const
    {
        return QCoreApplication::translate("SiteCheck", text)
            .arg(shownArgument.isEmpty() ? argument : shownArgument);
    }
    QString logged() const { return QString::fromLatin1(text).arg(argument); }
};

bool isPointer(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) && PostgresFile::recognizes(file.read(64));
}

// What is wrong with the file, or nothing. A missing file is left to the
// screens, which say what they miss.
std::optional<Trouble> trouble(
    const QString& fileName, QList<std::shared_ptr<DatabaseFile>>& opened)
{
    if (!QFileInfo::exists(fileName))
        return std::nullopt;
    try {
        // A site whose job punches are on a server keeps what it needs to go on
        // without the server beside its files, where the folder can hold it;
        // the files that point to the server hold the store from now on.
        const auto store = fileName == SiteModel::jobPunchesFile && isPointer(fileName)
            ? OfflineStore::open(QDir::currentPath())
            : OfflineStore::of(QDir::currentPath());
        const auto file = openDatabaseFile(fileName);
        opened.append(file);
        try {
            file->reach();
        } catch (const DataError& error) {
            // Without its server the terminal runs on its copies, once it has them.
            if (error.reason() != DataError::Reason::Unreachable || !store || !store->hasCopies())
                throw;
        }
        if (fileName == SiteModel::jobPunchesFile
            && !file->hasFeature(DatabaseFile::Feature::Writes))
            return Trouble {
                QT_TRANSLATE_NOOP("SiteCheck",
                    "JobPunches.MDB is a Microsoft Access file: Job Costing cannot add job "
                    "punches to it.\nConvert it once, with Job Costing closed, by the "
                    "command\njobcosting-site convert \"%1\"\nand start Job Costing again.  "
                    "Process canceled!"),
                QDir::currentPath()};
    } catch (const DataError& error) {
        return Trouble {
            QT_TRANSLATE_NOOP("SiteCheck", "Job Costing cannot start: %1\nProcess canceled!"),
            error.message(),
            error.reason() == DataError::Reason::Unreachable ? ExitStatus::ServerAway
                                                             : ExitStatus::NeedsPerson,
            error.shown()};
    }
    return std::nullopt;
}

} // namespace

bool checkSiteFiles(const Services& services, QList<std::shared_ptr<DatabaseFile>>& opened)
{
    for (const QString& fileName : SiteModel::files) {
        if (const auto found = trouble(fileName, opened)) {
            services.dialogs.stop(StartTexts::instructionTitle(), found->shown());
            // The log names the file where the site keeps it.
            services.program.end(found->status,
                QFileInfo(fileName).absoluteFilePath() + QStringLiteral(": ") + found->logged());
            return false;
        }
    }
    return true;
}
