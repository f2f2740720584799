// The module player: opening a module image, reading rows and their effects, the per-tick channel
// updates and the mixer.
//
// Time runs at the internal rate, twice the output rate: each output frame is the mean of two
// internal samples. A tick falls every samples_per_tick internal samples, the first at once; a row
// is read on the first tick of every speed ticks. The mixer works from tick to tick, one channel
// at a time, into 32-bit sums; the sums of each stretch between ticks are then divided, filtered
// and clamped in order, and pairs of them averaged into frames. Nothing changes between ticks, so
// the result is the same as mixing every internal sample on its own.
#include <xmmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "sound/modplayer_state.h"

namespace qm {

namespace {

constexpr size_t kHeaderSize = 1084;
constexpr size_t kPatternFileSize = 1024;
constexpr size_t kSongLengthOffset = 950;
constexpr size_t kOrderOffset = 952;
constexpr int32_t kStepConstant = 1172874197;

// ---- Periods ------------------------------------------------------------------------------------

// The index of the first entry of a period row that is not above the period: the note of a period
// in the finetune-0 row, and the rounding of glissando. A period below the whole row gives the
// last note.
int32_t note_index(const int16_t* row, int32_t period) {
  for (int32_t i = 0; i < kModNotes; ++i) {
    if (row[i] <= period) return i;
  }
  return kModNotes - 1;
}

int32_t note_period(int32_t finetune, int32_t period) {
  return kModPeriods[finetune][note_index(kModPeriods[0], period)];
}

int32_t period_step(const qmModPlayer* st, int32_t period) {
  if (period <= 0) return 0;
  int64_t divisor = int64_t(period) * st->internal_rate / 50;
  return int32_t(kStepConstant / divisor);
}

int32_t glissando_period(const qmModChannel& ch, int32_t period) {
  if (ch.glissando == 0) return period;
  const int16_t* row = kModPeriods[ch.finetune];
  return row[note_index(row, period)];
}

// Vibrato and tremolo waveforms: sine, ramp (1 and 3) and square, negated in the second half.
int32_t wave_value(int32_t waveform, int32_t position) {
  switch (waveform & 3) {
    case 0:
      return position < 32 ? kModSine[position] : -kModSine[position - 32];
    case 2:
      return position < 32 ? 255 : -255;
    default:
      return position < 32 ? 8 * position : 8 * position - 512;
  }
}

// ---- Opening ------------------------------------------------------------------------------------

int32_t count_patterns(const uint8_t* image) {
  int32_t highest = 0;
  for (size_t i = 0; i < 128; ++i) highest = std::max<int32_t>(highest, image[kOrderOffset + i]);
  return highest + 1;
}

// Sample headers and data. Each sample's data follows the previous one; a sample reaching past the
// file is cut at its end, and a loop is cut to its sample (a loop starting at or past the end is no
// loop), so that no position the mixer reads lies outside the file.
void open_samples(qmModPlayer* st, uint8_t* image, size_t size, size_t data_offset) {
  size_t offset = data_offset;
  for (int32_t i = 1; i <= kModSamples; ++i) {
    const uint8_t* h = image + 20 + 30 * size_t(i - 1);
    qmModSample& s = st->samples[i];
    std::memcpy(s.name, h, 22);
    s.name[22] = 0;
    const size_t bytes = size_t(get_be16(h + 22)) * 2;
    s.finetune = h[24] & 15;
    s.volume = std::min<int32_t>(h[25], kModMaxVolume);
    const size_t start = std::min(offset, size);
    const int64_t length = int64_t(std::min(bytes, size - start));
    s.data = reinterpret_cast<int8_t*>(image + start);
    offset += bytes;

    const int64_t loop_start = int64_t(get_be16(h + 26)) * 2;
    const int64_t loop_end = std::min(loop_start + int64_t(get_be16(h + 28)) * 2, length);
    s.length = int32_t(length * kModFrac);
    if (loop_start < length) {
      s.loop_start = int32_t(loop_start * kModFrac);
      s.loop_length = int32_t((loop_end - loop_start) * kModFrac);
      s.loop_end = int32_t(loop_end * kModFrac);
    }
  }
}

void unpack_patterns(qmModPlayer* st, const uint8_t* image) {
  const uint8_t* p = image + kHeaderSize;
  qmModCell* cell = st->patterns;
  for (size_t n = size_t(st->pattern_count) * kModRows * kModChannels; n > 0; --n, p += 4, ++cell) {
    const int32_t sample = (p[0] & 0xF0) + (p[2] >> 4);
    cell->period = (p[0] & 15) << 8 | p[1];
    cell->sample = sample <= kModSamples ? sample : 0;
    cell->effect = p[2] & 15;
    cell->param = p[3];
    cell->x = p[3] >> 4;
    cell->y = p[3] & 15;
  }
}

// ---- Rows ---------------------------------------------------------------------------------------

void mark_looped(qmModPlayer* st) {
  st->flags |= kModFlagLooped;
  if (st->flags & kModFlagStopAtLoop) ++st->loop_counter;
}

void set_song_position(qmModPlayer* st, int32_t position) {
  if (position >= st->song_length) {
    position = 0;
    mark_looped(st);
  }
  st->song_position = uint8_t(position);
}

void set_volume_slide(qmModChannel& ch, const qmModCell& cell) {
  ch.volume_slide = cell.x ? cell.x : -cell.y;
}

// E6x: E60 records the loop start row; E6x loops back to it x times.
void pattern_loop(qmModPlayer* st, qmModChannel& ch, int32_t count) {
  if (count == 0) {
    if (ch.loop_state == 0) {
      ch.loop_row = st->row;
      ch.loop_state = 1;
    }
    return;
  }
  if (ch.loop_state != 2) {
    ch.loop_count = count;
    ch.loop_state = 2;
  }
  if (ch.loop_count > 0) {
    st->loop_jump_row = int16_t(ch.loop_row);
    --ch.loop_count;
  } else {
    ch.loop_state = 0;
  }
}

void extended_effect(qmModPlayer* st, qmModChannel& ch, const qmModCell& cell,
                     int64_t old_position) {
  const int32_t y = cell.y;
  switch (cell.x) {
    case 0x0:
      if (st->flags & kModFlagFilterCommand) st->filter_on = (y & 1) == 0;
      break;
    case 0x1:
    case 0x2:
      if (y) {
        // Kept to a 16-bit range so that endless slides never overflow.
        ch.period = std::clamp(ch.period + (cell.x == 1 ? -y : y), 0, 0xFFFF);
        ch.step = period_step(st, ch.period);
      }
      break;
    case 0x3:
      ch.glissando = y;
      break;
    case 0x4:
      ch.vibrato_waveform = y;
      break;
    case 0x5:
      if (cell.period) {
        ch.finetune = y;
        ch.period = note_period(y, cell.period);
        ch.step = period_step(st, ch.period);
        ch.position = 0;
      }
      break;
    case 0x6:
      pattern_loop(st, ch, y);
      break;
    case 0x7:
      ch.tremolo_waveform = y;
      break;
    case 0x9:
      // Counted down from x + 1 like the cut and the delay, so that restarts fall on ticks 0, x,
      // 2x.
      ch.retrigger_interval = y;
      ch.delay_count = y ? y + 1 : 0;
      ch.position = 0;
      break;
    case 0xA:
      ch.volume = std::min(ch.volume + y, kModMaxVolume);
      break;
    case 0xB:
      ch.volume = std::max(ch.volume - y, 0);
      break;
    case 0xC:
      ch.cut_count = y + 1;
      break;
    case 0xD:
      if (cell.period) {
        ch.delay_count = y + 1;
        ch.position = old_position;
      }
      break;
    case 0xE:
      st->pattern_delay = uint8_t(y);
      break;
    case 0xF:
      ch.glissando = y << 4;
      break;
    default:
      break;
  }
}

void effect(qmModPlayer* st, qmModChannel& ch, const qmModCell& cell, int64_t old_position) {
  const int32_t d = cell.param;
  switch (cell.effect) {
    case 0x0:
      if (d) ch.arpeggio = d;
      break;
    case 0x1:
    case 0x2:
      ch.portamento = cell.effect == 1 ? -d : d;
      ch.flags |= kModSkipPitch;
      break;
    case 0x3:
      if (d) ch.porta_speed = d;
      if (cell.period) ch.porta_target = note_period(ch.finetune, cell.period);
      if (ch.porta_speed) ch.flags |= kModTonePorta | kModSkipPitch;
      break;
    case 0x4:
      if (cell.y) ch.vibrato_depth = cell.y;
      if (cell.x) ch.vibrato_memory = cell.x;
      ch.vibrato_speed = ch.vibrato_memory;
      ch.flags |= kModSkipPitch;
      break;
    case 0x5:
      set_volume_slide(ch, cell);
      if (cell.period) ch.porta_target = note_period(ch.finetune, cell.period);
      ch.flags |= kModTonePorta;
      break;
    case 0x6:
      set_volume_slide(ch, cell);
      ch.vibrato_speed = ch.vibrato_memory;
      ch.flags |= kModSkipPitch;
      break;
    case 0x7:
      if (cell.y) ch.tremolo_depth = 2 * cell.y;
      if (cell.x) ch.tremolo_memory = cell.x;
      ch.tremolo_speed = ch.tremolo_memory;
      break;
    case 0x9:
      if (cell.period) {
        if (d) ch.offset_memory = d * 256 * kModFrac;
        ch.position = ch.offset_memory;
      }
      break;
    case 0xA:
      set_volume_slide(ch, cell);
      break;
    case 0xB:
      if (d <= st->song_position) mark_looped(st);
      st->jump_position = int16_t(d);
      st->break_row = 0;
      break;
    case 0xC:
      ch.volume = std::min(d, kModMaxVolume);
      break;
    case 0xD: {
      const int32_t row = cell.x * 10 + cell.y;
      st->break_row = int16_t(row < kModRows ? row : 0);
      break;
    }
    case 0xE:
      extended_effect(st, ch, cell, old_position);
      break;
    case 0xF:
      if (d == 0) {
        mark_looped(st);
      } else if (d < 32) {
        st->speed = uint8_t(d);
      } else {
        st->tempo = uint8_t(d);
        st->samples_per_tick = st->internal_rate * 60 / (d * 24);
      }
      break;
    default:
      break;
  }
}

// The invert loop of EFx: at its speed, flips one byte after another of the sample's loop, in the
// file image itself.
void invert_loop(qmModPlayer* st, qmModChannel& ch) {
  const int32_t speed = ch.glissando >> 4;
  if (speed == 0) return;
  ch.invert_accumulator += kModInvertSpeeds[speed & 15];
  if (ch.invert_accumulator & 7) return;
  ch.invert_accumulator = 0;
  qmModSample& s = st->samples[ch.sample];
  if (++ch.invert_offset >= s.loop_length / kModFrac) ch.invert_offset = 0;
  const int32_t at = s.loop_start / kModFrac + ch.invert_offset;
  if (s.loop_start != 0 && at < s.length / kModFrac) s.data[at] = int8_t(~s.data[at]);
}

void read_cell(qmModPlayer* st, qmModChannel& ch, const qmModCell& cell) {
  const int32_t period = cell.period;
  int32_t sample = cell.sample;
  ch.saved_volume = ch.volume;
  if (sample) ch.last_sample = sample;

  // A note without a sample number keeps the volume; with effect 0, C or F it takes the last
  // sample named, otherwise it plays the channel's current one.
  const bool keep_volume = period && !sample;
  if (keep_volume && (cell.effect == 0 || cell.effect == 0xC || cell.effect == 0xF)) {
    sample = ch.last_sample;
  }

  if (period && cell.effect != 3) {
    ch.effective_period = ch.period;
  } else if (!period && ch.vibrato_speed && cell.effect != 4 && cell.effect != 6) {
    // The vibrato has ended: back to the note's own pitch.
    ch.effective_period = ch.period;
    ch.step = period_step(st, ch.period);
  }

  ch.flags &= ~kModTonePorta;
  ch.vibrato_speed = ch.tremolo_speed = 0;
  ch.volume_slide = ch.portamento = ch.arpeggio = 0;
  ch.delay_count = ch.retrigger_interval = 0;

  const int64_t old_position = ch.position;
  if (sample) {
    const qmModSample& s = st->samples[sample];
    if (period) {
      ch.sample = sample;
      ch.pending_sample = 0;
      ch.finetune = s.finetune;
    } else {
      ch.pending_sample = sample;
    }
    if (!keep_volume) ch.volume = s.volume;
  }
  if (period) {
    ch.vibrato_position = ch.tremolo_position = 0;
    ch.arpeggio_base = period;
    if (cell.effect != 3 && cell.effect != 5) {
      ch.period = ch.effective_period = ch.porta_target = note_period(ch.finetune, period);
      ch.step = period_step(st, ch.period);
      ch.position = 0;
    }
  }

  invert_loop(st, ch);
  effect(st, ch, cell, old_position);
}

// After a row: a pattern break or position jump leaves the pattern, a pattern loop goes back
// inside it, otherwise the next row follows.
void advance_row(qmModPlayer* st) {
  if (st->jump_position >= 0 || st->break_row >= 0) {
    const int32_t next = st->jump_position >= 0 ? st->jump_position : st->song_position + 1;
    st->row = uint8_t(st->break_row >= 0 ? st->break_row : 0);
    set_song_position(st, next);
  } else if (st->loop_jump_row >= 0) {
    st->row = uint8_t(st->loop_jump_row);
  } else {
    st->row = uint8_t((st->row + 1) % kModRows);
    if (st->row == 0) set_song_position(st, st->song_position + 1);
  }
}

void read_row(qmModPlayer* st) {
  const qmModCell* cells =
      st->patterns + (size_t(st->order[st->song_position]) * kModRows + st->row) * kModChannels;
  st->heard_position = st->song_position;
  st->heard_row = st->row;
  st->break_row = st->jump_position = st->loop_jump_row = -1;
  for (int32_t c = 0; c < kModChannels; ++c) read_cell(st, st->channels[c], cells[c]);
  advance_row(st);
}

// ---- Ticks --------------------------------------------------------------------------------------

void update_pitch(qmModPlayer* st, qmModChannel& ch) {
  if (ch.portamento) {
    ch.period = ch.effective_period =
        std::clamp(ch.effective_period + ch.portamento, kModPeriodMin, kModPeriodMax);
    ch.step = period_step(st, glissando_period(ch, ch.period));
  } else if (ch.flags & kModTonePorta) {
    const int32_t move = std::clamp(ch.porta_target - ch.period, -ch.porta_speed, ch.porta_speed);
    ch.period = ch.effective_period = std::clamp(ch.period + move, kModPeriodMin, kModPeriodMax);
    ch.step = period_step(st, glissando_period(ch, ch.period));
  } else if (ch.arpeggio) {
    int32_t index = note_index(kModPeriods[0], ch.arpeggio_base);
    switch (st->tick_counter % 3) {
      case 1:
        index += ch.arpeggio >> 4;
        break;
      case 2:
        index += ch.arpeggio & 15;
        break;
      default:
        break;
    }
    ch.step = period_step(st, kModPeriods[ch.finetune][std::min(index, kModNotes - 1)]);
  } else if (ch.vibrato_speed) {
    const int32_t value = wave_value(ch.vibrato_waveform, ch.vibrato_position);
    ch.vibrato_position = (ch.vibrato_position + ch.vibrato_speed) & 63;
    ch.effective_period =
        std::clamp(ch.period + value * ch.vibrato_depth / 128, kModPeriodMin, kModPeriodMax);
    ch.step = period_step(st, ch.effective_period);
  }
}

void update_volume(qmModChannel& ch) {
  if (ch.volume_slide) ch.volume = std::clamp(ch.volume + ch.volume_slide, 0, kModMaxVolume);
  if (ch.cut_count > 0 && --ch.cut_count == 0) ch.volume = 0;
  ch.effective_volume = ch.volume;
  if (ch.tremolo_speed) {
    const int32_t value = wave_value(ch.tremolo_waveform, ch.tremolo_position);
    ch.tremolo_position = (ch.tremolo_position + ch.tremolo_speed) & 63;
    ch.effective_volume = std::clamp(ch.volume + value * ch.tremolo_depth / 256, 0, kModMaxVolume);
  }
  if (ch.delay_count > 0 && --ch.delay_count == 0) {
    ch.position = 0;
    ch.delay_count = ch.retrigger_interval;
  }
}

void process_tick(qmModPlayer* st) {
  st->row_read = false;
  if (st->tick_counter == 0) {
    if (st->pattern_delay) {
      --st->pattern_delay;
    } else {
      read_row(st);
      st->row_read = true;
    }
    st->tick_counter = st->speed;
  }
  --st->tick_counter;
  for (qmModChannel& ch : st->channels) {
    if (ch.flags & kModSkipPitch) {
      ch.flags &= ~kModSkipPitch;
    } else {
      update_pitch(st, ch);
    }
    update_volume(ch);
  }
  if (st->watch) mod_probe_notify(st);
}

// ---- Mixing -------------------------------------------------------------------------------------

// Adds `run` reads of a sample to one side's sums (or both), with the volume and panning folded
// into one factor per side: panning x (data x volume) = data x (volume x panning).
template <bool kLeft, bool kRight>
int64_t mix_run(const int8_t* data, int64_t position, int32_t step, int32_t left_factor,
                int32_t right_factor, int32_t* left, int32_t* right, int32_t run) {
#pragma GCC unroll 4
  for (int32_t i = 0; i < run; ++i) {
    const int32_t value = data[position >> 14];
    if (kLeft) left[i] += value * left_factor;
    if (kRight) right[i] += value * right_factor;
    position += step;
  }
  return position;
}

// Adds n internal samples of one channel to the sums. Before every read the position is checked
// against the sample: past the loop end it wraps into the loop (where a pending sample takes
// over), past the end of a sample without a loop the channel falls silent. Between those checks
// it runs a stretch that cannot reach the bound.
void mix_channel(qmModPlayer* st, qmModChannel& ch, int32_t* left, int32_t* right, int32_t n) {
  int64_t position = ch.position;
  const int32_t step = ch.step;
  const int32_t left_factor = ch.effective_volume * ch.panning;
  const int32_t right_factor = ch.effective_volume * (255 - ch.panning);
  while (n > 0 && position >= 0) {
    const qmModSample* s = &st->samples[ch.sample];
    int64_t bound;
    if (s->loop_length > kModMinLoop) {
      if (position >= s->loop_end) {
        position = s->loop_start + (position - s->loop_start) % s->loop_length;
        if (ch.pending_sample) {
          ch.sample = ch.pending_sample;
          ch.pending_sample = 0;
          continue;
        }
      }
      bound = s->loop_end;
    } else {
      if (position >= s->length) {
        position = -1;
        break;
      }
      bound = s->length;
    }
    const int64_t reads = step > 0 ? (bound - position + step - 1) / step : n;
    const int32_t run = int32_t(std::min<int64_t>(reads, n));
    if (left_factor && right_factor) {
      position =
          mix_run<true, true>(s->data, position, step, left_factor, right_factor, left, right, run);
    } else if (left_factor) {
      position = mix_run<true, false>(s->data, position, step, left_factor, 0, left, right, run);
    } else if (right_factor) {
      position = mix_run<false, true>(s->data, position, step, 0, right_factor, left, right, run);
    } else {
      position += int64_t(step) * run;
    }
    left += run;
    right += run;
    n -= run;
  }
  ch.position = position;
}

// Two one-pole stages in a row over one side.
float lowpass(float* history, float gain, float feedback, float x) {
  const float y1 = (x + history[0]) * gain + feedback * history[1];
  const float y2 = (y1 + history[1]) * gain + feedback * history[2];
  history[0] = x;
  history[1] = y1;
  history[2] = y2;
  return y2;
}

// Clamped to 16 bits and truncated, without branches (the filter's output is never NaN).
int32_t clamp16(float y) {
  const __m128 v =
      _mm_max_ss(_mm_min_ss(_mm_set_ss(y), _mm_set_ss(32767.0f)), _mm_set_ss(-32768.0f));
  return _mm_cvttss_si32(v);
}

// Turns the sums of a run into the internal samples: divided by 128, filtered when the filter is
// on, clamped to 16 bits.
void finish_run(qmModPlayer* st, int32_t* left, int32_t* right, int32_t n) {
  if (!st->filter_on) {
    for (int32_t i = 0; i < n; ++i) {
      left[i] = std::max(-32768, std::min(left[i] / 128, 32767));
      right[i] = std::max(-32768, std::min(right[i] / 128, 32767));
    }
    return;
  }
  // Both sides in one loop: their two chains of dependent arithmetic overlap.
  const float gain = st->lowpass_gain, feedback = st->lowpass_feedback;
  float* history_left = st->filter_history[0];
  float* history_right = st->filter_history[1];
  for (int32_t i = 0; i < n; ++i) {
    left[i] = clamp16(lowpass(history_left, gain, feedback, float(left[i] / 128)));
    right[i] = clamp16(lowpass(history_right, gain, feedback, float(right[i] / 128)));
  }
}

// n internal samples, ticks included. The filter switches only at ticks, so each run between
// two ticks is finished with one filter state.
void mix(qmModPlayer* st, int32_t* left, int32_t* right, int32_t n) {
  for (int32_t i = 0; i < n;) {
    if (st->sample_counter >= st->samples_per_tick) {
      st->sample_counter -= st->samples_per_tick;
      process_tick(st);
    }
    const int32_t run = std::min(n - i, st->samples_per_tick - st->sample_counter);
    std::fill(left + i, left + i + run, 0);
    std::fill(right + i, right + i + run, 0);
    for (qmModChannel& ch : st->channels) mix_channel(st, ch, left + i, right + i, run);
    finish_run(st, left + i, right + i, run);
    st->sample_counter += run;
    i += run;
  }
}

// Each frame is the mean of two internal samples, scaled by the master volume.
inline int32_t frame_value(const int32_t* internal, int32_t i, int32_t master) {
  return (internal[2 * i] * master + internal[2 * i + 1] * master) / 512;
}

template <typename Sample, int32_t kShift, bool kMono>
void write_frames(const qmModPlayer* st, const int32_t* left, const int32_t* right,
                  uint8_t* out_left, uint8_t* out_right, int32_t stride, int32_t n) {
  const int32_t master = st->master_volume;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t l = frame_value(left, i, master), r = frame_value(right, i, master);
    const ptrdiff_t at = ptrdiff_t(i) * stride;
    if (kMono) {
      const Sample v = Sample(((l + r) / 2) / (1 << kShift));
      std::memcpy(out_left + at, &v, sizeof v);
    } else {
      const Sample a = Sample(l / (1 << kShift)), b = Sample(r / (1 << kShift));
      std::memcpy(out_left + at, &a, sizeof a);
      std::memcpy(out_right + at, &b, sizeof b);
    }
  }
}

// The channel layer's form, interleaved 16-bit stereo, as one array the compiler can vectorise.
void write_interleaved(const qmModPlayer* st, const int32_t* left, const int32_t* right,
                       int16_t* out, int32_t n) {
  const int32_t master = st->master_volume;
  for (int32_t i = 0; i < n; ++i) {
    out[2 * i] = int16_t(frame_value(left, i, master));
    out[2 * i + 1] = int16_t(frame_value(right, i, master));
  }
}

// Renders in passes of up to kBlock frames; write(sums_left, sums_right, frames done, frames) puts
// each pass where it belongs.
template <typename Write>
void render_passes(qmModPlayer* st, int32_t frames, Write write) {
  constexpr int32_t kBlock = 512;
  int32_t sums_left[2 * kBlock], sums_right[2 * kBlock];
  const bool silent = (st->flags & kModFlagStopAtLoop) && st->loop_counter > 0;
  for (int32_t done = 0; done < frames;) {
    const int32_t n = std::min(frames - done, kBlock);
    if (silent) {
      std::fill(sums_left, sums_left + 2 * n, 0);
      std::fill(sums_right, sums_right + 2 * n, 0);
    } else {
      mix(st, sums_left, sums_right, 2 * n);
    }
    write(sums_left, sums_right, done, n);
    done += n;
  }
}

}  // namespace

