#include "tests/e2e/expected_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/automation.h"
#include "ui/resource_ids.h"

namespace tallyvane::e2e {
namespace {

struct Placed {
  int number;
  const wchar_t* caption;
  int left, top;
};

// Row captions at left 120, box captions at 840/2040/3240/4440; label tops per row.
constexpr Placed kLabels[] = {
    {1, L"连续剧", 120, 120},    {2, L"男主角", 840, 120},    {3, L"女主角", 2040, 120},
    {4, L"男配角", 3240, 120},   {5, L"女配角", 4440, 120},   {7, L"单元剧", 120, 525},
    {6, L"男主角", 840, 525},    {8, L"女主角", 2040, 525},   {9, L"男配角", 3240, 525},
    {10, L"女配角", 4440, 525},  {12, L"短片", 120, 885},     {11, L"男主角", 840, 885},
    {13, L"女主角", 2040, 885},  {14, L"男配角", 3240, 885},  {15, L"女配角", 4440, 885},
    {17, L"电影", 120, 1245},    {16, L"男主角", 840, 1245},  {18, L"女主角", 2040, 1245},
    {19, L"男配角", 3240, 1245}, {20, L"女配角", 4440, 1245}, {22, L"唱片", 120, 1605},
    {21, L"个人", 840, 1605},    {23, L"团体", 2040, 1605},   {24, L"原声带", 3240, 1605},
    {26, L"广告", 120, 1965},    {25, L"男艺人", 840, 1965},  {27, L"女艺人", 2040, 1965},
    {29, L"主持", 120, 2325},    {28, L"主持人", 840, 2325},  {30, L"助理", 2040, 2325},
    {31, L"外景", 3240, 2325},   {33, L"舞台剧", 120, 2685},  {32, L"男艺人", 840, 2685},
    {34, L"女艺人", 2040, 2685}, {36, L"时装秀", 120, 3045},  {35, L"男艺人", 840, 3045},
    {37, L"女艺人", 2040, 3045},
};

// Boxes stand at 1440/2640/3840/5040; box tops per row.
constexpr Placed kBoxes[] = {
    {1, L"", 1440, 80},    {2, L"", 2640, 80},    {3, L"", 3840, 80},    {4, L"", 5040, 80},
    {5, L"", 1440, 480},   {6, L"", 2640, 480},   {7, L"", 3840, 480},   {8, L"", 5040, 480},
    {9, L"", 1440, 840},   {10, L"", 2640, 840},  {11, L"", 3840, 840},  {12, L"", 5040, 840},
    {13, L"", 1440, 1200}, {14, L"", 2640, 1200}, {15, L"", 3840, 1200}, {16, L"", 5040, 1200},
    {17, L"", 1440, 1560}, {18, L"", 2640, 1560}, {19, L"", 3840, 1560}, {20, L"", 1440, 1920},
    {21, L"", 2640, 1920}, {22, L"", 1440, 2280}, {23, L"", 2640, 2280}, {24, L"", 3840, 2280},
    {25, L"", 1440, 2640}, {26, L"", 2640, 2640}, {27, L"", 1440, 3000}, {28, L"", 2640, 3000},
};

int Px(int twips, int dpi) {
  return (twips * dpi + 720) / 1440;
}

void ExpectPlaced(HWND control, int dpi, int left, int top, int width, int height) {
  ASSERT_NE(control, nullptr);
  const RECT r = ChildRect(control);
  EXPECT_EQ(r.left, Px(left, dpi));
  EXPECT_EQ(r.top, Px(top, dpi));
  EXPECT_EQ(r.right - r.left, Px(width, dpi));
  EXPECT_EQ(r.bottom - r.top, Px(height, dpi));
}

}  // namespace

void ExpectEditorGrid(HWND window, int clientHeightTwips, int warningTopTwips, int dpi) {
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, Px(5700, dpi));
  EXPECT_EQ(client.bottom, Px(clientHeightTwips, dpi));
  for (const Placed& label : kLabels) {
    SCOPED_TRACE(label.number);
    HWND control = GetDlgItem(window, IDC_LABEL_BASE + label.number);
    ExpectPlaced(control, dpi, label.left, label.top, 735, 255);
    EXPECT_EQ(Text(control), label.caption);
  }
  for (const Placed& box : kBoxes) {
    SCOPED_TRACE(box.number);
    ExpectPlaced(GetDlgItem(window, IDC_TEXT_BASE + box.number), dpi, box.left, box.top, 495, 300);
  }
  HWND warning = GetDlgItem(window, IDC_LABEL_BASE + 38);
  ExpectPlaced(warning, dpi, 120, warningTopTwips, 5655, 375);
  EXPECT_EQ(Text(warning), L"请注意自行备份原始 Length.dat 文件，本程序不具备自动备份功能");
}

void ExpectCaptionsFit(HWND window, int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0,
                                         static_cast<UINT>(dpi)));
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  for (const Placed& label : kLabels) {
    const std::wstring caption = Text(GetDlgItem(window, IDC_LABEL_BASE + label.number));
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    EXPECT_LE(extent.cx, Px(735, dpi))
        << "Label" << label.number << " is clipped at " << dpi << " dpi";
    EXPECT_LE(extent.cy, Px(255, dpi))
        << "Label" << label.number << " is clipped at " << dpi << " dpi";
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(font);
}

}  // namespace tallyvane::e2e
