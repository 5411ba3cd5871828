#include "DeskJobs.h"

#include "data/PostgresFile.h"
#include "data/SiteModel.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace DeskJobs {

QString start(const Site& site, const QString& name, const QDateTime& start, bool bonus)
{
    const auto employee = site.sql(SiteModel::timeClockFile,
        u"SELECT EmpNum, DeptNum, BasePayRate FROM EMPLOYEES WHERE Name = ?"_s, {name});
    const QVariantList values = employee.value(0, {QVariant(), QVariant(), QVariant()});
    const QString time = start.time().toString(u"HH:mm:ss"_s);
    site.sql(SiteModel::jobPunchesFile,
        u"INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, TimeStop, Level1Description, "
        "Level1ItemCode, Level1ItemDescription, Level1StandardCost, Level1BonusRate, "
        "Level2Description, Level2ItemCode, Level2ItemDescription, Level2StandardCost, "
        "Level2BonusRate, Level3Description, Pieces, EmpNum, DeptNum, BaseRate) VALUES (?, 'Open', "
        "?, ?, ?, 'Department', '12', 'Assembly', 14.5, 0, ?, ?, ?, ?, ?, '', 0, ?, ?, ?)"_s,
        {name, start.date().toString(Qt::ISODate), time, time, bonus ? u"Operation"_s : QString(),
            bonus ? u"7"_s : QString(), bonus ? u"Weld"_s : QString(),
            bonus ? QVariant(6.5) : QVariant(), bonus ? QVariant(0.35) : QVariant(), values.at(0),
            values.at(1), values.at(2)});
    return site
        .sql(SiteModel::jobPunchesFile,
            u"SELECT PunchId FROM JobPunches WHERE Name = ? AND Badge = 'Open'"_s, {name})
        .value(0)
        .value(0)
        .toString();
}

void end(const Site& site, const QString& punchId, QTime stop, double pieces)
{
    site.sql(SiteModel::jobPunchesFile,
        u"UPDATE JobPunches SET Badge = 'Closed', TimeStop = ?, Pieces = ? WHERE PunchId = ?"_s,
        {stop.toString(u"HH:mm:ss"_s), pieces, punchId});
}

QVariantMap row(const Site& site, const QString& punchId)
{
    for (QVariantMap punch : site.jobPunches()) {
        if (punch.value(u"PunchId"_s).toString() == punchId) {
            punch.remove(u"ID"_s);
            return punch;
        }
    }
    return {};
}

QList<QVariantList> audit(const Site& site)
{
    return site.sql(SiteModel::jobPunchesFile,
        u"SELECT CorrectionId, PunchId, Action, CorrectedBy, Reason, OldValues, NewValues FROM "
        "JobPunchCorrections ORDER BY CorrectionId"_s);
}

QString siteLogin(const Site& site)
{
    return site.server() ? site.server()->sql(u"SELECT session_user"_s).value(0).value(0).toString()
                         : QString();
}

} // namespace DeskJobs

namespace {

void exec(const QString& uri, const QString& statement)
{
    const QString connection = QUuid::createUuid().toString();
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, connection);
        PostgresFile::configure(db, uri);
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            QSqlQuery query(db);
            if (!query.exec(u"SET client_min_messages = warning"_s) || !query.exec(statement))
                failure = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!failure.isEmpty())
        throw std::runtime_error((statement + u": "_s + failure).toStdString());
}

} // namespace

ServerLogin::ServerLogin(const Site& site, const QString& role)
    : m_name(u"login_"_s + QUuid::createUuid().toString(QUuid::Id128).left(16))
{
    const QString schema = DeskJobs::siteLogin(site); // each site's schema bears its role's name
    admin(u"CREATE ROLE %1 LOGIN IN ROLE %2"_s.arg(m_name, role));
    const QString server = testServer();
    m_uri = server + (server.contains(u'?') ? u'&' : u'?') + u"user="_s + m_name + u"&options="_s
        + QString::fromLatin1(
            QUrl::toPercentEncoding(u"-c search_path="_s + schema + u",public"_s));
    pointTo(m_uri, QString());
}

void ServerLogin::pointTo(const QString& address, const QString& deadline) const
{
    const QString pointed
        = deadline.isEmpty() ? address : address + u"&jobcosting_deadline="_s + deadline;
    for (const QString& name :
        {SiteModel::jobPunchesFile, SiteModel::validationsFile, SiteModel::timeClockFile}) {
        QFile pointer(QDir(m_folder.path()).filePath(name));
        if (!pointer.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || pointer.write((pointed + u'\n').toUtf8()) < 0)
            throw std::runtime_error("cannot write a pointer file");
    }
}

ServerLogin::~ServerLogin()
{
    try {
        admin(u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = '%1'"_s.arg(
            m_name));
        admin(u"DROP ROLE %1"_s.arg(m_name));
    } catch (const std::exception& error) {
        qWarning("%s", error.what());
    }
}

void ServerLogin::sql(const QString& statement) const
{
    exec(m_uri, statement);
}

void ServerLogin::admin(const QString& statement)
{
    exec(testServer(), statement);
}
