#include "SettingKeys.h"

#include "core/config/SettingRules.h"
#include "core/input/NumberInput.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/CommandTable.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"

#include <QCoreApplication>

using namespace levelconf;

namespace
{
// The refusals and notes, in the language of the run.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(SettingKeys)
};

const SettingEntry &entryOf(quint8 code)
{
    return *commandRow(code)->setting;
}

SettingParse refused(const QStringList &texts)
{
    return {std::nullopt, texts, false};
}

// The value as the operator wrote it and as it goes to the sensor, `scale` units a whole
// one (hundredths of a degree): a note when rounding changed it.
void noteRounding(ParsedSetting *s, const QString &text, double sent, double scale = 1)
{
    const std::optional<double> written = parseNumber(text);
    // Divided, not multiplied: 0.29 * 100 is not 29 in binary, but 29 / 100.0 is 0.29.
    if (!written || *written == sent / scale)
        return;
    s->notes.append(Texts::tr("%1: %2 is sent as %3")
                        .arg(s->name, text.trimmed(), QString::number(sent / scale)));
}

SettingParse parseAir(ParsedSetting s)
{
    const QStringList parts = s.text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return refused({Texts::tr("air takes T,P,H: temperature, pressure, humidity")});
    s.t = airTemperature(parts[0]);
    s.p = airPressure(parts[1]);
    s.h = airHumidity(parts[2]);
    const QStringList refusal = airRefusal(s.t, s.p, s.h);
    if (!refusal.isEmpty())
        return refused(refusal);
    // Temperature in hundredths of a degree, pressure in whole hectopascal (sent in
    // tenths), humidity in whole per cent.
    noteRounding(&s, parts[0], s.t.value, 100);
    noteRounding(&s, parts[1], s.p.value / 10.0);
    noteRounding(&s, parts[2], s.h.value);
    return {s, {}, false};
}

SettingParse parseMode(ParsedSetting s)
{
    QString error;
    const std::optional<ModeChoice> choice = parseModeWords(s.text, &error);
    if (!choice)
        return refused({QStringLiteral("mode: ") + error});
    s.mode = *choice;
    return {s, {}, false};
}

SettingParse parseNumber(ParsedSetting s)
{
    SettingCheck check;
    const std::optional<RangedSetting> ranged = rangedRule(s.code);
    if (ranged)
        check = checkRangedValue(*ranged, s.text);
    else if (const auto typed = typedRule(s.code))
        check = checkTypedValue(*typed, s.text);
    if (!check.value) {
        // Where the window says nothing, there is no box to stay empty: say what is wrong.
        // A number too large for the box is told the range, like one that fits.
        if (check.refusal.isEmpty())
            check.refusal = {levelconf::parseNumber(s.text)
                                 ? ranged->rangeMessage
                                 : Texts::tr("%1: \"%2\" is not a number").arg(s.name, s.text)};
        return refused(check.refusal);
    }
    // The search address, which every sensor answers, is no address of a sensor; the
    // window's range goes to 255, the sensors' to 254.
    if (s.code == Cmd::SetNetAddress && *check.value == Cmd::SearchAddress)
        return refused({Texts::tr("%1: 255 is the search address, which every sensor answers; "
                                  "a sensor takes 0 to 254")
                            .arg(s.name)});
    s.value = *check.value;
    noteRounding(&s, s.text, double(s.value));
    return {s, {}, false};
}

quint8 modeSecondByte(const ModeChoice &mode, const SensorFacts &facts)
{
    // What is not asked for stays as the sensor has it.
    const EchoSelection now = decodeEchoByte(facts.echoByte.value_or(0));
    const quint8 level = mode.level.value_or(static_cast<quint8>(now.level));
    const EchoChoice echo = mode.echo.value_or(now.choice);
    return secondModeByte(level, echo == EchoChoice::Last, echo == EchoChoice::FirstLast);
}

SettingFrame modeFrame(const ParsedSetting &s, quint8 address, const SensorFacts &facts)
{
    const FirmwareCapabilities caps = capabilitiesOf(facts.fwVersion);
    const quint8 m = s.mode.exact ? *s.mode.exact : modeByte(s.mode.controls);
    std::optional<quint8> second;
    if (caps.secondModeByte)
        second = modeSecondByte(s.mode, facts);
    const quint8 level = second ? (*second & 0x0F) : s.mode.level.value_or(0);
    return {modeRequest(address, m, caps.writeKey, second), modeLogLine(m, QString::number(level)),
            Cmd::SetMode};
}

SettingFrame typedFrame(const ParsedSetting &s, quint8 address, bool key)
{
    const TypedSetting rule = *typedRule(s.code);
    const QByteArray frame = rule.build(address, s.value, key);
    return {frame, rule.logPrefix + (rule.logTypedText ? s.text : QString::number(s.value)),
            static_cast<quint8>(frame.at(2))};
}

