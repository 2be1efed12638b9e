// What distinguishes the two editors; everything else about the window is shared.
#pragma once

#include <string>

namespace tallyvane {

class EditorWindow;

struct WindowGeometry {
  int clientHeightTwips;  // the width is the same for both
  int warningTopTwips;    // top of the backup warning
};

struct VariantSettings {
  const char* caption;  // window title
  WindowGeometry geometry;
  const char* guardMessage;  // shown by a save before anything was loaded
  // Runs after InitEditorState, before the window is first shown; may be null.
  void (*startUp)(EditorWindow& window) = nullptr;
  // The "打开" menu command; null where the menu has none.
  void (*openClick)(EditorWindow& window) = nullptr;
  // Opens a file or folder named on the command line or dropped on the window, as "打开" would;
  // null where the editor takes neither.
  void (*openPath)(EditorWindow& window, const std::string& path) = nullptr;
};

// Defined by each editor (full/, lite/); the shared program entry runs the window with it.
extern const VariantSettings kVariantSettings;

}  // namespace tallyvane
