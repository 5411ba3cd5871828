#pragma once

#include <QSortFilterProxyModel>

class PunchTableModel;

// Sorts a list of punches by any column, by the values themselves, and shows
// only the rows of one department and of the workers whose name or badge
// holds the typed text.
class BoardFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit BoardFilter(PunchTableModel& source, QObject* parent = nullptr);

    // Empty: every department.
    void setDepartment(const QString& department);
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    PunchTableModel& m_source;
    QString m_department;
    QString m_text;
};
