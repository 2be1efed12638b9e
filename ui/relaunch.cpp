#include "ui/relaunch.h"

#include <string_view>
#include <vector>

#include "platform/utf16.h"
#include "ui/shell_paths.h"
#include "ui/system_functions.h"

namespace tallyvane {
namespace {

constexpr std::wstring_view kHandOverFlag = L"/administrator";
constexpr std::size_t kHandOverArguments = 2 + kFieldCount;  // the flag, the path, the texts
constexpr DWORD kPathCapacity = 32768;                       // the longest path Windows allows

// No argument holds a quote or ends in a backslash, which quotes alone would not carry: a file's
// path has neither, and every text converted to a day count before the write was refused.
std::wstring Quoted(std::wstring_view argument) {
  return L"\"" + std::wstring(argument) + L"\"";
}

}  // namespace

std::optional<HandOver> ReadHandOver(const wchar_t* arguments) {
  if (arguments == nullptr || !std::wstring_view(arguments).starts_with(kHandOverFlag))
    return std::nullopt;
  const std::vector<std::wstring> given = CommandLineArguments(arguments);
  if (given.size() != kHandOverArguments || given[0] != kHandOverFlag) return std::nullopt;
  HandOver handOver;
  handOver.path = platform::Narrow(given[1]);
  for (std::size_t i = 0; i < handOver.texts.size(); ++i)
    handOver.texts[i] = platform::Narrow(given[2 + i]);
  return handOver;
}

bool RelaunchAsAdministrator(HWND owner, const HandOver& handOver) {
  std::wstring exe(kPathCapacity, L'\0');
  exe.resize(GetModuleFileNameW(nullptr, exe.data(), kPathCapacity));
  std::wstring parameters(kHandOverFlag);
  parameters += L" " + Quoted(platform::Widen(handOver.path));
  for (const std::string& text : handOver.texts) parameters += L" " + Quoted(platform::Widen(text));

  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOASYNC;  // the program ends right after
  execute.hwnd = owner;
  execute.lpVerb = L"runas";
  execute.lpFile = exe.c_str();
  execute.lpParameters = parameters.c_str();
  execute.nShow = SW_SHOWNORMAL;
  return system::ShellExecuteExW()(&execute) != FALSE;
}

}  // namespace tallyvane
