#pragma once

#include <QFileInfo>
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
        Changed, // the row was changed or deleted by another program since it was read
    };

    explicit DataError(const QString& message, Reason reason = Reason::Other)
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_reason(reason)
    { }
    // A database file that is not where its name leads, named as the site
    // knows it, with the folder it was looked for in.
    static DataError missingFile(const QString& path)
    {
        const QFileInfo file(path);
        return DataError(QStringLiteral("%1 is not in the folder %2.")
                             .arg(file.fileName(), file.absolutePath()));
    }

    QString message() const { return m_message; }
    Reason reason() const { return m_reason; }

private:
    QString m_message;
    Reason m_reason;
};
