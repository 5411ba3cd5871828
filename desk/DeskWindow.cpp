#include "DeskWindow.h"

#include "DeskTables.h"
#include "DeskWords.h"
#include "program/CommandLine.h"
#include "program/Services.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/Dialogs.h"
#include "ui/PdfPages.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QShortcut>
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
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideRight);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
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

QDateEdit* dateBox(QDate date, const RegionalSettings& regional, QWidget* parent)
{
    auto* box = new QDateEdit(date, parent);
    box->setDisplayFormat(regional.shortDatePattern());
    box->setCalendarPopup(true);
    return box;
}

// What a correction does, to whose punch: "End the job of Smith".
QString actionOf(Correction::Action action, const QString& name)
{
    switch (action) {
    case Correction::Action::End:
        return DeskWindow::tr("End the job of %1").arg(name);
    case Correction::Action::Edit:
        return DeskWindow::tr("Correct the punch of %1").arg(name);
    case Correction::Action::Delete:
        return DeskWindow::tr("Delete the punch of %1").arg(name);
    case Correction::Action::Apply:
        return DeskWindow::tr("Apply the conflict of %1").arg(name);
    case Correction::Action::Dismiss:
        return DeskWindow::tr("Dismiss the conflict of %1").arg(name);
    }
    return {};
}

// What a terminal's journal asked for: a start or an end.
QString terminalAction(const QString& action)
{
    if (action == QLatin1String("start"))
        return DeskWindow::tr("Start");
    if (action == QLatin1String("end"))
        return DeskWindow::tr("End");
    QString text = action;
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

// The columns of a printed table: each as wide as its widest text and what
// the page leaves shared out, or, on a page too narrow, the widest wrapped in
// what the others leave; numbers to the right.
QList<PdfPages::Column> printColumns(PdfPages& pages, const DeskTables::Table& table)
{
    QList<double> widths;
    double total = 0;
    for (qsizetype i = 0; i < table.heads.size(); ++i) {
        double widest
            = pages.textWidth(table.heads.at(i), PdfPages::font(PdfPages::bodySize, true));
        for (const QStringList& row : table.rows)
            widest = std::max(
                widest, pages.textWidth(row.value(i), PdfPages::font(PdfPages::bodySize)));
        widths << std::min(widest + 8, pages.width() / 3);
        total += widths.last();
    }
    if (total <= pages.width()) {
        for (double& width : widths)
            width += (pages.width() - total) / double(widths.size());
    } else if (const auto widest = std::max_element(widths.begin(), widths.end());
               widest != widths.end()) {
        *widest = 0;
    }
    QList<PdfPages::Column> columns;
    for (qsizetype i = 0; i < table.heads.size(); ++i) {
        // A department number names; it is not added up.
        const bool figure = table.kinds.value(i, Csv::Kind::Text) == Csv::Kind::Number
            && table.heads.at(i) != DeskWords::workerDepartment();
        columns.append({table.heads.at(i), widths.at(i),
            figure ? PdfPages::Align::Right : PdfPages::Align::Left});
    }
    return columns;
}

} // namespace

