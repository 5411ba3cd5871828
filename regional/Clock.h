#pragma once

#include <QDateTime>
#include <QTimeZone>

// Every "now" of the program comes from here, and the machine's time zone.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual QTimeZone timeZone() const { return QTimeZone::systemTimeZone(); }
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
