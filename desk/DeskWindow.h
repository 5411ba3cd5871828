#pragma once

#include "BoardFilter.h"
#include "Correction.h"
#include "DeskForms.h"
#include "DeskLink.h"
#include "DeskTables.h"
#include "PunchTableModel.h"

#include <QMainWindow>
#include <QStandardItemModel>
#include <QTimer>
#include <functional>

class QComboBox;
class QIODevice;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
struct Services;

// The supervisor's desk: the board of the jobs open now, the closed jobs and
// the corrections of a period, and the conflicts of the terminals' outage
// journals, each kept current as the punches change; from the board and the
// lists a supervisor ends, corrects or deletes a punch, with a reason, and
// exports or prints what a list shows. It never waits for the site: while the
// site cannot be read its title says since when the lists are not updated,
// and corrections are refused until it can.
class DeskWindow : public QMainWindow
{
    Q_OBJECT

public:
    DeskWindow(DeskLink& link, const Services& services, DeskForms& forms, qint64 shiftSeconds,
        QWidget* parent = nullptr);

    PunchTableModel& board() { return m_board; }
    BoardFilter& boardFilter() { return m_boardFilter; }
    PunchTableModel& closedJobs() { return m_closed; }
    BoardFilter& closedFilter() { return m_closedFilter; }
    QStandardItemModel& corrections() { return m_history; }
    QStandardItemModel& conflicts() { return m_conflicts; }
    QTabWidget* tabs() const { return m_tabs; }
    QTableView* boardView() const { return m_boardView; }
    QTableView* closedView() const { return m_closedView; }
    QTableView* conflictsView() const { return m_conflictsView; }
    QComboBox* level1Box() const { return m_level1; }
    QLineEdit* filterBox() const { return m_filter; }
    QDateEdit* closedFromBox() const { return m_closedFrom; }
    QDateEdit* closedToBox() const { return m_closedTo; }
    QDateEdit* correctionsFromBox() const { return m_correctionsFrom; }
    QDateEdit* correctionsToBox() const { return m_correctionsTo; }
    // What the totals line under a list says.
    QString boardTotals() const;
    QString closedTotals() const;
    // Whether what is shown is the site as last read without a failure since.
    bool upToDate() const { return m_read && !m_stale; }
    bool writing() const { return m_writing; }

    // The controls' events.
    void endJobClicked();
    void editOpenJobClicked();
    void deleteOpenJobClicked();
    void editClosedJobClicked();
    void deleteClosedJobClicked();
    void applyConflictClicked();
    void dismissConflictClicked();
    void deletePressed();
    void refreshPressed();
    void exportClicked();
    void printClicked();
    void level1Chosen(int index);
    void filterEdited(const QString& text);
    void periodChosen();
    void clockTicked();

    // The link's answers.
    void siteRead(const DeskRead& read);
    void siteNotRead(const QString& why);
    void correctionWritten(const QString& by);
    void correctionNotWritten(const QString& why, bool refused);

private:
    QWidget* makeBoardTab();
    QWidget* makeClosedTab();
    QWidget* makeHistoryTab();
    QWidget* makeConflictsTab();
    void makeMenus();
    DeskPeriods periods() const;
    void showConflicts(const QList<Conflict>& conflicts);
    void showCorrections(const QList<DeskStore::AuditEntry>& entries);
    void updateLevel1Items();
    void updateTitle();
    void updateTotals();
    void updateButtons();
    std::optional<Punch> selected(
        QTableView* view, const QSortFilterProxyModel& proxy, const PunchTableModel& model) const;
    std::optional<Conflict> selectedConflict() const;
    // The form, the check, the supervisor's confirmation and the write; the
    // form again, with what he typed, when the check refuses.
    void correct(
        Correction::Action action, const Punch& punch, const std::optional<Conflict>& conflict);
    // Says why nothing can be done now, where something stands in the way.
    bool refuseNow();
    QString confirmation(const Correction& correction, const Punch& punch) const;
    // The list of the tab in front as it is shown (filter, days, order): in
    // words for print, or for CSV.
    struct Shown
    {
        QString heading;
        QString detail; // the filter and the totals
        DeskTables::Table table;
    };
    Shown shown(DeskTables::Form form) const;
    // Asks where, and saves there; false when the supervisor cancels.
    void save(const QString& what, const QString& suffix,
        const std::function<bool(QIODevice&, const Shown&)>& write, DeskTables::Form form);

    DeskLink& m_link;
    const Services& m_services;
    DeskForms& m_forms;
    qint64 m_shiftSeconds;

    PunchTableModel m_board;
    BoardFilter m_boardFilter;
    PunchTableModel m_closed;
    BoardFilter m_closedFilter;
    QStandardItemModel m_history;
    QStandardItemModel m_conflicts;
    QList<Conflict> m_conflictList;
    QList<DeskStore::AuditEntry> m_entries; // newest first
    QStringList m_levelTitles;
    QTimer m_clock;

    bool m_read = false; // once read
    bool m_stale = false;
    bool m_writing = false;
    QString m_action; // of the correction being written, for the status bar
    QString m_notReadMessage; // the status bar's words while the site cannot be read
    // The site's clocks, as the last read found them; the machine's before any.
    SiteTime m_siteTime;
    QDateTime m_lastRead; // at the site; the desk's start before any read
    QDate m_today; // at the site: the days shown that end today move on at midnight
    QString m_why; // the last failure's
    QString m_employeesProblem;

    QTabWidget* m_tabs = nullptr;
    QTableView* m_boardView = nullptr;
    QTableView* m_closedView = nullptr;
    QTableView* m_historyView = nullptr;
    QTableView* m_conflictsView = nullptr;
    QComboBox* m_level1 = nullptr;
    QLabel* m_level1Label = nullptr;
    QLineEdit* m_filter = nullptr;
    QComboBox* m_closedLevel1 = nullptr;
    QLabel* m_closedLevel1Label = nullptr;
    QLineEdit* m_closedFilterBox = nullptr;
    QDateEdit* m_closedFrom = nullptr;
    QDateEdit* m_closedTo = nullptr;
    QDateEdit* m_correctionsFrom = nullptr;
    QDateEdit* m_correctionsTo = nullptr;
    QLabel* m_boardTotals = nullptr;
    QLabel* m_closedTotals = nullptr;
    QLabel* m_historyTotals = nullptr;
    QLabel* m_updated = nullptr;
    QWidget* m_conflictsTab = nullptr;
    QList<QPushButton*> m_boardButtons;
    QList<QPushButton*> m_closedButtons;
    QList<QPushButton*> m_conflictButtons;
};
