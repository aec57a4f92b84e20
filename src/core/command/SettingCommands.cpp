#include "SettingCommands.h"

namespace levelconf
{

bool sendRangedSetting(CommandFlow flow, const RangedSetting &s, const QString &text)
{
    const SettingCheck check = checkRangedValue(s, text);
    if (!flow.require(check.value.has_value(), check.refusal) || !flow.addressSelected() ||
        !flow.confirmed(s.question))
        return false;
    const qint64 value = *check.value;
    flow.queue(s.build(flow.address(), static_cast<qint16>(value), flow.withKey()),
               s.logPrefix + QString::number(value), CommandFlow::Echo::No, s.refresh);
    return true;
}

bool sendTypedSetting(CommandFlow flow, const TypedSetting &s)
{
    if (!flow.sensorConnected(s.notConnectedLog))
        return false;
    if (!s.warning.isEmpty() && !flow.confirmed(s.warning))
        return false;
    const std::optional<QString> text = flow.typed(s.prompt, s.title, s.initial);
    if (!text || !flow.addressSelected(s.noAddressMessage))
        return false;
    const SettingCheck check = checkTypedValue(s, *text);
    if (!flow.require(check.value.has_value(), check.refusal))
        return false;
    const qint64 value = *check.value;
    flow.queue(s.build(flow.address(), value, flow.withKey()),
               s.logPrefix + (s.logTypedText ? *text : QString::number(value)),
               CommandFlow::Echo::Yes, CommandFlow::Refresh::No);
    return true;
}

} // namespace levelconf
