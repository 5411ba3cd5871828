#include "DeskJobs.h"
#include "TestServices.h"
#include "data/DataError.h"
#include "data/SiteModel.h"
#include "desk/DeskCommand.h"
#include "desk/DeskStore.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using DeskJobs::at;

// The desk's reads and its corrections on every engine that can be written,
// with the audit that each correction leaves, and the refusals that leave
// nothing behind.
class TestDeskStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngines(); }
    void init() { SKIP_WITHOUT_TEST_SERVER(); }
    void accessPunchesAreRefusedAccessEmployeesRead();
    void openJobsCarryTheirBadges_data();
    void openJobsCarryTheirBadges();
    void correctionsAreWrittenWithTheirAudit_data();
    void correctionsAreWrittenWithTheirAudit();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();
    void punchAndAuditAreOneTransaction();
    void auditRowsAreNeverChanged();
    void daysAndHistory();
    void conflictsAreAppliedOrDismissed();
    void rolesLetEachLoginDoItsPart();
    void hoursOnTheSiteClocks_data();
    void hoursOnTheSiteClocks();
    void lateArrivalsAreMarked();

private:
    TestServices m_services;
    QDateTime now() const { return m_services.clock.now(); } // 2004-02-26 14:05:07
};

namespace {

QJsonObject json(const QVariant& text)
{
    return QJsonDocument::fromJson(text.toString().toUtf8()).object();
}

QString jsonText(const QVariant& text)
{
    return QString::fromUtf8(QJsonDocument(json(text)).toJson(QJsonDocument::Compact));
}

QString operatingSystemUser()
{
    const passwd* user = ::getpwuid(::geteuid());
    return user ? QString::fromLocal8Bit(user->pw_name) : QString();
}

Punch openJob(DeskStore& store, const QString& punchId)
{
    for (const Punch& punch : store.openJobs())
        if (punch.punchId == punchId)
            return punch;
    return {};
}

Punch jobOfDay(DeskStore& store, QDate day, const QString& punchId)
{
    for (const Punch& punch : store.jobsOfDay(day))
        if (punch.punchId == punchId)
            return punch;
    return {};
}

} // namespace

void TestDeskStore::accessPunchesAreRefusedAccessEmployeesRead()
{
    if (currentEngine() != Engine::Access)
        QSKIP("The Access files of the sample site.");
    const Site site(Site::Contents::Sample, Engine::Access);
    try {
        DeskStore store(site.path());
        QFAIL("an Access JobPunches.MDB was taken");
    } catch (const DataError& error) {
        QVERIFY2(error.message().contains(u"Access file"_s)
                && error.message().contains(u"jobcosting-site convert"_s),
            qPrintable(error.message()));
    }

    // The site's own Access time clock beside a job-punch file the desk can write.
    QVERIFY(QFile::remove(site.file(SiteModel::jobPunchesFile)));
    SiteBuilder::createJobPunches(site.path());
    site.sql(SiteModel::jobPunchesFile,
        u"INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, TimeStop) VALUES "
        "('Pat O''Hara', 'Open', '2004-02-26', '08:00:00', '08:00:00')"_s);
    DeskStore store(site.path());
    const QList<Punch> open = store.openJobs();
    QCOMPARE(open.size(), 1);
    QCOMPARE(open.first().badge, u"007007"_s);
    QCOMPARE(store.employee(u";7007?"_s)->name, u"Pat O'Hara"_s);
}

void TestDeskStore::openJobsCarryTheirBadges_data()
{
    // Few names are looked up one by one, many in one pass over EMPLOYEES.
    QTest::addColumn<int>("workers");
    QTest::newRow("two workers") << 2;
    QTest::newRow("every worker") << 12;
}

