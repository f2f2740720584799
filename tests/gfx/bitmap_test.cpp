#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx_test_util.h"

namespace qm {
namespace {

using test::AlphaPtr;
using test::BitmapPtr;
using test::MaskPtr;

TEST(BitmapLayout, RowLengths) {
  struct Case { int32_t width, bitmap_ppr, mask_bpr, alpha_bpr; } cases[] = {
      {0, 4, 1, 0},   {1, 4, 1, 4},   {5, 8, 1, 8},    {7, 8, 1, 8},     {8, 12, 2, 8},
      {15, 16, 2, 16}, {16, 20, 3, 16}, {4092, 4096, 512, 4092}, {4096, 4100, 513, 4096},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    EXPECT_EQ(bitmap_pixels_per_row(c.width), c.bitmap_ppr);
    EXPECT_EQ(mask_bytes_per_row(c.width), c.mask_bpr);
    EXPECT_EQ(alpha_bytes_per_row(c.width), c.alpha_bpr);
    BitmapPtr bm(qmos_alloc_bitmap(c.width, 2));
    ASSERT_TRUE(bm);
    EXPECT_EQ(bm->bytes_per_row, c.bitmap_ppr * 4);
    EXPECT_EQ(bm->format, PIXFMT_BGRX);
    EXPECT_EQ(qmos_bitmap_attr(bm.get(), BMATTR_ROWPIXELS), c.bitmap_ppr);
    EXPECT_EQ(qmos_bitmap_attr(bm.get(), BMATTR_MASKROW), c.mask_bpr);
    MaskPtr m(qmos_alloc_mask(c.width, 2, 1));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->bytes_per_row, c.mask_bpr);
    AlphaPtr a(qmos_alloc_alpha(c.width, 2, 1));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->bytes_per_row, c.alpha_bpr);
  }
}

