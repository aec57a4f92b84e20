#pragma once

#include "SerialPort.h"

class OperatorDialogs;

// The real port, on Qt SerialPort.
class QtSerialPort : public SerialPort
{
public:
    explicit QtSerialPort(OperatorDialogs *dialogs = nullptr);
    ~QtSerialPort() override;

    QStringList portNames() override;
    bool ComPortExists(const QString &name) override;
    QString deviceName(const QString &item) const override;
    bool ComOpen(const QString &device, const QString &settings) override;
    OpenFailure lastOpenFailure() const override { return m_failure; }
    bool ComClose() override;
    void ComFlush() override;
    QByteArray ComRead() override;
    int ComWrite(const QByteArray &data) override;

private:
    OperatorDialogs *m_dialogs;
    OpenFailure m_failure = OpenFailure::None;
};
