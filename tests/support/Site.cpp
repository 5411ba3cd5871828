#include "Site.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <stdexcept>

Site::Site(Contents contents)
    : m_previous(QDir::currentPath())
{
    SiteBuilder::create(m_dir.path());
    if (contents == Contents::Demo)
        SiteBuilder::fillDemo(m_dir.path());
    QDir::setCurrent(m_dir.path());
}

Site::~Site()
{
    QDir::setCurrent(m_previous);
}

namespace {

template<typename Fn> void withConnection(const QString& path, Fn fn)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        fn(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

QList<QVariantList> Site::sql(
    const QString& file, const QString& statement, const QVariantList& values) const
{
    QList<QVariantList> rows;
    withConnection(this->file(file), [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.prepare(statement))
            throw std::runtime_error(query.lastError().text().toStdString());
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec())
            throw std::runtime_error(query.lastError().text().toStdString());
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i);
            rows << row;
        }
    });
    return rows;
}

QList<QVariantMap> Site::jobPunches() const
{
    QList<QVariantMap> rows;
    withConnection(file(SiteBuilder::jobPunchesFile), [&](QSqlDatabase& db) {
        QSqlQuery query(QStringLiteral("SELECT * FROM JobPunches ORDER BY ID"), db);
        while (query.next()) {
            QVariantMap row;
            for (int i = 0; i < query.record().count(); ++i)
                row.insert(query.record().fieldName(i), query.value(i));
            rows << row;
        }
    });
    return rows;
}
