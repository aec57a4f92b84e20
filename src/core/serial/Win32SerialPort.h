#pragma once

#include "PortListSnapshot.h"
#include "SerialPort.h"

#include <QByteArray>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace levelconf
{

// The real port on Windows, on the Win32 communications API. The handle is opened for
// overlapped I/O and served by a thread of its own, which reads whatever arrives and writes
// what send handed over, so that no call of the window's thread waits for the line.
// What the thread has to tell (bytes arrived, the device gone) reaches the port's events()
// on the thread that owns them, through the event loop.
class Win32SerialPort : public SerialPort
{
public:
    Win32SerialPort();
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort &) = delete;
    Win32SerialPort &operator=(const Win32SerialPort &) = delete;

    QStringList portNames() override;
    bool portExists(const QString &name) override;
    QString deviceName(const QString &item) const override;
    bool open(const QString &device, const QString &settings) override;
    OpenFailure lastOpenFailure() const override { return m_failure; }
    bool close() override;
    void flush() override;
    QByteArray takeArrived() override;
    int send(const QByteArray &data) override;

    bool deviceLost() const { return m_lost.load(); }

private:
    bool setUpFailed(const QString &text);
    void serve();
    void arrived(const char *bytes, unsigned long count);
    void noteLoss();
    void stopWorker();

    // Handles of the system, kept as pointers so that this header needs no windows.h.
    void *m_handle = nullptr;    // the port, or null while closed
    void *m_stopEvent = nullptr; // set to end the worker
    void *m_wakeEvent = nullptr; // set when there is something to write
    void *m_nameHold = nullptr;  // the port's name, held against another program of ours

    OpenFailure m_failure = OpenFailure::None;
    bool m_open = false;
    std::atomic<bool> m_lost{false};
    std::atomic<bool> m_arrivalAnnounced{false};

    std::mutex m_mutex; // guards what follows, shared with the worker
    std::condition_variable m_written;
    QByteArray m_arrived;
    QByteArray m_toWrite;
    bool m_writing = false;       // a write is with the driver
    bool m_writeCutShort = false; // the driver's time-out ended the last write early

    std::thread m_worker;

    PortListSnapshot m_present; // the ports the registry lists
};

} // namespace levelconf
