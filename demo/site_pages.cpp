#include "demo/site_pages.h"

#include <array>

#include "demo/html_page.h"

namespace demo {
namespace {

constexpr char kSiteStyle[] =
    "body{margin:0;background:#f6f6f2;font:14px 'Noto Sans CJK SC',sans-serif;color:#333}\n"
    ".hd{background:#3b6e4f;color:#fff;padding:16px 40px;font-size:22px}\n"
    ".grid{display:flex;flex-wrap:wrap;padding:20px 30px}\n"
    ".card{width:240px;margin:10px;background:#fff;border:1px solid #ddd;padding:14px}\n"
    ".card b{display:block;font-size:16px;color:#3b6e4f;margin-bottom:6px}\n"
    ".card a{color:#3b6e4f}\n"
    "ol{background:#fff;margin:20px 40px;padding:16px 50px;line-height:30px;"
    "border:1px solid #ddd}\n"
    ".hot{color:#c0392b;font-size:12px;margin-left:8px}\n";

struct Entry {
  const char* name;
  const char* about;
};

constexpr std::array<Entry, 6> kApplications = {{
    {"青禾云点播", "粘贴链接即可播放的云点播客户端"},
    {"青禾影视搜索", "按分类、地区浏览最新电影"},
    {"迅雷链接转换", "把下载地址转成迅雷专用链接"},
    {"播放记录同步", "登录论坛后自动保存播放记录"},
    {"皮肤中心", "为客户端换上喜欢的外观"},
    {"内存整理", "一键释放后台程序占用的内存"},
}};

constexpr std::array<Entry, 8> kWatchList = {{
    {"山海之间", "12万人在看"},
    {"晚风与灯塔", "9.8万人在看"},
    {"青禾镇的夏天", "7.6万人在看"},
    {"白鹭飞过的河", "6.1万人在看"},
    {"竹林深处", "5.5万人在看"},
    {"海棠花开时", "4.2万人在看"},
    {"松果与小松鼠", "3.9万人在看"},
    {"测试画面", "演示视频"},
}};

}  // namespace

std::string ApplicationPage(std::string_view sampleVideoUrl) {
  std::string body = "<div class=\"hd\">应用中心</div>\n<div class=\"grid\">\n";
  for (const Entry& app : kApplications) {
    body += "<div class=\"card\"><b>";
    body += app.name;
    body += "</b>";
    body += app.about;
    body += "<br><a href=\"";
    body += EscapeHtml(sampleVideoUrl);
    body += "\" target=\"_blank\">查看演示</a></div>\n";
  }
  body += "</div>\n";
  return HtmlPage("应用中心", kSiteStyle, body);
}

std::string WatchListPage(std::string_view sampleVideoUrl) {
  std::string body = "<div class=\"hd\">大家在看（白鹭云点播）</div>\n<ol>\n";
  for (const Entry& title : kWatchList) {
    body += "<li><a href=\"";
    body += EscapeHtml(sampleVideoUrl);
    body += "\" target=\"_blank\">";
    body += title.name;
    body += "</a><span class=\"hot\">";
    body += title.about;
    body += "</span></li>\n";
  }
  body += "</ol>\n";
  return HtmlPage("大家在看", kSiteStyle, body);
}

std::string NotFoundPage(std::string_view path) {
  std::string body = "<div class=\"hd\">404 页面不存在</div>\n<ol><li>";
  body += EscapeHtml(path);
  body += "</li></ol>\n";
  return HtmlPage("404 页面不存在", kSiteStyle, body);
}

}  // namespace demo
