#include "RegionalSettings.h"

#include "regional/Clock.h"

#include <QCalendar>
#include <QLocale>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <clocale>
#include <langinfo.h>
#endif

RegionalSettings::RegionalSettings(QString shortDatePattern, QString timePattern,
    QChar decimalSeparator, QChar groupSeparator, const Clock& clock)
    : m_datePattern(std::move(shortDatePattern))
    , m_timePattern(std::move(timePattern))
    , m_decimal(decimalSeparator)
    , m_group(groupSeparator)
    , m_clock(&clock)
{
    const QString decimal = QRegularExpression::escape(QString(m_decimal));
    if (!m_group.isNull() && m_group != m_decimal)
        m_groupSeparators = QString(m_group);
    // The C library groups with a narrow or a no-break space, which no
    // keyboard types as such: a worker's ordinary space stands for either.
    if (m_group == QChar(0x202f) || m_group == QChar(0x00a0))
        m_groupSeparators = QStringLiteral(" \u00a0\u202f");
    const QString digits = m_groupSeparators.isEmpty()
        ? QStringLiteral("\\d+")
        : QStringLiteral("\\d{1,3}(?:[%1]\\d{3})+|\\d+")
              .arg(QRegularExpression::escape(m_groupSeparators));
    m_number.setPattern(
        QStringLiteral("^\\s*([+-]?)\\s*(%1)?(?:%2(\\d*))?(?:[eE]([+-]?\\d+))?\\s*$")
            .arg(digits, decimal));
    m_number.optimize();
}

RegionalSettings RegionalSettings::system(const Clock& clock)
{
#ifdef Q_OS_UNIX
    // Qt's own locale tables disagree with the C library (en_US is "M/d/yy" in Qt,
    // "%m/%d/%Y" in glibc); what date +%x prints is what the user has set.
    std::setlocale(LC_ALL, "");
    const QString date = patternFromStrftime(nl_langinfo(D_FMT));
    const QString time = patternFromStrftime(nl_langinfo(T_FMT));
    const QString radix = QString::fromLocal8Bit(nl_langinfo(RADIXCHAR));
    const QString group = QString::fromLocal8Bit(nl_langinfo(THOUSEP));
    return RegionalSettings(date, time, radix.isEmpty() ? QLatin1Char('.') : radix.at(0),
        group.isEmpty() ? QChar() : group.at(0), clock);
#else
    const QLocale locale = QLocale::system();
    return RegionalSettings(locale.dateFormat(QLocale::ShortFormat),
        locale.timeFormat(QLocale::LongFormat), locale.decimalPoint().at(0),
        locale.groupSeparator().isEmpty() ? QChar() : locale.groupSeparator().at(0), clock);
#endif
}

QString RegionalSettings::patternFromStrftime(const QByteArray& format)
{
    QString pattern;
    QString literal;
    const auto flushLiteral = [&] {
        if (literal.isEmpty())
            return;
        pattern += QLatin1Char('\'') + literal + QLatin1Char('\'');
        literal.clear();
    };
    const QString text = QString::fromLocal8Bit(format);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('%') || i + 1 >= text.size()) {
            if (c == QLatin1Char('\'')) {
                // A doubled quote is a quote in or out of a quoted run; outside
                // one it cannot be mistaken for the end of the run.
                flushLiteral();
                pattern += QLatin1String("''");
            } else if (c.isLetter()) {
                literal += c;
            } else {
                flushLiteral();
                pattern += c;
            }
            continue;
        }
        QChar conversion = text.at(++i);
        // Modifiers such as %Ey and %Od change nothing we can render; %-d drops
        // the leading zero (Catalan and many Indian locales write "%-d/%-m/%y").
        bool unpadded = false;
        while ((conversion == QLatin1Char('E') || conversion == QLatin1Char('O')
                   || conversion == QLatin1Char('-') || conversion == QLatin1Char('_'))
            && i + 1 < text.size()) {
            unpadded = unpadded || conversion == QLatin1Char('-');
            conversion = text.at(++i);
        }
        flushLiteral();
        const qsizetype converted = pattern.size();
        switch (conversion.toLatin1()) {
        case 'd':
            pattern += QLatin1String("dd");
            break;
        case 'e':
            pattern += QLatin1String("d");
            break;
        case 'm':
            pattern += QLatin1String("MM");
            break;
        case 'b':
        case 'h':
            pattern += QLatin1String("MMM");
            break;
        case 'B':
            pattern += QLatin1String("MMMM");
            break;
        case 'a':
            pattern += QLatin1String("ddd");
            break;
        case 'A':
            pattern += QLatin1String("dddd");
            break;
        case 'y':
            pattern += QLatin1String("yy");
            break;
        case 'Y':
        case 'C':
            pattern += QLatin1String("yyyy");
            break;
        case 'H':
            pattern += QLatin1String("HH");
            break;
        case 'k':
            pattern += QLatin1String("H");
            break;
        case 'I':
            pattern += QLatin1String("hh");
            break;
        case 'l':
            pattern += QLatin1String("h");
            break;
        case 'M':
            pattern += QLatin1String("mm");
            break;
        case 'S':
            pattern += QLatin1String("ss");
            break;
        case 'p':
        case 'P':
            pattern += QLatin1String("AP");
            break;
        case 'D':
            pattern += QLatin1String("MM/dd/yy");
            break;
        case 'F':
            pattern += QLatin1String("yyyy-MM-dd");
            break;
        case 'T':
            pattern += QLatin1String("HH:mm:ss");
            break;
        case 'R':
            pattern += QLatin1String("HH:mm");
            break;
        case 'r':
            pattern += QLatin1String("hh:mm:ss AP");
            break;
        case 'n':
        case 't':
            pattern += QLatin1Char(' ');
            break;
        case '%':
            pattern += QLatin1Char('%');
            break;
        default:
            break;
        }
        static const QStringList padded {QStringLiteral("dd"), QStringLiteral("MM"),
            QStringLiteral("HH"), QStringLiteral("hh"), QStringLiteral("mm"), QStringLiteral("ss")};
        if (unpadded && padded.contains(pattern.mid(converted)))
            pattern.chop(1);
    }
    flushLiteral();
    return pattern;
}

