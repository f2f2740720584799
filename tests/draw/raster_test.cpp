// The scan converter: row layout, the fill and outline rules, and far-out coordinates.
#include "draw/raster.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace qm {
namespace {

struct Raster {
  qmRaster r{};
  Raster(int32_t w, int32_t h) { EXPECT_EQ(raster_create(w, h, &r), 0); }
  ~Raster() { raster_destroy(&r); }
  uint8_t at(int32_t x, int32_t y) const { return r.coverage[size_t(y) * size_t(r.bpr) + size_t(x)]; }
  std::vector<uint8_t> bytes() const {
    return std::vector<uint8_t>(r.coverage, r.coverage + size_t(r.bpr) * size_t(r.height));
  }
  void fill(std::vector<qmPoint> p, int32_t aa = 0, int32_t thickness = 0) {
    raster_fill_polygon(&r, p.data(), int32_t(p.size()), aa, thickness);
  }
  int32_t count() const {
    int32_t n = 0;
    for (int32_t y = 0; y < r.height; ++y)
      for (int32_t x = 0; x < r.width; ++x) n += at(x, y) != 0;
    return n;
  }
};

TEST(Raster, RowsArePaddedToFourBytesAndThePaddingStaysClear) {
  for (int32_t w : {1, 5, 8}) {
    Raster r(w, 3);
    EXPECT_EQ(r.r.bpr, (w + 3) / 4 * 4);
    r.fill({{-5, -5}, {50, -5}, {50, 50}, {-5, 50}});
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < r.r.bpr; ++x) EXPECT_EQ(r.at(x, y), x < w ? 255 : 0) << w << " " << x << "," << y;
  }
}

TEST(Raster, CreationRefusesBadSizes) {
  qmRaster r{};
  r.coverage = reinterpret_cast<uint8_t*>(1);
  EXPECT_EQ(raster_create(-1, 4, &r), -25);
  EXPECT_EQ(r.coverage, nullptr);
  EXPECT_EQ(raster_create(40000, 4, &r), -211);
  EXPECT_EQ(raster_create(30000, 30000, &r), -211);
  EXPECT_EQ(raster_create(0, 7, &r), 0);
  r.coverage = nullptr;  // a raster without pixels draws nothing and frees nothing
  raster_fill_polygon(&r, nullptr, 0, 0, 0);
  raster_destroy(&r);
}

TEST(Raster, OneRowPolygonDrawsOnlyItsOutline) {
  Raster filled(12, 6), outline(12, 6);
  const std::vector<qmPoint> p{{1, 2}, {9, 2}, {4, 2}};
  filled.fill(p);
  outline.fill(p, 0, 1);
  EXPECT_EQ(filled.bytes(), outline.bytes());
  EXPECT_EQ(filled.count(), 9);
}

TEST(Raster, PolygonOutsideDrawsNothing) {
  for (int32_t aa : {0, 1}) {
    Raster r(20, 20);
    r.fill({{30, 30}, {60, 30}, {45, 50}}, aa);
    r.fill({{-40, 5}, {-10, 5}, {-20, 15}}, aa, 3);
    EXPECT_EQ(r.count(), 0);
  }
}

TEST(Raster, DrawingAgainOnlyRaisesCoverage) {
  const std::vector<qmPoint> star{{20, 2}, {26, 36}, {2, 14}, {38, 14}, {14, 36}};
  Raster once(40, 40), twice(40, 40);
  once.fill(star);
  twice.fill(star);
  twice.fill(star);
  EXPECT_EQ(once.bytes(), twice.bytes());

  Raster aa1(40, 40), aa2(40, 40);
  aa1.fill(star, 1);
  aa2.fill(star, 1);
  aa2.fill(star, 1);
  int32_t partial = 0, grown = 0;
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 40; ++x) {
      ASSERT_GE(aa2.at(x, y), aa1.at(x, y));
      partial += aa1.at(x, y) > 0 && aa1.at(x, y) < 255;
      grown += aa2.at(x, y) > aa1.at(x, y);
    }
  EXPECT_GT(partial, 0);
  EXPECT_GT(grown, 0);
}

