// For Windows tests running under Wine: reaching the Linux side.
#pragma once

#include <windows.h>

#include <string>

namespace tallyvane::test {

// One of Wine's own kernel32 exports (wine_get_unix_file_name, …); null on Windows.
template <typename Function>
Function WineExport(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), name)));
}

// Starts a Linux program by its command line. Wine does not wait for such a program, nor can it
// be waited for: callers wait for its effect.
void StartLinuxProgram(std::wstring commandLine);

}  // namespace tallyvane::test
