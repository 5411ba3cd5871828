#include "DataSource.h"

#include "DataError.h"
#include "DatabaseFile.h"
#include "OpenDatabaseFile.h"
#include "regional/RegionalSettings.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace {

// One statement on `table`, prepared, run, read by `read` and dropped on the
// file's connection, where `read` runs too (it touches no window); a failure
// names the file, the table and the trouble.
void run(DatabaseFile& file, const QString& table, const QString& sql,
    const QVariantList& values = {}, const std::function<void(QSqlQuery&)>& read = {})
{
    const QSqlDatabase db = file.database();
    QSqlError error;
    file.onConnection([&] {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (query.prepare(sql)) {
            for (const QVariant& value : values)
                query.addBindValue(value);
            if (query.exec() && read)
                read(query);
        }
        error = query.lastError();
    });
    if (error.isValid())
        throw file.errorOf(error, table);
}

// A statement that is run to its end at once, prepared only the first time;
// `read` reads its rows on the file's connection.
QSqlQuery& runKept(DatabaseFile& file, const QString& table, const QString& sql,
    const QVariantList& values = {}, const std::function<void(QSqlQuery&)>& read = {})
{
    QSqlQuery& query = file.statement(sql, table);
    bool ran = false;
    file.onConnection([&] {
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        ran = query.exec();
        if (ran && read)
            read(query);
    });
    if (!ran)
        throw file.errorOf(query.lastError(), table);
    return query;
}

// The first row of a statement, which is read to its end: on a server a
// forward-only query streams its rows, and the next statement on the same
// connection would cut the stream off.
std::optional<QSqlRecord> firstRow(
    DatabaseFile& file, const QString& table, const QString& sql, const QVariantList& values = {})
{
    std::optional<QSqlRecord> row;
    runKept(file, table, sql, values, [&row](QSqlQuery& query) {
        if (query.next())
            row = query.record();
        while (query.next()) { }
        query.finish();
    });
    return row;
}

std::optional<double> numberOf(const QVariant& value, const RegionalSettings& regional)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return value.toDouble();
    default:
        return regional.parseNumber(value.toString());
    }
}

} // namespace

DataSource::DataSource(const QString& objectName, QString databaseName, QString recordSource,
    bool readOnly, const RegionalSettings& regional, QObject* parent)
    : QObject(parent)
    , m_databaseName(std::move(databaseName))
    , m_recordSource(std::move(recordSource))
    , m_readOnly(readOnly)
    , m_regional(regional)
{
    setObjectName(objectName);
}

DataSource::~DataSource() = default;

void DataSource::setRecordSource(const QString& recordSource)
{
    m_recordSource = recordSource;
}

