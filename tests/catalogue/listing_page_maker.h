#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace testing_support {

// The thirteen values of one title entry, in the order the site's markup holds them.
struct EntryValues {
  std::string link, poster, title, score, decimals, quality, detail, heading, afterHeading,
      starClass, actors, status, region;
};

// Values for entry `index`, GBK.
EntryValues ValuesForEntry(int index);

// The markup of one entry exactly as the site writes it (CRLF, its indentation and tab).
std::string EntryMarkup(const EntryValues& values);

// How an entry may deviate from the site's markup.
enum class Deviation {
  kNone,
  kNoRegionLine,   // the status/region line is missing
  kBareLineFeeds,  // LF instead of CRLF inside the entry
  kCutShort,       // the entry stops after its first line
};
std::string DeviatingEntryMarkup(const EntryValues& values, Deviation deviation);

// A listing page: header, `entries` entries between list-item tags, footer with links. Every
// entry numbered in `broken` (from 0; -1 for none) deviates as given.
std::string ListingPage(int entries, int broken = -1, Deviation deviation = Deviation::kNone);

// A listing page of at least `bytes` bytes whose entries all fit the markup.
std::string GoodListingPage(std::size_t bytes);

// A listing page of at least `bytes` bytes: good entries for the first half, then one entry
// that stops after its first line, then the rest of the page as a list of plain links (the
// site's sidebar). No entry can complete after the broken one, and each link opens a match
// attempt that a backtracking engine carries to the end of the page.
std::string BrokenListingPage(std::size_t bytes);

// A listing page of at least `bytes` bytes served with bare line feeds: no entry fits.
std::string LineFeedListingPage(std::size_t bytes);

// A random page for differential testing: entries, some deviating, some cut at a random byte,
// and noise built from fragments of the markup between them.
std::string RandomListingPage(std::mt19937& random, int entries);

}  // namespace testing_support
