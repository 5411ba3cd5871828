#include "Files.h"
#include "PunchScreen.h"
#include "SiteConverter.h"
#include "data/AccessTable.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "startup/DateCheck.h"

#include <QLabel>
#include <QtTest>
#include <optional>
#include <thread>

using namespace Qt::StringLiterals;
using Rows = QList<QVariantList>;

// The Access engine on a site's own files, as other programs change them while
// the terminal runs: changes seen at once, files caught half-written read
// again, and files it cannot use named to the operator.
class TestAccessFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void changedFileSeenWithoutRestart();
    void halfWrittenFileIsReadAgain();
    void integerKinds_data();
    void integerKinds();
    void unreadableFile_data();
    void unreadableFile();
    void startRefusesFile_data();
    void startRefusesFile();
    void badFileMidShift_data();
    void badFileMidShift();
    void dateCheckKeepsWorkInJobPunches();

private:
    // A spoiled file is refused at once; the one test of the real back-off
    // drops this.
    std::optional<Access::RetryDelays> m_noRetries;
    FixedClock m_clock;
    RegionalSettings m_regional {
        u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), m_clock};
};

namespace {

// Puts content in the place of a site's file in one step, as a program that
// saves a new copy does; an empty `content` with `vanish` removes the file.
void replace(const Site& site, const QString& name, const QByteArray& content, bool vanish = false)
{
    if (vanish) {
        QVERIFY(QFile::remove(site.file(name)));
        return;
    }
    const QString next = site.file(name + u".next"_s);
    QFile file(next);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    QVERIFY(std::rename(qPrintable(next), qPrintable(site.file(name))) == 0);
}

// The ways a time-clock file can be spoiled, with a word of what is reported.
void addSpoiledFiles()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("vanish");
    QTest::addColumn<QString>("reported");
    const QByteArray norla = fileBytes(Site::sample(u"Norla.MDB"_s));
    QTest::newRow("empty file") << QByteArray() << false << u"empty"_s;
    QTest::newRow("another program's file")
        << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << false << u"PNG"_s;
    QTest::newRow("cut inside the first page") << norla.left(100) << false << u"damaged"_s;
    QTest::newRow("only the first page") << norla.left(4096) << false << u"damaged"_s;
    QTest::newRow("cut in half") << norla.left(norla.size() / 2) << false << u"damaged"_s;
    QTest::newRow("cut inside its last page")
        << norla.left(norla.size() - 100) << false << u"Norla.MDB is damaged: it ends"_s;
    QTest::newRow("Access file without the table")
        << fileBytes(Site::sample(u"Validations.mdb"_s)) << false
        << u"Norla.MDB has no table EMPLOYEES."_s;
    QTest::newRow("vanished") << QByteArray() << true << u"Norla.MDB is not in the folder"_s;
}

// The sample's Norla.MDB with one fixed-size column of EMPLOYEES declared as
// another kind of number (Jet's column type byte and width), and `stored` in
// that column of every row: made from the sample, so that no crafted file is
// kept. The offsets are those of a Jet 4 file.
QByteArray withEmployeeColumn(const QString& column, char type, const QByteArray& stored)
{
    constexpr qsizetype pageSize = 4096;
    QByteArray file = fileBytes(Site::sample(u"Norla.MDB"_s));
    const auto int16At = [&](qsizetype at) {
        return qFromLittleEndian<quint16>(file.data() + at);
    };
    const auto int32At = [&](qsizetype at) {
        return qFromLittleEndian<quint32>(file.data() + at);
    };
    const QByteArray name(reinterpret_cast<const char*>(column.utf16()), column.size() * 2);
    for (qsizetype table = 0; table < file.size(); table += pageSize) {
        if (file.at(table) != 2)
            continue;
        // A table definition: its column entries, then their names in the same order.
        const int columns = int16At(table + 45);
        const qsizetype entries = table + 63 + 12 * qsizetype(int32At(table + 51));
        qsizetype at = entries + 25 * columns;
        for (int i = 0; i < columns; at += 2 + int16At(at), ++i) {
            if (file.mid(at + 2, int16At(at)) != name)
                continue;
            const qsizetype entry = entries + 25 * i;
            file[entry] = type;
            qToLittleEndian<quint16>(quint16(stored.size()), file.data() + entry + 23);
            const int offset = int16At(entry + 21);
            for (qsizetype page = 0; page < file.size(); page += pageSize) {
                if (file.at(page) != 1 || int32At(page + 4) != table / pageSize)
                    continue;
                for (int row = 0; row < int16At(page + 12); ++row) {
                    const int start = int16At(page + 14 + 2 * row);
                    if ((start & 0xc000) == 0) // neither deleted nor moved
                        file.replace(page + start + 2 + offset, stored.size(), stored);
                }
            }
            return file;
        }
    }
    qFatal("Norla.MDB has no column %s", qPrintable(column));
}

