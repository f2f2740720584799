// Streams on a channel: the streaming thread's double buffer, ends, pauses and the stop while the
// thread is busy.
#include <atomic>
#include <chrono>
#include <thread>

#include "driver_harness.h"
#include "engine/errcodes.h"
#include "mixer_harness.h"
#include "mod_harness.h"
#include "soundgen.h"
#include "tests/runtime/os/scratch.h"

using namespace qm;

namespace {

// Frame i of the test streams: never 0, so that silence shows apart from data.
int16_t value(int64_t i) {
  return int16_t(i % 20000 + 1);
}

class StreamTest : public qmtest::MixerTest {
 protected:
  void SetUp() override {
    MixerTest::SetUp();
    qmos_set_sound_handler("onmusicend", 3);
  }
  void TearDown() override {
    MixerTest::TearDown();
    for (qmSoundSource* s : sources) qmos_source_close(s);
  }

  // A mono 16-bit WAVE of frames frames of value(i), opened as a music.
  qmSoundSource* wave(int32_t rate, int64_t frames) {
    soundgen::Bytes data;
    for (int64_t i = 0; i < frames; ++i) {
      const uint16_t v = uint16_t(value(i));
      data.push_back(uint8_t(v));
      data.push_back(uint8_t(v >> 8));
    }
    const std::string path = dir / ("s" + std::to_string(sources.size()) + ".wav");
    soundgen::Wave format;
    format.rate = rate;
    soundgen::write_file(path, soundgen::wave(format, data));
    qmSoundSource* s = nullptr;
    EXPECT_EQ(qmos_detect_sound(path.c_str(), 1, &s), 0);
    sources.push_back(s);
    return s;
  }

  qmSoundSource* fed(int32_t rate) {
    int32_t kind = 0;
    qmSoundSource* s = nullptr;
    EXPECT_EQ(qmos_custom_stream_create(nullptr, rate, SAMPLE_MONO16, &kind, &s), 0);
    sources.push_back(s);
    return s;
  }
  void queue(qmSoundSource* s, int64_t first, int64_t frames) {
    qmMusicBufferEntry* e = qmos_custom_entry_new(s, frames);
    for (int64_t i = 0; i < frames; ++i) reinterpret_cast<int16_t*>(e->data)[i] = value(first + i);
    qmos_custom_append(s, e);
  }
  void queue_end(qmSoundSource* s) {
    qmos_custom_append(s, qmos_custom_entry_new(s, SOURCE_UNBOUNDED));
  }

  int32_t start(qmSoundSource* s, int32_t passes = 1, int32_t resume_pass = 1) {
    return qmos_music_play(MUSIC_STREAM, s, ObjectId{7, s}, passes, resume_pass, 64);
  }

