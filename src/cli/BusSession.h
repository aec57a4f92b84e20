#pragma once

#include "core/log/SessionLog.h"
#include "core/protocol/AnswerCheck.h"
#include "core/protocol/ExchangeEngine.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QEventLoop;
namespace levelconf
{
class SerialPort;
} // namespace levelconf

// The command line's conversation with the bus: one request at a time through the exchange
// engine, its answer awaited, a missed answer asked again, every event in the session log
// with the window's words.
class BusSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTries = 3;

    enum class Status { Answered, NoAnswer, PortLost, Interrupted };
    struct Reply {
        Status status = Status::NoAnswer;
        QByteArray answer;
        // No answer was taken, but some try brought one: damaged, or not the one awaited.
        bool damaged = false;
    };
    // Whether a missed answer gets the window's no-data line in the log. A probe of an
    // address that may well be free does not: silence is what it hopes for.
    enum class Misses { Logged, Quiet };
    // Whether an answer is the one awaited; one that is not counts as missed.
    using Accept = std::function<bool(const QByteArray &)>;

    BusSession(levelconf::SerialPort &port, const levelconf::SessionLog &log,
               QObject *parent = nullptr);

    // Sends `frame` up to `tries` times until an accepted answer comes. `address` names the
    // sensor in the no-answer line.
    Reply exchange(const QByteArray &frame, quint8 address, const Accept &accept,
                   int tries = kTries, Misses misses = Misses::Logged);

    // Waits `ms` with the port's events running; false when interrupted or the device went
    // meanwhile.
    bool pause(int ms);
    // Ctrl+C: the request under way ends and no other starts.
    void interrupt();
    bool interrupted() const { return m_interrupted; }
    bool lost() const { return m_lost; }

    void log(const QString &line) const;

private:
    Reply once(const QByteArray &frame);

    levelconf::ExchangeEngine m_engine;
    const levelconf::SessionLog &m_log;
    QEventLoop *m_loop = nullptr;
    bool m_interrupted = false;
    bool m_lost = false; // the device has gone: nothing more can be sent
};

// The answers that pass the answer check for `awaited`; any other counts as missed.
BusSession::Accept awaiting(const levelconf::AwaitedAnswer &awaited);
// The sensor says it works in frequency mode: it takes no request until it is restarted.
bool frequencyModeAnswer(const QByteArray &answer);
