// Ten minutes of the "effects" module (every effect, three looping positions) rendered as 48000 Hz
// 16-bit stereo into memory by our player, by libopenmpt (no interpolation, no ramping) and by
// libxmp (nearest sample), one after another in this run. Prints each as a multiple of real time
// and our speed over libopenmpt's (goal at least 1, 2 hoped for).
//   bench_mod               times, best of three runs each
//   bench_mod --callgrind   our instruction count inside the render calls instead (valgrind's
//                           callgrind: slow, but the same on a busy machine)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mod_peers.h"
#include "modgen.h"
#include "sound/modplayer.h"

namespace {

constexpr int32_t kSeconds = 600;
constexpr int32_t kBlock = 4800;

double best_seconds(const std::function<void()>& run) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    run();
    best = std::min(best,
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

void render_ours(const std::vector<uint8_t>& file, std::vector<int16_t>& out) {
  std::vector<uint8_t> image = file;
  size_t size = 0;
  if (qm::qmos_mod_open(nullptr, image.data(), image.size(), 48000, &size)) std::abort();
  std::unique_ptr<std::max_align_t[]> memory(
      new std::max_align_t[size / sizeof(std::max_align_t) + 1]);
  auto* player = reinterpret_cast<qm::qmModPlayer*>(memory.get());
  if (qm::qmos_mod_open(player, image.data(), image.size(), 48000, nullptr)) std::abort();
  for (int32_t done = 0; done < kSeconds * 48000; done += kBlock) {
    qm::qmos_mod_fill_buffer(player, out.data() + size_t(done % 48000) * 2, kBlock);
  }
}

// Our render calls under callgrind, counted from the first call to the last.
int count_instructions(const char* self) {
  char dir[] = "/tmp/bench_mod.XXXXXX";
  if (!mkdtemp(dir)) return 1;
  const std::string log = std::string(dir) + "/log";
  const std::string cmd =
      "valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*qmos_mod_fill_buffer*' "
      "--callgrind-out-file=" +
      std::string(dir) + "/out " + self + " --ours-only 2>" + log;
  const int status = std::system(cmd.c_str());
  FILE* f = std::fopen(log.c_str(), "r");
  char line[512];
  double count = 0;
  while (f && std::fgets(line, sizeof line, f)) {
    if (const char* at = std::strstr(line, "Collected :")) count = std::strtod(at + 11, nullptr);
  }
  if (f) std::fclose(f);
  std::system(("rm -rf " + std::string(dir)).c_str());
  if (status != 0 || count == 0) {
    std::fprintf(stderr, "bench_mod: callgrind gave no count (is valgrind installed?)\n");
    return 1;
  }
  std::printf("ours: %.1f million instructions for %d s (%.1f per frame)\n", count / 1e6, kSeconds,
              count / (double(kSeconds) * 48000));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<uint8_t> file = modgen::fixture("effects").build();
  std::vector<int16_t> out(2 * 48000 + 2 * kBlock);
  if (argc == 2 && std::strcmp(argv[1], "--ours-only") == 0) {
    render_ours(file, out);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--callgrind") == 0) return count_instructions(argv[0]);
  if (argc != 1) {
    std::fprintf(stderr, "usage: bench_mod [--callgrind]\n");
    return 2;
  }

  const double ours = best_seconds([&] { render_ours(file, out); });
  const double openmpt = best_seconds([&] {
    OpenMptPlayer peer(file);
    for (int32_t done = 0; done < kSeconds * 48000; done += kBlock)
      peer.render(out.data() + size_t(done % 48000) * 2, kBlock);
  });
  const double xmp = best_seconds([&] {
    XmpPlayer peer(file);
    for (int32_t done = 0; done < kSeconds * 48000; done += kBlock)
      peer.render(out.data() + size_t(done % 48000) * 2, kBlock);
  });
  std::printf("%d s of the effects module, 48000 Hz 16-bit stereo\n", kSeconds);
  std::printf("ours       %8.3f s  %7.0f x real time\n", ours, kSeconds / ours);
  std::printf("libopenmpt %8.3f s  %7.0f x real time\n", openmpt, kSeconds / openmpt);
  std::printf("libxmp     %8.3f s  %7.0f x real time\n", xmp, kSeconds / xmp);
  std::printf("ours / libopenmpt speed: %.2f (goal >= 1.0, hoped 2.0)\n", openmpt / ours);
  return 0;
}