void TestDeskStore::openJobsCarryTheirBadges()
{
    SKIP_ACCESS();
    QFETCH(int, workers);
    const Site site(Site::Contents::Demo, currentEngine());
    const auto employees = site.sql(
        SiteModel::timeClockFile, u"SELECT Name, Badge, DeptNum FROM EMPLOYEES ORDER BY Badge"_s);
    // Closed jobs stay off the board; a worker the time clock does not know shows no badge.
    DeskJobs::end(site, DeskJobs::start(site, u"Maria Lopez"_s, at(25, 6)), QTime(7, 0));
    const QString stranger = DeskJobs::start(site, u"Nobody Known"_s, at(26, 5));
    QMap<QString, QVariantList> started; // by PunchId
    for (int i = 0; i < workers; ++i)
        started.insert(
            DeskJobs::start(site, employees.at(i).at(0).toString(), at(26, 6, i)), employees.at(i));

    DeskStore store(site.path());
    QMap<QString, QStringList> board;
    for (const Punch& punch : store.openJobs())
        board.insert(punch.punchId, {punch.name(), punch.badge, punch.department()});
    QMap<QString, QStringList> expected;
    for (auto it = started.cbegin(); it != started.cend(); ++it)
        expected.insert(it.key(),
            {it->at(0).toString(), it->at(1).toString(), QString::number(it->at(2).toInt())});
    expected.insert(stranger, {u"Nobody Known"_s, QString(), QString()});
    QCOMPARE(board, expected);
    QCOMPARE(store.employeesProblem(), QString());
}

void TestDeskStore::correctionsAreWrittenWithTheirAudit_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QDateTime>("started");
    QTest::addColumn<bool>("bonus");
    QTest::addColumn<QTime>("closedAt"); // invalid: the job is open
    QTest::addColumn<QDateTime>("start"); // end: its time; edit: the new start
    QTest::addColumn<QDateTime>("stop"); // edit: the new stop of a closed job
    QTest::addColumn<double>("pieces");
    QTest::addColumn<QString>("oldValues");
    QTest::addColumn<QString>("newValues");

    QTest::newRow("end a bonus job")
        << u"end"_s << at(26, 8) << true << QTime() << at(26, 12, 30) << QDateTime() << 12.0
        << uR"({"Badge":"Open","Pieces":0,"TimeStop":"08:00:00"})"_s
        << uR"({"Badge":"Closed","Pieces":12,"TimeStop":"12:30:00"})"_s;
    QTest::newRow("end a job forgotten past midnight")
        << u"end"_s << at(25, 16) << false << QTime() << at(26, 0, 30) << QDateTime() << 0.0
        << uR"({"Badge":"Open","TimeStop":"16:00:00"})"_s
        << uR"({"Badge":"Closed","TimeStop":"00:30:00"})"_s;
    QTest::newRow("edit a closed job's start and pieces")
        << u"edit"_s << at(25, 7) << true << QTime(15, 0) << at(25, 6, 30) << at(25, 15) << 7.0
        << uR"({"Pieces":5,"TimeStart":"07:00:00"})"_s
        << uR"({"Pieces":7,"TimeStart":"06:30:00"})"_s;
    QTest::newRow("edit a closed job's stop past midnight")
        << u"edit"_s << at(24, 20) << false << QTime(23, 0) << at(24, 20) << at(25, 2) << 0.0
        << uR"({"TimeStop":"23:00:00"})"_s << uR"({"TimeStop":"02:00:00"})"_s;
    QTest::newRow("move an open job's start to the day before")
        << u"edit"_s << at(26, 8) << false << QTime() << at(25, 22) << QDateTime() << 0.0
        << uR"({"DateWorked":"2004-02-26","TimeStart":"08:00:00","TimeStop":"08:00:00"})"_s
        << uR"({"DateWorked":"2004-02-25","TimeStart":"22:00:00","TimeStop":"22:00:00"})"_s;
    QTest::newRow("delete a mistaken punch")
        << u"delete"_s << at(26, 9) << true << QTime() << QDateTime() << QDateTime() << 0.0
        << QString() << u"{}"_s;
}

