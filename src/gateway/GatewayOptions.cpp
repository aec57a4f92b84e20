#include "GatewayOptions.h"

#include "ConfigFile.h"
#include "OptionChecks.h"
#include "TlsFiles.h"
#include "core/input/AddressText.h"
#include "core/protocol/CommandCodes.h"
#include "core/text/ProgramOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QSysInfo>

#include <cmath>
#include <functional>
#include <map>

using namespace levelconf;

namespace
{
// The gateway's messages and help, in the language shown.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(GatewayOptions)
};

constexpr qint64 kMaxConfigBytes = 64 * 1024;
constexpr qint64 kMaxPasswordBytes = 4096;
constexpr int kMaxQueueSize = 1000000;
constexpr double kMaxIntervalS = 3600;
constexpr int kHighestAddress = Cmd::HighestSensorAddress;
constexpr int kMaxClientIdLength = 64;
constexpr qint64 kMaxDurationS = 3650LL * 24 * 3600;
// A topic is at most 65,535 bytes; this leaves the gateway's own levels room after a prefix.
constexpr int kMaxPrefixBytes = 65000;
constexpr int kMaxAuthRetries = 1000000;

using Setter = std::function<bool(GatewayOptions &, const QString &, QString *)>;

struct Key {
    QString name;
    const char *help; // marked for translation, translated where the help is made
    QString valueName;
    Setter set;
};

// A key whose value is a text, any but an empty one.
Setter text(QString GatewayOptions::*field)
{
    return [field](GatewayOptions &o, const QString &value, QString *error) {
        o.*field = value;
        if (value.isEmpty())
            *error = Texts::tr("takes a value");
        return !value.isEmpty();
    };
}

// A key that is on or off: "on", "yes" or "true", or their opposites. A flag of the
// command line is given as "on".
std::optional<bool> onOff(const QString &value)
{
    const QString v = value.toLower();
    if (v == QLatin1String("on") || v == QLatin1String("yes") || v == QLatin1String("true"))
        return true;
    if (v == QLatin1String("off") || v == QLatin1String("no") || v == QLatin1String("false"))
        return false;
    return std::nullopt;
}

Setter flag(bool GatewayOptions::*field)
{
    return [field](GatewayOptions &o, const QString &value, QString *error) {
        const std::optional<bool> on = onOff(value);
        if (!on)
            *error = Texts::tr("must be on or off, not \"%1\"").arg(value);
        o.*field = on.value_or(false);
        return bool(on);
    };
}

// A prefix of topics: levels joined by "/", none of them empty, no wildcards.
bool setPrefix(QString *target, const QString &value, QString *error)
{
    if (!isTopicPrefix(value, kMaxPrefixBytes)) {
        *error = Texts::tr("must be topic levels joined by /, none of them empty, without + or "
                           "#, in UTF-8 and at most %1 bytes, not \"%2\"")
                     .arg(kMaxPrefixBytes)
                     .arg(value);
        return false;
    }
    *target = value;
    return true;
}

bool setClientId(GatewayOptions &o, const QString &value, QString *error)
{
    // The name is also a level of the gateway's status topic.
    static const QRegularExpression bad(QStringLiteral("[/+#\\s\\x00-\\x1f]"));
    if (value.isEmpty() || value.size() > kMaxClientIdLength || value.contains(bad)) {
        *error = Texts::tr("must be 1 to %1 characters without /, +, # or blanks, not "
                           "\"%2\"")
                     .arg(kMaxClientIdLength)
                     .arg(value);
        return false;
    }
    o.clientId = value;
    return true;
}

bool setInterval(GatewayOptions &o, const QString &value, QString *error)
{
    bool ok = false;
    const double s = QLocale::c().toDouble(value, &ok);
    if (!ok || !(s >= 0 && s <= kMaxIntervalS)) {
        *error = Texts::tr("must be seconds from 0 to %1, such as 1 or 0.5, not \"%2\"")
                     .arg(kMaxIntervalS)
                     .arg(value);
        return false;
    }
    o.intervalMs = int(std::lround(s * 1000));
    return true;
}

