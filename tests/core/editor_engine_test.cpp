#include "core/editor_engine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>

#ifdef _WIN32
#include "platform/unique_handle.h"
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "core/run_time_error.h"
#include "platform/file_system.h"
#include "tests/support/fake_window.h"
#include "tests/support/test_files.h"

namespace tallyvane {
namespace {

using test::FakeFields;
using test::FakeMessages;
using test::ReadBytes;
using test::ShownMessage;
using test::WriteBytes;
namespace fs = std::filesystem;

constexpr int kHostingOffsets[] = {800, 908, 1016, 1124, 1232};

// Every offset a save stores each field into.
std::vector<int> OffsetsWritten(int field) {
  if (field >= 22 && field <= 24) {
    std::vector<int> offsets;
    for (int group = 0; group < 5; ++group) offsets.push_back(44 + 36 * (field - 1 + 3 * group));
    return offsets;
  }
  return {FieldAt(field).offsetRead};
}

class EditorEngineTest : public testing::Test {
 protected:
  void SetUp() override { engine.InitEditorState(); }

  fs::path file() const { return folder / "Length.dat"; }

  void LoadFrom(const std::vector<std::uint8_t>& bytes) {
    WriteBytes(file(), bytes);
    engine.LoadDaysTable();
  }

  template <typename Operation>
  std::optional<RunTimeError> ErrorOf(Operation operation) {
    try {
      operation();
    } catch (const RunTimeError& error) {
      return error;
    }
    return std::nullopt;
  }
  std::optional<RunTimeError> LoadError() {
    return ErrorOf([&] { engine.LoadDaysTable(); });
  }
  std::optional<RunTimeError> SaveError() {
    return ErrorOf([&] { engine.SaveDaysTable("guard"); });
  }

  test::TempFolder folder;
  test::CurrentDirectoryScope inFolder{folder.path()};
  FakeFields fields;
  FakeMessages messages;
  EditorEngine engine{fields, messages};
};

TEST_F(EditorEngineTest, StartsUnloaded) {
  const EditorState& state = engine.state();
  EXPECT_EQ(state.fileName, "Length.dat");
  EXPECT_EQ(state.cursor, 44);
  EXPECT_EQ(state.baseOffset, 44);
  EXPECT_EQ(state.stride, 36);
  EXPECT_EQ(state.tailAnchor, 1304);
  EXPECT_FALSE(state.loaded());
}

TEST_F(EditorEngineTest, LoadShowsEachFieldFromItsOffset) {
  std::vector<std::uint8_t> bytes(1449, 0xEE);
  for (const FieldInfo& info : kFieldMap)
    bytes[static_cast<std::size_t>(info.offsetRead)] = static_cast<std::uint8_t>(info.field * 9);
  bytes[44] = 0;
  bytes[1448] = 255;
  LoadFrom(bytes);

  for (const FieldInfo& info : kFieldMap) {
    const std::string expected = info.field == 1    ? "0"
                                 : info.field == 28 ? "255"
                                                    : std::to_string(info.field * 9);
    EXPECT_EQ(fields[info.field], expected) << info.box;
  }
  EXPECT_EQ(engine.state().cursor, 1448);
  EXPECT_EQ(engine.state().fileLength, 1449);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EditorEngineTest, SaveStoresEachFieldAtEveryOffsetItOwns) {
  const auto original = test::SampleDaysTable(1600);
  LoadFrom(original);
  for (int field = 1; field <= kFieldCount; ++field) fields[field] = std::to_string(100 + field);
  engine.SaveDaysTable("guard");

  auto expected = original;
  for (int field = 1; field <= kFieldCount; ++field)
    for (const int offset : OffsetsWritten(field))
      expected[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(100 + field);
  EXPECT_EQ(ReadBytes(file()), expected);
  EXPECT_EQ(engine.state().cursor, 1448);
  EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"保存成功", "成功"}}));
}

TEST_F(EditorEngineTest, HostValueLandsInAllFiveHostingRecords) {
  const auto original = test::SampleDaysTable();
  LoadFrom(original);
  fields[22] = "5";
  engine.SaveDaysTable("guard");

  const auto saved = ReadBytes(file());
  for (const int offset : kHostingOffsets)
    EXPECT_EQ(saved[static_cast<std::size_t>(offset)], 5) << offset;
}

