// The AVI writer: Motion JPEG anims as OpenDML files (AVI 2.0 with standard and super indexes, and
// an "idx1" index for the first RIFF segment). Stream 0 is silent 16-bit stereo PCM, stream 1 the
// Motion JPEG video. The first segment "AVI " closes past 1,000,000,000 bytes and each further
// "AVIX" segment past 2,000,000,000 (QM_AVI_SEGMENT_LIMIT, when set, lowers both for tests).
//
// The file is written front to back; index chunks go over placeholders reserved in place, and the
// idx1 entries collect in a temporary file so that no memory grows with the number of frames. A
// write that fails (a full disk, the file-size limit) is remembered: every later frame and the
// finish answer ERR_WRITEFILE instead of a corrupt file reported as complete.
#pragma once

#include <cstdint>
#include <string>

struct qmState;

namespace qm {

struct qmBitmap;
struct qmAviWriter;

// Limits of the fixed index arrays: entries of one standard index chunk (frames per chunk pair)
// and of the super index (chunk pairs per file).
inline constexpr int32_t kAviStdIndexEntries = 2044;
inline constexpr int32_t kAviSuperIndexEntries = 1022;

// Creates the file and its temporary index file. fps from 1 to 44100, else ERR_WRONGUSAGE; quality
// 0..100. The file is written beside its target and replaces it only when avi_finish succeeds (a
// failure leaves an existing file untouched). ERR_MEM, or ERR_WRITEFILE with the name of the file
// that could not be made in *failed_name.
int32_t avi_create(const char* name, int32_t fps, int32_t width, int32_t height, int32_t quality,
                   const char* display_name, qmAviWriter** out,
                   std::string* failed_name = nullptr);
// Appends one frame: the bitmap (scaled to the stream's size when it differs, smoothly when
// avi_set_smooth asked for it), or the previous frame's picture again when bitmap is null.
// ERR_LOCKBMAP, ERR_MEM, ERR_WRITEFILE, ERR_SAVEANIM once the super index is full (the file
// stays valid up to its last frame). The writer stays usable after an error.
int32_t avi_write_frame(qmAviWriter* w, const qmBitmap* bitmap, int32_t width, int32_t height);
// Writes the picture written last again for ms milliseconds of frames (none when that is less than
// one frame); with first_frame set and 0 ms, once. The first error ends it. A refresh asked for
// before shows the whole current display again first.
int32_t avi_hold_frame(qmAviWriter* w, int32_t ms, bool first_frame);
void avi_request_refresh(qmAviWriter* w, qmState* L);
void avi_set_smooth(qmAviWriter* w, bool smooth);
// Completes and closes the file and frees the writer, also on failure (then ERR_WRITEFILE).
int32_t avi_finish(qmAviWriter* w);
// Closes both files, deletes the temporary one and frees everything; null allowed.
void avi_free(qmAviWriter* w);

// Facts of an open writer, for tests.
struct qmAviWriterInfo {
  int32_t sample_rate, samples_per_frame, us_per_frame, frames;
};
qmAviWriterInfo avi_info(const qmAviWriter* w);

}  // namespace qm
