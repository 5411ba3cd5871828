#pragma once

#include "PunchTableModel.h"

#include <QSortFilterProxyModel>

// Sorts a list of punches by any column, by the values themselves, and shows
// only the rows of one level 1 item (a department of the shop, on most sites)
// and of the workers whose name or badge holds the typed text.
class BoardFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit BoardFilter(PunchTableModel& source, QObject* parent = nullptr);

    // Empty: every item.
    void setLevel1Item(const QString& item);
    void setText(const QString& text);
    QString level1Item() const { return m_item; }
    QString text() const { return m_text; }

    // The punches shown, in the order shown.
    QList<Punch> shown() const;
    PunchTableModel::Totals totals() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    PunchTableModel& m_source;
    QString m_item;
    QString m_text;
};
