#include "GatewayTopics.h"

namespace
{
QByteArray sensorTopic(const QString &prefix, quint32 serial, const char *leaf)
{
    return (prefix + QStringLiteral("/%1/").arg(serial) + QLatin1String(leaf)).toUtf8();
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
    return (prefix + QStringLiteral("/gateway/") + clientId + QStringLiteral("/status")).toUtf8();
}

QByteArray GatewayTopics::dropped() const
{
    return (prefix + QStringLiteral("/gateway/") + clientId + QStringLiteral("/dropped")).toUtf8();
}

QByteArray GatewayTopics::discovery(quint32 serial, const QString &measurement) const
{
    return QStringLiteral("%1/sensor/levelconf_%2/%3/config")
        .arg(discoveryPrefix)
        .arg(serial)
        .arg(measurement)
        .toUtf8();
}