TEST(Raster, EvenOddStarKeepsItsCentreEmpty) {
  Raster r(40, 40);
  r.fill({{20, 2}, {26, 36}, {2, 14}, {38, 14}, {14, 36}});
  EXPECT_EQ(r.at(20, 20), 0);
  EXPECT_EQ(r.at(20, 8), 255);   // a tip
  EXPECT_EQ(r.at(10, 15), 255);  // an arm
}

TEST(Raster, ThicknessOutOfRangeChangesNothing) {
  Raster r(10, 10);
  r.fill({{1, 1}, {8, 1}, {8, 8}}, 0, 256);
  EXPECT_EQ(raster_status(), -5);
  r.fill({{1, 1}, {8, 1}, {8, 8}}, 0, -2);
  EXPECT_EQ(raster_status(), -5);
  raster_fill_edges(&r.r, 0, 0, 9, 9, 0, 256);
  EXPECT_EQ(raster_status(), -211);
  EXPECT_EQ(r.count(), 0);
  r.fill({{1, 1}, {8, 1}, {8, 8}}, 0, -1);  // -1 fills like 0
  EXPECT_EQ(raster_status(), 0);
  EXPECT_GT(r.count(), 8);
}

TEST(Raster, LineOfThicknessZeroDrawsAsOne) {
  Raster zero(10, 10), one(10, 10);
  raster_fill_edges(&zero.r, 1, 1, 8, 5, 0, 0);
  raster_fill_edges(&one.r, 1, 1, 8, 5, 0, 1);
  EXPECT_EQ(zero.bytes(), one.bytes());
  EXPECT_EQ(zero.count(), 8);
}

// Far-out points give what the same shape clipped beforehand gives, and nothing is written past
// the raster (ASan watches the buffer; the padding bytes must stay 0).
TEST(Raster, FarCoordinatesMatchTheShapeClippedBeforehand) {
  const int32_t far[] = {1000000, 1 << 30, INT32_MAX};
  for (int32_t f : far)
    for (int32_t aa : {0, 1}) {
      Raster big(37, 29), near(37, 29);
      big.fill({{-f, 10}, {f, 10}, {f, 20}, {-f, 20}}, aa);
      near.fill({{-9, 10}, {46, 10}, {46, 20}, {-9, 20}}, aa);
      EXPECT_EQ(big.bytes(), near.bytes()) << f << " aa " << aa;

      Raster whole(37, 29);
      whole.fill({{-f, -f}, {f, -f}, {f, f}, {-f, f}}, aa);
      EXPECT_EQ(whole.count(), 37 * 29);
      for (int32_t y = 0; y < 29; ++y)
        for (int32_t x = 37; x < whole.r.bpr; ++x) EXPECT_EQ(whole.at(x, y), 0);

      Raster line(37, 29), short_line(37, 29);
      raster_fill_edges(&line.r, -f, -f, f, f, aa, 3);
      raster_fill_edges(&short_line.r, -100, -100, 100, 100, aa, 3);
      EXPECT_EQ(line.bytes(), short_line.bytes()) << f << " aa " << aa;

      Raster outline(37, 29), near_outline(37, 29);
      outline.fill({{-f, 10}, {f, 10}, {f, 20}, {-f, 20}}, aa, 2);
      near_outline.fill({{-9, 10}, {46, 10}, {46, 20}, {-9, 20}}, aa, 2);
      EXPECT_EQ(outline.bytes(), near_outline.bytes()) << f << " aa " << aa;

      Raster none(37, 29);
      none.fill({{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MIN + 1}, {INT32_MIN + 1, INT32_MIN + 2}}, aa);
      raster_fill_edges(&none.r, INT32_MIN, 200, INT32_MAX, 200, aa, 255);
      EXPECT_EQ(none.count(), 0);
    }
}

}  // namespace
}  // namespace qm
