#pragma once

#include "data/AccessTable.h"

#include <QString>
#include <functional>

// Carries a site's job-punch history over from its Access file into the
// terminal's own SQLite job-punch database, which alone can take new punches.
namespace SiteConverter {

inline const QString keptAccessFile = QStringLiteral("JobPunches-Access.MDB");

// Copies every row of the Access JobPunches.MDB in dir into a new SQLite
// JobPunches.MDB and keeps the Access file beside it as JobPunches-Access.MDB.
// Both are checked to hold the same rows before anything is replaced. When
// anything fails, or a kept original is there already, it throws
// SiteBuilder::Error and nothing has changed. Returns the number of rows.
// `meanwhile`, where given, runs once the rows are in the new file (its path
// given) and before the Access file is read again to check it: where another
// program may change either.
qint64 convert(const QString& dir, const std::function<void(const QString& copy)>& meanwhile = {});

// Adds the rows of an Access table to the table of the same name in the
// SQLite database at path, matching columns by name without regard to letter
// case, each value as its column's kind keeps it. Throws SiteBuilder::Error
// when a column or a value has no place there; then nothing is added.
void copyRows(const Access::Table& from, const QString& path);

} // namespace SiteConverter
