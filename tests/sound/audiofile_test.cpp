// The platform source over FFmpeg, judged by the same library's command-line tools: decodes equal
// to ffmpeg's, sample-exact seeks, ":::chunk" files read in place, and samples that hold the
// frames decoded rather than the frames announced.
#include <gtest/gtest.h>
#include <dirent.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "driver_harness.h"
#include "runtime/os/qmos.h"
#include "runtime/vfile.h"
#include "sound/driver.h"
#include "soundgen.h"
#include "tests/runtime/os/scratch.h"

namespace {

using soundgen::Bytes;
using namespace qm;

using qmtest::Sample;
using qmtest::Source;

// Ten seconds of pink noise in stereo, so that every frame differs from its neighbours.
const char* kFormats[] = {"flac", "mp3", "ogg"};

class AudioFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new qmtest::ScratchDir;
    for (const char* ext : kFormats) {
      const std::string cmd = "ffmpeg -v error -f lavfi -i anoisesrc=d=10:c=pink:r=44100:a=0.3 -ac 2 -y " +
                              path(ext);
      ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string path(const std::string& ext) { return *dir_ / ("noise." + ext); }

  static Source open(const std::string& name) {
    qmSoundSource* s = nullptr;
    EXPECT_EQ(qmos_detect_sound(name.c_str(), 1, &s), 0) << name;
    return Source(s);
  }
  static Bytes read(qmSoundSource* s, int64_t frames, int32_t piece = 4096) {
    Bytes out;
    Bytes buf(size_t(piece) * 4);
    for (bool end = false; !end && int64_t(out.size()) / 4 < frames;) {
      const int32_t n = int32_t(std::min<int64_t>(piece, frames - int64_t(out.size()) / 4));
      const int32_t got = qmos_source_read(s, buf.data(), n, &end);
      out.insert(out.end(), buf.begin(), buf.begin() + got * 4);
      if (got == 0) break;
    }
    return out;
  }
  static inline qmtest::ScratchDir* dir_ = nullptr;
};

TEST_F(AudioFile, DecodesAsFFmpegDoesWithItsFrameCount) {
  for (const char* ext : kFormats) {
    const std::string file = path(ext);
    Source s = open(file);
    ASSERT_TRUE(s) << ext;
    EXPECT_EQ(s->kind, SOURCE_PLATFORM);
    EXPECT_EQ(s->format, SAMPLE_STEREO16);
    EXPECT_EQ(s->rate, 44100);
    // The frames announced are those of the stream's duration as ffprobe reports it.
    const std::string probe = qmtest::shell(
        "ffprobe -v error -select_streams a:0 -show_entries stream=duration_ts,time_base "
        "-of default=nw=1:nk=1 " + file);
    int64_t ts = 0, num = 0, den = 1;
    ASSERT_EQ(std::sscanf(probe.c_str(), "%ld/%ld\n%ld", &num, &den, &ts), 3) << probe;
    EXPECT_EQ(s->frames, (ts * num * 44100 + den / 2) / den) << ext;
    // The frames decoded are ffmpeg's, byte for byte.
    qmtest::shell("ffmpeg -v error -i " + file + " -f s16le -y " + path("raw"));
    EXPECT_EQ(read(s.get(), INT64_MAX), soundgen::read_file(path("raw"))) << ext;
  }
  EXPECT_STREQ(qmos_source_format_name(open(path("flac")).get()), "FLAC");
  EXPECT_STREQ(qmos_source_format_name(open(path("mp3")).get()), "MPEG Audio");
  EXPECT_STREQ(qmos_source_format_name(open(path("ogg")).get()), "Ogg");
}

TEST_F(AudioFile, FormatsOfTheAllowListHaveTheirNames) {
  struct Row {
    const char* file;
    const char* options;
    const char* name;
  } rows[] = {
      {"a.aiff", "", "AIFF"},         {"c.aiff", "-c:a pcm_f32be", "AIFC"},
      {"a.au", "", "NeXT"},           {"a.m4a", "-c:a aac", "MPEG Audio"},
      {"a.ac3", "", "AC-3"},          {"a.aac", "", "AAC ADTS"},
      {"a.caf", "", "Core Audio"},    {"f.wav", "-c:a pcm_f32le", "RIFF WAVE"},
  };
  for (const Row& r : rows) {
    const std::string file = *dir_ / r.file;
    const std::string cmd = std::string("ffmpeg -v error -f lavfi -i sine=d=0.2 ") + r.options +
                            " -y " + file;
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    Source s = open(file);
    ASSERT_TRUE(s) << r.file;
    EXPECT_EQ(s->kind, SOURCE_PLATFORM) << r.file;
    EXPECT_STREQ(qmos_source_format_name(s.get()), r.name) << r.file;
    EXPECT_GT(s->frames, 0) << r.file;
  }
}

TEST_F(AudioFile, SeeksAreSampleExact) {
  for (const char* ext : kFormats) {
    Source s = open(path(ext));
    ASSERT_TRUE(s);
    const Bytes whole = read(s.get(), INT64_MAX);
    const int64_t frames = int64_t(whole.size()) / 4;
    for (int64_t at : {int64_t(7) * 44100 + 12345, int64_t(0), int64_t(1), int64_t(44100 + 5),
                       int64_t(3) * 44100 + 17, frames - 1, int64_t(9) * 44100}) {
      qmos_source_seek(s.get(), at);
      ASSERT_EQ(s->position, at) << ext;
      const Bytes got = read(s.get(), 20000, 1000);
      const size_t from = size_t(at) * 4;
      const Bytes want(whole.begin() + long(from),
                       whole.begin() + long(std::min(whole.size(), from + 80000)));
      EXPECT_EQ(got, want) << ext << " at " << at;
    }
  }
}

TEST_F(AudioFile, ChunkFilesAreReadInPlace) {
  // The FLAC file behind 777 bytes of something else, as a linked file inside an applet.
  const Bytes flac = soundgen::read_file(path("flac"));
  Bytes host(777, 'x');
  host.insert(host.end(), flac.begin(), flac.end());
  host.resize(host.size() + 100, 'y');
  const std::string host_path = *dir_ / "applet.bin";
  soundgen::write_file(host_path, host);
  char name[VFILE_NAME_SIZE];
  ASSERT_TRUE(vfile_make_chunk_name("noise.flac", name, sizeof name, 777, flac.size(), 0,
                                    host_path.c_str()));

  // Nothing goes through a temporary file.
  const std::string tmp = *dir_ / "tmp";
  ASSERT_EQ(mkdir(tmp.c_str(), 0700), 0);
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  setenv("TMPDIR", tmp.c_str(), 1);
  Source chunk = open(name);
  Source plain = open(path("flac"));
  ASSERT_TRUE(chunk && plain);
  EXPECT_EQ(chunk->frames, plain->frames);
  const Bytes whole = read(plain.get(), INT64_MAX);
  EXPECT_EQ(read(chunk.get(), INT64_MAX), whole);
  qmos_source_seek(chunk.get(), 5 * 44100);
  EXPECT_EQ(read(chunk.get(), 1000), Bytes(whole.begin() + 5 * 44100 * 4, whole.begin() + (5 * 44100 + 1000) * 4));
  if (old) setenv("TMPDIR", saved.c_str(), 1); else unsetenv("TMPDIR");
  DIR* d = opendir(tmp.c_str());
  int entries = 0;
  while (readdir(d)) ++entries;
  closedir(d);
  EXPECT_EQ(entries, 2);  // "." and ".."
}

TEST_F(AudioFile, SamplesHoldTheFramesDecoded) {
  // An MP3 announces its padded length; the decoder drops the encoder's delay and padding.
  Source s = open(path("mp3"));
  ASSERT_TRUE(s);
  const int64_t announced = s->frames;
  qmSampleData* raw = nullptr;
  int64_t total = 0;
  ASSERT_EQ(qmos_sample_load(path("mp3").c_str(), &raw, &total, nullptr, nullptr), 0);
  Sample sample(raw);
  EXPECT_NE(sample->frames, announced);
  EXPECT_EQ(int64_t(sample->frames) * 4, total);
  qmtest::shell("ffmpeg -v error -i " + path("mp3") + " -f s16le -y " + path("raw"));
  const Bytes want = soundgen::read_file(path("raw"));
  ASSERT_EQ(size_t(total), want.size());
  EXPECT_EQ(Bytes(static_cast<uint8_t*>(sample->data), static_cast<uint8_t*>(sample->data) + total),
            want);
}

}  // namespace
