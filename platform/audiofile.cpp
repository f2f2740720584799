// The platform audio-file source over FFmpeg: a demuxer on our own IO, the first audio stream's
// decoder, and libswresample where the decoded frames are not already our output format.
//
// Positions: frames are counted from the first one a read from the start delivers. A seek puts
// the demuxer at least a second (the preroll) before the target, so that the decoder's state
// (overlaps, bit reservoirs, filter memories) is that of a read from the start again by the
// target, and drops the decoded frames up to it; the first frame's index comes from its time
// stamp. Time stamps are trusted only while they agree with the frames counted since the start;
// otherwise, and near the start, a seek opens the file again and decodes from its beginning.
#include "platform/audiofile.h"
#include "platform/ffmpeg_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <new>
#include <vector>

#include "engine/errcodes.h"

namespace qm {

namespace {

// Consecutive decoder errors after which a stream counts as ended.
constexpr int kMaxErrors = 1000;

// The demuxers that may open a file, and the names the driver gives their formats.
constexpr FFmpegFormatName kFormats[] = {
    {"wav", "RIFF WAVE"}, {"aiff", "AIFF"},       {"au", "NeXT"},    {"mp3", "MPEG Audio"},
    {"mov", "MPEG Audio"}, {"ac3", "AC-3"},       {"aac", "AAC ADTS"}, {"caf", "Core Audio"},
    {"flac", "FLAC"},     {"ogg", "Ogg"},
};
constexpr char kFormatWhitelist[] = "wav,aiff,au,mp3,mov,ac3,aac,caf,flac,ogg";

}  // namespace

struct qmAudioFile {
  FFmpegInput input;
  bool aifc = false;  // the file is a FORM of type AIFC
  const char* name = "";

  AVCodecContext* dec = nullptr;
  AVPacket* packet = nullptr;
  AVFrame* frame = nullptr;
  int stream = -1;
  AVRational time_base{1, 1};

  // Output.
  int32_t rate = 0;
  int32_t channels = 0;
  int32_t bytes_per_frame = 0;
  AVSampleFormat out_format = AV_SAMPLE_FMT_S16;
  AVChannelLayout out_layout{};
  int64_t frames = 0;

  // The converter and the input it was made for.
  SwrContext* swr = nullptr;
  int swr_format = -1;
  int swr_rate = 0;
  AVChannelLayout swr_layout{};

  // Converted frames not handed out yet, from byte pending_at on.
  std::vector<uint8_t> pending;
  size_t pending_at = 0;
  bool input_ended = false;  // the decoder was told that no packets follow
  bool ended = false;        // the decoder has given its last frame

