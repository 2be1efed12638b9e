// The file operations the editors need, with UTF-8 names. Implemented for Win32 and for POSIX.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tallyvane::platform {

enum class FileFault {
  NotFound,  // no such file (or folder on its path)
  IsFolder,  // a folder has the name
  Refused,   // anything else the system refused; see reason
};

class FileError : public std::runtime_error {
 public:
  FileError(FileFault fault, std::string path, std::string reason, bool fileChanged = false);
  FileFault fault() const { return fault_; }
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }  // the system's own message
  bool fileChanged() const { return fileChanged_; }      // a write had begun when it failed

 private:
  FileFault fault_;
  std::string path_;
  std::string reason_;
  bool fileChanged_;
};

// `name` resolved against the current directory at this moment.
std::string AbsolutePath(const std::string& name);

// The process's current directory.
std::string CurrentDirectory();

// Makes `folder` the current directory.
void ChangeDirectory(const std::string& folder);

// Reads the whole file. Opens for reading and writing where the file allows, else for reading
// only, so a read-only file or one another program holds open still loads.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Writes `bytes` over the start of the file, creating it if absent and never shortening it, then
// flushes and closes it. Throws only after reporting whether the file may have changed.
void WriteFileStart(const std::string& path, std::span<const std::uint8_t> bytes);

// Whether the current directory holds a plain file of that name: hidden files, system files and
// folders count as absent.
bool IsPlainFilePresent(const std::string& name);

}  // namespace tallyvane::platform
