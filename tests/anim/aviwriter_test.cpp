// The AVI writer judged by ffprobe and ffmpeg: the header fields against the chunks written,
// index chunk pairs and further RIFF segments, and writes that fail.
#include "anim/aviwriter.h"

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "tests/anim/anim_test_tools.h"

using namespace animtest;
using namespace qm;

namespace {

std::string capture(const std::string& cmd, int* status = nullptr) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  char buf[512];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int rc = pclose(p);
  if (status) *status = rc;
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// ffprobe's "r_frame_rate,nb_read_frames" of the video stream.
std::string probe(const std::string& path, int* status = nullptr) {
  return capture(
      "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
      "stream=r_frame_rate,nb_read_frames -of csv=p=0 " +
          path,
      status);
}

// A frame with a gradient, so that a wrong row order or channel shows.
struct Picture {
  qmBitmap* bm;
  std::vector<uint32_t> px;
  Picture(int32_t w, int32_t h, int seed) : bm(qmos_alloc_bitmap(w, h)), px(size_t(w) * h) {
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const uint32_t c = uint32_t((x * 128 / w + seed * 20) & 255) << 16 |
                           uint32_t(y * 160 / h + 40) << 8 | uint32_t((seed * 90) & 255);
        px[size_t(y) * w + x] = c;
        qmos_write_pixel(bm, x, y, c);
      }
  }
  ~Picture() { qmos_free_bitmap(bm); }
};

uint32_t le32(const std::vector<uint8_t>& f, size_t at) {
  return at + 4 <= f.size() ? get_le32(&f[at]) : 0xDEADBEEF;
}
size_t find_tag(const std::vector<uint8_t>& f, const char* tag, int nth = 0, size_t from = 0) {
  for (size_t i = from; i + 4 <= f.size(); ++i)
    if (std::memcmp(&f[i], tag, 4) == 0 && nth-- == 0) return i;
  return std::string::npos;
}
int count_tag(const std::vector<uint8_t>& f, const char* tag) {
  int n = 0;
  for (size_t at = 0; (at = find_tag(f, tag, 0, at)) != std::string::npos; at += 4) ++n;
  return n;
}

// Writes frames of w x h pictures (seeds 0, 1, 2...) at fps; 0 or the first error.
int32_t write_avi(const std::string& path, int32_t fps, int32_t w, int32_t h, int32_t frames,
                  int32_t quality = 90) {
  qmAviWriter* avi = nullptr;
  if (int32_t rc = avi_create(path.c_str(), fps, w, h, quality, "test", &avi)) return rc;
  for (int32_t i = 0; i < frames; ++i) {
    Picture p(w, h, i % 6);
    if (int32_t rc = avi_write_frame(avi, p.bm, w, h)) {
      avi_free(avi);
      return rc;
    }
  }
  return avi_finish(avi);
}

