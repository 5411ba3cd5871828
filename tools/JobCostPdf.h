#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QString>

namespace JobCost {
class Report;
}

// The report as a printable PDF: a header that says how each figure is worked
// out, the totals table with a bar of labour and bonus for every group (about a
// hundred groups a page), then the open jobs and the rows not costed; every
// page numbered. The figures are the same texts the CSV holds.
namespace JobCostPdf {

struct Heading
{
    QString site; // the folder the punches came from
    QString madeBy; // program name and version
};

QByteArray write(const JobCost::Report& report, const Heading& heading, QPageSize::PageSizeId size);

} // namespace JobCostPdf
