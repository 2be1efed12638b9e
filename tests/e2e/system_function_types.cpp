// Every function the editors find at run time has, in their table, the type that the Windows 10
// headers declare for it: result, parameters and calling convention. Checked when this compiles.
#include <windows.h>

#include <type_traits>

#include "ui/system_functions.h"

namespace tallyvane::system {

#define TALLYVANE_CHECK_SYSTEM_FUNCTION(name, dll, since, result, parameters) \
  static_assert(std::is_same_v<name##Function, decltype(&::name)>, #name " has the wrong type");
TALLYVANE_SYSTEM_FUNCTIONS(TALLYVANE_CHECK_SYSTEM_FUNCTION)
#undef TALLYVANE_CHECK_SYSTEM_FUNCTION

}  // namespace tallyvane::system
