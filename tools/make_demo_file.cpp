// Writes a made-up Length.dat for trying the editors: plausible day counts at every record the
// editors use, and a recognisable filler elsewhere. Usage: make_demo_file PATH
#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

constexpr std::size_t kLength = 2048;
constexpr std::size_t kFirstDayCount = 44, kStride = 36, kRecords = 40;

// Days per record: series, anthology, short film, film (lead/lead/support/support), records,
// advertisements, hosting (five groups), stage plays, fashion shows.
constexpr std::array<std::uint8_t, kRecords> kDays = {
    90, 90, 60, 60, 30, 30, 20, 20, 10, 10, 7,  7, 45, 45, 30, 30, 20, 25, 15, 3,
    3,  14, 7,  5,  14, 7,  5,  14, 7,  5,  14, 7, 5,  14, 7,  5,  21, 21, 2,  2};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_demo_file PATH\n";
    return 2;
  }
  std::vector<std::uint8_t> bytes(kLength);
  for (std::size_t i = 0; i < kLength; ++i)
    bytes[i] = static_cast<std::uint8_t>(i % 7 == 0 ? 0 : i % 251);
  for (std::size_t record = 0; record < kRecords; ++record)
    bytes[kFirstDayCount + kStride * record] = kDays[record];

  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::cerr << "cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
