// What the targets of file readers share: the fuzz input as a linked file in memory (the readers
// open it through the file layer under a memory virtual name, as they open files linked into an
// applet), and inputs of up to a megabyte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/os/qmos.h"
#include "runtime/vfile.h"

struct FuzzMemoryFile {
  char name[VFILE_NAME_SIZE] = "";
  const uint8_t* data;
  FuzzMemoryFile(const uint8_t* bytes, size_t size) : data(bytes) {
    qmos_register_memory(data, size);
    vfile_make_chunk_name("fuzz", name, sizeof name, -1, size, 0,
                          reinterpret_cast<const char*>(data));
  }
  ~FuzzMemoryFile() { qmos_unregister_memory(data); }
};

// The input behind read and seek calls, for the readers that take their bytes that way.
struct FuzzMemoryReader {
  const uint8_t* data;
  int64_t size, pos;
  static int64_t read(void* opaque, uint8_t* buffer, int64_t n) {
    auto* m = static_cast<FuzzMemoryReader*>(opaque);
    n = n < m->size - m->pos ? n : m->size - m->pos;
    std::memcpy(buffer, m->data + m->pos, size_t(n));
    m->pos += n;
    return n;
  }
  static int64_t seek(void* opaque, int64_t offset) {
    auto* m = static_cast<FuzzMemoryReader*>(opaque);
    m->pos = offset < m->size ? offset : m->size;
    return m->pos;
  }
};

// libFuzzer tries inputs no longer than the corpus's longest, at least 4 KB, unless -max_len says
// otherwise; the faults of file readers hide in long runs of codes (RLE data, thousands of JPEG
// scans, chunk walks), so these targets take up to 1 MB unless the command line sets its own
// limit. Called by libFuzzer before it reads its options; the test build's replay never calls it.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static std::vector<char*> args;
  static char max_len[] = "-max_len=1048576";
  args.assign(*argv, *argv + *argc);
  for (char* a : args)
    if (std::strncmp(a, "-max_len=", 9) == 0) return 0;
  args.insert(args.begin() + (args.empty() ? 0 : 1), max_len);
  *argc = int(args.size());
  args.push_back(nullptr);
  *argv = args.data();
  return 0;
}
