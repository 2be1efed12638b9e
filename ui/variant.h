// What distinguishes the two editors; everything else about the window is shared.
#pragma once

namespace tallyvane {

class EditorWindow;

struct VariantSettings {
  const char* caption;       // window title
  int clientHeightTwips;     // the width is the same for both
  int warningTopTwips;       // top of the backup warning
  const char* guardMessage;  // shown by a save before anything was loaded
  // Runs after InitEditorState, before the window is first shown.
  void (*startUp)(EditorWindow& window);
  // The "打开" menu command; null where the menu has none.
  void (*openClick)(EditorWindow& window);
};

}  // namespace tallyvane