  // Renders until the music's end event (or max_blocks buffers), keeping the left side of every
  // frame that sounded. A buffer with silence in it gives the streaming thread a moment.
  struct Heard {
    std::vector<int16_t> values;
    bool ended = false;
  };
  Heard listen(int32_t max_blocks) {
    Heard heard;
    for (int32_t b = 0; b < max_blocks && !heard.ended; ++b) {
      std::vector<int16_t> out = render(kMixBufferFrames);
      bool silent = false;
      for (size_t i = 0; i < out.size(); i += 2) {
        if (out[i] != 0) heard.values.push_back(out[i]);
        silent |= out[i] == 0;
      }
      for (const qmtest::SoundEvent& e : events()) {
        EXPECT_EQ(e.kind, SOUND_EVENT_MUSIC_END);
        EXPECT_EQ(e.owner.number, 7);
        heard.ended = true;
      }
      if (silent) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return heard;
  }

  // The values of frames first.. of the test pattern, passes times from the start.
  static void expect_pattern(const std::vector<int16_t>& got, int64_t frames, int32_t passes,
                             int64_t first = 0) {
    ASSERT_EQ(int64_t(got.size()), frames * passes - first);
    for (size_t i = 0; i < got.size(); ++i) {
      const int64_t at = (int64_t(i) + first) % frames;
      if (got[i] != value(at)) {
        ADD_FAILURE() << "frame " << i << ": " << got[i] << " instead of " << value(at);
        return;
      }
    }
  }

  qmtest::ScratchDir dir;
  std::vector<qmSoundSource*> sources;
};

TEST_F(StreamTest, AShortStreamPlaysFromItsFirstHalfWithoutAThread) {
  qmSoundSource* s = wave(48000, 24000);
  ASSERT_EQ(start(s), 0);
  EXPECT_FALSE(stream_thread_running());
  Heard heard = listen(100);
  EXPECT_TRUE(heard.ended);
  expect_pattern(heard.values, 24000, 1);
  EXPECT_EQ(busy_channels(), 0);
}

TEST_F(StreamTest, PassesWrapThroughBothHalvesInOrder) {
  qmSoundSource* s = wave(48000, 72000);  // 1.5 halves
  ASSERT_EQ(start(s, 3), 0);
  EXPECT_TRUE(stream_thread_running());
  Heard heard = listen(1000);
  EXPECT_TRUE(heard.ended);
  expect_pattern(heard.values, 72000, 3);
  EXPECT_FALSE(stream_thread_running());
}

TEST_F(StreamTest, APausedStreamResumesInItsPassAndPosition) {
  qmSoundSource* s = wave(8000, 80000);  // 10 s
  ASSERT_EQ(start(s, 2), 0);
  render(1);  // the stream starts sounding: its clock starts
  clock.advance_ms(13500);
  int32_t pass = 0;
  int64_t frame = 0;
  qmos_music_stop_or_pause(MUSIC_STREAM, s, true, &pass, &frame);
  EXPECT_EQ(pass, 2);
  EXPECT_EQ(frame, 28000);
  EXPECT_FALSE(qmos_music_is_playing(MUSIC_STREAM, s));

  ASSERT_EQ(start(s, 2, pass), 0);
  Heard heard = listen(1000);
  EXPECT_TRUE(heard.ended);
  ASSERT_FALSE(heard.values.empty());
  EXPECT_EQ(heard.values.front(), value(28000));
  EXPECT_NEAR(double(heard.values.size()), 6.5 * 48000, 6);

  // A stop (not a pause) goes back to the beginning.
  ASSERT_EQ(start(s, 1), 0);
  render(1);
  clock.advance_ms(2000);
  qmos_music_stop_or_pause(MUSIC_STREAM, s, false, &pass, &frame);
  EXPECT_EQ(frame, 0);
}

TEST_F(StreamTest, AProgramFedStreamEndsAtItsEndEntryAndWaitsWhenDry) {
  qmSoundSource* s = fed(48000);
  queue(s, 0, 1000);
  ASSERT_EQ(start(s), 0);
  // Dry: silence, no end, the channel stays.
  Heard heard = listen(30);
  EXPECT_FALSE(heard.ended);
  EXPECT_EQ(heard.values.size(), 1000u);
  EXPECT_TRUE(qmos_music_is_playing(MUSIC_STREAM, s));
  // More data and then the end: it goes on where it stopped and ends.
  queue(s, 1000, 70000);
  queue_end(s);
  Heard rest = listen(1000);
  EXPECT_TRUE(rest.ended);
  heard.values.insert(heard.values.end(), rest.values.begin(), rest.values.end());
  expect_pattern(heard.values, 71000, 1);
  // A stopped program-fed music asks the program again at its next start.
  qmos_music_stop(s, false, nullptr, nullptr);
  EXPECT_TRUE(s->feed->restart);
}

TEST_F(StreamTest, AHeaderThatClaimsTooMuchEndsAtTheRealEnd) {
  qmSoundSource* s = wave(48000, 60000);
  s->frames = 10 * 48000;  // what a lying header announces
  ASSERT_EQ(start(s), 0);
  Heard heard = listen(1000);
  EXPECT_TRUE(heard.ended);
  expect_pattern(heard.values, 60000, 1);
}

TEST_F(StreamTest, ASourceInNoSampleFormatIsRefused) {
  qmSoundSource* s = wave(48000, 1000);
  s->bytes_per_frame = 3;  // what a 24-bit platform source would announce
  EXPECT_EQ(start(s), ERR_AUDIOCONVERTER);
  EXPECT_EQ(busy_channels(), 0);
  s->bytes_per_frame = 2;
  s->rate = 0;
  EXPECT_EQ(start(s), ERR_AUDIOCONVERTER);
}

TEST_F(StreamTest, ADrainedStreamLeavesAPlayingSampleAlone) {
  qmSampleData* sample = constant16(100, 3);
  ASSERT_EQ(play(sample, 48000, 0, 0), 0);
  qmos_channels_start_prepared();
  qmSoundSource* s = wave(48000, 60000);
  ASSERT_EQ(start(s), 0);
  EXPECT_TRUE(listen(1000).ended);
  EXPECT_TRUE(qmos_sample_is_playing(sample));
  EXPECT_EQ(busy_channels(), 1);
}

// The thread held at the seek of a wrap while the program stops the music: the stop returns (the
// test's timeout judges a hang).
std::atomic<int> g_parked{0};
std::thread::id g_main_thread;

TEST_F(StreamTest, AStopWhileTheThreadWrapsReturns) {
  qmSoundSource* s = wave(48000, 2000);
  g_main_thread = std::this_thread::get_id();
  stream_set_hooks({nullptr, [](qmSoundSource*) {
                      if (std::this_thread::get_id() == g_main_thread || g_parked.load() != 0)
                        return;
                      g_parked.store(1);
                      std::this_thread::sleep_for(std::chrono::milliseconds(200));
                      g_parked.store(2);
                    }});
  ASSERT_EQ(start(s, 0), 0);
  while (g_parked.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(g_parked.load(), 1);
  qmos_music_stop(s, false, nullptr, nullptr);
  EXPECT_FALSE(stream_thread_running());
  EXPECT_EQ(busy_channels(), 0);
}

TEST_F(StreamTest, SlowReadsStallTheMusicButItRecoversAndEnds) {
  stream_set_hooks(
      {[](qmSoundSource*) { std::this_thread::sleep_for(std::chrono::milliseconds(30)); },
       nullptr});
  qmSoundSource* s = wave(48000, 60000);
  ASSERT_EQ(start(s, 2), 0);
  Heard heard = listen(5000);
  EXPECT_TRUE(heard.ended);
  expect_pattern(heard.values, 60000, 2);
}

TEST_F(StreamTest, AModuleChannelPlaysItsPlayerAndAnswersQueries) {
  LoadedModule played = load_module(modgen::fixture("tones"));
  LoadedModule peer = load_module(modgen::fixture("tones"));
  qmMusicModule module{played.image.data(), played.image.size(), played.player, played.state_size};
  EXPECT_EQ(qmos_mod_query(&module, MOD_QUERY_ROW, 0), -1);  // not on a channel
  ASSERT_EQ(qmos_music_play(MUSIC_MODULE, &module, ObjectId{9, nullptr}, 1, 1, 64), 0);
  std::vector<int16_t> expected(2 * 30000);
  qmos_mod_fill_buffer(peer.player, expected.data(), 30000);
  EXPECT_EQ(render(30000), expected);
  EXPECT_EQ(qmos_mod_query(&module, MOD_QUERY_ROW, 0), qmos_mod_heard_row(peer.player));
  EXPECT_EQ(qmos_mod_query(&module, MOD_QUERY_POSITION, 0), qmos_mod_heard_position(peer.player));
  EXPECT_TRUE(qmos_music_is_playing(MUSIC_MODULE, &module));
  // A stop starts the module from its beginning next time.
  qmos_music_stop_or_pause(MUSIC_MODULE, &module, false, nullptr, nullptr);
  EXPECT_FALSE(qmos_music_is_playing(MUSIC_MODULE, &module));
  ASSERT_EQ(qmos_music_play(MUSIC_MODULE, &module, ObjectId{9, nullptr}, 1, 1, 64), 0);
  std::vector<int16_t> again = render(30000);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), expected.begin()));
}

}  // namespace
