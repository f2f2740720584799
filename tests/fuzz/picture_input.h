// The fuzz input as a linked file in memory: the readers open it through the file layer under a
// memory virtual name, as they open pictures linked into an applet.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/os/qmos.h"
#include "runtime/vfile.h"

struct FuzzPictureFile {
  char name[VFILE_NAME_SIZE] = "";
  const uint8_t* data;
  FuzzPictureFile(const uint8_t* bytes, size_t size) : data(bytes) {
    qmos_register_memory(data, size);
    vfile_make_chunk_name("fuzz", name, sizeof name, -1, size, 0,
                          reinterpret_cast<const char*>(data));
  }
  ~FuzzPictureFile() { qmos_unregister_memory(data); }
};
