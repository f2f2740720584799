// Inside the file layer: the registration record of a memory block that a window may read.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

struct qmMemoryBlockEntry {
  const uint8_t* base = nullptr;
  uint64_t length = 0;
  // Cleared when the owner unregisters the block; a window still open on it then reads nothing.
  std::atomic<bool> alive{false};
};

// The live registration of exactly this address and length, or null.
std::shared_ptr<qmMemoryBlockEntry> qmos_find_memory(uintptr_t address, uint64_t length);
