// The three threads together on the real device (SDL's disk driver writing as fast as it can):
// a stream started, paused, moved, resumed and stopped over and over while seven samples play,
// and a program-fed stream whose queue the program appends to while the streaming thread reads
// it. Built with ThreadSanitizer by `make tsan`; under the other sanitizers too.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "events/events.h"
#include "platform/platform.h"
#include "runtime/os/qmos.h"
#include "sound/channels.h"
#include "soundgen.h"
#include "tests/runtime/os/scratch.h"

using namespace qm;

namespace {

class ThreadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    ASSERT_EQ(platform_init(), 0);
    platform_audio_channels_init();
    for (const char* name : {"onsampleloop", "onsampleend", "onmusicend"})
      qmos_set_sound_handler(name, 1);
    ASSERT_EQ(platform_audio_init(), 0);
  }
  void TearDown() override {
    platform_audio_dispose();
    platform_exit();
  }
  // Drains the event queue as the poller would.
  static int32_t drain() {
    platform_audio_cleanup();
    int32_t n = 0, kind = 0, time = 0, count = 0;
    ObjectId id;
    while (qmos_pop_sound_event(&kind, &id, &time, &count)) ++n;
    return n;
  }
};

TEST_F(ThreadsTest, StreamCyclesWhileSamplesPlay) {
  qmtest::ScratchDir dir;
  soundgen::Wave format;
  format.rate = 22050;
  const std::string path = dir / "s.wav";
  soundgen::write_file(path, soundgen::wave(format, soundgen::ramp(2 * 30000)));
  int32_t kind = 0, seekable = 0;
  void* music = nullptr;
  ASSERT_EQ(qmos_music_open(path.c_str(), &kind, &music, &seekable), 0);
  auto* source = static_cast<qmSoundSource*>(music);

  std::vector<int16_t> values(4410, 1000);
  auto* data = static_cast<int16_t*>(qmos_alloc(values.size() * 2, 0));
  std::copy(values.begin(), values.end(), data);
  qmSampleData* sample = qmos_sample_create(data, int32_t(values.size()), SAMPLE_MONO16);
  for (int i = 0; i < 7; ++i)
    ASSERT_EQ(qmos_sample_play(sample, ObjectId{i, nullptr}, SAMPLE_MONO16,
                               int64_t(values.size()) * 2, 22050 + 100 * i, 64, 128, 0, 0),
              0);
  qmos_channels_start_prepared();

  for (int cycle = 0; cycle < 500; ++cycle) {
    ASSERT_EQ(qmos_music_play(kind, music, ObjectId{99, nullptr}, 0, 1, 64), 0) << cycle;
    drain();
    int32_t pass = 0;
    int64_t frame = 0;
    qmos_music_stop_or_pause(kind, music, true, &pass, &frame);
    qmos_music_seek_ms(kind, source, cycle % 1300);
    ASSERT_EQ(qmos_music_play(kind, music, ObjectId{99, nullptr}, 2, pass, 48), 0) << cycle;
    qmos_music_set_volume(kind, music, cycle % 65);
    drain();
    qmos_music_stop_or_pause(kind, music, false, nullptr, nullptr);
  }
  EXPECT_TRUE(qmos_sample_is_playing(sample));
  qmos_sample_stop(nullptr);
  qmos_music_close(kind, music);
  qmos_sample_free(sample);
}

TEST_F(ThreadsTest, TheProgramAppendsWhileTheThreadReads) {
  int32_t kind = 0;
  qmSoundSource* fed = nullptr;
  ASSERT_EQ(qmos_custom_stream_create(nullptr, 48000, SAMPLE_STEREO16, &kind, &fed), 0);
  ASSERT_EQ(qmos_music_play(MUSIC_STREAM, fed, ObjectId{1, nullptr}, 1, 1, 64), 0);
  int64_t appended = 0;
  for (int i = 0; i < 2000; ++i) {
    if (qmos_custom_unplayed(fed) < 48000) {
      qmMusicBufferEntry* e = qmos_custom_entry_new(fed, 997);
      ASSERT_NE(e, nullptr);
      qmos_custom_append(fed, e);
      appended += 997;
    }
    drain();
  }
  qmos_custom_append(fed, qmos_custom_entry_new(fed, SOURCE_UNBOUNDED));
  // The end entry ends the music.
  for (int i = 0; i < 100000 && qmos_music_is_playing(MUSIC_STREAM, fed); ++i) drain();
  EXPECT_FALSE(qmos_music_is_playing(MUSIC_STREAM, fed));
  EXPECT_GT(appended, 0);
  qmos_source_close(fed);
}

