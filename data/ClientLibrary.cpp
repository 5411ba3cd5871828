#include "ClientLibrary.h"

#include "DataError.h"

#include <QLibrary>
#include <QSqlDriver>

const ClientLibrary& clientLibrary()
{
    static const ClientLibrary library = [] {
        ClientLibrary functions;
        QLibrary pq(QStringLiteral("pq"), 5);
        if (!pq.load()) {
            functions.error = pq.errorString();
            return functions;
        }
        bool complete = true;
        const auto resolve = [&pq, &complete](auto& function, const char* name) {
            function
                = reinterpret_cast<std::remove_reference_t<decltype(function)>>(pq.resolve(name));
            complete = complete && function;
        };
        resolve(functions.parse, "PQconninfoParse");
        resolve(functions.free, "PQconninfoFree");
        resolve(functions.freeMemory, "PQfreemem");
        resolve(functions.socket, "PQsocket");
        resolve(functions.status, "PQstatus");
        resolve(functions.transactionStatus, "PQtransactionStatus");
        resolve(functions.backendPid, "PQbackendPID");
        resolve(functions.consumeInput, "PQconsumeInput");
        resolve(functions.notifies, "PQnotifies");
        resolve(functions.getResult, "PQgetResult");
        resolve(functions.clear, "PQclear");
        if (!complete)
            functions.error = pq.errorString();
        return functions;
    }();
    if (!library.error.isEmpty())
        throw DataError(
            QStringLiteral("PostgreSQL's client library cannot be loaded: %1").arg(library.error));
    return library;
}

PGconn* connectionOf(const QSqlDatabase& db)
{
    if (!db.isOpen())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    const QByteArray type = handle.typeName();
    if (type != "PGconn*" && type != "pg_conn*")
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}
