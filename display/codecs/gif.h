// GIF files: the writer for single pictures and anims (one frame per call, optionally reduced to
// the rectangle that changed since the previous frame) and the reader for animated GIFs, which
// keeps a full-screen canvas, applies the disposal methods and seeks by restarting at the nearest
// key frame. Both speak palette indices and colour words 0x00RRGGBB.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

struct qmGifWriter;
struct qmGifReader;

// ---- Writer ------------------------------------------------------------------------------------

// Starts the file and writes the header and the global table (all frames carry local tables).
// The file takes the name's place only when gifsave_close completes it (qmos_save_open): until
// then, and after any failure, a file of that name stays as it was. 0, ERR_MEM, or ERR_WRITEFILE
// with the name in the error's string slot.
int32_t gifsave_open(const char* name, int32_t width, int32_t height, qmGifWriter** out);

// gifsave_write_frame options.
enum : int32_t {
  GIFSAVE_OPTIMISE = 1,  // frames after the first are cut to what changed (implies GIFSAVE_RESERVED)
  GIFSAVE_RESERVED = 2,  // the last palette entry (colours - 1) is kept free of colours
};

// Writes one frame of width x height indices with its palette (room for 256 words; entries from
// colours up are overwritten). transparent is a palette index or -1. Without a transparent index
// the frame stays in place and declares the reserved last entry transparent when there is one
// (GIFSAVE_RESERVED), nothing otherwise. With GIFSAVE_OPTIMISE, frames after the first are cut
// to the rectangle that changed and their unchanged pixels are marked with the reserved entry;
// the indices are changed then. 0, ERR_MEM, ERR_WRITEFILE, or ERR_WRONGUSAGE for a frame of
// another size than the file's or an index beyond the table of 2^bits entries that holds the
// colours.
int32_t gifsave_write_frame(qmGifWriter* writer, uint8_t* indices, int32_t width, int32_t height,
                            int32_t delay_ms, uint32_t* palette, int32_t colours,
                            int32_t transparent, int32_t options);

// Writes the trailer, puts the file in place and frees the writer. 0, or ERR_WRITEFILE when a
// frame or the trailer could not be written or the file not be put in place: nothing is saved.
int32_t gifsave_close(qmGifWriter* writer);
// Frees the writer and drops the file it was writing; nothing is saved (null allowed).
void gifsave_abort(qmGifWriter* writer);

// ---- Reader ------------------------------------------------------------------------------------

// Opens an animated GIF and scans it into a frame table, checking every frame's data. Answers
// the reader, or null on any failure (missing file, wrong signature, no memory, corrupt data, a
// screen beyond the picture size cap). With header_only set it only hands out the size and
// answers null.
qmGifReader* gifanim_open(const char* name, int32_t* width, int32_t* height, int32_t* frames,
                          int32_t header_only);
// The same over bytes in memory, which are copied.
qmGifReader* gifanim_open_memory(const uint8_t* data, size_t size, int32_t* width,
                                 int32_t* height, int32_t* frames, int32_t header_only);

// Frame n as it stands on the screen (width x height words, rows packed), in a new buffer that
// the caller frees with qmos_free_pixels; null when n is out of range, the data is corrupt or
// memory runs out.
uint32_t* gifanim_load_frame(qmGifReader* reader, int32_t frame);

// The frame's delay in milliseconds (the file stores hundredths); 0 out of range.
int32_t gifanim_frame_delay(const qmGifReader* reader, int32_t frame);

// How many frames the reader has decoded since it last started over (test hook for seeking).
int64_t gifanim_decode_count(const qmGifReader* reader);

void gifanim_close(qmGifReader* reader);  // null allowed

// A GIF as a still picture: its first frame. Without pixels out only the size is read.
// 0, ERR_READFILE (cannot open), ERR_LOADPICTURE2 (not a usable GIF) or ERR_MEM.
int32_t gif_load_still(const char* name, int32_t* width, int32_t* height, uint32_t** pixels);

}  // namespace qm
