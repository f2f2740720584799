// bench_mixer: our mixer against SDL doing the same job in the same run, on one core.
// - Resampling: 60 s of output from seven samples at 22050 Hz looping and a 22050 Hz stream
//   (eight channels), against an SDL_AudioStream per input and SDL_MixAudioFormat with volume.
// - Mixing only: eight 48 kHz stereo inputs, against SDL_MixAudioFormat alone.
// Prints our time over SDL's (targets: at most 1.0 and 0.67) and our share of one core at real
// time (target: below 1%).
#include <SDL2/SDL.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "runtime/os/qmos.h"
#include "sound/channels.h"
#include "soundgen.h"

using namespace qm;

namespace {

constexpr int32_t kSeconds = 60;
constexpr int32_t kBlock = kMixBufferFrames;
constexpr int32_t kBlocks = kSeconds * kMixRate / kBlock;
constexpr int32_t kInputs = 8;
constexpr int32_t kSdlVolume = 96;  // 3/4, as the cube root of 27/64
constexpr int32_t kOurVolume = 27;

double seconds_since(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

std::vector<int16_t> tone(int32_t frames, int32_t channels, double hz, int32_t rate) {
  std::vector<int16_t> v(size_t(frames) * size_t(channels));
  for (int32_t i = 0; i < frames; ++i)
    for (int32_t c = 0; c < channels; ++c)
      v[size_t(i * channels + c)] =
          int16_t(std::lround(12000 * std::sin(2 * M_PI * hz * i / rate + c)));
  return v;
}

qmSampleData* make_sample(const std::vector<int16_t>& v, int32_t channels) {
  auto* data = static_cast<int16_t*>(qmos_alloc(v.size() * 2, 0));
  std::copy(v.begin(), v.end(), data);
  return qmos_sample_create(data, int32_t(v.size()) / channels,
                            channels == 1 ? SAMPLE_MONO16 : SAMPLE_STEREO16);
}

// The SDL side: an audio stream per input, converted block by block and mixed with a volume.
double sdl_resampling(const std::vector<int16_t>& mono) {
  std::vector<SDL_AudioStream*> streams;
  for (int32_t i = 0; i < kInputs; ++i)
    streams.push_back(SDL_NewAudioStream(AUDIO_S16SYS, 1, 22050, AUDIO_S16SYS, 2, 48000));
  std::vector<int16_t> out(2 * kBlock), part(2 * kBlock);
  const int bytes = int(out.size() * 2);
  const auto t = std::chrono::steady_clock::now();
  for (int32_t b = 0; b < kBlocks; ++b) {
    std::fill(out.begin(), out.end(), 0);
    for (SDL_AudioStream* s : streams) {
      while (SDL_AudioStreamAvailable(s) < bytes)
        SDL_AudioStreamPut(s, mono.data(), int(mono.size() * 2));
      SDL_AudioStreamGet(s, part.data(), bytes);
      SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out.data()),
                         reinterpret_cast<Uint8*>(part.data()), AUDIO_S16SYS, Uint32(bytes),
                         kSdlVolume);
    }
  }
  const double took = seconds_since(t);
  for (SDL_AudioStream* s : streams) SDL_FreeAudioStream(s);
  return took;
}

double sdl_mixing(const std::vector<int16_t>& stereo) {
  std::vector<int16_t> out(2 * kBlock);
  const int bytes = int(out.size() * 2);
  const int32_t period = int32_t(stereo.size() / 2) / kBlock;
  const auto t = std::chrono::steady_clock::now();
  for (int32_t b = 0; b < kBlocks; ++b) {
    std::fill(out.begin(), out.end(), 0);
    const int16_t* src = stereo.data() + size_t(b % period) * 2 * kBlock;
    for (int32_t i = 0; i < kInputs; ++i)
      SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out.data()), reinterpret_cast<const Uint8*>(src),
                         AUDIO_S16SYS, Uint32(bytes), kSdlVolume);
  }
  return seconds_since(t);
}

