#include "SensorKeys.h"

#include "NumberText.h"
#include "core/protocol/CommandCodes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <map>

using namespace levelconf;

namespace
{
struct Field {
    qint64 min;
    qint64 max;
    std::function<void(SensorConfig &, qint64)> set;
};

const std::map<QString, Field> &fields()
{
    static const std::map<QString, Field> table = {
        {"address",
         {0, Cmd::HighestSensorAddress, [](SensorConfig &c, qint64 v) { c.address = quint8(v); }}},
        {"serial", {0, 0xFFFFFFFF, [](SensorConfig &c, qint64 v) { c.serial = quint32(v); }}},
        {"firmware", {0, 255, [](SensorConfig &c, qint64 v) { c.firmware = quint8(v); }}},
        {"prefix", {0, 255, [](SensorConfig &c, qint64 v) { c.prefix = quint8(v); }}},
        {"mode", {0, 255, [](SensorConfig &c, qint64 v) { c.mode = quint8(v); }}},
        {"filtration", {0, 255, [](SensorConfig &c, qint64 v) { c.filtration = quint8(v); }}},
        {"minDistance", {0, 255, [](SensorConfig &c, qint64 v) { c.minDistance = quint8(v); }}},
        {"distanceLimit",
         {0, 0xFFFF, [](SensorConfig &c, qint64 v) { c.distanceLimit = quint16(v); }}},
        {"empty", {0, 0xFFFFFFFF, [](SensorConfig &c, qint64 v) { c.emptyValue = quint32(v); }}},
        {"full", {0, 0xFFFFFFFF, [](SensorConfig &c, qint64 v) { c.fullValue = quint32(v); }}},
        {"k", {0, 0xFFFF, [](SensorConfig &c, qint64 v) { c.k = quint16(v); }}},
        {"temperature", {-128, 127, [](SensorConfig &c, qint64 v) { c.temperature = qint8(v); }}},
        {"amplitude", {0, 0xFFFFFFFF, [](SensorConfig &c, qint64 v) { c.amplitude = quint32(v); }}},
        {"output", {0, 0xFFFF, [](SensorConfig &c, qint64 v) { c.outputCode = quint16(v); }}},
        {"fill", {-0xFFFF, 0xFFFF, [](SensorConfig &c, qint64 v) { c.fillRate = qint32(v); }}},
        {"variation", {0, 1, [](SensorConfig &c, qint64 v) { c.liveVariation = v != 0; }}},
        {"password", {0, 0xFFFFFFFF, [](SensorConfig &c, qint64 v) { c.password = quint32(v); }}},
        {"locked", {0, 1, [](SensorConfig &c, qint64 v) { c.locked = v != 0; }}},
    };
    return table;
}

const Field *fieldOf(const QString &key, QString *error)
{
    const auto it = fields().find(key);
    if (it == fields().end()) {
        *error = QStringLiteral("unknown sensor key \"%1\"").arg(key);
        return nullptr;
    }
    return &it->second;
}

// The yes/no keys are the fields that hold only 0 or 1.
bool isFlag(const Field &field)
{
    return field.min == 0 && field.max == 1;
}

QString expected(const Field &field)
{
    return isFlag(field) ? QStringLiteral("true or false (or 1 or 0)")
                         : QStringLiteral("a whole number, decimal or 0x hex");
}

bool setField(SensorConfig &c, const QString &key, const Field &field, qint64 value, QString *error)
{
    if (value < field.min || value > field.max) {
        *error = QStringLiteral("%1 must be from %2 to %3").arg(key).arg(field.min).arg(field.max);
        return false;
    }
    field.set(c, value);
    return true;
}

// Decimal or 0x hex; a flag also takes a yes/no word. A word is no number for any other
// key: "address=yes" is a slip, not address 1.
std::optional<qint64> numberOf(const QString &text, bool flag)
{
    const QString t = text.trimmed().toLower();
    const QStringList yes = {QStringLiteral("true"), QStringLiteral("yes"), QStringLiteral("on")};
    const QStringList no = {QStringLiteral("false"), QStringLiteral("no"), QStringLiteral("off")};
    if (flag && yes.contains(t))
        return 1;
    if (flag && no.contains(t))
        return 0;
    return wholeNumber(t);
}

// A JSON number, or a string for the hex that JSON cannot write; true and false only for
// a flag.
std::optional<qint64> numberOf(const QJsonValue &v, bool flag)
{
    if (v.isBool())
        return flag ? std::optional<qint64>(v.toBool() ? 1 : 0) : std::nullopt;
    if (v.isDouble()) {
        const double d = v.toDouble();
        // Every value a sensor holds fits in 32 bits; beyond that no cast is safe to try.
        if (!(d >= -1e12 && d <= 1e12) || d != double(qint64(d)))
            return std::nullopt;
        return qint64(d);
    }
    if (v.isString())
        return numberOf(v.toString(), flag);
    return std::nullopt;
}

// A JSON value as it stands in the file, for messages.
QString jsonText(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', 17);
    case QJsonValue::String:
        return QLatin1Char('"') + v.toString() + QLatin1Char('"');
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    default:
        return QStringLiteral("null");
    }
}

