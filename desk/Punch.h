#pragma once

#include "regional/SiteTime.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

class RegionalSettings;

// One row of JobPunches as the desk read it. `values` holds the 24 fields a
// job fills, by name: dates as QDate, times as QTime, amounts and counts as
// double, texts as QString, and an invalid QVariant for NULL. `stored` keeps
// them as the database gave them, so that a correction can tell whether the
// row changed since.
struct Punch
{
    // The 24 fields, in the table's order.
    static const QStringList& fields();

    QString punchId;
    QVariantMap values;
    QVariantList stored; // in the order of fields()
    // The worker's badge, from EMPLOYEES by his name; empty when nobody there
    // has that name.
    QString badge;
    int corrections = 0; // how many corrections name this punch
    // The site's clocks, in which the date and times were written.
    SiteTime time;
    // When the start and the end reached the database; invalid where unknown
    // (a punch of an earlier version, an end not yet made).
    QDateTime startArrived;
    QDateTime endArrived;

    QString name() const { return values.value(QStringLiteral("Name")).toString(); }
    bool isOpen() const;
    // Invalid when the row has no date or start time.
    QDateTime started() const;
    // The end of a closed job: the first moment after its start whose clock
    // reads its stop. Invalid for an open job.
    QDateTime stopped() const;
    // Whether its start or its end reached the database more than ten minutes
    // away from its own time (kept through an outage, a clock set wrong,
    // written by hand).
    bool arrivedAway() const;
    // From its start to `now` (a moment, in any zone); 0 without a start.
    qint64 secondsOpen(const QDateTime& now) const;
    // From its start to its stop; 0 for an open job.
    qint64 secondsWorked() const;
    double pieces() const { return values.value(QStringLiteral("Pieces")).toDouble(); }
    QString department() const;
    // The item description chosen on a level (1 to 3).
    QString item(int level) const;
    // The terminal's rule: the bonus rate of the deepest level that has a
    // description is above zero.
    bool paysBonus() const;

    // The fields named, as a JSON object: dates and times in ISO form,
    // numbers as numbers, NULL as null.
    QJsonObject json(const QStringList& names) const;
    // The values of such an object back, for the fields it holds.
    static QVariantMap valuesOf(const QJsonObject& object);
};
