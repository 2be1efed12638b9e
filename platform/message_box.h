// Modal message box: a text, a title, a single OK button and no icon.
#pragma once

#include <string>

namespace tallyvane::platform {

// The owning window's handle (HWND on Windows), or null for none.
using NativeWindow = void*;

// Returns when the user has dismissed the box.
void ShowMessageBox(NativeWindow owner, const std::string& text, const std::string& title);

}  // namespace tallyvane::platform
