#include "DbCombo.h"

#include "data/DataSource.h"

#include <QLineEdit>

DbCombo::DbCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setReadOnly(true);
    connect(this, &QComboBox::activated, this, [this] { emit selected(); });
}

void DbCombo::setListSource(DataSource* source, const QString& listField)
{
    m_source = source;
    m_listField = listField;
}

void DbCombo::reFill()
{
    const QString kept = text();
    const QStringList items = m_source ? m_source->columnTexts(m_listField) : QStringList();
    const QSignalBlocker blocker(this);
    clear();
    addItems(items);
    setCurrentIndex(-1);
    setEditText(kept);
}

QString DbCombo::text() const
{
    return currentText();
}

void DbCombo::setText(const QString& text)
{
    const int index = findText(text, Qt::MatchExactly);
    setCurrentIndex(index);
    setEditText(text);
}
