#pragma once

#include "BoardFilter.h"
#include "Correction.h"
#include "CorrectionForms.h"
#include "PunchTableModel.h"

#include <QMainWindow>
#include <QStandardItemModel>
#include <QTimer>

class ChangeWatch;
class DeskStore;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QTabWidget;
class QTableView;
struct Services;

// The supervisor's desk: the board of the jobs open now, a day's closed jobs,
// the corrections made, and the conflicts of the terminals' outage journals,
// each kept current as the punches change; from the board and the lists a
// supervisor ends, corrects or deletes a punch, with a reason.
class DeskWindow : public QMainWindow
{
    Q_OBJECT

public:
    DeskWindow(DeskStore& store, const Services& services, CorrectionForms& forms,
        qint64 shiftSeconds, QWidget* parent = nullptr);

    // Every change the watch tells of refreshes what the desk shows.
    void follow(ChangeWatch& watch);
    // Reads the open jobs, the day's jobs, the corrections and the conflicts anew.
    void refresh();

    PunchTableModel& board() { return m_board; }
    BoardFilter& boardFilter() { return m_boardFilter; }
    PunchTableModel& closedJobs() { return m_day; }
    QStandardItemModel& corrections() { return m_history; }
    QStandardItemModel& conflicts() { return m_conflicts; }
    QTableView* boardView() const { return m_boardView; }
    QTableView* dayView() const { return m_dayView; }
    QTableView* conflictsView() const { return m_conflictsView; }
    QComboBox* departmentBox() const { return m_department; }
    QLineEdit* filterBox() const { return m_filter; }
    QDateEdit* dayBox() const { return m_dayBox; }

    // The controls' events.
    void endJobClicked();
    void editOpenJobClicked();
    void deleteOpenJobClicked();
    void editClosedJobClicked();
    void deleteClosedJobClicked();
    void applyConflictClicked();
    void dismissConflictClicked();
    void departmentChosen(int index);
    void filterEdited(const QString& text);
    void dayChosen(QDate day);
    void historyPeriodChosen();
    void clockTicked();

private:
    QWidget* makeBoardTab();
    QWidget* makeDayTab();
    QWidget* makeHistoryTab();
    QWidget* makeConflictsTab();
    void refreshBoard();
    void refreshDay();
    void refreshHistory();
    void refreshConflicts();
    void showProblem(const QString& problem);
    std::optional<Punch> selected(
        QTableView* view, const QSortFilterProxyModel& proxy, const PunchTableModel& model) const;
    std::optional<Conflict> selectedConflict() const;
    // The form, the check, the supervisor's confirmation and the write; the
    // form again, with what he typed, when the check refuses.
    void correct(
        Correction::Action action, const Punch& punch, const std::optional<Conflict>& conflict);

    DeskStore& m_store;
    const Services& m_services;
    CorrectionForms& m_forms;
    qint64 m_shiftSeconds;

    PunchTableModel m_board;
    BoardFilter m_boardFilter;
    PunchTableModel m_day;
    BoardFilter m_dayFilter;
    QStandardItemModel m_history;
    QStandardItemModel m_conflicts;
    QList<Conflict> m_conflictList;
    QTimer m_clock;

    QTabWidget* m_tabs = nullptr;
    QTableView* m_boardView = nullptr;
    QTableView* m_dayView = nullptr;
    QTableView* m_conflictsView = nullptr;
    QComboBox* m_department = nullptr;
    QLineEdit* m_filter = nullptr;
    QDateEdit* m_dayBox = nullptr;
    QDateEdit* m_historyFrom = nullptr;
    QWidget* m_conflictsTab = nullptr;
    QString m_readProblem;
};