int32_t qmos_mod_open(qmModPlayer* st, uint8_t* image, size_t size, int32_t rate,
                      size_t* state_size) {
  if (rate < 1000 || rate > 1000000) return ERR_WRONGUSAGE;
  if (!image || size < kHeaderSize) return ERR_UNKNOWNMUSFMT;
  const int32_t patterns = count_patterns(image);
  const size_t data_offset = kHeaderSize + kPatternFileSize * size_t(patterns);
  if (size < data_offset) return ERR_UNKNOWNMUSFMT;
  if (!st) {
    if (state_size) *state_size = kModStateFixedSize + kModPatternStateSize * size_t(patterns);
    return 0;
  }

  std::memset(st, 0, sizeof *st);
  std::memcpy(st->title, image, 20);
  st->pattern_count = uint16_t(patterns);
  st->song_length = uint16_t(std::clamp<int32_t>(image[kSongLengthOffset], 1, 128));
  std::memcpy(st->order, image + kOrderOffset, 128);
  st->patterns = reinterpret_cast<qmModCell*>(reinterpret_cast<uint8_t*>(st) + kModStateFixedSize);
  st->image = image;
  st->image_size = size;
  st->flags = kModFlagFilterCommand;
  st->internal_rate = 2 * rate;
  st->master_volume = 256;
  for (int32_t c = 0; c < kModChannels; ++c) {
    st->channels[c].position = -1;
    st->channels[c].panning = (c == 1 || c == 2) ? 255 : 0;
  }

  const double w = std::atan(12566.370614359172 / rate);
  const double k = (1 - w) / (1 + w);
  st->lowpass_feedback = float(k);
  st->lowpass_gain = float((1 - k) / 2);

  unpack_patterns(st, image);
  open_samples(st, image, size, data_offset);

  st->speed = 6;
  st->tempo = 125;
  st->samples_per_tick = st->internal_rate / 50;
  st->sample_counter = st->samples_per_tick;  // the first tick comes with the first sample
  st->break_row = st->jump_position = st->loop_jump_row = -1;
  return 0;
}

