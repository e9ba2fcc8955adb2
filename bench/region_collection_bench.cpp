// A region collection over 200 listing pages of the demo site's large catalogue, with the
// real page fetch and the pending-event processing after every entry, against a plain fetch
// of the same 200 pages. The collection loop is the one the catalogue window runs: fetch the
// page (keeping it as the last page), cut its entries, and for each entry read the region
// box, put a kept row on top of the list and let the window process its events.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "catalogue/catalogue_state.h"
#include "catalogue/catalogue_texts.h"
#include "catalogue/categories.h"
#include "catalogue/listing_scraper.h"
#include "catalogue/title_rows.h"
#include "demo/demo_site.h"
#include "net/page_fetch.h"
#include "qt_events.h"

namespace {

constexpr int kPages = 200;
constexpr int kFilmTab = 0;
// Korean titles are about two in nine, so 200 pages stay below the list's 999-row stop.
constexpr char kRegion[] = "韩国";

demo::DemoSite* site = nullptr;

std::string CatalogueBase() {
  return site->Sites().catalogueBase;
}

std::size_t FetchAllPages(net::PageFetch& fetch, const std::string& base) {
  std::size_t bytes = 0;
  for (int page = 1; page <= kPages; ++page) {
    const std::string body = fetch.Fetch(catalogue::CategoryUrl(base, kFilmTab, page));
    bytes += body.size();
    benchmark::DoNotOptimize(body);
  }
  return bytes;
}

// The rows the collection keeps, newest on top.
std::size_t CollectRegion(net::PageFetch& fetch, const std::string& base,
                          const std::string& regionBox) {
  catalogue::CatalogueState catalogueState;
  // A list control puts a row on top without moving the others.
  std::deque<catalogue::TitleRow> list;
  for (int page = 1; page <= kPages; ++page) {
    if (static_cast<int>(list.size()) >= catalogue::kRegionCollectionRowLimit) break;
    const std::vector<catalogue::ListingEntry> entries = catalogue::ScrapeListing(
        catalogue::FetchPage(catalogueState, fetch, catalogue::CategoryUrl(base, kFilmTab, page)));
    if (entries.empty()) break;
    for (const catalogue::ListingEntry& entry : entries) {
      if (auto row = catalogue::RegionRow(entry, regionBox, static_cast<int>(list.size()))) {
        list.push_front(std::move(*row));
      }
      bench::ProcessPendingEvents();
    }
  }
  return list.size();
}

void BM_PlainFetch(benchmark::State& state) {
  net::CurlPageFetch fetch;
  const std::string base = CatalogueBase();
  std::size_t bytes = 0;
  for (auto _ : state)
    bytes += FetchAllPages(fetch, base);
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations() * kPages),
                                                 benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

void BM_RegionCollection(benchmark::State& state) {
  net::CurlPageFetch fetch;
  const std::string base = CatalogueBase();
  const std::string regionBox = kRegion;
  std::size_t rowsCollected = 0;
  for (auto _ : state)
    rowsCollected = CollectRegion(fetch, base, regionBox);
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations() * kPages),
                                                 benchmark::Counter::kIsRate);
  state.counters["rows"] = static_cast<double>(rowsCollected);
}

// <chrono> cannot be compiled with a GBK execution character set, so the clock is read here.
double NowSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The two passes in turn, so that both see the same load on a shared machine: the counter
// "ratio" is the collection's page rate over the plain fetch's.
void BM_CollectionAgainstPlainFetch(benchmark::State& state) {
  net::CurlPageFetch fetch;
  const std::string base = CatalogueBase();
  const std::string regionBox = kRegion;
  double plain = 0;
  double collection = 0;
  bool plainFirst = true;
  const auto timePlain = [&] {
    const double start = NowSeconds();
    FetchAllPages(fetch, base);
    plain += NowSeconds() - start;
  };
  const auto timeCollection = [&] {
    const double start = NowSeconds();
    benchmark::DoNotOptimize(CollectRegion(fetch, base, regionBox));
    collection += NowSeconds() - start;
  };
  // Each goes first every other time, so neither gains from going second.
  for (auto _ : state) {
    if (plainFirst) {
      timePlain();
      timeCollection();
    } else {
      timeCollection();
      timePlain();
    }
    plainFirst = !plainFirst;
  }
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["ratio"] = plain / collection;
  state.counters["plain_ms"] = plain * 1000 / iterations;
  state.counters["collection_ms"] = collection * 1000 / iterations;
}

// The pages fetched once and handed out again, to show what the collection itself costs.
class StoredPages final : public net::PageFetch {
 public:
  explicit StoredPages(const std::string& base) {
    net::CurlPageFetch fetch;
    for (int page = 1; page <= kPages; ++page) {
      const std::string url = catalogue::CategoryUrl(base, kFilmTab, page);
      pages_[url] = fetch.Fetch(url);
    }
  }
  std::string Fetch(std::string_view url) override { return pages_[std::string(url)]; }

 private:
  std::map<std::string, std::string> pages_;
};

void BM_RegionCollectionWithoutNetwork(benchmark::State& state) {
  const std::string base = CatalogueBase();
  StoredPages fetch(base);
  const std::string regionBox = kRegion;
  for (auto _ : state)
    benchmark::DoNotOptimize(CollectRegion(fetch, base, regionBox));
}

BENCHMARK(BM_PlainFetch)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_RegionCollection)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_RegionCollectionWithoutNetwork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectionAgainstPlainFetch)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  bench::EventApplication application(argc, argv);
  demo::DemoSite large(demo::CatalogueSize::kLarge);
  if (!large.Start()) {
    std::fprintf(stderr, "region_collection_bench: cannot start the demo site\n");
    return 1;
  }
  site = &large;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  site = nullptr;
  return 0;
}
