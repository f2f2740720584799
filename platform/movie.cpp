// Movies over libavformat, libavcodec and libswscale. See movie.h.
#include "platform/movie.h"

#include "platform/ffmpeg_input.h"
#include "platform/movie_thread.h"
#include "platform/platform.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <memory>
#include <new>
#include <vector>

#include "engine/errcodes.h"

namespace qm {

namespace {

// Packets after which a decoder that gives no frame counts as dry.
constexpr int kMaxBadPackets = 1000;

constexpr FFmpegFormatName kFormats[] = {
    {"mov", "MPEG-4"}, {"matroska", "Matroska"}, {"avi", "AVI"},
    {"mpeg", "MPEG-PS"}, {"mpegts", "MPEG-TS"},  {"ogg", "Ogg"},
};
constexpr char kFormatWhitelist[] = "mov,matroska,avi,mpeg,mpegts,ogg";

}  // namespace

struct qmMovie {
  FFmpegInput input;
  AVFormatContext* fmt = nullptr;  // the input's
  AVCodecContext* dec = nullptr;
  AVPacket* packet = nullptr;
  AVFrame* frame = nullptr;
  SwsContext* sws = nullptr;
  int stream = -1;
  int32_t width = 0;
  int32_t height = 0;
  const char* name = "";

  // Time stamps of every frame in presentation order, when the container lists them all.
  std::vector<int64_t> frame_pts;
  int64_t start_pts = 0;

  // Decoding position: the number (from 1) of the last frame the decoder gave since the start,
  // 0 right after a rewind, -1 when unknown (after a seek by time stamp without a frame list).
  int64_t decoded = -1;
  bool input_ended = false;
  // The buffer and what it holds: a frame number (or -1) and its time stamp.
  std::vector<uint32_t> pixels;
  int64_t held_number = -1;
  int64_t held_pts = AV_NOPTS_VALUE;
  bool held = false;

  // The sound stream, when the movie has one that a decoder takes.
  int astream = -1;
  AVCodecContext* adec = nullptr;
  AVFrame* aframe = nullptr;
  SwrContext* swr = nullptr;
  int swr_format = -1, swr_rate = 0, swr_channels = 0;
  SwsContext* play_sws = nullptr;  // the decode thread's scaler

