#pragma once

#include "SiteBuilder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QVariantList>

// A site in a fresh temporary folder that is also the working folder while
// the object lives, as the terminal expects.
class Site
{
public:
    enum class Contents
    {
        Empty,
        Demo,
        // The sample site of real Access files (../shared/access-site) in the
        // engine given: "Access" copies its files, "SQLite" copies every
        // table into files made by the site tool.
        Sample
    };
    explicit Site(
        Contents contents = Contents::Demo, const QString& engine = QStringLiteral("SQLite"));

    // The engines a sample site can be kept in, for tests run once per engine.
    static QStringList engines();
    // A file of the sample site, in its read-only folder.
    static QString sample(const QString& name);
    // The expected content of a table of the sample site: the header, then
    // one list of texts per row (NULL and an empty text both empty).
    static QList<QStringList> sampleCsv(const QString& file, const QString& table);
    ~Site();
    Site(const Site&) = delete;
    Site& operator=(const Site&) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    // Runs SQL on one of the site's files through a connection of its own, as
    // another program would; returns the rows of a SELECT.
    QList<QVariantList> sql(
        const QString& file, const QString& statement, const QVariantList& values = {}) const;
    // One JobPunches row as a map from field name to value.
    QList<QVariantMap> jobPunches() const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
