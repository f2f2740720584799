// The soft and the hard edge of coverage (text/edges.h).
#include "text/edges.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

#include "engine/clones.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"

namespace qm {

namespace {

template <typename T>
std::unique_ptr<T[]> scratch(size_t n) {
  return std::unique_ptr<T[]>(new (std::nothrow) T[n]());
}


// r[x] = p[x + 1] - p[x + 1 - k] over a row of prefix sums (p[0] = 0).
QM_VECTOR_CLONES void row_sum(const uint32_t* p, int32_t n, int32_t k, uint32_t* r) {
  const int32_t head = std::min(k, n);
  for (int32_t x = 0; x < head; ++x) r[x] = p[x + 1];
  for (int32_t x = head; x < n; ++x) r[x] = p[x + 1] - p[x + 1 - k];
}

// One step of the running column sum (a row comes in, a row k above goes out), and the sums
// divided by 2s + 1 = k into the output row. The division goes through a float reciprocal: the
// sum is limited to 255 k first, so the quotient stays below 256, where the product's error is
// below 1e-4 and the quotient's fraction is at most 1 - 1/k; the added thousandth lifts exact
// quotients that the rounding put just below, and no other.
QM_VECTOR_CLONES void column_step(uint32_t* sum, const uint32_t* add, const uint32_t* sub, int32_t n, int32_t k,
                                  uint8_t* out) {
  if (add)
    for (int32_t x = 0; x < n; ++x) sum[x] += add[x];
  if (sub)
    for (int32_t x = 0; x < n; ++x) sum[x] -= sub[x];
  const int32_t limit = 255 * k;
  const float inverse = 1.0f / float(k);
  for (int32_t x = 0; x < n; ++x) {
    const int32_t v = std::min(int32_t(sum[x]), limit);
    out[x] = uint8_t(int32_t(float(v) * inverse + 0.001f));
  }
}

using Word = uint64_t;
constexpr int32_t kWordBits = 64;

// Row words with the leftmost pixel in the top bit, as the mask's bytes run.
void load_row(const uint8_t* bytes, int32_t w, Word* words, int32_t count) {
  std::fill(words, words + count, Word(0));
  const int32_t nbytes = (w + 7) / 8;
  for (int32_t i = 0; i < nbytes; ++i) words[i / 8] |= Word(bytes[i]) << (56 - 8 * (i % 8));
  if (w % kWordBits) words[w / kWordBits] &= ~Word(0) << (kWordBits - w % kWordBits);
}

void store_row(const Word* words, int32_t w, uint8_t* bytes) {
  const int32_t nbytes = (w + 7) / 8;
  for (int32_t i = 0; i < nbytes; ++i) bytes[i] = uint8_t(words[i / 8] >> (56 - 8 * (i % 8)));
}

// row |= row moved right by n pixels.
void or_shifted(Word* row, int32_t count, int32_t n) {
  const int32_t q = n / kWordBits, b = n % kWordBits;
  for (int32_t j = count - 1; j >= q; --j) {
    Word v = row[j - q] >> b;
    if (b && j - q - 1 >= 0) v |= row[j - q - 1] << (kWordBits - b);
    row[j] |= v;
  }
}

}  // namespace

int32_t text_coverage_spread(const uint8_t* coverage, int32_t stride, int32_t w, int32_t h, int32_t s,
                             uint8_t* out, int32_t out_stride) {
  const int32_t k = 2 * s + 1;
  const int32_t W = w + k, H = h + k;
  // The row sums of each coverage row over k pixels, then a running column sum over k rows.
  std::unique_ptr<uint32_t[]> rows = scratch<uint32_t>(size_t(h) * size_t(W));
  std::unique_ptr<uint32_t[]> column = scratch<uint32_t>(size_t(W));
  // Each row sum is the difference of two prefix sums k apart: one running addition a pixel (four
  // rows side by side, so that the additions do not wait on each other), the rest in whole vectors.
  constexpr int32_t kLanes = 4;
  std::unique_ptr<uint32_t[]> prefix = scratch<uint32_t>(size_t(kLanes) * (size_t(W) + 1));
  std::unique_ptr<uint8_t[]> blank = scratch<uint8_t>(size_t(w) + 1);
  if (!rows || !column || !prefix || !blank) return ERR_MEM;
  for (int32_t y = 0; y < h; y += kLanes) {
    const uint8_t* c[kLanes];
    uint32_t* p[kLanes];
    for (int32_t i = 0; i < kLanes; ++i) {
      c[i] = y + i < h ? coverage + ptrdiff_t(y + i) * stride : blank.get();
      p[i] = prefix.get() + size_t(i) * (size_t(W) + 1);
    }
    uint32_t a0 = 0, a1 = 0, a2 = 0, a3 = 0;
    for (int32_t x = 0; x < w; ++x) {
      p[0][x + 1] = a0 += c[0][x];
      p[1][x + 1] = a1 += c[1][x];
      p[2][x + 1] = a2 += c[2][x];
      p[3][x + 1] = a3 += c[3][x];
    }
    const uint32_t ends[kLanes] = {a0, a1, a2, a3};
    for (int32_t i = 0; i < kLanes && y + i < h; ++i) {
      p[i][0] = 0;
      std::fill(p[i] + w + 1, p[i] + W + 1, ends[i]);
      row_sum(p[i], W, k, rows.get() + size_t(y + i) * size_t(W));
    }
  }
  uint32_t* sum = column.get();
  for (int32_t y = 0; y < H; ++y) {
    const uint32_t* add = y < h ? rows.get() + size_t(y) * size_t(W) : nullptr;
    const uint32_t* sub = y >= k && y - k < h ? rows.get() + size_t(y - k) * size_t(W) : nullptr;
    column_step(sum, add, sub, W, k, out + ptrdiff_t(y) * out_stride);
  }
  return 0;
}

int32_t text_mask_dilate(const qmMask* in, int32_t w, int32_t h, int32_t s, qmMask* out) {
  const int32_t k = 2 * s + 1;
  const int32_t W = w + k, H = h + k;
  const int32_t count = (W + kWordBits - 1) / kWordBits;
  std::unique_ptr<Word[]> rows = scratch<Word>(size_t(H) * size_t(count));
  if (!rows) return ERR_MEM;
  // Across: each row ORed with itself moved right by 1, 2, 4, ... pixels until it spans k.
  for (int32_t y = 0; y < h; ++y) {
    Word* r = rows.get() + size_t(y) * size_t(count);
    load_row(in->data + ptrdiff_t(y) * in->bytes_per_row, w, r, count);
    for (int32_t span = 1; span < k;) {
      const int32_t step = std::min(span, k - span);
      or_shifted(r, count, step);
      span += step;
    }
  }
  // Down: the same doubling over whole rows, from the bottom so that each row reads rows above
  // it that are not yet changed in this step.
  for (int32_t span = 1; span < k;) {
    const int32_t step = std::min(span, k - span);
    for (int32_t y = H - 1; y >= step; --y) {
      Word* r = rows.get() + size_t(y) * size_t(count);
      const Word* above = rows.get() + size_t(y - step) * size_t(count);
      for (int32_t j = 0; j < count; ++j) r[j] |= above[j];
    }
    span += step;
  }
  std::memset(out->data, 0, size_t(out->bytes_per_row) * size_t(out->height));
  for (int32_t y = 0; y < std::min(H, out->height); ++y)
    store_row(rows.get() + size_t(y) * size_t(count), std::min(W, out->width),
              out->data + ptrdiff_t(y) * out->bytes_per_row);
  return 0;
}

void text_coverage_to_alpha(const uint8_t* cells, int32_t stride, int32_t w, int32_t h, qmAlphaChannel* target,
                            int32_t x, int32_t y, uint8_t transparency) {
  int32_t sx = 0, sy = 0;
  if (x < 0) sx = -x, w += x, x = 0;
  if (y < 0) sy = -y, h += y, y = 0;
  w = std::min(w, target->width - x);
  h = std::min(h, target->height - y);
  const int32_t level = 255 - transparency;
  for (int32_t row = 0; row < h; ++row) {
    const uint8_t* c = cells + ptrdiff_t(sy + row) * stride + sx;
    uint8_t* a = target->data + ptrdiff_t(y + row) * target->bytes_per_row + x;
    for (int32_t col = 0; col < w; ++col)
      if (c[col]) a[col] = transparency ? uint8_t(c[col] * level / 255) : c[col];
  }
}

}  // namespace qm
