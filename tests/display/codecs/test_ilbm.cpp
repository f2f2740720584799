// ILBM reading against ilbmtoppm, the palette rules, the refused files, and the writer judged by
// ilbmtoppm and one golden file.
#include <cstring>
#include <random>

#include "display/codecs/codecs.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "reader_tools.h"
#include "runtime/os/qmos.h"

using namespace pictest;

namespace {

// An ILBM of our own making from palette indices (or 0xRRGGBB values for 24 planes and more):
// raw body, optional CAMG and CMAP.
struct IlbmSpec {
  int32_t width = 4, height = 2, planes = 2, masking = 0, transparent_index = 0;
  int32_t camg = -1;  // -1: no CAMG chunk
  std::vector<uint32_t> cmap;
  bool with_cmap = true;
  std::vector<uint32_t> values;
};

void chunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& data) {
  out.insert(out.end(), id, id + 4);
  uint8_t size[4];
  qm::put_be32(size, uint32_t(data.size()));
  out.insert(out.end(), size, size + 4);
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() & 1) out.push_back(0);
}

std::vector<uint8_t> make_ilbm(const IlbmSpec& s) {
  std::vector<uint8_t> bmhd(20, 0);
  qm::put_be16(&bmhd[0], uint16_t(s.width));
  qm::put_be16(&bmhd[2], uint16_t(s.height));
  bmhd[8] = uint8_t(s.planes);
  bmhd[9] = uint8_t(s.masking);
  qm::put_be16(&bmhd[12], uint16_t(s.transparent_index));
  const int32_t rb = qm::ilbm_row_bytes(s.width);
  std::vector<uint8_t> body;
  for (int32_t y = 0; y < s.height; ++y) {
    for (int32_t p = 0; p < s.planes + (s.masking == 1); ++p) {
      std::vector<uint8_t> row(size_t(rb), 0);
      for (int32_t x = 0; x < s.width; ++x) {
        uint32_t v = s.values[size_t(y * s.width + x)];
        // 24 planes and more: red in planes 0-7, green 8-15, blue 16-23.
        if (s.planes >= 24 && p < 24) v = (v >> (16 - 8 * (p / 8))) >> (p % 8);
        else v >>= p;
        if (p == s.planes) v = 1;  // the mask row: all visible
        if (v & 1) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
      }
      body.insert(body.end(), row.begin(), row.end());
    }
  }
  std::vector<uint8_t> f = {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'I', 'L', 'B', 'M'};
  chunk(f, "BMHD", bmhd);
  if (s.camg >= 0) {
    std::vector<uint8_t> c(4);
    qm::put_be32(c.data(), uint32_t(s.camg));
    chunk(f, "CAMG", c);
  }
  if (s.with_cmap) {
    std::vector<uint8_t> c;
    for (uint32_t rgb : s.cmap) {
      c.push_back(uint8_t(rgb >> 16));
      c.push_back(uint8_t(rgb >> 8));
      c.push_back(uint8_t(rgb));
    }
    chunk(f, "CMAP", c);
  }
  chunk(f, "BODY", body);
  qm::put_be32(&f[4], uint32_t(f.size() - 8));
  return f;
}

struct Loaded {
  int32_t error = 0;
  std::vector<uint32_t> pixels;
  int32_t transparent = -2;
  std::vector<uint32_t> palette;
};

Loaded load_ilbm(const std::string& name, const std::vector<uint8_t>& bytes,
                 int32_t* user_palette = nullptr, int32_t pen = -1, int32_t use_trans = 0) {
  write_bytes(tmp(name), bytes);
  Loaded l;
  uint32_t* px = nullptr;
  uint32_t* pal = nullptr;
  int32_t w = 0, h = 0;
  l.error = qm::ilbm_load(tmp(name).c_str(), user_palette, pen, use_trans, &l.transparent, &w, &h,
                          &px, &pal);
  if (l.error) return l;
  l.pixels.assign(px, px + size_t(w) * size_t(h));
  if (pal) l.palette.assign(pal, pal + 256);
  qm::qmos_free_pixels(px);
  qmos_free(pal);
  return l;
}

