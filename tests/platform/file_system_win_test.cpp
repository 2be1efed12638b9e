// What only Windows has: share modes, hidden and system attributes.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/unique_handle.h"
#include "tests/support/test_files.h"

namespace tallyvane::platform {
namespace {

using test::PathUtf8;
namespace fs = std::filesystem;

class WindowsFileSystemTest : public testing::Test {
 protected:
  // Opens the file as a running game might: reading and writing, others may only read.
  UniqueHandle HoldWithoutWriteSharing() {
    return UniqueHandle(CreateFileW(file.wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  }

  test::TempFolder folder;
  fs::path file = folder / "Length.dat";
};

TEST_F(WindowsFileSystemTest, FileHeldByAnotherProgramReadsButRefusesWrites) {
  const auto bytes = test::SampleDaysTable();
  test::WriteBytes(file, bytes);
  const UniqueHandle held = HoldWithoutWriteSharing();
  ASSERT_TRUE(held.valid());

  EXPECT_EQ(ReadFileStart(PathUtf8(file), bytes.size()), bytes);
  try {
    WriteFileStart(PathUtf8(file), std::vector<std::uint8_t>{1});
    FAIL() << "write succeeded on a file held without write sharing";
  } catch (const FileError& error) {
    EXPECT_EQ(error.fault(), FileFault::InUse);
    EXPECT_FALSE(error.fileChanged());
  }
}

TEST_F(WindowsFileSystemTest, HiddenAndSystemFilesCountAsAbsent) {
  test::CurrentDirectoryScope inFolder(folder.path());
  test::WriteBytes(file, {1});
  for (const DWORD attribute : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM}}) {
    ASSERT_TRUE(SetFileAttributesW(file.wstring().c_str(), attribute));
    EXPECT_FALSE(IsPlainFilePresent("Length.dat")) << attribute;
  }
  ASSERT_TRUE(SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(IsPlainFilePresent("LENGTH.DAT")) << "names compare as the file system compares them";
}

}  // namespace
}  // namespace tallyvane::platform
