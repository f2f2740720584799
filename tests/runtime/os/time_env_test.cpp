#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/errcodes.h"
#include "runtime/os/qmos.h"
#include "runtime/registry.h"

namespace {

TEST(Time, ArithmeticBorrowsAndCarries) {
  struct Case {
    qmTimeVal a, b, sum, diff;
  } cases[] = {
      {{5, 100}, {3, 200}, {8, 300}, {1, 999900}},
      {{1, 999999}, {0, 1}, {2, 0}, {1, 999998}},
      {{2, 0}, {2, 0}, {4, 0}, {0, 0}},
      {{0, 500000}, {0, 600000}, {1, 100000}, {4294967295u, 900000}},  // wraps like the field
  };
  for (const auto& c : cases) {
    qmTimeVal s = c.a, d = c.a;
    qmos_time_add(&s, &c.b);
    qmos_time_sub(&d, &c.b);
    EXPECT_EQ(s.seconds, c.sum.seconds);
    EXPECT_EQ(s.micros, c.sum.micros);
    EXPECT_EQ(d.seconds, c.diff.seconds);
    EXPECT_EQ(d.micros, c.diff.micros);
  }
  qmTimeVal a{3, 5}, b{3, 6}, c{2, 999999};
  EXPECT_EQ(qmos_time_cmp(&a, &b), -1);
  EXPECT_EQ(qmos_time_cmp(&b, &a), 1);
  EXPECT_EQ(qmos_time_cmp(&a, &a), 0);
  EXPECT_EQ(qmos_time_cmp(&c, &a), -1);  // seconds first
}

TEST(Time, ElapsedClockNeverGoesBack) {
  qmTimeVal first, second;
  qmos_get_time(&first);
  qmos_get_time(&second);
  EXPECT_LE(qmos_time_cmp(&first, &second), 0);
  EXPECT_LT(first.micros, 1000000u);
  qmTimeVal wall;
  qmos_get_wall_time(&wall);
  EXPECT_GT(wall.seconds, 1600000000u);  // the epoch clock, unlike the elapsed one
}

TEST(Time, DatesRoundTripInLocalTime) {
  qmDate d;
  d.year = 2024;
  d.month = 2;
  d.day = 29;
  d.hour = 13;
  d.minute = 14;
  d.second = 15;
  qmDate back;
  qmos_time_to_date(qmos_date_to_time(&d), &back);
  EXPECT_EQ(back.year, 2024);
  EXPECT_EQ(back.month, 2);
  EXPECT_EQ(back.day, 29);
  EXPECT_EQ(back.hour, 13);
  EXPECT_EQ(back.minute, 14);
  EXPECT_EQ(back.second, 15);
}

TEST(Environment, LanguageAndCountryFromLang) {
  struct Case {
    const char* lang;
    int32_t language;
    int32_t country;
  } cases[] = {
      {"de_DE.UTF-8", 1, 9}, {"ja_JP", 18, 38}, {"en_GB", 0, 0},  {"en_UK", 0, 0},
      {"en_US.UTF-8", 0, 1}, {"fr_CH", 4, 29},  {"sv_SE", 7, 31}, {"cs_CZ", 14, 7},
      {"uk_UA", 18, 37},     {"de", 1, 38},     {"C", 18, 38},    {"pt_BR", 6, 5},
      {"en_XX", 0, 38},      {"de_", 1, 38},    {"", 18, 38},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(qmos_language_from(c.lang), c.language) << c.lang;
    EXPECT_EQ(qmos_country_from(c.lang), c.country) << c.lang;
  }
  const char* saved = std::getenv("LANG");
  std::string keep = saved ? saved : "";
  setenv("LANG", "nl_BE.ISO-8859-1", 1);
  EXPECT_EQ(qmos_get_language(), 2);
  EXPECT_EQ(qmos_get_country(), 3);
  unsetenv("LANG");
  EXPECT_EQ(qmos_get_language(), QMOS_LANGUAGE_NONE);
  EXPECT_EQ(qmos_get_country(), QMOS_COUNTRY_NONE);
  if (saved) setenv("LANG", keep.c_str(), 1);
}

TEST(Environment, VariablesAreLatin1Inside) {
  EXPECT_EQ(qmos_setenv("QMOS_TEST_VAR", "gr\xFC\xDF"), 0);
  EXPECT_STREQ(std::getenv("QMOS_TEST_VAR"), "gr\xC3\xBC\xC3\x9F");
  char* v = qmos_getenv("QMOS_TEST_VAR");
  ASSERT_NE(v, nullptr);
  EXPECT_STREQ(v, "gr\xFC\xDF");
  qmos_free(v);
  qmos_unsetenv("QMOS_TEST_VAR");
  EXPECT_EQ(qmos_getenv("QMOS_TEST_VAR"), nullptr);
  EXPECT_EQ(qmos_setenv("BAD=NAME", "x"), qm::ERR_SETENV);
}

}  // namespace

namespace {

int g_added = 0, g_removed = 0;
int32_t g_add_result = 0;
int32_t fake_add(void*, const qm::ObjectId* id, int32_t ms, int32_t repeat) {
  EXPECT_EQ(id->number, 0);
  EXPECT_NE(id->handle, nullptr);
  EXPECT_EQ(ms, 20);
  EXPECT_EQ(repeat, 1);
  if (g_add_result == 0) ++g_added;
  return g_add_result;
}
void fake_remove(void*, const qm::ObjectId*) {
  ++g_removed;
}

TEST(ServiceTimer, OneIntervalWhileAnyUserHoldsIt) {
  EXPECT_EQ(qmos_sound_timer_start(nullptr, QMOS_TIMER_SOUND), qm::ERR_WRONGUSAGE);  // no service
  qmos_set_interval_service(fake_add, fake_remove);
  EXPECT_EQ(qmos_sound_timer_start(nullptr, QMOS_TIMER_SOUND), 0);
  EXPECT_EQ(qmos_sound_timer_start(nullptr, QMOS_TIMER_EVENTS), 0);
  EXPECT_EQ(qmos_sound_timer_start(nullptr, QMOS_TIMER_SOUND), 0);
  EXPECT_EQ(g_added, 1);
  qmos_sound_timer_stop(nullptr, QMOS_TIMER_SOUND);
  EXPECT_EQ(g_removed, 0);
  qmos_sound_timer_stop(nullptr, QMOS_TIMER_EVENTS);
  qmos_sound_timer_stop(nullptr, QMOS_TIMER_EVENTS);
  EXPECT_EQ(g_removed, 1);
  g_add_result = qm::ERR_MEM;
  EXPECT_EQ(qmos_sound_timer_start(nullptr, QMOS_TIMER_EVENTS), qm::ERR_MEM);
  qmos_sound_timer_stop(nullptr, QMOS_TIMER_EVENTS);  // never held: nothing to remove
  EXPECT_EQ(g_removed, 1);
  qmos_set_interval_service(nullptr, nullptr);
}

}  // namespace
