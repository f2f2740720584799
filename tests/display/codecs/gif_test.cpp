// The GIF writer and reader, judged by giflib's giftext, netpbm's giftopnm and ImageMagick's
// convert -coalesce.
#include "display/codecs/gif.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gif_fixture.h"
#include "picture_tools.h"

namespace qm {
namespace {

using test::GifBuilder;
using test::GifFrameSpec;
using test::gif_frame;

struct Frames {
  int32_t width = 0, height = 0;
  std::vector<std::vector<uint32_t>> pixels;
  std::vector<int32_t> delays;
};

// Every frame through our reader, loaded in order.
bool read_all(const std::string& path, Frames* out) {
  int32_t count = 0;
  qmGifReader* r = gifanim_open(path.c_str(), &out->width, &out->height, &count, 0);
  if (!r) return false;
  bool ok = true;
  for (int32_t i = 0; i < count && ok; ++i) {
    uint32_t* p = gifanim_load_frame(r, i);
    ok = p != nullptr;
    if (p) {
      out->pixels.emplace_back(p, p + size_t(out->width) * size_t(out->height));
      qmos_free_pixels(p);
    }
    out->delays.push_back(gifanim_frame_delay(r, i));
  }
  gifanim_close(r);
  return ok;
}

// convert -coalesce: every frame on the full screen, RGBA.
std::vector<test::PnmImage> coalesce(const std::string& path) {
  std::vector<test::PnmImage> frames;
  const std::string pam = test::run_tool("convert '" + path + "' -coalesce pam:-");
  return test::parse_pnm_stream(pam);
}

std::string pixel_text(uint32_t v) {
  char buf[16];
  snprintf(buf, sizeof buf, "%08X", v);
  return buf;
}

// Our frames equal ImageMagick's: where it shows an opaque pixel the colours agree; where it
// shows transparency (its background disposal clears to transparent) ours holds `cleared`.
void expect_matches_coalesce(const std::string& path, const Frames& ours, uint32_t cleared) {
  const std::vector<test::PnmImage> im = coalesce(path);
  ASSERT_EQ(im.size(), ours.pixels.size());
  for (size_t f = 0; f < im.size(); ++f) {
    ASSERT_EQ(im[f].width, ours.width);
    ASSERT_EQ(im[f].height, ours.height);
    for (int32_t y = 0; y < ours.height; ++y)
      for (int32_t x = 0; x < ours.width; ++x) {
        const uint32_t theirs = im[f].argb(x, y);
        const uint32_t mine = ours.pixels[f][size_t(y) * size_t(ours.width) + size_t(x)];
        const uint32_t want = (theirs >> 24) == 0 ? cleared : (theirs & 0xFFFFFF);
        ASSERT_EQ(pixel_text(mine), pixel_text(want)) << "frame " << f << " at " << x << "," << y;
      }
  }
}

// giftopnm --image=all gives every image's own rectangle, uncomposed: for frames that cover the
// screen opaquely it equals ours.
void expect_matches_giftopnm(const std::string& path, const Frames& ours) {
  const std::vector<test::PnmImage> pnm =
      test::parse_pnm_stream(test::run_tool("giftopnm --image=all '" + path + "'"));
  ASSERT_EQ(pnm.size(), ours.pixels.size());
  for (size_t f = 0; f < pnm.size(); ++f) {
    ASSERT_EQ(pnm[f].width, ours.width);
    ASSERT_EQ(pnm[f].height, ours.height);
    for (int32_t y = 0; y < ours.height; ++y)
      for (int32_t x = 0; x < ours.width; ++x)
        ASSERT_EQ(pixel_text(ours.pixels[f][size_t(y) * size_t(ours.width) + size_t(x)]),
                  pixel_text(pnm[f].argb(x, y) & 0xFFFFFF))
            << "frame " << f << " at " << x << "," << y;
  }
}

std::vector<uint8_t> noise(int32_t n, int colours, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> v(static_cast<size_t>(n));
  for (auto& b : v) b = uint8_t(rng() % uint32_t(colours));
  return v;
}

std::vector<uint32_t> ramp_palette(int n) {
  std::vector<uint32_t> p(256, 0);
  for (int i = 0; i < n; ++i) p[size_t(i)] = uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint32_t(i * 7 & 255);
  return p;
}

int32_t write_gif(const std::string& path, int32_t w, int32_t h,
                  std::vector<std::vector<uint8_t>> frames, std::vector<uint32_t> palette,
                  int32_t colours, int32_t transparent, int32_t optimise, int32_t delay = 0) {
  qmGifWriter* g = nullptr;
  int32_t rc = gifsave_open(path.c_str(), w, h, &g);
  if (rc) return rc;
  for (auto& f : frames) {
    std::vector<uint32_t> pal = palette;
    pal.resize(256);
    rc = gifsave_write_frame(g, f.data(), w, h, delay, pal.data(), colours, transparent, optimise);
    if (rc) break;
  }
  const int32_t close_rc = gifsave_close(g);
  return rc ? rc : close_rc;
}

std::vector<std::string> giftext_lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0, nl; at < text.size(); at = nl + 1) {
    nl = text.find('\n', at);
    if (nl == std::string::npos) nl = text.size();
    lines.push_back(text.substr(at, nl - at));
  }
  return lines;
}