DeskWindow::DeskWindow(DeskLink& link, const Services& services, DeskForms& forms,
    qint64 shiftSeconds, QWidget* parent)
    : QMainWindow(parent)
    , m_link(link)
    , m_services(services)
    , m_forms(forms)
    , m_shiftSeconds(shiftSeconds)
    , m_board(PunchTableModel::Kind::OpenJobs, services.regional, services.clock, shiftSeconds)
    , m_boardFilter(m_board)
    , m_closed(PunchTableModel::Kind::ClosedJobs, services.regional, services.clock, shiftSeconds)
    , m_closedFilter(m_closed)
    , m_siteTime(services.clock.timeZone())
    , m_lastRead(m_siteTime.now(services.clock))
    , m_today(m_lastRead.date())
{
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(makeBoardTab(), tr("&Open jobs"));
    m_tabs->addTab(makeClosedTab(), tr("&Closed jobs"));
    m_tabs->addTab(makeHistoryTab(), tr("Co&rrections"));
    setCentralWidget(m_tabs);
    // A tab chosen puts the keys into its list: Return, Delete and the arrows act there.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (auto* list = m_tabs->currentWidget()->findChild<QTableView*>())
            list->setFocus();
    });
    makeMenus();
    m_updated = new QLabel(this);
    statusBar()->addPermanentWidget(m_updated);
    statusBar()->showMessage(tr("Reading the site..."));
    setWindowTitle(title);
    // As wide as a list of closed jobs, where the screen has room.
    const QRect room = screen()->availableGeometry();
    resize(std::min(1180, room.width() - 10), std::min(600, room.height() - 80));

    connect(&m_link, &DeskLink::read, this, &DeskWindow::siteRead);
    connect(&m_link, &DeskLink::readFailed, this, &DeskWindow::siteNotRead);
    connect(&m_link, &DeskLink::written, this, &DeskWindow::correctionWritten);
    connect(&m_link, &DeskLink::notWritten, this, &DeskWindow::correctionNotWritten);
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &DeskWindow::clockTicked);
    m_clock.start();
    updateButtons();
    m_link.setPeriods(periods());
    // Return on the board ends the job it stands on.
    m_boardView->setFocus();
}

QWidget* DeskWindow::makeBoardTab()
{
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QHBoxLayout;
    m_level1Label = new QLabel(tr("%1:").arg(DeskWords::levelHeadings({}).at(0)), tab);
    m_level1 = new QComboBox(tab);
    m_level1->setObjectName(QStringLiteral("level1"));
    m_level1->addItem(tr("All"), QString());
    m_level1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bar->addWidget(m_level1Label);
    bar->addWidget(m_level1);
    m_filter = new QLineEdit(tab);
    m_filter->setObjectName(QStringLiteral("filter"));
    m_filter->setPlaceholderText(tr("Name or badge"));
    m_filter->setClearButtonEnabled(true);
    bar->addWidget(m_filter, 1);
    m_boardButtons << button(tr("&End job..."), tab, bar) << button(tr("E&dit..."), tab, bar)
                   << button(tr("De&lete..."), tab, bar);
    layout->addLayout(bar);
    m_boardView = tableView(&m_boardFilter, tab);
    m_boardView->setObjectName(QStringLiteral("board"));
    m_boardView->sortByColumn(PunchTableModel::OpenForColumn, Qt::DescendingOrder);
    layout->addWidget(m_boardView);
    m_boardTotals = new QLabel(tab);
    m_boardTotals->setObjectName(QStringLiteral("boardTotals"));
    layout->addWidget(m_boardTotals);

    connect(m_level1, &QComboBox::currentIndexChanged, this, &DeskWindow::level1Chosen);
    connect(m_filter, &QLineEdit::textChanged, this, &DeskWindow::filterEdited);
    connect(m_boardButtons.at(0), &QPushButton::clicked, this, &DeskWindow::endJobClicked);
    connect(m_boardButtons.at(1), &QPushButton::clicked, this, &DeskWindow::editOpenJobClicked);
    connect(m_boardButtons.at(2), &QPushButton::clicked, this, &DeskWindow::deleteOpenJobClicked);
    connect(m_boardView, &QTableView::activated, this, &DeskWindow::endJobClicked);
    connect(m_boardView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &DeskWindow::updateButtons);
    connect(&m_boardFilter, &QAbstractItemModel::rowsRemoved, this, &DeskWindow::updateButtons);
    return tab;
}