SettingFrame rangedFrame(const ParsedSetting &s, quint8 address, bool key)
{
    const RangedSetting rule = *rangedRule(s.code);
    const QByteArray frame = rule.build(address, static_cast<qint16>(s.value), key);
    return {frame, rule.logPrefix + QString::number(s.value), static_cast<quint8>(frame.at(2))};
}
} // namespace

QString settingKeyNames()
{
    QStringList names;
    for (const CommandRow &row : commandRows()) {
        if (row.setting && *row.setting->cliKey)
            names << QString::fromUtf8(row.setting->cliKey);
    }
    return names.join(QStringLiteral(", "));
}

QString settingKeysHelp()
{
    // "  KEY=VALUE" in a column of 30, the text beside it; its further lines under it.
    static constexpr int kColumn = 30;
    QString help;
    for (const CommandRow &row : commandRows()) {
        const SettingEntry *e = row.setting ? &*row.setting : nullptr;
        if (!e || !*e->cliKey)
            continue;
        const QString key = QStringLiteral("  %1=%2 ")
                                .arg(QString::fromUtf8(e->cliKey), QString::fromUtf8(e->cliValue));
        const QStringList lines =
            QCoreApplication::translate("CliArguments", e->cliHelp).split(QLatin1Char('\n'));
        help += key.leftJustified(kColumn) + lines.join(QLatin1Char('\n') + QString(kColumn, ' ')) +
                QLatin1Char('\n');
    }
    return help;
}

SettingParse parseSetting(const QString &assignment)
{
    const int eq = assignment.indexOf(QLatin1Char('='));
    ParsedSetting s;
    s.name = eq < 0 ? assignment : assignment.left(eq);
    const CommandRow *row = cliSetting(s.name);
    if (eq < 0 || !row) {
        return {std::nullopt,
                {Texts::tr("\"%1\" is not KEY=VALUE with a key of: %2")
                     .arg(assignment, settingKeyNames())},
                true};
    }
    s.code = row->code;
    s.text = assignment.mid(eq + 1);
    if (s.code == Cmd::SetAir)
        return parseAir(s);
    if (s.code == Cmd::SetMode)
        return parseMode(s);
    return parseNumber(s);
}

SettingFrame settingFrame(const ParsedSetting &s, quint8 address, const SensorFacts &facts)
{
    const bool key = capabilitiesOf(facts.fwVersion).writeKey;
    if (s.code == Cmd::SetAir)
        return {airRequest(address, s.t.value, s.p.value, static_cast<quint8>(s.h.value)),
                airLogLine(s.t, s.p, s.h), Cmd::SetAir};
    if (s.code == Cmd::SetMode)
        return modeFrame(s, address, facts);
    if (typedRule(s.code))
        return typedFrame(s, address, key);
    return rangedFrame(s, address, key);
}

bool needsIdentity(const ParsedSetting &s)
{
    // The firmware says whether the write key goes, whether the mode takes its second byte
    // and whether the setting can be taken at all.
    const CommandRow &row = *commandRow(s.code);
    return row.keyed || row.requestData == CommandRow::kModeData || entryOf(s.code).gate;
}

bool needsEchoByte(const ParsedSetting &s, int fwVersion)
{
    return s.code == Cmd::SetMode && capabilitiesOf(fwVersion).secondModeByte &&
           (!s.mode.level || !s.mode.echo);
}

std::optional<QString> firmwareRefusal(const ParsedSetting &s, int fwVersion)
{
    const FirmwareCapabilities caps = capabilitiesOf(fwVersion);
    const SettingEntry &e = entryOf(s.code);
    if (e.gate && !(caps.*e.gate))
        return QCoreApplication::translate("SettingKeys", e.gateRefusal).arg(s.name);
    if (s.code == Cmd::SetMode && (s.mode.level || s.mode.echo) && !caps.secondModeByte)
        return Texts::tr("%1: level= and echo= need firmware 1.7.6 or newer").arg(s.name);
    return std::nullopt;
}

std::optional<QString> tableFirmwareRefusal(int fwVersion)
{
    if (capabilitiesOf(fwVersion).table)
        return std::nullopt;
    return Texts::tr("table: needs firmware 1.7.0 or newer");
}

bool repeatable(const ParsedSetting &s)
{
    return entryOf(s.code).repeatable;
}

QString notConnectedLog(const ParsedSetting &s)
{
    if (s.code == Cmd::SetMode)
        return modeNotConnectedLog();
    const std::optional<TypedSetting> rule = typedRule(s.code);
    return rule ? rule->notConnectedLog : QString();
}