  // Playback: the shared record while the decode thread runs, and the main thread's clock.
  std::unique_ptr<MoviePlayback> play;
  const qmMovieSoundSink* sink = nullptr;
  int64_t from_ms = 0;
  int64_t start_us = 0;
  int64_t clock_ms = 0;         // the last time answered (never goes back while playing)
  int64_t sound_ms = -1;        // where the played sound stood at the last look
  int64_t sound_moved_us = 0;   // and when it last moved
  MovieFrame shown;             // the picture last handed out
};

namespace {

void close_all(qmMovie* m) {
  ff.sws_freeContext(m->sws);
  ff.sws_freeContext(m->play_sws);
  ff.swr_free(&m->swr);
  ff.av_frame_free(&m->aframe);
  ff.avcodec_free_context(&m->adec);
  ff.av_packet_free(&m->packet);
  ff.av_frame_free(&m->frame);
  ff.avcodec_free_context(&m->dec);
  ffmpeg_input_close(&m->input);
  m->fmt = nullptr;
}

int32_t open_demuxer(qmMovie* m) {
  const int32_t err = ffmpeg_input_open(&m->input, kFormatWhitelist, ERR_LOADVIDEO);
  if (err) return err;
  m->fmt = m->input.fmt;
  if (ff.avformat_find_stream_info(m->fmt, nullptr) < 0) return ERR_LOADVIDEO;
  m->name = ffmpeg_format_name(m->fmt, kFormats, std::size(kFormats));
  return 0;
}

int32_t open_decoder(qmMovie* m) {
  m->stream = ff.av_find_best_stream(m->fmt, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (m->stream < 0) return ERR_LOADVIDEO;
  AVStream* st = m->fmt->streams[m->stream];
  if (st->codecpar->width <= 0 || st->codecpar->height <= 0 ||
      st->codecpar->width > 16384 || st->codecpar->height > 16384) {
    return ERR_LOADVIDEO;
  }
  m->width = st->codecpar->width;
  m->height = st->codecpar->height;
  for (unsigned i = 0; i < m->fmt->nb_streams; ++i) {
    if (int(i) != m->stream) m->fmt->streams[i]->discard = AVDISCARD_ALL;
  }
  const AVCodec* codec = ff.avcodec_find_decoder(st->codecpar->codec_id);
  if (!codec) return ERR_LOADVIDEO;
  m->dec = ff.avcodec_alloc_context3(codec);
  m->packet = ff.av_packet_alloc();
  m->frame = ff.av_frame_alloc();
  if (!m->dec || !m->packet || !m->frame) return ERR_MEM;
  if (ff.avcodec_parameters_to_context(m->dec, st->codecpar) < 0) return ERR_LOADVIDEO;
  m->dec->pkt_timebase = st->time_base;
  // The codec's own worker threads stay inside it; large pictures need them.
  m->dec->thread_count = 0;
  if (ff.avcodec_open2(m->dec, codec, nullptr) < 0) return ERR_LOADVIDEO;
  return 0;
}

// The sound decoder: a movie whose sound no decoder takes plays silent.
void open_sound(qmMovie* m) {
  const int a = ff.av_find_best_stream(m->fmt, AVMEDIA_TYPE_AUDIO, -1, m->stream, nullptr, 0);
  if (a < 0) return;
  AVStream* st = m->fmt->streams[a];
  const AVCodec* codec = ff.avcodec_find_decoder(st->codecpar->codec_id);
  if (!codec) return;
  m->adec = ff.avcodec_alloc_context3(codec);
  m->aframe = ff.av_frame_alloc();
  if (!m->adec || !m->aframe || ff.avcodec_parameters_to_context(m->adec, st->codecpar) < 0) {
    ff.avcodec_free_context(&m->adec);
    ff.av_frame_free(&m->aframe);
    return;
  }
  m->adec->pkt_timebase = st->time_base;
  if (ff.avcodec_open2(m->adec, codec, nullptr) < 0) {
    ff.avcodec_free_context(&m->adec);
    ff.av_frame_free(&m->aframe);
    return;
  }
  m->astream = a;
}

// The frame list, when the container's index holds one entry per frame.
void list_frames(qmMovie* m) {
  AVStream* st = m->fmt->streams[m->stream];
  const int n = ff.avformat_index_get_entries_count(st);
  if (n <= 0 || st->nb_frames != n) return;
  m->frame_pts.reserve(size_t(n));
  for (int i = 0; i < n; ++i) {
    const AVIndexEntry* e = ff.avformat_index_get_entry(st, i);
    if (!e || e->timestamp == AV_NOPTS_VALUE) {
      m->frame_pts.clear();
      return;
    }
    m->frame_pts.push_back(e->timestamp);
  }
  std::sort(m->frame_pts.begin(), m->frame_pts.end());
}

void describe(const qmMovie* m, qmMovieInfo* info) {
  const AVStream* st = m->fmt->streams[m->stream];
  info->width = m->width;
  info->height = m->height;
  int64_t duration = 0;
  if (m->fmt->duration > 0) {
    duration = ff.av_rescale(m->fmt->duration, 1000, AV_TIME_BASE);
  } else if (st->duration > 0) {
    duration = ff.av_rescale_q(st->duration, st->time_base, AVRational{1, 1000});
  }
  info->duration_ms = std::min<int64_t>(duration, 4294967295);
  info->seekable = m->input.io.seek != nullptr && (m->input.avio->seekable & AVIO_SEEKABLE_NORMAL);
  if (!m->frame_pts.empty()) {
    info->frames = int64_t(m->frame_pts.size());
  } else if (st->nb_frames > 0) {
    info->frames = st->nb_frames;
  } else if (st->avg_frame_rate.num > 0 && st->avg_frame_rate.den > 0) {
    info->frames = ff.av_rescale(duration, st->avg_frame_rate.num, int64_t(st->avg_frame_rate.den) * 1000);
  }
  info->format = m->name;
}

// ---- Decoding ----------------------------------------------------------------------------------------

// The decoder's next frame into m->frame, in presentation order. False at the end of the stream
// or when it gives nothing but errors.
bool next_frame(qmMovie* m) {
  int bad = 0;
  for (;;) {
    const int r = ff.avcodec_receive_frame(m->dec, m->frame);
    if (r == 0) {
      if (m->decoded >= 0) ++m->decoded;
      return true;
    }
    if (r == AVERROR_EOF || m->input_ended) return false;
    if (r != AVERROR(EAGAIN)) return false;
    for (;;) {
      const int read = ff.av_read_frame(m->fmt, m->packet);
      if (read < 0) {
        ff.avcodec_send_packet(m->dec, nullptr);
        m->input_ended = true;
        break;
      }
      if (m->packet->stream_index != m->stream) {
        ff.av_packet_unref(m->packet);
        continue;
      }
      const int sent = ff.avcodec_send_packet(m->dec, m->packet);
      ff.av_packet_unref(m->packet);
      if (sent < 0 && sent != AVERROR(EAGAIN) && ++bad > kMaxBadPackets) return false;
      break;
    }
  }
}

int64_t frame_pts(const AVFrame* frame) {
  return frame->best_effort_timestamp != AV_NOPTS_VALUE ? frame->best_effort_timestamp : frame->pts;
}

// Repositions the demuxer at the key frame at or before pts and empties the decoder. from_start:
// the position is the very beginning, so frames are counted again.
bool seek_to(qmMovie* m, int64_t pts, bool from_start) {
  int r = 0;
  if (from_start) {
    r = ff.av_seek_frame(m->fmt, m->stream, INT64_MIN / 2, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY);
    if (r < 0) r = ff.avformat_seek_file(m->fmt, -1, INT64_MIN, 0, 0, 0);
  } else {
    r = ff.av_seek_frame(m->fmt, m->stream, pts, AVSEEK_FLAG_BACKWARD);
  }
  ff.avcodec_flush_buffers(m->dec);
  m->input_ended = false;
  m->held = false;
  m->decoded = from_start && r >= 0 ? 0 : -1;
  return r >= 0;
}

int32_t convert(qmMovie* m) {
  const AVFrame* f = m->frame;
  m->sws = ff.sws_getCachedContext(m->sws, f->width, f->height, AVPixelFormat(f->format), m->width,
                                m->height, AV_PIX_FMT_BGR0, SWS_BICUBIC, nullptr, nullptr, nullptr);
  if (!m->sws) return ERR_MEM;
  m->pixels.resize(size_t(m->width) * size_t(m->height));
  uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(m->pixels.data()), nullptr, nullptr, nullptr};
  int strides[4] = {m->width * 4, 0, 0, 0};
  if (ff.sws_scale(m->sws, f->data, f->linesize, 0, f->height, planes, strides) <= 0) {
    return ERR_VIDEOFRAME;
  }
  m->held = true;
  m->held_pts = frame_pts(f);
  m->held_number = m->decoded;
  return 0;
}

int32_t frame_by_number(qmMovie* m, int64_t n) {
  if (n < 1) return ERR_VIDEOFRAME;
  if (m->held && m->held_number == n) return 0;
  if (!m->frame_pts.empty()) {
    if (n > int64_t(m->frame_pts.size())) return ERR_VIDEOFRAME;
    const int64_t target = m->frame_pts[size_t(n - 1)];
    // Forward from where the decoder is when that is on the way; else from the key frame.
    const bool ahead = m->held && m->held_pts != AV_NOPTS_VALUE && m->held_pts < target &&
                       m->decoded >= 0 && n - m->decoded < 64;
    if (!ahead && !seek_to(m, target, n == 1)) return ERR_VIDEOFRAME;
    while (next_frame(m)) {
      const int64_t pts = frame_pts(m->frame);
      if (pts < target) continue;
      if (pts > target) break;  // the list and the stream disagree: count from the start
      m->decoded = n;
      return convert(m);
    }
  }
  if (m->decoded < 0 || m->decoded >= n) {
    if (!seek_to(m, 0, true)) return ERR_VIDEOFRAME;
  }
  while (m->decoded < n) {
    if (!next_frame(m)) return ERR_VIDEOFRAME;
  }
  return convert(m);
}

int32_t frame_by_time(qmMovie* m, int64_t ms) {
  if (ms < 0) return ERR_VIDEOFRAME;
  const AVStream* st = m->fmt->streams[m->stream];
  const int64_t start = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
  const int64_t target = start + ff.av_rescale_q(ms, AVRational{1, 1000}, st->time_base);
  if (m->held && m->held_pts == target) return 0;
  AVFrame* last = ff.av_frame_alloc();
  if (!last) return ERR_MEM;
  bool any = false;
  // Containers without an index (program streams, transport streams) seek by bytes and may land
  // past the time: then the frames are decoded from the start instead.
  for (bool from_start : {false, true}) {
    if (!seek_to(m, target, from_start)) continue;
    bool first = true;
    while (next_frame(m)) {
      const int64_t pts = frame_pts(m->frame);
      if (first && pts > target && !from_start) break;
      first = false;
      if (any && pts > target) break;
      ff.av_frame_unref(last);
      ff.av_frame_move_ref(last, m->frame);
      any = true;
      if (pts >= target) break;
    }
    if (any) break;
  }
  int32_t err = ERR_VIDEOFRAME;
  if (any) {
    ff.av_frame_unref(m->frame);
    ff.av_frame_move_ref(m->frame, last);
    if (!m->frame_pts.empty()) {
      const auto at = std::lower_bound(m->frame_pts.begin(), m->frame_pts.end(), frame_pts(m->frame));
      m->decoded = at != m->frame_pts.end() && *at == frame_pts(m->frame)
                       ? int64_t(at - m->frame_pts.begin()) + 1
                       : -1;
    } else {
      m->decoded = -1;
    }
    err = convert(m);
  }
  ff.av_frame_free(&last);
  return err;
}

}  // namespace

int32_t platform_movie_open(const qmMovieIO& io, qmMovie** out, qmMovieInfo* info) {
  if (!ffmpeg_load()) return ERR_LOADVIDEO;
  auto* m = new (std::nothrow) qmMovie;
  if (!m) return ERR_MEM;
  m->input.io = io;
  int32_t err = open_demuxer(m);
  if (!err) err = open_decoder(m);
  if (!err) open_sound(m);
  if (err) {
    platform_movie_close(m);
    return err;
  }
  list_frames(m);
  describe(m, info);
  *out = m;
  return 0;
}

bool platform_movie_probe(const qmMovieIO& io) {
  qmMovie* m = nullptr;
  qmMovieInfo info;
  if (platform_movie_open(io, &m, &info) != 0) return false;
  platform_movie_close(m);
  return true;
}

void platform_movie_close(qmMovie* m) {
  if (!m) return;
  platform_movie_stop(m);
  close_all(m);
  delete m;
}

int32_t platform_movie_get_frame(qmMovie* m, int64_t where, int32_t mode, const uint32_t** pixels,
                                 int32_t* width, int32_t* height, int32_t* row_words) {
  platform_movie_stop(m);
  int32_t err = ERR_VIDEOFRAME;
  if (mode == MOVIE_FRAME_BY_NUMBER) {
    err = frame_by_number(m, where);
  } else if (mode == MOVIE_FRAME_BY_TIME) {
    err = frame_by_time(m, where);
  }
  if (err) return err;
  *pixels = m->pixels.data();
  *width = m->width;
  *height = m->height;
  *row_words = m->width;
  return 0;
}


// ---- Playback ----------------------------------------------------------------------------------------

namespace {

constexpr int32_t kSoundRate = 48000;
// Pictures decoded ahead: up to a second at 25 frames, and no more than 24 MB of them.
constexpr size_t kMaxQueued = 25;
constexpr size_t kMaxQueuedBytes = size_t(24) << 20;
// How far the Clock carries the movie time past the played sound between the sound's steps, and
// how long the sound may stand still before the Clock carries the time on again.
constexpr int64_t kSoundStepUs = 50000;
constexpr int64_t kSoundStallUs = 100000;
// A picture due further ahead than a day is waited for a day at a time.
constexpr int64_t kFarAheadMs = int64_t(24) * 3600 * 1000;

// The movie's start on every stream's clock: the container's, else 0.
int64_t stream_ms(const qmMovie* m, int stream, int64_t pts) {
  const AVStream* st = m->fmt->streams[stream];
  int64_t start = 0;
  if (m->fmt->start_time != AV_NOPTS_VALUE) {
    start = ff.av_rescale_q(m->fmt->start_time, AVRational{1, AV_TIME_BASE}, st->time_base);
  } else if (st->start_time != AV_NOPTS_VALUE) {
    start = st->start_time;
  }
  return ff.av_rescale_q(pts - start, st->time_base, AVRational{1, 1000});
}

// Waits on the shared record up to ms; false once a stop was asked for.
bool pause_thread(MoviePlayback& p, std::unique_lock<std::mutex>& hold, int ms) {
  if (p.stop) return false;
  p.changed.wait_for(hold, std::chrono::milliseconds(ms));
  return !p.stop;
}

bool stopping(MoviePlayback& p) {
  std::lock_guard<std::mutex> hold(p.lock);
  return p.stop;
}

// Scales the decoded picture into a queue entry and waits for room to queue it.
void queue_picture(qmMovie* m, const AVFrame* f) {
  MoviePlayback& p = *m->play;
  const int64_t pts = frame_pts(f);
  MovieFrame out;
  int32_t w = 0, h = 0;
  {
    std::lock_guard<std::mutex> hold(p.lock);
    w = p.width;
    h = p.height;
    if (!p.spare.empty()) {
      out = std::move(p.spare.back());
      p.spare.pop_back();
    }
  }
  m->play_sws = ff.sws_getCachedContext(m->play_sws, f->width, f->height, AVPixelFormat(f->format), w, h,
                                     AV_PIX_FMT_BGR0, SWS_BICUBIC, nullptr, nullptr, nullptr);
  if (!m->play_sws) return;
  try {
    out.pixels.resize(size_t(w) * size_t(h));
  } catch (const std::bad_alloc&) {
    return;
  }
  uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(out.pixels.data()), nullptr, nullptr, nullptr};
  int strides[4] = {w * 4, 0, 0, 0};
  if (ff.sws_scale(m->play_sws, f->data, f->linesize, 0, f->height, planes, strides) <= 0) return;
  out.width = w;
  out.height = h;
  out.ms = pts == AV_NOPTS_VALUE ? 0 : stream_ms(m, m->stream, pts);
  const size_t bytes = out.pixels.size() * 4;
  std::unique_lock<std::mutex> hold(p.lock);
  while (!p.frames.empty() &&
         (p.frames.size() >= kMaxQueued || (p.frames.size() + 1) * bytes > kMaxQueuedBytes)) {
    if (!pause_thread(p, hold, 20)) return;
  }
  p.frames.push_back(std::move(out));
  hold.unlock();
  platform_wake();
}

// The decoded sound as 48 kHz stereo into the sink, from the playback's start on.
void queue_sound(qmMovie* m, const AVFrame* f) {
  MoviePlayback& p = *m->play;
  const int channels = f->ch_layout.nb_channels;
  if (channels < 1) return;
  if (!m->swr || m->swr_format != f->format || m->swr_rate != f->sample_rate || m->swr_channels != channels) {
    ff.swr_free(&m->swr);
    AVChannelLayout in{}, out{};
    if (f->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
      ff.av_channel_layout_default(&in, channels);
    } else if (ff.av_channel_layout_copy(&in, &f->ch_layout) < 0) {
      return;
    }
    ff.av_channel_layout_default(&out, 2);
    const int r = ff.swr_alloc_set_opts2(&m->swr, &out, AV_SAMPLE_FMT_S16, kSoundRate, &in,
                                      AVSampleFormat(f->format), f->sample_rate, 0, nullptr);
    ff.av_channel_layout_uninit(&in);
    ff.av_channel_layout_uninit(&out);
    if (r < 0 || ff.swr_init(m->swr) < 0) {
      ff.swr_free(&m->swr);
      return;
    }
    m->swr_format = f->format;
    m->swr_rate = f->sample_rate;
    m->swr_channels = channels;
  }
  const int room = ff.swr_get_out_samples(m->swr, f->nb_samples);
  if (room <= 0) return;
  std::vector<int16_t> buffer(size_t(room) * 2);
  uint8_t* outp[1] = {reinterpret_cast<uint8_t*>(buffer.data())};
  const int got = ff.swr_convert(m->swr, outp, room, const_cast<const uint8_t**>(f->extended_data), f->nb_samples);
  if (got <= 0) return;
  // Sound before the start position is not played.
  int64_t skip = 0;
  const int64_t pts = frame_pts(f);
  if (pts != AV_NOPTS_VALUE) {
    const int64_t at = stream_ms(m, m->astream, pts) * (kSoundRate / 1000);
    skip = std::clamp<int64_t>(m->from_ms * (kSoundRate / 1000) - at, 0, got);
  }
  const int16_t* data = buffer.data() + skip * 2;
  int64_t left = got - skip;
  while (left > 0) {
    const int32_t n = m->sink->write(data, int32_t(left));
    p.sound_written.fetch_add(n, std::memory_order_release);
    data += int64_t(n) * 2;
    left -= n;
    if (left > 0) {
      std::unique_lock<std::mutex> hold(p.lock);
      if (!pause_thread(p, hold, 5)) return;
    }
  }
}

void drain(qmMovie* m, AVCodecContext* dec, AVFrame* f, bool picture) {
  while (ff.avcodec_receive_frame(dec, f) == 0) {
    if (picture) {
      queue_picture(m, f);
    } else if (m->sink) {
      queue_sound(m, f);
    }
    ff.av_frame_unref(f);
    if (stopping(*m->play)) return;
  }
}

void decode_thread(qmMovie* m) {
  MoviePlayback& p = *m->play;
  if (m->from_ms > 0) {
    int64_t ts = ff.av_rescale(m->from_ms, AV_TIME_BASE, 1000);
    if (m->fmt->start_time != AV_NOPTS_VALUE) ts += m->fmt->start_time;
    if (ff.avformat_seek_file(m->fmt, -1, INT64_MIN, ts, ts, 0) < 0) seek_to(m, 0, true);
  } else {
    seek_to(m, 0, true);
  }
  ff.avcodec_flush_buffers(m->dec);
  if (m->adec) ff.avcodec_flush_buffers(m->adec);
  int bad = 0;
  while (!stopping(p)) {
    if (ff.av_read_frame(m->fmt, m->packet) < 0) {
      ff.avcodec_send_packet(m->dec, nullptr);
      drain(m, m->dec, m->frame, true);
      if (m->adec && m->sink) {
        ff.avcodec_send_packet(m->adec, nullptr);
        drain(m, m->adec, m->aframe, false);
      }
      break;
    }
    AVCodecContext* dec = nullptr;
    if (m->packet->stream_index == m->stream) {
      dec = m->dec;
    } else if (m->packet->stream_index == m->astream && m->sink) {
      dec = m->adec;
    }
    if (dec) {
      const int sent = ff.avcodec_send_packet(dec, m->packet);
      if (sent < 0 && sent != AVERROR(EAGAIN) && ++bad > kMaxBadPackets) {
        ff.av_packet_unref(m->packet);
        break;
      }
    }
    ff.av_packet_unref(m->packet);
    if (dec) drain(m, dec, dec == m->dec ? m->frame : m->aframe, dec == m->dec);
  }
  std::lock_guard<std::mutex> hold(p.lock);
  p.dry = true;
}

}  // namespace