TEST(AviWriter, HeaderMatchesTheChunksWritten) {
  const std::string path = tmp("two.avi");
  ASSERT_EQ(write_avi(path, 25, 32, 16, 2), 0);
  const std::vector<uint8_t> f = read_file(path);
  ASSERT_GT(f.size(), 33000u);
  EXPECT_EQ(std::string(f.begin(), f.begin() + 4), "RIFF");
  EXPECT_EQ(le32(f, 4), f.size() - 8);
  EXPECT_EQ(std::string(f.begin() + 8, f.begin() + 12), "AVI ");

  // idx1 leads to both frames' chunks; their sizes give the header's data rate and buffer size.
  const size_t idx1 = find_tag(f, "idx1", 0, find_tag(f, "movi"));
  ASSERT_NE(idx1, std::string::npos);
  ASSERT_EQ(le32(f, idx1 + 4), 64u);
  uint32_t video_bytes = 0, largest = 0;
  for (int e = 0; e < 4; ++e) {
    const size_t entry = idx1 + 8 + 16 * size_t(e);
    const size_t chunk = le32(f, entry + 8);
    EXPECT_EQ(std::memcmp(&f[entry], &f[chunk], 4), 0) << e;
    EXPECT_EQ(le32(f, chunk + 4), le32(f, entry + 12)) << e;
    if (e % 2) {
      const uint32_t len = le32(f, chunk + 4);
      video_bytes += len + (len & 1);
      largest = std::max(largest, len);
      EXPECT_EQ(std::memcmp(&f[chunk + 8 + 6], "AVI1", 4), 0);
    } else {
      EXPECT_EQ(le32(f, chunk + 4), 7056u);
    }
  }
  const size_t avih = find_tag(f, "avih") + 8;
  EXPECT_EQ(le32(f, avih), 40000u);
  EXPECT_EQ(le32(f, avih + 4), uint64_t(video_bytes / 2) * 1000000 / 40000);
  EXPECT_EQ(le32(f, avih + 12), 16u);
  EXPECT_EQ(le32(f, avih + 16), 2u);
  EXPECT_EQ(le32(f, avih + 24), 2u);
  EXPECT_EQ(le32(f, avih + 32), 32u);
  EXPECT_EQ(le32(f, avih + 36), 16u);
  const size_t auds = find_tag(f, "strh", 0) + 8, vids = find_tag(f, "strh", 1) + 8;
  EXPECT_EQ(le32(f, auds + 24), 176400u);  // rate
  EXPECT_EQ(le32(f, auds + 32), 3528u);    // length in samples
  EXPECT_EQ(le32(f, vids + 20), 40000u);   // scale
  EXPECT_EQ(le32(f, vids + 32), 2u);       // length in frames
  EXPECT_EQ(le32(f, vids + 36), largest);  // suggested buffer
  const size_t hdrl = 12, movi_list = find_tag(f, "movi") - 8;
  EXPECT_EQ(hdrl + 8 + le32(f, hdrl + 4), movi_list);
  for (int s = 0; s < 2; ++s) {
    const size_t indx = find_tag(f, "indx", s) + 8;
    EXPECT_EQ(le32(f, indx + 4), 1u);
    EXPECT_EQ(le32(f, indx + 24 + 12), s == 0 ? 3528u : 2u);
  }
  EXPECT_EQ(probe(path), "25/1,2");
  int status = 0;
  EXPECT_EQ(capture("ffmpeg -v error -i " + path + " -f null - 2>&1", &status), "");
  EXPECT_EQ(status, 0);
  const auto frames = ffmpeg_frames(path, 32, 16);
  ASSERT_EQ(frames.size(), 2u);
  for (int i = 0; i < 2; ++i) EXPECT_GT(psnr(frames[i], Picture(32, 16, i).px), 35) << i;
  const Opened ours = load_all(path);
  EXPECT_EQ(ours.frames, 2);
}

TEST(AviWriter, SampleRateDividesByTheFrameRate) {
  struct Case {
    int32_t fps, rate, samples, error;
  } cases[] = {
      {25, 44100, 1764, 0},      {30, 44100, 1470, 0},       {7, 44100, 6300, 0},
      {11, 44099, 4009, 0},      {1000, 44000, 44, 0},       {44100, 44100, 1, 0},
      {0, 0, 0, ERR_WRONGUSAGE}, {-3, 0, 0, ERR_WRONGUSAGE}, {44101, 0, 0, ERR_WRONGUSAGE},
  };
  for (const Case& c : cases) {
    qmAviWriter* avi = nullptr;
    ASSERT_EQ(avi_create(tmp("rate.avi").c_str(), c.fps, 8, 8, 50, "", &avi), c.error);
    if (c.error) {
      EXPECT_EQ(avi, nullptr);
      continue;
    }
    const qmAviWriterInfo info = avi_info(avi);
    EXPECT_EQ(info.sample_rate, c.rate) << c.fps;
    EXPECT_EQ(info.samples_per_frame, c.samples) << c.fps;
    EXPECT_GT(info.us_per_frame, 0);
    avi_free(avi);
  }
}

