#pragma once

#include <QByteArray>
#include <QString>

namespace levelconf
{

// Printable rendering of a frame: ACK/NAK/CR/LF by name, control bytes as "@",
// everything from 0x30 up as its Latin-1 character.
QString printableFrame(const QByteArray &s);

// The echo shown in the results box: each byte in upper-case hex without leading zeros
// and a blank, then two CR LF, then the rendering.
QString echoText(const QByteArray &s);

} // namespace levelconf
