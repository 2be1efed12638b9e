// The editors at other DPIs, on older Windows (through their test twins), and with a comma as the
// decimal separator, as users' Windows may be set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "tests/e2e/editor_fixture.h"
#include "tests/e2e/expected_layout.h"

namespace tallyvane::e2e {
namespace {

// Sets a value under HKEY_CURRENT_USER for the editors started in the scope, then puts it back.
class UserSettingScope {
 public:
  UserSettingScope(const wchar_t* key, const wchar_t* name, DWORD type, const void* data,
                   DWORD size)
      : key_(key), name_(name) {
    DWORD oldSize = sizeof old_;
    had_ = RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &oldType_, old_, &oldSize) ==
           ERROR_SUCCESS;
    oldSize_ = oldSize;
    RegSetKeyValueW(HKEY_CURRENT_USER, key, name, type, data, size);
  }
  UserSettingScope(const UserSettingScope&) = delete;
  UserSettingScope& operator=(const UserSettingScope&) = delete;
  ~UserSettingScope() {
    if (had_)
      RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, oldType_, old_, oldSize_);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, name_);
  }

 private:
  const wchar_t* key_;
  const wchar_t* name_;
  bool had_ = false;
  DWORD oldType_ = 0, oldSize_ = 0;
  BYTE old_[256] = {};
};

// Sets an environment variable for the editors started in the scope, then removes it.
class EnvironmentScope {
 public:
  EnvironmentScope(const wchar_t* name, const wchar_t* value) : name_(name) {
    SetEnvironmentVariableW(name, value);
  }
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;
  ~EnvironmentScope() { SetEnvironmentVariableW(name_, nullptr); }

 private:
  const wchar_t* name_;
};

// The widest row of the icon's red band in the window's title bar, in pixels, read off the
// screen.
int WidestIconBand(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  POINT client{0, 0};
  ClientToScreen(window, &client);
  const int width = client.x - frame.left + 100, height = client.y - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  const auto about = [](std::uint32_t value, std::uint32_t wanted) {
    return value > wanted ? value - wanted <= 24 : wanted - value <= 24;
  };
  int widest = 0;
  for (int y = 0; y < height; ++y) {
    int run = 0;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[y * width + x];  // 0x00RRGGBB
      const bool red =
          about((p >> 16) & 0xFF, 216) && about((p >> 8) & 0xFF, 67) && about(p & 0xFF, 21);
      run = red ? run + 1 : 0;
      widest = std::max(widest, run);
    }
  }
  SelectObject(memory, previous);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return widest;
}

struct DpiCase {
  const EditorKind* kind;
  int dpi;
  const wchar_t* windows = L"";  // the older Windows a twin pretends to run on
};

std::string Name(const DpiCase& c) {
  std::string windows;
  for (const wchar_t* w = c.windows; *w != L'\0'; ++w) windows += static_cast<char>(*w);
  return std::string(c.kind->name) + windows + "_" + std::to_string(c.dpi);
}

void PrintTo(const DpiCase& c, std::ostream* os) {
  *os << Name(c);
}

class DpiTest : public EditorFixture, public testing::WithParamInterface<DpiCase> {
 protected:
  DpiTest() : EditorFixture(*GetParam().kind) {}
};

