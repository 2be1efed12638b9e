// tallyvane.exe: the full editor, which loads Length.dat from the folder the user opens.
#include <windows.h>

#include "full/open_command.h"
#include "ui/program_entry.h"

namespace {

constexpr tallyvane::VariantSettings kFullEditor{
    .caption = "Tallyvane",
    .clientHeightTwips = 3930,
    .warningTopTwips = 3480,
    .guardMessage = "没有打开任何通告文件",
    .startUp = nullptr,
    .openClick = tallyvane::open_Click,
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return tallyvane::RunEditor(instance, kFullEditor);
}
