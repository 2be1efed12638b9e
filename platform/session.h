// What the editors ask of the running process and its user: locale, message boxes, ending.
#pragma once

#include <string>

namespace tallyvane::platform {

// The decimal separator of the user's locale, UTF-8 (usually "." or ",").
std::string DecimalSeparator();

// Ends the process at once: no further event is handled and nothing is saved.
[[noreturn]] void EndProcess(int exitCode);

}  // namespace tallyvane::platform
