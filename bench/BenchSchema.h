#pragma once

#include "data/DataError.h"
#include "data/PostgresFile.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QUuid>
#include <QVariantList>

// A schema of its own on the server, first on the search path of its URI, so
// that a benchmark's site never meets another's tables. Dropped, with all in
// it, at the end.
class BenchSchema
{
public:
    explicit BenchSchema(const QString& server)
        : m_server(server)
        , m_name(QStringLiteral("bench_") + QUuid::createUuid().toString(QUuid::Id128).left(16))
    {
        admin(QStringLiteral("CREATE SCHEMA %1"));
        m_uri = server + (server.contains(u'?') ? u'&' : u'?')
            + QStringLiteral("options=-c%20search_path%3D%1%2Cpublic").arg(m_name);
    }
    ~BenchSchema() { admin(QStringLiteral("DROP SCHEMA %1 CASCADE")); }
    BenchSchema(const BenchSchema&) = delete;
    BenchSchema& operator=(const BenchSchema&) = delete;

    QString uri() const { return m_uri; }
    // The rows of a query on the schema's tables.
    QList<QVariantList> rows(const QString& statement) const
    {
        QList<QVariantList> rows;
        withConnection(m_uri, [&](QSqlDatabase& db) {
            QSqlQuery query(db);
            if (!query.exec(statement))
                throw DataError(query.lastError().text());
            while (query.next()) {
                QVariantList row;
                for (int i = 0; i < query.record().count(); ++i)
                    row << query.value(i);
                rows << row;
            }
        });
        return rows;
    }

private:
    template<typename Fn> static void withConnection(const QString& uri, Fn fn)
    {
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            PostgresFile::configure(db, uri);
            db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
            if (!db.open())
                throw DataError(db.lastError().text());
            fn(db);
        }
        QSqlDatabase::removeDatabase(name);
    }
    void admin(const QString& statement) const
    {
        withConnection(m_server, [&](QSqlDatabase& db) {
            QSqlQuery query(db);
            if (!query.exec(statement.arg(m_name)))
                throw DataError(query.lastError().text());
        });
    }

    QString m_server;
    QString m_name;
    QString m_uri;
};
