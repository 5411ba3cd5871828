#pragma once

#include "Punch.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class RegionalSettings;

// The words in which the desk shows punches and corrections, the same in its
// window and in the text of its command line: names a person uses for the
// fields, durations in hours and minutes, changes as "Pieces 3 -> 4".
namespace DeskWords {

// "43 h 17 min", "0 h 05 min".
QString duration(qint64 seconds);
// For spreadsheets: "43.28".
QString decimalHours(qint64 seconds);

// The worker's department number, from EMPLOYEES, as a heading: apart from
// the level 1 item, which many sites title "Department".
QString workerDepartment();
// The three levels' headings: the titles given, "Level 1" where one is empty.
QStringList levelHeadings(const QStringList& titles);
// A field of a punch, as its heading says it ("TimeStop": "Stopped").
QString fieldName(const QString& field, const QStringList& levelTitles = {});
// A field's value: dates, times and numbers by the regional settings, the
// state as "open" or "closed", NULL as "(empty)".
QString valueText(const QString& field, const QVariant& value, const RegionalSettings& regional);

// A punch as a supervisor tells it from its look-alikes: "started 02/25/2004
// 6:00 AM, stopped 2:30 PM (8 h 30 min), Assembly / Weld, 12 pieces".
QString punchText(const Punch& punch, const RegionalSettings& regional);
// What an audit row's action did: "Ended", "Corrected", "Deleted", "Applied",
// "Dismissed".
QString actionText(const QString& action);
// What a correction changed, from its audit row's old and new values (JSON):
// "Stopped 6:00 AM -> 2:30 PM; Pieces 0 -> 12", or what it did where it names
// no field ("Deleted: started ...").
QString changesText(const QString& action, const QString& oldValues, const QString& newValues,
    const QStringList& levelTitles, const RegionalSettings& regional);

} // namespace DeskWords