bool readTableSide(const QJsonValue &side, const char *name, std::array<quint16, 20> &out,
                   QString *error)
{
    const QJsonArray values = side.toArray();
    if (!side.isArray() || values.size() != 20) {
        *error = QStringLiteral("table.%1 must be an array of 20 numbers").arg(name);
        return false;
    }
    for (int i = 0; i < 20; ++i) {
        const auto v = numberOf(values.at(i), false);
        if (!v || *v < 0 || *v > 0xFFFF) {
            *error = QStringLiteral("table.%1[%2] must be a number from 0 to 65535, not %3")
                         .arg(name)
                         .arg(i)
                         .arg(jsonText(values.at(i)));
            return false;
        }
        out[i] = quint16(*v);
    }
    return true;
}

bool readTable(const QJsonValue &value, CalibrationTable &table, QString *error)
{
    const QJsonObject t = value.toObject();
    const QStringList sides = {QStringLiteral("readings"), QStringLiteral("volumes")};
    for (const QString &key : t.keys()) {
        if (!sides.contains(key)) {
            *error = QStringLiteral("table has no key \"%1\"").arg(key);
            return false;
        }
    }
    if (!value.isObject()) {
        *error = QStringLiteral("table must be an object with readings and volumes, not %1")
                     .arg(jsonText(value));
        return false;
    }
    return readTableSide(t.value(sides[0]), "readings", table.readings, error) &&
           readTableSide(t.value(sides[1]), "volumes", table.volumes, error);
}

bool readFault(const QJsonValue &value, Fault *fault, QString *error)
{
    const auto f = faultFromName(value.toString());
    if (!value.isString() || !f) {
        *error = QStringLiteral("fault must be one of %1, not %2")
                     .arg(faultNames().join(QStringLiteral(", ")), jsonText(value));
        return false;
    }
    *fault = *f;
    return true;
}

// A sensor described without its address would silently become a default sensor at
// address 1, and perhaps clash there with the one meant to be at 1.
const QString kNoAddress =
    QStringLiteral("no address: give every sensor its own, address=N from 0 to 254");

std::optional<SensorConfig> sensorFromJson(const QJsonObject &o, Fault *fault, QString *error)
{
    SensorConfig c;
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (it.key() == QLatin1String("table")) {
            if (!readTable(it.value(), c.table, error))
                return std::nullopt;
            continue;
        }
        if (it.key() == QLatin1String("fault")) {
            if (!readFault(it.value(), fault, error))
                return std::nullopt;
            continue;
        }
        const Field *field = fieldOf(it.key(), error);
        if (!field)
            return std::nullopt;
        const auto v = numberOf(it.value(), isFlag(*field));
        if (!v) {
            *error = QStringLiteral("%1 must be %2, not %3")
                         .arg(it.key(), expected(*field), jsonText(it.value()));
            return std::nullopt;
        }
        if (!setField(c, it.key(), *field, *v, error))
            return std::nullopt;
    }
    if (!o.contains(QStringLiteral("address"))) {
        *error = kNoAddress;
        return std::nullopt;
    }
    return c;
}
} // namespace

