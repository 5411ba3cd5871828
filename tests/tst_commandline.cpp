#include "JobCostingVersion.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// The built terminal's own command line, run as a shell or a service runs it:
// without a display, in a folder that is not a site.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
};

void TestCommandLine::answersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // the first line of standard output
    QTest::addColumn<QString>("err"); // all of standard error

    const QString usage = u"Usage: jobcosting [--help | --version]"_s;
    const QString version = u"jobcosting "_s + QLatin1String(JOBCOSTING_VERSION);
    QTest::newRow("--help") << QStringList {u"--help"_s} << 0 << usage << QString();
    QTest::newRow("-h") << QStringList {u"-h"_s} << 0 << usage << QString();
    QTest::newRow("--version") << QStringList {u"--version"_s} << 0 << version << QString();
    QTest::newRow("help wins over version")
        << QStringList {u"--version"_s, u"--help"_s} << 0 << usage << QString();
    QTest::newRow("an option it does not know")
        << QStringList {u"--site=/srv/punch"_s} << 2 << QString()
        << u"jobcosting: unknown option --site=/srv/punch\n"_s;
    QTest::newRow("Qt's own options are not taken either") << QStringList {u"-platform"_s,
        u"offscreen"_s} << 2 << QString() << u"jobcosting: unknown option -platform\n"_s;
    QTest::newRow("a folder") << QStringList {u"/srv/punch"_s} << 2 << QString()
                              << u"jobcosting: unknown option /srv/punch\n"_s;
    QTest::newRow("a value for an option that takes none")
        << QStringList {u"--version=2"_s} << 2 << QString()
        << u"jobcosting: --version: expected no value, got '2'\n"_s;
    QTest::newRow("a known option before an unknown one") << QStringList {
        u"--help"_s, u"-x"_s} << 2 << QString() << u"jobcosting: unknown option -x\n"_s;
}

void TestCommandLine::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QTemporaryDir folder;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder.path());
    program.start(QStringLiteral(JOBCOSTING_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(10000));

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()), err);
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    QCOMPARE(printed.section(u'\n', 0, 0), out);
    // Nothing was opened: no database file, no journal, no lock beside them.
    QVERIFY(QDir(folder.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
