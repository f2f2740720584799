// Host facts and texts: dates, the wall clock, memory, paths of the executable, path conversion.
#include <langinfo.h>
#include <locale.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/platform.h"

namespace {

struct tm local_now() {
  time_t t = time_t(platform_clock().wall_us() / 1000000);
  struct tm tmv {};
  localtime_r(&t, &tmv);
  return tmv;
}

// strftime under the user's LC_TIME, in Latin-1. The locale's own encoding is UTF-8 on any
// current system; a single-byte locale is taken to be Latin-1 already.
std::string locale_time_text(const char* fmt, const struct tm& tmv) {
  locale_t loc = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "", nullptr);
  if (!loc) loc = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "C", nullptr);
  char buf[256];
  size_t n = loc ? strftime_l(buf, sizeof buf, fmt, &tmv, loc) : strftime(buf, sizeof buf, fmt, &tmv);
  bool utf8 = loc && std::strcmp(nl_langinfo_l(CODESET, loc), "UTF-8") == 0;
  if (loc) freelocale(loc);
  std::string text(buf, n);
  return utf8 ? platform_utf8_to_latin1(text) : text;
}

std::string two_digits(const char* fmt, int a, int b, int c) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, a, b, c);
  return buf;
}

}  // namespace

void platform_format_date(int32_t mode, std::string* text1, std::string* text2) {
  struct tm tmv = local_now();
  switch (mode) {
    case 0:
      *text1 = locale_time_text("%x", tmv).substr(0, 63);
      break;
    case 1:
      // The year field is year - 2000: two digits in this century.
      *text1 = two_digits("%.2d-%.2d-%.2d", tmv.tm_mon + 1, tmv.tm_mday, tmv.tm_year + 1900 - 2000);
      if (text2) *text2 = two_digits("%.2d:%.2d:%.2d", tmv.tm_hour, tmv.tm_min, tmv.tm_sec);
      break;
    case 2:
      *text1 = two_digits("%.2d:%.2d:%.2d", tmv.tm_hour, tmv.tm_min, tmv.tm_sec);
      break;
    case 3:
      *text1 = locale_time_text("%A", tmv).substr(0, 63);
      break;
    default:
      break;
  }
}

std::string platform_format_date(int32_t mode) {
  std::string text1, text2;
  platform_format_date(mode, &text1, &text2);
  return text1;
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

double platform_get_seconds() { return double(platform_clock().wall_us()) / 1e6; }

uint32_t platform_get_physical_memory() {
  long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || size <= 0) return 0;
  uint64_t bytes = uint64_t(pages) * uint64_t(size);
  return bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(bytes);
}

void platform_debug_write(const char* text, size_t len) {
  const std::string utf8 = platform_latin1_to_utf8(std::string_view(text, len));
  fwrite(utf8.data(), 1, utf8.size(), stdout);
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

std::string platform_get_bundle_args() { return std::string(); }

std::string platform_wait_open_documents() { return std::string(); }

bool platform_path_to_native(std::string_view path, std::string* out) {
  if (path.find('\0') != std::string_view::npos) return false;
  std::string p(path);
  for (char& c : p) {
    if (c == '\\') c = '/';
  }
  *out = platform_latin1_to_utf8(p);
  return true;
}
