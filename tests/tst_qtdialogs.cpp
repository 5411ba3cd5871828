#include "ui/Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;
using A = Dialogs::Answer;
using Bs = Dialogs::Buttons;

// Hands the modal dialog of type D to `act` once it shows; closes whatever is left.
template<typename D> class WhenShown
{
public:
    explicit WhenShown(std::function<void(D*)> act)
    {
        m_timer.callOnTimeout(&m_timer, [this, act] {
            if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
                m_timer.stop();
                m_seen = true;
                act(dialog);
            }
        });
        m_timer.start(10);
    }
    ~WhenShown()
    {
        if (QWidget* left = QApplication::activeModalWidget())
            left->close();
    }
    bool seen() const { return m_seen; }

private:
    QTimer m_timer;
    bool m_seen = false;
};

class TestQtDialogs : public QObject
{
    Q_OBJECT

private slots:
    void messageBox_data();
    void messageBox();
    void inputBox_data();
    void inputBox();
};

void TestQtDialogs::messageBox_data()
{
    QTest::addColumn<Bs>("buttons");
    QTest::addColumn<A>("defaultButton");
    QTest::addColumn<Qt::Key>("key"); // pressed first; if the box stays, `answer` is clicked
    QTest::addColumn<A>("answer");

    QTest::newRow("OK") << Bs::Ok << A::Ok << Qt::Key {} << A::Ok;
    QTest::newRow("OK, Escape") << Bs::Ok << A::Ok << Qt::Key_Escape << A::Ok;
    QTest::newRow("OK/Cancel, Escape") << Bs::OkCancel << A::Ok << Qt::Key_Escape << A::Cancel;
    QTest::newRow("Yes/No, No") << Bs::YesNo << A::Yes << Qt::Key {} << A::No;
    QTest::newRow("Yes/No, Enter") << Bs::YesNo << A::Yes << Qt::Key_Return << A::Yes;
    QTest::newRow("Yes/No, Escape does nothing") << Bs::YesNo << A::Yes << Qt::Key_Escape << A::Yes;
    QTest::newRow("Y/N/C, Escape") << Bs::YesNoCancel << A::Yes << Qt::Key_Escape << A::Cancel;
    QTest::newRow("Y/N/C, Enter on No") << Bs::YesNoCancel << A::No << Qt::Key_Return << A::No;
}

void TestQtDialogs::messageBox()
{
    QFETCH(Bs, buttons);
    QFETCH(A, defaultButton);
    QFETCH(Qt::Key, key);
    QFETCH(A, answer);
    using B = QMessageBox;
    const B::StandardButton standard[] {B::Ok, B::Cancel, B::Yes, B::No}; // by Answer
    const B::StandardButtons sets[] {
        B::Ok, B::Ok | B::Cancel, B::Yes | B::No, B::Yes | B::No | B::Cancel}; // by Buttons
    // Refusals carry the critical-stop icon, questions none.
    const bool refusal = buttons == Bs::Ok;
    const Dialogs::Message message {u"Job Costing - Operator Instruction"_s,
        u"Badge not found!\nTry again."_s, refusal ? Dialogs::Icon::Critical : Dialogs::Icon::None,
        buttons, defaultButton};

    WhenShown<QMessageBox> helper([&](QMessageBox* box) {
        [&] { // checked apart, so that a failure still closes the box
            QCOMPARE(box->icon(), refusal ? B::Critical : B::NoIcon);
            QCOMPARE(box->standardButtons(), sets[int(buttons)]);
            QCOMPARE(box->defaultButton(), box->button(standard[int(defaultButton)]));
            QCOMPARE(box->windowTitle(), message.title);
            QCOMPARE(box->text(), message.text);
        }();
        if (key)
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, key);
        if (box->isVisible())
            box->button(standard[int(answer)])->click();
    });
    QCOMPARE(QtDialogs().message(message), answer);
    QVERIFY(helper.seen());
}

void TestQtDialogs::inputBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");

    QTest::newRow("OK") << u"12"_s << true << u"12"_s;
    QTest::newRow("OK, nothing typed") << QString() << true << QString();
    QTest::newRow("Cancel") << u"12"_s << false << QString();
}

void TestQtDialogs::inputBox()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    QStringList shown;
    WhenShown<QInputDialog> helper([&](QInputDialog* input) {
        shown << input->windowTitle() << input->labelText() << input->textValue();
        auto* edit = input->findChild<QLineEdit*>();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    QCOMPARE(QtDialogs().inputBox(u"How many?\nEnter the count."_s, u"Job Costing"_s, {}), answer);
    QVERIFY(helper.seen());
    QCOMPARE(shown, (QStringList {u"Job Costing"_s, u"How many?\nEnter the count."_s, QString()}));
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
