// A fresh temporary folder for a test binary's files, removed when the binary exits.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace qmtest {

// The folder under $TMPDIR (else /tmp), made on the first call. Only the process that made it
// removes it: a forked child that ends leaves it to its parent.
inline const std::string& temp_folder() {
  static const struct Folder {
    Folder() {
      const char* base = std::getenv("TMPDIR");
      std::string pattern = std::string(base && *base ? base : "/tmp") + "/qm_test_XXXXXX";
      if (!mkdtemp(pattern.data())) std::abort();
      path = pattern;
    }
    ~Folder() {
      std::error_code ec;
      if (getpid() == owner) std::filesystem::remove_all(path, ec);
    }
    std::string path;
    pid_t owner = getpid();
  } folder;
  return folder.path;
}

}  // namespace qmtest
