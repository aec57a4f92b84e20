#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QProcessEnvironment;

namespace levelconf
{

// The three sets of texts the programs can show. The described set is the one the texts
// were first written in, captions half Russian and half English as the operators know
// them; it is the source the English and Russian translations are made from.
enum class Language { Described, English, Russian };

// The language a --language option names: "described", "en" or "ru"; nothing for others.
std::optional<Language> languageNamed(const QString &name);
// The name --language takes for `language`.
QString languageName(Language language);

// The language of a locale's messages, chosen as a program with message catalogues does:
// LC_ALL, else LC_MESSAGES, else LANG gives the locale; C and POSIX (with or without a
// codeset) give `forPlainLocale`; otherwise the first language of the LANGUAGE list that
// has a translation wins, then the locale's own: Russian for ru, English for any other.
Language languageOfLocale(const QProcessEnvironment &env, Language forPlainLocale);

// The value a command line gives --language ("--language ru" or "--language=ru"; the last
// one given wins), read before the other options are, since their help and messages come in
// the language it names. Empty when none is given.
QString languageArgument(const QStringList &arguments);

// The language of a tool for scripts, levelconf-cli or levelconf-gateway: the one --language
// names, else the locale's, where C and POSIX give English.
Language toolLanguage(const QStringList &arguments, const QProcessEnvironment &env);

} // namespace levelconf