// Every graphic control block as "disposal transparency delay index".
std::vector<std::string> giftext_controls(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  auto value = [](const std::string& l) { return l.substr(l.find(':') + 2); };
  for (size_t i = 0; i + 5 < lines.size(); ++i)
    if (lines[i].find("graphics control") != std::string::npos)
      out.push_back(value(lines[i + 1]) + " " + value(lines[i + 3]) + " " + value(lines[i + 4]) + " " +
                    value(lines[i + 5]));
  return out;
}

// ---- writer ------------------------------------------------------------------------------------

TEST(GifWriter, TwoColourPictureMatchesGoldenFileEveryRun) {
  test::Scratch dir;
  const std::vector<uint8_t> indices{0, 1, 1, 0, 1, 1, 0, 0};
  for (const char* name : {"a.gif", "b.gif"})
    ASSERT_EQ(write_gif(dir.file(name), 4, 2, {indices}, {0xFF0000, 0x0000FF}, 2, -1, 0), 0);
  const std::vector<uint8_t> a = test::read_bytes(dir.file("a.gif"));
  EXPECT_EQ(a, test::read_bytes(dir.file("b.gif")));
  EXPECT_EQ(a, test::read_bytes(QM_PICTURE_FIXTURES "/two_colours.gif"));
  // The global table carries the writer's text; the frame has 1 bit per index (a 2-entry local
  // table, flags 0x80) and LZW minimum code size 2; no transparency is declared.
  ASSERT_GT(a.size(), size_t(13 + 768));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&a[13]), 13), std::string("Quillmere :)\0", 13));
  const size_t gce = 13 + 768;
  EXPECT_EQ(a[gce + 3], 0x04);
  const size_t desc = gce + 8 + 19;
  EXPECT_EQ(a[desc], 0x2C);
  EXPECT_EQ(a[desc + 9], 0x80);
  EXPECT_EQ(a[desc + 10 + 6], 2);

  Frames back;
  ASSERT_TRUE(read_all(dir.file("a.gif"), &back));
  ASSERT_EQ(back.pixels.size(), 1u);
  for (size_t i = 0; i < indices.size(); ++i)
    EXPECT_EQ(back.pixels[0][i], indices[i] ? 0x0000FFu : 0xFF0000u);
}

