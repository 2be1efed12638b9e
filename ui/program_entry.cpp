#include "ui/program_entry.h"

#include <stdexcept>
#include <string>

#include "platform/message_box.h"
#include "ui/editor_window.h"
#include "ui/error_text.h"
#include "ui/resource_ids.h"
#include "ui/system_functions.h"

namespace tallyvane {

int RunEditor(HINSTANCE instance, const VariantSettings& settings, const wchar_t* arguments) {
  // The exe lives in game folders full of foreign DLLs.
  LockDllSearch();
  try {
    EditorWindow window(instance, settings);
    if (!window.Create(SW_SHOWNORMAL, arguments))
      throw std::runtime_error("CreateWindowExW failed (" + std::to_string(GetLastError()) + ")");

    // Loaded from the exe's resources, so freed by Windows when the program ends.
    HACCEL shortcuts = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      // Ctrl+S and Ctrl+O wherever the focus is in the window.
      if (TranslateAcceleratorW(window.handle(), shortcuts, &message)) continue;
      // Tab and Shift+Tab move between the boxes as in a dialog.
      if (IsDialogMessageW(window.handle(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (window.failure()) std::rethrow_exception(window.failure());
    return static_cast<int>(message.wParam);
  } catch (...) {
    platform::ShowMessageBox(nullptr, DescribeUnexpected(std::current_exception()), kErrorTitle);
    return 1;
  }
}

}  // namespace tallyvane

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  return tallyvane::RunEditor(instance, tallyvane::kVariantSettings, arguments);
}
