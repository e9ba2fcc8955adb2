#include "demo/catalogue_pages.h"

#include <array>

#include "demo/html_page.h"

namespace demo {
namespace {

const std::string kCrLf = "\r\n";
// The site's entries are indented by these runs; its listing script reads them as they are.
const std::string kIndent22(22, ' ');
const std::string kIndent24(24, ' ');

constexpr char kSiteName[] = "青禾影视";
constexpr char kDocumentStart[] =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n<head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n";
constexpr char kStyle[] =
    "<style type=\"text/css\">\r\n"
    "body{margin:0;font:12px/1.6 'Noto Sans CJK SC',sans-serif;background:#f4f4f0;color:#333}\r\n"
    ".top{background:#2f5d46;color:#fff;padding:8px 20px}.top a{color:#fff;margin-right:10px}\r\n"
    ".list li{list-style:none;display:inline-block;width:150px;vertical-align:top;margin:6px}\r\n"
    ".side{float:right;width:180px}.page a{margin:0 4px}\r\n"
    "</style>\r\n";
constexpr int kSidebarTitles = 8;

std::string DocumentHead(std::string_view title) {
  std::string head = kDocumentStart;
  head += "<title>";
  head += title;
  head += " - ";
  head += kSiteName;
  head += "</title>\r\n";
  head += kStyle;
  head += "</head>\r\n<body>\r\n";
  return head;
}

constexpr char kDocumentEnd[] =
    "<div class=\"foot\">Copyright &copy; 青禾影视 本站只提供索引，不存放任何影视文件</div>\r\n"
    "</body>\r\n</html>\r\n";

// The navigation bar: the site's name and a link to every category's first page.
std::string NavigationBar() {
  std::string bar = "<div class=\"top\"><a href=\"/\" class=\"logo\">";
  bar += kSiteName;
  bar += "</a>\r\n<ul class=\"nav\">";
  for (int category : Catalogue::CategoryNumbers()) {
    bar += "<li><a href=\"";
    bar += kListingPrefix;
    bar += std::to_string(category);
    bar += ".html\">";
    bar += Catalogue::CategoryName(category);
    bar += "</a></li>";
  }
  bar +=
      "</ul>\r\n<form action=\"/search.asp\" method=\"get\"><input name=\"searchword\" />"
      "<input type=\"hidden\" name=\"searchtype\" value=\"-1\" /></form></div>\r\n";
  return bar;
}

std::string ListingPath(int category, int page) {
  std::string path = kListingPrefix + std::to_string(category);
  if (page > 1) path += "_" + std::to_string(page);
  return path + ".html";
}

std::array<std::string, 6> EntryLines(const CatalogueTitle& t, std::string_view site) {
  const std::string detail = DetailPath(t);
  return {"<a href=\"" + detail + "\" class=\"i\"><img src=\"" + PosterAddress(site, t) +
              "\" alt=\"" + t.name + "\" /><em class=\"green_score\"><em class=\"fenshu\">" +
              t.score + "<sup>" + t.decimals + "</sup></em></em><em class=\"v\">" + t.quality +
              "</em></a>",
          kIndent22 + "<div class=\"info\">",
          kIndent22 + "\t<h1 class=\"c0071bc\"><a href=\"" + detail + "\">" + t.name + "</a><em>(" +
              t.year + ")</em></h1>",
          kIndent24 + "<div class=\"star\"><p class=\"" + t.starClass + "\"></p></div>",
          kIndent24 + "<p>主演：" + t.actors + "</p>",
          kIndent24 + "<p><b>状态：" + t.status + "</b><b>地区：" + t.region + "</b></p>"};
}

// One list item of a listing or search page; `itemStart` is how the page opens it.
std::string EntryItem(const CatalogueTitle& title, std::string_view site,
                      std::string_view itemStart) {
  const std::array<std::string, 6> lines = EntryLines(title, site);
  // The site lost the status and region line of one entry.
  const std::size_t count = Catalogue::HasDeviatingEntry(title) ? 5 : 6;
  std::string item(itemStart);
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0) item += kCrLf;
    item += lines[k];
  }
  return item + kCrLf + kIndent22 + "</div>\r\n</li>\r\n";
}

std::string PageLink(const std::string& path, std::string_view caption) {
  return "<a href=\"" + path + "\">" + std::string(caption) + "</a>";
}

std::string Pager(int category, int page, int pages) {
  std::string pager = "<div class=\"page\">共" + std::to_string(pages) + "页 ";
  pager += PageLink(ListingPath(category, 1), "首页");
  if (page > 1) pager += PageLink(ListingPath(category, page - 1), "上一页");
  if (page < pages) pager += PageLink(ListingPath(category, page + 1), "下一页");
  pager += PageLink(ListingPath(category, pages), "尾页");
  return pager + "</div>\r\n";
}

std::string Sidebar(const Catalogue& catalogue, int category) {
  std::string side = "<div class=\"side\"><h3>热播排行</h3>\r\n<ul>\r\n";
  const std::vector<CatalogueTitle> popular = catalogue.Page(category, 1);
  for (std::size_t k = 0; k < popular.size() && k < kSidebarTitles; ++k) {
    side += "<li><a href=\"" + DetailPath(popular[k]) + "\" title=\"" + popular[k].name + "\">" +
            popular[k].name + "</a></li>\r\n";
  }
  return side + "</ul>\r\n</div>\r\n";
}

}  // namespace

