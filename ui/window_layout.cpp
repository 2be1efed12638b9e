#include "ui/window_layout.h"

#include <array>

#include "core/field_map.h"

namespace tallyvane {
namespace {

constexpr int kBoxWidth = 495, kBoxHeight = 300;
constexpr int kLabelWidth = 735, kLabelHeight = 255;
constexpr int kRowCaptionLeft = 120;
constexpr std::array kBoxCaptionLefts = {840, 2040, 3240, 4440};
constexpr int kBoxOffsetFromCaption = 600;  // each box stands 600 twips right of its caption
constexpr TwipRect kWarning = {120, 0, 5655, 375};
constexpr int kWarningLabel = 38;

struct GridRow {
  int boxTop;
  int labelTop;
  int rowLabel;                  // Label<n> holding the row caption
  std::array<int, 4> boxLabels;  // Label<n> of each box caption, 0 where the row ends
  int firstField;
};

constexpr std::array<GridRow, 9> kGrid{{
    {80, 120, 1, {2, 3, 4, 5}, 1},
    {480, 525, 7, {6, 8, 9, 10}, 5},
    {840, 885, 12, {11, 13, 14, 15}, 9},
    {1200, 1245, 17, {16, 18, 19, 20}, 13},
    {1560, 1605, 22, {21, 23, 24, 0}, 17},
    {1920, 1965, 26, {25, 27, 0, 0}, 20},
    {2280, 2325, 29, {28, 30, 31, 0}, 22},
    {2640, 2685, 33, {32, 34, 0, 0}, 25},
    {3000, 3045, 36, {35, 37, 0, 0}, 27},
}};

}  // namespace

std::vector<ControlSpec> EditorLayout(int warningTopTwips) {
  std::vector<ControlSpec> boxes, labels;
  for (const GridRow& row : kGrid) {
    const FieldInfo& first = FieldAt(row.firstField);
    labels.push_back({ControlKind::Label,
                      row.rowLabel,
                      first.rowCaption,
                      {kRowCaptionLeft, row.labelTop, kLabelWidth, kLabelHeight}});
    for (std::size_t column = 0; column < row.boxLabels.size() && row.boxLabels[column] != 0;
         ++column) {
      const int field = row.firstField + static_cast<int>(column);
      const int captionLeft = kBoxCaptionLefts[column];
      labels.push_back({ControlKind::Label,
                        row.boxLabels[column],
                        FieldAt(field).boxCaption,
                        {captionLeft, row.labelTop, kLabelWidth, kLabelHeight}});
      boxes.push_back({ControlKind::TextBox,
                       field,
                       {},
                       {captionLeft + kBoxOffsetFromCaption, row.boxTop, kBoxWidth, kBoxHeight}});
    }
  }
  TwipRect warning = kWarning;
  warning.top = warningTopTwips;
  labels.push_back({ControlKind::Label, kWarningLabel, kBackupWarning, warning});
  boxes.insert(boxes.end(), labels.begin(), labels.end());
  return boxes;
}

int TwipsToPixels(int twips, int dpi) {
  return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

}  // namespace tallyvane
