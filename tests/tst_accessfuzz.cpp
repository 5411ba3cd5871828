#include "data/AccessTable.h"
#include "data/DataError.h"
#include "data/DatabaseFile.h"
#include "data/OpenDatabaseFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

using namespace Qt::StringLiterals;

// Damaged copies of the sample site's Access files, made from fixed seeds and
// read through the data layer as the terminal reads a site: the file opened by
// its name, every table loaded and every row read. A copy is either read or
// refused with a message that names the file. A file cut inside a page is
// refused; one cut at a page boundary or with a page of zeros is refused unless
// what it lost held none of the rows. Built also under AddressSanitizer and
// UndefinedBehaviorSanitizer (scripts/test).
class TestAccessFuzz : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void damagedCopies_data();
    void damagedCopies();
    void valueOutsideItsRow_data();
    void valueOutsideItsRow();

private:
    QTemporaryDir m_site;
    QString m_previousFolder;
    // Every copy gets one attempt: a pause before reading again helps a file
    // that another program is still writing, not a damaged one.
    Access::RetryDelays m_noRetries {{}};
};

namespace {

constexpr qsizetype pageSize = 4096; // the sample files are Jet 4

enum class Damage
{
    BitFlips, // a few bits of the pages that hold tables and rows
    RowEndFlips, // a bit of a row's last bytes: where its values lie, which are null
    CutInsidePage, // the file ends inside one of its pages
    CutAtPage, // the file ends at a page boundary
    ZeroedPage, // one page is all zeros
};

// Every row of every table, as text; or the refusal.
struct Outcome
{
    std::optional<QList<QStringList>> rows;
    QString refusal;
};

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Outcome readSite(const QString& fileName, const QStringList& tables)
{
    try {
        const std::shared_ptr<DatabaseFile> file = openDatabaseFile(fileName);
        QList<QStringList> rows;
        for (const QString& table : tables) {
            file->beforeRead(table);
            QSqlQuery query(file->database());
            if (!query.exec(u"SELECT * FROM "_s + file->quoted(table)))
                return {std::nullopt, query.lastError().text()};
            while (query.next()) {
                QStringList row {table};
                for (int i = 0; i < query.record().count(); ++i)
                    row << query.value(i).toString();
                rows << row;
            }
        }
        return {rows, {}};
    } catch (const DataError& error) {
        return {std::nullopt, error.message()};
    }
}

// The pages that hold tables and rows (Jet's page types 1 and 2), where a
// flipped bit is read; the rest of a file is mostly free space and indexes.
QList<qsizetype> pagesWithRows(const QByteArray& file)
{
    QList<qsizetype> pages;
    for (qsizetype page = 1; page < file.size() / pageSize; ++page) {
        const char type = file.at(page * pageSize);
        if (type == 1 || type == 2)
            pages << page;
    }
    return pages;
}

// A byte of the last ones of a row on a data page, where Jet 4 keeps the
// offsets of the row's variable-length values and its null bitmap.
qsizetype rowEndByte(const QByteArray& file, QRandomGenerator& random)
{
    const auto int16At = [&](qsizetype at) {
        return qFromLittleEndian<quint16>(file.data() + at);
    };
    for (;;) {
        const qsizetype page = random.bounded(1, int(file.size() / pageSize)) * pageSize;
        const int rows = int16At(page + 12);
        if (file.at(page) != 1 || rows == 0 || rows > 255)
            continue;
        const int row = random.bounded(rows);
        const qsizetype end = row == 0 ? pageSize : int16At(page + 14 + 2 * (row - 1)) & 0x1fff;
        const qsizetype start = int16At(page + 14 + 2 * row) & 0x1fff;
        if (start < end && end <= pageSize)
            return page + end - 1 - random.bounded(int(std::min<qsizetype>(end - start, 16)));
    }
}

QByteArray damaged(const QByteArray& whole, Damage damage, QRandomGenerator& random)
{
    QByteArray copy = whole;
    const qsizetype pages = whole.size() / pageSize;
    switch (damage) {
    case Damage::BitFlips: {
        const QList<qsizetype> candidates = pagesWithRows(whole);
        const qsizetype page = candidates.at(random.bounded(int(candidates.size())));
        for (int flips = 1 + random.bounded(3); flips > 0;) {
            // Bytes in use, not the zeros of free space.
            const qsizetype at = page * pageSize + random.bounded(int(pageSize));
            if (whole.at(at) == 0 && random.bounded(8) != 0)
                continue;
            copy[at] = char(copy.at(at) ^ (1 << random.bounded(8)));
            --flips;
        }
        break;
    }
    case Damage::RowEndFlips: {
        const qsizetype at = rowEndByte(whole, random);
        copy[at] = char(copy.at(at) ^ (1 << random.bounded(8)));
        break;
    }
    case Damage::CutInsidePage:
        copy.truncate(random.bounded(int(pages)) * pageSize + random.bounded(1, int(pageSize)));
        break;
    case Damage::CutAtPage:
        copy.truncate(random.bounded(int(pages)) * pageSize);
        break;
    case Damage::ZeroedPage:
        copy.replace(random.bounded(int(pages)) * pageSize, pageSize, QByteArray(pageSize, 0));
        break;
    }
    return copy;
}

void write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

} // namespace

Q_DECLARE_METATYPE(Damage)

void TestAccessFuzz::initTestCase()
{
    QVERIFY(m_site.isValid());
    m_previousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_site.path()));
}

void TestAccessFuzz::cleanupTestCase()
{
    QDir::setCurrent(m_previousFolder);
}

