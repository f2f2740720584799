// The eight playback channels, the mixer that plays them, the music streaming thread and the sound
// events that come out of them.
//
// The mixer is a plain function (mixer_render) over the channel table: the audio device's callback
// calls it, and so do the unit tests, without a device. It renders 48000 Hz signed 16-bit stereo:
// each channel resampled by linear interpolation from its own rate (the fraction kept across
// calls), scaled by its gain and pan, summed in 32 bits and clamped once.
//
// Threads: the main thread (every command and the clean-up), the audio thread (mixer_render) and
// the music streaming thread (one at a time). What they share, and how:
// - The channel table and everything in a qmChannel: the channel lock (recursive). The audio thread
//   only try-locks it; when it is busy the whole buffer is silence. The main thread holds it only
//   for short work: no I/O, allocation, script call or thread join while it is held.
// - Sound events: the audio thread appends them to its channel's own small queue (under the
//   channel lock) and sets g_attention, then calls platform_wake(); the main thread's clean-up
//   moves them to the event queue (its own mutex) and releases channels that played out.
// - The streaming double buffer (StreamState): each half is owned by the streaming thread until it
//   is marked ready (release), then by the audio thread until it clears ready (release). A refill
//   is asked for with a semaphore post, which never blocks and is never lost. The quit flag is an
//   atomic; the thread never takes the channel lock, so a stop that joins it cannot deadlock.
// - The source of a playing stream belongs to the streaming thread; the main thread touches it
//   again only after the join. Its clock_start_us is an atomic (sound/driver.h).
// - The program-fed queue has its own lock (sound/driver.h), the innermost of all.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/registry.h"
#include "sound/driver.h"

struct qmState;

