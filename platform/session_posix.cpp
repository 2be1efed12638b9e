#include <cstdlib>
#include <locale>

#include "platform/session.h"

namespace tallyvane::platform {

namespace {

std::string EnvironmentDecimalSeparator() {
  try {
    return std::string(1, std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point());
  } catch (const std::runtime_error&) {
    return ".";  // the environment names a locale this system does not have
  }
}

}  // namespace

// The environment's locale is fixed for the life of the process, and costly to look up.
std::string DecimalSeparator() {
  static const std::string separator = EnvironmentDecimalSeparator();
  return separator;
}

void EndProcess(int exitCode) {
  std::_Exit(exitCode);
}

}  // namespace tallyvane::platform
