#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantList>

// Whole tables of a Microsoft Access (Jet 3 or Jet 4) file, read through
// mdbtools' libmdb. Nothing here writes to the file: libmdb's own writing
// loses rows and takes no lock, so an Access file is only ever read.
namespace Access {

enum class Type
{
    Boolean,
    Byte,
    Integer,
    Long,
    Currency,
    Single,
    Double,
    DateTime,
    Binary,
    Text,
    Memo,
    ReplicationId,
    Numeric
};

struct Column
{
    QString name;
    Type type;
    int size = 0; // the characters a Text column holds; 0 for other types
};

// One version of a file on the disk: another program that rewrites it in
// place, or puts another file in its place, changes it.
struct Stamp
{
    qint64 size = -1; // -1: there is no such file
    qint64 modified = 0; // nanoseconds
    quint64 inode = 0;
    bool operator==(const Stamp&) const = default;

    static Stamp of(const QString& path);
};

// NULL is an invalid QVariant; an empty text is an empty QString. Text, Memo,
// ReplicationId and Numeric are QString; Boolean is bool; Byte, Integer and
// Long are int; Currency is qint64 in ten-thousandths; Single and Double are
// double; DateTime is a QDateTime in UTC counted from Access's zero day,
// 1899-12-30; Binary is QByteArray. OLE columns are left out.
struct Table
{
    QString name; // as the file spells it
    QList<Column> columns;
    QList<QVariantList> rows; // in the file's order
    Stamp stamp; // of the file the rows were read from
};

// True for the first bytes of a Jet 3 or Jet 4 database file.
bool isAccessFile(const QByteArray& header);

// Checks that path opens as an Access database and lists its tables.
QStringList tableNames(const QString& path);

// Reads one table, found without regard to letter case. A file that changes
// during the read, or reads short (as a file caught half-written does), is
// read again a few times before a DataError names the file and the trouble.
Table readTable(const QString& path, const QString& table);

// The pauses before each new attempt at a file that could not be read whole:
// together long enough for another program to finish a save, short enough to
// keep a worker waiting little. While one of these lives, its pauses are used
// instead (no pauses: a single attempt), so that tests need not wait.
class RetryDelays
{
public:
    explicit RetryDelays(QList<int> delaysMs);
    ~RetryDelays();
    RetryDelays(const RetryDelays&) = delete;
    RetryDelays& operator=(const RetryDelays&) = delete;

    static QList<int> current();

private:
    QList<int> m_delaysMs;
    const RetryDelays* m_previous;
};

// A Currency value as exact decimal text with its four decimals: "-18.5000".
QString currencyText(qint64 tenThousandths);

} // namespace Access
