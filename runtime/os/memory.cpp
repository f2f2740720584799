// Allocation, and the registry of memory blocks that memory virtual names may refer to.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

#include "runtime/os/memwindow.h"
#include "runtime/os/qmos.h"

void* qmos_alloc(size_t size, int32_t clear) {
  if (size == 0) return nullptr;
  return clear == 1 ? std::calloc(1, size) : std::malloc(size);
}

void qmos_free(void* block) {
  std::free(block);
}

void qmos_prepare_bulk_write(void* block, size_t size) {
  constexpr uintptr_t kLarge = uintptr_t(2) << 20;
  if (!block || size < 2 * kLarge) return;
  // The whole pages that the block touches: a large block is usually a mapping of its own, and a
  // hint on part of a mapping would split it in two or three, which the C library's realloc can
  // no longer grow or move in place (it copies instead). A block the C library placed in its heap
  // shares its end pages with neighbours; the hint changes no byte of theirs.
  constexpr uintptr_t kPage = 4096;
  const uintptr_t first = uintptr_t(block) & ~(kPage - 1);
  const uintptr_t end = (uintptr_t(block) + size + kPage - 1) & ~(kPage - 1);
  madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

bool qmos_prefault(void* block, size_t size) {
#ifdef MADV_POPULATE_WRITE
  constexpr uintptr_t kPage = 4096;
  if (!block) return false;
  // Only whole pages inside the range: a partial page at either end is shared with other memory
  // and most likely present already.
  const uintptr_t first = (uintptr_t(block) + kPage - 1) & ~(kPage - 1);
  const uintptr_t end = (uintptr_t(block) + size) & ~(kPage - 1);
  return end <= first || madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE) == 0;
#else
  (void)block, (void)size;
  return false;
#endif
}

namespace {

// Keyed by address. Files are opened on the main thread, but the music thread may stream from a
// memory window, so the registry takes a lock.
std::mutex g_blocks_mutex;
std::map<uintptr_t, std::shared_ptr<qmMemoryBlockEntry>>& blocks() {
  static std::map<uintptr_t, std::shared_ptr<qmMemoryBlockEntry>> map;
  return map;
}

}  // namespace

void qmos_register_memory(const void* base, uint64_t length) {
  if (!base) return;
  std::lock_guard<std::mutex> guard(g_blocks_mutex);
  auto& map = blocks();
  uintptr_t key = reinterpret_cast<uintptr_t>(base);
  auto it = map.find(key);
  if (it != map.end()) it->second->alive = false;
  auto entry = std::make_shared<qmMemoryBlockEntry>();
  entry->base = static_cast<const uint8_t*>(base);
  entry->length = length;
  entry->alive = true;
  map[key] = std::move(entry);
}

void qmos_unregister_memory(const void* base) {
  std::lock_guard<std::mutex> guard(g_blocks_mutex);
  auto& map = blocks();
  auto it = map.find(reinterpret_cast<uintptr_t>(base));
  if (it == map.end()) return;
  it->second->alive = false;
  map.erase(it);
}

std::shared_ptr<qmMemoryBlockEntry> qmos_find_memory(uintptr_t address, uint64_t length) {
  std::lock_guard<std::mutex> guard(g_blocks_mutex);
  auto& map = blocks();
  auto it = map.find(address);
  if (it == map.end() || it->second->length != length) return nullptr;
  return it->second;
}
