#include "DeskJobs.h"
#include "TestServices.h"
#include "desk/DeskLink.h"
#include "desk/DeskWindow.h"
#include "program/Language.h"

#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;
using DeskJobs::at;
using Action = Correction::Action;

namespace {

// Fills in the correction forms for the supervisor, one queued answer a form.
class ScriptedForms : public DeskForms
{
public:
    using Answer = std::function<std::optional<CorrectionInput>(const CorrectionInput&)>;
    struct Asked
    {
        Action action;
        QString punchId;
        CorrectionInput input;
    };

    void answer(Answer answer) { m_answers << std::move(answer); }
    // Keeps what the form showed and sets these.
    void fill(const QDateTime& stop, const QString& reason, double pieces = 0)
    {
        answer([=](CorrectionInput input) {
            input.stop = stop;
            input.reason = reason;
            input.pieces = pieces;
            return std::optional(input);
        });
    }
    std::optional<CorrectionInput> ask(
        Action action, const Punch& punch, const CorrectionInput& input) override
    {
        asked << Asked {action, punch.punchId, input};
        if (m_answers.isEmpty())
            return std::nullopt;
        return m_answers.takeFirst()(input);
    }
    QString saveAs(const QString&, const QString&, const QString&) override { return savePath; }
    bool allUsed() const { return m_answers.isEmpty(); }

    QString savePath;

    QList<Asked> asked;

private:
    QList<Answer> m_answers;
};

} // namespace

// The desk's window on every engine that can be written: it follows the
// terminals' punches by itself, shows what the site's punches add up to, and
// a supervisor's correction goes through its form, its confirmation and the
// audit, written without the window waiting.
class TestDeskWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngines(); }
    void init();
    void cleanup();
    void terminalSaveShowsWithinTwoSeconds();
    void boardFollowsStartsAndEnds();
    void boardOfASeededSite();
    void forgottenJobIsEndedThroughTheForm();
    void refusedWhenTheTerminalEndedItMeanwhile();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void nothingChosenIsSaid();
    void exportFollowsFilterAndDays();
    void serverAwayIsToldAndCorrectionsWait();
    void deskHoldsTwoConnectionsNamedAsItself();
    void inGermanTheWordsChangeButNotTheRows();

private:
    // The desk on the site, following it with a watch that asks every `poll`;
    // returns once it has read the site.
    void open(std::chrono::milliseconds poll = std::chrono::milliseconds(50));
    QString title() const { return m_window->windowTitle(); }
    // The correction asked for is written, or refused.
    bool settled() const { return !m_window->writing(); }

    std::unique_ptr<TestServices> m_services;
    std::unique_ptr<Site> m_site;
    std::unique_ptr<DeskLink> m_link;
    ScriptedForms m_forms;
    std::unique_ptr<DeskWindow> m_window;
};

void TestDeskWindow::init()
{
    SKIP_WITHOUT_TEST_SERVER();
    SKIP_ACCESS();
    m_services = std::make_unique<TestServices>();
    m_site = std::make_unique<Site>(Site::Contents::Demo, currentEngine());
    m_forms = {};
}

void TestDeskWindow::cleanup()
{
    m_window.reset();
    m_link.reset();
    m_site.reset();
}

void TestDeskWindow::open(std::chrono::milliseconds poll)
{
    m_link = std::make_unique<DeskLink>(
        m_site->path(), m_services->clock, DeskLink::Timing {poll, std::chrono::milliseconds(200)});
    m_window = std::make_unique<DeskWindow>(*m_link, m_services->services, m_forms, 8 * 3600);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->upToDate(), 10000);
}

void TestDeskWindow::terminalSaveShowsWithinTwoSeconds()
{
    // The real wait: SQLite asked once a second, a server's notice.
    open(std::chrono::seconds(1));
    QCOMPARE(title(), u"Job Costing Desk - 0 open jobs"_s);
    QElapsedTimer saved;
    saved.start();
    DeskJobs::start(*m_site, u"Walter Brennan"_s, at(26, 8));
    QTRY_COMPARE_WITH_TIMEOUT(title(), u"Job Costing Desk - 1 open job"_s, 5000);
    QVERIFY2(saved.elapsed() < 2000, qPrintable(QString::number(saved.elapsed())));
}

