#include "tests/e2e/editor_fixture.h"

#include <stdexcept>

namespace tallyvane::e2e {

EditorFixture::EditorFixture(const std::string& exePath, std::wstring windowCaption)
    : exe(WindowsPath(exePath)), caption(std::move(windowCaption)) {}

void EditorFixture::SetUp() {
  // The file dialog remembers folders per program; each test starts without that memory.
  RegDeleteTreeW(HKEY_CURRENT_USER,
                 L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32");
}

void EditorFixture::WaitForWindow() {
  window = editor->WaitForMainWindow(caption);
  if (window == nullptr) throw std::runtime_error("the editor's window did not appear");
}

std::vector<std::wstring> EditorFixture::BoxTexts() const {
  std::vector<std::wstring> texts;
  for (int field = 1; field <= 28; ++field) texts.push_back(Text(Box(field)));
  return texts;
}

MessageBoxContent EditorFixture::AnswerMessageBox() {
  HWND box = editor->WaitForDialog();
  if (box == nullptr) throw std::runtime_error("no message box appeared");
  MessageBoxContent content = ReadMessageBox(box);
  PressButton(box, IDOK);
  return content;
}

}  // namespace tallyvane::e2e
