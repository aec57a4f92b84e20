#pragma once

#include <QString>
#include <optional>

// The files of a TLS connection to the broker, checked when the gateway starts: a file the
// TLS library could not use would otherwise show only as a failed handshake, tried again
// for ever. `caFile` (certificates to trust), `certFile` (the gateway's own certificate)
// and `keyFile` (its private key, unencrypted: nobody is there to type a pass phrase) may
// each be empty. What is wrong, with the file it is wrong with; nothing when all are fit.
std::optional<QString> tlsFilesFault(const QString &caFile, const QString &certFile,
                                     const QString &keyFile);
