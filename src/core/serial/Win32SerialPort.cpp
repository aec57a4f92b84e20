#include "Win32SerialPort.h"

#include "PortNames.h"
#include "SystemSerialPort.h"
#include "TransferRules.h"

#include <QMetaObject>

#include <windows.h>

#include <chrono>

namespace levelconf
{

namespace
{
// Where the driver hands back an empty read at once, the worker waits for the driver to
// announce the next byte, and looks again after this long whatever it said.
constexpr DWORD kReadWaitMs = 50;
// Registry values of the ports present, kept by the system's serial drivers.
constexpr wchar_t kSerialCommKey[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

HANDLE handleOf(void *h)
{
    return static_cast<HANDLE>(h);
}

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

// "COM5" from "\\.\COM5" or "COM5"; a path of another kind stays as it is.
QString dosName(const QString &device)
{
    const QString prefix = QStringLiteral("\\\\.\\");
    return device.startsWith(prefix) ? device.mid(prefix.size()) : device;
}

bool dosDeviceExists(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/')))
        return false;
    wchar_t target[1024];
    return ::QueryDosDeviceW(wide(name).c_str(), target, DWORD(std::size(target))) != 0;
}

QStringList registeredPorts()
{
    QStringList names;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        wchar_t valueName[256];
        DWORD valueNameSize = DWORD(std::size(valueName));
        wchar_t data[256];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        const LONG r = ::RegEnumValueW(key, i, valueName, &valueNameSize, nullptr, &type,
                                       reinterpret_cast<BYTE *>(data), &dataSize);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r != ERROR_SUCCESS || type != REG_SZ)
            continue;
        const QString name = QString::fromWCharArray(data, int(dataSize / sizeof(wchar_t)))
                                 .section(QChar(0), 0, 0)
                                 .trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    ::RegCloseKey(key);
    return names;
}

// The port held by this program while it is open, by a name of the port's own: the driver
// keeps a port to one handle, but not every one does (Wine's ports on a pseudo-terminal do
// not), and two programs on one bus would take each other's answers.
HANDLE holdPortName(const QString &device, bool *taken)
{
    QString name = dosName(device).toUpper();
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const std::wstring mutexName =
        (QStringLiteral("Global\\levelconf-port-") + name).toStdWString();
    HANDLE hold = ::CreateMutexW(nullptr, FALSE, mutexName.c_str());
    *taken = false;
    if (!hold)
        return nullptr;
    const DWORD r = ::WaitForSingleObject(hold, 0);
    // A holder that ended without closing the port leaves it abandoned, and so free.
    if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED)
        return hold;
    ::CloseHandle(hold);
    *taken = true;
    return nullptr;
}

void releasePortName(void *hold)
{
    if (hold) {
        ::ReleaseMutex(handleOf(hold));
        ::CloseHandle(handleOf(hold));
    }
}

SerialPort::OpenFailure openFailureOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        return SerialPort::OpenFailure::NotFound;
    // A port that another program holds is refused as "access denied"; the sharing
    // violation is what a port opened without sharing by another handle gives.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
        return SerialPort::OpenFailure::Busy;
    default:
        return SerialPort::OpenFailure::Other;
    }
}

// The line as the port has always been set: the settings text read by the system, on top
// of what the driver holds, then binary, without flow control and without the driver
// stopping on a line error.
bool buildLine(HANDLE port, const QString &settings, DCB *dcb)
{
    *dcb = DCB{};
    dcb->DCBlength = sizeof(DCB);
    // Some drivers (and Wine on a pseudo-terminal) cannot say what they hold; the text
    // sets every field that matters all the same.
    ::GetCommState(port, dcb);
    dcb->DCBlength = sizeof(DCB);
    if (!::BuildCommDCBW(wide(settings).c_str(), dcb))
        return false;
    dcb->fBinary = TRUE;
    dcb->fOutxCtsFlow = FALSE;
    dcb->fOutxDsrFlow = FALSE;
    dcb->fDtrControl = DTR_CONTROL_ENABLE;
    dcb->fRtsControl = RTS_CONTROL_ENABLE;
    dcb->fDsrSensitivity = FALSE;
    dcb->fOutX = FALSE;
    dcb->fInX = FALSE;
    dcb->fErrorChar = FALSE;
    dcb->fNull = FALSE;
    dcb->fAbortOnError = FALSE;
    return true;
}

