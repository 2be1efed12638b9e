// The full editor's "打开": choose the folder that holds Length.dat, then load it.
#pragma once

#include <string>

#include "ui/editor_window.h"

namespace tallyvane {

void open_Click(EditorWindow& window);

// What confirming a file in the dialog does, for a path named otherwise (command line, drop): its
// folder (the path itself, if a folder) becomes the current directory, and its Length.dat is
// loaded; after a failed load the current directory is as it was.
void OpenPath(EditorWindow& window, const std::string& path);

}  // namespace tallyvane
