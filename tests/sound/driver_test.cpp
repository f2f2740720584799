// The sound driver: detection, the built-in readers on hostile sizes and odd chunks, samples,
// the WAVE writer's bytes, the program-fed queue and the musics' information.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "modgen.h"
#include "platform/platform.h"
#include "driver_harness.h"
#include "runtime/os/qmos.h"
#include "sound/driver.h"
#include "sound/formats.h"
#include "soundgen.h"
#include "tests/runtime/os/scratch.h"

namespace {

using soundgen::Bytes;
using namespace qm;

using qmtest::Sample;
using qmtest::Source;

class Driver : public ::testing::Test {
 protected:
  std::string put(const std::string& name, const Bytes& bytes) {
    const std::string path = dir / name;
    soundgen::write_file(path, bytes);
    return path;
  }
  Source open(const std::string& path, int32_t* err = nullptr) {
    qmSoundSource* s = nullptr;
    const int32_t e = qmos_detect_sound(path.c_str(), 0, &s);
    if (err) *err = e;
    return Source(s);
  }
  // Everything the source delivers, read in pieces of `piece` frames.
  static Bytes read_all(qmSoundSource* s, int32_t piece = 1000) {
    Bytes out;
    for (bool end = false; !end;) {
      Bytes buf(size_t(piece) * size_t(s->bytes_per_frame));
      const int32_t got = qmos_source_read(s, buf.data(), piece, &end);
      out.insert(out.end(), buf.begin(), buf.begin() + long(got) * s->bytes_per_frame);
      if (got == 0 && !end) break;
    }
    return out;
  }
  qmtest::ScratchDir dir;
};

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST_F(Driver, DetectionPicksTheReaderByMagicAndFallsBackToTheAllowList) {
  soundgen::Wave pcm;
  soundgen::Wave fmt18;
  fmt18.fmt_size = 18;
  soundgen::Wave float32;
  float32.tag = 3;
  float32.bits = 32;
  soundgen::Wave three;
  three.channels = 3;
  soundgen::Iff svx, sv16, packed, silent;
  sv16.type = "16SV";
  packed.compression = 1;
  silent.rate = 0;
  Bytes ilbm = soundgen::iff(svx, soundgen::ramp(64));
  std::memcpy(&ilbm[8], "ILBM", 4);
  Bytes avi = soundgen::wave(pcm, soundgen::ramp(64));
  std::memcpy(&avi[8], "AVI ", 4);
  Bytes rifx = soundgen::wave(pcm, soundgen::ramp(64));
  std::memcpy(&rifx[0], "JUNK", 4);
  // A tracker module that Debian's FFmpeg would open through its module demuxer: the XM header,
  // one pattern of empty rows.
  Bytes xm = text("Extended Module: qm test");
  xm.resize(37, 0);
  xm.push_back(0x1a);
  xm.resize(60, 0);
  xm[58] = 0x04;
  xm[59] = 0x01;
  for (uint16_t v : {276, 0, 1, 0, 4, 1, 0, 1, 6, 125}) {  // the header size takes two words
    xm.push_back(uint8_t(v));
    xm.push_back(uint8_t(v >> 8));
  }
  xm.resize(xm.size() + 256, 0);
  for (uint8_t v : {9, 0, 0, 0, 0, 64, 0, 0, 1}) xm.push_back(v);
  xm.resize(xm.size() + 256, 0x80);

  struct Row {
    const char* name;
    Bytes bytes;
    int32_t err, kind;
    const char* format;
  } rows[] = {
      {"8svx", soundgen::iff(svx, soundgen::ramp(64)), 0, SOURCE_IFF_8SVX, "IFF 8SVX"},
      {"16sv", soundgen::iff(sv16, soundgen::ramp(64)), 0, SOURCE_IFF_16SV, "IFF 16SV"},
      {"pcm", soundgen::wave(pcm, soundgen::ramp(64)), 0, SOURCE_WAVE, "RIFF WAVE"},
      {"ilbm", ilbm, ERR_UNKNOWNMUSFMT, 0, nullptr},
      {"avi", avi, ERR_UNKNOWNMUSFMT, 0, nullptr},
      {"junk at 0", rifx, ERR_UNKNOWNMUSFMT, 0, nullptr},
      {"fmt18", soundgen::wave(fmt18, soundgen::ramp(64)), 0, SOURCE_PLATFORM, "RIFF WAVE"},
      {"float", soundgen::wave(float32, Bytes(64, 0)), 0, SOURCE_PLATFORM, "RIFF WAVE"},
      {"3 channels", soundgen::wave(three, soundgen::ramp(96)), 0, SOURCE_PLATFORM, "RIFF WAVE"},
      {"compressed", soundgen::iff(packed, soundgen::ramp(64)), ERR_UNKNOWNMUSFMT, 0, nullptr},
      {"rate 0", soundgen::iff(silent, soundgen::ramp(64)), ERR_UNKNOWNMUSFMT, 0, nullptr},
      {"xm", xm, ERR_UNKNOWNMUSFMT, 0, nullptr},
      {"empty", {}, ERR_UNKNOWNMUSFMT, 0, nullptr},
  };
  for (const Row& r : rows) {
    int32_t err = -1;
    Source s = open(put(r.name, r.bytes), &err);
    EXPECT_EQ(err, r.err) << r.name;
    if (r.err || !s) continue;
    EXPECT_EQ(s->kind, r.kind) << r.name;
    EXPECT_STREQ(qmos_source_format_name(s.get()), r.format) << r.name;
    // The built-in readers accept exactly what they are given here.
    qmSoundSource* builtin = nullptr;
    EXPECT_EQ(sound_open_builtin((dir / r.name).c_str(), 0, &builtin) == 0, r.kind <= SOURCE_WAVE)
        << r.name;
    qmos_source_close(builtin);
  }
  // More channels than two are mixed down to stereo by the platform source.
  Source three_channels = open(dir / "3 channels");
  ASSERT_TRUE(three_channels);
  EXPECT_EQ(three_channels->channels, 2);
  EXPECT_EQ(three_channels->format, SAMPLE_STEREO16);

  int32_t err = 0;
  EXPECT_FALSE(open(dir / "missing.wav", &err));
  EXPECT_EQ(err, ERR_READFILE);
  mkfifo((dir / "fifo").c_str(), 0600);
  EXPECT_FALSE(open(dir / "fifo", &err));  // refused at once, no wait for a writer
  EXPECT_EQ(err, ERR_READFILE);
}

TEST_F(Driver, TheAllowListRefusesContainersFFmpegWouldOpen) {
  const std::string mka = dir / "clip.mka";
  ASSERT_EQ(std::system(("ffmpeg -v error -f lavfi -i sine=d=0.5 -c:a flac -y " + mka).c_str()), 0);
  ASSERT_EQ(qmtest::shell("ffprobe -v error -show_entries format=format_name -of default=nw=1:nk=1 " + mka),
            "matroska,webm");
  int32_t err = 0;
  EXPECT_FALSE(open(mka, &err));
  EXPECT_EQ(err, ERR_UNKNOWNMUSFMT);
}

TEST_F(Driver, IffStereoKeepsItsChannelsInBlocks) {
  // 1000 BODY bytes of a stereo 8SVX are 500 frames; frame n is bytes n and 500 + n.
  Bytes body = soundgen::ramp(1000);
  soundgen::Iff stereo;
  stereo.channels = 2;
  Bytes interleaved;
  for (size_t i = 0; i < 500; ++i) {
    interleaved.push_back(body[i]);
    interleaved.push_back(body[500 + i]);
  }
  Source s = open(put("stereo.8svx", soundgen::iff(stereo, interleaved)));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->frames, 500);
  EXPECT_EQ(s->format, SAMPLE_STEREO8);
  Bytes got = read_all(s.get(), 77);
  ASSERT_EQ(got.size(), 1000u);
  EXPECT_EQ(got[0], 0);
  EXPECT_EQ(got[1], uint8_t(500));
  EXPECT_EQ(got, interleaved);

