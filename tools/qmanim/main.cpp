// qmanim: opens an anim file through the player's anim driver, so that outside tools can judge
// what the player reads.
//   qmanim [--out PREFIX] FILE [N...]  prints the kind, size, frame count and every frame's delay
//                                      in milliseconds, and writes frame N (from 0) as the PAM
//                                      file PREFIX-N.pam (RGB_ALPHA with alpha 255; PREFIX
//                                      defaults to "frame")
//   qmanim --decode-all FILE           decodes every frame in order and writes nothing
// Delays are asked after the frames are read (some readers learn them while decoding).
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "anim/anim.h"
#include "engine/errcodes.h"
#include "runtime/os/qmos.h"

namespace {

const char* kKinds[] = {"?", "iff-anim", "gif", "avi", "platform", "plug-in"};

int usage() {
  std::fprintf(stderr,
               "usage: qmanim [--out PREFIX] FILE [N...]\n       qmanim --decode-all FILE\n");
  return 2;
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
