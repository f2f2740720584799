// Sound-stream plug-ins come before the built-in readers: the first that opens a file reads it.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/plugins/plugins.h"
#include "sound/driver.h"
#include "soundgen.h"
#include "tests/runtime/os/scratch.h"

namespace {

using namespace qm;

TEST(PluginStream, ComesFirstAndReadsThroughItsEntryPoints) {
  qmtest::ScratchDir dir;
  const std::string tone = dir / "tone.wav", plain = dir / "plain.wav", crowd = dir / "crowd.wav";
  for (const std::string& p : {tone, plain, crowd})
    soundgen::write_file(p, soundgen::wave(soundgen::Wave{}, soundgen::ramp(64)));
  plugin_load_directory(QMP_SOUND_DIR);

  qmSoundSource* s = nullptr;
  ASSERT_EQ(qmos_detect_sound(tone.c_str(), 1, &s), 0);
  EXPECT_EQ(s->kind, SOURCE_PLUGIN);  // a WAVE file, but the plug-in asked first takes it
  EXPECT_STREQ(qmos_source_format_name(s), "Tone");
  EXPECT_EQ(s->frames, 1000);
  EXPECT_EQ(s->total_bytes, 1000);
  EXPECT_EQ(s->format, SAMPLE_MONO8);
  EXPECT_EQ(s->seekable, 1);
  uint8_t buf[600];
  bool end = false;
  EXPECT_EQ(qmos_source_read(s, buf, 600, &end), 600);
  EXPECT_FALSE(end);
  EXPECT_EQ(qmos_source_read(s, buf, 600, &end), 400);
  EXPECT_TRUE(end);
  EXPECT_EQ(buf[0], uint8_t(600));
  qmos_source_seek(s, 300);
  EXPECT_EQ(s->position, 300);
  EXPECT_EQ(qmos_source_read(s, buf, 1, &end), 1);
  EXPECT_EQ(buf[0], uint8_t(300));
  qmos_source_close(s);

  // A whole sample reads to the stream's end.
  qmSampleData* sample = nullptr;
  ASSERT_EQ(qmos_sample_load(tone.c_str(), &sample, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(sample->frames, 1000);
  EXPECT_EQ(static_cast<uint8_t*>(sample->data)[999], uint8_t(999));
  qmos_sample_free(sample);

  // A stream of three channels is no stream the player plays: the built-in reader takes the file.
  ASSERT_EQ(qmos_detect_sound(crowd.c_str(), 1, &s), 0);
  EXPECT_EQ(s->kind, SOURCE_WAVE);
  qmos_source_close(s);
  ASSERT_EQ(qmos_detect_sound(plain.c_str(), 1, &s), 0);
  EXPECT_EQ(s->kind, SOURCE_WAVE);
  qmos_source_close(s);
  plugin_unload_all();
}

}  // namespace
