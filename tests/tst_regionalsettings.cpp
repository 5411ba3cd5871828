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
    void parseNumber_data();
    void parseNumber();
};

void TestRegionalSettings::strftimePatternRendersAsStrftime_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("US date") << QByteArray("%m/%d/%Y") << "MM/dd/yyyy";
    QTest::newRow("German date") << QByteArray("%d.%m.%Y") << "dd.MM.yyyy";
    QTest::newRow("ISO date") << QByteArray("%F") << "yyyy-MM-dd";
    QTest::newRow("short US date") << QByteArray("%D") << "MM/dd/yy";
    QTest::newRow("no leading zeros") << QByteArray("%-d/%-m/%y %-I:%M %p") << "d/M/yy h:mm AP";
    QTest::newRow("two-digit year") << QByteArray("%y") << "yy";
    QTest::newRow("12-hour time") << QByteArray("%r") << "hh:mm:ss AP";
    QTest::newRow("24-hour time") << QByteArray("%H:%M:%S") << "HH:mm:ss";
    QTest::newRow("letters are literal")
        << QByteArray("%Y\xe5\xb9\xb4%m\xe6\x9c\x88%d\xe6\x97\xa5") << u"yyyy'年'MM'月'dd'日'"_s;
    QTest::newRow("quote and percent") << QByteArray("%H h %M' %%") << "HH 'h' mm'' %";
}

void TestRegionalSettings::strftimePatternRendersAsStrftime()
{
    QFETCH(QByteArray, format);
    QFETCH(QString, pattern);
    QCOMPARE(RegionalSettings::patternFromStrftime(format), pattern);

    // Rendered with the pattern, a moment reads as the C library writes it.
    for (const QDateTime& moment : { QDateTime(QDate(2004, 2, 6), QTime(9, 5, 7)),
             QDateTime(QDate(1999, 12, 26), QTime(23, 59, 58)) }) {
        std::tm tm {};
        tm.tm_year = moment.date().year() - 1900;
        tm.tm_mon = moment.date().month() - 1;
        tm.tm_mday = moment.date().day();
        tm.tm_hour = moment.time().hour();
        tm.tm_min = moment.time().minute();
        tm.tm_sec = moment.time().second();
        char written[64];
        const std::size_t length = std::strftime(written, sizeof written, format.constData(), &tm);
        QCOMPARE(QLocale::c().toString(moment, pattern), QString::fromUtf8(written, length));
    }
}

void TestRegionalSettings::twoDigitYearRoundTrip_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");

    QTest::newRow("2004") << QDate(2004, 2, 26) << "02/26/04";
    QTest::newRow("last of 1999") << QDate(1999, 12, 31) << "12/31/99";
    QTest::newRow("first of 1930") << QDate(1930, 1, 1) << "01/01/30";
    QTest::newRow("last of 2029") << QDate(2029, 12, 31) << "12/31/29";
    QTest::newRow("leap day of 2000") << QDate(2000, 2, 29) << "02/29/00";
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

void TestRegionalSettings::parseNumber_data()
{
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("group");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("number"); // invalid: not a number

    const QChar point = QLatin1Char('.');
    const QChar comma = QLatin1Char(',');
    QTest::newRow("integer") << point << comma << "12" << QVariant(12.0);
    QTest::newRow("blanks around") << point << comma << "  12 \t" << QVariant(12.0);
    QTest::newRow("signs") << point << comma << "-3.5" << QVariant(-3.5);
    QTest::newRow("plus sign") << point << comma << "+0.25" << QVariant(0.25);
    QTest::newRow("no leading digit") << point << comma << ".5" << QVariant(0.5);
    QTest::newRow("no decimals") << point << comma << "7." << QVariant(7.0);
    QTest::newRow("thousands") << point << comma << "1,234,567.5" << QVariant(1234567.5);
    QTest::newRow("exponent") << point << comma << "1.5E3" << QVariant(1500.0);
    QTest::newRow("negative exponent") << point << comma << "25e-2" << QVariant(0.25);
    QTest::newRow("empty") << point << comma << "" << QVariant();
    QTest::newRow("blank") << point << comma << "   " << QVariant();
    QTest::newRow("sign alone") << point << comma << "-" << QVariant();
    QTest::newRow("point alone") << point << comma << "." << QVariant();
    QTest::newRow("letters") << point << comma << "12a" << QVariant();
    QTest::newRow("hex") << point << comma << "0x1F" << QVariant();
    QTest::newRow("two points") << point << comma << "1.2.3" << QVariant();
    QTest::newRow("separator at the end") << point << comma << "1," << QVariant();
    QTest::newRow("exponent alone") << point << comma << "e5" << QVariant();
    QTest::newRow("German decimal") << comma << point << "12,5" << QVariant(12.5);
    QTest::newRow("German thousands") << comma << point << "1.234,5" << QVariant(1234.5);
    QTest::newRow("German: point is no decimal") << comma << point << "1,2.5" << QVariant();
    QTest::newRow("no group separator") << comma << QChar() << "1.234" << QVariant();
}

void TestRegionalSettings::parseNumber()
{
    QFETCH(QChar, decimal);
    QFETCH(QChar, group);
    QFETCH(QString, text);
    QFETCH(QVariant, number);
    const RegionalSettings regional(u"dd.MM.yyyy"_s, u"HH:mm:ss"_s, decimal, group);
    const std::optional<double> parsed = regional.parseNumber(text);
    QCOMPARE(parsed.has_value(), number.isValid());
    if (parsed)
        QCOMPARE(*parsed, number.toDouble());
}

QTEST_MAIN(TestRegionalSettings)
#include "tst_regionalsettings.moc"
