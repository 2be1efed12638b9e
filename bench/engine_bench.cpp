// Times a load + save round trip through the engine against a bare read + write of the same file
// (both flushed to disk), and prints the ratio.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <map>

#include "core/editor_engine.h"
#include "tests/support/fake_window.h"
#include "tests/support/test_files.h"

namespace tallyvane {
namespace {

struct Fixture {
  test::TempFolder folder;
  test::CurrentDirectoryScope inFolder{folder.path()};
  std::string path = test::PathUtf8(folder / "Length.dat");
  Fixture() { test::WriteBytes(folder / "Length.dat", test::SampleDaysTable(4096)); }
};

void EngineRoundTrip(benchmark::State& state) {
  Fixture fixture;
  test::FakeFields fields;
  test::FakeMessages messages;
  EditorEngine engine(fields, messages);
  engine.InitEditorState();
  for (auto _ : state) {
    engine.LoadDaysTable();
    engine.SaveDaysTable("guard");
    messages.shown.clear();
  }
}

void BareReadWrite(benchmark::State& state) {
  Fixture fixture;
  std::vector<std::uint8_t> buffer(1 << 16);
  for (auto _ : state) {
    const int in = ::open(fixture.path.c_str(), O_RDONLY);
    const ssize_t length = ::read(in, buffer.data(), buffer.size());
    ::close(in);
    const int out = ::open(fixture.path.c_str(), O_WRONLY);
    benchmark::DoNotOptimize(::pwrite(out, buffer.data(), static_cast<std::size_t>(length), 0));
    ::fsync(out);
    ::close(out);
  }
}

// Medians of several runs: the flush to disk makes single runs noisy.
BENCHMARK(EngineRoundTrip)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BareReadWrite)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);

// Keeps each benchmark's time per iteration for the ratio line.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  RecordingReporter() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.aggregate_name == "median")
        nanoseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> nanoseconds;
};

}  // namespace
}  // namespace tallyvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  tallyvane::RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double engine = reporter.nanoseconds["EngineRoundTrip"];
  const double bare = reporter.nanoseconds["BareReadWrite"];
  if (engine > 0 && bare > 0)
    std::printf("median engine round trip / bare read+write = %.2fx (goal <= 1.5x)\n",
                engine / bare);
  benchmark::Shutdown();
  return 0;
}
