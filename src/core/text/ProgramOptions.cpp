#include "ProgramOptions.h"

#include "Language.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace levelconf
{

namespace
{
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ProgramOptions)
};

const QString kLanguage = QStringLiteral("language");
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
} // namespace

void addProgramOptions(QCommandLineParser &parser, const QString &languageHelp)
{
    if (!languageHelp.isEmpty())
        parser.addOption({kLanguage, languageHelp, QStringLiteral("LANGUAGE")});
    parser.addOption({{QStringLiteral("h"), kHelp}, Texts::tr("Show this help.")});
    parser.addOption({{QStringLiteral("v"), kVersion}, Texts::tr("Show the program's version.")});
}

ProgramRequest programRequest(const QCommandLineParser &parser)
{
    return {parser.isSet(kHelp), parser.isSet(kVersion)};
}

QString languageRefusal(const QCommandLineParser &parser)
{
    // Asked only of a --language that was given: a program without the option has none.
    if (!parser.optionNames().contains(kLanguage))
        return {};
    const QString language = parser.value(kLanguage);
    if (languageNamed(language))
        return {};
    return Texts::tr("--language takes en, ru or described, not %1").arg(language);
}

std::optional<ProgramRequest> parseProgramOptions(QCommandLineParser &parser,
                                                  const QString &program,
                                                  const QStringList &arguments, QString *error)
{
    if (!parser.parse(QStringList{program} + arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    *error = languageRefusal(parser);
    if (!error->isEmpty())
        return std::nullopt;
    return programRequest(parser);
}

QString versionText(const QString &program)
{
    return program + QStringLiteral(" " LEVELCONF_VERSION);
}

} // namespace levelconf
