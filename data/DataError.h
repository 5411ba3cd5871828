#pragma once

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <stdexcept>

// A failed search, read or write of the data layer. Its message stays in
// English, for logs and command lines; a screen shows shown(), which is in
// the session's language where the words have a translation.
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
        : DataError(message, nullptr, {}, reason)
    { }
    // A reason in words of the data layer's own, marked with
    // QT_TRANSLATE_NOOP("DataError", ...), with their %1, %2... filled in by `values`.
    static DataError said(
        const char* words, const QStringList& values, Reason reason = Reason::Other)
    {
        return DataError(filled(QString::fromLatin1(words), values), words, values, reason);
    }
    // A database file that is not where its name leads, named as the site
    // knows it, with the folder it was looked for in.
    static DataError missingFile(const QString& path)
    {
        const QFileInfo file(path);
        return said(QT_TRANSLATE_NOOP("DataError", "%1 is not in the folder %2."),
            {file.fileName(), file.absolutePath()});
    }

    QString message() const { return m_message; }
    Reason reason() const { return m_reason; }
    // The reason as a person reads it: the words in the session's language;
    // without words of its own, what its kind says where the session's
    // language has that; else the message.
    QString shown() const
    {
        if (m_words)
            return filled(QCoreApplication::translate("DataError", m_words), m_values);
        if (const char* kind = kindWords(m_reason)) {
            const QString translated = QCoreApplication::translate("DataError", kind);
            if (translated != QLatin1String(kind))
                return translated;
        }
        return m_message;
    }

private:
    DataError(const QString& message, const char* words, const QStringList& values, Reason reason)
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_words(words)
        , m_values(values)
        , m_reason(reason)
    { }

    static const char* kindWords(Reason reason)
    {
        switch (reason) {
        case Reason::Unreachable:
            return QT_TRANSLATE_NOOP(
                "DataError", "The database server cannot be reached, or did not answer in time.");
        case Reason::BadPointer:
            return QT_TRANSLATE_NOOP(
                "DataError", "The site's pointer file does not say where its database server is.");
        case Reason::Changed:
            return QT_TRANSLATE_NOOP(
                "DataError", "Another program changed or deleted this row since it was read.");
        default:
            return nullptr;
        }
    }

    // Each %1 to %9 replaced by its value at once, so that a value holding a
    // % is taken as it is.
    static QString filled(const QString& words, const QStringList& values)
    {
        QString text;
        for (qsizetype i = 0; i < words.size(); ++i) {
            const qsizetype index = i + 1 < words.size() ? words.at(i + 1).digitValue() - 1 : -1;
            if (words.at(i) == QLatin1Char('%') && index >= 0 && index < values.size()) {
                text += values.at(index);
                ++i;
            } else {
                text += words.at(i);
            }
        }
        return text;
    }

    QString m_message;
    const char* m_words;
    QStringList m_values;
    Reason m_reason;
};
