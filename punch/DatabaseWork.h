#pragma once

#include "data/DatabaseFile.h"

#include <QCursor>
#include <QGuiApplication>

// The database work of a handler: a busy pointer while it runs, and at most
// five seconds of waiting for other programs' locks in all, however many
// statements it takes. No dialog is shown inside one: the worker's reading
// time is not the wait's, and he must not read a message under a busy pointer.
class DatabaseWork
{
public:
    DatabaseWork() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~DatabaseWork() { QGuiApplication::restoreOverrideCursor(); }
    DatabaseWork(const DatabaseWork&) = delete;
    DatabaseWork& operator=(const DatabaseWork&) = delete;

private:
    LockDeadline m_deadline;
};
