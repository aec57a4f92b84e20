#include "CommandTable.h"

#include "CommandCodes.h"
#include "FrameCodec.h"

#include <QCoreApplication>

namespace levelconf
{

namespace
{
// The level shifts move a level by at most this much either way.
constexpr qint64 kShiftLimit = 1000;
// The largest level and password a sensor takes.
constexpr qint64 kLargestValue = 2000000000;

Confirmation confirmed(const char *caption, const char *log)
{
    return {QString::fromUtf8(caption), QString::fromUtf8(log), true, false, false};
}

Confirmation silent(const char *caption, const char *log)
{
    return {QString::fromUtf8(caption), QString::fromUtf8(log), false, false, false};
}

// The request data of the settings that carry one number, most significant byte first.
QByteArray oneByte(const QList<qint64> &v)
{
    return QByteArray(1, static_cast<char>(v.value(0)));
}

QByteArray twoBytes(const QList<qint64> &v)
{
    return int16BigEndian(static_cast<qint16>(v.value(0)));
}

QByteArray fourBytes(const QList<qint64> &v)
{
    return bigEndian32(static_cast<quint32>(v.value(0)));
}

// The mode byte, and the second mode byte where one is given.
QByteArray modeBytes(const QList<qint64> &v)
{
    QByteArray data;
    for (const qint64 b : v.mid(0, 2))
        data.append(static_cast<char>(b));
    return data;
}

// Temperature in hundredths and pressure in tenths, 16-bit; humidity.
QByteArray airBytes(const QList<qint64> &v)
{
    return int16BigEndian(static_cast<qint16>(v.value(0))) +
           int16BigEndian(static_cast<qint16>(v.value(1))) +
           QByteArray(1, static_cast<char>(v.value(2)));
}

// The calibration table's readings, then its volumes, 16-bit each.
QByteArray words(const QList<qint64> &v)
{
    QByteArray data;
    for (const qint64 w : v)
        data += int16BigEndian(static_cast<qint16>(w));
    return data;
}

CommandRow makeRow(quint8 code, int data, bool keyed, bool marked, bool carriesData,
                   std::optional<Confirmation> c)
{
    CommandRow r;
    r.code = code;
    r.requestData = data;
    r.keyed = keyed;
    r.marked = marked;
    r.carriesData = carriesData;
    r.confirmation = std::move(c);
    return r;
}

CommandRow setting(quint8 code, int data, bool keyed, bool marked, Confirmation c)
{
    CommandRow r = makeRow(code, data, keyed, marked, false, std::move(c));
    // One number in the data's bytes; a setting of another shape gives its own.
    r.values = 1;
    r.data = data == 1 ? oneByte : data == 2 ? twoBytes : data == 4 ? fourBytes : nullptr;
    return r;
}

CommandRow confirmationOnly(quint8 code, Confirmation c)
{
    return makeRow(code, CommandRow::kNotRequested, false, false, false, std::move(c));
}

CommandRow reading(quint8 code, int data)
{
    return makeRow(code, data, false, false, true, std::nullopt);
}

CommandRow levelShift(bool full)
{
    CommandRow r =
        full ? setting(Cmd::ShiftFull, 2, true, true,
                       confirmed(QT_TRANSLATE_NOOP("Confirmations", "Full value shifted."),
                                 "Full value shifted."))
             : setting(Cmd::ShiftEmpty, 2, true, true,
                       confirmed(QT_TRANSLATE_NOOP("Confirmations", "Empty value shifted."),
                                 "Empty value shifted."));
    SettingEntry e;
    e.lowest = -kShiftLimit;
    e.highest = kShiftLimit;
    // The two messages differ by one word; the sensors' users know them as they are.
    e.rangeMessage = full ? QT_TRANSLATE_NOOP("SettingRules", "Acceptable values -1000 to 1000")
                          : QT_TRANSLATE_NOOP("SettingRules", "Acceptable values -1000 до 1000");
    e.question =
        full ? QT_TRANSLATE_NOOP("SettingRules", "Full value will be changed. Please, confirm?")
             : QT_TRANSLATE_NOOP("SettingRules", "Empty value will be changed. Please, confirm?");
    e.logPrefix = full ? "Cmd Shift Hight: " : "Cmd Shift Low: ";
    e.cliKey = full ? "full-shift" : "empty-shift";
    e.cliValue = "S";
    e.cliHelp = full ? QT_TRANSLATE_NOOP("CliArguments", "shift the full level, -1000 to 1000")
                     : QT_TRANSLATE_NOOP("CliArguments", "shift the empty level, -1000 to 1000");
    // A shift moves the level by its value: a sensor that took the first one and lost
    // only its answer would be shifted twice.
    e.repeatable = false;
    r.setting = e;
    return r;
}

CommandRow directLevel(bool full)
{
    CommandRow r =
        full
            ? setting(Cmd::SetFullDirect, 4, true, true,
                      confirmed(QT_TRANSLATE_NOOP("Confirmations", "Full value changed manually."),
                                "Директивно изменен верхний уровень."))
            : setting(Cmd::SetEmptyDirect, 4, true, true,
                      confirmed(QT_TRANSLATE_NOOP("Confirmations", "Empty value changed manually."),
                                "Директивно изменен нижний уровень."));
    SettingEntry e;
    e.highest = kLargestValue;
    r.setting = e;
    return r;
}

CommandRow maxDistance()
{
    // The log line is followed by the distance the sensor reports, so that it says what
    // was set.
    CommandRow r = setting(
        Cmd::SetMaxDistance, 2, true, true,
        confirmed(QT_TRANSLATE_NOOP("Confirmations", "Max distance set"), "Max distance set"));
    SettingEntry e;
    e.lowest = 1;
    e.highest = 1200;
    e.rangeMessage = QT_TRANSLATE_NOOP("SettingRules", "Values can be from 1 to 1200 cm");
    e.question = QT_TRANSLATE_NOOP("SettingRules", "Max value will be set. Please, confirm.");
    e.logPrefix = "Cmd Set SetMaxRange: ";
    e.refresh = true;
    e.answerEcho = 2;
    e.logsEcho = true;
    e.cliKey = "max-distance";
    e.cliValue = "CM";
    e.cliHelp = QT_TRANSLATE_NOOP("CliArguments", "distance limit, 1 to 1200 cm");
    e.infoKey = "max_distance_cm";
    e.button = "Dalnost";
    e.box = "maxLong";
    r.setting = e;
    return r;
}

CommandRow minDistance()
{
    CommandRow r =
        setting(Cmd::SetMinDistance, 1, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Min dist b/n 2 objects set."),
                          "Уст. новый уровень ав. ост. топлива."));
    SettingEntry e;
    e.lowest = 1;
    e.highest = 99;
    e.rangeMessage = QT_TRANSLATE_NOOP("SettingRules", "Acceptable values 1 to 99");
    e.question = QT_TRANSLATE_NOOP("SettingRules",
                                   "The min distance between 2 objects used to distinguish them "
                                   "one from another will be changed. Confirm??");
    e.logPrefix = "Cmd Set Lamp Level: ";
    e.refresh = true;
    e.answerEcho = 1;
    e.cliKey = "min-distance";
    e.cliValue = "CM";
    e.cliHelp = QT_TRANSLATE_NOOP("CliArguments", "between two objects, 1 to 99 cm");
    e.infoKey = "min_distance_cm";
    e.button = "Command1";
    e.box = "lamp_level";
    r.setting = e;
    return r;
}

CommandRow netAddress()
{
    CommandRow r =
        setting(Cmd::SetNetAddress, 1, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", " Network address modified."),
                          " Network address modified."));
    SettingEntry e;
    e.notConnectedLog = "Cmd Set New net addr: Sensor not connected!";
    e.prompt = QT_TRANSLATE_NOOP("SettingRules", "Enter new network address");
    e.title = QT_TRANSLATE_NOOP("SettingRules", "Setting network address");
    e.noAddressMessage = QT_TRANSLATE_NOOP("SettingRules", "Select the configured network address");
    e.lowest = 0;
    e.highest = 255;
    e.rangeMessage = QT_TRANSLATE_NOOP("SettingRules", "Enter a value from the range 0....255");
    e.logPrefix = "Cmd Set New net addr = ";
    e.cliKey = "address";
    e.cliValue = "N";
    e.cliHelp = QT_TRANSLATE_NOOP("CliArguments", "new network address, 0 to 254; refused when\n"
                                                  "another sensor answers at N");
    r.setting = e;
    return r;
}