TEST(Ilbm, DecodesLikeIlbmtoppm) {
  const std::string d = data_dir();
  struct Case {
    const char* name;
    std::string make;
    uint32_t mask;  // HAM is compared on the bits it sets
  } cases[] = {
      {"planes1.iff", "ppmtoilbm " + d + "/seed2.ppm", 0xFFFFFF},
      {"planes4.iff", "ppmtoilbm " + d + "/seed16.ppm", 0xFFFFFF},
      {"planes4_raw.iff", "ppmtoilbm -nocompress " + d + "/seed16.ppm", 0xFFFFFF},
      {"planes8.iff", "ppmtoilbm -fixplanes 8 " + d + "/seed16.ppm", 0xFFFFFF},
      {"deep24.iff", "ppmtoilbm -24force " + d + "/seed.ppm", 0xFFFFFF},
      {"deep24_raw.iff", "ppmtoilbm -24force -nocompress " + d + "/seed.ppm", 0xFFFFFF},
      {"ham6.iff", "ppmtoilbm -ham6 " + d + "/seed.ppm", 0xF0F0F0},
      {"ham8.iff", "ppmtoilbm -ham8 " + d + "/seed.ppm", 0xFCFCFC},
      {"masked.iff", "ppmtoilbm -maskfile " + tmp("mask.pbm") + " " + d + "/seed16.ppm", 0xFFFFFF},
      {"masked24.iff", "ppmtoilbm -24force -maskfile " + tmp("mask.pbm") + " " + d + "/seed.ppm",
       0xFFFFFF},
      {"transparent.iff", "ppmtoilbm -transparent rgb:ff/ff/ff " + d + "/seed16.ppm", 0xFFFFFF},
  };
  sh("ppmtopgm " + d + "/seed.ppm | pamthreshold | pamtopnm > " + tmp("mask.pbm"));
  for (const Case& c : cases) {
    std::string file = tmp(c.name);
    sh(c.make + " > " + file);
    sh("ilbmtoppm " + file + " > " + file + ".ppm");
    Picture ours = load_ok(file);
    EXPECT_FALSE(ours.has_alpha);
    expect_same(ours, read_pnm(file + ".ppm"), c.mask, c.name);
  }
}

TEST(Ilbm, HamStartsEveryRowFromBlackAndHalfBriteHalves) {
  // HAM6: 0x20 | 15 sets red to 0xF0 from black on each row, 0x1F sets blue.
  IlbmSpec ham;
  ham.planes = 6;
  ham.camg = 0x800;
  ham.width = 2;
  ham.cmap = {0x123456};
  ham.values = {0x2F, 0x1F, 0x1F, 0x00};
  EXPECT_EQ(load_ilbm("ham.iff", make_ilbm(ham)).pixels,
            (std::vector<uint32_t>{0xF00000, 0xF000F0, 0x0000F0, 0x123456}));

  IlbmSpec ehb;
  ehb.planes = 6;
  ehb.camg = 0x80;
  ehb.width = 3;
  ehb.height = 1;
  ehb.cmap.assign(32, 0);
  ehb.cmap[1] = 0xFF8040;
  ehb.cmap[31] = 0x030303;
  ehb.values = {33, 63, 1};
  Loaded l = load_ilbm("ehb.iff", make_ilbm(ehb));
  EXPECT_EQ(l.pixels, (std::vector<uint32_t>{0x7F4020, 0x010101, 0xFF8040}));
  EXPECT_EQ(l.palette[33], 0x7F4020u);
}