QWidget* DeskWindow::makeClosedTab()
{
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QHBoxLayout;
    const QDate today = m_siteTime.now(m_services.clock).date();
    m_closedFrom = dateBox(today, m_services.regional, tab);
    m_closedFrom->setObjectName(QStringLiteral("closedFrom"));
    m_closedTo = dateBox(today, m_services.regional, tab);
    m_closedTo->setObjectName(QStringLiteral("closedTo"));
    bar->addWidget(new QLabel(tr("Started from"), tab));
    bar->addWidget(m_closedFrom);
    bar->addWidget(new QLabel(tr("to"), tab));
    bar->addWidget(m_closedTo);
    m_closedLevel1Label = new QLabel(m_level1Label->text(), tab);
    m_closedLevel1 = new QComboBox(tab);
    m_closedLevel1->addItem(tr("All"), QString());
    m_closedLevel1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bar->addWidget(m_closedLevel1Label);
    bar->addWidget(m_closedLevel1);
    m_closedFilterBox = new QLineEdit(tab);
    m_closedFilterBox->setPlaceholderText(tr("Name or badge"));
    m_closedFilterBox->setClearButtonEnabled(true);
    bar->addWidget(m_closedFilterBox, 1);
    m_closedButtons << button(tr("E&dit..."), tab, bar) << button(tr("De&lete..."), tab, bar);
    layout->addLayout(bar);
    m_closedView = tableView(&m_closedFilter, tab);
    m_closedView->setObjectName(QStringLiteral("closedJobs"));
    m_closedView->sortByColumn(PunchTableModel::StartedColumn, Qt::AscendingOrder);
    layout->addWidget(m_closedView);
    m_closedTotals = new QLabel(tab);
    layout->addWidget(m_closedTotals);

    connect(m_closedFrom, &QDateEdit::dateChanged, this, &DeskWindow::periodChosen);
    connect(m_closedTo, &QDateEdit::dateChanged, this, &DeskWindow::periodChosen);
    connect(m_closedLevel1, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_closedFilter.setLevel1Item(m_closedLevel1->itemData(index).toString());
        updateTotals();
    });
    connect(m_closedFilterBox, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_closedFilter.setText(text);
        updateTotals();
    });
    connect(m_closedButtons.at(0), &QPushButton::clicked, this, &DeskWindow::editClosedJobClicked);
    connect(
        m_closedButtons.at(1), &QPushButton::clicked, this, &DeskWindow::deleteClosedJobClicked);
    connect(m_closedView, &QTableView::activated, this, &DeskWindow::editClosedJobClicked);
    connect(m_closedView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &DeskWindow::updateButtons);
    connect(&m_closedFilter, &QAbstractItemModel::rowsRemoved, this, &DeskWindow::updateButtons);
    return tab;
}

QWidget* DeskWindow::makeHistoryTab()
{
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QHBoxLayout;
    const QDate today = m_siteTime.now(m_services.clock).date();
    m_correctionsFrom = dateBox(today.addDays(-30), m_services.regional, tab);
    m_correctionsFrom->setObjectName(QStringLiteral("correctionsFrom"));
    m_correctionsTo = dateBox(today, m_services.regional, tab);
    m_correctionsTo->setObjectName(QStringLiteral("correctionsTo"));
    bar->addWidget(new QLabel(tr("Made from"), tab));
    bar->addWidget(m_correctionsFrom);
    bar->addWidget(new QLabel(tr("to"), tab));
    bar->addWidget(m_correctionsTo);
    bar->addStretch(1);
    layout->addLayout(bar);
    m_history.setHorizontalHeaderLabels(
        DeskTables::corrections({}, {}, DeskTables::Form::Words, m_services.regional).heads);
    m_historyView = tableView(&m_history, tab);
    m_historyView->setObjectName(QStringLiteral("corrections"));
    m_historyView->setSortingEnabled(false);
    // The changes and the reason take what is left, cut short where long.
    m_historyView->horizontalHeader()->setSectionResizeMode(5, QHeaderView::Stretch);
    m_historyView->horizontalHeader()->setStretchLastSection(false);
    m_historyView->horizontalHeader()->setSectionResizeMode(6, QHeaderView::Interactive);
    m_historyView->horizontalHeader()->resizeSection(6, 180);
    layout->addWidget(m_historyView);
    m_historyTotals = new QLabel(tab);
    layout->addWidget(m_historyTotals);
    connect(m_correctionsFrom, &QDateEdit::dateChanged, this, &DeskWindow::periodChosen);
    connect(m_correctionsTo, &QDateEdit::dateChanged, this, &DeskWindow::periodChosen);
    return tab;
}

