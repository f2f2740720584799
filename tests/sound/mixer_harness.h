// The channel layer driven without a device: the mixer is called directly on a fake clock.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "runtime/os/qmos.h"
#include "sound/channels.h"

namespace qmtest {

struct SoundEvent {
  int32_t kind, time, count;
  qm::ObjectId owner;
};

class MixerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_set_clock(&clock);
    qm::platform_audio_channels_init();
    for (const char* name : {"onsampleloop", "onsampleend", "onmusicend"})
      qm::qmos_set_sound_handler(name, -1);
  }
  void TearDown() override {
    qm::platform_audio_dispose();
    for (qm::qmSampleData* s : samples) qm::qmos_sample_free(s);
    qm::stream_set_hooks({});
    platform_set_clock(nullptr);
  }

  // A 16-bit sample (mono or stereo) holding the values given; the test frees it.
  qm::qmSampleData* sample16(const std::vector<int16_t>& values, int32_t channels = 1) {
    auto* data = static_cast<int16_t*>(qmos_alloc(values.size() * 2, 0));
    std::memcpy(data, values.data(), values.size() * 2);
    const int32_t frames = int32_t(values.size()) / channels;
    qm::qmSampleData* s = qm::qmos_sample_create(
        data, frames, channels == 1 ? qm::SAMPLE_MONO16 : qm::SAMPLE_STEREO16);
    samples.push_back(s);
    return s;
  }
  qm::qmSampleData* constant16(int32_t frames, int16_t value) {
    return sample16(std::vector<int16_t>(size_t(frames), value));
  }

  int32_t play(qm::qmSampleData* s, int32_t pitch = 48000, int64_t time = 0, int32_t passes = 1,
               int32_t volume = 64, int32_t pan = 128, int32_t id = 1) {
    return qm::qmos_sample_play(s, qm::ObjectId{id, nullptr}, s->format,
                                int64_t(s->frames) * s->bytes_per_frame, pitch, volume, pan, time,
                                passes);
  }

  // Renders frames (interleaved left, right), moving the fake clock along with them.
  std::vector<int16_t> render(int32_t frames) {
    std::vector<int16_t> out(size_t(frames) * 2);
    qm::mixer_render(out.data(), frames);
    clock.advance_us(int64_t(frames) * 1000000 / qm::kMixRate);
    return out;
  }

  std::vector<SoundEvent> events() {
    qm::platform_audio_cleanup();
    std::vector<SoundEvent> got;
    SoundEvent e{};
    while (qm::qmos_pop_sound_event(&e.kind, &e.owner, &e.time, &e.count)) got.push_back(e);
    return got;
  }

  int32_t busy_channels() {
    qm::platform_audio_cleanup();
    int32_t n = 0;
    qm::channel_lock();
    for (int32_t i = 0; i < qm::kChannelCount; ++i)
      n += qm::channel_table()[i].state != qm::CHANNEL_FREE;
    qm::channel_unlock();
    return n;
  }

  FakeClock clock;
  std::vector<qm::qmSampleData*> samples;
};

// Frames until the left side's first zero (the end of what a channel played).
inline int64_t sounding_frames(const std::vector<int16_t>& out) {
  for (size_t i = 0; i < out.size() / 2; ++i)
    if (out[2 * i] == 0) return int64_t(i);
  return int64_t(out.size() / 2);
}

}  // namespace qmtest
