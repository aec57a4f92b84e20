#pragma once

#include <Qt>

// The litre and per-cent flags of the mode, which the table editor keeps with the table:
// the main window shows them and the mode command sends them.
class TableFlags
{
public:
    virtual ~TableFlags() = default;
    virtual Qt::CheckState litres() = 0;
    virtual Qt::CheckState percent() = 0;
    virtual void setFlags(Qt::CheckState litres, Qt::CheckState percent) = 0;
};
