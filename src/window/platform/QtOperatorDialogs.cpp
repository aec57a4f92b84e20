#include "QtOperatorDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

using namespace levelconf;

QString QtOperatorDialogs::titleOr(const QString &title) const
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

void QtOperatorDialogs::MsgBox(const QString &text, Icon icon, const QString &title)
{
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case Icon::None:
        break;
    case Icon::Information:
        qicon = QMessageBox::Information;
        break;
    case Icon::Warning:
        qicon = QMessageBox::Warning;
        break;
    case Icon::Critical:
        qicon = QMessageBox::Critical;
        break;
    }
    QMessageBox box(qicon, titleOr(title), text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtOperatorDialogs::YesNo(const QString &text, const QString &title)
{
    return QMessageBox::question(m_parent, titleOr(title), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtOperatorDialogs::InputBox(const QString &prompt, const QString &title,
                                                   const QString &initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, titleOr(title), prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtOperatorDialogs::OpenFile(const QString &title, const QString &filter,
                                    const QString &folder)
{
    return QFileDialog::getOpenFileName(m_parent, title, folder, filter);
}

QString QtOperatorDialogs::SaveFile(const QString &title, const QString &filter,
                                    const QString &folder)
{
    return QFileDialog::getSaveFileName(m_parent, title, folder, filter);
}
