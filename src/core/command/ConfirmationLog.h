#pragma once

#include "core/protocol/CommandTable.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The session log's line for the sensor's confirmation `answer` with `code`: the row's line,
// followed by what the answer says was set where that tells more (the distance limit the
// sensor now has). Empty: nothing is logged.
QString confirmationLogLine(quint8 code, const Confirmation &row, const QByteArray &answer);
