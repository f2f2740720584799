// The mixer: the eight channels into one 48000 Hz signed 16-bit stereo buffer.
//
// Pan law: p = 0.5 for a pan of 128, else pan / 255; left = min(1, 2(1 - p)), right = min(1, 2p).
// The centre is unity on both sides, so a centred full-volume 48 kHz sample leaves the mixer
// bit-exact. The volume's gain is the cube root of volume / 64. Gains are kept in 1/65536.
//
// Resampling is linear interpolation between the frame at the position and the next one, the
// fraction in 1/2^32 frames kept across calls; at a step of exactly one frame the fraction stays 0
// and frames pass unchanged. The frame after a pass's last is the next pass's first, after a
// stream half's last the next half's first when it is there; else the last frame is held.
//
// Nothing here allocates, blocks or does I/O: the channel lock is only tried (a few times over),
// and a lock that stays busy gives a buffer of silence.
#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/endian.h"
#include "engine/numconv.h"
#include "platform/platform.h"
#include "sound/channels.h"
#include "sound/modplayer.h"

namespace qm {

using namespace channel_internal;

namespace {

struct Frame {
  int32_t l, r;
};

// Sample encodings.
enum Encoding { ENC_U8, ENC_S8, ENC_S16LE, ENC_S16BE };

template <int Enc>
inline int32_t value_at(const uint8_t* p) {
  if constexpr (Enc == ENC_U8) return (int32_t(*p) - 128) * 256;
  if constexpr (Enc == ENC_S8) return int32_t(int8_t(*p)) * 256;
  if constexpr (Enc == ENC_S16LE) return int16_t(get_le16(p));
  return int16_t(get_be16(p));
}

template <int Enc, int Channels>
inline Frame frame_at(const uint8_t* data, int64_t i) {
  constexpr int kBytes = (Enc == ENC_U8 || Enc == ENC_S8 ? 1 : 2) * Channels;
  const uint8_t* p = data + i * kBytes;
  const int32_t l = value_at<Enc>(p);
  if constexpr (Channels == 1) return {l, l};
  return {l, value_at<Enc>(p + kBytes / 2)};
}

// Plays frames of data from ch.position up to avail into acc; returns the output frames made,
// fewer than n when the position reached avail.
template <int Enc, int Channels>
int32_t mix_span(const uint8_t* data, int64_t avail, Frame tail, qmChannel& ch, int32_t* acc,
                 int32_t n) {
  int64_t pos = ch.position;
  uint32_t frac = ch.frac;
  const uint64_t step = ch.step;
  const int32_t gl = ch.gain_left, gr = ch.gain_right;
  int32_t i = 0;
  if (step == uint64_t(1) << 32 && frac == 0) {
    const int32_t k = int32_t(std::min<int64_t>(n, avail - pos));
    for (; i < k; ++i, ++pos) {
      const Frame a = frame_at<Enc, Channels>(data, pos);
      acc[2 * i] += (a.l * gl) >> 16;
      acc[2 * i + 1] += (a.r * gr) >> 16;
    }
  } else {
    for (; i < n && pos < avail; ++i) {
      const Frame a = frame_at<Enc, Channels>(data, pos);
      const Frame b = pos + 1 < avail ? frame_at<Enc, Channels>(data, pos + 1) : tail;
      const int32_t l = a.l + int32_t((int64_t(b.l - a.l) * frac) >> 32);
      const int32_t r = a.r + int32_t((int64_t(b.r - a.r) * frac) >> 32);
      acc[2 * i] += (l * gl) >> 16;
      acc[2 * i + 1] += (r * gr) >> 16;
      const uint64_t f = uint64_t(frac) + step;
      pos += int64_t(f >> 32);
      frac = uint32_t(f);
    }
  }
  ch.position = pos;
  ch.frac = frac;
  return i;
}

using SpanFn = int32_t (*)(const uint8_t*, int64_t, Frame, qmChannel&, int32_t*, int32_t);
using FrameFn = Frame (*)(const uint8_t*, int64_t);

struct Codec {
  SpanFn span;
  FrameFn frame;
};

template <int Enc, int Channels>
constexpr Codec codec_of() {
  return {mix_span<Enc, Channels>, frame_at<Enc, Channels>};
}

Codec codec_for(int32_t format, uint32_t flags) {
  const bool be = (flags & SAMPLE_BIG_ENDIAN) != 0;
  switch (format) {
    case SAMPLE_MONO8U:
      return codec_of<ENC_U8, 1>();
    case SAMPLE_STEREO8U:
      return codec_of<ENC_U8, 2>();
    case SAMPLE_MONO8:
      return codec_of<ENC_S8, 1>();
    case SAMPLE_STEREO8:
      return codec_of<ENC_S8, 2>();
    case SAMPLE_MONO16:
      return be ? codec_of<ENC_S16BE, 1>() : codec_of<ENC_S16LE, 1>();
    default:
      return be ? codec_of<ENC_S16BE, 2>() : codec_of<ENC_S16LE, 2>();
  }
}

int64_t now_us() {
  return platform_clock().now_us();
}

// A new pass of a sample channel begins: its loop event and start time.
void begin_pass(qmChannel& ch) {
  ch.start_pending = false;
  ch.start_time_us = now_us();
  if (event_wanted(SOUND_EVENT_SAMPLE_LOOP)) push_event(ch, SOUND_EVENT_SAMPLE_LOOP);
}

bool more_passes(const qmChannel& ch) {
  return ch.passes == 0 || ch.pass < ch.passes;
}

void render_sample(qmChannel& ch, int32_t* acc, int32_t n) {
  const qmSampleData* s = ch.sample;
  const auto* data = static_cast<const uint8_t*>(s->data);
  const Codec codec = codec_for(s->format, s->flags);
  int32_t done = 0;
  while (!ch.played_out) {
    if (ch.start_pending) begin_pass(ch);
    const int64_t avail = more_passes(ch) ? ch.frames : ch.last_pass_frames;
    if (ch.position >= avail) {
      if (!more_passes(ch) || ch.frames <= 0) {
        ch.played_out = true;
        break;
      }
      // A step past several passes at once (a tiny sample at a high pitch) counts each of them.
      int64_t k = ch.position / ch.frames;
      if (ch.passes != 0) k = std::min<int64_t>(k, ch.passes - ch.pass);
      ch.position -= k * ch.frames;
      int64_t j = 0;
      for (const bool each = event_wanted(SOUND_EVENT_SAMPLE_LOOP);
           each && j < k && ch.event_count < kChannelEventSlots - 1; ++j) {
        ++ch.pass;
        begin_pass(ch);
      }
      if (j < k) {
        // Passes past what the queue holds are counted without their events.
        ch.pass = int32_t(std::min<int64_t>(ch.pass + (k - j), INT32_MAX));
        ch.start_pending = false;
        ch.start_time_us = now_us();
      }
      continue;
    }
    if (done == n) break;
    const Frame tail = more_passes(ch) ? codec.frame(data, 0) : codec.frame(data, avail - 1);
    done += codec.span(data, avail, tail, ch, acc + 2 * done, n - done);
  }
}

void render_stream(qmChannel& ch, int32_t* acc, int32_t n) {
  if (ch.start_pending) {
    ch.start_pending = false;
    qmos_source_clock_start(ch.source);
  }
  int32_t done = 0;
  while (!ch.played_out && done < n) {
    StreamHalf half;
    if (!stream_half(&half)) break;  // not refilled yet: silence, and the stream goes on
    if (ch.position >= half.frames) {
      if (half.last) {
        ch.played_out = true;
        break;
      }
      ch.position -= half.frames;
      stream_half_done();
      continue;
    }
    const Codec codec = codec_for(half.format, half.flags);
    const Frame tail =
        half.next ? codec.frame(half.next, 0) : codec.frame(half.data, half.frames - 1);
    done += codec.span(half.data, half.frames, tail, ch, acc + 2 * done, n - done);
  }
}

int16_t g_module_frames[2 * kMixBufferFrames];

void render_module(qmChannel& ch, int32_t* acc, int32_t n) {
  qmos_mod_fill_buffer(ch.module->player, g_module_frames, n);
  for (int32_t i = 0; i < n; ++i) {
    acc[2 * i] += (g_module_frames[2 * i] * ch.gain_left) >> 16;
    acc[2 * i + 1] += (g_module_frames[2 * i + 1] * ch.gain_right) >> 16;
  }
}

int32_t g_acc[2 * kMixBufferFrames];
constexpr int32_t kLockTries = 4096;

void render_block(int16_t* out, int32_t n) {
  std::memset(g_acc, 0, sizeof(int32_t) * 2 * size_t(n));
  bool wake = false;
  qmChannel* table = channel_table();
  // The main thread holds the lock only for moments: a few more tries ride one out, and a lock
  // that stays busy (its holder descheduled) costs this buffer, never a wait.
  bool locked = channel_try_lock();
  for (int32_t spin = 0; !locked && spin < kLockTries; ++spin) {
    _mm_pause();
    locked = channel_try_lock();
  }
  if (locked) {
    for (int32_t c = 0; c < kChannelCount; ++c) {
      qmChannel& ch = table[c];
      if (ch.finished) continue;
      switch (ch.state) {
        case CHANNEL_SAMPLE:
          render_sample(ch, g_acc, n);
          break;
        case CHANNEL_MODULE:
          render_module(ch, g_acc, n);
          break;
        case CHANNEL_STREAM:
          render_stream(ch, g_acc, n);
          break;
        default:
          break;
      }
      if (ch.played_out) {
        ch.finished = true;
        if (ch.state == CHANNEL_SAMPLE && event_wanted(SOUND_EVENT_SAMPLE_END))
          push_event(ch, SOUND_EVENT_SAMPLE_END);
        if (ch.state == CHANNEL_STREAM && event_wanted(SOUND_EVENT_MUSIC_END))
          push_event(ch, SOUND_EVENT_MUSIC_END);
      }
      if (ch.finished || ch.event_count) wake = true;
    }
    movie_sound_mix(g_acc, n);
    channel_unlock();
  }
  for (int32_t i = 0; i < 2 * n; ++i) out[i] = int16_t(std::clamp(g_acc[i], -32768, 32767));
  if (wake && !g_attention.exchange(true)) platform_wake();
}

}  // namespace

void mixer_gains(int32_t volume, int32_t pan, int32_t* left, int32_t* right) {
  const double g = std::cbrt(std::clamp(volume, 0, 64) / 64.0);
  pan = std::clamp(pan, 0, 255);
  const double p = pan == 128 ? 0.5 : pan / 255.0;
  *left = to_i32(g * std::min(1.0, 2 * (1 - p)) * 65536 + 0.5);
  *right = to_i32(g * std::min(1.0, 2 * p) * 65536 + 0.5);
}

void mixer_render(int16_t* out, int32_t frames) {
  while (frames > 0) {
    const int32_t n = std::min(frames, kMixBufferFrames);
    render_block(out, n);
    out += 2 * n;
    frames -= n;
  }
}

}  // namespace qm
