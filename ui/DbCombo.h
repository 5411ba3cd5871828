#pragma once

#include <QComboBox>

class DataSource;
class FieldListModel;

// A data-bound description pull-down: its list is one field of every row of
// its list source, in the source's order; its text can be read and set. The
// worker only chooses from the list; selected() fires when he picks an item,
// never when the program sets or empties the text.
//
// The list is read from the source when the worker opens it or steps through
// it, a window at a time, as the open list scrolls to it: a list of 100,000
// items costs what one of ten does, and one never looked at costs nothing. The
// box becomes editable, with its line and its list view, when it is first
// shown: the pull-downs of a screen that starts hidden cost nothing at start.
class DbCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit DbCombo(QWidget* parent = nullptr);

    void setListSource(DataSource* source, const QString& listField);
    // Has the list read again from the list source when it is next looked at;
    // the text stays as it was.
    void reFill();

    QString text() const;
    // Shows the text without looking it up in the list.
    void setText(const QString& text);

    void showPopup() override;

signals:
    void selected();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void becomeEditable();
    // Reads the list where a new read is due; the text stays as it was.
    void readList();
    // Before a step down from the last text read, reads the next window.
    void readAheadOfStep();

    FieldListModel* m_list;
    QString m_hiddenText; // set before the box was first shown
};
