#include "DiscoveryCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>

namespace
{
enum class Type { String, Integer, Boolean, List, Map, StringOrNull, StringOrList };

using Schema = QMap<QString, Type>;

const Schema &entityKeys()
{
    static const Schema keys{
        {"availability", Type::List},
        {"availability_mode", Type::String},
        {"availability_template", Type::String},
        {"availability_topic", Type::String},
        {"default_entity_id", Type::String},
        {"device", Type::Map},
        {"device_class", Type::String},
        {"enabled_by_default", Type::Boolean},
        {"encoding", Type::String},
        {"entity_category", Type::String},
        {"entity_picture", Type::String},
        {"expire_after", Type::Integer},
        {"force_update", Type::Boolean},
        {"icon", Type::String},
        {"json_attributes_template", Type::String},
        {"json_attributes_topic", Type::String},
        {"name", Type::StringOrNull},
        {"object_id", Type::String},
        {"origin", Type::Map},
        {"payload_available", Type::String},
        {"payload_not_available", Type::String},
        {"platform", Type::String},
        {"qos", Type::Integer},
        {"state_topic", Type::String},
        {"unique_id", Type::String},
        {"value_template", Type::String},
    };
    return keys;
}

Schema sensorKeys()
{
    Schema keys = entityKeys();
    keys.insert("last_reset_value_template", Type::String);
    keys.insert("options", Type::List);
    keys.insert("state_class", Type::String);
    keys.insert("suggested_display_precision", Type::Integer);
    keys.insert("unit_of_measurement", Type::String);
    return keys;
}

Schema binarySensorKeys()
{
    Schema keys = entityKeys();
    keys.insert("off_delay", Type::Integer);
    keys.insert("payload_off", Type::String);
    keys.insert("payload_on", Type::String);
    return keys;
}

const Schema kDeviceKeys{
    {"configuration_url", Type::String}, {"connections", Type::List},
    {"hw_version", Type::String},        {"identifiers", Type::StringOrList},
    {"manufacturer", Type::String},      {"model", Type::String},
    {"model_id", Type::String},          {"name", Type::String},
    {"serial_number", Type::String},     {"suggested_area", Type::String},
    {"sw_version", Type::String},        {"via_device", Type::String},
};

const Schema kOriginKeys{
    {"name", Type::String}, {"sw_version", Type::String}, {"support_url", Type::String}};

const Schema kAvailabilityKeys{{"topic", Type::String},
                               {"payload_available", Type::String},
                               {"payload_not_available", Type::String},
                               {"value_template", Type::String}};

// The sensor device classes the gateway may use, with the units each takes; an empty set
// takes no unit at all.
const QMap<QString, QSet<QString>> kSensorClasses{
    {"distance", {"km", "m", "cm", "mm", "mi", "nmi", "yd", "in", "ft"}},
    {"volume_storage", {"L", "mL", "gal", "fl. oz.", "m³", "ft³", "CCF", "MCF"}},
    {"temperature", {"°C", "°F", "K"}},
    {"frequency", {"Hz", "kHz", "MHz", "GHz"}},
    {"voltage", {"V", "mV", "µV", "kV", "MV"}},
    {"duration", {"d", "h", "min", "s", "ms", "µs"}},
    {"enum", {}},
    {"timestamp", {}},
};

const QSet<QString> kBinarySensorClasses{"battery", "connectivity", "moisture", "problem",
                                         "running", "safety",       "update"};

bool hasType(const QJsonValue &v, Type t)
{
    switch (t) {
    case Type::String:
        return v.isString();
    case Type::Integer:
        return v.isDouble() && v.toDouble() == double(v.toInteger());
    case Type::Boolean:
        return v.isBool();
    case Type::List:
        return v.isArray();
    case Type::Map:
        return v.isObject();
    case Type::StringOrNull:
        return v.isString() || v.isNull();
    case Type::StringOrList:
        return v.isString() || v.isArray();
    }
    return false;
}

void checkKeys(const QJsonObject &o, const Schema &schema, const QString &where,
               QStringList *faults)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!schema.contains(it.key()))
            *faults << where + it.key() + ": not a documented key";
        else if (!hasType(it.value(), schema.value(it.key())))
            *faults << where + it.key() + ": not of its documented type";
    }
}

