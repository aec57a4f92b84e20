#include "CliArguments.h"

#include <QCommandLineParser>

namespace
{
struct Shape {
    QString command;
    int least = 0;
    int most = 0;
};

const Shape kShapes[] = {
    {QStringLiteral("search"), 0, 0}, {QStringLiteral("info"), 1, 1},
    {QStringLiteral("watch"), 1, 1},  {QStringLiteral("set"), 2, 1000},
    {QStringLiteral("table"), 3, 3},  {QStringLiteral("flash"), 1, 1},
};

QList<QCommandLineOption> options()
{
    return {
        {QStringLiteral("port"), QStringLiteral("The serial device of the bus."),
         QStringLiteral("DEVICE")},
        {QStringLiteral("json"), QStringLiteral("Print results as JSON, one object a line.")},
        {QStringLiteral("count"), QStringLiteral("watch: stop after N readings."),
         QStringLiteral("N")},
        {QStringLiteral("csv"), QStringLiteral("watch: print the readings as CSV.")},
        {QStringLiteral("percent"),
         QStringLiteral("table write: the sensor outputs per cent of the table.")},
        {QStringLiteral("litres"),
         QStringLiteral("table write: the sensor outputs litres through the table.")},
        {QStringLiteral("type"), QStringLiteral("flash: the sensor type, PL540 or PL140."),
         QStringLiteral("TYPE")},
        {QStringLiteral("eeprom"),
         QStringLiteral("flash: also reset the calibration values (the data EEPROM).")},
        {QStringLiteral("log-folder"),
         QStringLiteral("Write the session log into DIR instead of the program's log folder."),
         QStringLiteral("DIR")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")},
        {{QStringLiteral("v"), QStringLiteral("version")},
         QStringLiteral("Show the program's version.")},
    };
}

bool checkShape(const CliArguments &a, QString *error)
{
    for (const Shape &s : kShapes) {
        if (s.command != a.command)
            continue;
        if (a.words.size() < s.least || a.words.size() > s.most) {
            *error = QStringLiteral("wrong number of arguments for %1").arg(a.command);
            return false;
        }
        if (a.command == QLatin1String("table") && a.words[0] != QLatin1String("read") &&
            a.words[0] != QLatin1String("write")) {
            *error = QStringLiteral("table takes read or write");
            return false;
        }
        return true;
    }
    *error = a.command.isEmpty() ? QStringLiteral("no command given")
                                 : QStringLiteral("unknown command %1").arg(a.command);
    return false;
}

bool readValues(const QCommandLineParser &p, CliArguments *a, QString *error)
{
    a->port = p.value(QStringLiteral("port"));
    a->type = p.value(QStringLiteral("type")).toUpper().remove(QLatin1Char('-'));
    a->logFolder = p.value(QStringLiteral("log-folder"));
    if (p.isSet(QStringLiteral("count"))) {
        bool ok = false;
        a->count = p.value(QStringLiteral("count")).toInt(&ok);
        if (!ok || a->count < 1) {
            *error = QStringLiteral("--count takes a number of readings, 1 or more");
            return false;
        }
    }
    if (a->port.isEmpty()) {
        *error = QStringLiteral("--port DEVICE is required");
        return false;
    }
    if (a->command == QLatin1String("flash") && a->type != QLatin1String("PL540") &&
        a->type != QLatin1String("PL140")) {
        *error = QStringLiteral("flash needs --type PL540 or --type PL140");
        return false;
    }
    return true;
}
} // namespace

std::optional<CliArguments> parseCliArguments(const QStringList &arguments, QString *error)
{
    QCommandLineParser p;
    p.addOptions(options());
    if (!p.parse(QStringList{QStringLiteral("levelconf-cli")} + arguments)) {
        *error = p.errorText();
        return std::nullopt;
    }
    CliArguments a;
    a.help = p.isSet(QStringLiteral("help"));
    a.version = p.isSet(QStringLiteral("version"));
    if (a.help || a.version)
        return a;
    const QStringList positional = p.positionalArguments();
    a.command = positional.value(0);
    a.words = positional.mid(1);
    a.json = p.isSet(QStringLiteral("json"));
    a.csv = p.isSet(QStringLiteral("csv"));
    a.percent = p.isSet(QStringLiteral("percent"));
    a.litres = p.isSet(QStringLiteral("litres"));
    a.eeprom = p.isSet(QStringLiteral("eeprom"));
    if (!checkShape(a, error) || !readValues(p, &a, error))
        return std::nullopt;
    return a;
}

std::optional<quint8> addressArgument(const QString &word)
{
    bool ok = false;
    const int a = word.toInt(&ok);
    if (!ok || a < 0 || a > 255)
        return std::nullopt;
    return static_cast<quint8>(a);
}

QString cliHelpText()
{
    QCommandLineParser p;
    p.addOptions(options());
    // The options' part of the parser's own help, after the usage line.
    const QString optionsText = p.helpText().section(QLatin1Char('\n'), 2);
    return QStringLiteral(
               "Usage: levelconf-cli --port DEVICE COMMAND [ARGUMENTS] [OPTIONS]\n"
               "Configure QX-510 and HZL-310 liquid-level sensors on RS-485 from scripts.\n"
               "\n"
               "Commands:\n"
               "  search                      the addresses of the sensors on the bus\n"
               "  info ADDR                   serial number, firmware, mode and settings\n"
               "  watch ADDR [--count N] [--csv]\n"
               "                              one reading a second\n"
               "  set ADDR KEY=VALUE...       settings, in the order given, each confirmed by\n"
               "                              the sensor before the next one\n"
               "  table read ADDR FILE.pl5    the calibration table into a file\n"
               "  table write ADDR FILE.pl5 [--percent] [--litres]\n"
               "                              a file into the sensor, then the mode with\n"
               "                              these two flags as given\n"
               "  flash IMAGE.cri --type PL540|PL140 [--eeprom]\n"
               "                              firmware through the boot loader\n"
               "\n"
               "Settings (set ADDR KEY=VALUE...):\n"
               "  address=N                   new network address, 0 to 255\n"
               "  password=P                  unlock the sensor with its password\n"
               "  new-password=P              change the password\n"
               "  empty-shift=S               shift the empty level, -1000 to 1000\n"
               "  full-shift=S                shift the full level, -1000 to 1000\n"
               "  max-distance=CM             distance limit, 1 to 1200 cm\n"
               "  min-distance=CM             between two objects, 1 to 99 cm\n"
               "  air=T,P,H                   degrees C, hPa, per cent humidity\n"
               "  mode=OUTPUT[+FLAG...]       the mode, in the words below\n"
               "\n"
               "Mode words:\n"
               "  OUTPUT                      rs485, analog, frequency, impulse, active-rs485\n"
               "  FLAG                        inverted, filtration, range4096, litres, percent\n"
               "  level=0..15, echo=closest|further|both\n"
               "                              firmware 1.7.6: filtration level and echo\n"
               "                              selection; left out, they stay as they are\n"
               "\n"
               "Numbers are read with a dot for decimals, whatever the locale.\n"
               "\n") +
           optionsText +
           QStringLiteral(
               "\n"
               "Exit status:\n"
               "  0    done\n"
               "  1    bad usage: unknown command, key or option, missing argument\n"
               "  2    the port cannot be opened, or was lost\n"
               "  3    no answer from the sensor, after three tries (a shift is sent\n"
               "       once: it may have been taken; read the levels before sending again)\n"
               "  4    refused by the sensor: wrong password, frequency mode, wrong answer,\n"
               "       or a setting or table its firmware does not have\n"
               "  5    bad input or file: a value out of range, a table file or firmware\n"
               "       image that cannot be sent\n"
               "  6    the firmware update failed, or its start was not confirmed\n"
               "  130  interrupted (Ctrl+C)\n"
               "\n"
               "Every run writes a session log of its own, as the window does, into the\n"
               "program's log folder or --log-folder.\n");
}
