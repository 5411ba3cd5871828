#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

// Each program's man page against its --help, which the program makes from
// the same definitions as its parser: the same options (each with or without
// a value), the same commands, the same exit statuses, both ways.
class TestManPages : public QObject
{
    Q_OBJECT

private slots:
    void agreeWithHelp_data();
    void agreeWithHelp();
};

namespace {

// An option by its long name, with its other names and whether it takes a value.
struct Option
{
    QStringList names;
    bool value = false;
};

using Options = QMap<QString, Option>;

struct Interface
{
    Options options;
    QStringList synopsisOptions; // long names, once each, sorted
    QStringList commands;
    QList<int> statuses;
};

QString longest(const QStringList& names)
{
    return *std::max_element(names.cbegin(), names.cend(),
        [](const QString& a, const QString& b) { return a.size() < b.size(); });
}

// "-h, --help" or "--by VIEW" (a value: a word after the names), without dashes.
Option optionOf(const QString& text)
{
    static const QRegularExpression name(u"^-{1,2}([a-z][a-z-]*)$"_s);
    Option option;
    for (const QString& word : text.split(QRegularExpression(u"[ ,]+"_s), Qt::SkipEmptyParts)) {
        if (const auto match = name.match(word); match.hasMatch() && !option.value)
            option.names << match.captured(1);
        else
            option.value = true;
    }
    return option;
}

void add(Options& options, const Option& option)
{
    if (!option.names.isEmpty())
        options.insert(longest(option.names), option);
}

QStringList sortedUnique(QStringList list)
{
    list.sort();
    list.removeDuplicates();
    return list;
}

Interface fromHelp(const QString& program, const QString& help)
{
    Interface interface;
    static const QRegularExpression optionLine(u"^  (-.*?)(  |$)"_s);
    static const QRegularExpression status(u"^  (\\d+) "_s);
    const QRegularExpression form(u"^(?:Usage:|      ) %1 ([a-z]+)"_s.arg(program));
    static const QRegularExpression named(u"(?:^|[ \\[|])--?([a-z][a-z-]*)"_s);
    bool usage = true; // up to the first empty line
    bool statuses = false;
    for (const QString& line : help.split(u'\n')) {
        if (const auto match = form.match(line); match.hasMatch())
            interface.commands << match.captured(1);
        usage = usage && !line.isEmpty();
        for (auto it = named.globalMatch(line); usage && it.hasNext();)
            interface.synopsisOptions << it.next().captured(1);
        if (line == u"Exit status:"_s)
            statuses = true;
        else if (const auto match = status.match(line); statuses && match.hasMatch())
            interface.statuses << match.captured(1).toInt();
        else if (const auto match = optionLine.match(line); !statuses && match.hasMatch())
            add(interface.options, optionOf(match.captured(1)));
    }
    interface.commands = sortedUnique(interface.commands);
    return interface;
}

// A line of troff as the reader sees it: no font macros, quotes or escapes.
QString plain(QString line)
{
    static const QRegularExpression macro(u"^\\.(?:B|I|BR|BI|IR|RB|RI|IB)\\s+"_s);
    line.remove(macro);
    line.replace(u"\\-"_s, u"-"_s).replace(u"\\(dq"_s, u"\""_s).replace(u"\\e"_s, u"\\"_s);
    line.remove(QRegularExpression(u"\\\\f[BIRP]"_s));
    line.remove(u'"');
    return line.trimmed();
}

Interface fromPage(const QString& program, const QString& page)
{
    Interface interface;
    QString section;
    bool tag = false;
    static const QRegularExpression named(u"(?:^|[ \\[|])--?([a-z][a-z-]*)"_s);
    const QRegularExpression command(u"^%1 ([a-z]+)"_s.arg(QRegularExpression::escape(program)));
    for (const QString& raw : page.split(u'\n')) {
        if (raw.startsWith(u".SH "_s)) {
            section = plain(raw.mid(4));
            continue;
        }
        if (raw == u".TP"_s || raw == u".TQ"_s) {
            tag = true;
            continue;
        }
        const QString line = plain(raw);
        if (section == u"SYNOPSIS"_s) {
            if (const auto match = command.match(line); match.hasMatch())
                interface.commands << match.captured(1);
            for (auto it = named.globalMatch(line); it.hasNext();)
                interface.synopsisOptions << it.next().captured(1);
        } else if (tag && section == u"OPTIONS"_s && line.startsWith(u'-')) {
            add(interface.options, optionOf(line));
        } else if (tag && section == u"EXIT STATUS"_s) {
            interface.statuses << line.toInt();
        } else if (tag && section == u"COMMANDS"_s) {
            interface.commands << line;
        }
        tag = false;
    }
    interface.commands = sortedUnique(interface.commands);
    return interface;
}

// Each option of the synopsis by its long name.
QStringList byLongName(const QStringList& names, const Options& options)
{
    QStringList found;
    for (const QString& name : names) {
        QString known = name;
        for (const Option& option : options)
            if (option.names.contains(name))
                known = longest(option.names);
        found << known;
    }
    return sortedUnique(found);
}

// "-o --output VALUE, --site VALUE, ..."
QString describe(const Options& options)
{
    QStringList described;
    for (const Option& option : options) {
        QStringList names;
        for (const QString& name : option.names)
            names << (name.size() == 1 ? u"-"_s : u"--"_s) + name;
        described << names.join(u' ') + (option.value ? u" VALUE"_s : QString());
    }
    return described.join(u", "_s);
}

} // namespace

void TestManPages::agreeWithHelp_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("path");
    QTest::newRow("jobcosting") << u"jobcosting"_s << QStringLiteral(JOBCOSTING_PROGRAM);
    QTest::newRow("jobcosting-site")
        << u"jobcosting-site"_s << QStringLiteral(JOBCOSTING_SITE_TOOL);
    QTest::newRow("jobcosting-report")
        << u"jobcosting-report"_s << QStringLiteral(JOBCOSTING_REPORT_TOOL);
    QTest::newRow("jobcosting-desk")
        << u"jobcosting-desk"_s << QStringLiteral(JOBCOSTING_DESK_PROGRAM);
}

void TestManPages::agreeWithHelp()
{
    QFETCH(QString, program);
    QFETCH(QString, path);
    QProcess process;
    process.start(path, {u"--help"_s});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
    const Interface help = fromHelp(program, QString::fromUtf8(process.readAllStandardOutput()));
    QFile file(QStringLiteral(JOBCOSTING_MAN_PAGES "/%1.1.in").arg(program));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const Interface page = fromPage(program, QString::fromUtf8(file.readAll()));

    QVERIFY(help.options.contains(u"help"_s) && help.options.contains(u"version"_s));
    // Compared as text, so that a failure shows what one has and the other lacks.
    QCOMPARE(describe(page.options), describe(help.options));
    // The page's synopsis names every option, and no other; the usage of
    // --help names no option that is not there.
    QCOMPARE(
        byLongName(page.synopsisOptions, help.options).join(u' '), help.options.keys().join(u' '));
    for (const QString& name : byLongName(help.synopsisOptions, help.options))
        QVERIFY2(help.options.contains(name), qPrintable(name));
    QCOMPARE(page.commands.join(u' '), help.commands.join(u' '));
    QCOMPARE(page.statuses, help.statuses);
}

QTEST_GUILESS_MAIN(TestManPages)
#include "tst_manpages.moc"
