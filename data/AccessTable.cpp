#include "AccessTable.h"

#include "DataError.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
#include <QThread>
#include <QtEndian>
#include <bit>
#include <cmath>
#include <cstdio>
#include <glib.h>
#include <mdbtools.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace Access {
namespace {

// A reason to read the file again; the last one is what the operator is told.
struct Retry
{
    QString reason;
};

// What is wrong with a row or a value; the reader names the file and table.
struct Damage
{
    QString what;
};

const QList<int> realRetryDelaysMs {20, 50, 100, 200, 400, 800};
const RetryDelays* retryDelaysInForce = nullptr;

constexpr int offsetMask = 0x1fff; // a row's offset on its page, without flags

struct HandleCloser
{
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer
{
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using TableDef = std::unique_ptr<MdbTableDef, TableFreer>;

// Messages name a file as the site knows it.
QString nameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString damaged(const QString& path)
{
    return QStringLiteral("%1 is damaged, or is not a complete Access database.").arg(nameOf(path));
}

QString damaged(const QString& path, const QString& what)
{
    return QStringLiteral("%1 is damaged: %2.").arg(nameOf(path), what);
}

// The pages of the file libmdb opened. libmdb reads the missing end of a file
// cut inside its last page as zeros, and the rows there as empty ones.
qint64 pageCount(const QString& path, MdbHandle* mdb)
{
    struct stat status;
    if (::fstat(fileno(mdb->f->stream), &status) != 0)
        throw Retry {damaged(path)};
    const qint64 pageSize = mdb->fmt->pg_size;
    if (status.st_size % pageSize != 0)
        throw Retry {damaged(path,
            QStringLiteral("it ends %1 bytes into a page of %2 bytes")
                .arg(status.st_size % pageSize)
                .arg(pageSize))};
    return status.st_size / pageSize;
}

struct OpenFile
{
    Handle mdb;
    qint64 pages;
};

OpenFile openFile(const QString& path)
{
    // Another program may have put a file of another kind in its place.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && !isAccessFile(file.read(64)))
        throw Retry {
            QStringLiteral("%1 is not a database; its content looks like: %2.")
                .arg(nameOf(path),
                    QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchContent).comment())};
    Handle mdb(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!mdb)
        throw Retry {damaged(path)};
    const qint64 pages = pageCount(path, mdb.get());
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        throw Retry {damaged(path)};
    return {std::move(mdb), pages};
}

std::optional<Type> typeOf(const MdbColumn& column)
{
    switch (column.col_type) {
    case MDB_BOOL:
        return Type::Boolean;
    case MDB_BYTE:
        return Type::Byte;
    case MDB_INT:
        return Type::Integer;
    case MDB_LONGINT:
        return Type::Long;
    case MDB_MONEY:
        return Type::Currency;
    case MDB_FLOAT:
        return Type::Single;
    case MDB_DOUBLE:
        return Type::Double;
    case MDB_DATETIME:
        return Type::DateTime;
    case MDB_BINARY:
        return Type::Binary;
    case MDB_TEXT:
        return Type::Text;
    case MDB_MEMO:
        return Type::Memo;
    case MDB_REPID:
        return Type::ReplicationId;
    case MDB_NUMERIC:
        return Type::Numeric;
    default:
        return std::nullopt; // OLE objects and attachments are not read
    }
}

// The bytes that reading a value of the type takes from its field.
int bytesRead(Type type)
{
    switch (type) {
    case Type::Byte:
        return 1;
    case Type::Integer:
        return 2;
    case Type::Long:
    case Type::Single:
        return 4;
    case Type::Currency:
    case Type::Double:
    case Type::DateTime:
        return 8;
    case Type::ReplicationId:
        return 16;
    case Type::Numeric:
        return 17;
    default:
        return 0;
    }
}

// libmdb keeps a field's place as the row's table of offsets gives it, and
// passes on one whose end lies before its start: every value is read only
// after its place has been found inside its row.
void checkPlace(const MdbField& field, Type type, int rowStart, size_t rowSize)
{
    if (field.siz < bytesRead(type) || field.start < rowStart
        || qint64(field.start) + field.siz > rowStart + qint64(rowSize))
        throw Damage {QStringLiteral("a value lies outside its row")};
}

template<typename T> T littleEndian(const MdbField& field)
{
    return qFromLittleEndian<T>(field.value);
}

QString ownedText(gchar* text)
{
    const QString result = QString::fromUtf8(text);
    g_free(text);
    return result;
}

QDateTime dateTimeOf(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3e6)
        throw Damage {QStringLiteral("a date is out of range")};
    // The whole days count from 1899-12-30, either way; the fraction is always
    // the time of that day, also for days before it.
    const double whole = std::trunc(days);
    qint64 seconds = std::llround(std::fabs(days - whole) * 86400.0);
    qint64 day = static_cast<qint64>(whole);
    if (seconds == 86400) {
        seconds = 0;
        day += days < 0 ? -1 : 1;
    }
    return QDateTime(QDate(1899, 12, 30).addDays(day),
        QTime::fromMSecsSinceStartOfDay(static_cast<int>(seconds * 1000)), Qt::UTC);
}

QString textOf(MdbHandle* mdb, const MdbField& field)
{
    // UTF-8 takes at most three bytes for each byte of the stored text.
    QByteArray utf8(3 * field.siz + 16, Qt::Uninitialized);
    const int length = mdb_unicode2ascii(mdb, static_cast<const char*>(field.value),
        static_cast<size_t>(field.siz), utf8.data(), static_cast<size_t>(utf8.size()));
    return QString::fromUtf8(utf8.constData(), qstrnlen(utf8.constData(), length));
}

// One row of a long-value (LVAL) page that a Memo value points to, as page
// number and row; libmdb checks that the row lies on its page.
std::pair<const char*, size_t> longValueRow(MdbHandle* mdb, qint64 pages, qint32 pageRow)
{
    void* page = nullptr;
    int start = 0;
    size_t size = 0;
    const qint64 number = quint32(pageRow) >> 8;
    if (number == 0 || number >= pages || mdb_find_pg_row(mdb, pageRow, &page, &start, &size) != 0)
        throw Damage {QStringLiteral("a long text points past the end of the file")};
    return {static_cast<const char*>(page) + start, size};
}

// The bytes of text a Memo value holds: in its row, on one long-value row, or
// on a chain of them, each naming the next. libmdb follows the value's own
// length and pointers as they stand, so they are checked first.
size_t memoBytes(MdbHandle* mdb, const MdbField& field, qint64 pages)
{
    const quint32 header = littleEndian<quint32>(field);
    const quint32 length = header & 0x3fffffff;
    const qint32 first = qFromLittleEndian<qint32>(static_cast<const char*>(field.value) + 4);
    if (header & 0x80000000)
        return size_t(field.siz) - MDB_MEMO_OVERHEAD;
    if (header & 0x40000000)
        return longValueRow(mdb, pages, first).second;
    if (header & 0xff000000)
        throw Damage {QStringLiteral("a long text is of no known kind")};
    size_t total = 0;
    QSet<qint32> seen;
    for (qint32 pageRow = first; pageRow != 0;) {
        if (seen.contains(pageRow))
            throw Damage {QStringLiteral("a long text runs in a circle")};
        seen.insert(pageRow);
        const auto [row, size] = longValueRow(mdb, pages, pageRow);
        if (size < 4 || total + size - 4 > length)
            throw Damage {QStringLiteral("a long text is longer than it says")};
        total += size - 4;
        pageRow = qFromLittleEndian<qint32>(row);
    }
    if (total != length)
        throw Damage {QStringLiteral("a long text is shorter than it says")};
    return total;
}

QString memoOf(MdbHandle* mdb, const MdbField& field, qint64 pages)
{
    if (field.siz < MDB_MEMO_OVERHEAD)
        return QStringLiteral("");
    const size_t bytes = memoBytes(mdb, field, pages);
    // UTF-8 takes at most three bytes for each byte of the stored text.
    mdb_set_bind_size(mdb, std::max<size_t>(MDB_BIND_SIZE, 3 * bytes + 16));
    return ownedText(mdb_col_to_string(mdb, mdb->pg_buf, field.start, MDB_MEMO, field.siz));
}

QVariant valueOf(
    MdbHandle* mdb, const MdbColumn& column, Type type, const MdbField& field, qint64 pages)
{
    if (field.is_null && type != Type::Boolean)
        return {};
    switch (type) {
    case Type::Boolean:
        // A Yes/No value lives in the null bitmap itself: a set bit is Yes.
        return !field.is_null;
    case Type::Byte:
        return int(littleEndian<quint8>(field));
    case Type::Integer:
        return int(littleEndian<qint16>(field));
    case Type::Long:
        return int(littleEndian<qint32>(field));
    case Type::Currency:
        return littleEndian<qint64>(field);
    case Type::Single:
        return double(std::bit_cast<float>(littleEndian<quint32>(field)));
    case Type::Double:
        return std::bit_cast<double>(littleEndian<quint64>(field));
    case Type::DateTime:
        return dateTimeOf(std::bit_cast<double>(littleEndian<quint64>(field)));
    case Type::Binary:
        return QByteArray(static_cast<const char*>(field.value), field.siz);
    case Type::Text:
        return textOf(mdb, field);
    case Type::Memo:
        return memoOf(mdb, field, pages);
    case Type::ReplicationId:
        return ownedText(mdb_uuid_to_string(mdb->pg_buf, field.start));
    case Type::Numeric:
        return ownedText(
            mdb_numeric_to_string(mdb, field.start, column.col_scale, column.col_prec));
    }
    return {};
}

Table readOnce(const QString& path, const QString& name)
{
    auto [mdb, pages] = openFile(path);
    MdbCatalogEntry* entry = nullptr;
    for (guint i = 0; i < mdb->num_catalog && !entry; ++i) {
        auto* candidate = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (candidate->object_type == MDB_TABLE
            && QString::fromUtf8(candidate->object_name).compare(name, Qt::CaseInsensitive) == 0)
            entry = candidate;
    }
    if (!entry)
        throw Retry {QStringLiteral("%1 has no table %2.").arg(nameOf(path), name)};
    TableDef table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()))
        throw Retry {damaged(path)};

    Table result;
    result.name = QString::fromUtf8(table->name);
    const unsigned columnCount = table->num_cols;
    std::vector<const MdbColumn*> columns(columnCount);
    std::vector<std::optional<Type>> types(columnCount);
    for (unsigned i = 0; i < columnCount; ++i) {
        columns[i] = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        types[i] = typeOf(*columns[i]);
        if (types[i])
            // Jet 4 keeps text in two bytes a character.
            result.columns.append({QString::fromUtf8(columns[i]->name), *types[i],
                *types[i] == Type::Text ? columns[i]->col_size / (IS_JET3(mdb) ? 1 : 2) : 0});
    }

    std::vector<MdbField> fields(columnCount);
    mdb_rewind_table(table.get());
    try {
        while (mdb_fetch_row(table.get())) {
            int start = 0;
            size_t size = 0;
            if (mdb_find_row(mdb.get(), int(table->cur_row) - 1, &start, &size) != 0
                || mdb_crack_row(table.get(), start & offsetMask, size, fields.data()) < 0)
                throw Retry {damaged(path)};
            QVariantList row;
            row.reserve(result.columns.size());
            for (const MdbField& field : fields) {
                const int i = field.colnum;
                if (!types[i])
                    continue;
                if (!field.is_null && *types[i] != Type::Boolean)
                    checkPlace(field, *types[i], start & offsetMask, size);
                row.append(valueOf(mdb.get(), *columns[i], *types[i], field, pages));
            }
            result.rows.append(std::move(row));
        }
    } catch (const Damage& damage) {
        throw Retry {
            damaged(path, QStringLiteral("in the table %1, %2").arg(result.name, damage.what))};
    }
    // Rows on pages that could not be read are skipped without a word from
    // libmdb: the table's own row count tells.
    if (result.rows.size() != qsizetype(table->num_rows))
        throw Retry {QStringLiteral("%1 is damaged or was being written: the table %2 holds "
                                    "%3 rows, of which %4 could be read.")
                         .arg(nameOf(path), result.name)
                         .arg(table->num_rows)
                         .arg(result.rows.size())};
    return result;
}

