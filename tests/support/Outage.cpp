#include "Outage.h"

#include "data/OfflineStore.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace Outage {

const QString keptText = u"The server cannot be reached. Your job is kept at this terminal and "
                         "will be sent when the server answers."_s;

void endJob(PunchScreen& punch, const QString& badge, const QString& pieces, bool kept)
{
    punch.type(u"Text34"_s, badge);
    punch.services().dialogs.type(pieces);
    punch.services().dialogs.answer(Dialogs::Answer::Yes);
    if (kept)
        punch.services().dialogs.answer(Dialogs::Answer::Ok);
    punch.click(u"Command2"_s);
}

QList<QVariantList> stored(const QString& folder, const QString& sql)
{
    QList<QVariantList> rows;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(QDir(folder).filePath(OfflineStore::fileName));
        QSqlQuery query(db);
        if (db.open() && query.exec(sql)) {
            while (query.next()) {
                QVariantList row;
                for (int i = 0; i < query.record().count(); ++i)
                    row << query.value(i);
                rows << row;
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

} // namespace Outage
