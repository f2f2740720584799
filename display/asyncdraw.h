// Asynchronous draw objects: a transition effect, an object move or an anim run frame by frame
// under the program's control. The producer makes the object with asyncdraw_new and answers the
// control codes; AsyncDrawFrame, FinishAsyncDraw and CancelAsyncDraw step, complete and drop it.
#pragma once

#include <cstdint>

#include "runtime/registry.h"

struct qmState;
struct qmDisplay;

namespace qm {

enum : int32_t { ADF_FX = 0, ADF_MOVEOBJECT = 1, ADF_ANIM = 2 };

// Control codes.
enum : int32_t {
  ADCTL_LAYERGONE = 0,     // argument: a layer record
  ADCTL_LAYERCHANGED = 1,  // argument: a layer record
  ADCTL_TOTAL = 2,         // result: total frames
  ADCTL_CURRENT = 3,       // result: current frame
  ADCTL_SEEK = 4,          // argument: address of an int32_t frame; result 0 or an error code
  ADCTL_REDRAW = 5,        // redraw after a seek when the output is not a background picture
  ADCTL_LAYER = 6,         // argument: address of a void* that receives the driven layer
  ADCTL_PICTURE = 7,       // effects: argument address of a void* that receives their picture
  ADCTL_PICTUREFRAME = 8,  // argument 1 before, 0 after a frame drawn with a picture as output
};

using AsyncDrawFrameFn = int32_t (*)(void* data, int32_t* finished);
using AsyncFinishFn = void (*)(void* data, int32_t finished);
using AsyncFreeFn = void (*)(void* data, int32_t finished);
using AsyncControlFn = intptr_t (*)(int32_t code, intptr_t argument, void* data);

struct qmAsyncDraw {
  ObjectHeader header{};  // type OBJ_ASYNCDRAW; automatic ids only
  qmDisplay* display = nullptr;
  int32_t kind = ADF_FX;
  int32_t finished = 0;
  AsyncDrawFrameFn draw_frame = nullptr;
  AsyncFinishFn finish = nullptr;   // optional
  AsyncFreeFn free = nullptr;
  AsyncControlFn control = nullptr;  // optional
  void* data = nullptr;
};

// 0 or ERR_MEM; the record is linked at the list's end for the current display.
int32_t asyncdraw_new(int32_t kind, AsyncDrawFrameFn draw_frame, AsyncFinishFn finish, AsyncFreeFn free,
                      AsyncControlFn control, void* data, qmAsyncDraw** out);
bool asyncdraw_uses_display(const qmDisplay* d);
// The first picture that an effect draws into (control 7), or nullptr.
void* asyncdraw_any_busy();
// True when an effect draws into that picture.
bool asyncdraw_picture_busy(const void* picture);
void asyncdraw_broadcast(int32_t code, void* layer);
bool asyncdraw_owns_layer(const void* layer);
void asyncdraw_free_all(qmState* L);
// Installed by the layers: adds the driven layer's rectangle to the display's dirty list.
void asyncdraw_set_layer_dirty(void (*mark)(qmDisplay* d, void* layer));
int32_t asyncdraw_open(qmState* L);

}  // namespace qm