TEST(AviWriter, IndexChunkPairsAndEmptyStreams) {
  // The 2045th frame opens a second pair of standard index chunks.
  const std::string many = tmp("many.avi");
  ASSERT_EQ(write_avi(many, 25, 8, 8, kAviStdIndexEntries + 1, 30), 0);
  const std::vector<uint8_t> f = read_file(many);
  EXPECT_EQ(count_tag(f, "ix00"), 2);
  EXPECT_EQ(count_tag(f, "ix01"), 2);
  const size_t first = find_tag(f, "ix01"), second = find_tag(f, "ix01", 1);
  EXPECT_EQ(le32(f, first + 12), uint32_t(kAviStdIndexEntries));
  EXPECT_EQ(le32(f, second + 12), 1u);
  EXPECT_EQ(le32(f, find_tag(f, "indx", 1) + 12), 2u);
  EXPECT_EQ(probe(many), "25/1,2045");

  // A stream finished without frames: ffprobe reads it and counts none (its "N/A").
  const std::string none = tmp("none.avi");
  ASSERT_EQ(write_avi(none, 25, 8, 8, 0), 0);
  int status = -1;
  EXPECT_EQ(probe(none, &status), "25/1,N/A");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(le32(read_file(none), find_tag(read_file(none), "avih") + 8 + 16), 0u);
}

TEST(AviWriter, FurtherSegmentsReadWhole) {
  setenv("QM_AVI_SEGMENT_LIMIT", "200000", 1);
  const std::string path = tmp("segments.avi");
  const int32_t rc = write_avi(path, 25, 32, 16, 100);
  unsetenv("QM_AVI_SEGMENT_LIMIT");
  ASSERT_EQ(rc, 0);
  const std::vector<uint8_t> f = read_file(path);
  const int segments = count_tag(f, "AVIX");
  EXPECT_GE(segments, 2);
  EXPECT_EQ(count_tag(f, "ix01"), segments + 1);
  EXPECT_EQ(count_tag(f, "idx1"), 1);
  EXPECT_EQ(probe(path), "25/1,100");
  // Our reader stops at the end of the first segment, where idx1 ends.
  const size_t idx1 = find_tag(f, "idx1", 0, find_tag(f, "movi"));
  const Opened ours = load_all(path);
  EXPECT_EQ(ours.frames, int32_t(le32(f, idx1 + 4) / 32));
  EXPECT_GT(ours.frames, 0);
  EXPECT_LT(ours.frames, 100);
}

// A segment limit of one byte opens a segment, and so a pair of index chunks, for every frame:
// the super index is full after 1022 frames, the next is refused and the file stays whole.
TEST(AviWriter, AFullSuperIndexRefusesFurtherFrames) {
  setenv("QM_AVI_SEGMENT_LIMIT", "1", 1);
  const std::string path = tmp("full_index.avi");
  qmAviWriter* avi = nullptr;
  const int32_t created = avi_create(path.c_str(), 1000, 8, 8, 10, "", &avi);
  unsetenv("QM_AVI_SEGMENT_LIMIT");
  ASSERT_EQ(created, 0);
  Picture p(8, 8, 1);
  int32_t rc = 0;
  for (int32_t i = 0; i <= kAviSuperIndexEntries && !rc; ++i) rc = avi_write_frame(avi, p.bm, 8, 8);
  EXPECT_EQ(rc, ERR_SAVEANIM);
  EXPECT_EQ(avi_info(avi).frames, kAviSuperIndexEntries);
  EXPECT_EQ(avi_hold_frame(avi, 0, true), ERR_SAVEANIM);
  ASSERT_EQ(avi_finish(avi), 0);
  EXPECT_EQ(probe(path), "1000/1,1022");
  sh("rm -f " + path);
}

