// Movies over FFmpeg, judged by ffmpeg's own command line: exact frames by number and by time,
// the buffer reused or rewound, and files that are not movies refused.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "platform/movie.h"
#include "tests/platform/movie_file.h"
#include "tests/runtime/os/scratch.h"

namespace {

using namespace qm;

using File = qmtest::File;

class Movie : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new qmtest::ScratchDir;
    const std::string src =
        "ffmpeg -v error -f lavfi -i testsrc=duration=3:size=160x120:rate=25 -f lavfi -i "
        "sine=frequency=1000:duration=3 ";
    const std::string cmds[] = {
        src + "-c:v mpeg4 -c:a aac -y " + path("v.mp4"),
        src + "-c:v mpeg4 -c:a pcm_s16le -y " + path("v.avi"),
        src + "-c:v libvpx -c:a libvorbis -y " + path("v.webm"),
        src + "-c:v mpeg2video -c:a mp2 -y " + path("v.ts"),
        src + "-c:v mpeg1video -c:a mp2 -f mpeg -y " + path("v.mpg"),
        src + "-c:v libtheora -c:a libvorbis -y " + path("v.ogv"),
        "ffmpeg -v error -f lavfi -i sine=duration=1 -y " + path("a.wav"),
        "ffmpeg -v error -f lavfi -i sine=duration=1 -c:a aac -y " + path("a.mp4"),
    };
    for (const std::string& cmd : cmds) ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string path(const std::string& name) { return *dir_ / name; }

  // ffmpeg's picture for a frame number (from 1) or a time, as BGR0 words.
  static std::vector<uint32_t> reference(const std::string& file, const std::string& select) {
    const std::string out = path("ref.raw");
    const std::string cmd = "ffmpeg -v error -i " + file + " " + select +
                            " -frames:v 1 -f rawvideo -pix_fmt bgr0 -y " + out;
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    std::vector<uint32_t> words(160 * 120);
    FILE* f = std::fopen(out.c_str(), "rb");
    if (!f) return {};
    const size_t got = std::fread(words.data(), 4, words.size(), f);
    std::fclose(f);
    EXPECT_EQ(got, words.size());
    return words;
  }
  static inline qmtest::ScratchDir* dir_ = nullptr;
};

double psnr(const uint32_t* a, const std::vector<uint32_t>& b) {
  double sum = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      const double d = double((a[i] >> shift) & 255) - double((b[i] >> shift) & 255);
      sum += d * d;
    }
  }
  if (sum == 0) return 99;
  return 10 * std::log10(255.0 * 255.0 / (sum / double(b.size() * 3)));
}

TEST_F(Movie, OpensAllowedFormatsAndDescribesThem) {
  struct Case {
    const char* file;
    const char* format;
  } cases[] = {{"v.mp4", "MPEG-4"}, {"v.avi", "AVI"}, {"v.webm", "Matroska"},
                 {"v.ts", "MPEG-TS"}, {"v.mpg", "MPEG-PS"}, {"v.ogv", "Ogg"}};
  for (const Case& c : cases) {
    File file(path(c.file));
    qmMovie* m = nullptr;
    qmMovieInfo info;
    ASSERT_EQ(platform_movie_open(file.io, &m, &info), 0) << c.file;
    EXPECT_EQ(info.width, 160);
    EXPECT_EQ(info.height, 120);
    EXPECT_NEAR(double(info.duration_ms), 3000, 60) << c.file;
    EXPECT_TRUE(info.seekable);
    EXPECT_EQ(info.frames, 75) << c.file;
    EXPECT_STREQ(info.format, c.format);
    platform_movie_close(m);
  }
  // Sound alone, in a movie container or not, is no movie.
  for (const char* name : {"a.wav", "a.mp4"}) {
    File file(path(name));
    EXPECT_FALSE(platform_movie_probe(file.io)) << name;
    qmMovie* m = nullptr;
    qmMovieInfo info;
    EXPECT_EQ(platform_movie_open(file.io, &m, &info), ERR_LOADVIDEO) << name;
  }
}

TEST_F(Movie, FramesByNumberAndTimeAreFFmpegs) {
  for (const char* name : {"v.mp4", "v.avi", "v.webm", "v.ts", "v.mpg", "v.ogv"}) {
    const std::string file_name = path(name);
    File file(file_name);
    qmMovie* m = nullptr;
    qmMovieInfo info;
    ASSERT_EQ(platform_movie_open(file.io, &m, &info), 0);
    const uint32_t* pixels = nullptr;
    int32_t w = 0, h = 0, row = 0;
    // Forward, the same again, then back: every path through the buffer and the decoder.
    for (int64_t n : {1, 40, 40, 75, 2, 74}) {
      ASSERT_EQ(platform_movie_get_frame(m, n, MOVIE_FRAME_BY_NUMBER, &pixels, &w, &h, &row), 0)
          << name << " frame " << n;
      EXPECT_EQ(w, 160);
      EXPECT_EQ(h, 120);
      EXPECT_EQ(row, 160);
      const auto ref = reference(file_name, "-vf 'select=eq(n\\," + std::to_string(n - 1) + ")'");
      EXPECT_GE(psnr(pixels, ref), 40) << name << " frame " << n;
    }
    for (int64_t ms : {1600, 0, 2999}) {
      ASSERT_EQ(platform_movie_get_frame(m, ms, MOVIE_FRAME_BY_TIME, &pixels, &w, &h, &row), 0)
          << name << " at " << ms;
      // The frame shown at that time: 25 frames a second from 0.
      const auto ref = reference(file_name, "-vf 'select=eq(n\\," + std::to_string(ms / 40) + ")'");
      EXPECT_GE(psnr(pixels, ref), 40) << name << " at " << ms;
    }
    for (int64_t n : {int64_t(0), int64_t(-1), int64_t(76), INT64_MAX}) {
      EXPECT_EQ(platform_movie_get_frame(m, n, MOVIE_FRAME_BY_NUMBER, &pixels, &w, &h, &row),
                ERR_VIDEOFRAME)
          << name << " frame " << n;
    }
    EXPECT_EQ(platform_movie_get_frame(m, 7, MOVIE_FRAME_BY_NUMBER, &pixels, &w, &h, &row), 0);
    EXPECT_GE(psnr(pixels, reference(file_name, "-vf 'select=eq(n\\,6)'")), 40) << name;
    platform_movie_close(m);
  }
}

}  // namespace
