#pragma once

#include <QString>
#include <stdexcept>

// A failed search, read or write of the data layer.
class DataError : public std::runtime_error
{
public:
    explicit DataError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    { }
    QString message() const { return m_message; }

private:
    QString m_message;
};
