#include "demo/sample_video.h"

// The video file is assembled into the read-only data of this object; the build names its
// path in QINGHE_DEMO_SAMPLE_VIDEO and rebuilds this file when the video changes.
asm(".section .rodata\n"
    ".balign 16\n"
    ".globl qinghe_demo_sample_video_begin\n"
    ".hidden qinghe_demo_sample_video_begin\n"
    "qinghe_demo_sample_video_begin:\n"
    ".incbin \"" QINGHE_DEMO_SAMPLE_VIDEO
    "\"\n"
    ".globl qinghe_demo_sample_video_end\n"
    ".hidden qinghe_demo_sample_video_end\n"
    "qinghe_demo_sample_video_end:\n"
    ".previous\n");

extern "C" const char qinghe_demo_sample_video_begin[];
extern "C" const char qinghe_demo_sample_video_end[];

namespace demo {

std::string_view SampleVideo() {
  return std::string_view(
      qinghe_demo_sample_video_begin,
      static_cast<std::size_t>(qinghe_demo_sample_video_end - qinghe_demo_sample_video_begin));
}

}  // namespace demo