TEST(BitmapLayout, PictureCapBoundsEverySide) {
  struct Case { int32_t w, h; bool ok; };
  const Case cases[] = {{32767, 1, true}, {32768, 1, false}, {1, 32768, false},
                        {16384, 16384, true}, {16384, 16385, false}, {0, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
    EXPECT_EQ(picture_size_allowed(c.w, c.h), c.ok);
    EXPECT_EQ(MaskPtr(qmos_alloc_mask(c.w, c.h, 0)) != nullptr, c.ok);
  }
  EXPECT_EQ(qmos_alloc_bitmap(32768, 1), nullptr);
  EXPECT_EQ(qmos_alloc_alpha(1, 32768, 0), nullptr);
}

TEST(BitmapLayout, OversizedRequestsFailCleanly) {
  EXPECT_EQ(qmos_alloc_bitmap(40000, 40000), nullptr);
  EXPECT_EQ(qmos_alloc_bitmap(-1, 10), nullptr);
  EXPECT_EQ(qmos_alloc_bitmap(10, -1), nullptr);
  EXPECT_EQ(qmos_alloc_bitmap(0x7FFFFFFF, 1), nullptr);
  EXPECT_EQ(qmos_alloc_alpha(0x7FFFFFFF, 0x7FFFFFFF, 0), nullptr);
  EXPECT_EQ(qmos_alloc_mask(0x7FFFFFF0, 0x7FFFFFF0, 1), nullptr);
  qmBitmap* out = nullptr;
  uint32_t px = 0;
  EXPECT_EQ(qmos_scale_bitmap(&px, -1, 40000, 40000, 40000, &out, nullptr), ERR_MEM);
  EXPECT_EQ(out, nullptr);
}

TEST(BitmapLayout, FrameSizedBuffersAreReusedAndClearedOnRequest) {
  // A frame-sized buffer freed and asked for again comes back without fresh pages, and a cleared
  // request never sees what the last user left in it.
  const auto minor_faults = [] {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_minflt;
  };
  BitmapPtr first(qmos_alloc_bitmap(1920, 1080));
  ASSERT_TRUE(first);
  std::memset(first->pixels, 0x5A, size_t(first->bytes_per_row) * 1080);
  first.reset();
  const long before = minor_faults();
  BitmapPtr again(qmos_alloc_bitmap(1900, 1000));
  ASSERT_TRUE(again);
  std::memset(again->pixels, 0xA5, size_t(again->bytes_per_row) * 1000);
  EXPECT_LT(minor_faults() - before, 64);
  again.reset();
  BitmapPtr cleared(qmos_alloc_bitmap_cleared(1920, 1080));
  ASSERT_TRUE(cleared);
  const auto* bytes = reinterpret_cast<const uint8_t*>(cleared->pixels);
  const size_t n = size_t(cleared->bytes_per_row) * 1080;
  EXPECT_EQ(std::count(bytes, bytes + n, uint8_t(0)), std::ptrdiff_t(n));
  // A larger request than any kept buffer still gets a whole buffer of its own.
  BitmapPtr larger(qmos_alloc_bitmap(3000, 3000));
  ASSERT_TRUE(larger);
  std::memset(larger->pixels, 1, size_t(larger->bytes_per_row) * 3000);
}

// Rows on pages the process never touched read black, so a copy may leave them out; a row that
// shares a page with anything written is never among them.
TEST(BitmapLayout, UntouchedRowsAreTheRowsOnPagesNeverUsed) {
  constexpr int32_t kWidth = 1000, kHeight = 64;
  const int32_t row = bitmap_pixels_per_row(kWidth) * 4;
  const size_t size = size_t(row) * kHeight;
  void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(block, MAP_FAILED);
  qmBitmap bm{kWidth, kHeight, static_cast<uint32_t*>(block), row, 4, PIXFMT_BGRX};
  const int32_t written[] = {0, 9, 10, 40, 63};
  for (int32_t y : written) bm.pixels[size_t(y) * size_t(row / 4) + size_t(y * 7 % kWidth)] = 0x123456;
  std::vector<uint8_t> untouched;
  const int32_t count = qmos_bitmap_untouched_rows(&bm, &untouched);
  ASSERT_EQ(untouched.size(), size_t(kHeight));
  // Linux tells a process which of its pages it has used.
  if (access("/proc/self/pagemap", R_OK) == 0) {
    EXPECT_GT(count, 0);
  }
  int32_t expected = 0;
  for (int32_t y = 0; y < kHeight; ++y) {
    SCOPED_TRACE(y);
    // Row y shares a page with a written pixel when any of its pages holds one.
    bool shares = false;
    for (int32_t w : written) {
      const uintptr_t at = uintptr_t(&bm.pixels[size_t(w) * size_t(row / 4) + size_t(w * 7 % kWidth)]) / 4096;
      const uintptr_t from = uintptr_t(bm.pixels + size_t(y) * size_t(row / 4)) / 4096;
      const uintptr_t to = (uintptr_t(bm.pixels + size_t(y + 1) * size_t(row / 4)) - 1) / 4096;
      shares = shares || (at >= from && at <= to);
    }
    if (shares) {
      EXPECT_EQ(untouched[size_t(y)], 0);
    }
    // Where the system can tell (the count is not 0), the rest is exactly the untouched rows.
    if (count > 0) {
      EXPECT_EQ(untouched[size_t(y)], shares ? 0 : 1);
    }
    expected += shares ? 0 : 1;
  }
  if (count > 0) {
    EXPECT_EQ(count, expected);
  }
  munmap(block, size);
}

TEST(BitmapLayout, Attributes) {
  BitmapPtr bm(qmos_alloc_bitmap(16, 5));
  MaskPtr m(qmos_alloc_mask(16, 5, 1));
  AlphaPtr a(qmos_alloc_alpha(16, 5, 1));
  EXPECT_EQ(qmos_bitmap_attr(bm.get(), 0), 16);
  EXPECT_EQ(qmos_bitmap_attr(bm.get(), 1), 80);
  EXPECT_EQ(qmos_bitmap_attr(bm.get(), 11), 3);
  EXPECT_EQ(qmos_bitmap_attr(bm.get(), 18), 5);
  EXPECT_EQ(qmos_bitmap_attr(bm.get(), 21), 32);
  EXPECT_EQ(qmos_bitmap_attr(bm.get(), 24), reinterpret_cast<intptr_t>(bm.get()));
  EXPECT_EQ(qmos_bitmap_attr(bm.get(), 7), 0);
  EXPECT_EQ(qmos_bitmap_attr(m.get(), 3), reinterpret_cast<intptr_t>(m->data));
  EXPECT_EQ(qmos_bitmap_attr(m.get(), 1), 3);
  EXPECT_EQ(qmos_bitmap_attr(a.get(), 4), reinterpret_cast<intptr_t>(a->data));
  EXPECT_EQ(qmos_bitmap_attr(a.get(), 2), 16);
  // A row beyond 4096 bytes keeps its whole length.
  BitmapPtr wide(qmos_alloc_bitmap(5000, 1));
  EXPECT_EQ(qmos_bitmap_attr(wide.get(), 17), 5004);
}

TEST(BitmapPixels, FormatAndSinglePixels) {
  EXPECT_EQ(color_to_pixel_format(0xFF8040, 11), 0x4080FF00u);
  EXPECT_EQ(color_to_pixel_format(0xFF8040, 10), 0xFF8040u);
  EXPECT_EQ(color_to_pixel_format(0xFF8040, 12), 0xFF804000u);
  EXPECT_EQ(color_to_pixel_format(0xFF8040, 13), 0x4080FFu);
  EXPECT_EQ(color_to_pixel_format(0xFF8040, 4), 0xFC08u);
  EXPECT_EQ(color_to_pixel_format(0xFF8040, 6), 0x08FCu);
  EXPECT_EQ(color_to_pixel_format(0xFF8040, 14), 0u);
  BitmapPtr bm(qmos_alloc_bitmap(3, 3));
  qmos_fill_bitmap_rect(bm.get(), 0, 0, 3, 3, 0);
  qmos_write_pixel(bm.get(), 1, 2, 0x123456);
  EXPECT_EQ(qmos_read_pixel(bm.get(), 1, 2), 0x123456u);
  // Memory order of format 11 is alpha slot, red, green, blue.
  const auto* bytes = reinterpret_cast<const uint8_t*>(&bm->pixels[2 * 4 + 1]);
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 0x12);
  EXPECT_EQ(bytes[2], 0x34);
  EXPECT_EQ(bytes[3], 0x56);
  qmos_write_pixel(bm.get(), 3, 0, 0xFFFFFF);  // outside: nothing
  qmos_write_pixel(bm.get(), -1, 0, 0xFFFFFF);
  EXPECT_EQ(qmos_read_pixel(bm.get(), 3, 0), 0u);
}

