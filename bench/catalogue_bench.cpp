// The listing scraper against Boost.Regex on the same pages: a good page, a page with one broken
// entry followed by the rest of the page, and a page served with bare line feeds.
#include <benchmark/benchmark.h>

#include <boost/regex.hpp>

#include <string>

#include "catalogue/listing_page_maker.h"
#include "catalogue/listing_scraper.h"
#include "catalogue/pattern_helpers.h"
#include "catalogue/script_regex.h"

namespace {

constexpr std::size_t k400K = 400 * 1024;
constexpr std::size_t k1M = 1024 * 1024;

enum PageKind { kGood, kBroken, kLineFeeds };

const std::string& Page(PageKind kind, std::size_t bytes) {
  static std::string pages[3][2];
  std::string& page = pages[kind][bytes == k1M ? 1 : 0];
  if (page.empty()) {
    page = kind == kGood     ? testing_support::GoodListingPage(bytes)
           : kind == kBroken ? testing_support::BrokenListingPage(bytes)
                             : testing_support::LineFeedListingPage(bytes);
  }
  return page;
}

void BM_Scraper(benchmark::State& state, PageKind kind, std::size_t bytes) {
  const std::string& page = Page(kind, bytes);
  std::size_t entries = 0;
  for (auto _ : state) {
    auto result = catalogue::ScrapeListing(page);
    entries = result.size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

void BM_Boost(benchmark::State& state, PageKind kind, std::size_t bytes) {
  const std::string& page = Page(kind, bytes);
  const std::string_view pattern = catalogue::ListingPattern();
  const boost::regex regex(pattern.begin(), pattern.end(), boost::regex_constants::perl);
  std::size_t entries = 0;
  for (auto _ : state) {
    try {
      entries = 0;
      for (boost::cregex_iterator it(page.data(), page.data() + page.size(), regex), end; it != end;
           ++it)
        ++entries;
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      break;
    }
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

BENCHMARK_CAPTURE(BM_Scraper, broken_400K, kBroken, k400K)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Scraper, good_1M, kGood, k1M)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Scraper, broken_1M, kBroken, k1M)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Scraper, line_feeds_400K, kLineFeeds, k400K)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Boost, broken_400K, kBroken, k400K)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Boost, good_1M, kGood, k1M)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Boost, broken_1M, kBroken, k1M)->Unit(benchmark::kMillisecond)->Iterations(1);
// Boost on a page with bare line feeds backtracks exponentially and gives up with
// "complexity exceeded" only after tens of seconds even at 50 KB, so it is left out.

// Pieces between literal markers on the broken 1 MB page: the poster links close on every
// entry, but the sidebar's links never meet the right marker.
constexpr std::string_view kLinkLeft = "<a href=\"";
constexpr std::string_view kLinkRight = "\" class=\"i\"><img src=";

void BM_ExtractAllBetween(benchmark::State& state) {
  const std::string& page = Page(kBroken, k1M);
  std::size_t pieces = 0;
  for (auto _ : state)
    pieces = catalogue::ExtractAllBetween(page, kLinkLeft, kLinkRight).size();
  state.counters["pieces"] = static_cast<double>(pieces);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

void BM_ExtractAllBetweenByRegex(benchmark::State& state) {
  const std::string& page = Page(kBroken, k1M);
  const std::string pattern =
      catalogue::EscapeMarker(kLinkLeft) + "([\\s\\S]*?)" + catalogue::EscapeMarker(kLinkRight);
  int pieces = 0;
  for (auto _ : state) {
    catalogue::ScriptRegex regex;
    regex.Execute(pattern, page);
    pieces = regex.MatchCount();
  }
  state.counters["pieces"] = pieces;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

BENCHMARK(BM_ExtractAllBetween)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractAllBetweenByRegex)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
BENCHMARK_MAIN();
