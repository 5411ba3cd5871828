#include "DeskJobs.h"
#include "TestServices.h"
#include "data/SiteModel.h"
#include "desk/DeskCommand.h"
#include "desk/DeskStore.h"

#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

// The desk's command-line twin: what scripts and payroll get back, and how
// it says no.
class TestDeskCommand : public QObject
{
    Q_OBJECT

private slots:
    void endListAndHistory();
    void csvGuardsFormulas();
    void siteNotUpToDateCannotBeRead();

private:
    // Runs a command in-process on the site, with the test's clock.
    int run(const QStringList& arguments);
    TestServices m_services; // 2004-02-26 14:05:07
    QString m_out;
    QString m_err;
};

namespace {

struct Result
{
    int status;
    QString out;
    QString err;
};

Result runProgram(const QStringList& arguments, const QString& folder)
{
    QProcess program;
    program.setWorkingDirectory(folder);
    program.start(QStringLiteral(JOBCOSTING_DESK_PROGRAM), arguments);
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return {-1, {}, {}};
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
        QString::fromUtf8(program.readAllStandardError())};
}

} // namespace

int TestDeskCommand::run(const QStringList& arguments)
{
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out);
    QTextStream err(&m_err);
    try {
        return DeskCommand::run(DeskCommand::parse(arguments), m_services.clock, out, err);
    } catch (const CommandLine::Error& error) {
        err << error.message;
        return DeskCommand::badCommandLine;
    }
}

void TestDeskCommand::endListAndHistory()
{
    const Site site;
    const QString walter = DeskJobs::start(
        site, u"Walter Brennan"_s, QDateTime(QDate(2004, 2, 26), QTime(8, 0)), true);
    const QString maria
        = DeskJobs::start(site, u"Maria Lopez"_s, QDateTime(QDate(2004, 2, 25), QTime(22, 0)));
    const QStringList ending {u"end"_s, site.path(), u"--badge"_s, u";123?"_s, u"--at"_s};

    // Refused, and nothing written: before the start, an unknown badge, a job
    // that pays no bonus given pieces.
    QCOMPARE(run(ending + QStringList {u"2004-02-26 07:00"_s, u"--reason"_s, u"r"_s}),
        DeskCommand::refused);
    QVERIFY2(
        m_err.contains(u"cannot end before it started (2004-02-26 08:00:00)"_s), qPrintable(m_err));
    QCOMPARE(run({u"end"_s, site.path(), u"--badge"_s, u"999"_s, u"--at"_s, u"2004-02-26 12:00"_s,
                 u"--reason"_s, u"r"_s}),
        DeskCommand::refused);
    QCOMPARE(m_err, u"jobcosting-desk: No employee found with Badge number '000999'.\n"_s);
    QCOMPARE(run({u"end"_s, site.path(), u"--badge"_s, u"124"_s, u"--at"_s, u"2004-02-26 06:00"_s,
                 u"--pieces"_s, u"3"_s, u"--reason"_s, u"r"_s}),
        DeskCommand::refused);
    QVERIFY(DeskJobs::audit(site).isEmpty());

    QCOMPARE(run(ending
                 + QStringList {u"2004-02-26 12:30"_s, u"--pieces"_s, u"3.5"_s, u"--reason"_s,
                     u"forgot to punch out"_s}),
        DeskCommand::done);
    QCOMPARE(m_out,
        u"Ended the job of Walter Brennan (000123) started 2004-02-26 08:00:00, at 2004-02-26 "
        "12:30:00.\n"_s);
    QCOMPARE(run(ending + QStringList {u"2004-02-26 12:30"_s, u"--reason"_s, u"again"_s}),
        DeskCommand::refused);
    QCOMPARE(m_err, u"jobcosting-desk: Walter Brennan has no open job.\n"_s);

    // Today's jobs, open and closed; the open ones; another day's.
    QCOMPARE(run({u"list"_s, site.path(), u"--format"_s, u"csv"_s}), DeskCommand::done);
    QCOMPARE(m_out,
        u"Badge,Name,DeptNum,Level1Item,Level2Item,Level3Item,Started,Stopped,Hours,Pieces,State,"
        "Corrections,PunchId\r\n"
        "000123,Walter Brennan,10,Assembly,Weld,,2004-02-26 08:00:00,2004-02-26 12:30:00,4.50,3.5,"
        "closed,1,%1\r\n"_s.arg(walter));
    QCOMPARE(
        run({u"list"_s, site.path(), u"--open"_s, u"--shift-hours"_s, u"16"_s}), DeskCommand::done);
    QCOMPARE(m_out.split(u'\n').size(), 3);
    QVERIFY2(
        m_out.startsWith(
            u"Badge   Name         Worker's dept. no.  Department  Operation  Level 3  Started"_s)
            && m_out.contains(u"Maria Lopez"_s)
            && m_out.contains(u"16 h 05 min  0       over a shift"_s),
        qPrintable(m_out));
    QCOMPARE(run({u"list"_s, site.path(), u"--date"_s, u"2004-02-25"_s, u"--open"_s}),
        DeskCommand::done);
    QVERIFY(m_out.contains(maria));
    QCOMPARE(run({u"list"_s, site.path(), u"--date"_s, u"2004-02-24"_s}), DeskCommand::done);
    QCOMPARE(m_out.count(u'\n'), 1); // the header alone

    QCOMPARE(run({u"history"_s, site.path(), u"--format"_s, u"csv"_s}), DeskCommand::done);
    const QStringList lines = m_out.split(u"\r\n"_s, Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0),
        u"CorrectionId,CorrectedAt,CorrectedBy,Action,PunchId,Name,Changes,Reason,OldValues,"
        "NewValues"_s);
    QVERIFY2(
        lines.at(1).contains(
            u",end,%1,Walter Brennan,State open -> closed; Stopped (open) -> 12:30:00; Pieces 0 "
            "-> 3.5,forgot to punch out,"
            "\"{\"\"Badge\"\":\"\"Open\"\",\"\"Pieces\"\":0,\"\"TimeStop\"\":\"\"08:00:00\"\"}\","_s
                .arg(walter)),
        qPrintable(lines.at(1)));
    // In words, as the window shows it.
    QCOMPARE(run({u"history"_s, site.path()}), DeskCommand::done);
    QVERIFY2(m_out.startsWith(u"No.  When"_s)
            && m_out.contains(u"Ended   Walter Brennan  State open -> closed; Stopped (open) -> "
                              "12:30:00; Pieces 0 -> 3.5  forgot to punch out"_s),
        qPrintable(m_out));
    QCOMPARE(run({u"history"_s, site.path(), u"--to"_s, u"2004-02-26"_s}), DeskCommand::done);
    QCOMPARE(m_out.count(u'\n'), 1); // corrected today, not in 2004
}

