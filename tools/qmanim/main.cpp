// qmanim: opens an anim file through the player's anim driver, so that outside tools can judge
// what the player reads.
//   qmanim [--out PREFIX] FILE [N...]  prints the kind, size, frame count and every frame's delay
//                                      in milliseconds, and writes frame N (from 0) as the PAM
//                                      file PREFIX-N.pam (RGB_ALPHA with alpha 255; PREFIX
//                                      defaults to "frame")
//   qmanim --decode-all FILE           decodes every frame in order and writes nothing
//   qmanim --encode RAW WxH OUT.avi    writes the frames of RAW (W x H pixels of bytes B, G, R, 0
//                                      each, as ffmpeg's bgr0) through the player's AVI writer at
//                                      25 fps and quality 90
//   qmanim --jpeg-only RAW WxH         encodes the same frames as JPEGs with the same settings and
//                                      keeps nothing: the writer's time without its container
// Delays are asked after the frames are read (some readers learn them while decoding).
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <turbojpeg.h>

#include "anim/anim.h"
#include "anim/aviwriter.h"
#include "gfx/bitmap.h"
#include "engine/errcodes.h"
#include "runtime/os/qmos.h"

namespace {

const char* kKinds[] = {"?", "iff-anim", "gif", "avi", "platform", "plug-in"};

int usage() {
  std::fprintf(stderr,
               "usage: qmanim [--out PREFIX] FILE [N...]\n       qmanim --decode-all FILE\n"
               "       qmanim --encode RAW WxH OUT.avi\n       qmanim --jpeg-only RAW WxH\n");
  return 2;
}

bool parse_size(const char* s, int32_t* w, int32_t* h) {
  char* end = nullptr;
  const long a = std::strtol(s, &end, 10);
  if (end == s || *end != 'x') return false;
  const char* rest = end + 1;
  const long b = std::strtol(rest, &end, 10);
  if (end == rest || *end || a < 1 || b < 1 || a > 65535 || b > 65535) return false;
  *w = int32_t(a);
  *h = int32_t(b);
  return qm::picture_size_allowed(a, b);
}

// Reads the raw frames one by one into a bitmap and hands each to frame(); 0 or 1.
template <typename Frame>
int each_raw_frame(const char* raw, int32_t w, int32_t h, Frame frame) {
  FILE* in = std::fopen(raw, "rb");
  if (!in) {
    std::fprintf(stderr, "qmanim: %s: cannot open\n", raw);
    return 1;
  }
  qm::qmBitmap* bm = qm::qmos_alloc_bitmap(w, h);
  std::vector<uint32_t> row(static_cast<size_t>(w));
  int status = bm ? 0 : 1;
  for (bool more = bm != nullptr; more && status == 0;) {
    qm::qmBitmapLock lock{};
    qm::qmos_lock_bitmap(bm, &lock);
    for (int32_t y = 0; y < h && more; ++y) {
      if (std::fread(row.data(), 4, size_t(w), in) != size_t(w)) {
        more = false;
        if (y) {
          std::fprintf(stderr, "qmanim: %s: a frame is cut short\n", raw);
          status = 1;
        }
        break;
      }
      // bgr0 words read as 0x00RRGGBB; the bitmap keeps bytes X, R, G, B.
      uint32_t* out = lock.pixels + size_t(y) * size_t(lock.pixels_per_row);
      if (lock.format == qm::PIXFMT_BGRX)
        for (int32_t x = 0; x < w; ++x) out[x] = __builtin_bswap32(row[size_t(x)]);
      else
        std::memcpy(out, row.data(), size_t(w) * 4);
    }
    qm::qmos_unlock_bitmap(&lock);
    if (more && status == 0) status = frame(bm);
  }
  qm::qmos_free_bitmap(bm);
  std::fclose(in);
  return status;
}

int encode(const char* raw, int32_t w, int32_t h, const char* out) {
  qm::qmAviWriter* avi = nullptr;
  if (int32_t rc = qm::avi_create(out, 25, w, h, 90, out, &avi)) {
    std::fprintf(stderr, "qmanim: %s: cannot be written (error %d)\n", out, rc);
    return 1;
  }
  int status = each_raw_frame(raw, w, h, [&](const qm::qmBitmap* bm) {
    const int32_t rc = qm::avi_write_frame(avi, bm, w, h);
    if (rc) std::fprintf(stderr, "qmanim: frame %d: error %d\n", qm::avi_info(avi).frames, rc);
    return rc ? 1 : 0;
  });
  const int32_t frames = qm::avi_info(avi).frames;
  if (int32_t rc = qm::avi_finish(avi)) {
    std::fprintf(stderr, "qmanim: %s: cannot be completed (error %d)\n", out, rc);
    status = 1;
  }
  if (status == 0) std::printf("frames %d\n", frames);
  return status;
}

int jpeg_only(const char* raw, int32_t w, int32_t h) {
  tjhandle tj = tjInitCompress();
  if (!tj) return 1;
  int32_t frames = 0;
  const int status = each_raw_frame(raw, w, h, [&](const qm::qmBitmap* bm) {
    qm::qmBitmapLock lock{};
    qm::qmos_lock_bitmap(bm, &lock);
    unsigned char* jpeg = nullptr;
    unsigned long len = 0;
    const int rc = tjCompress2(tj, reinterpret_cast<const unsigned char*>(lock.pixels), w,
                               lock.pixels_per_row * 4, h,
                               lock.format == qm::PIXFMT_BGRX ? TJPF_XRGB : TJPF_BGRX, &jpeg, &len,
                               TJSAMP_420, 90, 0);
    qm::qmos_unlock_bitmap(&lock);
    if (jpeg) tjFree(jpeg);
    ++frames;
    return rc ? 1 : 0;
  });
  tjDestroy(tj);
  if (status == 0) std::printf("frames %d\n", frames);
  return status;
}

bool parse_index(const char* s, int32_t* out) {
  char* end = nullptr;
  long v = std::strtol(s, &end, 10);
  if (!*s || *end || v < 0 || v > INT32_MAX) return false;
  *out = int32_t(v);
  return true;
}

bool write_pam(const std::string& path, const uint32_t* px, int32_t w, int32_t h) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fprintf(f, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", w,
               h);
  std::vector<uint8_t> row(size_t(w) * 4);
  bool ok = true;
  for (int32_t y = 0; y < h && ok; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      uint32_t p = px[size_t(y) * size_t(w) + size_t(x)];
      row[4 * size_t(x)] = uint8_t(p >> 16);
      row[4 * size_t(x) + 1] = uint8_t(p >> 8);
      row[4 * size_t(x) + 2] = uint8_t(p);
      row[4 * size_t(x) + 3] = 255;
    }
    ok = std::fwrite(row.data(), 1, row.size(), f) == row.size();
  }
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit then fails the write instead of killing the tool.
  std::signal(SIGXFSZ, SIG_IGN);
  bool decode_all = false;
  std::string prefix = "frame";
  if (argc >= 2 && (std::strcmp(argv[1], "--encode") == 0 || std::strcmp(argv[1], "--jpeg-only") == 0)) {
    const bool full = argv[1][2] == 'e';
    int32_t w = 0, h = 0;
    if (argc != (full ? 5 : 4) || !parse_size(argv[3], &w, &h)) return usage();
    return full ? encode(argv[2], w, h, argv[4]) : jpeg_only(argv[2], w, h);
  }
  int i = 1;
  for (; i < argc && argv[i][0] == '-' && argv[i][1] == '-'; ++i) {
    std::string opt = argv[i];
    if (opt == "--decode-all")
      decode_all = true;
    else if (opt == "--out" && i + 1 < argc)
      prefix = argv[++i];
    else
      return usage();
  }
  if (i >= argc) return usage();
  std::string name;
  if (!qmos_utf8_to_latin1(argv[i], &name)) name = argv[i];
  std::vector<int32_t> wanted;
  for (int j = i + 1; j < argc; ++j) {
    int32_t n = 0;
    if (decode_all || !parse_index(argv[j], &n)) return usage();
    wanted.push_back(n);
  }

  qm::qmAnimFile* anim = nullptr;
  int32_t w = 0, h = 0, frames = 0;
  if (int32_t err = qm::qmos_open_anim(name.c_str(), &anim, &w, &h, &frames)) {
    std::fprintf(stderr, "qmanim: %s: cannot open (error %d)\n", argv[i], err);
    return 1;
  }
  int status = 0;
  if (decode_all) {
    for (int32_t n = 0; n < frames; ++n) {
      uint32_t* px = qm::qmos_load_frame(anim, n);
      if (!px) {
        std::fprintf(stderr, "qmanim: frame %d: cannot be loaded (error %d)\n", n,
                     qm::ERR_LOADFRAME);
        status = 1;
      }
      qm::qmos_free_anim_frame(anim, px);
    }
    qm::qmos_close_anim(anim);
    return status;
  }
  for (int32_t n : wanted) {
    uint32_t* px = n < frames ? qm::qmos_load_frame(anim, n) : nullptr;
    if (!px) {
      std::fprintf(stderr, "qmanim: frame %d: cannot be loaded (error %d)\n", n, qm::ERR_LOADFRAME);
      status = 1;
      continue;
    }
    std::string path = prefix + "-" + std::to_string(n) + ".pam";
    if (!write_pam(path, px, w, h)) {
      std::fprintf(stderr, "qmanim: %s: cannot be written\n", path.c_str());
      status = 1;
    }
    qm::qmos_free_anim_frame(anim, px);
  }
  const int32_t kind = anim->kind >= 1 && anim->kind <= 5 ? anim->kind : 0;
  std::printf("kind %s\nsize %dx%d\nframes %d\ndelays", kKinds[kind], w, h, frames);
  for (int32_t n = 0; n < frames; ++n) std::printf(" %d", qm::qmos_anim_frame_delay(anim, n));
  std::printf("\n");
  qm::qmos_close_anim(anim);
  return status;
}
