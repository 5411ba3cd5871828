#include "Site.h"

#include "SiteConverter.h"
#include "data/AccessTable.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <stdexcept>
#include <utility>

namespace {

const QList<std::pair<QString, QString>> sampleTables {
    {SiteBuilder::validationsFile, QStringLiteral("Level1")},
    {SiteBuilder::validationsFile, QStringLiteral("Level2")},
    {SiteBuilder::validationsFile, QStringLiteral("Level3")},
    {SiteBuilder::timeClockFile, QStringLiteral("EMPLOYEES")},
    {SiteBuilder::jobPunchesFile, QStringLiteral("JobPunches")},
};

} // namespace

Site::Site(Contents contents, const QString& engine)
    : m_previous(QDir::currentPath())
{
    if (contents == Contents::Sample && engine == QLatin1String("Access")) {
        for (const QString& file :
            {SiteBuilder::jobPunchesFile, SiteBuilder::validationsFile, SiteBuilder::timeClockFile})
            if (!QFile::copy(sample(file), m_dir.filePath(file)))
                throw std::runtime_error("cannot copy the sample site");
    } else {
        SiteBuilder::create(m_dir.path());
    }
    if (contents == Contents::Demo)
        SiteBuilder::fillDemo(m_dir.path());
    if (contents == Contents::Sample && engine == QLatin1String("SQLite")) {
        for (const auto& [file, table] : sampleTables)
            SiteConverter::copyRows(Access::readTable(sample(file), table), m_dir.filePath(file));
    }
    QDir::setCurrent(m_dir.path());
}

QStringList Site::engines()
{
    return {QStringLiteral("SQLite"), QStringLiteral("Access")};
}

QString Site::sample(const QString& name)
{
    return QDir(QStringLiteral(JOBCOSTING_SAMPLE_SITE)).filePath(name);
}

QList<QStringList> Site::sampleCsv(const QString& file, const QString& table)
{
    QFile csv(sample(file + QLatin1Char('.') + table + QLatin1String(".csv")));
    if (!csv.open(QIODevice::ReadOnly))
        throw std::runtime_error("no such sample table");
    const QString text = QString::fromUtf8(csv.readAll());
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"')
                field += text.at(++i);
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << std::exchange(field, {});
        } else if (c == u'\n') {
            row << std::exchange(field, {});
            rows << std::exchange(row, {});
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!row.isEmpty() || !field.isEmpty())
        rows << (row << field);
    return rows;
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
