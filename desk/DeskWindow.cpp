#include "DeskWindow.h"

#include "ChangeWatch.h"
#include "DeskStore.h"
#include "data/DataError.h"
#include "program/Services.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/Dialogs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

namespace {

const QString title = QStringLiteral("Job Costing Desk");

QTableView* tableView(QAbstractItemModel* model, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSortingEnabled(true);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setAlternatingRowColors(true);
    return view;
}

QPushButton* button(const QString& text, QWidget* parent, QBoxLayout* layout)
{
    auto* pushButton = new QPushButton(text, parent);
    layout->addWidget(pushButton);
    return pushButton;
}

QString verbOf(Correction::Action action)
{
    switch (action) {
    case Correction::Action::End:
        return QStringLiteral("End the job");
    case Correction::Action::Edit:
        return QStringLiteral("Correct the punch");
    case Correction::Action::Delete:
        return QStringLiteral("Delete the punch");
    case Correction::Action::Apply:
        return QStringLiteral("Apply the conflict");
    case Correction::Action::Dismiss:
        return QStringLiteral("Dismiss the conflict");
    }
    return {};
}

} // namespace

DeskWindow::DeskWindow(DeskStore& store, const Services& services, CorrectionForms& forms,
    qint64 shiftSeconds, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_services(services)
    , m_forms(forms)
    , m_shiftSeconds(shiftSeconds)
    , m_board(PunchTableModel::Kind::OpenJobs, services.regional, services.clock, shiftSeconds)
    , m_boardFilter(m_board)
    , m_day(PunchTableModel::Kind::ClosedJobs, services.regional, services.clock, shiftSeconds)
    , m_dayFilter(m_day)
{
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(makeBoardTab(), QStringLiteral("&Open jobs"));
    m_tabs->addTab(makeDayTab(), QStringLiteral("&Closed jobs"));
    m_tabs->addTab(makeHistoryTab(), QStringLiteral("Co&rrections"));
    if (m_store.keepsConflicts()) {
        m_conflictsTab = makeConflictsTab();
        m_tabs->addTab(m_conflictsTab, QStringLiteral("Co&nflicts"));
    }
    setCentralWidget(m_tabs);
    statusBar();
    resize(1000, 560);
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &DeskWindow::clockTicked);
    m_clock.start();
    refresh();
    // Return on the board ends the job it stands on.
    m_boardView->setFocus();
}

QWidget* DeskWindow::makeBoardTab()
{
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QHBoxLayout;
    m_department = new QComboBox(tab);
    m_department->setObjectName(QStringLiteral("department"));
    m_department->addItem(QStringLiteral("All departments"), QString());
    bar->addWidget(new QLabel(QStringLiteral("Department:"), tab));
    bar->addWidget(m_department);
    m_filter = new QLineEdit(tab);
    m_filter->setObjectName(QStringLiteral("filter"));
    m_filter->setPlaceholderText(QStringLiteral("Name or badge"));
    m_filter->setClearButtonEnabled(true);
    bar->addWidget(m_filter, 1);
    QPushButton* end = button(QStringLiteral("&End job..."), tab, bar);
    QPushButton* edit = button(QStringLiteral("E&dit..."), tab, bar);
    QPushButton* remove = button(QStringLiteral("De&lete..."), tab, bar);
    layout->addLayout(bar);
    m_boardView = tableView(&m_boardFilter, tab);
    m_boardView->setObjectName(QStringLiteral("board"));
    m_boardView->sortByColumn(PunchTableModel::OpenForColumn, Qt::DescendingOrder);
    layout->addWidget(m_boardView);

    connect(m_department, &QComboBox::currentIndexChanged, this, &DeskWindow::departmentChosen);
    connect(m_filter, &QLineEdit::textChanged, this, &DeskWindow::filterEdited);
    connect(end, &QPushButton::clicked, this, &DeskWindow::endJobClicked);
    connect(edit, &QPushButton::clicked, this, &DeskWindow::editOpenJobClicked);
    connect(remove, &QPushButton::clicked, this, &DeskWindow::deleteOpenJobClicked);
    connect(m_boardView, &QTableView::activated, this, &DeskWindow::endJobClicked);
    return tab;
}

