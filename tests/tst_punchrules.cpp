#include "DeskJobs.h"
#include "PunchScreen.h"
#include "ServerProxy.h"
#include "data/OfflineStore.h"
#include "data/SiteModel.h"
#include "desk/DeskStore.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using Answer = Dialogs::Answer;
using Rows = QList<QVariantList>;

namespace {

// A start as the terminal writes it for Walter Brennan, the demo site's
// 000123, on an Assembly (level 1 alone).
const QString walterStarts
    = u"INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, TimeStop, Level1Description, "
      "Level1ItemCode, Level1ItemDescription, Level1StandardCost, Level1BonusRate, Pieces, EmpNum, "
      "DeptNum, BaseRate) VALUES ('Walter Brennan', 'Open', '2026-11-20', '06:00:00', "
      "'06:00:00', 'Department', '12', 'Assembly', 14.5, 0, 0, 123, 10, 18.5)"_s;

QString walterStartsWith(const QString& from, const QString& to)
{
    QString statement = walterStarts;
    Q_ASSERT(statement.contains(from));
    return statement.replace(from, to);
}

// What a forged write might have left behind: the punches, the audit and the
// origins.
Rows everything(const Site& site)
{
    Rows rows;
    for (const QVariantMap& punch : site.jobPunches())
        rows << QVariantList(punch.cbegin(), punch.cend());
    for (const char* table : {"JobPunchCorrections", "JobPunchOrigins", "SiteSettings"})
        rows << site.sql(
            SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM %1"_s.arg(QLatin1String(table)));
    return rows;
}

void endJob(PunchScreen& punch, const QString& badge, bool kept = false)
{
    punch.type(u"Text34"_s, badge);
    punch.services().dialogs.type(u"4"_s);
    punch.services().dialogs.answer(Answer::Yes);
    if (kept)
        punch.services().dialogs.answer(Answer::Ok);
    punch.click(u"Command2"_s);
}

Rows origins(const Site& site)
{
    return site.sql(SiteModel::jobPunchesFile,
        u"SELECT j.Name, o.Event, o.WrittenBy, o.Terminal FROM JobPunchOrigins o JOIN JobPunches "
        "j ON j.PunchId = o.PunchId ORDER BY o.ReceivedAt, o.Event DESC"_s);
}

QString terminalOf(const QString& folder)
{
    return QSysInfo::machineHostName() + u':' + QDir(folder).absolutePath();
}

} // namespace

// What the database itself keeps over the job punches, whoever writes to it:
// a terminal's login writes only what a terminal writes; every other change
// leaves its audit row, and nobody writes or rewrites one; each start and end
// notes where it came from.
class TestPunchRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngines(); }
    void init();
    void forgedWritesOfATerminalAreRefused_data();
    void forgedWritesOfATerminalAreRefused();
    void whatATerminalWritesIsAccepted_data();
    void whatATerminalWritesIsAccepted();
    void startsAreCheckedAgainstTheTablesBesideThem();
    void theRealTerminalPassesOnEveryPath();
    void aRefusedSaveIsToldAsBefore();
    void everyCorrectionLeavesItsAuditRow_data();
    void everyCorrectionLeavesItsAuditRow();
    void theAuditIsNeverWrittenByHand_data();
    void theAuditIsNeverWrittenByHand();
    void conflictsAreSettledThroughTheAudit();
};

void TestPunchRules::init()
{
    SKIP_ACCESS();
    SKIP_WITHOUT_TEST_SERVER();
}

