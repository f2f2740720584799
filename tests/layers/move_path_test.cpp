// The paths of moving objects, step by step: lines, the remainder pixels of diagonals, the bounce
// and overshoot phases, the sine and arc curves, and the speed table.
#include <gtest/gtest.h>

#include <vector>

#include "layers/moveobject.h"

namespace qm {
namespace {

struct Point {
  int32_t x, y;
  bool operator==(const Point&) const = default;
};

std::vector<Point> walk(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t w, int32_t h, int32_t speed,
                        int32_t curve, int32_t output_height = 480) {
  MovePath p;
  std::vector<Point> points;
  if (!move_path_start(p, x1, y1, x2, y2, w, h, speed, curve, output_height)) return points;
  while (!p.finished && points.size() < 10000) {
    move_path_step(p);
    points.push_back({p.x, p.y});
  }
  return points;
}

// The turning points of x: where its direction changes, and the end.
std::vector<int32_t> turns(const std::vector<Point>& points, int32_t start) {
  std::vector<int32_t> out;
  int32_t prev = start, dir = 0;
  for (const Point& p : points) {
    const int32_t d = p.x > prev ? 1 : p.x < prev ? -1 : 0;
    if (d != 0 && dir != 0 && d != dir) out.push_back(prev);
    if (d != 0) dir = d;
    prev = p.x;
  }
  out.push_back(prev);
  return out;
}

TEST(MovePath, SpeedTable) {
  const struct {
    int32_t speed, pixels;
  } cases[] = {{-1, 10}, {-2, 15}, {-3, 5}, {7, 7}, {0, -1}, {-4, -1}, {-9, -1}};
  for (const auto& c : cases) EXPECT_EQ(move_speed_pixels(c.speed), c.pixels) << c.speed;
}

TEST(MovePath, EqualStartAndEndDoNotMove) {
  MovePath p;
  EXPECT_FALSE(move_path_start(p, 5, 5, 5, 5, 10, 10, 10, CURVE_NONE, 480));
  EXPECT_TRUE(p.finished);
}

TEST(MovePath, StraightLines) {
  // 100 pixels at the normal speed take 10 steps, in every direction.
  const std::vector<Point> right = walk(0, 0, 100, 0, 8, 8, 10, CURVE_NONE);
  ASSERT_EQ(right.size(), 10u);
  EXPECT_EQ(right.front(), (Point{10, 0}));
  EXPECT_EQ(right.back(), (Point{100, 0}));
  const std::vector<Point> up = walk(0, 95, 0, 0, 8, 8, 10, CURVE_NONE);
  ASSERT_EQ(up.size(), 10u);  // the last step stops on the end
  EXPECT_EQ(up.back(), (Point{0, 0}));
}

TEST(MovePath, DiagonalSpreadsTheRemainder) {
  // A wide object by (35, 10) at speed 10: 4 steps, y moves 3, 3, 2, 2.
  const std::vector<Point> wide = walk(0, 0, 35, 10, 20, 10, 10, CURVE_NONE);
  EXPECT_EQ(wide, (std::vector<Point>{{10, 3}, {20, 6}, {30, 8}, {35, 10}}));
  // A tall one takes its steps from y, and x takes the remainder: (10, 35) by 4 steps.
  const std::vector<Point> tall = walk(0, 0, 10, 35, 10, 20, 10, CURVE_NONE);
  EXPECT_EQ(tall, (std::vector<Point>{{3, 10}, {6, 20}, {8, 30}, {10, 35}}));
  // Up-left mirrors it.
  const std::vector<Point> back = walk(35, 10, 0, 0, 20, 10, 10, CURVE_NONE);
  EXPECT_EQ(back.back(), (Point{0, 0}));
  EXPECT_EQ(back.size(), 4u);
}

TEST(MovePath, BounceAndDampedTurningPoints) {
  // BOUNCE towards 300 at speed 10: 460, 220, 340, 280, 310 and back to 300.
  const std::vector<Point> bounce = walk(200, 50, 300, 50, 8, 8, 10, CURVE_BOUNCE);
  EXPECT_EQ(turns(bounce, 200), (std::vector<int32_t>{460, 220, 340, 280, 310, 300}));
  for (const Point& p : bounce) EXPECT_EQ(p.y, 50);
  // The legs run at 10, 5, 3, 2, 1 and 1 pixels a step.
  EXPECT_EQ(bounce[10].x - bounce[9].x, 10);   // still the line
  EXPECT_EQ(bounce[27].x - bounce[26].x, -5);  // second leg
  // DAMPED runs on to 380 and back; leftwards mirrors both.
  EXPECT_EQ(turns(walk(200, 0, 300, 0, 8, 8, 10, CURVE_DAMPED), 200), (std::vector<int32_t>{380, 300}));
  EXPECT_EQ(turns(walk(300, 0, 200, 0, 8, 8, 10, CURVE_BOUNCE), 300),
            (std::vector<int32_t>{40, 280, 160, 220, 190, 200}));
}

TEST(MovePath, SmoothOutSlowsDownNearTheEnd) {
  const std::vector<Point> p = walk(0, 0, 0, 200, 8, 8, 10, CURVE_SMOOTHOUT);
  EXPECT_EQ(p.back(), (Point{0, 200}));
  EXPECT_EQ(p[1].y - p[0].y, 10);
  EXPECT_EQ(p.back().y - p[p.size() - 2].y, 1);  // crawls in at a pixel a step
}

TEST(MovePath, SineSwingsAboutTheStartAndEndsOnTheEnd) {
  const std::vector<Point> p = walk(0, 200, 400, 200, 8, 8, 10, CURVE_SINE);
  ASSERT_EQ(p.size(), 41u);  // 40 steps, then the step onto the end's y
  int32_t low = 200, high = 200;
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    low = std::min(low, p[i].y);
    high = std::max(high, p[i].y);
  }
  EXPECT_GE(low, 150);
  EXPECT_LE(high, 250);
  EXPECT_LT(low, 155);
  EXPECT_GT(high, 245);
  EXPECT_EQ(p[p.size() - 2].x, 400);
  EXPECT_EQ(p.back(), (Point{400, 200}));
  // BIGSINE swings by half the output's height.
  int32_t big = 0;
  for (const Point& q : walk(0, 200, 400, 200, 8, 8, 10, CURVE_BIGSINE, 300)) big = std::max(big, q.y);
  EXPECT_GT(big, 340);
}

TEST(MovePath, ArcsLiftAndEndOnTheEnd) {
  const std::vector<Point> lower = walk(0, 100, 100, 100, 8, 8, 10, CURVE_LOWERCURVE);
  const std::vector<Point> upper = walk(0, 100, 100, 100, 8, 8, 10, CURVE_UPPERCURVE);
  ASSERT_EQ(lower.size(), 10u);
  EXPECT_GT(lower[4].y, 240);  // halfway 150 below
  EXPECT_LT(upper[4].y, -40);
  EXPECT_EQ(lower.back(), (Point{100, 100}));
  EXPECT_EQ(upper.back(), (Point{100, 100}));
}

}  // namespace
}  // namespace qm
