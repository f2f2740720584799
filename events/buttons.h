// Buttons of background pictures: rectangles, or the shape of a layer, with callbacks for the
// mouse. They belong to their picture (each keeps it as its owner); a display shows and tracks
// the buttons of its current picture. The poller asks this file about clicks and hover.
#pragma once

#include <cstdint>

#include "display/bgpic.h"
#include "runtime/registry.h"

struct qmState;
struct qmDisplay;

namespace qm {

struct qmLayer;

enum : int32_t { SIMPLEBUTTON = 0, LAYERBUTTON = 1 };

// The callbacks, in the order their keys are read.
enum ButtonCallback : int32_t {
  BCB_OVER, BCB_OUT, BCB_DOWN, BCB_UP, BCB_RIGHTDOWN, BCB_RIGHTUP, BCB_MIDDOWN, BCB_MIDUP, BCB_COUNT
};

struct qmBGPicButton {
  qmBGPicButton* next = nullptr;  // the next button of the same picture
  ObjectId id;                    // an automatic id is the record's own address
  int32_t type = SIMPLEBUTTON;
  int32_t x1 = 0, y1 = 0, x2 = -1, y2 = -1;  // inclusive, in picture pixels (simple buttons)
  int32_t enabled = 1;
  int32_t down[3] = {0, 0, 0};  // left, right, middle went down on it
  int32_t over = 0;
  int32_t callbacks[BCB_COUNT] = {-1, -1, -1, -1, -1, -1, -1, -1};
  qmLayer* layer = nullptr;  // layer buttons
  int32_t pixel_exact = 0, include_hidden = 0;
  int32_t userdata = -1;
  qmBGPic* owner = nullptr;  // the picture whose list holds it
};

// The first button of the picture's list, and the number of buttons.
inline qmBGPicButton* buttons_of(const qmBGPic* pic) { return static_cast<qmBGPicButton*>(pic->buttons); }
int32_t buttons_count(const qmBGPic* pic);

// Enabled, and simple or on a layer that is shown (or counts while hidden).
bool button_live(const qmBGPicButton* b);
// True when the point of the display's window content (x, y) is on the button.
bool button_hit_test(qmState* L, const qmDisplay* d, int32_t x, int32_t y, const qmBGPicButton* b);
// A new button at the head of pic's list; the caller fills it. nullptr without memory.
qmBGPicButton* button_new(qmBGPic* pic);
// Releases the button's references, moves the poller off it, unlinks it from its owner's list
// and frees it.
void free_button(qmState* L, qmBGPicButton* b);
void buttons_delete_for_layer(qmState* L, qmBGPic* pic, const qmLayer* layer);
void buttons_reset_states(qmBGPic* pic);
void buttons_free_all(qmState* L, qmBGPic* pic);

// Puts the buttons behind the poller's sources and the pictures' button hooks.
void buttons_install();

}  // namespace qm
