// The simple editor, tallyvane-lite.exe, driven under Wine like a user would.
#include <gtest/gtest.h>

#include "tests/e2e/editor_fixture.h"
#include "tests/e2e/expected_layout.h"

namespace tallyvane::e2e {
namespace {

using test::ReadBytes;
using test::WriteBytes;

const std::wstring kMisplaced = L"此程序必须放于游戏安装目录内DATA文件夹下";

class LiteEditorTest : public EditorFixture {
 protected:
  LiteEditorTest() : EditorFixture(kLiteEditor) {}

  void ExpectGuardedSave() {
    Choose({L"保存"});
    const auto box = AnswerMessageBox();
    EXPECT_EQ(box.title, L"错误");
    EXPECT_EQ(box.text, L"没有找到通告文件");
  }
};

TEST_F(LiteEditorTest, LayoutDiffersFromTheFullEditorOnlyWhereItShould) {
  WriteBytes(file(), test::SampleDaysTable());
  Start();
  ExpectEditorGrid(window, 3885, 3400);
  Screenshot(window, "tallyvane-lite");

  const auto menu = MenuOf(exe);
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].caption, L"保存");
  EXPECT_EQ(menu[1].caption, L"退出");
  EXPECT_TRUE(menu[0].items.empty() && menu[1].items.empty()) << "both sit on the bar itself";
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0) << "it takes no drops";
}

TEST_F(LiteEditorTest, WithoutLengthDatWarnsFirstAndSavesNothing) {
  Launch();
  const auto warning = AnswerStartUpMessage();
  EXPECT_EQ(warning.title, L"警告");
  EXPECT_EQ(warning.text, kMisplaced);
  EXPECT_EQ(BoxTexts(), std::vector<std::wstring>(28));

  ExpectGuardedSave();
  EXPECT_TRUE(fs::is_empty(folder.path())) << "no empty Length.dat is left behind";
  EXPECT_TRUE(editor->running());
}

enum class Impostor { Hidden, System, Folder };

class LiteImpostorTest : public LiteEditorTest, public testing::WithParamInterface<Impostor> {};

TEST_P(LiteImpostorTest, CountsAsAbsentAndStaysUntouched) {
  const auto original = test::SampleDaysTable();
  if (GetParam() == Impostor::Folder) {
    fs::create_directory(file());
  } else {
    WriteBytes(file(), original);
    SetFileAttributesW(file().wstring().c_str(), GetParam() == Impostor::Hidden
                                                     ? FILE_ATTRIBUTE_HIDDEN
                                                     : FILE_ATTRIBUTE_SYSTEM);
  }
  Launch();
  EXPECT_EQ(AnswerStartUpMessage().text, kMisplaced);
  ExpectGuardedSave();
  if (GetParam() == Impostor::Folder)
    EXPECT_TRUE(fs::is_directory(file()));
  else
    EXPECT_EQ(ReadBytes(file()), original);
  EXPECT_TRUE(editor->running());
  SetFileAttributesW(file().wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LiteImpostorTest,
                         testing::Values(Impostor::Hidden, Impostor::System, Impostor::Folder),
                         [](const testing::TestParamInfo<Impostor>& kind) {
                           return std::string(kind.param == Impostor::Hidden   ? "Hidden"
                                              : kind.param == Impostor::System ? "System"
                                                                               : "Folder");
                         });

TEST_F(LiteEditorTest, OpensFilledAndSavesTheHostingGroupFiveTimes) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  Start();
  EXPECT_EQ(Text(Box(1)), std::to_wstring(original[44]));
  EXPECT_EQ(Text(Box(28)), std::to_wstring(original[1448]));

  SetText(Box(22), L"5");
  Choose({L"保存"});
  const auto box = AnswerMessageBox();
  EXPECT_EQ(box.title, L"成功");
  EXPECT_EQ(box.text, L"保存成功");
  const auto saved = ReadBytes(file());
  for (const int offset : {800, 908, 1016, 1124, 1232})
    EXPECT_EQ(saved[static_cast<std::size_t>(offset)], 5);
}

TEST_F(LiteEditorTest, TwoEditorsOnOneFileAskBeforeTheSecondOverwritesTheFirst) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  Start();
  EditorProcess other(exe, folder.path());
  HWND otherWindow = other.WaitForMainWindow(caption);
  ASSERT_NE(otherWindow, nullptr);
  HWND otherBox2 = GetDlgItem(otherWindow, IDC_TEXT_BASE + 2);
  ASSERT_TRUE(WaitUntil([&] { return !Text(otherBox2).empty(); }));

  SetText(Box(1), L"11");
  EXPECT_EQ(Save().text, L"保存成功");
  SetText(otherBox2, L"22");
  const auto answer = [&](int button) {
    ChooseMenu(otherWindow, exe, {L"保存"});
    HWND box = other.WaitForDialog();
    if (box == nullptr) throw std::runtime_error("no message box appeared");
    const MessageBoxContent content = ReadMessageBox(box);
    PressButton(box, button);
    return content;
  };
  EXPECT_EQ(answer(IDNO).title, L"警告");
  auto saved = ReadBytes(file());
  EXPECT_EQ(saved[44], 11) << "the first editor's save stands";
  EXPECT_EQ(saved[80], original[80]);

  EXPECT_EQ(answer(IDYES).title, L"警告");
  HWND success = other.WaitForDialog();
  ASSERT_NE(success, nullptr);
  EXPECT_EQ(ReadMessageBox(success).text, L"保存成功");
  PressButton(success, IDOK);
  saved = ReadBytes(file());
  EXPECT_EQ(saved[80], 22);
  EXPECT_EQ(saved[44], original[44]) << "after a yes, the second editor's values are written";
}

TEST_F(LiteEditorTest, ShortFileIsReportedThenTheWindowOpensEmpty) {
  WriteBytes(file(), test::SampleDaysTable(1000));
  Launch();
  const auto box = AnswerStartUpMessage();
  EXPECT_EQ(box.title, L"错误");
  EXPECT_EQ(box.text,
            L"通告文件长度不足：" + Path(file()) + L"\n至少需要 1449 字节，实际只有 1000 字节。");
  EXPECT_EQ(BoxTexts(), std::vector<std::wstring>(28));
  ExpectGuardedSave();
}

TEST_F(LiteEditorTest, TheCurrentDirectoryDecidesNotTheProgramsFolder) {
  test::TempFolder data("DATA");
  WriteBytes(data / "Length.dat", test::SampleDaysTable());
  const fs::path copy = data / "tallyvane-lite.exe";
  fs::copy_file(fs::path(exe), copy);

  // The program in DATA, started from elsewhere (a shortcut with another start folder).
  Launch(folder.path(), copy.wstring());
  EXPECT_EQ(AnswerStartUpMessage().text, kMisplaced);
  editor.reset();

  // The program elsewhere, started with DATA as its current directory.
  Start(data.path());
  EXPECT_EQ(Text(Box(1)), std::to_wstring(test::SampleDaysTable()[44]));
}

}  // namespace
}  // namespace tallyvane::e2e