void TestDeskWindow::boardFollowsStartsAndEnds()
{
    const QString walter = DeskJobs::start(*m_site, u"Walter Brennan"_s, at(26, 8));
    open();
    PunchTableModel& board = m_window->board();
    QCOMPARE(board.rowCount(), 1);
    // The view stands on the first job, and stays on it as others come and go.
    const QModelIndex current = m_window->boardView()->currentIndex();
    QCOMPARE(current.data().toString(), u"000123"_s);

    const QString maria = DeskJobs::start(*m_site, u"Maria Lopez"_s, at(26, 9), true);
    DeskJobs::start(*m_site, u"Robert Chen"_s, at(26, 10));
    QTRY_COMPARE_WITH_TIMEOUT(title(), u"Job Costing Desk - 3 open jobs"_s, 2000);
    DeskJobs::end(*m_site, maria, QTime(11, 0), 4);
    QTRY_COMPARE_WITH_TIMEOUT(title(), u"Job Costing Desk - 2 open jobs"_s, 2000);
    QCOMPARE(m_window->boardView()->currentIndex().data().toString(), u"000123"_s);
    QCOMPARE(board.punch(board.rowOf(walter)).name(), u"Walter Brennan"_s);
    QCOMPARE(board.rowOf(maria), -1);
    // The level 1 items offered, under the level's title, are those of the jobs open.
    QStringList items;
    for (int i = 0; i < m_window->level1Box()->count(); ++i)
        items << m_window->level1Box()->itemText(i);
    QCOMPARE(items, (QStringList {u"All"_s, u"Assembly"_s}));

    // A closed job shows among the closed jobs, not on the board.
    QTRY_COMPARE_WITH_TIMEOUT(m_window->closedJobs().rowCount(), 1, 2000);
    QCOMPARE(m_window->closedJobs().punch(0).punchId, maria);
    QCOMPARE(m_window->closedTotals(), u"1 job closed, 2 h 00 min worked, 4 pieces"_s);
}

void TestDeskWindow::boardOfASeededSite()
{
    // Open three days, a day, 8 h 05 min (a shift and more) and 1 h 05 min on
    // the clock's 14:05:07; one job of the day closed.
    DeskJobs::start(*m_site, u"Susan Miller"_s, at(23, 14));
    DeskJobs::start(*m_site, u"Robert Chen"_s, at(26, 13));
    DeskJobs::start(*m_site, u"Walter Brennan"_s, at(26, 6), true);
    const QString closed = DeskJobs::start(*m_site, u"Maria Lopez"_s, at(26, 7), true);
    DeskJobs::end(*m_site, closed, QTime(9, 30), 12);
    DeskJobs::start(*m_site, u"Linda Kowalski"_s, at(25, 7));
    open();

    // The longest open first, flagged past the shift; the title counts them.
    QCOMPARE(title(), u"Job Costing Desk - 4 open jobs - 3 over a shift"_s);
    QStringList order;
    QList<bool> flags;
    const BoardFilter& shown = m_window->boardFilter();
    for (int row = 0; row < shown.rowCount(); ++row) {
        order << shown.index(row, PunchTableModel::NameColumn).data().toString();
        flags << shown.index(row, 0).data(PunchTableModel::FlaggedRole).toBool();
    }
    QCOMPARE(order,
        (QStringList {
            u"Susan Miller"_s, u"Linda Kowalski"_s, u"Walter Brennan"_s, u"Robert Chen"_s}));
    QCOMPARE(flags, (QList<bool> {true, true, true, false}));
    QCOMPARE(shown.index(0, PunchTableModel::OpenForColumn).data().toString(), u"72 h 05 min"_s);
    // The board stands on the first job without selecting it: its flag shows.
    QCOMPARE(m_window->boardView()->currentIndex().row(), 0);
    QVERIFY(!m_window->boardView()->selectionModel()->hasSelection());
    QCOMPARE(m_window->boardTotals(), u"4 jobs open, 3 over a shift, 112 h 20 min open in all"_s);
    // The heads name the level titled "Department" apart from the worker's department.
    QCOMPARE(m_window->board().headerData(
                 PunchTableModel::DepartmentColumn, Qt::Horizontal, Qt::DisplayRole),
        QVariant(u"Worker's\ndept. no."_s));
    QCOMPARE(m_window->board().headerData(
                 PunchTableModel::Level1Column, Qt::Horizontal, Qt::DisplayRole),
        QVariant(u"Department"_s));
    // The totals follow the filter.
    m_window->filterBox()->setText(u"robert"_s);
    QCOMPARE(m_window->boardTotals(), u"1 job open, 1 h 05 min open in all (of 4 open)"_s);

    QCOMPARE(m_window->closedTotals(), u"1 job closed, 2 h 30 min worked, 12 pieces"_s);
    // An empty day is headed by the site's level titles all the same.
    m_window->closedFromBox()->setDate(QDate(2004, 2, 1));
    m_window->closedToBox()->setDate(QDate(2004, 2, 2));
    QTRY_COMPARE(m_window->closedJobs().rowCount(), 0);
    QCOMPARE(m_window->closedJobs().headerData(
                 PunchTableModel::Level2Column, Qt::Horizontal, Qt::DisplayRole),
        QVariant(u"Operation"_s));
}

