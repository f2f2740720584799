// Frame work on whole samples: converting frames from one layout to another (InsertSample and the
// program-fed music's "sample" entries) and mixing several samples into one (MixSample). Plain
// functions over qmSampleData, without the library's lists, so that tests call them directly.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sound/driver.h"

namespace qm {

// How frames are laid out in memory.
struct SampleLayout {
  int32_t bits = 16;  // 8 or 16
  int32_t channels = 2;
  bool is_signed = true;
  bool big_endian = false;  // 16-bit values only
};
SampleLayout sample_layout(const qmSampleData* sample);
// The layout of a format code 0..5, as the player makes samples of it (little-endian).
SampleLayout format_layout(int32_t format);

// Where a conversion reads its source: from offset on, and when loop is set wrapping back to start
// at end (0: the source's end).
struct ConvertWindow {
  bool loop = true;
  int64_t offset = 0, start = 0, end = 0;
};
// Checks the window against the source and sets an end of 0 to its frame count: 0, or
// ERR_SMPRANGE for a negative number, a start at or past a given end, or an end past the source.
int32_t convert_window_check(const qmSampleData* source, ConvertWindow* window);
// Writes frames frames of the source, read through the window, into out in the layout to: 8-bit
// values widen to 16 bits by 256, 16-bit ones narrow by 256 (the high byte), unsigned values are
// moved by 128, a mono source fills both sides and a stereo one into mono gives (left + right) / 2.
// Frames past the window's end without loop, and every frame of an empty source, are silence.
void sample_convert(const qmSampleData* source, const ConvertWindow& window, const SampleLayout& to,
                    uint8_t* out, int64_t frames);

// One source of a mix.
struct MixSource {
  const qmSampleData* sample = nullptr;
  int32_t pitch = 0;      // frames a second of the source, at least 1
  double offset = 0;      // the source frame read at the first output frame, at least 0
  int64_t threshold = 0;  // the output frame at which the source starts
  int64_t length = -1;    // output frames it adds to; -1 without limit
  bool loop = true;       // wrap at the source's end; else it ends there
  double scale = 1.0;
};
// Mixes the sources into frames frames at pitch frames a second in the layout to. Each source's
// values are brought to 24 bits (8-bit ones times 65536, 16-bit ones times 256), scaled, and added
// to both sides when mono; the sums are clamped to 24 bits and written back as sum / 65536 or sum
// / 256 (plus 128 when unsigned), a mono output taking (left + right) / 2 of those.
void sample_mix(const MixSource* sources, size_t count, int32_t pitch, const SampleLayout& to,
                uint8_t* out, int64_t frames);

}  // namespace qm
