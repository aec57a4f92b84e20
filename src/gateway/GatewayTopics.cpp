#include "GatewayTopics.h"

#include <QRegularExpression>

namespace
{
QByteArray sensorTopic(const QString &prefix, quint32 serial, const char *leaf)
{
    return (prefix + QStringLiteral("/%1/").arg(serial) + QLatin1String(leaf)).toUtf8();
}

QByteArray gatewayTopic(const GatewayTopics &t, const char *leaf)
{
    return (t.prefix + QStringLiteral("/gateway/") + t.clientId + QLatin1Char('/') +
            QLatin1String(leaf))
        .toUtf8();
}
} // namespace

QByteArray GatewayTopics::state(quint32 serial) const
{
    return sensorTopic(prefix, serial, "state");
}

QByteArray GatewayTopics::availability(quint32 serial) const
{
    return sensorTopic(prefix, serial, "availability");
}

QByteArray GatewayTopics::status() const
{
    return gatewayTopic(*this, "status");
}

QByteArray GatewayTopics::dropped() const
{
    return gatewayTopic(*this, "dropped");
}

QByteArray GatewayTopics::diagnostics() const
{
    return gatewayTopic(*this, "diagnostics");
}

QByteArray GatewayTopics::forget() const
{
    return gatewayTopic(*this, "forget");
}

QByteArray GatewayTopics::homeAssistantStatus() const
{
    return (discoveryPrefix + QStringLiteral("/status")).toUtf8();
}

QByteArray GatewayTopics::discovery(quint32 serial, const QString &measurement) const
{
    return QStringLiteral("%1/sensor/levelconf_%2/%3/config")
        .arg(discoveryPrefix)
        .arg(serial)
        .arg(measurement)
        .toUtf8();
}

QByteArray GatewayTopics::gatewayDiscovery(const QString &component, const QString &object) const
{
    return QStringLiteral("%1/%2/%3/%4/config")
        .arg(discoveryPrefix, component, gatewayDevice(), object)
        .toUtf8();
}

QString GatewayTopics::gatewayDevice() const
{
    // A level of a discovery topic takes letters, digits, _ and - alone.
    static const QRegularExpression other(QStringLiteral("[^A-Za-z0-9_-]"));
    return QStringLiteral("levelconf_gateway_") + QString(clientId).replace(other, "_");
}
