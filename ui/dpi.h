// The window's DPI, and the font and frame for a DPI, on every Windows from 7 on: per window
// (Windows 10), else per monitor (Windows 8.1), else the system's.
#pragma once

#include <windows.h>

#include "ui/unique_gdi.h"

namespace tallyvane {

int WindowDpi(HWND window);

// The system's message font at `dpi`; null if the system has none to give.
UniqueFont MessageFont(int dpi);

// The outer size of a window with this style, a menu bar and a client area of `client` at `dpi`.
SIZE OuterSize(SIZE client, DWORD style, int dpi);

}  // namespace tallyvane