void TestDeskStore::correctionsAreWrittenWithTheirAudit()
{
    SKIP_ACCESS();
    QFETCH(QString, action);
    QFETCH(QDateTime, started);
    QFETCH(bool, bonus);
    QFETCH(QTime, closedAt);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, stop);
    QFETCH(double, pieces);
    QFETCH(QString, oldValues);
    QFETCH(QString, newValues);

    const Site site(Site::Contents::Demo, currentEngine());
    const QString id = DeskJobs::start(site, u"Walter Brennan"_s, started, bonus);
    const QString other = DeskJobs::start(site, u"Maria Lopez"_s, at(26, 7), true);
    if (closedAt.isValid())
        DeskJobs::end(site, id, closedAt, bonus ? 5 : 0);
    const QVariantMap before = DeskJobs::row(site, id);
    const QVariantMap untouched = DeskJobs::row(site, other);

    DeskStore store(site.path());
    const Punch punch
        = closedAt.isValid() ? jobOfDay(store, started.date(), id) : openJob(store, id);
    QCOMPARE(punch.punchId, id);
    const QString reason = u"  forgot to punch out  "_s;
    const Correction correction = action == u"end"_s
        ? Corrections::end(punch, start, pieces, reason, now(), m_services.regional)
        : action == u"edit"_s
        ? Corrections::edit(punch, start, stop, pieces, reason, now(), m_services.regional)
        : Corrections::remove(punch, reason);
    store.write(correction);

    const auto audit = DeskJobs::audit(site);
    QCOMPARE(audit.size(), 1);
    const QVariantList& row = audit.first();
    QCOMPARE(row.at(1).toString(), id);
    QCOMPARE(row.at(2).toString(), action);
    QCOMPARE(row.at(3).toString(),
        currentEngine() == Engine::Server ? DeskJobs::siteLogin(site) : operatingSystemUser());
    QCOMPARE(row.at(4).toString(), u"forgot to punch out"_s);
    QCOMPARE(jsonText(row.at(6)), newValues);
    QCOMPARE(DeskJobs::row(site, other), untouched);

    if (action == u"delete"_s) {
        QVERIFY(DeskJobs::row(site, id).isEmpty());
        // Its audit row keeps every field.
        const QJsonObject kept = json(row.at(5));
        QCOMPARE(kept.keys().size(), 24);
        QCOMPARE(kept.value(u"Name"_s).toString(), u"Walter Brennan"_s);
        QCOMPARE(kept.value(u"Level2BonusRate"_s).toDouble(), 0.35);
        QCOMPARE(kept.value(u"TimeStart"_s).toString(), u"09:00:00"_s);
        return;
    }
    QCOMPARE(jsonText(row.at(5)), oldValues);
    // The row holds the new values, and nothing else changed.
    QVariantMap expected = before;
    const QJsonObject changed = json(row.at(6));
    for (auto it = changed.begin(); it != changed.end(); ++it)
        expected.insert(it.key(), it->toVariant());
    QVariantMap after = DeskJobs::row(site, id);
    after.insert(u"Pieces"_s, after.value(u"Pieces"_s).toDouble());
    expected.insert(u"Pieces"_s, expected.value(u"Pieces"_s).toDouble());
    QCOMPARE(after, expected);
}

void TestDeskStore::refusalsWriteNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("bonus");
    QTest::addColumn<QTime>("closedAt");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("stop");
    QTest::addColumn<double>("pieces");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("meanwhile"); // SQL run after the desk read the punch
    QTest::addColumn<QString>("refusal");

    // Every job started on the 26th at 08:00 (the clock says 14:05:07).
    const QString why = u"forgot"_s;
    const QString changed = u"changed since the desk read it"_s;
    QTest::newRow("no reason") << u"end"_s << true << QTime() << at(26, 12) << QDateTime() << 1.0
                               << u"  \t"_s << QString() << u"needs a reason"_s;
    QTest::newRow("end before the start")
        << u"end"_s << true << QTime() << at(26, 7, 59) << QDateTime() << 0.0 << why << QString()
        << u"cannot end before it started (02/26/2004"_s;
    QTest::newRow("end at the start") << u"end"_s << true << QTime() << at(26, 8) << QDateTime()
                                      << 0.0 << why << QString() << u"cannot end before"_s;
    QTest::newRow("end in the future")
        << u"end"_s << true << QTime() << at(26, 14, 6) << QDateTime() << 0.0 << why << QString()
        << u"cannot end in the future"_s;
    QTest::newRow("pieces for a job that pays no bonus")
        << u"end"_s << false << QTime() << at(26, 12) << QDateTime() << 3.0 << why << QString()
        << u"pays no bonus"_s;
    QTest::newRow("negative pieces") << u"end"_s << true << QTime() << at(26, 12) << QDateTime()
                                     << -1.0 << why << QString() << u"from 0 to 1,000,000,000"_s;
    QTest::newRow("pieces past the bound")
        << u"end"_s << true << QTime() << at(26, 12) << QDateTime() << 1e9 + 1 << why << QString()
        << u"from 0 to 1,000,000,000"_s;
    QTest::newRow("end a closed job") << u"end"_s << true << QTime(10, 0) << at(26, 12)
                                      << QDateTime() << 0.0 << why << QString() << u"is not open"_s;
    QTest::newRow("edit the stop before the start")
        << u"edit"_s << false << QTime(10, 0) << at(26, 8) << at(26, 7) << 0.0 << why << QString()
        << u"cannot end before"_s;
    QTest::newRow("edit a stop a day after the start")
        << u"edit"_s << false << QTime(10, 0) << at(25, 8) << at(26, 8) << 0.0 << why << QString()
        << u"within 24 hours"_s;
    QTest::newRow("edit a start in the future")
        << u"edit"_s << false << QTime() << at(26, 15) << QDateTime() << 0.0 << why << QString()
        << u"cannot start in the future"_s;
    QTest::newRow("edit that changes nothing")
        << u"edit"_s << false << QTime(10, 0) << at(26, 8) << at(26, 10) << 0.0 << why << QString()
        << u"changes nothing"_s;
    QTest::newRow("ended at a terminal meanwhile")
        << u"end"_s << true << QTime() << at(26, 12) << QDateTime() << 4.0 << why
        << u"UPDATE JobPunches SET Badge = 'Closed', TimeStop = '13:00:00', Pieces = 2"_s
        << changed;
    QTest::newRow("corrected by another supervisor meanwhile")
        << u"edit"_s << false << QTime(10, 0) << at(26, 7) << at(26, 10) << 0.0 << why
        << u"UPDATE JobPunches SET TimeStart = '07:30:00'"_s << changed;
    QTest::newRow("deleted meanwhile")
        << u"delete"_s << false << QTime() << QDateTime() << QDateTime() << 0.0 << why
        << u"DELETE FROM JobPunches"_s << changed;
    QTest::newRow("a letter's case changed meanwhile")
        << u"delete"_s << false << QTime() << QDateTime() << QDateTime() << 0.0 << why
        << u"UPDATE JobPunches SET Name = 'WALTER BRENNAN'"_s << changed;
}

