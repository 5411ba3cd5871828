#pragma once

#include "Punch.h"

#include <QAbstractTableModel>
#include <QList>

class Clock;
class RegionalSettings;

// The punches of a list on the desk, one row each, named by PunchId. A
// refresh changes the rows in place: rows of punches gone are removed, rows
// whose punch changed are updated, new punches are added at the end; views
// keep their selection and scroll position. Sorting and filtering are the
// proxy's.
// The board's mark on the start of a punch whose start or end reached the
// database more than ten minutes away from its own time, and what it means.
inline const QString arrivedAwayMark = QStringLiteral(" \u2020");
QString arrivedAwayExplained();

class PunchTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Kind
    {
        OpenJobs, // the board: how long each job has been open, flagged past a shift
        ClosedJobs, // a day's list: stop, hours, pieces and whether corrected
    };
    enum Column
    {
        BadgeColumn,
        NameColumn,
        DepartmentColumn,
        Level1Column,
        Level2Column,
        Level3Column,
        StartedColumn,
        // The board's last column; a day's list goes on.
        OpenForColumn,
        StoppedColumn = OpenForColumn,
        HoursColumn,
        PiecesColumn,
        CorrectedColumn,
    };
    enum Role
    {
        SortRole = Qt::UserRole, // the value itself: times as QDateTime, counts as numbers
        FlaggedRole, // the job has been open longer than a shift
    };
    // What the rows of a list add up to.
    struct Totals
    {
        int jobs = 0;
        int overShift = 0;
        qint64 seconds = 0; // open so far, or worked
        double pieces = 0;
    };

    PunchTableModel(Kind kind, const RegionalSettings& regional, const Clock& clock,
        qint64 shiftSeconds, QObject* parent = nullptr);

    void refresh(const QList<Punch>& punches);
    // The site's titles of the levels, for the heads of a list whose punches
    // name none (an empty day).
    void setLevelTitles(const QStringList& titles);
    QStringList levelTitles() const { return m_levelTitles; }
    // Called as the clock runs: the times open are shown anew when the minute
    // has changed since they were last shown.
    void tick();
    const Punch& punch(int row) const { return m_punches.at(row); }
    int rowOf(const QString& punchId) const;
    Kind kind() const { return m_kind; }
    qint64 shiftSeconds() const { return m_shiftSeconds; }
    // Open so far on the board; worked in a list of closed jobs.
    qint64 seconds(int row) const;
    bool flagged(int row) const { return flagged(m_punches.at(row)); }
    // Of the rows given (those a filter shows), or of all where none are.
    Totals totals(const QList<int>& rows) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    qint64 openSeconds(const Punch& punch) const;
    bool flagged(const Punch& punch) const;
    QVariant display(const Punch& punch, int column) const;
    QVariant sortValue(const Punch& punch, int column) const;
    void updateTitles();

    Kind m_kind;
    const RegionalSettings& m_regional;
    const Clock& m_clock;
    qint64 m_shiftSeconds;
    QList<Punch> m_punches;
    QStringList m_siteTitles;
    QStringList m_levelTitles {
        QStringLiteral("Level 1"), QStringLiteral("Level 2"), QStringLiteral("Level 3")};
    qint64 m_shownMinute = -1;
};
