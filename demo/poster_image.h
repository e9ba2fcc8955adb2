#pragma once

#include <string>
#include <string_view>

namespace demo {

inline constexpr char kPngContentType[] = "image/png";
inline constexpr int kPosterWidth = 120;
inline constexpr int kPosterHeight = 142;

// A PNG file of `width` x `height` pixels from `rgb`, three bytes a pixel, rows from the top;
// empty when `rgb` does not hold exactly that many pixels or compression fails.
std::string EncodePng(int width, int height, std::string_view rgb);

// The poster of the title with `id`: a picture of the poster box's size whose colours,
// pattern and printed number all follow from the id, so that every title has its own.
std::string PosterPng(int id);

}  // namespace demo