  // 16SV: big-endian values, flagged so, interleaved whole.
  soundgen::Iff sv16;
  sv16.type = "16SV";
  sv16.channels = 2;
  Bytes frames16 = soundgen::ramp(400);
  Source t = open(put("stereo.16sv", soundgen::iff(sv16, frames16)));
  ASSERT_TRUE(t);
  EXPECT_EQ(t->frames, 100);
  EXPECT_EQ(t->flags, SAMPLE_SIGNED | SAMPLE_BIG_ENDIAN);
  EXPECT_EQ(read_all(t.get(), 33), frames16);
}

TEST_F(Driver, OddChunksAreReadWithOrWithoutTheirPadByte) {
  // An odd NAME, LIST or ANNO before the data: padded as the formats say, or unpadded as some
  // writers leave them. A ramp of data makes any lost or extra byte show. 301 bytes of WAVE data
  // make the padded position read "ata-", printable too.
  for (bool pad : {true, false}) {
    soundgen::Iff svx;
    svx.before = {{"NAME", text("abc"), pad}, {"ANNO", text("hello"), pad}};
    Source s = open(put("odd.8svx", soundgen::iff(svx, soundgen::ramp(300, 7))));
    ASSERT_TRUE(s) << pad;
    EXPECT_EQ(s->kind, SOURCE_IFF_8SVX);
    EXPECT_EQ(read_all(s.get()), soundgen::ramp(300, 7)) << pad;

    soundgen::Wave wav;
    wav.bits = 8;
    wav.before = {{"LIST", text("INFOxyz"), pad}};
    Source w = open(put("odd.wav", soundgen::wave(wav, soundgen::ramp(301, 3))));
    ASSERT_TRUE(w) << pad;
    EXPECT_EQ(w->kind, SOURCE_WAVE);
    EXPECT_EQ(read_all(w.get()), soundgen::ramp(301, 3)) << pad;
  }
}

