// The channel table and what the main thread does with it: samples, musics, the clean-up that
// turns what the mixer noted into sound events and free channels, and the event queue.
#include "sound/channels.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>

#include "engine/errcodes.h"
#include "events/events.h"
#include "platform/audio.h"
#include "platform/platform.h"
#include "sound/modplayer.h"

namespace qm {

using namespace channel_internal;

namespace {

qmChannel g_channels[kChannelCount];
std::recursive_mutex g_channel_lock;

struct QueuedEvent {
  int32_t kind;
  ObjectId owner;
  int32_t time;
  int32_t count;
};
std::mutex g_event_lock;
std::deque<QueuedEvent> g_events;

// Handler references of onsampleloop, onsampleend, onmusicend and onvideoend, and whether each is
// set (read by the mixer).
const char* const kHandlerNames[] = {"onsampleloop", "onsampleend", "onmusicend", "onvideoend"};
int32_t g_handlers[4] = {-1, -1, -1, -1};
std::atomic<bool> g_wanted[4];

MusicEndedHook g_music_ended = nullptr;
bool g_pump_finisher_added = false;

int32_t handler_index(const char* event) {
  for (int32_t i = 0; i < 4; ++i)
    if (strcasecmp(event, kHandlerNames[i]) == 0) return i;
  return -1;
}

void reset_channel(qmChannel& ch) {
  ch = qmChannel{};
}

int32_t free_channel() {
  for (int32_t i = 0; i < kChannelCount; ++i)
    if (g_channels[i].state == CHANNEL_FREE) return i;
  return -1;
}

void set_gains(qmChannel& ch) {
  mixer_gains(ch.volume, ch.pan, &ch.gain_left, &ch.gain_right);
}

int32_t stream_channel(const qmSoundSource* source) {
  for (int32_t i = 0; i < kChannelCount; ++i)
    if (g_channels[i].state == CHANNEL_STREAM && g_channels[i].source == source) return i;
  return -1;
}

int32_t module_channel(const qmMusicModule* module) {
  for (int32_t i = 0; i < kChannelCount; ++i)
    if (g_channels[i].state == CHANNEL_MODULE && g_channels[i].module == module) return i;
  return -1;
}

bool plays_sample(const qmChannel& ch, const qmSampleData* sample) {
  return (ch.state == CHANNEL_SAMPLE || ch.state == CHANNEL_PREPARED) &&
         (!sample || ch.sample == sample);
}

int64_t duration_ms(const qmSoundSource* s) {
  if (s->frames < 0 || s->rate <= 0) return -1;
  return s->frames * 1000 / s->rate;
}

// A stream channel stops in two steps: under the channel lock the mixer lets go of it and the
// thread is told to quit; after the join, with the source the main thread's again, its clock and
// position are kept for a pause or cleared.
struct StreamStop {
  qmSoundSource* source = nullptr;
  int32_t pass = 1;
  int64_t clock_start = SOURCE_CLOCK_STOPPED;
};

StreamStop stop_stream_locked(qmChannel& ch) {
  StreamStop stop{ch.source, ch.pass, ch.source->clock_start_us.load()};
  stream_detach();
  reset_channel(ch);
  return stop;
}

void finish_stream_stop(const StreamStop& stop, bool keep, int32_t* pass, int64_t* frame) {
  stream_join();
  qmSoundSource* s = stop.source;
  int32_t stopped_pass = stop.pass;
  const int64_t duration = duration_ms(s);
  if (keep && stop.clock_start != SOURCE_CLOCK_STOPPED) {
    const int64_t elapsed =
        std::max<int64_t>(0, (platform_clock().now_us() - stop.clock_start) / 1000);
    const int64_t base = s->clock_seconds * 1000 + s->clock_micros / 1000;
    s->clock_offset_ms += elapsed;
    if (duration > 0) {
      stopped_pass = int32_t(std::min<int64_t>(s->clock_offset_ms / duration + 1, INT32_MAX));
      const int64_t at = (elapsed + base) % duration;
      s->clock_seconds = at / 1000;
      s->clock_micros = at % 1000 * 1000;
    }
  }
  s->clock_start_us.store(SOURCE_CLOCK_STOPPED);
  if (keep) {
    if (s->kind != SOURCE_PROGRAM) {
      qmos_source_seek_keep_clock(s,
                                  s->clock_seconds * s->rate + s->clock_micros * s->rate / 1000000);
    }
  } else {
    qmos_source_seek_keep_clock(s, 0);
    s->clock_seconds = s->clock_micros = 0;
    s->clock_offset_ms = 0;
  }
  if (pass) *pass = stopped_pass;
  if (frame) *frame = s->position;
}

// The pump's finisher: delivers events and releases finished channels.
int32_t pump_finish(qmState*) {
  if (g_attention.load()) platform_audio_cleanup();
  return 0;
}

}  // namespace

namespace channel_internal {

std::atomic<bool> g_attention{false};

bool event_wanted(int32_t kind) {
  switch (kind) {
    case SOUND_EVENT_SAMPLE_LOOP:
      return g_wanted[0].load(std::memory_order_relaxed);
    case SOUND_EVENT_SAMPLE_END:
      return g_wanted[1].load(std::memory_order_relaxed);
    case SOUND_EVENT_MUSIC_END:
      return g_wanted[2].load(std::memory_order_relaxed);
    default:
      return false;
  }
}

void push_event(qmChannel& ch, int32_t kind) {
  const int32_t room =
      kind == SOUND_EVENT_SAMPLE_LOOP ? kChannelEventSlots - 1 : kChannelEventSlots;
  if (ch.event_count >= room) return;
  ch.events[ch.event_count++] = {kind, ch.pass};
}

}  // namespace channel_internal

qmChannel* channel_table() {
  return g_channels;
}
void channel_lock() {
  g_channel_lock.lock();
}
bool channel_try_lock() {
  return g_channel_lock.try_lock();
}
void channel_unlock() {
  g_channel_lock.unlock();
}

// ---- start and end ------------------------------------------------------------------------------

int32_t platform_audio_channels_init() {
  {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    for (qmChannel& ch : g_channels) reset_channel(ch);
  }
  qmos_stream_init();
  event_sources().sound_take = qmos_pop_sound_event;
  if (!g_pump_finisher_added) {
    platform_add_pump_finisher(pump_finish);
    g_pump_finisher_added = true;
  }
  return 0;
}

int32_t platform_audio_init() {
  if (platform_audio_device_open()) return 0;
  if (platform_audio_start() != 0) return ERR_OPENAUDIO;
  return platform_audio_device_start(mixer_render, kMixRate, kMixBufferFrames) ? 0 : ERR_OPENAUDIO;
}

bool platform_audio_initialised() {
  return platform_audio_device_open();
}

void platform_audio_stop() {
  platform_audio_device_stop();
}

void platform_audio_dispose() {
  // The device goes first, so that the mixer never sees a channel being freed.
  platform_audio_stop();
  bool join = false;
  {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    for (qmChannel& ch : g_channels) {
      if (ch.state == CHANNEL_STREAM) {
        stream_detach();
        join = true;
      }
      reset_channel(ch);
    }
  }
  if (join) stream_join();
  movie_sound_close();
  qmos_stream_cleanup();
  g_attention.store(false);
}

namespace {

struct TakenEvent {
  ChannelEvent event;
  ObjectId owner;
  int64_t pass_ms, last_pass_ms;
};
struct TakenEvents {
  TakenEvent list[kChannelCount * kChannelEventSlots];
  int32_t count = 0;
};

// Under the channel lock: the events every channel recorded, the channels emptied of them.
void take_events_locked(TakenEvents& taken) {
  for (qmChannel& ch : g_channels) {
    for (int32_t i = 0; i < ch.event_count; ++i)
      taken.list[taken.count++] = {ch.events[i], ch.owner, ch.pass_ms, ch.last_pass_ms};
    ch.event_count = 0;
  }
}

void post_events(const TakenEvents& taken) {
  for (int32_t i = 0; i < taken.count; ++i) {
    const TakenEvent& t = taken.list[i];
    qmos_post_sound_event(t.event.kind, t.owner, t.pass_ms, t.event.pass, t.last_pass_ms);
  }
}

}  // namespace

void platform_audio_deliver_events() {
  TakenEvents taken;
  {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    take_events_locked(taken);
  }
  post_events(taken);
}

void platform_audio_cleanup() {
  g_attention.store(false);
  TakenEvents taken;
  StreamStop ended;
  {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    // The events are taken in the same hold as the finished channels are released: a channel the
    // mixer finishes between the two would otherwise be released with its end event unread.
    take_events_locked(taken);
    for (qmChannel& ch : g_channels) {
      if (!ch.finished) continue;
      if (ch.state == CHANNEL_STREAM) {
        ended = stop_stream_locked(ch);
      } else {
        reset_channel(ch);
      }
    }
  }
  post_events(taken);
  if (ended.source) {
    finish_stream_stop(ended, false, nullptr, nullptr);
    if (g_music_ended) g_music_ended(ended.source);
  }
}

// ---- samples ------------------------------------------------------------------------------------

int32_t qmos_sample_play(qmSampleData* sample, ObjectId owner, int32_t format, int64_t byte_length,
                         int32_t pitch, int32_t volume, int32_t pan, int64_t time, int32_t passes) {
  if (qmos_sample_frame_bytes(sample->format) != sample->bytes_per_frame ||
      (!sample->data && sample->frames > 0))
    return ERR_AUDIOCONVERTER;
  std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
  const int32_t c = free_channel();
  if (c < 0) return ERR_NOCHANNEL;
  qmChannel& ch = g_channels[c];
  reset_channel(ch);
  const int32_t bpf = qmos_sample_frame_bytes(format >= 0 ? format : sample->format);
  int64_t frames = sample->frames;
  if (bpf > 0 && byte_length >= 0) frames = std::min<int64_t>(frames, byte_length / bpf);
  pitch = std::max(pitch, 1);
  ch.state = CHANNEL_PREPARED;
  ch.sample = sample;
  ch.owner = owner;
  ch.frames = frames;
  ch.pitch = pitch;
  ch.step = (uint64_t(pitch) << 32) / kMixRate;
  ch.volume = std::clamp(volume, 0, 64);
  ch.pan = std::clamp(pan, 0, 255);
  set_gains(ch);
  ch.start_pending = true;
  ch.pass_ms = std::max<int64_t>(1, frames * 1000 / pitch);
  if (time > 0) {
    ch.passes = int32_t(std::min<int64_t>((time + ch.pass_ms - 1) / ch.pass_ms, INT32_MAX));
    ch.last_pass_ms = time - int64_t(ch.passes - 1) * ch.pass_ms;
    ch.last_pass_frames = std::min<int64_t>(frames, int64_t(pitch) * ch.last_pass_ms / 1000);
  } else {
    ch.passes = std::max(passes, 0);
    ch.last_pass_ms = ch.pass_ms;
    ch.last_pass_frames = frames;
  }
  return 0;
}

void qmos_channels_start_prepared() {
  std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
  for (qmChannel& ch : g_channels)
    if (ch.state == CHANNEL_PREPARED) ch.state = CHANNEL_SAMPLE;
}

void qmos_channels_release_prepared() {
  std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
  for (qmChannel& ch : g_channels)
    if (ch.state == CHANNEL_PREPARED) reset_channel(ch);
}

void qmos_sample_stop(const qmSampleData* sample) {
  TakenEvents taken;
  {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    take_events_locked(taken);
    for (qmChannel& ch : g_channels)
      if (plays_sample(ch, sample)) reset_channel(ch);
  }
  post_events(taken);
}

bool qmos_sample_is_playing(const qmSampleData* sample) {
  platform_audio_cleanup();
  std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
  return std::any_of(std::begin(g_channels), std::end(g_channels),
                     [&](const qmChannel& ch) { return plays_sample(ch, sample); });
}

bool qmos_sample_channel_info(const qmSampleData* sample, int64_t* elapsed_ms,
                              int32_t* passes_done) {
  std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
  for (const qmChannel& ch : g_channels) {
    if (!plays_sample(ch, sample) || ch.finished) continue;
    const bool started = ch.state == CHANNEL_SAMPLE && !ch.start_pending;
    if (elapsed_ms)
      *elapsed_ms = started ? (platform_clock().now_us() - ch.start_time_us) / 1000 : 0;
    if (passes_done) *passes_done = ch.pass - 1;
    return true;
  }
  return false;
}

void qmos_channel_update_params(const qmSampleData* sample, int32_t pitch, int32_t volume,
                                int32_t pan) {
  if (pitch != -1) return;
  std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
  for (qmChannel& ch : g_channels) {
    if (!sample || !plays_sample(ch, sample) || ch.finished) continue;
    ch.volume = std::clamp(volume, 0, 64);
    ch.pan = std::clamp(pan, 0, 255);
    set_gains(ch);
    return;
  }
}

// ---- musics -------------------------------------------------------------------------------------

int32_t qmos_music_play(int32_t kind, void* handle, ObjectId owner, int32_t passes,
                        int32_t resume_pass, int32_t volume) {
  if (kind == MUSIC_MODULE) {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    const int32_t c = free_channel();
    if (c < 0) return ERR_NOCHANNEL;
    qmChannel& ch = g_channels[c];
    reset_channel(ch);
    ch.module = static_cast<qmMusicModule*>(handle);
    ch.owner = owner;
    ch.volume = std::clamp(volume, 0, 64);
    set_gains(ch);
    ch.state = CHANNEL_MODULE;
    return 0;
  }
  auto* source = static_cast<qmSoundSource*>(handle);
  if (source->kind == SOURCE_PROGRAM && source->feed && source->feed->restart) {
    source->feed->restart = false;
    qmos_custom_clear(source);
    if (int32_t err = event_call_fillmusicbuffer(
            source->feed->L, nullptr, owner, source->rate * 2,
            int32_t(std::min<int64_t>(source->feed->total_queued, INT32_MAX)), true))
      return err;
  }
  int32_t c = -1;
  {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    c = free_channel();
    if (c < 0) return ERR_NOCHANNEL;
    qmChannel& ch = g_channels[c];
    reset_channel(ch);
    // Reserved: the mixer plays silence on it until the stream is published.
    ch.state = CHANNEL_STREAM;
    ch.source = source;
    ch.owner = owner;
    ch.volume = std::clamp(volume, 0, 64);
    set_gains(ch);
    ch.passes = std::max(passes, 0);
    ch.pass = std::max(resume_pass, 1);
    ch.start_frame = source->position;
    ch.pitch = std::max(source->rate, 1);
    ch.step = (uint64_t(ch.pitch) << 32) / kMixRate;
  }
  const int32_t err = stream_start(g_channels[c], c);
  if (err) {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    reset_channel(g_channels[c]);
  }
  return err;
}

void qmos_music_stop(qmSoundSource* source, bool pause, int32_t* pass, int64_t* frame) {
  StreamStop stop;
  {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    const int32_t c = stream_channel(source);
    if (c >= 0) stop = stop_stream_locked(g_channels[c]);
  }
  if (stop.source) finish_stream_stop(stop, pause, pass, frame);
  if (!pause && source->kind == SOURCE_PROGRAM && source->feed) source->feed->restart = true;
}

void qmos_music_stop_or_pause(int32_t kind, void* handle, bool pause, int32_t* pass,
                              int64_t* frame) {
  platform_audio_deliver_events();
  if (kind == MUSIC_STREAM) {
    qmos_music_stop(static_cast<qmSoundSource*>(handle), pause, pass, frame);
    return;
  }
  auto* module = static_cast<qmMusicModule*>(handle);
  {
    std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
    const int32_t c = module_channel(module);
    if (c >= 0) reset_channel(g_channels[c]);
  }
  if (!pause && module->player)
    qmos_mod_open(module->player, module->image, module->size, MUSIC_MODULE_RATE, nullptr);
}

void qmos_music_set_volume(int32_t kind, void* handle, int32_t volume) {
  std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
  const int32_t c = kind == MUSIC_MODULE ? module_channel(static_cast<qmMusicModule*>(handle))
                                         : stream_channel(static_cast<qmSoundSource*>(handle));
  if (c < 0) return;
  g_channels[c].volume = std::clamp(volume, 0, 64);
  set_gains(g_channels[c]);
}

bool qmos_music_is_playing(int32_t kind, const void* handle) {
  platform_audio_cleanup();
  std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
  return (kind == MUSIC_MODULE ? module_channel(static_cast<const qmMusicModule*>(handle))
                               : stream_channel(static_cast<const qmSoundSource*>(handle))) >= 0;
}

int32_t qmos_mod_query(const qmMusicModule* module, int32_t selector, int32_t value) {
  std::lock_guard<std::recursive_mutex> hold(g_channel_lock);
  if (module_channel(module) < 0) return -1;
  switch (selector) {
    case MOD_QUERY_ROW:
      return qmos_mod_heard_row(module->player);
    case MOD_QUERY_POSITION:
      return qmos_mod_heard_position(module->player);
    case MOD_QUERY_JUMP:
      return qmos_mod_queue_jump(module->player, value) ? 0 : -1;
    default:
      return -1;
  }
}

// ---- sound events -------------------------------------------------------------------------------

void qmos_post_sound_event(int32_t kind, ObjectId owner, int64_t a, int32_t b, int64_t c) {
  QueuedEvent e{kind, owner, 0, 0};
  if (kind != SOUND_EVENT_MUSIC_END) {
    int64_t t = int64_t(b - 1) * a + (kind == SOUND_EVENT_SAMPLE_END ? c : 0);
    e.time = int32_t(std::clamp<int64_t>(t, 0, INT32_MAX));
    e.count = b;
  }
  std::lock_guard<std::mutex> hold(g_event_lock);
  g_events.push_back(e);
}

bool qmos_pop_sound_event(int32_t* kind, ObjectId* owner, int32_t* time, int32_t* count) {
  std::lock_guard<std::mutex> hold(g_event_lock);
  if (g_events.empty()) return false;
  const QueuedEvent e = g_events.front();
  g_events.pop_front();
  *kind = e.kind;
  *owner = e.owner;
  *time = e.time;
  *count = e.count;
  return true;
}

void qmos_set_sound_handler(const char* event, int32_t reference) {
  const int32_t i = handler_index(event);
  if (i < 0) return;
  g_handlers[i] = reference;
  g_wanted[i].store(reference != -1);
}

int32_t qmos_sound_handler(const char* event) {
  const int32_t i = handler_index(event);
  return i < 0 ? -1 : g_handlers[i];
}

void qmos_set_music_ended_hook(MusicEndedHook hook) {
  g_music_ended = hook;
}

namespace channel_internal {
void events_clear() {
  std::lock_guard<std::mutex> hold(g_event_lock);
  g_events.clear();
}

}  // namespace channel_internal

}  // namespace qm