// giftext lists what a reader sees: flags, delays, transparent index, local tables and the loop
// extension, which stands once, after the first control extension.
TEST(GifWriter, GiftextShowsControlBlocksAndOneLoopExtension) {
  test::Scratch dir;
  const std::string path = dir.file("anim.gif");
  qmGifWriter* g = nullptr;
  ASSERT_EQ(gifsave_open(path.c_str(), 6, 4, &g), 0);
  std::vector<uint32_t> pal = ramp_palette(5);
  std::vector<uint8_t> f0 = noise(24, 4, 1);  // entry 4 stays free for unchanged pixels
  ASSERT_EQ(gifsave_write_frame(g, f0.data(), 6, 4, 25, pal.data(), 5, -1, 1), 0);
  std::vector<uint8_t> f1 = f0;
  f1[8] = (f1[8] + 1) % 4;
  f1[15] = (f1[15] + 2) % 4;
  pal = ramp_palette(5);
  ASSERT_EQ(gifsave_write_frame(g, f1.data(), 6, 4, 130, pal.data(), 5, -1, 1), 0);
  std::vector<uint8_t> f2 = noise(24, 3, 2);
  pal = ramp_palette(3);
  ASSERT_EQ(gifsave_write_frame(g, f2.data(), 6, 4, 7, pal.data(), 3, 2, 0), 0);
  ASSERT_EQ(gifsave_close(g), 0);

  int status = -1;
  const std::string text = test::run_tool("giftext -c '" + path + "'", &status);
  ASSERT_EQ(status, 0) << text;
  const std::vector<std::string> lines = giftext_lines(text);
  auto find = [&](const std::string& needle, size_t from = 0) {
    for (size_t i = from; i < lines.size(); ++i)
      if (lines[i].find(needle) != std::string::npos) return i;
    return lines.size();
  };
  auto count = [&](const std::string& needle) {
    int n = 0;
    for (const auto& l : lines) n += l.find(needle) != std::string::npos;
    return n;
  };
  EXPECT_EQ(count("application block"), 1) << text;
  EXPECT_EQ(count("Image Has Color Map."), 3) << text;
  EXPECT_LT(find("graphics control"), find("application block")) << text;
  EXPECT_LT(find("application block"), find("Image #1")) << text;
  // The global table's first entries are the writer's text: "Qui", "lle", ...
  EXPECT_NE(text.find("0: 51h 75h 69h     1: 6ch 6ch 6dh     2: 65h 72h 65h     3: 20h 3ah 29h"), std::string::npos) << text;
  // The optimised frames declare the reserved entry 4 transparent and stay in place; the frame
  // with its own transparent index restores to the background.
  EXPECT_EQ(giftext_controls(lines), (std::vector<std::string>{"1 yes 2 4", "1 yes 13 4", "2 yes 0 2"}));
  // The second frame is cut to the rectangle of its two changed pixels, (2,1) and (3,2).
  EXPECT_LT(find("Left = 2, Top = 1, Width = 2, Height = 2."), lines.size()) << text;
  // Local tables of 2^bits entries: 8 for 5 colours, 4 for 3.
  EXPECT_LT(find("7: ", find("Image #1")), find("Image #2")) << text;
  EXPECT_EQ(find("4: ", find("Image #3")), lines.size()) << text;

  Frames back;
  ASSERT_TRUE(read_all(path, &back));
  EXPECT_EQ(back.delays, (std::vector<int32_t>{20, 130, 0}));
}

TEST(GifWriter, StillPictureWithoutTransparencyDeclaresNone) {
  test::Scratch dir;
  const std::string path = dir.file("still.gif");
  ASSERT_EQ(write_gif(path, 3, 1, {{0, 1, 2}}, {0x112233, 0x445566, 0x778899}, 3, -1, 0), 0);
  const std::string text = test::run_tool("giftext '" + path + "'");
  EXPECT_EQ(giftext_controls(giftext_lines(text)), (std::vector<std::string>{"1 no 0 -1"})) << text;
  // The last colour stays visible.
  const auto pnm = test::parse_pnm_stream(test::run_tool("giftopnm '" + path + "'"));
  ASSERT_EQ(pnm.size(), 1u);
  EXPECT_EQ(pnm[0].argb(2, 0) & 0xFFFFFF, 0x778899u);
}

TEST(GifWriter, UnchangedFrameIsTwoTransparentPixelsClampedToTheFrame) {
  for (int32_t width : {5, 1}) {
    SCOPED_TRACE(width);
    test::Scratch dir;
    const std::string path = dir.file("same.gif");
    const std::vector<uint8_t> f(size_t(width) * 3, 1);
    ASSERT_EQ(write_gif(path, width, 3, {f, f}, {0x000000, 0xFF00FF, 0}, 3, -1, 1), 0);
    const std::string text = test::run_tool("giftext '" + path + "'");
    const std::string want = "Image Size - Left = 0, Top = 0, Width = " +
                             std::to_string(std::min(width, 2)) + ", Height = 1.";
    EXPECT_NE(text.find(want), std::string::npos) << text;
    // Both pixels of the rectangle are transparent.
    test::run_tool("giftopnm --image=2 -alphaout='" + dir.file("alpha.pgm") + "' '" + path + "'");
    const auto alpha = test::parse_pnm_stream(test::run_tool("cat '" + dir.file("alpha.pgm") + "'"));
    ASSERT_EQ(alpha.size(), 1u);
    EXPECT_EQ(alpha[0].samples, std::vector<uint8_t>(size_t(std::min(width, 2)), 0));
    Frames back;
    ASSERT_TRUE(read_all(path, &back));
    ASSERT_EQ(back.pixels.size(), 2u);
    EXPECT_EQ(back.pixels[1], back.pixels[0]);
  }
}

