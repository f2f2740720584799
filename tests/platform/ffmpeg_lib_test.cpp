// FFmpeg's libraries opened on first use: every function found in the libraries the player was
// built against, and a clear refusal when a library or a function is missing.
#include "platform/ffmpeg_lib.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>

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

// The libraries mapped in this process.
std::string mapped_libraries() {
  std::string loaded;
  for (int i = 0; i < FFMPEG_LIBRARY_COUNT; ++i)
    if (void* h = dlopen(kFFmpegSonames[i], RTLD_NOW | RTLD_NOLOAD)) {
      dlclose(h);
      loaded += std::string(kFFmpegSonames[i]) + " ";
    }
  return loaded;
}

TEST(FFmpegLib, AFailedLoadClosesWhatItOpened) {
  // In a fresh process: the other tests here keep the libraries loaded.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (!mapped_libraries().empty()) _exit(2);
        // A library missing after four were opened, and a function missing after three.
        for (const auto& [replaced, soname] :
             {std::pair{AVFORMAT, "libqm-missing.so.0"},
              std::pair{SWSCALE, "libswresample.so." AV_STRINGIFY(LIBSWRESAMPLE_VERSION_MAJOR)}}) {
          const char* names[FFMPEG_LIBRARY_COUNT];
          for (int i = 0; i < FFMPEG_LIBRARY_COUNT; ++i) names[i] = i == replaced ? soname : kFFmpegSonames[i];
          FFmpegLibrary lib;
          std::string why;
          if (ffmpeg_load_from(names, &lib, &why)) _exit(3);
          const std::string left = mapped_libraries();
          if (!left.empty()) {
            std::fprintf(stderr, "still loaded: %s\n", left.c_str());
            _exit(4);
          }
        }
        _exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace qm
