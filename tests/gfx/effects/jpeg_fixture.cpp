#include "jpeg_fixture.h"

#include <cstdio>
#include <stdexcept>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace qmtest {
namespace {

// libjpeg reports fatal errors through its error manager, which must not return; the helper
// leaves it by an exception (Debian builds the library with unwind tables).
[[noreturn]] void on_error(j_common_ptr) {
  throw std::runtime_error("libjpeg error");
}

template <typename Body>
bool with_decoder(const std::string& path, Body&& body) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  err.error_exit = on_error;
  jpeg_create_decompress(&cinfo);
  bool ok = true;
  try {
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    body(cinfo);
    jpeg_finish_decompress(&cinfo);
  } catch (const std::runtime_error&) {
    ok = false;
  }
  jpeg_destroy_decompress(&cinfo);
  std::fclose(f);
  return ok;
}

}  // namespace

bool decode_jpeg(const std::string& path, RgbImage& out) {
  return with_decoder(path, [&](jpeg_decompress_struct& cinfo) {
    jpeg_start_decompress(&cinfo);
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    out.rgb.assign(static_cast<size_t>(out.width) * out.height * 3, 0);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = out.rgb.data() + static_cast<size_t>(cinfo.output_scanline) * out.width * 3;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
  });
}

bool decode_jpeg_quantized(const std::string& path, int colours, IndexedImage& out) {
  return with_decoder(path, [&](jpeg_decompress_struct& cinfo) {
    cinfo.quantize_colors = TRUE;
    cinfo.two_pass_quantize = TRUE;
    cinfo.dither_mode = JDITHER_NONE;
    cinfo.desired_number_of_colors = colours;
    jpeg_start_decompress(&cinfo);
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    out.indices.assign(static_cast<size_t>(out.width) * out.height, 0);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = out.indices.data() + static_cast<size_t>(cinfo.output_scanline) * out.width;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    out.palette.clear();
    for (int i = 0; i < cinfo.actual_number_of_colors; ++i)
      out.palette.push_back(static_cast<uint32_t>(cinfo.colormap[0][i]) << 16 |
                            static_cast<uint32_t>(cinfo.colormap[1][i]) << 8 |
                            cinfo.colormap[2][i]);
  });
}

std::vector<uint32_t> to_format11(const RgbImage& img, int ppr) {
  std::vector<uint32_t> words(static_cast<size_t>(ppr) * img.height, 0);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const uint8_t* p = &img.rgb[(static_cast<size_t>(y) * img.width + x) * 3];
      words[static_cast<size_t>(y) * ppr + x] = static_cast<uint32_t>(p[2]) << 24 |
                                                static_cast<uint32_t>(p[1]) << 16 |
                                                static_cast<uint32_t>(p[0]) << 8;
    }
  return words;
}

}  // namespace qmtest
