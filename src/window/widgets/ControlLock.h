#pragma once

#include <QList>
#include <QPair>
#include <QPointer>

class QWidget;

// Disables controls for a while and then gives each back the state it had before, so
// that what the port state and the firmware ladder had enabled comes back as it was.
class ControlLock
{
public:
    // Disables `controls`, remembering each one's own state; a lock already held is
    // released first.
    void lock(const QList<QWidget *> &controls);
    // Restores the remembered states; nothing when no lock is held.
    void unlock();
    bool isLocked() const { return m_locked; }

private:
    QList<QPair<QPointer<QWidget>, bool>> m_saved;
    bool m_locked = false;
};
