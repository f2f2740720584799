// The process services of the platform layer: start and end, the protected run of the main chunk,
// debug output, temporary files and recursive mutexes.
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "engine/vm.h"
#include "platform/platform.h"

// Nothing to check or set up on this host yet; the window and audio layers hook in here.
int32_t platform_init() { return 0; }
void platform_exit() { std::fflush(stdout); }

int32_t platform_run_main_chunk(qmState* L) { return vm_pcall(L, 0, 0, 0); }

void platform_debug_printf(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  std::vfprintf(stdout, format, ap);
  va_end(ap);
  std::fflush(stdout);
}

int32_t platform_tmpnam(std::string* name) {
  const char* dir = std::getenv("TMPDIR");
  std::string path = std::string(dir && *dir ? dir : "/tmp") + "/qmtmpXXXXXX";
  std::vector<char> buf(path.begin(), path.end());
  buf.push_back('\0');
  int fd = mkstemp(buf.data());
  if (fd < 0) return 0;
  close(fd);
  *name = buf.data();
  return 1;
}

struct qmMutex {
  std::recursive_mutex m;
};

qmMutex* platform_mutex_create() { return new (std::nothrow) qmMutex; }
void platform_mutex_free(qmMutex* m) { delete m; }
void platform_mutex_lock(qmMutex* m) { m->m.lock(); }
int32_t platform_mutex_trylock(qmMutex* m) { return m->m.try_lock() ? 1 : 0; }
void platform_mutex_unlock(qmMutex* m) { m->m.unlock(); }