QWidget* DeskWindow::makeConflictsTab()
{
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(tr("Punches a terminal could not write after an outage"), tab));
    bar->addStretch(1);
    m_conflictButtons << button(tr("&Apply..."), tab, bar) << button(tr("Di&smiss..."), tab, bar);
    layout->addLayout(bar);
    m_conflicts.setHorizontalHeaderLabels({tr("Arrived"), tr("Terminal"), tr("Punch"), tr("Badge"),
        tr("Name"), tr("Started"), tr("Why")});
    m_conflictsView = tableView(&m_conflicts, tab);
    m_conflictsView->setObjectName(QStringLiteral("conflicts"));
    m_conflictsView->setSortingEnabled(false);
    layout->addWidget(m_conflictsView);
    connect(
        m_conflictButtons.at(0), &QPushButton::clicked, this, &DeskWindow::applyConflictClicked);
    connect(
        m_conflictButtons.at(1), &QPushButton::clicked, this, &DeskWindow::dismissConflictClicked);
    connect(m_conflictsView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &DeskWindow::updateButtons);
    return tab;
}

void DeskWindow::makeMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Export the list as CSV..."), QKeySequence(Qt::CTRL | Qt::Key_E), this,
        &DeskWindow::exportClicked);
    file->addAction(
        tr("&Print the list to PDF..."), QKeySequence::Print, this, &DeskWindow::printClicked);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(
        tr("&Read the site again"), QKeySequence::Refresh, this, &DeskWindow::refreshPressed);
    auto* remove = new QShortcut(QKeySequence::Delete, this);
    connect(remove, &QShortcut::activated, this, &DeskWindow::deletePressed);
}

DeskPeriods DeskWindow::periods() const
{
    return {m_closedFrom->date(), std::max(m_closedFrom->date(), m_closedTo->date()),
        m_correctionsFrom->date(), std::max(m_correctionsFrom->date(), m_correctionsTo->date())};
}

void DeskWindow::siteRead(const DeskRead& read)
{
    const bool first = !m_read;
    m_read = true;
    m_stale = false;
    m_why.clear();
    m_siteTime = read.time;
    m_lastRead = read.at;
    m_levelTitles = read.levelTitles;
    m_employeesProblem = read.employeesProblem;
    m_board.setLevelTitles(read.levelTitles);
    m_closed.setLevelTitles(read.levelTitles);
    m_board.refresh(read.openJobs);
    m_closed.refresh(read.closedJobs);
    showCorrections(read.corrections);
    if (read.keepsConflicts && !m_conflictsTab) {
        m_conflictsTab = makeConflictsTab();
        m_tabs->addTab(m_conflictsTab, tr("Co&nflicts"));
    }
    showConflicts(read.conflicts);
    updateLevel1Items();
    // The board stands on the longest open job without selecting it, so that
    // its flag shows.
    if (!m_boardView->currentIndex().isValid() && m_boardFilter.rowCount() > 0)
        m_boardView->selectionModel()->setCurrentIndex(
            m_boardFilter.index(0, 0), QItemSelectionModel::NoUpdate);
    if (const QString message = statusBar()->currentMessage();
        first || message == m_notReadMessage || message == tr("Reading the site..."))
        statusBar()->clearMessage();
    if (!m_employeesProblem.isEmpty())
        statusBar()->showMessage(
            tr("The badges could not be looked up: %1").arg(m_employeesProblem));
    m_updated->setText(tr("Updated %1").arg(m_services.regional.timeText(read.at.time())));
    updateTitle();
    updateTotals();
    updateButtons();
}

void DeskWindow::siteNotRead(const QString& why)
{
    m_stale = true;
    m_why = why;
    m_notReadMessage
        = tr("The site cannot be read now: %1 The desk tries again by itself.").arg(why);
    statusBar()->showMessage(m_notReadMessage);
    m_updated->setText(
        tr("Not updated since %1").arg(m_services.regional.timeText(m_lastRead.time())));
    updateTitle();
}

void DeskWindow::correctionWritten(const QString& by)
{
    m_writing = false;
    statusBar()->showMessage(tr("%1: done, as %2.").arg(m_action, by), 10000);
    updateButtons();
}

