// The system functions the editors find at run time, each written once in the table below: those
// newer than Windows 7, used where this Windows has them and replaced where it has not, and those
// of DLLs that only some commands need, so that no start pays for loading them.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shellscalingapi.h>

namespace tallyvane {

// The first Windows that has a function (as _WIN32_WINNT counts them).
enum class Since : unsigned {
  Windows7 = 0x0601,  // every Windows the editors run on
  Windows8 = 0x0602,
  Windows81 = 0x0603,
  Windows10 = 0x0A00,  // version 1607 for the per-window DPI functions
};

// Name, DLL, first Windows that has it, result and parameters: the exact type, which the tests
// compare with the Windows 10 headers' declaration (calling convention included, which matters on
// 32-bit Windows). A DLL is loaded from the system folder when its first function is asked for:
// comdlg32 on the first "打开", shell32 for a command line, a drop or a relaunch.
//
// system::Name() looks the function up once and remembers it. Where the table says Windows 7 it is
// never null: a system that lacks it is broken, and the look-up throws, which the program reports
// before it ends. A newer function is null where this Windows lacks it, and its caller falls back.
#define TALLYVANE_SYSTEM_FUNCTIONS(X)                                                            \
  X(GetDpiForWindow, "user32.dll", Windows10, UINT, (HWND))                                      \
  X(SystemParametersInfoForDpi, "user32.dll", Windows10, BOOL, (UINT, UINT, PVOID, UINT, UINT))  \
  X(AdjustWindowRectExForDpi, "user32.dll", Windows10, BOOL, (LPRECT, DWORD, BOOL, DWORD, UINT)) \
  X(GetDpiForMonitor, "shcore.dll", Windows81, HRESULT,                                          \
    (HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*))                                                  \
  /* Windows 7 SP1 has it only with update KB2533623. */                                         \
  X(SetDefaultDllDirectories, "kernel32.dll", Windows8, BOOL, (DWORD))                           \
  X(GetOpenFileNameW, "comdlg32.dll", Windows7, BOOL, (LPOPENFILENAMEW))                         \
  X(CommDlgExtendedError, "comdlg32.dll", Windows7, DWORD, ())                                   \
  X(CommandLineToArgvW, "shell32.dll", Windows7, LPWSTR*, (LPCWSTR, int*))                       \
  X(DragQueryFileW, "shell32.dll", Windows7, UINT, (HDROP, UINT, LPWSTR, UINT))                  \
  X(DragFinish, "shell32.dll", Windows7, void, (HDROP))                                          \
  X(ShellExecuteExW, "shell32.dll", Windows7, BOOL, (SHELLEXECUTEINFOW*))

namespace system {

#define TALLYVANE_DECLARE_SYSTEM_FUNCTION(name, dll, since, result, parameters) \
  using name##Function = result(WINAPI*) parameters;                            \
  name##Function name();
TALLYVANE_SYSTEM_FUNCTIONS(TALLYVANE_DECLARE_SYSTEM_FUNCTION)
#undef TALLYVANE_DECLARE_SYSTEM_FUNCTION

}  // namespace system

// Keeps DLLs that are loaded by name out of the folders the exe is put in (the simple editor sits
// in the game's DATA folder, the full one often in Downloads), as far as this Windows allows:
// - Windows 8 and later, and Windows 7 SP1 with KB2533623: every DLL loaded by name, by the
//   program or by a system DLL on its behalf, comes from the system folder only.
// - Windows 7 SP1 without it: the current folder is taken out of the search, but the exe's own
//   folder is still searched first for every DLL that is not one of the system's known DLLs. The
//   DLLs that the window, comdlg32 and shell32 are known to load by name are therefore loaded
//   from the system folder at once, so that those later loads find them loaded; a DLL missing
//   from that list would still be looked for in the exe's folder there.
void LockDllSearch();

}  // namespace tallyvane
