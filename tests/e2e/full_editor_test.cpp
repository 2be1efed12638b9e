// The full editor, tallyvane.exe, driven under Wine like a user would.
#include <gtest/gtest.h>

#include "platform/unique_handle.h"
#include "tests/e2e/editor_fixture.h"

namespace tallyvane::e2e {
namespace {

using test::ReadBytes;
using test::WriteBytes;

constexpr int kTwipsPerPixel = 15;  // the test prefix runs at 96 dpi

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

int Px(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

void ExpectPlaced(HWND control, int left, int top, int width, int height) {
  ASSERT_NE(control, nullptr);
  const RECT r = ChildRect(control);
  EXPECT_EQ(r.left, Px(left));
  EXPECT_EQ(r.top, Px(top));
  EXPECT_EQ(r.right - r.left, Px(width));
  EXPECT_EQ(r.bottom - r.top, Px(height));
}

class FullEditorTest : public EditorFixture {
 protected:
  FullEditorTest() : EditorFixture(TALLYVANE_FULL_EXE, L"Tallyvane") {}

  // "文件 → 打开", then types `path` into the dialog's file name and confirms, or cancels.
  void OpenThroughDialog(const std::optional<fs::path>& path) {
    Choose({L"文件", L"打开"});
    HWND dialog = editor->WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog), L"打开通告文件");
    if (!path) return PressButton(dialog, IDCANCEL);
    HWND name = GetDlgItem(dialog, 0x47C);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(name) != FALSE; }));
    SetText(name, path->wstring());
    PressButton(dialog, IDOK);
  }

  void WaitForBox(int field, const std::wstring& text) {
    EXPECT_TRUE(WaitUntil([&] { return Text(Box(field)) == text; })) << "Text" << field;
  }
};

TEST_F(FullEditorTest, WindowLayoutMatchesTheTwipGrid) {
  Start();
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, Px(5700));
  EXPECT_EQ(client.bottom, Px(3930));
  for (const Placed& label : kLabels) {
    SCOPED_TRACE(label.number);
    ExpectPlaced(Label(label.number), label.left, label.top, 735, 255);
    EXPECT_EQ(Text(Label(label.number)), label.caption);
  }
  for (const Placed& box : kBoxes) {
    SCOPED_TRACE(box.number);
    ExpectPlaced(Box(box.number), box.left, box.top, 495, 300);
  }
  ExpectPlaced(Label(38), 120, 3480, 5655, 375);
  EXPECT_EQ(Text(Label(38)), L"请注意自行备份原始 Length.dat 文件，本程序不具备自动备份功能");
}

TEST_F(FullEditorTest, MenuHoldsFileWithOpenAndSaveThenExit) {
  const auto menu = MenuOf(exe);
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].caption, L"文件");
  ASSERT_EQ(menu[0].items.size(), 2u);
  EXPECT_EQ(menu[0].items[0].caption, L"打开");
  EXPECT_EQ(menu[0].items[1].caption, L"保存");
  EXPECT_EQ(menu[1].caption, L"退出");
  EXPECT_TRUE(menu[1].items.empty());
}

TEST_F(FullEditorTest, StartsEmptyWithFocusInTheFirstBoxAndTabCyclesTheBoxes) {
  Start();
  EXPECT_EQ(BoxTexts(), std::vector<std::wstring>(28));
  BringToFront(window);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == Box(1); }));
  for (int field = 2; field <= 29; ++field) {
    PressKey(VK_TAB);
    const int expected = field == 29 ? 1 : field;
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == Box(expected); })) << "Text" << expected;
  }
  PressKey(VK_TAB, true);
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == Box(28); })) << "Shift+Tab wraps back";
}

TEST_F(FullEditorTest, SaveBeforeOpeningRefusesAndCreatesNoFile) {
  Start();
  Choose({L"文件", L"保存"});
  const auto box = AnswerMessageBox();
  EXPECT_EQ(box.title, L"错误");
  EXPECT_EQ(box.text, L"没有打开任何通告文件");
  EXPECT_FALSE(fs::exists(file()));
  EXPECT_TRUE(editor->running());
}

TEST_F(FullEditorTest, OpenLoadsTheLengthDatOfTheChosenFolder) {
  test::TempFolder game(" 游戏 DATA");
  auto bytes = test::SampleDaysTable();
  bytes[44] = 0;
  bytes[1448] = 255;
  WriteBytes(game / "Length.dat", bytes);
  WriteBytes(game / "Other.dat", {1, 2, 3});
  Start();

  OpenThroughDialog(game / "Length.dat");
  WaitForBox(1, L"0");
  WaitForBox(28, L"255");
  EXPECT_EQ(Text(Box(22)), std::to_wstring(bytes[800]));

  // Choosing another file of that folder loads its Length.dat again, replacing edits.
  SetText(Box(1), L"99");
  bytes[44] = 7;
  WriteBytes(game / "Length.dat", bytes);
  OpenThroughDialog(game / "Other.dat");
  WaitForBox(1, L"7");
  EXPECT_TRUE(NoDialogAppears());
}

TEST_F(FullEditorTest, CancelLoadsTheCurrentFolderOrDoesNothing) {
  Start();
  OpenThroughDialog(std::nullopt);
  EXPECT_TRUE(NoDialogAppears()) << "no message after a cancel in a folder without Length.dat";
  EXPECT_EQ(BoxTexts(), std::vector<std::wstring>(28));

  WriteBytes(file(), test::SampleDaysTable());
  OpenThroughDialog(std::nullopt);
  WaitForBox(5, std::to_wstring(test::SampleDaysTable()[188]));
  EXPECT_TRUE(editor->running());
}