std::optional<SensorConfig> sensorKeysFromText(const QString &text, Fault *fault, QString *error,
                                               bool *addressGiven)
{
    SensorConfig c;
    QStringList given;
    for (const QString &item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int eq = item.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            *error = QStringLiteral("\"%1\" is not key=value").arg(item);
            return std::nullopt;
        }
        const QString key = item.left(eq).trimmed();
        const QString value = item.mid(eq + 1).trimmed();
        // Which of two values was meant is anybody's guess.
        if (given.contains(key)) {
            *error = QStringLiteral("%1 is given twice").arg(key);
            return std::nullopt;
        }
        given.append(key);
        if (key == QLatin1String("fault")) {
            const auto f = faultFromName(value);
            if (!f) {
                *error = QStringLiteral("unknown fault \"%1\"").arg(value);
                return std::nullopt;
            }
            *fault = *f;
            continue;
        }
        const Field *field = fieldOf(key, error);
        if (!field)
            return std::nullopt;
        const auto v = numberOf(value, isFlag(*field));
        if (!v) {
            *error = QStringLiteral("%1 must be %2, not \"%3\"").arg(key, expected(*field), value);
            return std::nullopt;
        }
        if (!setField(c, key, *field, *v, error))
            return std::nullopt;
    }
    *addressGiven = given.contains(QStringLiteral("address"));
    return c;
}

std::optional<SensorConfig> sensorFromText(const QString &text, Fault *fault, QString *error)
{
    // An empty description would be a default sensor nobody asked for.
    if (text.trimmed().isEmpty()) {
        *error = QStringLiteral("an empty description; give at least address=N");
        return std::nullopt;
    }
    bool addressGiven = false;
    std::optional<SensorConfig> c = sensorKeysFromText(text, fault, error, &addressGiven);
    if (c && !addressGiven) {
        *error = kNoAddress;
        return std::nullopt;
    }
    return c;
}

std::optional<std::vector<SensorConfig>>
sensorsFromJson(const QByteArray &json, std::vector<std::pair<quint8, Fault>> *faults,
                QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull()) {
        *error = parseError.errorString();
        return std::nullopt;
    }
    // One form only: {"sensors": [...]}. A bare array, or a key beside "sensors" (a typing
    // slip, or something meant that is not done), would pass for a bus it is not.
    if (!doc.isObject()) {
        *error = QStringLiteral("a bus file is an object, {\"sensors\": [...]}, not an array");
        return std::nullopt;
    }
    for (const QString &key : doc.object().keys()) {
        if (key != QLatin1String("sensors")) {
            *error =
                QStringLiteral("unknown key \"%1\": a bus file holds \"sensors\" alone").arg(key);
            return std::nullopt;
        }
    }
    const QJsonArray list = doc.object().value("sensors").toArray();
    if (list.isEmpty()) {
        *error = QStringLiteral("no sensors (expected {\"sensors\": [...]})");
        return std::nullopt;
    }
    std::vector<SensorConfig> out;
    for (int i = 0; i < list.size(); ++i) {
        Fault fault = Fault::None;
        // Anything but an object would otherwise read as a default sensor.
        if (!list.at(i).isObject()) {
            *error = QStringLiteral("sensor %1 must be an object of keys, not %2")
                         .arg(i + 1)
                         .arg(jsonText(list.at(i)));
            return std::nullopt;
        }
        const auto c = sensorFromJson(list.at(i).toObject(), &fault, error);
        if (!c) {
            *error = QStringLiteral("sensor %1: %2").arg(i + 1).arg(*error);
            return std::nullopt;
        }
        out.push_back(*c);
        if (fault != Fault::None)
            faults->emplace_back(c->address, fault);
    }
    return out;
}
