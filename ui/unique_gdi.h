// Owners of the window's GDI and USER objects: each destroyed exactly once, after the window stops
// using it.
#pragma once

#include <windows.h>

#include <utility>

namespace tallyvane {

template <typename Handle, auto Destroy>
class UniqueObject {
 public:
  explicit UniqueObject(Handle handle = nullptr) : handle_(handle) {}
  UniqueObject(UniqueObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueObject& operator=(UniqueObject&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  UniqueObject(const UniqueObject&) = delete;
  UniqueObject& operator=(const UniqueObject&) = delete;
  ~UniqueObject() { reset(); }

  Handle get() const { return handle_; }
  void reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Destroy(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_;
};

inline void FreeFont(HFONT font) {
  DeleteObject(font);
}
inline void FreeIcon(HICON icon) {
  DestroyIcon(icon);
}

using UniqueFont = UniqueObject<HFONT, FreeFont>;
using UniqueIcon = UniqueObject<HICON, FreeIcon>;

}  // namespace tallyvane
