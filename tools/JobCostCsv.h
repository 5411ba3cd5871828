#pragma once

#include <QChar>

class QIODevice;

namespace JobCost {
class Report;
}

// The report as one table for spreadsheets: RFC 4180 (CRLF, quoted where
// needed), a header row of short names, UTF-8, ISO dates, full-stop decimals.
// The first column tells the rows apart: group, detail, week, month, total,
// open, not costed, correction. A cell of a text column that a spreadsheet would take for
// a formula gets a leading apostrophe, so that it shows as the text it is.
namespace JobCostCsv {

struct Style
{
    // For spreadsheets that read CSV by the regional settings: a byte-order
    // mark, and beside a decimal comma ";" between fields and decimal commas.
    bool excel = false;
    QChar decimalSeparator = QLatin1Char('.');
};

// The report, the groups in order, the report already finished. False when
// the device took less than it was given.
bool write(const JobCost::Report& report, QIODevice& out, const Style& style = {});

} // namespace JobCostCsv
