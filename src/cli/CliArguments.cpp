#include "CliArguments.h"

#include "SettingKeys.h"
#include "core/protocol/CommandCodes.h"
#include "core/text/ProgramOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using namespace levelconf;

namespace
{
// The refusals and the help, in the language of the run.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(CliArguments)
};

struct Shape {
    QString command;
    int least = 0;
    int most = 0;
    QStringList options; // besides those every command takes
};

const Shape kShapes[] = {
    {QStringLiteral("search"), 0, 0, {QStringLiteral("raw")}},
    {QStringLiteral("info"), 1, 1, {}},
    {QStringLiteral("watch"), 1, 1, {QStringLiteral("count"), QStringLiteral("csv")}},
    {QStringLiteral("set"), 2, 1000, {}},
    {QStringLiteral("table"), 3, 3, {QStringLiteral("percent"), QStringLiteral("litres")}},
    {QStringLiteral("flash"), 1, 1, {QStringLiteral("type"), QStringLiteral("eeprom")}},
};

// The options of every command.
const QStringList kCommon = {QStringLiteral("port"), QStringLiteral("json"),
                             QStringLiteral("log-folder"), QStringLiteral("language")};

constexpr int kHighestAddress = Cmd::HighestSensorAddress;

QList<QCommandLineOption> options()
{
    return {
        {QStringLiteral("port"), Texts::tr("The serial device of the bus."),
         QStringLiteral("DEVICE")},
        {QStringLiteral("json"), Texts::tr("Print results as JSON, one object a line.")},
        {QStringLiteral("raw"),
         Texts::tr("search: list every byte answered, without asking each address.")},
        {QStringLiteral("count"), Texts::tr("watch: stop after N readings."), QStringLiteral("N")},
        {QStringLiteral("csv"),
         Texts::tr("watch: print the readings as the readings file (CSV, CR LF).")},
        {QStringLiteral("percent"),
         Texts::tr("table write: the sensor outputs per cent of the table.")},
        {QStringLiteral("litres"),
         Texts::tr("table write: the sensor outputs litres through the table.")},
        {QStringLiteral("type"), Texts::tr("flash: the sensor type, PL540 or PL140."),
         QStringLiteral("TYPE")},
        {QStringLiteral("eeprom"),
         Texts::tr("flash: also reset the calibration values (the data EEPROM).")},
        {QStringLiteral("log-folder"),
         Texts::tr("Write the session log into DIR instead of the program's log folder."),
         QStringLiteral("DIR")},
    };
}

void addOptions(QCommandLineParser &p)
{
    p.addOptions(options());
    addProgramOptions(p, Texts::tr("Messages and help in LANGUAGE: en (English), ru (Russian) "
                                   "or described (the window's first texts, half Russian, half "
                                   "English). Without it the locale chooses: ru_* Russian, any "
                                   "other English."));
}

const Shape *shapeOf(const QString &command)
{
    for (const Shape &s : kShapes) {
        if (s.command == command)
            return &s;
    }
    return nullptr;
}

bool checkShape(const CliArguments &a, QString *error)
{
    const Shape *s = shapeOf(a.command);
    if (!s) {
        *error = a.command.isEmpty() ? Texts::tr("no command given")
                                     : Texts::tr("unknown command %1").arg(a.command);
        return false;
    }
    if (a.words.size() < s->least || a.words.size() > s->most) {
        *error = Texts::tr("wrong number of arguments for %1").arg(a.command);
        return false;
    }
    if (a.command == QLatin1String("table") && a.words[0] != QLatin1String("read") &&
        a.words[0] != QLatin1String("write")) {
        *error = Texts::tr("table takes read or write");
        return false;
    }
    return true;
}

// An option the command does not use would be taken for one that did something.
bool checkOptions(const QCommandLineParser &p, const CliArguments &a, QString *error)
{
    QStringList allowed = kCommon + shapeOf(a.command)->options;
    const bool tableRead = a.command == QLatin1String("table") && a.words[0] == "read";
    if (tableRead)
        allowed = kCommon;
    for (const QString &name : p.optionNames()) {
        if (!allowed.contains(name)) {
            *error = Texts::tr("%1 does not take --%2")
                         .arg(tableRead ? QStringLiteral("table read") : a.command, name);
            return false;
        }
    }
    if (a.csv && a.json) {
        *error = Texts::tr("--csv and --json are two ways to print the readings: give one");
        return false;
    }
    if (tableRead && a.json && a.words[2] == QLatin1String("-")) {
        *error = Texts::tr("table read to - prints the table file itself; --json has nothing "
                           "to add");
        return false;
    }
    return true;
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
            *error = Texts::tr("--count takes a number of readings, 1 or more");
            return false;
        }
    }
    if (a->port.isEmpty()) {
        *error = Texts::tr("--port DEVICE is required");
        return false;
    }
    if (a->command == QLatin1String("flash") && a->type != QLatin1String("PL540") &&
        a->type != QLatin1String("PL140")) {
        *error = Texts::tr("flash needs --type PL540 or --type PL140");
        return false;
    }
    return true;
}
} // namespace

