// The "sound" library's musics: streams and tracker modules opened from files, one of them
// playing at a time, with pause, resume, seek and the modules' position queries.
#include <algorithm>
#include <cmath>
#include <new>
#include <string>
#include <strings.h>

#include "display/graphics.h"
#include "display/picture.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "events/events.h"
#include "runtime/os/qmos.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/messages.h"
#include "runtime/registry.h"
#include "sound/channels.h"
#include "sound/library_internal.h"

namespace qm::sound_internal {

namespace {

struct qmMusic {
  ObjectHeader header;  // OBJ_MUSIC
  void* handle = nullptr;
  int32_t kind = MUSIC_STREAM;
  int32_t volume = 64;
  int32_t paused = 0;
  int32_t times = 1;
  int32_t resume_pass = 1;
  int64_t resume_position = 0;
  int32_t custom = 0;
  int32_t seekable = 0;
  qmState* feed_state = nullptr;  // the program-fed music's state, for the timer
};

ObjectList g_musics;
qmMusic* g_playing = nullptr;
qmMusic* g_paused = nullptr;

int32_t music_find(const ObjectId& id, qmMusic** out) {
  *out = reinterpret_cast<qmMusic*>(g_musics.find(id));
  if (*out) return 0;
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDMUSIC;
}

qmMusic* music_arg(qmState* L, int32_t n) {
  qmMusic* m = nullptr;
  if (int32_t err = music_find(arg_get_id(L, n), &m)) vm_command_fail(L, err);
  return m;
}

int32_t volume_arg(qmState* L, int32_t n) {
  bool fraction = false;
  return clamp_volume(arg_get_number_or_percent(L, n, 64, false, &fraction));
}

// A program-fed music holds the shared 20 ms timer while it plays, so that the event loop asks
// for its data in time even when nothing else happens.
void feed_timer_release(qmMusic* m) {
  if (m->custom) qmos_sound_timer_stop(nullptr, QMOS_TIMER_SOUND);
}

// Stops the music: it starts from its beginning next time.
void stop(qmMusic* m) {
  if (g_playing == m) {
    qmos_music_stop_or_pause(m->kind, m->handle, false, nullptr, nullptr);
    g_playing = nullptr;
    feed_timer_release(m);
  }
  if (g_paused == m) g_paused = nullptr;
  m->resume_pass = 1;
  m->resume_position = 0;
  m->paused = 0;
}

// Pauses the playing music, keeping where it was.
void pause(qmMusic* m) {
  int32_t pass = 1;
  int64_t frame = 0;
  qmos_music_stop_or_pause(m->kind, m->handle, true, &pass, &frame);
  m->resume_pass = pass;
  m->resume_position = frame;
  g_playing = nullptr;
  g_paused = m;
  m->paused = 1;
  feed_timer_release(m);
}

// Starts the music from its kept pass and position, stopping the playing one first.
int32_t start(qmMusic* m) {
  if (in_callback()) return ERR_NOCALLBACK;
  if (g_playing) {
    qmMusic* old = g_playing;
    const bool same = old == m;
    const int32_t pass = m->resume_pass;
    const int64_t position = m->resume_position;
    stop(old);
    if (same) m->resume_pass = pass, m->resume_position = position;
  }
  if (m->kind == MUSIC_STREAM) {
    auto* source = static_cast<qmSoundSource*>(m->handle);
    if (m->seekable || m->resume_position == 0) qmos_source_seek(source, m->resume_position);
  }
  if (int32_t err = qmos_music_play(m->kind, m->handle, m->header.id, m->times, m->resume_pass, m->volume))
    return err;
  g_playing = m;
  if (g_paused == m) g_paused = nullptr;
  m->paused = 0;
  if (m->custom) {
    if (int32_t err = qmos_sound_timer_start(m->feed_state, QMOS_TIMER_SOUND)) {
      stop(m);
      return err;
    }
  }
  return 0;
}

void music_ended(qmSoundSource* source) {
  if (!g_playing || g_playing->handle != source) return;
  g_playing->resume_pass = 1;
  g_playing->resume_position = 0;
  feed_timer_release(g_playing);
  g_playing = nullptr;
}

void music_free(qmState* L, qmMusic* m) {
  stop(m);
  qmos_music_close(m->kind, m->handle);
  if (L) reflist_free(L, m->header.refs);
  delete m;
}

// ---- commands -----------------------------------------------------------------------------------

// A numbered id's music goes before a new one takes the number: 0, or 1478 when it is the playing
// one and a callback runs.
int32_t free_numbered(qmState* L, const NewId& id) {
  if (id.automatic) return 0;
  qmMusic* old = nullptr;
  if (music_find(id.id, &old) != 0) return 0;
  if (old == g_playing && in_callback()) return ERR_NOCALLBACK;
  g_musics.remove(&old->header);
  music_free(L, old);
  return 0;
}

int32_t cmd_openmusic(qmState* L) {
  arg_check_count(L, 2, 2);
  if (no_sound()) return 0;
  const NewId id = new_id_arg(L, 1);
  const std::string name = arg_get_linked_file(L, 2, 0, nullptr);
  if (!lazy_start()) return 0;
  if (int32_t err = free_numbered(L, id)) return err;
  err_set_string_arg(name.c_str());
  console_print_file(err_get_message(MSG_LOADING_MUSIC), name.c_str(), true);
  auto* m = new (std::nothrow) qmMusic();
  if (!m) {
    console_print_failed();
    return ERR_MEM;
  }
  if (int32_t err = qmos_music_open(name.c_str(), &m->kind, &m->handle, &m->seekable)) {
    console_print_failed();
    delete m;
    return err;
  }
  console_print_done();
  m->header.type = OBJ_MUSIC;
  m->header.id = id.automatic ? ObjectId{0, m} : id.id;
  if (!g_musics.append(&m->header)) {
    music_free(L, m);
    return ERR_MEM;
  }
  return push_new_id(L, id, m);
}

int32_t cmd_createmusic(qmState* L) {
  arg_check_count(L, 3, 3);
  if (no_sound()) return 0;
  const NewId id = new_id_arg(L, 1);
  const int32_t pitch = to_i32_sat(vm_arg_check_number(L, 2));
  const int32_t format = format_from_script(to_i64(vm_arg_check_number(L, 3)));
  if (!lazy_start()) return 0;
  if (in_callback()) return ERR_NOCALLBACK;
  if (event_global_slot(GSLOT_FILLMUSICBUFFER).callback == -1) return ERR_NOFMBHANDLER;
  if (format < 0) return ERR_WRONGUSAGE;
  if (pitch < kMinPitch) return ERR_LOWFREQ;
  if (int32_t err = free_numbered(L, id)) return err;
  auto* m = new (std::nothrow) qmMusic();
  if (!m) return ERR_MEM;
  qmSoundSource* source = nullptr;
  if (int32_t err = qmos_custom_stream_create(L, pitch, format, &m->kind, &source)) {
    delete m;
    return err;
  }
  m->handle = source;
  m->custom = 1;
  m->seekable = 0;
  m->feed_state = L;
  m->header.type = OBJ_MUSIC;
  m->header.id = id.automatic ? ObjectId{0, m} : id.id;
  if (!g_musics.append(&m->header)) {
    music_free(L, m);
    return ERR_MEM;
  }
  const int32_t results = push_new_id(L, id, m);
  // The program fills the first two seconds at once.
  const int32_t frames = int32_t(std::min<int64_t>(int64_t(pitch) * 2, INT32_MAX));
  if (int32_t err = event_call_fillmusicbuffer(L, nullptr, m->header.id, frames, 0, true)) return err;
  return results;
}

// A "pcm" entry: the values of the table's "data" table from index 0, up to the first that is
// not a number, clamped to the format's range; frames after the last value stay silent.
int32_t fill_pcm(qmState* L, const qmSoundSource* source, int64_t frames, qmMusicBufferEntry* e) {
  if (vm_type(L, 4) != QM_TTABLE) return ERR_WRONGUSAGE;
  vm_push_string(L, "data");
  vm_get_table(L, 4);
  if (vm_type(L, -1) != QM_TTABLE) {
    vm_pop(L, 1);
    return ERR_WRONGUSAGE;
  }
  const int64_t values = frames * source->channels;
  const bool wide = source->bits == 16;
  const double lo = wide ? -32768 : -128, hi = wide ? 32767 : 127;
  for (int64_t i = 0; i < values && i <= INT32_MAX; ++i) {
    vm_raw_geti(L, -1, int32_t(i));
    const bool number = vm_type(L, -1) == QM_TNUMBER;
    const double v = number ? vm_to_number(L, -1) : 0;
    vm_pop(L, 1);
    if (!number) break;
    const int32_t value = to_i32(std::isnan(v) ? 0 : std::clamp(v, lo, hi));
    if (wide) {
      put_le16(e->data + i * 2, uint16_t(int16_t(value)));
    } else {
      e->data[i] = uint8_t(int8_t(value));
    }
  }
  vm_pop(L, 1);
  return 0;
}

// A "sample" entry: frames of the sample named by the table's "id", converted into the music's
// format through the conversion's options; "free" frees the sample afterwards.
int32_t fill_sample(qmState* L, const qmSoundSource* source, int64_t frames, qmMusicBufferEntry* e) {
  if (vm_type(L, 4) != QM_TTABLE) return ERR_WRONGUSAGE;
  ObjectId sample_id;
  int32_t given = 0, free_after = 0;
  opt_get_id(L, 4, "id", &sample_id, &given);
  if (!given) return ERR_WRONGUSAGE;
  qmSample* sample = nullptr;
  if (int32_t err = sample_lookup(sample_id, &sample)) return err;
  ConvertWindow window;
  if (int32_t err = sample_window(L, 4, sample->data, &window)) return err;
  opt_get_int(L, 4, "free", &free_after, nullptr);
  sample_convert(sample->data, window, format_layout(source->format), e->data, frames);
  if (free_after) sample_delete(L, sample);
  return 0;
}

int32_t cmd_fillmusicbuffer(qmState* L) {
  arg_check_count(L, 3, 4);
  if (no_sound()) return 0;
  if (!event_in_fillmusicbuffer()) return ERR_NOMUSICCB;
  const ObjectId id = arg_get_id(L, 1);
  const char* type = vm_arg_check_string(L, 2, nullptr);
  const int64_t count = to_i64(vm_arg_check_number(L, 3));
  qmMusic* m = nullptr;
  if (music_find(id, &m) != 0 || !m->custom || count < 0) return ERR_WRONGUSAGE;
  auto* source = static_cast<qmSoundSource*>(m->handle);
  if (count > SAMPLE_MAX_BYTES / source->bytes_per_frame) return ERR_MEM;
  const bool end = strcasecmp(type, "end") == 0;
  using Filler = int32_t (*)(qmState*, const qmSoundSource*, int64_t, qmMusicBufferEntry*);
  Filler fill = nullptr;
  if (strcasecmp(type, "pcm") == 0) {
    fill = fill_pcm;
  } else if (strcasecmp(type, "sample") == 0) {
    fill = fill_sample;
  } else if (!end && strcasecmp(type, "mute") != 0) {
    return ERR_WRONGUSAGE;
  }
  qmMusicBufferEntry* e = qmos_custom_entry_new(source, end ? SOURCE_UNBOUNDED : count);
  if (!e) return ERR_MEM;
  if (fill) {
    if (int32_t err = fill(L, source, count, e)) {
      qmos_custom_entry_free(e);
      return err;
    }
  }
  qmos_custom_append(source, e);
  return 0;
}

// The event poller's music source: the playing program-fed music while it holds less than a
// second of unplayed frames and has not queued its end.
bool music_buffer_request(ObjectId* music, int32_t* samples, int32_t* count) {
  if (!audio_up() || !g_playing || !g_playing->custom) return false;
  auto* source = static_cast<qmSoundSource*>(g_playing->handle);
  if (source->feed->ended) return false;
  const int64_t unplayed = qmos_custom_unplayed(source);
  if (unplayed >= source->rate) return false;
  *music = g_playing->header.id;
  *samples = int32_t(source->rate - unplayed);
  *count = int32_t(std::min<int64_t>(source->feed->total_queued, INT32_MAX));
  return true;
}

int32_t cmd_closemusic(qmState* L) {
  arg_check_count(L, 1, 1);
  if (no_sound()) return 0;
  qmMusic* m = music_arg(L, 1);
  if (m == g_playing && in_callback()) return ERR_NOCALLBACK;
  g_musics.remove(&m->header);
  music_free(L, m);
  return 0;
}

int32_t cmd_playmusic(qmState* L) {
  arg_check_count(L, 1, 2);
  if (no_sound()) return 0;
  qmMusic* m = music_arg(L, 1);
  m->times = 1;
  if (vm_type(L, 2) == QM_TTABLE) {
    double v = m->volume;
    bool fraction = false;
    int32_t given = 0;
    opt_get_number_or_percent(L, 2, "volume", 64, false, &v, &fraction, &given);
    if (given) m->volume = clamp_volume(v);
    opt_get_int(L, 2, "times", &m->times, nullptr);
  } else if (vm_type(L, 2) != QM_TNIL && vm_get_top(L) >= 2) {
    m->times = to_i32(vm_arg_check_number(L, 2));
  }
  if (m->times < 0) m->times = 0;
  if (!audio_up()) return 0;
  return start(m);
}

// The music that StopMusic and PauseMusic act on: the playing one, which an id must name.
int32_t playing_arg(qmState* L, qmMusic** out) {
  if (vm_get_top(L) < 1 || vm_type(L, 1) == QM_TNIL) {
    if (audio_up()) platform_audio_cleanup();
    if (!g_playing) return ERR_WRONGUSAGE;
    *out = g_playing;
    return 0;
  }
  const ObjectId id = arg_get_id(L, 1);
  qmMusic* m = nullptr;
  if (int32_t err = music_find(id, &m)) return err;
  if (audio_up()) platform_audio_cleanup();
  if (m != g_playing) {
    if (id.handle) return ERR_MUSNOTPLYNG2;
    err_set_number_arg(id.number);
    return ERR_MUSNOTPLYNG;
  }
  *out = m;
  return 0;
}

int32_t cmd_stopmusic(qmState* L) {
  arg_check_count(L, 0, 1);
  if (no_sound()) return 0;
  qmMusic* m = nullptr;
  if (int32_t err = playing_arg(L, &m)) return err;
  if (in_callback()) return ERR_NOCALLBACK;
  stop(m);
  return 0;
}

int32_t cmd_pausemusic(qmState* L) {
  arg_check_count(L, 0, 1);
  if (no_sound()) return 0;
  qmMusic* m = nullptr;
  if (int32_t err = playing_arg(L, &m)) return err;
  if (in_callback()) return ERR_NOCALLBACK;
  pause(m);
  return 0;
}

int32_t cmd_resumemusic(qmState* L) {
  arg_check_count(L, 0, 1);
  if (no_sound()) return 0;
  qmMusic* m = g_paused;
  if (vm_get_top(L) >= 1 && vm_type(L, 1) != QM_TNIL) {
    m = music_arg(L, 1);
  } else if (!m) {
    return ERR_WRONGUSAGE;
  }
  if (!m->paused) return ERR_MUSNOTPAUSED;
  return start(m);
}

int32_t cmd_seekmusic(qmState* L) {
  arg_check_count(L, 2, 2);
  if (no_sound()) return 0;
  qmMusic* m = music_arg(L, 1);
  const int64_t ms = to_i64(vm_arg_check_number(L, 2));
  if (!m->seekable || m->kind != MUSIC_STREAM) return ERR_SEEKFORMAT;
  const int64_t duration = qmos_music_info(MUSIC_INFO_DURATION, m->kind, m->handle).number;
  if (ms < 0 || ms >= duration) return ERR_SEEKRANGE;
  const bool playing = audio_up() && m == g_playing;
  if (playing) {
    if (in_callback()) return ERR_NOCALLBACK;
    pause(m);
  }
  auto* source = static_cast<qmSoundSource*>(m->handle);
  qmos_music_seek_ms(m->kind, source, ms);
  m->resume_position = source->position;
  return playing ? start(m) : 0;
}

int32_t cmd_setmusicvolume(qmState* L) {
  arg_check_count(L, 2, 2);
  if (no_sound()) return 0;
  qmMusic* m = music_arg(L, 1);
  m->volume = volume_arg(L, 2);
  if (audio_up()) qmos_music_set_volume(m->kind, m->handle, m->volume);
  return 0;
}

int32_t cmd_ismusic(qmState* L) {
  arg_check_count(L, 1, 1);
  if (no_sound()) return 0;
  const std::string name = arg_get_linked_file(L, 1, 0, nullptr);
  std::string format;
  const bool is_music = qmos_music_identify(name.c_str(), &format);
  vm_push_boolean(L, is_music);
  vm_push_string(L, format.c_str());
  return 2;
}

int32_t cmd_ismusicplaying(qmState* L) {
  arg_check_count(L, 1, 1);
  if (no_sound()) return 0;
  qmMusic* m = music_arg(L, 1);
  if (audio_up()) platform_audio_cleanup();
  vm_push_boolean(L, audio_up() && m == g_playing && qmos_music_is_playing(m->kind, m->handle));
  return 1;
}

// The playing module, or null.
qmMusicModule* playing_module() {
  if (!audio_up()) return nullptr;
  platform_audio_cleanup();
  return g_playing && g_playing->kind == MUSIC_MODULE ? static_cast<qmMusicModule*>(g_playing->handle) : nullptr;
}

int32_t cmd_getsongposition(qmState* L) {
  arg_check_count(L, 0, 0);
  if (no_sound()) return 0;
  qmMusicModule* module = playing_module();
  vm_push_number(L, module ? qmos_mod_query(module, MOD_QUERY_POSITION, 0) : -1);
  return 1;
}

int32_t cmd_getpatternposition(qmState* L) {
  arg_check_count(L, 0, 0);
  if (no_sound()) return 0;
  qmMusicModule* module = playing_module();
  vm_push_number(L, module ? qmos_mod_query(module, MOD_QUERY_ROW, 0) : -1);
  return 1;
}

int32_t cmd_playsubsong(qmState* L) {
  arg_check_count(L, 1, 1);
  if (no_sound()) return 0;
  const int32_t position = to_i32(vm_arg_check_number(L, 1));
  qmMusicModule* module = playing_module();
  if (!module || qmos_mod_query(module, MOD_QUERY_JUMP, position) != 0) return ERR_WRONGUSAGE;
  return 0;
}

// WaitSongPosition and WaitPatternPosition.
struct WaitTarget {
  int32_t selector;
  int32_t value;
};

int32_t wait_module(qmState* L, int32_t selector) {
  arg_check_count(L, 1, 1);
  if (no_sound()) return 0;
  WaitTarget target{selector, to_i32(vm_arg_check_number(L, 1))};
  if (!playing_module()) return 0;
  return wait_until(
      L,
      [](void* context) {
        const auto* t = static_cast<WaitTarget*>(context);
        qmMusicModule* module = playing_module();
        return !module || qmos_mod_query(module, t->selector, 0) >= t->value;
      },
      &target);
}

int32_t cmd_waitsongposition(qmState* L) { return wait_module(L, MOD_QUERY_POSITION); }
int32_t cmd_waitpatternposition(qmState* L) { return wait_module(L, MOD_QUERY_ROW); }

int32_t music_get_attribute(qmState* L, int32_t attribute) {
  qmMusic* m = nullptr;
  if (int32_t err = music_find(arg_get_id(L, 2), &m)) return err;
  if (audio_up()) platform_audio_cleanup();
  auto info = [m](int32_t selector) { return qmos_music_info(selector, m->kind, m->handle); };
  switch (attribute) {
    case 9: vm_push_number(L, format_to_script(int32_t(info(MUSIC_INFO_FORMAT).number))); return 1;  // ATTRTYPE
    case 14: vm_push_number(L, double(info(MUSIC_INFO_DURATION).number)); return 1;        // ATTRDURATION
    case 15: vm_push_number(L, double(info(MUSIC_INFO_RATE).number)); return 1;            // ATTRPITCH
    case 18: vm_push_number(L, double(info(MUSIC_INFO_POSITION).number)); return 1;        // ATTRPOSITION
    case 19: {                                                                              // ATTRFORMAT
      const char* name = info(MUSIC_INFO_NAME).text;
      vm_push_string(L, name ? name : "");
      return 1;
    }
    case 20: vm_push_number(L, double(info(MUSIC_INFO_BIT_RATE).number)); return 1;  // ATTRBITRATE
    case 72: vm_push_number(L, m->seekable && m->kind == MUSIC_STREAM ? 1 : 0); return 1;  // ATTRCANSEEK
    default: return ERR_UNKNOWNATTR;
  }
}

}  // namespace

extern const qmCommand kMusicCommands[] = {
    {"OpenMusic", cmd_openmusic},       {"LoadModule", cmd_openmusic},
    {"CloseMusic", cmd_closemusic},     {"FreeModule", cmd_closemusic},
    {"PlayMusic", cmd_playmusic},       {"PlayModule", cmd_playmusic},
    {"StopMusic", cmd_stopmusic},       {"StopModule", cmd_stopmusic},
    {"PauseMusic", cmd_pausemusic},     {"PauseModule", cmd_pausemusic},
    {"ResumeMusic", cmd_resumemusic},   {"ResumeModule", cmd_resumemusic},
    {"SeekMusic", cmd_seekmusic},       {"SetMusicVolume", cmd_setmusicvolume},
    {"IsMusic", cmd_ismusic},           {"IsModule", cmd_ismusic},
    {"IsMusicPlaying", cmd_ismusicplaying},
    {"GetPatternPosition", cmd_getpatternposition},
    {"GetSongPosition", cmd_getsongposition},
    {"PlaySubsong", cmd_playsubsong},
    {"WaitPatternPosition", cmd_waitpatternposition},
    {"WaitSongPosition", cmd_waitsongposition},
    {"CreateMusic", cmd_createmusic},
    {"FillMusicBuffer", cmd_fillmusicbuffer},
    {nullptr, nullptr},
};

void music_open() {
  qmos_set_music_ended_hook(music_ended);
  event_sources().music_request = music_buffer_request;
  graphics_set_attribute_handler(OBJ_MUSIC, music_get_attribute);
}

ObjectHeader** music_list() { return &g_musics.head; }

void music_stop_playing() {
  if (g_playing) stop(g_playing);
}

void music_free_all(qmState* L) {
  g_playing = nullptr;
  g_paused = nullptr;
  for (ObjectHeader* h = g_musics.take_all(); h;) {
    auto* m = reinterpret_cast<qmMusic*>(h);
    h = h->next;
    qmos_music_close(m->kind, m->handle);
    if (L) reflist_free(L, m->header.refs);
    delete m;
  }
}

}  // namespace qm::sound_internal
