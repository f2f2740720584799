// Text objects (TEXTOBJECT): a text rendered once into an image (bitmap, 1-bit mask or 8-bit alpha
// plane) that the program shows many times, turns, scales, copies and frees, and that layers,
// moving objects, transition effects and anims show like a brush. Each keeps the text job it was
// made from, so turning and scaling render the text again instead of scaling pixels. The job owns
// its text, its word breaks and its tab choices: the script's string may be collected long before
// the object renders again.
//
// Layers show a text object by its id (layers of type 8). An object that layers show is never
// changed or freed under them:
//   - a change first gives every layer that shows the object a copy of its own (an auto-free
//     copy under an automatic id, which the layers' collection frees once no layer shows it);
//   - freeing it while layers show it only hides it: it loses its id (its automatic id becomes its
//     own address, which the layers now hold) and is auto-free from then on.
//
// The interface for transitions, anims and moving objects is textobject_find with its flags, the
// locked count and textobject_insert_layer:
//   TEXTOBJFIND_HIDDEN  also finds hidden (auto-free) objects, which answer only their own address;
//   TEXTOBJFIND_CHANGE  announces a change: a locked object gives ERR_LOCKEDOBJ (1314), and unless
//                       TEXTOBJFIND_NOCOPY is set the layers that show the object get their copy first;
//   TEXTOBJFIND_NOCOPY  with CHANGE: no copy for the layers.
// `locked` counts the users that hold the object while they work with it (an effect showing it step
// by step): raise it when taking the object and lower it when done; while it is above 0 every change
// (RotateTextObject, ScaleTextObject, FreeTextObject, a CreateTextObject or CopyTextObject onto its id)
// gives ERR_LOCKEDOBJ.
#pragma once

#include <cstdint>

#include "runtime/registry.h"
#include "text/layout.h"

struct qmState;

namespace qm {

struct qmTextObject {
  ObjectHeader header{};  // OBJ_TEXTOBJECT
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  int32_t width = 0, height = 0;            // the current image
  int32_t base_width = 0, base_height = 0;  // the image at creation, what ScaleTextObject scales
  // Where the image lies against the text's origin (0 while turned): shown at x, y, the image goes
  // to x + x_offset, y + y_offset.
  int32_t x_offset = 0, y_offset = 0;
  int32_t locked = 0;
  bool auto_free = false;  // hidden: answers no id, kept while layers show it
  qmTextJob job;           // what renders the text again
  // The transform that RotateTextObject and ScaleTextObject set: the target size (the base size
  // until scaled) and the angle in whole degrees (-359..359).
  int32_t target_width = 0, target_height = 0;
  int32_t angle = 0;
};

enum : int32_t { TEXTOBJFIND_CHANGE = 1, TEXTOBJFIND_HIDDEN = 2, TEXTOBJFIND_NOCOPY = 4 };

// 0 with *out; ERR_FINDARRAY for an automatic id that names none, else ERR_FINDTEXTOBJECT with the
// number in the message slot; with TEXTOBJFIND_CHANGE also ERR_LOCKEDOBJ and the copy's ERR_MEM.
int32_t textobject_find(qmState* L, const ObjectId& id, qmTextObject** out, int32_t flags);

// A copy at the end of the list under id (an automatic id when id.handle is set): its own planes,
// job and references, the same sizes, offsets and transform. 0 or ERR_MEM with nothing kept.
int32_t textobject_copy(qmState* L, const qmTextObject* source, const ObjectId& id, qmTextObject** out);

// Frees the object of that id, or hides it while layers show it. Not found: 0, or with must_exist
// ERR_FINDTEXTOBJECT / ERR_FINDARRAY; ERR_LOCKEDOBJ while locked.
int32_t textobject_free(qmState* L, const ObjectId& id, bool must_exist);

// Frees the hidden objects that no layer shows any more (the layers' collection).
void textobject_collect_garbage(qmState* L);

// Inserts the object as a layer of type 8 of the current picture at x, y (position specials
// resolved against its size) moved by its offsets, at position (1-based; 0 or past the end: on
// top) with the layer flags. 0, the find errors, ERR_NOLAYERS or the layer's error.
int32_t textobject_insert_layer(qmState* L, const ObjectId& id, int32_t x, int32_t y, int32_t position,
                                int32_t flags);

// DisplayTextObject's work: the object at x, y with the option table at argument index
// option_index (0: none), onto the output or as a new layer while the display has layers.
int32_t textobject_render(qmState* L, const ObjectId& id, int32_t x, int32_t y, int32_t option_index);

// The library's part: the commands, the layers' services and the attribute rows (at its start),
// and every object freed (at its clean-up).
int32_t textobject_open(qmState* L);
void textobject_free_all(qmState* L);

}  // namespace qm