template<typename T> QByteArray littleEndian(T value)
{
    QByteArray stored(sizeof(T), Qt::Uninitialized);
    qToLittleEndian(value, stored.data());
    return stored;
}

} // namespace

void TestAccessFile::init()
{
    m_noRetries.emplace(QList<int> {});
}

void TestAccessFile::cleanup()
{
    m_noRetries.reset();
}

void TestAccessFile::changedFileSeenWithoutRestart()
{
    Site site(Site::Contents::Sample, Engine::Access);
    DataSource level(u"Data5"_s, u"Validations.mdb"_s, u"Level1"_s, true, m_regional);
    level.refresh();
    level.findFirst(u"ItemCode = 'C1'"_s);
    QCOMPARE(level.field(u"ItemDescription"_s).toString(), u"Cutting"_s);

    // Another Access file takes its place: the next search reads it.
    replace(site, u"Validations.mdb"_s, fileBytes(Site::sample(u"Norla.MDB"_s)));
    QVERIFY_THROWS_EXCEPTION(DataError, level.findFirst(u"ItemCode = 'C1'"_s));

    replace(site, u"Validations.mdb"_s, fileBytes(Site::sample(u"Validations.mdb"_s)));
    level.findFirst(u"ItemCode = '12'"_s);
    QVERIFY(!level.noMatch());
    QCOMPARE(level.field(u"ItemDescription"_s).toString(), u"Assembly Ünit"_s);
    level.refresh();
    QCOMPARE(level.recordCount(), 4);
}

void TestAccessFile::halfWrittenFileIsReadAgain()
{
    m_noRetries.reset();
    Site site(Site::Contents::Sample, Engine::Access);
    DataSource employees(u"Data8"_s, u"Norla.MDB"_s, u"EMPLOYEES"_s, true, m_regional);
    employees.refresh();
    const QByteArray whole = fileBytes(site.file(u"Norla.MDB"_s));
    replace(site, u"Norla.MDB"_s, whole.left(whole.size() / 2));

    // The other program finishes its writing a moment after the lookup began.
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        QFile file(site.file(u"Norla.MDB"_s));
        if (file.open(QIODevice::Append))
            file.write(whole.mid(whole.size() / 2));
    });
    employees.findFirst(u"Badge = '007007'"_s);
    writer.join();
    QVERIFY(!employees.noMatch());
    QCOMPARE(employees.field(u"Name"_s).toString(), u"Pat O'Hara"_s);
}

void TestAccessFile::integerKinds_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<char>("type");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<double>("read");
    // Byte holds 0 to 255; the others are two's complement.
    QTest::newRow("Byte above 127") << u"EmpNum"_s << '\x02' << littleEndian<quint8>(200) << 200.0;
    QTest::newRow("Integer, negative") << u"EmpNum"_s << '\x03' << littleEndian<qint16>(-2) << -2.0;
    QTest::newRow("Integer, most negative")
        << u"EmpNum"_s << '\x03' << littleEndian<qint16>(-32768) << -32768.0;
    QTest::newRow("Long, negative")
        << u"EmpNum"_s << '\x04' << littleEndian<qint32>(-123456) << -123456.0;
    QTest::newRow("Long, most negative")
        << u"DeptNum"_s << '\x04' << littleEndian<qint32>(INT32_MIN) << double(INT32_MIN);
    QTest::newRow("Currency, negative")
        << u"BasePayRate"_s << '\x05' << littleEndian<qint64>(-185000) << -18.5;
    QTest::newRow("Currency, most negative")
        << u"BasePayRate"_s << '\x05' << littleEndian<qint64>(INT64_MIN) << -922337203685477.5808;
    QTest::newRow("Currency, a hundredth of a cent below zero")
        << u"BasePayRate"_s << '\x05' << littleEndian<qint64>(-1) << -0.0001;
}

void TestAccessFile::integerKinds()
{
    QFETCH(QString, column);
    QFETCH(char, type);
    QFETCH(QByteArray, stored);
    QFETCH(double, read);
    Site site(Site::Contents::Sample, Engine::Access);
    replace(site, u"Norla.MDB"_s, withEmployeeColumn(column, type, stored));
    DataSource employees(u"Data8"_s, u"Norla.MDB"_s, u"EMPLOYEES"_s, true, m_regional);
    employees.refresh();
    employees.findFirst(u"Badge = '007007'"_s);
    QVERIFY(!employees.noMatch());
    QCOMPARE(employees.field(column).toDouble(), read);
    QCOMPARE(employees.field(u"Name"_s).toString(), u"Pat O'Hara"_s);
}

void TestAccessFile::unreadableFile_data()
{
    addSpoiledFiles();
}

