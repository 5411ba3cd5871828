#include "SiteZone.h"

#include "DatabaseFile.h"
#include "SiteModel.h"

QTimeZone siteTimeZone(DatabaseFile& jobPunches, const QTimeZone& machine)
{
    using namespace SiteModel;
    const QString& settingsTable = siteSettings;
    if (jobPunches.columns(settingsTable).isEmpty())
        return machine;
    jobPunches.beforeRead(settingsTable);
    const QSqlDatabase db = jobPunches.database();
    QString name;
    QSqlError error;
    jobPunches.onConnection([&] {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (query.prepare(
                QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                    .arg(jobPunches.quoted(Setting::value), jobPunches.quoted(settingsTable),
                        jobPunches.quoted(Setting::name)))) {
            query.addBindValue(Setting::timeZone);
            if (query.exec() && query.next())
                name = query.value(0).toString().trimmed();
        }
        error = query.lastError();
    });
    if (error.isValid())
        throw jobPunches.errorOf(error, settingsTable);
    if (name.isEmpty())
        return machine;
    const QTimeZone zone(name.toUtf8());
    if (!zone.isValid())
        throw DataError(QStringLiteral("%1 records the time zone '%2' in the table %3, which this "
                                       "machine does not know.")
                            .arg(jobPunches.name(), name, settingsTable));
    return zone;
}
