// SDL's memory: small blocks from the C library, large ones (window surfaces) from mappings of
// whole 2 MB steps marked for large pages. SDL clears a software window surface as it makes it;
// in small pages that first touch costs one fault a page (hundreds for a 640x480 window), in
// large pages a handful.
#include <SDL2/SDL.h>
#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/platform_internal.h"

namespace {

constexpr size_t kLargeBlock = size_t(1) << 20;  // from here on a block gets a mapping
constexpr size_t kStep = size_t(2) << 20;
constexpr int kMaxLarge = 32;  // blocks past this many come from the C library

struct LargeBlock {
  void* at;
  size_t size;    // as asked
  size_t mapped;  // whole steps
};

std::mutex g_mutex;
LargeBlock g_blocks[kMaxLarge];
std::atomic<int> g_count{0};

// A mapping of whole steps that starts on a step, marked for large pages; nullptr when the system
// gives none or the table is full.
void* map_large(size_t n) {
  if (n > SIZE_MAX / 2) return nullptr;
  const size_t mapped = (n + kStep - 1) / kStep * kStep;
  std::lock_guard<std::mutex> hold(g_mutex);
  const int count = g_count.load(std::memory_order_relaxed);
  if (count == kMaxLarge) return nullptr;
  void* raw = mmap(nullptr, mapped + kStep, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const uintptr_t start = uintptr_t(raw), at = (start + kStep - 1) & ~uintptr_t(kStep - 1);
  if (at > start) munmap(raw, at - start);
  if (const size_t after = start + mapped + kStep - (at + mapped)) munmap(reinterpret_cast<void*>(at + mapped), after);
  madvise(reinterpret_cast<void*>(at), mapped, MADV_HUGEPAGE);
  g_blocks[count] = LargeBlock{reinterpret_cast<void*>(at), n, mapped};
  g_count.store(count + 1, std::memory_order_release);
  return reinterpret_cast<void*>(at);
}

// Takes p out of the table: its size as asked, or 0 when p is not a mapped block.
size_t take_large(void* p, bool unmap) {
  if (!p || g_count.load(std::memory_order_acquire) == 0) return 0;
  std::lock_guard<std::mutex> hold(g_mutex);
  const int count = g_count.load(std::memory_order_relaxed);
  for (int i = 0; i < count; ++i) {
    if (g_blocks[i].at != p) continue;
    const LargeBlock b = g_blocks[i];
    g_blocks[i] = g_blocks[count - 1];
    g_count.store(count - 1, std::memory_order_release);
    if (unmap) munmap(b.at, b.mapped);
    return b.size;
  }
  return 0;
}

size_t large_size(void* p) {
  if (!p || g_count.load(std::memory_order_acquire) == 0) return 0;
  std::lock_guard<std::mutex> hold(g_mutex);
  const int count = g_count.load(std::memory_order_relaxed);
  for (int i = 0; i < count; ++i)
    if (g_blocks[i].at == p) return g_blocks[i].size;
  return 0;
}

void* sdl_malloc(size_t n) {
  if (n >= kLargeBlock)
    if (void* p = map_large(n)) return p;
  return std::malloc(n);
}

void* sdl_calloc(size_t count, size_t size) {
  if (size && count > SIZE_MAX / size) return nullptr;
  if (count * size >= kLargeBlock)
    if (void* p = map_large(count * size)) return p;  // a fresh mapping reads as zero
  return std::calloc(count, size);
}

void* sdl_realloc(void* p, size_t n) {
  const size_t old = large_size(p);
  if (old == 0) return std::realloc(p, n);
  void* next = sdl_malloc(n ? n : 1);
  if (!next) return nullptr;  // p stays as it was
  std::memcpy(next, p, std::min(old, n));
  take_large(p, true);
  return next;
}

void sdl_free(void* p) {
  if (!take_large(p, true)) std::free(p);
}

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
