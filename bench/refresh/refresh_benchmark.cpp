// What listing the volumes costs: RefreshVolumeLists through the function
// table into the check lists, next to the bare enumeration through the
// simulated volume functions alone, for 10, 1,000 and 10,000 volumes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/native/harness.h"

namespace voranel {
namespace {

// The simulation logs every call; the log is emptied, outside the timing,
// before it grows past this many calls.
constexpr std::size_t kCallLogLimit = 1 << 16;

// A table like a large server's: the first volumes at drive letters, the rest
// at mounted folders, every fifth without any mount path.
sim::MountState Volumes(int count) {
  sim::MountState state;
  for (int i = 0; i < count; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "\\\\?\\Volume{%08x-0000-11ee-8000-%012x}\\", i * 2654435761u,
                  i);
    sim::Volume volume{name, {}};
    if (i < 24) volume.paths.push_back(std::string(1, static_cast<char>('C' + i)) + ":\\");
    if (i % 5 != 4) volume.paths.push_back("C:\\mnt\\disk" + std::to_string(i) + "\\");
    state.volumes.push_back(std::move(volume));
  }
  return state;
}

void RefreshVolumeLists(benchmark::State& run) {
  const int count = static_cast<int>(run.range(0));
  testing::Harness harness(sim::FormatState(Volumes(count)));
  for (auto _ : run) {
    RefreshVolumeLists(harness.table, harness.window);
    if (harness.manager.Calls().size() > kCallLogLimit) {
      run.PauseTiming();
      harness.manager.ClearCalls();
      run.ResumeTiming();
    }
  }
  if (harness.window.current.Count() != count) run.SkipWithError("not every volume was listed");
  run.SetItemsProcessed(run.iterations() * count);
}

void BareEnumeration(benchmark::State& run) {
  const int count = static_cast<int>(run.range(0));
  sim::MountManager manager(Volumes(count));
  char volume[kBufferCapacity];
  char paths[kBufferCapacity];
  int listed = 0;
  for (auto _ : run) {
    listed = 0;
    const SearchHandle search = manager.FirstVolume(volume, kBufferCapacity);
    if (search != InvalidSearchHandle()) {
      do {
        manager.PathNames(volume, paths, kBufferCapacity, nullptr);
        benchmark::DoNotOptimize(paths);
        ++listed;
      } while (manager.NextVolume(search, volume, kBufferCapacity));
      manager.CloseSearch(search);
    }
    if (manager.Calls().size() > kCallLogLimit) {
      run.PauseTiming();
      manager.ClearCalls();
      run.ResumeTiming();
    }
  }
  if (listed != count) run.SkipWithError("not every volume was enumerated");
  run.SetItemsProcessed(run.iterations() * count);
}

// Other work on a shared machine only ever slows a repetition down, so the
// fastest of several repetitions is the figure to compare.
double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

BENCHMARK(RefreshVolumeLists)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BareEnumeration)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Fastest);

}  // namespace
}  // namespace voranel

BENCHMARK_MAIN();
