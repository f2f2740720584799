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
//   qmsound play FILE... [--times N] [--time MS] [--stream]
//                                     plays through the channels and the audio device: several
//                                     files are samples started together; one file is a sample,
//                                     a stream with --stream, or a module. --times N passes (0:
//                                     without end); --time MS the play time of samples, or how
//                                     long a music plays. Each sound event is printed as the
//                                     event poller gets it ("OnSampleEnd id 1 time 750 count 1")
#include <SDL2/SDL.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/endian.h"
#include "platform/platform.h"
#include "runtime/os/qmos.h"
#include "sound/channels.h"
#include "sound/driver.h"
#include "sound/modplayer.h"

namespace {

constexpr int32_t kRate = 48000;

int usage() {
  std::fprintf(stderr,
               "usage: qmsound render FILE --seconds N\n"
               "       qmsound decode FILE [--wav OUT]\n"
               "       qmsound play FILE... [--times N] [--time MS] [--stream]\n");
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

bool is_module_file(const char* path) {
  std::ifstream in(path, std::ios::binary);
  char magic[4] = {};
  in.seekg(1080);
  return in.read(magic, 4) && std::memcmp(magic, "M.K.", 4) == 0;
}

// Plays files through the channels and the audio device until they end (or for time_ms of a
// music), printing every sound event as the event poller gets it.
int play(const std::vector<const char*>& files, int32_t times, int64_t time_ms, bool as_stream) {
  if (platform_init() != 0) {
    std::fprintf(stderr, "qmsound: the platform layer does not start\n");
    return 1;
  }
  qm::platform_audio_channels_init();
  for (const char* name : {"onsampleloop", "onsampleend", "onmusicend"})
    qm::qmos_set_sound_handler(name, 1);
  int32_t err = qm::platform_audio_init();
  if (err) {
    std::fprintf(stderr, "qmsound: no sound device (error %d): %s\n", err, SDL_GetError());
    platform_exit();
    return 1;
  }
  std::vector<qm::qmSampleData*> samples;
  int32_t kind = 0;
  void* music = nullptr;
  const bool is_module = files.size() == 1 && is_module_file(files[0]);
  for (size_t i = 0; i < files.size() && !err; ++i) {
    const std::string name = qmos_player_name(files[i]);
    const qm::ObjectId id{int32_t(i + 1), nullptr};
    if (is_module || as_stream) {
      int32_t seekable = 0;
      err = qm::qmos_music_open(name.c_str(), &kind, &music, &seekable);
      if (!err) err = qm::qmos_music_play(kind, music, id, times, 1, 64);
      continue;
    }
    qm::qmSampleData* sample = nullptr;
    int64_t bytes = 0;
    int32_t rate = 0, format = 0;
    err = qm::qmos_sample_load(name.c_str(), &sample, &bytes, &rate, &format);
    if (!err) {
      samples.push_back(sample);
      err = qm::qmos_sample_play(sample, id, format, bytes, rate, 64, 128, time_ms, times);
    }
  }
  if (err) {
    std::fprintf(stderr, "qmsound: cannot play (error %d)\n", err);
  } else {
    qm::qmos_channels_start_prepared();
    // As the player does: the pump hands the sound events over (the channel lock is taken only
    // when something happened), and every sample or the music ends with its end event.
    const int64_t start = platform_clock().now_us();
    size_t samples_ended = 0;
    bool music_ended = false;
    for (;;) {
      if (platform_wait_until(nullptr, platform_clock().now_us() + 2000) != 0) break;
      int32_t code = 0, time = 0, count = 0;
      qm::ObjectId id;
      while (qm::qmos_pop_sound_event(&code, &id, &time, &count)) {
        const char* event = code == qm::SOUND_EVENT_SAMPLE_LOOP  ? "OnSampleLoop"
                            : code == qm::SOUND_EVENT_SAMPLE_END ? "OnSampleEnd"
                                                                 : "OnMusicEnd";
        std::printf("%s id %d time %d count %d\n", event, id.number, time, count);
        samples_ended += code == qm::SOUND_EVENT_SAMPLE_END;
        music_ended |= code == qm::SOUND_EVENT_MUSIC_END;
      }
      std::fflush(stdout);
      if (music ? music_ended : samples_ended == samples.size()) break;
      if (music && time_ms > 0 && platform_clock().now_us() - start >= time_ms * 1000) break;
    }
  }
  if (music) qm::qmos_music_stop_or_pause(kind, music, false, nullptr, nullptr);
  qm::platform_audio_dispose();
  for (qm::qmSampleData* s : samples) qm::qmos_sample_free(s);
  if (music) qm::qmos_music_close(kind, music);
  platform_exit();
  return err ? 1 : 0;
}

// A whole number from min to max, or false.
bool parse_int(const char* text, int64_t min, int64_t max, int64_t* out) {
  const char* end = text + std::strlen(text);
  auto [ptr, ec] = std::from_chars(text, end, *out);
  return ec == std::errc() && ptr == end && *out >= min && *out <= max;
}

int play_command(int argc, char** argv) {
  std::vector<const char*> files;
  int64_t times = 1, time_ms = 0;
  bool as_stream = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--stream") == 0) {
      as_stream = true;
    } else if (std::strcmp(argv[i], "--times") == 0 && i + 1 < argc) {
      if (!parse_int(argv[++i], 0, INT32_MAX, &times)) return usage();
    } else if (std::strcmp(argv[i], "--time") == 0 && i + 1 < argc) {
      if (!parse_int(argv[++i], 0, INT32_MAX, &time_ms)) return usage();
    } else if (argv[i][0] == '-') {
      return usage();
    } else {
      files.push_back(argv[i]);
    }
  }
  if (files.empty() || (as_stream && files.size() > 1) || files.size() > size_t(qm::kChannelCount))
    return usage();
  return play(files, int32_t(times), time_ms, as_stream);
}

}  // namespace

int main(int argc, char** argv) {
  // A file size limit makes the write fail with a message instead of killing the tool.
  std::signal(SIGXFSZ, SIG_IGN);
  if (argc >= 3 && std::strcmp(argv[1], "play") == 0) return play_command(argc, argv);
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
