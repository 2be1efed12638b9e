// Where every label and box of the editor window stands, in twips (1/1440 inch).
#pragma once

#include <string_view>
#include <vector>

namespace tallyvane {

inline constexpr int kClientWidthTwips = 5700;
inline constexpr int kTwipsPerInch = 1440;

struct TwipRect {
  int left, top, width, height;
  bool operator==(const TwipRect&) const = default;
};

enum class ControlKind { Label, TextBox };

struct ControlSpec {
  ControlKind kind;
  int number;  // Label<number> or Text<number>
  std::string_view caption;
  TwipRect rect;
};

inline constexpr std::string_view kBackupWarning =
    "请注意自行备份原始 Length.dat 文件，本程序不具备自动备份功能";

// The 28 boxes in field order (which is also their keyboard order), then the 38 labels. Boxes come
// first so that they lie above the box captions that reach into them.
std::vector<ControlSpec> EditorLayout(int warningTopTwips);

// Twips to pixels at `dpi`, rounded to nearest.
int TwipsToPixels(int twips, int dpi);

}  // namespace tallyvane
