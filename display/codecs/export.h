// Pictures leaving the player: a bitmap with its mask and alpha plane as ARGB pixels, and the
// writer for the export formats (BMP, PNG, JPEG, GIF, ILBM and the formats of image-saver
// plug-ins), with the save options that scripts pass.
#pragma once

#include <cstdint>

struct qmState;

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;

enum : int32_t {
  IMGFMT_BMP = 0,
  IMGFMT_PNG = 1,
  IMGFMT_JPEG = 2,
  IMGFMT_GIF = 3,
  IMGFMT_ILBM = 4,
};

// No transparent colour, as image_write_file takes it.
inline constexpr uint32_t IMAGE_NO_TRANSPARENT = 0xFFFFFFFFu;

// New width x height pixels 0xAARRGGBB (free with qmos_free_pixels), or null on lack of memory.
// With a mask in mode 1 the alpha byte is 0xFF where the mask bit is set and 0 elsewhere; in
// mode 0 hidden pixels become the colour's RGB with alpha 0. With an alpha plane the alpha
// byte is the plane's value and pixels of alpha 0 become the colour's RGB. Without either plane
// every pixel is opaque. The colour replaces the pixel's RGB; it is never OR-ed into it.
uint32_t* image_build_argb(const qmBitmap* bitmap, int32_t width, int32_t height,
                           const qmMask* mask, const qmAlphaChannel* alpha, uint32_t colour,
                           int32_t mask_mode);

// Writes width x height packed pixels as a file of the format. transparent is a colour 0xRRGGBB
// or IMAGE_NO_TRANSPARENT; has_alpha keeps the alpha bytes (PNG; GIF turns alpha below 128 into
// its transparent entry). quality 0..100 is for JPEG; colors and dither for the palette formats.
// The pixels are neither changed nor freed. 0 or an error code (ERR_WRITEFILE with the name in
// the error's string slot, ERR_MEM, ERR_SAVEPNG, ERR_WRITEJPEG, ERR_UNKNOWNIMGOUT,
// ERR_SAVEIMAGE).
int32_t image_write_file(int32_t format, const uint32_t* pixels, int32_t width, int32_t height,
                         const char* name, uint32_t transparent, int32_t has_alpha,
                         int32_t quality, int32_t colors, int32_t dither);

// image_build_argb (mask mode 0, the transparent colour), then image_write_file with alpha when
// an alpha plane is given (for GIF also when a mask is). ERR_MEM when the conversion fails.
int32_t image_write_bitmap(int32_t format, const qmBitmap* bitmap, int32_t width, int32_t height,
                           const char* name, const qmMask* mask, uint32_t transparent,
                           const qmAlphaChannel* alpha, int32_t quality, int32_t colors,
                           int32_t dither);

// Save options of a command whose argument n is optional: read only when n is the last argument
// given. A table gives the fields "quality", "colors" and "dither" (absent fields keep the
// values); anything else is an optional number for the quality (90 when nil).
void image_read_save_options(qmState* L, int32_t n, int32_t* quality, int32_t* colors,
                             int32_t* dither);

}  // namespace qm
