#include "LocaleEnvironment.h"

QProcessEnvironment localeEnvironment()
{
    return QProcessEnvironment::systemEnvironment();
}