TEST_F(Driver, SizesBeyondTheFileCountOnlyTheBytesThere) {
  soundgen::Wave streamed;
  streamed.channels = 2;
  streamed.data_size = 0xFFFFFFFF;
  soundgen::Iff cut;
  cut.body_size = 1 << 30;
  Bytes truncated = soundgen::wave(soundgen::Wave{}, soundgen::ramp(1000));
  truncated.resize(truncated.size() - 301);  // 699 bytes of data: 349 frames
  struct Row {
    const char* name;
    Bytes bytes;
    int64_t frames;
    Bytes data;
  } rows[] = {
      {"streamed.wav", soundgen::wave(streamed, soundgen::ramp(1002)), 250, soundgen::ramp(1000)},
      {"truncated.wav", truncated, 349, soundgen::ramp(698)},
      {"cut.8svx", soundgen::iff(cut, soundgen::ramp(555)), 555, soundgen::ramp(555)},
  };
  for (const Row& r : rows) {
    const std::string path = put(r.name, r.bytes);
    Source s = open(path);
    ASSERT_TRUE(s) << r.name;
    EXPECT_EQ(s->frames, r.frames) << r.name;
    EXPECT_EQ(s->total_bytes, int64_t(r.data.size())) << r.name;
    qmSampleData* raw = nullptr;
    int64_t total = 0;
    ASSERT_EQ(qmos_sample_load(path.c_str(), &raw, &total, nullptr, nullptr), 0) << r.name;
    Sample sample(raw);
    EXPECT_EQ(total, int64_t(r.data.size())) << r.name;
    EXPECT_EQ(Bytes(static_cast<uint8_t*>(sample->data),
                    static_cast<uint8_t*>(sample->data) + total),
              r.data)
        << r.name;
  }
}

