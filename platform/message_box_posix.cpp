#include <iostream>

#include "platform/message_box.h"

namespace tallyvane::platform {

// Without a desktop the message goes to the terminal.
void ShowMessageBox(NativeWindow, const std::string& text, const std::string& title) {
  std::cerr << '[' << title << "] " << text << '\n';
}

// Without a desktop nobody can answer: the careful answer.
bool AskYesNo(NativeWindow owner, const std::string& text, const std::string& title, bool) {
  ShowMessageBox(owner, text, title);
  return false;
}

}  // namespace tallyvane::platform
