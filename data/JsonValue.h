#pragma once

#include <QJsonValue>
#include <QVariant>

// A field's value as a JSON object keeps it, for a journal or an audit row to
// hold and give back: dates, times and moments in ISO form, numbers as
// numbers, NULL as null.
QJsonValue jsonValueOf(const QVariant& value);
