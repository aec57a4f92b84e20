#include "LocaleFallback.h"

namespace levelconf
{

// Windows has no locale from the environment for Qt to find unusable.
void fallBackToUtf8Locale() {}

} // namespace levelconf
