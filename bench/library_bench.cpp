// Reading and writing the record file of the saved list, for lists of growing length.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "library/record_file.h"

namespace {

std::vector<library::SavedEntry> Entries(int count) {
  std::vector<library::SavedEntry> entries;
  for (int n = 0; n < count; ++n)
    entries.push_back({"泰囧" + std::to_string(n) + "国语中字",
                       "http://127.0.0.1/movie/" + std::to_string(n) + "/play.rmvb"});
  return entries;
}

void BM_ParseRecordFile(benchmark::State& state) {
  const std::string file = library::RecordFileText(Entries(static_cast<int>(state.range(0))));
  for (auto _ : state)
    benchmark::DoNotOptimize(library::ParseRecordFile(file));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * state.range(0)));
}

void BM_RecordFileText(benchmark::State& state) {
  const auto entries = Entries(static_cast<int>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(library::RecordFileText(entries));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * state.range(0)));
}

}  // namespace

BENCHMARK(BM_ParseRecordFile)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordFileText)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