TEST_F(Driver, ReadsStopAtTheEndAndSeeksStayInside) {
  soundgen::Wave wav;
  wav.bits = 8;
  Source s = open(put("ramp.wav", soundgen::wave(wav, soundgen::ramp(100))));
  ASSERT_TRUE(s);
  uint8_t buf[200];
  bool end = false;
  EXPECT_EQ(qmos_source_read(s.get(), buf, 100, &end), 100);
  EXPECT_FALSE(end);  // exactly to the end: the next read tells
  EXPECT_EQ(qmos_source_read(s.get(), buf, 10, &end), 0);
  EXPECT_TRUE(end);
  qmos_source_seek(s.get(), 40);
  EXPECT_EQ(qmos_source_read(s.get(), buf, 200, &end), 60);
  EXPECT_TRUE(end);
  EXPECT_EQ(buf[0], 40);
  qmos_source_seek(s.get(), 100);  // not before the end: refused
  EXPECT_EQ(s->position, 100);
  qmos_source_seek(s.get(), 99);
  EXPECT_EQ(qmos_source_read(s.get(), buf, 1, &end), 1);
  EXPECT_EQ(buf[0], 99);
  EXPECT_EQ(qmos_source_read(s.get(), buf, 0, &end), 0);

  // An empty data chunk: a source of no frames, no sample.
  const std::string empty = put("empty.wav", soundgen::wave(wav, {}));
  Source e = open(empty);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->frames, 0);
  qmSampleData* raw = nullptr;
  EXPECT_EQ(qmos_sample_load(empty.c_str(), &raw, nullptr, nullptr, nullptr), ERR_STREAMASSAMPLE);
  EXPECT_FALSE(qmos_sample_check(empty.c_str()));
  EXPECT_TRUE(qmos_sample_check((dir / "ramp.wav").c_str()));
}

TEST_F(Driver, SamplesCopyAndReplaceTheirData) {
  auto* data = static_cast<uint8_t*>(qmos_alloc(8, 0));
  std::memcpy(data, "abcdefgh", 8);
  Sample s(qmos_sample_create(data, 2, SAMPLE_STEREO16));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->bits, 16);
  EXPECT_EQ(s->channels, 2);
  EXPECT_EQ(s->flags, SAMPLE_SIGNED);
  s->lock = 1;
  Sample c(qmos_sample_copy(s.get()));
  ASSERT_TRUE(c);
  EXPECT_NE(c->data, s->data);
  EXPECT_EQ(std::memcmp(c->data, "abcdefgh", 8), 0);
  EXPECT_EQ(c->lock, 0);
  qmos_sample_replace_data(c.get(), qmos_alloc(4, 1), 1);
  EXPECT_EQ(c->frames, 1);
  EXPECT_EQ(std::memcmp(s->data, "abcdefgh", 8), 0);
  EXPECT_FALSE(qmos_sample_create(nullptr, 0, 6));

  const int32_t codes[][3] = {{1, 8, 0}, {2, 8, 0}, {1, 8, 1}, {2, 8, 1}, {1, 16, 1}, {2, 16, 1}};
  for (int32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(qmos_sample_format_code(codes[i][0], codes[i][1], codes[i][2] != 0), i);
  }
  EXPECT_EQ(qmos_sample_format_code(2, 24, true), -1);
  EXPECT_EQ(qmos_sample_frame_bytes(6), 0);
}

TEST_F(Driver, WaveWriterKeepsItsByteLayout) {
  // Three bytes of mono 8-bit signed data: RIFF size 40, data size 3, one pad byte, +128.
  auto* data = static_cast<int8_t*>(qmos_alloc(3, 0));
  data[0] = -128;
  data[1] = 0;
  data[2] = 127;
  Sample s(qmos_sample_create(data, 3, SAMPLE_MONO8));
  const std::string path = dir / "three.wav";
  ASSERT_EQ(qmos_sample_save_wave(path.c_str(), s.get(), 8000), 0);
  const Bytes want = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                      16, 0, 0, 0, 1, 0, 1, 0, 0x40, 0x1f, 0, 0, 0x40, 0x1f, 0, 0,
                      1, 0, 8, 0, 'd', 'a', 't', 'a', 3, 0, 0, 0, 0, 128, 255, 0};
  EXPECT_EQ(soundgen::read_file(path), want);
}

