// The full editor, tallyvane.exe, driven under Wine like a user would.
#include <gtest/gtest.h>

#include "tests/e2e/editor_fixture.h"
#include "tests/e2e/expected_layout.h"

namespace tallyvane::e2e {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class FullEditorTest : public EditorFixture {
 protected:
  FullEditorTest() : EditorFixture(kFullEditor) {}
};

TEST_F(FullEditorTest, WindowLayoutMatchesTheTwipGrid) {
  Start();
  ExpectEditorGrid(window, 3930, 3480);
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
  PressKey(VK_TAB, {VK_SHIFT});
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
  DWORD_PTR selection = 0;
  SendMessageTimeoutW(Box(GetParam().field), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection);
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), std::wstring(GetParam().text).size()) << "the text is selected";
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

TEST_F(FullEditorTest, ABoxTakes255CharactersAndAMessageQuotesTheFirst32) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  Start();
  OpenThroughDialog(file());
  WaitForBox(1, std::to_wstring(original[44]));
  SetText(Box(1), L"");
  CopyToClipboard(std::wstring(100000, L'7'));
  BringToFront(window);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == Box(1); }));
  PressKey('V', {VK_CONTROL});
  EXPECT_TRUE(WaitUntil([&] { return Text(Box(1)) == std::wstring(255, L'7'); }))
      << Text(Box(1)).size() << " characters";

  const auto box = Save();
  EXPECT_EQ(box.text, L"「连续剧·男主角」必须是 0 到 255 之间的整数，当前内容为“" +
                          std::wstring(32, L'7') + L"…”。");
  EXPECT_EQ(ReadBytes(file()), original);
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
