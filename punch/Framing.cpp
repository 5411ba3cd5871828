#include "Framing.h"

#include <QLineEdit>

void removeFramingCharacters(QLineEdit* box)
{
    for (const char leading : {'@', '|', ';', '?'}) {
        if (box->text().startsWith(QLatin1Char(leading)))
            box->setText(box->text().mid(1, 99));
    }
    for (const char trailing : {';', '?', '@', '|'}) {
        if (box->text().endsWith(QLatin1Char(trailing)))
            box->setText(box->text().chopped(1));
    }
}
