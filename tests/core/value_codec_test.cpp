#include "core/value_codec.h"

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

struct ParseCase {
  const char* text;
  const char* separator;
  ParseStatus status;
  int value;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
  *os << '"' << c.text << "\" sep \"" << c.separator << '"';
}

class ParseDayCountTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDayCountTest, ConvertsAsDocumented) {
  const ParseCase& c = GetParam();
  const ParsedDayCount parsed = ParseDayCount(c.text, c.separator);
  EXPECT_EQ(parsed.status, c.status);
  if (c.status == ParseStatus::Ok) {
    EXPECT_EQ(parsed.value, c.value);
  }
}

constexpr auto kOk = ParseStatus::Ok;
constexpr auto kMismatch = ParseStatus::TypeMismatch;
constexpr auto kOverflow = ParseStatus::Overflow;

INSTANTIATE_TEST_SUITE_P(
    PlainDecimal, ParseDayCountTest,
    testing::Values(ParseCase{"0", ".", kOk, 0}, ParseCase{"7", ".", kOk, 7},
                    ParseCase{"255", ".", kOk, 255}, ParseCase{" 3 ", ".", kOk, 3},
                    ParseCase{"007", ".", kOk, 7}, ParseCase{"-0", ".", kOk, 0},
                    ParseCase{"256", ".", kOverflow, 0}, ParseCase{"-1", ".", kOverflow, 0},
                    ParseCase{"300", ".", kOverflow, 0},
                    ParseCase{"99999999999999999999", ".", kOverflow, 0},
                    ParseCase{"abc", ".", kMismatch, 0}, ParseCase{"", ".", kMismatch, 0},
                    ParseCase{"   ", ".", kMismatch, 0}, ParseCase{"-", ".", kMismatch, 0},
                    ParseCase{".", ".", kMismatch, 0}, ParseCase{"12abc", ".", kMismatch, 0}));

INSTANTIATE_TEST_SUITE_P(
    HalfToEven, ParseDayCountTest,
    testing::Values(ParseCase{"2.5", ".", kOk, 2}, ParseCase{"12.5", ".", kOk, 12},
                    ParseCase{"13.5", ".", kOk, 14}, ParseCase{"12.51", ".", kOk, 13},
                    ParseCase{"12.49999", ".", kOk, 12}, ParseCase{"12.500000", ".", kOk, 12},
                    ParseCase{"0.5", ".", kOk, 0}, ParseCase{"-0.5", ".", kOk, 0},
                    ParseCase{"-0.4", ".", kOk, 0}, ParseCase{"-0.6", ".", kOverflow, 0},
                    ParseCase{"254.5", ".", kOk, 254}, ParseCase{"255.5", ".", kOverflow, 0},
                    ParseCase{"255.4", ".", kOk, 255}, ParseCase{".5", ".", kOk, 0},
                    ParseCase{"5.", ".", kOk, 5}));

INSTANTIATE_TEST_SUITE_P(
    ImeAndBlanks, ParseDayCountTest,
    testing::Values(ParseCase{"１２", ".", kOk, 12}, ParseCase{"２５５", ".", kOk, 255},
                    ParseCase{"１2", ".", kOk, 12}, ParseCase{"－０", ".", kOk, 0},
                    ParseCase{"－1", ".", kOverflow, 0}, ParseCase{"＋7", ".", kOk, 7},
                    ParseCase{"+7", ".", kOk, 7}, ParseCase{"１２．５", ".", kOk, 12},
                    ParseCase{"\t9\t", ".", kOk, 9},
                    ParseCase{"\u3000"
                              "9\u3000",
                              ".", kOk, 9},
                    ParseCase{" \t\u3000"
                              "42 ",
                              ".", kOk, 42}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, ParseDayCountTest,
    testing::Values(ParseCase{"1e2", ".", kMismatch, 0}, ParseCase{"0x10", ".", kMismatch, 0},
                    ParseCase{"1,0", ".", kMismatch, 0}, ParseCase{"1 2", ".", kMismatch, 0},
                    ParseCase{"1\u3000"
                              "2",
                              ".", kMismatch, 0},
                    ParseCase{"--1", ".", kMismatch, 0}, ParseCase{"+-1", ".", kMismatch, 0},
                    ParseCase{"1.2.3", ".", kMismatch, 0},
                    ParseCase{"\xC2\xA0"
                              "1",
                              ".", kMismatch, 0},
                    ParseCase{"\xFF"
                              "1",
                              ".", kMismatch, 0},
                    ParseCase{"\xE3\x80", ".", kMismatch, 0}, ParseCase{"一", ".", kMismatch, 0},
                    ParseCase{"1。5", ".", kMismatch, 0}, ParseCase{"＄1", ".", kMismatch, 0}));

INSTANTIATE_TEST_SUITE_P(
    CommaLocale, ParseDayCountTest,
    testing::Values(ParseCase{"12,5", ",", kOk, 12}, ParseCase{"13,5", ",", kOk, 14},
                    ParseCase{"12.5", ",", kMismatch, 0}, ParseCase{"12．5", ",", kMismatch, 0},
                    ParseCase{"1.000", ",", kMismatch, 0}, ParseCase{"200", ",", kOk, 200}));

TEST(FormatDayCount, WritesPlainDigits) {
  EXPECT_EQ(FormatDayCount(0), "0");
  EXPECT_EQ(FormatDayCount(7), "7");
  EXPECT_EQ(FormatDayCount(255), "255");
}

TEST(FormatDayCount, RoundTripsEveryByte) {
  for (int value = 0; value <= 255; ++value) {
    const auto byte = static_cast<std::uint8_t>(value);
    const ParsedDayCount parsed = ParseDayCount(FormatDayCount(byte), ".");
    ASSERT_EQ(parsed.status, ParseStatus::Ok) << value;
    EXPECT_EQ(parsed.value, byte);
  }
}

}  // namespace
}  // namespace tallyvane
