#pragma once

namespace levelconf
{

// How grave a report is, for whoever shows it: the icon of a box in the window, the wording
// on a terminal.
enum class Severity { None, Information, Warning, Critical };

} // namespace levelconf
