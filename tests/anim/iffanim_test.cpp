// The IFF ANIM reader against our generator's source frames (exactly) and against ffmpeg's decode
// of the same files, then restarts, other delta operations and files that lie.
#include <functional>

#include "anim/readers.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "tests/anim/anim_test_tools.h"

using namespace animtest;

namespace {

// Frames of `planes`-bit values: a gradient that shifts, with a block that moves down and right,
// so that deltas hold skips, runs and literals in every plane.
std::vector<animgen::Frame> source_frames(const animgen::Options& o, int32_t count) {
  std::vector<animgen::Frame> frames(static_cast<size_t>(count));
  const uint32_t top = (1u << o.planes) - 1;
  for (int32_t k = 0; k < count; ++k) {
    auto& f = frames[size_t(k)];
    f.pixels.resize(size_t(o.width) * o.height);
    for (int32_t y = 0; y < o.height; ++y)
      for (int32_t x = 0; x < o.width; ++x)
        f.pixels[size_t(y) * o.width + x] =
            uint8_t(((x / 3 + y + (k % 2) * (x > o.width / 2)) * 7) & top);
    for (int32_t y = k; y < std::min(o.height, k + 5); ++y)
      for (int32_t x = 2 * k; x < std::min(o.width, 2 * k + 7); ++x)
        f.pixels[size_t(y) * o.width + x] = uint8_t((k * 5 + 1) & top);
    f.jiffies = uint32_t(k + 1);
  }
  return frames;
}

std::vector<uint32_t> colours(int32_t n, uint32_t salt) {
  std::vector<uint32_t> c(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i)
    c[size_t(i)] = ((uint32_t(i) * 53 + salt) & 255) << 16 |
                   ((uint32_t(i) * 29 + salt * 3) & 255) << 8 | ((uint32_t(i) * 97 + 11) & 255);
  return c;
}

TEST(IffAnim, FramesEqualTheSourceAndFfmpeg) {
  struct Case {
    const char* name;
    animgen::Options o;
    int32_t colours;
    bool cmap_change;
  };
  auto opts = [](int32_t w, int32_t h, int32_t planes, uint32_t camg, int32_t interleave,
                 bool byterun1, bool dpan, bool covers_all) {
    animgen::Options o;
    o.width = w, o.height = h, o.planes = planes, o.camg = camg, o.interleave = interleave;
    o.byterun1 = byterun1, o.dpan = dpan, o.first_form_covers_all = covers_all;
    return o;
  };
  const Case cases[] = {
      {"two-back", opts(37, 21, 4, 0, 0, true, false, false), 16, false},
      {"xor", opts(37, 21, 5, 0, 1, false, false, false), 32, false},
      {"ehb", opts(40, 16, 6, 0x80, 0, true, true, false), 32, false},
      {"ham6", opts(33, 17, 6, 0x800, 0, true, false, false), 16, false},
      {"ham8", opts(50, 12, 8, 0x800, 1, true, false, false), 64, false},
      {"after-body", opts(24, 10, 3, 0, 0, false, false, true), 8, false},
      {"dpan-cmap-change", opts(30, 14, 8, 0, 0, true, true, false), 256, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto frames = source_frames(c.o, 9);
    frames[0].cmap = colours(c.colours, 5);
    if (c.cmap_change) frames[4].cmap = colours(40, 77);
    const bool ffmpeg_reads = !c.o.first_form_covers_all;  // it follows the FORM sizes
    // ffmpeg starts a HAM row from colour 0 where we start from black: rows open with a colour.
    if (c.o.camg & 0x800)
      for (auto& f : frames)
        for (int32_t y = 0; y < c.o.height; ++y) f.pixels[size_t(y) * c.o.width] = uint8_t(y & 15);
    const std::string path = tmp(std::string(c.name) + ".anim");
    write_file(path, animgen::write(c.o, frames));
    const auto want = animgen::expected_rgb(c.o, frames);

    Opened got = load_all(path);
    ASSERT_EQ(got.error, 0);
    ASSERT_EQ(got.frames, 9);
    EXPECT_EQ(got.width, c.o.width);
    for (int32_t k = 0; k < 9; ++k)
      EXPECT_EQ(got.pixels[size_t(k)], want[size_t(k)]) << "frame " << k;

    // ffmpeg, the second judge, reads the same files. Its HAM fills a modified component's low
    // bits with copies of the value bits, where ours keeps them 0: only the value bits compare.
    const uint32_t mask = !(c.o.camg & 0x800) ? 0xFFFFFF : c.o.planes > 6 ? 0xFCFCFC : 0xF0F0F0;
    if (!ffmpeg_reads) continue;
    auto ff = ffmpeg_frames(path, c.o.width, c.o.height);
    ASSERT_EQ(ff.size(), 9u);
    for (int32_t k = 0; k < 9; ++k) {
      auto masked = [mask](std::vector<uint32_t> v) {
        for (uint32_t& p : v) p &= mask;
        return v;
      };
      EXPECT_EQ(masked(ff[size_t(k)]), masked(want[size_t(k)])) << "ffmpeg frame " << k;
    }
  }
}

TEST(IffAnim, EarlierFramesStartOverAndOtherOperationsFail) {
  animgen::Options o;
  o.width = 20, o.height = 9, o.planes = 2;
  auto frames = source_frames(o, 8);
  frames[0].cmap = colours(4, 1);
  write_file(tmp("seek.anim"), animgen::write(o, frames));
  const auto want = animgen::expected_rgb(o, frames);

  qm::qmIffAnim* a = nullptr;
  int32_t w, h, n;
  ASSERT_EQ(qm::iffanim_open(tmp("seek.anim").c_str(), &a, &w, &h, &n), 0);
  auto frame = [&](int32_t i) {
    uint32_t* px = qm::iffanim_load_frame(a, i);
    std::vector<uint32_t> v =
        px ? std::vector<uint32_t>(px, px + size_t(w) * h) : std::vector<uint32_t>();
    qm::qmos_free_pixels(px);
    return v;
  };
  EXPECT_EQ(frame(5), want[5]);
  EXPECT_EQ(qm::iffanim_decode_count(a), 5);
  EXPECT_EQ(frame(2), want[2]);
  EXPECT_EQ(qm::iffanim_decode_count(a), 7) << "frames 1 and 2 decoded again";
  EXPECT_EQ(frame(7), want[7]);
  EXPECT_EQ(frame(0), want[0]);
  EXPECT_EQ(qm::iffanim_decode_count(a), 12) << "frame 0 after the last costs no delta";
  EXPECT_TRUE(frame(8).empty());
  EXPECT_TRUE(frame(-1).empty());
  qm::iffanim_close(a);

  o.operation = 7;
  write_file(tmp("op7.anim"), animgen::write(o, frames));
  Opened got = load_all(tmp("op7.anim"));
  ASSERT_EQ(got.error, 0);
  EXPECT_EQ(got.pixels[0], want[0]);
  EXPECT_TRUE(got.pixels[1].empty());
}

// Byte offsets in a generated file, for the cases that edit it.
size_t find(const std::vector<uint8_t>& b, const char* id, size_t from = 0) {
  for (size_t i = from; i + 4 <= b.size(); ++i)
    if (std::equal(id, id + 4, b.begin() + std::ptrdiff_t(i))) return i;
  return std::string::npos;
}
uint32_t get(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}
void put_be32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int s = 0; s < 4; ++s) b[at + s] = uint8_t(v >> (24 - 8 * s));
}