void TestPunchRules::forgedWritesOfATerminalAreRefused_data()
{
    QTest::addColumn<QString>("statement");

    QTest::newRow("a finished job") << walterStartsWith(u"'Open', '2026-11-20', '06:00:00', "
                                                        "'06:00:00'"_s,
        u"'Closed', '2026-11-20', '06:00:00', '18:00:00'"_s);
    QTest::newRow("pieces at the start") << walterStartsWith(u"0, 0, 123"_s, u"0, 100000, 123"_s);
    QTest::newRow("a stop away from the start")
        << walterStartsWith(u"'06:00:00', 'Department'"_s, u"'06:00:02', 'Department'"_s);
    QTest::newRow("another base rate") << walterStartsWith(u"10, 18.5)"_s, u"10, 500)"_s);
    QTest::newRow("another department") << walterStartsWith(u"10, 18.5)"_s, u"11, 18.5)"_s);
    QTest::newRow("a worker who is not an employee")
        << walterStartsWith(u"'Walter Brennan'"_s, u"'Walter Brenan'"_s);
    QTest::newRow("a bonus rate no item has")
        << walterStartsWith(u"14.5, 0, 0"_s, u"14.5, 50, 0"_s);
    QTest::newRow("a cost and a rate of two items")
        << walterStartsWith(u"14.5, 0, 0"_s, u"18.25, 0.35, 0"_s);
    QTest::newRow("a row key of its own") << walterStartsWith(u"(Name, "_s, u"(ID, Name, "_s)
                                                 .replace(u"VALUES ("_s, u"VALUES (424242, "_s);
    QTest::newRow("a closed job ended again")
        << u"UPDATE JobPunches SET TimeStop = '23:00:00', Pieces = 9 WHERE Badge = 'Closed'"_s;
    QTest::newRow("an open job marked deleted")
        << u"UPDATE JobPunches SET Badge = 'Deleted' WHERE Badge = 'Open'"_s;
    QTest::newRow("an open job left open with pieces")
        << u"UPDATE JobPunches SET Pieces = 50 WHERE Badge = 'Open'"_s;
    QTest::newRow("an end that moves the start")
        << u"UPDATE JobPunches SET Badge = 'Closed', DateWorked = '2004-01-01' WHERE Badge = "
           "'Open'"_s;
    QTest::newRow("an end that raises the rate")
        << u"UPDATE JobPunches SET Badge = 'Closed', BaseRate = 99 WHERE Badge = 'Open'"_s;
    QTest::newRow("a deletion") << u"DELETE FROM JobPunches"_s;
    QTest::newRow("emptied") << u"TRUNCATE JobPunches"_s;
    QTest::newRow("an audit row")
        << u"INSERT INTO JobPunchCorrections (PunchId, Action, Reason, "
           "OldValues, NewValues) VALUES ('x', 'edit', 'r', '{}', '{}')"_s;
    QTest::newRow("an origin") << u"INSERT INTO JobPunchOrigins (PunchId, Event, WrittenBy) "
                                  "VALUES ('x', 'start', 'cell3')"_s;
    QTest::newRow("the site's time zone") << u"UPDATE SiteSettings SET Value = 'Asia/Tokyo'"_s;
    QTest::newRow("with a reason, a correction all the same")
        << u"DO $$ BEGIN PERFORM set_config('jobcosting.reason', 'typo', true); UPDATE "
           "JobPunches SET Pieces = 777 WHERE Badge = 'Open'; END $$"_s;
}

// psql with a terminal's login is held exactly as the program is.
void TestPunchRules::forgedWritesOfATerminalAreRefused()
{
    if (currentEngine() != Engine::Server)
        QSKIP("On SQLite, who may write the file may write anything.");
    QFETCH(QString, statement);
    const Site site(Site::Contents::Demo, Engine::Server);
    ServerLogin::admin(u"ALTER ROLE %1 CREATEROLE"_s.arg(DeskJobs::siteLogin(site)));
    SiteBuilder::roles(site.path());
    const ServerLogin terminal(site, u"jobcosting_terminal"_s);
    DeskJobs::start(site, u"Maria Lopez"_s, DeskJobs::at(26, 8));
    const Rows before = everything(site);
    try {
        terminal.sql(statement);
    } catch (const std::runtime_error&) { }
    QCOMPARE(everything(site), before);
}

void TestPunchRules::whatATerminalWritesIsAccepted_data()
{
    QTest::addColumn<QString>("statement");

    QTest::newRow("a start") << walterStarts;
    QTest::newRow("a start whose stop is a second later, past midnight")
        << walterStartsWith(u"'06:00:00', '06:00:00'"_s, u"'23:59:59', '00:00:00'"_s);
    QTest::newRow("levels without costs and rates")
        << walterStartsWith(u"14.5, 0, 0"_s, u"NULL, NULL, 0"_s);
    // The item source may stand on another item than the one shown.
    QTest::newRow("the cost and rate of another item of the level")
        << walterStartsWith(u"14.5, 0, 0"_s, u"18.25, 0, 0"_s);
    QTest::newRow("an end, any piece count")
        << u"UPDATE JobPunches SET Badge = 'Closed', TimeStop = '23:00:00', Pieces = -2.5 WHERE "
           "Badge = 'Open'"_s;
}

