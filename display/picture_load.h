// Loading brushes and background pictures: a picture opened through the image sources, a
// rectangle of it made into a bitmap with its mask or alpha plane, and the two load commands.
#pragma once

#include <cstdint>
#include <string>

#include "display/picture.h"

struct qmState;

namespace qm {

struct qmImageSource;

// An opened picture; the destructor releases what is still held.
struct LoadedPicture {
  qmImageSource* source = nullptr;
  qmAlphaChannel* alpha = nullptr;
  uint32_t* palette = nullptr;  // 256 colours (qmos_alloc), or null
  int32_t transparent = -1;     // reported by the reader
  int32_t width = 0, height = 0, pixels_per_row = 0;
  int32_t has_alpha = 0, is_vector = 0;
  LoadedPicture() = default;
  LoadedPicture(const LoadedPicture&) = delete;
  LoadedPicture& operator=(const LoadedPicture&) = delete;
  ~LoadedPicture();
};

// A load's report on the console: "Loading ... NAME..." (the message's text) at the start, then
// "done" once ok is set, else the failure, when it goes.
struct ConsoleReport {
  bool ok = false;
  ConsoleReport(int32_t message, const std::string& name);
  ~ConsoleReport();
  ConsoleReport(const ConsoleReport&) = delete;
  ConsoleReport& operator=(const ConsoleReport&) = delete;
};

int32_t picture_open(const char* name, const int32_t* user_palette, int32_t pen, int32_t use_transparent,
                     bool load_alpha, LoadedPicture* out);
// picture_open with the image cache of the declared objects: while the start-up creates them, a
// cached_load name ("" none) takes the picture from the cache entry of that name, and a cache name
// adds the opened picture to the cache under it (with its alpha plane for cache_alpha). Outside the
// start-up both names are ignored.
int32_t picture_open_cached(const char* name, const char* cache, const char* cached_load, bool cache_alpha,
                            int32_t pen, int32_t use_transparent, bool load_alpha, LoadedPicture* out);
// The rectangle (x, y, width, height) as a bitmap with a mask of the pixels that differ from
// transparent (none for -1) and, when the picture's alpha was loaded, its alpha plane. A vector
// picture is drawn at its own size. 0 or an error code.
int32_t picture_make_planes(qmState* L, const LoadedPicture& picture, int32_t x, int32_t y, int32_t width,
                            int32_t height, int32_t transparent, Planes* out);

int32_t cmd_loadbrush(qmState* L);
int32_t cmd_loadbgpic(qmState* L);

}  // namespace qm
