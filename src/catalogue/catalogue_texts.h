#pragma once

#include <array>
#include <string_view>

namespace catalogue {

// The catalogue window's fixed texts (GBK) and limits.

inline constexpr std::string_view kCatalogueCaption = "青禾云点播";

inline constexpr std::string_view kReadFailedMessage = "读取数据失败，请关闭软件多试几次";
inline constexpr std::string_view kRegionCollectedMessage = "已获取此地区所有";
inline constexpr std::string_view kRegionSwitchQuestion =
    "勾选此功能将获取所有符合地区的电影或者电视剧（数据庞大可能会造成电脑卡住）是否勾选";
inline constexpr std::string_view kEmptySearchMessage = "内容不能为空";
inline constexpr std::string_view kNotYetAvailableMessage = "尚未更新完毕将在下个版本更新完成";
inline constexpr std::string_view kDoubleResourcesLoginMessage = "请现登录论坛";
inline constexpr std::string_view kSaveLoginMessage = "请先登录论坛";
inline constexpr std::string_view kRepairLayoutCaption = "警告";
inline constexpr std::string_view kRepairLayoutQuestion =
    "此功能只有在窗口组件消失不见或者将播放窗口最小化然后放大白屏的时候才能使用";

// The region box's items; the first is its text at start.
inline constexpr std::array<std::string_view, 6> kRegions = {"大陆", "台湾", "韩国",
                                                             "欧美", "日本", "其他"};

// The site shows 18 titles a page; "next page" of a search moves on only from a full page.
inline constexpr int kTitlesPerPage = 18;
// The region collection stops when the list holds exactly this many rows.
inline constexpr int kRegionCollectionRowLimit = 999;

}  // namespace catalogue