DataSource::Source DataSource::parseRecordSource(const QString& text)
{
    static const QRegularExpression tableName(QStringLiteral("^\\s*(\\w+)\\s*$"));
    static const QRegularExpression select(
        QStringLiteral("^\\s*select\\s+\\*\\s+from\\s+(\\w+)"
                       "(?:\\s+where\\s+(.*?))?(?:\\s+order\\s+by\\s+(.*?))?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    if (const auto match = tableName.match(text); match.hasMatch())
        return {match.captured(1), {}, {}};
    if (const auto match = select.match(text); match.hasMatch())
        return {match.captured(1), match.captured(2), match.captured(3)};
    throw DataError(QStringLiteral("Unsupported record source '%1'.").arg(text));
}

void DataSource::refresh()
{
    if (!m_parsed || m_parsed->first != m_recordSource)
        m_parsed = {m_recordSource, parseRecordSource(m_recordSource)};
    const Source source = m_parsed->second;
    if (!m_file) {
        try {
            m_file = openDatabaseFile(m_databaseName);
        } catch (const DataError& error) {
            m_closedReason = error.message();
            throw;
        }
    }
    m_source = source;
    reading([&] {
        prepareRead(source.table);
        m_pending = Pending::None;
        loadAt(0);
    });
}

template<typename Read> auto DataSource::reading(Read read) const -> decltype(read())
{
    const std::shared_ptr<DatabaseFile> standIn = m_file->standIn(m_source.table);
    m_active = standIn ? standIn : m_file;
    try {
        return read();
    } catch (const DataError& error) {
        // A server that cannot be reached stands aside for the terminal's
        // copy of the table, where it keeps one.
        if (error.reason() != DataError::Reason::Unreachable || standIn)
            throw;
        const std::shared_ptr<DatabaseFile> copy = m_file->standIn(m_source.table);
        if (!copy)
            throw;
        m_active = copy;
        return read();
    }
}

void DataSource::prepareRead(const QString& table)
{
    active().beforeRead(table);
    QList<Column> columns = active().columns(table);
    if (columns.isEmpty())
        throw DataError::said(
            QT_TRANSLATE_NOOP("DataError", "%1 has no table %2."), {m_databaseName, table});
    // The engine hands out the list it keeps: a new one only once it read the table anew.
    if (columns.constData() == m_columns.constData())
        return;
    m_columns = std::move(columns);
    m_columnIndex.clear();
    for (qsizetype i = m_columns.size() - 1; i >= 0; --i)
        m_columnIndex.insert(m_columns.at(i).name.toCaseFolded(), i);
}

void DataSource::updateControls()
{
    emit currentRowChanged();
}

QString DataSource::whereSql(const QString& extraCondition) const
{
    QStringList conditions;
    if (!m_source.where.isEmpty())
        conditions << QLatin1Char('(') + m_source.where + QLatin1Char(')');
    if (!extraCondition.isEmpty())
        conditions << extraCondition;
    return conditions.isEmpty()
        ? QString()
        : QLatin1String(" WHERE ") + conditions.join(QLatin1String(" AND "));
}

QString DataSource::selectSql(const QString& columns, const QString& extraCondition) const
{
    QString order
        = m_source.orderBy.isEmpty() ? rowKey() : m_source.orderBy + QLatin1String(", ") + rowKey();
    return QLatin1String("SELECT ") + columns + QLatin1String(" FROM ") + quoted(m_source.table)
        + whereSql(extraCondition) + QLatin1String(" ORDER BY ") + order;
}

void DataSource::requireOpen() const
{
    if (!m_file)
        throw DataError(m_closedReason.isEmpty()
                ? QStringLiteral("The data source '%1' is not open.").arg(objectName())
                : m_closedReason);
}

void DataSource::requireWritable() const
{
    requireOpen();
    if (m_readOnly)
        throw DataError(QStringLiteral("The data source '%1' is read-only; it cannot be updated.")
                            .arg(objectName()));
    if (!m_file->hasFeature(DatabaseFile::Feature::Writes))
        throw DataError::said(QT_TRANSLATE_NOOP("DataError",
                                  "%1 is a file that Job Costing only reads; the table %2 "
                                  "cannot be written."),
            {m_databaseName, m_source.table});
}

qint64 DataSource::recordCount() const
{
    requireOpen();
    return reading([this] {
        const auto count = firstRow(active(), m_source.table,
            QLatin1String("SELECT COUNT(*) FROM ") + quoted(m_source.table) + whereSql({}));
        return count ? count->value(0).toLongLong() : 0;
    });
}

void DataSource::setCurrent(const QSqlRecord& row, qint64 index)
{
    m_row = row;
    m_rowWritten = false;
    m_rowid = row.value(0).toLongLong();
    m_index = index;
    m_hasRow = true;
    m_bof = m_eof = false;
    m_currentDeleted = false;
    emit currentRowChanged();
}

void DataSource::loadAt(qint64 index)
{
    const auto row = firstRow(active(), m_source.table,
        selectSql(rowKey() + QLatin1String(", *"), {}) + QLatin1String(" LIMIT 1 OFFSET ?"),
        {index});
    if (row) {
        setCurrent(*row, index);
        return;
    }
    m_hasRow = false;
    m_currentDeleted = false;
    m_eof = true;
    m_bof = index == 0;
    m_index = index;
    m_row = QSqlRecord();
    m_rowWritten = false;
    emit currentRowChanged();
}

qint64 DataSource::currentIndex()
{
    if (m_index >= 0 || !m_hasRow)
        return m_index;
    // After a search the position is not known; count it once, on demand.
    qint64 found = -1;
    run(active(), m_source.table, selectSql(rowKey(), {}), {}, [&found, this](QSqlQuery& query) {
        for (qint64 index = 0; query.next(); ++index) {
            if (found < 0 && query.value(0).toLongLong() == m_rowid)
                found = index;
        }
    });
    if (found >= 0)
        return m_index = found;
    throw DataError::said(
        QT_TRANSLATE_NOOP("DataError", "The current row is no longer in the table %1 of %2."),
        {m_source.table, m_databaseName});
}

void DataSource::moveFirst()
{
    requireOpen();
    reading([this] { loadAt(0); });
}

void DataSource::moveNext()
{
    requireOpen();
    if (m_eof)
        throw DataError(QStringLiteral("No current record."));
    reading([this] {
        if (m_bof && !m_hasRow && !m_currentDeleted) {
            loadAt(0);
            return;
        }
        const qint64 index = currentIndex();
        // The rows after a deleted one have moved up by one.
        loadAt(m_currentDeleted ? index : index + 1);
    });
}

void DataSource::findFirst(const QString& criteria)
{
    // A source whose file or table could not be opened tries again, so that a
    // site put right is used without a restart.
    if (!m_file)
        refresh();
    const qsizetype equals = criteria.indexOf(QLatin1String("= '"));
    const qsizetype lastQuote = criteria.lastIndexOf(QLatin1Char('\''));
    if (equals < 0 || lastQuote < equals + 2)
        throw DataError(QStringLiteral("Malformed search criteria: %1").arg(criteria));
    reading([&] {
        search(criteria.left(equals).trimmed(), criteria.mid(equals + 3, lastQuote - (equals + 3)));
    });
}

void DataSource::search(const QString& field, const QString& value)
{
    prepareRead(m_source.table);
    const Column* searched = nullptr;
    try {
        searched = &column(field);
    } catch (const DataError&) {
        // The field may come back before the next search; a server tells no
        // version of its tables, so their columns are read again then.
        active().forgetColumns();
        throw;
    }

    const auto row = firstRow(active(), m_source.table,
        selectSql(rowKey() + QLatin1String(", *"), quoted(searched->name) + QLatin1String(" = ?"))
            + QLatin1String(" LIMIT 1"),
        {value});
    m_noMatch = !row;
    if (row)
        setCurrent(*row, -1);
}

const DataSource::Column& DataSource::column(const QString& name) const
{
    return columnByKey(name.toCaseFolded(), name);
}

const DataSource::Column& DataSource::columnByKey(const QString& key, const QString& name) const
{
    if (const auto found = m_columnIndex.constFind(key); found != m_columnIndex.constEnd())
        return m_columns.at(*found);
    throw DataError::said(QT_TRANSLATE_NOOP("DataError", "%1 has no field %2 in the table %3."),
        {m_databaseName, name, m_source.table});
}

void DataSource::addNew()
{
    requireWritable();
    m_pending = Pending::Adding;
    m_pendingValues.clear();
}

void DataSource::edit()
{
    requireWritable();
    if (!m_hasRow)
        throw DataError(QStringLiteral("No current record."));
    m_pending = Pending::Editing;
    m_pendingValues.clear();
}

void DataSource::setField(const QString& name, const QVariant& value)
{
    requireOpen();
    if (m_pending == Pending::None)
        throw DataError(QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const Column& target = column(name);
    const QVariant stored = toStorage(target, value);
    for (auto& [field, pendingValue] : m_pendingValues) {
        if (field == target.name) {
            pendingValue = stored;
            return;
        }
    }
    m_pendingValues.append({target.name, stored});
}

DataSource::Saved DataSource::save()
{
    requireWritable();
    const Pending pending = std::exchange(m_pending, Pending::None);
    const auto values = std::exchange(m_pendingValues, {});
    if (pending == Pending::None)
        throw DataError(QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    // The row as the terminal has it, read wherever it was read.
    const QSqlRecord read = pending == Pending::Editing ? heldRow() : QSqlRecord();
    m_active = m_file;
    try {
        write(pending, values);
    } catch (const DataError& error) {
        // A server that cannot be reached leaves the punch with the terminal,
        // where it keeps punches, to be sent later.
        if (error.reason() != DataError::Reason::Unreachable
            || !m_file->keep(m_source.table, read, values))
            throw;
        return Saved::Kept;
    }
    m_file->written(m_source.table, read, values);
    return Saved::Written;
}

void DataSource::write(Pending pending, const QList<QPair<QString, QVariant>>& values)
{
    QStringList names;
    QVariantList bound;
    for (const auto& [field, value] : values) {
        names << quoted(field);
        bound << value;
    }
    const QString table = quoted(m_source.table);
    m_file->beforeWrite();
    if (pending == Pending::Adding) {
        QStringList marks;
        for (qsizetype i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        runKept(*m_file, m_source.table,
            names.isEmpty()
                ? QLatin1String("INSERT INTO ") + table + QLatin1String(" DEFAULT VALUES")
                : QLatin1String("INSERT INTO ") + table + QLatin1String(" (")
                    + names.join(QLatin1String(", ")) + QLatin1String(") VALUES (")
                    + marks.join(QLatin1String(", ")) + QLatin1Char(')'),
            bound);
        return;
    }
    if (names.isEmpty())
        return;

    // Name the row by its key and by every value that was read from it, so that
    // a row changed or deleted meanwhile (or one that took over its key) is
    // never written.
    QStringList assignments;
    for (const QString& name : names)
        assignments << name + QLatin1String(" = ?");
    QStringList unchanged {rowKey() + QLatin1String(" = ?")};
    bound << m_rowid;
    const QSqlRecord& row = heldRow();
    for (int i = 1; i < row.count(); ++i) {
        unchanged << m_file->unchangedCondition(column(row.fieldName(i)));
        bound << row.value(i);
    }
    QSqlQuery& update = runKept(*m_file, m_source.table,
        QLatin1String("UPDATE ") + table + QLatin1String(" SET ")
            + assignments.join(QLatin1String(", ")) + QLatin1String(" WHERE ")
            + unchanged.join(QLatin1String(" AND ")),
        bound);
    if (update.numRowsAffected() != 1)
        throw DataError::said(QT_TRANSLATE_NOOP("DataError",
                                  "Another program changed or deleted this row of the table "
                                  "%1 in %2 since it was read."),
            {m_source.table, m_databaseName}, DataError::Reason::Changed);
    // A save is most often followed by a refresh or a move, which replaces the
    // row; the stored values are read back only if the row is used before that.
    m_rowWritten = true;
}

const QSqlRecord& DataSource::heldRow() const
{
    if (!std::exchange(m_rowWritten, false))
        return m_row;
    const auto row = firstRow(active(), m_source.table,
        QLatin1String("SELECT ") + rowKey() + QLatin1String(", * FROM ") + quoted(m_source.table)
            + QLatin1String(" WHERE ") + rowKey() + QLatin1String(" = ?"),
        {m_rowid});
    if (row)
        m_row = *row;
    return m_row;
}

void DataSource::deleteCurrent()
{
    requireWritable();
    if (!m_hasRow)
        throw DataError(QStringLiteral("No current record."));
    currentIndex();
    m_active = m_file;
    m_file->beforeWrite();
    run(*m_file, m_source.table,
        QLatin1String("DELETE FROM ") + quoted(m_source.table) + QLatin1String(" WHERE ") + rowKey()
            + QLatin1String(" = ?"),
        {m_rowid});
    m_hasRow = false;
    m_currentDeleted = true;
}

void DataSource::prepareWrites()
{
    requireWritable();
    m_file->prepareWrites();
}

DataError DataSource::refused(const Column& column, const QVariant& value) const
{
    return DataError::said(QT_TRANSLATE_NOOP("DataError",
                               "The field %1 of the table %2 in %3 does not take the value "
                               "'%4'."),
        {column.name, m_source.table, m_databaseName, value.toString()});
}

QVariant DataSource::field(const QString& name) const
{
    requireOpen();
    const Column& wanted = column(name);
    if (!m_hasRow)
        throw DataError(QStringLiteral("No current record."));
    return fromStorage(wanted, rowValue(wanted));
}

QVariant DataSource::rowValue(const Column& wanted) const
{
    // A row is read as the key, then the table's columns in their order.
    const QSqlRecord& row = heldRow();
    const int at = int(&wanted - m_columns.constData()) + 1;
    if (at < row.count() && row.fieldName(at).compare(wanted.name, Qt::CaseInsensitive) == 0)
        return row.value(at);
    return row.value(wanted.name);
}

QString DataSource::fieldText(const QString& name) const
{
    const Column& wanted = column(name);
    requireOpen();
    if (!m_hasRow)
        throw DataError(QStringLiteral("No current record."));
    return textOf(wanted);
}

QString DataSource::textOf(const Column& wanted) const
{
    return displayText(fromStorage(wanted, rowValue(wanted)));
}

void DataSource::bind(
    const QString& field, QObject* context, std::function<void(const QString&)> show)
{
    // The text of a value the field held at the last move is not made again:
    // most moves leave most fields as they were.
    struct Shown
    {
        QVariant value;
        Kind kind;
        QString text;
    };
    connect(this, &DataSource::currentRowChanged, context,
        [this, field, key = field.toCaseFolded(), show = std::move(show),
            shown = std::optional<Shown>()]() mutable {
            try {
                if (!m_hasRow) {
                    show(QString());
                    return;
                }
                const Column& column = columnByKey(key, field);
                const QVariant value = rowValue(column);
                if (!shown || shown->kind != column.kind || shown->value.typeId() != value.typeId()
                    || shown->value != value)
                    shown = Shown {value, column.kind, displayText(fromStorage(column, value))};
                show(shown->text);
            } catch (const DataError&) {
                show(QString());
            }
        });
}

QVariant DataSource::toStorage(const Column& column, const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (column.kind) {
    case Kind::Text:
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
            return m_regional.numberText(value.toDouble());
        if (value.typeId() == QMetaType::QDate)
            return m_regional.dateText(value.toDate());
        if (value.typeId() == QMetaType::QTime)
            return m_regional.timeText(value.toTime());
        return value.toString();
    case Kind::Integer: {
        const auto number = numberOf(value, m_regional);
        if (!number || !std::isfinite(*number))
            throw refused(column, value);
        // Halves round to even, as the database engine of the sites always did.
        return static_cast<qlonglong>(std::nearbyint(*number));
    }
    case Kind::Real: {
        const auto number = numberOf(value, m_regional);
        if (!number || !std::isfinite(*number))
            throw refused(column, value);
        return *number;
    }
    case Kind::Date: {
        QDate date = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date()
            : value.typeId() == QMetaType::QDate            ? value.toDate()
                                                 : m_regional.parseDateOnly(value.toString());
        if (!date.isValid())
            throw refused(column, value);
        return date.toString(Qt::ISODate);
    }
    case Kind::Time: {
        QTime time = value.typeId() == QMetaType::QDateTime ? value.toDateTime().time()
            : value.typeId() == QMetaType::QTime            ? value.toTime()
                                                 : m_regional.parseTimeOnly(value.toString());
        if (!time.isValid())
            throw refused(column, value);
        return time.toString(QStringLiteral("HH:mm:ss"));
    }
    }
    return value;
}

QVariant DataSource::fromStorage(const Column& column, const QVariant& raw) const
{
    if (raw.isNull())
        return QVariant();
    switch (column.kind) {
    case Kind::Date: {
        if (raw.typeId() == QMetaType::QDate)
            return raw;
        const QDate date = QDate::fromString(raw.toString(), Qt::ISODate);
        return date.isValid() ? QVariant(date) : raw;
    }
    case Kind::Time: {
        if (raw.typeId() == QMetaType::QTime)
            return raw;
        const QTime time = QTime::fromString(raw.toString(), QStringLiteral("HH:mm:ss"));
        return time.isValid() ? QVariant(time) : raw;
    }
    case Kind::Real: {
        // A server's numeric arrives as its exact decimal text; the screens
        // count with doubles.
        if (raw.typeId() != QMetaType::QString)
            return raw;
        bool ok = false;
        const double number = QLocale::c().toDouble(raw.toString(), &ok);
        return ok ? QVariant(number) : raw;
    }
    default:
        return raw;
    }
}

QString DataSource::displayText(const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return m_regional.dateText(value.toDate());
    case QMetaType::QTime:
        return m_regional.timeText(value.toTime());
    case QMetaType::Double:
        return m_regional.numberText(value.toDouble());
    default:
        return value.toString();
    }
}

void DataSource::forEachRow(const std::function<void(const QSqlRecord&)>& visit) const
{
    requireOpen();
    reading([&] { visitRows(visit); });
}

void DataSource::visitRows(const std::function<void(const QSqlRecord&)>& visit) const
{
    QStringList names {rowKey()};
    for (const Column& column : m_columns)
        names << quoted(column.name);
    // A long walk in one statement would hold the file's read lock throughout,
    // and a terminal's save gives up after its lock wait. So rows come in
    // slices by row key, each its own statement, and the lock is let go between
    // them. A source with an order of its own is read in one statement.
    constexpr int slice = 5000;
    const bool sliced = m_source.orderBy.isEmpty();
    const QString sql = sliced
        ? selectSql(names.join(QLatin1String(", ")), rowKey() + QLatin1String(" > ?"))
            + QStringLiteral(" LIMIT %1").arg(slice)
        : selectSql(names.join(QLatin1String(", ")), {});
    // Below every key; a server's keys are 32-bit integers.
    qint64 last = std::numeric_limits<qint32>::min();
    for (int count = slice; count == slice;) {
        run(active(), m_source.table, sql, sliced ? QVariantList {last} : QVariantList {},
            [&](QSqlQuery& query) {
                QSqlRecord row = query.record();
                row.remove(0);
                for (count = 0; query.next(); ++count) {
                    last = query.value(0).toLongLong();
                    for (int i = 0; i < m_columns.size(); ++i)
                        row.setValue(i, fromStorage(m_columns.at(i), query.value(i + 1)));
                    visit(row);
                }
            });
        if (!sliced)
            return;
    }
}

QStringList DataSource::windowTexts(const QString& name, qint64 offset, qint64 count) const
{
    requireOpen();
    const Column& wanted = column(name);
    QList<QVariant> values;
    reading([&] {
        values.clear();
        runKept(active(), m_source.table,
            selectSql(quoted(wanted.name), {}) + QLatin1String(" LIMIT ? OFFSET ?"),
            {count, offset}, [&values](QSqlQuery& query) {
                while (query.next())
                    values << query.value(0);
                query.finish();
            });
    });
    QStringList texts;
    for (const QVariant& value : std::as_const(values))
        texts << displayText(fromStorage(wanted, value));
    return texts;
}

QString DataSource::contentStamp() const
{
    if (!m_file)
        return {};
    const QString version = active().contentVersion();
    return version.isEmpty() ? QString()
                             : selectSql(QStringLiteral("*"), {}) + QLatin1Char('@') + version;
}

void DataSource::deleteAll()
{
    requireWritable();
    m_active = m_file;
    m_file->beforeWrite();
    run(*m_file, m_source.table,
        QLatin1String("DELETE FROM ") + quoted(m_source.table) + whereSql({}));
    m_pending = Pending::None;
    loadAt(0);
}
