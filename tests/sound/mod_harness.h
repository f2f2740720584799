// Opens generated modules in the module player and records what it does tick by tick.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "engine/errcodes.h"
#include "modgen.h"
#include "sound/modplayer.h"
#include "sound/modplayer_probe.h"

struct LoadedModule {
  std::vector<uint8_t> image;
  std::unique_ptr<std::max_align_t[]> memory;
  size_t state_size = 0;
  qm::qmModPlayer* player = nullptr;
};

// Size query, allocation and open, as the sound driver does them. The error of a refused file
// is returned and the module left unopened.
inline int32_t load_module(LoadedModule& out, std::vector<uint8_t> image, int32_t rate = 48000) {
  out.image = std::move(image);
  int32_t err =
      qm::qmos_mod_open(nullptr, out.image.data(), out.image.size(), rate, &out.state_size);
  if (err) return err;
  out.memory.reset(new std::max_align_t[out.state_size / sizeof(std::max_align_t) + 1]);
  out.player = reinterpret_cast<qm::qmModPlayer*>(out.memory.get());
  return qm::qmos_mod_open(out.player, out.image.data(), out.image.size(), rate, nullptr);
}

inline LoadedModule load_module(const modgen::Module& m) {
  LoadedModule out;
  EXPECT_EQ(load_module(out, m.build()), 0);
  return out;
}

// The first n ticks, as the player stands after each.
inline std::vector<qm::ModProbe> record_ticks(qm::qmModPlayer* player, size_t n) {
  std::vector<qm::ModProbe> ticks;
  qm::mod_probe_watch(
      player,
      [](const qm::ModProbe& p, void* c) {
        static_cast<std::vector<qm::ModProbe>*>(c)->push_back(p);
      },
      &ticks);
  int16_t frame[2];
  while (ticks.size() < n) qm::qmos_mod_render(player, frame, frame + 1, 4, 1, 16, 2);
  qm::mod_probe_watch(player, nullptr, nullptr);
  ticks.resize(n);
  return ticks;
}

// The (song position, row) of every row read within the ticks.
inline std::vector<std::pair<int, int>> rows_read(const std::vector<qm::ModProbe>& ticks) {
  std::vector<std::pair<int, int>> rows;
  std::pair<int, int> next{0, 0};
  for (const qm::ModProbe& t : ticks) {
    if (t.row_read) rows.push_back(next);
    next = {t.song_position, t.row};
  }
  return rows;
}

// Interleaved 16-bit stereo.
inline std::vector<int16_t> render_frames(qm::qmModPlayer* player, int32_t frames) {
  std::vector<int16_t> out(size_t(frames) * 2);
  qm::qmos_mod_render(player, out.data(), out.data() + 1, 4, frames, 16, 2);
  return out;
}

// The step of a period at 48000 Hz (internal rate 96000).
inline int32_t step_of(int32_t period) {
  return 1172874197 / (period * 96000 / 50);
}
