#include <windows.h>

#include "platform/session.h"
#include "platform/utf16.h"

namespace tallyvane::platform {

std::string DecimalSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) return ".";
  return Narrow(separator);
}

void EndProcess(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace tallyvane::platform
