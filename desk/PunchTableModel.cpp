#include "PunchTableModel.h"

#include "DeskWords.h"
#include "data/SiteModel.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace {

// A red disc, the mark of a job open longer than a shift.
QIcon flagIcon()
{
    static const QIcon icon = [] {
        QPixmap disc(12, 12);
        disc.fill(Qt::transparent);
        QPainter painter(&disc);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor(150, 0, 0));
        painter.setBrush(QColor(210, 20, 20));
        painter.drawEllipse(QRectF(1, 1, 10, 10));
        return QIcon(disc);
    }();
    return icon;
}

} // namespace

QString arrivedAwayExplained()
{
    return arrivedAwayMark.trimmed() + QLatin1Char(' ')
        + PunchTableModel::tr("Its start or its end reached the database more than ten minutes "
                              "away from its own time: kept at a terminal through an outage, "
                              "written on a clock set wrong, or by hand.");
}

PunchTableModel::PunchTableModel(Kind kind, const RegionalSettings& regional, const Clock& clock,
    qint64 shiftSeconds, QObject* parent)
    : QAbstractTableModel(parent)
    , m_kind(kind)
    , m_regional(regional)
    , m_clock(clock)
    , m_shiftSeconds(shiftSeconds)
{ }

int PunchTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_punches.size());
}

int PunchTableModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_kind == Kind::OpenJobs ? OpenForColumn + 1 : CorrectedColumn + 1;
}

int PunchTableModel::rowOf(const QString& punchId) const
{
    for (int row = 0; row < m_punches.size(); ++row)
        if (m_punches.at(row).punchId == punchId)
            return row;
    return -1;
}

void PunchTableModel::refresh(const QList<Punch>& punches)
{
    QHash<QString, qsizetype> fresh;
    for (qsizetype i = 0; i < punches.size(); ++i)
        fresh.insert(punches.at(i).punchId, i);
    // Rows of punches gone, from the last up, in runs.
    for (int row = int(m_punches.size()) - 1; row >= 0;) {
        if (fresh.contains(m_punches.at(row).punchId)) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && !fresh.contains(m_punches.at(first - 1).punchId))
            --first;
        beginRemoveRows({}, first, row);
        m_punches.remove(first, row - first + 1);
        endRemoveRows();
        row = first - 1;
    }
    // Rows whose punch changed; the rest are new.
    QList<Punch> added;
    QHash<QString, int> kept;
    for (int row = 0; row < m_punches.size(); ++row)
        kept.insert(m_punches.at(row).punchId, row);
    for (const Punch& punch : punches) {
        const auto at = kept.constFind(punch.punchId);
        if (at == kept.constEnd()) {
            added << punch;
            continue;
        }
        Punch& shown = m_punches[*at];
        if (shown.stored == punch.stored && shown.badge == punch.badge
            && shown.corrections == punch.corrections)
            continue;
        shown = punch;
        emit dataChanged(index(*at, 0), index(*at, columnCount() - 1));
    }
    if (!added.isEmpty()) {
        beginInsertRows({}, int(m_punches.size()), int(m_punches.size() + added.size()) - 1);
        m_punches << added;
        endInsertRows();
    }
    updateTitles();
}

void PunchTableModel::setLevelTitles(const QStringList& titles)
{
    m_siteTitles = titles;
    updateTitles();
}

void PunchTableModel::updateTitles()
{
    // The levels are headed by the titles the punches carry, else by the site's.
    const QStringList site = DeskWords::levelHeadings(m_siteTitles);
    for (int level = 0; level < 3; ++level) {
        QString title = site.at(level);
        for (const Punch& punch : std::as_const(m_punches)) {
            const QString carried = punch.values
                                        .value(SiteModel::JobPunch::level(level + 1,
                                            SiteModel::JobPunch::LevelField::Description))
                                        .toString();
            if (!carried.isEmpty()) {
                title = carried;
                break;
            }
        }
        if (m_levelTitles.at(level) != title) {
            m_levelTitles[level] = title;
            emit headerDataChanged(Qt::Horizontal, Level1Column + level, Level1Column + level);
        }
    }
}

void PunchTableModel::tick()
{
    if (m_kind != Kind::OpenJobs || m_punches.isEmpty())
        return;
    const qint64 minute = m_clock.now().toSecsSinceEpoch() / 60;
    if (std::exchange(m_shownMinute, minute) == minute)
        return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
        {Qt::DisplayRole, SortRole, FlaggedRole, Qt::BackgroundRole, Qt::ToolTipRole});
}

qint64 PunchTableModel::openSeconds(const Punch& punch) const
{
    return punch.secondsOpen(m_clock.now());
}

qint64 PunchTableModel::seconds(int row) const
{
    const Punch& punch = m_punches.at(row);
    return m_kind == Kind::OpenJobs ? openSeconds(punch) : punch.secondsWorked();
}

