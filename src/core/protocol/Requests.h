#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>
#include <optional>

namespace levelconf
{

// The request frames of every command, built the same way whether they are sent on the
// local bus or written as a line for a remote server. `withKey` says whether the sensor
// takes the write key; the callers decide it (by firmware code or by the remote page's
// firmware switch), and the command table says which commands carry it.

// The request of the setting `code` from the values its row in the command table takes.
QByteArray settingRequest(quint8 code, quint8 address, const QList<qint64> &values, bool withKey);

QByteArray dataRequest(quint8 address);      // 0xF0
QByteArray identityRequest(quint8 address);  // 0xFC
QByteArray tableReadRequest(quint8 address); // 0xEF

// Shift of the full (0xF4) or empty (0xF9) level, 16-bit two's complement, high first.
QByteArray shiftRequest(quint8 address, bool full, qint16 shift, bool withKey);

// Direct full (0xEC) or empty (0xED) level, 32-bit, most significant byte first.
QByteArray directLevelRequest(quint8 address, bool full, quint32 value, bool withKey);

// Enter (0xF8) or change (0xF7) the access password, 32-bit, most significant first.
QByteArray passwordRequest(quint8 address, bool change, quint32 password, bool withKey);

// Mode byte (0xF2), with the second mode byte where the firmware takes one.
QByteArray modeRequest(quint8 address, quint8 mode, bool withKey,
                       std::optional<quint8> second = std::nullopt);

// Air parameters (0xD0): temperature x100 and pressure x10 as 16-bit, humidity. Never
// keyed.
QByteArray airRequest(quint8 address, qint16 temperature, qint16 pressure, quint8 humidity);

// The mode byte from the mode controls. `outputs` are the five output-mode options in
// the order passive RS-485 (0), analog (2), frequency (4), impulse (6), active RS-485
// (0x10); the last one selected wins. Then the flags: inverted indicator 0x01,
// filtration 0x08, range 4096 0x80, litres 0x40, per cent 0x20.
struct ModeControls {
    bool outputs[5] = {false, false, false, false, false};
    bool inverted = false;
    bool filtration = false;
    bool range4096 = false;
    bool litres = false;
    bool percent = false;
};
quint8 modeByte(const ModeControls &controls);

} // namespace levelconf
