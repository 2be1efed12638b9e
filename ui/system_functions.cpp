#include "ui/system_functions.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/utf16.h"

namespace tallyvane {
namespace {

// Loaded by name by the window, comdlg32 and shell32 on Windows 7 (the list 7-Zip keeps for the
// same purpose).
constexpr const char* kLoadedByName[] = {
    "uxtheme.dll", "userenv.dll",   "setupapi.dll", "apphelp.dll", "propsys.dll",
    "dwmapi.dll",  "cryptbase.dll", "oleacc.dll",   "clbcatq.dll", "version.dll"};

// The newest Windows whose functions are found. A test build of the editors pretends to run on an
// older one (TALLYVANE_PRETEND_WINDOWS in the environment, default Windows 7), so that every
// fallback runs under test although Wine has every newer function; pretending a Windows older than
// 7 shows what the editors do on a system that lacks one of its own functions.
unsigned NewestWindows() {
#ifdef TALLYVANE_PRETEND_OLD_WINDOWS
  const char* pretended = std::getenv("TALLYVANE_PRETEND_WINDOWS");
  return pretended != nullptr ? static_cast<unsigned>(std::strtoul(pretended, nullptr, 16))
                              : static_cast<unsigned>(Since::Windows7);
#else
  return 0xFFFF;
#endif
}

// Loads a DLL from the system folder only, never from the exe's folder or the current one.
HMODULE SystemLibrary(const char* dll) {
  const std::wstring name = platform::Widen(dll);
  if (HMODULE loaded = GetModuleHandleW(name.c_str())) return loaded;
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

void* Find(const char* dll, const char* name, Since since) {
  FARPROC found = nullptr;
  if (static_cast<unsigned>(since) <= NewestWindows())
    if (HMODULE module = SystemLibrary(dll)) found = GetProcAddress(module, name);
  if (found == nullptr && since == Since::Windows7)
    throw std::runtime_error(std::string("系统缺少 ") + dll + " 中的 " + name + "。");
  return reinterpret_cast<void*>(found);
}

}  // namespace

namespace system {

#define TALLYVANE_DEFINE_SYSTEM_FUNCTION(name, dll, since, result, parameters)                     \
  name##Function name() {                                                                          \
    static const auto function = reinterpret_cast<name##Function>(Find(dll, #name, Since::since)); \
    return function;                                                                               \
  }
TALLYVANE_SYSTEM_FUNCTIONS(TALLYVANE_DEFINE_SYSTEM_FUNCTION)
#undef TALLYVANE_DEFINE_SYSTEM_FUNCTION

}  // namespace system

void LockDllSearch() {
  if (const auto setDefault = system::SetDefaultDllDirectories();
      setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
    return;
  SetDllDirectoryW(L"");
  for (const char* dll : kLoadedByName) SystemLibrary(dll);
}

}  // namespace tallyvane