QWidget* DeskWindow::makeDayTab()
{
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QHBoxLayout;
    m_dayBox = new QDateEdit(m_store.siteTime().now(m_services.clock).date(), tab);
    m_dayBox->setObjectName(QStringLiteral("day"));
    m_dayBox->setDisplayFormat(m_services.regional.shortDatePattern());
    m_dayBox->setCalendarPopup(true);
    bar->addWidget(new QLabel(QStringLiteral("Jobs started on:"), tab));
    bar->addWidget(m_dayBox);
    bar->addStretch(1);
    QPushButton* edit = button(QStringLiteral("E&dit..."), tab, bar);
    QPushButton* remove = button(QStringLiteral("De&lete..."), tab, bar);
    layout->addLayout(bar);
    m_dayView = tableView(&m_dayFilter, tab);
    m_dayView->setObjectName(QStringLiteral("closedJobs"));
    m_dayView->sortByColumn(PunchTableModel::StartedColumn, Qt::AscendingOrder);
    layout->addWidget(m_dayView);

    connect(m_dayBox, &QDateEdit::dateChanged, this, &DeskWindow::dayChosen);
    connect(edit, &QPushButton::clicked, this, &DeskWindow::editClosedJobClicked);
    connect(remove, &QPushButton::clicked, this, &DeskWindow::deleteClosedJobClicked);
    connect(m_dayView, &QTableView::activated, this, &DeskWindow::editClosedJobClicked);
    return tab;
}

QWidget* DeskWindow::makeHistoryTab()
{
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QHBoxLayout;
    m_historyFrom = new QDateEdit(m_services.clock.now().date().addDays(-30), tab);
    m_historyFrom->setDisplayFormat(m_services.regional.shortDatePattern());
    m_historyFrom->setCalendarPopup(true);
    bar->addWidget(new QLabel(QStringLiteral("Corrections made since"), tab));
    bar->addWidget(m_historyFrom);
    connect(m_historyFrom, &QDateEdit::dateChanged, this, &DeskWindow::historyPeriodChosen);
    bar->addStretch(1);
    layout->addLayout(bar);
    m_history.setHorizontalHeaderLabels({QStringLiteral("When"), QStringLiteral("Who"),
        QStringLiteral("Action"), QStringLiteral("Worker"), QStringLiteral("Reason"),
        QStringLiteral("Old values"), QStringLiteral("New values")});
    auto* view = tableView(&m_history, tab);
    view->setSortingEnabled(false);
    layout->addWidget(view);
    return tab;
}

QWidget* DeskWindow::makeConflictsTab()
{
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QHBoxLayout;
    bar->addWidget(
        new QLabel(QStringLiteral("Punches a terminal could not write after an outage"), tab));
    bar->addStretch(1);
    QPushButton* apply = button(QStringLiteral("&Apply..."), tab, bar);
    QPushButton* dismiss = button(QStringLiteral("Di&smiss..."), tab, bar);
    layout->addLayout(bar);
    m_conflicts.setHorizontalHeaderLabels({QStringLiteral("Arrived"), QStringLiteral("Terminal"),
        QStringLiteral("Punch"), QStringLiteral("Badge"), QStringLiteral("Name"),
        QStringLiteral("Started"), QStringLiteral("Why")});
    m_conflictsView = tableView(&m_conflicts, tab);
    m_conflictsView->setSortingEnabled(false);
    layout->addWidget(m_conflictsView);
    connect(apply, &QPushButton::clicked, this, &DeskWindow::applyConflictClicked);
    connect(dismiss, &QPushButton::clicked, this, &DeskWindow::dismissConflictClicked);
    return tab;
}

void DeskWindow::follow(ChangeWatch& watch)
{
    connect(&watch, &ChangeWatch::changed, this, &DeskWindow::refresh);
}

void DeskWindow::refresh()
{
    m_readProblem.clear();
    refreshBoard();
    refreshDay();
    refreshHistory();
    refreshConflicts();
    showProblem(m_readProblem.isEmpty() ? m_store.employeesProblem() : m_readProblem);
}