void TestDeskWindow::forgottenJobIsEndedThroughTheForm()
{
    const QString id = DeskJobs::start(*m_site, u"Walter Brennan"_s, at(25, 6), true);
    open();
    QVERIFY(m_window->board().index(0, 0).data(PunchTableModel::FlaggedRole).toBool());
    QCOMPARE(title(), u"Job Costing Desk - 1 open job - 1 over a shift"_s);
    // First an end before the start: refused, and the form comes again with
    // what was typed.
    m_forms.fill(at(25, 5, 30), u"forgot to punch out"_s, 12);
    m_forms.answer([](CorrectionInput input) {
        input.stop = at(25, 14, 30);
        return std::optional(input);
    });
    m_services->dialogs.answer(Dialogs::Answer::Ok); // the refusal
    m_services->dialogs.answer(Dialogs::Answer::Ok); // the confirmation
    m_window->endJobClicked();
    QTRY_VERIFY(settled());

    QVERIFY(m_forms.allUsed());
    QCOMPARE(m_forms.asked.size(), 2);
    QCOMPARE(m_forms.asked.at(0).action, Action::End);
    QCOMPARE(m_forms.asked.at(0).punchId, id);
    // A forgotten job is offered its end a shift after its start.
    QCOMPARE(m_forms.asked.at(0).input.stop, at(25, 14));
    QCOMPARE(m_forms.asked.at(1).input.reason, u"forgot to punch out"_s);
    QCOMPARE(m_forms.asked.at(1).input.pieces, 12.0);
    VERIFY_DIALOGS(m_services->dialogs);
    const QStringList texts = m_services->dialogs.texts();
    QVERIFY2(texts.at(0).contains(u"cannot end before it started (02/25/2004 6:00:00 AM)"_s),
        qPrintable(texts.at(0)));
    // Which punch, and its fields in words.
    QCOMPARE(texts.at(1),
        u"End the job of Walter Brennan?\n\nWalter Brennan (badge 000123): started 02/25/2004 "
        "6:00:00 AM, still open, Assembly / Weld\n\nState open -> closed\nStopped (open) -> "
        "2:30:00 PM\nPieces 0 -> 12\n\nReason: forgot to punch out"_s);

    QTRY_COMPARE(title(), u"Job Costing Desk - 0 open jobs"_s);
    QCOMPARE(DeskJobs::row(*m_site, id).value(u"Badge"_s).toString(), u"Closed"_s);
    m_window->closedFromBox()->setDate(QDate(2004, 2, 25));
    PunchTableModel& closed = m_window->closedJobs();
    QTRY_COMPARE(closed.rowCount(), 1);
    QCOMPARE(closed.index(0, PunchTableModel::HoursColumn).data().toString(), u"8 h 30 min"_s);
    QCOMPARE(closed.index(0, PunchTableModel::PiecesColumn).data().toString(), u"12"_s);
    QCOMPARE(closed.index(0, PunchTableModel::CorrectedColumn).data().toString(), u"corrected"_s);
    // The site stamps a correction with its own clock's day.
    m_window->correctionsToBox()->setDate(QDate::currentDate());
    QStandardItemModel& corrections = m_window->corrections();
    QTRY_COMPARE(corrections.rowCount(), 1);
    QCOMPARE(corrections.item(0, 3)->text(), u"Ended"_s);
    QCOMPARE(corrections.item(0, 4)->text(), u"Walter Brennan"_s);
    QCOMPARE(corrections.item(0, 5)->text(),
        u"State open -> closed; Stopped (open) -> 2:30:00 PM; Pieces 0 -> 12"_s);
}

