#pragma once

#include "Site.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QVariantMap>

// Job punches written as a terminal writes them, and read back, for the
// desk's tests on a demo site.
namespace DeskJobs {

// A moment of February 2004, the month of the scripted clock.
inline QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2004, 2, day), QTime(hour, minute));
}

// Starts a job at `start` for a worker of the demo site, with his employee
// values; a bonus job is a Weld (bonus rate 0.35) on level 2, its deepest
// level; any other job is an Assembly on level 1 alone. Returns its PunchId.
QString start(const Site& site, const QString& name, const QDateTime& start, bool bonus = false);
// Ends it as a terminal does.
void end(const Site& site, const QString& punchId, QTime stop, double pieces = 0);
// The punch's row (its fields and PunchId), empty when there is none.
QVariantMap row(const Site& site, const QString& punchId);
// Every audit row: CorrectionId, PunchId, Action, CorrectedBy, Reason,
// OldValues, NewValues, in the order written.
QList<QVariantList> audit(const Site& site);
// The login that the site's own connections are made under.
QString siteLogin(const Site& site);

} // namespace DeskJobs

// A login of one of the roles made by `jobcosting-site roles` on the test
// server, with a site folder of its own whose three pointer files reach the
// site's schema as that login. Dropped at the end.
class ServerLogin
{
public:
    ServerLogin(const Site& site, const QString& role);
    ~ServerLogin();
    ServerLogin(const ServerLogin&) = delete;
    ServerLogin& operator=(const ServerLogin&) = delete;

    QString name() const { return m_name; }
    QString folder() const { return m_folder.path(); }
    QString uri() const { return m_uri; }
    // Points the folder's three files to `address` (this login's connection
    // URI through a proxy, say), with the terminal's deadline in seconds.
    void pointTo(const QString& address, const QString& deadline) const;
    // Runs SQL as this login on the site's schema.
    void sql(const QString& statement) const;

    // As the test server's superuser.
    static void admin(const QString& statement);

private:
    QString m_name;
    QString m_uri;
    QTemporaryDir m_folder;
};
