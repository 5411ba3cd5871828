#include "CommandLine.h"

#include "JobCostingVersion.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QTextStream>

namespace CommandLine {
namespace {

QString dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString longName(const Option& option)
{
    return option.names.last();
}

const Option* find(const QList<Option>& options, const QString& name)
{
    for (const Option& option : options)
        if (option.names.contains(name))
            return &option;
    return nullptr;
}

// Where QCommandLineParser refused, the first problem in the order typed: its
// own message names neither the kind nor the option as the programs do.
Error firstProblem(const QList<Option>& options, const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-"))
            continue;
        const QString typed = argument.section(QLatin1Char('='), 0, 0);
        const Option* option
            = find(options, typed.mid(typed.startsWith(QLatin1String("--")) ? 2 : 1));
        if (!option)
            return unknownOption(typed);
        const bool assigned = typed.size() < argument.size();
        if (option->valueName.isEmpty() && assigned)
            return badValue(typed, QStringLiteral("no value"), argument.mid(typed.size() + 1));
        if (!option->valueName.isEmpty() && !assigned && ++i == arguments.size())
            return missingValue(typed, option->expects);
    }
    return {QStringLiteral("cannot read the command line")};
}

} // namespace

Option helpOption()
{
    return {{QStringLiteral("h"), QStringLiteral("help")}, {},
        QStringLiteral("show this help and exit"), {}};
}

Option versionOption()
{
    return {{QStringLiteral("version")}, {}, QStringLiteral("show the version and exit"), {}};
}

Error unknownOption(const QString& typed)
{
    return {QStringLiteral("unknown option %1").arg(typed)};
}

Error badValue(const QString& name, const QString& expects, const QString& value)
{
    return {QStringLiteral("%1: expected %2, got '%3'").arg(name, expects, value)};
}

Error missingValue(const QString& name, const QString& expects)
{
    return {QStringLiteral("%1: expected %2, got nothing").arg(name, expects)};
}

Error conflict(const QString& name, const QString& other)
{
    return {QStringLiteral("%1 and %2: expected one of them, got both").arg(name, other)};
}

Error unexpectedArgument(const QString& argument)
{
    return {QStringLiteral("unexpected argument '%1'").arg(argument)};
}

Error unknownCommand(const QString& word)
{
    return {QStringLiteral("unknown command '%1'").arg(word)};
}

const Option* Arguments::option(const QString& name) const
{
    const Option* option = find(m_options, name);
    Q_ASSERT_X(option, "CommandLine::Arguments", qPrintable(name));
    return option;
}

bool Arguments::isSet(const QString& name) const
{
    return m_given.contains(longName(*option(name)));
}

QString Arguments::value(const QString& name) const
{
    return m_values.value(longName(*option(name)));
}

QString Arguments::typed(const QString& name) const
{
    const QString canonical = longName(*option(name));
    return m_typed.value(canonical, dashed(canonical));
}

Error Arguments::badValue(const QString& name) const
{
    return CommandLine::badValue(typed(name), option(name)->expects, value(name));
}

Error Arguments::missingValue(const QString& name) const
{
    return CommandLine::missingValue(typed(name), option(name)->expects);
}

std::optional<QDate> Arguments::isoDate(const QString& name) const
{
    if (!isSet(name))
        return std::nullopt;
    static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    const QString text = value(name);
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!shape.match(text).hasMatch() || !date.isValid())
        throw badValue(name);
    return date;
}

std::pair<std::optional<QDate>, std::optional<QDate>> Arguments::period() const
{
    const auto from = isoDate(QStringLiteral("from"));
    const auto to = isoDate(QStringLiteral("to"));
    if (from && to && *from > *to)
        throw CommandLine::badValue(typed(QStringLiteral("to")),
            QStringLiteral("a date not before --from"), value(QStringLiteral("to")));
    return {from, to};
}

QStringList fromMain(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

Arguments parse(const Definition& definition, const QStringList& arguments)
{
    QCommandLineParser parser;
    // -platform is one unknown option, not -p -l -a...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Option& option : definition.options)
        parser.addOption(QCommandLineOption(option.names, option.help, option.valueName));
    if (!parser.parse(QStringList {definition.program} + arguments))
        throw firstProblem(definition.options, arguments);

    Arguments parsed;
    parsed.m_options = definition.options;
    for (const QString& name : parser.optionNames()) {
        const QString canonical = longName(*find(definition.options, name));
        parsed.m_typed.insert(canonical, dashed(name));
        if (!parsed.m_given.contains(canonical))
            parsed.m_given << canonical;
        parsed.m_values.insert(canonical, parser.value(canonical));
    }
    parsed.m_positional = parser.positionalArguments();
    if (!parsed.m_positional.isEmpty() && definition.commands.contains(parsed.m_positional.first()))
        parsed.m_command = parsed.m_positional.takeFirst();
    return parsed;
}

QString helpText(const Definition& definition)
{
    QString text;
    QTextStream help(&text);
    // A form's continuation lines line up with its first after the name.
    const QString under(QStringLiteral("Usage: ").size() + definition.program.size() + 1, u' ');
    for (qsizetype i = 0; i < definition.usage.size(); ++i)
        help << (i == 0 ? "Usage: " : "       ") << definition.program << ' '
             << QString(definition.usage.at(i)).replace(u'\n', u'\n' + under) << '\n';
    if (!definition.about.isEmpty())
        help << '\n' << definition.about << '\n';

    QStringList labels;
    qsizetype width = 0;
    for (const Option& option : definition.options) {
        QStringList names;
        for (const QString& name : option.names)
            names << dashed(name);
        QString label = QStringLiteral("  ") + names.join(QLatin1String(", "));
        if (!option.valueName.isEmpty())
            label += QLatin1Char(' ') + option.valueName;
        width = std::max(width, label.size());
        labels << label;
    }
    const qsizetype column = width + 2;
    help << '\n';
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const QStringList lines = definition.options.at(i).help.split(QLatin1Char('\n'));
        help << labels.at(i).leftJustified(column) << lines.first() << '\n';
        for (const QString& line : lines.mid(1))
            help << QString(column, QLatin1Char(' ')) << line << '\n';
    }
    if (!definition.more.isEmpty())
        help << '\n' << definition.more << '\n';
    if (!definition.statuses.isEmpty()) {
        help << "\nExit status:\n";
        for (const Status& status : definition.statuses) {
            const QStringList lines = status.meaning.split(QLatin1Char('\n'));
            help << "  " << QString::number(status.code).leftJustified(4) << lines.first() << '\n';
            for (const QString& line : lines.mid(1))
                help << "      " << line << '\n';
        }
    }
    help << "\nSee " << definition.program << "(1).\n";
    help.flush();
    return text;
}

QString versionText(const QString& program)
{
    return QStringLiteral("%1 %2\n").arg(program, QStringLiteral(JOBCOSTING_VERSION));
}

std::optional<int> answer(
    const Definition& definition, const Arguments& arguments, QTextStream& out)
{
    if (arguments.isSet(QStringLiteral("help")))
        out << helpText(definition);
    else if (arguments.isSet(QStringLiteral("version")))
        out << versionText(definition.program);
    else
        return std::nullopt;
    out.flush();
    return 0;
}

int refuse(const Definition& definition, const Error& error, QTextStream& err)
{
    err << definition.program << ": " << error.message << Qt::endl;
    return badCommandLine;
}

} // namespace CommandLine
