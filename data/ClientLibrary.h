#pragma once

#include <QSqlDatabase>
#include <QString>
#include <libpq-fe.h>

// libpq, loaded when the first pointer file is read: linked into the program,
// libpq and its TLS, Kerberos and LDAP libraries (a score of them) would cost
// every start, also on the sites that never reach a server. Only the calls
// that Qt's PostgreSQL driver does not make for the program.
struct ClientLibrary
{
    decltype(&PQconninfoParse) parse = nullptr;
    decltype(&PQconninfoFree) free = nullptr;
    decltype(&PQfreemem) freeMemory = nullptr;
    decltype(&PQsocket) socket = nullptr;
    decltype(&PQstatus) status = nullptr;
    decltype(&PQtransactionStatus) transactionStatus = nullptr;
    decltype(&PQbackendPID) backendPid = nullptr;
    decltype(&PQconsumeInput) consumeInput = nullptr;
    decltype(&PQnotifies) notifies = nullptr;
    decltype(&PQgetResult) getResult = nullptr;
    decltype(&PQclear) clear = nullptr;
    QString error;
};

// The library, loaded at the first call; DataError when it cannot be.
const ClientLibrary& clientLibrary();

// libpq's connection under Qt's driver of an open connection, or null. Only on
// the thread that uses the connection.
PGconn* connectionOf(const QSqlDatabase& db);
