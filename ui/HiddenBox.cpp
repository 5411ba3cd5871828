#include "ui/HiddenBox.h"

HiddenBox::HiddenBox(QObject* holder, const QString& name)
    : QObject(holder)
    , m_text(name)
{
    setObjectName(name);
}
