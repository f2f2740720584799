// Musics: tracker modules (recognised by "M.K." at offset 1080) and streams over a sound source;
// their information and seeking.
#include <algorithm>
#include <cstring>
#include <new>

#include "engine/errcodes.h"
#include "platform/platform.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "sound/formats.h"
#include "sound/modplayer.h"

namespace qm {

namespace {

constexpr int64_t kModuleMagicAt = 1080;

// 1 when the file holds "M.K." at offset 1080, 0 when it does not, -1 when it cannot be opened.
int32_t module_magic(const char* name) {
  qmFileHandle* fh = qmos_open(name, QMOS_MODE_READ);
  if (!fh) return -1;
  uint8_t magic[4] = {};
  qmos_seek(fh, kModuleMagicAt, QMOS_SEEK_BEGINNING);
  const bool found = qmos_read(fh, magic, 4) == 4 && std::memcmp(magic, "M.K.", 4) == 0;
  qmos_close(fh);
  return found ? 1 : 0;
}

void module_free(qmMusicModule* m) {
  if (!m) return;
  qmos_free(m->player);
  qmos_free(m->image);
  delete m;
}

// The whole file image (up to the largest module) and a player over it at the module rate.
int32_t module_open(const char* name, qmMusicModule** out) {
  err_set_string_arg(name);
  qmFileHandle* fh = qmos_open(name, QMOS_MODE_READ);
  if (!fh) return ERR_READFILE;
  auto* m = new (std::nothrow) qmMusicModule;
  const int64_t size = std::min<int64_t>(fh->length, int64_t(kModLargestFile));
  if (m && size > 0) m->image = static_cast<uint8_t*>(qmos_alloc(size_t(size), 0));
  int32_t err = !m || !m->image ? ERR_MEM : 0;
  if (!err && qmos_read(fh, m->image, size) != size) err = ERR_READ;
  qmos_close(fh);
  if (!err) {
    m->size = size_t(size);
    err = qmos_mod_open(nullptr, m->image, m->size, MUSIC_MODULE_RATE, &m->state_size);
  }
  if (!err) {
    m->player = static_cast<qmModPlayer*>(qmos_alloc(m->state_size, 0));
    err = m->player ? qmos_mod_open(m->player, m->image, m->size, MUSIC_MODULE_RATE, nullptr)
                    : ERR_MEM;
  }
  if (err) {
    module_free(m);
    return err;
  }
  *out = m;
  return 0;
}

int64_t duration_ms(const qmSoundSource* s) {
  if (s->frames == SOURCE_UNBOUNDED || s->frames < 0 || s->rate <= 0) return -1;
  return s->frames / s->rate * 1000 + s->frames % s->rate * 1000 / s->rate;
}

// The play clock: where it was set, plus the time since the stream started sounding, within the
// duration.
int64_t position_ms(const qmSoundSource* s) {
  const int64_t base = s->clock_seconds * 1000 + s->clock_micros / 1000;
  const int64_t start = s->clock_start_us.load();
  if (start == SOURCE_CLOCK_STOPPED) return base;
  const int64_t at = (platform_clock().now_us() - start) / 1000 + base;
  const int64_t duration = duration_ms(s);
  return duration > 0 ? at % duration : at;
}

}  // namespace

int32_t qmos_music_open(const char* name, int32_t* kind, void** handle, int32_t* seekable) {
  *handle = nullptr;
  const int32_t magic = module_magic(name);
  if (magic < 0) {
    err_set_string_arg(name);
    return ERR_READFILE;
  }
  if (magic == 1) {
    qmMusicModule* m = nullptr;
    if (int32_t err = module_open(name, &m)) return err;
    *kind = MUSIC_MODULE;
    *handle = m;
    *seekable = 0;
    return 0;
  }
  qmSoundSource* s = nullptr;
  if (int32_t err = qmos_detect_sound(name, 1, &s)) return err == ERR_OPENSOUND ? ERR_UNKNOWNMUSFMT : err;
  *kind = MUSIC_STREAM;
  *handle = s;
  *seekable = s->seekable;
  return 0;
}

bool qmos_music_identify(const char* name, std::string* format_name) {
  const int32_t magic = module_magic(name);
  if (magic == 1) {
    *format_name = "Protracker";
    return true;
  }
  qmSoundSource* s = nullptr;
  if (magic < 0 || qmos_detect_sound(name, 1, &s) != 0) {
    *format_name = "Unknown";
    return false;
  }
  *format_name = qmos_source_format_name(s);
  qmos_source_close(s);
  return true;
}

void qmos_music_close(int32_t kind, void* handle) {
  if (kind == MUSIC_MODULE) {
    module_free(static_cast<qmMusicModule*>(handle));
  } else if (kind == MUSIC_STREAM) {
    qmos_source_close(static_cast<qmSoundSource*>(handle));
  }
}

qmMusicInfo qmos_music_info(int32_t selector, int32_t kind, void* handle) {
  qmMusicInfo info;
  if (kind == MUSIC_MODULE) {
    if (selector == MUSIC_INFO_NAME) info.text = "Protracker";
    if (selector == MUSIC_INFO_FORMAT) info.number = SAMPLE_STEREO16;
    if (selector == MUSIC_INFO_RATE) info.number = MUSIC_MODULE_RATE;
    return info;
  }
  if (kind != MUSIC_STREAM) return info;
  const auto* s = static_cast<const qmSoundSource*>(handle);
  switch (selector) {
    case MUSIC_INFO_DURATION:
      info.number = duration_ms(s);
      break;
    case MUSIC_INFO_POSITION:
      info.number = position_ms(s);
      break;
    case MUSIC_INFO_NAME:
      info.text = qmos_source_format_name(s);
      break;
    case MUSIC_INFO_FORMAT:
      info.number = s->format;
      break;
    case MUSIC_INFO_RATE:
      info.number = s->rate;
      break;
    case MUSIC_INFO_BIT_RATE:
      info.number = s->bit_rate ? int64_t(s->bit_rate) : int64_t(s->bytes_per_frame) * s->rate / 1024 * 8;
      break;
    case MUSIC_INFO_FEED:
      info.feed = s->feed.get();
      break;
    default:
      break;
  }
  return info;
}

void qmos_music_seek_ms(int32_t kind, qmSoundSource* s, int64_t ms) {
  if (kind != MUSIC_STREAM || ms < 0) return;
  const int64_t frame = int64_t(std::min<__int128>(__int128(ms) * s->rate / 1000, INT64_MAX));
  qmos_source_seek(s, frame);
}

}  // namespace qm
