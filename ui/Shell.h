#pragma once

#include <QString>

// Starts another program of the site by its bare file name, the way the
// desktop shell's "open" does; whether it started is not reported.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void open(const QString& fileName) = 0;
};

class DesktopShell : public Shell
{
public:
    void open(const QString& fileName) override;
};