void TestPunchRules::whatATerminalWritesIsAccepted()
{
    if (currentEngine() != Engine::Server)
        QSKIP("On SQLite, who may write the file may write anything.");
    QFETCH(QString, statement);
    const Site site(Site::Contents::Demo, Engine::Server);
    ServerLogin::admin(u"ALTER ROLE %1 CREATEROLE"_s.arg(DeskJobs::siteLogin(site)));
    SiteBuilder::roles(site.path());
    const ServerLogin terminal(site, u"jobcosting_terminal"_s);
    DeskJobs::start(site, u"Maria Lopez"_s, DeskJobs::at(26, 8));
    const qsizetype origins = ::origins(site).size();
    terminal.sql(statement);
    // A terminal's start or end is no correction, and notes where it came from.
    QCOMPARE(DeskJobs::audit(site), Rows());
    const Rows now = ::origins(site);
    QCOMPARE(now.size(), origins + 1);
    QCOMPARE(now.last().at(2).toString(), terminal.name());
}

// A start is checked against EMPLOYEES and the level tables only where they
// are in the job punches' own database: a site whose time clock is a file of
// its own has no employees there to compare with.
void TestPunchRules::startsAreCheckedAgainstTheTablesBesideThem()
{
    if (currentEngine() != Engine::Server)
        QSKIP("The rules of a terminal's login are the server's.");
    const Site site(Site::Contents::Demo, Engine::Server);
    const Site files(Site::Contents::Demo, Engine::Sqlite);
    QVERIFY(QFile::remove(site.file(SiteModel::timeClockFile)));
    QVERIFY(QFile::copy(files.file(SiteModel::timeClockFile), site.file(SiteModel::timeClockFile)));
    ServerLogin::admin(u"ALTER ROLE %1 CREATEROLE"_s.arg(DeskJobs::siteLogin(site)));
    const PunchRules::TerminalChecks checks = SiteBuilder::roles(site.path());
    QVERIFY(!checks.employees);
    QVERIFY(checks.levels);
    const ServerLogin terminal(site, u"jobcosting_terminal"_s);
    terminal.sql(walterStartsWith(u"'Walter Brennan'"_s, u"'Walter Brenan'"_s));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
        terminal.sql(walterStartsWith(u"'Walter Brennan'"_s, u"'Maria Lopez'"_s)
                         .replace(u"14.5, 0, 0"_s, u"14.5, 50, 0"_s)));
}

// The real terminal, started as a terminal's login: a start on its screen, the
// end at another terminal, and a start and an end kept through an outage and
// sent later, all pass the rules and note their origin.
void TestPunchRules::theRealTerminalPassesOnEveryPath()
{
    if (currentEngine() != Engine::Server)
        QSKIP("The rules of a terminal's login are the server's.");
    const Site site(Site::Contents::Demo, Engine::Server);
    ServerLogin::admin(u"ALTER ROLE %1 CREATEROLE"_s.arg(DeskJobs::siteLogin(site)));
    SiteBuilder::roles(site.path());
    const ServerLogin cell3(site, u"jobcosting_terminal"_s);
    const ServerLogin cell4(site, u"jobcosting_terminal"_s);
    {
        PunchScreen punch(cell3.folder());
        QVERIFY(punch.open());
        punch.startJob(u"000123"_s);
        VERIFY_DIALOGS(punch.services().dialogs);
    }
    ServerProxy proxy;
    cell4.pointTo(proxy.uri(cell4.uri()), u"0.5"_s);
    {
        PunchScreen punch(cell4.folder());
        QVERIFY(punch.open());
        QTRY_VERIFY_WITH_TIMEOUT(OfflineStore::of(cell4.folder())->hasCopies(), 10000);
        endJob(punch, u"000123"_s);
        proxy.setDown(true);
        punch.startJob(u"000124"_s, true);
        endJob(punch, u"000124"_s, true);
        VERIFY_DIALOGS(punch.services().dialogs);
        proxy.setDown(false);
        QVERIFY(allSent(cell4.folder()));
    }
    QCOMPARE(site.sql(SiteModel::jobPunchesFile,
                 u"SELECT Name, Badge, Pieces FROM JobPunches WHERE Name IN ('Walter Brennan', "
                 "'Maria Lopez') ORDER BY ID"_s),
        (Rows {{u"Walter Brennan"_s, u"Closed"_s, 4.0}, {u"Maria Lopez"_s, u"Closed"_s, 4.0}}));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile, u"SELECT COUNT(*) FROM JobPunchConflicts"_s),
        Rows {{0}});
    QCOMPARE(DeskJobs::audit(site), Rows());
    QCOMPARE(origins(site),
        (Rows {{u"Walter Brennan"_s, u"start"_s, cell3.name(), terminalOf(cell3.folder())},
            {u"Walter Brennan"_s, u"end"_s, cell4.name(), terminalOf(cell4.folder())},
            {u"Maria Lopez"_s, u"start"_s, cell4.name(), terminalOf(cell4.folder())},
            {u"Maria Lopez"_s, u"end"_s, cell4.name(), terminalOf(cell4.folder())}}));
}

