// Anim streams: files written frame by frame from brushes (BeginAnimStream, WriteAnimFrame,
// FinishAnimStream), and SaveAnim, which writes a whole anim in one call. Both go through the
// frame writer of anim/animout.h. Streams write in place, so that what a long recording wrote is
// readable even if it never finishes; SaveAnim over an existing file replaces it only once the new
// one is complete.
#pragma once

#include <cstdint>

struct qmState;
struct qmCommand;

namespace qm {

// The commands of the anim library that write files.
extern const qmCommand kAnimStreamCommands[];

// Registers the commands and the stream list.
int32_t anim_streams_open(qmState* L);
// Exit: finishes every stream that is still open, so that its file is complete.
void anim_streams_finish_all();

}  // namespace qm
