#include "Confirmations.h"

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

QString noAnswerText(const QString &address)
{
    return QStringLiteral("No data from sensor with address ") + address;
}
