// Sound sources: detection and opening, and reading, seeking, naming and closing by codec kind.
#include <algorithm>
#include <cstring>
#include <new>

#include "engine/errcodes.h"
#include "platform/audiofile.h"
#include "platform/platform.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"
#include "sound/formats.h"
#include "sound/library.h"

namespace qm {

namespace {

constexpr int64_t kMagicBytes = 64;

// ---- Plug-ins -------------------------------------------------------------------------------------

template <typename F>
F stream_entry(const qmSoundSource* s, qmPluginEntryPoint ep) {
  return plugin_entry<F>(s->plugin, ep);
}

bool is_stream_plugin(const qmPluginNode* n) {
  if (!(n->caps & QMPLUGIN_CAP_SOUND) || !n->handle || !n->handle->entry) return false;
  for (int32_t ep = PLUGIN_EP_OPEN_STREAM; ep <= PLUGIN_EP_GET_FORMAT_NAME; ++ep) {
    if (!n->handle->entry->entry[ep]) return false;
  }
  return true;
}

// The first sound-stream plug-in that opens the file fills the source (codec kind 5). A plug-in
// that describes a stream no channel can play (no rate, channels other than 1 and 2, no bits)
// is closed again and the next one asked.
bool open_plugin_stream(const char* name, qmSoundSource* s) {
  for (qmPluginNode* n = plugin_list(); n; n = n->next) {
    if (!is_stream_plugin(n)) continue;
    qmPluginEntry* e = n->handle->entry;
    qmPluginStreamInfo info{};
    void* handle = plugin_entry<qmPluginOpenStreamFn>(e, PLUGIN_EP_OPEN_STREAM)(name, &info);
    if (!handle) continue;
    if (info.rate < 1 || (info.channels != 1 && info.channels != 2) || info.bits < 1 ||
        info.bits > 32) {
      plugin_entry<qmPluginCloseStreamFn>(e, PLUGIN_EP_CLOSE_STREAM)(handle);
      continue;
    }
    s->kind = SOURCE_PLUGIN;
    s->plugin = e;
    s->codec = handle;
    s->rate = info.rate;
    s->channels = info.channels;
    s->bits = info.bits;
    s->flags = info.flags & (SAMPLE_BIG_ENDIAN | SAMPLE_SIGNED);
    s->seekable = (info.flags & QMPLUGIN_STREAM_SEEKABLE) ? 1 : 0;
    s->bytes_per_frame = s->channels * ((s->bits + 7) / 8);
    s->frames = std::max(info.frames, 0);
    s->total_bytes = s->frames * s->bytes_per_frame;
    return true;
  }
  return false;
}

// ---- The platform source --------------------------------------------------------------------------

int32_t open_platform(qmSoundSource* s) {
  const qmAudioFileIO io = file_handle_io(s->file);
  qmAudioFile* file = nullptr;
  qmAudioFileInfo info;
  const int32_t err = platform_audiofile_open(io, &file, &info);
  if (err) return err;
  s->kind = SOURCE_PLATFORM;
  s->codec = file;
  s->rate = info.rate;
  s->bits = info.bits;
  s->channels = info.channels;
  s->flags = info.flags;
  s->frames = info.frames;
  s->bytes_per_frame = info.channels * info.bits / 8;
  s->total_bytes = s->frames * s->bytes_per_frame;
  s->bit_rate = info.bit_rate;
  return 0;
}

// Forgets what a refusing reader filled in, keeping the file.
void reset_description(qmSoundSource* s) {
  s->bits = s->bytes_per_frame = s->channels = s->rate = s->compression = 0;
  s->flags = 0;
  s->total_bytes = s->frames = s->data_offset = 0;
}

// The file for detection: 0, or 1045 with the name in the error's string slot.
int32_t open_file(const char* name, qmSoundSource* s) {
  err_set_string_arg(name);
  s->file = qmos_open(name, QMOS_MODE_READ);
  return s->file ? 0 : ERR_READFILE;
}

// The built-in reader that the magic names, over the open file.
int32_t open_builtin(qmSoundSource* s) {
  uint8_t head[kMagicBytes];
  qmos_seek(s->file, 0, QMOS_SEEK_BEGINNING);
  const int32_t kind = sound_magic_kind(head, qmos_read(s->file, head, kMagicBytes));
  int32_t err = ERR_UNKNOWNMUSFMT;
  if (kind == SOURCE_WAVE) {
    err = wave_open(s);
  } else if (kind) {
    err = iff_open(s, kind);
  }
  if (err) {
    reset_description(s);
    return err;
  }
  s->kind = kind;
  return 0;
}

void finish_description(qmSoundSource* s) {
  s->format = qmos_sample_format_code(s->channels, s->bits, (s->flags & SAMPLE_SIGNED) != 0);
  s->packet_bytes = s->bytes_per_frame;
  s->frames_per_packet = 1;
}

}  // namespace

qmAudioFileIO file_handle_io(qmFileHandle* fh) {
  qmAudioFileIO io;
  io.opaque = fh;
  io.read = [](void* opaque, uint8_t* buffer, int64_t n) {
    return qmos_read(static_cast<qmFileHandle*>(opaque), buffer, n);
  };
  io.seek = [](void* opaque, int64_t offset) {
    auto* f = static_cast<qmFileHandle*>(opaque);
    qmos_seek(f, offset, QMOS_SEEK_BEGINNING);
    return f->pos;
  };
  io.size = fh->length;
  return io;
}

qmSoundSource* source_new() { return new (std::nothrow) qmSoundSource; }

int32_t sound_open_builtin(const char* name, int32_t for_music, qmSoundSource** out) {
  *out = nullptr;
  SourcePtr s(source_new());
  if (!s) return ERR_MEM;
  s->for_music = for_music;
  if (int32_t err = open_file(name, s.get())) return err;
  if (int32_t err = open_builtin(s.get())) return err;
  finish_description(s.get());
  *out = s.release();
  return 0;
}

int32_t qmos_detect_sound(const char* name, int32_t for_music, qmSoundSource** out) {
  *out = nullptr;
  SourcePtr s(source_new());
  if (!s) return ERR_MEM;
  s->for_music = for_music;
  if (int32_t err = open_file(name, s.get())) return err;
  if (open_plugin_stream(name, s.get())) {
    qmos_close(s->file);  // the plug-in reads the file itself
    s->file = nullptr;
  } else if (open_builtin(s.get()) != 0) {
    if (int32_t err = open_platform(s.get())) return err;
  }
  finish_description(s.get());
  *out = s.release();
  return 0;
}

int32_t qmos_source_read(qmSoundSource* s, void* buffer, int32_t frames, bool* end) {
  bool ended = false;
  int32_t got = 0;
  auto* dst = static_cast<uint8_t*>(buffer);
  if (frames > 0) {
    switch (s->kind) {
      case SOURCE_IFF_8SVX:
      case SOURCE_IFF_16SV:
      case SOURCE_WAVE: {
        const int64_t left = std::max<int64_t>(s->frames - s->position, 0);
        const int32_t n = int32_t(std::min<int64_t>(frames, left));
        ended = n < frames;
        got = n ? (s->kind == SOURCE_WAVE ? wave_read(s, dst, n) : iff_read(s, dst, n)) : 0;
        break;
      }
      case SOURCE_PLATFORM:
        got = platform_audiofile_read(static_cast<qmAudioFile*>(s->codec), dst, frames, &ended);
        break;
      case SOURCE_PLUGIN: {
        qmPluginStreamRequest request{buffer, frames, 0, 0};
        stream_entry<qmPluginStreamSamplesFn>(s, PLUGIN_EP_STREAM_SAMPLES)(s->codec, &request);
        got = std::clamp(request.delivered, 0, frames);
        ended = request.end != 0;
        break;
      }
      case SOURCE_PROGRAM:
        got = feed_read(s, dst, frames, &ended);
        break;
      default:
        ended = true;
        break;
    }
  }
  s->position += got;
  s->frames_last_read = got;
  s->bytes_last_read = got * s->bytes_per_frame;
  if (end) *end = ended;
  return got;
}

void qmos_source_seek_keep_clock(qmSoundSource* s, int64_t frame) {
  switch (s->kind) {
    case SOURCE_IFF_8SVX:
    case SOURCE_IFF_16SV:
    case SOURCE_WAVE:
      if (frame >= 0 && frame < s->frames) s->position = frame;
      break;
    case SOURCE_PLATFORM:
      if (platform_audiofile_seek(static_cast<qmAudioFile*>(s->codec), frame)) s->position = frame;
      break;
    case SOURCE_PLUGIN:
      if (frame >= 0 && frame <= INT32_MAX) {
        stream_entry<qmPluginSeekStreamFn>(s, PLUGIN_EP_SEEK_STREAM)(s->codec, int32_t(frame));
        s->position = frame;
      }
      break;
    default:  // a program-fed source plays on
      break;
  }
}

void qmos_source_seek(qmSoundSource* s, int64_t frame) {
  qmos_source_seek_keep_clock(s, frame);
  // The clock shows where the source stands; a refused move leaves it there.
  const int64_t at = s->kind == SOURCE_PROGRAM ? std::max<int64_t>(frame, 0) : s->position;
  s->clock_seconds = at / s->rate;
  s->clock_micros = (at % s->rate) * 1000000 / s->rate;
  s->clock_start_us.store(SOURCE_CLOCK_STOPPED);
}

void qmos_source_clock_start(qmSoundSource* s) {
  s->clock_start_us.store(platform_clock().now_us());
}

const char* qmos_source_format_name(const qmSoundSource* s) {
  switch (s->kind) {
    case SOURCE_IFF_8SVX:
      return "IFF 8SVX";
    case SOURCE_IFF_16SV:
      return "IFF 16SV";
    case SOURCE_WAVE:
      return "RIFF WAVE";
    case SOURCE_PLATFORM:
      return platform_audiofile_format_name(static_cast<const qmAudioFile*>(s->codec));
    case SOURCE_PLUGIN: {
      const char* name =
          stream_entry<qmPluginGetFormatNameFn>(s, PLUGIN_EP_GET_FORMAT_NAME)(s->codec);
      return name ? name : "Unknown";
    }
    case SOURCE_PROGRAM:
      return "Custom stream";
    default:
      return "Unknown";
  }
}

void qmos_source_close(qmSoundSource* s) {
  if (!s) return;
  if (s->kind == SOURCE_PLATFORM) {
    platform_audiofile_close(static_cast<qmAudioFile*>(s->codec));
  } else if (s->kind == SOURCE_PLUGIN) {
    stream_entry<qmPluginCloseStreamFn>(s, PLUGIN_EP_CLOSE_STREAM)(s->codec);
  }
  if (s->file) qmos_close(s->file);
  if (s->feed) qmos_custom_clear(s);
  delete s;
}

}  // namespace qm
