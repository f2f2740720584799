// The pace of a synchronous PlayAnim: the real player (headless) plays 500 frames with a delay of
// one tick (20 ms) each, and the recorder notes when each frame reached the screen. Printed: the
// mean and the largest deviation of the frame intervals from the asked 20 ms; the goal is a largest
// deviation under one refresh period (16.7 ms at 60 Hz).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

int sh(const std::string& command) { return std::system(command.c_str()); }

}  // namespace

int main() {
  const std::string dir = "bench_anim_pacing_files";
  sh("rm -rf " + dir + " && mkdir -p " + dir);
  {
    std::ofstream q(dir + "/pace.qasm");
    // CreateBrush(1, 32, 32, $FF0000)  CreateAnim(1, 1, 16, 16, 4, 2)  PlayAnim(1, 0, 0, 1, 125)
    q << ".maxstack 8\n"
         "  GETGLOBAL r0 \"createbrush\"\n  LOADK r1 #1\n  LOADK r2 #32\n  LOADK r3 #32\n"
         "  LOADK r4 #16711680\n  CALL r0 5 1\n"
         "  GETGLOBAL r0 \"createanim\"\n  LOADK r1 #1\n  LOADK r2 #1\n  LOADK r3 #16\n  LOADK r4 #16\n"
         "  LOADK r5 #4\n  LOADK r6 #2\n  CALL r0 7 1\n"
         "  GETGLOBAL r0 \"playanim\"\n  LOADK r1 #1\n  LOADK r2 #0\n  LOADK r3 #0\n  LOADK r4 #1\n"
         "  LOADK r5 #125\n  CALL r0 6 1\n"
         "  RETURN r0 1\n";
  }
  if (sh(std::string(QM_QMASM) + " " + dir + "/pace.qasm -o " + dir + "/pace.qmb") ||
      sh("cd " + dir + " && SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy QM_PLATFORM_RECORD=rec.txt " +
         QM_PLAYER + " -quiet pace.qmb")) {
    std::fprintf(stderr, "bench_anim_pacing: the player did not run\n");
    return 1;
  }
  std::ifstream rec(dir + "/rec.txt");
  std::vector<double> shown;
  for (std::string line; std::getline(rec, line);)
    if (line.rfind("anim_frame ", 0) == 0) shown.push_back(std::atof(line.c_str() + 11) / 1000.0);
  if (shown.size() < 2) {
    std::fprintf(stderr, "bench_anim_pacing: no frames recorded\n");
    return 1;
  }
  double sum = 0, largest = 0;
  for (size_t i = 1; i < shown.size(); ++i) {
    const double deviation = std::fabs(shown[i] - shown[i - 1] - 20.0);
    sum += deviation;
    largest = std::max(largest, deviation);
  }
  std::printf("PlayAnim pacing, %zu frames of 20 ms: mean deviation %.2f ms, largest %.2f ms (goal: largest "
              "under one refresh period, 16.7 ms)\n",
              shown.size(), sum / double(shown.size() - 1), largest);
  sh("rm -rf " + dir);
  return 0;
}