bool platform_movie_has_sound(const qmMovie* m) { return m->astream >= 0; }

bool platform_movie_playing(const qmMovie* m) { return m->play != nullptr; }

int32_t platform_movie_play(qmMovie* m, int64_t from_ms, int32_t width, int32_t height,
                            const qmMovieSoundSink* sink) {
  platform_movie_stop(m);
  auto play = std::unique_ptr<MoviePlayback>(new (std::nothrow) MoviePlayback);
  if (!play) return ERR_MEM;
  play->width = std::max(width, 1);
  play->height = std::max(height, 1);
  m->sink = m->astream >= 0 && sink && sink->write && sink->queued ? sink : nullptr;
  if (m->astream >= 0) m->fmt->streams[m->astream]->discard = m->sink ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
  m->from_ms = std::max<int64_t>(from_ms, 0);
  m->start_us = platform_clock().now_us();
  m->clock_ms = m->from_ms;
  m->sound_ms = -1;
  m->sound_moved_us = m->start_us;
  m->held = false;
  m->decoded = -1;
  m->play = std::move(play);
  try {
    m->play->thread = std::thread(decode_thread, m);
  } catch (const std::system_error&) {
    m->play.reset();
    return ERR_MEM;
  }
  return 0;
}

void platform_movie_stop(qmMovie* m) {
  if (!m->play) return;
  {
    std::lock_guard<std::mutex> hold(m->play->lock);
    m->play->stop = true;
  }
  m->play->changed.notify_all();
  m->play->thread.join();
  m->play.reset();
  m->sink = nullptr;
  if (m->astream >= 0) m->fmt->streams[m->astream]->discard = AVDISCARD_ALL;
  ff.avcodec_flush_buffers(m->dec);
  if (m->adec) ff.avcodec_flush_buffers(m->adec);
  m->input_ended = false;
  m->held = false;
  m->decoded = -1;
}

