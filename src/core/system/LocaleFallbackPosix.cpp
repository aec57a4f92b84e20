#include "LocaleFallback.h"

#include <QByteArray>
#include <QtGlobal>

#include <clocale>
#include <langinfo.h>
#include <strings.h>

namespace levelconf
{

void fallBackToUtf8Locale()
{
    const char *locale = std::setlocale(LC_ALL, "");
    const char *codeset = nl_langinfo(CODESET);
    const bool utf8 = locale && codeset &&
                      (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0);
    if (utf8)
        return;
    qputenv("LC_ALL", QByteArrayLiteral("C.UTF-8"));
    std::setlocale(LC_ALL, "");
}

} // namespace levelconf
