// FFmpeg's libraries opened on first use: every function found in the libraries the player was
// built against, and a clear refusal when a library or a function is missing.
#include "platform/ffmpeg_lib.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(FFmpegLib, LoadsEveryFunctionFromTheBuiltAgainstLibraries) {
  FFmpegLibrary lib;
  std::string why;
  ASSERT_TRUE(ffmpeg_load_from(kFFmpegSonames, &lib, &why)) << why;
#define QM_CHECK_LOADED(index, name) EXPECT_NE(lib.name, nullptr) << #name;
  QM_FFMPEG_FUNCTIONS(QM_CHECK_LOADED)
#undef QM_CHECK_LOADED
  EXPECT_GT(lib.av_rescale_q(3, AVRational{1, 1000}, AVRational{1, 48000}), 143);
}

TEST(FFmpegLib, RefusesAMissingLibraryOrFunction) {
  struct Case {
    int replaced;  // the library given another name, or -1 for all of them
    const char* soname;
    const char* reason;  // what the reason must hold
  };
  const Case cases[] = {
      {AVUTIL, "libqm-missing.so.0", "libqm-missing.so.0"},
      {AVFORMAT, "libqm-missing.so.0", "libqm-missing.so.0"},
      // Loaded, but not FFmpeg: the first function looked up is missing.
      {-1, "libc.so.6", "libc.so.6 lacks av_channel_layout_compare"},
      {SWSCALE, "libswresample.so." AV_STRINGIFY(LIBSWRESAMPLE_VERSION_MAJOR),
       "lacks sws_freeContext"},
  };
  for (const Case& c : cases) {
    const char* names[FFMPEG_LIBRARY_COUNT];
    for (int i = 0; i < FFMPEG_LIBRARY_COUNT; ++i)
      names[i] = c.replaced < 0 || c.replaced == i ? c.soname : kFFmpegSonames[i];
    FFmpegLibrary lib;
    std::string why;
    EXPECT_FALSE(ffmpeg_load_from(names, &lib, &why)) << c.soname;
    EXPECT_NE(why.find(c.reason), std::string::npos) << why;
    EXPECT_EQ(lib.av_channel_layout_compare, nullptr) << "a failed load fills nothing";
  }
}

}  // namespace
}  // namespace qm
