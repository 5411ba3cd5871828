#include "ui/Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;
using Answer = Dialogs::Answer;
using Buttons = Dialogs::Buttons;

// Hands the modal dialog of type D to `act` once it shows, as Qt's own
// message box tests do with their ExecCloseHelper; closes whatever is left.
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
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Answer>("defaultButton");
    QTest::addColumn<int>("key"); // pressed first; if the box stays, `answer` is clicked
    QTest::addColumn<Answer>("answer");

    QTest::newRow("OK") << Buttons::Ok << Answer::Ok << 0 << Answer::Ok;
    QTest::newRow("OK, Escape") << Buttons::Ok << Answer::Ok << int(Qt::Key_Escape) << Answer::Ok;
    QTest::newRow("OK/Cancel, Enter")
        << Buttons::OkCancel << Answer::Ok << int(Qt::Key_Return) << Answer::Ok;
    QTest::newRow("OK/Cancel, Escape")
        << Buttons::OkCancel << Answer::Ok << int(Qt::Key_Escape) << Answer::Cancel;
    QTest::newRow("Yes/No, No") << Buttons::YesNo << Answer::Yes << 0 << Answer::No;
    QTest::newRow("Yes/No, Enter")
        << Buttons::YesNo << Answer::Yes << int(Qt::Key_Return) << Answer::Yes;
    QTest::newRow("Yes/No, Escape does nothing")
        << Buttons::YesNo << Answer::Yes << int(Qt::Key_Escape) << Answer::Yes;
    QTest::newRow("Yes/No/Cancel, Escape")
        << Buttons::YesNoCancel << Answer::Yes << int(Qt::Key_Escape) << Answer::Cancel;
    QTest::newRow("Yes/No/Cancel, No") << Buttons::YesNoCancel << Answer::Yes << 0 << Answer::No;
}

void TestQtDialogs::messageBox()
{
    QFETCH(Buttons, buttons);
    QFETCH(Answer, defaultButton);
    QFETCH(int, key);
    QFETCH(Answer, answer);
    const QMap<Answer, QMessageBox::StandardButton> standard { { Answer::Ok, QMessageBox::Ok },
        { Answer::Cancel, QMessageBox::Cancel }, { Answer::Yes, QMessageBox::Yes },
        { Answer::No, QMessageBox::No } };
    const QMap<Buttons, QMessageBox::StandardButtons> sets { { Buttons::Ok, QMessageBox::Ok },
        { Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel },
        { Buttons::YesNo, QMessageBox::Yes | QMessageBox::No },
        { Buttons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel } };
    // Refusals carry the critical-stop icon, questions none.
    const auto icon = buttons == Buttons::Ok ? Dialogs::Icon::Critical : Dialogs::Icon::None;
    const Dialogs::Message message { u"Job Costing - Operator Instruction"_s,
        u"Badge not found!\nTry again."_s, icon, buttons, defaultButton };

    QMessageBox shown;
    bool isDefault = false;
    WhenShown<QMessageBox> helper([&](QMessageBox* box) {
        shown.setIcon(box->icon());
        shown.setStandardButtons(box->standardButtons());
        shown.setWindowTitle(box->windowTitle());
        shown.setText(box->text());
        isDefault = box->defaultButton() == box->button(standard.value(defaultButton));
        if (key)
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key(key));
        if (box->isVisible())
            box->button(standard.value(answer))->click();
    });
    QCOMPARE(QtDialogs().message(message), answer);

    QVERIFY(helper.seen());
    QCOMPARE(shown.icon(), buttons == Buttons::Ok ? QMessageBox::Critical : QMessageBox::NoIcon);
    QCOMPARE(shown.standardButtons(), sets.value(buttons));
    QVERIFY(isDefault);
    QCOMPARE(shown.windowTitle(), message.title);
    QCOMPARE(shown.text(), message.text);
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
    const QString prompt = u"How many pieces?\nEnter the count."_s;
    const QString title = u"Job Costing - Operator Information"_s;

    QStringList shown;
    WhenShown<QInputDialog> helper([&](QInputDialog* input) {
        shown << input->windowTitle() << input->labelText() << input->textValue();
        auto* edit = input->findChild<QLineEdit*>();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    QCOMPARE(QtDialogs().inputBox(prompt, title, QString()), answer);
    QVERIFY(helper.seen());
    QCOMPARE(shown, (QStringList { title, prompt, QString() }));
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
