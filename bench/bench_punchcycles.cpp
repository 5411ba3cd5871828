// Drives the real punch screen through many punch cycles (badge in, three item
// codes, Start Job, badge in again, End Job with a piece count) on a demo site,
// with the program's own message and input boxes, drawn and then answered,
// and reports the program's memory after a few cycles and after many, so that
// growth per cycle shows up side by side with the early figure.
//
//   bench_punchcycles [--cycles 10000] [--early 100] [--every 1000]
//
// Run it on a desktop, or on a virtual one with the window manager of the
// desktop tier, as the terminal runs:
//   xvfb-run -a sh -c 'openbox --sm-disable & sleep 1; bench/bench_punchcycles'
// There the boxes are drawn as on the shop floor, icons on their buttons
// included, and what they cost shows. Without a display it uses the offscreen
// platform, which draws those buttons without icons.

#include "ProcessMemory.h"
#include "SiteBuilder.h"
#include "app/Application.h"
#include "data/SiteModel.h"
#include "program/Program.h"
#include "program/Services.h"
#include "punch/JobCosting.h"
#include "punch/Module1.h"
#include "regional/Clock.h"
#include "regional/RegionalSettings.h"
#include "ui/Dialogs.h"
#include "ui/PictureButton.h"
#include "ui/Shell.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

namespace {

QTextStream out(stdout);

// The program's own message and input boxes, answered once they have been
// drawn, as a worker who reads them and goes on would: OK or Yes, and 12
// pieces. Refusals are counted: a cycle that met one did not do its work.
class AnsweredDialogs : public QObject, public QtDialogs
{
public:
    AnsweredDialogs()
    {
        m_answer.setInterval(0);
        QObject::connect(&m_answer, &QTimer::timeout, this, &AnsweredDialogs::answer);
        QApplication::instance()->installEventFilter(this);
    }
    template<typename Shown> auto answered(Shown shown) -> decltype(shown())
    {
        m_drawn = false;
        m_answer.start();
        const auto answer = shown();
        m_answer.stop();
        return answer;
    }
    Answer message(const Message& message) override
    {
        if (message.icon == Icon::Critical)
            ++refusals;
        return answered([&] { return QtDialogs::message(message); });
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& text) override
    {
        return answered([&] { return QtDialogs::inputBox(prompt, title, text); });
    }
    void beep() override { }
    int refusals = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            // Drawn when its buttons are, icons and all.
            auto* button = qobject_cast<QAbstractButton*>(watched);
            if (button && button->window() == QApplication::activeModalWidget())
                m_drawn = true;
        }
        return false;
    }

private:
    void answer()
    {
        if (!m_drawn)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(QStringLiteral("12"));
            input->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->defaultButton()->click();
        }
        m_drawn = false;
    }

    QTimer m_answer;
    bool m_drawn = false;
};

class TickingClock : public Clock
{
public:
    QDateTime now() const override { return m_now = m_now.addSecs(1); }

private:
    mutable QDateTime m_now {QDate(2004, 2, 26), QTime(6, 0)};
};

class NoShell : public Shell
{
public:
    void open(const QString&) override { }
};

class NoEnd : public Program
{
public:
    void end(ExitStatus, const QString&) override { }
};

