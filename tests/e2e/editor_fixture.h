// What every end-to-end test of an editor does: a fresh folder, the real exe started in it, and
// helpers that act like the user.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "tests/e2e/automation.h"
#include "tests/support/test_files.h"
#include "ui/resource_ids.h"

namespace tallyvane::e2e {

namespace fs = std::filesystem;

struct EditorKind {
  const char* name;
  const char* exe;
  const wchar_t* caption;
  bool hasOpenCommand;  // the full editor opens through a dialog; the simple one loads at start
};

inline const EditorKind kFullEditor{"Full", TALLYVANE_FULL_EXE, L"Tallyvane", true};
inline const EditorKind kLiteEditor{"Lite", TALLYVANE_LITE_EXE, L"Tallyvane-简易版", false};
// Test twins that find none of the functions newer than the Windows named in the environment
// variable TALLYVANE_PRETEND_WINDOWS (default Windows 7), so that they take every fallback.
inline const EditorKind kFullEditorOldWindows{"FullOldWindows", TALLYVANE_FULL_OLD_WINDOWS_EXE,
                                              L"Tallyvane", true};
inline const EditorKind kLiteEditorOldWindows{"LiteOldWindows", TALLYVANE_LITE_OLD_WINDOWS_EXE,
                                              L"Tallyvane-简易版", false};

class EditorFixture : public testing::Test {
 protected:
  explicit EditorFixture(const EditorKind& kind);
  void SetUp() override;

  // Starts the editor (or a copy of it elsewhere) with `startFolder` as its current directory.
  void Launch(const fs::path& startFolder, const std::wstring& program,
              const std::wstring& arguments = L"") {
    editor.emplace(program, startFolder, arguments);
  }
  void Launch() { Launch(folder.path(), exe); }
  // Waits for the main window to be shown.
  void WaitForWindow();
  // Launches and waits for the main window.
  void Start(const fs::path& startFolder) { Launch(startFolder, exe), WaitForWindow(); }
  void Start() { Start(folder.path()); }

  // Starts in `startFolder` and loads its Length.dat as a user would: the simple editor at start,
  // the full editor through "打开" (cancelling the dialog keeps the current folder).
  void StartAndLoad(const fs::path& startFolder);
  // The same for a Length.dat that cannot be loaded: returns the message that says so.
  MessageBoxContent StartAndFailToLoad(const fs::path& startFolder);
  // "保存" and the message box it shows, answered with `button`.
  MessageBoxContent Save(int button = IDOK);

  // "文件 → 打开", then types `path` into the dialog's file name and confirms, or cancels.
  void OpenThroughDialog(const std::optional<fs::path>& path);
  // The first message box, shown while the main window is still hidden, answered with `button`;
  // then the window.
  MessageBoxContent AnswerStartUpMessage(int button = IDOK);

  HWND Box(int field) const { return GetDlgItem(window, IDC_TEXT_BASE + field); }
  HWND Label(int number) const { return GetDlgItem(window, IDC_LABEL_BASE + number); }
  std::vector<std::wstring> BoxTexts() const;
  void WaitForBox(int field, const std::wstring& text);

  void Choose(const std::vector<std::wstring>& captions) { ChooseMenu(window, exe, captions); }
  // Waits for a message box, reads it and presses `button` (IDYES or IDNO for a question).
  MessageBoxContent AnswerMessageBox(int button = IDOK);
  // True when no dialog appears within a short while.
  bool NoDialogAppears() const { return editor->WaitForDialog(1500ms) == nullptr; }

  fs::path file() const { return folder / "Length.dat"; }
  std::wstring Path(const fs::path& path) const { return path.wstring(); }

  const EditorKind& kind;
  const std::wstring exe;
  const std::wstring caption;
  test::TempFolder folder;
  std::optional<EditorProcess> editor;
  HWND window = nullptr;
};

}  // namespace tallyvane::e2e
