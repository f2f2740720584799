// Conversion and mixing over sample layouts that programs cannot make (big-endian 16-bit data as
// the IFF reader leaves it) and mixes longer than the mixer's working block.
#include "sound/sample_edit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/endian.h"

namespace qm {
namespace {

// A sample over caller-owned bytes (freed by nobody: the vector keeps them).
qmSampleData sample_over(std::vector<uint8_t>& bytes, int32_t format, int32_t frames,
                         uint32_t flags) {
  qmSampleData s;
  s.data = bytes.data();
  s.format = format;
  s.bits = format >= SAMPLE_MONO16 ? 16 : 8;
  s.channels =
      format == SAMPLE_STEREO16 || format == SAMPLE_STEREO8 || format == SAMPLE_STEREO8U ? 2 : 1;
  s.bytes_per_frame = s.channels * s.bits / 8;
  s.frames = frames;
  s.flags = flags;
  return s;
}

TEST(SampleEdit, BigEndianSourcesConvertAndMixByTheirValues) {
  std::vector<uint8_t> bytes(4);
  put_be16(bytes.data(), uint16_t(int16_t(-300)));
  put_be16(bytes.data() + 2, 0x1234);
  const qmSampleData s = sample_over(bytes, SAMPLE_MONO16, 2, SAMPLE_SIGNED | SAMPLE_BIG_ENDIAN);

  std::vector<uint8_t> out(8);
  ConvertWindow w;
  ASSERT_EQ(convert_window_check(&s, &w), 0);
  sample_convert(&s, w, format_layout(SAMPLE_STEREO16), out.data(), 2);
  EXPECT_EQ(int16_t(get_le16(out.data())), -300);
  EXPECT_EQ(int16_t(get_le16(out.data() + 2)), -300);
  EXPECT_EQ(get_le16(out.data() + 4), 0x1234);

  // Into a big-endian destination the bytes stay in its order.
  SampleLayout big = format_layout(SAMPLE_MONO16);
  big.big_endian = true;
  sample_convert(&s, w, big, out.data(), 2);
  EXPECT_EQ(get_be16(out.data() + 2), 0x1234);

  MixSource m;
  m.sample = &s;
  m.pitch = 8000;
  sample_mix(&m, 1, 8000, format_layout(SAMPLE_MONO16), out.data(), 2);
  EXPECT_EQ(int16_t(get_le16(out.data())), -300);
  EXPECT_EQ(get_le16(out.data() + 2), 0x1234);
}

// A source keeps its place, fraction included, from one working block to the next: a ramp read at
// a third of the speed gives every value three times, across the block boundaries too.
TEST(SampleEdit, LongMixesReadOnAcrossBlocks) {
  constexpr int32_t kFrames = 5000;
  std::vector<uint8_t> bytes(kFrames * 2);
  for (int32_t i = 0; i < kFrames; ++i) put_le16(bytes.data() + i * 2, uint16_t(i));
  const qmSampleData s = sample_over(bytes, SAMPLE_MONO16, kFrames, SAMPLE_SIGNED);
  MixSource m;
  m.sample = &s;
  m.pitch = 1000;
  m.loop = false;
  constexpr int64_t kOut = 3 * kFrames + 10;
  std::vector<uint8_t> out(kOut * 2);
  sample_mix(&m, 1, 3000, format_layout(SAMPLE_MONO16), out.data(), kOut);
  for (int64_t f = 0; f < kOut; ++f) {
    const int32_t want = f < 3 * kFrames ? int32_t(f / 3) : 0;
    ASSERT_EQ(int16_t(get_le16(out.data() + f * 2)), want) << f;
  }
}

// Offsets and scales a script can pass: beyond the source, not a number, or enormous.
TEST(SampleEdit, ExtremeOffsetsAndScalesStayInRange) {
  std::vector<uint8_t> bytes = {10, 20, 30};
  const qmSampleData s = sample_over(bytes, SAMPLE_MONO8, 3, SAMPLE_SIGNED);
  struct Case {
    double offset, scale;
    bool loop;
    int8_t first;
  } cases[] = {
      {1e300, 1.0, false, 0},   // past the end, no loop: silence
      {7.0, 1.0, true, 20},     // wraps: 7 % 3 = 1
      {0.0, 1e300, true, 127},  // clamped
      {0.0, -1e300, true, -128}, {0.0, std::nan(""), true, 0},
  };
  for (const Case& c : cases) {
    MixSource m;
    m.sample = &s;
    m.pitch = 8000;
    m.offset = c.offset;
    m.scale = c.scale;
    m.loop = c.loop;
    std::vector<uint8_t> out(1);
    sample_mix(&m, 1, 8000, format_layout(SAMPLE_MONO8), out.data(), 1);
    EXPECT_EQ(int8_t(out[0]), c.first) << c.offset << " " << c.scale;
  }
}

}  // namespace
}  // namespace qm