// Reads hand over whatever has arrived without waiting for more; writes are bounded by the
// port's own time-outs, 10 ms plus 1 ms a byte.
COMMTIMEOUTS lineTimeouts()
{
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;
    t.ReadTotalTimeoutMultiplier = 0;
    t.ReadTotalTimeoutConstant = 0;
    t.WriteTotalTimeoutMultiplier = Transfer::kWritePerByteMs;
    t.WriteTotalTimeoutConstant = Transfer::kWriteConstantMs;
    return t;
}

QString errorNumber(DWORD error)
{
    return QStringLiteral(" Error: ") + QString::number(error);
}
} // namespace

Win32SerialPort::Win32SerialPort() : m_present(&registeredPorts) {}

Win32SerialPort::~Win32SerialPort()
{
    close();
}

QStringList Win32SerialPort::portNames()
{
    return sortPortNames(m_present.fresh());
}

bool Win32SerialPort::portExists(const QString &name)
{
    const QString dos = dosName(name);
    if (m_present.recent().contains(dos, Qt::CaseInsensitive))
        return true;
    // A port that the registry does not list (a virtual one, a link made by hand) is there
    // when the system knows the name as a device.
    return dosDeviceExists(dos);
}

QString Win32SerialPort::deviceName(const QString &item) const
{
    return deviceNameFor(item, true);
}

bool Win32SerialPort::open(const QString &device, const QString &settings)
{
    if (m_open)
        close();
    m_failure = OpenFailure::None;
    m_lost = false;

    bool taken = false;
    m_nameHold = holdPortName(device, &taken);
    if (taken) {
        m_failure = OpenFailure::Busy;
        return false;
    }
    HANDLE port = ::CreateFileW(wide(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        m_failure = openFailureOf(::GetLastError());
        releasePortName(m_nameHold);
        m_nameHold = nullptr;
        return false;
    }
    m_handle = port;
    m_open = true;

    // A file or a pipe opens as far as the system goes, but takes no line settings.
    if (::GetFileType(port) != FILE_TYPE_CHAR) {
        close();
        m_failure = OpenFailure::NotASerialPort;
        return false;
    }
    COMMTIMEOUTS timeouts = lineTimeouts();
    if (!::SetCommTimeouts(port, &timeouts)) {
        const DWORD error = ::GetLastError();
        return setUpFailed(QStringLiteral("Unable to set timeouts for port ") + device +
                           errorNumber(error));
    }
    DCB dcb;
    if (!buildLine(port, settings, &dcb)) {
        const DWORD error = ::GetLastError();
        return setUpFailed(QStringLiteral("Unable to build Comm DCB ") + settings +
                           errorNumber(error));
    }
    if (!::SetCommState(port, &dcb)) {
        const DWORD error = ::GetLastError();
        return setUpFailed(QStringLiteral("Unable to set Comm DCB ") + settings +
                           errorNumber(error));
    }
    // Bytes that reached the device before it was ours belong to nobody's request.
    ::PurgeComm(port, PURGE_RXCLEAR | PURGE_RXABORT);
    // The driver says when a byte arrives, for drivers whose reads never wait.
    ::SetCommMask(port, EV_RXCHAR);

    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_arrived.clear();
        m_toWrite.clear();
        m_writing = false;
        m_writeCutShort = false;
    }
    m_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_wakeEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!m_stopEvent || !m_wakeEvent) {
        close();
        m_failure = OpenFailure::Other;
        return false;
    }
    m_worker = std::thread([this] { serve(); });
    return true;
}

