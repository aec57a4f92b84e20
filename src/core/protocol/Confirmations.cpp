#include "Confirmations.h"

#include <QCoreApplication>

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