void TestDeskCommand::csvGuardsFormulas()
{
    const Site site;
    const QDateTime start(QDate(2004, 2, 26), QTime(8, 0));
    // A worker's name and a reason that a spreadsheet would run.
    const QString id = DeskJobs::start(site, u"=HYPERLINK(\"http://x\")"_s, start);
    DeskJobs::start(site, u"Walter Brennan"_s, start);
    {
        DeskStore store(site.path());
        const QList<Punch> open = store.openJobs();
        const auto punch = std::find_if(
            open.cbegin(), open.cend(), [&id](const Punch& punch) { return punch.punchId == id; });
        QVERIFY(punch != open.cend());
        store.write(Corrections::edit(*punch, start.addSecs(-600), {}, 0, u"-100 was typed"_s,
            m_services.clock.now(), m_services.regional));
    }
    QCOMPARE(
        run({u"list"_s, site.path(), u"--open"_s, u"--format"_s, u"csv"_s}), DeskCommand::done);
    QVERIFY2(m_out.contains(u",\"'=HYPERLINK(\"\"http://x\"\")\",,Assembly,"_s), qPrintable(m_out));
    QCOMPARE(run({u"history"_s, site.path(), u"--format"_s, u"csv"_s}), DeskCommand::done);
    QVERIFY2(m_out.contains(u",'-100 was typed,"_s), qPrintable(m_out));
    // Text is for people: shown as it is.
    QCOMPARE(run({u"history"_s, site.path()}), DeskCommand::done);
    QVERIFY2(m_out.contains(u"  -100 was typed"_s), qPrintable(m_out));
}

void TestDeskCommand::siteNotUpToDateCannotBeRead()
{
    const Site site;
    site.sql(SiteModel::jobPunchesFile, u"DROP TABLE JobPunchCorrections"_s);
    QCOMPARE(run({u"list"_s}), DeskCommand::notReadOrWritten);
    QVERIFY2(m_err.contains(u"jobcosting-site upgrade"_s), qPrintable(m_err));
    const Result result = runProgram({u"list"_s}, site.path());
    QCOMPARE(result.status, DeskCommand::notReadOrWritten);
    QCOMPARE(result.err.count(u'\n'), 1);
}

QTEST_GUILESS_MAIN(TestDeskCommand)
#include "tst_deskcommand.moc"
