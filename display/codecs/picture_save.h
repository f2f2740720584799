// PNG files through libpng and JPEG (baseline JFIF) files or memory through libjpeg-turbo, from
// the player's 0xAARRGGBB pixel words. The caller's pixels are only read.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

enum : int32_t { PICTURE_TYPE_PNG = 0, PICTURE_TYPE_JPEG = 1 };

// Encoded bytes handed out by the memory encoder; free with picture_data_release.
struct qmPictureData {
  uint8_t* bytes = nullptr;
  size_t length = 0;
};
void picture_data_release(qmPictureData* data);

// Writes a picture of the type to a file (name given) or into memory (name null: *out filled).
// Rows are bytes_per_row apart; has_alpha keeps the top bytes as alpha (PNG only); quality is
// 0..100 for JPEG. 0, ERR_MEM, or the type's error (ERR_SAVEPNG, ERR_WRITEJPEG) when the file
// cannot be made or the encoder fails.
int32_t platform_picture_save(const char* name, const uint32_t* pixels, int32_t width,
                              int32_t height, int32_t bytes_per_row, int32_t type,
                              int32_t has_alpha, int32_t quality, qmPictureData* out);

// The PNG file of width x height packed pixels.
int32_t platform_png_save(const char* name, const uint32_t* pixels, int32_t width, int32_t height,
                          int32_t has_alpha);

// The JPEG encoding of pixels into memory, for the image export and the AVI writer.
struct qmJpegRequest {
  const uint32_t* pixels;
  int32_t bytes_per_row;
  int32_t width;
  int32_t height;
  int32_t quality;
  qmPictureData data;  // out
  int32_t error;       // out: 0 or the error code
};
void platform_jpeg_encode_memory(qmJpegRequest* request);

}  // namespace qm