// Palettes that change between optimised frames: a pixel outside the changed rectangle keeps its
// colour but may get another index, and the next frame must compare with the colour on screen.
TEST(GifWriter, OptimisedFramesWithChangingPalettesDecodeBack) {
  test::Scratch dir;
  const std::string path = dir.file("pal.gif");
  constexpr uint32_t A = 0xAA0000, B = 0x00BB00;
  std::vector<uint32_t> p0{A, B, 0}, p1{B, A, 0};
  p0.resize(256), p1.resize(256);
  struct Frame {
    std::vector<uint8_t> indices;
    std::vector<uint32_t> palette, shows;
  } frames[] = {{{0, 1}, p0, {A, B}}, {{1, 1}, p1, {A, A}}, {{0, 1}, p1, {B, A}}};
  qmGifWriter* g = nullptr;
  ASSERT_EQ(gifsave_open(path.c_str(), 2, 1, &g), 0);
  for (Frame& f : frames) {
    std::vector<uint32_t> pal = f.palette;
    ASSERT_EQ(gifsave_write_frame(g, f.indices.data(), 2, 1, 10, pal.data(), 3, -1, 1), 0);
  }
  ASSERT_EQ(gifsave_close(g), 0);
  Frames back;
  ASSERT_TRUE(read_all(path, &back));
  ASSERT_EQ(back.pixels.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(back.pixels[i], frames[i].shows) << "frame " << i;
  expect_matches_coalesce(path, back, 0);
}

TEST(GifWriter, RefusesWhatItCannotWrite) {
  test::Scratch dir;
  qmGifWriter* g = nullptr;
  EXPECT_EQ(gifsave_open(dir.file("no/such/dir.gif").c_str(), 2, 2, &g), ERR_WRITEFILE);
  EXPECT_EQ(gifsave_open(dir.file("big.gif").c_str(), 40000, 2, &g), ERR_MEM);
  ASSERT_EQ(gifsave_open(dir.file("x.gif").c_str(), 2, 2, &g), 0);
  uint8_t idx[9] = {};
  uint32_t pal[256] = {};
  EXPECT_EQ(gifsave_write_frame(g, idx, 3, 3, 0, pal, 2, -1, 0), ERR_WRONGUSAGE);
  idx[3] = 4;  // beyond the 4 entries that 3 colours take
  EXPECT_EQ(gifsave_write_frame(g, idx, 2, 2, 0, pal, 3, -1, 0), ERR_WRONGUSAGE);
  idx[3] = 3;
  EXPECT_EQ(gifsave_write_frame(g, idx, 2, 2, 0, pal, 3, -1, 0), 0);
  EXPECT_EQ(gifsave_close(g), 0);
}

// ---- reader against the outside decoders ---------------------------------------------------------

const std::vector<uint32_t> kGlobal{0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};

std::vector<uint8_t> solid(int32_t w, int32_t h, uint8_t v) { return std::vector<uint8_t>(size_t(w) * size_t(h), v); }

// A full-screen first frame, then a frame with the disposal under test over a part of it, then a
// third frame that shows what the disposal left.
std::vector<uint8_t> disposal_gif(int32_t disposal, int32_t transparent) {
  GifBuilder b(8, 6, kGlobal, 6);
  return b.frame(gif_frame(0, 0, 8, 6, noise(48, 8, 3)))
      .frame(gif_frame(2, 1, 4, 3, noise(12, 8, 4), disposal, transparent))
      .frame(gif_frame(5, 3, 3, 3, noise(9, 8, 5), 0, 2))
      .finish();
}

TEST(GifReader, DisposalMethodsMatchCoalesce) {
  struct Case {
    int32_t disposal, transparent;
  } cases[] = {{0, -1}, {1, -1}, {1, 3}, {2, -1}, {2, 5}, {3, -1}, {3, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "disposal " << c.disposal << " transparent " << c.transparent);
    test::Scratch dir;
    const std::string path = dir.file("d.gif");
    test::write_bytes(path, disposal_gif(c.disposal, c.transparent));
    Frames ours;
    ASSERT_TRUE(read_all(path, &ours));
    // Background disposal fills with the colour of the frame's transparent index, else of the
    // background index; ImageMagick clears to transparency there.
    expect_matches_coalesce(path, ours, kGlobal[size_t(c.transparent >= 0 ? c.transparent : 6)]);
  }
}

TEST(GifReader, InterlacedFrameEqualsItsTwin) {
  test::Scratch dir;
  const std::vector<uint8_t> pixels = noise(7 * 19, 8, 9);
  Frames plain, inter;
  for (bool interlaced : {false, true}) {
    const std::string path = dir.file(interlaced ? "i.gif" : "p.gif");
    GifFrameSpec f = gif_frame(0, 0, 7, 19, pixels);
    f.interlaced = interlaced;
    f.local = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x123456, 0x654321, 0xABCDEF};
    test::write_bytes(path, GifBuilder(7, 19, kGlobal).frame(f).finish());
    Frames& out = interlaced ? inter : plain;
    ASSERT_TRUE(read_all(path, &out));
    expect_matches_giftopnm(path, out);
  }
  EXPECT_EQ(plain.pixels, inter.pixels);
}

