#pragma once

#include <QProcessEnvironment>

namespace levelconf
{

// The environment the language is chosen from. On Unix it is the process's own, with the
// locale variables as the user set them. Windows has no such variables: there it holds LANG
// made from the user's display language (ru_RU, en_US), so that the same choice follows.
QProcessEnvironment localeEnvironment();

} // namespace levelconf
