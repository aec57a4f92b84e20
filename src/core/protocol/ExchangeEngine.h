#pragma once

#include "AnswerAssembly.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

namespace levelconf
{

class SerialPort;

// The exchange with the sensors: one request out and one answer in per tick, or one
// request at a time for a caller that waits for each answer. It owns the port's traffic
// while it holds the port and never waits on it: bytes are taken as the port announces
// them, and an answer is whole 20 ms after its last byte or 256 ms after its read began;
// a data answer from a sensor whose identity answer it has seen is whole as soon as all of
// its bytes are in with a good CRC, its length following from the firmware named there.
// What happens is told through signals; showing and logging it is the listener's business.
class ExchangeEngine : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 1000;

    explicit ExchangeEngine(SerialPort &port, QObject *parent = nullptr);

    // Which sensor is selected; nothing when none is. Asked at every tick.
    void setAddressSource(std::function<std::optional<quint8>()> source);

    // Takes the port and ticks once a second, with a fresh count of failed writes.
    void start();
    // Takes the port without the timer: ticks and requests come from the caller.
    void attach();
    // No more ticks; the port is let go and an exchange under way is abandoned. The
    // firmware learnt from identity answers is forgotten: the port may next lead to
    // another bus, or to a sensor with new firmware.
    void stop();
    bool isPolling() const { return m_timer.isActive(); }
    // Between start or attach and stop: the port's traffic is the engine's.
    bool holdsPort() const { return m_attached; }
    int interval() const { return m_timer.interval(); }

    // One tick: the answer to the frame of the previous tick is taken, then the next frame
    // goes out (the pending request, else the data request to the selected sensor). When
    // the answer is still coming, the tick ends once it is whole, without waiting here.
    void tick();
    // Sends `frame` now and reports its answer once it is whole (or none came within the
    // bound), through the same signals as a tick. False, with nothing sent, while a tick or
    // another request is under way.
    bool request(const QByteArray &frame);
    // A tick or a request has not finished yet.
    bool busy() const { return m_busy; }

    // The frame the next tick sends instead of the data request; empty: none. A later one
    // replaces it.
    void queue(const QByteArray &frame);
    void dropPending() { m_pending.clear(); }
    // The network search: its frame is queued and the answer awaited is a list of
    // addresses rather than a framed answer.
    void queueSearch();
    // A table write was queued: the tick that sends it is followed by one that asks for
    // the mode to be written again (modeResendDue).
    void followTableWrite();
    // Nothing pending, no search awaited, no follow-up: as a freshly opened port.
    void forgetRequests();

    // The last tick or request had no answer.
    bool noData() const { return m_noData; }
    // The sensor last reported that it works in frequency mode: it takes no commands.
    bool frequencyMode() const { return m_frequencyMode; }

signals:
    // A table write went out a tick ago: the mode is to be written again now.
    void modeResendDue();
    // The tick is about to send an operator's request rather than the data request.
    void operatorRequestDue();
    // The operator's request was dropped, the sensor being in frequency mode.
    void refusedInFrequencyMode();
    // The frame this tick sends; empty when it sends none.
    void frameChosen(const QByteArray &frame);
    // The port did not take a frame. After the fourth in a row linkLost follows.
    void writeFailed();
    // The engine has stopped: the port no longer takes frames and is to be closed.
    void linkLost();
    // The port took the frame.
    void frameWritten(const QByteArray &frame);
    // Nothing came in answer.
    void noAnswer();
    // Something came: the bytes and the CRC-8 worked out over all but the last.
    void answerArrived(const QByteArray &answer, quint8 computedCrc);
    // A framed answer with its command code; a data answer only when its CRC matched.
    void answered(quint8 code, const QByteArray &answer);
    // A data answer whose CRC did not match: none of it can be trusted.
    void crcMismatch(const QByteArray &answer);
    // The answer to the network search: one address byte per sensor.
    void searchAnswered(const QByteArray &addresses);
    // An answer has been dealt with.
    void answerDone();

private:
    void onBytesArrived();
    void chooseFrame(const std::optional<quint8> &address);
    void finishWhenWhole();
    void finish();
    void finishTick(const QByteArray &answer);
    bool send(const QByteArray &frame);
    void failedWrite();
    void processAnswer(const QByteArray &answer);
    void routeFramed(const QByteArray &answer, quint8 computedCrc);
    void routeUnframed(const QByteArray &answer);
    void endExchange();
    void learnFirmware(const QByteArray &answer);
    std::optional<AwaitedAnswer> knownAnswerTo(const QByteArray &frame) const;
    qint64 now() const { return m_clock.elapsed(); }

    SerialPort &m_port;
    std::function<std::optional<quint8>()> m_addressSource;
    QTimer m_timer;
    QTimer m_wholeTimer; // the answer under way is due to be whole
    QElapsedTimer m_clock;
    AnswerAssembly m_answer;

    bool m_attached = false;
    bool m_busy = false;        // a tick or request under way; a box inside must not start another
    bool m_requestMode = false; // the exchange under way is a request, not a tick
    QByteArray m_pending;       // the operator's request for the next tick
    QByteArray m_outgoing;      // the frame of the tick under way
    QByteArray m_lastWritten;   // the frame whose answer the next tick reads
    QHash<quint8, int> m_firmware; // version code by address, from intact identity answers
    bool m_search = false;         // a network search answer is awaited
    quint8 m_tableFollowUp = 0;    // 2: table frame queued, 1: mode due next tick, 0: none
    quint8 m_lastAddress = 0;      // the address the engine talked to last
    quint8 m_writeFailures = 0;    // failed writes in a row
    bool m_noData = false;
    bool m_frequencyMode = false;
};

} // namespace levelconf
