// Drives a running editor from another process, as a user would: windows, boxes, menus, message
// boxes, the file-open dialog and the keyboard. Every wait has a timeout.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tallyvane::e2e {

using namespace std::chrono_literals;
inline constexpr std::chrono::milliseconds kTimeout = 15s;

// A Windows path for a file of the build tree (which CMake names by its Linux path under Wine).
std::wstring WindowsPath(const std::string& buildPath);

// Polls `done` until it is true or the timeout passes; returns the last answer.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = kTimeout);

class EditorProcess {
 public:
  // Starts `exe` with `folder` as its current directory and `arguments` after its name.
  EditorProcess(const std::wstring& exe, const std::filesystem::path& folder,
                const std::wstring& arguments = L"");
  // Takes over a process that another one started.
  explicit EditorProcess(DWORD processId);
  EditorProcess(const EditorProcess&) = delete;
  EditorProcess& operator=(const EditorProcess&) = delete;
  ~EditorProcess();  // ends the process if it still runs

  // The visible main window with this caption, or null after the timeout.
  HWND WaitForMainWindow(const std::wstring& caption);
  // A dialog of this process (message box or file dialog), or null after the timeout.
  HWND WaitForDialog(std::chrono::milliseconds timeout = kTimeout) const;
  // The exit code once the process has ended, or nothing after the timeout.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = kTimeout) const;
  bool running() const;
  // The most memory the process has committed so far, in bytes.
  std::size_t PeakMemory() const;

 private:
  PROCESS_INFORMATION process_{};
};

std::wstring Text(HWND window);
void SetText(HWND window, const std::wstring& text);

struct MessageBoxContent {
  std::wstring title;
  std::wstring text;
  int defaultButton;  // IDOK, IDYES, IDNO, …
};
MessageBoxContent ReadMessageBox(HWND box);
// Presses a button (OK, Cancel, Yes, No, …) and waits until the dialog is gone.
void PressButton(HWND dialog, int id);

// The menu in the exe's resources, as a tree of captions and command ids.
struct MenuEntry {
  std::wstring caption;
  UINT id;  // 0 for a drop-down
  std::vector<MenuEntry> items;
};
std::vector<MenuEntry> MenuOf(const std::wstring& exe);

// Chooses a menu command by its captions ("文件", "打开"; a shortcut after a tab need not be
// given) as a click would.
void ChooseMenu(HWND window, const std::wstring& exe, const std::vector<std::wstring>& captions);

// Real keystrokes to the foreground window: `key` while the `held` keys (VK_SHIFT, VK_CONTROL) are
// down.
void PressKey(WORD key, const std::vector<WORD>& held = {});
void TypeText(const std::wstring& text);
void BringToFront(HWND window);
HWND FocusOf(HWND window);
// Puts text on the clipboard, as a copy in another program would.
void CopyToClipboard(const std::wstring& text);

// Drops files on a window as Explorer would: the drop data is built in the window's process and
// handed to its WM_DROPFILES handler.
void DropFiles(HWND window, const std::vector<std::wstring>& paths);

// Rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child);

// A picture of the window, saved as NAME.png in $TALLYVANE_SCREENSHOTS (if set).
void Screenshot(HWND window, const std::string& name);

}  // namespace tallyvane::e2e
