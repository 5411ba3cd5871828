#include "CommandLine.h"

#include "JobCostingVersion.h"

#include <QTextStream>

namespace {

const QString help = QStringLiteral(R"(Usage: jobcosting [--help | --version]
The shop-floor job-costing punch terminal. Start it in the site folder that
holds JobPunches.MDB, Validations.mdb and Norla.MDB; it has no other options.

  -h, --help     show this help and exit
  --version      show the version and exit

Exit status:
  0   ended by Exit or the window's close
  2   an argument it does not know
  75  the database server could not be reached, and the terminal has no
      copies of its tables yet: start it again later
  78  refused until a person puts the site or the machine right (short date
      style, validation tables, a database or pointer file)
See jobcosting(1).
)");

} // namespace

std::optional<ExitStatus> answerCommandLine(
    const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    bool wantsHelp = false;
    bool wantsVersion = false;
    for (const QString& argument : arguments) {
        const QString option = argument.section(QLatin1Char('='), 0, 0);
        const bool known = option == QLatin1String("--help") || option == QLatin1String("-h")
            || option == QLatin1String("--version");
        if (!known) {
            err << "jobcosting: unknown option " << argument << Qt::endl;
            return ExitStatus::BadArgument;
        }
        if (option != argument) {
            err << "jobcosting: " << option << ": expected no value, got '"
                << argument.section(QLatin1Char('='), 1) << "'" << Qt::endl;
            return ExitStatus::BadArgument;
        }
        wantsHelp = wantsHelp || option != QLatin1String("--version");
        wantsVersion = wantsVersion || option == QLatin1String("--version");
    }
    if (wantsHelp)
        out << help;
    else if (wantsVersion)
        out << "jobcosting " << JOBCOSTING_VERSION << Qt::endl;
    else
        return std::nullopt;
    out.flush();
    return ExitStatus::Done;
}
