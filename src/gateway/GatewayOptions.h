#pragma once

#include "BrokerUrl.h"
#include "core/text/ProgramOptions.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What levelconf-gateway is asked to do, from its command line and its configuration
// file (the same keys; the command line wins).
struct GatewayOptions {
    QString port;
    BrokerUrl broker{QStringLiteral("localhost")};
    QString caFile;   // mqtts: the CA certificates to trust; empty: the system's
    QString certFile; // mqtts: the gateway's own certificate and its key, for a
    QString keyFile;  // broker that knows its clients by certificate
    QString username; // empty: none
    QString password; // read from the password file, never given on the command line
    bool allowReadablePassword = false; // a password file other users can read is taken
    int authRetries = 0;                // refusals of the credentials before giving up; 0: never
    QString clientId;                   // also names the gateway's own topics
    std::vector<quint8> addresses;      // empty: search the bus
    int intervalMs = 1000;              // each sensor polled this often; 0: as fast as the bus goes
    QString topicPrefix = QStringLiteral("levelconf");
    QString discoveryPrefix = QStringLiteral("homeassistant");
    bool discovery = true;
    int queueSize = 3600;     // readings kept while the broker is away: an hour of one sensor
    bool changesOnly = false; // --publish changes
    int heartbeatS = 60;      // with changes, a state at least this often
    qint64 forgetAfterS = 7 * 24 * 3600; // a sensor not heard this long is cleared; 0: never
    std::optional<quint32> forget;       // --forget SERIAL: clear its topics and exit
    QString spoolDir; // where the queue is kept on disk as well; empty: in memory only
    levelconf::ProgramRequest asked; // --help or --version
};

// The options of the arguments after the program's name, reading the configuration file
// and the password file they name; nothing, with the reason in `error`.
std::optional<GatewayOptions> parseGatewayOptions(const QStringList &arguments, QString *error);

// The text of --help.
QString gatewayHelpText();

// "7d", "12h", "30m", "45s" or plain seconds: the seconds; nothing when it is none of these.
std::optional<qint64> parseDuration(const QString &text);

// "1,2,5" or ranges such as "1-30,40": addresses 0 to 254, each once.
std::optional<std::vector<quint8>> parseAddressList(const QString &text, QString *error);

// The client name the gateway takes without --client-id: "levelconf-" and the host's name,
// cut to what a topic level and every broker take.
QString defaultClientId(const QString &hostName);