namespace {

// Microseconds on the clock since the movie time's source last moved, and what the movie time
// has added to it since: the played sound moves in the device's steps, and between two steps the
// Clock carries the time on for up to kSoundStepUs; sound that stands still for longer (before
// it starts, in a gap, after its end) holds the time there until kSoundStallUs, after which the
// Clock carries it on again. A silent movie follows the Clock alone.
int64_t carried_us(const qmMovie* m, int64_t elapsed_us) {
  if (!m->sink) return elapsed_us;
  if (elapsed_us <= kSoundStepUs) return elapsed_us;
  if (elapsed_us <= kSoundStallUs) return kSoundStepUs;
  return kSoundStepUs + elapsed_us - kSoundStallUs;
}

// The inverse: how long after the source's last move the time has added `us`.
int64_t elapsed_for_us(const qmMovie* m, int64_t us) {
  if (!m->sink || us <= kSoundStepUs) return us;
  return kSoundStallUs + us - kSoundStepUs;
}

// The movie time's source: where it stood (ms) and when it got there (clock microseconds).
void time_source(qmMovie* m, int64_t now, int64_t* at_ms, int64_t* since_us) {
  *at_ms = m->from_ms;
  *since_us = m->start_us;
  if (!m->sink) return;
  const int64_t played = m->play->sound_written.load(std::memory_order_acquire) - m->sink->queued();
  const int64_t sound = m->from_ms + std::max<int64_t>(played, 0) * 1000 / kSoundRate;
  if (sound != m->sound_ms) {
    m->sound_ms = sound;
    m->sound_moved_us = now;
  }
  *at_ms = m->sound_ms;
  *since_us = m->sound_moved_us;
}

}  // namespace

