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
  EXPECT_EQ(menu[0].items[0].caption, L"打开\tCtrl+O");
  EXPECT_EQ(menu[0].items[1].caption, L"保存\tCtrl+S");
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
  expected[800] = 5;
  test::CopyHostingGroup(expected);
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
  StartAndLoad(folder.path());
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
  StartAndLoad(folder.path());
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

// Started from another folder with a command line, as Explorer starts it for a file dragged onto
// the exe or "Open with".
struct ArgumentCase {
  const char* name;
  std::wstring (*arguments)(const fs::path& data);  // `data` holds a Length.dat
  const wchar_t* message = nullptr;  // what a refusal says, before the path; none: it loads
};

void PrintTo(const ArgumentCase& c, std::ostream* os) {
  *os << c.name;
}

std::wstring Quoted(const fs::path& path) {
  return L"\"" + path.wstring() + L"\"";
}

class FullEditorArgumentTest : public FullEditorTest,
                               public testing::WithParamInterface<ArgumentCase> {};

TEST_P(FullEditorArgumentTest, OpensAsTheDialogWouldOrSaysWhyNot) {
  test::TempFolder game(" 游戏 安装目录");
  fs::path data = game / "DATA 数据";
  if (std::string(GetParam().name) == "LongPath")
    while (data.native().size() < 300) data /= test::Utf8Path("一个很长的文件夹名称-long-folder");
  fs::create_directories(data);
  const auto original = test::SampleDaysTable();
  WriteBytes(data / "Length.dat", original);
  WriteBytes(data / "Other.dat", {1, 2, 3});

  Launch(folder.path(), exe, GetParam().arguments(data));
  WaitForWindow();
  if (GetParam().message == nullptr) {
    WaitForBox(1, std::to_wstring(original[44]));
    SetText(Box(4), L"44");
    EXPECT_EQ(Save().text, L"保存成功");
    EXPECT_EQ(ReadBytes(data / "Length.dat")[152], 44) << "saved where it was loaded from";
  } else {
    const auto box = AnswerMessageBox();
    EXPECT_EQ(box.title, L"错误");
    EXPECT_EQ(box.text.rfind(GetParam().message, 0), 0u) << box.text;
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>(28));
  }
  EXPECT_FALSE(fs::exists(file())) << "nothing is written where it was started";
  EXPECT_TRUE(editor->running());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, FullEditorArgumentTest,
    testing::Values(
        ArgumentCase{"QuotedFile", [](const fs::path& d) { return Quoted(d / "Length.dat"); }},
        ArgumentCase{"OtherFileOfTheFolder",
                     [](const fs::path& d) { return Quoted(d / "Other.dat"); }},
        // A trailing backslash before the closing quote, as some programs pass folders.
        ArgumentCase{"FolderWithTrailingBackslash",
                     [](const fs::path& d) { return L"\"" + d.wstring() + L"\\\""; }},
        ArgumentCase{"LongPath", [](const fs::path& d) { return Quoted(d / "Length.dat"); }},
        ArgumentCase{"Missing", [](const fs::path& d) { return Quoted(d / "不存在.dat"); },
                     L"找不到这个文件或文件夹："},
        ArgumentCase{"FolderWithoutLengthDat",
                     [](const fs::path& d) { return Quoted(d.parent_path()); },
                     L"没有找到通告文件："},
        ArgumentCase{"TwoPaths",
                     [](const fs::path& d) {
                       return Quoted(d / "Length.dat") + L" " + Quoted(d / "Other.dat");
                     },
                     L"命令行中只能指定一个文件或文件夹，现在有 2 个。"}),
    [](const testing::TestParamInfo<ArgumentCase>& c) { return std::string(c.param.name); });

TEST_F(FullEditorTest, ADroppedFileOrFolderOpensAsTheDialogWould) {
  test::TempFolder game(" 游戏 DATA");
  auto bytes = test::SampleDaysTable();
  WriteBytes(game / "Length.dat", bytes);
  Start();
  EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);

  DropFiles(window, {(game / "Length.dat").wstring()});
  WaitForBox(1, std::to_wstring(bytes[44]));
  EXPECT_TRUE(NoDialogAppears());

  // Several: the first is opened, and the user is told so.
  bytes[44] = 9;
  WriteBytes(game / "Length.dat", bytes);
  DropFiles(window, {game.path().wstring(), file().wstring()});
  const auto box = AnswerMessageBox();
  EXPECT_EQ(box.title, L"提示");
  EXPECT_EQ(box.text,
            L"一次只能打开一个文件或文件夹，现在打开拖入的第一个：\n" + game.path().wstring());
  WaitForBox(1, L"9");
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

class ShortcutTest : public EditorFixture, public testing::WithParamInterface<const EditorKind*> {
 protected:
  ShortcutTest() : EditorFixture(*GetParam()) {}
};

TEST_P(ShortcutTest, CtrlSSavesAndCtrlOOpensWhereverTheFocusIs) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  StartAndLoad(folder.path());
  SetText(Box(4), L"44");
  BringToFront(window);
  for (int i = 0; i < 3; ++i) PressKey(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == Box(4); }));

  PressKey('S', {VK_CONTROL});
  EXPECT_EQ(AnswerMessageBox().text, L"保存成功");
  EXPECT_EQ(ReadBytes(file())[152], 44);
  if (!kind.hasOpenCommand) return;

  BringToFront(window);
  PressKey('O', {VK_CONTROL});
  HWND dialog = editor->WaitForDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(dialog), L"打开通告文件");
  PressButton(dialog, IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Editors, ShortcutTest, testing::Values(&kFullEditor, &kLiteEditor),
                         [](const testing::TestParamInfo<const EditorKind*>& editor) {
                           return std::string(editor.param->name);
                         });

}  // namespace
}  // namespace tallyvane::e2e
