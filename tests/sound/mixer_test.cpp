// Samples on the channels through the mixer: starts, passes and their events, gain, pan,
// resampling and the clamp.
#include <atomic>
#include <thread>

#include "engine/errcodes.h"
#include "mixer_harness.h"

using namespace qm;
using qmtest::MixerTest;
using qmtest::sounding_frames;

namespace {

TEST_F(MixerTest, OnePlaySampleStartsTogetherAndTheNinthChannelIsRefused) {
  qmSampleData* a = constant16(1000, 1000);
  qmSampleData* b = constant16(1000, 2000);
  ASSERT_EQ(play(a), 0);
  ASSERT_EQ(play(b), 0);
  // Prepared channels stay silent until they are started, and then start on the same frame.
  EXPECT_EQ(sounding_frames(render(100)), 0);
  qmos_channels_start_prepared();
  std::vector<int16_t> out = render(1500);
  EXPECT_EQ(out[0], 3000);
  EXPECT_EQ(out[2 * 999], 3000);
  EXPECT_EQ(out[2 * 1000], 0);
  EXPECT_EQ(busy_channels(), 0);

  for (int i = 0; i < 8; ++i) ASSERT_EQ(play(a, 48000, 0, 0), 0) << i;
  EXPECT_EQ(play(b), ERR_NOCHANNEL);
  qmos_sample_stop(nullptr);
  EXPECT_EQ(busy_channels(), 0);
}

TEST_F(MixerTest, TimedPlayCountsItsPassesAndTheirEvents) {
  qmos_set_sound_handler("onsampleloop", 1);
  qmos_set_sound_handler("onsampleend", 2);
  struct Case {
    int64_t time;
    int64_t frames;
    std::vector<int32_t> loop_times;
    int32_t end_time, end_count;
  };
  // A 1000 ms sample: a time that is a multiple of the pass ends with a full pass.
  const Case cases[] = {
      {2500, 120000, {0, 1000, 2000}, 2500, 3},
      {2000, 96000, {0, 1000}, 2000, 2},
      {400, 19200, {0}, 400, 1},
  };
  qmSampleData* s = constant16(48000, 1234);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.time);
    ASSERT_EQ(play(s, 48000, c.time), 0);
    qmos_channels_start_prepared();
    std::vector<int16_t> out = render(150000);
    EXPECT_EQ(sounding_frames(out), c.frames);
    std::vector<qmtest::SoundEvent> got = events();
    ASSERT_EQ(got.size(), c.loop_times.size() + 1);
    for (size_t i = 0; i < c.loop_times.size(); ++i) {
      EXPECT_EQ(got[i].kind, SOUND_EVENT_SAMPLE_LOOP);
      EXPECT_EQ(got[i].time, c.loop_times[i]);
      EXPECT_EQ(got[i].count, int32_t(i + 1));
      EXPECT_EQ(got[i].owner.number, 1);
    }
    EXPECT_EQ(got.back().kind, SOUND_EVENT_SAMPLE_END);
    EXPECT_EQ(got.back().time, c.end_time);
    EXPECT_EQ(got.back().count, c.end_count);
    EXPECT_EQ(busy_channels(), 0);
  }
}

TEST_F(MixerTest, EveryPassInsideOneBufferHasItsEvent) {
  qmos_set_sound_handler("onsampleloop", 1);
  qmos_set_sound_handler("onsampleend", 2);
  qmSampleData* s = constant16(48, 100);  // 1 ms
  ASSERT_EQ(play(s, 48000, 0, 10), 0);
  qmos_channels_start_prepared();
  EXPECT_EQ(sounding_frames(render(kMixBufferFrames)), 480);
  std::vector<qmtest::SoundEvent> got = events();
  ASSERT_EQ(got.size(), 11u);
  for (int32_t i = 0; i < 10; ++i) {
    EXPECT_EQ(got[size_t(i)].kind, SOUND_EVENT_SAMPLE_LOOP);
    EXPECT_EQ(got[size_t(i)].time, i);
    EXPECT_EQ(got[size_t(i)].count, i + 1);
  }
  EXPECT_EQ(got[10].kind, SOUND_EVENT_SAMPLE_END);
  EXPECT_EQ(got[10].time, 10);
  EXPECT_EQ(got[10].count, 10);
}

TEST_F(MixerTest, WithoutHandlersNoEventButTheChannelIsFreed) {
  ASSERT_EQ(play(constant16(100, 5), 48000, 0, 3), 0);
  qmos_channels_start_prepared();
  EXPECT_TRUE(qmos_sample_is_playing(samples[0]));
  render(1000);
  EXPECT_FALSE(qmos_sample_is_playing(samples[0]));
  EXPECT_TRUE(events().empty());
  EXPECT_EQ(busy_channels(), 0);
}

TEST_F(MixerTest, AForeverSampleAtAHugePitchKeepsToItsBuffer) {
  qmos_set_sound_handler("onsampleloop", 1);
  ASSERT_EQ(play(constant16(1, 7), INT32_MAX, 0, 0), 0);
  qmos_channels_start_prepared();
  render(4096);
  EXPECT_EQ(busy_channels(), 1);
  // Far more passes than the queue holds: the oldest are kept, in order.
  std::vector<qmtest::SoundEvent> got = events();
  ASSERT_EQ(got.size(), size_t(kChannelEventSlots - 1));
  EXPECT_EQ(got[1].count, 2);
}