TEST(Ilbm, PaletteRules) {
  IlbmSpec one;
  one.planes = 1;
  one.width = 2;
  one.height = 1;
  one.cmap = {0x102030, 0x405060};
  one.values = {0, 1};
  // A pen colour: index 1 takes it, colour 0 is reported transparent.
  Loaded pen = load_ilbm("pen.iff", make_ilbm(one), nullptr, 0xABCDEF);
  EXPECT_EQ(pen.pixels, (std::vector<uint32_t>{0x102030, 0xABCDEF}));
  EXPECT_EQ(pen.transparent, 0x102030);

  // A user palette replaces the first colours; the block's tail receives the file's colours.
  std::vector<int32_t> user(257, 0x777777);
  user[0] = 0x00FF00;
  user[1] = -1;
  Loaded up = load_ilbm("user.iff", make_ilbm(one), user.data());
  EXPECT_EQ(up.pixels, (std::vector<uint32_t>{0x00FF00, 0x405060}));
  EXPECT_EQ(up.transparent, -1);
  EXPECT_EQ(user[1], 0x405060);
  EXPECT_EQ(user[2], 0);
  EXPECT_EQ(user[256], 0x777777);  // the terminator's spare entry is never written
  // 256 colours and no terminator inside the block: exactly 256 are read.
  std::vector<int32_t> full(257, 0x010203);
  full[256] = 0x0A0B0C;
  EXPECT_EQ(load_ilbm("full.iff", make_ilbm(one), full.data()).pixels,
            (std::vector<uint32_t>{0x010203, 0x010203}));

  // Masking 2 with the transparent flag: 0xA8A8A8 + 15 * k, the first the palette lacks.
  IlbmSpec m2;
  m2.planes = 2;
  m2.masking = 2;
  m2.transparent_index = 3;
  m2.width = 4;
  m2.height = 1;
  m2.cmap = {0xA8A8A8, 0xA8A8B7, 0x000000, 0x111111};
  m2.values = {0, 1, 2, 3};
  Loaded t = load_ilbm("trans.iff", make_ilbm(m2), nullptr, -1, 1);
  EXPECT_EQ(t.transparent, 0xA8A8C6);
  EXPECT_EQ(t.pixels[3], 0xA8A8C6u);
}

TEST(Ilbm, RefusedAndCutFiles) {
  IlbmSpec base;
  base.values.assign(8, 1);
  base.cmap = {0, 0xFFFFFF, 0x808080, 0x404040};
  std::vector<uint8_t> good = make_ilbm(base);
  ASSERT_EQ(load_ilbm("good.iff", good).error, 0);

  auto with = [&](auto change) {
    IlbmSpec s = base;
    change(s);
    return make_ilbm(s);
  };
  std::vector<uint8_t> no_body(good.begin(), good.end() - 16);  // the BODY chunk is last
  std::vector<uint8_t> cut_body(good.begin(), good.end() - 3);
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    int32_t error;
  } cases[] = {
      {"width0.iff", with([](IlbmSpec& s) { s.width = 0; s.values.clear(); }), qm::ERR_LOADPICTURE2},
      {"height0.iff", with([](IlbmSpec& s) { s.height = 0; s.values.clear(); }),
       qm::ERR_LOADPICTURE2},
      {"planes12.iff",
       with([](IlbmSpec& s) { s.planes = 12; }), qm::ERR_LOADPICTURE2},
      {"planes0.iff", with([](IlbmSpec& s) { s.planes = 0; }), qm::ERR_LOADPICTURE2},
      {"planes25.iff", with([](IlbmSpec& s) { s.planes = 25; }), qm::ERR_LOADPICTURE2},
      {"no_cmap.iff", with([](IlbmSpec& s) { s.with_cmap = false; }), qm::ERR_LOADPICTURE2},
      {"too_wide.iff", with([](IlbmSpec& s) { s.width = 40000; s.height = 1; s.values.assign(40000, 0); }),
       qm::ERR_MEM},
      {"no_body.iff", no_body, qm::ERR_LOADPICTURE2},
      {"cut_body.iff", cut_body, qm::ERR_LOADPICTURE2},
  };
  for (const Case& c : cases) EXPECT_EQ(load_ilbm(c.name, c.bytes).error, c.error) << c.name;

  // ByteRun1 data that ends inside a run.
  std::vector<uint8_t> packed = good;
  packed[8 + 12 + 10] = 1;  // BMHD compression byte
  EXPECT_EQ(load_ilbm("cut_run.iff", packed).error, qm::ERR_LOADPICTURE2);
}

TEST(Ilbm, ThirtyTwoPlanesReadTheFirstTwentyFour) {
  IlbmSpec s;
  s.planes = 32;
  s.width = 3;
  s.height = 1;
  s.with_cmap = false;
  s.values = {0x123456, 0xFEDCBA, 0x000001};
  EXPECT_EQ(load_ilbm("deep32.iff", make_ilbm(s)).pixels, s.values);
}

