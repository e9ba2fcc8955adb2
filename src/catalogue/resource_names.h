#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "text/text.h"

namespace catalogue {

// The bracketed tags that download sites put before the title in their file names: a site
// label and the site's domain in its own mixture of capitals. Tried in this order, letter case
// counting; the first two differ only in the case of their domain.
inline constexpr std::array<std::string_view, 10> kSiteTags = {
    "[禾苗电影网www.HeMiao.cc]",     "[禾苗电影网www.hemiao.cc]",  "[青禾影视www.QingHe-Ys.com]",
    "[云点播资源www.YunDianBo.net]", "[河畔影院www.hepan-TV.com]", "[晨星电影www.ChenXing.org]",
    "[高清下载站www.GaoQing8.com]",  "[麦田影视www.MaiTian.tv]",   "[星空电影www.XingKong99.com]",
    "[蓝海资源www.LanHai.cn]",
};

// The video extensions, in the order they are tried.
inline constexpr std::array<std::string_view, 3> kVideoExtensions = {".rmvb", ".mkv", ".mp4"};

// The name a resource is saved under: the text after the first of kSiteTags (in list order)
// that the resource holds, up to the next ".rmvb", ".mkv" or ".mp4" (the first of them found
// anywhere in the text, the last one without a test; ASCII case ignored when cutting). The
// name may be empty; no name at all when the resource holds no tag.
std::optional<text::Text> TitleFromResource(std::string_view resource);

}  // namespace catalogue
