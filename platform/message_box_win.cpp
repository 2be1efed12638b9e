#include <windows.h>

#include "platform/message_box.h"
#include "platform/utf16.h"

namespace tallyvane::platform {

void ShowMessageBox(NativeWindow owner, const std::string& text, const std::string& title) {
  MessageBoxW(static_cast<HWND>(owner), Widen(text).c_str(), Widen(title).c_str(), MB_OK);
}

bool AskYesNo(NativeWindow owner, const std::string& text, const std::string& title,
              bool yesByDefault) {
  return MessageBoxW(static_cast<HWND>(owner), Widen(text).c_str(), Widen(title).c_str(),
                     MB_YESNO | (yesByDefault ? MB_DEFBUTTON1 : MB_DEFBUTTON2)) == IDYES;
}

}  // namespace tallyvane::platform
