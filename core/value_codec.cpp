#include "core/value_codec.h"

#include <algorithm>
#include <optional>

namespace tallyvane {
namespace {

constexpr unsigned kMaxDayCount = 255;
// Whole parts above this are out of range whatever their fraction; capping keeps the sum small.
constexpr unsigned kWholeCap = 1000;

// Decodes UTF-8 strictly (no overlongs, no surrogates); nothing for malformed text.
std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || lead > 0xF4 || text.size() - i <= static_cast<std::size_t>(extra))
      return std::nullopt;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out.push_back(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\u3000';
}

// Value of an ASCII or full-width digit, or -1.
int DigitValue(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'\uFF10' && c <= U'\uFF19') return static_cast<int>(c - U'\uFF10');
  return -1;
}

// Length of the decimal separator at the start of `s`, or 0. Where the locale uses '.', the
// full-width full stop of an IME counts too.
std::size_t SeparatorLength(std::u32string_view s, std::u32string_view separator) {
  if (!separator.empty() && s.starts_with(separator)) return separator.size();
  if (separator == U"." && s.starts_with(U'\uFF0E')) return 1;
  return 0;
}

}  // namespace

std::string FormatDayCount(std::uint8_t value) {
  return std::to_string(value);
}

ParsedDayCount ParseDayCount(std::string_view text, std::string_view decimalSeparator) {
  constexpr ParsedDayCount kMismatch{ParseStatus::TypeMismatch, 0};
  const auto decoded = DecodeUtf8(text);
  const auto separator = DecodeUtf8(decimalSeparator);
  if (!decoded || !separator) return kMismatch;

  std::u32string_view s = *decoded;
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);

  bool negative = false;
  if (!s.empty() && (s.front() == U'-' || s.front() == U'\uFF0D')) {
    negative = true;
    s.remove_prefix(1);
  } else if (!s.empty() && (s.front() == U'+' || s.front() == U'\uFF0B')) {
    s.remove_prefix(1);
  }

  unsigned whole = 0;
  std::size_t digitCount = 0;
  for (; !s.empty() && DigitValue(s.front()) >= 0; s.remove_prefix(1), ++digitCount)
    whole = std::min(whole * 10 + static_cast<unsigned>(DigitValue(s.front())), kWholeCap);

  // Only the first fraction digit and whether any later one is non-zero decide the rounding.
  int firstFraction = 0;
  bool laterFractionNonZero = false;
  if (const std::size_t length = SeparatorLength(s, *separator); length > 0) {
    s.remove_prefix(length);
    for (bool first = true; !s.empty() && DigitValue(s.front()) >= 0; s.remove_prefix(1)) {
      const int digit = DigitValue(s.front());
      if (first)
        firstFraction = digit;
      else
        laterFractionNonZero = laterFractionNonZero || digit != 0;
      first = false;
      ++digitCount;
    }
  }
  if (!s.empty() || digitCount == 0) return kMismatch;

  const bool roundUp =
      firstFraction > 5 || (firstFraction == 5 && (laterFractionNonZero || whole % 2 == 1));
  const unsigned rounded = whole + (roundUp ? 1 : 0);
  if (rounded == 0) return {ParseStatus::Ok, 0};
  if (negative || rounded > kMaxDayCount) return {ParseStatus::Overflow, 0};
  return {ParseStatus::Ok, static_cast<std::uint8_t>(rounded)};
}

}  // namespace tallyvane
