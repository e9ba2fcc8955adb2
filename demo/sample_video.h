#pragma once

#include <string_view>

namespace demo {

inline constexpr char kSampleVideoPath[] = "/media/sample.webm";
inline constexpr char kSampleVideoContentType[] = "video/webm";

// The bytes of demo/media/sample.webm, built into the program so that the site needs no files
// at run time: a twelve-second VP8 test pattern with a running clock.
std::string_view SampleVideo();

}  // namespace demo