void TestDeskStore::refusalsWriteNothing()
{
    SKIP_ACCESS();
    QFETCH(QString, action);
    QFETCH(bool, bonus);
    QFETCH(QTime, closedAt);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, stop);
    QFETCH(double, pieces);
    QFETCH(QString, reason);
    QFETCH(QString, meanwhile);
    QFETCH(QString, refusal);

    const Site site(Site::Contents::Demo, currentEngine());
    const QString id = DeskJobs::start(site, u"Walter Brennan"_s, at(26, 8), bonus);
    if (closedAt.isValid())
        DeskJobs::end(site, id, closedAt);
    DeskStore store(site.path());
    const Punch punch = jobOfDay(store, QDate(2004, 2, 26), id);
    // A terminal's end, or another supervisor's correction with its reason.
    if (meanwhile.contains(u"Badge = 'Closed'"_s))
        site.sql(SiteModel::jobPunchesFile, meanwhile);
    else if (!meanwhile.isEmpty())
        site.correct(meanwhile);
    const QList<QVariantMap> before = site.jobPunches();
    const QList<QVariantList> audit = DeskJobs::audit(site);

    try {
        store.write(action == u"end"_s
                ? Corrections::end(punch, start, pieces, reason, now(), m_services.regional)
                : action == u"edit"_s
                ? Corrections::edit(punch, start, stop, pieces, reason, now(), m_services.regional)
                : Corrections::remove(punch, reason));
        QFAIL("the correction was written");
    } catch (const Refused& refused) {
        QVERIFY2(refused.message().contains(refusal), qPrintable(refused.message()));
    }
    QCOMPARE(site.jobPunches(), before);
    QCOMPARE(DeskJobs::audit(site), audit);
}

void TestDeskStore::punchAndAuditAreOneTransaction()
{
    SKIP_ACCESS();
    const Site site(Site::Contents::Demo, currentEngine());
    const QString id = DeskJobs::start(site, u"Walter Brennan"_s, at(26, 8));
    const QList<QVariantMap> before = site.jobPunches();
    DeskStore store(site.path());
    Correction correction = Corrections::edit(openJob(store, id), at(26, 7), QDateTime(), 0,
        u"came earlier"_s, now(), m_services.regional);
    // The database itself refuses a correction without its reason.
    correction.reason = u" "_s;
    QVERIFY_THROWS_EXCEPTION(std::exception, store.write(correction));
    QCOMPARE(site.jobPunches(), before);
    QVERIFY(DeskJobs::audit(site).isEmpty());

    // The store is not left inside the failed transaction.
    correction.reason = u"came earlier"_s;
    store.write(correction);
    QCOMPARE(DeskJobs::row(site, id).value(u"TimeStart"_s).toString(), u"07:00:00"_s);
    QCOMPARE(DeskJobs::audit(site).size(), 1);
}

