#include "SettingRules.h"

#include "core/input/NumberInput.h"
#include "core/protocol/CommandTable.h"
#include "core/protocol/Requests.h"

#include <QCoreApplication>

namespace levelconf
{

namespace
{
// The texts the operator reads come in the language shown; the log lines stay as they are.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(SettingRules)
};
} // namespace

namespace
{
QString shown(const char *text)
{
    return *text ? QCoreApplication::translate("SettingRules", text) : QString();
}

const SettingEntry *entryOf(quint8 code)
{
    const CommandRow *row = commandRow(code);
    return row && row->setting ? &*row->setting : nullptr;
}
} // namespace

std::optional<RangedSetting> rangedRule(quint8 code)
{
    const SettingEntry *e = entryOf(code);
    if (!e || !*e->question)
        return std::nullopt;
    RangedSetting s;
    s.lowest = static_cast<int>(e->lowest);
    s.highest = static_cast<int>(e->highest);
    s.rangeMessage = shown(e->rangeMessage);
    s.question = shown(e->question);
    s.logPrefix = QString::fromUtf8(e->logPrefix);
    s.refresh = e->refresh ? SettingsRefresh::Yes : SettingsRefresh::No;
    s.build = [code](quint8 address, qint16 value, bool withKey) {
        return settingRequest(code, address, {value}, withKey);
    };
    return s;
}

std::optional<TypedSetting> typedRule(quint8 code)
{
    const SettingEntry *e = entryOf(code);
    if (!e || !*e->prompt)
        return std::nullopt;
    TypedSetting s;
    s.notConnectedLog = QString::fromUtf8(e->notConnectedLog);
    s.warning = shown(e->warning);
    s.prompt = shown(e->prompt);
    s.title = shown(e->title);
    s.initial = QString::fromUtf8(e->initial);
    s.noAddressMessage = shown(e->noAddressMessage);
    s.lowest = e->lowest;
    s.highest = e->highest;
    s.rangeMessage = shown(e->rangeMessage);
    s.logPrefix = QString::fromUtf8(e->logPrefix);
    s.logTypedText = e->logTypedText;
    s.build = [code](quint8 address, qint64 value, bool withKey) {
        return settingRequest(code, address, {value}, withKey);
    };
    return s;
}

SettingCheck checkRangedValue(const RangedSetting &rule, const QString &text)
{
    const std::optional<qint64> value = toWhole(text, NumWidth::Int16);
    if (!value)
        return {};
    if (*value < rule.lowest || *value > rule.highest)
        return {std::nullopt, {rule.rangeMessage}};
    return {value, {}};
}

SettingCheck checkTypedValue(const TypedSetting &rule, const QString &text)
{
    // Read at full width and range-checked here, so that 256 or -1 is told the range
    // rather than passing through a narrower conversion that would only fail.
    const std::optional<qint64> value = toWhole(text, NumWidth::Int32);
    if (!value || *value < rule.lowest || *value > rule.highest)
        return {std::nullopt, {rule.rangeMessage}};
    return {value, {}};
}

namespace
{
// A refused air value shows its range message when it is a number at all, then the
// common one.
QStringList airValueRefusal(const AirValue &v, const QString &rangeMessage)
{
    const QString wrong = Texts::tr("Wrong parameter values ");
    switch (v.check) {
    case AirValue::Check::Ok:
        return {};
    case AirValue::Check::OutOfRange:
        return {rangeMessage, wrong};
    case AirValue::Check::Unreadable:
        break;
    }
    return {wrong};
}
} // namespace

QStringList airRefusal(const AirValue &t, const AirValue &p, const AirValue &h)
{
    QStringList r =
        airValueRefusal(t, Texts::tr("Acceptable temperature values -60.00 to 60.00 dgr"));
    if (r.isEmpty())
        r = airValueRefusal(p, Texts::tr("Acceptable atm pressure values 500.0 to 1200.0 GPa"));
    if (r.isEmpty())
        r = airValueRefusal(h, Texts::tr("Acceptable humidity values 1 to 100 %"));
    return r;
}

QString airLogLine(const AirValue &t, const AirValue &p, const AirValue &h)
{
    // The log shows the temperature as the two bytes sent, read unsigned.
    const auto tu = static_cast<quint16>(t.value);
    return QStringLiteral("Cmd Set AirParam: T=%1 P=%2 H=%3").arg(tu).arg(p.value).arg(h.value);
}

QString notConnectedText()
{
    return Texts::tr("Sensor not connected!");
}

QString modeNotConnectedLog()
{
    return QStringLiteral("Cmd Change mode to: Sensor not connected!");
}

QString modeQuestion()
{
    return Texts::tr("The mode is about to be changed. Please, confirm?");
}

QString modeLogLine(quint8 mode, const QString &level)
{
    return QStringLiteral("Cmd Change mode to ") + QString::number(mode) +
           QStringLiteral(" sgla ") + level;
}

} // namespace levelconf
