#pragma once

#include "Correction.h"

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

// The forms in which a supervisor fills in a correction, so that tests can
// fill them in for him. Each starts from `input` (the punch's values, or what
// was typed before a refusal) and returns nothing when he cancels.
class CorrectionForms
{
public:
    virtual ~CorrectionForms() = default;
    virtual std::optional<CorrectionInput> ask(
        Correction::Action action, const Punch& punch, const CorrectionInput& input)
        = 0;
};

// The forms as dialogs of their own over the desk's window.
class QtCorrectionForms : public CorrectionForms
{
public:
    QtCorrectionForms(const RegionalSettings& regional, QWidget* parent = nullptr);
    std::optional<CorrectionInput> ask(
        Correction::Action action, const Punch& punch, const CorrectionInput& input) override;
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    const RegionalSettings& m_regional;
    QWidget* m_parent;
};
