#pragma once

#include "PortDevice.h"
#include "PortListSnapshot.h"
#include "SerialPort.h"

#include <QSerialPort>
#include <QTimer>

#include <memory>

namespace levelconf
{

// The real port, on Qt SerialPort. It belongs to the window's thread: every call comes
// from there, and reads and writes block only within the port's time-outs.
class QtSerialPort : public SerialPort
{
public:
    QtSerialPort();
    ~QtSerialPort() override;

    QStringList portNames() override;
    bool portExists(const QString &name) override;
    QString deviceName(const QString &item) const override;
    bool open(const QString &device, const QString &settings) override;
    OpenFailure lastOpenFailure() const override { return m_failure; }
    bool close() override;
    void flush() override;
    QByteArray takeArrived() override;
    int send(const QByteArray &data) override;

    // True once the open device has gone (an adapter pulled out): reads then return
    // nothing and writes nothing, until close.
    bool deviceLost() const { return m_lost; }
    QString ioFailure() const override { return m_ioFailure; }

private:
    bool setUpFailed(const QString &text);
    void noteError(QSerialPort::SerialPortError error);
    void markLost(const QString &reason);
    bool checkHangUp();
    void releaseLostDevice();
    void announceLostDevice();
    OpenFailure classifyOpenFailure(const QString &path) const;
    static QStringList presentPorts();

    QSerialPort m_port;
    std::unique_ptr<PortHold> m_hold; // the device, from a good open until close
    OpenFailure m_failure = OpenFailure::None;
    bool m_open = false; // between a good open and close, lost device or not
    bool m_lost = false;
    QString m_ioFailure; // the system's reason for the loss
    QTimer m_hangUpCheck;
    PortListSnapshot m_present{&QtSerialPort::presentPorts};
};

} // namespace levelconf