TEST_F(FullEditorTest, SavedHostValueLandsInAllFiveHostingRecords) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  Start();
  OpenThroughDialog(file());
  WaitForBox(22, std::to_wstring(original[800]));
  Screenshot(window, "tallyvane");

  SetText(Box(22), L"5");
  Choose({L"文件", L"保存"});
  const auto box = AnswerMessageBox();
  EXPECT_EQ(box.title, L"成功");
  EXPECT_EQ(box.text, L"保存成功");

  auto expected = original;
  for (std::size_t record = 21; record <= 35; ++record)
    expected[44 + 36 * record] = record % 3 == 0 ? 5 : original[44 + 36 * (21 + (record - 21) % 3)];
  EXPECT_EQ(ReadBytes(file()), expected);
}

struct BadEdit {
  int field;
  const wchar_t* text;
  const wchar_t* message;
};

void PrintTo(const BadEdit& edit, std::ostream* os) {
  *os << "Text" << edit.field;
}

class FullEditorBadTextTest : public FullEditorTest, public testing::WithParamInterface<BadEdit> {};

TEST_P(FullEditorBadTextTest, NamesTheFieldFocusesItAndChangesNothing) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  Start();
  OpenThroughDialog(file());
  WaitForBox(1, std::to_wstring(original[44]));
  SetText(Box(2), L"12");
  SetText(Box(GetParam().field), GetParam().text);
  const auto edits = BoxTexts();

  Choose({L"文件", L"保存"});
  const auto box = AnswerMessageBox();
  EXPECT_EQ(box.title, L"错误");
  EXPECT_EQ(box.text, GetParam().message);
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == Box(GetParam().field); }));
  EXPECT_EQ(ReadBytes(file()), original);
  EXPECT_EQ(BoxTexts(), edits);
  EXPECT_TRUE(editor->running());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FullEditorBadTextTest,
    testing::Values(
        BadEdit{7, L"300", L"「单元剧·男配角」必须是 0 到 255 之间的整数，当前内容为“300”。"},
        BadEdit{15, L"abc", L"「电影·男配角」必须是 0 到 255 之间的整数，当前内容为“abc”。"},
        BadEdit{28, L"", L"「时装秀·女艺人」必须是 0 到 255 之间的整数，当前内容为“”。"}));

TEST_F(FullEditorTest, ShortFileIsRefusedWholeAndTheProgramRunsOn) {
  WriteBytes(file(), test::SampleDaysTable(1448));
  Start();
  OpenThroughDialog(std::nullopt);
  const auto box = AnswerMessageBox();
  EXPECT_EQ(box.title, L"错误");
  EXPECT_EQ(box.text,
            L"通告文件长度不足：" + Path(file()) + L"\n至少需要 1449 字节，实际只有 1448 字节。");
  EXPECT_EQ(BoxTexts(), std::vector<std::wstring>(28));
  EXPECT_TRUE(editor->running());
}

TEST_F(FullEditorTest, UnwritableFileLoadsAndSaveSaysItWasNotChanged) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  test::UnwritableScope unwritable(file());
  ASSERT_FALSE(test::IsWritable(file())) << "this environment cannot make a file unwritable";
  Start();
  OpenThroughDialog(file());
  WaitForBox(3, std::to_wstring(original[116]));
  SetText(Box(3), L"40");

  Choose({L"文件", L"保存"});
  const auto box = AnswerMessageBox();
  EXPECT_EQ(box.title, L"错误");
  EXPECT_EQ(box.text.rfind(L"无法写入通告文件：" + Path(file()) + L"\n", 0), 0u) << box.text;
  EXPECT_TRUE(box.text.ends_with(L"\n文件未被修改。")) << box.text;
  EXPECT_EQ(ReadBytes(file()), original);
  EXPECT_EQ(Text(Box(3)), L"40");
}

TEST_F(FullEditorTest, FileHeldByTheGameLoadsAndSaveIsRefused) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  const platform::UniqueHandle held(CreateFileW(file().wstring().c_str(),
                                                GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held.valid());
  Start();
  OpenThroughDialog(file());
  WaitForBox(9, std::to_wstring(original[332]));

  Choose({L"文件", L"保存"});
  const auto box = AnswerMessageBox();
  EXPECT_EQ(box.text.rfind(L"无法写入通告文件：" + Path(file()), 0), 0u) << box.text;
  EXPECT_EQ(ReadBytes(file()), original);
  EXPECT_TRUE(editor->running());
}

TEST_F(FullEditorTest, ExitAndTheCloseBoxEndAtOnceWithoutWriting) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "退出");
    Start();
    OpenThroughDialog(file());
    WaitForBox(1, std::to_wstring(original[44]));
    BringToFront(window);
    TypeText(L"1");
    EXPECT_TRUE(
        WaitUntil([&] { return Text(Box(1)).size() > std::to_wstring(original[44]).size(); }));
    if (closeBox)
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
      Choose({L"退出"});
    EXPECT_EQ(editor->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(ReadBytes(file()), original);
  }
}

}  // namespace
}  // namespace tallyvane::e2e