TEST_F(EditorEngineTest, UneditedSaveChangesOnlyTheHostingCopiesThatDiffered) {
  const auto original = test::SampleDaysTable();
  LoadFrom(original);
  engine.SaveDaysTable("guard");

  const auto saved = ReadBytes(file());
  ASSERT_EQ(saved.size(), original.size());
  std::map<std::size_t, std::uint8_t> changed;
  for (std::size_t i = 0; i < saved.size(); ++i)
    if (saved[i] != original[i]) changed[i] = saved[i];

  std::map<std::size_t, std::uint8_t> expected;
  for (std::size_t record = 24; record <= 35; ++record)
    expected[44 + 36 * record] = original[44 + 36 * (21 + (record - 21) % 3)];
  EXPECT_EQ(changed, expected);
}

TEST_F(EditorEngineTest, SecondSaveWritesTheSameBytes) {
  LoadFrom(test::SampleDaysTable());
  fields[3] = "12.5";
  engine.SaveDaysTable("guard");
  const auto first = ReadBytes(file());
  engine.SaveDaysTable("guard");
  EXPECT_EQ(ReadBytes(file()), first);
  EXPECT_EQ(first[116], 12);
  EXPECT_EQ(fields[3], "12.5") << "a save leaves the text as typed";
}

TEST_F(EditorEngineTest, SaveRecreatesAFileDeletedSinceTheLoad) {
  const auto original = test::SampleDaysTable();
  LoadFrom(original);
  fs::remove(file());
  fields[1] = "9";
  engine.SaveDaysTable("guard");

  auto expected = original;
  expected[44] = 9;
  test::CopyHostingGroup(expected);
  EXPECT_EQ(ReadBytes(file()), expected);
}

TEST_F(EditorEngineTest, SaveKeepsBytesAFileGrewBySinceTheLoad) {
  const auto original = test::SampleDaysTable();
  LoadFrom(original);
  auto grown = original;
  grown.insert(grown.end(), 300, 0xAB);
  WriteBytes(file(), grown);
  fields[28] = "1";
  engine.SaveDaysTable("guard");

  const auto saved = ReadBytes(file());
  ASSERT_EQ(saved.size(), grown.size());
  EXPECT_EQ(saved[1448], 1);
  EXPECT_TRUE(std::equal(saved.begin() + 1449, saved.end(), grown.begin() + 1449));
  EXPECT_TRUE(messages.asked.empty()) << "bytes appended since the load are no change";
}

// Another program changes the file between the load and the save.
struct Change {
  const char* name;
  void (*apply)(std::vector<std::uint8_t>& bytes);
};

void PrintTo(const Change& change, std::ostream* os) {
  *os << change.name;
}

class ChangedSinceLoadTest : public EditorEngineTest, public testing::WithParamInterface<Change> {
 protected:
  // `bytes` with the boxes' values stored as a save stores them.
  std::vector<std::uint8_t> WithBoxes(std::vector<std::uint8_t> bytes) {
    for (int field = 1; field <= kFieldCount; ++field)
      for (const int offset : OffsetsWritten(field))
        bytes[static_cast<std::size_t>(offset)] =
            static_cast<std::uint8_t>(std::stoi(fields[field]));
    return bytes;
  }
};