void TestAccessFuzz::damagedCopies_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<int>("copies");
    QTest::addColumn<quint32>("seed");
    // Fewer copies of the job punches, whose 503 rows take longest to read.
    const struct
    {
        QString name;
        int flips, cuts, zeroed;
    } files[] = {{u"Norla.MDB"_s, 150, 15, 25}, {u"Validations.mdb"_s, 150, 15, 25},
        {u"JobPunches.MDB"_s, 40, 8, 15}};
    quint32 seed = 1;
    for (const auto& [name, flips, cuts, zeroed] : files) {
        const QByteArray file = name.toLatin1();
        QTest::addRow("%s, bit flips", file.data()) << name << Damage::BitFlips << flips << seed++;
        QTest::addRow("%s, bit flips at row ends", file.data())
            << name << Damage::RowEndFlips << flips << seed++;
        QTest::addRow("%s, cut inside a page", file.data())
            << name << Damage::CutInsidePage << cuts << seed++;
        QTest::addRow("%s, cut at a page", file.data())
            << name << Damage::CutAtPage << cuts << seed++;
        QTest::addRow("%s, a page of zeros", file.data())
            << name << Damage::ZeroedPage << zeroed << seed++;
    }
}

void TestAccessFuzz::damagedCopies()
{
    QFETCH(QString, name);
    QFETCH(Damage, damage);
    QFETCH(int, copies);
    QFETCH(quint32, seed);
    const QByteArray whole = bytes(QStringLiteral(JOBCOSTING_SAMPLE_SITE "/") + name);
    QCOMPARE(whole.size() % pageSize, 0);
    const QStringList tables
        = Access::tableNames(QStringLiteral(JOBCOSTING_SAMPLE_SITE "/") + name);
    write(name, whole);
    const Outcome original = readSite(name, tables);
    QVERIFY2(original.rows, qPrintable(original.refusal));

    QRandomGenerator random(seed);
    int refused = 0;
    for (int copy = 0; copy < copies; ++copy) {
        const QByteArray content = damaged(whole, damage, random);
        write(name, content);
        const Outcome read = readSite(name, tables);
        const QString which = u"copy %1: "_s.arg(copy);
        if (!read.rows) {
            ++refused;
            QVERIFY2(read.refusal.startsWith(name), qPrintable(which + read.refusal));
            continue;
        }
        // Without checksums a flipped bit may change a value unseen; lost
        // pages and a lost end show, unless they held no rows.
        if (damage == Damage::CutInsidePage)
            QFAIL(qPrintable(which + u"a file cut inside a page was read"_s));
        if (damage != Damage::BitFlips && damage != Damage::RowEndFlips)
            QVERIFY2(read.rows == original.rows, qPrintable(which + u"read other rows"_s));
    }
    qInfo("%d of %d copies refused", refused, copies);
    // Damage that nothing reads tests nothing; bit flips must also reach
    // values that are read and passed on.
    QVERIFY(refused > 0);
    if (damage == Damage::BitFlips || damage == Damage::RowEndFlips)
        QVERIFY(refused < copies);
}

void TestAccessFuzz::valueOutsideItsRow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("text"); // in the row whose offsets are changed
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("past"); // the end past the row, else before the value's start
    for (const bool past : {true, false}) {
        const char* end = past ? "ends past its row" : "ends before it starts";
        QTest::addRow("an item %s", end)
            << u"Validations.mdb"_s << QByteArray("Assembly") << u"Level1"_s << past;
        QTest::addRow("an employee %s", end)
            << u"Norla.MDB"_s << QByteArray("Pat O'Hara") << u"EMPLOYEES"_s << past;
        QTest::addRow("a job punch %s", end)
            << u"JobPunches.MDB"_s << QByteArray("Robin Hale") << u"JobPunches"_s << past;
    }
}

// A copy whose offsets place a row's last variable-length value on bytes of
// the same page outside the row, or give it an end before its start, is
// refused with the table's name: libmdb reads such a value from its page
// buffer, where no sanitizer sees the overrun.
void TestAccessFuzz::valueOutsideItsRow()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, text);
    QFETCH(QString, table);
    QFETCH(bool, past);
    QByteArray copy = bytes(QStringLiteral(JOBCOSTING_SAMPLE_SITE "/") + name);
    const qsizetype found = copy.indexOf(text);
    QVERIFY(found > 0);
    const qsizetype page = found / pageSize * pageSize;
    const auto int16At = [&](qsizetype at) {
        return qFromLittleEndian<quint16>(copy.data() + at);
    };
    // Rows lie from the page's end down; the table of their starts follows the header.
    qsizetype start = 0, end = 0;
    for (int row = 0; row < int16At(page + 12) && !end; ++row) {
        start = page + (int16At(page + 14 + 2 * row) & 0x1fff);
        if (start <= found)
            end = row == 0 ? page + pageSize : page + (int16At(page + 12 + 2 * row) & 0x1fff);
    }
    QVERIFY(end > found);
    // A Jet 4 row ends with the offsets of its variable-length values, the
    // first last, their end before them, their count, and the null mask.
    const qsizetype nullMask = (int16At(start) + 7) / 8;
    const int values = int16At(end - nullMask - 2);
    const qsizetype valuesEnd = end - nullMask - 4 - 2 * values;
    QCOMPARE(start + int16At(valuesEnd) <= end, true);
    const qsizetype changed = past ? end - start + 30 : int16At(valuesEnd + 2) - 1;
    QVERIFY(start + changed <= page + pageSize);
    qToLittleEndian<quint16>(quint16(changed), copy.data() + valuesEnd);
    write(name, copy);

    const Outcome read = readSite(name, Access::tableNames(name));
    QVERIFY(!read.rows);
    QVERIFY2(read.refusal.startsWith(name) && read.refusal.contains(u"table "_s + table),
        qPrintable(read.refusal));
}

QTEST_GUILESS_MAIN(TestAccessFuzz)
#include "tst_accessfuzz.moc"
