#include "TestServices.h"
#include "regional/RegionalSettings.h"
#include "startup/DateCheck.h"

#include <QScopeGuard>
#include <QtTest>
#include <clocale>
#include <ctime>

using namespace Qt::StringLiterals;

class TestRegionalSettings : public QObject
{
    Q_OBJECT

private slots:
    void strftimePatternRendersAsStrftime_data();
    void strftimePatternRendersAsStrftime();
    void twoDigitYearRoundTrip_data();
    void twoDigitYearRoundTrip();
    void systemLocales_data();
    void systemLocales();
    void parseNumber();
};

void TestRegionalSettings::strftimePatternRendersAsStrftime_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("ISO date") << QByteArray("%F") << u"yyyy-MM-dd"_s;
    QTest::newRow("short US date") << QByteArray("%D") << u"MM/dd/yy"_s;
    QTest::newRow("no leading zeros") << QByteArray("%-d/%-m/%y %-I:%M %p") << u"d/M/yy h:mm AP"_s;
    QTest::newRow("letters are literal")
        << QByteArray("%Y\xe5\xb9\xb4%m\xe6\x9c\x88%d\xe6\x97\xa5") << u"yyyy'年'MM'月'dd'日'"_s;
    QTest::newRow("quote and percent") << QByteArray("%H h %M' %%") << u"HH 'h' mm'' %"_s;
}

void TestRegionalSettings::strftimePatternRendersAsStrftime()
{
    QFETCH(QByteArray, format);
    QFETCH(QString, pattern);
    QCOMPARE(RegionalSettings::patternFromStrftime(format), pattern);

    // Rendered with the pattern, a moment reads as the C library writes it.
    for (const QDateTime& moment : {QDateTime(QDate(2004, 2, 6), QTime(9, 5, 7), Qt::UTC),
             QDateTime(QDate(1999, 12, 26), QTime(23, 59, 58), Qt::UTC)}) {
        const std::time_t seconds = moment.toSecsSinceEpoch();
        std::tm tm {};
        gmtime_r(&seconds, &tm);
        char written[64];
        const std::size_t length = std::strftime(written, sizeof written, format.constData(), &tm);
        QCOMPARE(QLocale::c().toString(moment, pattern), QString::fromUtf8(written, length));
    }
}

void TestRegionalSettings::twoDigitYearRoundTrip_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");

    // Two-digit years fall in the hundred years centred on today.
    const QDate y2004(2004, 2, 26), y2030(2030, 1, 1);
    QTest::newRow("last of 1999") << y2004 << QDate(1999, 12, 31) << u"12/31/99"_s;
    QTest::newRow("leap day of 2000") << y2004 << QDate(2000, 2, 29) << u"02/29/00"_s;
    QTest::newRow("first of the window") << y2004 << QDate(1954, 1, 1) << u"01/01/54"_s;
    QTest::newRow("last of the window") << y2004 << QDate(2053, 12, 31) << u"12/31/53"_s;
    QTest::newRow("today, last of 2029")
        << QDate(2029, 12, 31) << QDate(2029, 12, 31) << u"12/31/29"_s;
    QTest::newRow("today, first of 2030") << y2030 << y2030 << u"01/01/30"_s;
    QTest::newRow("1980 from 2030 on") << y2030 << QDate(1980, 1, 1) << u"01/01/80"_s;
}

