// SDL's memory: small blocks from the C library as they are, large ones (window surfaces) on 2 MB
// boundaries in whole 2 MB steps marked for large pages, as the large pixel buffers are. SDL clears
// a software window surface as it makes it; in small pages that first touch costs one fault a page
// (hundreds for a 640x480 window), in large pages a handful. Every block is the C library's, so
// freeing and resizing need no bookkeeping of ours.
#include <SDL2/SDL.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/platform_internal.h"

namespace {

constexpr size_t kLargeBlock = size_t(1) << 20;  // from here on a block takes large pages
constexpr size_t kStep = size_t(2) << 20;

void* sdl_malloc(size_t n) {
  if (n < kLargeBlock || n > SIZE_MAX - kStep) return std::malloc(n);
  const size_t size = (n + kStep - 1) / kStep * kStep;
  void* p = std::aligned_alloc(kStep, size);
  if (p) madvise(p, size, MADV_HUGEPAGE);
  return p;
}

void* sdl_calloc(size_t count, size_t size) {
  if (size && count > SIZE_MAX / size) return nullptr;
  if (count * size < kLargeBlock) return std::calloc(count, size);
  void* p = sdl_malloc(count * size);
  if (p) std::memset(p, 0, count * size);
  return p;
}

void* sdl_realloc(void* p, size_t n) { return std::realloc(p, n); }
void sdl_free(void* p) { std::free(p); }

}  // namespace

namespace platform_internal {

void use_own_sdl_memory() {
  // Only before SDL holds any block: one made by its own functions must go back to them.
  static std::once_flag once;
  std::call_once(once, [] {
    if (SDL_GetNumAllocations() == 0) SDL_SetMemoryFunctions(sdl_malloc, sdl_calloc, sdl_realloc, sdl_free);
  });
}

}  // namespace platform_internal
