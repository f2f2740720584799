// Image distortion: a new image made from a bitmap (with its mask or alpha plane) by a reverse
// mapping evaluated per target pixel, sampled nearest or through an elliptical weighted average
// that follows the mapping's local stretch.
//
// The engine knows methods 0..14; the player requests 4 (perspective), 9 (arc), 10 (polar) and
// 12 (barrel), and every other method is refused with ERR_WRONGUSAGE.
#pragma once

#include <cstdint>
#include <vector>

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;

enum : int32_t {
  DISTORT_AFFINE = 1,
  DISTORT_PERSPECTIVE = 4,
  DISTORT_ARC = 9,
  DISTORT_POLAR = 10,
  DISTORT_BARREL = 12,
  DISTORT_LAST = 14,
};

struct qmDistortImage {
  int32_t width = 0, height = 0;
  int32_t x_offset = 0, y_offset = 0;  // position of the image on its canvas
  uint32_t* pixels = nullptr;
  int32_t pixels_per_row = 0;
};

struct qmDistortRequest {
  int32_t method = 0;
  int32_t value_count = 0;
  const double* values = nullptr;
  qmDistortImage* source = nullptr;
  qmDistortImage* target = nullptr;
  std::vector<double> coefficients;  // made by distort_coefficients, released by distort_resample
  int32_t out_width = 0, out_height = 0;
  int32_t out_x = 0, out_y = 0;  // target pixel (0, 0) stands for this point of the output plane
  int32_t smooth = 0;
  int32_t error = 0;
  const uint8_t* src_mask = nullptr;
  uint8_t* dst_mask = nullptr;
  const uint8_t* src_alpha = nullptr;
  uint8_t* dst_alpha = nullptr;
  int32_t src_mask_bpr = 0, dst_mask_bpr = 0, src_alpha_bpr = 0, dst_alpha_bpr = 0;
  int32_t bytes_per_pixel = 4;
  int32_t format = 11;  // read from the source and written to the target alike
};

// Turns the method's values into coefficients and the output geometry; sets `error` (0, ERR_MEM
// or ERR_WRONGUSAGE). May rewrite the method (short perspective fits become affine fits).
void distort_coefficients(qmDistortRequest& req);

// Fills the target pixels and plane; sets `error` (0 or ERR_MEM); releases the coefficients.
void distort_resample(qmDistortRequest& req);

// Solves matrix x solution = vector for each of the vectors in place by Gauss-Jordan elimination
// with full pivoting. Returns false when the system is singular.
bool matrix_gauss_jordan(std::vector<std::vector<double>>& matrix, std::vector<double*>& vectors,
                         int rank);

// Coefficients of the forward mapping of a perspective reverse mapping (9 coefficients in, 8 out).
void perspective_invert(const double* c, double* f);

// The whole distortion of a bitmap. On success the outputs receive the new bitmap and exactly one
// new plane (a mask when the source has a mask, an alpha plane when it has only an alpha plane,
// else a mask for nearest and an alpha plane for filtered sampling) and the size; the caller owns
// them. Returns 0, ERR_MEM, ERR_WRONGUSAGE or ERR_LOCKBMAP; on failure nothing is written.
int32_t bitmap_distort(qmBitmap* src, qmMask* src_mask, qmAlphaChannel* src_alpha, int32_t width,
                       int32_t height, int32_t method, int32_t value_count, const double* values,
                       int32_t smooth, qmBitmap** out_bitmap, qmMask** out_mask,
                       qmAlphaChannel** out_alpha, int32_t* out_width, int32_t* out_height);

}  // namespace qm
