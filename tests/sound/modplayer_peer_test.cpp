// The module player against two outside players (mod_peers.h) on generated modules: how long one
// pass of a song lasts, where notes start, and the loudness over time. The peers resample and
// follow other quirks, so none of this is sample-exact; on what an effect means, ours holds.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "mod_harness.h"
#include "mod_peers.h"

namespace {

// The mono sum (left + right) of the first frames.
std::vector<int32_t> mono_sum(const std::vector<int16_t>& stereo) {
  std::vector<int32_t> mono(stereo.size() / 2);
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = stereo[2 * i] + stereo[2 * i + 1];
  return mono;
}

std::vector<int32_t> ours(const std::vector<uint8_t>& image, size_t frames) {
  LoadedModule mod;
  EXPECT_EQ(load_module(mod, image), 0);
  return mono_sum(render_frames(mod.player, int32_t(frames)));
}

std::vector<int32_t> openmpt(const std::vector<uint8_t>& image, size_t frames) {
  OpenMptPlayer peer(image);
  std::vector<int16_t> stereo(frames * 2);
  peer.render(stereo.data(), frames);
  return mono_sum(stereo);
}

struct OurPass {
  double seconds;       // until the first row of the second pass is read
  double tick_seconds;  // the tick length at that moment
};

// One pass ends where the player, after its song-looped flag went up, reads its next row.
OurPass our_pass(const std::vector<uint8_t>& image) {
  LoadedModule mod;
  EXPECT_EQ(load_module(mod, image), 0);
  struct Watch {
    bool looped = false, done = false;
    int32_t samples_per_tick = 0;
  } w;
  qm::mod_probe_watch(
      mod.player,
      [](const qm::ModProbe& p, void* c) {
        Watch* w = static_cast<Watch*>(c);
        if (w->looped && p.row_read && !w->done) {
          w->done = true;
          w->samples_per_tick = p.samples_per_tick;
        }
        w->looped = w->looped || p.looped;
      },
      &w);
  int16_t frame[2];
  int64_t frames = 0;
  for (; !w.done && frames < 48000 * 600; ++frames)
    qm::qmos_mod_render(mod.player, frame, frame + 1, 4, 1, 16, 2);
  EXPECT_TRUE(w.done);
  return {double(frames - 1) / 48000, w.samples_per_tick / 96000.0};
}

class ModPeerDuration : public testing::TestWithParam<const char*> {};

TEST_P(ModPeerDuration, OnePassWithinOneTick) {
  const std::vector<uint8_t> image = modgen::fixture(GetParam()).build();
  const OurPass pass = our_pass(image);
  OpenMptPlayer mpt(image);
  XmpPlayer xmp(image);
  EXPECT_NEAR(pass.seconds, mpt.duration_seconds(), pass.tick_seconds) << "libopenmpt";
  EXPECT_NEAR(pass.seconds, xmp.duration_seconds(), pass.tick_seconds) << "libxmp";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ModPeerDuration,
                         testing::Values("speed", "jump", "break", "loop", "delay", "tones"),
                         [](const auto& info) { return std::string(info.param); });

// Frames where a note starts: above the threshold after at least 5 ms at or below it.
std::vector<size_t> onsets(const std::vector<int32_t>& mono, int32_t threshold) {
  std::vector<size_t> at;
  size_t quiet = 240;
  for (size_t i = 0; i < mono.size(); ++i) {
    if (std::abs(mono[i]) <= threshold) {
      ++quiet;
    } else {
      if (quiet >= 240) at.push_back(i);
      quiet = 0;
    }
  }
  return at;
}

TEST(ModPeer, NoteOnsetsWithinOneMillisecond) {
  const std::vector<uint8_t> image = modgen::fixture("onsets").build();
  const size_t frames = 48000 * 7;
  const std::vector<size_t> ours_at = onsets(ours(image, frames), 1000);
  const std::vector<size_t> peer_at = onsets(openmpt(image, frames), 1000);
  ASSERT_EQ(ours_at.size(), peer_at.size());
  EXPECT_GE(ours_at.size(), 14u);
  for (size_t i = 0; i < ours_at.size(); ++i) {
    EXPECT_NEAR(double(ours_at[i]), double(peer_at[i]), 48.0) << "onset " << i;
  }
}

// RMS of 50 ms windows.
std::vector<double> envelope(const std::vector<int32_t>& mono) {
  std::vector<double> env;
  for (size_t i = 0; i + 2400 <= mono.size(); i += 2400) {
    double sum = 0;
    for (size_t j = i; j < i + 2400; ++j) sum += double(mono[j]) * mono[j];
    env.push_back(std::sqrt(sum / 2400));
  }
  return env;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
  const size_t n = std::min(a.size(), b.size());
  double ma = 0, mb = 0;
  for (size_t i = 0; i < n; ++i) ma += a[i], mb += b[i];
  ma /= double(n), mb /= double(n);
  double sab = 0, saa = 0, sbb = 0;
  for (size_t i = 0; i < n; ++i) {
    sab += (a[i] - ma) * (b[i] - mb);
    saa += (a[i] - ma) * (a[i] - ma);
    sbb += (b[i] - mb) * (b[i] - mb);
  }
  return sab / std::sqrt(saa * sbb);
}

TEST(ModPeer, LoudnessEnvelopeFollowsTheTune) {
  const std::vector<uint8_t> image = modgen::fixture("tones").build();
  const size_t frames = 48000 * 15;
  EXPECT_GT(correlation(envelope(ours(image, frames)), envelope(openmpt(image, frames))), 0.95);
}

}  // namespace
