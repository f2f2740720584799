// Interning, strings made from filled storage, the string hash and the text-to-number reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/gc.h"
#include "engine/state.h"
#include "engine/vm.h"
#include "engine/vmstring.h"
#include "tests/engine/core/fixture.h"

namespace {

TEST(StringToNumber, Cases) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {"$FF", true, 255},          {"0xff", true, 255},        {"$FFFFFFFFF", true, 4294967295.0},
      {"0x123456789ab", true, 4294967295.0},                   {"$ffffffff", true, 4294967295.0},
      {"0x", false, 0},            {"$", false, 0},            {"0xg", false, 0},
      {"12 ", true, 12},           {"12\t\n", true, 12},       {"12a", false, 0},
      {"", false, 0},              {" ", false, 0},            {"-3.5e2", true, -350},
      {"0", true, 0},              {"$10 ", true, 16},         {"$-1", false, 0},
      {".5", true, 0.5},           {"1e", false, 0},           {"0x10", true, 16},
  };
  for (const Case& c : cases) {
    double v = -1;
    EXPECT_EQ(vm_str_to_number(c.text, &v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

TEST(StringToNumber, IgnoresLocale) {
  // A comma-decimal locale must not change how "1.5" reads (skipped when not installed).
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP();
  double v = 0;
  EXPECT_TRUE(vm_str_to_number("1.5", &v));
  EXPECT_EQ(v, 1.5);
  char buf[32];
  vm_number_to_text(0.1, buf);
  EXPECT_STREQ(buf, "0.1");
  std::setlocale(LC_NUMERIC, "C");
}

TEST(NumberToText, MatchesPrintf) {
  // Whole numbers take a short way; every number must still print as "%.14g" does.
  const double cases[] = {0.0, -0.0, 1.0, -1.0, 7.0, 10.0, 1000000.0, -2147483648.0, 4294967295.0,
                          99999999999999.0, -99999999999999.0, 1e14, -1e14, 123456789012345.0,
                          9007199254740993.0, 1e300, 0.5, -0.5, 1.25, 1e-5, 123456.789, 2.5e13 + 0.5,
                          HUGE_VAL, -HUGE_VAL, NAN};
  for (double n : cases) {
    char want[64], got[32];
    std::snprintf(want, sizeof want, "%.14g", n);
    int len = vm_number_to_text(n, got);
    EXPECT_STREQ(got, want) << want;
    EXPECT_EQ(len, int(std::strlen(want))) << want;
  }
}

TEST(StringHash, GoldenValues) {
  // Table traversal order depends on these; they must never change.
  EXPECT_EQ(vm_string_hash("", 0), 0u);
  EXPECT_EQ(vm_string_hash("a", 1), 128u);
  EXPECT_EQ(vm_string_hash("abc", 3), 198887u);
  EXPECT_EQ(vm_string_hash("__index", 7), 0x761df46eu);
}

TEST(StringHash, LongStringsSampleAbout32Bytes) {
  // With 64 bytes the step is 3: bytes at index 63, 60, ... 3 count, index 1 does not.
  std::string s(64, 'x');
  uint32_t h = vm_string_hash(s.data(), s.size());
  s[1] = 'y';
  EXPECT_EQ(vm_string_hash(s.data(), s.size()), h);
  s[3] = 'y';
  EXPECT_NE(vm_string_hash(s.data(), s.size()), h);
}

TEST(Interning, SameTextSameObjectAndBucketDoubling) {
  qmState* L = vm_open();
  ASSERT_NE(L, nullptr);
  qmTString* a = vm_new_string(L, "hello", 5);
  EXPECT_EQ(vm_new_string(L, "hello", 5), a);
  EXPECT_NE(vm_new_string(L, "hellO", 5), a);
  EXPECT_EQ(vm_new_string(L, "he\0lo", 5), vm_new_string(L, "he\0lo", 5));
  EXPECT_EQ(a->data()[5], '\0');

  // The table starts with 32 buckets and doubles when the 33rd string is created.
  qmStringTable& st = L->g->strt;
  int i = 0;
  while (st.nuse < 32) vm_new_cstring(L, ("s" + std::to_string(i++)).c_str());
  EXPECT_EQ(st.size, 32);
  vm_new_cstring(L, "one more");
  EXPECT_EQ(st.nuse, 33u);
  EXPECT_EQ(st.size, 64);
  EXPECT_EQ(vm_new_string(L, "hello", 5), a);  // still found after redistribution
  vm_close_state(L);
  EXPECT_EQ(vm_close_residue, 0u);
}

using StringStorage = EngineTest;

// Bytes written in steps into storage that grows, then made the string: its bytes, its
// interning and the shrink to its length (exact block sizes are checked when the state closes,
// and by the sanitizer build at every free).
TEST_F(StringStorage, BecomesTheInternedStringOfItsBytes) {
  struct Case {
    std::vector<size_t> capacities;  // reserved in turn, each followed by writes up to it
    size_t length;                   // bytes written in all
  };
  const Case cases[] = {
      {{16}, 0},                                // nothing written: the empty string
      {{16}, 5},                                // shrinks inside the small-block pool
      {{200, 70000}, 70000},                    // out of the pool into a large block, full
      {{65536, 131072, 262144}, 200000},        // geometric growth, shrunk at the end
      {{300}, 200},                             // from a large block back into the pool
  };
  for (const Case& c : cases) {
    qmStringStorage s;
    std::string want;
    for (size_t capacity : c.capacities) {
      ASSERT_TRUE(vm_storage_reserve(L, &s, capacity));
      while (s.size < std::min(capacity, c.length)) {
        const char b = char('a' + (s.size * 7) % 26);
        s.data[s.size++] = b;
        want += b;
      }
    }
    qmTString* ts = vm_string_from_storage(L, &s);
    EXPECT_EQ(s.data, nullptr);
    ASSERT_EQ(ts->len, c.length);
    EXPECT_EQ(std::string(ts->data(), ts->len), want);
    EXPECT_EQ(ts->data()[ts->len], '\0');
    EXPECT_EQ(vm_new_string(L, want.data(), want.size()), ts) << c.length;
  }
}

TEST_F(StringStorage, EqualStringTakenAndStorageFreed) {
  qmTString* hello = vm_new_string(L, "hello", 5);
  const size_t before = L->g->nblocks;
  qmStringStorage s;
  ASSERT_TRUE(vm_storage_reserve(L, &s, 100000));
  std::memcpy(s.data, "hello", 5);
  s.size = 5;
  EXPECT_EQ(vm_string_from_storage(L, &s), hello);
  EXPECT_EQ(L->g->nblocks, before);
  // Never reserved: the empty string.
  qmStringStorage none;
  EXPECT_EQ(vm_string_from_storage(L, &none), vm_new_string(L, "", 0));
}

TEST_F(StringStorage, RefusesTooLongAndSurvivesCollections) {
  const size_t before = L->g->nblocks;
  qmStringStorage s;
  ASSERT_TRUE(vm_storage_reserve(L, &s, 1000));
  s.size = 3;
  std::memcpy(s.data, "abc", 3);
  // Longer than any string may be: refused, the storage as it was.
  EXPECT_FALSE(vm_storage_reserve(L, &s, size_t(4294967292u)));
  EXPECT_EQ(s.capacity, 1000u);
  // Pending storage is no object of the collector's: a collection leaves it alone.
  vm_collect_garbage(L);
  EXPECT_EQ(std::string(s.data, 3), "abc");
  vm_storage_free(L, &s);
  EXPECT_EQ(s.data, nullptr);
  EXPECT_EQ(L->g->nblocks, before);
}

}  // namespace
