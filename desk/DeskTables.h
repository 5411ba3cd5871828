#pragma once

#include "DeskStore.h"
#include "program/Csv.h"

#include <QDateTime>
#include <QStringList>

class RegionalSettings;

// The desk's lists as tables of texts, for its command line, its export and
// its print: in words for people (durations in hours and minutes, the heads
// the window shows), or for spreadsheets (decimal hours, full-stop decimals,
// heads that scripts read and that stay as they are).
namespace DeskTables {

enum class Form
{
    Words,
    Csv
};
// Which columns of the jobs: every one (the command line, CSV), or those of
// the window's board or of its closed jobs.
enum class Columns
{
    All,
    Board,
    Closed
};

struct Table
{
    QStringList heads;
    QList<Csv::Kind> kinds; // per column; text where none is given
    QList<QStringList> rows;
};

// `now` times the open jobs; dates, times and numbers follow `regional`
// (ISO on the command line and in CSV).
Table jobs(const QList<Punch>& punches, const QStringList& levelTitles, const QDateTime& now,
    qint64 shiftSeconds, Form form, Columns columns, const RegionalSettings& regional);
Table corrections(const QList<DeskStore::AuditEntry>& entries, const QStringList& levelTitles,
    Form form, const RegionalSettings& regional);

// Aligned columns two spaces apart, one line a row, the heads first.
QString text(const Table& table);
// RFC 4180: a header row, CR LF, every text cell guarded against formulas.
QString csv(const Table& table);

} // namespace DeskTables
