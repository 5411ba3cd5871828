#pragma once

#include <QStringList>

class Clock;
class QIODevice;
class QTextStream;
class RegionalSettings;

// The command line of jobcosting-report.
namespace JobCostCommand {

// Runs the report program on `arguments` (without the program's name). The
// report, --help and --version go to `out`, or the report to --output's file;
// an error is one line on `err`, and then nothing is written. `regional` gives
// the PDF's separators and --excel's decimal point. Returns the exit status:
// 0 written, 1 the site's data could not be read or the report not written,
// 2 a bad command line or no JobPunches.MDB in the folder.
int run(const QStringList& arguments, const Clock& clock, const RegionalSettings& regional,
    QIODevice& out, QTextStream& err);

} // namespace JobCostCommand
