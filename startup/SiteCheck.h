#pragma once

#include "program/Services.h"

#include <QList>
#include <memory>

class DatabaseFile;

// Checks, before anything else of the program starts, that each of the site's
// three database files that is there is one this program reads, and that the
// job-punch database can take new punches. At the first that is not, it tells
// the operator what to do and ends the program; false then. The files it
// opened stay open in `opened`, for the screens that read them next.
bool checkSiteFiles(const Services& services, QList<std::shared_ptr<DatabaseFile>>& opened);
