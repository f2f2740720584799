// A movie file read through the movie layer's callbacks, as the video library reads its handle.
#pragma once

#include <cstdio>
#include <string>

#include "platform/movie.h"

namespace qmtest {

struct File {
  explicit File(const std::string& path) : f(std::fopen(path.c_str(), "rb")) {
    if (!f) return;
    std::fseek(f, 0, SEEK_END);
    io.size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    io.opaque = f;
    io.read = [](void* o, uint8_t* b, int64_t n) -> int64_t {
      const size_t got = std::fread(b, 1, size_t(n), static_cast<FILE*>(o));
      return got == 0 && std::ferror(static_cast<FILE*>(o)) ? -1 : int64_t(got);
    };
    io.seek = [](void* o, int64_t at) -> int64_t {
      return std::fseek(static_cast<FILE*>(o), long(at), SEEK_SET) == 0 ? at : -1;
    };
  }
  ~File() {
    if (f) std::fclose(f);
  }
  FILE* f;
  qm::qmMovieIO io;
};

}  // namespace qmtest
