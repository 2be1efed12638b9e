#include "lite/start_up.h"

#include "platform/file_system.h"

namespace tallyvane {

void LoadFromCurrentFolder(EditorWindow& window) {
  // Hidden and system files and folders count as absent; the program then stays unloaded.
  if (!platform::IsPlainFilePresent(window.engine().state().fileName)) {
    window.ShowMessage("此程序必须放于游戏安装目录内DATA文件夹下", "警告");
    return;
  }
  window.engine().LoadDaysTable();
}

}  // namespace tallyvane
