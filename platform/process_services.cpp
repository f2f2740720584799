// The process services of the platform layer: the protected run of the main chunk, URLs, debug
// output, temporary files, message ports and recursive mutexes.
#include <SDL2/SDL.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "engine/errcodes.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "runtime/errors.h"

namespace {

qmState* g_main_state = nullptr;

void open_with_desktop(const char* utf8_url) { SDL_OpenURL(utf8_url); }
UrlOpener g_url_opener = open_with_desktop;

}  // namespace

int32_t platform_run_main_chunk(qmState* L) {
  qmState* outer = g_main_state;
  g_main_state = L;
  int32_t err = vm_pcall(L, 0, 0, 0);
  g_main_state = outer;
  return err;
}

qmState* platform_main_state() { return g_main_state; }

void platform_open_url(const char* url) {
  std::string utf8 = platform_latin1_to_utf8(url ? url : "");
  platform_record("open_url", utf8);
  g_url_opener(utf8.c_str());
}

void platform_set_url_opener(UrlOpener opener) { g_url_opener = opener ? opener : open_with_desktop; }

void platform_option_hook(const char*) {}

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

int32_t platform_port_create() { return qm::ERR_CREATEPORT; }

int32_t platform_port_send(const char* name) {
  qm::err_set_string_arg(name ? name : "");
  return qm::ERR_FINDPORT;
}

struct qmMutex {
  std::recursive_mutex m;
};

qmMutex* platform_mutex_create() { return new (std::nothrow) qmMutex; }
void platform_mutex_free(qmMutex* m) { delete m; }
void platform_mutex_lock(qmMutex* m) { m->m.lock(); }
int32_t platform_mutex_trylock(qmMutex* m) { return m->m.try_lock() ? 1 : 0; }
void platform_mutex_unlock(qmMutex* m) { m->m.unlock(); }