TEST(AviWriter, ScalesFramesAndHoldsTheLast) {
  qmBitmap* half = qmos_alloc_bitmap(16, 8);
  qmos_fill_bitmap_rect(half, 0, 0, 8, 8, 0xFF0000);
  qmos_fill_bitmap_rect(half, 8, 0, 8, 8, 0x0000FF);
  for (bool smooth : {false, true}) {
    const std::string path = tmp(smooth ? "smooth.avi" : "scaled.avi");
    qmAviWriter* avi = nullptr;
    ASSERT_EQ(avi_create(path.c_str(), 25, 32, 16, 90, "", &avi), 0);
    avi_set_smooth(avi, smooth);
    ASSERT_EQ(avi_write_frame(avi, half, 16, 8), 0);
    ASSERT_EQ(avi_hold_frame(avi, 39, false), 0);  // under one frame: none
    ASSERT_EQ(avi_hold_frame(avi, 0, true), 0);
    ASSERT_EQ(avi_hold_frame(avi, 1000, false), 0);
    EXPECT_EQ(avi_info(avi).frames, 27);
    ASSERT_EQ(avi_finish(avi), 0);
    const auto frames = ffmpeg_frames(path, 32, 16);
    ASSERT_EQ(frames.size(), 27u);
    std::vector<uint32_t> want(32 * 16);
    for (size_t i = 0; i < want.size(); ++i) want[i] = i % 32 < 16 ? 0xFF0000 : 0x0000FF;
    EXPECT_GT(psnr(frames[0], want), 25) << smooth;
    const std::vector<uint8_t> f = read_file(path);
    const size_t idx1 = find_tag(f, "idx1", 0, find_tag(f, "movi"));
    const auto jpeg = [&](int frame) {
      const size_t chunk = le32(f, idx1 + 8 + 32 * size_t(frame) + 16 + 8);
      return std::vector<uint8_t>(f.begin() + chunk + 8,
                                  f.begin() + chunk + 8 + le32(f, chunk + 4));
    };
    for (int i = 1; i < 27; ++i) EXPECT_EQ(jpeg(i), jpeg(0)) << i;
  }
  qmos_free_bitmap(half);
}

// Runs body in a child under a file-size limit; its exit status.
int limited(int64_t bytes, const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit lim{rlim_t(bytes), rlim_t(bytes)};
    setrlimit(RLIMIT_FSIZE, &lim);
    _exit(body());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AviWriter, FailedWritesAreReported) {
  const std::string dir = tmp("full");
  sh("rm -rf " + dir + " && mkdir -p " + dir);
  setenv("TMPDIR", dir.c_str(), 1);
  // The error comes while writing frames or at the latest when finishing, and leaves nothing.
  const int cut = limited(120000, [&] {
    qmAviWriter* avi = nullptr;
    if (avi_create((dir + "/cut.avi").c_str(), 25, 32, 16, 90, "", &avi)) return 1;
    for (int i = 0; i < 40; ++i) {
      Picture p(32, 16, i);
      if (const int32_t rc = avi_write_frame(avi, p.bm, 32, 16)) {
        avi_free(avi);
        return rc == ERR_WRITEFILE ? 0 : 2;
      }
    }
    return avi_finish(avi) == ERR_WRITEFILE ? 0 : 3;
  });
  EXPECT_EQ(cut, 0);
  EXPECT_EQ(capture("ls -A " + dir), "");

  // Over a file: the old file stays byte-equal and no temporary file is left.
  const std::vector<uint8_t> old = {'k', 'e', 'e', 'p'};
  write_file(dir + "/keep.avi", old);
  const int replaced = limited(120000, [&] {
    qmAviWriter* avi = nullptr;
    if (avi_create((dir + "/keep.avi").c_str(), 25, 32, 16, 90, "", &avi)) return 1;
    for (int i = 0; i < 40; ++i) {
      Picture p(32, 16, i);
      if (avi_write_frame(avi, p.bm, 32, 16)) break;
    }
    return avi_finish(avi) == ERR_WRITEFILE ? 0 : 3;
  });
  unsetenv("TMPDIR");
  EXPECT_EQ(replaced, 0);
  EXPECT_EQ(read_file(dir + "/keep.avi"), old);
  EXPECT_EQ(capture("ls -A " + dir), "keep.avi");

  // The same without a limit replaces the file.
  qmAviWriter* avi = nullptr;
  ASSERT_EQ(avi_create((dir + "/keep.avi").c_str(), 25, 32, 16, 90, "", &avi), 0);
  Picture p(32, 16, 0);
  ASSERT_EQ(avi_write_frame(avi, p.bm, 32, 16), 0);
  ASSERT_EQ(avi_finish(avi), 0);
  EXPECT_EQ(probe(dir + "/keep.avi"), "25/1,1");
}

}  // namespace
