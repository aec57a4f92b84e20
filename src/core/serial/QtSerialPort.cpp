#include "QtSerialPort.h"

#include "LineSettings.h"
#include "PortNames.h"
#include "SystemSerialPort.h"
#include "TransferRules.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <poll.h>

namespace levelconf
{

// The port on Linux: Windows has a module of its own (Win32SerialPort).
namespace
{
// How often an open device is looked at for a hang-up that nothing else reports. Some Qt
// versions read the end of file of a device that has gone as "no bytes yet" and say
// nothing, so the port looks at the descriptor itself.
constexpr int kHangUpCheckMs = 250;

// The system's words for a failure number.
QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why the descriptor can no longer be used; empty while it can. A hung-up terminal (an
// adapter pulled out, the far end of a pseudo-terminal closed) polls as hung up or in
// error at once, without waiting.
QString hangUpReason(qintptr descriptor)
{
    if (descriptor < 0)
        return {};
    pollfd p{static_cast<int>(descriptor), POLLIN | POLLOUT, 0};
    if (::poll(&p, 1, 0) <= 0)
        return {};
    if (p.revents & POLLNVAL)
        return systemReason(EBADF);
    if (p.revents & (POLLHUP | POLLERR))
        return QStringLiteral("the device hung up");
    return {};
}

// A write the driver refused because the device is no longer there.
bool isGoneError(int error)
{
    return error == EIO || error == ENXIO || error == ENODEV;
}

QSerialPort::Parity qtParity(LineSettings::Parity p)
{
    switch (p) {
    case LineSettings::Parity::Even:
        return QSerialPort::EvenParity;
    case LineSettings::Parity::Odd:
        return QSerialPort::OddParity;
    case LineSettings::Parity::Mark:
        return QSerialPort::MarkParity;
    case LineSettings::Parity::Space:
        return QSerialPort::SpaceParity;
    case LineSettings::Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits qtStopBits(LineSettings::StopBits s)
{
    switch (s) {
    case LineSettings::StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case LineSettings::StopBits::Two:
        return QSerialPort::TwoStop;
    case LineSettings::StopBits::One:
        break;
    }
    return QSerialPort::OneStop;
}

bool applyLineSettings(QSerialPort &port, const LineSettings &line)
{
    return port.setBaudRate(line.baud) &&
           port.setDataBits(static_cast<QSerialPort::DataBits>(line.dataBits)) &&
           port.setParity(qtParity(line.parity)) && port.setStopBits(qtStopBits(line.stopBits)) &&
           port.setFlowControl(QSerialPort::NoFlowControl);
}

} // namespace

QtSerialPort::QtSerialPort()
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { noteError(error); });
    QObject::connect(&m_port, &QSerialPort::readyRead, &events(), &SerialPortEvents::bytesArrived);
    m_hangUpCheck.setInterval(kHangUpCheckMs);
    QObject::connect(&m_hangUpCheck, &QTimer::timeout, &m_port, [this] { checkHangUp(); });
}

QtSerialPort::~QtSerialPort()
{
    if (m_port.isOpen())
        m_port.close();
}

QStringList QtSerialPort::portNames()
{
    return sortPortNames(m_present.fresh());
}

bool QtSerialPort::portExists(const QString &name)
{
    if (isDevicePath(name))
        return QFileInfo::exists(name);
    return m_present.recent().contains(name);
}

QStringList QtSerialPort::presentPorts()
{
    QStringList names;
    // The enumeration leaves out the legacy serial ports that have no hardware behind
    // them, so what it lists can be used.
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names.append(info.portName());
    return names;
}

QString QtSerialPort::deviceName(const QString &item) const
{
    return deviceNameFor(item, false);
}

bool QtSerialPort::open(const QString &device, const QString &settings)
{
    if (m_open)
        close();
    m_failure = OpenFailure::None;
    m_lost = false;
    m_ioFailure.clear();

    // The device is claimed before Qt opens it: Qt sets a line up as it opens it, and
    // clears the terminal's exclusive flag as it closes it, which would disturb a port that
    // another program holds. It is opened by its own path, so that Qt's lock file, too,
    // is named after the device however it was asked for.
    PortDevice target = claimPortDevice(device);
    if (!target.hold) {
        m_failure = target.failure;
        return false;
    }
    m_port.setPortName(target.path);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_failure = classifyOpenFailure(target.path);
        return false;
    }
    m_hold = std::move(target.hold);
    m_open = true;

    // The read and write time-outs are kept by ComRead and ComWrite, so there is nothing
    // to set up for them here and this step cannot fail.

