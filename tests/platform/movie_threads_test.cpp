// A movie's decode thread against the main thread and the audio thread (SDL's disk driver writing
// as fast as it can): playback started, moved, paused, stopped and the movie closed over and over,
// with frames grabbed between plays, and one play to its end. Built with ThreadSanitizer by
// `make tsan`; under the other sanitizers too.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/movie.h"
#include "platform/platform.h"
#include "sound/channels.h"
#include "tests/platform/movie_file.h"
#include "tests/runtime/os/scratch.h"

using namespace qm;

namespace {

using File = qmtest::File;

const qmMovieSoundSink kSink{movie_sound_write, movie_sound_queued};

class MovieThreads : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    ASSERT_EQ(platform_init(), 0);
    platform_audio_channels_init();
    ASSERT_EQ(platform_audio_init(), 0);
    ASSERT_TRUE(movie_sound_open(24000));
    path_ = dir_ / "v.mp4";
    const std::string cmd =
        "ffmpeg -v error -f lavfi -i testsrc=duration=1:size=64x48:rate=25 -f lavfi -i "
        "sine=frequency=1000:duration=1 -c:v mpeg4 -c:a aac -y " +
        path_;
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }
  void TearDown() override {
    movie_sound_close();
    platform_audio_dispose();
    platform_exit();
  }
  qmtest::ScratchDir dir_;
  std::string path_;
};

TEST_F(MovieThreads, PlaySeekPauseStopCloseCycles) {
  int64_t pictures = 0;
  for (int cycle = 0; cycle < 200; ++cycle) {
    File file(path_);
    qmMovie* movie = nullptr;
    qmMovieInfo info;
    ASSERT_EQ(platform_movie_open(file.io, &movie, &info), 0);
    ASSERT_TRUE(platform_movie_has_sound(movie));
    const uint32_t* pixels = nullptr;
    int32_t w = 0, h = 0, row = 0;
    for (int64_t from : {int64_t(0), int64_t(cycle % 900), int64_t(500)}) {
      ASSERT_EQ(platform_movie_play(movie, from, 32 + cycle % 3, 24, &kSink), 0);
      std::this_thread::sleep_for(std::chrono::microseconds(200 * (cycle % 7)));
      if (cycle % 2) platform_movie_set_size(movie, 64, 48);
      if (platform_movie_due_frame(movie, &pixels, &w, &h)) ++pictures;
      EXPECT_GE(platform_movie_get_time(movie), from);
      if (cycle % 5 == 0) platform_movie_stop(movie);
    }
    // A grab joins a playing movie's thread first.
    ASSERT_EQ(platform_movie_get_frame(movie, 1 + cycle % 25, MOVIE_FRAME_BY_NUMBER, &pixels, &w,
                                       &h, &row),
              0);
    if (cycle % 3) {
      ASSERT_EQ(platform_movie_play(movie, 0, 64, 48, cycle % 2 ? &kSink : nullptr), 0);
    }
    platform_movie_close(movie);  // joins a playing movie's thread
  }
  // A slow build (the thread checker's) may show no frame within the cycles' short waits: one more
  // play then waits for its first frame.
  File file(path_);
  qmMovie* movie = nullptr;
  qmMovieInfo info;
  ASSERT_EQ(platform_movie_open(file.io, &movie, &info), 0);
  ASSERT_EQ(platform_movie_play(movie, 0, 64, 48, &kSink), 0);
  const uint32_t* pixels = nullptr;
  int32_t w = 0, h = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (pictures == 0 && std::chrono::steady_clock::now() < until) {
    if (platform_movie_due_frame(movie, &pixels, &w, &h)) ++pictures;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  platform_movie_close(movie);
  EXPECT_GT(pictures, 0);
}

TEST_F(MovieThreads, APlayRunsToItsEndAndDrains) {
  File file(path_);
  qmMovie* movie = nullptr;
  qmMovieInfo info;
  ASSERT_EQ(platform_movie_open(file.io, &movie, &info), 0);
  ASSERT_EQ(platform_movie_play(movie, 0, 64, 48, &kSink), 0);
  int64_t pictures = 0, last = -1;
  const uint32_t* pixels = nullptr;
  int32_t w = 0, h = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!platform_movie_finished(movie) && std::chrono::steady_clock::now() < deadline) {
    if (platform_movie_due_frame(movie, &pixels, &w, &h)) {
      ++pictures;
      EXPECT_EQ(w, 64);
      EXPECT_EQ(h, 48);
    }
    const int64_t now = platform_movie_get_time(movie);
    EXPECT_GE(now, last);  // the movie time never goes back
    last = now;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_TRUE(platform_movie_finished(movie));
  EXPECT_GT(pictures, 0);  // the device plays faster than real time: most pictures are late
  EXPECT_EQ(movie_sound_queued(), 0);
  EXPECT_GE(last, 900);
  platform_movie_close(movie);
}

}  // namespace