// Runs read until it succeeds on a file that did not change meanwhile.
template<typename Read> auto withRetries(const QString& path, Read read)
{
    const QList<int> delaysMs = RetryDelays::current();
    QString reason;
    for (qsizetype attempt = 0;; ++attempt) {
        const Stamp before = Stamp::of(path);
        try {
            if (before.size < 0)
                throw Retry {DataError::missingFile(path).message()};
            auto result = read();
            if (Stamp::of(path) == before)
                return std::make_pair(std::move(result), before);
            reason = QStringLiteral("%1 kept changing while it was read.").arg(nameOf(path));
        } catch (const Retry& retry) {
            reason = retry.reason;
        }
        if (attempt == delaysMs.size())
            throw DataError(reason);
        QThread::msleep(delaysMs.at(attempt));
    }
}

} // namespace

RetryDelays::RetryDelays(QList<int> delaysMs)
    : m_delaysMs(std::move(delaysMs))
    , m_previous(retryDelaysInForce)
{
    retryDelaysInForce = this;
}

RetryDelays::~RetryDelays()
{
    retryDelaysInForce = m_previous;
}

QList<int> RetryDelays::current()
{
    return retryDelaysInForce ? retryDelaysInForce->m_delaysMs : realRetryDelaysMs;
}

Stamp Stamp::of(const QString& path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {qint64(status.st_size),
        qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
        quint64(status.st_ino)};
}

bool isAccessFile(const QByteArray& header)
{
    return header.startsWith(QByteArrayView("\x00\x01\x00\x00Standard Jet DB", 19));
}

QStringList tableNames(const QString& path)
{
    return withRetries(path, [&] {
        const Handle mdb = openFile(path).mdb;
        QStringList names;
        for (guint i = 0; i < mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type == MDB_TABLE && !mdb_is_system_table(entry))
                names << QString::fromUtf8(entry->object_name);
        }
        return names;
    }).first;
}

Table readTable(const QString& path, const QString& table)
{
    auto [result, stamp] = withRetries(path, [&] { return readOnce(path, table); });
    result.stamp = stamp;
    return result;
}

QString currencyText(qint64 tenThousandths)
{
    // The magnitude as unsigned, so that the most negative value has one too.
    const quint64 magnitude
        = tenThousandths < 0 ? 0 - quint64(tenThousandths) : quint64(tenThousandths);
    return (tenThousandths < 0 ? QStringLiteral("-") : QString())
        + QString::number(magnitude / 10000) + QLatin1Char('.')
        + QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
}

} // namespace Access