void DeskWindow::showProblem(const QString& problem)
{
    if (problem.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(problem);
}

void DeskWindow::refreshBoard()
{
    try {
        m_board.refresh(m_store.openJobs());
    } catch (const std::exception& error) {
        m_readProblem = QStringLiteral("The open jobs could not be read: %1")
                            .arg(QString::fromStdString(error.what()));
        return;
    }
    const int open = m_board.rowCount();
    setWindowTitle(open == 1 ? QStringLiteral("%1 - 1 open job").arg(title)
                             : QStringLiteral("%1 - %2 open jobs").arg(title).arg(open));

    // The departments of the jobs open, the one chosen kept.
    std::set<qlonglong> numbers;
    for (int row = 0; row < open; ++row)
        if (const QString department = m_board.punch(row).department(); !department.isEmpty())
            numbers.insert(department.toLongLong());
    QStringList departments;
    for (const qlonglong number : numbers)
        departments << QString::number(number);
    QStringList shown;
    for (int i = 1; i < m_department->count(); ++i)
        shown << m_department->itemData(i).toString();
    const QString chosen = m_department->currentData().toString();
    if (shown != departments) {
        const QSignalBlocker quiet(m_department);
        m_department->clear();
        m_department->addItem(QStringLiteral("All departments"), QString());
        for (const QString& department : std::as_const(departments))
            m_department->addItem(QStringLiteral("Department %1").arg(department), department);
        if (!chosen.isEmpty() && !departments.contains(chosen))
            m_department->addItem(QStringLiteral("Department %1").arg(chosen), chosen);
        m_department->setCurrentIndex(std::max(m_department->findData(chosen), 0));
    }
    if (!m_boardView->currentIndex().isValid() && m_boardFilter.rowCount() > 0)
        m_boardView->setCurrentIndex(m_boardFilter.index(0, 0));
}

void DeskWindow::refreshDay()
{
    try {
        QList<Punch> closed = m_store.jobsOfDay(m_dayBox->date());
        closed.removeIf([](const Punch& punch) { return punch.isOpen(); });
        m_day.refresh(closed);
    } catch (const std::exception& error) {
        m_readProblem = QStringLiteral("The jobs of the day could not be read: %1")
                            .arg(QString::fromStdString(error.what()));
    }
}

void DeskWindow::refreshHistory()
{
    QList<DeskStore::AuditEntry> entries;
    try {
        entries = m_store.history(m_historyFrom->date(), std::nullopt);
    } catch (const std::exception& error) {
        m_readProblem = QStringLiteral("The corrections could not be read: %1")
                            .arg(QString::fromStdString(error.what()));
        return;
    }
    m_history.setRowCount(0);
    // The latest first.
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        QList<QStandardItem*> row;
        for (const QString& text :
            {m_services.regional.dateTimeText(entry->correctedAt), entry->correctedBy,
                entry->action, entry->name, entry->reason, entry->oldValues, entry->newValues})
            row << new QStandardItem(text);
        m_history.appendRow(row);
    }
}

void DeskWindow::refreshConflicts()
{
    if (!m_conflictsTab)
        return;
    try {
        m_conflictList = m_store.conflicts();
    } catch (const std::exception& error) {
        m_readProblem = QStringLiteral("The conflicts could not be read: %1")
                            .arg(QString::fromStdString(error.what()));
        return;
    }
    m_conflicts.setRowCount(0);
    for (const Conflict& conflict : std::as_const(m_conflictList)) {
        QList<QStandardItem*> row;
        for (const QString& text : {m_services.regional.dateTimeText(conflict.arrivedAt),
                 conflict.terminal, conflict.action, conflict.punch.badge, conflict.punch.name(),
                 conflict.punch.started().isValid()
                     ? m_services.regional.dateTimeText(conflict.punch.started())
                     : QString(),
                 conflict.reason})
            row << new QStandardItem(text);
        m_conflicts.appendRow(row);
    }
    m_tabs->setTabText(m_tabs->indexOf(m_conflictsTab),
        m_conflictList.isEmpty() ? QStringLiteral("Co&nflicts")
                                 : QStringLiteral("Co&nflicts (%1)").arg(m_conflictList.size()));
}

std::optional<Punch> DeskWindow::selected(
    QTableView* view, const QSortFilterProxyModel& proxy, const PunchTableModel& model) const
{
    const QModelIndex current = proxy.mapToSource(view->currentIndex());
    if (!current.isValid())
        return std::nullopt;
    return model.punch(current.row());
}

std::optional<Conflict> DeskWindow::selectedConflict() const
{
    const QModelIndex current = m_conflictsView->currentIndex();
    if (!current.isValid() || current.row() >= m_conflictList.size())
        return std::nullopt;
    return m_conflictList.at(current.row());
}

