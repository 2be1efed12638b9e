#include "tests/support/test_files.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include "tests/support/wine_host.h"
#else
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace tallyvane::test {
namespace {

#ifdef _WIN32
// Runs chattr on the Linux side when running under Wine; on Windows the attribute alone suffices.
void SetImmutable(const fs::path& file, bool immutable) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  const auto unixName = WineExport<UnixName>("wine_get_unix_file_name");
  if (unixName == nullptr) return;
  char* name = unixName(file.wstring().c_str());
  if (name == nullptr) return;
  std::wstring command = immutable ? L"/usr/bin/chattr +i \"" : L"/usr/bin/chattr -i \"";
  command +=
      fs::path(std::u8string(name, name + std::char_traits<char>::length(name))).wstring() + L"\"";
  HeapFree(GetProcessHeap(), 0, name);
  StartLinuxProgram(command);  // UnwritableScope waits for its effect
}

void SetReadOnly(const fs::path& file, bool readOnly) {
  const DWORD attributes = GetFileAttributesW(file.wstring().c_str());
  SetFileAttributesW(file.wstring().c_str(), readOnly
                                                 ? attributes | FILE_ATTRIBUTE_READONLY
                                                 : attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
}
#else
void SetImmutable(const fs::path& file, bool immutable) {
  const std::string command =
      std::string("chattr ") + (immutable ? "+i '" : "-i '") + file.string() + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return;  // IsWritable() tells the test
}

void SetReadOnly(const fs::path& file, bool readOnly) {
  ::chmod(file.c_str(), readOnly ? 0444 : 0644);
}
#endif

}  // namespace

fs::path Utf8Path(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathUtf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TempFolder::TempFolder(std::string_view leaf, const fs::path& parent) {
  std::random_device random;
  const std::string name = "tallyvane-" + std::to_string(random()) + std::string(leaf);
  path_ = parent / Utf8Path(name);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

CurrentDirectoryScope::CurrentDirectoryScope(const fs::path& folder)
    : previous_(fs::current_path()) {
  fs::current_path(folder);
}

CurrentDirectoryScope::~CurrentDirectoryScope() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + PathUtf8(path));
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + PathUtf8(path));
}

std::vector<std::uint8_t> SampleDaysTable(std::size_t length, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> bytes(length);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  for (std::size_t offset = 44; offset < length; offset += 36)
    bytes[offset] = static_cast<std::uint8_t>(3 + random() % 60);
  // Records 24 to 35 must differ from the first hosting group (records 21 to 23) they copy.
  for (std::size_t record = 24; record <= 35 && 44 + 36 * record < length; ++record) {
    const std::uint8_t first = bytes[44 + 36 * (21 + (record - 21) % 3)];
    std::uint8_t& copy = bytes[44 + 36 * record];
    if (copy == first) copy = static_cast<std::uint8_t>(first + 1);
  }
  return bytes;
}

void CopyHostingGroup(std::vector<std::uint8_t>& bytes) {
  for (std::size_t record = 24; record <= 35; ++record)
    bytes[44 + 36 * record] = bytes[44 + 36 * (21 + (record - 21) % 3)];
}

// Under Wine a Linux program started from Windows code runs on its own; wait for its effect.
static void AwaitWritable(const fs::path& file, bool writable) {
  for (int tries = 0; tries < 500 && IsWritable(file) != writable; ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

UnwritableScope::UnwritableScope(fs::path file, bool readOnly, bool immutable)
    : file_(std::move(file)), readOnly_(readOnly), immutable_(immutable) {
  if (readOnly_) SetReadOnly(file_, true);
  if (!immutable_) return;
  SetImmutable(file_, true);
  AwaitWritable(file_, false);
}

UnwritableScope::~UnwritableScope() {
  if (immutable_) {
    SetImmutable(file_, false);
    AwaitWritable(file_, true);
  }
  if (readOnly_) SetReadOnly(file_, false);
}

bool IsWritable(const fs::path& file) {
  std::ofstream out(file, std::ios::binary | std::ios::in | std::ios::out);
  return static_cast<bool>(out);
}

}  // namespace tallyvane::test
