// The anim readers against ffmpeg, in one run: qmanim --decode-all (every frame through the
// driver, nothing written) and ffmpeg decoding the same file to /dev/null, each timed by
// hyperfine over 5 runs. Files: a 320 x 256, 8-plane, 500-frame op-5 IFF ANIM from our
// generator and a 640 x 480, 1000-frame Motion JPEG AVI from ffmpeg. The ratio is ffmpeg's time
// over ours (at least 1.0 is the goal). Also printed: random access to frame 900 of the AVI with
// its idx1 and, stripped of it, by scanning. Then the real player (headless) shows each frame of
// the same AVI opened from disk with DisplayAnimFrame, no pacing, beside the same ffmpeg decode
// (goal at least 0.8).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "anim/readers.h"
#include "bench/anim/hyperfine.h"
#include "gfx/bitmap.h"
#include "tests/anim/animgen.h"

namespace {

using animbench::hyperfine;
using animbench::sh;

void report(const char* what, double ours, double theirs) {
  std::printf("%-34s ours %8.1f ms  ffmpeg %8.1f ms  ratio %.2f (goal at least 1.0)\n", what,
              ours * 1e3, theirs * 1e3, ours > 0 ? theirs / ours : 0.0);
}

// The AVI without its idx1 (the last chunk ffmpeg writes), the RIFF size patched.
bool strip_idx1(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::vector<char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t at = 12;
  while (at + 8 <= b.size()) {
    uint32_t size = uint8_t(b[at + 4]) | uint8_t(b[at + 5]) << 8 | uint8_t(b[at + 6]) << 16 |
                    uint32_t(uint8_t(b[at + 7])) << 24;
    if (std::string(&b[at], 4) == "idx1") {
      b.resize(at);
      uint32_t riff = uint32_t(b.size() - 8);
      for (int i = 0; i < 4; ++i) b[4 + i] = char(riff >> (8 * i));
      std::ofstream out(to, std::ios::binary);
      out.write(b.data(), std::streamsize(b.size()));
      return bool(out);
    }
    at += 8 + size + (size & 1);
  }
  return false;
}

double frame_900_ms(const std::string& file) {
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    auto t0 = std::chrono::steady_clock::now();
    qm::qmAviReader* r = nullptr;
    int32_t w, h, n;
    if (qm::avi_open(file.c_str(), &r, &w, &h, &n)) return -1;
    uint32_t* px = qm::avi_load_frame(r, 900);
    if (!px) return -1;
    qm::qmos_free_pixels(px);
    qm::avi_close(r);
    std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
    best = std::min(best, d.count() * 1e3);
  }
  return best;
}

}  // namespace

int main() {
  const std::string dir = "bench_anim_formats_files";
  sh("rm -rf " + dir + " && mkdir -p " + dir);
  const std::string anim = dir + "/a.anim", avi = dir + "/m.avi", scan = dir + "/scan.avi";
  const std::string qmanim = QM_QMANIM;

  animgen::Options o;
  o.width = 320, o.height = 256, o.planes = 8;
  if (!animgen::save(anim, animgen::write(o, animgen::moving_squares(320, 256, 8, 500, 7))) ||
      sh("ffmpeg -v error -y -f lavfi -i testsrc=size=640x480:rate=25 -frames:v 1000 -c:v mjpeg "
         "-q:v 3 " +
         avi) ||
      !strip_idx1(avi, scan)) {
    std::fprintf(stderr, "bench_anim_formats: cannot make the files (ffmpeg, hyperfine?)\n");
    return 1;
  }
  const std::string peer = "ffmpeg -threads 1 -v error -i ";
  const std::string sink = " -f rawvideo -pix_fmt bgr0 -y /dev/null";
  report("IFF ANIM 320x256x8, 500 frames",
         hyperfine(dir, "anim_ours", qmanim + " --decode-all " + anim),
         hyperfine(dir, "anim_ffmpeg", peer + anim + sink));
  report("MJPEG AVI 640x480, 1000 frames",
         hyperfine(dir, "avi_ours", qmanim + " --decode-all " + avi),
         hyperfine(dir, "avi_ffmpeg", peer + avi + sink));
  {
    // LoadAnim(1, "m.avi", {fromdisk = True})  For i = 1 To 1000  DisplayAnimFrame(1, 0, 0, i)  Next
    std::ofstream q(dir + "/show.qasm");
    q << ".maxstack 12\n"
         "  GETGLOBAL r0 \"loadanim\"\n  LOADK r1 #1\n  LOADK r2 \"m.avi\"\n  NEWTABLE r3 0 1\n"
         "  LOADBOOL r4 1 0\n  SETTABLE r3 \"fromdisk\" r4\n  CALL r0 4 1\n"
         "  LOADK r5 #1\n  LOADK r6 #1000\n  LOADK r7 #1\n  SUB r5 r5 r7\n  JMP @L1\n"
         "L2:\n"
         "  GETGLOBAL r0 \"displayanimframe\"\n  LOADK r1 #1\n  LOADK r2 #0\n  LOADK r3 #0\n  MOVE r4 r5\n"
         "  CALL r0 5 1\n"
         "L1:\n"
         "  FORLOOP r5 @L2\n"
         "  RETURN r0 1\n";
  }
  if (sh(std::string(QM_QMASM) + " " + dir + "/show.qasm -o " + dir + "/show.qmb")) {
    std::fprintf(stderr, "bench_anim_formats: cannot assemble the player program\n");
    return 1;
  }
  const std::string player = "env -C " + dir + " SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy " +
                             std::string(QM_PLAYER) + " -quiet show.qmb";
  const double shown = hyperfine(dir, "show_ours", player);
  const double decoded = hyperfine(dir, "show_ffmpeg", peer + avi + sink);
  std::printf("%-34s ours %8.1f ms  ffmpeg %8.1f ms  ratio %.2f (goal at least 0.8)\n",
              "DisplayAnimFrame, 1000 from disk", shown * 1e3, decoded * 1e3, shown > 0 ? decoded / shown : 0.0);
  std::printf("AVI frame 900 from a fresh open: with idx1 %.2f ms, by scanning %.2f ms\n",
              frame_900_ms(avi), frame_900_ms(scan));
  sh("rm -rf " + dir);
  return 0;
}
