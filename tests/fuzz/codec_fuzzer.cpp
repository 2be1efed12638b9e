// Any text through the value codec: it never crashes, accepts exactly the documented notations
// (checked against a second, deliberately different reading of them), and what it accepts
// formats back to the same byte.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>

#include "core/value_codec.h"

namespace {

using tallyvane::ParsedDayCount;
using tallyvane::ParseStatus;

// Reduces UTF-8 text to ASCII: digits, signs, ' ' for every blank, 'D' for the decimal separator,
// 'x' for anything else (malformed UTF-8 included).
std::string Normalize(const std::string& text, const std::string& separator) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      const char ascii = static_cast<char>(c);
      out += ascii == separator[0] ? 'D'
             : ascii == '\t'       ? ' '
             : (ascii >= '0' && ascii <= '9') || ascii == ' ' || ascii == '-' || ascii == '+'
                 ? ascii
                 : 'x';
      ++i;
      continue;
    }
    // Only three-byte sequences can be accepted; everything else is simply 'x'.
    if (i + 2 < text.size() && (c & 0xF0) == 0xE0 && (text[i + 1] & 0xC0) == 0x80 &&
        (text[i + 2] & 0xC0) == 0x80) {
      const unsigned point = ((c & 0x0Fu) << 12) |
                             ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
                             (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
      if (point >= 0xFF10 && point <= 0xFF19)
        out += static_cast<char>('0' + (point - 0xFF10));
      else if (point == 0xFF0D)
        out += '-';
      else if (point == 0xFF0B)
        out += '+';
      else if (point == 0x3000)
        out += ' ';
      else if (point == 0xFF0E && separator == ".")
        out += 'D';
      else
        out += 'x';
      i += 3;
      continue;
    }
    out += 'x';
    ++i;
  }
  return out;
}

ParsedDayCount Reference(const std::string& text, const std::string& separator) {
  static const std::regex kNumber("^ *([-+]?)([0-9]*)(D([0-9]*))? *$");
  std::smatch match;
  const std::string normal = Normalize(text, separator);
  if (!std::regex_match(normal, match, kNumber) || match[2].length() + match[4].length() == 0)
    return {ParseStatus::TypeMismatch, 0};
  std::string whole = match[2].str();
  whole.erase(0, whole.find_first_not_of('0'));
  if (whole.size() > 3) return {ParseStatus::Overflow, 0};
  int value = whole.empty() ? 0 : std::stoi(whole);
  const std::string fraction = match[4].str();
  if (!fraction.empty()) {
    const bool aboveHalf =
        fraction[0] > '5' ||
        (fraction[0] == '5' && fraction.find_first_not_of('0', 1) != std::string::npos);
    const bool half = fraction[0] == '5' && !aboveHalf;
    if (aboveHalf || (half && value % 2 == 1)) ++value;
  }
  if (value == 0) return {ParseStatus::Ok, 0};
  if (match[1].str() == "-" || value > 255) return {ParseStatus::Overflow, 0};
  return {ParseStatus::Ok, static_cast<std::uint8_t>(value)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const std::string separator : {".", ","}) {
    const ParsedDayCount got = tallyvane::ParseDayCount(text, separator);
    const ParsedDayCount expected = Reference(text, separator);
    if (got.status != expected.status) std::abort();
    if (got.status != ParseStatus::Ok) continue;
    if (got.value != expected.value) std::abort();
    const ParsedDayCount again =
        tallyvane::ParseDayCount(tallyvane::FormatDayCount(got.value), separator);
    if (again.status != ParseStatus::Ok || again.value != got.value) std::abort();
  }
  return 0;
}
