#include "Discovery.h"

#include "core/trend/ReadingsCsv.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace levelconf;

namespace
{
QString text(const char *s)
{
    return QString::fromUtf8(s);
}

QByteArray compact(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

// The state's field; a field left out of a state (the stability in the first states, the
// last search of a gateway that does not search) reads as "None", unknown.
QString valueTemplate(const QString &key, bool mayBeMissing)
{
    if (mayBeMissing)
        return QStringLiteral("{{ value_json.%1 | default('None') }}").arg(key);
    return QStringLiteral("{{ value_json.%1 }}").arg(key);
}

QJsonObject origin()
{
    return {{QStringLiteral("name"), QStringLiteral("levelconf-gateway")},
            {QStringLiteral("sw_version"), QCoreApplication::applicationVersion()}};
}

QJsonObject sensorDevice(const GatewayTopics &topics, quint32 serial, const QString &firmware)
{
    const QString number = QString::number(serial);
    return {{QStringLiteral("identifiers"), QJsonArray{QStringLiteral("levelconf_") + number}},
            {QStringLiteral("name"), QStringLiteral("Level sensor ") + number},
            {QStringLiteral("model"), QStringLiteral("QX-510/HZL-310 level sensor")},
            {QStringLiteral("serial_number"), number},
            {QStringLiteral("sw_version"), firmware},
            {QStringLiteral("via_device"), topics.gatewayDevice()}};
}

QJsonObject gatewayDevice(const GatewayTopics &topics)
{
    return {{QStringLiteral("identifiers"), QJsonArray{topics.gatewayDevice()}},
            {QStringLiteral("name"), QStringLiteral("levelconf gateway ") + topics.clientId},
            {QStringLiteral("model"), QStringLiteral("levelconf-gateway")},
            {QStringLiteral("sw_version"), QCoreApplication::applicationVersion()}};
}

// What every entity says: its name and id, where its state and availability come from.
QJsonObject entity(const QString &name, const QString &uniqueId, const QByteArray &stateTopic,
                   const QJsonArray &availability, const QJsonObject &device)
{
    return {{QStringLiteral("name"), name},
            {QStringLiteral("unique_id"), uniqueId},
            {QStringLiteral("state_topic"), QString::fromUtf8(stateTopic)},
            {QStringLiteral("availability"), availability},
            {QStringLiteral("availability_mode"), QStringLiteral("all")},
            {QStringLiteral("device"), device},
            {QStringLiteral("origin"), origin()},
            {QStringLiteral("qos"), 1}};
}

// The unit, classes and category of a number or a text of the table.
void describe(QJsonObject *o, const char *unit, const char *deviceClass, const char *stateClass,
              bool diagnostic)
{
    if (unit)
        o->insert(QStringLiteral("unit_of_measurement"), text(unit));
    if (deviceClass)
        o->insert(QStringLiteral("device_class"), text(deviceClass));
    // A text carries no state class: Home Assistant takes it as the promise of a number and
    // refuses the entity when a text comes instead.
    if (stateClass)
        o->insert(QStringLiteral("state_class"), text(stateClass));
    if (diagnostic)
        o->insert(QStringLiteral("entity_category"), QStringLiteral("diagnostic"));
}

QJsonObject sensorConfig(const GatewayTopics &topics, quint32 serial, const QString &firmware,
                         const Measurement &m, int expireAfterS)
{
    const QJsonArray availability{
        QJsonObject{{QStringLiteral("topic"), QString::fromUtf8(topics.availability(serial))}},
        QJsonObject{{QStringLiteral("topic"), QString::fromUtf8(topics.status())}}};
    const bool isEnum = qstrcmp(m.deviceClass, "enum") == 0;
    QJsonObject o =
        entity(text(m.name), QStringLiteral("levelconf_%1_%2").arg(serial).arg(m.object),
               topics.state(serial), availability, sensorDevice(topics, serial, firmware));
    o.insert(QStringLiteral("value_template"), valueTemplate(text(m.key), isEnum));
    o.insert(QStringLiteral("expire_after"), expireAfterS);
    describe(&o, m.unit, m.deviceClass, m.stateClass, m.diagnostic);
    if (isEnum)
        o.insert(QStringLiteral("options"),
                 QJsonArray{lampWord(StabilityLamp::Green), lampWord(StabilityLamp::Yellow),
                            lampWord(StabilityLamp::Red)});
    return o;
}

// The gateway's diagnostics, all in its diagnostics message but the status.
struct GatewayEntity {
    const char *key; // in the diagnostics message, and the object of its topic
    const char *name;
    const char *unit;
    const char *deviceClass;
    const char *stateClass;
};
const GatewayEntity kGatewayEntities[] = {
    {"polls_per_s", "Polls per second", "polls/s", nullptr, "measurement"},
    {"missed_polls", "Missed polls", nullptr, nullptr, "total_increasing"},
    {"latency_ms", "Poll latency", "ms", "duration", "measurement"},
    {"queue", "Queue depth", nullptr, nullptr, "measurement"},
    {"dropped", "Dropped readings", nullptr, nullptr, "total_increasing"},
    {"last_search", "Last search", nullptr, "timestamp", nullptr},
};
} // namespace

std::vector<MqttMessage> sensorDiscovery(const GatewayTopics &topics, quint32 serial,
                                         const QString &firmware, OutputKind kind, int expireAfterS)
{
    std::vector<MqttMessage> out;
    for (const Measurement &m : measurements()) {
        if (!m.object)
            continue;
        const QByteArray topic = topics.discovery(serial, text(m.object));
        if (m.kind && *m.kind != kind)
            out.push_back({topic, QByteArray(), true});
        else
            out.push_back(
                {topic, compact(sensorConfig(topics, serial, firmware, m, expireAfterS)), true});
    }
    return out;
}

std::vector<MqttMessage> sensorForgotten(const GatewayTopics &topics, quint32 serial)
{
    std::vector<MqttMessage> out;
    for (const Measurement &m : measurements()) {
        if (m.object)
            out.push_back({topics.discovery(serial, text(m.object)), QByteArray(), true});
    }
    return out;
}

std::vector<MqttMessage> gatewayDiscovery(const GatewayTopics &topics)
{
    const QString id = topics.gatewayDevice();
    const QJsonArray availability{
        QJsonObject{{QStringLiteral("topic"), QString::fromUtf8(topics.status())}}};
    std::vector<MqttMessage> out;
    // The status is the gateway's availability itself, so it has none of its own.
    QJsonObject status = entity(QStringLiteral("Status"), id + QStringLiteral("_status"),
                                topics.status(), availability, gatewayDevice(topics));
    status.remove(QStringLiteral("availability"));
    status.remove(QStringLiteral("availability_mode"));
    status.insert(QStringLiteral("payload_on"), QStringLiteral("online"));
    status.insert(QStringLiteral("payload_off"), QStringLiteral("offline"));
    describe(&status, nullptr, "connectivity", nullptr, true);
    out.push_back(
        {topics.gatewayDiscovery(QStringLiteral("binary_sensor"), QStringLiteral("status")),
         compact(status), true});
    for (const GatewayEntity &g : kGatewayEntities) {
        QJsonObject o = entity(text(g.name), id + QLatin1Char('_') + text(g.key),
                               topics.diagnostics(), availability, gatewayDevice(topics));
        o.insert(QStringLiteral("value_template"),
                 valueTemplate(text(g.key), qstrcmp(g.key, "last_search") == 0));
        describe(&o, g.unit, g.deviceClass, g.stateClass, true);
        out.push_back(
            {topics.gatewayDiscovery(QStringLiteral("sensor"), text(g.key)), compact(o), true});
    }
    return out;
}
