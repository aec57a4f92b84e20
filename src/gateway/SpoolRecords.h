#pragma once

#include "MqttMessage.h"

#include <QByteArray>
#include <QtGlobal>
#include <optional>
#include <vector>

// The spool file's format. It starts with a header of its own and is only ever appended
// to, one record at a time:
//
//   u32 length of the body, u32 CRC-32 of the body, the body
//   body: one byte of kind, u64 sequence number, and for a reading u16 topic length, the
//         topic and the payload; all numbers little-endian
//
// A reading ('R') is one state message waiting for the broker. "Settled through N" ('D')
// says every reading numbered N or lower has left the queue: the broker has it, or it
// was dropped. "Settled" ('X') says so of one reading alone, one that left out of turn.
// A record cut short (a power cut in the middle of a write) fails its length or its CRC;
// reading stops there, and what follows is dropped rather than misread.
namespace SpoolRecords
{
constexpr char kHeader[] = "LCSPOOL1";
constexpr int kHeaderBytes = 8;
constexpr int kFrameBytes = 8;                 // the length and the CRC
constexpr int kMaxBodyBytes = 4 * 1024 * 1024; // far above any reading: beyond it, torn

QByteArray reading(quint64 seq, const MqttMessage &message);
QByteArray settledThrough(quint64 seq);
QByteArray settled(quint64 seq);

quint32 crc32(const QByteArray &bytes);

struct Pending {
    quint64 seq = 0;
    MqttMessage message;
    qint64 offset = 0; // of its record in the file
    int length = 0;    // of its record, frame included
};

struct Contents {
    std::vector<Pending> pending; // the readings not settled, oldest first
    quint64 nextSeq = 1;          // above every number the file has used
    qint64 intactBytes = 0;       // the header and the whole records before any torn one
};

// What the bytes of a spool file hold; nothing when they are not a spool file (another
// header). An empty file, or one cut short inside its header, holds nothing yet.
std::optional<Contents> read(const QByteArray &bytes);
} // namespace SpoolRecords
