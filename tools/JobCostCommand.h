#pragma once

#include <QStringList>

class Clock;
class QIODevice;
class QTextStream;

// The command line of jobcosting-report.
namespace JobCostCommand {

// Runs the report program on `arguments` (without the program's name). The
// report, --help and --version go to `out`, or the report to --output's file;
// an error is one line on `err`, and then nothing is written. Returns the exit
// status: 0 done, 1 the site's data or the output could not be read or written,
// 2 a bad command line or no site in the folder.
int run(const QStringList& arguments, const Clock& clock, QIODevice& out, QTextStream& err);

} // namespace JobCostCommand