TEST(Mask, BitAddressingAndPixelModes) {
  MaskPtr m(qmos_alloc_mask(20, 3, 1));
  struct Case { int32_t x, y, byte, bit; } cases[] = {{0, 0, 0, 7}, {7, 0, 0, 0}, {8, 0, 1, 7},
                                                      {9, 0, 1, 6}, {19, 2, 3 * 2 + 2, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    std::memset(m->data, 0, size_t(m->bytes_per_row) * 3);
    m->data[c.byte] = uint8_t(1u << c.bit);
    EXPECT_EQ(qmos_read_pixel(m.get(), c.x, c.y), 1u);
    m->data[c.byte] = uint8_t(~(1u << c.bit));
    EXPECT_EQ(qmos_read_pixel(m.get(), c.x, c.y), 0u);
  }
  std::memset(m->data, 0, size_t(m->bytes_per_row) * 3);
  // Write modes: 0, 2, 5 set; 1 clears; 3 inverts; 4 and others leave.
  struct Mode { int32_t mode; uint32_t from0, from1; } modes[] = {
      {0, 1, 1}, {1, 0, 0}, {2, 1, 1}, {3, 1, 0}, {4, 0, 1}, {5, 1, 1}, {6, 0, 1}};
  for (const auto& md : modes) {
    SCOPED_TRACE(md.mode);
    qmos_write_pixel(m.get(), 9, 1, 1);
    qmos_write_pixel(m.get(), 9, 1, md.mode);
    EXPECT_EQ(qmos_read_pixel(m.get(), 9, 1), md.from0);
    qmos_write_pixel(m.get(), 9, 1, 0);
    qmos_write_pixel(m.get(), 9, 1, md.mode);
    EXPECT_EQ(qmos_read_pixel(m.get(), 9, 1), md.from1);
  }
  // Outside the plane: reads 0, writes nothing (the spare byte of each row stays 0).
  qmos_write_pixel(m.get(), 20, 0, 0);
  qmos_write_pixel(m.get(), 0, 3, 0);
  EXPECT_EQ(qmos_read_pixel(m.get(), 20, 0), 0u);
  EXPECT_EQ(qmos_read_pixel(m.get(), -1, 0), 0u);
  EXPECT_EQ(m->data[2], 0);
}

TEST(Mask, BlitModesTruthTable) {
  // Source bits 0011, destination bits 0101 at columns 0..3: result for each mode.
  struct Case { int32_t mode; uint8_t expect; } cases[] = {
      {0, 0x70}, {1, 0x40}, {2, 0x30}, {3, 0x60}, {4, 0x10}, {5, 0x70}, {6, 0x50}, {-1, 0x50}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    MaskPtr s(qmos_alloc_mask(8, 1, 1)), d(qmos_alloc_mask(8, 1, 1));
    s->data[0] = 0x30;
    d->data[0] = 0x50;
    qmos_blit_mask_bits(s.get(), 0, 0, d.get(), 0, 0, 4, 1, c.mode);
    EXPECT_EQ(d->data[0], c.expect);
    d->data[0] = 0x50;
    qmos_blit_mask_bits(s.get(), 0, 0, d.get(), 0, 0, 0, 1, c.mode);
    EXPECT_EQ(d->data[0], 0x50);
  }
  // Unaligned positions: source column 2 lands on destination column 9.
  MaskPtr s(qmos_alloc_mask(16, 1, 1)), d(qmos_alloc_mask(16, 1, 1));
  s->data[0] = 0x20;
  qmos_blit_mask_bits(s.get(), 2, 0, d.get(), 9, 0, 1, 1, MASKVANILLACOPY);
  EXPECT_EQ(d->data[1], 0x40);
}

TEST(Mask, RectOps) {
  struct Case { int32_t mode; uint8_t expect; } cases[] = {
      {0, 0xFE}, {1, 0x80}, {2, 0xFE}, {3, 0x8E}, {4, 0xF0}, {5, 0xFE}, {6, 0xF0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    MaskPtr m(qmos_alloc_mask(8, 2, 1));
    m->data[2] = 0xF0;
    qmos_mask_rect_op(m.get(), 1, 1, 6, 1, c.mode);
    EXPECT_EQ(m->data[2], c.expect);
    EXPECT_EQ(m->data[0], 0);
  }
}

// Every mode, offset and width against the same rule applied bit by bit: whole bytes of the
// destination go at once, and what lies outside the rectangle stays; so too within one plane,
// where a bit reads what the bits before it wrote.
TEST(Mask, ByteWiseOpsMatchBitByBit) {
  uint32_t seed = 99;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, uint8_t(seed >> 16); };
  auto reference = [](const uint8_t* s, int32_t sx, uint8_t* d, int32_t dx, int32_t w, int32_t mode) {
    for (int32_t i = 0; i < w; ++i) {
      const bool a = mask_bit(s, sx + i), b = mask_bit(d, dx + i);
      const bool r = mode == MASKINVISIBLE ? !a && b : mode == MASKVANILLACOPY ? a : mode == MASKXOR ? a != b
                     : mode == MASKAND ? a && b : a || b;
      if (r) mask_bit_set(d, dx + i);
      else mask_bit_clear(d, dx + i);
    }
  };
  MaskPtr s(qmos_alloc_mask(64, 2, 1)), d(qmos_alloc_mask(64, 2, 1));
  const size_t bpr = size_t(d->bytes_per_row), size = 2 * bpr;
  ASSERT_EQ(s->bytes_per_row, d->bytes_per_row);
  std::vector<uint8_t> want(size);
  for (int32_t mode = MASKVISIBLE; mode <= MASKOR; ++mode)
    for (int32_t sx = 0; sx < 9; ++sx)
      for (int32_t dx = 0; dx < 9; ++dx)
        for (int32_t w = 0; w <= 40; w += (w < 18 ? 1 : 11)) {
          for (size_t k = 0; k < size; ++k) s->data[k] = next(), d->data[k] = next();
          std::memcpy(want.data(), d->data, size);
          reference(s->data + bpr, sx, want.data() + bpr, dx, w, mode);
          qmos_blit_mask_bits(s.get(), sx, 1, d.get(), dx, 1, w, 1, mode);
          ASSERT_EQ(std::memcmp(d->data, want.data(), size), 0) << mode << " " << sx << " " << dx << " " << w;
          // Within one plane, from one row onto itself.
          std::memcpy(want.data(), d->data, size);
          reference(want.data(), sx, want.data(), dx, w, mode);
          qmos_blit_mask_bits(d.get(), sx, 0, d.get(), dx, 0, w, 1, mode);
          ASSERT_EQ(std::memcmp(d->data, want.data(), size), 0) << "one plane " << mode << " " << sx << " " << dx << " " << w;
          if (sx != 0 || mode == MASKAND) continue;
          // The rectangle operations are the same rule with a source of all ones (XOR: inverted).
          std::memcpy(want.data(), d->data, size);
          const uint8_t ones[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
          reference(ones, 0, want.data() + bpr, dx, w, mode == MASKINVISIBLE ? MASKINVISIBLE : mode == MASKXOR ? MASKXOR : MASKOR);
          qmos_mask_rect_op(d.get(), dx, 1, w, 1, mode);
          ASSERT_EQ(std::memcmp(d->data, want.data(), size), 0) << "rect " << mode << " " << dx << " " << w;
        }
}

TEST(Planes, WrapCopyAndScratch) {
  uint8_t buf[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  qmAlphaChannel* w = qmos_wrap_alpha(buf, 4, 4, 4);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->borrowed, 1);
  AlphaPtr c(alpha_plane_copy(w, 4, 2));
  ASSERT_TRUE(c);
  EXPECT_EQ(std::memcmp(c->data, buf, 8), 0);
  EXPECT_EQ(c->borrowed, 0);
  qmos_free_alpha(w);  // leaves buf alone
  EXPECT_EQ(buf[0], 1);
  qmos_free_alpha(nullptr);
  qmos_free_mask(nullptr);
  qmMask* s1 = qmos_scratch_mask(buf, 16, 2);
  EXPECT_EQ(s1->bytes_per_row, 3);
  qmMask* s2 = qmos_scratch_mask(buf + 4, 8, 1);
  EXPECT_EQ(s1, s2);
  EXPECT_EQ(s1->bytes_per_row, 2);
}

TEST(Blit, CopyMaskTemplateAndArgb) {
  BitmapPtr src(qmos_alloc_bitmap(4, 2)), dst(qmos_alloc_bitmap(4, 2));
  for (int32_t i = 0; i < 8; ++i) src->pixels[(i / 4) * 8 + i % 4] = 0x01020300u * uint32_t(i + 1);
  qmos_fill_bitmap_rect(dst.get(), 0, 0, 4, 2, 0);
  BLTBITMAP(src.get(), 1, 0, dst.get(), 0, 1, 3, 1);
  EXPECT_EQ(dst->pixels[8], src->pixels[1]);
  EXPECT_EQ(dst->pixels[10], src->pixels[3]);
  EXPECT_EQ(dst->pixels[11], 0u);
  BLTBITMAP(src.get(), 0, 0, nullptr, 0, 0, 1, 1);  // reported, no crash

  MaskPtr m(qmos_alloc_mask(4, 2, 1));
  m->data[0] = 0xA0;  // columns 0 and 2 of row 0
  qmos_fill_bitmap_rect(dst.get(), 0, 0, 4, 2, 0);
  BLTMASK(src.get(), 0, 0, dst.get(), 0, 0, 4, 1, m.get());
  EXPECT_EQ(dst->pixels[0], src->pixels[0]);
  EXPECT_EQ(dst->pixels[1], 0u);
  EXPECT_EQ(dst->pixels[2], src->pixels[2]);

  BLTTEMPLATE(m.get(), 0, 0, dst.get(), 0, 1, 4, 1, 0xFF0000);
  EXPECT_EQ(dst->pixels[8], 0x0000FF00u);
  EXPECT_EQ(dst->pixels[9], 0u);

  dst->pixels[0] = 0x4080FF00u;
  uint32_t* argb = qmos_bitmap_to_argb(dst.get(), 2, 2);
  ASSERT_TRUE(argb);
  EXPECT_EQ(argb[0], 0x00FF8040u);
  EXPECT_EQ(argb[2], 0x00FF0000u);
  qmos_free_pixels(argb);
  EXPECT_EQ(qmos_bitmap_to_argb(dst.get(), 5, 1), nullptr);

  // Transparent 0: black pixels clear in the mask whatever the top byte.
  const uint32_t words[6] = {0x000000, 0xFF000000u, 0x102030, 0, 0, 0x01};
  qmBitmap* out = nullptr;
  qmMask* mask = nullptr;
  ASSERT_EQ(qmos_scale_bitmap(words, 0, 3, 2, 3, &out, &mask), 0);
  BitmapPtr ob(out);
  MaskPtr om(mask);
  ASSERT_TRUE(om);
  EXPECT_EQ(om->data[0], 0x20);
  EXPECT_EQ(om->data[1], 0x20);
  EXPECT_EQ(qmos_read_pixel(ob.get(), 2, 0), 0x102030u);
  ASSERT_EQ(qmos_scale_bitmap(words, -1, 3, 2, 3, &out, &mask), 0);
  qmos_free_bitmap(out);
  EXPECT_EQ(mask, nullptr);
}

TEST(Line, ClippedAndInclusive) {
  BitmapPtr bm(qmos_alloc_bitmap(8, 8));
  qmos_fill_bitmap_rect(bm.get(), 0, 0, 8, 8, 0);
  qmos_draw_line(bm.get(), -4, -4, 20, 20, 0xFFFFFF);
  int32_t count = 0;
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x) count += qmos_read_pixel(bm.get(), x, y) != 0;
  EXPECT_EQ(count, 8);
  EXPECT_EQ(qmos_read_pixel(bm.get(), 7, 7), 0xFFFFFFu);
  qmos_fill_bitmap_rect(bm.get(), 0, 0, 8, 8, 0);
  qmos_draw_line(bm.get(), 1, 1, 5, 3, 0x00FF00);
  EXPECT_EQ(qmos_read_pixel(bm.get(), 1, 1), 0x00FF00u);
  EXPECT_EQ(qmos_read_pixel(bm.get(), 5, 3), 0x00FF00u);
}

}  // namespace
}  // namespace qm