void checkOneOf(const QJsonObject &o, const QString &key, const QSet<QString> &allowed,
                QStringList *faults)
{
    if (o.contains(key) && !allowed.contains(o.value(key).toString()))
        *faults << key + ": " + o.value(key).toString() + " is not one of its values";
}

void checkDevice(const QJsonObject &device, QStringList *faults)
{
    checkKeys(device, kDeviceKeys, "device.", faults);
    if (!device.contains("identifiers") && !device.contains("connections"))
        *faults << "device: neither identifiers nor connections";
}

void checkSensor(const QJsonObject &o, QStringList *faults)
{
    checkOneOf(o, "state_class", {"measurement", "measurement_angle", "total", "total_increasing"},
               faults);
    checkOneOf(o, "entity_category", {"diagnostic"}, faults);
    const QString cls = o.value("device_class").toString();
    if (o.contains("device_class") && !kSensorClasses.contains(cls))
        *faults << "device_class: " + cls + " is not a sensor's";
    const QSet<QString> units = kSensorClasses.value(cls);
    if (o.contains("unit_of_measurement") && o.contains("device_class") &&
        !units.contains(o.value("unit_of_measurement").toString()))
        *faults << "unit_of_measurement: not a unit of " + cls;
    if ((cls == "enum" || cls == "timestamp") &&
        (o.contains("state_class") || o.contains("unit_of_measurement")))
        *faults << cls + ": takes neither state_class nor unit_of_measurement";
    if (cls == "enum" && !o.value("options").isArray())
        *faults << "enum: options missing";
    if (o.contains("options") && cls != "enum")
        *faults << "options: only for the enum device class";
}

void checkBinarySensor(const QJsonObject &o, QStringList *faults)
{
    checkOneOf(o, "entity_category", {"diagnostic"}, faults);
    checkOneOf(o, "device_class", kBinarySensorClasses, faults);
}
} // namespace

QStringList discoveryFaults(const QByteArray &component, const QByteArray &config)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(config, &error);
    if (!doc.isObject())
        return {"not a JSON object: " + error.errorString()};
    const QJsonObject o = doc.object();
    QStringList faults;
    if (component == "sensor")
        checkKeys(o, sensorKeys(), QString(), &faults);
    else if (component == "binary_sensor")
        checkKeys(o, binarySensorKeys(), QString(), &faults);
    else
        return {"not a sensor or binary_sensor: " + QString::fromUtf8(component)};
    if (!o.value("state_topic").isString())
        faults << "state_topic: missing";
    if (o.contains("device") && !o.value("unique_id").isString())
        faults << "device: needs a unique_id";
    if (o.contains("availability") && o.contains("availability_topic"))
        faults << "availability and availability_topic together";
    checkOneOf(o, "availability_mode", {"all", "any", "latest"}, &faults);
    if (o.contains("qos") && !QSet<int>{0, 1, 2}.contains(o.value("qos").toInt(-1)))
        faults << "qos: not 0, 1 or 2";
    if (o.contains("expire_after") && o.value("expire_after").toInt() <= 0)
        faults << "expire_after: not a positive number of seconds";
    for (const QJsonValue &a : o.value("availability").toArray()) {
        checkKeys(a.toObject(), kAvailabilityKeys, "availability.", &faults);
        if (!a.toObject().value("topic").isString())
            faults << "availability: an entry without its topic";
    }
    if (o.value("device").isObject())
        checkDevice(o.value("device").toObject(), &faults);
    if (o.value("origin").isObject()) {
        checkKeys(o.value("origin").toObject(), kOriginKeys, "origin.", &faults);
        if (!o.value("origin").toObject().value("name").isString())
            faults << "origin: needs a name";
    }
    if (component == "sensor")
        checkSensor(o, &faults);
    else
        checkBinarySensor(o, &faults);
    return faults;
}