namespace qm {

struct qmMusicModule;

inline constexpr int32_t kChannelCount = 8;
inline constexpr int32_t kMixRate = 48000;
inline constexpr int32_t kMixBufferFrames =
    1024;  // the device's buffer; mixer_render takes any count

enum ChannelState : int32_t {
  CHANNEL_FREE = 0,
  CHANNEL_PREPARED = 1,  // a sample waiting for qmos_channels_start_prepared
  CHANNEL_SAMPLE = 2,
  CHANNEL_MODULE = 3,
  CHANNEL_STREAM = 4,
};

enum SoundEventKind : int32_t {
  SOUND_EVENT_SAMPLE_END = 5,
  SOUND_EVENT_SAMPLE_LOOP = 6,
  SOUND_EVENT_MUSIC_END = 7,
};

// Events of one channel waiting for the main thread. Every pass and the end are kept in order;
// when passes come faster than the main thread takes them (a tiny sample at a high pitch), loop
// events past the last free entry are dropped, and one entry always stays free for the end.
inline constexpr int32_t kChannelEventSlots = 32;
struct ChannelEvent {
  int32_t kind = 0;
  int32_t pass = 0;
};

struct qmChannel {
  qmSampleData* sample = nullptr;   // sample channels
  qmSoundSource* source = nullptr;  // stream channels
  qmMusicModule* module = nullptr;  // module channels
  int32_t state = CHANNEL_FREE;
  ObjectId owner;      // the sample's or music's id, reported with its events
  int32_t passes = 1;  // 0: without end
  int32_t pass = 1;    // the current pass, from 1
  int64_t frames = 0;  // frames of one pass (samples)
  int64_t last_pass_frames = 0;
  int64_t last_pass_ms = 0;
  int64_t pass_ms = 0;      // at least 1
  int64_t position = 0;     // the frame played next: of the sample, or of the stream's current half
  int64_t start_frame = 0;  // streams: the source frame at which the stream started
  int32_t pitch = kMixRate;
  int32_t volume = 64;
  int32_t pan = 128;
  int32_t resume_pass = 1;  // streams
  bool start_pending = false;
  int64_t start_time_us = 0;   // the Clock at the start of the current pass
  bool played_out = false;     // the mixer has played the last frame
  bool finished = false;       // played out; the clean-up releases the channel
  bool single_buffer = false;  // a stream held whole by its first half: no thread
  // The mixer's state: gains in 1/65536 and the resampler's step and fraction in 1/2^32 frames.
  int32_t gain_left = 65536, gain_right = 65536;
  uint64_t step = uint64_t(1) << 32;
  uint32_t frac = 0;
  ChannelEvent events[kChannelEventSlots];
  int32_t event_count = 0;
};

// ---- the channel layer (main thread)
// --------------------------------------------------------------

// Sound layer start: resets the 8 records, makes the event queue ready and installs the event
// poller's source of sound events. 0 always.
int32_t platform_audio_channels_init();
// Opens the device on first need (the platform's audio must start first): 0 or ERR_OPENAUDIO.
int32_t platform_audio_init();
bool platform_audio_initialised();
// Closes the device (the mixer is not called any more once it returns).
void platform_audio_stop();
// Stops every channel (a stream's thread is joined), frees the events and closes the device.
void platform_audio_dispose();
// Hands the channels' pending events to the event queue (main thread).
void platform_audio_deliver_events();
// Delivers, then releases the channels that played out. Runs from every pump and before queries.
void platform_audio_cleanup();

// Prepares a sample on the first free channel: 0, ERR_NOCHANNEL when all 8 are busy,
// ERR_AUDIOCONVERTER for a sample whose format code and frame size disagree. Frames come
// from byte_length (cut to the sample); time > 0 plays that many ms (passes = ceil(time / pass ms),
// the last pass the rest), else passes passes (0: without end). pitch is the sample's rate in Hz.
int32_t qmos_sample_play(qmSampleData* sample, ObjectId owner, int32_t format, int64_t byte_length,
                         int32_t pitch, int32_t volume, int32_t pan, int64_t time, int32_t passes);
// Every prepared channel starts, all in the same mixer buffer.
void qmos_channels_start_prepared();
// Frees every prepared channel without starting it (a PlaySample that failed half way).
void qmos_channels_release_prepared();
// Stops every channel playing the sample (null: every sample channel), after delivering events.
void qmos_sample_stop(const qmSampleData* sample);
bool qmos_sample_is_playing(const qmSampleData* sample);
// Of the first channel playing it: ms since its current pass began and the passes done before.
// false when no channel plays it.
bool qmos_sample_channel_info(const qmSampleData* sample, int64_t* elapsed_ms,
                              int32_t* passes_done);
// With pitch -1: volume 0..64 and pan 0..255 of the channel playing the sample.
void qmos_channel_update_params(const qmSampleData* sample, int32_t pitch, int32_t volume,
                                int32_t pan);

// A music on the first free channel: a module (handle a qmMusicModule) or a stream (a
// qmSoundSource, from its position, in resume_pass of passes; 0: without end). 0, ERR_NOCHANNEL,
// ERR_AUDIOCONVERTER (a source in no sample format), ERR_MEM, ERR_THREAD, or the error of a
// program-fed source's FillMusicBuffer handler.
int32_t qmos_music_play(int32_t kind, void* handle, ObjectId owner, int32_t passes,
                        int32_t resume_pass, int32_t volume);
// Stops (or pauses: the position is kept) the channel of the music; *pass and *frame get the pass
// and frame position it stopped at (either may be null). A stopped module starts from its
// beginning next time; a stopped program-fed source asks the program again.
void qmos_music_stop_or_pause(int32_t kind, void* handle, bool pause, int32_t* pass,
                              int64_t* frame);
void qmos_music_stop(qmSoundSource* source, bool pause, int32_t* pass, int64_t* frame);
void qmos_music_set_volume(int32_t kind, void* handle, int32_t volume);
bool qmos_music_is_playing(int32_t kind, const void* handle);

// Selectors of qmos_mod_query.
inline constexpr int32_t MOD_QUERY_JUMP = 0;
inline constexpr int32_t MOD_QUERY_ROW = 1;
inline constexpr int32_t MOD_QUERY_POSITION = 2;
// Row or song position that sounds of a module on a channel (-1 when it is on none); a jump is
// queued.
int32_t qmos_mod_query(const qmMusicModule* module, int32_t selector, int32_t value);

// ---- sound events
// ---------------------------------------------------------------------------------

// Appends an event: time (b - 1) x a (plus c for a sample end) in ms and count b; a music end
// carries no numbers.
void qmos_post_sound_event(int32_t kind, ObjectId owner, int64_t a, int32_t b, int64_t c);
// The oldest event (the event poller's sound source).
bool qmos_pop_sound_event(int32_t* kind, ObjectId* owner, int32_t* time, int32_t* count);
// "onsampleloop", "onsampleend", "onmusicend", "onvideoend": the handler's reference (-1 none).
// An event kind is produced only while its handler is set.
void qmos_set_sound_handler(const char* event, int32_t reference);
int32_t qmos_sound_handler(const char* event);
// The sound library's clear of its playing music, called on the main thread when a stream ended.
using MusicEndedHook = void (*)(qmSoundSource* source);
void qmos_set_music_ended_hook(MusicEndedHook hook);

// ---- the streaming thread -----------------------------------------------------------------------

int32_t qmos_stream_init();
void qmos_stream_cleanup();
// Asks the streaming thread for a refill; never blocks (audio thread).
bool qmos_wake_stream(int32_t channel);
// A thread at round-robin real-time priority when priority is not 0 and the system allows it
// (ordinary users may not: the thread then runs at normal priority). false when none could start.
bool qmos_create_thread(void (*entry)(void*), void* argument, int32_t priority, void** handle);
bool stream_thread_running();

// Hooks around the streaming thread's reads and seeks (tests); null for none.
struct StreamHooks {
  void (*before_read)(qmSoundSource* source) = nullptr;
  void (*before_seek)(qmSoundSource* source) = nullptr;
};
void stream_set_hooks(const StreamHooks& hooks);

// ---- the movie sound input
// ------------------------------------------------------------------------ One input beside the
// eight channels: 48000 Hz stereo frames that one producer (the movie decoder) writes into a ring
// and the mixer reads, with a gain of its own. open and close run on the main thread; the producer
// must have stopped writing before close.

// A ring of `frames` frames: false when memory runs out.
bool movie_sound_open(int32_t frames);
void movie_sound_close();
// Appends up to n frames (interleaved left, right); answers the frames taken, fewer when full.
int32_t movie_sound_write(const int16_t* frames, int32_t n);
// Frames waiting to be played.
int32_t movie_sound_queued();
// Volume 0..64 as the linear gain volume / 64.
void movie_sound_set_volume(int32_t volume);

// ---- the mixer (audio thread) -------------------------------------------------------------------

// Renders frames of 48000 Hz signed 16-bit stereo into out.
void mixer_render(int16_t* out, int32_t frames);
// Gains in 1/65536 for a volume 0..64 and a pan 0..255 (see the pan law in mixer.cpp).
void mixer_gains(int32_t volume, int32_t pan, int32_t* left, int32_t* right);

// The channel table and its lock, for the layer's own files and tests.
qmChannel* channel_table();
void channel_lock();
bool channel_try_lock();
void channel_unlock();

// ---- between the layer's own files
// ----------------------------------------------------------------
namespace channel_internal {

// Whether the program has a handler for the kind (read on the audio thread).
bool event_wanted(int32_t kind);
// Appends an event to the channel's queue (channel lock held).
void push_event(qmChannel& ch, int32_t kind);
// Empties the event queue.
void events_clear();
// Set by the mixer when a channel has events or played out; the clean-up takes it.
extern std::atomic<bool> g_attention;

// The playing stream's half that the mixer reads (audio thread, channel lock held).
struct StreamHalf {
  const uint8_t* data = nullptr;
  int64_t frames = 0;
  bool last = false;              // the stream's last data
  const uint8_t* next = nullptr;  // the first frame after it, when already there
  int32_t format = 0;
  uint32_t flags = 0;
};
// false while the half it would read next is not filled yet (an underrun: silence).
bool stream_half(StreamHalf* half);
// The mixer is done with the half: it goes back to the streaming thread.
void stream_half_done();
// Stops the stream of a channel (channel lock held): the thread is told to quit and the buffers
// become the caller's to free after stream_join.
void stream_detach();
// Joins the thread and frees the buffers of a detached stream (without the channel lock).
void stream_join();
// Adds what the movie sound input holds, up to n frames (channel lock held).
void movie_sound_mix(int32_t* acc, int32_t n);
// Starts the stream of the channel (channel lock not held; the channel is reserved as a stream).
int32_t stream_start(qmChannel& ch, int32_t index);

}  // namespace channel_internal
}  // namespace qm
