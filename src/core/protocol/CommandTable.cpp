#include "CommandTable.h"

#include "CommandCodes.h"

#include <QCoreApplication>

#include <vector>

namespace
{
Confirmation confirmed(const char *caption, const char *log)
{
    return {QString::fromUtf8(caption), QString::fromUtf8(log), true, false, false};
}

Confirmation silent(const char *caption, const char *log)
{
    return {QString::fromUtf8(caption), QString::fromUtf8(log), false, false, false};
}

CommandRow setting(quint8 code, int data, bool keyed, bool marked, Confirmation c)
{
    return {code, data, keyed, marked, false, std::move(c)};
}

CommandRow confirmationOnly(quint8 code, Confirmation c)
{
    return {code, CommandRow::kNotRequested, false, false, false, std::move(c)};
}

CommandRow reading(quint8 code, int data)
{
    return {code, data, false, false, true, std::nullopt};
}

const std::vector<CommandRow> &rows()
{
    static const std::vector<CommandRow> table = {
        reading(Cmd::ReadData, 0),
        reading(Cmd::ReadIdentity, 0),
        reading(Cmd::ReadTable, 0),
        reading(Cmd::FrequencyMode, CommandRow::kNotRequested),
        confirmationOnly(Cmd::EmptySet,
                         confirmed(QT_TRANSLATE_NOOP("Confirmations", " Empty value set."),
                                   " Установлен нижний уровень.")),
        confirmationOnly(
            Cmd::FullSet,
            confirmed(QT_TRANSLATE_NOOP("Confirmations", " Full value set."), " Full value set.")),
        confirmationOnly(
            Cmd::SerialNumberSet,
            silent(QT_TRANSLATE_NOOP("Confirmations", "Serial number set."), "Serial number set.")),
        confirmationOnly(
            Cmd::WrongPassword,
            Confirmation{QStringLiteral(QT_TRANSLATE_NOOP("Confirmations", "Wrong password.")),
                         QStringLiteral("Wrong password."), false, true, true}),
        confirmationOnly(Cmd::Par, silent(QT_TRANSLATE_NOOP("Confirmations", "Par."), "")),
        setting(Cmd::ShiftEmpty, 2, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Empty value shifted."),
                          "Empty value shifted.")),
        setting(Cmd::ShiftFull, 2, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Full value shifted."),
                          "Full value shifted.")),
        setting(Cmd::SetEmptyDirect, 4, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Empty value changed manually."),
                          "Директивно изменен нижний уровень.")),
        setting(Cmd::SetFullDirect, 4, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Full value changed manually."),
                          "Директивно изменен верхний уровень.")),
        setting(Cmd::SetMode, CommandRow::kModeData, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", " New mode set"), " New mode set")),
        setting(Cmd::SetAir, 5, false, true,
                silent(QT_TRANSLATE_NOOP("Confirmations", "Ambient conditions changed."),
                       " Ambient conditions changed.")),
        setting(Cmd::SetMinDistance, 1, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Min dist b/n 2 objects set."),
                          "Уст. новый уровень ав. ост. топлива.")),
        // The log line is followed by the distance the sensor reports, so that it says what
        // was set.
        setting(
            Cmd::SetMaxDistance, 2, true, true,
            confirmed(QT_TRANSLATE_NOOP("Confirmations", "Max distance set"), "Max distance set")),
        setting(Cmd::SetNetAddress, 1, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", " Network address modified."),
                          " Network address modified.")),
        setting(Cmd::EnterPassword, 4, true, false,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Password accepted."),
                          "Password accepted.")),
        setting(Cmd::ChangePassword, 4, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Password changed."),
                          "Password changed.")),
        setting(Cmd::WriteTable, 80, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Tank calibration table set."),
                          "Установлена Тарировочная таблица.")),
    };
    return table;
}
} // namespace

const CommandRow *commandRow(quint8 code)
{
    for (const CommandRow &row : rows()) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

std::optional<int> requestDataLength(quint8 code, const FirmwareCapabilities &c)
{
    const CommandRow *row = commandRow(code);
    if (!row || row->requestData == CommandRow::kNotRequested)
        return std::nullopt;
    if (row->requestData == CommandRow::kModeData)
        return c.secondModeByte ? 2 : 1;
    return row->requestData;
}
