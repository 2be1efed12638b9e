// Starting the editor again as administrator, where Windows lets only such programs write: the new
// process is handed the file and the boxes' texts on its command line (no file, no registry).
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "core/field_map.h"

namespace tallyvane {

struct HandOver {
  std::string path;                            // the file the last load read
  std::array<std::string, kFieldCount> texts;  // the boxes as typed, not yet saved
};

// The hand-over on this command line (the part after the program's name), if the program was
// started again with one; shell32 is loaded only then.
std::optional<HandOver> ReadHandOver(const wchar_t* arguments);

// Starts this program again through Windows' elevation prompt, with `handOver`. False where the
// user declined the prompt or it failed.
bool RelaunchAsAdministrator(HWND owner, const HandOver& handOver);

}  // namespace tallyvane