TEST_P(ChangedSinceLoadTest, SaveAsksAndWritesOnlyOnYesIntoTheFileAsItIsNow) {
  const auto original = test::SampleDaysTable(1600);
  LoadFrom(original);
  fields[4] = "44";
  auto changed = original;
  GetParam().apply(changed);
  WriteBytes(file(), changed);

  engine.SaveDaysTable("guard");  // answered 否
  const ShownMessage question{
      ChangedSinceLoadQuestion(test::PathUtf8(fs::current_path() / "Length.dat")), "警告"};
  EXPECT_EQ(messages.asked, std::vector<ShownMessage>{question});
  EXPECT_NE(question.text.find(test::PathUtf8(fs::current_path() / "Length.dat")),
            std::string::npos);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ReadBytes(file()), changed);
  EXPECT_EQ(engine.state().buffer, original);
  EXPECT_EQ(fields[4], "44");

  messages.answer = true;
  engine.SaveDaysTable("guard");
  // Where the file is now shorter, the loaded image fills in the rest.
  auto expected = changed;
  expected.insert(expected.end(), original.begin() + static_cast<std::ptrdiff_t>(changed.size()),
                  original.end());
  expected = WithBoxes(expected);
  EXPECT_EQ(ReadBytes(file()), expected);
  EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"保存成功", "成功"}}));

  engine.SaveDaysTable("guard");
  EXPECT_EQ(messages.asked.size(), 2u) << "the file is as the last save left it: no question";
  EXPECT_EQ(ReadBytes(file()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangedSinceLoadTest,
    testing::Values(Change{"FirstBytes",
                           [](std::vector<std::uint8_t>& b) {
                             for (std::size_t i = 0; i < 44; ++i) b[i] ^= 0x5A;
                           }},
                    Change{"DayCountsAndBytesBetween",
                           [](std::vector<std::uint8_t>& b) {
                             for (std::size_t i = 1000; i <= 1010; ++i) b[i] ^= 0x5A;
                           }},
                    Change{"Shorter", [](std::vector<std::uint8_t>& b) { b.resize(1500); }}),
    [](const testing::TestParamInfo<Change>& change) { return std::string(change.param.name); });

TEST_F(EditorEngineTest, LoadReplacesEditedTexts) {
  LoadFrom(test::SampleDaysTable());
  const auto loaded = fields.boxes;
  fields[5] = "200";
  engine.LoadDaysTable();
  EXPECT_EQ(fields.boxes, loaded);
}

TEST_F(EditorEngineTest, GuardComesFirstAndCreatesNoFile) {
  engine.SaveDaysTable("没有打开任何通告文件");
  EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"没有打开任何通告文件", "错误"}}));
  EXPECT_FALSE(fs::exists(file()));
}

TEST_F(EditorEngineTest, GuardLeavesAnExistingFileAlone) {
  const auto original = test::SampleDaysTable();
  WriteBytes(file(), original);
  fields[1] = "abc";
  engine.SaveDaysTable("没有找到通告文件");
  EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"没有找到通告文件", "错误"}}));
  EXPECT_EQ(ReadBytes(file()), original);
}

struct LengthCase {
  std::size_t length;
  bool loads;
};

class LoadLengthTest : public EditorEngineTest, public testing::WithParamInterface<LengthCase> {};

TEST_P(LoadLengthTest, LoadsOnlyAFileHoldingEveryDayCount) {
  WriteBytes(file(), test::SampleDaysTable(GetParam().length));
  const auto error = LoadError();
  if (GetParam().loads) {
    EXPECT_FALSE(error);
    EXPECT_EQ(engine.state().cursor, 1448);
    return;
  }
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind(), ErrorKind::SubscriptOutOfRange);
  EXPECT_EQ(error->fileLength(), static_cast<std::int64_t>(GetParam().length));
  EXPECT_EQ(error->path(), test::PathUtf8(fs::current_path() / "Length.dat"));
  EXPECT_EQ(engine.state().cursor, 44);
  EXPECT_TRUE(engine.state().buffer.empty());
  for (const auto& box : fields.boxes) EXPECT_EQ(box, "") << "nothing is half-loaded";
}

INSTANTIATE_TEST_SUITE_P(Lengths, LoadLengthTest,
                         testing::Values(LengthCase{1449, true}, LengthCase{5000, true},
                                         LengthCase{1448, false}, LengthCase{1, false},
                                         LengthCase{0, false}));

class OversizedFileTest : public EditorEngineTest,
                          public testing::WithParamInterface<std::uint64_t> {};

// A sparse file: its size is learnt without reading, and nothing of it is read.
TEST_P(OversizedFileTest, IsRefusedBeforeAByteIsRead) {
  WriteBytes(file(), {});
  fs::resize_file(file(), GetParam());
  const auto error = LoadError();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind(), ErrorKind::Overflow);
  EXPECT_EQ(error->field(), 0);
  EXPECT_EQ(error->fileLength(), static_cast<std::int64_t>(GetParam()));
  EXPECT_FALSE(engine.state().loaded());
  EXPECT_EQ(fields.boxes, FakeFields().boxes);
}

