#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QCommandLineParser;

namespace levelconf
{

// The options the programs take alike, in one wording: -h/--help, -v/--version and, in the
// programs that speak more than one language, --language.

// Adds --language, described by `languageHelp` (what the language changes and how the locale
// chooses it, which is each program's own), unless that is empty; then --help and --version.
void addProgramOptions(QCommandLineParser &parser, const QString &languageHelp = {});

// What a parsed command line asks through those options.
struct ProgramRequest {
    bool help = false;
    bool version = false;
    // The program prints its help or its version and ends.
    bool textOnly() const { return help || version; }
};
ProgramRequest programRequest(const QCommandLineParser &parser);

// Why the --language of a parsed command line is refused: it names a language the programs
// do not have. Empty when it is not given or names one. The language itself is taken from
// the arguments before the parser is made, so that the help comes in it.
QString languageRefusal(const QCommandLineParser &parser);

// Parses `arguments`, the command line after the name of `program`. Nothing, with the
// reason in `error`, when the parser refuses them (an unknown option, a value missing) or
// --language is refused.
std::optional<ProgramRequest> parseProgramOptions(QCommandLineParser &parser,
                                                  const QString &program,
                                                  const QStringList &arguments, QString *error);

// What --version prints: the program's name and version, "levelconf-cli 2.6.4".
QString versionText(const QString &program);

} // namespace levelconf