// A save the server refuses anyway shows the worker the save's own message,
// never the server's text; a kept punch it refuses is not lost, but put among
// the conflicts with the reason in words.
void TestPunchRules::aRefusedSaveIsToldAsBefore()
{
    if (currentEngine() != Engine::Server)
        QSKIP("The rules of a terminal's login are the server's.");
    const Site site(Site::Contents::Demo, Engine::Server);
    ServerLogin::admin(u"ALTER ROLE %1 CREATEROLE"_s.arg(DeskJobs::siteLogin(site)));
    SiteBuilder::roles(site.path());
    const ServerLogin cell3(site, u"jobcosting_terminal"_s);
    ServerProxy proxy;
    cell3.pointTo(proxy.uri(cell3.uri()), u"0.5"_s);
    PunchScreen punch(cell3.folder());
    QVERIFY(punch.open());
    QTRY_VERIFY_WITH_TIMEOUT(OfflineStore::of(cell3.folder())->hasCopies(), 10000);
    ScriptedDialogs& dialogs = punch.services().dialogs;

    // The pay rate changes between the badge and the start.
    punch.enterJob(u"000123"_s);
    site.sql(SiteModel::timeClockFile,
        u"UPDATE EMPLOYEES SET BasePayRate = 30 WHERE Name = 'Walter Brennan'"_s);
    dialogs.answer(Answer::Ok);
    dialogs.answer(Answer::Ok);
    punch.click(u"Command1"_s);
    VERIFY_DIALOGS(dialogs);
    const Dialogs::Message told = dialogs.shown().last().message;
    QVERIFY2(told.text.startsWith(u"The job was not started: The database server of "
                                  "JobPunches.MDB does not let this login write this row"_s),
        qPrintable(told.text));
    QVERIFY(!told.text.contains(u"EMPLOYEES"_s));
    QCOMPARE(site.sql(SiteModel::jobPunchesFile,
                 u"SELECT COUNT(*) FROM JobPunches WHERE Name = 'Walter Brennan'"_s),
        Rows {{0}});
    punch.click(u"Command2"_s); // his choices stayed on the screen: he gives up

    // Kept while the server was away, with the rate of the terminal's copy.
    proxy.setDown(true);
    site.sql(SiteModel::timeClockFile,
        u"UPDATE EMPLOYEES SET BasePayRate = 40 WHERE Name = 'Maria Lopez'"_s);
    punch.startJob(u"000124"_s, true);
    VERIFY_DIALOGS(dialogs);
    proxy.setDown(false);
    QVERIFY(allSent(cell3.folder()));
    const Rows conflicts = site.sql(SiteModel::jobPunchesFile,
        u"SELECT Action, Name, BaseRate, Reason FROM JobPunchConflicts"_s);
    QCOMPARE(conflicts.size(), 1);
    QCOMPARE(conflicts.first().mid(0, 3), (QVariantList {u"start"_s, u"Maria Lopez"_s, 19.25}));
    QCOMPARE(conflicts.first().at(3).toString(),
        u"The server refused the punch: No employee in EMPLOYEES is Maria Lopez with the "
        "employee number 124, the department 10 and the base rate 19.2500 of this job."_s);
}

void TestPunchRules::everyCorrectionLeavesItsAuditRow_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("oldValues");
    QTest::addColumn<QString>("newValues");

    QTest::newRow("a piece count") << u"UPDATE JobPunches SET Pieces = 777 WHERE PunchId = ?"_s
                                   << u"edit"_s << uR"({"Pieces":3})"_s << uR"({"Pieces":777})"_s;
    QTest::newRow("a rate") << u"UPDATE JobPunches SET BaseRate = 1000 WHERE PunchId = ?"_s
                            << u"edit"_s << uR"({"BaseRate":18.5})"_s << uR"({"BaseRate":1000})"_s;
    QTest::newRow("a deletion") << u"DELETE FROM JobPunches WHERE PunchId = ?"_s << u"delete"_s
                                << u"24 fields"_s << u"{}"_s;
    QTest::newRow("a closed job added")
        << u"INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, TimeStop, Pieces) VALUES "
           "('Walter Brennan', 'Closed', '2004-02-26', '06:00:00', '18:00:00', ?)"_s
        << u"edit"_s << u"{}"_s << u"24 fields"_s;
}

