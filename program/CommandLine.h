#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QTextStream;

// The command lines of the programs, each defined once: its parser, its
// --help and its errors come from the same definition, so that they cannot
// disagree. Every error is one line on standard error and exit status 2:
//   PROGRAM: unknown option OPTION
//   PROGRAM: NAME: expected WHAT, got 'VALUE'   (or: got nothing)
//   PROGRAM: NAME and OTHER: expected one of them, got both
//   PROGRAM: unexpected argument 'VALUE'
//   PROGRAM: unknown command 'WORD'
// NAME is an option as typed or an argument as the usage names it (SITE).
namespace CommandLine {

constexpr int badCommandLine = 2;

struct Option
{
    QStringList names; // without dashes: {"o", "output"}
    QString valueName; // empty: a switch
    QString help; // its lines in --help, broken with "\n"
    QString expects; // what a value must be, as an error says it
};

struct Status
{
    int code;
    QString meaning;
};

struct Definition
{
    QString program;
    QStringList usage; // each form after the program's name; "\n" continues one
    QString about; // between the usage and the options
    QList<Option> options;
    QString more; // after the options
    QList<Status> statuses;
    // The words a command line may begin with to name what it does; empty
    // for a program that does one thing.
    QStringList commands;
};

Option helpOption();
Option versionOption();

// A command line that cannot be run: its one line without the program's name.
struct Error
{
    QString message;
};

// Also for a known option that the command given does not take.
Error unknownOption(const QString& typed);
Error badValue(const QString& name, const QString& expects, const QString& value);
Error missingValue(const QString& name, const QString& expects);
Error conflict(const QString& name, const QString& other);
Error unexpectedArgument(const QString& argument);
Error unknownCommand(const QString& word);

class Arguments
{
public:
    // By any of the option's names.
    bool isSet(const QString& name) const;
    QString value(const QString& name) const;
    // The command the line began with, one of the definition's; empty when
    // it began with none of them.
    QString command() const { return m_command; }
    // The arguments that are no option, the command left out.
    QStringList positional() const { return m_positional; }
    // The long name of each option given, once, in the order given.
    QStringList given() const { return m_given; }
    // The option as it was typed, for an error that names it: -o or --output.
    QString typed(const QString& name) const;
    // Its value is not what it expects.
    Error badValue(const QString& name) const;
    Error missingValue(const QString& name) const;
    // An option's ISO date (YYYY-MM-DD, whatever the regional settings), or
    // nothing when it is not given; throws badValue() for anything else.
    std::optional<QDate> isoDate(const QString& name) const;
    // --from and --to, each an ISO date when given, --to not before --from.
    std::pair<std::optional<QDate>, std::optional<QDate>> period() const;

private:
    friend Arguments parse(const Definition&, const QStringList&);
    const Option* option(const QString& name) const;

    QList<Option> m_options;
    QStringList m_given;
    QHash<QString, QString> m_typed; // by long name
    QHash<QString, QString> m_values; // by long name: the last one given
    QString m_command;
    QStringList m_positional;
};

// The arguments after the program's name, as the shell gave them. Read
// before Qt's application is made, which is then given the name alone: Qt's
// own options (-platform, -style...) are not the programs'.
QStringList fromMain(int argc, char* argv[]);

// Throws Error at the first unknown
// option, option without its value, or switch with one.
Arguments parse(const Definition& definition, const QStringList& arguments);

QString helpText(const Definition& definition);
QString versionText(const QString& program);

// Answers --help (before --version) on out: the status to end with, or
// nothing when neither was asked.
std::optional<int> answer(
    const Definition& definition, const Arguments& arguments, QTextStream& out);
// Writes the error's line on err; returns the status.
int refuse(const Definition& definition, const Error& error, QTextStream& err);

} // namespace CommandLine
