#include "DeskForms.h"

#include "DeskWords.h"
#include "regional/RegionalSettings.h"

#include <QDateTimeEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString titleOf(Correction::Action action)
{
    switch (action) {
    case Correction::Action::End:
        return QtDeskForms::tr("End a job");
    case Correction::Action::Edit:
        return QtDeskForms::tr("Correct a job");
    case Correction::Action::Delete:
        return QtDeskForms::tr("Delete a punch");
    case Correction::Action::Apply:
        return QtDeskForms::tr("Apply a conflict");
    case Correction::Action::Dismiss:
        return QtDeskForms::tr("Dismiss a conflict");
    }
    return {};
}

QString describe(const Punch& punch, const RegionalSettings& regional)
{
    return QtDeskForms::tr("%1 (badge %2), worker's dept. no. %3\n%4")
        .arg(punch.name(), punch.badge.isEmpty() ? QtDeskForms::tr("unknown") : punch.badge,
            punch.department(), DeskWords::punchText(punch, regional));
}

QDateTimeEdit* timeBox(const QDateTime& value, const RegionalSettings& regional, QWidget* parent)
{
    // The site's clock reading, as it is, whatever the machine's zone makes of
    // it; read back as a moment of the site's clocks.
    auto* box = new QDateTimeEdit(parent);
    box->setTimeSpec(Qt::UTC);
    box->setDateTime(QDateTime(value.date(), value.time(), Qt::UTC));
    box->setDisplayFormat(regional.shortDatePattern() + QLatin1Char(' ') + regional.timePattern());
    box->setCalendarPopup(true);
    return box;
}

} // namespace

QtDeskForms::QtDeskForms(const RegionalSettings& regional, QWidget* parent)
    : m_regional(regional)
    , m_parent(parent)
{ }

std::optional<CorrectionInput> QtDeskForms::ask(
    Correction::Action action, const Punch& punch, const CorrectionInput& input)
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral("Job Costing Desk - ") + titleOf(action));
    // Wide enough for its title, which the window manager would cut.
    dialog.setMinimumWidth(520);
    auto* form = new QFormLayout(&dialog);
    auto* about = new QLabel(describe(punch, m_regional), &dialog);
    about->setWordWrap(true);
    form->addRow(about);

    QDateTimeEdit* start = nullptr;
    QDateTimeEdit* stop = nullptr;
    QDoubleSpinBox* pieces = nullptr;
    if (action == Correction::Action::Edit) {
        start = timeBox(input.start, m_regional, &dialog);
        form->addRow(tr("&Started:"), start);
    }
    if (action == Correction::Action::End
        || (action == Correction::Action::Edit && !punch.isOpen())) {
        stop = timeBox(input.stop, m_regional, &dialog);
        form->addRow(action == Correction::Action::End ? tr("&Ended at:") : tr("S&topped:"), stop);
    }
    if (action == Correction::Action::End || action == Correction::Action::Edit) {
        pieces = new QDoubleSpinBox(&dialog);
        pieces->setRange(0, Corrections::mostPieces);
        pieces->setDecimals(2);
        pieces->setValue(input.pieces);
        // The terminal asks no piece count of a job that pays no bonus.
        pieces->setEnabled(punch.paysBonus() || input.pieces != 0);
        form->addRow(tr("&Pieces:"), pieces);
    }
    auto* reason = new QLineEdit(input.reason, &dialog);
    reason->setObjectName(QStringLiteral("reason"));
    reason->setPlaceholderText(tr("Why (required)"));
    form->addRow(tr("&Reason:"), reason);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    const auto reasonGiven = [ok, reason] {
        ok->setEnabled(!reason->text().trimmed().isEmpty());
    };
    reasonGiven();
    QObject::connect(reason, &QLineEdit::textChanged, &dialog, reasonGiven);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    reason->setFocus();

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    CorrectionInput filled = input;
    if (start)
        filled.start = punch.time.moment(start->date(), start->time());
    if (stop)
        filled.stop = punch.time.moment(
            stop->date(), stop->time(), filled.start.isValid() ? filled.start : punch.started());
    if (pieces)
        filled.pieces = pieces->value();
    filled.reason = reason->text();
    return filled;
}

QString QtDeskForms::saveAs(const QString& title, const QString& suggested, const QString& filter)
{
    return QFileDialog::getSaveFileName(
        m_parent, QStringLiteral("Job Costing Desk - ") + title, suggested, filter);
}