bool setQueueSize(GatewayOptions &o, const QString &value, QString *error)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < 1 || n > kMaxQueueSize) {
        *error = Texts::tr("must be a number of readings from 1 to %1, not \"%2\"")
                     .arg(kMaxQueueSize)
                     .arg(value);
        return false;
    }
    o.queueSize = n;
    return true;
}

bool setAuthRetries(GatewayOptions &o, const QString &value, QString *error)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (value == QLatin1String("forever")) {
        o.authRetries = 0;
        return true;
    }
    if (!ok || n < 1 || n > kMaxAuthRetries) {
        *error = Texts::tr("must be a number of refusals from 1 to %1, or forever, not \"%2\"")
                     .arg(kMaxAuthRetries)
                     .arg(value);
        return false;
    }
    o.authRetries = n;
    return true;
}

bool setPublish(GatewayOptions &o, const QString &value, QString *error)
{
    if (value != QLatin1String("all") && value != QLatin1String("changes")) {
        *error = Texts::tr("must be all or changes, not \"%1\"").arg(value);
        return false;
    }
    o.changesOnly = value == QLatin1String("changes");
    return true;
}

// A duration within these bounds, in seconds, into `target`.
bool setDuration(qint64 *target, const QString &value, qint64 least, QString *error)
{
    const std::optional<qint64> s = parseDuration(value);
    if (!s || *s < least || *s > kMaxDurationS) {
        *error = Texts::tr("must be a time such as 7d, 12h, 30m or 45s, not \"%1\"").arg(value);
        return false;
    }
    *target = *s;
    return true;
}

