#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file_system.h"

namespace tallyvane::platform {
namespace {

// Owner of a file descriptor: closed exactly once, on every path.
class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Close(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  bool Close() {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

FileError LastError(const std::string& path, bool fileChanged = false) {
  const int code = errno;
  const FileFault fault = code == ENOENT || code == ENOTDIR                  ? FileFault::NotFound
                          : code == EISDIR                                   ? FileFault::IsFolder
                          : code == EACCES || code == EPERM || code == EROFS ? FileFault::Denied
                                                                             : FileFault::Refused;
  return FileError(fault, path, std::strerror(code), fileChanged);
}

}  // namespace

std::string CurrentDirectory() {
  std::string directory(256, '\0');
  while (::getcwd(directory.data(), directory.size()) == nullptr) {
    if (errno != ERANGE) throw LastError(".");
    directory.resize(directory.size() * 2);
  }
  directory.resize(std::strlen(directory.c_str()));
  return directory;
}

void ChangeDirectory(const std::string& folder) {
  if (::chdir(folder.c_str()) != 0) throw LastError(folder);
}

std::string AbsolutePath(const std::string& name) {
  if (name.starts_with('/')) return name;
  const std::string directory = CurrentDirectory();
  return directory + (directory.ends_with('/') ? "" : "/") + name;
}

std::string FolderFor(const std::string& path) {
  const std::string full = AbsolutePath(path);
  struct stat info {};
  if (::stat(full.c_str(), &info) != 0) throw LastError(path);
  if (S_ISDIR(info.st_mode)) return full;
  return full.substr(0, full.find_last_of('/') + 1);
}

std::uint64_t FileSize(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throw LastError(path);
  if (S_ISDIR(info.st_mode)) throw FileError(FileFault::IsFolder, path, {});
  return static_cast<std::uint64_t>(info.st_size);
}

std::vector<std::uint8_t> ReadFileStart(const std::string& path, std::size_t count) {
  UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) throw LastError(path);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) throw LastError(path);
  if (S_ISDIR(info.st_mode)) throw FileError(FileFault::IsFolder, path, {});

  std::vector<std::uint8_t> bytes(count);
  std::size_t got = 0;
  while (got < count) {
    const ssize_t read = ::read(file.get(), bytes.data() + got, count - got);
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) throw LastError(path);
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  bytes.resize(got);
  return bytes;
}

void WriteFileStart(const std::string& path, std::span<const std::uint8_t> bytes) {
  UniqueFd file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
  if (!file.valid()) throw LastError(path);

  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t written =
        ::pwrite(file.get(), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) throw LastError(path, true);
    done += static_cast<std::size_t>(written);
  }
  if (::fsync(file.get()) != 0) throw LastError(path, true);
  if (!file.Close()) throw LastError(path, true);
}

bool IsReadOnly(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

void SetReadOnly(const std::string& path, bool readOnly) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throw LastError(path);
  const mode_t mode = readOnly ? info.st_mode & ~mode_t{0222} : info.st_mode | S_IWUSR;
  if (::chmod(path.c_str(), mode & 07777) != 0) throw LastError(path);
}

std::optional<std::string> VirtualStoreCopy(const std::string&) {
  return std::nullopt;
}

bool IsPlainFilePresent(const std::string& name) {
  struct stat info {};
  return ::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace tallyvane::platform
