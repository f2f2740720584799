// The AVI reader on files that ffmpeg writes, judged by ffmpeg's own decode: uncompressed frames
// byte for byte, Motion JPEG within 40 dB (another IDCT). The fixture tool (riff_edit.h) makes
// the variants no encoder writes: no idx1, absolute offsets, frames without Huffman tables, rows
// padded to 4 bytes, and files that lie.
#include "anim/readers.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "runtime/os/qmos.h"
#include "tests/anim/anim_test_tools.h"
#include "tests/anim/riff_edit.h"

using namespace animtest;

namespace {

std::string ffmpeg_avi(const std::string& name, const std::string& size, double seconds,
                       const std::string& codec, bool audio = false) {
  const std::string path = tmp(name);
  const std::string cmd = "ffmpeg -v error -y -f lavfi -i testsrc=size=" + size + ":rate=25" +
                          (audio ? " -f lavfi -i sine -c:a pcm_s16le" : "") + " -t " +
                          std::to_string(seconds) + " " + codec + " " + path;
  EXPECT_EQ(sh(cmd), 0) << cmd;
  return path;
}

std::string edited(const std::string& from, const std::string& name,
                   const std::function<void(riff::Avi&)>& edit) {
  riff::Avi avi = riff::Avi::from(read_file(from));
  edit(avi);
  write_file(tmp(name), avi.bytes());
  return tmp(name);
}

// The JPEG without its DHT segments.
void strip_tables(std::vector<uint8_t>& d) {
  size_t p = 2;
  while (p + 4 <= d.size() && d[p] == 0xFF && d[p + 1] != 0xDA) {
    const size_t len = size_t(d[p + 2]) << 8 | d[p + 3];
    if (d[p + 1] == 0xC4)
      d.erase(d.begin() + std::ptrdiff_t(p), d.begin() + std::ptrdiff_t(p + 2 + len));
    else
      p += 2 + len;
  }
}

int64_t reads = 0;
void count_read(const qmFileHandle*, int64_t) {
  ++reads;
}

TEST(Avi, FramesEqualFfmpegs) {
  struct Case {
    std::string file;
    bool exact;
  } cases[] = {
      {ffmpeg_avi("mjpeg.avi", "160x120", 2, "-c:v mjpeg -q:v 3"), false},
      {ffmpeg_avi("raw.avi", "160x120", 2, "-c:v rawvideo -pix_fmt bgr24"), true},
      {ffmpeg_avi("sound.avi", "160x120", 2, "-c:v mjpeg -q:v 3", true), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Opened got = load_all(c.file);
    ASSERT_EQ(got.error, 0);
    ASSERT_EQ(got.frames, 50);
    auto ff = ffmpeg_frames(c.file, 160, 120);
    ASSERT_EQ(ff.size(), 50u);
    for (size_t k = 0; k < 50; ++k) {
      if (c.exact) {
        EXPECT_EQ(got.pixels[k], ff[k]) << "frame " << k;
      } else {
        EXPECT_GT(psnr(got.pixels[k], ff[k]), 40.0) << "frame " << k;
      }
    }
  }

  // Rows of 30 pixels: ffmpeg pads them to 92 bytes, as DIBs are; packed rows read the same.
  const std::string padded = ffmpeg_avi("raw30.avi", "30x20", 0.4, "-c:v rawvideo -pix_fmt bgr24");
  const std::string packed = edited(padded, "raw30packed.avi", [](riff::Avi& a) {
    a.for_video([](std::vector<uint8_t>& d) {
      ASSERT_EQ(d.size(), 92u * 20);
      std::vector<uint8_t> out;
      for (size_t y = 0; y < 20; ++y)
        out.insert(out.end(), d.begin() + std::ptrdiff_t(92 * y),
                   d.begin() + std::ptrdiff_t(92 * y + 90));
      d = out;
    });
    a.rebuild_idx1(false);
  });
  const auto judge = ffmpeg_frames(padded, 30, 20);
  ASSERT_EQ(judge.size(), 10u);
  for (const std::string& file : {padded, packed}) {
    Opened got = load_all(file);
    ASSERT_EQ(got.error, 0) << file;
    EXPECT_EQ(got.pixels, judge) << file;
  }
}

TEST(Avi, StandardTablesReplaceMissingOnes) {
  const std::string with =
      ffmpeg_avi("dht.avi", "64x48", 0.4, "-c:v mjpeg -huffman default -q:v 4");
  const std::string without = edited(with, "nodht.avi", [](riff::Avi& a) {
    a.for_video(strip_tables);
    a.rebuild_idx1(false);
  });
  ASSERT_NE(read_file(with).size(), read_file(without).size());
  Opened a = load_all(with), b = load_all(without);
  ASSERT_EQ(a.error, 0);
  ASSERT_EQ(b.error, 0);
  ASSERT_EQ(a.frames, 10);
  for (int32_t k = 0; k < 10; ++k) {
    ASSERT_FALSE(b.pixels[size_t(k)].empty());
    EXPECT_EQ(a.pixels[size_t(k)], b.pixels[size_t(k)]) << "frame " << k;
  }
}

TEST(Avi, IndexOrScanning) {
  const std::string rel = ffmpeg_avi("index.avi", "32x24", 1, "-c:v mjpeg -q:v 5", true);
  const std::string abs = edited(rel, "abs.avi", [](riff::Avi& a) { a.rebuild_idx1(true); });
  const std::string none = edited(rel, "noidx.avi", [](riff::Avi& a) { a.strip_idx1(); });
  const Opened all = load_all(rel);
  ASSERT_EQ(all.frames, 25);

  struct Case {
    std::string file;
    bool scans;
  } cases[] = {{rel, false}, {abs, false}, {none, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    qm::qmAviReader* r = nullptr;
    int32_t w, h, n;
    ASSERT_EQ(qm::avi_open(c.file.c_str(), &r, &w, &h, &n), 0);
    EXPECT_EQ(n, 25);
    reads = 0;
    auto previous = qmos_set_read_observer(count_read);
    uint32_t* px = qm::avi_load_frame(r, 10);
    qmos_set_read_observer(previous);
    ASSERT_NE(px, nullptr);
    EXPECT_TRUE(std::equal(px, px + w * h, all.pixels[10].begin()));
    qm::qmos_free_pixels(px);
    if (c.scans) {
      EXPECT_GT(reads, 20) << "ten frames and their sound passed over";
    } else {
      EXPECT_LE(reads, 4) << "straight to the frame";
    }

    // After the last frame, frame 0 is read from the start of movi.
    qm::qmos_free_pixels(qm::avi_load_frame(r, 24));
    reads = 0;
    previous = qmos_set_read_observer(count_read);
    px = qm::avi_load_frame(r, 0);
    qmos_set_read_observer(previous);
    ASSERT_NE(px, nullptr);
    EXPECT_TRUE(std::equal(px, px + w * h, all.pixels[0].begin()));
    EXPECT_LE(reads, 4);
    qm::qmos_free_pixels(px);
    qm::avi_close(r);
  }
}

TEST(Avi, FilesThatLie) {
  const std::string small = ffmpeg_avi("small.avi", "16x16", 0.2, "-c:v mjpeg -q:v 5");
  const std::string big = ffmpeg_avi("big.avi", "32x32", 0.2, "-c:v mjpeg -q:v 5");
  const std::string rgb555 =
      ffmpeg_avi("rgb555.avi", "16x16", 0.2, "-c:v rawvideo -pix_fmt rgb555le");
  std::vector<uint8_t> other_size;
  riff::Avi::from(read_file(big)).for_video([&](std::vector<uint8_t>& d) { other_size = d; });

  auto strf = [](riff::Avi& a) { return riff::find(a.riff.kids, "strf"); };
  auto avih = [](riff::Avi& a) { return riff::find(a.riff.kids, "avih"); };
  struct Case {
    const char* name;
    std::string file;
    int32_t open_error;
    int32_t frames;     // -1: as many as the original
    int32_t bad_frame;  // a frame that must fail, -1 none
  } cases[] = {
      {"16-bit raw", rgb555, qm::ERR_OPENANIM2, 0, -1},
      {"strf of another width",
       edited(small, "strfw.avi", [&](riff::Avi& a) { strf(a)->data[4] = 17; }), qm::ERR_OPENANIM2,
       0, -1},
      {"12-byte strf", edited(small, "strf12.avi", [&](riff::Avi& a) { strf(a)->data.resize(12); }),
       qm::ERR_OPENANIM2, 0, -1},
      {"17 strh",
       edited(small, "strh17.avi",
              [&](riff::Avi& a) {
                riff::Node& hdrl = *riff::find(a.riff.kids, "LIST", "hdrl");
                riff::Node strl = *riff::find(hdrl.kids, "LIST", "strl");
                for (int i = 0; i < 16; ++i) hdrl.kids.push_back(strl);
              }),
       qm::ERR_OPENANIM2, 0, -1},
      {"avih promising 0xFFFFFFFF frames",
       edited(small, "many.avi",
              [&](riff::Avi& a) { riff::put_le32(&avih(a)->data[16], 0xFFFFFFFF); }),
       0, -1, -1},
      {"avih promising 0xFFFFFFFF frames, no idx1",
       edited(small, "many2.avi",
              [&](riff::Avi& a) {
                riff::put_le32(&avih(a)->data[16], 0xFFFFFFFF);
                a.strip_idx1();
              }),
       0, -1, -1},
      {"avih with 0 frames",
       edited(small, "zero.avi", [&](riff::Avi& a) { riff::put_le32(&avih(a)->data[16], 0); }),
       qm::ERR_OPENANIM2, 0, -1},
      {"a 1 MB frame without tables",
       edited(small, "huge.avi",
              [&](riff::Avi& a) {
                a.for_video([](std::vector<uint8_t>& d) {
                  strip_tables(d);
                  d.insert(d.end() - 2, size_t(1) << 20, 0x5A);
                });
                a.rebuild_idx1(false);
              }),
       0, -1, -1},
      {"a frame of another size",
       edited(small, "other.avi",
              [&](riff::Avi& a) {
                int k = 0;
                a.for_video([&](std::vector<uint8_t>& d) {
                  if (k++ == 1) d = other_size;
                });
                a.rebuild_idx1(false);
              }),
       0, -1, 1},
  };
  const int32_t frames = load_all(small).frames;
  ASSERT_EQ(frames, 5);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Opened got = load_all(c.file);
    ASSERT_EQ(got.error, c.open_error);
    if (c.open_error) continue;
    EXPECT_EQ(got.frames, c.frames < 0 ? frames : c.frames);
    EXPECT_FALSE(got.pixels[0].empty());
    if (c.bad_frame >= 0) {
      EXPECT_TRUE(got.pixels[size_t(c.bad_frame)].empty());
    }
  }

  // Byte edits the tree cannot express: idx1 and a chunk claiming more than the file holds.
  std::vector<uint8_t> b = read_file(small);
  const auto at = [&](const char* id) {
    const char* movi = "movi";
    auto from = std::search(b.begin(), b.end(), movi, movi + 4);
    return size_t(std::search(from, b.end(), id, id + 4) - b.begin());
  };
  riff::put_le32(&b[at("idx1") + 4], 0x7FFFFFF0);
  write_file(tmp("idxpast.avi"), b);
  Opened got = load_all(tmp("idxpast.avi"));
  ASSERT_EQ(got.error, 0);
  EXPECT_EQ(got.frames, frames);
  b = read_file(small);
  riff::put_le32(&b[at("00dc") + 4], 0x7FFFFFF0);
  write_file(tmp("chunkpast.avi"), b);
  got = load_all(tmp("chunkpast.avi"));
  ASSERT_EQ(got.error, 0);
  EXPECT_TRUE(got.pixels[0].empty());

  // Scanning counts only the frames the file holds whole.
  b = read_file(edited(small, "cut.avi", [](riff::Avi& a) { a.strip_idx1(); }));
  b.resize(b.size() - 10);
  write_file(tmp("cut.avi"), b);
  got = load_all(tmp("cut.avi"));
  ASSERT_EQ(got.error, 0);
  ASSERT_EQ(got.frames, frames - 1);
  for (const auto& px : got.pixels) EXPECT_FALSE(px.empty());
}

}  // namespace
