// Videos played in process on a fake clock, with the decode thread given real time to queue every
// picture first: a long wait wakes at each picture's due time and the idle step shows it then,
// at 25 and at 60 frames a second, and a pause shows the picture due at the pause.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "anim/video.h"
#include "platform/movie.h"
#include "platform/platform.h"
#include "tests/display/display_harness.h"
#include "tests/runtime/os/scratch.h"

namespace {

using namespace qm;

struct Shown {
  int64_t frame_ms, movie_ms;
};

class VideoPlay : public qmtest::DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    ASSERT_EQ(video_open(L), 0);
    open_display();
  }
  void TearDown() override {
    video_stop_all(L);
    video_free_all(L);
    DisplayHarness::TearDown();
  }

  // Video 1: a silent clip of `frames` pictures at `rate` a second, played at (0, 0) from now;
  // returns once its decode thread has queued every picture.
  qmMovie* play(int rate, int frames) {
    const std::string path = dir_ / ("v" + std::to_string(rate) + ".mp4");
    const std::string cmd = "ffmpeg -v error -f lavfi -i testsrc=size=64x48:rate=" +
                            std::to_string(rate) + " -frames:v " + std::to_string(frames) +
                            " -c:v mpeg4 -y " + path;
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(call("OpenVideo", {1.0, path}).code, 0);
    EXPECT_EQ(call("PlayVideo", {1.0, 0.0, 0.0}).code, 0);
    qmVideo* v = nullptr;
    EXPECT_EQ(video_find(ObjectId{1, nullptr}, &v), 0);
    qmMovie* movie = video_movie(v);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    bool dry = false;
    while ((platform_movie_queued(movie, &dry) < frames || !dry) &&
           std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(platform_movie_queued(movie, &dry), frames);
    return movie;
  }

  static std::vector<Shown> shown() {
    std::vector<Shown> out;
    for (const std::string& line : platform_recorder_take()) {
      long long frame = 0, movie = 0;
      if (std::sscanf(line.c_str(), "video_frame %lld %lld", &frame, &movie) == 2)
        out.push_back({frame, movie});
    }
    return out;
  }

  qmtest::ScratchDir dir_;
};

TEST_F(VideoPlay, EveryPictureShowsAtItsDueTimeWithinOneWait) {
  for (int rate : {25, 60}) {
    SCOPED_TRACE(rate);
    const int64_t start = clock.now_us();
    qmMovie* movie = play(rate, 12);
    platform_recorder_start();
    ASSERT_EQ(platform_wait_until(L, start + 1000000), 0);
    const std::vector<Shown> pictures = shown();
    platform_recorder_stop();
    ASSERT_EQ(pictures.size(), 12u);
    for (size_t i = 0; i < pictures.size(); ++i) {
      EXPECT_EQ(pictures[i].movie_ms, pictures[i].frame_ms) << "picture " << i << " late";
      EXPECT_NEAR(double(pictures[i].frame_ms), i * 1000.0 / rate, 1.0) << "picture " << i;
    }
    EXPECT_EQ(platform_movie_next_due_us(movie), -1);
    ASSERT_EQ(call("CloseVideo", {1.0}).code, 0);
  }
}

TEST_F(VideoPlay, APauseShowsThePictureDueThen) {
  play(25, 12);
  // Pictures at 0, 40, 80 and 120 ms fall due with no pump to take them.
  clock.advance_ms(130);
  platform_recorder_start();
  ASSERT_EQ(call("PauseVideo", {1.0}).code, 0);
  const std::vector<Shown> pictures = shown();
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].frame_ms, 120);
  EXPECT_EQ(pictures[0].movie_ms, 130);
  EXPECT_EQ(first("GetAttribute", {50.0, 1.0, 18.0}), "130");
  // The window shows it: the testsrc picture is no plain colour.
  const qmScreenBuffer& s = display_current()->win.platform->screen;
  EXPECT_NE(s.row(10)[10], s.row(10)[50]);
}

}  // namespace