void DeskWindow::correctionNotWritten(const QString& why, bool refused)
{
    m_writing = false;
    statusBar()->clearMessage();
    updateButtons();
    m_services.dialogs.stop(title,
        refused ? why
                : tr("The correction was not written: %1 Nothing was changed; try again once "
                     "the site can be read.")
                      .arg(why));
}

void DeskWindow::showCorrections(const QList<DeskStore::AuditEntry>& entries)
{
    // The latest first.
    m_entries.clear();
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry)
        m_entries << *entry;
    const DeskTables::Table table = DeskTables::corrections(
        m_entries, m_levelTitles, DeskTables::Form::Words, m_services.regional);
    m_history.setRowCount(0);
    for (const QStringList& texts : table.rows) {
        QList<QStandardItem*> row;
        for (const QString& text : texts) {
            auto* item = new QStandardItem(text);
            item->setToolTip(text);
            row << item;
        }
        m_history.appendRow(row);
    }
    m_historyTotals->setText(entries.size() == 1
            ? tr("1 correction")
            : tr("%n corrections", nullptr, int(entries.size())));
}

void DeskWindow::showConflicts(const QList<Conflict>& conflicts)
{
    // The list stays on the conflict it stood on, else on the first.
    const QModelIndex current = m_conflictsView ? m_conflictsView->currentIndex() : QModelIndex();
    const qint64 standing = current.isValid() && current.row() < m_conflictList.size()
        ? m_conflictList.at(current.row()).id
        : -1;
    m_conflictList = conflicts;
    if (!m_conflictsTab)
        return;
    m_conflicts.setRowCount(0);
    for (const Conflict& conflict : std::as_const(m_conflictList)) {
        QList<QStandardItem*> row;
        for (const QString& text :
            {m_services.regional.dateTimeText(conflict.arrivedAt), conflict.terminal,
                terminalAction(conflict.action), conflict.punch.badge, conflict.punch.name(),
                conflict.punch.started().isValid()
                    ? m_services.regional.dateTimeText(conflict.punch.started())
                    : QString(),
                conflict.reason})
            row << new QStandardItem(text);
        m_conflicts.appendRow(row);
    }
    int row = 0;
    while (row < m_conflictList.size() && m_conflictList.at(row).id != standing)
        ++row;
    if (!m_conflictList.isEmpty())
        m_conflictsView->selectionModel()->setCurrentIndex(
            m_conflicts.index(row < m_conflictList.size() ? row : 0, 0),
            row < m_conflictList.size()
                ? QItemSelectionModel::SelectCurrent | QItemSelectionModel::Rows
                : QItemSelectionModel::NoUpdate);
    updateButtons();
    m_tabs->setTabText(m_tabs->indexOf(m_conflictsTab),
        m_conflictList.isEmpty() ? tr("Co&nflicts")
                                 : tr("Co&nflicts (%1)").arg(m_conflictList.size()));
}

void DeskWindow::updateLevel1Items()
{
    const QString heading = DeskWords::levelHeadings(m_board.levelTitles()).at(0);
    const auto fill = [&heading](QComboBox* box, QLabel* label, const PunchTableModel& model) {
        label->setText(tr("%1:").arg(heading));
        std::set<QString> items;
        for (int row = 0; row < model.rowCount(); ++row)
            if (const QString item = model.punch(row).item(1); !item.isEmpty())
                items.insert(item);
        const QString chosen = box->currentData().toString();
        if (!chosen.isEmpty())
            items.insert(chosen);
        QStringList shown;
        for (int i = 1; i < box->count(); ++i)
            shown << box->itemData(i).toString();
        if (shown == QStringList(items.cbegin(), items.cend()))
            return;
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItem(tr("All"), QString());
        for (const QString& item : items)
            box->addItem(item, item);
        box->setCurrentIndex(std::max(box->findData(chosen), 0));
    };
    fill(m_level1, m_level1Label, m_board);
    fill(m_closedLevel1, m_closedLevel1Label, m_closed);
}

