#include "Confirmations.h"

#include "CommandCodes.h"

namespace
{
Confirmation confirmed(const QString &caption, const QString &log)
{
    return {caption, log, true, false, false};
}
Confirmation silent(const QString &caption, const QString &log)
{
    return {caption, log, false, false, false};
}
} // namespace

bool carriesData(quint8 code)
{
    return code == Cmd::ReadIdentity || code == Cmd::ReadData || code == Cmd::FrequencyMode ||
           code == Cmd::ReadTable;
}

std::optional<Confirmation> confirmationFor(quint8 code)
{
    switch (code) {
    case Cmd::EmptySet:
        return confirmed(QStringLiteral(" Empty value set."),
                         QStringLiteral(" Установлен нижний уровень."));
    case Cmd::SetMode:
        return confirmed(QStringLiteral(" New mode set"), QStringLiteral(" New mode set"));
    case Cmd::FullSet:
        return confirmed(QStringLiteral(" Full value set."), QStringLiteral(" Full value set."));
    case Cmd::SetNetAddress:
        return confirmed(QStringLiteral(" Network address modified."),
                         QStringLiteral(" Network address modified."));
    case Cmd::SerialNumberSet:
        return silent(QStringLiteral("Serial number set."), QStringLiteral("Serial number set."));
    case Cmd::SetAir:
        return silent(QStringLiteral("Ambient conditions changed."),
                      QStringLiteral(" Ambient conditions changed."));
    case Cmd::ShiftEmpty:
        return confirmed(QStringLiteral("Empty value shifted."),
                         QStringLiteral("Empty value shifted."));
    case Cmd::ShiftFull:
        return confirmed(QStringLiteral("Full value shifted."),
                         QStringLiteral("Full value shifted."));
    case Cmd::SetMinDistance:
        return confirmed(QStringLiteral("Min dist b/n 2 objects set."),
                         QStringLiteral("Уст. новый уровень ав. ост. топлива."));
    case Cmd::SetMaxDistance:
        // The engine appends the distance the sensor reports, so the log says what was set.
        return confirmed(QStringLiteral("Max distance set"), QStringLiteral("Max distance set"));
    case Cmd::EnterPassword:
        return confirmed(QStringLiteral("Password accepted."),
                         QStringLiteral("Password accepted."));
    case Cmd::WrongPassword:
        return Confirmation{QStringLiteral("Wrong password."), QStringLiteral("Wrong password."),
                            false, true, true};
    case Cmd::ChangePassword:
        return confirmed(QStringLiteral("Password changed."), QStringLiteral("Password changed."));
    case Cmd::Par:
        return silent(QStringLiteral("Par."), QString());
    case Cmd::SetEmptyDirect:
        return confirmed(QStringLiteral("Empty value changed manually."),
                         QStringLiteral("Директивно изменен нижний уровень."));
    case Cmd::SetFullDirect:
        return confirmed(QStringLiteral("Full value changed manually."),
                         QStringLiteral("Директивно изменен верхний уровень."));
    case Cmd::WriteTable:
        return confirmed(QStringLiteral("Tank calibration table set."),
                         QStringLiteral("Установлена Тарировочная таблица."));
    default:
        return std::nullopt;
    }
}

QString noAnswerText(const QString &address)
{
    return QStringLiteral("No data from sensor with address ") + address;
}
