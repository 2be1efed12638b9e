// Arbitrary file contents and edits through a load and a save: nothing is read or written outside
// the file (the sanitizers watch), a file too short is refused whole, a refused save leaves the
// bytes identical, and a save changes exactly the offsets that hold day counts.
//
// Input: 28 bytes choosing the edits (a byte b types its own decimal text, or a bad text when
// b % 8 == 7), then the file's contents.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/editor_engine.h"
#include "core/field_map.h"
#include "core/run_time_error.h"
#include "tests/support/fake_window.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void Check(bool condition) {
  if (!condition) std::abort();
}

Bytes ReadFile() {
  std::ifstream in("Length.dat", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every offset a save stores field n into.
std::vector<int> OffsetsWritten(int field) {
  if (field < tallyvane::kFirstHostingField || field > tallyvane::kLastHostingField)
    return {tallyvane::FieldAt(field).offsetRead};
  std::vector<int> offsets;
  for (int group = 0; group < 5; ++group) offsets.push_back(44 + 36 * (field - 1 + 3 * group));
  return offsets;
}

}  // namespace

// Works in a folder of its own, made the current directory (corpus paths must be absolute). The
// fuzzer ends with _Exit, so the folder is reused by the next run rather than removed.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const fs::path folder = fs::temp_directory_path() / "tallyvane-load-save-fuzz";
  fs::create_directories(folder);
  fs::current_path(folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < tallyvane::kFieldCount) return -1;
  const Bytes original(data + tallyvane::kFieldCount, data + size);
  {
    std::ofstream out("Length.dat", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(original.data()),
              static_cast<std::streamsize>(original.size()));
  }
  tallyvane::test::FakeFields fields;
  tallyvane::test::FakeMessages messages;
  tallyvane::EditorEngine engine(fields, messages);
  engine.InitEditorState();

  try {
    engine.LoadDaysTable();
  } catch (const tallyvane::RunTimeError& error) {
    Check(original.size() < 1449 && error.kind() == tallyvane::ErrorKind::SubscriptOutOfRange);
    Check(!engine.state().loaded() && engine.state().buffer.empty());
    for (const auto& box : fields.boxes) Check(box.empty());
    return 0;
  }
  Check(original.size() >= 1449);
  for (const auto& info : tallyvane::kFieldMap)
    Check(fields[info.field] ==
          std::to_string(original[static_cast<std::size_t>(info.offsetRead)]));

  bool anyBad = false;
  Bytes expected = original;
  for (int field = 1; field <= tallyvane::kFieldCount; ++field) {
    const std::uint8_t choice = data[field - 1];
    anyBad = anyBad || choice % 8 == 7;
    fields[field] =
        choice % 8 == 7 ? std::string(choice % 2 ? "x" : "") + "-7" : std::to_string(choice);
    for (const int offset : OffsetsWritten(field))
      expected[static_cast<std::size_t>(offset)] = choice;
  }
  try {
    engine.SaveDaysTable("guard");
    Check(!anyBad);
    Check(ReadFile() == expected);
  } catch (const tallyvane::RunTimeError&) {
    Check(anyBad);
    Check(ReadFile() == original);
    Check(engine.state().buffer == original);
  }
  return 0;
}
