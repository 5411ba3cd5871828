#include "ServerProxy.h"

#include "Site.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace {

// libpq's name for a server's socket in the folder given as its host.
const QString socketName = u".s.PGSQL.5432"_s;

QString serverFolder()
{
    return QUrlQuery(QUrl(testServer()).query()).queryItemValue(u"host"_s);
}

// One connection through the proxy. Qt's driver prepares a statement with
// PREPARE name AS ..., and runs it with EXECUTE name (...).
struct Link
{
    QLocalSocket* terminal;
    QLocalSocket* server;
    QByteArray writes; // the names of the statements that write job punches
    bool losing = false;
    QByteArray sent; // what the terminal sent that is not a whole message yet
    bool started = false; // its first message, which has no type, is through
};

// The texts of the whole queries ('Q' messages) that the terminal sent, taken
// off what it sent.
QStringList queriesIn(Link& link)
{
    QStringList queries;
    const auto length = [&link](qsizetype at) {
        const auto* bytes = reinterpret_cast<const uchar*>(link.sent.constData() + at);
        return qsizetype((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]);
    };
    for (;;) {
        const qsizetype header = link.started ? 1 : 0;
        if (link.sent.size() < header + 4)
            return queries;
        const qsizetype size = header + length(header);
        if (link.sent.size() < size)
            return queries;
        if (link.started && link.sent.at(0) == 'Q')
            queries << QString::fromUtf8(link.sent.mid(5, size - 6));
        link.sent.remove(0, size);
        link.started = true;
    }
}

} // namespace

ServerProxy::ServerProxy()
{
    m_thread.start();
    auto* listener = new QLocalServer;
    listener->moveToThread(&m_thread);
    const QString path = QDir(m_dir.path()).filePath(socketName);
    const QString target = QDir(serverFolder()).filePath(socketName);
    QMetaObject::invokeMethod(
        listener,
        [this, listener, path, target] {
            QObject::connect(listener, &QLocalServer::newConnection, listener, [=, this] {
                while (QLocalSocket* terminal = listener->nextPendingConnection()) {
                    ++m_connections;
                    QObject::connect(
                        terminal, &QLocalSocket::disconnected, terminal, &QObject::deleteLater);
                    if (m_down) {
                        terminal->disconnectFromServer();
                        continue;
                    }
                    auto* link
                        = new Link {terminal, new QLocalSocket(terminal), {}, false, {}, false};
                    QObject::connect(terminal, &QObject::destroyed, [link] { delete link; });
                    QObject::connect(
                        terminal, &QLocalSocket::readyRead, link->server, [this, link] {
                            const QByteArray bytes = link->terminal->readAll();
                            link->sent += bytes;
                            if (const QStringList queries = queriesIn(*link); !queries.isEmpty()) {
                                const std::lock_guard lock(m_mutex);
                                m_statements << queries;
                            }
                            static const QRegularExpression write(
                                u"PREPARE (\\w+) AS (?:INSERT INTO|UPDATE) \"jobpunches\""_s);
                            const QString text = QString::fromLatin1(bytes);
                            if (const auto found = write.match(text); found.hasMatch())
                                link->writes = found.captured(1).toLatin1();
                            if (!link->writes.isEmpty()
                                && bytes.contains("EXECUTE " + link->writes + " (")
                                && m_loseNextWrite.exchange(false))
                                link->losing = true;
                            link->server->write(bytes);
                        });
                    QObject::connect(link->server, &QLocalSocket::readyRead, terminal, [link] {
                        const QByteArray reply = link->server->readAll();
                        if (!link->losing)
                            link->terminal->write(reply);
                    });
                    QObject::connect(link->server, &QLocalSocket::disconnected, terminal,
                        &QLocalSocket::disconnectFromServer);
                    link->server->connectToServer(target);
                    link->server->waitForConnected(5000);
                }
            });
            listener->listen(path);
        },
        Qt::BlockingQueuedConnection);
    QObject::connect(&m_thread, &QThread::finished, listener, &QObject::deleteLater);
    m_listener = listener;
}

void ServerProxy::setDown(bool down)
{
    m_down = down;
    if (!down)
        return;
    QMetaObject::invokeMethod(
        m_listener,
        [this] {
            for (QLocalSocket* terminal :
                m_listener->findChildren<QLocalSocket*>(Qt::FindDirectChildrenOnly))
                terminal->abort();
        },
        Qt::BlockingQueuedConnection);
}

ServerProxy::~ServerProxy()
{
    m_thread.quit();
    m_thread.wait();
}

QStringList ServerProxy::statements() const
{
    const std::lock_guard lock(m_mutex);
    return m_statements;
}

QString ServerProxy::uri(QString direct) const
{
    return direct.replace(u"host="_s + serverFolder(), u"host="_s + m_dir.path());
}
