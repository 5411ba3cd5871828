#pragma once

#include <QString>

// This program as a site's records name who wrote a row: the operating-system
// user it runs as, and the terminal it works at (its machine and working
// folder, as "host:/folder").
namespace ThisProgram {

QString user();
QString terminal();

} // namespace ThisProgram
