#pragma once

#include "window/platform/OperatorDialogs.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

// Answers the operator's boxes from queues and records every box shown.
class FakeDialogs : public OperatorDialogs
{
public:
    struct Shown {
        QString kind; // "msg", "yesno", "input", "open", "save"
        QString text; // message, question or prompt
        QString title;
        Icon icon = Icon::None;
        QString initial; // initial text of an input box, filter of a file box
    };

    QList<Shown> shown;
    std::deque<bool> yesNoAnswers;                   // empty: Yes
    std::deque<std::optional<QString>> inputAnswers; // empty: Cancel
    std::deque<QString> fileAnswers;                 // empty: cancelled
    std::function<void()> whileShown;                // runs inside every box, as a modal loop would

    // Texts of the message boxes, in order.
    QStringList messages() const;
    void clear() { shown.clear(); }

    void MsgBox(const QString &text, Icon icon, const QString &title) override;
    bool YesNo(const QString &text, const QString &title) override;
    std::optional<QString> InputBox(const QString &prompt, const QString &title,
                                    const QString &initial) override;
    QString OpenFile(const QString &title, const QString &filter, const QString &folder) override;
    QString SaveFile(const QString &title, const QString &filter, const QString &folder) override;

private:
    QString nextFile(const QString &kind, const QString &title, const QString &filter);
};
