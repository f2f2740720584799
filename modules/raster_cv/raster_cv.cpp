// quillmere-raster.so: OpenCV's polygon and line drawing behind the C interface of
// draw/raster_module.h. A cv::Mat header is laid over the caller's buffer: no copy.
#include <cstdint>
#include <new>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "draw/raster_module.h"

namespace {

constexpr int32_t kNoMemory = -4, kBadArgument = -5;

template <typename F>
int32_t guarded(F&& draw) {
  try {
    draw();
    return 0;
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  } catch (const cv::Exception& e) {
    return e.code == cv::Error::StsNoMem ? kNoMemory : kBadArgument;
  } catch (...) {
    return kBadArgument;
  }
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t qm_raster_polygon(uint8_t* coverage, int32_t width, int32_t height,
                                                                 int32_t bpr, const int32_t* xy, int32_t count,
                                                                 int32_t antialias, int32_t thickness) {
  return guarded([&] {
    std::vector<cv::Point> p(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) p[size_t(i)] = cv::Point(xy[2 * i], xy[2 * i + 1]);
    cv::Mat m(height, width, CV_8UC1, coverage, size_t(bpr));
    const cv::Point* contour = p.data();
    const int n = int(count);
    const int line = antialias ? cv::LINE_AA : cv::LINE_8;
    if (thickness <= 0) cv::fillPoly(m, &contour, &n, 1, cv::Scalar(255), line, 0);
    else cv::polylines(m, &contour, &n, 1, true, cv::Scalar(255), thickness, line, 0);
  });
}

__attribute__((visibility("default"))) int32_t qm_raster_line(uint8_t* coverage, int32_t width, int32_t height,
                                                              int32_t bpr, int32_t x0, int32_t y0, int32_t x1,
                                                              int32_t y1, int32_t antialias, int32_t thickness) {
  return guarded([&] {
    cv::Mat m(height, width, CV_8UC1, coverage, size_t(bpr));
    cv::line(m, cv::Point(x0, y0), cv::Point(x1, y1), cv::Scalar(255), thickness,
             antialias ? cv::LINE_AA : cv::LINE_8, 0);
  });
}

}  // extern "C"
