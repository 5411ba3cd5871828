#include "BoardFilter.h"

#include "PunchTableModel.h"

BoardFilter::BoardFilter(PunchTableModel& source, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_source(source)
{
    setSourceModel(&source);
    setSortRole(PunchTableModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void BoardFilter::setDepartment(const QString& department)
{
    m_department = department;
    invalidateRowsFilter();
}

void BoardFilter::setText(const QString& text)
{
    m_text = text.trimmed();
    invalidateRowsFilter();
}

bool BoardFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const Punch& punch = m_source.punch(sourceRow);
    if (!m_department.isEmpty() && punch.department() != m_department)
        return false;
    return m_text.isEmpty() || punch.name().contains(m_text, Qt::CaseInsensitive)
        || punch.badge.contains(m_text, Qt::CaseInsensitive);
}
