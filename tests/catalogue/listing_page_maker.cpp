#include "catalogue/listing_page_maker.h"

#include <array>
#include <string_view>

namespace testing_support {
namespace {

const std::string kCrLf = "\r\n";
const std::string kIndent22(22, ' ');
const std::string kIndent24(24, ' ');

const char* const kHeader =
    "<html>\r\n<head><title>电影</title></head>\r\n<body>\r\n"
    "<div class=\"nav\"><a href=\"/\">首页</a> <a href=\"/GvodHtml/15.html\">电影</a></div>\r\n"
    "<ul class=\"list\">\r\n";
const char* const kFooter =
    "</ul>\r\n<div class=\"page\"><a href=\"/GvodHtml/15_2.html\">下一页</a>"
    "<a href=\"/GvodHtml/15_9.html\">尾页</a></div>\r\n</body>\r\n</html>\r\n";

std::string Line1(const EntryValues& v) {
  return "<a href=\"" + v.link + "\" class=\"i\"><img src=\"" + v.poster + "\" alt=\"" + v.title +
         "\" /><em class=\"green_score\"><em class=\"fenshu\">" + v.score + "<sup>" + v.decimals +
         "</sup></em></em><em class=\"v\">" + v.quality + "</em></a>";
}

std::array<std::string, 6> Lines(const EntryValues& v) {
  return {Line1(v),
          kIndent22 + "<div class=\"info\">",
          kIndent22 + "\t<h1 class=\"c0071bc\"><a href=\"" + v.detail + "\">" + v.heading +
              "</a><em>" + v.afterHeading + "</em></h1>",
          kIndent24 + "<div class=\"star\"><p class=\"" + v.starClass + "\"></p></div>",
          kIndent24 + "<p>主演：" + v.actors + "</p>",
          kIndent24 + "<p><b>状态：" + v.status + "</b><b>地区：" + v.region + "</b></p>"};
}

std::string Join(const std::array<std::string, 6>& lines, std::size_t count,
                 const std::string& separator) {
  std::string out;
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0) out += separator;
    out += lines[k];
  }
  return out;
}

std::string ListItem(const std::string& entry) {
  return "<li>" + entry + kCrLf + kIndent22 + "</div>\r\n</li>\r\n";
}

}  // namespace

EntryValues ValuesForEntry(int index) {
  static const char* const kTitles[] = {"变形金刚", "大话西游", "让子弹飞", "无间道", "霸王别姬"};
  static const char* const kRegions[] = {"大陆", "台湾", "韩国", "欧美", "日本", "中国台湾"};
  static const char* const kActors[] = {"周星驰 吴孟达", "梁朝伟 刘德华", "张国荣", "",
                                        "姜文 葛优\r\n周润发"};
  const std::string n = std::to_string(index);
  const std::size_t i = static_cast<std::size_t>(index);
  return {"/movie/" + n + ".html",
          "http://img.example.test/p" + n + ".jpg",
          std::string(kTitles[i % 5]) + n,
          std::to_string(5 + index % 5),
          std::string(".").append(std::to_string(index % 10)),
          index % 2 ? "HD" : "BD",
          "/GvodHtml/movie" + n + ".html",
          std::string(kTitles[i % 5]) + n,
          std::string("(").append(std::to_string(2000 + index % 20)).append(")"),
          std::string("star").append(std::to_string(index % 5)),
          kActors[i % 5],
          index % 3 ? std::string("更新至").append(n).append("集") : std::string("完结"),
          kRegions[i % 6]};
}

std::string EntryMarkup(const EntryValues& values) {
  return Join(Lines(values), 6, kCrLf);
}

std::string DeviatingEntryMarkup(const EntryValues& values, Deviation deviation) {
  switch (deviation) {
    case Deviation::kNone:
      return EntryMarkup(values);
    case Deviation::kNoRegionLine:
      return Join(Lines(values), 5, kCrLf);
    case Deviation::kBareLineFeeds:
      return Join(Lines(values), 6, "\n");
    case Deviation::kCutShort:
      return Join(Lines(values), 1, kCrLf);
  }
  return {};
}

std::string ListingPage(int entries, int broken, Deviation deviation) {
  std::string page = kHeader;
  for (int k = 0; k < entries; ++k) {
    const EntryValues values = ValuesForEntry(k);
    page += ListItem(k == broken ? DeviatingEntryMarkup(values, deviation) : EntryMarkup(values));
  }
  return page + kFooter;
}

std::string GoodListingPage(std::size_t bytes) {
  std::string page = kHeader;
  for (int k = 0; page.size() < bytes; ++k)
    page += ListItem(EntryMarkup(ValuesForEntry(k)));
  return page + kFooter;
}

std::string BrokenListingPage(std::size_t bytes) {
  std::string page = kHeader;
  int k = 0;
  while (page.size() < bytes / 2)
    page += ListItem(EntryMarkup(ValuesForEntry(k++)));
  page += ListItem(DeviatingEntryMarkup(ValuesForEntry(k), Deviation::kCutShort));
  page += "</ul>\r\n<ul class=\"side\">\r\n";
  for (int link = 0; page.size() < bytes; ++link) {
    const std::string n = std::to_string(link);
    page += "<li><a href=\"/GvodHtml/hot" + n + ".html\">热门" + n + "</a></li>\r\n";
  }
  return page + kFooter;
}

std::string LineFeedListingPage(std::size_t bytes) {
  std::string page = kHeader;
  for (int k = 0; page.size() < bytes; ++k)
    page += ListItem(DeviatingEntryMarkup(ValuesForEntry(k), Deviation::kBareLineFeeds));
  return page + kFooter;
}

std::string RandomListingPage(std::mt19937& random, int entries) {
  static const char* const kNoise[] = {"<a href=\"",
                                       "\" class=\"i\"><img src=\"",
                                       "\" alt=\"",
                                       "<sup>",
                                       "</sup>",
                                       "</em></a>",
                                       "\r\n",
                                       kIndent22.c_str(),
                                       "\t",
                                       "\">",
                                       "</a><em>",
                                       "</em></h1>",
                                       "</p>",
                                       "<p>主演：",
                                       "</b><b>地区：",
                                       "</b></p>",
                                       "状态",
                                       "x",
                                       " ",
                                       "\"",
                                       "<",
                                       ">",
                                       "电影",
                                       "\n"};
  std::uniform_int_distribution<int> percent(0, 99);
  std::string page;
  for (int k = 0; k < entries; ++k) {
    std::string entry;
    const int roll = percent(random);
    const EntryValues values = ValuesForEntry(k);
    if (roll < 55) {
      entry = EntryMarkup(values);
    } else if (roll < 70) {
      entry = DeviatingEntryMarkup(values, static_cast<Deviation>(1 + percent(random) % 3));
    } else if (roll < 85) {
      entry = EntryMarkup(values);
      entry.resize(static_cast<std::size_t>(percent(random)) * entry.size() / 100);
    } else {
      entry = EntryMarkup(values);
      const std::size_t at = static_cast<std::size_t>(percent(random)) * entry.size() / 100;
      entry.erase(at, 1 + static_cast<std::size_t>(percent(random) % 8));
    }
    page += entry;
    const int noise = percent(random) % 6;
    for (int j = 0; j < noise; ++j)
      page += kNoise[static_cast<std::size_t>(percent(random)) % std::size(kNoise)];
  }
  return page;
}

}  // namespace testing_support