int64_t platform_movie_get_time(qmMovie* m) {
  if (!m->play) return m->clock_ms;
  const int64_t now = platform_clock().now_us();
  int64_t at = 0, since = 0;
  time_source(m, now, &at, &since);
  m->clock_ms = std::max(m->clock_ms, at + carried_us(m, now - since) / 1000);
  return m->clock_ms;
}

int64_t platform_movie_next_due_us(qmMovie* m) {
  if (!m->play) return -1;
  int64_t due_ms = 0;
  {
    std::lock_guard<std::mutex> hold(m->play->lock);
    if (m->play->frames.empty()) return -1;
    due_ms = m->play->frames.front().ms;
  }
  if (platform_movie_get_time(m) >= due_ms) return 0;
  const int64_t now = platform_clock().now_us();
  int64_t at = 0, since = 0;
  time_source(m, now, &at, &since);
  // A time stamp from a damaged file may lie ages ahead: no wait is that long.
  const int64_t ahead_ms = std::min<int64_t>(due_ms - at, kFarAheadMs);
  return std::max<int64_t>(since + elapsed_for_us(m, ahead_ms * 1000) - now, 0);
}

bool platform_movie_due_frame(qmMovie* m, const uint32_t** pixels, int32_t* width, int32_t* height) {
  if (!m->play) return false;
  const int64_t now = platform_movie_get_time(m);
  MoviePlayback& p = *m->play;
  bool got = false;
  {
    std::lock_guard<std::mutex> hold(p.lock);
    while (!p.frames.empty() && p.frames.front().ms <= now) {
      if (!m->shown.pixels.empty()) p.spare.push_back(std::move(m->shown));
      m->shown = std::move(p.frames.front());
      p.frames.pop_front();
      got = true;
    }
    while (p.spare.size() > 2) p.spare.pop_back();
  }
  if (!got) return false;
  p.changed.notify_all();
  *pixels = m->shown.pixels.data();
  *width = m->shown.width;
  *height = m->shown.height;
  return true;
}

int32_t platform_movie_queued(qmMovie* m, bool* dry) {
  *dry = false;
  if (!m->play) return 0;
  std::lock_guard<std::mutex> hold(m->play->lock);
  *dry = m->play->dry;
  return int32_t(m->play->frames.size());
}

int64_t platform_movie_shown_ms(const qmMovie* m) {
  return m->shown.ms;
}

void platform_movie_set_size(qmMovie* m, int32_t width, int32_t height) {
  if (!m->play) return;
  std::lock_guard<std::mutex> hold(m->play->lock);
  m->play->width = std::max(width, 1);
  m->play->height = std::max(height, 1);
  m->play->spare.clear();
}

bool platform_movie_finished(qmMovie* m) {
  if (!m->play) return false;
  {
    std::lock_guard<std::mutex> hold(m->play->lock);
    if (!m->play->dry || !m->play->frames.empty()) return false;
  }
  return !m->sink || m->sink->queued() == 0;
}

}  // namespace qm
