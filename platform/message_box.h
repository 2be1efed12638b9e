// Modal message boxes: a text, a title and no icon; one OK button, or 是 and 否 for a question.
#pragma once

#include <string>

namespace tallyvane::platform {

// The owning window's handle (HWND on Windows), or null for none.
using NativeWindow = void*;

// Returns when the user has dismissed the box.
void ShowMessageBox(NativeWindow owner, const std::string& text, const std::string& title);

// The same with the buttons 是 and 否, 是 the default where `yesByDefault`, else 否; true for 是.
bool AskYesNo(NativeWindow owner, const std::string& text, const std::string& title,
              bool yesByDefault);

}  // namespace tallyvane::platform
