#include "QtSerialPort.h"

QtSerialPort::QtSerialPort(OperatorDialogs *dialogs) : m_dialogs(dialogs) {}

QtSerialPort::~QtSerialPort() = default;

QStringList QtSerialPort::portNames()
{
    return {};
}

bool QtSerialPort::ComPortExists(const QString &)
{
    return false;
}

QString QtSerialPort::deviceName(const QString &item) const
{
    return item;
}

bool QtSerialPort::ComOpen(const QString &, const QString &)
{
    m_failure = OpenFailure::NotFound;
    return false;
}

bool QtSerialPort::ComClose()
{
    return true;
}

void QtSerialPort::ComFlush() {}

QByteArray QtSerialPort::ComRead()
{
    return {};
}

int QtSerialPort::ComWrite(const QByteArray &)
{
    return 0;
}
