#include "SettingKeys.h"

#include "core/config/SettingRules.h"
#include "core/input/NumberInput.h"
#include "core/protocol/CommandCodes.h"
#include "core/protocol/FirmwareCapabilities.h"
#include "core/protocol/FrameCodec.h"
#include "core/protocol/Requests.h"

#include <QCoreApplication>
#include <array>

namespace
{
// The refusals and notes, in the language of the run.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(SettingKeys)
};

const std::array<std::pair<QString, SettingKey>, 9> kKeys = {{
    {QStringLiteral("address"), SettingKey::Address},
    {QStringLiteral("password"), SettingKey::Password},
    {QStringLiteral("new-password"), SettingKey::NewPassword},
    {QStringLiteral("empty-shift"), SettingKey::EmptyShift},
    {QStringLiteral("full-shift"), SettingKey::FullShift},
    {QStringLiteral("max-distance"), SettingKey::MaxDistance},
    {QStringLiteral("min-distance"), SettingKey::MinDistance},
    {QStringLiteral("air"), SettingKey::Air},
    {QStringLiteral("mode"), SettingKey::Mode},
}};

std::optional<RangedSetting> rangedRule(SettingKey key)
{
    switch (key) {
    case SettingKey::EmptyShift:
        return levelShiftRule(false);
    case SettingKey::FullShift:
        return levelShiftRule(true);
    case SettingKey::MaxDistance:
        return maxDistanceRule();
    case SettingKey::MinDistance:
        return minDistanceRule();
    default:
        return std::nullopt;
    }
}

std::optional<TypedSetting> typedRule(SettingKey key)
{
    switch (key) {
    case SettingKey::Address:
        return netAddressRule();
    case SettingKey::Password:
        return passwordRule(false);
    case SettingKey::NewPassword:
        return passwordRule(true);
    default:
        return std::nullopt;
    }
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
    if (const auto ranged = rangedRule(s.key))
        check = checkRangedValue(*ranged, s.text);
    else if (const auto typed = typedRule(s.key))
        check = checkTypedValue(*typed, s.text);
    if (!check.value) {
        // Where the window says nothing, there is no box to stay empty: say what is wrong.
        // A number too large for the box is told the range, like one that fits.
        if (check.refusal.isEmpty())
            check.refusal = {parseNumber(s.text)
                                 ? rangedRule(s.key)->rangeMessage
                                 : Texts::tr("%1: \"%2\" is not a number").arg(s.name, s.text)};
        return refused(check.refusal);
    }
    // The search address, which every sensor answers, is no address of a sensor; the
    // window's range goes to 255, the sensors' to 254.
    if (s.key == SettingKey::Address && *check.value == Cmd::SearchAddress)
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
    const TypedSetting rule = *typedRule(s.key);
    const QByteArray frame = rule.build(address, s.value, key);
    return {frame, rule.logPrefix + (rule.logTypedText ? s.text : QString::number(s.value)),
            static_cast<quint8>(frame.at(2))};
}

SettingFrame rangedFrame(const ParsedSetting &s, quint8 address, bool key)
{
    const RangedSetting rule = *rangedRule(s.key);
    const QByteArray frame = rule.build(address, static_cast<qint16>(s.value), key);
    return {frame, rule.logPrefix + QString::number(s.value), static_cast<quint8>(frame.at(2))};
}
} // namespace

QString settingKeyNames()
{
    QStringList names;
    for (const auto &k : kKeys)
        names << k.first;
    return names.join(QStringLiteral(", "));
}

SettingParse parseSetting(const QString &assignment)
{
    const int eq = assignment.indexOf(QLatin1Char('='));
    ParsedSetting s;
    s.name = eq < 0 ? assignment : assignment.left(eq);
    const auto known =
        std::find_if(kKeys.begin(), kKeys.end(), [&](const auto &k) { return k.first == s.name; });
    if (eq < 0 || known == kKeys.end()) {
        return {std::nullopt,
                {Texts::tr("\"%1\" is not KEY=VALUE with a key of: %2")
                     .arg(assignment, settingKeyNames())},
                true};
    }
    s.key = known->second;
    s.text = assignment.mid(eq + 1);
    if (s.key == SettingKey::Air)
        return parseAir(s);
    if (s.key == SettingKey::Mode)
        return parseMode(s);
    return parseNumber(s);
}

SettingFrame settingFrame(const ParsedSetting &s, quint8 address, const SensorFacts &facts)
{
    const bool key = capabilitiesOf(facts.fwVersion).writeKey;
    switch (s.key) {
    case SettingKey::Air:
        return {airRequest(address, s.t.value, s.p.value, static_cast<quint8>(s.h.value)),
                airLogLine(s.t, s.p, s.h), Cmd::SetAir};
    case SettingKey::Mode:
        return modeFrame(s, address, facts);
    case SettingKey::Address:
    case SettingKey::Password:
    case SettingKey::NewPassword:
        return typedFrame(s, address, key);
    default:
        return rangedFrame(s, address, key);
    }
}

bool needsIdentity(const ParsedSetting &s)
{
    // The air parameters never carry the key; everything else depends on the firmware.
    return s.key != SettingKey::Air;
}

bool needsEchoByte(const ParsedSetting &s, int fwVersion)
{
    return s.key == SettingKey::Mode && capabilitiesOf(fwVersion).secondModeByte &&
           (!s.mode.level || !s.mode.echo);
}

std::optional<QString> firmwareRefusal(const ParsedSetting &s, int fwVersion)
{
    const FirmwareCapabilities caps = capabilitiesOf(fwVersion);
    const bool password = s.key == SettingKey::Password || s.key == SettingKey::NewPassword;
    if (password && !caps.password)
        return Texts::tr("%1: needs firmware 1.6.3 or newer").arg(s.name);
    if (s.key == SettingKey::Mode && (s.mode.level || s.mode.echo) && !caps.secondModeByte)
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
    return s.key != SettingKey::EmptyShift && s.key != SettingKey::FullShift;
}

QString notConnectedLog(const ParsedSetting &s)
{
    if (s.key == SettingKey::Mode)
        return modeNotConnectedLog();
    const std::optional<TypedSetting> rule = typedRule(s.key);
    return rule ? rule->notConnectedLog : QString();
}
