// tallyvane-lite.exe: the simple editor, placed in the game's DATA folder, which loads the
// Length.dat of its current directory at start-up.
#include <windows.h>

#include "lite/start_up.h"
#include "ui/program_entry.h"

namespace {

constexpr tallyvane::VariantSettings kSimpleEditor{
    .caption = "Tallyvane-简易版",
    .clientHeightTwips = 3885,
    .warningTopTwips = 3400,
    .guardMessage = "没有找到通告文件",
    .startUp = tallyvane::LoadFromCurrentFolder,
    .openClick = nullptr,
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return tallyvane::RunEditor(instance, kSimpleEditor);
}
