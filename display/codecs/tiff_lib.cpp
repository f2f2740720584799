#include "display/codecs/tiff_lib.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>

#include "platform/shared_library.h"

namespace qm {

namespace {

TiffLibrary g_library;

}  // namespace

// libtiff's headers carry its release (4.5), not the soname it ships under (libtiff.so.6): the
// build reads that from the library it found.
const char* const kTiffSoname = QM_TIFF_SONAME;

const TiffLibrary& libtiff = g_library;

bool tiff_load_from(const char* soname, TiffLibrary* out, std::string* why) {
  void* handle = shared_library_open(soname, why);
  if (!handle) return false;
  const auto fail = [&](std::string reason) {
    *why = std::move(reason);
    // A player that runs on without libtiff keeps nothing of it mapped.
    dlclose(handle);
    return false;
  };
  TiffLibrary lib;
#define QM_TIFF_RESOLVE(name)                                            \
  lib.name = reinterpret_cast<decltype(lib.name)>(dlsym(handle, #name)); \
  if (!lib.name) return fail(std::string(soname) + " lacks " #name);
  QM_TIFF_FUNCTIONS(QM_TIFF_RESOLVE)
#undef QM_TIFF_RESOLVE
  *out = lib;
  return true;
}

bool tiff_load() {
  static std::once_flag once;
  static bool loaded = false;
  std::call_once(once, [] {
    const char* soname = std::getenv("QM_TIFF_LIBRARY");
    // An empty name would open the player itself.
    if (!soname || !*soname) soname = kTiffSoname;
    std::string why;
    loaded = tiff_load_from(soname, &g_library, &why);
    if (!loaded)
      std::fprintf(stderr, "libtiff could not be loaded (%s): TIFF pictures cannot be opened.\n",
                   why.c_str());
  });
  return loaded;
}

}  // namespace qm
