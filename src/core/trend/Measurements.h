#pragma once

#include "core/sensor/DataAnswer.h"

#include <QJsonValue>
#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace levelconf
{

struct TrendEntry;

// What the output code N of a data answer is, by the sensor's mode byte: a distance in
// tenths of a centimetre; with the litre flag (0x40), the tank table's volume in whole
// litres, the unit of the table's volume column; with the per-cent flag (0x20), which the
// sensor applies on top of the table, tenths of a per cent of the tank. A sensor whose
// answer has no mode byte (firmware before it) outputs a distance.
enum class OutputKind : quint8 { Distance, Volume, Percent };
OutputKind outputKindOf(std::optional<quint8> modeByte);
// "distance", "volume", "percent": the word files and messages name the kind by.
QString outputKindWord(OutputKind kind);
// N in its quantity: centimetres, litres or per cent.
double outputValue(quint16 n, OutputKind kind);
// N as the window writes a number, in `locale`.
QString outputText(quint16 n, OutputKind kind, const QLocale &locale = QLocale());

// One reading, as the measurements' formatters take it.
struct MeasuredReading {
    const TrendEntry &entry;
    const DataReadings &readings;
    const QLocale &locale;
};

// Every measurement of a reading that the programs without a window publish, once: its
// key in the JSON of levelconf-cli and of the gateway's state, and what Home Assistant is
// told of it. The readings record (levelconf-cli --json) takes the rows marked `record`;
// the gateway's state takes every row; discovery makes an entity of every row with an
// `object`.
struct Measurement {
    const char *key;                // in the JSON
    const char *object;             // ends its discovery topic and unique id; null: no entity
    const char *name;               // the entity's name
    const char *unit;               // null: none
    const char *deviceClass;        // null: none
    const char *stateClass;         // null: a text, which must carry no state class
    bool diagnostic;                // a technical reading: entity_category diagnostic
    bool record;                    // in levelconf-cli's readings too, not the gateway's alone
    std::optional<OutputKind> kind; // present only while the output is of this kind
    // The value of this reading; Undefined leaves the key out of it.
    QJsonValue (*value)(const MeasuredReading &);
};
const std::vector<Measurement> &measurements();

} // namespace levelconf
