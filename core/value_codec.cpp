#include "core/value_codec.h"

#include <algorithm>

namespace tallyvane {
namespace {

constexpr unsigned kMaxDayCount = 255;
// Whole parts above this are out of range whatever their fraction; capping keeps the sum small.
constexpr unsigned kWholeCap = 1000;

// What an IME types, as UTF-8 bytes. Matching exact byte sequences also rejects malformed text.
constexpr std::string_view kIdeographicSpace = "\u3000";
constexpr std::string_view kFullWidthMinus = "\uFF0D";
constexpr std::string_view kFullWidthPlus = "\uFF0B";
constexpr std::string_view kFullWidthFullStop = "\uFF0E";
constexpr std::string_view kFullWidthDigitLead = "\xEF\xBC";  // U+FF10..FF19 are EF BC 90..99

bool Consume(std::string_view& s, std::string_view prefix) {
  if (prefix.empty() || !s.starts_with(prefix)) return false;
  s.remove_prefix(prefix.size());
  return true;
}

void TrimBlanks(std::string_view& s) {
  while (Consume(s, " ") || Consume(s, "\t") || Consume(s, kIdeographicSpace)) {
  }
  for (;;) {
    if (s.ends_with(' ') || s.ends_with('\t'))
      s.remove_suffix(1);
    else if (s.ends_with(kIdeographicSpace))
      s.remove_suffix(kIdeographicSpace.size());
    else
      return;
  }
}

// Takes an ASCII or full-width digit off the front and returns its value, or -1.
int ConsumeDigit(std::string_view& s) {
  if (!s.empty() && s.front() >= '0' && s.front() <= '9') {
    const int digit = s.front() - '0';
    s.remove_prefix(1);
    return digit;
  }
  if (s.size() >= 3 && s.starts_with(kFullWidthDigitLead)) {
    const auto last = static_cast<unsigned char>(s[2]);
    if (last >= 0x90 && last <= 0x99) {
      s.remove_prefix(3);
      return last - 0x90;
    }
  }
  return -1;
}

// Where the locale uses '.', the full-width full stop of an IME counts too.
bool ConsumeSeparator(std::string_view& s, std::string_view separator) {
  return Consume(s, separator) || (separator == "." && Consume(s, kFullWidthFullStop));
}

}  // namespace

std::string FormatDayCount(std::uint8_t value) {
  return std::to_string(value);
}

ParsedDayCount ParseDayCount(std::string_view text, std::string_view decimalSeparator) {
  constexpr ParsedDayCount kMismatch{ParseStatus::TypeMismatch, 0};
  std::string_view s = text;
  TrimBlanks(s);

  const bool negative = Consume(s, "-") || Consume(s, kFullWidthMinus);
  if (!negative) Consume(s, "+") || Consume(s, kFullWidthPlus);

  unsigned whole = 0;
  int digitCount = 0;
  for (int digit; (digit = ConsumeDigit(s)) >= 0; ++digitCount)
    whole = std::min(whole * 10 + static_cast<unsigned>(digit), kWholeCap);

  // Only the first fraction digit and whether any later one is non-zero decide the rounding.
  int firstFraction = 0;
  bool laterFractionNonZero = false;
  if (ConsumeSeparator(s, decimalSeparator)) {
    for (int digit, place = 0; (digit = ConsumeDigit(s)) >= 0; ++place, ++digitCount) {
      if (place == 0)
        firstFraction = digit;
      else
        laterFractionNonZero = laterFractionNonZero || digit != 0;
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