bool Win32SerialPort::setUpFailed(const QString &text)
{
    emit events().lineSetUpFailed(text);
    close();
    m_failure = OpenFailure::Other;
    return false;
}

void Win32SerialPort::stopWorker()
{
    if (m_worker.joinable()) {
        ::SetEvent(handleOf(m_stopEvent));
        m_worker.join();
    }
    for (void **event : {&m_stopEvent, &m_wakeEvent}) {
        if (*event)
            ::CloseHandle(handleOf(*event));
        *event = nullptr;
    }
}

bool Win32SerialPort::close()
{
    if (!m_open)
        return false;
    stopWorker();
    const bool closed = ::CloseHandle(handleOf(m_handle)) != 0;
    m_handle = nullptr;
    releasePortName(m_nameHold);
    m_nameHold = nullptr;
    m_open = false;
    m_lost = false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_arrived.clear();
    m_toWrite.clear();
    m_writing = false;
    return closed;
}

void Win32SerialPort::flush()
{
    if (!m_open || m_lost)
        return;
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto bound = std::chrono::milliseconds(Transfer::writeTimeoutMs(int(m_toWrite.size())) +
                                                 Transfer::kWriteConstantMs);
    m_written.wait_for(lock, bound,
                       [this] { return (m_toWrite.isEmpty() && !m_writing) || m_lost.load(); });
}

QByteArray Win32SerialPort::takeArrived()
{
    if (!m_open)
        return {};
    std::lock_guard<std::mutex> lock(m_mutex);
    QByteArray bytes;
    bytes.swap(m_arrived);
    return bytes;
}

int Win32SerialPort::send(const QByteArray &data)
{
    if (data.isEmpty() || !m_open || m_lost)
        return 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // A write the driver cut short at its time-out makes this one fail in its place:
        // the caller counts failed writes as it would count short ones.
        if (m_writeCutShort) {
            m_writeCutShort = false;
            return 0;
        }
        m_toWrite.append(data);
    }
    ::SetEvent(handleOf(m_wakeEvent));
    return int(data.size());
}

void Win32SerialPort::arrived(const char *bytes, unsigned long count)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_arrived.append(bytes, int(count));
    }
    // One announcement waits in the event loop at a time; it takes everything there is.
    if (!m_arrivalAnnounced.exchange(true)) {
        QMetaObject::invokeMethod(
            &events(),
            [this] {
                m_arrivalAnnounced = false;
                emit events().bytesArrived();
            },
            Qt::QueuedConnection);
    }
}

void Win32SerialPort::noteLoss()
{
    m_lost = true;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_written.notify_all();
    }
    // Announced from the event loop, so that a listener may close the port at once.
    QMetaObject::invokeMethod(
        &events(),
        [this] {
            if (m_open && m_lost)
                emit events().deviceLost();
        },
        Qt::QueuedConnection);
}

