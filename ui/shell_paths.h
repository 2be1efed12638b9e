// The paths the shell hands the program: on its command line ("Open with", a file dragged onto the
// exe) and in a drop on its window.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace tallyvane {

// The arguments after the program's name, split as Windows splits them. `arguments` is that part
// of the command line (wWinMain's); without any, shell32 is not even loaded.
std::vector<std::wstring> CommandLineArguments(const wchar_t* arguments);

// Those arguments as paths.
std::vector<std::string> CommandLinePaths(const wchar_t* arguments);

// The paths of a drop, in the order given; the drop is finished.
std::vector<std::string> DroppedPaths(HDROP drop);

}  // namespace tallyvane
