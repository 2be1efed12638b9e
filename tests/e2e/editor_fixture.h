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

class EditorFixture : public testing::Test {
 protected:
  EditorFixture(const std::string& exe, std::wstring caption);
  void SetUp() override;

  // Starts the editor (or a copy of it elsewhere) with `startFolder` as its current directory.
  void Launch(const fs::path& startFolder, const std::wstring& program) {
    editor.emplace(program, startFolder);
  }
  void Launch() { Launch(folder.path(), exe); }
  // Waits for the main window to be shown.
  void WaitForWindow();
  // Launches and waits for the main window.
  void Start(const fs::path& startFolder) { Launch(startFolder, exe), WaitForWindow(); }
  void Start() { Start(folder.path()); }

  HWND Box(int field) const { return GetDlgItem(window, IDC_TEXT_BASE + field); }
  HWND Label(int number) const { return GetDlgItem(window, IDC_LABEL_BASE + number); }
  std::vector<std::wstring> BoxTexts() const;

  void Choose(const std::vector<std::wstring>& captions) { ChooseMenu(window, exe, captions); }
  // Waits for a message box, reads it and presses OK.
  MessageBoxContent AnswerMessageBox();
  // True when no dialog appears within a short while.
  bool NoDialogAppears() const { return editor->WaitForDialog(1500ms) == nullptr; }

  fs::path file() const { return folder / "Length.dat"; }
  std::wstring Path(const fs::path& path) const { return path.wstring(); }

  const std::wstring exe;
  const std::wstring caption;
  test::TempFolder folder;
  std::optional<EditorProcess> editor;
  HWND window = nullptr;
};

}  // namespace tallyvane::e2e
