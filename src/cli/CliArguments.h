#pragma once

#include "core/text/Language.h"

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
    bool help = false;
    bool version = false;
};

// The arguments after the program's name, or nothing with the reason in `error`. An option
// the command does not use is refused: it would otherwise be taken for something it did.
std::optional<CliArguments> parseCliArguments(const QStringList &arguments, QString *error);

// The language of the run's words: the one --language names, else the locale's, Russian for
// ru_* and English for any other, C and POSIX included: a script's output reads alike
// wherever it runs, unless a Russian locale asks otherwise. A name --language does not know
// gives the locale's language here and a refusal from parseCliArguments.
Language cliLanguage(const QStringList &arguments, const QProcessEnvironment &env);

// The address word of a command: a sensor's address, 0 to 254 (255 is the search address,
// which every sensor answers).
std::optional<quint8> addressArgument(const QString &word);
// Why a word is no address, for the refusal.
QString addressRefusal(const QString &word);

// The text of --help: the commands, the settings, the mode words and the exit codes.
QString cliHelpText();
