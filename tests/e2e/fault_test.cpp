// What can go wrong with Length.dat, tried on both editors: each fault gets its clear message,
// the file stays byte-identical unless a save succeeded, and the program runs on with every edit.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "platform/unique_handle.h"
#include "tests/e2e/editor_fixture.h"

namespace tallyvane::e2e {
namespace {

using test::ReadBytes;
using test::WriteBytes;

const std::wstring kKept = L"\n文件未被修改，已输入的数值都保留。";

class FaultTest : public EditorFixture, public testing::WithParamInterface<const EditorKind*> {
 protected:
  FaultTest() : EditorFixture(*GetParam()) {}

  // Loads a sample Length.dat from `where` and types an edit into box 4.
  void LoadAndEdit(const fs::path& where) {
    WriteBytes(where / "Length.dat", original);
    StartAndLoad(where);
    SetText(Box(4), L"44");
  }

  // The bytes a successful save of that edit leaves in a file that held `bytes`: the edit, and the
  // hosting group copied.
  std::vector<std::uint8_t> Saved(std::vector<std::uint8_t> bytes) const {
    bytes[152] = 44;
    test::CopyHostingGroup(bytes);
    return bytes;
  }
  std::vector<std::uint8_t> Saved() const { return Saved(original); }

  void ExpectRefusedWrite(const MessageBoxContent& box) {
    EXPECT_EQ(box.title, L"错误");
    EXPECT_EQ(box.text.rfind(L"无法写入通告文件：" + Path(file()) + L"\n", 0), 0u) << box.text;
    EXPECT_EQ(Text(Box(4)), L"44") << "the edit is kept";
    EXPECT_TRUE(editor->running());
  }

