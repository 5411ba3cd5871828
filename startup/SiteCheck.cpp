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

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

struct Trouble
{
    QString message;
    ExitStatus status = ExitStatus::NeedsPerson;
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
                QStringLiteral("JobPunches.MDB is a Microsoft Access file: Job Costing cannot "
                               "add job punches to it.\nConvert it once, with Job Costing "
                               "closed, by the command\njobcosting-site convert \"%1\"\nand "
                               "start Job Costing again.  Process canceled!")
                    .arg(QDir::currentPath())};
    } catch (const DataError& error) {
        return Trouble {
            QStringLiteral("Job Costing cannot start: %1\nProcess canceled!").arg(error.message()),
            error.reason() == DataError::Reason::Unreachable ? ExitStatus::ServerAway
                                                             : ExitStatus::NeedsPerson};
    }
    return std::nullopt;
}

} // namespace

bool checkSiteFiles(const Services& services, QList<std::shared_ptr<DatabaseFile>>& opened)
{
    for (const QString& fileName : SiteModel::files) {
        if (const auto found = trouble(fileName, opened)) {
            services.dialogs.stop(StartTexts::instructionTitle, found->message);
            // The log names the file where the site keeps it.
            services.program.end(found->status,
                QFileInfo(fileName).absoluteFilePath() + QStringLiteral(": ") + found->message);
            return false;
        }
    }
    return true;
}