void DeskWindow::updateTitle()
{
    if (!m_read && !m_stale) {
        setWindowTitle(title);
        return;
    }
    const int open = m_board.rowCount();
    QString text = open == 1 ? tr("%1 - 1 open job").arg(title)
                             : tr("%1 - %n open jobs", nullptr, open).arg(title);
    QList<int> rows;
    for (int row = 0; row < open; ++row)
        rows << row;
    if (const int over = m_board.totals(rows).overShift; over > 0)
        text += tr(" - %n over a shift", nullptr, over);
    if (m_stale)
        text += tr(" - not updated since %1")
                    .arg(m_lastRead.time().toString(QStringLiteral("HH:mm")));
    setWindowTitle(text);
}

QString DeskWindow::boardTotals() const
{
    return m_boardTotals->text();
}

QString DeskWindow::closedTotals() const
{
    return m_closedTotals->text();
}

void DeskWindow::updateTotals()
{
    const PunchTableModel::Totals open = m_boardFilter.totals();
    QString board = open.jobs == 1 ? tr("1 job open") : tr("%n jobs open", nullptr, open.jobs);
    if (open.overShift > 0)
        board += tr(", %n over a shift", nullptr, open.overShift);
    board += tr(", %1 open in all").arg(DeskWords::duration(open.seconds));
    if (m_boardFilter.rowCount() != m_board.rowCount())
        board += tr(" (of %n open)", nullptr, m_board.rowCount());
    m_boardTotals->setText(board);
    const PunchTableModel::Totals closed = m_closedFilter.totals();
    m_closedTotals->setText(
        (closed.jobs == 1 ? tr("1 job closed, %1 worked, %2 pieces")
                          : tr("%n jobs closed, %1 worked, %2 pieces", nullptr, closed.jobs))
            .arg(DeskWords::duration(closed.seconds),
                m_services.regional.numberText(closed.pieces)));
}

void DeskWindow::updateButtons()
{
    const bool free = !m_writing;
    for (QPushButton* button : std::as_const(m_boardButtons))
        button->setEnabled(free && m_boardView->currentIndex().isValid());
    for (QPushButton* button : std::as_const(m_closedButtons))
        button->setEnabled(free && m_closedView->currentIndex().isValid());
    for (QPushButton* button : std::as_const(m_conflictButtons))
        button->setEnabled(free && m_conflictsView->currentIndex().isValid());
}

std::optional<Punch> DeskWindow::selected(
    QTableView* view, const QSortFilterProxyModel& proxy, const PunchTableModel& model) const
{
    const QModelIndex current = proxy.mapToSource(view->currentIndex());
    if (!current.isValid()) {
        statusBar()->showMessage(
            tr("Choose a job first: click its row, or move to it with the arrow keys."), 10000);
        return std::nullopt;
    }
    return model.punch(current.row());
}

std::optional<Conflict> DeskWindow::selectedConflict() const
{
    const QModelIndex current = m_conflictsView->currentIndex();
    if (!current.isValid() || current.row() >= m_conflictList.size()) {
        statusBar()->showMessage(tr("Choose a conflict first: click its row."), 10000);
        return std::nullopt;
    }
    return m_conflictList.at(current.row());
}

bool DeskWindow::refuseNow()
{
    if (m_writing) {
        m_services.dialogs.stop(
            title, tr("A correction is being written; correct it once it is done."));
        return true;
    }
    if (m_stale || !m_read) {
        m_services.dialogs.stop(title,
            //: "not updated" is what the window's title says while the site cannot be read
            tr("The site cannot be read now: %1\n\nNothing is written while the desk cannot show "
               "the punches as they are; correct it once its title no longer says \"not "
               "updated\". The desk tries again by itself.")
                .arg(m_why.isEmpty() ? tr("it has not been read yet.") : m_why));
        return true;
    }
    return false;
}

