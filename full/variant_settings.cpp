// tallyvane.exe: the full editor, which loads Length.dat from the folder the user opens.
#include "full/open_command.h"
#include "ui/variant.h"

const tallyvane::VariantSettings tallyvane::kVariantSettings{
    .caption = "Tallyvane",
    .geometry = {.clientHeightTwips = 3930, .warningTopTwips = 3480},
    .guardMessage = "没有打开任何通告文件",
    .openClick = open_Click,
    .openPath = OpenPath,
};
