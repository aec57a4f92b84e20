#pragma once

#include "FirmwareImage.h"
#include "UpdateSequence.h"
#include "core/text/Translations.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <optional>

namespace levelconf
{

class SerialPort;

// How long the update waits for the loader. Each wait starts when the frame is handed to
// the port, so it includes the frame's own time on the line (at most 68 ms for a block at
// 19200 baud).
struct LoaderTimeouts {
    int syncResendMs = 100; // 7F again while nothing answers; there is no overall limit
    int frameMs = 1000;     // a command, an address, an option byte, the start command
    int eraseMs = 10000;    // erasing the memory takes the loader seconds
    int blockMs = 3000;     // programming one block
};

// How an update ended, for the window to tell the operator.
struct UpdateResult {
    enum class Outcome {
        Done,              // everything written and the application started
        StartNotConfirmed, // everything written; the start command went unanswered
        StartRefused,      // everything written; the loader refused the start command
        Failed,            // the loader refused or did not answer, or the image was damaged
        Cancelled,
        PortLost, // the port did not take a frame or the device went
    };
    Outcome outcome = Outcome::Done;
    // The loader had answered: from then on the sensor's firmware may be incomplete.
    bool loaderAnswered = false;
    // The loader's refusals and the block failures, as the operator has always seen them.
    QStringList loaderMessages;
    // What went wrong, in words for the closing message; empty when nothing did. The log
    // has `reason`, the operator reads `reasonShown`, the same in the language shown.
    QString reason;
    QString reasonShown;
};

// One firmware update from start to end: synchronise with the loader, erase, write the
// option bytes and the blocks, start the application. It runs on the port's events and
// its own timers and never waits, so the window stays live and cancel() works in every
// phase. Nothing else may use the port while it runs.
class FirmwareUpdate : public QObject
{
    Q_OBJECT

public:
    enum class Phase { Idle, Synchronising, Erasing, OptionBytes, Blocks, Starting };

    explicit FirmwareUpdate(SerialPort &port, QObject *parent = nullptr);

    void setTimeouts(const LoaderTimeouts &timeouts) { m_timeouts = timeouts; }
    const LoaderTimeouts &timeouts() const { return m_timeouts; }

    // Starts waiting for the loader. False, with nothing sent, while another update has
    // not finished or when the plan writes no block.
    bool start(const FirmwarePlan &plan);
    // Ends the update now, whatever it is doing; finished() has been emitted when this
    // returns. Nothing more is sent to the loader.
    void cancel();

    bool isRunning() const { return m_phase != Phase::Idle; }
    Phase phase() const { return m_phase; }
    int blockCount() const { return static_cast<int>(m_plan.blocks.size()); }

signals:
    void phaseChanged(FirmwareUpdate::Phase phase);
    void optionBytesWritten();
    // `done` blocks of blockCount() are written; the last one goes by `number`
    // (see blockNumber()).
    void blockWritten(int done, int number);
    // Emitted from the event loop (or from cancel()), never from inside a port call, and
    // only once the update has let go of the port.
    void finished(const UpdateResult &result);

private:
    void onBytesArrived();
    void onDeviceLost();
    void sendSync();
    void onAckTimeout();
    void takeSyncReply(const QByteArray &arrived);
    void takeAck(const QByteArray &arrived);
    void sendStep(int index);
    void wrstr(const QByteArray &frame, int timeoutMs);
    void stepAcknowledged();
    void stepFailed(bool refused);
    void endWith(UpdateResult::Outcome outcome, const LoggedText &reason,
                 const QStringList &loaderMessages = {});
    void deliverResult();
    void setPhase(Phase phase);
    int timeoutFor(LoaderStep::Kind kind) const;
    bool applicationMarkerMissing(const LoaderStep &step) const;

    SerialPort &m_port;
    LoaderTimeouts m_timeouts;
    FirmwarePlan m_plan;
    QList<LoaderStep> m_steps;
    int m_step = -1; // the step whose answer is awaited
    int m_blocksDone = 0;
    Phase m_phase = Phase::Idle;
    bool m_syncSpoiled = false; // what came after the last 7F was not the loader's answer
    bool m_handling = false;    // bytes are being taken: a nested event loop must wait
    bool m_deferred = false;    // bytes announced meanwhile
    QTimer m_syncTimer;
    QTimer m_ackTimer;
    std::optional<UpdateResult> m_result; // finished but not yet delivered
};

} // namespace levelconf
