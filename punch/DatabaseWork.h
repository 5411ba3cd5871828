#pragma once

#include <QCursor>
#include <QGuiApplication>

// The database work of a handler: a busy pointer while it runs. No dialog is
// shown inside one: the worker must not read a message under a busy pointer.
class DatabaseWork
{
public:
    DatabaseWork() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~DatabaseWork() { QGuiApplication::restoreOverrideCursor(); }
    DatabaseWork(const DatabaseWork&) = delete;
    DatabaseWork& operator=(const DatabaseWork&) = delete;
};
