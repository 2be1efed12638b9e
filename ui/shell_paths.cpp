#include "ui/shell_paths.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "platform/utf16.h"
#include "ui/system_functions.h"

namespace tallyvane {
namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* memory) const { LocalFree(memory); }
};

// A quoted folder with a trailing backslash ("C:\DATA\") comes out of the split with that
// backslash taken as escaping the closing quote: C:\DATA". No path holds a quote: the backslash
// is put back.
std::string Unquoted(std::wstring argument) {
  if (argument.ends_with(L'"')) argument.back() = L'\\';
  return platform::Narrow(argument);
}

}  // namespace

std::vector<std::wstring> CommandLineArguments(const wchar_t* arguments) {
  if (arguments == nullptr ||
      std::wstring_view(arguments).find_first_not_of(L" \t") == std::wstring_view::npos)
    return {};
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(
      system::CommandLineToArgvW()(GetCommandLineW(), &count));
  if (argv == nullptr) return {};
  return std::vector<std::wstring>(argv.get() + std::min(count, 1), argv.get() + count);
}

std::vector<std::string> CommandLinePaths(const wchar_t* arguments) {
  std::vector<std::string> paths;
  for (std::wstring& argument : CommandLineArguments(arguments))
    paths.push_back(Unquoted(std::move(argument)));
  return paths;
}

std::vector<std::string> DroppedPaths(HDROP drop) {
  const auto query = system::DragQueryFileW();
  std::vector<std::string> paths;
  const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(query(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(platform::Narrow(path));
  }
  system::DragFinish()(drop);
  return paths;
}

}  // namespace tallyvane
