#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace levelconf
{

// The identity answer (command 0xFC) and the network search answer, without a window.

// An identity answer is 3E, address, FC, serial number (4 bytes, little-endian), version
// code, version prefix, CRC: 10 bytes. Shorter answers that still hold the whole serial
// number give it alone.
struct IdentityAnswer {
    // Nothing when the answer ends before the serial number is complete (fewer than 8
    // bytes: byte 7 of a 7-byte answer is its CRC, not the last byte of the number).
    std::optional<quint32> serial;
    // Version code and prefix, only in a complete 10-byte answer.
    std::optional<quint8> versionCode;
    quint8 versionPrefix = 0;
};
IdentityAnswer decodeIdentityAnswer(const QByteArray &aans);

// An answer that is not a complete one with its check byte right: cut short, run together
// with another sensor's, or its check byte wrong. Nothing of it can be trusted, least of
// all a version code, which decides the controls offered and whether settings carry the
// write key.
bool identityAnswerDamaged(const QByteArray &aans);

// The version text: the prefix when it is not 0, then the digits of the code each
// followed by a dot, three places in all (176 gives "1.7.6.", 95 gives "9.5..").
QString versionText(quint8 prefix, quint8 code);

// "Device: " the serial number, "  Ver Soft: " the version text, as the session log has it.
QString identityLogLine(const QString &serial, const QString &version);

// A search answer is one address byte per sensor found: their decimal texts, and the
// list text with each address followed by a blank.
QStringList searchAddresses(const QByteArray &answer);
QString searchListText(const QByteArray &answer);

} // namespace levelconf