// A 200 x 200 noise picture of 256 colours fills the code table many times over: our writer
// clears at 4096 codes, and both outside decoders agree with what our reader makes of it.
TEST(GifReader, TableFullStreamMatchesBothDecoders) {
  test::Scratch dir;
  const std::string path = dir.file("noise.gif");
  const std::vector<uint32_t> pal = ramp_palette(256);
  const std::vector<uint8_t> idx = noise(200 * 200, 256, 11);
  ASSERT_EQ(write_gif(path, 200, 200, {idx}, pal, 256, -1, 0), 0);
  Frames ours;
  ASSERT_TRUE(read_all(path, &ours));
  for (size_t i = 0; i < idx.size(); ++i) ASSERT_EQ(ours.pixels[0][i], pal[idx[i]]) << i;
  expect_matches_giftopnm(path, ours);
  expect_matches_coalesce(path, ours, 0);
}

// An encoder that keeps going after the table is full, without a clear (a "deferred clear").
std::vector<uint8_t> encode_without_clears(const std::vector<uint8_t>& pixels) {
  std::map<std::pair<int, int>, int> table;
  std::vector<uint8_t> data;
  uint32_t acc = 0;
  int bits = 0, width = 9, next = 258;
  auto put = [&](int code) {
    acc |= uint32_t(code) << bits;
    for (bits += width; bits >= 8; bits -= 8, acc >>= 8) data.push_back(uint8_t(acc));
  };
  put(256);
  int prefix = pixels[0];
  for (size_t i = 1; i < pixels.size(); ++i) {
    auto it = table.find({prefix, pixels[i]});
    if (it != table.end()) {
      prefix = it->second;
      continue;
    }
    put(prefix);
    if (next > (1 << width) - 1 && width < 12) ++width;
    if (next < 4096) table[{prefix, pixels[i]}] = next++;
    prefix = pixels[i];
  }
  put(prefix);
  if (next > (1 << width) - 1 && width < 12) ++width;
  put(257);
  if (bits) data.push_back(uint8_t(acc));
  return GifBuilder::blocks(data);
}

TEST(GifReader, DeferredClearDecodesOnWithTheFullTable) {
  test::Scratch dir;
  const std::string path = dir.file("deferred.gif");
  const std::vector<uint32_t> pal = ramp_palette(256);
  const std::vector<uint8_t> idx = noise(200 * 200, 256, 12);
  test::write_bytes(path, GifBuilder(200, 200, pal).packed_frame(200, 200, 8, encode_without_clears(idx)).finish());
  Frames ours;
  ASSERT_TRUE(read_all(path, &ours));
  for (size_t i = 0; i < idx.size(); ++i) ASSERT_EQ(ours.pixels[0][i], pal[idx[i]]) << i;
  expect_matches_giftopnm(path, ours);
}

