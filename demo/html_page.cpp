#include "demo/html_page.h"

namespace demo {

std::string HtmlPage(std::string_view title, std::string_view style, std::string_view body) {
  std::string page = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"gbk\">\n<title>";
  page += title;
  page += "</title>\n<style>\n";
  page += style;
  page += "</style>\n</head>\n<body>\n";
  page += body;
  page += "</body>\n</html>\n";
  return page;
}

std::string EscapeHtml(std::string_view raw) {
  std::string escaped;
  escaped.reserve(raw.size());
  for (char c : raw) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

}  // namespace demo
