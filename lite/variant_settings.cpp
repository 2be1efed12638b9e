// tallyvane-lite.exe: the simple editor, placed in the game's DATA folder, which loads the
// Length.dat of its current directory at start-up.
#include "lite/start_up.h"
#include "ui/variant.h"

const tallyvane::VariantSettings tallyvane::kVariantSettings{
    .caption = "Tallyvane-简易版",
    .geometry = {.clientHeightTwips = 3885, .warningTopTwips = 3400},
    .guardMessage = "没有找到通告文件",
    .startUp = LoadFromCurrentFolder,
};
