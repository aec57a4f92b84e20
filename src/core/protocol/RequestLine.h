#pragma once

#include <QByteArray>
#include <QString>

namespace levelconf
{

// The text line a remote server forwards to a sensor on its own bus:
//   "S485=" frame length ":" answer count ":1500:19200:" frame in hex
// with the length in bytes (CRC included) and the answer count (fixed per command, larger
// where newer firmware answers at greater length) in decimal, every byte of the frame as
// two upper-case hex digits, and no blanks anywhere.
QString requestLine(const QByteArray &frame, int answerCount);

} // namespace levelconf