void TestDeskStore::auditRowsAreNeverChanged()
{
    SKIP_ACCESS();
    const Site site(Site::Contents::Demo, currentEngine());
    const QString id = DeskJobs::start(site, u"Walter Brennan"_s, at(26, 8));
    DeskStore store(site.path());
    store.write(Corrections::remove(openJob(store, id), u"mistake"_s));
    const auto audit = DeskJobs::audit(site);
    // Not even the owner of the tables changes or removes one.
    for (const QString& change : {u"UPDATE JobPunchCorrections SET Reason = 'other'"_s,
             u"UPDATE JobPunchCorrections SET CorrectedBy = 'someone'"_s,
             u"DELETE FROM JobPunchCorrections"_s})
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, site.sql(SiteModel::jobPunchesFile, change));
    if (currentEngine() == Engine::Server) {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
            site.sql(SiteModel::jobPunchesFile, u"TRUNCATE JobPunchCorrections"_s));
        // Nor does anyone write one of his own, with another login's name or time:
        // the server stamps the rows it writes itself.
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
            site.sql(SiteModel::jobPunchesFile,
                u"INSERT INTO JobPunchCorrections (PunchId, Action, CorrectedBy, CorrectedAt, "
                "Reason, OldValues, NewValues) VALUES ('x', 'edit', 'someone', '2001-01-01', 'r', "
                "'{}', '{}')"_s));
        const auto stamped = site.sql(SiteModel::jobPunchesFile,
            u"SELECT CorrectedBy, CorrectedAt > now() - interval '1 hour' FROM "
            "JobPunchCorrections"_s);
        QCOMPARE(stamped, (QList<QVariantList> {{DeskJobs::siteLogin(site), true}}));
        return;
    }
    QCOMPARE(DeskJobs::audit(site), audit);
}

void TestDeskStore::daysAndHistory()
{
    SKIP_ACCESS();
    const Site site(Site::Contents::Demo, currentEngine());
    const QString before = DeskJobs::start(site, u"Walter Brennan"_s, at(25, 8));
    DeskJobs::end(site, before, QTime(9, 0));
    const QString late = DeskJobs::start(site, u"Maria Lopez"_s, at(26, 10));
    const QString early = DeskJobs::start(site, u"Robert Chen"_s, at(26, 7));
    DeskJobs::end(site, early, QTime(9, 30));
    DeskStore store(site.path());

    const auto ids = [](const QList<Punch>& punches) {
        QStringList list;
        for (const Punch& punch : punches)
            list << punch.punchId;
        return list;
    };
    QCOMPARE(ids(store.jobsOfDay(QDate(2004, 2, 26))), (QStringList {early, late}));
    QCOMPARE(ids(store.jobsOfDay(QDate(2004, 2, 26), true)), QStringList {late});
    QCOMPARE(ids(store.jobsOfDay(QDate(2004, 2, 24))), QStringList());

    store.write(Corrections::end(
        openJob(store, late), at(26, 12), 0, u"left at noon"_s, now(), m_services.regional));
    store.write(Corrections::remove(jobOfDay(store, QDate(2004, 2, 25), before), u"twice"_s));
    QCOMPARE(jobOfDay(store, QDate(2004, 2, 26), late).corrections, 1);
    QCOMPARE(jobOfDay(store, QDate(2004, 2, 26), early).corrections, 0);

    // The audit keeps the database's time of each correction.
    const QDate today = QDate::currentDate();
    const auto history = store.history(today, today);
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.at(0).action, u"end"_s);
    QCOMPARE(history.at(0).name, u"Maria Lopez"_s);
    QCOMPARE(history.at(0).reason, u"left at noon"_s);
    QVERIFY2(qAbs(history.at(0).correctedAt.secsTo(QDateTime::currentDateTime())) < 600,
        qPrintable(history.at(0).correctedAt.toString(Qt::ISODate)));
    QCOMPARE(history.at(1).action, u"delete"_s);
    QCOMPARE(history.at(1).name, u"Walter Brennan"_s); // from the audit: the punch is gone
    QCOMPARE(store.history(std::nullopt, std::nullopt).size(), 2);
    QCOMPARE(store.history(today.addDays(1), std::nullopt).size(), 0);
    QCOMPARE(store.history(std::nullopt, today.addDays(-1)).size(), 0);
}

