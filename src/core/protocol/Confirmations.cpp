#include "Confirmations.h"

#include "ByteString.h"

#include <QCoreApplication>

namespace levelconf
{

bool carriesData(quint8 code)
{
    const CommandRow *row = commandRow(code);
    return row && row->carriesData;
}

std::optional<Confirmation> confirmationFor(quint8 code)
{
    const CommandRow *row = commandRow(code);
    return row ? row->confirmation : std::nullopt;
}

std::optional<quint32> echoedValue(quint8 code, const QByteArray &answer)
{
    const CommandRow *row = commandRow(code);
    if (!row || !row->setting || row->setting->answerEcho == 0)
        return std::nullopt;
    return leValue(answer, 4, row->setting->answerEcho);
}

QString confirmationLogLine(quint8 code, const QByteArray &answer)
{
    const CommandRow *row = commandRow(code);
    if (!row || !row->confirmation)
        return QString();
    QString line = row->confirmation->logLine;
    const std::optional<quint32> echoed = echoedValue(code, answer);
    if (row->setting && row->setting->logsEcho && echoed)
        line += QLatin1Char(' ') + QString::number(*echoed);
    return line;
}

namespace
{
const char *const kNoAnswer =
    QT_TRANSLATE_NOOP("Confirmations", "No data from sensor with address %1");
} // namespace

QString noAnswerText(const QString &address)
{
    return QString::fromUtf8(kNoAnswer).arg(address);
}

QString noAnswerShown(const QString &address)
{
    return QCoreApplication::translate("Confirmations", kNoAnswer).arg(address);
}

} // namespace levelconf
