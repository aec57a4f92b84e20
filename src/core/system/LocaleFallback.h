#pragma once

namespace levelconf
{

// For the tools whose output scripts read (levelconf-cli, levelconf-gateway): when the locale
// the environment names cannot be used (one that was never generated, say), the process is
// given C.UTF-8 before Qt starts. Qt would switch to it by itself, but with a warning on
// the standard error that would end up among the tool's own lines. Call it before the
// application object is made, after reading what the environment said.
void fallBackToUtf8Locale();

} // namespace levelconf
