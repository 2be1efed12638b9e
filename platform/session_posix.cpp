#include <cstdlib>
#include <locale>

#include "platform/session.h"

namespace tallyvane::platform {

std::string DecimalSeparator() {
  try {
    return std::string(1, std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point());
  } catch (const std::runtime_error&) {
    return ".";  // the environment names a locale this system does not have
  }
}

void EndProcess(int exitCode) {
  std::_Exit(exitCode);
}

}  // namespace tallyvane::platform
