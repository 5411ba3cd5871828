#include "ui/Dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;

// The program's real message and input boxes, answered as an operator does
// once they show.
class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void messageBox_data();
    void messageBox();
    void boxesShareTheirIcons();
};

namespace {

// Buttons with icons, as the desktop's styles draw them; offscreen draws none.
class ButtonIconsStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
        QStyleHintReturn* returned) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// Runs `operate` on the box that the next modal dialog is, once it shows.
void whenShown(const std::function<void(QDialog*)>& operate)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, operate] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            dialog && dialog->isVisible()) {
            poll->deleteLater();
            poll->stop();
            operate(dialog);
        }
    });
    poll->start(0);
}

} // namespace

void TestDialogs::initTestCase()
{
    QApplication::setStyle(new ButtonIconsStyle);
}

void TestDialogs::messageBox_data()
{
    using Buttons = Dialogs::Buttons;
    using Answer = Dialogs::Answer;
    QTest::addColumn<Dialogs::Icon>("icon");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Answer>("defaultButton");
    QTest::addColumn<int>("key"); // pressed in the box
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<int>("shown"); // its buttons, QMessageBox::StandardButtons

    const auto critical = Dialogs::Icon::Critical, none = Dialogs::Icon::None;
    QTest::newRow("refusal, Enter") << critical << Buttons::Ok << Answer::Ok << int(Qt::Key_Return)
                                    << Answer::Ok << int(QMessageBox::Ok);
    QTest::newRow("refusal, Escape closes it as OK")
        << critical << Buttons::Ok << Answer::Ok << int(Qt::Key_Escape) << Answer::Ok
        << int(QMessageBox::Ok);
    QTest::newRow("OK and Cancel, Escape")
        << none << Buttons::OkCancel << Answer::Ok << int(Qt::Key_Escape) << Answer::Cancel
        << int(QMessageBox::Ok | QMessageBox::Cancel);
    // Escape does not take back a Yes/No question; Enter answers its default.
    QTest::newRow("Yes and No, Escape then Enter")
        << none << Buttons::YesNo << Answer::Yes << int(Qt::Key_Escape) << Answer::Yes
        << int(QMessageBox::Yes | QMessageBox::No);
    QTest::newRow("Yes, No and Cancel, Escape")
        << none << Buttons::YesNoCancel << Answer::Yes << int(Qt::Key_Escape) << Answer::Cancel
        << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void TestDialogs::messageBox()
{
    QFETCH(Dialogs::Icon, icon);
    QFETCH(Dialogs::Buttons, buttons);
    QFETCH(Dialogs::Answer, defaultButton);
    QFETCH(int, key);
    QFETCH(Dialogs::Answer, answer);
    QFETCH(int, shown);

    QtDialogs dialogs;
    int buttonsShown = 0;
    bool iconShown = false;
    QString title, text;
    whenShown([&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        iconShown = !box->iconPixmap().isNull();
        buttonsShown = int(box->standardButtons());
        QTest::keyClick(box, Qt::Key(key));
        if (box->isVisible()) // the key was refused: Enter then
            QTest::keyClick(box, Qt::Key_Return);
    });

    const Dialogs::Answer given = dialogs.message({u"Job Costing - Operator Instruction"_s,
        u"Text\nof two lines"_s, icon, buttons, defaultButton});

    QCOMPARE(given, answer);
    QCOMPARE(title, u"Job Costing - Operator Instruction"_s);
    QCOMPARE(text, u"Text\nof two lines"_s);
    QCOMPARE(iconShown, icon == Dialogs::Icon::Critical);
    QCOMPARE(buttonsShown, shown);
}

// Qt keeps every pixmap it draws of an icon for good: boxes that each bring
// icons of their own leave kilobytes behind, box after box. Theirs come from
// one set.
void TestDialogs::boxesShareTheirIcons()
{
    QtDialogs dialogs;
    QList<qint64> okIcons, criticalIcons;
    for (int i = 0; i < 2; ++i) {
        whenShown([&](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box);
            okIcons << box->button(QMessageBox::Ok)->icon().cacheKey();
            criticalIcons << box->iconPixmap().cacheKey();
            box->button(QMessageBox::Ok)->click();
        });
        dialogs.message({u"Title"_s, u"Refused"_s, Dialogs::Icon::Critical, Dialogs::Buttons::Ok,
            Dialogs::Answer::Ok});
        whenShown([&](QDialog* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            QVERIFY(input);
            okIcons << input->findChild<QDialogButtonBox*>()
                           ->button(QDialogButtonBox::Ok)
                           ->icon()
                           .cacheKey();
            input->setTextValue(u"12"_s);
            input->accept();
        });
        QCOMPARE(dialogs.inputBox(u"Pieces?"_s, u"Title"_s, QString()), u"12"_s);
    }
    QCOMPARE(okIcons.size(), 4);
    QVERIFY(okIcons.first() != 0);
    QCOMPARE(okIcons.count(okIcons.first()), 4);
    QCOMPARE(criticalIcons.size(), 2);
    QVERIFY(criticalIcons.first() != 0);
    QCOMPARE(criticalIcons.last(), criticalIcons.first());
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
