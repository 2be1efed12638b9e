// Modal message boxes: a text, a title and no icon; one OK button, or 是 and 否 for a question.
#pragma once

#include <string>

namespace tallyvane::platform {

// The owning window's handle (HWND on Windows), or null for none.
using NativeWindow = void*;

// Returns when the user has dismissed the box.
void ShowMessageBox(NativeWindow owner, const std::string& text, const std::string& title);

// The same with the buttons 是 and 否, 否 the default; true for 是.
bool AskYesNo(NativeWindow owner, const std::string& text, const std::string& title);

}  // namespace tallyvane::platform
