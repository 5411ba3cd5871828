#pragma once

#include "app/Program.h"

#include <QStringList>
#include <optional>

class QTextStream;

// The terminal's own command line: --help and --version answer on `out`;
// any other argument is refused on `err` in one line. Read before anything
// else, so that neither needs a display. The status to end with at once, or
// nothing when the terminal is to start.
std::optional<ExitStatus> answerCommandLine(
    const QStringList& arguments, QTextStream& out, QTextStream& err);
