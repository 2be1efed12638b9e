// The full editor's "打开": choose the folder that holds Length.dat, then load it.
#pragma once

#include "ui/editor_window.h"

namespace tallyvane {

void open_Click(EditorWindow& window);

}  // namespace tallyvane
