// Time values and date records.
#include "platform/platform.h"
#include "runtime/os/qmos.h"

namespace {

void from_us(int64_t us, qmTimeVal* tv) {
  tv->seconds = uint32_t(us / 1000000);
  tv->micros = uint32_t(us % 1000000);
}

}  // namespace

// Both read the platform's one clock, so that tests on a fake clock move every timer at once.
void qmos_get_time(qmTimeVal* tv) {
  if (tv) from_us(platform_clock().now_us(), tv);
}

void qmos_get_wall_time(qmTimeVal* tv) {
  if (tv) from_us(platform_clock().wall_us(), tv);
}

// Seconds wrap modulo 2^32 like the unsigned field they live in.
void qmos_time_sub(qmTimeVal* a, const qmTimeVal* b) {
  uint32_t seconds = a->seconds - b->seconds;
  int64_t micros = int64_t(a->micros) - int64_t(b->micros);
  if (micros < 0) {
    micros += 1000000;
    seconds -= 1;
  }
  a->seconds = seconds;
  a->micros = uint32_t(micros);
}

void qmos_time_add(qmTimeVal* a, const qmTimeVal* b) {
  uint32_t seconds = a->seconds + b->seconds;
  uint64_t micros = uint64_t(a->micros) + b->micros;
  while (micros >= 1000000) {
    micros -= 1000000;
    seconds += 1;
  }
  a->seconds = seconds;
  a->micros = uint32_t(micros);
}

int32_t qmos_time_cmp(const qmTimeVal* a, const qmTimeVal* b) {
  if (a->seconds != b->seconds) return a->seconds < b->seconds ? -1 : 1;
  if (a->micros != b->micros) return a->micros < b->micros ? -1 : 1;
  return 0;
}

int64_t qmos_date_to_time(const qmDate* date) {
  struct tm tm = {};
  tm.tm_sec = date->second;
  tm.tm_min = date->minute;
  tm.tm_hour = date->hour;
  tm.tm_mday = date->day;
  tm.tm_mon = date->month - 1;
  tm.tm_year = date->year - 1900;
  tm.tm_isdst = -1;  // let the host decide whether daylight saving applies to that date
  return int64_t(mktime(&tm));
}

void qmos_time_to_date(int64_t stamp, qmDate* date) {
  time_t t = time_t(stamp);
  struct tm tm = {};
  if (!localtime_r(&t, &tm)) {
    *date = qmDate();
    return;
  }
  date->second = tm.tm_sec;
  date->minute = tm.tm_min;
  date->hour = tm.tm_hour;
  date->day = tm.tm_mday;
  date->month = tm.tm_mon + 1;
  date->year = tm.tm_year + 1900;
}
