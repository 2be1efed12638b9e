#include "ui/system_functions.h"

#include <cstdlib>
#include <string>

namespace tallyvane {
namespace {

// The newest Windows whose functions are looked up. A test build of the editors pretends to run
// on an older one (TALLYVANE_PRETEND_WINDOWS in the environment, default Windows 7), so that every
// fallback runs under test although Wine has every newer function.
unsigned NewestWindows() {
#ifdef TALLYVANE_PRETEND_OLD_WINDOWS
  const char* pretended = std::getenv("TALLYVANE_PRETEND_WINDOWS");
  return pretended != nullptr ? static_cast<unsigned>(std::strtoul(pretended, nullptr, 16))
                              : static_cast<unsigned>(Since::Windows7);
#else
  return 0xFFFF;
#endif
}

}  // namespace

HMODULE SystemLibrary(const wchar_t* dll) {
  if (HMODULE loaded = GetModuleHandleW(dll)) return loaded;
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + dll).c_str());
}

FARPROC SystemProcedure(const wchar_t* dll, const char* name, Since since) {
  if (static_cast<unsigned>(since) > NewestWindows()) return nullptr;
  HMODULE module = SystemLibrary(dll);
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

void LockDllSearch() {
  using SetDefault = BOOL(WINAPI*)(DWORD);
  // Windows 8 and later, and Windows 7 with KB2533623: the system folder only.
  if (const auto setDefault =
          SystemFunction<SetDefault>(L"kernel32.dll", "SetDefaultDllDirectories", Since::Windows8);
      setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
    return;
  // Elsewhere at least the current folder, where the simple editor finds the game's files, is
  // taken out of the search.
  SetDllDirectoryW(L"");
}

}  // namespace tallyvane
