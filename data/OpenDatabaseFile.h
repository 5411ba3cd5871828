#pragma once

#include <QString>
#include <memory>

class DatabaseFile;

// The open connection to the database file fileName, opened now if nobody
// holds it yet. The file is found by its name in the working folder at the
// moment it opens, and never created; its first bytes choose the engine: a
// connection URI to a server, an Access (Jet) file, or a SQLite file.
std::shared_ptr<DatabaseFile> openDatabaseFile(const QString& fileName);
