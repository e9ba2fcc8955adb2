#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace demo {

// The normal catalogue has a few pages per category (the film category six); the large one
// hundreds per category, for measuring long region collections.
enum class CatalogueSize { kNormal, kLarge };

// The site lists 18 titles a page.
inline constexpr int kTitlesPerListingPage = 18;

// One title of the demo catalogue. Everything about it follows from its place in the
// catalogue, so that no title needs to be stored.
struct CatalogueTitle {
  int id = 0;        // category * kIdsPerCategory + index in the category
  int category = 0;  // the site's category number
  int ordinal = 0;   // place among all titles of the catalogue, from 0
  std::string name;  // GBK, like every text below
  std::string region;
  std::string actors;  // may be empty
  std::string status;
  std::string quality;
  std::string score;     // whole part, "8"
  std::string decimals;  // ".5"
  std::string year;
  std::string starClass;
  // How the detail page lists the ready-made addresses: their number (0 for none) and whether
  // another "###" follows later on the page, which the site writes for some titles only.
  int firstKindCount = 0;
  bool separatorAfterList = false;
  // The cid/mc pairs of the second kind on the detail page.
  int secondKindCount = 0;
};

inline constexpr int kIdsPerCategory = 100000;

class Catalogue {
 public:
  explicit Catalogue(CatalogueSize size);

  // The site's category numbers, in the order of its navigation bar, and their names (GBK).
  static std::span<const int> CategoryNumbers();
  static std::string_view CategoryName(int category);

  int TitleCount(int category) const;  // 0 for a number the site does not have
  int PageCount(int category) const;
  // The titles of listing page `page` (from 1) of a category; empty past its last page.
  std::vector<CatalogueTitle> Page(int category, int page) const;
  std::optional<CatalogueTitle> TitleById(int id) const;
  // Every title whose name holds `words` (GBK, compared by characters), in catalogue order;
  // empty words match every title, as the site's search does.
  std::vector<CatalogueTitle> Search(std::string_view words) const;

  // Whether the listing markup of this title deviates from the site's entry markup: one entry
  // of the catalogue lacks its status and region line.
  static bool HasDeviatingEntry(const CatalogueTitle& title);

 private:
  CatalogueTitle TitleAt(int category, int index, int ordinal) const;
  int OrdinalOffset(int category) const;

  struct Category {
    int number;
    int titles;
    int firstOrdinal;
  };
  std::vector<Category> categories_;
};

// The file name of the k-th (from 0) ready-made address of a title and of its k-th
// second-kind resource: a download site's tag, the title's name and a video extension.
std::string FirstKindFileName(const CatalogueTitle& title, int k);
std::string SecondKindFileName(const CatalogueTitle& title, int k);
// The cid of a title's k-th second-kind pair.
std::string SecondKindCid(const CatalogueTitle& title, int k);

}  // namespace demo