std::string DetailPath(const CatalogueTitle& title) {
  return kDetailPrefix + std::to_string(title.id) + ".html";
}

std::string PosterAddress(std::string_view site, const CatalogueTitle& title) {
  return std::string(site) + kPosterPrefix + std::to_string(title.id) + ".png";
}

std::string FirstKindAddress(std::string_view site, const CatalogueTitle& title, int k) {
  return std::string(site) + kDownloadPrefix + std::to_string(title.id) + "/" +
         FirstKindFileName(title, k);
}

std::string SecondKindPath(const CatalogueTitle& title, int k) {
  return SecondKindCid(title, k) + "/" + SecondKindFileName(title, k);
}

std::string ListingPage(const Catalogue& catalogue, int category, int page, std::string_view site) {
  const std::vector<CatalogueTitle> titles = catalogue.Page(category, page);
  if (titles.empty()) return MissingPage();
  const std::string name(Catalogue::CategoryName(category));
  std::string html = DocumentHead(name + " 第" + std::to_string(page) + "页");
  html += NavigationBar();
  html += Sidebar(catalogue, category);
  html += "<div class=\"list\">\r\n<h2>" + name + "</h2>\r\n<ul>\r\n";
  for (const CatalogueTitle& title : titles)
    html += EntryItem(title, site, "<li>");
  html += "</ul>\r\n</div>\r\n";
  html += Pager(category, page, catalogue.PageCount(category));
  return html + kDocumentEnd;
}

std::string MissingPage() {
  std::string html = DocumentHead("页面不存在");
  html += NavigationBar();
  html +=
      "<div class=\"error\"><h2>对不起，您要查看的页面不存在或已被删除！</h2>\r\n"
      "<p><a href=\"/\">返回首页</a></p></div>\r\n";
  return html + kDocumentEnd;
}

std::string SearchReplyPage(std::string_view words, const std::vector<CatalogueTitle>& shown,
                            int page, int total, std::string_view site) {
  const int pages = (total + kTitlesPerListingPage - 1) / kTitlesPerListingPage;
  std::string html = DocumentHead("搜索结果");
  html += NavigationBar();
  html += "<div class=\"list\">\r\n<h2>搜索“" + EscapeHtml(words) + "”共找到 " +
          std::to_string(total) + " 部影片，第 " + std::to_string(page) + "/" +
          std::to_string(pages) + " 页</h2>\r\n<ul>\r\n";
  for (const CatalogueTitle& title : shown)
    html += EntryItem(title, site, "<li> ");
  if (shown.empty()) html += "<p>没有找到相关影片，请换个关键词试试。</p>\r\n";
  html += "</ul>\r\n</div>\r\n";
  return html + kDocumentEnd;
}

std::string FrontServerErrorPage(std::string_view requestedPath) {
  std::string html =
      "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" "
      "content=\"text/html; charset=gb2312\">\r\n"
      "<title>错误：您所请求的网址（URL）无法获取</title>\r\n</head>\r\n<body>\r\n"
      "<h2>错误</h2>\r\n<h3>您所请求的网址（URL）无法获取</h3>\r\n"
      "<p>在尝试取回下列网址时：<b>";
  html += EscapeHtml(requestedPath);
  html +=
      "</b></p>\r\n<p>发生了下列错误：连接上游服务器超时。请稍后再试。</p>\r\n"
      "<hr>\r\n<address>前端缓存服务器</address>\r\n</body>\r\n</html>\r\n";
  return html;
}

std::string DetailPage(const CatalogueTitle& title, std::string_view site) {
  std::string html = DocumentHead(title.name);
  html += NavigationBar();
  html += "<div class=\"detail\">\r\n<div class=\"pic\"><img src=\"" + PosterAddress(site, title) +
          "\" alt=\"" + title.name + "\" /></div>\r\n<div class=\"info\"><h1>" + title.name +
          "</h1>\r\n<p>主演：" + title.actors + "</p>\r\n<p>状态：" + title.status + "　地区：" +
          title.region + "　年份：" + title.year + "</p>\r\n</div>\r\n";
  html += "<div class=\"intro\">《" + title.name + "》是一部" + title.year + "年的" +
          std::string(Catalogue::CategoryName(title.category)) + "，" + title.region +
          "出品。</div>\r\n";
  if (title.firstKindCount > 0) {
    html += "<div class=\"play\">\r\n<script type=\"text/javascript\">var GvodUrls = \"";
    for (int k = 0; k < title.firstKindCount; ++k) {
      if (k > 0) html += "###";
      html += FirstKindAddress(site, title, k);
    }
    html += "\";</script>\r\n</div>\r\n";
  }
  if (title.secondKindCount > 0) {
    html += "<div class=\"gvod\"><h3>云点播资源</h3>\r\n<ul>\r\n";
    for (int k = 0; k < title.secondKindCount; ++k) {
      html += "<li><input type=\"checkbox\" name=\"gvod\" value=\"cid=" + SecondKindCid(title, k) +
              "&mc=" + SecondKindFileName(title, k) + "\"/><a href=\"javascript:void(0)\">" +
              title.name + " 第" + std::to_string(k + 1) + "集</a></li>\r\n";
    }
    html += "</ul>\r\n</div>\r\n";
  }
  if (title.separatorAfterList) {
    html += "<div class=\"share\">###分享给好友：复制本页地址发给QQ、MSN上的好友</div>\r\n";
  }
  html += "</div>\r\n";
  return html + kDocumentEnd;
}

}  // namespace demo
