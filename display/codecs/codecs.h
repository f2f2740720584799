// Pictures in files: the image sources that every picture load goes through, detection of the
// built-in formats by their first bytes, and the readers and writers of each format.
//
// Pixel buffers travel as rows, top row first, of 32-bit words 0xAARRGGBB. Built-in readers
// return rows of exactly `width` words; a reader without alpha leaves the top byte 0 and reports
// has-alpha 0. Every buffer handed out here is freed with qmos_free_pixels (gfx/bitmap.h).
//
// Every reader opens its file through the file layer (runtime/os/qmos.h), so linked ":::chunk"
// files load like real ones, and asks picture_size_allowed (gfx/bitmap.h) before it allocates
// a picture: a larger one fails with ERR_MEM. Any out pointer may be null. Failures hand out
// nothing and leave nothing allocated; codes are those of engine/errcodes.h, with the file name
// in the error's string slot. Every writer saves through qmos_save_open and qmos_save_commit: a
// save that fails leaves the file that was there as it was.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/bitmap.h"

struct qmFileHandle;
struct qmPluginEntry;
struct qmState;

namespace qm {

// ---- Image sources -----------------------------------------------------------------------------

// A reference-counted picture. Built-in loaders leave loader null and keep their pixel buffer
// in handle; an image-loader plug-in's source keeps the plug-in and its own picture handle.
struct qmImageSource {
  qmPluginEntry* loader;
  void* handle;
  uint32_t* pixels;
  int32_t refcount;
  int32_t owns_pixels;  // 1: the buffer was allocated by the source itself (empty sources)
};

// Opens a picture: image-loader plug-ins first, then the built-in detector. user_palette, pen
// (-1 none) and use_transparent reach only the ILBM reader. user_palette is null or a block of
// 257 entries, colours ended by -1; the ILBM reader writes the file's colours into the entries
// from the terminator on (the block is the caller's own, though passed as const). With
// load_alpha (or a plug-in that demands it) the picture must have alpha (else ERR_NOALPHA) and
// an alpha plane is made when alpha is asked for. palette (ILBM of up to 8 planes, not HAM)
// is a new block of 256 colours the caller frees with qmos_free; transparent is -1 unless the
// ILBM reader reports a colour. 0 or an error code.
int32_t imagesource_open(const char* name, const int32_t* user_palette, int32_t pen,
                         int32_t use_transparent, int32_t load_alpha, qmImageSource** source,
                         qmAlphaChannel** alpha, uint32_t** palette, int32_t* transparent,
                         int32_t* width, int32_t* height, int32_t* pixels_per_row,
                         int32_t* has_alpha, int32_t* is_vector);
void imagesource_retain(qmImageSource* source);
// The last release frees the picture (through the plug-in for plug-in sources) and the record.
void imagesource_release(qmImageSource* source);
uint32_t* imagesource_pixels(const qmImageSource* source);
int32_t imagesource_owns_pixels(const qmImageSource* source);
// A source over a fresh (not cleared) buffer of width x height pixels; null when out of memory
// or beyond the allocation cap.
qmImageSource* imagesource_new_empty(int32_t width, int32_t height);

// 1 when some loader can read the file (headers only), with its size and flags; else 0. A
// missing file answers 0.
int32_t image_get_info(const char* name, int32_t* is_vector, int32_t* width, int32_t* height,
                       int32_t* has_alpha);

// Renders a plug-in's vector picture under the 2x2 matrix (row by row) and translation into a
// new width x height bitmap (and alpha plane when the picture has alpha); background is the
// colour the bitmap step is given for uncovered pixels. ERR_TFIMAGE for a source without a
// plug-in or a failed transform. 0 or an error code.
int32_t image_render_vector(qmState* L, qmImageSource* source, const double* matrix, double tx,
                            double ty, int32_t width, int32_t height, uint32_t background,
                            qmBitmap** bitmap, qmMask** mask, qmAlphaChannel** alpha);

// The built-in detector: decides the format by the first bytes (never by the name) and calls its
// reader. Without pixels only the header is read (width, height, has-alpha). 0 or an error code;
// ERR_LOADPICTURE2 for a format it does not know.
int32_t qmos_detect_picture(const char* name, const int32_t* user_palette, int32_t pen,
                            int32_t use_transparent, uint32_t** pixels, uint32_t** palette,
                            int32_t* transparent, int32_t* width, int32_t* height,
                            int32_t* has_alpha);

// The formats the detector knows, from the first bytes of a file (shorter files padded with 0).
enum qmPictureFormat : int32_t {
  PICFMT_UNKNOWN = 0,
  PICFMT_ILBM,
  PICFMT_PNG,
  PICFMT_JPEG,
  PICFMT_BMP,
  PICFMT_TIFF,
  PICFMT_GIF,
};
inline constexpr size_t PICTURE_PROBE_SIZE = 64;
qmPictureFormat picture_format_of(const uint8_t* head /* PICTURE_PROBE_SIZE bytes */);

// ---- IFF ILBM ------------------------------------------------------------------------------------

// Reads 1 to 8 planes (with HAM6, HAM8 and extra half-brite) and 24 planes (32: the first 24),
// raw or ByteRun1. Without pixels only the size is read. The palette rules: a user palette
// replaces the file's first colours; a pen colour turns a 1-plane picture into colour 0
// transparent and colour 1 the pen; use_transparent picks a colour for a masking-2 picture.
int32_t ilbm_load(const char* name, const int32_t* user_palette, int32_t pen,
                  int32_t use_transparent, int32_t* transparent, int32_t* width, int32_t* height,
                  uint32_t** pixels, uint32_t** palette);
// Writes a 24-plane ByteRun1 picture (alpha dropped). The header's 16-bit sides cannot hold more
// than 65535: a larger picture is refused with ERR_WRITEFILE. 0 or an error code.
int32_t ilbm_save(const char* name, const uint32_t* pixels, int32_t width, int32_t height);

// The pieces the IFF ANIM reader shares. The planar buffer holds plane after plane, each
// `height` rows of ilbm_row_bytes(width) bytes.
inline constexpr int32_t ilbm_row_bytes(int32_t width) { return ((width + 15) / 16) * 2; }
// 1 when the id is found by a byte-wise search (the file then stands behind the id), else 0.
int32_t ilbm_find_chunk(qmFileHandle* fh, const char* id);
// Fill the planar buffer from a BODY of body_size bytes (masking 1: a mask row follows the planes
// of every row and is dropped). 1 on success, 0 when the data ends early.
int32_t ilbm_read_body_raw(qmFileHandle* fh, uint8_t* planar, int64_t body_size, int32_t width,
                           int32_t height, int32_t planes, int32_t masking);
int32_t ilbm_read_body_byterun1(qmFileHandle* fh, uint8_t* planar, int64_t body_size,
                                int32_t width, int32_t height, int32_t planes, int32_t masking);
// Up to 8 planes into one index byte per pixel (destination rows `width` bytes); 24 planes into
// 0x00RRGGBB words (destination rows dest_stride words).
void ilbm_planar_to_chunky(const uint8_t* planar, int32_t width, int32_t height, int32_t planes,
                           int32_t row_bytes, void* dest, int32_t dest_stride);
void ilbm_decode_ham6(const uint8_t* chunky, uint32_t* pixels, const uint32_t* palette,
                      int32_t width, int32_t height);
void ilbm_decode_ham8(const uint8_t* chunky, uint32_t* pixels, const uint32_t* palette,
                      int32_t width, int32_t height);
void ilbm_map_palette(const uint8_t* chunky, uint32_t* pixels, const uint32_t* palette,
                      int32_t width, int32_t height);
// ByteRun1 packing of one row of n >= 1 bytes into out, which holds at least
// ilbm_pack_bound(n) bytes; returns the packed length.
inline constexpr size_t ilbm_pack_bound(size_t n) { return n + (n + 127) / 128; }
size_t ilbm_pack_row(const uint8_t* row, size_t n, uint8_t* out);

// ---- BMP -----------------------------------------------------------------------------------------

// Reads 1, 4 and 8 bits (8 also RLE8) and 16, 24 and 32 bits per pixel (16 and 32 also with bit
// fields); without pixels only the header. has-alpha 1 for bit fields with an alpha mask, whose
// values stand in the pixels' top bytes.
int32_t bmp_load(const char* name, int32_t* width, int32_t* height, uint32_t** pixels,
                 int32_t* has_alpha);
// Writes an uncompressed 24-bit picture (alpha dropped).
int32_t bmp_write(const char* name, const uint32_t* pixels, int32_t width, int32_t height);

// ---- PNG -----------------------------------------------------------------------------------------

// Any PNG as 8-bit RGB or RGBA; has-alpha 1 for RGBA (an alpha channel or tRNS). Without pixels
// only the header. The result is the return value (also stored in *error when given).
int32_t png_load(const char* name, int32_t* width, int32_t* height, uint32_t** pixels,
                 int32_t* has_alpha, int32_t* error);

// ---- The picture importer (JPEG, TIFF, a still GIF's first frame) ------------------------------

// Reads a picture from a file (name) or from memory (data, length): JPEG and TIFF, and GIF
// through the GIF reader; any stream that begins 0xFF 0xD8 0xFF goes to the JPEG decoder. JPEG is
// always RGB without alpha; an RGB TIFF of 8 or 16 bits per sample keeps straight (unassociated)
// alpha and reports has-alpha 1 for it. Rows come as stored, whatever an orientation tag says.
// The alpha-plane out is always handed back empty.
// Without pixels only width, height and has-alpha are read. 0 or an error code.
int32_t platform_picture_load(const char* name, const uint8_t* data, size_t length,
                              int32_t* width, int32_t* height, uint32_t** pixels,
                              int32_t* has_alpha, qmAlphaChannel** alpha);
int32_t platform_picture_load_memory(const uint8_t* data, size_t length, int32_t* width,
                                     int32_t* height, uint32_t** pixels, int32_t* has_alpha,
                                     qmAlphaChannel** alpha);

// The importer's readers over an open file handle (positioned at the start); GIF comes from the
// GIF reader (gif.h).
int32_t jpeg_read(qmFileHandle* fh, int32_t* width, int32_t* height, uint32_t** pixels);
int32_t tiff_read(qmFileHandle* fh, int32_t* width, int32_t* height, uint32_t** pixels,
                  int32_t* has_alpha);

// ---- JPEG frames in memory (Motion JPEG) --------------------------------------------------------

// One TurboJPEG decompressor; null when it cannot be made. Close with jpegframe_close (null
// allowed).
struct qmJpegFrameDecoder;
qmJpegFrameDecoder* jpegframe_open();
void jpegframe_close(qmJpegFrameDecoder* decoder);
// A whole JPEG stream that must be exactly width x height, decoded into a new buffer of
// 0x00RRGGBB words (rows packed; freed with qmos_free_pixels). Nothing is allocated for a stream
// of another size. A stream that ends early still fills every pixel (libjpeg's grey); null for
// corrupt data, another size or no memory.
uint32_t* jpegframe_decode(qmJpegFrameDecoder* decoder, const uint8_t* data, size_t size,
                           int32_t width, int32_t height);

}  // namespace qm
