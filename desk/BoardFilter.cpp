#include "BoardFilter.h"

BoardFilter::BoardFilter(PunchTableModel& source, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_source(source)
{
    setSourceModel(&source);
    setSortRole(PunchTableModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void BoardFilter::setLevel1Item(const QString& item)
{
    m_item = item;
    invalidateRowsFilter();
}

void BoardFilter::setText(const QString& text)
{
    m_text = text.trimmed();
    invalidateRowsFilter();
}

QList<Punch> BoardFilter::shown() const
{
    QList<Punch> punches;
    for (int row = 0; row < rowCount(); ++row)
        punches << m_source.punch(mapToSource(index(row, 0)).row());
    return punches;
}

PunchTableModel::Totals BoardFilter::totals() const
{
    QList<int> rows;
    for (int row = 0; row < rowCount(); ++row)
        rows << mapToSource(index(row, 0)).row();
    return m_source.totals(rows);
}

bool BoardFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const Punch& punch = m_source.punch(sourceRow);
    if (!m_item.isEmpty() && punch.item(1).compare(m_item, Qt::CaseInsensitive) != 0)
        return false;
    return m_text.isEmpty() || punch.name().contains(m_text, Qt::CaseInsensitive)
        || punch.badge.contains(m_text, Qt::CaseInsensitive);
}
