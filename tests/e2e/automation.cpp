#include "tests/e2e/automation.h"

#include <psapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "tests/support/wine_host.h"

namespace tallyvane::e2e {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

struct WindowSearch {
  DWORD processId;
  std::function<bool(HWND)> accept;
  HWND found = nullptr;
};

BOOL CALLBACK AcceptWindow(HWND window, LPARAM data) {
  auto& s = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != s.processId || !s.accept(window)) return TRUE;
  s.found = window;
  return FALSE;
}

HWND FindTopLevel(DWORD processId, std::function<bool(HWND)> accept) {
  WindowSearch search{processId, std::move(accept)};
  EnumWindows(AcceptWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::vector<MenuEntry> ReadMenu(HMENU menu) {
  std::vector<MenuEntry> entries;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t caption[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
    HMENU sub = GetSubMenu(menu, i);
    entries.push_back({caption, sub ? 0 : GetMenuItemID(menu, i),
                       sub ? ReadMenu(sub) : std::vector<MenuEntry>{}});
  }
  return entries;
}

}  // namespace

std::wstring WindowsPath(const std::string& buildPath) {
  using DosName = wchar_t*(CDECL*)(const char*);
  const auto dosName = test::WineExport<DosName>("wine_get_dos_file_name");
  if (dosName == nullptr || buildPath.empty() || buildPath.front() != '/')
    return std::filesystem::path(buildPath).wstring();
  wchar_t* name = dosName(buildPath.c_str());
  std::wstring path = name;
  HeapFree(GetProcessHeap(), 0, name);
  return path;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
}

EditorProcess::EditorProcess(const std::wstring& exe, const std::filesystem::path& folder,
                             const std::wstring& arguments) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  // Wine now and then fails a start with ERROR_INTERNAL_ERROR: the new process ended before its
  // own start-up was done, before any of our code ran. Such a start is tried again.
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.wstring().c_str(), &startup, &process_))
      return;
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == 3)
      throw std::runtime_error("cannot start the editor: error " + std::to_string(error));
    std::this_thread::sleep_for(500ms);
  }
}

EditorProcess::EditorProcess(DWORD processId) {
  process_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
  process_.dwProcessId = processId;
  if (process_.hProcess == nullptr) throw std::runtime_error("cannot open the editor's process");
}

EditorProcess::~EditorProcess() {
  if (running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND EditorProcess::WaitForMainWindow(const std::wstring& caption) {
  HWND found = nullptr;
  WaitUntil([&] {
    found = FindTopLevel(process_.dwProcessId, [&](HWND window) {
      return IsWindowVisible(window) && ClassName(window) != L"#32770" && Text(window) == caption;
    });
    return found != nullptr;
  });
  return found;
}

HWND EditorProcess::WaitForDialog(std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindTopLevel(process_.dwProcessId, [](HWND window) {
          return IsWindowVisible(window) && ClassName(window) == L"#32770";
        });
        return found != nullptr;
      },
      timeout);
  return found;
}

std::optional<DWORD> EditorProcess::WaitForExit(std::chrono::milliseconds timeout) const {
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

bool EditorProcess::running() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::size_t EditorProcess::PeakMemory() const {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters))
    throw std::runtime_error("cannot read the editor's memory use");
  return counters.PeakPagefileUsage;
}

std::wstring Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &length))
    throw std::runtime_error("window does not answer WM_GETTEXTLENGTH");
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

void SetText(HWND window, const std::wstring& text) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
    throw std::runtime_error("window does not answer WM_SETTEXT");
}

MessageBoxContent ReadMessageBox(HWND box) {
  int defaultButton = 0;
  for (const int id : {IDOK, IDCANCEL, IDYES, IDNO})
    if (HWND button = GetDlgItem(box, id);
        button != nullptr && (GetWindowLongW(button, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON)
      defaultButton = id;
  return {Text(box), Text(GetDlgItem(box, 0xFFFF)), defaultButton};
}

void PressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  if (!WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
    throw std::runtime_error("dialog did not close");
}

std::vector<MenuEntry> MenuOf(const std::wstring& exe) {
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) throw std::runtime_error("cannot read the exe's resources");
  HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(100));
  std::vector<MenuEntry> entries = menu ? ReadMenu(menu) : std::vector<MenuEntry>{};
  if (menu) DestroyMenu(menu);
  FreeLibrary(module);
  return entries;
}

