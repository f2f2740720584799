// Converting and mixing the frames of whole samples.
#include "sound/sample_edit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"

namespace qm {

namespace {

// The value at index (counted in values, not frames) on the 16-bit scale.
inline int32_t read16(const uint8_t* data, const SampleLayout& l, int64_t index) {
  if (l.bits == 16) {
    const uint8_t* p = data + index * 2;
    return int16_t(l.big_endian ? get_be16(p) : get_le16(p));
  }
  return (l.is_signed ? int32_t(int8_t(data[index])) : int32_t(data[index]) - 128) * 256;
}

// Writes a value of the layout's own bit depth (signed) at index.
inline void write_native(uint8_t* out, const SampleLayout& l, int64_t index, int32_t v) {
  if (l.bits == 16) {
    uint8_t* p = out + index * 2;
    const uint16_t u = uint16_t(int16_t(v));
    l.big_endian ? put_be16(p, u) : put_le16(p, u);
  } else {
    out[index] = l.is_signed ? uint8_t(int8_t(v)) : uint8_t(v + 128);
  }
}

// A frame of the source on the 16-bit scale, mono read on both sides.
inline void read_frame16(const uint8_t* data, const SampleLayout& l, int64_t frame, int32_t* left,
                         int32_t* right) {
  if (l.channels == 2) {
    *left = read16(data, l, frame * 2);
    *right = read16(data, l, frame * 2 + 1);
  } else {
    *left = *right = read16(data, l, frame);
  }
}

// Writes a frame given on the 16-bit scale.
inline void write_frame16(uint8_t* out, const SampleLayout& to, int64_t frame, int32_t left,
                          int32_t right) {
  const int32_t shift = to.bits == 16 ? 0 : 8;
  if (to.channels == 2) {
    write_native(out, to, frame * 2, left >> shift);
    write_native(out, to, frame * 2 + 1, right >> shift);
  } else {
    write_native(out, to, frame, ((left + right) / 2) >> shift);
  }
}

}  // namespace

SampleLayout sample_layout(const qmSampleData* s) {
  return {s->bits, s->channels, (s->flags & SAMPLE_SIGNED) != 0,
          (s->flags & SAMPLE_BIG_ENDIAN) != 0};
}

SampleLayout format_layout(int32_t format) {
  const bool stereo =
      format == SAMPLE_STEREO8U || format == SAMPLE_STEREO8 || format == SAMPLE_STEREO16;
  return {format >= SAMPLE_MONO16 ? 16 : 8, stereo ? 2 : 1, format >= SAMPLE_MONO8, false};
}

int32_t convert_window_check(const qmSampleData* source, ConvertWindow* w) {
  if (w->offset < 0 || w->start < 0 || w->end < 0 || w->end > source->frames) return ERR_SMPRANGE;
  if (w->end == 0) w->end = source->frames;
  if (w->end > 0 && w->start >= w->end) return ERR_SMPRANGE;
  return 0;
}

void sample_convert(const qmSampleData* source, const ConvertWindow& w, const SampleLayout& to,
                    uint8_t* out, int64_t frames) {
  const SampleLayout from = sample_layout(source);
  const auto* data = static_cast<const uint8_t*>(source->data);
  const int64_t end = std::min<int64_t>(w.end, source->frames);
  const int64_t span = end - w.start;
  int64_t pos = w.offset;
  for (int64_t f = 0; f < frames; ++f) {
    if (pos >= end && w.loop && span > 0) pos = w.start + (pos - w.start) % span;
    int32_t left = 0, right = 0;
    if (pos < end) read_frame16(data, from, pos++, &left, &right);
    write_frame16(out, to, f, left, right);
  }
}

void sample_mix(const MixSource* sources, size_t count, int32_t pitch, const SampleLayout& to,
                uint8_t* out, int64_t frames) {
  constexpr int64_t kBlock = 4096;
  constexpr double kMostContribution = double(int64_t(1) << 40);
  struct State {
    // The place in the source: pos frames and rem / pitch of a frame, moving by step and
    // step_rem / pitch each output frame, so that any ratio of rates stays exact.
    int64_t pos = 0, rem = 0;
    int64_t step = 0, step_rem = 0;
    int64_t first = 0, last = 0;  // the output frames it adds to
    bool active = false;
    bool plain = true;  // scale 1
    SampleLayout layout;
  };
  std::vector<State> states(count);
  for (size_t i = 0; i < count; ++i) {
    const MixSource& m = sources[i];
    State& s = states[i];
    const int64_t n = m.sample->frames;
    const double offset = std::isfinite(m.offset) ? std::clamp(m.offset, 0.0, 9.0e15) : 0.0;
    const double whole = std::floor(offset);
    s.pos = to_i64(whole);
    s.rem = std::clamp<int64_t>(to_i64((offset - whole) * pitch), 0, pitch - 1);
    const int64_t src = std::max(m.pitch, 1);
    s.step = src / pitch;
    s.step_rem = src % pitch;
    s.first = std::max<int64_t>(m.threshold, 0);
    s.last = m.length < 0
                 ? frames
                 : std::min<int64_t>(frames, s.first + std::min<int64_t>(m.length, frames));
    s.active = n > 0 && (m.loop || s.pos < n);
    if (n > 0 && m.loop) s.pos %= n;
    s.plain = m.scale == 1.0;
    s.layout = sample_layout(m.sample);
  }
  std::vector<int64_t> acc(size_t(2 * std::min(kBlock, std::max<int64_t>(frames, 1))));
  for (int64_t block = 0; block < frames; block += kBlock) {
    const int64_t block_end = std::min(frames, block + kBlock);
    std::fill(acc.begin(), acc.end(), 0);
    for (size_t i = 0; i < count; ++i) {
      State& s = states[i];
      const MixSource& m = sources[i];
      const int64_t n = m.sample->frames;
      const auto* data = static_cast<const uint8_t*>(m.sample->data);
      const int64_t from = std::max(block, s.first), until = std::min(block_end, s.last);
      if (s.plain && s.step == 1 && s.step_rem == 0 && s.layout.bits == 16 && !s.layout.big_endian) {
        // Frame for frame from little-endian 16-bit data: runs up to the sample's end.
        const bool stereo = s.layout.channels == 2;
        for (int64_t f = from; f < until && s.active;) {
          const int64_t run = std::min(until - f, n - s.pos);
          int64_t* a = &acc[size_t(2 * (f - block))];
          if (stereo) {
            const uint8_t* p = data + s.pos * 4;
            for (int64_t k = 0; k < run; ++k) {
              a[2 * k] += int64_t(int16_t(get_le16(p + 4 * k))) * 256;
              a[2 * k + 1] += int64_t(int16_t(get_le16(p + 4 * k + 2))) * 256;
            }
          } else {
            const uint8_t* p = data + s.pos * 2;
            for (int64_t k = 0; k < run; ++k) {
              const int64_t v = int64_t(int16_t(get_le16(p + 2 * k))) * 256;
              a[2 * k] += v;
              a[2 * k + 1] += v;
            }
          }
          f += run;
          s.pos += run;
          if (s.pos >= n) {
            if (m.loop) s.pos %= n;
            else s.active = false;
          }
        }
        continue;
      }
      for (int64_t f = from; f < until && s.active; ++f) {
        int32_t l16 = 0, r16 = 0;
        read_frame16(data, s.layout, s.pos, &l16, &r16);
        int64_t l = int64_t(l16) * 256, r = int64_t(r16) * 256;
        if (!s.plain) {
          const auto scaled = [&](int64_t v) {
            const double c = double(v) * m.scale;
            if (std::isnan(c)) return int64_t(0);
            return to_i64(std::clamp(c, -kMostContribution, kMostContribution));
          };
          l = scaled(l);
          r = scaled(r);
        }
        int64_t* a = &acc[size_t(2 * (f - block))];
        a[0] += l;
        a[1] += r;
        s.pos += s.step;
        s.rem += s.step_rem;
        if (s.rem >= pitch) {
          s.rem -= pitch;
          ++s.pos;
        }
        if (s.pos >= n) {
          if (m.loop) {
            s.pos %= n;
          } else {
            s.active = false;
          }
        }
      }
    }
    const int64_t divisor = to.bits == 16 ? 256 : 65536;
    for (int64_t f = block; f < block_end; ++f) {
      const int64_t* a = &acc[size_t(2 * (f - block))];
      const int32_t l = int32_t(std::clamp<int64_t>(a[0], -8388608, 8388607) / divisor);
      const int32_t r = int32_t(std::clamp<int64_t>(a[1], -8388608, 8388607) / divisor);
      if (to.channels == 2) {
        write_native(out, to, f * 2, l);
        write_native(out, to, f * 2 + 1, r);
      } else {
        write_native(out, to, f, (l + r) / 2);
      }
    }
  }
}

}  // namespace qm
