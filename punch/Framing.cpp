#include "Framing.h"

#include <QLineEdit>

namespace {

bool isFraming(QChar c)
{
    return c == QLatin1Char('@') || c == QLatin1Char('|') || c == QLatin1Char(';')
        || c == QLatin1Char('?');
}

} // namespace

QString withoutFraming(const QString& text)
{
    QStringView rest(text);
    // The front goes first: a removal at the end never uncovers a framing
    // character at the front, so the order of the nested removals is kept.
    while (!rest.isEmpty() && isFraming(rest.front()))
        rest = rest.mid(1, 99);
    while (!rest.isEmpty() && isFraming(rest.back()))
        rest.chop(1);
    return rest.size() == text.size() ? text : rest.toString();
}

void removeFramingCharacters(QLineEdit* box)
{
    const QString kept = withoutFraming(box->text());
    if (kept.size() != box->text().size())
        box->setText(kept);
}
