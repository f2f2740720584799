// The mixer runs on the audio thread and must never allocate: every operator new of this program
// is counted while eight sample channels (resampled, looping, ending) and a stream play.
#include "mixer_harness.h"
#include "tests/counting_new.h"

using namespace qm;
using qmtest::MixerTest;

TEST_F(MixerTest, RenderingAllocatesNothing) {
  for (const char* name : {"onsampleloop", "onsampleend", "onmusicend"})
    qmos_set_sound_handler(name, 1);
  qmSampleData* s = constant16(1000, 100);
  for (int i = 0; i < 7; ++i) ASSERT_EQ(play(s, 22050 + i * 1000, 0, i), 0);
  int32_t kind = 0;
  qmSoundSource* fed = nullptr;
  ASSERT_EQ(qmos_custom_stream_create(nullptr, 44100, SAMPLE_MONO16, &kind, &fed), 0);
  qmos_custom_append(fed, qmos_custom_entry_new(fed, 100000));
  ASSERT_EQ(qmos_music_play(MUSIC_STREAM, fed, ObjectId{1, nullptr}, 1, 1, 64), 0);
  qmos_channels_start_prepared();
  std::vector<int16_t> out(2 * 4096);
  const long before = g_allocations.load();
  for (int i = 0; i < 100; ++i) mixer_render(out.data(), 4096);
  EXPECT_EQ(g_allocations.load(), before);
  EXPECT_GT(before, 0);  // the counter counts
  qmos_music_stop(fed, false, nullptr, nullptr);
  qmos_source_close(fed);
}
