#include "ui/Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using Answer = Dialogs::Answer;
using Buttons = Dialogs::Buttons;
using Icon = Dialogs::Icon;

Q_DECLARE_METATYPE(QMessageBox::StandardButtons)

// Waits for the modal dialog that the code under test opens, hands it to
// `act` once, and makes sure no dialog is left open, as Qt's own message box
// tests do with their ExecCloseHelper.
class ModalHelper : public QObject
{
public:
    template<typename Dialog> void whenShown(std::function<void(Dialog*)> act)
    {
        m_timer.callOnTimeout(this, [this, act] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            m_timer.stop();
            m_seen = true;
            act(dialog);
        });
        m_timer.start(10);
    }
    bool seen() const { return m_seen; }
    ~ModalHelper() override
    {
        if (QWidget* left = QApplication::activeModalWidget())
            left->close();
    }

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
    QTest::addColumn<Dialogs::Message>("message");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    // Pressed on the box; when the box stays open, the button `answer` names is clicked.
    QTest::addColumn<int>("key");
    QTest::addColumn<Answer>("answer");

    const Dialogs::Message refusal { QStringLiteral("Job Costing - Operator Instruction"),
        QStringLiteral("Badge not found!\nTry again."), Icon::Critical, Buttons::Ok, Answer::Ok };
    const Dialogs::Message confirm { QStringLiteral("Job Costing - Operator Instruction"),
        QStringLiteral("Start this Job?"), Icon::None, Buttons::OkCancel, Answer::Ok };
    const Dialogs::Message yesNo { QStringLiteral("Job Costing - Operator Instruction"),
        QStringLiteral("Are you sure you want to end this Job?"), Icon::None, Buttons::YesNo,
        Answer::Yes };
    const Dialogs::Message yesNoCancel { QStringLiteral("Job Costing - Operator Instruction"),
        QStringLiteral("12 pieces?"), Icon::None, Buttons::YesNoCancel, Answer::Yes };
    const auto ok = QMessageBox::StandardButtons(QMessageBox::Ok);
    const auto okCancel = QMessageBox::Ok | QMessageBox::Cancel;
    const auto yn = QMessageBox::Yes | QMessageBox::No;
    const auto ync = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;

    QTest::newRow("refusal, OK") << refusal << ok << 0 << Answer::Ok;
    QTest::newRow("refusal, Escape") << refusal << ok << int(Qt::Key_Escape) << Answer::Ok;
    QTest::newRow("OK/Cancel, Enter") << confirm << okCancel << int(Qt::Key_Return) << Answer::Ok;
    QTest::newRow("OK/Cancel, Cancel") << confirm << okCancel << 0 << Answer::Cancel;
    QTest::newRow("OK/Cancel, Escape")
        << confirm << okCancel << int(Qt::Key_Escape) << Answer::Cancel;
    QTest::newRow("Yes/No, No") << yesNo << yn << 0 << Answer::No;
    QTest::newRow("Yes/No, Escape is ignored") << yesNo << yn << int(Qt::Key_Escape) << Answer::Yes;
    QTest::newRow("Yes/No, Enter") << yesNo << yn << int(Qt::Key_Return) << Answer::Yes;
    QTest::newRow("Yes/No/Cancel, Escape")
        << yesNoCancel << ync << int(Qt::Key_Escape) << Answer::Cancel;
    QTest::newRow("Yes/No/Cancel, No") << yesNoCancel << ync << 0 << Answer::No;
}

void TestQtDialogs::messageBox()
{
    QFETCH(Dialogs::Message, message);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(int, key);
    QFETCH(Answer, answer);

    const QMap<Answer, QMessageBox::StandardButton> standard { { Answer::Ok, QMessageBox::Ok },
        { Answer::Cancel, QMessageBox::Cancel }, { Answer::Yes, QMessageBox::Yes },
        { Answer::No, QMessageBox::No } };
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shownButtons;
    QString title;
    QString text;
    QAbstractButton* defaultButton = nullptr;
    QAbstractButton* expectedDefault = nullptr;

    ModalHelper helper;
    helper.whenShown<QMessageBox>([&](QMessageBox* box) {
        icon = box->icon();
        shownButtons = box->standardButtons();
        title = box->windowTitle();
        text = box->text();
        defaultButton = box->defaultButton();
        expectedDefault = box->button(standard.value(message.defaultButton));
        if (key)
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key(key));
        if (box->isVisible())
            box->button(standard.value(answer))->click();
    });
    QtDialogs dialogs;
    QCOMPARE(dialogs.message(message), answer);

    QVERIFY(helper.seen());
    QCOMPARE(icon, message.icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon);
    QCOMPARE(shownButtons, buttons);
    QCOMPARE(title, message.title);
    QCOMPARE(text, message.text);
    QVERIFY(expectedDefault);
    QCOMPARE(defaultButton, expectedDefault);
}

void TestQtDialogs::inputBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");

    QTest::newRow("OK") << "12" << true << "12";
    QTest::newRow("OK, nothing typed") << "" << true << "";
    QTest::newRow("Cancel") << "12" << false << "";
}

void TestQtDialogs::inputBox()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    const QString prompt = QStringLiteral("How many pieces?\nEnter the count.");
    const QString title = QStringLiteral("Job Costing - Operator Information");

    QString shownPrompt;
    QString shownTitle;
    QString shownDefault;
    ModalHelper helper;
    helper.whenShown<QInputDialog>([&](QInputDialog* input) {
        shownPrompt = input->labelText();
        shownTitle = input->windowTitle();
        shownDefault = input->textValue();
        auto* edit = input->findChild<QLineEdit*>();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    QtDialogs dialogs;
    QCOMPARE(dialogs.inputBox(prompt, title, QString()), answer);
    QVERIFY(helper.seen());
    QCOMPARE(shownPrompt, prompt);
    QCOMPARE(shownTitle, title);
    QCOMPARE(shownDefault, QString());
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
