#include "LocaleFallback.h"

// Windows has no locale from the environment for Qt to find unusable.
void fallBackToUtf8Locale() {}
