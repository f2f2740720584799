// Counts every operator new of the program that includes it (in one source file only): code that
// must never allocate (what runs on the audio thread) is checked between two readings, and code
// that must survive running out of memory is given a number of allocations to refuse.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long> g_allocations{0};
inline std::atomic<long> g_refused_allocations{0};  // the next ones fail, one less each time

// True when this allocation is to fail.
inline bool allocation_refused() {
  long n = g_refused_allocations.load();
  while (n > 0 && !g_refused_allocations.compare_exchange_weak(n, n - 1)) {
  }
  return n > 0;
}

// These replace the global functions, so malloc and free pair with them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t size) {
  ++g_allocations;
  if (allocation_refused()) throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  ++g_allocations;
  if (allocation_refused()) return nullptr;
  return std::malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
