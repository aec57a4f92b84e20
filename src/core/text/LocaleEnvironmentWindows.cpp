#include "LocaleEnvironment.h"

#include <windows.h>

namespace levelconf
{

namespace
{
// "ru_RU" for the user's display language, or nothing when the system cannot name it.
QString displayLanguage()
{
    const LANGID id = ::GetUserDefaultUILanguage();
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (::LCIDToLocaleName(MAKELCID(id, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) <= 0)
        return QString();
    return QString::fromWCharArray(name).replace(QLatin1Char('-'), QLatin1Char('_'));
}
} // namespace

QProcessEnvironment localeEnvironment()
{
    QProcessEnvironment env;
    const QString language = displayLanguage();
    // A display language the system cannot name is shown in English, as any other is.
    env.insert(QStringLiteral("LANG"), language.isEmpty() ? QStringLiteral("en_US") : language);
    return env;
}

} // namespace levelconf
