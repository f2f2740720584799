// The tracker module player: four-channel "M.K." modules rendered as music. The sound driver hands
// it a module's whole file image; the channel layer pulls 16-bit stereo frames from it on the
// audio thread; the sound library reads the song position and row and queues jumps.
//
// The player's state is one block that the caller allocates (its size comes from the size query
// of qmos_mod_open, aligned as malloc aligns) and frees. The state keeps pointers into the file
// image: the image must outlive it and stays writable, because the invert-loop effect (EFx)
// changes sample bytes in place, for good, across stops and replays alike.
//
// Threads: nothing here locks. The channel layer calls qmos_mod_fill_buffer on the audio thread and
// the accessors on the main thread under its channel lock. Rendering never allocates, locks or
// does I/O, and takes any number of frames.
//
// Everything read from the file is untrusted: sample numbers above 31 count as none, loops are
// cut to their sample, song lengths are kept to 1..128, jumps past the song end restart the song,
// and every sample read and write stays inside its sample.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

struct qmModPlayer;

// The state of a module with `patterns` patterns: a fixed part and 64 rows x 4 channels of 12-byte
// cells per pattern.
inline constexpr size_t kModStateFixedSize = 2916;
inline constexpr size_t kModPatternStateSize = 3072;
// The largest module: its header, 256 patterns and 31 samples of the largest size. Bytes past
// this are never played.
inline constexpr size_t kModLargestFile = 1084 + 256 * 1024 + 31 * 131070;

// With state null: *state_size gets the bytes the state needs for this file. With a state of that
// size: fills it, and the module starts from its beginning. A stop reopens the player the same way.
// rate is the output rate in Hz (48000 for the channel layer), 1000..1000000; the player runs at
// twice that inside. Errors: ERR_UNKNOWNMUSFMT for a file shorter than its header and the patterns
// its order list names, ERR_WRONGUSAGE for a rate out of range.
int32_t qmos_mod_open(qmModPlayer* state, uint8_t* image, size_t size, int32_t rate,
                      size_t* state_size);

// Renders frames: bits 16 (int16_t) or 8 (int8_t, the 16-bit value / 256); channels 2 writes the
// left side at left and the right side at right, channels 1 the mean of both sides at left only.
// stride is the distance in bytes from one frame to the next (4 for interleaved 16-bit stereo with
// right = left + 2 bytes).
void qmos_mod_render(qmModPlayer* state, void* left, void* right, int32_t stride, int32_t frames,
                     int32_t bits, int32_t channels);

// The channel layer's call: applies a queued jump, then renders interleaved 16-bit stereo.
void qmos_mod_fill_buffer(qmModPlayer* state, int16_t* buffer, int32_t frames);

// The row the player reads next (0..63) and its song (order-list) position.
int32_t qmos_mod_row(const qmModPlayer* state);
int32_t qmos_mod_song_position(const qmModPlayer* state);
// The song position and row that sound now: those of the row read last (0 and 0 before the first,
// and the jump's position and row 0 right after a jump).
int32_t qmos_mod_heard_position(const qmModPlayer* state);
int32_t qmos_mod_heard_row(const qmModPlayer* state);
// Queues a jump to row 0 of a song position, applied by the next fill. false (nothing queued) for a
// position outside 0..song length - 1.
bool qmos_mod_queue_jump(qmModPlayer* state, int32_t position);

}  // namespace qm
