// Starts an editor: its window, the event loop, and the last-resort error report.
#pragma once

#include <windows.h>

#include "ui/variant.h"

namespace tallyvane {

// Returns the process exit code: 0 after a normal close, non-zero after an unexpected error.
// `arguments` is the command line after the program's name.
int RunEditor(HINSTANCE instance, const VariantSettings& settings, const wchar_t* arguments);

}  // namespace tallyvane

// The program entry of both editors; each links its own kVariantSettings.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int);