QString DeskWindow::confirmation(const Correction& correction, const Punch& given) const
{
    // A terminal's end is told by the job as it is now, where the board has it.
    const int open = correction.conflict && correction.conflict->action == QLatin1String("end")
        ? m_board.rowOf(given.punchId)
        : -1;
    const Punch& punch = open >= 0 ? m_board.punch(open) : given;
    const QString which
        = tr("%1 (badge %2): %3")
              .arg(punch.name(), punch.badge.isEmpty() ? tr("unknown") : punch.badge,
                  DeskWords::punchText(punch, m_services.regional));
    //: %1 is what the correction does ("End the job of Smith")
    return tr("%1?\n\n%2\n\n%3\n\nReason: %4")
        .arg(actionOf(correction.action, punch.name()), which,
            correction.summary(m_services.regional), correction.reason);
}

void DeskWindow::correct(
    Correction::Action action, const Punch& punch, const std::optional<Conflict>& conflict)
{
    if (refuseNow())
        return;
    const QDateTime now = m_siteTime.now(m_services.clock);
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
                    m_siteTime.now(m_services.clock), regional);
                break;
            case Correction::Action::Edit:
                correction = Corrections::edit(punch, input.start, input.stop, input.pieces,
                    input.reason, m_siteTime.now(m_services.clock), regional);
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
        if (m_services.dialogs.message({title, confirmation(*correction, punch),
                Dialogs::Icon::None, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok})
            != Dialogs::Answer::Ok)
            return;
        // The site may have become unreadable while the supervisor read.
        if (refuseNow())
            return;
        m_writing = true;
        m_action = actionOf(action, punch.name());
        statusBar()->showMessage(tr("%1: writing...").arg(m_action));
        updateButtons();
        m_link.write(*correction);
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
    if (const auto punch = selected(m_closedView, m_closedFilter, m_closed))
        correct(Correction::Action::Edit, *punch, std::nullopt);
}

