// The movie reader (FFmpeg behind our allow-list) on any bytes: the open, then frames by number
// and by time that the last bytes choose, forward and back.

#include "memory_input.h"
#include "platform/movie.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzMemoryReader m{data, int64_t(size), 0};
  qm::qmMovieIO io;
  io.opaque = &m;
  io.read = FuzzMemoryReader::read;
  io.seek = FuzzMemoryReader::seek;
  io.size = int64_t(size);
  qm::qmMovie* movie = nullptr;
  qm::qmMovieInfo info;
  if (qm::platform_movie_open(io, &movie, &info)) return 0;
  if (info.width < 1 || info.height < 1 || info.duration_ms < 0 || info.frames < 0) __builtin_trap();
  const uint32_t pick = size >= 4 ? data[size - 1] | data[size - 2] << 8 : 0;
  const uint32_t* pixels = nullptr;
  int32_t w = 0, h = 0, row = 0;
  const int64_t frames[] = {int64_t(pick % 64) + 1, 1, int64_t(pick % 8) + 1};
  for (int64_t n : frames) {
    if (qm::platform_movie_get_frame(movie, n, qm::MOVIE_FRAME_BY_NUMBER, &pixels, &w, &h, &row) == 0) {
      if (w != info.width || h != info.height || row < w) __builtin_trap();
      volatile uint32_t last = pixels[size_t(h - 1) * size_t(row) + size_t(w - 1)];
      (void)last;
    }
  }
  qm::platform_movie_get_frame(movie, int64_t(pick) % 4000, qm::MOVIE_FRAME_BY_TIME, &pixels, &w, &h,
                               &row);
  qm::platform_movie_close(movie);
  return 0;
}
