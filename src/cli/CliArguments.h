#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What one run of levelconf-cli is asked to do.
struct CliArguments {
    QString port;
    QString command;   // search, info, watch, set, table, flash
    QStringList words; // what follows the command
    bool json = false;
    bool csv = false;
    bool percent = false;
    bool litres = false;
    bool eeprom = false;
    int count = 0; // readings of watch; 0: until stopped
    QString type;  // PL540 or PL140
    QString logFolder;
    bool help = false;
    bool version = false;
};

// The arguments after the program's name, or nothing with the reason in `error`.
std::optional<CliArguments> parseCliArguments(const QStringList &arguments, QString *error);

// The address word of a command: 0..255.
std::optional<quint8> addressArgument(const QString &word);

// The text of --help: the commands, the settings, the mode words and the exit codes.
QString cliHelpText();
