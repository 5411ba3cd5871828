#pragma once

#include <QComboBox>

class DataSource;

// A data-bound description pull-down: its list is one field of every row of
// its list source, in the source's order; its text can be read and set. The
// worker only chooses from the list; selected() fires when he picks an item,
// never when the program sets or empties the text.
class DbCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit DbCombo(QWidget* parent = nullptr);

    void setListSource(DataSource* source, const QString& listField);
    // Reads the list again from the list source; the text stays as it was.
    void reFill();

    QString text() const;
    void setText(const QString& text);

signals:
    void selected();

private:
    DataSource* m_source = nullptr;
    QString m_listField;
};
