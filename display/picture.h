// Small services shared by the brush, BGPic and graphics libraries: the picture size cap, the
// planes of one picture as a unit, and the script state that clean-ups release references with.
#pragma once

#include <cstdint>

#include "runtime/registry.h"

struct qmState;
struct qmCommand;
struct qmConstant;

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;

// The id to create an object under when it gets an automatic id (its own address).
inline ObjectId automatic_id() {
  static char tag;
  return ObjectId{0, &tag};
}

// Planes made together and freed together unless handed over with release().
struct Planes {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  Planes() = default;
  Planes(const Planes&) = delete;
  Planes& operator=(const Planes&) = delete;
  ~Planes();
  void release() { bitmap = nullptr, mask = nullptr, alpha = nullptr; }
};

// A new bitmap filled with 0xRRGGBB, or nullptr (cap or memory).
qmBitmap* bitmap_new_filled(int32_t width, int32_t height, uint32_t colour);
// Copies of the three planes of a width x height picture (each only when given). 0 or ERR_MEM.
int32_t planes_copy(const qmBitmap* bitmap, const qmMask* mask, const qmAlphaChannel* alpha, int32_t width,
                    int32_t height, Planes* out);

// Argument n as a number, or a percentage text of reference (over 100 allowed).
double number_or_percent(qmState* L, int32_t n, double reference);
// A size argument: a number or a percentage text of the current size, as a whole number.
int32_t size_or_percent(qmState* L, int32_t n, int32_t current);

// Opens one of the picture libraries: its commands (and constants, when given) registered, its
// name recorded for the listing and its object list (when given) registered. 0 or an error code.
int32_t picture_library_open(qmState* L, const qmCommand* commands, const qmConstant* constants, const char* name,
                             ObjectHeader** list);

// The id argument of a creating command: Nil asks for an automatic id, which the command returns.
struct NewId {
  bool automatic;
  ObjectId id;
};
// The id argument n of a creating command: Nil asks for an automatic id. A wrongly typed
// argument raises its error, so a command reads its id before it makes anything.
NewId new_id_arg(qmState* L, int32_t n);
// Pushes the new object's handle when it got an automatic id; the command's result count.
int32_t push_new_id(qmState* L, const NewId& id, void* record);

// A flag argument or field at index n: a number (non-zero is on) or a boolean; nil is off.
bool flag_arg(qmState* L, int32_t n);

// Field key of the table at t read as flag_arg reads an argument.
bool table_flag(qmState* L, int32_t t, const char* key);

// The state that the libraries were opened with (references are released through it at exit).
void picture_set_state(qmState* L);
qmState* picture_state();

}  // namespace qm
