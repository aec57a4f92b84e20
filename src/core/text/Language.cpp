#include "Language.h"

#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>

namespace levelconf
{

namespace
{
const QString kNames[] = {QStringLiteral("described"), QStringLiteral("en"), QStringLiteral("ru")};

// The language part of a locale name: "ru" of "ru_RU.UTF-8@latin".
QString languageCode(const QString &locale)
{
    const int end = locale.indexOf(QRegularExpression(QStringLiteral("[_.@]")));
    return locale.left(end).toLower();
}

bool isPlain(const QString &locale)
{
    const QString code = languageCode(locale);
    return code.isEmpty() || code == QLatin1String("c") || code == QLatin1String("posix");
}

std::optional<Language> translated(const QString &locale)
{
    const QString code = languageCode(locale);
    if (code == QLatin1String("ru"))
        return Language::Russian;
    if (code == QLatin1String("en"))
        return Language::English;
    return std::nullopt;
}
} // namespace

std::optional<Language> languageNamed(const QString &name)
{
    for (Language l : {Language::Described, Language::English, Language::Russian}) {
        if (name == languageName(l))
            return l;
    }
    return std::nullopt;
}

QString languageName(Language language)
{
    return kNames[static_cast<int>(language)];
}

Language languageOfLocale(const QProcessEnvironment &env, Language forPlainLocale)
{
    QString locale;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = env.value(QLatin1String(name));
        if (!locale.isEmpty())
            break;
    }
    // As with message catalogues, LANGUAGE counts only once a locale other than C is set.
    if (isPlain(locale))
        return forPlainLocale;
    const QStringList preferred =
        env.value(QStringLiteral("LANGUAGE")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &entry : preferred) {
        if (const std::optional<Language> l = translated(entry))
            return *l;
    }
    return translated(locale).value_or(Language::English);
}

QString languageArgument(const QStringList &arguments)
{
    const QString option = QStringLiteral("--language");
    QString value;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--"))
            break;
        if (a == option && i + 1 < arguments.size())
            value = arguments.at(++i);
        else if (a.startsWith(option + QLatin1Char('=')))
            value = a.mid(option.size() + 1);
    }
    return value;
}

Language toolLanguage(const QStringList &arguments, const QProcessEnvironment &env)
{
    return languageNamed(languageArgument(arguments))
        .value_or(languageOfLocale(env, Language::English));
}

} // namespace levelconf
