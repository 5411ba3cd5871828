#pragma once

#include <QTest>
#include <QWidget>

// The control of that object name below root; a test that asks for one that
// is not there fails with a clear message instead of crashing.
template<typename Control> Control* control(const QWidget* root, const QString& name)
{
    auto* found = root->findChild<Control*>(name);
    if (!found)
        qFatal("no control named %s of the expected kind", qPrintable(name));
    return found;
}