TEST_F(Driver, WaveWriterOutputReadsBackAsTheSample) {
  // Every format code, 16-bit big-endian data too: what we read back is what WAVE holds.
  for (int32_t code = 0; code <= 5; ++code) {
    for (bool big : {false, true}) {
      const int32_t bpf = qmos_sample_frame_bytes(code);
      auto* data = static_cast<uint8_t*>(qmos_alloc(size_t(bpf) * 5, 0));
      std::memcpy(data, soundgen::ramp(size_t(bpf) * 5, 1).data(), size_t(bpf) * 5);
      Sample s(qmos_sample_create(data, 5, code));
      if (big) s->flags |= SAMPLE_BIG_ENDIAN;
      const std::string path = dir / "back.wav";
      ASSERT_EQ(qmos_sample_save_wave(path.c_str(), s.get(), 22050), 0);
      qmSampleData* raw = nullptr;
      int32_t rate = 0, format = 0;
      ASSERT_EQ(qmos_sample_load(path.c_str(), &raw, nullptr, &rate, &format), 0);
      Sample back(raw);
      EXPECT_EQ(rate, 22050);
      EXPECT_EQ(back->frames, 5);
      EXPECT_EQ(back->channels, s->channels);
      const auto* in = static_cast<const uint8_t*>(s->data);
      const auto* out = static_cast<const uint8_t*>(back->data);
      for (int32_t i = 0; i < 5 * bpf; ++i) {
        uint8_t want = in[i];
        if (code == SAMPLE_MONO8 || code == SAMPLE_STEREO8) want = uint8_t(want + 128);
        if (s->bits == 16 && big) want = in[i ^ 1];
        ASSERT_EQ(out[i], want) << code << " " << big << " " << i;
      }
    }
  }
}

TEST_F(Driver, ProgramFedQueue) {
  int32_t kind = 0;
  qmSoundSource* raw = nullptr;
  ASSERT_EQ(qmos_custom_stream_create(nullptr, 11025, SAMPLE_STEREO8U, &kind, &raw), 0);
  Source s(raw);
  EXPECT_EQ(kind, MUSIC_STREAM);
  EXPECT_EQ(s->frames, SOURCE_UNBOUNDED);
  EXPECT_EQ(s->seekable, 0);
  EXPECT_STREQ(qmos_source_format_name(s.get()), "Custom stream");

  // Dry: silence of the format, and no end.
  uint8_t buf[64];
  bool end = false;
  EXPECT_EQ(qmos_source_read(s.get(), buf, 8, &end), 8);
  EXPECT_FALSE(end);
  EXPECT_EQ(Bytes(buf, buf + 16), Bytes(16, 128));

  // Entries split across reads, then the end after the data queued before it.
  for (int n : {3, 5}) {
    qmMusicBufferEntry* e = qmos_custom_entry_new(s.get(), n);
    ASSERT_TRUE(e);
    for (int i = 0; i < 2 * n; ++i) e->data[i] = uint8_t(10 * n + i);
    qmos_custom_append(s.get(), e);
  }
  qmos_custom_append(s.get(), qmos_custom_entry_new(s.get(), SOURCE_UNBOUNDED));
  EXPECT_EQ(s->feed->total_queued, 8);
  EXPECT_EQ(qmos_custom_unplayed(s.get()), 8);
  EXPECT_EQ(qmos_source_read(s.get(), buf, 2, &end), 2);
  EXPECT_EQ(Bytes(buf, buf + 4), (Bytes{30, 31, 32, 33}));
  EXPECT_EQ(qmos_source_read(s.get(), buf, 4, &end), 4);
  EXPECT_FALSE(end);
  EXPECT_EQ(Bytes(buf, buf + 8), (Bytes{34, 35, 50, 51, 52, 53, 54, 55}));
  EXPECT_EQ(qmos_custom_unplayed(s.get()), 2);
  EXPECT_EQ(qmos_source_read(s.get(), buf, 10, &end), 2);
  EXPECT_TRUE(end);
  EXPECT_EQ(qmos_source_read(s.get(), buf, 10, &end), 0);
  EXPECT_TRUE(end);

  // Appending frees the played entries; signed formats are silent at 0.
  qmos_custom_append(s.get(), qmos_custom_entry_new(s.get(), 1));
  EXPECT_EQ(s->feed->head->data, nullptr);  // only the end entry and the new one remain
  ASSERT_EQ(qmos_custom_stream_create(nullptr, 8000, SAMPLE_MONO16, &kind, &raw), 0);
  Source t(raw);
  EXPECT_EQ(qmos_source_read(t.get(), buf, 4, &end), 4);
  EXPECT_EQ(Bytes(buf, buf + 8), Bytes(8, 0));
  EXPECT_EQ(qmos_custom_stream_create(nullptr, 8000, 6, &kind, &raw), ERR_WRONGUSAGE);
  EXPECT_FALSE(qmos_custom_entry_new(t.get(), int64_t(1) << 40));
}

