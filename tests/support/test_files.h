// Temporary folders and file bytes for tests that use the real file system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallyvane::test {

namespace fs = std::filesystem;

fs::path Utf8Path(std::string_view utf8);
std::string PathUtf8(const fs::path& path);

// A fresh, uniquely named folder under `parent` (the system's temporary folder unless given),
// removed with everything in it at the end of the test. `leaf` is an optional extra name part
// (Chinese, spaces, …).
class TempFolder {
 public:
  explicit TempFolder(std::string_view leaf = {},
                      const fs::path& parent = fs::temp_directory_path());
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();
  const fs::path& path() const { return path_; }
  fs::path operator/(std::string_view name) const { return path_ / Utf8Path(name); }

 private:
  fs::path path_;
};

// Makes a folder the current directory for the scope and restores the previous one.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const fs::path& folder);
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;
  ~CurrentDirectoryScope();

 private:
  fs::path previous_;
};

std::vector<std::uint8_t> ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes);

// A plausible days table of `length` bytes: day counts at every record, other bytes varied, and
// the copies of the hosting group deliberately different from the first group.
std::vector<std::uint8_t> SampleDaysTable(std::size_t length = 1449, unsigned seed = 1);

// Copies the first hosting group (records 21 to 23) into records 24 to 35, as a save does.
void CopyHostingGroup(std::vector<std::uint8_t>& bytes);

// Gives the file the read-only attribute (which root, under Wine too, writes through) and the
// immutable flag on the Linux side (which nothing writes through, as a protected folder on
// Windows), and undoes both at the end of the scope. Check IsWritable() to see whether the flag
// took.
class UnwritableScope {
 public:
  explicit UnwritableScope(fs::path file, bool readOnly = true, bool immutable = true);
  UnwritableScope(const UnwritableScope&) = delete;
  UnwritableScope& operator=(const UnwritableScope&) = delete;
  ~UnwritableScope();

 private:
  fs::path file_;
  bool readOnly_, immutable_;
};

// Whether the file can be opened for writing at this moment.
bool IsWritable(const fs::path& file);

}  // namespace tallyvane::test