    const auto line = parseLineSettings(settings);
    if (!line) {
        return setUpFailed(QStringLiteral("Unable to build Comm DCB ") + settings +
                           QStringLiteral(" Error: ") + QString::number(EINVAL));
    }
    errno = 0;
    if (!applyLineSettings(m_port, *line)) {
        const int error = errno;
        return setUpFailed(QStringLiteral("Unable to set Comm DCB ") + settings +
                           QStringLiteral(" Error: ") + QString::number(error));
    }
    // Bytes that reached the device before it was ours belong to nobody's request.
    m_port.clear(QSerialPort::Input);
    m_hangUpCheck.start();
    return true;
}

SerialPort::OpenFailure QtSerialPort::classifyOpenFailure(const QString &path) const
{
    // Only devices get this far. One without line settings (/dev/null) opens as far as the
    // system goes, but is no port to talk to a bus through.
    switch (m_port.error()) {
    case QSerialPort::UnsupportedOperationError:
        return OpenFailure::NotASerialPort;
    case QSerialPort::DeviceNotFoundError:
        return OpenFailure::NotFound;
    case QSerialPort::PermissionError: {
        // Qt reports a port in use (its lock, or the exclusive flag) as a permission error
        // too; only a device we may not read or write is a matter of access rights.
        const QFileInfo info(path);
        if (!info.exists())
            return OpenFailure::NotFound;
        return info.isReadable() && info.isWritable() ? OpenFailure::Busy
                                                      : OpenFailure::PermissionDenied;
    }
    default:
        return OpenFailure::Other;
    }
}

bool QtSerialPort::setUpFailed(const QString &text)
{
    emit events().lineSetUpFailed(text);
    m_port.close();
    m_hold.reset();
    m_open = false;
    m_failure = OpenFailure::Other;
    return false;
}

bool QtSerialPort::close()
{
    if (!m_open)
        return false;
    m_hangUpCheck.stop();
    if (m_port.isOpen())
        m_port.close();
    m_hold.reset();
    m_open = false;
    m_lost = false;
    return true;
}

void QtSerialPort::flush()
{
    if (!m_open || m_lost)
        return;
    m_port.flush();
    QDeadlineTimer deadline(Transfer::writeTimeoutMs(static_cast<int>(m_port.bytesToWrite())));
    while (m_port.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!m_port.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            break;
    }
    releaseLostDevice();
}

QByteArray QtSerialPort::takeArrived()
{
    if (!m_open || m_lost)
        return {};
    const QByteArray arrived = m_port.readAll();
    if (arrived.isEmpty())
        checkHangUp();
    return arrived;
}

int QtSerialPort::send(const QByteArray &data)
{
    if (data.isEmpty() || !m_open || m_lost)
        return 0;
    if (checkHangUp())
        return 0;
    const qint64 queued = m_port.write(data);
    if (queued <= 0)
        return 0;
    // Starts the bytes on their way now rather than on the next pass of the event loop;
    // this writes what the driver takes at once and never waits.
    errno = 0;
    m_port.flush();
    const int error = errno;
    if (!m_lost && isGoneError(error))
        markLost(systemReason(error));
    return m_lost ? 0 : static_cast<int>(queued);
}

bool QtSerialPort::checkHangUp()
{
    if (!m_open || m_lost)
        return m_lost;
    const QString reason = hangUpReason(m_port.handle());
    if (!reason.isEmpty())
        markLost(reason);
    return m_lost;
}

void QtSerialPort::noteError(QSerialPort::SerialPortError error)
{
    if (!m_open || m_lost)
        return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError &&
        error != QSerialPort::WriteError)
        return;
    markLost(m_port.errorString());
}

void QtSerialPort::markLost(const QString &reason)
{
    m_lost = true;
    m_ioFailure = reason;
    m_hangUpCheck.stop();
    // A device that has gone keeps signalling, and the window's event loop would spin on
    // it; the handle is given up as soon as control is back outside the port's own code.
    QTimer::singleShot(0, &m_port, [this] { announceLostDevice(); });
}

void QtSerialPort::announceLostDevice()
{
    releaseLostDevice();
    // A port closed (or opened on another device) in the meantime has nothing to report.
    if (m_open && m_lost)
        emit events().deviceLost();
}

void QtSerialPort::releaseLostDevice()
{
    if (m_lost && m_port.isOpen())
        m_port.close();
}

std::unique_ptr<SerialPort> makeSystemSerialPort()
{
    return std::make_unique<QtSerialPort>();
}

} // namespace levelconf