TEST_F(MixerTest, VolumeAndPanFollowTheirLaws) {
  struct Case {
    int32_t volume, pan;
    int32_t left, right;
  };
  const Case cases[] = {
      {64, 128, 10000, 10000},  // unity
      {8, 128, 5000, 5000},     // the cube root of 1/8
      {0, 128, 0, 0},          {64, 0, 10000, 0},      {64, 64, 10000, 5020},  // 10000 x 2 x 64/255
      {64, 255, 0, 10000},     {64, 192, 4941, 10000},  // 10000 x 2 x (1 - 192/255)
  };
  qmSampleData* s = constant16(100, 10000);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.volume << " " << c.pan);
    ASSERT_EQ(play(s, 48000, 0, 1, c.volume, c.pan), 0);
    qmos_channels_start_prepared();
    std::vector<int16_t> out = render(200);
    EXPECT_NEAR(out[0], c.left, 1);
    EXPECT_NEAR(out[1], c.right, 1);
    EXPECT_EQ(out[2 * 100], 0);
    EXPECT_EQ(out[2 * 100 + 1], 0);
  }
  // A change while playing: only with the pitch -1.
  ASSERT_EQ(play(s, 48000, 0, 0), 0);
  qmos_channels_start_prepared();
  qmos_channel_update_params(s, 22050, 0, 0);
  EXPECT_EQ(render(1)[0], 10000);
  qmos_channel_update_params(s, -1, 8, 255);
  std::vector<int16_t> out = render(1);
  EXPECT_EQ(out[0], 0);
  EXPECT_NEAR(out[1], 5000, 1);
}

TEST_F(MixerTest, AUnityChannelIsBitExact) {
  std::vector<int16_t> values;
  for (int i = 0; i < 3000; ++i) values.push_back(int16_t((i * 7919) % 65536 - 32768));
  qmSampleData* s = sample16(values, 2);
  ASSERT_EQ(play(s), 0);
  qmos_channels_start_prepared();
  std::vector<int16_t> out = render(1500);
  EXPECT_EQ(out, values);
}

TEST_F(MixerTest, HalfThePitchInterpolatesAndPlaysTwiceAsLong) {
  qmSampleData* s = sample16({10, 1000, 3000, -2000});
  ASSERT_EQ(play(s, 24000), 0);
  qmos_channels_start_prepared();
  std::vector<int16_t> out = render(10);
  const int16_t expected[] = {10, 505, 1000, 2000, 3000, 500, -2000, -2000, 0, 0};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(out[2 * i], expected[i]) << i;
    EXPECT_EQ(out[2 * i + 1], expected[i]) << i;
  }
  // The fraction carries across calls: two renders of one frame each continue the same line.
  ASSERT_EQ(play(s, 36000), 0);
  qmos_channels_start_prepared();
  const int16_t steps[] = {10, 752, 2000, 1750};  // positions 0, 0.75, 1.5, 2.25
  for (int16_t v : steps) EXPECT_NEAR(render(1)[0], v, 1);
  // Looping interpolates into the next pass's first frame.
  ASSERT_EQ(play(s, 24000, 0, 2), 0);
  qmos_channels_start_prepared();
  out = render(8);
  EXPECT_EQ(out[2 * 7], -995);
}

TEST_F(MixerTest, EightFullScaleChannelsClampAndNeverWrap) {
  for (int16_t value : {int16_t(32767), int16_t(-32768)}) {
    qmSampleData* s = constant16(100, value);
    for (int i = 0; i < 8; ++i) ASSERT_EQ(play(s), 0);
    qmos_channels_start_prepared();
    std::vector<int16_t> out = render(10);
    EXPECT_EQ(out[0], value);
    EXPECT_EQ(out[19], value);
    qmos_sample_stop(nullptr);
  }
}

TEST_F(MixerTest, ABusyLockGivesSilenceAndLosesNothing) {
  ASSERT_EQ(play(sample16({1, 2, 3})), 0);
  qmos_channels_start_prepared();
  std::atomic<int> step{0};
  std::thread holder([&] {
    channel_lock();
    step.store(1);
    while (step.load() != 2) std::this_thread::yield();
    channel_unlock();
  });
  while (step.load() != 1) std::this_thread::yield();
  EXPECT_EQ(render(2), std::vector<int16_t>(4, 0));
  step.store(2);
  holder.join();
  EXPECT_EQ(render(4), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 0, 0}));
}

TEST_F(MixerTest, TheMovieInputPlaysWhatItsRingHolds) {
  ASSERT_TRUE(movie_sound_open(1000));
  std::vector<int16_t> frames;
  for (int i = 0; i < 1200; ++i)
    frames.insert(frames.end(), {int16_t(i + 1), int16_t(-2 * (i + 1))});
  EXPECT_EQ(movie_sound_write(frames.data(), 600), 600);
  EXPECT_EQ(movie_sound_write(frames.data() + 1200, 600), 400);  // full
  EXPECT_EQ(movie_sound_queued(), 1000);
  std::vector<int16_t> out = render(700);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), frames.begin()));
  // Around the ring's end, at a volume of its own (a linear gain: 32 is half); what is not there
  // yet is silence.
  EXPECT_EQ(movie_sound_write(frames.data() + 2000, 200), 200);
  movie_sound_set_volume(32);
  out = render(600);
  for (int i = 0; i < 500; ++i) {
    ASSERT_NEAR(out[2 * i], (701 + i) / 2, 1) << i;
    ASSERT_NEAR(out[2 * i + 1], -(701 + i), 1) << i;
  }
  EXPECT_EQ(out[2 * 500], 0);
  EXPECT_EQ(movie_sound_queued(), 0);
  movie_sound_close();
  EXPECT_EQ(movie_sound_write(frames.data(), 10), 0);
}

}  // namespace