CommandRow password(bool change)
{
    CommandRow r = change
                       ? setting(Cmd::ChangePassword, 4, true, true,
                                 confirmed(QT_TRANSLATE_NOOP("Confirmations", "Password changed."),
                                           "Password changed."))
                       : setting(Cmd::EnterPassword, 4, true, false,
                                 confirmed(QT_TRANSLATE_NOOP("Confirmations", "Password accepted."),
                                           "Password accepted."));
    SettingEntry e;
    e.lowest = 0;
    e.highest = kLargestValue;
    e.logTypedText = true;
    e.cliValue = "P";
    e.gate = &FirmwareCapabilities::password;
    e.gateRefusal = QT_TRANSLATE_NOOP("SettingKeys", "%1: needs firmware 1.6.3 or newer");
    if (change) {
        e.notConnectedLog = "Cmd New Password: Sensor not connected!";
        e.warning = QT_TRANSLATE_NOOP("SettingRules",
                                      "You are about to change the password. If you forget it, "
                                      "only the manufacturer's tech support will be able to reset "
                                      "it. Change the password?");
        e.prompt = QT_TRANSLATE_NOOP("SettingRules", "Enter new password");
        e.title = QT_TRANSLATE_NOOP("SettingRules", "Setting new password");
        e.initial = "0";
        e.noAddressMessage = QT_TRANSLATE_NOOP("SettingRules", "Select acceptable password");
        e.rangeMessage =
            QT_TRANSLATE_NOOP("SettingRules", "Enter password as a value 0....2 000 000 000");
        e.logPrefix = "Cmd New Password = ";
        e.cliKey = "new-password";
        e.cliHelp = QT_TRANSLATE_NOOP("CliArguments", "change the password, 0 to 2000000000");
    } else {
        e.notConnectedLog = "Cmd Enter Password: Sensor not connected!";
        e.prompt = QT_TRANSLATE_NOOP("SettingRules", "Enter password");
        e.title = QT_TRANSLATE_NOOP("SettingRules", "Enter password");
        e.noAddressMessage = QT_TRANSLATE_NOOP("SettingRules", "Set an acceptable password");
        e.rangeMessage = QT_TRANSLATE_NOOP(
            "SettingRules", "Enter a figures-only pasword, acceptable values 0....2 000 000 000");
        e.logPrefix = "Cmd Enter Password = ";
        e.cliKey = "password";
        e.cliHelp = QT_TRANSLATE_NOOP("CliArguments", "unlock the sensor with its password,\n"
                                                      "0 to 2000000000");
    }
    r.setting = e;
    return r;
}