void qmos_mod_render(qmModPlayer* st, void* left, void* right, int32_t stride, int32_t frames,
                     int32_t bits, int32_t channels) {
  uint8_t* out_left = static_cast<uint8_t*>(left);
  uint8_t* out_right = static_cast<uint8_t*>(right);
  const bool mono = channels == 1;
  if (bits != 8 && !mono && stride == 4 && out_right == out_left + 2 &&
      reinterpret_cast<uintptr_t>(left) % alignof(int16_t) == 0) {
    render_passes(st, frames, [&](const int32_t* l, const int32_t* r, int32_t done, int32_t n) {
      write_interleaved(st, l, r, reinterpret_cast<int16_t*>(out_left) + 2 * ptrdiff_t(done), n);
    });
    return;
  }
  auto write = bits == 8
                   ? (mono ? write_frames<int8_t, 8, true> : write_frames<int8_t, 8, false>)
                   : (mono ? write_frames<int16_t, 0, true> : write_frames<int16_t, 0, false>);
  render_passes(st, frames, [&](const int32_t* l, const int32_t* r, int32_t done, int32_t n) {
    const ptrdiff_t at = ptrdiff_t(done) * stride;
    write(st, l, r, out_left + at, mono ? nullptr : out_right + at, stride, n);
  });
}

void qmos_mod_fill_buffer(qmModPlayer* st, int16_t* buffer, int32_t frames) {
  if (st->jump_pending) {
    st->song_position = st->heard_position = st->jump_position_queued;
    st->row = st->heard_row = 0;
    st->jump_pending = 0;
  }
  qmos_mod_render(st, buffer, buffer + 1, 4, frames, 16, 2);
}

int32_t qmos_mod_row(const qmModPlayer* st) {
  return st->row;
}

int32_t qmos_mod_song_position(const qmModPlayer* st) {
  return st->song_position;
}

int32_t qmos_mod_heard_row(const qmModPlayer* st) { return st->heard_row; }

int32_t qmos_mod_heard_position(const qmModPlayer* st) { return st->heard_position; }

bool qmos_mod_queue_jump(qmModPlayer* st, int32_t position) {
  if (position < 0 || position >= st->song_length) return false;
  st->jump_position_queued = uint8_t(position);
  st->jump_pending = 1;
  return true;
}

}  // namespace qm
