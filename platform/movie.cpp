// Movies over libavformat, libavcodec and libswscale. See movie.h.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include "platform/movie.h"

#include "platform/ffmpeg_input.h"

#include <algorithm>
#include <iterator>
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
};

namespace {

void close_all(qmMovie* m) {
  sws_freeContext(m->sws);
  av_packet_free(&m->packet);
  av_frame_free(&m->frame);
  avcodec_free_context(&m->dec);
  ffmpeg_input_close(&m->input);
  m->fmt = nullptr;
}

int32_t open_demuxer(qmMovie* m) {
  const int32_t err = ffmpeg_input_open(&m->input, kFormatWhitelist, ERR_LOADVIDEO);
  if (err) return err;
  m->fmt = m->input.fmt;
  if (avformat_find_stream_info(m->fmt, nullptr) < 0) return ERR_LOADVIDEO;
  m->name = ffmpeg_format_name(m->fmt, kFormats, std::size(kFormats));
  return 0;
}

int32_t open_decoder(qmMovie* m) {
  m->stream = av_find_best_stream(m->fmt, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
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
  const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
  if (!codec) return ERR_LOADVIDEO;
  m->dec = avcodec_alloc_context3(codec);
  m->packet = av_packet_alloc();
  m->frame = av_frame_alloc();
  if (!m->dec || !m->packet || !m->frame) return ERR_MEM;
  if (avcodec_parameters_to_context(m->dec, st->codecpar) < 0) return ERR_LOADVIDEO;
  m->dec->pkt_timebase = st->time_base;
  // The codec's own worker threads stay inside it; large pictures need them.
  m->dec->thread_count = 0;
  if (avcodec_open2(m->dec, codec, nullptr) < 0) return ERR_LOADVIDEO;
  return 0;
}

// The frame list, when the container's index holds one entry per frame.
void list_frames(qmMovie* m) {
  AVStream* st = m->fmt->streams[m->stream];
  const int n = avformat_index_get_entries_count(st);
  if (n <= 0 || st->nb_frames != n) return;
  m->frame_pts.reserve(size_t(n));
  for (int i = 0; i < n; ++i) {
    const AVIndexEntry* e = avformat_index_get_entry(st, i);
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
    duration = av_rescale(m->fmt->duration, 1000, AV_TIME_BASE);
  } else if (st->duration > 0) {
    duration = av_rescale_q(st->duration, st->time_base, AVRational{1, 1000});
  }
  info->duration_ms = std::min<int64_t>(duration, 4294967295);
  info->seekable = m->input.io.seek != nullptr && (m->input.avio->seekable & AVIO_SEEKABLE_NORMAL);
  if (!m->frame_pts.empty()) {
    info->frames = int64_t(m->frame_pts.size());
  } else if (st->nb_frames > 0) {
    info->frames = st->nb_frames;
  } else if (st->avg_frame_rate.num > 0 && st->avg_frame_rate.den > 0) {
    info->frames = av_rescale(duration, st->avg_frame_rate.num, int64_t(st->avg_frame_rate.den) * 1000);
  }
  info->format = m->name;
}

// ---- Decoding ----------------------------------------------------------------------------------------

// The decoder's next frame into m->frame, in presentation order. False at the end of the stream
// or when it gives nothing but errors.
bool next_frame(qmMovie* m) {
  int bad = 0;
  for (;;) {
    const int r = avcodec_receive_frame(m->dec, m->frame);
    if (r == 0) {
      if (m->decoded >= 0) ++m->decoded;
      return true;
    }
    if (r == AVERROR_EOF || m->input_ended) return false;
    if (r != AVERROR(EAGAIN)) return false;
    for (;;) {
      const int read = av_read_frame(m->fmt, m->packet);
      if (read < 0) {
        avcodec_send_packet(m->dec, nullptr);
        m->input_ended = true;
        break;
      }
      if (m->packet->stream_index != m->stream) {
        av_packet_unref(m->packet);
        continue;
      }
      const int sent = avcodec_send_packet(m->dec, m->packet);
      av_packet_unref(m->packet);
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
    r = av_seek_frame(m->fmt, m->stream, INT64_MIN / 2, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY);
    if (r < 0) r = avformat_seek_file(m->fmt, -1, INT64_MIN, 0, 0, 0);
  } else {
    r = av_seek_frame(m->fmt, m->stream, pts, AVSEEK_FLAG_BACKWARD);
  }
  avcodec_flush_buffers(m->dec);
  m->input_ended = false;
  m->held = false;
  m->decoded = from_start && r >= 0 ? 0 : -1;
  return r >= 0;
}

int32_t convert(qmMovie* m) {
  const AVFrame* f = m->frame;
  m->sws = sws_getCachedContext(m->sws, f->width, f->height, AVPixelFormat(f->format), m->width,
                                m->height, AV_PIX_FMT_BGR0, SWS_BICUBIC, nullptr, nullptr, nullptr);
  if (!m->sws) return ERR_MEM;
  m->pixels.resize(size_t(m->width) * size_t(m->height));
  uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(m->pixels.data()), nullptr, nullptr, nullptr};
  int strides[4] = {m->width * 4, 0, 0, 0};
  if (sws_scale(m->sws, f->data, f->linesize, 0, f->height, planes, strides) <= 0) {
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
  const int64_t target = start + av_rescale_q(ms, AVRational{1, 1000}, st->time_base);
  if (m->held && m->held_pts == target) return 0;
  AVFrame* last = av_frame_alloc();
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
      av_frame_unref(last);
      av_frame_move_ref(last, m->frame);
      any = true;
      if (pts >= target) break;
    }
    if (any) break;
  }
  int32_t err = ERR_VIDEOFRAME;
  if (any) {
    av_frame_unref(m->frame);
    av_frame_move_ref(m->frame, last);
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
  av_frame_free(&last);
  return err;
}

}  // namespace

int32_t platform_movie_open(const qmMovieIO& io, qmMovie** out, qmMovieInfo* info) {
  ffmpeg_quiet();
  auto* m = new (std::nothrow) qmMovie;
  if (!m) return ERR_MEM;
  m->input.io = io;
  int32_t err = open_demuxer(m);
  if (!err) err = open_decoder(m);
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
  close_all(m);
  delete m;
}

int32_t platform_movie_get_frame(qmMovie* m, int64_t where, int32_t mode, const uint32_t** pixels,
                                 int32_t* width, int32_t* height, int32_t* row_words) {
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

}  // namespace qm
