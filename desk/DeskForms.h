#pragma once

#include "Correction.h"

#include <QCoreApplication>
#include <QDateTime>
#include <optional>

class QWidget;

// What a supervisor fills in for a correction: the times and the piece count
// where the correction takes them, and always a reason.
struct CorrectionInput
{
    QDateTime start; // an edit's new start
    QDateTime stop; // an end's time, or an edit's new stop
    double pieces = 0;
    QString reason;
};

// The forms in which a supervisor fills in a correction, and chooses where a
// list is saved, so that tests can fill them in for him. A correction's form
// starts from `input` (the punch's values, or what was typed before a
// refusal) and returns nothing when he cancels.
class DeskForms
{
public:
    virtual ~DeskForms() = default;
    virtual std::optional<CorrectionInput> ask(
        Correction::Action action, const Punch& punch, const CorrectionInput& input)
        = 0;
    // The file to save to, `suggested` offered (a name in the home folder);
    // empty when he cancels.
    virtual QString saveAs(const QString& title, const QString& suggested, const QString& filter)
        = 0;
};

// The forms as dialogs of their own over the desk's window.
class QtDeskForms : public DeskForms
{
    Q_DECLARE_TR_FUNCTIONS(QtDeskForms)

public:
    QtDeskForms(const RegionalSettings& regional, QWidget* parent = nullptr);
    std::optional<CorrectionInput> ask(
        Correction::Action action, const Punch& punch, const CorrectionInput& input) override;
    QString saveAs(const QString& title, const QString& suggested, const QString& filter) override;
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    const RegionalSettings& m_regional;
    QWidget* m_parent;
};
