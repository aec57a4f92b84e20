#include "LabelClicks.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>

LabelClicks::LabelClicks(QWidget *window) : QObject(window)
{
    const auto labels = window->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        // Secondary windows parented to this one watch their own labels.
        if (!label->buddy() || label->window() != window)
            continue;
        label->installEventFilter(this);
        if (auto *box = qobject_cast<QCheckBox *>(label->buddy())) {
            m_captionOf.insert(box, label);
            box->installEventFilter(this);
            label->setEnabled(box->isEnabled());
        }
    }
}

bool LabelClicks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (QLabel *caption = m_captionOf.value(watched)) {
            caption->setEnabled(static_cast<QWidget *>(watched)->isEnabled());
        }
        return false;
    }
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    auto *label = qobject_cast<QLabel *>(watched);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (!label || mouse->button() != Qt::LeftButton ||
        !label->rect().contains(mouse->position().toPoint()))
        return false;
    QWidget *control = label->buddy();
    // A control that is disabled or hidden (its firmware group, say) ignores its caption as
    // it would ignore a click of its own.
    if (!control || !control->isEnabled() || !control->isVisible())
        return false;
    if (control->focusPolicy() & Qt::ClickFocus)
        control->setFocus(Qt::MouseFocusReason);
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->click();
    return false;
}
