#pragma once

#include "DatabaseFile.h"

#include <QObject>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class RegionalSettings;

// A named, invisible cursor over one table of one database file, with a current
// row and controls bound to fields of that row.
//
// The record source is a table name or "select * from TABLE [where ...]
// [order by ...]". The cursor is lazy: it holds the current row only and asks
// the database for every move, so tables of any size open at once. Field names
// are matched without regard to letter case. Every failure raises DataError,
// whose message names the file, the table and the trouble in plain words.
class DataSource : public QObject
{
    Q_OBJECT

public:
    DataSource(const QString& objectName, QString databaseName, QString recordSource, bool readOnly,
        const RegionalSettings& regional, QObject* parent = nullptr);
    ~DataSource() override;

    QString databaseName() const { return m_databaseName; }
    QString recordSource() const { return m_recordSource; }
    bool isReadOnly() const { return m_readOnly; }
    bool isOpen() const { return m_file != nullptr; }

    // Takes effect at the next refresh().
    void setRecordSource(const QString& recordSource);
    // Reopens the cursor on the record source, on its first row (or on none).
    void refresh();
    void updateControls();

    qint64 recordCount() const;
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool hasCurrentRow() const { return m_hasRow; }
    void moveFirst();
    void moveNext();

    // Criteria of the form "Field = 'value'": the value is everything between
    // the first "= '" and the last "'", and is bound as a parameter, never
    // pasted into SQL. A failed search leaves the cursor where it stood.
    void findFirst(const QString& criteria);
    bool noMatch() const { return m_noMatch; }

    void addNew();
    void edit();
    // How a save ended.
    enum class Saved
    {
        Written, // in the database
        // The database server could not be reached: the terminal keeps the
        // row, to be sent when the server answers again.
        Kept,
    };
    // Writes the pending row. An edit only ever changes the row that was read:
    // when another program changed or deleted it meanwhile, nothing is written.
    // Bound controls show a saved edit after the next refresh, move or updateControls().
    Saved save();
    void deleteCurrent();
    // Sets the source's file up for the saves to come, so that each costs the
    // disk one flush (Start Job, End Job); nothing is written.
    void prepareWrites();

    QVariant field(const QString& name) const;
    // The field as a bound box shows it: regional dates, times and numbers.
    QString fieldText(const QString& name) const;
    void setField(const QString& name, const QVariant& value);

    // Shows the field of the current row through `show` whenever the source
    // opens, moves or updates its controls (an empty text when there is no row).
    void bind(const QString& field, QObject* context, std::function<void(const QString&)> show);

    // Visits every row of the record source once, in the cursor's order, with
    // the values field() gives. Reads forward only and holds one row at a time;
    // the current row does not move. Rows added meanwhile after the last row
    // visited are visited too. On a server `visit` runs on the connection's
    // thread while the caller waits: it touches no window.
    void forEachRow(const std::function<void(const QSqlRecord&)>& visit) const;
    // The field of the rows [offset, offset + count) in the cursor's order, as
    // bound boxes show them: a window of the list, for lists read as they scroll.
    QStringList windowTexts(const QString& name, qint64 offset, qint64 count) const;
    // Names the rows the record source holds now: the same stamp, the same rows
    // in the same order. Empty where the engine cannot tell.
    QString contentStamp() const;
    // Deletes every row of the record source in one statement; the cursor then
    // stands on no row.
    void deleteAll();

signals:
    void currentRowChanged();

private:
    using Kind = DatabaseFile::Kind;
    using Column = DatabaseFile::Column;
    struct Source
    {
        QString table;
        QString where;
        QString orderBy;
    };
    enum class Pending
    {
        None,
        Adding,
        Editing
    };

    static Source parseRecordSource(const QString& text);
    const Column& column(const QString& name) const;
    const Column& columnByKey(const QString& key, const QString& name) const;
    QString selectSql(const QString& columns, const QString& extraCondition) const;
    QString whereSql(const QString& extraCondition) const;
    // The file that the operation under way uses: for reads, the terminal's
    // copy of the table while the server cannot be reached.
    DatabaseFile& active() const { return *(m_active ? m_active : m_file); }
    // Runs a read on the table's file, or on its copy when the server cannot
    // be reached.
    template<typename Read> auto reading(Read read) const -> decltype(read());
    void search(const QString& field, const QString& value);
    void write(Pending pending, const QList<QPair<QString, QVariant>>& values);
    void visitRows(const std::function<void(const QSqlRecord&)>& visit) const;
    QString quoted(const QString& identifier) const { return active().quoted(identifier); }
    QString rowKey() const { return active().rowKey(m_source.table); }
    // Reads the table's columns anew when the engine saw the table change.
    void prepareRead(const QString& table);
    DataError refused(const Column& column, const QVariant& value) const;
    void requireOpen() const;
    void requireWritable() const;
    void loadAt(qint64 index);
    void setCurrent(const QSqlRecord& row, qint64 index);
    qint64 currentIndex();
    // The row as stored: an edit that was saved is read back only when next used.
    const QSqlRecord& heldRow() const;
    QVariant toStorage(const Column& column, const QVariant& value) const;
    QVariant fromStorage(const Column& column, const QVariant& raw) const;
    QVariant rowValue(const Column& wanted) const;
    QString textOf(const Column& wanted) const;
    QString displayText(const QVariant& value) const;

    QString m_databaseName;
    QString m_recordSource;
    bool m_readOnly;
    const RegionalSettings& m_regional;

    std::shared_ptr<DatabaseFile> m_file;
    mutable std::shared_ptr<DatabaseFile> m_active;
    QString m_closedReason; // why the file could not be opened, when it could not
    Source m_source;
    // The record source text last parsed, and what it says: a text is parsed
    // once, not at each refresh.
    std::optional<std::pair<QString, Source>> m_parsed;
    QList<Column> m_columns;
    QHash<QString, qsizetype> m_columnIndex; // by case-folded name

    mutable QSqlRecord m_row;
    mutable bool m_rowWritten = false; // saved by an edit since it was read
    qint64 m_rowid = 0;
    qint64 m_index = -1; // position in the cursor; -1 when not known yet
    bool m_hasRow = false;
    bool m_bof = true;
    bool m_eof = true;
    bool m_noMatch = false;
    bool m_currentDeleted = false;

    Pending m_pending = Pending::None;
    QList<QPair<QString, QVariant>> m_pendingValues;
};
