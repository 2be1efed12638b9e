// Times a load + save round trip through the engine against a bare read + write of the same file,
// both flushed to disk. The two take turns, one of each per pair and in alternating order, so that
// a busy moment of the machine weighs on both alike; each ratio is taken within its pair. Prints
// the medians with their quartiles.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "bench/quartiles.h"
#include "core/editor_engine.h"
#include "tests/support/fake_window.h"
#include "tests/support/test_files.h"

namespace tallyvane {
namespace {

struct Pairs {
  std::vector<double> engine, bare, ratio;  // nanoseconds, nanoseconds, engine / bare
};
Pairs pairs;

template <typename Work>
double Nanoseconds(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
}

void BareReadWrite(const std::string& path, std::vector<std::uint8_t>& buffer) {
  const int in = ::open(path.c_str(), O_RDONLY);
  const ssize_t length = ::read(in, buffer.data(), buffer.size());
  ::close(in);
  const int out = ::open(path.c_str(), O_WRONLY);
  benchmark::DoNotOptimize(::pwrite(out, buffer.data(), static_cast<std::size_t>(length), 0));
  ::fsync(out);
  ::close(out);
}

void EngineAgainstBareReadWrite(benchmark::State& state) {
  test::TempFolder folder;
  test::CurrentDirectoryScope inFolder(folder.path());
  test::WriteBytes(folder / "Length.dat", test::SampleDaysTable(4096));
  const std::string path = test::PathUtf8(folder / "Length.dat");
  std::vector<std::uint8_t> buffer(1 << 16);
  test::FakeFields fields;
  test::FakeMessages messages;
  EditorEngine engine(fields, messages);
  engine.InitEditorState();

  const auto roundTrip = [&] {
    engine.LoadDaysTable();
    engine.SaveDaysTable("guard");
    messages.shown.clear();
  };
  const auto bare = [&] { BareReadWrite(path, buffer); };
  bool engineFirst = true;
  for (auto _ : state) {
    double engineNs = 0, bareNs = 0;
    if (engineFirst) {
      engineNs = Nanoseconds(roundTrip);
      bareNs = Nanoseconds(bare);
    } else {
      bareNs = Nanoseconds(bare);
      engineNs = Nanoseconds(roundTrip);
    }
    engineFirst = !engineFirst;
    state.SetIterationTime((engineNs + bareNs) * 1e-9);
    pairs.engine.push_back(engineNs);
    pairs.bare.push_back(bareNs);
    pairs.ratio.push_back(engineNs / bareNs);
  }
}

BENCHMARK(EngineAgainstBareReadWrite)->UseManualTime()->MinTime(5.0);

void Print(const char* what, const std::vector<double>& samples, const char* unit, double scale) {
  const bench::Quartiles q = bench::QuartilesOf(samples);
  std::printf("%-34s median %9.2f%s  quartiles %.2f-%.2f%s\n", what, q.median * scale, unit,
              q.first * scale, q.third * scale, unit);
}

}  // namespace
}  // namespace tallyvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  using tallyvane::pairs;
  std::printf("%zu pairs, taken in turns\n", pairs.ratio.size());
  tallyvane::Print("engine load+save round trip", pairs.engine, " us", 1e-3);
  tallyvane::Print("bare read+write", pairs.bare, " us", 1e-3);
  tallyvane::Print("engine / bare, pair by pair", pairs.ratio, "x", 1);
  return 0;
}
