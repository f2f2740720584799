// Writing anims against ffmpeg, in one run, each timed by hyperfine over 5 runs: 1000 frames of
// 640 x 480 raw pixels (bytes B, G, R, 0) through the player's AVI writer (qmanim --encode, quality
// 90) and through ffmpeg's Motion JPEG encoder on one thread (-q:v 3) into an AVI. The ratio is
// ffmpeg's time over ours (at least 1.0 is the goal). The container's share of our time is our
// time less that of encoding the same frames to JPEG alone (qmanim --jpeg-only), over our time
// (under 5% is the goal).
#include <cstdio>
#include <string>

#include "bench/anim/hyperfine.h"

using animbench::hyperfine;
using animbench::sh;

int main() {
  const std::string dir = "bench_anim_files";
  sh("rm -rf " + dir + " && mkdir -p " + dir);
  const std::string raw = dir + "/frames.raw";
  const std::string qmanim = QM_QMANIM;
  if (sh("ffmpeg -v error -y -f lavfi -i testsrc=size=640x480:rate=25 -frames:v 1000 "
         "-f rawvideo -pix_fmt bgr0 " + raw)) {
    std::fprintf(stderr, "bench_anim: cannot make the frames (ffmpeg, hyperfine?)\n");
    return 1;
  }
  const double ours = hyperfine(dir, "ours", qmanim + " --encode " + raw + " 640x480 " + dir +
                                                 "/ours.avi");
  const double jpeg = hyperfine(dir, "jpeg", qmanim + " --jpeg-only " + raw + " 640x480");
  const double theirs =
      hyperfine(dir, "ffmpeg",
                "ffmpeg -v error -y -threads 1 -f rawvideo -pix_fmt bgr0 -s 640x480 -r 25 -i " +
                    raw + " -c:v mjpeg -q:v 3 " + dir + "/ffmpeg.avi");
  std::printf("MJPEG AVI 640x480, 1000 frames: ours %8.1f ms  ffmpeg %8.1f ms  ratio %.2f "
              "(goal at least 1.0)\n",
              ours * 1e3, theirs * 1e3, ours > 0 ? theirs / ours : 0.0);
  std::printf("the container's share of our time: %.1f%% (goal under 5%%)\n",
              ours > 0 ? (ours - jpeg) / ours * 100 : 0.0);
  sh("rm -rf " + dir);
  return 0;
}
