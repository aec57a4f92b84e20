#include "SettingRules.h"

#include "core/input/NumberInput.h"
#include "core/protocol/Requests.h"

#include <QCoreApplication>

namespace
{
// The texts the operator reads come in the language shown; the log lines stay as they are.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(SettingRules)
};
} // namespace

RangedSetting levelShiftRule(bool full)
{
    RangedSetting s;
    s.lowest = -1000;
    s.highest = 1000;
    // The two messages differ by one word; the sensors' users know them as they are.
    s.rangeMessage = full ? Texts::tr("Acceptable values -1000 to 1000")
                          : Texts::tr("Acceptable values -1000 до 1000");
    s.question = full ? Texts::tr("Full value will be changed. Please, confirm?")
                      : Texts::tr("Empty value will be changed. Please, confirm?");
    s.logPrefix = full ? QStringLiteral("Cmd Shift Hight: ") : QStringLiteral("Cmd Shift Low: ");
    s.build = [full](quint8 address, qint16 shift, bool withKey) {
        return shiftRequest(address, full, shift, withKey);
    };
    return s;
}

RangedSetting maxDistanceRule()
{
    RangedSetting s;
    s.lowest = 1;
    s.highest = 1200;
    s.rangeMessage = Texts::tr("Values can be from 1 to 1200 cm");
    s.question = Texts::tr("Max value will be set. Please, confirm.");
    s.logPrefix = QStringLiteral("Cmd Set SetMaxRange: ");
    s.refresh = SettingsRefresh::Yes;
    s.build = [](quint8 address, qint16 d, bool withKey) {
        return maxDistanceRequest(address, static_cast<quint16>(d), withKey);
    };
    return s;
}

RangedSetting minDistanceRule()
{
    RangedSetting s;
    s.lowest = 1;
    s.highest = 99;
    s.rangeMessage = Texts::tr("Acceptable values 1 to 99");
    s.question = Texts::tr("The min distance between 2 objects used to distinguish them one from "
                           "another will be changed. Confirm??");
    s.logPrefix = QStringLiteral("Cmd Set Lamp Level: ");
    s.refresh = SettingsRefresh::Yes;
    s.build = [](quint8 address, qint16 v, bool withKey) {
        return minDistanceRequest(address, static_cast<quint8>(v), withKey);
    };
    return s;
}

TypedSetting netAddressRule()
{
    TypedSetting s;
    s.notConnectedLog = QStringLiteral("Cmd Set New net addr: Sensor not connected!");
    s.prompt = Texts::tr("Enter new network address");
    s.title = Texts::tr("Setting network address");
    s.noAddressMessage = Texts::tr("Select the configured network address");
    s.lowest = 0;
    s.highest = 255;
    s.rangeMessage = Texts::tr("Enter a value from the range 0....255");
    s.logPrefix = QStringLiteral("Cmd Set New net addr = ");
    s.build = [](quint8 address, qint64 n, bool withKey) {
        return netAddressRequest(address, static_cast<quint8>(n), withKey);
    };
    return s;
}

TypedSetting passwordRule(bool change)
{
    TypedSetting s;
    s.lowest = 0;
    s.highest = 2000000000;
    s.logTypedText = true;
    s.build = [change](quint8 address, qint64 p, bool withKey) {
        return passwordRequest(address, change, static_cast<quint32>(p), withKey);
    };
    if (change) {
        s.notConnectedLog = QStringLiteral("Cmd New Password: Sensor not connected!");
        s.warning = Texts::tr("You are about to change the password. If you forget it, only the "
                              "manufacturer's tech support will be able to reset it. Change the "
                              "password?");
        s.prompt = Texts::tr("Enter new password");
        s.title = Texts::tr("Setting new password");
        s.initial = QStringLiteral("0");
        s.noAddressMessage = Texts::tr("Select acceptable password");
        s.rangeMessage = Texts::tr("Enter password as a value 0....2 000 000 000");
        s.logPrefix = QStringLiteral("Cmd New Password = ");
        return s;
    }
    s.notConnectedLog = QStringLiteral("Cmd Enter Password: Sensor not connected!");
    s.prompt = Texts::tr("Enter password");
    s.title = Texts::tr("Enter password");
    s.noAddressMessage = Texts::tr("Set an acceptable password");
    s.rangeMessage =
        Texts::tr("Enter a figures-only pasword, acceptable values 0....2 000 000 000");
    s.logPrefix = QStringLiteral("Cmd Enter Password = ");
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
