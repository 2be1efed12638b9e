#include "tests/e2e/editor_fixture.h"

#include <stdexcept>
#include <string>

namespace tallyvane::e2e {

EditorFixture::EditorFixture(const EditorKind& editorKind)
    : kind(editorKind), exe(WindowsPath(editorKind.exe)), caption(editorKind.caption) {
  // Read the editor's windows in real pixels whatever DPI it runs at.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

void EditorFixture::SetUp() {
  // The file dialog remembers folders per program; each test starts without that memory.
  RegDeleteTreeW(HKEY_CURRENT_USER,
                 L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32");
}

void EditorFixture::WaitForWindow() {
  window = editor->WaitForMainWindow(caption);
  if (window != nullptr) return;
  const auto code = editor->WaitForExit(0ms);
  throw std::runtime_error("the editor's window did not appear; the editor " +
                           (code ? "ended with code " + std::to_string(*code) : "still runs"));
}

void EditorFixture::StartAndLoad(const fs::path& startFolder) {
  Start(startFolder);
  if (kind.hasOpenCommand) OpenThroughDialog(std::nullopt);
  if (!WaitUntil([&] { return !Text(Box(1)).empty(); }))
    throw std::runtime_error("the boxes were not filled");
}

MessageBoxContent EditorFixture::StartAndFailToLoad(const fs::path& startFolder) {
  if (!kind.hasOpenCommand) {
    Launch(startFolder, exe);
    return AnswerStartUpMessage();
  }
  Start(startFolder);
  OpenThroughDialog(std::nullopt);
  return AnswerMessageBox();
}

MessageBoxContent EditorFixture::Save(int button) {
  Choose(kind.hasOpenCommand ? std::vector<std::wstring>{L"文件", L"保存"}
                             : std::vector<std::wstring>{L"保存"});
  return AnswerMessageBox(button);
}

void EditorFixture::OpenThroughDialog(const std::optional<fs::path>& path) {
  Choose({L"文件", L"打开"});
  HWND dialog = editor->WaitForDialog();
  if (dialog == nullptr) throw std::runtime_error("the file dialog did not appear");
  EXPECT_EQ(Text(dialog), L"打开通告文件");
  if (!path) return PressButton(dialog, IDCANCEL);
  HWND name = GetDlgItem(dialog, 0x47C);
  if (!WaitUntil([&] { return IsWindowVisible(name) != FALSE; }))
    throw std::runtime_error("the dialog's file name box did not appear");
  EXPECT_EQ(Text(name), L"Length.dat") << "the name is preset";
  SetText(name, path->wstring());
  PressButton(dialog, IDOK);
}

MessageBoxContent EditorFixture::AnswerStartUpMessage(int button) {
  HWND box = editor->WaitForDialog();
  if (box == nullptr) throw std::runtime_error("no start-up message appeared");
  HWND main = FindWindowW(nullptr, caption.c_str());
  EXPECT_TRUE(main == nullptr || !IsWindowVisible(main)) << "the window showed before the message";
  const MessageBoxContent content = ReadMessageBox(box);
  PressButton(box, button);
  WaitForWindow();
  return content;
}

std::vector<std::wstring> EditorFixture::BoxTexts() const {
  std::vector<std::wstring> texts;
  for (int field = 1; field <= 28; ++field) texts.push_back(Text(Box(field)));
  return texts;
}

void EditorFixture::WaitForBox(int field, const std::wstring& text) {
  EXPECT_TRUE(WaitUntil([&] { return Text(Box(field)) == text; })) << "Text" << field;
}

MessageBoxContent EditorFixture::AnswerMessageBox(int button) {
  HWND box = editor->WaitForDialog();
  if (box == nullptr) throw std::runtime_error("no message box appeared");
  MessageBoxContent content = ReadMessageBox(box);
  PressButton(box, button);
  return content;
}

}  // namespace tallyvane::e2e
