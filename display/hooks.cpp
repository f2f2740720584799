// The defaults of the layer, output, anim and button hooks: no layers, no display, no anims, no
// buttons.
#include "display/hooks.h"

#include <algorithm>

#include "display/bgpic.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"

namespace qm {

namespace {

bool no_layer_shows(int32_t, const ObjectId&, const void*) { return false; }
bool no_layer_redirected(int32_t, const ObjectId&, const ObjectId&) { return false; }

// Without layers a rectangle of the display is the picture itself.
int32_t copy_picture_rect(qmBGPic* pic, qmBitmap* target, int32_t x, int32_t y, int32_t w, int32_t h) {
  const qmBitmap* source = pic ? pic->current.bitmap : nullptr;
  if (!source || !target) return 0;
  int64_t x1 = std::max(x, 0), y1 = std::max(y, 0);
  int64_t x2 = std::min({int64_t(x) + w, int64_t(source->width), int64_t(target->width)});
  int64_t y2 = std::min({int64_t(y) + h, int64_t(source->height), int64_t(target->height)});
  if (x2 > x1 && y2 > y1) BLTBITMAP(source, int32_t(x1), int32_t(y1), target, int32_t(x1), int32_t(y1), int32_t(x2 - x1),
                                      int32_t(y2 - y1));
  return 0;
}

int32_t layers_are_off(const ImageLayerRequest&) { return ERR_NOLAYERS; }
int32_t no_layers(const qmBGPic*) { return 0; }
void nothing_to_free(qmBGPic*) {}
void nothing_to_flush(qmState*, qmDisplay*) {}
void no_sprites(qmBGPic*) {}
int32_t nothing_to_rebuild(qmState*, qmDisplay*) { return 0; }
int32_t no_layer_target(qmState*, int32_t, int32_t, LayerTargetPlanes*) { return ERR_NOLAYERS; }
void no_layer_planes(void*, LayerTargetPlanes*) {}
void no_layer_replace(void*, int32_t, void*) {}
void no_layer_end(qmState*, void*, bool) {}
// Without the layers library no filter is known, so none is read or run.
int32_t no_filters_read(qmState*, int32_t, FilterSlot*, bool* given) {
  *given = false;
  return 0;
}
int32_t no_filters_run(const FilterSlot*, qmBitmap*, qmMask*, qmAlphaChannel*, int32_t, int32_t) { return 0; }

bool nothing_selected(int32_t, const void*) { return false; }
bool no_display_shows(const qmBGPic*) { return false; }
qmBGPic* no_current_bgpic() { return nullptr; }
bool no_output_area(int32_t*, int32_t*, int32_t*, int32_t*) { return false; }

int32_t no_anim_frame(qmState*, const ObjectId&, int32_t, AnimFrameSlots*) { return ERR_UNSUPPORTEDFEAT; }
int32_t no_anim_layer(qmState*, const ImageLayerRequest&) { return ERR_UNSUPPORTEDFEAT; }
int32_t no_anim_delay(const ObjectId&, int32_t, int32_t*) { return ERR_UNSUPPORTEDFEAT; }
void no_anim_lock(void*, int32_t) {}

void no_buttons(qmState*, qmBGPic*) {}
void no_button_on_layer(qmState*, qmBGPic*, const void*) {}
void no_button_moves(qmBGPic*, const void*, void*) {}
void no_button_pressed(qmBGPic*) {}

bool no_video(const qmDisplay*) { return false; }
bool no_video_at(const qmDisplay*, int32_t, int32_t) { return false; }
void no_videos(qmState*, qmDisplay*) {}
void no_videos_to_hide(qmDisplay*) {}
void no_videos_to_show(qmDisplay*) {}

LayerHooks g_layer_hooks;
OutputHooks g_output_hooks;
AnimHooks g_anim_hooks;
ButtonHooks g_button_hooks;
VideoHooks g_video_hooks;

}  // namespace

void video_hooks_reset() {
  g_video_hooks =
      VideoHooks{no_video, no_video_at, no_videos, no_videos, no_videos_to_hide, no_videos_to_show};
}

VideoHooks& video_hooks() {
  if (!g_video_hooks.on_display) video_hooks_reset();
  return g_video_hooks;
}

void layer_hooks_reset() {
  g_layer_hooks = LayerHooks{no_layer_shows, no_layer_redirected, copy_picture_rect, layers_are_off,
                             no_layers, nothing_to_free, nothing_to_flush, no_sprites, nothing_to_rebuild,
                             no_layer_target, no_layer_planes, no_layer_replace, no_layer_end,
                             no_filters_read, no_filters_run};
}

LayerHooks& layer_hooks() {
  if (!g_layer_hooks.shows_object) layer_hooks_reset();
  return g_layer_hooks;
}

void output_hooks_reset() {
  g_output_hooks = OutputHooks{nothing_selected, no_display_shows, no_current_bgpic, no_output_area};
}

OutputHooks& output_hooks() {
  if (!g_output_hooks.is_output_target) output_hooks_reset();
  return g_output_hooks;
}

void anim_hooks_reset() { g_anim_hooks = AnimHooks{no_anim_frame, no_anim_layer, no_anim_delay, no_anim_lock}; }

AnimHooks& anim_hooks() {
  if (!g_anim_hooks.frame) anim_hooks_reset();
  return g_anim_hooks;
}

void button_hooks_reset() {
  g_button_hooks = ButtonHooks{no_buttons, no_button_on_layer, no_button_moves, no_button_pressed};
}

ButtonHooks& button_hooks() {
  if (!g_button_hooks.free_all) button_hooks_reset();
  return g_button_hooks;
}

}  // namespace qm
