#include "ControlLock.h"

#include "Tags.h"

#include <QWidget>

void ControlLock::lock(const QList<QWidget *> &controls)
{
    unlock();
    for (QWidget *w : controls) {
        m_saved.append({QPointer<QWidget>(w), ownEnabled(w)});
        w->setEnabled(false);
    }
    m_locked = true;
}

void ControlLock::unlock()
{
    for (const auto &[control, enabled] : std::as_const(m_saved)) {
        if (control)
            control->setEnabled(enabled);
    }
    m_saved.clear();
    m_locked = false;
}
