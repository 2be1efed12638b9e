// Random files and random edits: a save changes exactly the 40 offsets that hold day counts, and
// a refused save changes nothing at all.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/editor_engine.h"
#include "core/run_time_error.h"
#include "tests/support/fake_window.h"
#include "tests/support/test_files.h"

namespace tallyvane {
namespace {

constexpr int kRounds = 150;

// Ways to type a valid value v, as a user or an IME might.
std::string Typed(int v, std::mt19937& random) {
  switch (random() % 4) {
    case 0:
      return std::to_string(v);
    case 1:
      return " " + std::to_string(v) + ".4\t";
    case 2:
      return "\u3000+" + std::to_string(v);
    default: {
      std::string fullWidth;  // U+FF10..FF19 are EF BC 90..99
      for (const char digit : std::to_string(v))
        fullWidth += std::string("\xEF\xBC") + static_cast<char>('\x90' + (digit - '0'));
      return fullWidth;
    }
  }
}

std::set<std::size_t> WrittenOffsets() {
  std::set<std::size_t> offsets;
  for (std::size_t record = 0; record < 40; ++record) offsets.insert(44 + 36 * record);
  return offsets;
}

class SavePropertyTest : public testing::Test {
 protected:
  // A fresh random Length.dat of at least 1449 bytes, loaded by a fresh engine.
  std::vector<std::uint8_t> LoadRandomFile() {
    const auto original =
        test::SampleDaysTable(1449 + random() % 3000, static_cast<unsigned>(random()));
    test::WriteBytes(folder / "Length.dat", original);
    fields = {};
    engine.InitEditorState();
    engine.LoadDaysTable();
    return original;
  }

  test::TempFolder folder;
  test::CurrentDirectoryScope inFolder{folder.path()};
  std::mt19937 random{20261207};
  test::FakeFields fields;
  test::FakeMessages messages;
  EditorEngine engine{fields, messages};
};

TEST_F(SavePropertyTest, ValidEditsChangeExactlyTheDayCountOffsets) {
  const std::set<std::size_t> written = WrittenOffsets();
  for (int round = 0; round < kRounds; ++round) {
    const auto original = LoadRandomFile();

    std::array<int, kFieldCount> values{};
    for (int field = 1; field <= kFieldCount; ++field) {
      values[static_cast<std::size_t>(field - 1)] = static_cast<int>(random() % 256);
      fields[field] = Typed(values[static_cast<std::size_t>(field - 1)], random);
    }
    engine.SaveDaysTable("guard");

    const auto saved = test::ReadBytes(folder / "Length.dat");
    ASSERT_EQ(saved.size(), original.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
      if (!written.contains(i)) {
        ASSERT_EQ(saved[i], original[i]) << "round " << round << " offset " << i;
        continue;
      }
      const std::size_t record = (i - 44) / 36;
      const std::size_t field = record >= 21 && record <= 35 ? 22 + (record - 21) % 3
                                : record < 21                ? record + 1
                                                             : record - 11;
      ASSERT_EQ(saved[i], values[field - 1]) << "round " << round << " offset " << i;
    }
  }
}

TEST_F(SavePropertyTest, AnInvalidEditChangesNothingAndKeepsEveryEdit) {
  const char* invalid[] = {"256", "-1", "x", "", "1e2", "12,5", "--3", "２５６"};
  for (int round = 0; round < kRounds; ++round) {
    const auto original = LoadRandomFile();

    for (int field = 1; field <= kFieldCount; ++field)
      fields[field] = Typed(static_cast<int>(random() % 256), random);
    const int bad = 1 + static_cast<int>(random() % kFieldCount);
    fields[bad] = invalid[random() % std::size(invalid)];
    const auto edits = fields.boxes;

    try {
      engine.SaveDaysTable("guard");
      FAIL() << "round " << round << ": \"" << fields[bad] << "\" was accepted";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.field(), bad);
    }
    ASSERT_EQ(test::ReadBytes(folder / "Length.dat"), original) << "round " << round;
    ASSERT_EQ(fields.boxes, edits) << "round " << round;
  }
}

}  // namespace
}  // namespace tallyvane