CommandRow air()
{
    // The air parameters never carry the write key.
    CommandRow r = setting(Cmd::SetAir, 5, false, true,
                           silent(QT_TRANSLATE_NOOP("Confirmations", "Ambient conditions changed."),
                                  " Ambient conditions changed."));
    r.data = airBytes;
    r.values = 3;
    SettingEntry e;
    e.cliKey = "air";
    e.cliValue = "T,P,H";
    e.cliHelp =
        QT_TRANSLATE_NOOP("CliArguments", "temperature -60 to 60 degrees C, in hundredths;\n"
                                          "pressure 500 to 1200 hPa and humidity 1 to 100\n"
                                          "per cent, whole");
    r.setting = e;
    return r;
}

CommandRow mode()
{
    CommandRow r =
        setting(Cmd::SetMode, CommandRow::kModeData, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", " New mode set"), " New mode set"));
    r.data = modeBytes;
    SettingEntry e;
    e.cliKey = "mode";
    e.cliValue = "OUTPUT[+FLAG...]";
    e.cliHelp = QT_TRANSLATE_NOOP("CliArguments", "the mode, in the words below");
    r.setting = e;
    return r;
}

CommandRow calibrationTable()
{
    CommandRow r =
        setting(Cmd::WriteTable, 80, true, true,
                confirmed(QT_TRANSLATE_NOOP("Confirmations", "Tank calibration table set."),
                          "Установлена Тарировочная таблица."));
    r.data = words;
    r.values = 40;
    return r;
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
        // The settings, in the order levelconf-cli lists its keys.
        netAddress(),
        password(false),
        password(true),
        levelShift(false),
        levelShift(true),
        maxDistance(),
        minDistance(),
        air(),
        mode(),
        directLevel(false),
        directLevel(true),
        calibrationTable(),
    };
    return table;
}
} // namespace

const std::vector<CommandRow> &commandRows()
{
    return rows();
}

const CommandRow *commandRow(quint8 code)
{
    for (const CommandRow &row : rows()) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

const CommandRow *cliSetting(const QString &key)
{
    for (const CommandRow &row : rows()) {
        if (row.setting && *row.setting->cliKey && key == QLatin1String(row.setting->cliKey))
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

} // namespace levelconf