void TestAccessFile::unreadableFile()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, vanish);
    QFETCH(QString, reported);
    Site site(Site::Contents::Sample, Engine::Access);
    replace(site, u"Norla.MDB"_s, content, vanish);
    DataSource employees(u"Data8"_s, u"Norla.MDB"_s, u"EMPLOYEES"_s, true, m_regional);
    try {
        employees.refresh();
        QFAIL("a spoiled file was read");
    } catch (const DataError& error) {
        QVERIFY2(error.message().contains(u"Norla.MDB"_s) && error.message().contains(reported),
            qPrintable(error.message()));
    }
    QVERIFY(!employees.hasCurrentRow());
}

void TestAccessFile::startRefusesFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // empty: the sample's own file
    QTest::addColumn<QString>("reported");
    QTest::newRow("Access job punches")
        << u"JobPunches.MDB"_s << QByteArray() << u"jobcosting-site convert \"%1\""_s;
    QTest::newRow("empty job punches")
        << u"JobPunches.MDB"_s << QByteArray("", 0) << u"JobPunches.MDB is not a database"_s;
    QTest::newRow("time clock of another program")
        << u"Norla.MDB"_s << QByteArray("MZ\x90\0 not a database at all", 27) << u"Norla.MDB"_s;
    QTest::newRow("validations cut inside the first page")
        << u"Validations.mdb"_s << fileBytes(Site::sample(u"Validations.mdb"_s)).left(100)
        << u"damaged"_s;
}

void TestAccessFile::startRefusesFile()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, reported);
    PunchScreen punch(Site::Contents::Sample, Engine::Access);
    if (file != u"JobPunches.MDB"_s || !content.isNull()) {
        SiteConverter::convert(punch.site().path());
        replace(punch.site(), file, content);
    }
    const QByteArray jobPunches = fileBytes(punch.site().file(u"JobPunches.MDB"_s));
    punch.services().dialogs.answer(Dialogs::Answer::Ok);
    punch.open();

    VERIFY_DIALOGS(punch.services().dialogs);
    const Dialogs::Message shown = punch.services().dialogs.shown().at(0).message;
    QCOMPARE(shown.title, u"Job Costing - Operator Instruction"_s);
    QCOMPARE(shown.icon, Dialogs::Icon::Critical);
    QVERIFY2(shown.text.contains(file) && shown.text.contains(reported.arg(QDir::currentPath())),
        qPrintable(shown.text));
    QCOMPARE(punch.services().program.ends, 1);
    QVERIFY(punch.services().shell.opened.isEmpty());
    QVERIFY(fileBytes(punch.site().file(u"JobPunches.MDB"_s)) == jobPunches);
}

void TestAccessFile::badFileMidShift_data()
{
    addSpoiledFiles();
}

void TestAccessFile::badFileMidShift()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, vanish);
    QFETCH(QString, reported);
    PunchScreen punch(Site::Contents::Sample, Engine::Access);
    SiteConverter::convert(punch.site().path());
    QVERIFY(punch.open());
    ScriptedDialogs& dialogs = punch.services().dialogs;

    replace(punch.site(), u"Norla.MDB"_s, content, vanish);
    dialogs.answer(Dialogs::Answer::Ok);
    punch.type(u"Text34"_s, u"000314"_s);
    VERIFY_DIALOGS(dialogs);
    const QString told = dialogs.shown().at(0).message.text;
    QVERIFY2(told.contains(u"Norla.MDB"_s) && told.contains(reported), qPrintable(told));
    QCOMPARE(punch.badgeEntryProblems(), QString());

    // Once the time clock's file is whole again, the same badge is found.
    replace(punch.site(), u"Norla.MDB"_s, fileBytes(Site::sample(u"Norla.MDB"_s)));
    punch.type(u"Text34"_s, u"000314"_s);
    QCOMPARE(punch.find<QLabel>(u"Label5"_s)->text(), u"Zoë Brandt"_s);
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(punch.services().program.ends, 0);
    QCOMPARE(punch.site().jobPunches().size(), 503);
}

void TestAccessFile::dateCheckKeepsWorkInJobPunches()
{
    Site site(Site::Contents::Sample, Engine::Access);
    SiteConverter::convert(site.path());
    TestServices t;
    DateCheck check(t.services);
    QCOMPARE(check.load(), DateCheck::Outcome::Passed);
    QCOMPARE(site.sql(u"JobPunches.MDB"_s, u"SELECT NAME, CLOCKWE FROM WORK"_s),
        (Rows {{u"TestDate"_s, u"2004-02-26"_s}}));
    QVERIFY(fileBytes(site.file(u"Norla.MDB"_s)) == fileBytes(Site::sample(u"Norla.MDB"_s)));
    VERIFY_DIALOGS(t.dialogs);
}

QTEST_MAIN(TestAccessFile)
#include "tst_accessfile.moc"