// A supervisor's change, or the tables' owner's, is a correction: with a
// reason, the database writes its audit row (the login and the time its
// own); without one, it is refused.
void TestPunchRules::everyCorrectionLeavesItsAuditRow()
{
    QFETCH(QString, statement);
    QFETCH(QString, action);
    QFETCH(QString, oldValues);
    QFETCH(QString, newValues);
    const Site site(Site::Contents::Demo, currentEngine());
    const QString walter = DeskJobs::start(site, u"Walter Brennan"_s, DeskJobs::at(26, 7));
    DeskJobs::end(site, walter, QTime(9, 0), 3);
    const QVariantList values {statement.startsWith(u"INSERT"_s) ? QVariant(5.0) : walter};
    const Rows before = everything(site);
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error, site.sql(SiteModel::jobPunchesFile, statement, values));
    QCOMPARE(everything(site), before);

    std::optional<ServerLogin> foreman;
    if (currentEngine() == Engine::Server) {
        ServerLogin::admin(u"ALTER ROLE %1 CREATEROLE"_s.arg(DeskJobs::siteLogin(site)));
        SiteBuilder::roles(site.path());
        foreman.emplace(site, u"jobcosting_supervisor"_s);
        foreman->sql(
            u"DO $$ BEGIN PERFORM set_config('jobcosting.reason', 'counted again', "
            "true); %1; END $$"_s.arg(QString(statement).replace(u"?"_s,
                values.first().typeId() == QMetaType::Double ? u"5"_s : u"'%1'"_s.arg(walter))));
    } else {
        site.correct(statement, values, u"counted again"_s);
    }
    const Rows audit = DeskJobs::audit(site);
    QCOMPARE(audit.size(), 1);
    QCOMPARE(audit.first().at(2).toString(), action);
    QCOMPARE(audit.first().at(3).toString(),
        foreman ? foreman->name() : u"test"_s); // on SQLite, whom the desk names
    QCOMPARE(audit.first().at(4).toString(), u"counted again"_s);
    const auto check = [](const QVariant& json, const QString& expected) {
        const QJsonObject object = QJsonDocument::fromJson(json.toString().toUtf8()).object();
        if (expected == u"24 fields"_s)
            return object.size() == 24;
        return QJsonDocument(object).toJson(QJsonDocument::Compact) == expected.toUtf8();
    };
    QVERIFY2(check(audit.first().at(5), oldValues), qPrintable(audit.first().at(5).toString()));
    QVERIFY2(check(audit.first().at(6), newValues), qPrintable(audit.first().at(6).toString()));
}

void TestPunchRules::theAuditIsNeverWrittenByHand_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("onSqlite"); // SQLite's triggers refuse it too

    QTest::newRow("an audit row made up")
        << u"INSERT INTO JobPunchCorrections (PunchId, Action, CorrectedBy, Reason, OldValues, "
           "NewValues) VALUES ('x', 'edit', 'someone', 'r', '{}', '{}')"_s
        << false;
    QTest::newRow("an audit row under a number of one's choice")
        << u"INSERT INTO JobPunchCorrections (CorrectionId, PunchId, Action, CorrectedBy, Reason, "
           "OldValues, NewValues) OVERRIDING SYSTEM VALUE VALUES (1000, 'x', 'edit', 'someone', "
           "'r', '{}', '{}')"_s
        << false;
    QTest::newRow("an audit row replaced")
        << u"INSERT OR REPLACE INTO JobPunchCorrections (CorrectionId, PunchId, Action, "
           "CorrectedBy, Reason, OldValues, NewValues) SELECT CorrectionId, PunchId, Action, "
           "'someone', 'r', '{}', '{}' FROM JobPunchCorrections"_s
        << true;
    QTest::newRow("an audit row changed")
        << u"UPDATE JobPunchCorrections SET Reason = 'x'"_s << true;
    QTest::newRow("the audit emptied") << u"DELETE FROM JobPunchCorrections"_s << true;
    QTest::newRow("the audit truncated") << u"TRUNCATE JobPunchCorrections"_s << false;
    QTest::newRow("a punch replaced by its row key")
        << u"INSERT OR REPLACE INTO JobPunches (ID, Name, Badge) SELECT ID, 'Nobody', 'Open' "
           "FROM JobPunches WHERE Badge = 'Closed'"_s
        << true;
    QTest::newRow("a punch replaced by its PunchId")
        << u"INSERT OR REPLACE INTO JobPunches (Name, Badge, PunchId) SELECT 'Nobody', 'Open', "
           "PunchId FROM JobPunches WHERE Badge = 'Closed'"_s
        << true;
    QTest::newRow("an open job replaced under its name")
        << u"INSERT OR REPLACE INTO JobPunches (Name, Badge) VALUES ('Maria Lopez', 'Open')"_s
        << true;
    QTest::newRow("an origin changed")
        << u"UPDATE JobPunchOrigins SET ReceivedAt = '2000-01-01T00:00:00Z'"_s << true;
    QTest::newRow("an origin deleted") << u"DELETE FROM JobPunchOrigins"_s << true;
    QTest::newRow("the punches truncated") << u"TRUNCATE JobPunches"_s << false;
}

