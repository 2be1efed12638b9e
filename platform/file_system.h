// The file operations the editors need, with UTF-8 names. Implemented for Win32 and for POSIX.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tallyvane::platform {

enum class FileFault {
  NotFound,  // no such file (or folder on its path)
  IsFolder,  // a folder has the name
  Denied,    // access denied: the folder or the file allows this user no writing
  InUse,     // another program holds the file open without sharing it, or has locked it
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

// The folder `path` stands for, absolute: the path itself where it names a folder, else the
// folder that holds the file it names. Fails with NotFound where nothing has that name.
std::string FolderFor(const std::string& path);

// The size of the file in bytes, learnt without reading it.
std::uint64_t FileSize(const std::string& path);

// Reads the first `count` bytes of the file, or all of it where it is shorter. Opens for reading
// only and lets every other program go on reading and writing, so a read-only file or one the
// game holds open can still be read.
std::vector<std::uint8_t> ReadFileStart(const std::string& path, std::size_t count);

// Writes `bytes` over the start of the file, creating it if absent and never shortening it, then
// flushes and closes it. Throws only after reporting whether the file may have changed.
void WriteFileStart(const std::string& path, std::span<const std::uint8_t> bytes);

// Whether the file has the read-only attribute (on POSIX: its owner may not write it). Windows
// refuses to write such a file even to an administrator.
bool IsReadOnly(const std::string& path);

// Sets or clears that attribute.
void SetReadOnly(const std::string& path, bool readOnly);

// The copy that Windows keeps of `path` in the user's VirtualStore, where a program without a
// manifest that wrote it without administrator rights was redirected, if such a copy exists. Only
// files on the Windows drive have one; POSIX has none.
std::optional<std::string> VirtualStoreCopy(const std::string& path);

// Whether the current directory holds a plain file of that name: hidden files, system files and
// folders count as absent.
bool IsPlainFilePresent(const std::string& name);

}  // namespace tallyvane::platform
