// The editor window's grid as it must appear on screen, checked control by control.
#pragma once

#include <windows.h>

namespace tallyvane::e2e {

// Every box and caption label at its twip position and size (the test prefix runs at 96 dpi),
// the 38 label texts, and the client area.
void ExpectEditorGrid(HWND window, int clientHeightTwips, int warningTopTwips);

}  // namespace tallyvane::e2e
