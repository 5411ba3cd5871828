#include "Attempt.h"
#include "Framing.h"
#include "JobCosting.h"
#include "Module1.h"
#include "PunchTexts.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "ui/DbCombo.h"
#include "ui/Dialogs.h"
#include "ui/FormMetrics.h"
#include "ui/HiddenBox.h"
#include "ui/PictureButton.h"

#include <QLineEdit>

void JobCosting::ItemCode_Change(int number)
{
    attempt([&] { removeFramingCharacters(level(number).code); });
}

void JobCosting::ItemCode_GotFocus(int number)
{
    FormMetrics::setColour(level(number).code, QPalette::Base, QColor(0, 255, 255));
}

void JobCosting::ItemCode_LostFocus(int number)
{
    FormMetrics::setColour(level(number).code, QPalette::Base, QColor(255, 255, 255));
}

void JobCosting::ItemCode_KeyPress(int number)
{
    const Level& controls = level(number);
    try {
        controls.item->refresh();
        controls.item->findFirst(
            QStringLiteral("ItemCode = '") + controls.code->text() + QStringLiteral("'"));
    } catch (const DataError& error) {
        showDataError(tr("The item code could not be looked up."), error.shown());
        controls.code->clear();
        controls.code->setFocus();
        return;
    }
    if (controls.item->noMatch()) {
        m_services.dialogs.stop(PunchTexts::instructionTitle(),
            tr("Item Code invalid! Try using the Description pulldown"));
        controls.code->clear();
        controls.code->setFocus();
        return;
    }
    controls.description->setText(controls.itemDescription->text());
    controls.code->setText(controls.itemCode->text());
    controls.code->setEnabled(false);

    // On to the next level in use, or to Start Job after the last one.
    if (number == 3 || level(number + 1).code->isHidden()) {
        Command1->setFocus();
        return;
    }
    QLineEdit* next = level(number + 1).code;
    next->setEnabled(true);
    next->setFocus();
}

void JobCosting::DBCombo_Click(int number)
{
    if (m_module.LoadingOpenJob)
        return;
    lookUpDescription(number);
}

void JobCosting::lookUpDescription(int number)
{
    const Level& controls = level(number);
    // Choosing on level 2 keeps what the level-1 pull-down shows.
    const QString levelOneText = DBCombo1->text();

    attempt([&] {
        if (controls.description->text().isEmpty() && !controls.itemDescription->text().isEmpty())
            controls.description->setText(controls.itemDescription->text());
    });
    bool found = false;
    attempt([&] {
        controls.item->findFirst(QStringLiteral("ItemDescription = '")
            + controls.description->text() + QStringLiteral("'"));
        found = !controls.item->noMatch();
    });
    if (found)
        attempt([&] { controls.code->setText(controls.itemCode->text()); });

    if (number == 2)
        DBCombo1->setText(levelOneText);
}
