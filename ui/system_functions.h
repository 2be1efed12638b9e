// System functions found at run time: those newer than Windows 7, used where this Windows has them
// and replaced where it has not, and those of DLLs that only some commands need.
#pragma once

#include <windows.h>

namespace tallyvane {

// The first Windows that has a function (as _WIN32_WINNT counts them).
enum class Since : unsigned {
  Windows7 = 0x0601,
  Windows8 = 0x0602,
  Windows81 = 0x0603,
  Windows10 = 0x0A00,  // version 1607 for the per-window DPI functions
};

// Loads a DLL from the system folder only, never from the exe's folder or the current one.
HMODULE SystemLibrary(const wchar_t* dll);

// The address of `name` in the system DLL `dll`, or null where this Windows lacks it.
FARPROC SystemProcedure(const wchar_t* dll, const char* name, Since since);

template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name, Since since = Since::Windows7) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemProcedure(dll, name, since)));
}

// Keeps DLLs from being loaded out of the game folders the exe is put in.
void LockDllSearch();

}  // namespace tallyvane
