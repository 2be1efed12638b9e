#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

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
  const FileFault fault = code == ENOENT || code == ENOTDIR ? FileFault::NotFound
                          : code == EISDIR                  ? FileFault::IsFolder
                                                            : FileFault::Refused;
  return FileError(fault, path, std::strerror(code), fileChanged);
}

bool IsFolderPath(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string CurrentDirectory() {
  return std::filesystem::current_path().string();
}

std::string AbsolutePath(const std::string& name) {
  return (std::filesystem::current_path() / name).lexically_normal().string();
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  if (IsFolderPath(path)) throw FileError(FileFault::IsFolder, path, {});
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM || errno == ETXTBSY))
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  UniqueFd file(fd);
  if (!file.valid()) throw LastError(path);

  std::vector<std::uint8_t> bytes;
  std::array<std::uint8_t, 64 * 1024> chunk{};
  for (;;) {
    const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw LastError(path);
    if (got == 0) return bytes;
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
  }
}

void WriteFileStart(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (IsFolderPath(path)) throw FileError(FileFault::IsFolder, path, {});
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

bool IsPlainFilePresent(const std::string& name) {
  struct stat info {};
  return ::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace tallyvane::platform
