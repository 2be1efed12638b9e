#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/support/test_files.h"

namespace tallyvane::platform {
namespace {

using test::PathUtf8;
using test::ReadBytes;
using test::WriteBytes;
namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
  return ReadFileStart(PathUtf8(path), static_cast<std::size_t>(FileSize(PathUtf8(path))));
}

std::optional<FileError> ReadError(const fs::path& path) {
  try {
    ReadAll(path);
  } catch (const FileError& error) {
    return error;
  }
  return std::nullopt;
}

std::optional<FileError> WriteError(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  try {
    WriteFileStart(PathUtf8(path), bytes);
  } catch (const FileError& error) {
    return error;
  }
  return std::nullopt;
}

class FileSystemTest : public testing::Test {
 protected:
  test::TempFolder folder;
  fs::path file = folder / "Length.dat";
};

TEST_F(FileSystemTest, ReadsTheWholeFile) {
  const auto bytes = test::SampleDaysTable(200000, 7);  // more than one read chunk
  WriteBytes(file, bytes);
  EXPECT_EQ(ReadAll(file), bytes);
}

TEST_F(FileSystemTest, ReadsAnEmptyFile) {
  WriteBytes(file, {});
  EXPECT_TRUE(ReadAll(file).empty());
}

TEST_F(FileSystemTest, ReadsNoMoreThanAskedAndNoMoreThanThereIs) {
  WriteBytes(file, {1, 2, 3, 4});
  EXPECT_EQ(ReadFileStart(PathUtf8(file), 2), (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(ReadFileStart(PathUtf8(file), 9), (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

TEST_F(FileSystemTest, SizeOfAFileOver4GiBIsLearntWithoutReadingIt) {
  WriteBytes(file, {});
  fs::resize_file(file, (std::uint64_t{5} << 30) + 7);  // sparse: takes no room on disk
  EXPECT_EQ(FileSize(PathUtf8(file)), (std::uint64_t{5} << 30) + 7);
}

TEST_F(FileSystemTest, MissingFileIsNotFound) {
  const auto error = ReadError(file);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->fault(), FileFault::NotFound);
  EXPECT_EQ(error->path(), PathUtf8(file));
  EXPECT_EQ(ReadError(folder / "no such folder" / "Length.dat")->fault(), FileFault::NotFound);
}

TEST_F(FileSystemTest, FolderIsRefusedOnReadAndWrite) {
  fs::create_directory(file);
  EXPECT_EQ(ReadError(file)->fault(), FileFault::IsFolder);
  try {
    ReadFileStart(PathUtf8(file), 10);
    FAIL() << "a folder was read";
  } catch (const FileError& error) {
    EXPECT_EQ(error.fault(), FileFault::IsFolder);
  }
  const auto error = WriteError(file, {1, 2, 3});
  ASSERT_TRUE(error);
  EXPECT_EQ(error->fault(), FileFault::IsFolder);
  EXPECT_FALSE(error->fileChanged());
  EXPECT_TRUE(fs::is_directory(file));
}

TEST_F(FileSystemTest, UnwritableFileStillReadsButRefusesWrites) {
  const auto bytes = test::SampleDaysTable();
  WriteBytes(file, bytes);
  test::UnwritableScope unwritable(file);
  ASSERT_FALSE(test::IsWritable(file)) << "this environment cannot make a file unwritable";

  EXPECT_EQ(ReadAll(file), bytes);
  const auto error = WriteError(file, {1, 2, 3});
  ASSERT_TRUE(error);
  EXPECT_EQ(error->fault(), FileFault::Denied);
  EXPECT_FALSE(error->fileChanged());
  EXPECT_FALSE(error->reason().empty());
  EXPECT_EQ(ReadBytes(file), bytes);
}

TEST_F(FileSystemTest, WriteCreatesAMissingFile) {
  WriteFileStart(PathUtf8(file), std::vector<std::uint8_t>{1, 2, 3});
  EXPECT_EQ(ReadBytes(file), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(FileSystemTest, WriteOverwritesTheStartAndNeverShortens) {
  WriteBytes(file, {9, 9, 9, 9, 9});
  WriteFileStart(PathUtf8(file), std::vector<std::uint8_t>{1, 2});
  EXPECT_EQ(ReadBytes(file), (std::vector<std::uint8_t>{1, 2, 9, 9, 9}));
}

TEST_F(FileSystemTest, PresenceTestCountsOnlyPlainFilesInTheCurrentDirectory) {
  test::CurrentDirectoryScope inFolder(folder.path());
  EXPECT_FALSE(IsPlainFilePresent("Length.dat"));
  fs::create_directory(file);
  EXPECT_FALSE(IsPlainFilePresent("Length.dat")) << "a folder";
  fs::remove(file);
  WriteBytes(file, {1});
  EXPECT_TRUE(IsPlainFilePresent("Length.dat"));
  test::UnwritableScope readOnly(file);
  EXPECT_TRUE(IsPlainFilePresent("Length.dat")) << "read-only counts as present";
}

TEST_F(FileSystemTest, AbsolutePathFollowsTheCurrentDirectory) {
  test::TempFolder chinese(" 游戏 DATA");
  test::CurrentDirectoryScope inFolder(chinese.path());
  EXPECT_EQ(fs::path(test::Utf8Path(AbsolutePath("Length.dat"))), chinese / "Length.dat");
  EXPECT_EQ(fs::path(test::Utf8Path(CurrentDirectory())), chinese.path());
}

TEST_F(FileSystemTest, ChineseFolderNamesRoundTrip) {
  test::TempFolder chinese(" 金曲 通告 文件夹");
  const fs::path path = chinese / "Length.dat";
  WriteFileStart(PathUtf8(path), std::vector<std::uint8_t>{4, 5, 6});
  EXPECT_EQ(ReadAll(path), (std::vector<std::uint8_t>{4, 5, 6}));
}

TEST_F(FileSystemTest, PathsLongerThan260CharactersWork) {
  fs::path deep = folder.path();
  while (deep.native().size() < 300)
    deep /= test::Utf8Path("一个很长的文件夹名称-long-folder-name");
  fs::create_directories(deep);
  const fs::path path = deep / "Length.dat";
  ASSERT_GT(PathUtf8(path).size(), 260u);

  WriteFileStart(PathUtf8(path), std::vector<std::uint8_t>{7, 8});
  EXPECT_EQ(ReadAll(path), (std::vector<std::uint8_t>{7, 8}));
  EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{7, 8}));
}

}  // namespace
}  // namespace tallyvane::platform