// The event loop's wait ends when a program-fed queue falls below a second, with no timer that
// would wake it: the program is asked for more in time. A waker after 5 s stands in for the
// wake that never came.
TEST_F(ThreadsTest, AProgramFedQueueRunningLowEndsTheEventWait) {
  int32_t kind = 0;
  qmSoundSource* fed = nullptr;
  ASSERT_EQ(qmos_custom_stream_create(nullptr, 48000, SAMPLE_STEREO16, &kind, &fed), 0);
  qmos_custom_append(fed, qmos_custom_entry_new(fed, 3 * 48000));
  ASSERT_EQ(qmos_music_play(MUSIC_STREAM, fed, ObjectId{1, nullptr}, 1, 1, 64), 0);
  std::atomic_bool late{false}, woken{false};
  std::thread waker([&] {
    for (int i = 0; i < 500 && !woken; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    late = !woken;
    platform_wake();
  });
  while (!late && qmos_custom_unplayed(fed) >= 48000) platform_wait_event();
  woken = true;
  EXPECT_FALSE(late);
  waker.join();
  qmos_music_stop(fed, false, nullptr, nullptr);
  qmos_source_close(fed);
}

TEST_F(ThreadsTest, EventsReachThePollerThroughThePump) {
  std::vector<int16_t> values(480, 1000);
  auto* data = static_cast<int16_t*>(qmos_alloc(values.size() * 2, 0));
  std::copy(values.begin(), values.end(), data);
  qmSampleData* sample = qmos_sample_create(data, int32_t(values.size()), SAMPLE_MONO16);
  ASSERT_EQ(
      qmos_sample_play(sample, ObjectId{5, sample}, SAMPLE_MONO16, 960, 48000, 64, 128, 25, 0), 0);
  qmos_channels_start_prepared();
  // Nothing but the pump hands the events over: the mixer wakes the main loop, the pump's
  // finisher delivers.
  std::vector<int32_t> codes, times;
  int32_t code = 0, time = 0, count = 0;
  ObjectId id;
  for (int i = 0; i < 5000 && (codes.empty() || codes.back() != 5); ++i) {
    platform_wait_until(nullptr, platform_clock().now_us() + 1000);
    platform_pump_events(nullptr);
    while (event_sources().sound_take(&code, &id, &time, &count)) {
      EXPECT_EQ(id.number, 5);
      EXPECT_EQ(id.handle, sample);
      codes.push_back(code);
      times.push_back(time);
    }
  }
  EXPECT_EQ(codes, (std::vector<int32_t>{6, 6, 6, 5}));
  EXPECT_EQ(times, (std::vector<int32_t>{0, 10, 20, 25}));
  EXPECT_FALSE(qmos_sample_is_playing(sample));
  qmos_sample_free(sample);
}

TEST_F(ThreadsTest, TheMovieRingFillsWhileTheDeviceDrains) {
  ASSERT_TRUE(movie_sound_open(4800));
  std::thread producer([] {
    std::vector<int16_t> chunk(2 * 480, 300);
    for (int32_t left = 48000; left > 0;) {
      const int32_t took = movie_sound_write(chunk.data(), std::min(left, 480));
      left -= took;
      if (took == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  producer.join();
  for (int i = 0; i < 5000 && movie_sound_queued() > 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(movie_sound_queued(), 0);
  movie_sound_close();
}

}  // namespace
