// soundgen: IFF sound files from raw frames, for the shell tests and fuzz seeds.
//   soundgen iff TYPE RATE CHANNELS IN OUT [NAME]
// TYPE is 8SVX (IN: signed 8-bit frames) or 16SV (IN: signed 16-bit big-endian frames); NAME
// adds a NAME chunk (an odd one gets its pad byte) before the BODY.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "soundgen.h"

int main(int argc, char** argv) {
  if ((argc != 7 && argc != 8) || std::string(argv[1]) != "iff") {
    std::fprintf(stderr, "usage: soundgen iff 8SVX|16SV RATE CHANNELS IN OUT [NAME]\n");
    return 2;
  }
  soundgen::Iff f;
  f.type = argv[2];
  f.rate = std::atoi(argv[3]);
  f.channels = std::atoi(argv[4]);
  if (argc == 8) {
    const std::string name = argv[7];
    f.before.push_back({"NAME", soundgen::Bytes(name.begin(), name.end())});
  }
  if (!soundgen::write_file(argv[6], soundgen::iff(f, soundgen::read_file(argv[5])))) {
    std::fprintf(stderr, "soundgen: cannot write %s\n", argv[6]);
    return 1;
  }
  return 0;
}
