#pragma once

#include "AccessTable.h"
#include "SqliteFile.h"

#include <QHash>

// A Microsoft Access (Jet) file, read only. Each table is read whole the first
// time it is asked for, and again whenever the file changed since, into a
// private in-memory SQLite database whose columns have the declared kinds and
// the letter-case-blind text of the terminal's own files: the same SQL, the
// same matching and the same order hold on both engines, and a lookup on an
// unchanged file costs one look at the file's stamp.
class AccessFile final : public SqliteFile
{
public:
    // Throws DataError when path does not open as an Access database.
    AccessFile(QString path, QString connection);

    bool hasFeature(Feature feature) const override;
    void beforeRead(const QString& table) override;
    // The tables are read anew into the same connection, which SQLite does not count.
    QString contentVersion() override { return {}; }

private:
    void load(const Access::Table& table);

    QHash<QString, Access::Stamp> m_loaded; // by case-folded table name
};
