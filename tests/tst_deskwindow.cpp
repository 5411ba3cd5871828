#include "DeskJobs.h"
#include "TestServices.h"
#include "desk/ChangeWatch.h"
#include "desk/DeskStore.h"
#include "desk/DeskWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QTableView>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;
using DeskJobs::at;
using Action = Correction::Action;

namespace {

// Fills in the correction forms for the supervisor, one queued answer a form.
class ScriptedForms : public CorrectionForms
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
    bool allUsed() const { return m_answers.isEmpty(); }

    QList<Asked> asked;

private:
    QList<Answer> m_answers;
};

} // namespace

// The desk's window on every engine that can be written: it follows the
// terminals' punches by itself, and a supervisor's correction goes through
// its form, its confirmation and the audit.
class TestDeskWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngines(); }
    void init();
    void cleanup();
    void terminalSaveShowsWithinTwoSeconds();
    void boardFollowsStartsAndEnds();
    void forgottenJobIsEndedThroughTheForm();
    void refusedWhenTheTerminalEndedItMeanwhile();
    void cancelWritesNothing_data();
    void cancelWritesNothing();

private:
    // The desk on the site, following it with a watch that asks every `poll`.
    void open(std::chrono::milliseconds poll = std::chrono::milliseconds(50));
    QString title() const { return m_window->windowTitle(); }

    std::unique_ptr<TestServices> m_services;
    std::unique_ptr<Site> m_site;
    std::unique_ptr<DeskStore> m_store;
    std::unique_ptr<ChangeWatch> m_watch;
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
    m_watch.reset();
    m_store.reset();
    m_site.reset();
}

void TestDeskWindow::open(std::chrono::milliseconds poll)
{
    m_store = std::make_unique<DeskStore>(m_site->path());
    m_watch = ChangeWatch::forFile(m_store->jobPunchesPath(), m_store->onServer(), poll);
    m_window = std::make_unique<DeskWindow>(*m_store, m_services->services, m_forms, 8 * 3600);
    m_window->follow(*m_watch);
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

    const QString maria = DeskJobs::start(*m_site, u"Maria Lopez"_s, at(26, 9));
    DeskJobs::start(*m_site, u"Robert Chen"_s, at(26, 10));
    QTRY_COMPARE_WITH_TIMEOUT(title(), u"Job Costing Desk - 3 open jobs"_s, 2000);
    DeskJobs::end(*m_site, maria, QTime(11, 0));
    QTRY_COMPARE_WITH_TIMEOUT(title(), u"Job Costing Desk - 2 open jobs"_s, 2000);
    QCOMPARE(m_window->boardView()->currentIndex().data().toString(), u"000123"_s);
    QCOMPARE(board.punch(board.rowOf(walter)).name(), u"Walter Brennan"_s);
    QCOMPARE(board.rowOf(maria), -1);
    // The departments offered are those of the jobs open.
    QStringList departments;
    for (int i = 0; i < m_window->departmentBox()->count(); ++i)
        departments << m_window->departmentBox()->itemText(i);
    QCOMPARE(
        departments, (QStringList {u"All departments"_s, u"Department 10"_s, u"Department 30"_s}));

    // A closed job shows in the day's list, not on the board.
    QTRY_COMPARE_WITH_TIMEOUT(m_window->closedJobs().rowCount(), 1, 2000);
    QCOMPARE(m_window->closedJobs().punch(0).punchId, maria);
}

void TestDeskWindow::forgottenJobIsEndedThroughTheForm()
{
    const QString id = DeskJobs::start(*m_site, u"Walter Brennan"_s, at(25, 6), true);
    open();
    QVERIFY(m_window->board().index(0, 0).data(PunchTableModel::FlaggedRole).toBool());
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
    QCOMPARE(texts.at(1),
        u"End the job of Walter Brennan?\n\nBadge: Open -> Closed\nTimeStop: 6:00:00 AM -> "
        "2:30:00 PM\nPieces: 0 -> 12\n\nReason: forgot to punch out"_s);

    QCOMPARE(DeskJobs::row(*m_site, id).value(u"Badge"_s).toString(), u"Closed"_s);
    QCOMPARE(m_window->board().rowCount(), 0);
    QCOMPARE(title(), u"Job Costing Desk - 0 open jobs"_s);
    m_window->dayBox()->setDate(QDate(2004, 2, 25));
    PunchTableModel& day = m_window->closedJobs();
    QCOMPARE(day.rowCount(), 1);
    QCOMPARE(day.index(0, PunchTableModel::HoursColumn).data().toString(), u"8:30"_s);
    QCOMPARE(day.index(0, PunchTableModel::PiecesColumn).data().toString(), u"12"_s);
    QCOMPARE(day.index(0, PunchTableModel::CorrectedColumn).data().toString(), u"corrected"_s);
    QStandardItemModel& corrections = m_window->corrections();
    QCOMPARE(corrections.rowCount(), 1);
    QCOMPARE(corrections.item(0, 2)->text(), u"end"_s);
    QCOMPARE(corrections.item(0, 3)->text(), u"Walter Brennan"_s);
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

    VERIFY_DIALOGS(m_services->dialogs);
    QVERIFY2(m_services->dialogs.texts().at(1).contains(u"changed since the desk read it"_s),
        qPrintable(m_services->dialogs.texts().at(1)));
    QCOMPARE(DeskJobs::row(*m_site, id).value(u"TimeStop"_s).toString(), u"13:00:00"_s);
    QVERIFY(DeskJobs::audit(*m_site).isEmpty());
    // The desk shows the punch as it is now.
    QCOMPARE(m_window->board().rowCount(), 0);
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
    m_window->deleteOpenJobClicked();
    VERIFY_DIALOGS(m_services->dialogs);
    QCOMPARE(m_forms.asked.size(), 1);
    QCOMPARE(m_forms.asked.first().action, Action::Delete);
    QCOMPARE(m_site->jobPunches(), before);
    QVERIFY(DeskJobs::audit(*m_site).isEmpty());
}

QTEST_MAIN(TestDeskWindow)
#include "tst_deskwindow.moc"
