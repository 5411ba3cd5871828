#pragma once

#include <QByteArray>

namespace JobCost {
class Report;
}

// The report as one table for spreadsheets: RFC 4180 (CRLF, quoted where
// needed), a header row, UTF-8, ISO dates, full-stop decimals. The first
// column tells the rows apart: "group", "total", "open", "not costed".
namespace JobCostCsv {

QByteArray write(const JobCost::Report& report);

} // namespace JobCostCsv