// ByteRun1 decoding for the packer's tests.
std::vector<uint8_t> unpack(const std::vector<uint8_t>& in) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < in.size();) {
    int8_t n = int8_t(in[i++]);
    if (n >= 0) {
      out.insert(out.end(), in.begin() + long(i), in.begin() + long(i) + n + 1);
      i += size_t(n) + 1;
    } else if (n != -128) {
      out.insert(out.end(), size_t(1 - n), in[i++]);
    }
  }
  return out;
}

std::vector<uint8_t> pack(const std::vector<uint8_t>& row) {
  std::vector<uint8_t> out(qm::ilbm_pack_bound(row.size()) + 16, 0xEE);
  out.resize(qm::ilbm_pack_row(row.data(), row.size(), out.data()));
  return out;
}

TEST(Ilbm, ByteRun1Packer) {
  struct Case {
    std::vector<uint8_t> row, packed;
  } cases[] = {
      {{5}, {0, 5}},
      {{1, 1}, {0xFF, 1}},
      {{1, 2, 3}, {2, 1, 2, 3}},
      {{1, 2, 2, 2, 3}, {0, 1, 0xFE, 2, 0, 3}},
      {{7, 7, 7, 8}, {0xFE, 7, 0, 8}},
      {{1, 2, 2, 3}, {3, 1, 2, 2, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(pack(c.row), c.packed);

  std::vector<uint8_t> same(300, 9);
  EXPECT_EQ(pack(same), (std::vector<uint8_t>{0x81, 9, 0x81, 9, 0xD5, 9}));

  std::mt19937 rng(23);
  for (int i = 0; i < 2000; ++i) {
    std::vector<uint8_t> row(size_t(1 + rng() % 700));
    int32_t alphabet = 1 + int32_t(rng() % 4);  // few values: many runs of all lengths
    for (uint8_t& b : row) b = uint8_t(rng() % uint32_t(alphabet == 4 ? 256 : alphabet));
    std::vector<uint8_t> packed = pack(row);
    ASSERT_LE(packed.size(), qm::ilbm_pack_bound(row.size()));
    ASSERT_EQ(unpack(packed), row);
  }
}

TEST(Ilbm, WriterGoldenBytesAndRoundTrip) {
  // 1 x 1: every plane row is one word (2 bytes): two zeros pack as a run, a set bit as a literal.
  const uint32_t px[] = {0xFF800001};
  ASSERT_EQ(qm::ilbm_save(tmp("golden.iff").c_str(), px, 1, 1), 0);
  std::vector<uint8_t> want = {'F', 'O', 'R', 'M', 0, 0, 0, 90, 'I', 'L', 'B', 'M',
                               'B', 'M', 'H', 'D', 0, 0, 0, 20,  0,   1,   0,   1,
                               0,   0,   0,   0,   24, 0, 1, 0,  0,   0,   1,   1,
                               0,   1,   0,   1,   'B', 'O', 'D', 'Y', 0, 0, 0, 50};
  // Red 0x80: plane 7 set; green 0; blue 1: plane 16 set. Leftmost pixel is bit 7.
  for (int32_t p = 0; p < 24; ++p) {
    if (p == 7 || p == 16) want.insert(want.end(), {0x01, 0x80, 0x00});
    else want.insert(want.end(), {0xFF, 0x00});
  }
  EXPECT_EQ(read_bytes(tmp("golden.iff")), want);

  expect_round_trip(qm::ilbm_save, "written.iff", "ilbmtoppm");

  // An odd packed length ends in a pad byte that only the FORM size counts.
  const uint32_t odd[] = {0x010203, 0x040506, 0x070809};
  ASSERT_EQ(qm::ilbm_save(tmp("odd.iff").c_str(), odd, 3, 1), 0);
  std::vector<uint8_t> o = read_bytes(tmp("odd.iff"));
  uint32_t body = qm::get_be32(&o[44]);
  EXPECT_EQ(body % 2, 1u);
  EXPECT_EQ(o.size(), 48 + body + 1);
  EXPECT_EQ(qm::get_be32(&o[4]), 40 + body + 1);

  EXPECT_EQ(qm::ilbm_save(tmp("wide.iff").c_str(), px, 65536, 1), qm::ERR_WRITEFILE);
}

}  // namespace
