// Owner of a Win32 kernel handle: closed exactly once, on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace tallyvane::platform {

class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.release();
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Close(); }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

  // Closes now; false when the system reports an error (a write-back may have failed).
  bool Close() {
    if (!valid()) return true;
    return CloseHandle(release()) != FALSE;
  }

 private:
  HANDLE handle_;
};

}  // namespace tallyvane::platform
