// The editor window's grid as it must appear on screen, checked control by control.
#pragma once

#include <windows.h>

namespace tallyvane::e2e {

// Every box and caption label at its twip position and size at `dpi`, the 38 label texts, and
// the client area.
void ExpectEditorGrid(HWND window, int clientHeightTwips, int warningTopTwips, int dpi = 96);

// Every caption, drawn in the message font at `dpi`, fits its label.
void ExpectCaptionsFit(HWND window, int dpi);

}  // namespace tallyvane::e2e
