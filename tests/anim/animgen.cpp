#include "tests/anim/animgen.h"

#include <algorithm>
#include <cstdio>

namespace animgen {

namespace {

using Bytes = std::vector<uint8_t>;

void be32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(uint8_t(v >> s));
}
void be16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v >> 8));
  b.push_back(uint8_t(v));
}
void id(Bytes& b, const char* s) {
  b.insert(b.end(), s, s + 4);
}

void chunk(Bytes& b, const char* name, const Bytes& data) {
  id(b, name);
  be32(b, uint32_t(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  if (data.size() & 1) b.push_back(0);
}

int32_t row_bytes(int32_t width) {
  return ((width + 15) / 16) * 2;
}

// Plane after plane, each `height` rows.
Bytes to_planar(const Options& o, const std::vector<uint8_t>& px) {
  const int32_t rb = row_bytes(o.width);
  Bytes planar(size_t(rb) * o.height * o.planes, 0);
  for (int32_t p = 0; p < o.planes; ++p)
    for (int32_t y = 0; y < o.height; ++y)
      for (int32_t x = 0; x < o.width; ++x)
        if ((px[size_t(y) * o.width + x] >> p) & 1)
          planar[(size_t(p) * o.height + y) * rb + x / 8] |= uint8_t(0x80 >> (x % 8));
  return planar;
}

// ByteRun1: runs of three or more equal bytes as repeats, the rest as literals.
void pack_row(Bytes& out, const uint8_t* row, int32_t n) {
  int32_t i = 0;
  while (i < n) {
    int32_t run = 1;
    while (i + run < n && run < 128 && row[i + run] == row[i]) ++run;
    if (run >= 3) {
      out.push_back(uint8_t(1 - run));
      out.push_back(row[i]);
      i += run;
      continue;
    }
    int32_t lit = 0;
    while (i + lit < n && lit < 128) {
      if (i + lit + 2 < n && row[i + lit] == row[i + lit + 1] && row[i + lit] == row[i + lit + 2])
        break;
      ++lit;
    }
    out.push_back(uint8_t(lit - 1));
    out.insert(out.end(), row + i, row + i + lit);
    i += lit;
  }
}

Bytes body(const Options& o, const Bytes& planar) {
  const int32_t rb = row_bytes(o.width);
  Bytes out;
  for (int32_t y = 0; y < o.height; ++y)
    for (int32_t p = 0; p < o.planes; ++p) {
      const uint8_t* row = &planar[(size_t(p) * o.height + y) * rb];
      if (o.byterun1)
        pack_row(out, row, rb);
      else
        out.insert(out.end(), row, row + rb);
    }
  return out;
}

// One column's ops: skips over unchanged rows, runs of three or more equal values, literals.
// A column never takes more than 255 ops: near the limit the rest goes as literals.
void encode_column(Bytes& out, const std::vector<uint8_t>& want, const std::vector<uint8_t>& have,
                   bool xor_mode) {
  const int32_t h = int32_t(want.size());
  auto value = [&](int32_t r) { return xor_mode ? uint8_t(want[r] ^ have[r]) : want[r]; };
  auto same = [&](int32_t r) { return want[r] == have[r]; };
  Bytes ops;
  int32_t count = 0, r = 0;
  while (r < h) {
    if (count < 250 && same(r)) {
      int32_t n = 0;
      while (r + n < h && n < 127 && same(r + n)) ++n;
      if (r + n == h) break;  // nothing left to change
      ops.push_back(uint8_t(n));
      r += n;
      ++count;
      continue;
    }
    int32_t run = 1;
    while (r + run < h && run < 255 && value(r + run) == value(r)) ++run;
    if (count < 250 && run >= 3) {
      ops.push_back(0);
      ops.push_back(uint8_t(run));
      ops.push_back(value(r));
      r += run;
      ++count;
      continue;
    }
    int32_t lit = 0;
    while (r + lit < h && lit < 127) {
      if (count < 250 && lit > 0 && same(r + lit)) break;
      ++lit;
    }
    ops.push_back(uint8_t(0x80 | lit));
    for (int32_t i = 0; i < lit; ++i) ops.push_back(value(r + i));
    r += lit;
    ++count;
  }
  out.push_back(uint8_t(count));
  out.insert(out.end(), ops.begin(), ops.end());
}

Bytes delta(const Options& o, const Bytes& want, const Bytes& have) {
  const int32_t rb = row_bytes(o.width);
  const size_t plane = size_t(rb) * o.height;
  Bytes d(64, 0);
  for (int32_t p = 0; p < o.planes; ++p) {
    if (std::equal(want.begin() + p * plane, want.begin() + (p + 1) * plane,
                   have.begin() + p * plane))
      continue;
    const uint32_t at = uint32_t(d.size());
    for (int s = 0; s < 4; ++s) d[4 * p + s] = uint8_t(at >> (24 - 8 * s));
    std::vector<uint8_t> w(o.height), h(o.height);
    for (int32_t c = 0; c < rb; ++c) {
      for (int32_t y = 0; y < o.height; ++y) {
        w[y] = want[p * plane + size_t(y) * rb + c];
        h[y] = have[p * plane + size_t(y) * rb + c];
      }
      encode_column(d, w, h, o.interleave == 1);
    }
  }
  return d;
}

Bytes anhd(const Options& o, int32_t operation, uint32_t jiffies) {
  Bytes a;
  a.push_back(uint8_t(operation));
  a.push_back(0);
  be16(a, o.width);
  be16(a, o.height);
  be16(a, 0);
  be16(a, 0);
  be32(a, 0);
  be32(a, jiffies);
  a.push_back(uint8_t(o.interleave));
  a.push_back(0);
  be32(a, o.interleave == 1 ? 2 : 0);  // bit 1: exclusive or
  a.resize(40, 0);
  return a;
}

Bytes cmap(const std::vector<uint32_t>& colours) {
  Bytes c;
  for (uint32_t v : colours) {
    c.push_back(uint8_t(v >> 16));
    c.push_back(uint8_t(v >> 8));
    c.push_back(uint8_t(v));
  }
  return c;
}

}  // namespace

std::vector<uint8_t> write(const Options& o, const std::vector<Frame>& frames) {
  Bytes file;
  id(file, "FORM");
  be32(file, 0);
  id(file, "ANIM");

  std::vector<Bytes> planar;
  for (const Frame& f : frames) planar.push_back(to_planar(o, f.pixels));

  // The first frame.
  Bytes first;
  id(first, "ILBM");
  Bytes bmhd;
  be16(bmhd, o.width);
  be16(bmhd, o.height);
  be32(bmhd, 0);
  bmhd.push_back(uint8_t(o.planes));
  bmhd.push_back(0);
  bmhd.push_back(o.byterun1 ? 1 : 0);
  bmhd.push_back(0);
  be16(bmhd, 0);
  bmhd.push_back(10);
  bmhd.push_back(11);
  be16(bmhd, o.width);
  be16(bmhd, o.height);
  chunk(first, "BMHD", bmhd);
  chunk(first, "ANHD", anhd(o, 0, frames[0].jiffies));
  if (o.camg) {
    Bytes c;
    be32(c, o.camg);
    chunk(first, "CAMG", c);
  }
  if (!frames[0].cmap.empty()) chunk(first, "CMAP", cmap(frames[0].cmap));
  if (o.dpan) {
    Bytes d;
    be16(d, 4);
    be16(d, uint32_t(frames.size()));
    be32(d, 0);
    chunk(first, "DPAN", d);
  }
  chunk(first, "BODY", body(o, planar[0]));
  const size_t first_at = file.size();
  id(file, "FORM");
  be32(file, uint32_t(first.size()));
  file.insert(file.end(), first.begin(), first.end());

  for (size_t k = 1; k < frames.size(); ++k) {
    // The decoder's buffers: with interleave 0 the frame two back (frame 0 for frame 1).
    const Bytes& base = o.interleave == 0 ? planar[k >= 2 ? k - 2 : 0] : planar[k - 1];
    Bytes form;
    id(form, "ILBM");
    chunk(form, "ANHD", anhd(o, o.operation, frames[k].jiffies));
    if (!frames[k].cmap.empty()) chunk(form, "CMAP", cmap(frames[k].cmap));
    chunk(form, "DLTA", delta(o, planar[k], base));
    chunk(file, "FORM", form);
  }
  const uint32_t total = uint32_t(file.size() - 8);
  for (int s = 0; s < 4; ++s) file[4 + s] = uint8_t(total >> (24 - 8 * s));
  if (o.first_form_covers_all) {
    const uint32_t rest = uint32_t(file.size() - first_at - 8);
    for (int s = 0; s < 4; ++s) file[first_at + 4 + s] = uint8_t(rest >> (24 - 8 * s));
  }
  return file;
}

bool save(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

std::vector<std::vector<uint32_t>> expected_rgb(const Options& o,
                                                const std::vector<Frame>& frames) {
  std::vector<std::vector<uint32_t>> out;
  uint32_t palette[256] = {};
  const bool ham = o.camg & 0x800, ehb = o.camg & 0x80;
  for (const Frame& f : frames) {
    for (size_t i = 0; i < f.cmap.size() && i < 256; ++i) palette[i] = f.cmap[i];
    if (ehb)
      for (int i = 0; i < 32; ++i) palette[32 + i] = (palette[i] >> 1) & 0x7F7F7F;
    std::vector<uint32_t> rgb(f.pixels.size());
    const int bits = o.planes > 6 ? 6 : 4;
    for (int32_t y = 0; y < o.height; ++y) {
      uint32_t r = 0, g = 0, b = 0;
      for (int32_t x = 0; x < o.width; ++x) {
        const uint32_t v = f.pixels[size_t(y) * o.width + x];
        if (!ham) {
          rgb[size_t(y) * o.width + x] = palette[v];
          continue;
        }
        const uint32_t c = (v & ((1u << bits) - 1)) << (8 - bits);
        switch (v >> bits) {
          case 0:
            r = palette[v] >> 16 & 255, g = palette[v] >> 8 & 255, b = palette[v] & 255;
            break;
          case 1:
            b = c;
            break;
          case 2:
            r = c;
            break;
          default:
            g = c;
            break;
        }
        rgb[size_t(y) * o.width + x] = r << 16 | g << 8 | b;
      }
    }
    out.push_back(std::move(rgb));
  }
  return out;
}

std::vector<Frame> moving_squares(int32_t width, int32_t height, int32_t planes, int32_t count,
                                  uint32_t seed) {
  std::vector<Frame> frames(static_cast<size_t>(count));
  const uint32_t colours = 1u << planes;
  for (int32_t k = 0; k < count; ++k) {
    Frame& f = frames[size_t(k)];
    f.pixels.resize(size_t(width) * height);
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x)
        f.pixels[size_t(y) * width + x] = uint8_t((y / 4) % colours);
    uint32_t s = seed;
    for (int32_t q = 0; q < 6; ++q) {
      s = s * 1103515245u + 12345u;
      const int32_t side = 8 + int32_t(s >> 16) % 24;
      const int32_t x0 = int32_t((s >> 8) % uint32_t(width) + uint32_t(k) * (q + 1)) % width;
      const int32_t y0 = int32_t((s >> 20) % uint32_t(height) + uint32_t(k) * (q % 3 + 1)) % height;
      const uint8_t v = uint8_t((s >> 4) % colours);
      for (int32_t y = y0; y < std::min(height, y0 + side); ++y)
        for (int32_t x = x0; x < std::min(width, x0 + side); ++x)
          f.pixels[size_t(y) * width + x] = v;
    }
    f.jiffies = 2 + uint32_t(k % 3);
  }
  frames[0].cmap.resize(colours > 256 ? 256 : colours);
  for (uint32_t i = 0; i < frames[0].cmap.size(); ++i)
    frames[0].cmap[i] = (i * 37 % 256) << 16 | (i * 91 % 256) << 8 | (i * 13 % 256);
  return frames;
}

}  // namespace animgen