// Frames that reach past the logical screen are clipped: every write, fill, save and restore.
TEST(GifReader, FramesOutsideTheScreenAreClipped) {
  test::Scratch dir;
  struct Case {
    int32_t left, top, w, h, disposal;
  } cases[] = {{5, 4, 9, 7, 3}, {6, 0, 4, 3, 2}, {0, 5, 3, 30, 1}, {100, 100, 2, 2, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.w << "x" << c.h);
    const std::string path = dir.file("out.gif");
    GifBuilder b(8, 6, kGlobal, 0);
    b.frame(gif_frame(0, 0, 8, 6, noise(48, 8, 21)));
    b.frame(gif_frame(c.left, c.top, c.w, c.h, noise(c.w * c.h, 8, 22), c.disposal, -1));
    b.frame(gif_frame(0, 0, 2, 2, solid(2, 2, 7)));
    test::write_bytes(path, b.finish());
    Frames ours;
    ASSERT_TRUE(read_all(path, &ours));
    expect_matches_coalesce(path, ours, kGlobal[0]);
  }
}

// ---- reader behaviour --------------------------------------------------------------------------

std::string fixture_file(test::Scratch& dir, const std::vector<uint8_t>& bytes) {
  const std::string path = dir.file("f.gif");
  test::write_bytes(path, bytes);
  return path;
}

TEST(GifReader, SeeksFromTheNearestKeyFrame) {
  test::Scratch dir;
  GifBuilder b(4, 4, kGlobal);
  for (int i = 0; i < 8; ++i) {
    // Frames 0 and 4 cover the screen; the others change one corner.
    GifFrameSpec f = i % 4 == 0 ? gif_frame(0, 0, 4, 4, solid(4, 4, uint8_t(i / 4 + 1)))
                                : gif_frame(i % 2 * 2, 0, 2, 2, solid(2, 2, uint8_t(i)));
    f.delay = i;
    b.frame(f);
  }
  const std::string path = fixture_file(dir, b.finish());
  int32_t w, h, n;
  qmGifReader* r = gifanim_open(path.c_str(), &w, &h, &n, 0);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(n, 8);
  Frames all;
  ASSERT_TRUE(read_all(path, &all));
  auto load = [&](int32_t i) {
    uint32_t* p = gifanim_load_frame(r, i);
    EXPECT_NE(p, nullptr);
    if (!p) return false;
    const bool same = std::equal(p, p + 16, all.pixels[size_t(i)].begin());
    qmos_free_pixels(p);
    return same;
  };
  // In order: each frame decoded once.
  for (int32_t i = 0; i < 3; ++i) EXPECT_TRUE(load(i));
  EXPECT_EQ(gifanim_decode_count(r), 3);
  // Frame 6 after frame 2 starts over at key frame 4 (frames 4, 5, 6); frame 1 after 6 at 0.
  EXPECT_TRUE(load(6));
  EXPECT_EQ(gifanim_decode_count(r), 6);
  EXPECT_TRUE(load(1));
  EXPECT_EQ(gifanim_decode_count(r), 8);
  EXPECT_EQ(gifanim_load_frame(r, 8), nullptr);
  EXPECT_EQ(gifanim_load_frame(r, -1), nullptr);
  EXPECT_EQ(gifanim_frame_delay(r, 3), 30);
  EXPECT_TRUE(load(2));
  gifanim_close(r);
}

