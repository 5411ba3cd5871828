#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <memory>

// Tells when the job punches of a site may have changed, whoever changed
// them, without reading them: on a server by the notices its trigger sends, on
// SQLite by the file's count of commits, asked on a connection of its own.
class ChangeWatch : public QObject
{
    Q_OBJECT

public:
    // The watch for the site's JobPunches.MDB, a pointer file to a server or
    // a SQLite file. `poll` is how often SQLite is asked, and how often a
    // server's connection is checked.
    static std::unique_ptr<ChangeWatch> forFile(const QString& jobPunchesPath, bool onServer,
        std::chrono::milliseconds poll = std::chrono::seconds(1));

signals:
    void changed();

protected:
    ChangeWatch(QString path, std::chrono::milliseconds poll);
    virtual void check() = 0;

    QString m_path;
    QString m_connection;

private:
    QTimer m_timer;
};