  const std::vector<std::uint8_t> original = test::SampleDaysTable();
};

TEST_P(FaultTest, FileHeldOpenByTheGameLoadsButIsNotWritten) {
  WriteBytes(file(), original);
  const platform::UniqueHandle held(CreateFileW(file().wstring().c_str(),
                                                GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held.valid());
  StartAndLoad(folder.path());
  SetText(Box(4), L"44");
  const auto box = Save();
  ExpectRefusedWrite(box);
  EXPECT_NE(box.text.find(L"多半是正在运行的游戏，或另一个编辑器窗口"), std::wstring::npos);
  EXPECT_TRUE(box.text.ends_with(kKept)) << box.text;
  EXPECT_EQ(ReadBytes(file()), original);
}

// Under Wine as root only an immutable file refuses writes, with access denied, as a folder under
// Program Files does on Windows. Wine runs "runas" without a prompt.
TEST_P(FaultTest, ProtectedFolderOffersToStartAgainAsAdministratorWithTheTypedValues) {
  LoadAndEdit(folder.path());
  SetText(Box(5), L" １２ ");
  const auto typed = BoxTexts();
  const test::UnwritableScope protectedFolder(file(), false, true);
  ASSERT_FALSE(test::IsWritable(file())) << "this environment cannot make a file unwritable";
  const auto question = Save(IDNO);
  EXPECT_EQ(question.defaultButton, IDYES);
  const std::wstring words = question.text.substr(0, question.text.find(L"\n\n要以管理员身份"));
  ExpectRefusedWrite(question);
  EXPECT_TRUE(words.ends_with(L"（例如 Program Files 下的游戏文件夹）。" + kKept)) << words;
  EXPECT_TRUE(NoDialogAppears());

  Save(IDYES);
  EXPECT_EQ(editor->WaitForExit(), std::optional<DWORD>(0)) << "it ends once the other started";
  DWORD second = 0;
  ASSERT_TRUE(WaitUntil([&] {
    return GetWindowThreadProcessId(FindWindowW(nullptr, caption.c_str()), &second) != 0;
  }));
  editor.emplace(second);
  WaitForWindow();
  EXPECT_EQ(BoxTexts(), typed) << "handed over as typed, not saved";
  const auto again = Save();
  EXPECT_EQ(again.text, words) << "started as administrator, it does not offer again";
  EXPECT_EQ(ReadBytes(file()), original);
}

// The copy Windows made for an older program without a manifest; each editor answers one way.
TEST_P(FaultTest, AVirtualStoreCopyIsOfferedBeforeTheLoad) {
  const wchar_t* programs = _wgetenv(L"ProgramFiles(x86)");  // none on 32-bit Windows
  const test::TempFolder game(" 游戏", programs != nullptr ? programs : _wgetenv(L"ProgramFiles"));
  const fs::path data = game / "DATA", copy = _wgetenv(L"LOCALAPPDATA") /
                                              fs::path(L"VirtualStore") /
                                              game.path().relative_path() / "DATA";
  fs::create_directories(copy);
  fs::create_directories(data);
  const auto theirs = test::SampleDaysTable(1449, 2);
  WriteBytes(copy / "Length.dat", theirs);
  WriteBytes(data / "Length.dat", original);
  const int answer = kind.hasOpenCommand ? IDNO : IDYES;
  if (kind.hasOpenCommand)
    Start(data), OpenThroughDialog(std::nullopt);
  else
    Launch(data, exe);
  const auto question =
      kind.hasOpenCommand ? AnswerMessageBox(answer) : AnswerStartUpMessage(answer);
  EXPECT_EQ(question.title, L"提示");
  EXPECT_EQ(question.defaultButton, IDYES);
  EXPECT_NE(question.text.find(L"\n" + Path(copy / "Length.dat") + L"\n"), std::wstring::npos);
  EXPECT_NE(question.text.find(L"\n" + Path(data / "Length.dat") + L"\n"), std::wstring::npos);
  ASSERT_TRUE(WaitUntil([&] { return !Text(Box(28)).empty(); }));
  SetText(Box(4), L"44");
  EXPECT_EQ(Save().text, L"保存成功");
  EXPECT_EQ(ReadBytes(copy / "Length.dat"), answer == IDYES ? Saved(theirs) : theirs);
  EXPECT_EQ(ReadBytes(data / "Length.dat"), answer == IDYES ? original : Saved());
  editor.reset();
  fs::remove_all(copy.parent_path());
}

TEST_P(FaultTest, ReplacedByAFolderSinceTheLoad) {
  LoadAndEdit(folder.path());
  fs::remove(file());
  fs::create_directory(file());
  const auto box = Save();
  ExpectRefusedWrite(box);
  EXPECT_EQ(box.text, L"无法写入通告文件：" + Path(file()) + L"\n这个位置是一个文件夹，不是文件。");
  EXPECT_TRUE(fs::is_directory(file()));
}

TEST_P(FaultTest, DeletedSinceTheLoadIsWrittenWhole) {
  LoadAndEdit(folder.path());
  fs::remove(file());
  EXPECT_EQ(Save().text, L"保存成功");
  EXPECT_EQ(ReadBytes(file()), Saved());
}

TEST_P(FaultTest, GrownSinceTheLoadKeepsItsTail) {
  LoadAndEdit(folder.path());
  auto grown = original;
  grown.insert(grown.end(), 500, 0x5A);
  WriteBytes(file(), grown);
  EXPECT_EQ(Save().text, L"保存成功");
  auto expected = Saved();
  expected.insert(expected.end(), 500, 0x5A);
  EXPECT_EQ(ReadBytes(file()), expected);
}

TEST_P(FaultTest, ChangedSinceTheLoadIsWrittenOnlyAfterAYes) {
  LoadAndEdit(folder.path());
  auto changed = original;  // as another program might: a header and bytes between day counts
  for (const auto& [first, last] : {std::pair{0, 43}, std::pair{1000, 1010}})
    for (int i = first; i <= last; ++i) changed[static_cast<std::size_t>(i)] ^= 0x5A;
  WriteBytes(file(), changed);

  const auto question = Save(IDNO);
  EXPECT_EQ(question.title, L"警告");
  EXPECT_NE(question.text.find(Path(file())), std::wstring::npos) << question.text;
  EXPECT_EQ(question.defaultButton, IDNO);
  EXPECT_TRUE(NoDialogAppears());
  EXPECT_EQ(ReadBytes(file()), changed);
  EXPECT_EQ(Text(Box(4)), L"44") << "the edit is kept";

  EXPECT_EQ(Save(IDYES).title, L"警告");
  EXPECT_EQ(AnswerMessageBox().text, L"保存成功");
  EXPECT_EQ(ReadBytes(file()), Saved(changed));
}

TEST_P(FaultTest, OversizedFileIsRefusedBeforeReading) {
  constexpr std::uint64_t kSize = std::uint64_t{3} << 30;
  WriteBytes(file(), {});
  fs::resize_file(file(), kSize);  // sparse: no room taken on disk
  const auto started = std::chrono::steady_clock::now();
  const auto box = StartAndFailToLoad(folder.path());
  const auto elapsed = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(box.text, L"通告文件过大：" + Path(file()) +
                          L"\n最多允许 2147483647 字节，实际有 3221225472 字节。");
  EXPECT_EQ(BoxTexts(), std::vector<std::wstring>(28));
  const std::size_t peak = editor->PeakMemory();
  std::cout << "a 3 GiB file refused after "
            << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()
            << " ms (start-up included), peak memory " << (peak >> 20) << " MiB\n";
  EXPECT_LT(peak, std::size_t{256} << 20) << "the file was read";
  EXPECT_TRUE(editor->running());
}

TEST_P(FaultTest, FolderWithChineseNameAndSpaces) {
  test::TempFolder root(" 游戏 安装目录");
  const fs::path data = root / "DATA 数据";
  fs::create_directories(data);
  LoadAndEdit(data);
  EXPECT_EQ(Save().text, L"保存成功");
  EXPECT_EQ(ReadBytes(data / "Length.dat"), Saved());
}

TEST_P(FaultTest, EmptyAndTooShortFilesAreRefusedWhole) {
  for (const std::size_t length : {0u, 1448u}) {
    SCOPED_TRACE(length);
    WriteBytes(file(), test::SampleDaysTable(length));
    const auto box = StartAndFailToLoad(folder.path());
    EXPECT_EQ(box.title, L"错误");
    EXPECT_EQ(box.text, L"通告文件长度不足：" + Path(file()) + L"\n至少需要 1449 字节，实际只有 " +
                            std::to_wstring(length) + L" 字节。");
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>(28));
    EXPECT_TRUE(editor->running());
    editor.reset();
  }
}

INSTANTIATE_TEST_SUITE_P(Editors, FaultTest, testing::Values(&kFullEditor, &kLiteEditor),
                         [](const testing::TestParamInfo<const EditorKind*>& editor) {
                           return std::string(editor.param->name);
                         });

}  // namespace
}  // namespace tallyvane::e2e
