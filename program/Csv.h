#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// The cells of a CSV table (RFC 4180) that spreadsheets open: every program
// that writes one guards its cells the same way.
namespace Csv {

enum class Kind
{
    Text,
    Number, // a plain number ("-12.5") stays one; anything else is text
};

// A spreadsheet takes a cell that begins with =, +, -, @, a tab or a carriage
// return for a formula and runs it: such a text gets a leading apostrophe, so
// that it shows as the text it is ("-100" becomes "'-100").
QString guarded(const QString& text, Kind kind = Kind::Text);
bool plainNumber(const QString& text);
// Quoted where it holds the separator, a quote or a line break.
QString field(const QString& text, QChar separator = QLatin1Char(','));
// One row: each cell guarded by its column's kind (text where none is given),
// then quoted where needed; ended with CR LF.
QString row(const QStringList& cells, const QList<Kind>& kinds = {});

} // namespace Csv
