#pragma once

#include "DatabaseFile.h"

#include <QByteArray>

// A SQLite database file, read and written in place.
class SqliteFile : public DatabaseFile
{
public:
    SqliteFile(QString path, QString connection);

    // True for the first bytes of a SQLite database file.
    static bool recognizes(const QByteArray& header);

    bool hasFeature(Feature feature) const override;
    void beforeRead(const QString& table) override;
    void beforeWrite() override;
    QString rowKey(const QString& table) const override;
    QString quoted(const QString& identifier) const override;
    QString unchangedCondition(const Column& column) const override;
    DataError errorOf(const QSqlError& error) const override;

protected:
    QList<Column> readColumns(const QString& table) override;
    bool keepsStatements() const override { return true; }

private:
    // Sets the connection's lock wait to what the current deadline leaves.
    void applyLockWait();

    qint64 m_schemaVersion = -1;
    int m_lockWaitMs = lockWaitMs;
};
