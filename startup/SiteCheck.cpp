#include "SiteCheck.h"

#include "app/Program.h"
#include "data/DataError.h"
#include "data/DatabaseFile.h"
#include "data/OpenDatabaseFile.h"
#include "punch/PunchTexts.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString jobPunches = QStringLiteral("JobPunches.MDB");

// What is wrong with the file, or nothing. A missing file is left to the
// screens, which say what they miss.
QString trouble(const QString& fileName, QList<std::shared_ptr<DatabaseFile>>& opened)
{
    if (!QFileInfo::exists(fileName))
        return {};
    try {
        const auto file = openDatabaseFile(fileName);
        opened.append(file);
        if (fileName == jobPunches && !file->hasFeature(DatabaseFile::Feature::Writes))
            return QStringLiteral("JobPunches.MDB is a Microsoft Access file: Job Costing cannot "
                                  "add job punches to it.\nConvert it once, with Job Costing "
                                  "closed, by the command\njobcosting-site convert \"%1\"\nand "
                                  "start Job Costing again.  Process canceled!")
                .arg(QDir::currentPath());
    } catch (const DataError& error) {
        return QStringLiteral("Job Costing cannot start: %1: %2\nProcess canceled!")
            .arg(fileName, error.message());
    }
    return {};
}

} // namespace

bool checkSiteFiles(const Services& services, QList<std::shared_ptr<DatabaseFile>>& opened)
{
    for (const QString& fileName :
        {jobPunches, QStringLiteral("Validations.mdb"), QStringLiteral("Norla.MDB")}) {
        const QString message = trouble(fileName, opened);
        if (!message.isEmpty()) {
            services.dialogs.stop(PunchTexts::instructionTitle, message);
            services.program.end();
            return false;
        }
    }
    return true;
}
