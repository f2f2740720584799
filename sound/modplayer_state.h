// The module player's state record and its tables, shared by the player and its test accessor
// (sound/modplayer_probe.h). Nothing outside sound/ includes this: callers see qmModPlayer only
// as a block of the size qmos_mod_open asks for.
//
// Sample positions, lengths and loops are 18.14 fixed point (sample frames x 16384). A position
// below 0 is a silent channel. Loops are cut to their sample when the module opens, so that a
// looping sample satisfies loop_start < loop_end <= length, and the mixer reads only at
// positions below the loop end (looping) or the length (not looping).
#pragma once

#include <cstddef>
#include <cstdint>

#include "sound/modplayer.h"

namespace qm {

inline constexpr int32_t kModFrac = 16384;            // 1.0 in 18.14
inline constexpr int32_t kModMinLoop = 2 * kModFrac;  // loops of up to 2 frames do not loop
inline constexpr int32_t kModSamples = 31;
inline constexpr int32_t kModRows = 64;
inline constexpr int32_t kModChannels = 4;
inline constexpr int32_t kModNotes = 36;
inline constexpr int32_t kModMaxVolume = 63;
inline constexpr int32_t kModPeriodMin = 113;
inline constexpr int32_t kModPeriodMax = 856;

// Player flags.
inline constexpr uint32_t kModFlagStopAtLoop = 1;  // count loops, and render silence once looped
inline constexpr uint32_t kModFlagLooped = 2;  // the song has ended or jumped back at least once
inline constexpr uint32_t kModFlagFilterCommand = 4;  // E0x switches the low-pass filter

// Channel flags.
inline constexpr int32_t kModSkipPitch = 1;  // the next tick leaves the pitch alone
inline constexpr int32_t kModTonePorta = 2;

extern const int16_t kModPeriods[16][kModNotes];  // finetune 0..7, then -8..-1
extern const uint8_t kModSine[32];
extern const uint8_t kModInvertSpeeds[16];

struct qmModCell {
  int32_t period;
  int32_t sample;  // 0..31, 0 none
  uint8_t effect;
  uint8_t x, y;
  uint8_t param;
};
static_assert(sizeof(qmModCell) == 12);

struct qmModSample {
  char name[23];
  int8_t* data;
  int32_t length;
  int32_t loop_start;
  int32_t loop_length;
  int32_t loop_end;
  int32_t finetune;  // 0..15, the period table row
  int32_t volume;    // 0..63
};

struct qmModChannel {
  int32_t sample;
  int32_t last_sample;
  int64_t
      position;  // 64 bits: a position just below the largest sample plus one step exceeds int32
  int32_t period;
  int32_t step;  // position increment per internal sample
  int32_t offset_memory;
  int32_t portamento;
  int32_t volume;
  int32_t saved_volume;
  int32_t effective_volume;
  int32_t volume_slide;
  int32_t panning;  // 0..255: the left side's weight
  int32_t finetune;
  int32_t flags;
  int32_t porta_speed;
  int32_t porta_target;
  int32_t effective_period;
  int32_t retrigger_interval;
  int32_t cut_count;
  int32_t delay_count;  // note delay, and the retrigger countdown
  int32_t arpeggio;
  int32_t arpeggio_base;
  int32_t vibrato_memory;
  int32_t vibrato_depth;
  int32_t vibrato_speed;
  int32_t vibrato_position;
  int32_t tremolo_memory;
  int32_t tremolo_depth;  // twice the effect's depth
  int32_t tremolo_speed;
  int32_t tremolo_position;
  int32_t vibrato_waveform;
  int32_t tremolo_waveform;
  int32_t glissando;  // E3x sets the low nibble, EFx the high one (the invert-loop speed)
  int32_t invert_accumulator;
  int32_t invert_offset;
  int32_t pending_sample;
  int32_t loop_row;
  int32_t loop_count;
  int32_t loop_state;  // 0 none, 1 start row recorded, 2 looping
};

struct ModProbe;
using ModProbeWatch = void (*)(const ModProbe& probe, void* context);

struct qmModPlayer {
  char title[21];
  uint16_t pattern_count;
  uint16_t song_length;                  // 1..128
  qmModSample samples[kModSamples + 1];  // record 0 stays empty
  qmModChannel channels[kModChannels];
  qmModCell* patterns;  // right behind this record
  uint8_t order[128];
  uint32_t flags;
  int32_t internal_rate;
  int32_t master_volume;
  uint8_t song_position;
  uint8_t row;
  uint8_t speed;
  uint8_t tempo;
  int32_t samples_per_tick;
  int32_t sample_counter;  // internal samples since the last tick
  uint8_t tick_counter;
  uint8_t pattern_delay;
  uint8_t filter_on;
  bool row_read;  // the last tick read a row
  // A row's jumps, gathered while its cells are read: -1 none.
  int16_t break_row;
  int16_t jump_position;
  int16_t loop_jump_row;
  int32_t loop_counter;
  float lowpass_gain;
  float lowpass_feedback;
  float filter_history[2][3];  // per side: last input, first-stage output, second-stage output
  uint8_t* image;
  size_t image_size;
  uint8_t jump_pending;
  uint8_t jump_position_queued;
  // The song position and row of the row read last: what sounds now, while song_position and row
  // name the row read next.
  uint8_t heard_position;
  uint8_t heard_row;
  ModProbeWatch watch;  // tests only (sound/modplayer_probe.h): called after every tick
  void* watch_context;
};
static_assert(sizeof(qmModPlayer) <= kModStateFixedSize);

// Hands the state after a tick to the test's watch.
void mod_probe_notify(const qmModPlayer* player);

}  // namespace qm
