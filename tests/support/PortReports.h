#pragma once

#include "core/serial/SerialPort.h"

#include <QObject>
#include <QStringList>

// What ports report about lines they could not set up, recorded in order.
class PortReports
{
public:
    void watch(levelconf::SerialPort &port)
    {
        QObject::connect(&port.events(), &levelconf::SerialPortEvents::lineSetUpFailed,
                         &port.events(), [this](const QString &text) { m_messages.append(text); });
    }
    QStringList messages() const { return m_messages; }

private:
    QStringList m_messages;
};
