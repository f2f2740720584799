#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/endian.h"
#include "engine/numconv.h"
#include "engine/strutil.h"

namespace {

TEST(NumConv, TruncationToInt32) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case { double in; int32_t out; } cases[] = {
      {0.0, 0},          {3.9, 3},           {-3.9, -3},          {2147483647.0, 2147483647},
      {2147483647.9, 2147483647},            {-2147483648.0, INT32_MIN},
      {-2147483648.9, INT32_MIN},            {2147483648.0, INT32_MIN},
      {1e12, INT32_MIN}, {-1e12, INT32_MIN}, {nan, INT32_MIN},    {inf, INT32_MIN},
      {-inf, INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(qm::to_i32(c.in), c.out) << c.in;
}

TEST(NumConv, UnsignedRules) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(qm::to_u32_sat(-1.0), 0u);
  EXPECT_EQ(qm::to_u32_sat(nan), 0u);
  EXPECT_EQ(qm::to_u32_sat(5e9), 4294967295u);
  EXPECT_EQ(qm::to_u32_sat(3.9), 3u);
  EXPECT_EQ(qm::to_u32_bits(-1.0), 4294967295u);
  EXPECT_EQ(qm::to_u32_bits(-2147483648.0), 2147483648u);
  EXPECT_EQ(qm::to_u32_bits(1e12), 4294967295u);
}

TEST(Endian, ReadWriteBothOrders) {
  uint8_t b[8];
  qm::put_be32(b, 0x11223344u);
  EXPECT_EQ(b[0], 0x11);
  EXPECT_EQ(qm::get_be32(b), 0x11223344u);
  EXPECT_EQ(qm::get_le32(b), 0x44332211u);
  qm::put_le16(b, 0xABCD);
  EXPECT_EQ(b[0], 0xCD);
  EXPECT_EQ(qm::get_be16(b), 0xCDAB);
  qm::put_be64(b, 0x0102030405060708ull);
  EXPECT_EQ(qm::get_le64(b), 0x0807060504030201ull);
}

TEST(StrUtil, BoundedCopyReportsCut) {
  char buf[4];
  EXPECT_TRUE(qm::copy_bounded(buf, sizeof buf, "abc"));
  EXPECT_STREQ(buf, "abc");
  EXPECT_FALSE(qm::copy_bounded(buf, sizeof buf, "abcd"));
  EXPECT_STREQ(buf, "abc");
}

}  // namespace
