#pragma once

#include "core/protocol/CommandCodes.h"

#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace levelconf
{

// The network address written in `text`: a whole decimal number from 0 to `highest`, blanks
// around it allowed and nothing else. A sensor takes 0 to 254, 255 being the search's own
// address; a list of whatever answered may hold 255 as well.
std::optional<quint8> addressFromText(QStringView text, int highest = Cmd::HighestSensorAddress);

} // namespace levelconf
