#include "platform/shared_library.h"

#include <dlfcn.h>

#include "engine/memory.h"

#if QM_SANITIZED
#include <sanitizer/lsan_interface.h>
#endif

namespace qm {

void* shared_library_open(const char* soname, std::string* why) {
#if QM_SANITIZED
  // What a library's own start-up allocates (libgomp, under FFmpeg's libsoxr) it never frees,
  // and once the library is closed again nothing points there any more: not a leak of ours.
  __lsan_disable();
#endif
  void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
#if QM_SANITIZED
  __lsan_enable();
#endif
  if (!handle) {
    const char* err = dlerror();
    *why = err ? err : soname;
  }
  return handle;
}

}  // namespace qm