void TestDeskWindow::refusedWhenTheTerminalEndedItMeanwhile()
{
    const QString id = DeskJobs::start(*m_site, u"Walter Brennan"_s, at(26, 8));
    open(std::chrono::hours(1)); // nothing refreshes the board by itself
    m_forms.answer([&](CorrectionInput input) {
        DeskJobs::end(*m_site, id, QTime(13, 0));
        input.reason = u"forgot"_s;
        return std::optional(input);
    });
    m_services->dialogs.answer(Dialogs::Answer::Ok); // the confirmation
    m_services->dialogs.answer(Dialogs::Answer::Ok); // the refusal
    m_window->endJobClicked();
    QTRY_VERIFY(settled());

    VERIFY_DIALOGS(m_services->dialogs);
    QVERIFY2(m_services->dialogs.texts().at(1).contains(u"changed since the desk read it"_s),
        qPrintable(m_services->dialogs.texts().at(1)));
    QCOMPARE(DeskJobs::row(*m_site, id).value(u"TimeStop"_s).toString(), u"13:00:00"_s);
    QVERIFY(DeskJobs::audit(*m_site).isEmpty());
    // The desk shows the punch as it is now.
    QTRY_COMPARE(m_window->board().rowCount(), 0);
}

void TestDeskWindow::cancelWritesNothing_data()
{
    QTest::addColumn<bool>("atTheForm");
    QTest::newRow("the form") << true;
    QTest::newRow("the confirmation") << false;
}

void TestDeskWindow::cancelWritesNothing()
{
    QFETCH(bool, atTheForm);
    DeskJobs::start(*m_site, u"Walter Brennan"_s, at(26, 8));
    open();
    const QList<QVariantMap> before = m_site->jobPunches();
    if (!atTheForm) {
        m_forms.fill(at(26, 12), u"why"_s);
        m_services->dialogs.answer(Dialogs::Answer::Cancel);
    }
    m_window->deletePressed();
    VERIFY_DIALOGS(m_services->dialogs);
    QCOMPARE(m_forms.asked.size(), 1);
    QCOMPARE(m_forms.asked.first().action, Action::Delete);
    if (!atTheForm) // the confirmation tells this punch from its look-alikes
        QVERIFY2(m_services->dialogs.texts().first().contains(
                     u"Walter Brennan (badge 000123): started 02/26/2004 8:00:00 AM"_s),
            qPrintable(m_services->dialogs.texts().first()));
    QVERIFY(settled());
    QCOMPARE(m_site->jobPunches(), before);
    QVERIFY(DeskJobs::audit(*m_site).isEmpty());
}

void TestDeskWindow::nothingChosenIsSaid()
{
    open();
    // No job open: nothing stands chosen, the buttons say so by being off, and
    // a key that acts on a job asks for one.
    m_window->deletePressed();
    m_window->endJobClicked();
    QVERIFY(m_forms.asked.isEmpty());
    QVERIFY(m_window->statusBar()->currentMessage().startsWith(u"Choose a job first"_s));
    VERIFY_DIALOGS(m_services->dialogs);
}

