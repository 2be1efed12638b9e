// Turns a stored day count into the text a box shows, and typed text back into a day count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tallyvane {

enum class ParseStatus { Ok, TypeMismatch, Overflow };

struct ParsedDayCount {
  ParseStatus status;
  std::uint8_t value;  // meaningful only when status is Ok
};

// Plain decimal digits: 0, 7, 255.
std::string FormatDayCount(std::uint8_t value);

// Accepts an optional sign, decimal digits and a fraction after `decimalSeparator` (the user's
// locale), rounded half to even; the rounded value must lie in 0..255. Blanks around the number
// are ignored, and what a Chinese IME types (full-width digits, sign and full stop) is accepted.
ParsedDayCount ParseDayCount(std::string_view text, std::string_view decimalSeparator);

}  // namespace tallyvane