  // Time stamps: the first frame's, and whether every frame's agreed with the input frames
  // counted before it (in_samples).
  int64_t first_pts = AV_NOPTS_VALUE;
  bool pts_exact = true;
  int64_t in_samples = 0;
};

namespace {

// ---- Opening ---------------------------------------------------------------------------------------

void close_decoding(qmAudioFile* f) {
  ff.av_packet_free(&f->packet);
  ff.av_frame_free(&f->frame);
  ff.avcodec_free_context(&f->dec);
  ff.swr_free(&f->swr);
  ff.av_channel_layout_uninit(&f->swr_layout);
  f->swr_format = -1;
  ffmpeg_input_close(&f->input);
  f->pending.clear();
  f->pending_at = 0;
  f->input_ended = f->ended = false;
  f->in_samples = 0;
}

const char* format_name(const qmAudioFile* f) {
  const char* name = ffmpeg_format_name(f->input.fmt, kFormats, std::size(kFormats));
  return f->aifc && std::strcmp(name, "AIFF") == 0 ? "AIFC" : name;
}

// Demuxer and decoder from the start of the file. 0, or an error code with everything undone.
int32_t open_decoding(qmAudioFile* f) {
  const int32_t err = ffmpeg_input_open(&f->input, kFormatWhitelist, ERR_UNKNOWNMUSFMT);
  if (err) {
    close_decoding(f);
    return err;
  }
  // Without stream information some formats know less (a duration, a layout); go on regardless.
  ff.avformat_find_stream_info(f->input.fmt, nullptr);

  f->stream = -1;
  for (unsigned i = 0; i < f->input.fmt->nb_streams; ++i) {
    if (f->input.fmt->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
      f->stream = int(i);
      break;
    }
  }
  if (f->stream < 0) {
    close_decoding(f);
    return ERR_UNKNOWNMUSFMT;
  }
  for (unsigned i = 0; i < f->input.fmt->nb_streams; ++i) {
    if (int(i) != f->stream) f->input.fmt->streams[i]->discard = AVDISCARD_ALL;
  }
  AVStream* st = f->input.fmt->streams[f->stream];
  f->time_base = st->time_base;
  const AVCodec* codec = ff.avcodec_find_decoder(st->codecpar->codec_id);
  if (!codec) {
    close_decoding(f);
    return ERR_AFILEPROP;
  }
  f->dec = ff.avcodec_alloc_context3(codec);
  f->packet = ff.av_packet_alloc();
  f->frame = ff.av_frame_alloc();
  if (!f->dec || !f->packet || !f->frame) {
    close_decoding(f);
    return ERR_MEM;
  }
  if (ff.avcodec_parameters_to_context(f->dec, st->codecpar) < 0) {
    close_decoding(f);
    return ERR_AFILEPROP;
  }
  f->dec->pkt_timebase = st->time_base;
  f->dec->thread_count = 1;
  if (ff.avcodec_open2(f->dec, codec, nullptr) < 0) {
    close_decoding(f);
    return ERR_AFILEPROP;
  }
  return 0;
}

// The output format and frame count of a freshly opened file.
int32_t describe(qmAudioFile* f, qmAudioFileInfo* info) {
  AVStream* st = f->input.fmt->streams[f->stream];
  const int in_channels = f->dec->ch_layout.nb_channels;
  if (f->dec->sample_rate <= 0 || in_channels <= 0) return ERR_UNKNOWNMUSFMT;
  f->rate = f->dec->sample_rate;
  f->channels = in_channels <= 2 ? in_channels : 2;
  const AVSampleFormat in = f->dec->sample_fmt;
  f->out_format = in == AV_SAMPLE_FMT_U8 || in == AV_SAMPLE_FMT_U8P ? AV_SAMPLE_FMT_U8
                                                                    : AV_SAMPLE_FMT_S16;
  const int32_t bits = f->out_format == AV_SAMPLE_FMT_U8 ? 8 : 16;
  f->bytes_per_frame = f->channels * bits / 8;
  if (in_channels > 2) {
    ff.av_channel_layout_default(&f->out_layout, 2);
  } else if (f->dec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
    ff.av_channel_layout_default(&f->out_layout, in_channels);
  } else if (ff.av_channel_layout_copy(&f->out_layout, &f->dec->ch_layout) < 0) {
    return ERR_MEM;
  }

  int64_t frames = 0;
  if (st->duration != AV_NOPTS_VALUE && st->duration > 0) {
    frames = ff.av_rescale_q(st->duration, st->time_base, AVRational{1, f->rate});
  } else if (f->input.fmt->duration != AV_NOPTS_VALUE && f->input.fmt->duration > 0) {
    frames = ff.av_rescale_q(f->input.fmt->duration, AV_TIME_BASE_Q, AVRational{1, f->rate});
  }
  if (frames <= 0) return ERR_UNKNOWNMUSFMT;
  f->frames = frames;

  int64_t bit_rate = st->codecpar->bit_rate > 0 ? st->codecpar->bit_rate : f->input.fmt->bit_rate;
  bit_rate = bit_rate > 0 ? bit_rate / 1000 : 0;
  info->rate = f->rate;
  info->bits = bits;
  info->channels = f->channels;
  info->flags = bits == 16 ? 0x2 : 0;
  info->frames = frames;
  info->bit_rate = uint32_t(std::min<int64_t>(bit_rate, UINT32_MAX));
  f->name = format_name(f);
  return 0;
}

// ---- Decoding --------------------------------------------------------------------------------------

// The next decoded frame into f->frame: true, or false at the end of the stream.
bool next_frame(qmAudioFile* f) {
  if (f->ended) return false;
  int errors = 0;
  for (;;) {
    const int r = ff.avcodec_receive_frame(f->dec, f->frame);
    if (r == 0) return true;
    if (r == AVERROR_EOF || (r != AVERROR(EAGAIN) && ++errors > kMaxErrors)) break;
    if (r != AVERROR(EAGAIN)) continue;  // a damaged packet: go on with the next
    if (f->input_ended) break;
    if (ff.av_read_frame(f->input.fmt, f->packet) < 0) {
      ff.avcodec_send_packet(f->dec, nullptr);
      f->input_ended = true;
      continue;
    }
    if (f->packet->stream_index == f->stream) ff.avcodec_send_packet(f->dec, f->packet);
    ff.av_packet_unref(f->packet);
  }
  f->ended = true;
  return false;
}

// The frame's first sample counted from the start, by its time stamp; -1 when it has none.
int64_t frame_index(const qmAudioFile* f) {
  if (f->frame->pts == AV_NOPTS_VALUE || f->first_pts == AV_NOPTS_VALUE) return -1;
  return ff.av_rescale_q_rnd(f->frame->pts - f->first_pts, f->time_base, AVRational{1, f->rate},
                          AV_ROUND_NEAR_INF);
}

// Room for n more frames at the end of pending: their first byte.
uint8_t* pending_room(qmAudioFile* f, int64_t n) {
  if (f->pending_at == f->pending.size()) {
    f->pending.clear();
    f->pending_at = 0;
  }
  const size_t at = f->pending.size();
  f->pending.resize(at + size_t(n) * size_t(f->bytes_per_frame));
  return f->pending.data() + at;
}

bool same_layout(const AVChannelLayout& a, const AVChannelLayout& b) {
  return ff.av_channel_layout_compare(&a, &b) == 0;
}

// A converter for the frame's format, rate and layout (made again when the stream changes them).
bool converter_for(qmAudioFile* f, const AVFrame* fr) {
  if (f->swr && f->swr_format == fr->format && f->swr_rate == fr->sample_rate &&
      same_layout(f->swr_layout, fr->ch_layout))
    return true;
  ff.swr_free(&f->swr);
  ff.av_channel_layout_uninit(&f->swr_layout);
  AVChannelLayout in{};
  if (fr->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
    ff.av_channel_layout_default(&in, fr->ch_layout.nb_channels);
  } else if (ff.av_channel_layout_copy(&in, &fr->ch_layout) < 0) {
    return false;
  }
  // Two channels or fewer pass as they are, only their sample format changes.
  AVChannelLayout out{};
  if (fr->ch_layout.nb_channels == f->channels && f->channels <= 2) {
    if (ff.av_channel_layout_copy(&out, &in) < 0) {
      ff.av_channel_layout_uninit(&in);
      return false;
    }
  } else if (ff.av_channel_layout_copy(&out, &f->out_layout) < 0) {
    ff.av_channel_layout_uninit(&in);
    return false;
  }
  int r = ff.swr_alloc_set_opts2(&f->swr, &out, f->out_format, f->rate, &in,
                              AVSampleFormat(fr->format), fr->sample_rate, 0, nullptr);
  ff.av_channel_layout_uninit(&out);
  if (r < 0 || ff.swr_init(f->swr) < 0) {
    ff.av_channel_layout_uninit(&in);
    ff.swr_free(&f->swr);
    return false;
  }
  f->swr_layout = in;
  f->swr_format = fr->format;
  f->swr_rate = fr->sample_rate;
  return true;
}

// Converts f->frame into pending. False when it cannot (the frame is then dropped).
bool convert_frame(qmAudioFile* f) {
  AVFrame* fr = f->frame;
  const int n = fr->nb_samples;
  if (n <= 0 || fr->sample_rate <= 0 || fr->ch_layout.nb_channels <= 0) return false;
  if (fr->format == f->out_format && fr->sample_rate == f->rate && !f->swr &&
      fr->ch_layout.nb_channels == f->channels) {
    std::memcpy(pending_room(f, n), fr->data[0], size_t(n) * size_t(f->bytes_per_frame));
    return true;
  }
  if (!converter_for(f, fr)) return false;
  const int room = ff.swr_get_out_samples(f->swr, n);
  if (room <= 0) return false;
  uint8_t* out = pending_room(f, room);
  const size_t start = size_t(out - f->pending.data());
  const int got = ff.swr_convert(f->swr, &out, room, const_cast<const uint8_t**>(fr->extended_data), n);
  f->pending.resize(start + size_t(std::max(got, 0)) * size_t(f->bytes_per_frame));
  return got > 0;
}

// What a resampling converter still holds, at the end of the stream.
void drain_converter(qmAudioFile* f) {
  if (!f->swr) return;
  const int room = ff.swr_get_out_samples(f->swr, 0);
  if (room <= 0) return;
  uint8_t* out = pending_room(f, room);
  const size_t start = size_t(out - f->pending.data());
  const int got = ff.swr_convert(f->swr, &out, room, nullptr, 0);
  f->pending.resize(start + size_t(std::max(got, 0)) * size_t(f->bytes_per_frame));
}

// Decodes one more frame into pending, checking its time stamp against the count from the
// start. False at the end of the stream.
bool decode_more(qmAudioFile* f) {
  if (!next_frame(f)) {
    drain_converter(f);
    return false;
  }
  if (f->in_samples == 0 && f->first_pts == AV_NOPTS_VALUE) f->first_pts = f->frame->pts;
  if (f->frame->sample_rate != f->rate || frame_index(f) != f->in_samples) f->pts_exact = false;
  f->in_samples += f->frame->nb_samples;
  convert_frame(f);
  ff.av_frame_unref(f->frame);
  return true;
}

// Drops n frames: the read position moves on by n, or to the end.
void drop_frames(qmAudioFile* f, int64_t n) {
  while (n > 0) {
    const int64_t have = int64_t(f->pending.size() - f->pending_at) / f->bytes_per_frame;
    if (have > 0) {
      const int64_t take = std::min(have, n);
      f->pending_at += size_t(take) * size_t(f->bytes_per_frame);
      n -= take;
    } else if (!decode_more(f)) {
      return;
    }
  }
}

void reset_decoder(qmAudioFile* f) {
  ff.avcodec_flush_buffers(f->dec);
  ff.swr_free(&f->swr);
  ff.av_channel_layout_uninit(&f->swr_layout);
  f->swr_format = -1;
  f->pending.clear();
  f->pending_at = 0;
  f->input_ended = f->ended = false;
}

// A seek on the time stamps to a preroll before frame. False when the demuxer cannot, or the first
// frame it gives has no time stamp or lies after the preroll.
bool seek_by_time(qmAudioFile* f, int64_t frame, int64_t preroll) {
  const int64_t from = frame - preroll;
  const int64_t ts = f->first_pts + ff.av_rescale_q(from, AVRational{1, f->rate}, f->time_base);
  if (ff.av_seek_frame(f->input.fmt, f->stream, ts, AVSEEK_FLAG_BACKWARD) < 0) return false;
  reset_decoder(f);
  if (!next_frame(f)) return false;
  const int64_t index = frame_index(f);
  if (index < 0 || index > from || f->frame->sample_rate != f->rate) {
    ff.av_frame_unref(f->frame);
    return false;
  }
  f->in_samples = index + f->frame->nb_samples;
  convert_frame(f);
  ff.av_frame_unref(f->frame);
  drop_frames(f, frame - index);
  return true;
}

}  // namespace

int32_t platform_audiofile_open(const qmAudioFileIO& io, qmAudioFile** out, qmAudioFileInfo* info) {
  *out = nullptr;
  if (!ffmpeg_load()) return ERR_UNKNOWNMUSFMT;
  auto* f = new (std::nothrow) qmAudioFile;
  if (!f) return ERR_MEM;
  f->input.io = io;
  uint8_t head[12] = {};
  if (io.seek(io.opaque, 0) == 0 && io.read(io.opaque, head, 12) == 12)
    f->aifc = std::memcmp(head, "FORM", 4) == 0 && std::memcmp(head + 8, "AIFC", 4) == 0;
  int32_t err = open_decoding(f);
  if (!err) err = describe(f, info);
  if (err) {
    platform_audiofile_close(f);
    return err;
  }
  *out = f;
  return 0;
}

int32_t platform_audiofile_read(qmAudioFile* f, void* buffer, int32_t frames, bool* end) {
  auto* dst = static_cast<uint8_t*>(buffer);
  int32_t done = 0;
  while (done < frames) {
    const int64_t have = int64_t(f->pending.size() - f->pending_at) / f->bytes_per_frame;
    if (have == 0) {
      if (!decode_more(f) && f->pending_at == f->pending.size()) break;
      continue;
    }
    const int32_t take = int32_t(std::min<int64_t>(have, frames - done));
    const size_t bytes = size_t(take) * size_t(f->bytes_per_frame);
    std::memcpy(dst + size_t(done) * size_t(f->bytes_per_frame), f->pending.data() + f->pending_at,
                bytes);
    f->pending_at += bytes;
    done += take;
  }
  if (end) *end = f->ended && f->pending_at == f->pending.size();
  return done;
}

bool platform_audiofile_seek(qmAudioFile* f, int64_t frame) {
  if (frame < 0 || frame >= f->frames) return false;
  const int64_t preroll = std::max<int64_t>(f->rate, 16384);
  if (f->input.fmt && f->pts_exact && f->first_pts != AV_NOPTS_VALUE && frame > preroll &&
      seek_by_time(f, frame, preroll))
    return true;
  // From the start: the same decoding as the first read.
  close_decoding(f);
  if (open_decoding(f) != 0) {
    f->ended = true;  // nothing to read any more; close still works
    return false;
  }
  drop_frames(f, frame);
  return true;
}

void platform_audiofile_close(qmAudioFile* f) {
  if (!f) return;
  close_decoding(f);
  ff.av_channel_layout_uninit(&f->out_layout);
  delete f;
}

const char* platform_audiofile_format_name(const qmAudioFile* f) { return f->name; }

}  // namespace qm
