// A look inside the module player for tests: what each channel and the player hold after every
// tick. Only tests include this; the player calls back only while a test's watch is set.
#pragma once

#include <cstdint>

#include "sound/modplayer.h"

namespace qm {

struct ModChannelProbe {
  int32_t period;
  int32_t effective_period;
  int32_t volume;
  int32_t effective_volume;
  int64_t position;  // 18.14 fixed point; below 0: silent
  int32_t step;
};

struct ModProbe {
  ModChannelProbe channels[4];
  int32_t speed;
  int32_t tempo;
  int32_t samples_per_tick;
  int32_t row;            // the row read next
  int32_t song_position;  // the position read next
  int32_t tick_counter;   // ticks left in the row
  bool looped;            // the song has ended or jumped back at least once
  bool row_read;          // this tick read a row
};

ModProbe mod_probe(const qmModPlayer* player);

// Calls watch after every tick, from inside the render call, until reopened or watch is null.
using ModProbeWatch = void (*)(const ModProbe& probe, void* context);
void mod_probe_watch(qmModPlayer* player, ModProbeWatch watch, void* context);

// The stop-at-loop flag, which no caller of the player sets: once the song has looped, the player
// renders silence.
void mod_probe_set_stop_at_loop(qmModPlayer* player, bool on);

}  // namespace qm
