// Find against glibc memmem over 1 MB of mixed GBK text, for a needle that sits at the end.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "text/search.h"

namespace {

constexpr std::size_t kPageSize = 1 << 20;
const std::string kNeedle = "<a href=\"play.html\">播放</a>";

// Chinese words, ASCII markup and blanks mixed roughly as on the catalogue's pages.
std::string MixedPage() {
  const char* pieces[] = {"电影", "<td class=\"t\">",    "  ",   "主演：", "abc", "2009",
                          "\r\n", "<a href=\"x.html\">", "青禾", "</a>"};
  std::mt19937 random(7);
  std::string page;
  while (page.size() < kPageSize)
    page += pieces[random() % std::size(pieces)];
  page.resize(kPageSize);
  return page + kNeedle;
}

const std::string& Page() {
  static const std::string page = MixedPage();
  return page;
}

void BM_Find(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(text::Find(Page(), kNeedle));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Page().size()));
}

void BM_FindIgnoringCase(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(text::Find(Page(), kNeedle, 1, true));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Page().size()));
}

void BM_Memmem(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(memmem(Page().data(), Page().size(), kNeedle.data(), kNeedle.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Page().size()));
}

BENCHMARK(BM_Find);
BENCHMARK(BM_FindIgnoringCase);
BENCHMARK(BM_Memmem);

}  // namespace

BENCHMARK_MAIN();