void ChooseMenu(HWND window, const std::wstring& exe, const std::vector<std::wstring>& captions) {
  std::vector<MenuEntry> level = MenuOf(exe);
  UINT id = 0;
  for (const std::wstring& caption : captions) {
    const auto entry = std::find_if(level.begin(), level.end(), [&](const MenuEntry& e) {
      return e.caption == caption || e.caption.starts_with(caption + L"\t");
    });
    if (entry == level.end()) throw std::runtime_error("no such menu item");
    id = entry->id;
    std::vector<MenuEntry> items = entry->items;  // `entry` lives in `level`
    level = std::move(items);
  }
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void PressKey(WORD key, const std::vector<WORD>& held) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD k, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = k;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (const WORD k : held) add(k, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  for (auto k = held.rbegin(); k != held.rend(); ++k) add(*k, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::wstring& text) {
  for (const wchar_t c : text) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
  }
}

void BringToFront(HWND window) {
  SetForegroundWindow(window);
  WaitUntil([&] { return GetForegroundWindow() == window; });
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

void CopyToClipboard(const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) throw std::runtime_error("cannot allocate the clipboard text");
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; })) {
    GlobalFree(memory);
    throw std::runtime_error("cannot open the clipboard");
  }
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;  // the clipboard owns it
  CloseClipboard();
  if (!set) {
    GlobalFree(memory);
    throw std::runtime_error("cannot put text on the clipboard");
  }
}

void DropFiles(HWND window, const std::vector<std::wstring>& paths) {
  std::vector<BYTE> data(sizeof(DROPFILES));
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  std::memcpy(data.data(), &header, sizeof header);
  for (const std::wstring& path : paths) {
    const auto* bytes = reinterpret_cast<const BYTE*>(path.c_str());
    data.insert(data.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
  }
  data.insert(data.end(), sizeof(wchar_t), 0);  // the list ends with an empty name

  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) throw std::runtime_error("cannot open the editor's process");
  void* remote = VirtualAllocEx(process, nullptr, data.size(), MEM_COMMIT, PAGE_READWRITE);
  const bool written =
      remote != nullptr && WriteProcessMemory(process, remote, data.data(), data.size(), nullptr);
  CloseHandle(process);
  if (!written) throw std::runtime_error("cannot write the drop into the editor's process");
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

RECT ChildRect(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Screenshot(HWND window, const std::string& name) {
  const char* folder = std::getenv("TALLYVANE_SCREENSHOTS");
  if (folder == nullptr || *folder == '\0') return;
  // Let the window finish painting.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  std::this_thread::sleep_for(500ms);
  RECT rect{};
  GetWindowRect(window, &rect);
  const std::string geometry = std::to_string(rect.right - rect.left) + "x" +
                               std::to_string(rect.bottom - rect.top) + "+" +
                               std::to_string(rect.left) + "+" + std::to_string(rect.top);
  const std::string picture = std::string(folder) + "/" + name + ".png";
  const std::filesystem::path windowsPicture = WindowsPath(picture);
  std::error_code ignored;
  std::filesystem::remove(windowsPicture, ignored);
  test::StartLinuxProgram(
      std::filesystem::path("/usr/bin/import -window root -crop " + geometry + " " + picture)
          .wstring());
  // Wine does not wait for a Linux program to end: wait for the picture, or the window may be
  // gone before it is taken.
  std::uintmax_t size = 0;
  WaitUntil([&] {
    const std::uintmax_t now = std::filesystem::exists(windowsPicture, ignored)
                                   ? std::filesystem::file_size(windowsPicture, ignored)
                                   : 0;
    const bool settled = now > 0 && now == size;
    size = now;
    return settled;
  });
}

}  // namespace tallyvane::e2e
