// The two outside module players that judge ours, set up alike: 48000 Hz, 16-bit stereo, no
// interpolation (nearest sample), no volume ramping, full stereo separation.
#pragma once

#include <libopenmpt/libopenmpt.h>
#include <xmp.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

class OpenMptPlayer {
 public:
  explicit OpenMptPlayer(const std::vector<uint8_t>& image) {
    mod_ = openmpt_module_create_from_memory2(image.data(), image.size(), nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr);
    if (!mod_) throw std::runtime_error("libopenmpt refused the module");
    openmpt_module_set_render_param(mod_, OPENMPT_MODULE_RENDER_INTERPOLATIONFILTER_LENGTH, 1);
    openmpt_module_set_render_param(mod_, OPENMPT_MODULE_RENDER_VOLUMERAMPING_STRENGTH, 0);
    openmpt_module_set_render_param(mod_, OPENMPT_MODULE_RENDER_STEREOSEPARATION_PERCENT, 100);
    openmpt_module_ctl_set_boolean(mod_, "render.resampler.emulate_amiga", 0);
    openmpt_module_set_repeat_count(mod_, -1);
  }
  ~OpenMptPlayer() { openmpt_module_destroy(mod_); }
  OpenMptPlayer(const OpenMptPlayer&) = delete;
  OpenMptPlayer& operator=(const OpenMptPlayer&) = delete;

  double duration_seconds() { return openmpt_module_get_duration_seconds(mod_); }
  // Interleaved stereo frames.
  void render(int16_t* out, size_t frames) {
    while (frames > 0) {
      size_t n = openmpt_module_read_interleaved_stereo(mod_, 48000, frames, out);
      if (n == 0) throw std::runtime_error("libopenmpt stopped");
      out += 2 * n;
      frames -= n;
    }
  }

 private:
  openmpt_module* mod_;
};

class XmpPlayer {
 public:
  explicit XmpPlayer(std::vector<uint8_t> image) : image_(std::move(image)) {
    ctx_ = xmp_create_context();
    if (xmp_load_module_from_memory(ctx_, image_.data(), long(image_.size())) != 0) {
      xmp_free_context(ctx_);
      throw std::runtime_error("libxmp refused the module");
    }
    xmp_start_player(ctx_, 48000, 0);
    xmp_set_player(ctx_, XMP_PLAYER_INTERP, XMP_INTERP_NEAREST);
    xmp_set_player(ctx_, XMP_PLAYER_MIX, 100);
  }
  ~XmpPlayer() {
    xmp_end_player(ctx_);
    xmp_release_module(ctx_);
    xmp_free_context(ctx_);
  }
  XmpPlayer(const XmpPlayer&) = delete;
  XmpPlayer& operator=(const XmpPlayer&) = delete;

  double duration_seconds() {
    xmp_frame_info info;
    xmp_get_frame_info(ctx_, &info);
    return info.total_time / 1000.0;
  }
  void render(int16_t* out, size_t frames) {
    if (xmp_play_buffer(ctx_, out, int(frames * 4), 0) != 0)
      throw std::runtime_error("libxmp stopped");
  }

 private:
  std::vector<uint8_t> image_;
  xmp_context ctx_;
};