// Not even the tables' owner writes the audit or where a punch came from by
// hand; on SQLite, INSERT OR REPLACE (which deletes without a delete
// trigger) is refused like any other change.
void TestPunchRules::theAuditIsNeverWrittenByHand()
{
    QFETCH(QString, statement);
    QFETCH(bool, onSqlite);
    if (currentEngine() == Engine::Sqlite && !onSqlite)
        QSKIP("SQLite has no such statement.");
    if (currentEngine() == Engine::Server && statement.contains(u"OR REPLACE"_s))
        QSKIP("A server has no INSERT OR REPLACE.");
    const Site site(Site::Contents::Demo, currentEngine());
    const QString walter = DeskJobs::start(site, u"Walter Brennan"_s, DeskJobs::at(26, 7));
    DeskJobs::end(site, walter, QTime(9, 0), 3);
    DeskJobs::start(site, u"Maria Lopez"_s, DeskJobs::at(26, 8));
    site.correct(u"UPDATE JobPunches SET Pieces = 4 WHERE PunchId = ?"_s, {walter});
    const Rows before = everything(site);
    const Rows audit = DeskJobs::audit(site);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, site.sql(SiteModel::jobPunchesFile, statement));
    QCOMPARE(everything(site), before);
    QCOMPARE(DeskJobs::audit(site), audit);
}

// The desk applies and dismisses kept punches through the same one path: one
// audit row each, written by the database.
void TestPunchRules::conflictsAreSettledThroughTheAudit()
{
    if (currentEngine() != Engine::Server)
        QSKIP("Only a server keeps conflicts.");
    const Site site(Site::Contents::Demo, Engine::Server);
    const QString walter = DeskJobs::start(site, u"Walter Brennan"_s, DeskJobs::at(26, 7));
    for (const char* terminal : {"cell 3", "cell 4"})
        site.sql(SiteModel::jobPunchesFile,
            u"INSERT INTO JobPunchConflicts (PunchId, Terminal, Action, Name, Badge, DateWorked, "
            "TimeStart, TimeStop, Pieces) VALUES (?, ?, 'end', 'Walter Brennan', 'Closed', "
            "'2004-02-26', '07:00:00', '12:00:00', 3)"_s,
            {walter, QLatin1String(terminal)});
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
        site.sql(SiteModel::jobPunchesFile, u"DELETE FROM JobPunchConflicts"_s));
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error, site.sql(SiteModel::jobPunchesFile, u"TRUNCATE JobPunchConflicts"_s));

    DeskStore store(site.path());
    const QList<Conflict> conflicts = store.conflicts();
    QCOMPARE(conflicts.size(), 2);
    store.write(Corrections::apply(conflicts.at(0), u"the first end counts"_s));
    store.write(Corrections::dismiss(conflicts.at(1), u"sent twice"_s));
    const Rows audit = DeskJobs::audit(site);
    QCOMPARE(audit.size(), 2);
    QCOMPARE(audit.at(0).at(2).toString(), u"apply"_s);
    QCOMPARE(audit.at(1).at(2).toString(), u"dismiss"_s);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(QJsonDocument::fromJson(audit.at(i).at(5).toString().toUtf8())
                     .object()
                     .value(u"ID"_s)
                     .toInteger(),
            conflicts.at(i).id);
        QCOMPARE(audit.at(i).at(3).toString(), DeskJobs::siteLogin(site));
    }
    QCOMPARE(DeskJobs::row(site, walter).value(u"Badge"_s).toString(), u"Closed"_s);
}

QTEST_MAIN(TestPunchRules)
#include "tst_punchrules.moc"