// Just over what a signed 32-bit length holds, and over what 32 bits hold at all.
INSTANTIATE_TEST_SUITE_P(Sizes, OversizedFileTest,
                         testing::Values(std::uint64_t{1} << 31, (std::uint64_t{5} << 30) + 1449));

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
// The process may take only a little more memory than it has; a 1 GiB file cannot be held.
TEST_F(EditorEngineTest, RunningOutOfMemoryIsReportedAndChangesNothing) {
  LoadFrom(test::SampleDaysTable());
  const auto boxes = fields.boxes;
  fs::resize_file(file(), std::uint64_t{1} << 30);

  long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
  rlimit tight = old;
  const rlim_t now = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
  tight.rlim_cur = std::min(old.rlim_max, now + (rlim_t{256} << 20));
  ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
  const auto error = LoadError();
  setrlimit(RLIMIT_AS, &old);

  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind(), ErrorKind::OutOfMemory);
  EXPECT_EQ(error->operation(), Operation::Load);
  EXPECT_EQ(engine.state().buffer, test::SampleDaysTable());
  EXPECT_EQ(fields.boxes, boxes);
}
#endif

TEST_F(EditorEngineTest, FailedLoadKeepsThePreviousLoad) {
  const auto original = test::SampleDaysTable();
  LoadFrom(original);
  fields[2] = "77";
  const auto boxes = fields.boxes;
  WriteBytes(file(), test::SampleDaysTable(100));

  ASSERT_TRUE(LoadError());
  EXPECT_EQ(fields.boxes, boxes);
  EXPECT_EQ(engine.state().buffer, original);
  EXPECT_EQ(engine.state().cursor, 1448);
}

TEST_F(EditorEngineTest, MissingFileIsNotFound) {
  const auto error = LoadError();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind(), ErrorKind::FileNotFound);
  EXPECT_EQ(error->path(), test::PathUtf8(fs::current_path() / "Length.dat"));
  EXPECT_FALSE(fs::exists(file())) << "a load creates nothing";
}

TEST_F(EditorEngineTest, FolderNamedLikeTheFileIsRefusedOnLoadAndSave) {
  fs::create_directory(file());
  auto error = LoadError();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->kind(), ErrorKind::FileSystem);
  EXPECT_TRUE(error->isFolder());

  fs::remove(file());
  LoadFrom(test::SampleDaysTable());
  fs::remove(file());
  fs::create_directory(file());
  error = SaveError();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->operation(), Operation::Save);
  EXPECT_TRUE(error->isFolder());
  EXPECT_TRUE(fs::is_directory(file()));
}

struct BadText {
  const char* text;
  ErrorKind kind;
};

class BadTextTest : public EditorEngineTest, public testing::WithParamInterface<BadText> {};

TEST_P(BadTextTest, InAnyFieldChangesNothingAndNamesTheField) {
  const auto original = test::SampleDaysTable();
  LoadFrom(original);
  for (int field = 1; field <= kFieldCount; ++field) {
    SCOPED_TRACE(field);
    fields[1] = "1";  // an edit elsewhere that must survive too
    fields[field] = GetParam().text;
    const auto boxes = fields.boxes;

    const auto error = SaveError();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), GetParam().kind);
    EXPECT_EQ(error->field(), field);
    EXPECT_EQ(error->text(), GetParam().text);
    EXPECT_EQ(ReadBytes(file()), original);
    EXPECT_EQ(engine.state().buffer, original);
    EXPECT_EQ(fields.boxes, boxes);
    fields[field] = "2";
  }
  EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, BadTextTest,
                         testing::Values(BadText{"300", ErrorKind::Overflow},
                                         BadText{"-1", ErrorKind::Overflow},
                                         BadText{"abc", ErrorKind::TypeMismatch},
                                         BadText{"", ErrorKind::TypeMismatch}));