PunchTableModel::Totals PunchTableModel::totals(const QList<int>& rows) const
{
    Totals totals;
    for (const int row : rows) {
        ++totals.jobs;
        totals.overShift += flagged(row) ? 1 : 0;
        totals.seconds += seconds(row);
        totals.pieces += m_punches.at(row).pieces();
    }
    return totals;
}

bool PunchTableModel::flagged(const Punch& punch) const
{
    return m_kind == Kind::OpenJobs && openSeconds(punch) > m_shiftSeconds;
}

QVariant PunchTableModel::display(const Punch& punch, int column) const
{
    switch (column) {
    case BadgeColumn:
        return punch.badge;
    case NameColumn:
        return punch.name();
    case DepartmentColumn:
        return punch.department();
    case Level1Column:
    case Level2Column:
    case Level3Column:
        return punch.item(column - Level1Column + 1);
    case StartedColumn:
        if (!punch.started().isValid())
            return QString();
        return m_regional.dateTimeText(punch.started())
            + (punch.arrivedAway() ? QString(arrivedAwayMark) : QString());
    default:
        break;
    }
    if (m_kind == Kind::OpenJobs)
        return DeskWords::duration(openSeconds(punch));
    switch (column) {
    case StoppedColumn:
        // The time of day, as the punch keeps it: one earlier than the start
        // fell on the next day, which the hours tell.
        return punch.stopped().isValid() ? m_regional.timeText(punch.stopped().time()) : QString();
    case HoursColumn:
        return DeskWords::duration(punch.secondsWorked());
    case PiecesColumn:
        return m_regional.numberText(punch.pieces());
    case CorrectedColumn:
        return punch.corrections == 0 ? QString()
            : punch.corrections == 1  ? tr("corrected")
                                      : tr("corrected %n times", nullptr, punch.corrections);
    default:
        return {};
    }
}

QVariant PunchTableModel::sortValue(const Punch& punch, int column) const
{
    switch (column) {
    case DepartmentColumn:
        return punch.values.value(SiteModel::JobPunch::deptNum);
    case StartedColumn:
        return punch.started();
    default:
        break;
    }
    if (m_kind == Kind::OpenJobs)
        return column == OpenForColumn ? QVariant(openSeconds(punch)) : display(punch, column);
    switch (column) {
    case StoppedColumn:
        return punch.stopped();
    case HoursColumn:
        return punch.secondsWorked();
    case PiecesColumn:
        return punch.pieces();
    case CorrectedColumn:
        return punch.corrections;
    default:
        return display(punch, column);
    }
}

QVariant PunchTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_punches.size())
        return {};
    const Punch& punch = m_punches.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return display(punch, index.column());
    case SortRole:
        return sortValue(punch, index.column());
    case FlaggedRole:
        return flagged(punch);
    case Qt::BackgroundRole:
        if (flagged(punch))
            return QBrush(QColor(255, 214, 204));
        if (m_kind == Kind::ClosedJobs && punch.corrections > 0)
            return QBrush(QColor(255, 243, 191));
        return {};
    case Qt::DecorationRole:
        // Drawn on a selected row too, where the row's colour is not.
        if (flagged(punch) && index.column() == OpenForColumn)
            return flagIcon();
        return {};
    case Qt::FontRole:
        if (flagged(punch) && index.column() == OpenForColumn) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole: {
        QStringList tips;
        if (flagged(punch))
            tips << tr("Open longer than a shift (%1)").arg(DeskWords::duration(m_shiftSeconds));
        if (punch.arrivedAway())
            tips << arrivedAwayExplained();
        return tips.isEmpty() ? QVariant() : QVariant(tips.join(QLatin1Char('\n')));
    }
    case Qt::TextAlignmentRole:
        if (index.column() >= StartedColumn && index.column() != CorrectedColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant PunchTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case BadgeColumn:
        return tr("Badge");
    case NameColumn:
        return tr("Name");
    case DepartmentColumn: {
        // On two lines: the column holds a number of two or three digits.
        QString heading = DeskWords::workerDepartment();
        if (const qsizetype space = heading.indexOf(QLatin1Char(' ')); space >= 0)
            heading[space] = QLatin1Char('\n');
        return heading;
    }
    case Level1Column:
    case Level2Column:
    case Level3Column:
        return m_levelTitles.at(section - Level1Column);
    case StartedColumn:
        return tr("Started");
    default:
        break;
    }
    if (m_kind == Kind::OpenJobs)
        return tr("Open for");
    switch (section) {
    case StoppedColumn:
        return tr("Stopped");
    case HoursColumn:
        return tr("Hours");
    case PiecesColumn:
        return tr("Pieces");
    case CorrectedColumn:
        return tr("Corrected");
    default:
        return {};
    }
}