void TestRegionalSettings::twoDigitYearRoundTrip()
{
    QFETCH(QDate, today);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    FixedClock clock;
    clock.set(QDateTime(today, QTime(12, 0)));
    const RegionalSettings regional(
        u"MM/dd/yy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), clock);
    QCOMPARE(regional.dateText(date), text);
    QCOMPARE(regional.parseDateOnly(text), date);

    const QDateTime moment(date, QTime(23, 59, 59));
    const QString dateTime = regional.dateTimeText(moment);
    QCOMPARE(dateTime, text + u" 11:59:59 PM"_s);
    QCOMPARE(regional.parseDate(dateTime), date);
    QCOMPARE(regional.parseTime(dateTime), moment.time());
    // The same text, read four hundred years on, falls in that window.
    clock.set(QDateTime(today.addYears(400), QTime(12, 0)));
    QCOMPARE(regional.parseDate(dateTime), date.addYears(400));
}

void TestRegionalSettings::systemLocales_data()
{
    // The regional settings of the real locales, and their short date styles'
    // verdicts: C, en_US, en_GB and fr_FR pass, de_DE does not.
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QString>("settings"); // date and time patterns, decimal and group separators

    QTest::newRow("C") << "C"_ba << u"MM/dd/yy HH:mm:ss ."_s;
    QTest::newRow("en_US") << "en_US.UTF-8"_ba << u"MM/dd/yyyy hh:mm:ss AP .,"_s;
    QTest::newRow("en_GB") << "en_GB.UTF-8"_ba << u"dd/MM/yy HH:mm:ss .,"_s;
    QTest::newRow("de_DE") << "de_DE.UTF-8"_ba << u"dd.MM.yyyy HH:mm:ss ,."_s;
    QTest::newRow("fr_FR") << "fr_FR.UTF-8"_ba << u"dd/MM/yyyy HH:mm:ss ,\u202f"_s;
}

void TestRegionalSettings::systemLocales()
{
    QFETCH(QByteArray, locale);
    QFETCH(QString, settings);

    const QByteArray before = qgetenv("LC_ALL");
    const auto restore = qScopeGuard([&] {
        qputenv("LC_ALL", before);
        std::setlocale(LC_ALL, "C");
    });
    qputenv("LC_ALL", locale);
    if (!std::setlocale(LC_ALL, ""))
        QFAIL(qPrintable(u"the locale %1 is missing (scripts/test generates it)"_s.arg(
            QString::fromLatin1(locale))));
    FixedClock clock;
    clock.set(QDateTime(QDate(2030, 1, 1), QTime(0, 30, 5)));
    const RegionalSettings regional = RegionalSettings::system(clock);
    const QChar group = regional.groupSeparator();
    QCOMPARE(regional.shortDatePattern() + u' ' + regional.timePattern() + u' '
            + regional.decimalSeparator() + (group.isNull() ? QString() : QString(group)),
        settings);
    // The program writes what the C library writes, and reads it back.
    const QDateTime now = clock.now();
    const std::time_t seconds = now.toSecsSinceEpoch();
    std::tm tm {};
    localtime_r(&seconds, &tm);
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", &tm);
    QCOMPARE(regional.dateTimeText(now), QString::fromUtf8(text, length));
    QCOMPARE(regional.parseDate(regional.dateTimeText(now)), now.date());
    QCOMPARE(regional.parseTime(regional.dateTimeText(now)), now.time());
    QCOMPARE(regional.parseNumber(regional.numberText(-1234.15)).value_or(0), -1234.15);
    QCOMPARE(isValidShortDate(regional.dateText(now.date())), locale != "de_DE.UTF-8");
}

void TestRegionalSettings::parseNumber()
{
    const FixedClock clock;
    const auto settings = [&clock](char decimal, char group) {
        return RegionalSettings(u"dd.MM.yyyy"_s, u"HH:mm:ss"_s, QChar::fromLatin1(decimal),
            group ? QChar::fromLatin1(group) : QChar(), clock);
    };
    const RegionalSettings us = settings('.', ','), german = settings(',', '.');
    const QList<std::pair<QString, double>> numbers {{u"  12 \t"_s, 12}, {u"-3.5"_s, -3.5},
        {u"+0.25"_s, 0.25}, {u".5"_s, 0.5}, {u"7."_s, 7}, {u"1,234,567.5"_s, 1234567.5},
        {u"1.5E3"_s, 1500}, {u"25e-2"_s, 0.25}, {u"1,500"_s, 1500}, {u"1234567"_s, 1234567}};
    for (const auto& [text, number] : numbers)
        QCOMPARE(us.parseNumber(text).value_or(-1), number);
    // Groups come in threes: a worker who typed 1,5 never has 15 written.
    for (const QString& text :
        {u""_s, u"   "_s, u"-"_s, u"."_s, u"12a"_s, u"0x1F"_s, u"1.2.3"_s, u"1,"_s, u"e5"_s,
            u"1,5"_s, u"1,50,0"_s, u"1,5000"_s, u"1234,567"_s, u",500"_s, u"1.500,5"_s})
        QVERIFY2(!us.parseNumber(text), qPrintable(text));
    QCOMPARE(german.parseNumber(u"12,5"_s).value_or(-1), 12.5);
    QCOMPARE(german.parseNumber(u"1.234,5"_s).value_or(-1), 1234.5);
    QVERIFY(!german.parseNumber(u"1,2.5"_s));
    QVERIFY(!german.parseNumber(u"1.5"_s));
    QVERIFY(!settings(',', 0).parseNumber(u"1.234"_s));

    // The C library groups with a narrow (fr_FR) or a no-break space; a worker
    // types an ordinary one.
    for (const char16_t group : {u'\u202f', u'\u00a0'}) {
        const RegionalSettings french(
            u"dd/MM/yyyy"_s, u"HH:mm:ss"_s, QLatin1Char(','), QChar(group), clock);
        for (const QString& text : {u"1 500"_s, u"1\u00a0500"_s, u"1\u202f500"_s, u" 1 500 "_s})
            QCOMPARE(french.parseNumber(text).value_or(-1), 1500);
        QCOMPARE(french.parseNumber(u"-12 345 678,5"_s).value_or(-1), -12345678.5);
        for (const QString& text : {u"1 5"_s, u"1 50 0"_s, u"1  500"_s, u"1.500"_s})
            QVERIFY2(!french.parseNumber(text), qPrintable(text));
    }
    QVERIFY(!german.parseNumber(u"1 500"_s));
}

QTEST_MAIN(TestRegionalSettings)
#include "tst_regionalsettings.moc"
