#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Where the broker is: mqtt://HOST[:PORT] (1883 by default) or, over TLS,
// mqtts://HOST[:PORT] (8883).
struct BrokerUrl {
    QString host;
    quint16 port = 1883;
    bool tls = false;

    // The address as written back in log lines, always with its port.
    QString text() const;
};

// The address of `text`; nothing, with the reason in `error`, for another scheme, no
// host, a path or query, or a user name or password in it: those would be on the command
// line for every user of the machine to see.
std::optional<BrokerUrl> parseBrokerUrl(const QString &text, QString *error);

// `text` with whatever stands between its scheme and an "@" (a user name and password)
// written as ***, for messages: a URL refused for any reason is shown so.
QString withoutUserInfo(const QString &text);
