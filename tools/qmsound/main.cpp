// qmsound: runs the player's own sound code from the command line, so that outside tools can judge
// its output.
//   qmsound render FILE --seconds N   writes N seconds of the module FILE as raw signed 16-bit
//                                     little-endian stereo at 48000 Hz to standard output
//   qmsound decode FILE [--wav OUT]   writes the frames of FILE as the sound driver reads them
//                                     (8-bit signed or unsigned, 16-bit in the file's byte order)
//                                     to standard output, or loads FILE as a sample and saves it
//                                     as a WAVE file OUT; the codec kind, format name, format
//                                     code, rate and frame count go to standard error, a line
//                                     each
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/endian.h"
#include "runtime/os/qmos.h"
#include "sound/driver.h"
#include "sound/modplayer.h"

namespace {

constexpr int32_t kRate = 48000;

int usage() {
  std::fprintf(stderr, "usage: qmsound render FILE --seconds N\n"
                       "       qmsound decode FILE [--wav OUT]\n");
  return 2;
}

bool read_module(const char* path, std::vector<uint8_t>& image) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  image.resize(qm::kModLargestFile);
  in.read(reinterpret_cast<char*>(image.data()), std::streamsize(image.size()));
  if (in.bad()) return false;
  image.resize(size_t(in.gcount()));
  return true;
}

int render(const char* path, double seconds) {
  std::vector<uint8_t> image;
  if (!read_module(path, image)) {
    std::fprintf(stderr, "qmsound: cannot read %s: %s\n", path, std::strerror(errno));
    return 1;
  }
  size_t state_size = 0;
  int32_t err = image.size() >= 1084 && std::memcmp(&image[1080], "M.K.", 4) == 0
                    ? qm::qmos_mod_open(nullptr, image.data(), image.size(), kRate, &state_size)
                    : 1235;
  std::unique_ptr<std::max_align_t[]> state;
  qm::qmModPlayer* player = nullptr;
  if (!err) {
    state.reset(new std::max_align_t[state_size / sizeof(std::max_align_t) + 1]);
    player = reinterpret_cast<qm::qmModPlayer*>(state.get());
    err = qm::qmos_mod_open(player, image.data(), image.size(), kRate, nullptr);
  }
  if (err) {
    std::fprintf(stderr, "qmsound: %s is no module the player opens (error %d)\n", path, err);
    return 1;
  }
  constexpr int32_t kBlock = 4800;
  int16_t frames[2 * kBlock];
  uint8_t bytes[4 * kBlock];
  for (int64_t left = int64_t(std::llround(seconds * kRate)); left > 0; left -= kBlock) {
    const int32_t n = int32_t(std::min<int64_t>(left, kBlock));
    qm::qmos_mod_fill_buffer(player, frames, n);
    for (int32_t i = 0; i < 2 * n; ++i) qm::put_le16(bytes + 2 * i, uint16_t(frames[i]));
    if (std::fwrite(bytes, 4, size_t(n), stdout) != size_t(n)) {
      std::fprintf(stderr, "qmsound: cannot write the output: %s\n", std::strerror(errno));
      return 1;
    }
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// The frames of the source as its reads deliver them, to standard output.
int stream(qm::qmSoundSource* source) {
  constexpr int32_t kFrames = 65536;
  std::vector<uint8_t> buffer(size_t(kFrames) * size_t(source->bytes_per_frame));
  int64_t frames = 0;
  for (bool end = false; !end;) {
    const int32_t got = qm::qmos_source_read(source, buffer.data(), kFrames, &end);
    const size_t bytes = size_t(got) * size_t(source->bytes_per_frame);
    if (std::fwrite(buffer.data(), 1, bytes, stdout) != bytes) {
      std::fprintf(stderr, "qmsound: cannot write the output: %s\n", std::strerror(errno));
      return 1;
    }
    frames += got;
    if (got == 0 && !end) break;
  }
  std::fprintf(stderr, "frames %lld\n", static_cast<long long>(frames));
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// The whole file as a sample, saved as WAVE.
int save(const std::string& name, const char* path, const char* wav) {
  qm::qmSampleData* sample = nullptr;
  int32_t rate = 0;
  int32_t err = qm::qmos_sample_load(name.c_str(), &sample, nullptr, &rate, nullptr);
  if (err) {
    std::fprintf(stderr, "qmsound: %s does not load as a sample (error %d)\n", path, err);
    return 1;
  }
  std::fprintf(stderr, "frames %d\n", sample->frames);
  err = qm::qmos_sample_save_wave(qmos_player_name(wav).c_str(), sample, rate);
  qm::qmos_sample_free(sample);
  if (err) std::fprintf(stderr, "qmsound: cannot write %s (error %d)\n", wav, err);
  return err ? 1 : 0;
}

int decode(const char* path, const char* wav) {
  const std::string name = qmos_player_name(path);
  qm::qmSoundSource* source = nullptr;
  int32_t err = qm::qmos_detect_sound(name.c_str(), 0, &source);
  if (err) {
    std::fprintf(stderr, "qmsound: %s is no sound file the player opens (error %d)\n", path, err);
    return 1;
  }
  std::fprintf(stderr, "kind %d\nname %s\ncode %d\nrate %d\n", source->kind,
               qm::qmos_source_format_name(source), source->format, source->rate);
  if (wav) {
    qm::qmos_source_close(source);
    return save(name, path, wav);
  }
  const int result = stream(source);
  qm::qmos_source_close(source);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  // A file size limit makes the write fail with a message instead of killing the tool.
  std::signal(SIGXFSZ, SIG_IGN);
  if (argc >= 3 && std::strcmp(argv[1], "decode") == 0) {
    if (argc == 3) return decode(argv[2], nullptr);
    if (argc == 5 && std::strcmp(argv[3], "--wav") == 0) return decode(argv[2], argv[4]);
    return usage();
  }
  if (argc != 5 || std::strcmp(argv[1], "render") != 0 || std::strcmp(argv[3], "--seconds") != 0)
    return usage();
  double seconds = 0;
  const char* text = argv[4];
  const char* end = text + std::strlen(text);
  auto [ptr, ec] = std::from_chars(text, end, seconds);
  // Up to a day: enough for any comparison, and the frame count stays exact.
  if (ec != std::errc() || ptr != end || !(seconds >= 0 && seconds <= 86400)) {
    std::fprintf(stderr, "qmsound: --seconds wants a number of seconds from 0 to 86400, not %s\n",
                 text);
    return 2;
  }
  return render(argv[2], seconds);
}