void DeskWindow::deleteClosedJobClicked()
{
    if (const auto punch = selected(m_closedView, m_closedFilter, m_closed))
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

void DeskWindow::deletePressed()
{
    if (m_tabs->currentIndex() == 0)
        deleteOpenJobClicked();
    else if (m_tabs->currentIndex() == 1)
        deleteClosedJobClicked();
    else if (m_conflictsTab && m_tabs->currentWidget() == m_conflictsTab)
        dismissConflictClicked();
}

void DeskWindow::refreshPressed()
{
    statusBar()->showMessage(tr("Reading the site..."), 3000);
    m_link.refresh();
}

void DeskWindow::level1Chosen(int index)
{
    m_boardFilter.setLevel1Item(m_level1->itemData(index).toString());
    updateTotals();
}

void DeskWindow::filterEdited(const QString& text)
{
    m_boardFilter.setText(text);
    updateTotals();
}

void DeskWindow::periodChosen()
{
    m_link.setPeriods(periods());
}

void DeskWindow::clockTicked()
{
    const QDate today = m_siteTime.now(m_services.clock).date();
    if (today != m_today) {
        for (QDateEdit* box : {m_closedFrom, m_closedTo, m_correctionsTo})
            if (box->date() == m_today)
                box->setDate(today);
        m_today = today;
    }
    m_board.tick();
    if (m_read) {
        updateTitle();
        updateTotals();
    }
}

DeskWindow::Shown DeskWindow::shown(DeskTables::Form form) const
{
    const RegionalSettings& regional = m_services.regional;
    const RegionalSettings iso(QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss"),
        QLatin1Char('.'), QChar(), m_services.clock);
    const bool words = form == DeskTables::Form::Words;
    const RegionalSettings& shownAs = words ? regional : iso;
    const QDateTime now = m_siteTime.now(m_services.clock);
    const DeskPeriods days = periods();
    const auto filterWords = [&](const BoardFilter& filter, const QString& totals) {
        QStringList only;
        if (!filter.level1Item().isEmpty())
            only << QStringLiteral("%1 %2").arg(
                DeskWords::levelHeadings(m_levelTitles).at(0), filter.level1Item());
        if (!filter.text().isEmpty())
            only << tr("name or badge holding \"%1\"").arg(filter.text());
        return (only.isEmpty() ? QString() : tr("Only %1. ").arg(only.join(QLatin1String(", "))))
            + totals + QLatin1Char('.');
    };
    Shown list;
    const QWidget* tab = m_tabs->currentWidget();
    if (tab == m_boardView->parentWidget()) {
        list.heading = tr("Open jobs");
        list.detail = filterWords(m_boardFilter, boardTotals());
        list.table = DeskTables::jobs(m_boardFilter.shown(), m_levelTitles, now, m_shiftSeconds,
            form, words ? DeskTables::Columns::Board : DeskTables::Columns::All, shownAs);
    } else if (tab == m_closedView->parentWidget()) {
        list.heading
            = tr("Closed jobs started from %1 to %2")
                  .arg(regional.dateText(days.closedFrom), regional.dateText(days.closedTo));
        list.detail = filterWords(m_closedFilter, closedTotals());
        list.table = DeskTables::jobs(m_closedFilter.shown(), m_levelTitles, now, m_shiftSeconds,
            form, words ? DeskTables::Columns::Closed : DeskTables::Columns::All, shownAs);
    } else if (tab == m_historyView->parentWidget()) {
        list.heading = tr("Corrections made from %1 to %2")
                           .arg(regional.dateText(days.correctionsFrom),
                               regional.dateText(days.correctionsTo));
        list.detail = m_historyTotals->text() + QLatin1Char('.');
        list.table = DeskTables::corrections(m_entries, m_levelTitles, form, shownAs);
    } else {
        list.heading = tr("Conflicts");
        list.detail = tr("Punches a terminal could not write after an outage.");
        for (int column = 0; column < m_conflicts.columnCount(); ++column)
            list.table.heads << m_conflicts.horizontalHeaderItem(column)->text();
        for (int row = 0; row < m_conflicts.rowCount(); ++row) {
            QStringList texts;
            for (int column = 0; column < m_conflicts.columnCount(); ++column)
                texts << m_conflicts.item(row, column)->text();
            list.table.rows << texts;
        }
    }
    return list;
}

void DeskWindow::save(const QString& what, const QString& suffix,
    const std::function<bool(QIODevice&, const Shown&)>& write, DeskTables::Form form)
{
    const Shown list = shown(form);
    QString name = list.heading.toLower();
    name.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char(' '), QLatin1Char('-'));
    const QString path
        = m_forms.saveAs(what, QDir::home().filePath(name + QLatin1Char('.') + suffix),
            QStringLiteral("%1 (*.%2)").arg(suffix.toUpper(), suffix));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file, list) || !file.commit()) {
        m_services.dialogs.stop(
            title, tr("The list could not be saved in %1: %2.").arg(path, file.errorString()));
        return;
    }
    const int rows = int(list.table.rows.size());
    statusBar()->showMessage(
        (rows == 1 ? tr("%1 (1 row) saved in %2.") : tr("%1 (%n rows) saved in %2.", nullptr, rows))
            .arg(list.heading, path),
        10000);
}

void DeskWindow::exportClicked()
{
    save(
        tr("Export the list as CSV"), QStringLiteral("csv"),
        [](QIODevice& file, const Shown& list) {
            const QByteArray bytes = DeskTables::csv(list.table).toUtf8();
            return file.write(bytes) == bytes.size();
        },
        DeskTables::Form::Csv);
}

void DeskWindow::printClicked()
{
    const QString printed = m_services.regional.dateTimeText(m_siteTime.now(m_services.clock));
    save(
        tr("Print the list to PDF"), QStringLiteral("pdf"),
        [&printed](QIODevice& file, const Shown& list) {
            return PdfPages::write(file,
                {QStringLiteral("Job Costing Desk - ") + list.heading,
                    CommandLine::versionText(QStringLiteral("jobcosting-desk")).trimmed()},
                [&](PdfPages& pages) {
                    pages.setFooter(
                        tr("Job Costing Desk: %1, printed %2").arg(list.heading, printed));
                    pages.title(list.heading);
                    pages.paragraph(list.detail, PdfPages::font(PdfPages::bodySize), 6);
                    pages.shadedTable(printColumns(pages, list.table), list.table.rows);
                });
        },
        DeskTables::Form::Words);
}