const std::vector<Key> &keys()
{
    static const std::vector<Key> table = {
        {QStringLiteral("port"),
         QT_TRANSLATE_NOOP("GatewayOptions", "The serial device of the RS-485 bus."),
         QStringLiteral("DEVICE"), text(&GatewayOptions::port)},
        {QStringLiteral("mqtt"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "The broker: mqtt://HOST[:PORT], or mqtts://HOST[:PORT] for TLS "
                           "(default mqtt://localhost)."),
         QStringLiteral("URL"),
         [](GatewayOptions &o, const QString &v, QString *e) {
             const auto b = parseBrokerUrl(v, e);
             if (b)
                 o.broker = *b;
             return bool(b);
         }},
        {QStringLiteral("ca-file"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "mqtts: the CA certificates (PEM) to trust instead of the system's."),
         QStringLiteral("FILE"), text(&GatewayOptions::caFile)},
        {QStringLiteral("cert-file"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "mqtts: the gateway's own certificate (PEM), for a broker that knows "
                           "its clients by certificate; with --key-file."),
         QStringLiteral("FILE"), text(&GatewayOptions::certFile)},
        {QStringLiteral("key-file"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "mqtts: the private key (PEM, without a pass phrase) of --cert-file."),
         QStringLiteral("FILE"), text(&GatewayOptions::keyFile)},
        {QStringLiteral("username"),
         QT_TRANSLATE_NOOP("GatewayOptions", "The user name at the broker."),
         QStringLiteral("NAME"), text(&GatewayOptions::username)},
        {QStringLiteral("password-file"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "A file whose first line is the password at the broker. A password is "
                           "never given on the command line."),
         QStringLiteral("FILE"),
         // The path for now; its line is read once all keys are in.
         text(&GatewayOptions::password)},
        {QStringLiteral("allow-readable-password"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "Take a password file that other users can read (refused without "
                           "it)."),
         QString(), flag(&GatewayOptions::allowReadablePassword)},
        {QStringLiteral("auth-retries"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "End with status 4 after the broker has refused the credentials this "
                           "many times (default forever)."),
         QStringLiteral("N"), setAuthRetries},
        {QStringLiteral("client-id"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "The client name at the broker, also in the gateway's status topic "
                           "(default levelconf- and the host's name)."),
         QStringLiteral("NAME"), setClientId},
        {QStringLiteral("addresses"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "The sensors' addresses, e.g. 1,2,5 or 1-30. Without it the bus is "
                           "searched at start and again every 20 s at most."),
         QStringLiteral("LIST"),
         [](GatewayOptions &o, const QString &v, QString *e) {
             const auto list = parseAddressList(v, e);
             if (list)
                 o.addresses = *list;
             return bool(list);
         }},
        {QStringLiteral("interval"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "Each sensor is polled this often (default 1); 0 polls as fast as the "
                           "bus goes."),
         QStringLiteral("SECONDS"), setInterval},
        {QStringLiteral("topic-prefix"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "The first levels of every topic (default levelconf)."),
         QStringLiteral("PREFIX"),
         [](GatewayOptions &o, const QString &v, QString *e) {
             return setPrefix(&o.topicPrefix, v, e);
         }},
        {QStringLiteral("discovery-prefix"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "Home Assistant's discovery prefix (default homeassistant)."),
         QStringLiteral("PREFIX"),
         [](GatewayOptions &o, const QString &v, QString *e) {
             return setPrefix(&o.discoveryPrefix, v, e);
         }},
        {QStringLiteral("discovery"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "on or off: publish Home Assistant discovery (default on)."),
         QStringLiteral("on|off"), flag(&GatewayOptions::discovery)},
        {QStringLiteral("queue-size"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "Readings kept while the broker cannot be reached; past it the oldest "
                           "go (default 3600)."),
         QStringLiteral("N"), setQueueSize},
        {QStringLiteral("publish"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "all: a state for every reading (default); changes: only when a "
                           "value changed, and at least every heartbeat."),
         QStringLiteral("all|changes"), setPublish},
        {QStringLiteral("heartbeat"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "With --publish changes, a sensor's state at least this often "
                           "(default 60s)."),
         QStringLiteral("TIME"),
         [](GatewayOptions &o, const QString &v, QString *e) {
             qint64 s = 0;
             const bool ok = setDuration(&s, v, 1, e);
             o.heartbeatS = int(qMin<qint64>(s, 86400));
             return ok;
         }},
        {QStringLiteral("forget-after"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "A sensor not heard for this long has its discovery configs and "
                           "availability cleared (default 7d; 0 never)."),
         QStringLiteral("TIME"),
         [](GatewayOptions &o, const QString &v, QString *e) {
             return setDuration(&o.forgetAfterS, v, 0, e);
         }},
        {QStringLiteral("spool-dir"),
         QT_TRANSLATE_NOOP("GatewayOptions",
                           "Keep the queue in this folder as well, so that a restart or a power "
                           "cut loses no reading (default: in memory only)."),
         QStringLiteral("DIR"), text(&GatewayOptions::spoolDir)},
    };
    return table;
}

const Key *keyNamed(const QString &name)
{
    for (const Key &k : keys()) {
        if (k.name == name)
            return &k;
    }
    return nullptr;
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(Texts::tr(
        "Polls every sensor of an RS-485 bus of QX-510/HZL-310 level sensors and publishes "
        "their readings to an MQTT broker, with Home Assistant discovery. Every option can "
        "also be given in the configuration file as key = value. SIGTERM or SIGINT ends it: "
        "its topics are set offline and what is queued is delivered first."));
    parser.addOption({QStringLiteral("config"),
                      Texts::tr("Read the options from FILE; the command line wins."),
                      QStringLiteral("FILE")});
    // A key without a value name is a flag on the command line, on or off in the file.
    for (const Key &k : keys())
        parser.addOption({k.name, Texts::tr(k.help), k.valueName});
    parser.addOption({QStringLiteral("no-discovery"), Texts::tr("The same as --discovery off.")});
    parser.addOption({QStringLiteral("forget"),
                      Texts::tr("Clear the topics of the sensor with this serial number on the "
                                "broker, also for the gateway of this client id if it runs, "
                                "and exit."),
                      QStringLiteral("SERIAL")});
    addProgramOptions(parser,
                      Texts::tr("Write the log and the messages in LANGUAGE: en (English), ru "
                                "(Russian) or described (the window's first texts). Without it "
                                "the locale chooses: ru_* Russian, any other English. Topics and "
                                "payloads are the same in every language."));
}

