#pragma once

#include "CommandFlow.h"
#include "core/config/SettingRules.h"

#include <QString>

namespace levelconf
{

// Each is one command's run, on a flow of its own.

// Sends a ranged setting (a level shift, a distance) from the text of its box, after the
// checks and the operator's Yes. False when the command stopped before sending.
bool sendRangedSetting(CommandFlow flow, const RangedSetting &setting, const QString &text);

// Sends a typed setting (the address, a password) to the sensor that is answering, with the
// value the operator types in.
bool sendTypedSetting(CommandFlow flow, const TypedSetting &setting);

} // namespace levelconf
