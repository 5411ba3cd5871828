#pragma once

#include <QObject>
#include <QString>

// A text box the design keeps hidden, to hold a value: it is never shown and
// never takes the focus, so it keeps its text without a line edit behind it.
// It starts with its name as its text, as the design has it.
class HiddenBox : public QObject
{
    Q_OBJECT

public:
    HiddenBox(QObject* holder, const QString& name);

    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

private:
    QString m_text;
};
