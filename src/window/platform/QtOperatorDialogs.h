#pragma once

#include "OperatorDialogs.h"

#include <QPointer>
#include <QWidget>

// The real boxes: QMessageBox, QInputDialog and QFileDialog, modal over `parent`.
class QtOperatorDialogs : public OperatorDialogs
{
public:
    void setParent(QWidget *parent) { m_parent = parent; }

    void MsgBox(const QString &text, Icon icon, const QString &title) override;
    bool YesNo(const QString &text, const QString &title) override;
    std::optional<QString> InputBox(const QString &prompt, const QString &title,
                                    const QString &initial) override;
    QString OpenFile(const QString &title, const QString &filter, const QString &folder) override;
    QString SaveFile(const QString &title, const QString &filter, const QString &folder) override;

private:
    QString titleOr(const QString &title) const;
    QPointer<QWidget> m_parent;
};
