// Random files and random edits: a save changes exactly the 40 offsets that hold day counts, and
// a refused save changes nothing at all. Random sequences of a user's actions against a model of
// what the files, the boxes and the save's target must be.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <set>

#include "core/editor_engine.h"
#include "core/run_time_error.h"
#include "tests/support/fake_window.h"
#include "tests/support/test_files.h"

namespace tallyvane {
namespace {

namespace fs = std::filesystem;

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

// The field whose value a save stores into the day count of this record (0..39).
int FieldOfRecord(std::size_t record) {
  return static_cast<int>(record < 21    ? record + 1
                          : record <= 35 ? 22 + (record - 21) % 3
                                         : record - 11);
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
      const int field = FieldOfRecord((i - 44) / 36);
      ASSERT_EQ(saved[i], values[static_cast<std::size_t>(field - 1)])
          << "round " << round << " offset " << i;
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

// Folders with a good, a short or no Length.dat, which the user opens and other programs change
// or delete in between: only a completed load moves where the save goes.
TEST_F(SavePropertyTest, TheSaveGoesWhereTheLastCompletedLoadRead) {
  using Bytes = std::vector<std::uint8_t>;
  const fs::path folders[] = {folder / "A", folder / "B", folder / "C"};
  std::map<fs::path, Bytes> files;  // what each folder's Length.dat must hold; none if absent
  fs::path target;                  // empty until a load completed
  Bytes image;                      // what the last load or save left in the engine
  test::FakeFields boxes;           // what the boxes must show
  for (const fs::path& f : folders) fs::create_directory(f);
  for (int step = 0; step < 600; ++step) {
    const fs::path& some = folders[random() % 3];
    switch (random() % 6) {
      case 0:  // "打开" in some folder, or Cancel in the current one
        if (random() % 2) fs::current_path(some);
        if (const auto found = files.find(fs::current_path());
            found != files.end() && found->second.size() >= 1449) {
          engine.LoadDaysTable();
          target = found->first, image = found->second;
          for (const FieldInfo& info : kFieldMap)
            boxes[info.field] = std::to_string(image[static_cast<std::size_t>(info.offsetRead)]);
        } else {
          EXPECT_THROW(engine.LoadDaysTable(), RunTimeError);
        }
        break;
      case 1:
        fields[1 + static_cast<int>(random() % kFieldCount)] = std::to_string(random() % 256);
        boxes = fields;
        break;
      case 2: {  // "保存", answering a question 是 or 否
        messages.answer = random() % 2;
        engine.SaveDaysTable("guard");
        if (target.empty()) break;
        const bool present = files.contains(target);  // a file deleted since is written whole
        Bytes saved = image, file = present ? files[target] : Bytes{};
        const Bytes start(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(
                                                           std::min(file.size(), image.size())));
        if (present && start != image && !messages.answer) break;
        std::copy(start.begin(), start.end(), saved.begin());  // a yes writes into their bytes
        for (std::size_t record = 0; record < 40; ++record)
          saved[44 + 36 * record] =
              static_cast<std::uint8_t>(std::stoi(boxes[FieldOfRecord(record)]));
        file.resize(std::max(file.size(), saved.size()));
        std::copy(saved.begin(), saved.end(), file.begin());
        files[target] = file, image = saved;
        break;
      }
      case 3:  // another program writes a good or a short file, or deletes one
      case 4:
        files[some] = test::SampleDaysTable(random() % 2 ? 1449 + random() % 99 : random() % 1449,
                                            static_cast<unsigned>(random()));
        test::WriteBytes(some / "Length.dat", files[some]);
        break;
      default:
        files.erase(some);
        fs::remove(some / "Length.dat");
        break;
    }
    ASSERT_EQ(fields.boxes, boxes.boxes) << "step " << step;
    ASSERT_EQ(engine.state().target, target.empty() ? "" : test::PathUtf8(target / "Length.dat"));
    for (const fs::path& f : folders)
      ASSERT_EQ(fs::exists(f / "Length.dat") ? std::optional(test::ReadBytes(f / "Length.dat"))
                                             : std::nullopt,
                files.contains(f) ? std::optional(files[f]) : std::nullopt)
          << "step " << step << " " << f;
  }
}

}  // namespace
}  // namespace tallyvane
