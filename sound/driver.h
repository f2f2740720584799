// The sound driver: what the sound library and the channel layer use of sound files. It detects a
// file's format and opens it as a sound source (a readable, seekable stream of PCM frames), decodes
// whole sources into in-memory samples, writes samples as RIFF WAVE, opens tracker modules for the
// module player, and keeps the program-fed sources of CreateMusic.
//
// Sources, by codec kind: the built-in readers (IFF 8SVX, IFF 16SV, RIFF WAVE) read their file
// through the file layer, ":::chunk" files in place; sound-stream plug-ins come first; the platform
// audio-file source (platform/audiofile.h) takes what neither takes, from an allow-list of
// formats. A program-fed source plays what the program queues.
//
// Everything read from a file is untrusted: chunk sizes are cut to the bytes the file holds, a
// rate of 0 or a channel count other than 1 and 2 is refused by the built-in readers (the platform
// source then decides), and sample sizes are counted in 64 bits and capped at what a sample's
// 32-bit length holds.
//
// Threads: what crosses threads is listed here.
// - A stream's source is read by the music streaming thread while it plays; the main thread seeks
//   or closes it only while the stream is stopped. Nothing in a source locks, but for:
// - the program-fed queue (qmProgramFeed), appended to by the main thread (FillMusicBuffer) and
//   read by the streaming thread. Every access holds its `lock`, the innermost lock of the player:
//   nothing else is locked while it is held. A read takes an entry, copies its frames and marks
//   it done under one hold, so removing done entries never frees one being copied.
// - `clock_start_us` of a source, set by the audio thread when the stream starts sounding and read
//   by the main thread's position queries: an atomic.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct qmFileHandle;
struct qmState;
struct qmPluginEntry;