TEST_F(Driver, MusicsOpenAsModulesOrStreamsAndAnswerTheirInformation) {
  const std::string mod = put("song.mod", modgen::fixture("tones").build());
  int32_t kind = 0, seekable = -1;
  void* handle = nullptr;
  ASSERT_EQ(qmos_music_open(mod.c_str(), &kind, &handle, &seekable), 0);
  EXPECT_EQ(kind, MUSIC_MODULE);
  EXPECT_EQ(seekable, 0);
  EXPECT_STREQ(qmos_music_info(MUSIC_INFO_NAME, kind, handle).text, "Protracker");
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_FORMAT, kind, handle).number, 5);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_RATE, kind, handle).number, 48000);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_DURATION, kind, handle).number, -1);
  qmos_music_close(kind, handle);
  std::string name;
  EXPECT_TRUE(qmos_music_identify(mod.c_str(), &name));
  EXPECT_EQ(name, "Protracker");
  // "M.K." on a file too short for its patterns: identified, but it does not open.
  Bytes image = soundgen::read_file(mod);
  image.resize(1100);
  const std::string cut = put("cut.mod", image);
  EXPECT_EQ(qmos_music_open(cut.c_str(), &kind, &handle, &seekable), ERR_UNKNOWNMUSFMT);
  EXPECT_TRUE(qmos_music_identify(cut.c_str(), &name));

  // A stream of 2.5 s at 8000 Hz, 16-bit stereo, no bit rate of its own.
  soundgen::Wave wav;
  wav.channels = 2;
  const std::string path = put("music.wav", soundgen::wave(wav, Bytes(80000, 0)));
  ASSERT_EQ(qmos_music_open(path.c_str(), &kind, &handle, &seekable), 0);
  EXPECT_EQ(kind, MUSIC_STREAM);
  EXPECT_EQ(seekable, 1);
  auto* s = static_cast<qmSoundSource*>(handle);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_DURATION, kind, s).number, 2500);
  EXPECT_STREQ(qmos_music_info(MUSIC_INFO_NAME, kind, s).text, "RIFF WAVE");
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_FORMAT, kind, s).number, SAMPLE_STEREO16);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_BIT_RATE, kind, s).number, 4 * 8000 / 1024 * 8);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_FEED, kind, s).feed, nullptr);

  // The play clock: set by a seek, then running on the platform Clock within the duration.
  platform_set_clock(nullptr);
  FakeClock clock;
  platform_set_clock(&clock);
  qmos_music_seek_ms(kind, s, 1250);
  EXPECT_EQ(s->position, 10000);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_POSITION, kind, s).number, 1250);
  clock.advance_ms(100);
  qmos_source_clock_start(s);
  clock.advance_ms(1000);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_POSITION, kind, s).number, 2250);
  clock.advance_ms(1000);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_POSITION, kind, s).number, 750);  // the second pass
  qmos_music_close(kind, s);

  // A program-fed stream has no duration: its position runs on without a wrap.
  qmSoundSource* fed = nullptr;
  ASSERT_EQ(qmos_custom_stream_create(nullptr, 8000, SAMPLE_MONO8, &kind, &fed), 0);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_DURATION, kind, fed).number, -1);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_FEED, kind, fed).feed, fed->feed.get());
  qmos_source_clock_start(fed);
  clock.advance_ms(123456);
  EXPECT_EQ(qmos_music_info(MUSIC_INFO_POSITION, kind, fed).number, 123456);
  qmos_music_close(kind, fed);
  platform_set_clock(nullptr);

  EXPECT_FALSE(qmos_music_identify((dir / "nothing").c_str(), &name));
  EXPECT_EQ(name, "Unknown");
}

}  // namespace