TEST_P(DpiTest, LayoutScalesByTheDpiEveryCaptionFitsAndASaveWorks) {
  const DWORD dpi = static_cast<DWORD>(GetParam().dpi);
  const UserSettingScope setting(L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                                 sizeof dpi);
  const EnvironmentScope windows(L"TALLYVANE_PRETEND_WINDOWS",
                                 *GetParam().windows != L'\0' ? GetParam().windows : nullptr);
  const auto original = test::SampleDaysTable();
  test::WriteBytes(file(), original);
  StartAndLoad(folder.path());
  const bool full = kind.hasOpenCommand;
  ExpectEditorGrid(window, full ? 3930 : 3885, full ? 3480 : 3400, GetParam().dpi);
  ExpectCaptionsFit(window, GetParam().dpi);
  // Another process cannot ask for the window's icons under Wine, but can see the small one drawn
  // in the title bar, at the size for this DPI.
  const int iconSize = MulDiv(16, GetParam().dpi, 96);
  const int band = WidestIconBand(window);
  EXPECT_GE(band, iconSize * 6 / 10) << "the title bar shows the icon at " << iconSize << " px";
  EXPECT_LE(band, iconSize) << "the title bar shows the icon at " << iconSize << " px";
  Screenshot(window, std::string(full ? "tallyvane" : "tallyvane-lite") + "-" + Name(GetParam()));

  SetText(Box(22), L"5");
  EXPECT_EQ(Save().text, L"保存成功");
  auto expected = original;
  expected[800] = 5;
  test::CopyHostingGroup(expected);
  EXPECT_EQ(test::ReadBytes(file()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dpis, DpiTest,
    testing::Values(
        DpiCase{&kFullEditor, 96}, DpiCase{&kFullEditor, 144}, DpiCase{&kFullEditor, 192},
        DpiCase{&kLiteEditor, 96}, DpiCase{&kLiteEditor, 144}, DpiCase{&kLiteEditor, 192},
        // Windows 7: system DPI, SystemParametersInfoW, AdjustWindowRectEx.
        DpiCase{&kFullEditorOldWindows, 96, L"0601"}, DpiCase{&kFullEditorOldWindows, 144, L"0601"},
        DpiCase{&kLiteEditorOldWindows, 96, L"0601"}, DpiCase{&kLiteEditorOldWindows, 144, L"0601"},
        // Windows 8.1: the monitor's DPI from shcore.
        DpiCase{&kLiteEditorOldWindows, 144, L"0603"}),
    [](const testing::TestParamInfo<DpiCase>& c) { return Name(c.param); });

class BrokenSystemTest : public EditorFixture {
 protected:
  BrokenSystemTest() : EditorFixture(kFullEditorOldWindows) {}
};

// Pretending a Windows older than 7 stands for a broken one, which lacks even comdlg32's dialog.
TEST_F(BrokenSystemTest, AMissingSystemFunctionIsReportedBeforeTheProgramEnds) {
  const EnvironmentScope windows(L"TALLYVANE_PRETEND_WINDOWS", L"0600");
  Start();
  Choose({L"文件", L"打开"});
  const auto box = AnswerMessageBox();
  EXPECT_EQ(box.title, L"错误");
  EXPECT_EQ(box.text,
            L"程序遇到无法处理的错误，即将退出。\n意外错误：系统缺少 comdlg32.dll 中的 "
            L"GetOpenFileNameW。");
  EXPECT_EQ(editor->WaitForExit(), std::optional<DWORD>(1));
}

class CommaLocaleTest : public EditorFixture {
 protected:
  CommaLocaleTest() : EditorFixture(kLiteEditor) {}
};

TEST_F(CommaLocaleTest, TakesTheCommaAsDecimalSeparatorAndRefusesTheFullStop) {
  const wchar_t comma[] = L",";
  const UserSettingScope setting(L"Control Panel\\International", L"sDecimal", REG_SZ, comma,
                                 sizeof comma);
  test::WriteBytes(file(), test::SampleDaysTable());
  StartAndLoad(folder.path());

  SetText(Box(5), L"12,5");
  EXPECT_EQ(Save().text, L"保存成功");
  EXPECT_EQ(test::ReadBytes(file())[188], 12);

  SetText(Box(5), L"12.5");
  EXPECT_EQ(Save().text, L"「单元剧·男主角」必须是 0 到 255 之间的整数，当前内容为“12.5”。");
  EXPECT_EQ(test::ReadBytes(file())[188], 12);
}

}  // namespace
}  // namespace tallyvane::e2e
