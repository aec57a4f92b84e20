#include "ConfirmationLog.h"

#include "core/protocol/ByteString.h"
#include "core/protocol/CommandCodes.h"

namespace
{
// What the answer adds to the line: the value it confirms, where it gives one.
QString confirmedValue(quint8 code, const QByteArray &answer)
{
    if (code != Cmd::SetMaxDistance)
        return QString();
    const auto distance = leValue(answer, 4, 2);
    return distance ? QString::number(*distance) : QString();
}
} // namespace

QString confirmationLogLine(quint8 code, const Confirmation &row, const QByteArray &answer)
{
    const QString value = confirmedValue(code, answer);
    if (value.isEmpty())
        return row.logLine;
    return row.logLine + QLatin1Char(' ') + value;
}
