// The built-in anim readers behind the driver (anim/anim.h): IFF ANIM and AVI. Each opens a file
// through the file layer into a context of its own and hands out frames as new buffers of
// width x height words 0x00RRGGBB (rows packed; freed with qmos_free_pixels), or null when the
// frame cannot be had.
#pragma once

#include <cstdint>

namespace qm {

// ---- IFF ANIM
// ------------------------------------------------------------------------------------
//
// A "FORM" "ANIM" of one "FORM" "ILBM" per frame: the first frame a whole picture (1 to 8 planes,
// extra half-brite, HAM6 and HAM8, ByteRun1 or raw), every later frame a byte-vertical delta
// (ANHD operation 5) against the frame two back (interleave 0) or, combined by exclusive or, the
// frame one back (interleave 1). Frames decode in order; asking for an earlier frame starts over
// from the first.

struct qmIffAnim;

// 0 with *out, width, height and frames set; ERR_MEM when memory runs out or the picture passes
// the allocation cap; ERR_OPENANIM2 for anything else.
int32_t iffanim_open(const char* name, qmIffAnim** out, int32_t* width, int32_t* height,
                     int32_t* frames);
uint32_t* iffanim_load_frame(qmIffAnim* anim, int32_t index);
// The frame's delay: its ANHD's jiffies (1/60 s) in whole milliseconds; 0 until the frame has
// been decoded once.
int32_t iffanim_frame_delay(const qmIffAnim* anim, int32_t index);
// Delta frames decoded since the open (test hook for the restarts).
int64_t iffanim_decode_count(const qmIffAnim* anim);
void iffanim_close(qmIffAnim* anim);  // null allowed

// ---- AVI
// -----------------------------------------------------------------------------------------
//
// The first RIFF segment of an AVI file with one video stream of uncompressed 24-bit frames (rows
// packed or padded to 4 bytes) or Motion JPEG; audio streams are skipped. Frames are found
// through idx1 (absolute or movi-relative offsets) when it is usable, else by scanning movi. The
// frame count never promises more frames than those ways reach.

struct qmAviReader;

// As iffanim_open.
int32_t avi_open(const char* name, qmAviReader** out, int32_t* width, int32_t* height,
                 int32_t* frames);
uint32_t* avi_load_frame(qmAviReader* avi, int32_t index);
void avi_close(qmAviReader* avi);  // null allowed

}  // namespace qm
