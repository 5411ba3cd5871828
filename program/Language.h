#pragma once

#include <QString>
#include <QStringList>

// What the language choice reads of the session: the process's environment in
// the programs, a table in tests.
class Environment
{
public:
    virtual ~Environment() = default;
    virtual QString variable(const char* name) const = 0;
};

class ProcessEnvironment : public Environment
{
public:
    QString variable(const char* name) const override;
};

// The language every program speaks to a person. Dates, times and numbers
// follow the regional settings whatever the language; command lines, their
// help and errors, exit statuses and log lines stay English.
namespace Language {

// The languages the programs are translated into, as two-letter codes.
// English, the programs' own, needs no translation.
QStringList translated();

// The language of the session, as gettext finds it: English (an empty text)
// when the messages locale (LC_ALL, else LC_MESSAGES, else LANG) is C, POSIX
// or English, whatever LANGUAGE says; otherwise the first language of
// LANGUAGE, then of the messages locale, that is English or translated;
// else English.
QString choose(const Environment& environment, const QStringList& translated);

// Where the programs' translations are: installed beside the programs, or in
// the build tree.
QStringList folders();

// Gives the running application the program's translations into `language`
// from the first of `folders` that has them, and Qt's own (the buttons of the
// message boxes). English needs nothing. False when the program's are missing:
// it speaks English then.
bool use(const QString& language, const QStringList& folders);

// The count that chooses the plural form of a count of pieces. A fraction
// takes the form of two, which is its form in the languages shipped ("2,5
// sztuki" as "2 sztuki").
int pluralCount(double pieces);

// For a program's start: the session's language, in use; a missing
// translation is told on standard error, and English is spoken.
void useSessionLanguage(const char* program);

} // namespace Language