bool passwordOnCommandLine(const QStringList &arguments)
{
    for (const QString &a : arguments) {
        if (a == QLatin1String("--password") || a.startsWith(QLatin1String("--password=")))
            return true;
    }
    return false;
}

struct Given {
    QString value;
    QString label; // what a message names: "--port", or "gateway.conf, line 3: port"
};

bool readConfigFile(const QString &path, std::map<QString, Given> *given, QString *error)
{
    const auto bytes = readSmallFile(path, kMaxConfigBytes, error);
    if (!bytes) {
        *error = path + QStringLiteral(": ") + *error;
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(*bytes);
    if (utf8.hasError()) {
        *error = Texts::tr("%1: not UTF-8 text").arg(path);
        return false;
    }
    const auto entries = parseConfigText(text, path, error);
    if (!entries)
        return false;
    for (const ConfigEntry &e : *entries) {
        const QString origin = Texts::tr("%1, line %2").arg(path).arg(e.line);
        if (e.key == QLatin1String("password")) {
            *error = Texts::tr("%1: no password here; put it in a file only the gateway can read "
                               "and name it in password-file")
                         .arg(origin);
            return false;
        }
        if (!keyNamed(e.key)) {
            *error = Texts::tr("%1: unknown key \"%2\"").arg(origin, e.key);
            return false;
        }
        (*given)[e.key] = {e.value, origin + QStringLiteral(": ") + e.key};
    }
    return true;
}

bool readPassword(GatewayOptions &o, QString *error)
{
    if (o.password.isEmpty())
        return true;
    if (o.username.isEmpty()) {
        *error = Texts::tr("a password file needs a user name (--username)");
        return false;
    }
    const QString path = o.password;
    const auto bytes = readSmallFile(path, kMaxPasswordBytes, error);
    if (!bytes) {
        *error = path + QStringLiteral(": ") + *error;
        return false;
    }
    // Others who can read it can be the gateway at the broker. A credential of the service
    // (LoadCredential=) is the service's alone, and passes.
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if ((QFile::permissions(path) & others) && !o.allowReadablePassword) {
        *error = Texts::tr("%1: other users can read it; make it readable by the gateway alone "
                           "(chmod 600), or give --allow-readable-password")
                     .arg(path);
        return false;
    }
    o.password = QString::fromUtf8(*bytes).section(QLatin1Char('\n'), 0, 0);
    if (o.password.endsWith(QLatin1Char('\r')))
        o.password.chop(1);
    if (o.password.isEmpty()) {
        *error = Texts::tr("%1: no password on its first line").arg(path);
        return false;
    }
    return true;
}

bool checkTogether(GatewayOptions &o, QString *error)
{
    if (o.port.isEmpty() && !o.forget) {
        *error = Texts::tr("--port DEVICE is required");
        return false;
    }
    if (!(o.caFile + o.certFile + o.keyFile).isEmpty() && !o.broker.tls) {
        *error = Texts::tr("a CA file, a certificate and a key are for a broker over TLS "
                           "(mqtts://)");
        return false;
    }
    // The TLS library would only fail its handshakes, again and again.
    if (const std::optional<QString> fault = tlsFilesFault(o.caFile, o.certFile, o.keyFile)) {
        *error = *fault;
        return false;
    }
    if (o.clientId.isEmpty())
        o.clientId = defaultClientId(QSysInfo::machineHostName());
    return readPassword(o, error);
}
} // namespace