void TestDeskWindow::exportFollowsFilterAndDays()
{
    DeskJobs::start(*m_site, u"Walter Brennan"_s, at(26, 8));
    DeskJobs::start(*m_site, u"=HYPERLINK(\"x\")"_s, at(26, 9));
    DeskJobs::start(*m_site, u"Robert Chen"_s, at(26, 10));
    open();
    const QTemporaryDir folder;
    m_forms.savePath = folder.filePath(u"board.csv"_s);
    m_window->boardView()->sortByColumn(PunchTableModel::NameColumn, Qt::AscendingOrder);
    m_window->filterBox()->setText(u"en"_s); // Walter and Robert
    m_window->exportClicked();
    QFile csv(m_forms.savePath);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u"\r\n"_s);
    QCOMPARE(lines.value(0),
        u"Badge,Name,DeptNum,Level1Item,Level2Item,Level3Item,Started,Stopped,Hours,Pieces,"
        "State,Corrections,PunchId"_s);
    QCOMPARE(lines.size(), 4); // two rows and the empty text after the last line's end
    QVERIFY2(lines.at(1).startsWith(
                 u"000127,Robert Chen,30,Assembly,,,2004-02-26 10:00:00,,4.09,0,open,0,"_s),
        qPrintable(lines.at(1)));
    QVERIFY(lines.at(2).startsWith(u"000123,Walter Brennan,"_s));

    // A formula shows as the text it is, as in the report.
    m_window->filterBox()->setText(u"HYPER"_s);
    m_window->exportClicked();
    csv.close();
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QVERIFY2(QString::fromUtf8(csv.readAll()).contains(u",\"'=HYPERLINK(\"\"x\"\")\","_s),
        "the name is not guarded");

    // Printed to PDF: a file of pages.
    m_forms.savePath = folder.filePath(u"board.pdf"_s);
    m_window->printClicked();
    QFile pdf(m_forms.savePath);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF-"));
    VERIFY_DIALOGS(m_services->dialogs);
}

void TestDeskWindow::serverAwayIsToldAndCorrectionsWait()
{
    SKIP_ENGINE(Engine::Sqlite, "A SQLite file cannot go away while the desk holds it open.");
    DeskJobs::start(*m_site, u"Walter Brennan"_s, at(26, 8));
    open();
    m_site->server()->setReachable(false);
    // The watch finds out, or the next read does: the title says since when.
    m_link->refresh();
    QTRY_COMPARE_WITH_TIMEOUT(
        title(), u"Job Costing Desk - 1 open job - not updated since 14:05"_s, 15000);
    QVERIFY(m_window->statusBar()->currentMessage().startsWith(u"The site cannot be read now"_s));
    // A correction is refused before its form, in words.
    m_services->dialogs.answer(Dialogs::Answer::Ok);
    m_window->endJobClicked();
    VERIFY_DIALOGS(m_services->dialogs);
    QVERIFY(m_forms.asked.isEmpty());
    const QString refusal = m_services->dialogs.texts().first();
    QVERIFY2(refusal.contains(u"The site cannot be read now: The "_s)
            && refusal.contains(u"database server"_s),
        qPrintable(refusal));
    QVERIFY2(!refusal.contains(u"FATAL"_s) && !refusal.contains(u"ERROR"_s), qPrintable(refusal));

    // Back by itself once the server answers.
    m_site->server()->setReachable(true);
    QTRY_COMPARE_WITH_TIMEOUT(title(), u"Job Costing Desk - 1 open job"_s, 5000);
    QVERIFY(m_window->upToDate());

    // Opened while the server is away: since its start, until it answers.
    m_window.reset();
    m_link.reset();
    m_site->server()->setReachable(false);
    m_link = std::make_unique<DeskLink>(m_site->path(), m_services->clock,
        DeskLink::Timing {std::chrono::milliseconds(50), std::chrono::milliseconds(200)});
    m_window = std::make_unique<DeskWindow>(*m_link, m_services->services, m_forms, 8 * 3600);
    QTRY_COMPARE_WITH_TIMEOUT(
        title(), u"Job Costing Desk - 0 open jobs - not updated since 14:05"_s, 15000);
    m_site->server()->setReachable(true);
    QTRY_COMPARE_WITH_TIMEOUT(title(), u"Job Costing Desk - 1 open job"_s, 5000);
}