// Our mixer over what the channels hold; -1 when the last buffer came out silent (nothing played).
double ours(int32_t blocks) {
  std::vector<int16_t> out(2 * kBlock);
  const auto t = std::chrono::steady_clock::now();
  for (int32_t b = 0; b < blocks; ++b) mixer_render(out.data(), kBlock);
  const double took = seconds_since(t);
  return std::any_of(out.begin(), out.end(), [](int16_t v) { return v != 0; }) ? took : -1;
}

bool play_all(qmSampleData* sample, int32_t count, int32_t rate) {
  for (int32_t i = 0; i < count; ++i)
    if (qmos_sample_play(sample, ObjectId{i, nullptr}, sample->format,
                         int64_t(sample->frames) * sample->bytes_per_frame, rate, kOurVolume, 128,
                         0, 0) != 0)
      return false;
  qmos_channels_start_prepared();
  return true;
}

}  // namespace

int main() {
  platform_audio_channels_init();
  const std::vector<int16_t> mono = tone(22050, 1, 441, 22050);
  const std::vector<int16_t> stereo = tone(48000, 2, 480, 48000);

  // Ours, resampling: seven looping samples and a stream from a file.
  char dir[] = "/tmp/bench_mixerXXXXXX";
  if (!mkdtemp(dir)) return 1;
  const std::string path = std::string(dir) + "/stream.wav";
  soundgen::Bytes data;
  for (int32_t s = 0; s <= kSeconds; ++s)
    for (int16_t v : mono) {
      data.push_back(uint8_t(v));
      data.push_back(uint8_t(uint16_t(v) >> 8));
    }
  soundgen::Wave format;
  format.rate = 22050;
  soundgen::write_file(path, soundgen::wave(format, data));
  qmSampleData* sample = make_sample(mono, 1);
  if (!play_all(sample, kInputs - 1, 22050)) return 1;
  int32_t kind = 0, seekable = 0;
  void* music = nullptr;
  if (qmos_music_open(path.c_str(), &kind, &music, &seekable) != 0 ||
      qmos_music_play(kind, music, ObjectId{99, nullptr}, 1, 1, kOurVolume) != 0) {
    std::fprintf(stderr, "bench_mixer: the stream does not start\n");
    return 1;
  }
  usleep(100000);  // the streaming thread fills its second half
  const double our_resampling = ours(kBlocks);
  qmos_music_stop_or_pause(kind, music, false, nullptr, nullptr);
  qmos_music_close(kind, music);
  qmos_sample_stop(nullptr);
  qmos_sample_free(sample);
  std::system((std::string("rm -rf ") + dir).c_str());
  const double their_resampling = sdl_resampling(mono);

  // Mixing only: eight 48 kHz stereo samples.
  qmSampleData* wide = make_sample(stereo, 2);
  if (!play_all(wide, kInputs, 48000)) return 1;
  const double our_mixing = ours(kBlocks);
  qmos_sample_stop(nullptr);
  qmos_sample_free(wide);
  const double their_mixing = sdl_mixing(stereo);
  platform_audio_dispose();
  if (our_resampling < 0 || our_mixing < 0) {
    std::fprintf(stderr, "bench_mixer: the mixer played nothing\n");
    return 1;
  }

  std::printf(
      "resampling 8 inputs from 22050 Hz, %d s: ours %.4f s, SDL %.4f s, ratio %.2f (target <= "
      "1.0)\n",
      kSeconds, our_resampling, their_resampling, our_resampling / their_resampling);
  std::printf(
      "mixing 8 inputs at 48000 Hz, %d s: ours %.4f s, SDL %.4f s, ratio %.2f (target <= 0.67)\n",
      kSeconds, our_mixing, their_mixing, our_mixing / their_mixing);
  std::printf("our share of one core at real time: %.3f%% (target < 1%%)\n",
              100 * our_resampling / kSeconds);
  return 0;
}