// Every step is followed by what the event loop does between a worker's keys:
// the screen repaints what changed.
void punchCycle(JobCosting& screen)
{
    const auto type = [](QLineEdit* box, const char* keys) {
        QTest::keyClicks(box, QString::fromLatin1(keys));
        QCoreApplication::processEvents();
    };
    const auto enter = [](QLineEdit* box) {
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::processEvents();
    };
    // The window manager gives the screen the keyboard back when a box closes;
    // offscreen nobody does.
    const auto click = [&screen](QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
        if (!screen.isActiveWindow()) {
            screen.activateWindow();
            if (!QTest::qWaitForWindowActive(&screen))
                qFatal("the punch screen did not become active again");
        }
    };
    type(screen.Text34, "000123");
    for (const auto& [box, code] :
        {std::pair {screen.Text3, "12"}, {screen.Text4, "7"}, {screen.Text5, "3"}}) {
        type(box, code);
        enter(box);
    }
    click(screen.Command1);
    type(screen.Text34, "123");
    enter(screen.Text34);
    click(screen.Command2);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareProcess();
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Memory of the punch screen over many cycles."));
    parser.addHelpOption();
    const QCommandLineOption cycles(QStringLiteral("cycles"), QStringLiteral("Punch cycles."),
        QStringLiteral("N"), QStringLiteral("10000"));
    const QCommandLineOption early(QStringLiteral("early"),
        QStringLiteral("Cycles after which the first figure is taken."), QStringLiteral("N"),
        QStringLiteral("100"));
    const QCommandLineOption every(QStringLiteral("every"),
        QStringLiteral("Report every N cycles."), QStringLiteral("N"), QStringLiteral("1000"));
    parser.addOptions({cycles, early, every});
    parser.process(application);
    const int total = parser.value(cycles).toInt();
    const int first = parser.value(early).toInt();
    const int step = std::max(1, parser.value(every).toInt());

    QTemporaryDir site;
    SiteBuilder::create(site.path());
    SiteBuilder::fillDemo(site.path());
    QDir::setCurrent(site.path());

    AnsweredDialogs dialogs;
    NoShell shell;
    TickingClock clock;
    const RegionalSettings regional(QStringLiteral("MM/dd/yyyy"), QStringLiteral("h:mm:ss AP"),
        QLatin1Char('.'), QLatin1Char(','), clock);
    NoEnd program;
    const Services services {dialogs, shell, clock, regional, program};
    Module1 module;
    JobCosting screen(services, module);
    screen.load();
    screen.show();
    screen.activateWindow();
    if (!QTest::qWaitForWindowActive(&screen)) {
        out << "the punch screen never became active" << Qt::endl;
        return 1;
    }

    long earlyKilobytes = 0;
    QElapsedTimer timer;
    timer.start();
    for (int cycle = 1; cycle <= total; ++cycle) {
        punchCycle(screen);
        if (cycle == first || cycle % step == 0 || cycle == total) {
            const long resident = processKilobytes("VmRSS");
            if (cycle == first)
                earlyKilobytes = resident;
            out << QStringLiteral("after %1 cycles: resident %2 KiB (%3 ms a cycle)")
                       .arg(cycle, 6)
                       .arg(resident)
                       .arg(double(timer.elapsed()) / cycle, 0, 'f', 2)
                << Qt::endl;
        }
    }
    // A terminal runs for months: what it holds after many cycles must stay
    // within 2 MB of what it held after the first few.
    constexpr long allowedGrowthKilobytes = 2048;
    const long growth = processKilobytes("VmRSS") - earlyKilobytes;
    // Every cycle did its work: one closed job punch each.
    qint64 closed = -1;
    {
        QSqlDatabase db
            = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
        db.setDatabaseName(site.filePath(SiteModel::jobPunchesFile));
        QSqlQuery count(db);
        if (db.open()
            && count.exec(QStringLiteral("SELECT COUNT(*) FROM JobPunches WHERE Badge = 'Closed'"))
            && count.next())
            closed = count.value(0).toLongLong();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
    out << QStringLiteral("growth from cycle %1 to cycle %2: %3 KiB (allowed %4 KiB: %5); "
                          "refusals shown: %6; closed job punches: %7")
               .arg(first)
               .arg(total)
               .arg(growth)
               .arg(allowedGrowthKilobytes)
               .arg(growth <= allowedGrowthKilobytes ? QStringLiteral("met")
                                                     : QStringLiteral("MISSED"))
               .arg(dialogs.refusals)
               .arg(closed)
        << Qt::endl;
    return dialogs.refusals == 0 && closed == total && growth <= allowedGrowthKilobytes ? 0 : 1;
}
