#pragma once

#include "core/log/Severity.h"

#include <QString>
#include <optional>

// The operator's modal boxes. The window talks to the operator only through this, so
// that tests can answer the boxes and read every text shown.
class OperatorDialogs
{
public:
    using Icon = levelconf::Severity;

    virtual ~OperatorDialogs() = default;

    // A message with an OK button. An empty title means the program's name.
    virtual void MsgBox(const QString &text, Icon icon = Icon::None,
                        const QString &title = QString()) = 0;

    // A Yes/No question; true for Yes.
    virtual bool YesNo(const QString &text, const QString &title = QString()) = 0;

    // An input box with a prompt, a title and an initial text; nothing when cancelled.
    virtual std::optional<QString> InputBox(const QString &prompt, const QString &title,
                                            const QString &initial) = 0;

    // File choosers in `folder` with a Qt filter ("tbl Files (*.trr)"); an empty result
    // means the operator cancelled.
    virtual QString OpenFile(const QString &title, const QString &filter,
                             const QString &folder) = 0;
    virtual QString SaveFile(const QString &title, const QString &filter,
                             const QString &folder) = 0;
};