namespace qm {

struct qmModPlayer;

// ---- Samples --------------------------------------------------------------------------------------

// Sample format codes, used by samples, sources and channels.
inline constexpr int32_t SAMPLE_MONO8U = 0;    // mono, 8-bit unsigned; 1 byte a frame
inline constexpr int32_t SAMPLE_STEREO8U = 1;  // stereo, 8-bit unsigned; 2
inline constexpr int32_t SAMPLE_MONO8 = 2;     // mono, 8-bit signed; 1
inline constexpr int32_t SAMPLE_STEREO8 = 3;   // stereo, 8-bit signed; 2
inline constexpr int32_t SAMPLE_MONO16 = 4;    // mono, 16-bit signed; 2
inline constexpr int32_t SAMPLE_STEREO16 = 5;  // stereo, 16-bit signed; 4

// Flags of samples and sources.
inline constexpr uint32_t SAMPLE_BIG_ENDIAN = 0x1;  // 16-bit values are big-endian
inline constexpr uint32_t SAMPLE_SIGNED = 0x2;

// The most bytes a sample holds: its length in bytes is a signed 32-bit number.
inline constexpr int64_t SAMPLE_MAX_BYTES = INT32_MAX;

// A decoded sample. data comes from qmos_alloc; the sample owns it.
struct qmSampleData {
  void* data = nullptr;  // frames, left and right interleaved for stereo
  int32_t bits = 0;      // 8 or 16
  int32_t bytes_per_frame = 0;
  int32_t channels = 0;  // 1 or 2
  uint32_t flags = 0;    // SAMPLE_*
  int32_t frames = 0;
  int32_t lock = 0;      // the plug-ins' sample lock; cleared in copies
  int32_t format = -1;   // format code
};

// The format code of {channels, bits, signed}: -1 for bits other than 8 and 16 (no sample), and
// for channels other than 1 and 2.
int32_t qmos_sample_format_code(int32_t channels, int32_t bits, bool is_signed);
// Bytes per frame of a format code; 0 outside 0..5.
int32_t qmos_sample_frame_bytes(int32_t format);

// Detects and decodes a whole file. 0, or 1045 (unreadable; the name in the error's string slot),
// 1235 and the other detection errors, 1279 (a stream whose size is not known: "Cannot load audio
// stream as a sample!"), 1299 (neither 8 nor 16 bits), 1000 (memory, or more than
// SAMPLE_MAX_BYTES). The sample holds the frames decoded: a platform or plug-in source is read to
// its end whatever it announced. Any out pointer may be null but sample.
int32_t qmos_sample_load(const char* name, qmSampleData** sample, int64_t* total_bytes,
                         int32_t* rate, int32_t* format);
// qmos_sample_load's test without decoding: the file opens with a known size, frame size and
// bit depth.
bool qmos_sample_check(const char* name);
// Wraps frames of a format (taking the buffer, from qmos_alloc) into a new sample, signed unless
// the code is one of the unsigned ones; null when memory runs out (the buffer stays the caller's)
// or the code is outside 0..5.
qmSampleData* qmos_sample_create(void* buffer, int32_t frames, int32_t format);
// A copy with its own data; null when memory runs out.
qmSampleData* qmos_sample_copy(const qmSampleData* sample);
void qmos_sample_free(qmSampleData* sample);
void* qmos_sample_data(const qmSampleData* sample);
// Bit 0 of the flags: 16-bit values big-endian.
int32_t qmos_sample_get_flag(const qmSampleData* sample);
// Frees the data and installs buffer (from qmos_alloc) with its frame count.
void qmos_sample_replace_data(qmSampleData* sample, void* buffer, int32_t frames);

// Writes the sample as RIFF WAVE at rate frames a second, replacing the file only once it is
// whole: 8-bit signed values gain 128, big-endian 16-bit values are swapped, the data is padded
// with zero bytes to a multiple of 4 (the RIFF size counts the padding, the data size does not).
// 0, or 1052 ("Cannot write to file %s !", the name in the error's string slot) when the file
// cannot be made or a write or the close fails; an existing file then stays as it was.
int32_t qmos_sample_save_wave(const char* name, const qmSampleData* sample, int32_t rate);

// ---- Sources --------------------------------------------------------------------------------------

// Codec kinds.
inline constexpr int32_t SOURCE_IFF_8SVX = 1;
inline constexpr int32_t SOURCE_IFF_16SV = 2;
inline constexpr int32_t SOURCE_WAVE = 3;
inline constexpr int32_t SOURCE_PLATFORM = 4;
inline constexpr int32_t SOURCE_PLUGIN = 5;
inline constexpr int32_t SOURCE_PROGRAM = 6;

// Frame counts of a program-fed source: unbounded. Tested as such, never through its sign.
inline constexpr int64_t SOURCE_UNBOUNDED = -1;
// clock_start_us of a source that is not sounding.
inline constexpr int64_t SOURCE_CLOCK_STOPPED = -1;

// One queued piece of a program-fed music, its data behind it in the same block.
struct qmMusicBufferEntry {
  qmMusicBufferEntry* next = nullptr;
  uint8_t* data = nullptr;  // null: the "end" entry, which ends the stream
  int64_t size = 0;         // bytes of data
  int64_t position = 0;     // frames already read
  int64_t frames = 0;
  bool done = false;        // every frame was read
};

// The program-fed part of a source.
struct qmProgramFeed {
  qmState* L = nullptr;
  int32_t rate = 0, bits = 0, channels = 0, bytes_per_frame = 0, format = -1;
  // Guarded by lock (see the top of this file): the queue, oldest entry first.
  std::mutex lock;
  qmMusicBufferEntry* head = nullptr;
  qmMusicBufferEntry* tail = nullptr;
  // Main thread only.
  int64_t total_queued = 0;  // frames queued since the source was made
  bool restart = false;      // set by a stop: the next start empties the queue and asks again
  bool ended = false;        // an "end" entry is queued: the program is not asked for more
};

// An open sound file or program-fed stream.
struct qmSoundSource {
  qmFileHandle* file = nullptr;  // the built-in readers' and the platform source's file
  void* codec = nullptr;         // the platform source (platform/audiofile.h) or plug-in handle
  int32_t bits = 0;
  int32_t bytes_per_frame = 0;
  int32_t channels = 0;
  uint32_t flags = 0;  // SAMPLE_BIG_ENDIAN, SAMPLE_SIGNED
  int32_t rate = 0;    // frames a second
  int32_t compression = 0;   // the IFF voice header's compression byte
  int64_t total_bytes = 0;   // bytes of sample data; SOURCE_UNBOUNDED for program-fed sources
  int64_t frames = 0;        // SOURCE_UNBOUNDED for program-fed sources
  int64_t position = 0;      // the frame read next
  int64_t data_offset = 0;   // file offset of the first data byte (built-in readers)
  int32_t packet_bytes = 0;  // PCM: bytes per frame and one frame a packet
  int32_t frames_per_packet = 1;
  int32_t bytes_last_read = 0, frames_last_read = 0;
  int32_t kind = 0;          // SOURCE_*
  int32_t format = -1;       // format code
  uint32_t bit_rate = 0;     // kbit/s from the platform source, else 0
  std::vector<uint8_t> scratch;  // the IFF readers' stereo blocks
  // The play clock: the position at which it was last set (by a seek), the Clock time at which the
  // stream started sounding, and the milliseconds played over earlier starts.
  int64_t clock_seconds = 0;
  int64_t clock_micros = 0;
  std::atomic<int64_t> clock_start_us{SOURCE_CLOCK_STOPPED};
  int64_t clock_offset_ms = 0;
  int32_t for_music = 0;  // opened as a music
  int32_t seekable = 1;
  std::unique_ptr<qmProgramFeed> feed;  // SOURCE_PROGRAM
  qmPluginEntry* plugin = nullptr;      // SOURCE_PLUGIN
};

// Detection and opening: the sound-stream plug-ins in load order (the first that opens the file),
// then the magic ("FORM" and "8SVX" or "16SV", "RIFF" and "WAVE") and its built-in reader, then,
// when none matched or the reader refused the file, the platform source. 0 with *out set, or
// 1045 (unreadable, the name in the error's string slot), 1235, 1294, 1000: the platform
// source's errors.
int32_t qmos_detect_sound(const char* name, int32_t for_music, qmSoundSource** out);

// Reads up to frames frames into buffer (frames x bytes_per_frame bytes) and returns the frames
// delivered; *end is set when the source has nothing more after them (a request reaching past
// the end of a file, an "end" entry of a program-fed source). A platform or plug-in source may
// end before or after its announced frame count.
int32_t qmos_source_read(qmSoundSource* source, void* buffer, int32_t frames, bool* end);
// Moves to a frame (a file source: only to one before its frame count; a program-fed source does
// not move) and sets the play clock to it.
void qmos_source_seek(qmSoundSource* source, int64_t frame);
// The same move without touching the play clock (the stream's own start and wrap).
void qmos_source_seek_keep_clock(qmSoundSource* source, int64_t frame);
// "IFF 8SVX", "IFF 16SV", "RIFF WAVE", the platform source's or the plug-in's name, "Custom
// stream".
const char* qmos_source_format_name(const qmSoundSource* source);
// Closes the file or codec (a program-fed source frees its queue) and frees the source.
void qmos_source_close(qmSoundSource* source);
// Starts the play clock: called on the audio thread when the stream starts sounding.
void qmos_source_clock_start(qmSoundSource* source);

// ---- The program-fed queue ------------------------------------------------------------------------

// A new program-fed source (codec kind 6) at rate for a format code 0..5: its frame counts are
// SOURCE_UNBOUNDED and it cannot seek. 0 with *kind (1, a stream) and *out set; ERR_WRONGUSAGE
// for a format outside 0..5 or a rate below 1, 1000.
int32_t qmos_custom_stream_create(qmState* L, int32_t rate, int32_t format, int32_t* kind,
                                  qmSoundSource** out);
// A new entry of frames frames of silence in the source's format for the caller to fill (128 for
// unsigned 8-bit formats, else 0), or, with frames SOURCE_UNBOUNDED, the "end" entry. Null when
// memory runs out or the size passes SAMPLE_MAX_BYTES.
qmMusicBufferEntry* qmos_custom_entry_new(const qmSoundSource* source, int64_t frames);
void qmos_custom_entry_free(qmMusicBufferEntry* entry);
// Appends the entry (the source owns it from now), after freeing the done entries at the head;
// adds its frames to total_queued.
void qmos_custom_append(qmSoundSource* source, qmMusicBufferEntry* entry);
// Frames queued and not yet read (up to an "end" entry).
int64_t qmos_custom_unplayed(qmSoundSource* source);
// Frees every entry.
void qmos_custom_clear(qmSoundSource* source);

// ---- Musics ---------------------------------------------------------------------------------------

inline constexpr int32_t MUSIC_STREAM = 1;
inline constexpr int32_t MUSIC_MODULE = 2;
// The module player's output rate.
inline constexpr int32_t MUSIC_MODULE_RATE = 48000;

// A tracker module opened as a music: the player keeps pointers into the image, which it may
// change (see sound/modplayer.h); a stop opens the player again over the same image.
struct qmMusicModule {
  uint8_t* image = nullptr;
  size_t size = 0;
  qmModPlayer* player = nullptr;
  size_t state_size = 0;
};

// A module when the four bytes at offset 1080 are "M.K." (MUSIC_MODULE, a qmMusicModule, not
// seekable); else a stream through qmos_detect_sound (MUSIC_STREAM, a qmSoundSource, seekable as
// its codec says). Errors: the detection's, with 1065 turned into 1235; 1009 when a module cannot
// be read whole; the module player's; 1000.
int32_t qmos_music_open(const char* name, int32_t* kind, void** handle, int32_t* seekable);
// Whether the file opens as a music, and its format name: "Protracker" for "M.K." at offset 1080,
// else the detected source's name, "Unknown" when nothing opens.
bool qmos_music_identify(const char* name, std::string* format_name);
void qmos_music_close(int32_t kind, void* handle);

// Selectors of qmos_music_info.
inline constexpr int32_t MUSIC_INFO_DURATION = 0;  // ms; -1 when not known
inline constexpr int32_t MUSIC_INFO_POSITION = 1;  // ms
inline constexpr int32_t MUSIC_INFO_NAME = 2;      // text
inline constexpr int32_t MUSIC_INFO_FORMAT = 3;    // format code
inline constexpr int32_t MUSIC_INFO_RATE = 4;      // Hz
inline constexpr int32_t MUSIC_INFO_BIT_RATE = 5;  // kbit/s
inline constexpr int32_t MUSIC_INFO_FEED = 6;      // the program-fed block

struct qmMusicInfo {
  int64_t number = -1;
  const char* text = nullptr;
  qmProgramFeed* feed = nullptr;
};
// A music's information. A stream's position runs on the play clock: while it sounds, the time
// since it started plus the position the clock was set to, within the duration (no wrap when the
// duration is 0 or not known); otherwise the position the clock was set to. A module answers its
// name, format 5 and rate 48000; every other selector -1.
qmMusicInfo qmos_music_info(int32_t selector, int32_t kind, void* handle);
// Moves a stream to ms x rate / 1000 frames (qmos_source_seek); modules do not move.
void qmos_music_seek_ms(int32_t kind, qmSoundSource* source, int64_t ms);

}  // namespace qm
