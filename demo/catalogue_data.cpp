#include "demo/catalogue_data.h"

#include <array>

#include "text/search.h"

namespace demo {
namespace {

struct CategoryInfo {
  int number;
  const char* name;
  int normalTitles;  // chosen so that the last pages hold different numbers of entries
  bool series;       // lists series, whose status counts episodes
};

constexpr std::array<CategoryInfo, 18> kCategories = {{
    {15, "电影", 97, false},
    {16, "电视剧", 66, true},
    {8, "综艺片", 33, true},
    {1, "动作片", 45, false},
    {2, "喜剧片", 40, false},
    {3, "爱情片", 38, false},
    {4, "科幻片", 50, false},
    {5, "恐怖片", 29, false},
    {6, "剧情片", 44, false},
    {13, "战争片", 25, false},
    {14, "其他片", 19, false},
    {9, "国产剧", 41, true},
    {10, "港台剧", 27, true},
    {11, "欧美剧", 39, true},
    {12, "日韩剧", 31, true},
    {17, "新马泰", 23, true},
    {7, "漫画", 20, false},
    {21, "3D电影", 36, false},
}};

constexpr std::array<int, 18> kCategoryNumbers = {15, 16, 8, 1,  2,  3,  4,  5, 6,
                                                  13, 14, 9, 10, 11, 12, 17, 7, 21};

// The large catalogue gives every category this many full pages before its last one.
constexpr int kLargeFullPages = 300;

// The one entry whose markup deviates: the fifth of page 3 of the film category.
constexpr int kDeviatingCategory = 15;
constexpr int kDeviatingIndex = 2 * kTitlesPerListingPage + 4;

constexpr std::array<const char*, 30> kNameStarts = {
    "山海", "晚风", "青禾", "白鹭", "竹林", "海棠", "星河", "长夜", "江南", "雪国",
    "孤城", "暖阳", "春雷", "秋水", "松果", "云端", "烟雨", "铁血", "迷雾", "追光",
    "归途", "少年", "北方", "夏日", "深海", "天际", "旧梦", "飞鸟", "红尘", "明月"};
constexpr std::array<const char*, 30> kNameEnds = {
    "之间", "的灯塔", "的夏天", "飞过的河", "深处", "花开时", "往事", "传说",   "行动",   "密码",
    "之恋", "档案",   "风云",   "奇遇",     "归来", "重生",   "迷踪", "守望者", "大冒险", "之夜",
    "笔记", "边境",   "危机",   "战记",     "日记", "来信",   "之歌", "故事",   "疑云",   "列车"};

// Plain regions and texts that hold more than one of them.
constexpr std::array<const char*, 9> kRegionTexts = {
    "大陆", "台湾", "韩国", "欧美", "日本", "其他", "香港台湾", "大陆香港", "日本韩国"};

constexpr std::array<const char*, 16> kActorNames = {
    "林青禾", "周远山", "陈晓白", "王一鸣", "李若溪", "张海棠", "赵星河", "孙雨桐",
    "吴子墨", "郑南风", "何晚晴", "高云飞", "许长安", "沈知秋", "韩冬青", "叶清朗"};

constexpr std::array<const char*, 4> kQualities = {"HD", "BD", "DVD", "TC"};
constexpr std::array<const char*, 3> kFilmStatuses = {"HD高清", "BD超清", "DVD"};

// The tags download sites put before the title in their file names, letter case as they
// write them.
constexpr std::array<const char*, 10> kDownloadSiteTags = {
    "[禾苗电影网www.HeMiao.cc]",     "[禾苗电影网www.hemiao.cc]",  "[青禾影视www.QingHe-Ys.com]",
    "[云点播资源www.YunDianBo.net]", "[河畔影院www.hepan-TV.com]", "[晨星电影www.ChenXing.org]",
    "[高清下载站www.GaoQing8.com]",  "[麦田影视www.MaiTian.tv]",   "[星空电影www.XingKong99.com]",
    "[蓝海资源www.LanHai.cn]",
};
constexpr std::array<const char*, 3> kVideoExtensions = {".rmvb", ".mkv", ".mp4"};

// How a title's detail page lists its resources, in turn by ordinal.
struct ResourceKind {
  int firstKind;
  bool separatorAfterList;
  int secondKind;
};
constexpr std::array<ResourceKind, 5> kResourceKinds = {{
    {3, true, 0},
    {3, false, 1},
    {0, false, 2},  // only the second kind
    {2, true, 2},
    {1, true, 0},
}};

const CategoryInfo* Info(int category) {
  for (const CategoryInfo& info : kCategories) {
    if (info.number == category) return &info;
  }
  return nullptr;
}

template <std::size_t N>
const char* Pick(const std::array<const char*, N>& from, unsigned value) {
  return from[value % N];
}

// A spread of a title's ordinal, so that neighbouring titles differ in more than one place.
unsigned Mix(int ordinal) {
  unsigned h = static_cast<unsigned>(ordinal) * 2654435761u;
  return h ^ (h >> 15);
}

std::string NameAt(int ordinal) {
  const int combinations = static_cast<int>(kNameStarts.size() * kNameEnds.size());
  const auto o = static_cast<unsigned>(ordinal);
  std::string name = Pick(kNameStarts, o);
  name += Pick(kNameEnds, o / static_cast<unsigned>(kNameStarts.size()));
  if (ordinal >= combinations) name += std::to_string(ordinal / combinations + 1);
  return name;
}

}  // namespace

Catalogue::Catalogue(CatalogueSize size) {
  int ordinal = 0;
  for (int number : kCategoryNumbers) {
    const CategoryInfo& info = *Info(number);
    const int titles =
        size == CatalogueSize::kNormal
            ? info.normalTitles
            : kLargeFullPages * kTitlesPerListingPage + info.normalTitles % kTitlesPerListingPage;
    categories_.push_back({number, titles, ordinal});
    ordinal += titles;
  }
}

std::span<const int> Catalogue::CategoryNumbers() {
  return kCategoryNumbers;
}

std::string_view Catalogue::CategoryName(int category) {
  const CategoryInfo* info = Info(category);
  return info ? info->name : "";
}

int Catalogue::TitleCount(int category) const {
  for (const Category& c : categories_) {
    if (c.number == category) return c.titles;
  }
  return 0;
}

int Catalogue::OrdinalOffset(int category) const {
  for (const Category& c : categories_) {
    if (c.number == category) return c.firstOrdinal;
  }
  return 0;
}

int Catalogue::PageCount(int category) const {
  return (TitleCount(category) + kTitlesPerListingPage - 1) / kTitlesPerListingPage;
}

std::vector<CatalogueTitle> Catalogue::Page(int category, int page) const {
  std::vector<CatalogueTitle> titles;
  const int count = TitleCount(category);
  if (page < 1) return titles;
  const int offset = OrdinalOffset(category);
  for (int index = (page - 1) * kTitlesPerListingPage;
       index < count && index < page * kTitlesPerListingPage; ++index) {
    titles.push_back(TitleAt(category, index, offset + index));
  }
  return titles;
}

std::optional<CatalogueTitle> Catalogue::TitleById(int id) const {
  const int category = id / kIdsPerCategory;
  const int index = id % kIdsPerCategory;
  if (id < 0 || index >= TitleCount(category)) return std::nullopt;
  return TitleAt(category, index, OrdinalOffset(category) + index);
}

std::vector<CatalogueTitle> Catalogue::Search(std::string_view words) const {
  std::vector<CatalogueTitle> found;
  for (const Category& c : categories_) {
    for (int index = 0; index < c.titles; ++index) {
      if (words.empty() || text::Find(NameAt(c.firstOrdinal + index), words) != text::kNotFound) {
        found.push_back(TitleAt(c.number, index, c.firstOrdinal + index));
      }
    }
  }
  return found;
}

bool Catalogue::HasDeviatingEntry(const CatalogueTitle& title) {
  return title.category == kDeviatingCategory && title.id % kIdsPerCategory == kDeviatingIndex;
}

CatalogueTitle Catalogue::TitleAt(int category, int index, int ordinal) const {
  const unsigned h = Mix(ordinal);
  const CategoryInfo& info = *Info(category);
  CatalogueTitle title;
  title.id = category * kIdsPerCategory + index;
  title.category = category;
  title.ordinal = ordinal;
  title.name = NameAt(ordinal);
  title.region = Pick(kRegionTexts, h >> 3);
  // Every 29th title has no actors listed.
  if (ordinal % 29 != 28) {
    title.actors = std::string(Pick(kActorNames, h >> 7)) + " " + Pick(kActorNames, h >> 11);
  }
  if (info.series) {
    title.status =
        h % 3 == 0 ? std::string("完结") : "更新至" + std::to_string(1 + (h >> 5) % 40) + "集";
  } else {
    title.status = Pick(kFilmStatuses, h >> 5);
  }
  title.quality = Pick(kQualities, h >> 9);
  title.score = std::to_string(5 + (h >> 13) % 5);
  title.decimals = "." + std::to_string((h >> 17) % 10);
  title.year = std::to_string(2001 + (h >> 19) % 14);
  title.starClass = "star" + std::to_string(1 + (h >> 13) % 5);
  const ResourceKind& kind = kResourceKinds[static_cast<std::size_t>(ordinal) % 5];
  title.firstKindCount = kind.firstKind;
  title.separatorAfterList = kind.separatorAfterList;
  title.secondKindCount = kind.secondKind;
  return title;
}

std::string FirstKindFileName(const CatalogueTitle& title, int k) {
  const auto o = static_cast<unsigned>(title.ordinal + 3 * k);
  return Pick(kDownloadSiteTags, o) + title.name + Pick(kVideoExtensions, static_cast<unsigned>(k));
}

std::string SecondKindFileName(const CatalogueTitle& title, int k) {
  const auto o = static_cast<unsigned>(title.ordinal + 5 + k);
  return Pick(kDownloadSiteTags, o) + title.name +
         Pick(kVideoExtensions, static_cast<unsigned>(2 - k));
}

std::string SecondKindCid(const CatalogueTitle& title, int k) {
  return std::to_string(static_cast<long long>(title.id) * 10 + k);
}

}  // namespace demo
