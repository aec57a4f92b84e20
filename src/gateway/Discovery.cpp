#include "Discovery.h"

#include "core/trend/ReadingsCsv.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
struct Measurement {
    const char *object; // ends the discovery topic and the unique id
    const char *name;
    const char *field; // in the state message
    const char *unit;  // empty: none
    const char *deviceClass;
    bool number; // a text has neither unit nor state class
};

// The text measurements carry no unit and no state class: Home Assistant takes a state
// class as the promise of a number, and refuses the entity when a text comes instead.
const Measurement kMeasurements[] = {
    {"distance", "Distance", "distance_cm", "cm", "distance", true},
    {"level_text", "Level text", "level_text", "", "", false},
    {"amplitude", "Amplitude", "amplitude", "", "", true},
    {"temperature", "Temperature", "temperature_C", "°C", "temperature", true},
    {"frequency", "Frequency", "frequency_Hz", "Hz", "frequency", true},
    {"analog", "Analog output", "analog_V", "V", "voltage", true},
    {"stability", "Level stability", "stability", "", "enum", false},
};

// The state's field; the stability is left out of the first states, while the lamp says
// nothing yet, and Home Assistant takes "None" for an unknown state.
QString valueTemplate(const Measurement &m)
{
    const QString field = QLatin1String(m.field);
    if (qstrcmp(m.deviceClass, "enum") == 0)
        return QStringLiteral("{{ value_json.%1 | default('None') }}").arg(field);
    return QStringLiteral("{{ value_json.%1 }}").arg(field);
}

QJsonObject device(quint32 serial, const QString &firmware)
{
    const QString number = QString::number(serial);
    return {{QStringLiteral("identifiers"), QJsonArray{QStringLiteral("levelconf_") + number}},
            {QStringLiteral("name"), QStringLiteral("Level sensor ") + number},
            {QStringLiteral("model"), QStringLiteral("QX-510/HZL-310 level sensor")},
            {QStringLiteral("serial_number"), number},
            {QStringLiteral("sw_version"), firmware}};
}

QJsonObject config(const GatewayTopics &topics, quint32 serial, const QString &firmware,
                   const Measurement &m)
{
    QJsonObject o{
        {QStringLiteral("name"), QString::fromUtf8(m.name)},
        {QStringLiteral("unique_id"), QStringLiteral("levelconf_%1_%2").arg(serial).arg(m.object)},
        {QStringLiteral("state_topic"), QString::fromUtf8(topics.state(serial))},
        {QStringLiteral("value_template"), valueTemplate(m)},
        {QStringLiteral("availability"),
         QJsonArray{
             QJsonObject{{QStringLiteral("topic"), QString::fromUtf8(topics.availability(serial))}},
             QJsonObject{{QStringLiteral("topic"), QString::fromUtf8(topics.status())}}}},
        {QStringLiteral("availability_mode"), QStringLiteral("all")},
        {QStringLiteral("device"), device(serial, firmware)},
        {QStringLiteral("origin"),
         QJsonObject{{QStringLiteral("name"), QStringLiteral("levelconf-gateway")},
                     {QStringLiteral("sw_version"), QCoreApplication::applicationVersion()}}},
    };
    if (m.number)
        o.insert(QStringLiteral("state_class"), QStringLiteral("measurement"));
    if (*m.unit)
        o.insert(QStringLiteral("unit_of_measurement"), QString::fromUtf8(m.unit));
    if (*m.deviceClass)
        o.insert(QStringLiteral("device_class"), QString::fromUtf8(m.deviceClass));
    if (qstrcmp(m.deviceClass, "enum") == 0)
        o.insert(QStringLiteral("options"),
                 QJsonArray{lampWord(StabilityLamp::Green), lampWord(StabilityLamp::Yellow),
                            lampWord(StabilityLamp::Red)});
    return o;
}
} // namespace

std::vector<MqttMessage> discoveryMessages(const GatewayTopics &topics, quint32 serial,
                                           const QString &firmware)
{
    std::vector<MqttMessage> out;
    for (const Measurement &m : kMeasurements) {
        out.push_back(
            {topics.discovery(serial, QString::fromUtf8(m.object)),
             QJsonDocument(config(topics, serial, firmware, m)).toJson(QJsonDocument::Compact),
             true});
    }
    return out;
}