std::optional<GatewayOptions> parseGatewayOptions(const QStringList &arguments, QString *error)
{
    if (passwordOnCommandLine(arguments)) {
        *error = Texts::tr("a password is never given on the command line, where every "
                           "user of the machine can read it: give --password-file");
        return std::nullopt;
    }
    QCommandLineParser parser;
    addOptions(parser);
    const std::optional<ProgramRequest> asked =
        parseProgramOptions(parser, QStringLiteral("levelconf-gateway"), arguments, error);
    if (!asked)
        return std::nullopt;
    if (!parser.positionalArguments().isEmpty()) {
        *error =
            Texts::tr("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst());
        return std::nullopt;
    }
    GatewayOptions o;
    o.asked = *asked;
    if (asked->textOnly())
        return o;

    std::map<QString, Given> given;
    if (parser.isSet(QStringLiteral("config")) &&
        !readConfigFile(parser.value(QStringLiteral("config")), &given, error))
        return std::nullopt;
    for (const Key &k : keys()) {
        if (parser.isSet(k.name))
            given[k.name] = {k.valueName.isEmpty() ? QStringLiteral("on") : parser.value(k.name),
                             QStringLiteral("--") + k.name};
    }
    if (parser.isSet(QStringLiteral("forget"))) {
        bool ok = false;
        o.forget = parser.value(QStringLiteral("forget")).toUInt(&ok);
        if (!ok) {
            *error = Texts::tr("--forget takes a serial number, not \"%1\"")
                         .arg(escapedText(parser.value(QStringLiteral("forget"))));
            return std::nullopt;
        }
    }
    if (parser.isSet(QStringLiteral("no-discovery")))
        given[QStringLiteral("discovery")] = {QStringLiteral("off"),
                                              QStringLiteral("--no-discovery")};
    for (const Key &k : keys()) {
        const auto it = given.find(k.name);
        if (it != given.end() && hasControlCharacters(it->second.value)) {
            const QString value = k.name == QLatin1String("mqtt")
                                      ? withoutUserInfo(it->second.value)
                                      : it->second.value;
            *error = Texts::tr("%1 must not hold control characters, not \"%2\"")
                         .arg(it->second.label, escapedText(value));
            return std::nullopt;
        }
        if (it != given.end() && !k.set(o, it->second.value, error)) {
            *error = it->second.label + QLatin1Char(' ') + *error;
            return std::nullopt;
        }
    }
    if (!checkTogether(o, error))
        return std::nullopt;
    return o;
}

QString gatewayHelpText()
{
    QCommandLineParser parser;
    addOptions(parser);
    // The usage line names the program as it was started; the man page wants its name.
    QString text = parser.helpText();
    const int end = text.indexOf(QLatin1Char('\n'));
    return Texts::tr("Usage: levelconf-gateway [options]") + text.mid(end);
}

std::optional<std::vector<quint8>> parseAddressList(const QString &text, QString *error)
{
    std::vector<quint8> out;
    std::vector<bool> seen(kHighestAddress + 1, false);
    for (const QString &item : text.split(QLatin1Char(','))) {
        const QStringList ends = item.split(QLatin1Char('-'));
        const std::optional<quint8> first = addressFromText(ends.constFirst());
        const std::optional<quint8> last = addressFromText(ends.constLast());
        if (!first || !last || ends.size() > 2 || *first > *last) {
            *error = Texts::tr("must be addresses from 0 to %1 such as 1,2,5 or 1-30, not "
                               "\"%2\"")
                         .arg(kHighestAddress)
                         .arg(item);
            return std::nullopt;
        }
        for (int a = *first; a <= *last; ++a) {
            if (seen[a]) {
                *error = Texts::tr("names address %1 twice").arg(a);
                return std::nullopt;
            }
            seen[a] = true;
            out.push_back(quint8(a));
        }
    }
    return out;
}

std::optional<qint64> parseDuration(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,10})([smhd]?)$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const qint64 n = m.captured(1).toLongLong();
    const QString unit = m.captured(2);
    const qint64 factor = unit == QLatin1String("d")   ? 86400
                          : unit == QLatin1String("h") ? 3600
                          : unit == QLatin1String("m") ? 60
                                                       : 1;
    return n * factor;
}

QString defaultClientId(const QString &hostName)
{
    static const QRegularExpression other(QStringLiteral("[^A-Za-z0-9_-]"));
    QString host = QString(hostName).replace(other, QStringLiteral("-"));
    if (host.isEmpty())
        host = QStringLiteral("host");
    return (QStringLiteral("levelconf-") + host).left(kMaxClientIdLength);
}
