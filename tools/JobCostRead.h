#pragma once

#include "JobCost.h"

#include <QString>

// Reads a site's job punches into a finished report.
namespace JobCostRead {

enum class Path
{
    // Every row through the data layer into Report::add(): the reference.
    Streaming,
    // The closed punches summed by the database engine where it can (a SQLite
    // file in write-ahead mode, a database server), and only the rows it cannot
    // sum (open jobs, rows that are not plain) through Report::add(). The sums
    // are the reference's to the unit; an Access file, whose rows our own
    // reader brings, is read by the reference.
    Engine
};

// Throws DataError when the file cannot be read as a site's job punches.
// `used`, where given, tells the way taken.
JobCost::Report read(const JobCost::Options& options, const QString& jobPunchesFile, Path path,
    Path* used = nullptr);

} // namespace JobCostRead