void Win32SerialPort::serve()
{
    const HANDLE port = handleOf(m_handle);
    OVERLAPPED readOv{};
    OVERLAPPED writeOv{};
    OVERLAPPED eventOv{};
    readOv.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    writeOv.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    eventOv.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    char buffer[Transfer::kBlock];
    QByteArray chunk;
    bool reading = false;  // a read is with the driver
    bool writing = false;  // a write is with the driver
    bool watching = false; // a wait for the next byte is with the driver
    bool readNow = true;   // ask the driver for what has arrived
    bool failed = !readOv.hEvent || !writeOv.hEvent || !eventOv.hEvent;
    DWORD eventMask = 0;

    // A read comes back at once with what has arrived, or stays with the driver until a
    // byte comes (Wine does that). Where it comes back empty, the driver is asked to say
    // when the next byte is there, and the worker waits for that, at most kReadWaitMs.
    const auto readDone = [&](DWORD got) {
        reading = false;
        if (got > 0) {
            arrived(buffer, got);
            readNow = true;
            return;
        }
        readNow = false;
        if (!watching) {
            ::ResetEvent(eventOv.hEvent);
            if (::WaitCommEvent(port, &eventMask, &eventOv))
                readNow = true;
            else if (::GetLastError() == ERROR_IO_PENDING)
                watching = true;
        }
    };
    const auto writeDone = [&](DWORD put) {
        writing = false;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (put < DWORD(chunk.size()))
            m_writeCutShort = true;
        chunk.clear();
        m_writing = !m_toWrite.isEmpty();
        m_written.notify_all();
    };

    while (!failed) {
        if (readNow && !reading) {
            ::ResetEvent(readOv.hEvent);
            DWORD got = 0;
            if (::ReadFile(port, buffer, sizeof buffer, &got, &readOv)) {
                readDone(got);
                continue;
            }
            if (::GetLastError() != ERROR_IO_PENDING) {
                failed = true;
                break;
            }
            reading = true;
        }
        if (!writing) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                chunk.swap(m_toWrite);
                m_writing = !chunk.isEmpty();
            }
            if (!chunk.isEmpty()) {
                ::ResetEvent(writeOv.hEvent);
                DWORD put = 0;
                if (::WriteFile(port, chunk.constData(), DWORD(chunk.size()), &put, &writeOv)) {
                    writeDone(put);
                    continue;
                }
                if (::GetLastError() != ERROR_IO_PENDING) {
                    failed = true;
                    break;
                }
                writing = true;
            }
        }

        HANDLE waits[5] = {handleOf(m_stopEvent), handleOf(m_wakeEvent)};
        DWORD count = 2;
        const DWORD readSlot = reading ? count++ : MAXDWORD;
        if (reading)
            waits[readSlot] = readOv.hEvent;
        const DWORD writeSlot = writing ? count++ : MAXDWORD;
        if (writing)
            waits[writeSlot] = writeOv.hEvent;
        const DWORD eventSlot = watching ? count++ : MAXDWORD;
        if (watching)
            waits[eventSlot] = eventOv.hEvent;
        // Without a read under way the worker looks again after a while, whatever the
        // driver said of the next byte.
        const DWORD r =
            ::WaitForMultipleObjects(count, waits, FALSE, reading ? INFINITE : kReadWaitMs);
        if (r == WAIT_TIMEOUT) {
            readNow = true;
            continue;
        }
        const DWORD slot = r - WAIT_OBJECT_0;
        if (slot == 0)
            break;
        if (slot == readSlot) {
            DWORD got = 0;
            if (!::GetOverlappedResult(port, &readOv, &got, FALSE)) {
                reading = false;
                failed = true;
                break;
            }
            readDone(got);
        } else if (slot == writeSlot) {
            DWORD put = 0;
            if (!::GetOverlappedResult(port, &writeOv, &put, FALSE)) {
                writing = false;
                failed = true;
                break;
            }
            writeDone(put);
        } else if (slot == eventSlot) {
            DWORD n = 0;
            watching = false;
            readNow = true;
            // A wait the driver ended with an error is no loss by itself: the read that
            // follows tells.
            ::GetOverlappedResult(port, &eventOv, &n, FALSE);
        } else if (slot != 1) {
            failed = true;
        }
    }

    // What is still under way is ours to call back before the buffers go.
    if (reading || writing || watching) {
        ::CancelIo(port);
        DWORD n = 0;
        if (reading)
            ::GetOverlappedResult(port, &readOv, &n, TRUE);
        if (writing)
            ::GetOverlappedResult(port, &writeOv, &n, TRUE);
        if (watching)
            ::GetOverlappedResult(port, &eventOv, &n, TRUE);
    }
    for (HANDLE event : {readOv.hEvent, writeOv.hEvent, eventOv.hEvent}) {
        if (event)
            ::CloseHandle(event);
    }
    if (failed)
        noteLoss();
}

std::unique_ptr<SerialPort> makeSystemSerialPort()
{
    return std::make_unique<Win32SerialPort>();
}

} // namespace levelconf