void TestDeskStore::conflictsAreAppliedOrDismissed()
{
    if (currentEngine() != Engine::Server)
        QSKIP("Only a server keeps the conflicts of the terminals' outage journals.");
    const Site site(Site::Contents::Demo, currentEngine());
    const auto sql = [&site](const QString& statement, const QVariantList& values = {}) {
        return site.sql(SiteModel::jobPunchesFile, statement, values);
    };
    const QStringList fields = Site::jobFields();
    const QString open = DeskJobs::start(site, u"Walter Brennan"_s, at(26, 8), true);
    const QString closed = DeskJobs::start(site, u"Maria Lopez"_s, at(26, 7));
    DeskJobs::end(site, closed, QTime(9, 0));
    const QString conflict = u"INSERT INTO JobPunchConflicts (PunchId, Terminal, Action, %1, "
                             "Reason) SELECT ?, 'cell 3', ?, %2, 'journal' FROM JobPunches "
                             "WHERE PunchId = ?"_s;
    const QString copied = fields.join(u", "_s);
    // A start made during an outage while the same worker's job was open elsewhere.
    const QString newId = u"6f1c2a34-0000-4000-8000-000000000001"_s;
    sql(conflict.arg(copied, copied), {newId, u"start"_s, open});
    // The end of the open job, and one of a job that was ended meanwhile.
    QString ended = copied;
    ended.replace(u"Badge"_s, u"'Closed'"_s).replace(u"TimeStop"_s, u"'12:00:00'"_s);
    ended.replace(u"Pieces"_s, u"3"_s);
    sql(conflict.arg(copied, ended), {open, u"end"_s, open});
    sql(conflict.arg(copied, ended), {closed, u"end"_s, closed});

    DeskStore store(site.path());
    QVERIFY(store.keepsConflicts());
    QList<Conflict> conflicts = store.conflicts();
    QCOMPARE(conflicts.size(), 3);
    QCOMPARE(conflicts.at(0).terminal, u"cell 3"_s);
    QCOMPARE(conflicts.at(0).punch.badge, u"000123"_s);

    const auto refused = [&](const Correction& correction, const QString& why) {
        try {
            store.write(correction);
        } catch (const Refused& refusal) {
            return refusal.message().contains(why);
        }
        return false;
    };
    // The start waits until the worker's open job is ended.
    QVERIFY(refused(Corrections::apply(conflicts.at(0), u"outage"_s), u"open job already"_s));
    QVERIFY(refused(Corrections::apply(conflicts.at(2), u"outage"_s), u"not open any more"_s));
    QCOMPARE(store.conflicts().size(), 3);
    QVERIFY(DeskJobs::audit(site).isEmpty());

    store.write(Corrections::apply(conflicts.at(1), u"outage at cell 3"_s));
    store.write(Corrections::apply(conflicts.at(0), u"outage at cell 3"_s));
    store.write(Corrections::dismiss(conflicts.at(2), u"ended twice"_s));
    QVERIFY(store.conflicts().isEmpty());
    QVERIFY(refused(Corrections::dismiss(conflicts.at(2), u"again"_s), u"settled"_s));

    const QVariantMap ending = DeskJobs::row(site, open);
    QCOMPARE(ending.value(u"Badge"_s).toString(), u"Closed"_s);
    QCOMPARE(ending.value(u"TimeStop"_s).toString(), u"12:00:00"_s);
    QCOMPARE(ending.value(u"Pieces"_s).toDouble(), 3.0);
    QCOMPARE(DeskJobs::row(site, newId).value(u"Badge"_s).toString(), u"Open"_s);
    const auto audit = DeskJobs::audit(site);
    QCOMPARE(audit.size(), 3);
    QCOMPARE(audit.at(0).at(2).toString(), u"apply"_s);
    QCOMPARE(json(audit.at(0).at(5)).value(u"ID"_s).toInteger(), conflicts.at(1).id);
    QCOMPARE(json(audit.at(0).at(5)).value(u"Terminal"_s).toString(), u"cell 3"_s);
    QCOMPARE(
        jsonText(audit.at(0).at(6)), uR"({"Badge":"Closed","Pieces":3,"TimeStop":"12:00:00"})"_s);
    QCOMPARE(audit.at(1).at(1).toString(), newId);
    QCOMPARE(json(audit.at(1).at(6)).keys().size(), 24);
    QCOMPARE(audit.at(2).at(2).toString(), u"dismiss"_s);
    QCOMPARE(jsonText(audit.at(2).at(6)), u"{}"_s);
}

