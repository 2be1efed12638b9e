// Owner of a GDI font: deleted exactly once, after the controls stop using it.
#pragma once

#include <windows.h>

#include <utility>

namespace tallyvane {

class UniqueFont {
 public:
  explicit UniqueFont(HFONT font = nullptr) : font_(font) {}
  UniqueFont(UniqueFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
  UniqueFont& operator=(UniqueFont&& other) noexcept {
    if (this != &other) reset(std::exchange(other.font_, nullptr));
    return *this;
  }
  UniqueFont(const UniqueFont&) = delete;
  UniqueFont& operator=(const UniqueFont&) = delete;
  ~UniqueFont() { reset(); }

  HFONT get() const { return font_; }
  void reset(HFONT font = nullptr) {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
  }

 private:
  HFONT font_;
};

}  // namespace tallyvane