TEST(IffAnim, FilesThatLie) {
  animgen::Options o;
  o.width = 16, o.height = 6, o.planes = 8, o.camg = 0x800;
  std::vector<animgen::Frame> frames(3);
  for (int32_t k = 0; k < 3; ++k) {
    frames[size_t(k)].pixels.assign(96, 0);
    frames[size_t(k)].pixels[size_t(k) * 17] = uint8_t(0xC1 + k);
  }
  frames[0].cmap = colours(64, 3);
  const std::vector<uint8_t> good = animgen::write(o, frames);
  const size_t dlta = find(good, "DLTA");  // frame 1's delta
  const size_t cmap = find(good, "CMAP");

  struct Case {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> edit;
    int32_t open_error;
    bool frame1_loads;
  } cases[] = {
      {"plane pointer past the chunk", [&](auto& b) { put_be32(b, dlta + 8, 0x7FFFFFF0); }, 0,
       false},
      {"run past the height",
       [&](auto& b) {
         // The first column of the first changed plane: one op, a run of 200 rows.
         const size_t at = dlta + 8 + get(b, dlta + 8);
         b[at] = 1, b[at + 1] = 0, b[at + 2] = 200;
       },
       0, false},
      {"skip past the height, then a literal",
       [&](auto& b) {
         const size_t at = dlta + 8 + get(b, dlta + 8);
         b[at] = 2, b[at + 1] = 6, b[at + 2] = 0x81;
       },
       0, false},
      {"all 16 plane pointers set (HAM8 has 8 planes)",
       [&](auto& b) {
         for (int p = 8; p < 16; ++p) put_be32(b, dlta + 8 + 4 * p, 0xFFFFFFF0);
       },
       0, true},
      // Read as far as the file goes: frame 1's own bytes are all there.
      {"DLTA longer than the file", [&](auto& b) { put_be32(b, dlta + 4, 0x7FFFFFF0); }, 0, true},
      {"300-colour CMAP",
       [&](auto& b) {
         std::vector<uint8_t> big(8 + 900, 0x44);
         std::copy_n("CMAP", 4, big.begin());
         put_be32(big, 4, 900);
         const uint32_t old = get(b, cmap + 4);
         b.erase(b.begin() + std::ptrdiff_t(cmap), b.begin() + std::ptrdiff_t(cmap + 8 + old));
         b.insert(b.begin() + std::ptrdiff_t(cmap), big.begin(), big.end());
         put_be32(b, 16, uint32_t(get(b, 16) + 900 - old));
       },
       0, true},
      {"width 0", [&](auto& b) { b[find(b, "BMHD") + 8] = 0, b[find(b, "BMHD") + 9] = 0; },
       qm::ERR_OPENANIM2, false},
      {"9 planes", [&](auto& b) { b[find(b, "BMHD") + 16] = 9; }, qm::ERR_OPENANIM2, false},
      {"0 planes", [&](auto& b) { b[find(b, "BMHD") + 16] = 0; }, qm::ERR_OPENANIM2, false},
      {"beyond the picture cap",
       [&](auto& b) { b[find(b, "BMHD") + 8] = 0xFF, b[find(b, "BMHD") + 10] = 0xFF; }, qm::ERR_MEM,
       false},
      {"cut inside the first frame", [&](auto& b) { b.resize(find(b, "BODY") + 12); },
       qm::ERR_OPENANIM2, false},
      // A frame the file cuts short is not counted.
      {"cut inside the delta", [&](auto& b) { b.resize(dlta + 40); }, 0, false},
      {"no second FORM", [&](auto& b) { b.resize(dlta - 60); }, qm::ERR_OPENANIM2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> b = good;
    c.edit(b);
    write_file(tmp("lie.anim"), b);
    Opened got = load_all(tmp("lie.anim"));
    ASSERT_EQ(got.error, c.open_error);
    if (c.open_error) continue;
    EXPECT_FALSE(got.pixels[0].empty());
    EXPECT_EQ(got.frames > 1 && !got.pixels[1].empty(), c.frame1_loads);
  }
}

}  // namespace
