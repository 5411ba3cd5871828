#pragma once

#include <QChar>
#include <QPageSize>
#include <QString>

class QIODevice;

namespace JobCost {
class Report;
}

// The report as a printable PDF, landscape, for reading: a header that says
// how each figure is worked out, the costs table with a bar of labour and bonus
// for every group (by day with week and month subtotals, with --detail each
// punch under its group) and the grand total, then the open jobs and the rows
// not costed. Labels wrap rather than being cut, the column heads repeat on
// every page, and every page is numbered. The figures are the CSV's, with the
// user's decimal and thousands separators.
namespace JobCostPdf {

struct Heading
{
    QString site; // the folder the punches came from
    QString madeBy; // program name and version
};

struct Numbers
{
    QChar decimalSeparator = QLatin1Char('.');
    // None: a comma, or a full stop beside a decimal comma.
    QChar groupSeparator;
};

// The report, already finished. False when the device took less than it was given.
bool write(const JobCost::Report& report, const Heading& heading, QPageSize::PageSizeId size,
    const Numbers& numbers, QIODevice& out);

// A figure as the PDF shows it: "-12345.5" becomes "-12,345.5" (or "-12.345,5").
QString grouped(const QString& figure, const Numbers& numbers);

} // namespace JobCostPdf
