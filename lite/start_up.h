// The simple editor's start-up: load Length.dat from the current directory, or say the program
// is in the wrong place.
#pragma once

#include "ui/editor_window.h"

namespace tallyvane {

void LoadFromCurrentFolder(EditorWindow& window);

}  // namespace tallyvane
