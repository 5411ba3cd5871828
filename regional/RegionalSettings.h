#pragma once

#include <QDateTime>
#include <QRegularExpression>
#include <QString>
#include <optional>

class Clock;

// The PC's regional formats for dates, times and numbers. Dates and times are
// rendered and parsed with Qt-style patterns ("MM/dd/yyyy", "hh:mm:ss AP");
// the system's settings are translated into such patterns once, at start.
// Two-digit years are read in the hundred years centred on the clock's today.
class RegionalSettings
{
public:
    RegionalSettings(QString shortDatePattern, QString timePattern, QChar decimalSeparator,
        QChar groupSeparator, const Clock& clock);

    // What the user of this machine has set (on Linux: the C library's locale).
    static RegionalSettings system(const Clock& clock);
    // Turns a strftime format ("%m/%d/%Y") into a Qt pattern ("MM/dd/yyyy").
    static QString patternFromStrftime(const QByteArray& format);

    QString shortDatePattern() const { return m_datePattern; }
    QString timePattern() const { return m_timePattern; }
    QChar decimalSeparator() const { return m_decimal; }
    QChar groupSeparator() const { return m_group; }

    QString dateText(QDate date) const;
    QString timeText(QTime time) const;
    // The short date and the time, separated by one blank.
    QString dateTimeText(const QDateTime& dateTime) const;
    // Read back the date part or the time part of a dateTimeText().
    QDate parseDate(const QString& dateTimeText) const;
    QTime parseTime(const QString& dateTimeText) const;
    // Single date or time texts, as bound boxes show them.
    QDate parseDateOnly(const QString& text) const;
    QTime parseTimeOnly(const QString& text) const;

    QString numberText(double value) const;
    // A number by the regional rules: blanks around, optional sign, digits,
    // optional decimal separator and decimals, optional exponent. Digits before
    // the separator may be grouped, but only in threes (1,500 but not 1,5 or
    // 1,50,0): a number read is the number the worker saw.
    // Where the group separator is a narrow or a no-break space, any of the
    // two or an ordinary space groups.
    std::optional<double> parseNumber(const QString& text) const;

private:
    QDateTime parseDateTime(const QString& text, const QString& pattern) const;

    QString m_datePattern;
    QString m_timePattern;
    QChar m_decimal;
    QChar m_group;
    QString m_groupSeparators; // those read as the group separator
    const Clock* m_clock;
    QRegularExpression m_number;
    // The last text parsed: a step reads one clock text back more than once.
    struct Parsed
    {
        QString text;
        QString pattern;
        int firstYear = 0;
        QDateTime value;
    };
    mutable Parsed m_lastParsed;
};