// What may stand in a save's way since the load, and the answer to the question it raises.
struct SaveObstacle {
  const char* name;
  bool readOnly;   // the read-only attribute
  bool immutable;  // nothing may write the file, as in a protected folder
  bool held;       // open in the game without write sharing (Windows)
  bool yes;
  std::optional<Refusal> refusal;  // how the save fails, if it does
};

class SaveObstacleTest : public EditorEngineTest,
                         public testing::WithParamInterface<SaveObstacle> {};

TEST_P(SaveObstacleTest, AsksOrSaysWhyAndKeepsTheFileAndTheEdits) {
  const SaveObstacle& o = GetParam();
  const auto original = test::SampleDaysTable();
  LoadFrom(original);
  fields[4] = "8";
  std::optional<test::UnwritableScope> unwritable;
  if (o.readOnly || o.immutable) unwritable.emplace(file(), o.readOnly, o.immutable);
#ifdef _WIN32
  const platform::UniqueHandle held(
      o.held ? CreateFileW(file().wstring().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                           nullptr, OPEN_EXISTING, 0, nullptr)
             : INVALID_HANDLE_VALUE);
#else
  if (o.held) GTEST_SKIP() << "only Windows holds files by share mode";
#endif
  messages.answer = o.yes;
  const bool saved = !o.refusal && (!o.readOnly || o.yes);

  const auto error = SaveError();
  EXPECT_EQ(error ? std::optional(error->refusal()) : std::nullopt, o.refusal);
  if (error) {
    EXPECT_FALSE(error->fileChanged() || error->reason().empty());
  }
  if (!saved) {
    EXPECT_EQ(engine.state().buffer, original);
  }
  const std::string path = test::PathUtf8(fs::current_path() / "Length.dat");
  const std::vector<ShownMessage> question{{ReadOnlyQuestion(path), "警告"}};
  EXPECT_EQ(messages.asked, o.readOnly ? question : std::vector<ShownMessage>{});
  EXPECT_EQ(platform::IsReadOnly(path), o.readOnly) << "the file stays as read-only as it was";
  EXPECT_EQ(messages.shown.size(), saved ? 1u : 0u);
  auto expected = original;
  if (saved) expected[152] = 8, test::CopyHostingGroup(expected);
  EXPECT_EQ(ReadBytes(file()), expected);
  EXPECT_EQ(fields[4], "8");
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles, SaveObstacleTest,
    testing::Values(
        SaveObstacle{"ReadOnlyAnsweredNo", true, false, false, false, std::nullopt},
        SaveObstacle{"ReadOnlyAnsweredYes", true, false, false, true, std::nullopt},
        SaveObstacle{"UnwritableAnsweredYes", true, true, false, true, Refusal::AccessDenied},
        SaveObstacle{"ProtectedFolder", false, true, false, false, Refusal::AccessDenied},
        SaveObstacle{"HeldByTheGame", false, false, true, false, Refusal::InUse}),
    [](const testing::TestParamInfo<SaveObstacle>& o) { return std::string(o.param.name); });

class EditorEngineFolderTest : public testing::TestWithParam<std::size_t> {};

// The folder name is Chinese with spaces, and nested until its path is at least this long.
TEST_P(EditorEngineFolderTest, LoadsAndSavesInTheCurrentFolder) {
  test::TempFolder root(" 游戏 DATA 文件夹");
  fs::path folder = root.path();
  while (folder.native().size() < GetParam()) folder /= test::Utf8Path("通告 文件夹 folder");
  fs::create_directories(folder);
  test::CurrentDirectoryScope inFolder(folder);
  WriteBytes(folder / "Length.dat", test::SampleDaysTable());

  FakeFields fields;
  FakeMessages messages;
  EditorEngine engine(fields, messages);
  engine.InitEditorState();
  engine.LoadDaysTable();
  fields[22] = "5";
  engine.SaveDaysTable("guard");
  EXPECT_EQ(ReadBytes(folder / "Length.dat")[1232], 5);
}

INSTANTIATE_TEST_SUITE_P(PathLengths, EditorEngineFolderTest, testing::Values(0u, 300u));

}  // namespace
}  // namespace tallyvane