void TestDeskWindow::deskHoldsTwoConnectionsNamedAsItself()
{
    SKIP_ENGINE(Engine::Sqlite, "Connections are counted on a server.");
    DeskJobs::start(*m_site, u"Walter Brennan"_s, at(26, 8));
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(u"jobcosting-desk"_s);
    const auto restore = qScopeGuard([&name] { QCoreApplication::setApplicationName(name); });
    const auto count = [this] {
        return m_site->server()
            ->sql(u"SELECT COUNT(*) FROM pg_stat_activity WHERE application_name = "
                  "'jobcosting-desk' AND pid <> pg_backend_pid()"_s)
            .value(0)
            .value(0)
            .toInt();
    };
    open();
    // The store's (the employees' read through it too) and the watch's.
    QCOMPARE(count(), 2);
    m_forms.fill(at(26, 12), u"forgot"_s);
    m_services->dialogs.answer(Dialogs::Answer::Ok);
    m_window->endJobClicked();
    QTRY_VERIFY(settled());
    QTRY_COMPARE(m_window->board().rowCount(), 0);
    QCOMPARE(count(), 2);
    VERIFY_DIALOGS(m_services->dialogs);
}

QTEST_MAIN(TestDeskWindow)
void TestDeskWindow::inGermanTheWordsChangeButNotTheRows()
{
    QVERIFY(Language::use(u"de"_s, {QStringLiteral(JOBCOSTING_TRANSLATIONS_DIR)}));
    const auto english = qScopeGuard([] { Language::use({}, {}); });
    const QString id = DeskJobs::start(*m_site, u"Walter Brennan"_s, at(25, 6), true);
    DeskJobs::start(*m_site, u"Robert Chen"_s, at(26, 13));
    open();
    QCOMPARE(title(), u"Job Costing Desk - 2 offene Aufträge - 1 länger als eine Schicht"_s);
    QCOMPARE(m_window->board()
                 .headerData(PunchTableModel::OpenForColumn, Qt::Horizontal, Qt::DisplayRole)
                 .toString(),
        u"Offen seit"_s);

    // A spreadsheet gets the heads and values it gets in English.
    const QTemporaryDir folder;
    m_forms.savePath = folder.filePath(u"board.csv"_s);
    m_window->exportClicked();
    QFile csv(m_forms.savePath);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u"\r\n"_s);
    QCOMPARE(lines.value(0),
        u"Badge,Name,DeptNum,Level1Item,Level2Item,Level3Item,Started,Stopped,Hours,Pieces,"
        "State,Corrections,PunchId"_s);
    QVERIFY2(lines.value(1).contains(u",over shift,0,"_s), qPrintable(lines.value(1)));

    m_forms.fill(at(25, 14, 30), u"vergessen"_s, 12);
    m_services->dialogs.answer(Dialogs::Answer::Ok);
    m_window->endJobClicked();
    QTRY_VERIFY(settled());
    VERIFY_DIALOGS(m_services->dialogs);
    // The state is the punch's own word, as the terminal writes it.
    QCOMPARE(m_services->dialogs.texts().value(0),
        u"Auftrag von Walter Brennan beenden?\n\nWalter Brennan (Karte 000123): begonnen "
        "02/25/2004 6:00:00 AM, noch offen, Assembly / Weld\n\nStatus open -> closed\nEnde "
        "(offen) -> 2:30:00 PM\nStück 0 -> 12\n\nGrund: vergessen"_s);
    QTRY_COMPARE(title(), u"Job Costing Desk - 1 offener Auftrag"_s);

    // The punch and its audit row as an English desk writes them.
    const QVariantMap row = DeskJobs::row(*m_site, id);
    QCOMPARE(row.value(u"Badge"_s).toString(), u"Closed"_s);
    QCOMPARE(row.value(u"TimeStop"_s).toString(), u"14:30:00"_s);
    QCOMPARE(row.value(u"Pieces"_s).toDouble(), 12.0);
    const QList<QVariantList> audit = DeskJobs::audit(*m_site);
    QCOMPARE(audit.size(), 1);
    QCOMPARE(audit.first().value(2).toString(), u"end"_s);
    QCOMPARE(audit.first().value(4).toString(), u"vergessen"_s);
}

#include "tst_deskwindow.moc"