QString RegionalSettings::dateText(QDate date) const
{
    return QLocale::c().toString(date, m_datePattern);
}

QString RegionalSettings::timeText(QTime time) const
{
    return QLocale::c().toString(time, m_timePattern);
}

QString RegionalSettings::dateTimeText(const QDateTime& dateTime) const
{
    return dateText(dateTime.date()) + QLatin1Char(' ') + timeText(dateTime.time());
}

QDateTime RegionalSettings::parseDateTime(const QString& text, const QString& pattern) const
{
    const bool twoDigitYear
        = !pattern.contains(QLatin1String("yyyy")) && pattern.contains(QLatin1String("yy"));
    // The window moves with the clock, so that today's date always reads back
    // as itself, whatever the century.
    const int first = twoDigitYear ? m_clock->now().date().year() - 50 : 0;
    if (m_lastParsed.text == text && m_lastParsed.pattern == pattern
        && m_lastParsed.firstYear == first)
        return m_lastParsed.value;
    QCalendar calendar;
    QDateTime parsed = QLocale::c().toDateTime(text.trimmed(), pattern, calendar);
    if (twoDigitYear && !parsed.isValid()) {
        // Qt reads "00" as 1900, which has no 29 February; the Julian calendar
        // has one, and its year, month and day are all we need of it.
        calendar = QCalendar(QCalendar::System::Julian);
        parsed = QLocale::c().toDateTime(text.trimmed(), pattern, calendar);
    }
    if (twoDigitYear && parsed.isValid()) {
        const QCalendar::YearMonthDay read = calendar.partsFromDate(parsed.date());
        const int year = first + ((read.year - first) % 100 + 100) % 100;
        parsed = QDateTime(QDate(year, read.month, read.day), parsed.time());
    }
    m_lastParsed = {text, pattern, first, parsed};
    return parsed;
}

QDate RegionalSettings::parseDate(const QString& dateTimeText) const
{
    return parseDateTime(dateTimeText, m_datePattern + QLatin1Char(' ') + m_timePattern).date();
}

QTime RegionalSettings::parseTime(const QString& dateTimeText) const
{
    return parseDateTime(dateTimeText, m_datePattern + QLatin1Char(' ') + m_timePattern).time();
}

QDate RegionalSettings::parseDateOnly(const QString& text) const
{
    return parseDateTime(text, m_datePattern).date();
}

QTime RegionalSettings::parseTimeOnly(const QString& text) const
{
    return QLocale::c().toTime(text.trimmed(), m_timePattern);
}

QString RegionalSettings::numberText(double value) const
{
    QString text = QString::number(value, 'g', 15);
    if (m_decimal != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), m_decimal);
    return text;
}

std::optional<double> RegionalSettings::parseNumber(const QString& text) const
{
    const QRegularExpressionMatch match = m_number.match(text);
    if (!match.hasMatch() || (match.captured(2).isEmpty() && match.captured(3).isEmpty()))
        return std::nullopt;
    QString plain = match.captured(1) + match.captured(2);
    for (const QChar separator : m_groupSeparators)
        plain.remove(separator);
    if (plain.isEmpty() || plain == QLatin1String("+") || plain == QLatin1String("-"))
        plain += QLatin1Char('0');
    if (!match.captured(3).isEmpty())
        plain += QLatin1Char('.') + match.captured(3);
    if (!match.captured(4).isEmpty())
        plain += QLatin1Char('e') + match.captured(4);
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}
