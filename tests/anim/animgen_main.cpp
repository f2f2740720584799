// animgen OUT WIDTH HEIGHT PLANES FRAMES [xor] [ham] [ehb]: an IFF ANIM of moving squares, for
// benchmarks and fuzz seeds.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/anim/animgen.h"

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: animgen OUT WIDTH HEIGHT PLANES FRAMES [xor] [ham] [ehb]\n");
    return 2;
  }
  animgen::Options o;
  o.width = std::atoi(argv[2]);
  o.height = std::atoi(argv[3]);
  o.planes = std::atoi(argv[4]);
  const int32_t frames = std::atoi(argv[5]);
  for (int i = 6; i < argc; ++i) {
    std::string f = argv[i];
    if (f == "xor") o.interleave = 1;
    if (f == "ham") o.camg |= 0x800;
    if (f == "ehb") o.camg |= 0x80;
  }
  auto bytes = animgen::write(o, animgen::moving_squares(o.width, o.height, o.planes, frames, 7));
  return animgen::save(argv[1], bytes) ? 0 : 1;
}
