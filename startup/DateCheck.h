#pragma once

#include "program/Services.h"

#include <QWidget>

class DataSource;
class QLabel;
class HiddenBox;

// True when the 3rd and the 6th characters of a short date text are "/":
// two digits, "/", two digits, "/" and the year, either way round.
bool isValidShortDate(const QString& shortDateText);

// The check form: makes today's date pass through the time-clock database and
// judges the PC's short date style by the text it comes back as.
class DateCheck : public QWidget
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Passed, // the form unloaded itself, unseen
        Failed, // the operator was told, and the program was ended
        NoVerdict, // the test row was not found; the form stays loaded
        Abandoned, // the database failed; start-up goes on without a verdict
    };

    explicit DateCheck(const Services& services, QWidget* parent = nullptr);
    ~DateCheck() override;

    // The load of the form: runs the check.
    Outcome load();

    QLabel* Label1;
    HiddenBox* Text1;
    HiddenBox* Text2;
    HiddenBox* Text3;
    HiddenBox* Text4;
    HiddenBox* Text5;
    HiddenBox* Text6;
    HiddenBox* Text7;
    DataSource* Data1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Outcome runCheck();
    void ClearWorkTable();

    const Services& m_services;
};