std::optional<CliArguments> parseCliArguments(const QStringList &arguments, QString *error)
{
    QCommandLineParser p;
    addOptions(p);
    const std::optional<ProgramRequest> asked =
        parseProgramOptions(p, QStringLiteral("levelconf-cli"), arguments, error);
    if (!asked)
        return std::nullopt;
    CliArguments a;
    a.asked = *asked;
    if (asked->textOnly())
        return a;
    const QStringList positional = p.positionalArguments();
    a.command = positional.value(0);
    a.words = positional.mid(1);
    a.json = p.isSet(QStringLiteral("json"));
    a.csv = p.isSet(QStringLiteral("csv"));
    a.raw = p.isSet(QStringLiteral("raw"));
    a.percent = p.isSet(QStringLiteral("percent"));
    a.litres = p.isSet(QStringLiteral("litres"));
    a.eeprom = p.isSet(QStringLiteral("eeprom"));
    if (!checkShape(a, error) || !checkOptions(p, a, error) || !readValues(p, &a, error))
        return std::nullopt;
    return a;
}

QString addressRefusal(const QString &word)
{
    return Texts::tr("ADDR \"%1\" is not a sensor's network address, 0 to %2")
        .arg(word)
        .arg(kHighestAddress);
}

QString cliHelpText()
{
    QCommandLineParser p;
    addOptions(p);
    // The options' part of the parser's own help, after the usage line.
    const QString optionsText = p.helpText().section(QLatin1Char('\n'), 2);
    // A part a paragraph, so that a change to one leaves the others' translations as they
    // are.
    const QStringList parts{
        Texts::tr("Usage: levelconf-cli --port DEVICE COMMAND [ARGUMENTS] [OPTIONS]\n"
                  "Configure QX-510 and HZL-310 liquid-level sensors on RS-485 from scripts.\n"),
        Texts::tr("Commands (ADDR is a sensor's network address, a whole number 0 to 254):\n"
                  "  search [--raw]              the addresses of the sensors on the bus: each\n"
                  "                              address answered is asked for its identity and\n"
                  "                              listed only when it answers intact\n"
                  "  info ADDR                   serial number, firmware, mode and settings\n"
                  "  watch ADDR [--count N] [--csv]\n"
                  "                              one reading a second, after a header line:\n"
                  "                              time address distance_cm amplitude\n"
                  "                              temperature_C stability; a reading that did\n"
                  "                              not come is a line of its time and address\n"
                  "  set ADDR KEY=VALUE...       settings, in the order given, each confirmed by\n"
                  "                              the sensor before the next one\n"
                  "  table read ADDR FILE.pl5    the calibration table into a file (- for\n"
                  "                              standard output)\n"
                  "  table write ADDR FILE.pl5 [--percent] [--litres]\n"
                  "                              a file into the sensor, then the mode with\n"
                  "                              these two flags as given\n"
                  "  flash IMAGE.cri --type PL540|PL140 [--eeprom]\n"
                  "                              firmware through the boot loader\n"),
        Texts::tr("The stability of watch is the level-stability lamp, green, yellow or red;\n"
                  "it is left empty for the first 38 readings, until the lamp's smoothed\n"
                  "amplitude, which starts from nothing, can tell a steady level at all.\n"),
        Texts::tr("Settings (set ADDR KEY=VALUE...):\n") + settingKeysHelp(),
        Texts::tr("Values are numbers as the window takes them: decimal, with a dot whatever\n"
                  "the locale, an exponent allowed (1e2). Each is rounded to what the sensor\n"
                  "takes, the nearest whole number (halves to even) or hundredth of a degree,\n"
                  "and a value that rounding changed is named on standard error before it\n"
                  "is sent. Anything else is refused, and nothing is sent.\n"),
        Texts::tr("Mode words:\n"
                  "  OUTPUT                      rs485, analog, frequency, impulse, active-rs485\n"
                  "  FLAG                        inverted, filtration, range4096, litres, percent\n"
                  "  level=0..15, echo=closest|further|both\n"
                  "                              firmware 1.7.6: filtration level and echo\n"
                  "                              selection; left out, they stay as they are\n"),
        optionsText,
        Texts::tr("Exit status:\n"
                  "  0    done\n"
                  "  1    bad usage: unknown command, key or option, an option the command\n"
                  "       does not take, missing argument\n"
                  "  2    the port cannot be opened, or was lost\n"
                  "  3    no answer from the sensor, after three tries, or a damaged one: a\n"
                  "       setting so left unconfirmed may have been taken; read it back\n"
                  "       before sending it again (a shift is sent once)\n"
                  "  4    refused by the sensor: wrong password, frequency mode, wrong answer,\n"
                  "       a setting or table its firmware does not have, or a new address\n"
                  "       another sensor answers at (nothing is sent)\n"
                  "  5    bad input or file: ADDR or a value out of range, a table file or\n"
                  "       firmware image that cannot be sent, a file to write that is not a\n"
                  "       regular file (nothing is sent)\n"
                  "  6    the firmware update failed, or its start was not confirmed\n"
                  "  7    the results could not be written to standard output (a full disk,\n"
                  "       a closed output)\n"
                  "  130  interrupted (Ctrl+C or SIGTERM); a watch without --count ends this\n"
                  "       way with 0\n"
                  "  141  the reader of standard output went away (watch ... | head -3):\n"
                  "       the run ends quietly, as a tool that SIGPIPE stops\n"),
        Texts::tr("Every run writes a session log of its own, as the window does, into the\n"
                  "program's log folder or --log-folder; a new folder is made for its owner\n"
                  "alone, and each log file is readable by its owner alone.\n"),
        Texts::tr("Messages and this help are in English, or in Russian where the locale\n"
                  "asks for it: LC_ALL, else LC_MESSAGES, else LANG is ru_* (and LANGUAGE,\n"
                  "where set, does not put English first). --language en, ru or described\n"
                  "chooses whatever the locale. The session log, the JSON and CSV output,\n"
                  "the files and the words of the command line (commands, keys, mode words)\n"
                  "are the same in every language.\n"),
    };
    return parts.join(QLatin1Char('\n'));
}
