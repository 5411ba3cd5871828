#pragma once

#include <QString>
#include <stdexcept>

// A failed search, read or write of the data layer.
class DataError : public std::runtime_error
{
public:
    enum class Reason
    {
        Other,
        Duplicate, // a unique index refused the row
        Unreachable, // the database server could not be reached
        BadPointer, // a pointer file that does not say where a database server is
    };

    explicit DataError(const QString& message, Reason reason = Reason::Other)
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_reason(reason)
    { }
    QString message() const { return m_message; }
    Reason reason() const { return m_reason; }

private:
    QString m_message;
    Reason m_reason;
};