// An index beyond a frame's short local table reads black whichever frame was decoded before.
TEST(GifReader, ShortLocalTableDoesNotDependOnTheFramesBefore) {
  test::Scratch dir;
  std::vector<uint32_t> wide(256, 0x00FF00), other(256, 0xFF0000);
  GifFrameSpec f0 = gif_frame(0, 0, 1, 1, {5}), f1 = gif_frame(0, 0, 1, 1, {5}), f2 = gif_frame(0, 0, 1, 1, {5});
  f0.local = wide;
  f1.local = {0x123456, 0x654321};
  f2.local = other;
  const std::string path = fixture_file(dir, GifBuilder(1, 1, kGlobal).frame(f0).frame(f1).frame(f2).finish());
  int32_t w, h, n;
  qmGifReader* r = gifanim_open(path.c_str(), &w, &h, &n, 0);
  ASSERT_NE(r, nullptr);
  for (int32_t order : {1, 0, 1}) {
    uint32_t* p = gifanim_load_frame(r, order);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], order == 0 ? 0x00FF00u : 0u);
    qmos_free_pixels(p);
  }
  gifanim_close(r);
}

TEST(GifReader, RefusesCorruptData) {
  const std::vector<uint32_t> pal{0, 0xFFFFFF, 0xFF0000, 0x00FF00};
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"first code after a clear is not a literal",
       GifBuilder(2, 1, pal).raw_frame(2, 1, 2, {4, 6, 1, 5}, 3).finish()},
      {"code beyond the next free code", GifBuilder(2, 1, pal).raw_frame(2, 1, 2, {4, 1, 7, 5}, 3).finish()},
      {"end code before the frame is full", GifBuilder(2, 2, pal).raw_frame(2, 2, 2, {4, 1, 2, 5}, 3).finish()},
      {"data ends before the frame is full", GifBuilder(2, 2, pal).raw_frame(2, 2, 2, {4, 1}, 3).finish()},
      {"minimum code size above 8", GifBuilder(2, 1, pal).raw_frame(2, 1, 9, {512, 1, 1, 513}, 10).finish()},
      {"cut inside an extension", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x21, 0xF9, 4, 1}},
      {"wrong signature", {'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}},
      {"no screen", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 1, 0, 0, 0, 0, 0x3B}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int32_t w, h, n;
    EXPECT_EQ(gifanim_open_memory(c.bytes.data(), c.bytes.size(), &w, &h, &n, 0), nullptr);
  }
  // Pixels beyond width x height are dropped; a literal stream for 2 x 1 with 3 pixels is fine.
  const auto extra = GifBuilder(2, 1, pal).raw_frame(2, 1, 2, {4, 1, 2, 3, 5}, 3).finish();
  int32_t w, h, n;
  qmGifReader* r = gifanim_open_memory(extra.data(), extra.size(), &w, &h, &n, 0);
  ASSERT_NE(r, nullptr);
  uint32_t* p = gifanim_load_frame(r, 0);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[0], 0xFFFFFFu);
  EXPECT_EQ(p[1], 0xFF0000u);
  qmos_free_pixels(p);
  gifanim_close(r);
}

TEST(GifReader, HeaderOnlyAndStillPicture) {
  test::Scratch dir;
  const std::string path = fixture_file(
      dir, GifBuilder(3, 2, kGlobal, 2).frame(gif_frame(1, 0, 1, 1, {4})).frame(gif_frame(0, 0, 3, 2, solid(3, 2, 1))).finish());
  int32_t w = 0, h = 0, n = -1;
  EXPECT_EQ(gifanim_open(path.c_str(), &w, &h, &n, 1), nullptr);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(n, -1);
  uint32_t* pixels = nullptr;
  ASSERT_EQ(gif_load_still(path.c_str(), &w, &h, &pixels), 0);
  // The first frame over the background colour.
  const std::vector<uint32_t> want{0x00FF00, 0xFFFF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00};
  EXPECT_EQ(std::vector<uint32_t>(pixels, pixels + 6), want);
  qmos_free_pixels(pixels);
  EXPECT_EQ(gif_load_still(dir.file("missing.gif").c_str(), &w, &h, &pixels), ERR_READFILE);
  test::write_bytes(dir.file("bad.gif"), {'G', 'I', 'F'});
  EXPECT_EQ(gif_load_still(dir.file("bad.gif").c_str(), &w, &h, &pixels), ERR_LOADPICTURE2);
  // A screen beyond the picture size cap.
  test::write_bytes(dir.file("huge.gif"), {'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x3B});
  EXPECT_EQ(gif_load_still(dir.file("huge.gif").c_str(), &w, &h, &pixels), ERR_MEM);
}

}  // namespace
}  // namespace qm
