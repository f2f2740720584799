// The "sound" library's start-up, its samples and their commands. The audio device opens with
// the first command that makes something to play; when it cannot open, or the player runs without
// sound, every command succeeds without effect.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <strings.h>
#include <vector>

#include "display/graphics.h"
#include "display/picture.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/messages.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"
#include "runtime/registry.h"
#include "sound/channels.h"
#include "sound/library.h"
#include "sound/library_internal.h"
#include "sound/sample_edit.h"
#include "stdlib/dos_internal.h"
#include "stdlib/memblock.h"

namespace qm {

using sound_internal::clamp_volume;
using sound_internal::format_from_script;
using sound_internal::format_to_script;
using sound_internal::kMinPitch;

namespace {

ObjectList g_samples;
bool g_audio_up = false;
bool g_no_sound = false;
intptr_t g_audio_parameter = 0;

// Script-visible sample formats.
constexpr int32_t kMono8 = 0, kMono16 = 1, kStereo8 = 2, kStereo16 = 3;

// The panning specials of the graphics library.
constexpr int32_t kPanCenter = -100000, kPanLeft = -90000, kPanRight = -80000;

// Opens the audio device on first need: false under no sound (also when it cannot open).
bool lazy_start() {
  if (g_no_sound) return false;
  if (g_audio_up) return true;
  if (platform_audio_init() != 0) {
    g_no_sound = true;
    return false;
  }
  g_audio_up = true;
  return true;
}


int32_t panning_of(double v) {
  const int64_t p = to_i64(v);
  if (p == kPanCenter) return 128;
  if (p == kPanLeft) return 0;
  if (p == kPanRight) return 255;
  return p < 0 ? 0 : p > 255 ? 255 : int32_t(p);
}

int32_t sample_find(const ObjectId& id, qmSample** out) {
  *out = reinterpret_cast<qmSample*>(g_samples.find(id));
  if (*out) return 0;
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDSAMPLE;
}

qmSample* sample_arg(qmState* L, int32_t n) {
  qmSample* s = nullptr;
  if (int32_t err = sample_find(arg_get_id(L, n), &s)) vm_command_fail(L, err);
  return s;
}

void sample_free(qmState* L, qmSample* s) {
  qmos_sample_stop(s->data);
  qmos_sample_free(s->data);
  if (L) reflist_free(L, s->header.refs);
  delete s;
}

// Frees the numbered sample of a creating command, if there is one: 0, or ERR_LOCKEDOBJ while a
// plug-in holds its frames.
int32_t free_existing(qmState* L, const NewId& id) {
  if (id.automatic) return 0;
  qmSample* old = nullptr;
  if (sample_find(id.id, &old) != 0) return 0;
  if (old->data->lock > 0) return ERR_LOCKEDOBJ;
  g_samples.remove(&old->header);
  sample_free(L, old);
  return 0;
}

// Files a new sample under id, taking data; pushes its automatic id. The command's result count,
// or ERR_MEM (data is freed then).
int32_t sample_add(qmState* L, const NewId& id, qmSampleData* data, int32_t pitch) {
  auto* s = new (std::nothrow) qmSample();
  if (!s) {
    qmos_sample_free(data);
    return -ERR_MEM;
  }
  s->header.type = OBJ_SAMPLE;
  s->header.id = id.automatic ? ObjectId{0, s} : id.id;
  s->data = data;
  s->pitch = pitch;
  s->format = data->format;
  s->length = int32_t(int64_t(data->frames) * data->bytes_per_frame);
  if (!g_samples.append(&s->header)) {
    sample_free(L, s);
    return -ERR_MEM;
  }
  return push_new_id(L, id, s);
}

// A command's result from sample_add's: the result count, or the error code.
int32_t result_of_add(int32_t n) { return n < 0 ? -n : n; }

// ---- commands -----------------------------------------------------------------------------------

int32_t cmd_loadsample(qmState* L) {
  arg_check_count(L, 2, 2);
  if (g_no_sound) return 0;
  const NewId id = new_id_arg(L, 1);
  const std::string name = arg_get_linked_file(L, 2, 0, nullptr);
  if (!lazy_start()) return 0;
  if (int32_t err = free_existing(L, id)) return err;
  err_set_string_arg(name.c_str());
  console_print_file(err_get_message(MSG_LOADING_SAMPLE), name.c_str(), true);
  qmSampleData* data = nullptr;
  int32_t rate = 0;
  int32_t err = qmos_sample_load(name.c_str(), &data, nullptr, &rate, nullptr);
  if (err) {
    console_print_failed();
    return err;
  }
  console_print_done();
  return result_of_add(sample_add(L, id, data, rate));
}

// Reads length frames of 16-bit values (swapped when asked) or 8-bit ones from bytes.
int32_t create_from_bytes(const uint8_t* bytes, int64_t size, int32_t format, bool swap, uint8_t** out) {
  auto* buffer = static_cast<uint8_t*>(qmos_alloc(size_t(size > 0 ? size : 1), 0));
  if (!buffer) return ERR_MEM;
  if (size > 0) std::memcpy(buffer, bytes, size_t(size));
  if (swap && (format == SAMPLE_MONO16 || format == SAMPLE_STEREO16)) {
    for (int64_t i = 0; i + 1 < size; i += 2) std::swap(buffer[i], buffer[i + 1]);
  }
  *out = buffer;
  return 0;
}

int32_t cmd_createsample(qmState* L) {
  arg_check_count(L, 3, 5);
  if (g_no_sound) return 0;
  const NewId id = new_id_arg(L, 1);
  if (!lazy_start()) return 0;
  if (vm_type(L, 2) != QM_TTABLE) return ERR_TABEXPECTED;
  const int32_t pitch = to_i32(vm_arg_check_number(L, 3));
  const int32_t format = format_from_script(to_i64(vm_arg_opt_number(L, 4, kMono8)));
  if (format < 0) return ERR_WRONGUSAGE;
  const int64_t length_arg = to_i64(vm_arg_opt_number(L, 5, 0));
  if (length_arg < 0) return ERR_WRONGUSAGE;
  if (pitch < kMinPitch) return ERR_LOWFREQ;
  if (int32_t err = free_existing(L, id)) return err;
  const int32_t frame_bytes = qmos_sample_frame_bytes(format);
  const int32_t channels = format == SAMPLE_STEREO8 || format == SAMPLE_STEREO16 ? 2 : 1;
  const bool wide = format == SAMPLE_MONO16 || format == SAMPLE_STEREO16;
  char source[16] = "pcm";
  opt_get_string(L, 2, "source", source, sizeof source, nullptr);
  uint8_t* buffer = nullptr;
  int64_t frames = length_arg;
  if (strcasecmp(source, "pcm") == 0) {
    int64_t count = 0;
    if (frames == 0) {
      for (;; ++count) {
        vm_raw_geti(L, 2, int32_t(count));
        const bool nil = vm_type(L, -1) == QM_TNIL;
        vm_pop(L, 1);
        if (nil || count >= INT32_MAX) break;
      }
      if (count == 0 || count % channels != 0) return ERR_WRONGUSAGE;
      frames = count / channels;
    }
    if (frames > SAMPLE_MAX_BYTES / frame_bytes) return ERR_MEM;
    count = frames * channels;
    buffer = static_cast<uint8_t*>(qmos_alloc(size_t(frames * frame_bytes), 0));
    if (!buffer) return ERR_MEM;
    for (int64_t i = 0; i < count; ++i) {
      vm_raw_geti(L, 2, int32_t(i));
      const int64_t v = vm_type(L, -1) == QM_TNUMBER ? to_i64(vm_to_number(L, -1)) : 0;
      vm_pop(L, 1);
      const int64_t lo = wide ? -32768 : -128, hi = wide ? 32767 : 127;
      if (v < lo || v > hi) {
        qmos_free(buffer);
        return ERR_SMPRANGE;
      }
      if (wide) {
        const int16_t s = int16_t(v);
        std::memcpy(buffer + i * 2, &s, 2);
      } else {
        buffer[i] = uint8_t(int8_t(v));
      }
    }
  } else if (strcasecmp(source, "file") == 0 || strcasecmp(source, "memory") == 0) {
    const bool from_file = strcasecmp(source, "file") == 0;
    ObjectId object;
    opt_get_id(L, 2, "id", &object, nullptr);
    int32_t swap = 0;
    opt_get_int(L, 2, "swap", &swap, nullptr);
    if (frames > SAMPLE_MAX_BYTES / frame_bytes) return ERR_MEM;
    const int64_t bytes = frames * frame_bytes;
    if (from_file) {
      if (frames == 0) return ERR_WRONGUSAGE;
      dos::FileObject* f = nullptr;
      if (int32_t err = dos::file_object_find(object, &f)) return err;
      if (f->access == dos::ACCESS_WRITE) return ERR_WRITEONLY;
      if (bytes > SAMPLE_MAX_BYTES) return ERR_MEM;
      buffer = static_cast<uint8_t*>(qmos_alloc(size_t(bytes > 0 ? bytes : 1), 0));
      if (!buffer) return ERR_MEM;
      if (int64_t(dos::file_bytes_left(f)) < bytes || dos::file_read(f, buffer, uint64_t(bytes)) != 0) {
        qmos_free(buffer);
        return ERR_READ;
      }
      uint8_t* swapped = nullptr;
      int32_t err = create_from_bytes(buffer, bytes, format, swap != 0, &swapped);
      qmos_free(buffer);
      if (err) return err;
      buffer = swapped;
    } else {
      MemBlock* m = nullptr;
      if (int32_t err = memblock_find(object, &m)) return err;
      double offset_arg = 0;
      opt_get_float(L, 2, "offset", &offset_arg, nullptr);
      const int64_t offset = to_i64(offset_arg);
      if (offset < 0) return ERR_WRONGUSAGE;
      if (bytes > int64_t(m->size) || offset > int64_t(m->size) - bytes) return ERR_MEMRANGE;
      if (int32_t err = create_from_bytes(m->data + offset, bytes, format, swap != 0, &buffer)) return err;
    }
  } else {
    return ERR_WRONGUSAGE;
  }
  qmSampleData* data = qmos_sample_create(buffer, int32_t(frames), format);
  if (!data) {
    qmos_free(buffer);
    return ERR_MEM;
  }
  return result_of_add(sample_add(L, id, data, pitch));
}

int32_t cmd_freesample(qmState* L) {
  arg_check_count(L, 1, 1);
  if (g_no_sound) return 0;
  qmSample* s = sample_arg(L, 1);
  if (s->data->lock > 0) return ERR_LOCKEDOBJ;
  g_samples.remove(&s->header);
  sample_free(L, s);
  return 0;
}

int32_t cmd_issample(qmState* L) {
  arg_check_count(L, 1, 1);
  if (g_no_sound) return 0;
  const std::string name = arg_get_linked_file(L, 1, 0, nullptr);
  vm_push_boolean(L, qmos_sample_check(name.c_str()));
  return 1;
}

int32_t cmd_issound(qmState* L) {
  arg_check_count(L, 0, 0);
  vm_push_boolean(L, lazy_start());
  return 1;
}

int32_t cmd_playsample(qmState* L) {
  const int32_t argc = vm_get_top(L);
  arg_check_count(L, 1, 0);
  if (g_no_sound || !g_audio_up) return 0;
  if ((argc + 1) / 2 > 4) return ERR_WRONGUSAGE;
  // What this call prepared is released again when a later pair fails, so that a failed call
  // leaves no channel waiting for the next start.
  auto fail = [](int32_t err) {
    qmos_channels_release_prepared();
    return err;
  };
  for (int32_t n = 1; n <= argc; n += 2) {
    qmSample* s = nullptr;
    if (int32_t err = sample_find(arg_get_id(L, n), &s)) return fail(err);
    int32_t passes = 1, volume = s->volume, pan = s->panning, pitch = s->pitch;
    int64_t time = 0;
    const int32_t opt = n + 1;
    if (opt <= argc && vm_type(L, opt) == QM_TTABLE) {
      double t = 0;
      int32_t time_given = 0, times_given = 0, pan_given = 0;
      opt_get_float(L, opt, "time", &t, &time_given);
      int32_t times = 1;
      opt_get_int(L, opt, "times", &times, &times_given);
      double v = volume;
      int32_t volume_given = 0;
      bool fraction = false;
      opt_get_number_or_percent(L, opt, "volume", 64, false, &v, &fraction, &volume_given);
      if (volume_given) volume = clamp_volume(v);
      double p = 0;
      opt_get_float(L, opt, "panning", &p, &pan_given);
      if (pan_given) pan = panning_of(p);
      opt_get_int(L, opt, "pitch", &pitch, nullptr);
      if (times_given) {
        passes = times;
      } else if (time_given) {
        time = to_i64(t);
        if (time < 1) return fail(ERR_WRONGUSAGE);
      }
    } else if (opt <= argc && vm_type(L, opt) != QM_TNIL) {
      passes = to_i32(vm_arg_check_number(L, opt));
    }
    if (pitch < kMinPitch) return fail(ERR_LOWFREQ);
    if (passes < 0) passes = 0;
    if (int32_t err = qmos_sample_play(s->data, s->header.id, s->format, s->length, pitch, volume, pan, time, passes))
      return fail(err);
  }
  qmos_channels_start_prepared();
  return 0;
}

int32_t cmd_stopsample(qmState* L) {
  arg_check_count(L, 1, 1);
  if (g_no_sound) return 0;
  qmSample* s = sample_arg(L, 1);
  if (g_audio_up) qmos_sample_stop(s->data);
  return 0;
}

int32_t cmd_waitsampleend(qmState* L) {
  arg_check_count(L, 1, 1);
  if (g_no_sound) return 0;
  qmSample* s = sample_arg(L, 1);
  if (!g_audio_up) return 0;
  return sound_internal::wait_until(
      L, [](void* data) { return !qmos_sample_is_playing(static_cast<qmSampleData*>(data)); }, s->data);
}

int32_t cmd_issampleplaying(qmState* L) {
  arg_check_count(L, 1, 1);
  if (g_no_sound) return 0;
  qmSample* s = sample_arg(L, 1);
  if (g_audio_up) platform_audio_cleanup();
  vm_push_boolean(L, g_audio_up && qmos_sample_is_playing(s->data));
  return 1;
}

// SetVolume, SetPitch and SetPanning.
enum class Param { kVolume, kPitch, kPanning };
int32_t set_param(qmState* L, Param which) {
  arg_check_count(L, 2, 2);
  if (g_no_sound) return 0;
  qmSample* s = sample_arg(L, 1);
  if (!g_audio_up) return 0;
  switch (which) {
    case Param::kVolume: {
      bool fraction = false;
      s->volume = clamp_volume(arg_get_number_or_percent(L, 2, 64, false, &fraction));
      break;
    }
    case Param::kPitch: {
      const int32_t pitch = to_i32(vm_arg_check_number(L, 2));
      if (pitch < kMinPitch) return ERR_LOWFREQ;
      s->pitch = pitch;  // heard from the next PlaySample on
      return 0;
    }
    case Param::kPanning: s->panning = panning_of(vm_arg_check_number(L, 2)); break;
  }
  qmos_channel_update_params(s->data, -1, s->volume, s->panning);
  return 0;
}

int32_t cmd_setvolume(qmState* L) { return set_param(L, Param::kVolume); }
int32_t cmd_setpitch(qmState* L) { return set_param(L, Param::kPitch); }
int32_t cmd_setpanning(qmState* L) { return set_param(L, Param::kPanning); }
int32_t cmd_setmastervolume(qmState*) { return 0; }

int32_t cmd_savesample(qmState* L) {
  arg_check_count(L, 2, 3);
  if (g_no_sound) return 0;
  qmSample* s = sample_arg(L, 1);
  const char* name = arg_get_file_name(L, 2, ERR_WRITEFILE);
  const int64_t format = to_i64(vm_arg_opt_number(L, 3, 0));
  if (format != 0) return ERR_UNKNOWNSMPOUT;  // no sample-saver plug-in takes other formats here
  return qmos_sample_save_wave(name, s->data, s->pitch);
}

int32_t cmd_getsampledata(qmState* L) {
  arg_check_count(L, 1, 1);
  if (g_no_sound) return 0;
  qmSample* s = sample_arg(L, 1);
  const qmSampleData* d = s->data;
  const int64_t count = int64_t(d->frames) * d->channels;
  vm_new_table(L);
  const auto* bytes = static_cast<const uint8_t*>(d->data);
  const bool big = (d->flags & SAMPLE_BIG_ENDIAN) != 0;
  for (int64_t i = 0; i < count; ++i) {
    int32_t v;
    if (d->bits == 16) {
      v = big ? int16_t(get_be16(bytes + i * 2)) : int16_t(get_le16(bytes + i * 2));
    } else {
      v = (d->flags & SAMPLE_SIGNED) ? int8_t(bytes[i]) : int32_t(bytes[i]) - 128;
    }
    vm_push_number(L, v);
    vm_raw_seti(L, -2, int32_t(i));
  }
  vm_push_number(L, d->frames);
  return 2;
}

int32_t cmd_copysample(qmState* L) {
  arg_check_count(L, 2, 2);
  if (g_no_sound) return 0;
  qmSample* source = sample_arg(L, 1);
  const NewId id = new_id_arg(L, 2);
  if (!id.automatic && id.id == source->header.id) return ERR_WRONGUSAGE;
  qmSampleData* data = qmos_sample_copy(source->data);
  if (!data) return ERR_MEM;
  if (int32_t err = free_existing(L, id)) {
    qmos_sample_free(data);
    return err;
  }
  const int32_t n = sample_add(L, id, data, source->pitch);
  if (n < 0) return -n;
  auto* copy = reinterpret_cast<qmSample*>(g_samples.find(id.automatic ? ObjectId{0, vm_to_userdata(L, -1)} : id.id));
  copy->volume = source->volume;
  copy->panning = source->panning;
  copy->format = source->format;
  copy->length = source->length;
  return n;
}

// The sample conversion's options of the table at t: "loop", "offset", "start" and "end", checked
// against the source.
int32_t read_window(qmState* L, int32_t t, const qmSampleData* source, ConvertWindow* w) {
  int32_t loop = 1;
  double offset = 0, start = 0, end = 0;
  opt_get_int(L, t, "loop", &loop, nullptr);
  opt_get_float(L, t, "offset", &offset, nullptr);
  opt_get_float(L, t, "start", &start, nullptr);
  opt_get_float(L, t, "end", &end, nullptr);
  w->loop = loop != 0;
  w->offset = to_i64(offset);
  w->start = to_i64(start);
  w->end = to_i64(end);
  return convert_window_check(source, w);
}

int32_t cmd_mixsample(qmState* L) {
  const int32_t argc = vm_get_top(L);
  arg_check_count(L, 6, 0);
  if (g_no_sound) return 0;
  const NewId id = new_id_arg(L, 1);
  if (!lazy_start()) return 0;
  const int64_t count = to_i64(vm_arg_check_number(L, 2));
  const int32_t pitch = to_i32_sat(vm_arg_check_number(L, 3));
  const int32_t format = format_from_script(to_i64(vm_arg_check_number(L, 4)));
  if ((argc - 4) % 2 != 0 || format < 0 || count < 1) return ERR_WRONGUSAGE;
  if (pitch < kMinPitch) return ERR_LOWFREQ;
  const int32_t frame_bytes = qmos_sample_frame_bytes(format);
  if (count > SAMPLE_MAX_BYTES / frame_bytes) return ERR_MEM;
  std::vector<MixSource> sources;
  for (int32_t n = 5; n < argc; n += 2) {
    qmSample* s = nullptr;
    if (int32_t err = sample_find(arg_get_id(L, n), &s)) return err;
    MixSource m;
    m.sample = s->data;
    m.pitch = s->pitch;
    if (vm_type(L, n + 1) == QM_TTABLE) {
      const int32_t t = n + 1;
      double p = 0, offset = 0, threshold = 0, length = 0;
      int32_t pitch_given = 0, length_given = 0, loop = 1;
      opt_get_float(L, t, "pitch", &p, &pitch_given);
      if (pitch_given) {
        if (p < 1) return ERR_WRONGUSAGE;
        m.pitch = to_i32_sat(p);
      }
      opt_get_float(L, t, "offset", &offset, nullptr);
      if (!(offset >= 0)) return ERR_SMPRANGE;
      m.offset = offset;
      opt_get_float(L, t, "threshold", &threshold, nullptr);
      m.threshold = to_i64(threshold);
      opt_get_float(L, t, "length", &length, &length_given);
      if (length_given) m.length = std::max<int64_t>(to_i64(length), 0);
      opt_get_int(L, t, "loop", &loop, nullptr);
      m.loop = loop != 0;
      opt_get_float(L, t, "scale", &m.scale, nullptr);
    } else if (vm_type(L, n + 1) != QM_TNIL) {
      return ERR_TABEXPECTED;
    }
    sources.push_back(m);
  }
  auto* buffer = static_cast<uint8_t*>(qmos_alloc(size_t(count * frame_bytes), 0));
  if (!buffer) return ERR_MEM;
  sample_mix(sources.data(), sources.size(), pitch, format_layout(format), buffer, count);
  qmSampleData* data = qmos_sample_create(buffer, int32_t(count), format);
  if (!data) {
    qmos_free(buffer);
    return ERR_MEM;
  }
  // Only now that the sources have been read may a sample of the new one's number go: it can be
  // one of them.
  if (int32_t err = free_existing(L, id)) {
    qmos_sample_free(data);
    return err;
  }
  return result_of_add(sample_add(L, id, data, pitch));
}

int32_t cmd_insertsample(qmState* L) {
  arg_check_count(L, 3, 5);
  if (g_no_sound) return 0;
  qmSample* source = sample_arg(L, 1);
  qmSample* dest = sample_arg(L, 2);
  if (source == dest) return ERR_WRONGUSAGE;
  const int64_t dest_frames = dest->data->frames, source_frames = source->data->frames;
  const int64_t position = std::clamp<int64_t>(to_i64(vm_arg_check_number(L, 3)), 0, dest_frames);
  int64_t length = to_i64(vm_arg_opt_number(L, 4, 0));
  if (length < 1 || length > source_frames) length = source_frames;
  ConvertWindow window;
  if (vm_type(L, 5) == QM_TTABLE) {
    if (int32_t err = read_window(L, 5, source->data, &window)) return err;
  } else if (int32_t err = convert_window_check(source->data, &window)) {
    return err;
  }
  if (sample_is_playing(dest->data)) return ERR_MODIFYPSMP;
  if (dest->data->lock > 0) return ERR_LOCKEDOBJ;
  const int64_t frame_bytes = dest->data->bytes_per_frame;
  const int64_t frames = dest_frames + length;
  if (frames > SAMPLE_MAX_BYTES / frame_bytes) return ERR_MEM;
  auto* buffer = static_cast<uint8_t*>(qmos_alloc(size_t(frames > 0 ? frames * frame_bytes : 1), 0));
  if (!buffer) return ERR_MEM;
  const auto* old = static_cast<const uint8_t*>(dest->data->data);
  if (position > 0) std::memcpy(buffer, old, size_t(position * frame_bytes));
  sample_convert(source->data, window, sample_layout(dest->data), buffer + position * frame_bytes, length);
  if (dest_frames > position)
    std::memcpy(buffer + (position + length) * frame_bytes, old + position * frame_bytes,
                size_t((dest_frames - position) * frame_bytes));
  qmos_sample_replace_data(dest->data, buffer, int32_t(frames));
  dest->length = int32_t(frames * frame_bytes);
  return 0;
}

// ---- attributes ---------------------------------------------------------------------------------

// Sample tags of the runtime's attribute query.
constexpr int32_t TAG_SAMPLE_TYPE = 8, TAG_SAMPLE_DURATION = 9, TAG_SAMPLE_PITCH = 10,
                  TAG_SAMPLE_POSITION = 17, TAG_SAMPLE_FRAMES = 25;

// A sample's answer to tag: false when the tag is not a sample's.
bool sample_attribute(const qmSample* s, int32_t tag, int64_t* first, int64_t* second) {
  switch (tag) {
    case TAG_SAMPLE_TYPE: *first = format_to_script(s->format); return true;
    case TAG_SAMPLE_DURATION:
      *first = s->pitch > 0 ? int64_t(s->data->frames) * 1000 / s->pitch : 0;
      return true;
    case TAG_SAMPLE_PITCH: *first = s->pitch; return true;
    case TAG_SAMPLE_FRAMES: *first = s->data->frames; return true;
    case TAG_SAMPLE_POSITION: {
      int64_t elapsed = -1;
      int32_t passes = -1;
      if (!g_audio_up || !qmos_sample_channel_info(s->data, &elapsed, &passes)) elapsed = -1, passes = -1;
      *first = elapsed;
      *second = passes;
      return true;
    }
    default: return false;
  }
}

int32_t sample_get_attribute(qmState* L, int32_t attribute) {
  qmSample* s = nullptr;
  if (int32_t err = sample_find(arg_get_id(L, 2), &s)) return err;
  int32_t tag;
  switch (attribute) {
    case 9: tag = TAG_SAMPLE_TYPE; break;       // ATTRTYPE
    case 11: tag = TAG_SAMPLE_FRAMES; break;    // ATTRNUMFRAMES
    case 14: tag = TAG_SAMPLE_DURATION; break;  // ATTRDURATION
    case 15: tag = TAG_SAMPLE_PITCH; break;     // ATTRPITCH
    case 18: tag = TAG_SAMPLE_POSITION; break;  // ATTRPOSITION
    default: return ERR_UNKNOWNATTR;
  }
  if (tag == TAG_SAMPLE_POSITION && g_audio_up) platform_audio_cleanup();
  int64_t first = 0, second = 0;
  sample_attribute(s, tag, &first, &second);
  vm_push_number(L, double(first));
  if (tag != TAG_SAMPLE_POSITION) return 1;
  vm_push_number(L, double(second));
  return 2;
}

const qmCommand kSoundCommands[] = {
    {"LoadSample", cmd_loadsample},
    {"CreateSample", cmd_createsample},
    {"FreeSample", cmd_freesample},
    {"IsSample", cmd_issample},
    {"IsSound", cmd_issound},
    {"PlaySample", cmd_playsample},
    {"StopSample", cmd_stopsample},
    {"WaitSampleEnd", cmd_waitsampleend},
    {"IsSamplePlaying", cmd_issampleplaying},
    {"SetVolume", cmd_setvolume},
    {"SetPitch", cmd_setpitch},
    {"SetPanning", cmd_setpanning},
    {"SetMasterVolume", cmd_setmastervolume},
    {"SaveSample", cmd_savesample},
    {"GetSampleData", cmd_getsampledata},
    {"CopySample", cmd_copysample},
    {"MixSample", cmd_mixsample},
    {"InsertSample", cmd_insertsample},
    {nullptr, nullptr},
};

const qmConstant kSoundConstants[] = {
    {"MONO8", nullptr, kMono8},     {"MONO16", nullptr, kMono16}, {"STEREO8", nullptr, kStereo8},
    {"STEREO16", nullptr, kStereo16}, {"SAMPLE", nullptr, OBJ_SAMPLE}, {"MUSIC", nullptr, OBJ_MUSIC},
    {"SMPFMT_WAVE", nullptr, 0},    {nullptr, nullptr, 0},
};

}  // namespace

namespace {

// The plug-ins' sample locks: the frames themselves (counted in the sample's lock word, which
// keeps it from being changed or freed) or a copy of them.
int32_t plugin_lock(int32_t id, int32_t copy, qmPluginSampleLock* r) {
  qmSample* s = nullptr;
  if (sample_find(ObjectId{id, nullptr}, &s) != 0 || sample_is_playing(s->data)) return 0;
  qmSampleData* d = s->data;
  const size_t bytes = size_t(d->frames) * size_t(d->bytes_per_frame);
  void* frames = d->data;
  if (copy) {
    frames = qmos_alloc(bytes > 0 ? bytes : 1, 0);
    if (!frames) return 0;
    if (bytes) std::memcpy(frames, d->data, bytes);
  } else {
    ++d->lock;
  }
  r->data = frames;
  r->bytes = s->length;
  r->frames = d->frames;
  r->channels = d->channels;
  r->bytes_per_value = d->bits / 8;
  r->flags = ((d->flags & SAMPLE_BIG_ENDIAN) ? QMPLUGIN_SAMPLE_BIG_ENDIAN : 0) |
             ((d->flags & SAMPLE_SIGNED) ? QMPLUGIN_SAMPLE_SIGNED : 0);
  r->pitch = s->pitch;
  r->copy = copy ? 1 : 0;
  r->sample = d;
  return 1;
}

// The record names its sample by address: only a sample still in the list is unlocked.
void plugin_unlock(qmPluginSampleLock* r) {
  if (r->copy) {
    qmos_free(r->data);
  } else {
    for (ObjectHeader* o = g_samples.head; o; o = o->next) {
      qmSampleData* d = reinterpret_cast<qmSample*>(o)->data;
      if (d != r->sample) continue;
      if (d->lock > 0) --d->lock;
      break;
    }
  }
  *r = qmPluginSampleLock{};
}

const PluginSoundServices kPluginServices = {plugin_lock, plugin_unlock};

}  // namespace

// The library's one table, the sample commands and then the music commands: the command listing
// and the error reports, which look a command's name up by library, know every one of them.
const qmCommand* sound_commands() {
  static const std::vector<qmCommand> table = [] {
    std::vector<qmCommand> all;
    for (const qmCommand* c = kSoundCommands; c->name; ++c) all.push_back(*c);
    for (const qmCommand* c = sound_internal::kMusicCommands; c->name; ++c) all.push_back(*c);
    all.push_back({nullptr, nullptr});
    return all;
  }();
  return table.data();
}

int32_t sound_open(qmState* L) {
  vm_push_value(L, QM_GLOBALSINDEX);
  vm_register_commands(L, nullptr, sound_commands(), 0);
  vm_set_top(L, 0);
  if (int32_t err = library_register_name(sound_commands(), "sound")) return err;
  if (int32_t err = vm_register_constants(L, kSoundConstants, 0)) return err;
  objlist_register(&g_samples.head);
  objlist_register(sound_internal::music_list());
  sound_internal::music_open();
  graphics_set_attribute_handler(OBJ_SAMPLE, sample_get_attribute);
  plugin_set_sound_services(&kPluginServices);
  return platform_audio_channels_init();
}

bool sound_device_start() { return lazy_start(); }

int sound_setting_hook(qmState*, int32_t tag, intptr_t data) {
  switch (tag) {
    case ATTR_NOSOUND: g_no_sound = data != 0; return 1;
    case 4: g_audio_parameter = data; return 1;
    case ATTR_ONSAMPLELOOP: qmos_set_sound_handler("onsampleloop", data ? 1 : -1); return 1;
    case ATTR_ONSAMPLEEND: qmos_set_sound_handler("onsampleend", data ? 1 : -1); return 1;
    case ATTR_ONMUSICEND: qmos_set_sound_handler("onmusicend", data ? 1 : -1); return 1;
    case ATTR_ONVIDEOEND: qmos_set_sound_handler("onvideoend", data ? 1 : -1); return 1;
    default: return 0;
  }
}

int sound_get_hook(qmState*, int32_t tag, intptr_t data) {
  if (tag != TAG_SAMPLE_TYPE && tag != TAG_SAMPLE_DURATION && tag != TAG_SAMPLE_PITCH &&
      tag != TAG_SAMPLE_POSITION && tag != TAG_SAMPLE_FRAMES)
    return 0;
  auto* words = reinterpret_cast<intptr_t*>(data);
  const ObjectId id{int32_t(words[0]), reinterpret_cast<void*>(words[1])};
  qmSample* s = nullptr;
  if (sample_find(id, &s) != 0) return 0;
  int64_t first = 0, second = 0;
  if (!sample_attribute(s, tag, &first, &second)) return 0;
  words[0] = intptr_t(first);
  words[1] = intptr_t(second);
  return 1;
}

void sound_stop_all(qmState*) {
  if (!g_audio_up) return;
  if (!sound_internal::in_callback()) sound_internal::music_stop_playing();
  qmos_sample_stop(nullptr);
  platform_audio_stop();
}

void sound_cleanup(qmState* L) {
  plugin_set_sound_services(nullptr);
  platform_audio_dispose();
  sound_internal::music_free_all(L);
  for (ObjectHeader* h = g_samples.take_all(); h;) {
    auto* s = reinterpret_cast<qmSample*>(h);
    h = h->next;
    qmos_sample_free(s->data);
    if (L) reflist_free(L, s->header.refs);
    delete s;
  }
  g_audio_up = false;
}

int32_t sample_get_info(const ObjectId& id, int32_t* format, qmSampleData** data, int32_t* length, int32_t* pitch) {
  qmSample* s = nullptr;
  if (sample_find(id, &s) != 0) return 0;
  *format = s->format;
  *data = s->data;
  *length = s->length;
  *pitch = s->pitch;
  return 1;
}

namespace sound_internal {

bool no_sound() { return g_no_sound; }
bool audio_up() { return g_audio_up; }
bool lazy_start() { return qm::lazy_start(); }
bool in_callback() { return runtime_flags().protected_calls > 0; }

int32_t clamp_volume(double v) {
  const int64_t n = to_i64(v);
  return n < 0 ? 0 : n > 64 ? 64 : int32_t(n);
}

int32_t format_from_script(int64_t f) {
  switch (f) {
    case kMono8: return SAMPLE_MONO8;
    case kMono16: return SAMPLE_MONO16;
    case kStereo8: return SAMPLE_STEREO8;
    case kStereo16: return SAMPLE_STEREO16;
    default: return -1;
  }
}

int32_t sample_lookup(const ObjectId& id, qmSample** out) { return sample_find(id, out); }

int32_t sample_window(qmState* L, int32_t t, const qmSampleData* source, ConvertWindow* window) {
  return read_window(L, t, source, window);
}

void sample_delete(qmState* L, qmSample* s) {
  if (s->data->lock > 0) return;  // a plug-in holds its frames
  g_samples.remove(&s->header);
  sample_free(L, s);
}

int32_t format_to_script(int32_t code) {
  switch (code) {
    case SAMPLE_MONO8U: case SAMPLE_MONO8: return kMono8;
    case SAMPLE_STEREO8U: case SAMPLE_STEREO8: return kStereo8;
    case SAMPLE_MONO16: return kMono16;
    default: return kStereo16;
  }
}

int32_t wait_until(qmState* L, bool (*done)(void* context), void* context) {
  for (;;) {
    platform_audio_cleanup();
    if (done(context)) return 0;
    if (platform_pump_events(L) != 0 || platform_quit_requested()) return ERR_USERABORT;
    platform_delay(10);
  }
}

}  // namespace sound_internal

bool sample_is_playing(const qmSampleData* data) { return g_audio_up && qmos_sample_is_playing(data); }

}  // namespace qm
