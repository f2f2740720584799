// A folder of the fuzz run's own for targets whose readers open files by name, removed when the
// run ends, and the writing of a file there.
#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

inline std::string scratch_folder() {
  static char folder[] = "/tmp/qm_fuzz_XXXXXX";
  static const bool made = [] {
    if (!mkdtemp(folder)) std::abort();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(folder, ec);
    });
    return true;
  }();
  (void)made;
  return folder;
}

inline void scratch_write(const std::string& name, const uint8_t* data, size_t size) {
  if (FILE* f = std::fopen((scratch_folder() + "/" + name).c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
}