void TestDeskStore::rolesLetEachLoginDoItsPart()
{
    if (currentEngine() != Engine::Server)
        QSKIP("On SQLite, who may write the file decides.");
    const Site site(Site::Contents::Demo, currentEngine());
    ServerLogin::admin(u"ALTER ROLE %1 CREATEROLE"_s.arg(DeskJobs::siteLogin(site)));
    SiteBuilder::roles(site.path());
    SiteBuilder::roles(site.path()); // brought up to date again, as after an upgrade
    const QString open = DeskJobs::start(site, u"Walter Brennan"_s, at(26, 8));
    const QString closed = DeskJobs::start(site, u"Maria Lopez"_s, at(26, 7));
    DeskJobs::end(site, closed, QTime(9, 0));
    const ServerLogin terminal(site, u"jobcosting_terminal"_s);
    const ServerLogin supervisor(site, u"jobcosting_supervisor"_s);

    {
        // A terminal's login reads the board but corrects nothing.
        DeskStore store(terminal.folder());
        const Punch punch = openJob(store, open);
        QCOMPARE(store.employeesProblem(), QString());
        QCOMPARE(punch.badge, u"000123"_s);
        const QList<QVariantMap> before = site.jobPunches();
        try {
            store.write(Corrections::end(punch, at(26, 12), 0, u"r"_s, now(), m_services.regional));
            QFAIL("a terminal's login corrected a punch");
        } catch (const Refused& refused) {
            QVERIFY2(refused.message().contains(terminal.name()), qPrintable(refused.message()));
        }
        QCOMPARE(site.jobPunches(), before);
    }
    // It starts jobs, and ends open ones, and no more.
    terminal.sql(u"INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, TimeStop, Pieces, "
                 "EmpNum, DeptNum, BaseRate) VALUES ('Robert Chen', 'Open', '2004-02-26', "
                 "'09:00:00', '09:00:00', 0, 127, 30, 22.4)"_s);
    terminal.sql(u"UPDATE JobPunches SET Badge = 'Closed', TimeStop = '12:00:00', Pieces = 1 "
                 "WHERE PunchId = '%1'"_s.arg(open));
    terminal.sql(u"UPDATE JobPunches SET TimeStop = '23:00:00' WHERE PunchId = '%1'"_s.arg(open));
    QCOMPARE(DeskJobs::row(site, open).value(u"TimeStop"_s).toString(), u"12:00:00"_s);
    for (const QString& forbidden :
        {u"UPDATE JobPunches SET DateWorked = '2004-02-01' WHERE Badge = 'Open'"_s,
            u"DELETE FROM JobPunches"_s,
            u"INSERT INTO JobPunchCorrections (PunchId, Action, Reason, OldValues, NewValues) "
            "VALUES ('x', 'edit', 'r', '{}', '{}')"_s,
            u"DELETE FROM JobPunchCorrections"_s})
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, terminal.sql(forbidden));

    {
        DeskStore store(supervisor.folder());
        const Punch punch = jobOfDay(store, QDate(2004, 2, 26), closed);
        store.write(Corrections::edit(
            punch, at(26, 7), at(26, 10), 0, u"left later"_s, now(), m_services.regional));
    }
    const auto audit = DeskJobs::audit(site);
    QCOMPARE(audit.size(), 1);
    QCOMPARE(audit.first().at(3).toString(), supervisor.name());
    for (const QString& forbidden :
        {u"UPDATE JobPunchCorrections SET Reason = 'x'"_s, u"DELETE FROM JobPunchCorrections"_s})
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, supervisor.sql(forbidden));
}

void TestDeskStore::hoursOnTheSiteClocks_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDateTime>("back"); // the clocks go back then, in UTC
    QTest::addColumn<QDateTime>("forward"); // and forward
    QTest::newRow("New York") << u"America/New_York"_s
                              << QDateTime({2026, 11, 1}, QTime(6, 0), Qt::UTC)
                              << QDateTime({2026, 3, 8}, QTime(7, 0), Qt::UTC);
    QTest::newRow("Berlin") << u"Europe/Berlin"_s << QDateTime({2026, 10, 25}, QTime(1, 0), Qt::UTC)
                            << QDateTime({2026, 3, 29}, QTime(1, 0), Qt::UTC);
}

