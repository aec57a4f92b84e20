#pragma once

#include "core/text/ProgramOptions.h"

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
    bool raw = false;
    bool percent = false;
    bool litres = false;
    bool eeprom = false;
    int count = 0; // readings of watch; 0: until stopped
    QString type;  // PL540 or PL140
    QString logFolder;
    levelconf::ProgramRequest asked; // --help or --version
};

// The arguments after the program's name, or nothing with the reason in `error`. An option
// the command does not use is refused: it would otherwise be taken for something it did.
std::optional<CliArguments> parseCliArguments(const QStringList &arguments, QString *error);

// Why the address word of a command is no sensor's address (addressFromText), for the
// refusal.
QString addressRefusal(const QString &word);

// The text of --help: the commands, the settings, the mode words and the exit codes.
QString cliHelpText();
