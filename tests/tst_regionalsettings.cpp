#include "ui/RegionalSettings.h"

#include <QtTest>
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
    void parseNumber();
};

void TestRegionalSettings::strftimePatternRendersAsStrftime_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("US date") << QByteArray("%m/%d/%Y") << u"MM/dd/yyyy"_s;
    QTest::newRow("German date") << QByteArray("%d.%m.%Y") << u"dd.MM.yyyy"_s;
    QTest::newRow("ISO date") << QByteArray("%F") << u"yyyy-MM-dd"_s;
    QTest::newRow("short US date") << QByteArray("%D") << u"MM/dd/yy"_s;
    QTest::newRow("no leading zeros") << QByteArray("%-d/%-m/%y %-I:%M %p") << u"d/M/yy h:mm AP"_s;
    QTest::newRow("12-hour time") << QByteArray("%r") << u"hh:mm:ss AP"_s;
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
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");

    QTest::newRow("last of 1999") << QDate(1999, 12, 31) << u"12/31/99"_s;
    QTest::newRow("first of 1930") << QDate(1930, 1, 1) << u"01/01/30"_s;
    QTest::newRow("last of 2029") << QDate(2029, 12, 31) << u"12/31/29"_s;
    QTest::newRow("leap day of 2000") << QDate(2000, 2, 29) << u"02/29/00"_s;
}

void TestRegionalSettings::twoDigitYearRoundTrip()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    const RegionalSettings regional(
        u"MM/dd/yy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','));
    QCOMPARE(regional.dateText(date), text);
    QCOMPARE(regional.parseDateOnly(text), date);

    const QDateTime moment(date, QTime(23, 59, 59));
    const QString dateTime = regional.dateTimeText(moment);
    QCOMPARE(dateTime, text + u" 11:59:59 PM"_s);
    QCOMPARE(regional.parseDate(dateTime), date);
    QCOMPARE(regional.parseTime(dateTime), moment.time());
}

void TestRegionalSettings::parseNumber()
{
    const auto settings = [](char decimal, char group) {
        return RegionalSettings(u"dd.MM.yyyy"_s, u"HH:mm:ss"_s, QChar::fromLatin1(decimal),
            group ? QChar::fromLatin1(group) : QChar());
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
}

QTEST_MAIN(TestRegionalSettings)
#include "tst_regionalsettings.moc"
