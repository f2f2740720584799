#include "magick.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

namespace qmtest {

bool have_tool(const std::string& name) {
  std::string cmd = "command -v " + name + " >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

bool write_ppm(const std::string& path, const RgbImage& img) {
  std::ofstream f(path, std::ios::binary);
  f << "P6\n" << img.width << " " << img.height << "\n255\n";
  f.write(reinterpret_cast<const char*>(img.rgb.data()),
          static_cast<std::streamsize>(img.rgb.size()));
  return static_cast<bool>(f);
}

namespace {

std::string next_token(std::istream& in) {
  std::string t;
  while (in >> t) {
    if (t[0] == '#') {
      std::string rest;
      std::getline(in, rest);
      continue;
    }
    return t;
  }
  return "";
}

}  // namespace

bool read_pnm(const std::string& path, RgbaImage& out) {
  std::ifstream f(path, std::ios::binary);
  std::string magic = next_token(f);
  int maxval = 0;
  if (magic == "P6") {
    out.width = std::stoi(next_token(f));
    out.height = std::stoi(next_token(f));
    maxval = std::stoi(next_token(f));
    out.channels = 3;
  } else if (magic == "P7") {
    out.channels = 0;
    for (std::string t = next_token(f); t != "ENDHDR" && !t.empty(); t = next_token(f)) {
      if (t == "WIDTH") out.width = std::stoi(next_token(f));
      if (t == "HEIGHT") out.height = std::stoi(next_token(f));
      if (t == "DEPTH") out.channels = std::stoi(next_token(f));
      if (t == "MAXVAL") maxval = std::stoi(next_token(f));
      if (t == "TUPLTYPE") next_token(f);
    }
  } else {
    return false;
  }
  if (maxval != 255 || out.channels < 3) return false;
  f.get();  // the single whitespace after the header
  out.data.assign(static_cast<size_t>(out.width) * out.height * out.channels, 0);
  f.read(reinterpret_cast<char*>(out.data.data()), static_cast<std::streamsize>(out.data.size()));
  return static_cast<bool>(f);
}

bool run_tool(const std::string& command_line, const RgbImage& img, RgbaImage& out,
              const std::string& out_ext) {
  char dir[] = "/tmp/qmgfxXXXXXX";
  if (mkdtemp(dir) == nullptr) return false;
  std::string in = std::string(dir) + "/in.ppm", result = std::string(dir) + "/out." + out_ext;
  bool ok = write_ppm(in, img);
  std::string cmd = command_line;
  for (auto [key, val] : {std::pair<std::string, std::string>{"{in}", in}, {"{out}", result}})
    for (size_t p = cmd.find(key); p != std::string::npos; p = cmd.find(key))
      cmd.replace(p, key.size(), val);
  ok = ok && std::system(cmd.c_str()) == 0 && read_pnm(result, out);
  std::remove(in.c_str());
  std::remove(result.c_str());
  rmdir(dir);
  return ok;
}

double psnr(const RgbaImage& a, const RgbaImage& b, int x0, int y0, int x1, int y1) {
  double se = 0;
  long n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      for (int c = 0; c < 3; ++c) {
        double d = double(a.data[(size_t(y) * a.width + x) * a.channels + c]) -
                   double(b.data[(size_t(y) * b.width + x) * b.channels + c]);
        se += d * d;
        ++n;
      }
  if (se == 0) return std::numeric_limits<double>::infinity();
  return 10.0 * std::log10(255.0 * 255.0 / (se / n));
}

}  // namespace qmtest

#include "gfx/bitmap.h"

namespace qmtest {

qm::qmBitmap* bitmap_from_rgb(const RgbImage& img) {
  qm::qmBitmap* bm = qm::qmos_alloc_bitmap(img.width, img.height);
  if (bm == nullptr) return nullptr;
  const int ppr = bm->bytes_per_row / 4;
  std::vector<uint32_t> words = to_format11(img, ppr);
  std::copy(words.begin(), words.end(), bm->pixels);
  return bm;
}

RgbaImage rgba_from_bitmap(const qm::qmBitmap* bm, const qm::qmMask* mask,
                           const qm::qmAlphaChannel* alpha) {
  RgbaImage out;
  out.width = bm->width, out.height = bm->height;
  out.channels = (mask != nullptr || alpha != nullptr) ? 4 : 3;
  out.data.resize(size_t(out.width) * out.height * out.channels);
  const int ppr = bm->bytes_per_row / 4;
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      uint32_t w = bm->pixels[size_t(y) * ppr + x];
      uint8_t* p = &out.data[(size_t(y) * out.width + x) * out.channels];
      p[0] = uint8_t(w >> 8), p[1] = uint8_t(w >> 16), p[2] = uint8_t(w >> 24);
      if (alpha != nullptr) p[3] = alpha->data[size_t(y) * alpha->bytes_per_row + x];
      if (mask != nullptr)
        p[3] = qm::mask_bit(mask->data + size_t(y) * mask->bytes_per_row, x) ? 255 : 0;
    }
  return out;
}

RgbImage rgb_of(const RgbaImage& img) {
  RgbImage out;
  out.width = img.width, out.height = img.height;
  out.rgb.resize(size_t(img.width) * img.height * 3);
  for (size_t i = 0; i < size_t(img.width) * img.height; ++i)
    for (int c = 0; c < 3; ++c) out.rgb[i * 3 + c] = img.data[i * img.channels + c];
  return out;
}

}  // namespace qmtest