// The desk reads every start and stop on the site's clocks, whatever the
// machine's zone: a job across either change lasted the time that passed, an
// open job is open since its start until the site's now, and `end --at` takes
// the site's time, the true end too where the clocks read it twice.
void TestDeskStore::hoursOnTheSiteClocks()
{
    QFETCH(QString, zone);
    QFETCH(QDateTime, back);
    QFETCH(QDateTime, forward);
    SKIP_ACCESS();
    const Site site(Site::Contents::Demo, currentEngine(), zone);
    const QTimeZone clocks(zone.toUtf8());
    const QTimeZone machine(zone.startsWith(u"Europe"_s) ? "Asia/Tokyo" : "Europe/Berlin");
    // 30 minutes before each change to 15 minutes after it, on the clocks.
    const QDateTime forwardStart = forward.addSecs(-30 * 60).toTimeZone(clocks);
    const QString forwardJob = DeskJobs::start(site, u"Maria Lopez"_s, forwardStart);
    DeskJobs::end(site, forwardJob, forward.addSecs(15 * 60).toTimeZone(clocks).time());
    const QDateTime backStart = back.addSecs(-30 * 60).toTimeZone(clocks);
    const QString backJob = DeskJobs::start(site, u"Walter Brennan"_s, backStart);

    FixedClock clock;
    clock.setTimeZone(machine);
    clock.set(back.addSecs(15 * 60).toTimeZone(machine));
    DeskStore store(site.path(), machine);
    QCOMPARE(store.siteTime().zone(), clocks);
    const Punch ended = jobOfDay(store, forwardStart.date(), forwardJob);
    QCOMPARE(ended.secondsWorked(), 45 * 60);
    QCOMPARE(ended.stopped().time(), forward.addSecs(15 * 60).toTimeZone(clocks).time());
    const Punch open = openJob(store, backJob);
    QCOMPARE(open.started(), back.addSecs(-30 * 60));
    QCOMPARE(open.started().secsTo(store.siteTime().now(clock)), 45 * 60);

    // Its true end reads earlier on the clocks than its start.
    const QTime end = back.addSecs(10 * 60).toTimeZone(clocks).time();
    QVERIFY(end < backStart.time());
    QString printed;
    QTextStream out(&printed);
    QTextStream err(stderr);
    QCOMPARE(DeskCommand::run(
                 DeskCommand::parse({u"end"_s, site.path(), u"--badge"_s, u"000123"_s, u"--at"_s,
                     backStart.date().toString(Qt::ISODate) + u' ' + end.toString(u"HH:mm"_s),
                     u"--reason"_s, u"forgot to badge out"_s}),
                 clock, out, err),
        DeskCommand::done);
    const Punch closed = jobOfDay(store, backStart.date(), backJob);
    QCOMPARE(closed.values.value(u"TimeStop"_s).toTime(), end);
    QCOMPARE(closed.secondsWorked(), 40 * 60);
}

// A punch whose start or end reached the database more than ten minutes away
// from its own time (kept through an outage, a clock set wrong, written by
// hand) is marked.
void TestDeskStore::lateArrivalsAreMarked()
{
    SKIP_ACCESS();
    const Site site(Site::Contents::Demo, currentEngine());
    // Written now, as a terminal writes it: its own time is now.
    const QDateTime written = QDateTime::currentDateTime();
    const QString onTime = DeskJobs::start(site, u"Walter Brennan"_s, written.addSecs(-300));
    const QString late = DeskJobs::start(site, u"Maria Lopez"_s, written.addSecs(-3600));
    // Ended on a clock 20 minutes fast.
    const QString endedLate = DeskJobs::start(site, u"Linda Kowalski"_s, written.addSecs(-300));
    DeskJobs::end(site, endedLate, written.addSecs(1200).time());
    DeskStore store(site.path());
    const QList<Punch> punches
        = store.jobsOfDay(written.addSecs(-3600).date()) + store.jobsOfDay(written.date());
    const auto marked = [&](const QString& punchId) {
        for (const Punch& punch : punches)
            if (punch.punchId == punchId)
                return punch.arrivedAway();
        return false;
    };
    QVERIFY(!marked(onTime));
    QVERIFY(marked(late));
    QVERIFY(marked(endedLate));
}

QTEST_GUILESS_MAIN(TestDeskStore)
#include "tst_deskstore.moc"