void DeskWindow::correct(
    Correction::Action action, const Punch& punch, const std::optional<Conflict>& conflict)
{
    const QDateTime now = m_store.siteTime().now(m_services.clock);
    CorrectionInput input;
    input.start = punch.started();
    input.stop = punch.stopped();
    input.pieces = punch.pieces();
    if (action == Correction::Action::End) {
        // A forgotten job ends, by default, a shift after its start.
        const QDateTime shiftEnd = punch.started().addSecs(m_shiftSeconds);
        input.stop = shiftEnd.isValid() && shiftEnd < now ? shiftEnd : now;
        input.stop.setTime(QTime(input.stop.time().hour(), input.stop.time().minute()));
    }
    const RegionalSettings& regional = m_services.regional;
    for (;;) {
        const auto filled = m_forms.ask(action, punch, input);
        if (!filled)
            return;
        input = *filled;
        std::optional<Correction> correction;
        try {
            switch (action) {
            case Correction::Action::End:
                correction = Corrections::end(punch, input.stop, input.pieces, input.reason,
                    m_services.clock.now(), regional);
                break;
            case Correction::Action::Edit:
                correction = Corrections::edit(punch, input.start, input.stop, input.pieces,
                    input.reason, m_services.clock.now(), regional);
                break;
            case Correction::Action::Delete:
                correction = Corrections::remove(punch, input.reason);
                break;
            case Correction::Action::Apply:
                correction = Corrections::apply(*conflict, input.reason);
                break;
            case Correction::Action::Dismiss:
                correction = Corrections::dismiss(*conflict, input.reason);
                break;
            }
        } catch (const Refused& refused) {
            m_services.dialogs.stop(title, refused.message());
            continue;
        }
        const QString question = QStringLiteral("%1 of %2?\n\n%3\n\nReason: %4")
                                     .arg(verbOf(action), punch.name(),
                                         correction->summary(regional), correction->reason);
        if (m_services.dialogs.message({title, question, Dialogs::Icon::None,
                Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok})
            != Dialogs::Answer::Ok)
            return;
        try {
            m_store.write(*correction);
            statusBar()->showMessage(
                QStringLiteral("%1 of %2: done.").arg(verbOf(action), punch.name()), 10000);
        } catch (const Refused& refused) {
            m_services.dialogs.stop(title, refused.message());
        } catch (const DataError& error) {
            m_services.dialogs.stop(
                title, QStringLiteral("The correction was not written. %1").arg(error.message()));
        }
        refresh();
        return;
    }
}

void DeskWindow::endJobClicked()
{
    if (const auto punch = selected(m_boardView, m_boardFilter, m_board))
        correct(Correction::Action::End, *punch, std::nullopt);
}

void DeskWindow::editOpenJobClicked()
{
    if (const auto punch = selected(m_boardView, m_boardFilter, m_board))
        correct(Correction::Action::Edit, *punch, std::nullopt);
}

void DeskWindow::deleteOpenJobClicked()
{
    if (const auto punch = selected(m_boardView, m_boardFilter, m_board))
        correct(Correction::Action::Delete, *punch, std::nullopt);
}

void DeskWindow::editClosedJobClicked()
{
    if (const auto punch = selected(m_dayView, m_dayFilter, m_day))
        correct(Correction::Action::Edit, *punch, std::nullopt);
}

void DeskWindow::deleteClosedJobClicked()
{
    if (const auto punch = selected(m_dayView, m_dayFilter, m_day))
        correct(Correction::Action::Delete, *punch, std::nullopt);
}

void DeskWindow::applyConflictClicked()
{
    if (const auto conflict = selectedConflict())
        correct(Correction::Action::Apply, conflict->punch, conflict);
}

void DeskWindow::dismissConflictClicked()
{
    if (const auto conflict = selectedConflict())
        correct(Correction::Action::Dismiss, conflict->punch, conflict);
}

void DeskWindow::departmentChosen(int index)
{
    m_boardFilter.setDepartment(m_department->itemData(index).toString());
}

void DeskWindow::filterEdited(const QString& text)
{
    m_boardFilter.setText(text);
}

void DeskWindow::dayChosen(QDate)
{
    m_readProblem.clear();
    refreshDay();
    showProblem(m_readProblem);
}

void DeskWindow::historyPeriodChosen()
{
    m_readProblem.clear();
    refreshHistory();
    showProblem(m_readProblem);
}

void DeskWindow::clockTicked()
{
    m_board.tick();
}
