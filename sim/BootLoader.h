#pragma once

#include "LoaderMemory.h"
#include "WireClock.h"
#include "core/firmware/LoaderFrames.h"

#include <QByteArray>

#include <deque>
#include <optional>

// How the simulated boot loader behaves on the line.
struct LoaderSettings {
    bool present = true;       // false: no loader at all, a sync is never answered
    int ignoredSyncs = 3;      // syncs that go unanswered while the sensor is power-cycled
    int powerCycleMs = 0;      // and the least time from the first of them to the answer
    int baud = 19200;          // pace of the replies; 0: they take no time
    int blockProgramUs = 3000; // programming one data frame (a block or an option byte)
    int frameTimeoutMs = 50;   // a frame left unfinished this long is dropped
    bool refuseStart = false;  // the start command is refused: the loader keeps the line
};

struct LoaderStats {
    quint64 syncsIgnored = 0;
    quint64 acknowledged = 0; // replies 0x79 sent, the answered sync included
    quint64 refused = 0;      // replies 0x1F sent
    quint64 goCount = 0;      // go commands executed
    LineTime programming{0};  // spent programming data frames

    quint64 framesAnswered() const { return acknowledged + refused; }
};

// The sensor's resident boot loader, as bytes in and replies out; it keeps no clock of
// its own, so that it can be driven by a test as well as by the simulated line.
//
// - The sensor runs its application until it has been power-cycled: syncs (0x7F) go
//   unanswered until `ignoredSyncs` of them have come and `powerCycleMs` has passed since
//   the first; the next sync is answered 0x79 and the loader holds the line.
// - Every frame then gets one reply, 0x79 or 0x1F, paced at the line's baud rate after
//   its last byte (and after the programming time for a data frame).
// - Commands are a byte and its complement: erase 43 BC, write memory 31 CE, go 21 DE.
//   Erase takes FF 00 (the program flash; the data EEPROM with its calibration values
//   and the option bytes stay) or EE 11 (the data EEPROM only). Write memory takes an
//   address frame (4 bytes, most significant first, and their XOR) inside a writable
//   area, then a data frame (count - 1, 1 to 128 bytes, the XOR of all before it) that
//   must end inside the same area. Go acknowledges and returns to the application, which
//   needs a new power cycle to reach the loader again; with `refuseStart` it is refused
//   and the loader stays.
// - A sync where a command is expected is answered 0x79 again, so that a host that
//   starts over finds the loader at once.
// - Resynchronising: a frame whose next byte has not come `frameTimeoutMs` after the
//   previous one is dropped unanswered. A host waits for each reply before it sends
//   again; bytes that come while a reply is still due (a block sent after its refused
//   address, say) are not frames: the loader drops the reply and everything heard until
//   the line has been quiet for 2 ms, and then answers that burst with one 0x1F.
class BootLoader
{
public:
    explicit BootLoader(const LoaderSettings &settings = {});

    const LoaderSettings &settings() const { return m_settings; }
    const LoaderStats &stats() const { return m_stats; }
    const LoaderMemory &memory() const { return m_memory; }

    // Whether the loader holds the line, so that every byte is for it; otherwise only
    // syncs are.
    bool isActive() const { return m_state != State::Application; }

    // A byte that finished arriving at `at`. Times never go back.
    void receive(quint8 byte, LineTime at);
    // Lets time pass up to `now` without a byte: time-outs run out.
    void passTime(LineTime now);
    // Whether a reply has its last bit on the line by `now`.
    bool hasReplyDue(LineTime now) const;
    // That reply, counted as sent.
    std::optional<quint8> takeReply(LineTime now);
    // When something next happens if no byte comes: a reply falls due or a time-out ends.
    std::optional<LineTime> nextEvent() const;

    // The application answered a request in between: a power cycle starts over.
    void restartPowerCycle();
    // The line has gone: replies not yet sent never will be.
    void dropReplies() { m_replies.clear(); }

private:
    enum class State { Application, Command, EraseArgument, Address, Data, Garbled };
    struct Reply {
        LineTime due;
        quint8 byte;
    };

    void hearSync(quint8 byte, LineTime at);
    bool powerCycleOver(LineTime at) const;
    int frameLength() const;
    void complete(LineTime at);
    void command(LineTime at);
    void erase(LineTime at);
    void address(LineTime at);
    void data(LineTime at);
    void answer(quint8 byte, LineTime ready);
    void garble();
    LineTime quietAfterGarbage() const;
    LineTime frameTimeout() const;

    LoaderSettings m_settings;
    LoaderStats m_stats;
    LoaderMemory m_memory;
    WireClock m_out;
    State m_state = State::Application;
    QByteArray m_frame;
    quint32 m_address = 0;
    LineTime m_lastByte{0};
    int m_syncsHeard = 0;
    std::optional<LineTime> m_firstSync;
    std::deque<Reply> m_replies;
};
