#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>

#include "platform/platform.h"

// Until the event layer exists there is nothing to serve while waiting: a plain sleep that
// resumes after signals.
int32_t platform_wait_ms(int64_t ms) {
  if (ms <= 0) return 0;
  struct timespec req {
    static_cast<time_t>(ms / 1000), static_cast<long>((ms % 1000) * 1000000)
  };
  while (nanosleep(&req, &req) == -1 && errno == EINTR) {
  }
  return 0;
}

namespace {

struct tm local_now() {
  time_t t = time(nullptr);
  struct tm tmv {};
  localtime_r(&t, &tmv);
  return tmv;
}

}  // namespace

std::string platform_format_date(int32_t mode) {
  struct tm tmv = local_now();
  const char* fmt = mode == 0 ? "%x" : mode == 2 ? "%H:%M:%S" : mode == 3 ? "%A" : "%x";
  char buf[128];
  size_t n = strftime(buf, sizeof buf, fmt, &tmv);
  return std::string(buf, n);
}

void platform_get_date_parts(qmDateParts* p) {
  struct tm tmv = local_now();
  p->year = tmv.tm_year + 1900;
  p->month = tmv.tm_mon + 1;
  p->day = tmv.tm_mday;
  p->hour = tmv.tm_hour;
  p->minute = tmv.tm_min;
  p->second = tmv.tm_sec;
}

uint64_t platform_get_physical_memory() {
  long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || size <= 0) return 0;
  return uint64_t(pages) * uint64_t(size);
}

void platform_debug_write(const char* text, size_t len) {
  fwrite(text, 1, len, stdout);
  fflush(stdout);
}

const std::string& platform_executable_path() {
  static const std::string path = [] {
    std::string p(PATH_MAX, '\0');
    ssize_t n = readlink("/proc/self/exe", p.data(), p.size());
    p.resize(n > 0 ? size_t(n) : 0);
    return p;
  }();
  return path;
}

const std::string& platform_executable_folder() {
  static const std::string folder = [] {
    const std::string& p = platform_executable_path();
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? std::string("./") : p.substr(0, slash + 1);
  }();
  return folder;
}
