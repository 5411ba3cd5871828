#include "PunchKeeper.h"

#include "SiteModel.h"

#include <QDir>
#include <QHash>
#include <mutex>

namespace {

std::mutex keepersMutex;

QHash<QString, std::weak_ptr<PunchKeeper>>& keepers()
{
    static QHash<QString, std::weak_ptr<PunchKeeper>> byFolder;
    return byFolder;
}

QString folderKey(const QString& folder)
{
    const QString canonical = QDir(folder).canonicalPath();
    return canonical.isEmpty() ? QDir(folder).absolutePath() : canonical;
}

} // namespace

std::shared_ptr<PunchKeeper> PunchKeeper::of(const QString& folder)
{
    const std::lock_guard lock(keepersMutex);
    return keepers().value(folderKey(folder)).lock();
}

bool PunchKeeper::keepsPunchesOf(const QString& table)
{
    return table.compare(SiteModel::jobPunches, Qt::CaseInsensitive) == 0;
}

std::shared_ptr<PunchKeeper> PunchKeeper::ofOrMade(
    const QString& folder, const std::function<std::shared_ptr<PunchKeeper>(const QString&)>& make)
{
    const QString key = folderKey(folder);
    const std::lock_guard lock(keepersMutex);
    if (auto existing = keepers().value(key).lock())
        return existing;
    auto made = make(key);
    if (made)
        keepers().insert(key, made);
    return made;
}
