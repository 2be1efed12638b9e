#include "full/open_command.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/utf16.h"
#include "ui/system_functions.h"

namespace tallyvane {
namespace {

constexpr wchar_t kFilter[] = L"Length.dat(*.DAT)\0*.dat\0";
constexpr wchar_t kTitle[] = L"打开通告文件";
// Only the name is preset, every time: the dialog starts in the current folder, which after a load
// is that file's folder.
constexpr wchar_t kPresetName[] = L"Length.dat";
constexpr DWORD kPathCapacity = 32768;  // the longest path Windows allows

}  // namespace

void open_Click(EditorWindow& window) {
  std::vector<wchar_t> file(kPathCapacity, L'\0');
  std::wstring(kPresetName).copy(file.data(), kPathCapacity - 1);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window.handle();
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kPathCapacity;
  dialog.lpstrTitle = kTitle;
  // The dialog leaves the current directory alone; a confirmed choice sets it below.
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;

  // The dialog's DLL is loaded on the first "打开", not at every start.
  if (system::GetOpenFileNameW()(&dialog)) return OpenPath(window, platform::Narrow(file.data()));
  if (const DWORD code = system::CommDlgExtendedError()(); code != 0) {
    window.ShowMessage("无法显示“打开通告文件”对话框（错误代码 " + std::to_string(code) + "）。",
                       kErrorTitle);
    return;
  }
  // Cancelled: load the current folder's Length.dat, and where there is none, do nothing at all.
  try {
    window.engine().LoadDaysTable();
  } catch (const RunTimeError& error) {
    if (error.kind() != ErrorKind::FileNotFound) throw;
  }
}

void OpenPath(EditorWindow& window, const std::string& path) {
  std::string folder;
  try {
    folder = platform::FolderFor(path);
  } catch (const platform::FileError& error) {
    window.ShowMessage(error.fault() == platform::FileFault::NotFound
                           ? "找不到这个文件或文件夹：\n" + path
                           : "无法打开：" + path + "\n" + error.reason(),
                       kErrorTitle);
    return;
  }
  const std::string previous = platform::CurrentDirectory();
  try {
    platform::ChangeDirectory(folder);
  } catch (const platform::FileError& error) {
    window.ShowMessage("无法进入文件夹：" + error.path() + "\n" + error.reason(), kErrorTitle);
    return;
  }
  try {
    window.engine().LoadDaysTable();
  } catch (const RunTimeError&) {
    // A failed open changes nothing, the folder the next "打开" starts in included.
    platform::ChangeDirectory(previous);
    throw;
  }
}

}  // namespace tallyvane
