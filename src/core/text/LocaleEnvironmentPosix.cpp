#include "LocaleEnvironment.h"

namespace levelconf
{

QProcessEnvironment localeEnvironment()
{
    return QProcessEnvironment::systemEnvironment();
}

} // namespace levelconf
