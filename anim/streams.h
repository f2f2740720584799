// Anim streams: files written frame by frame from brushes (BeginAnimStream, WriteAnimFrame,
// FinishAnimStream), and SaveAnim, which writes a whole anim in one call. Both go through the
// frame writer of anim/animout.h. A stream's file takes its name's place when the stream is
// finished (by the program, or at the latest when the player exits); SaveAnim over an existing file
// replaces it only once the new one is complete.
#pragma once

#include <cstdint>

#include "anim/animout.h"

struct qmState;

namespace qm {

struct qmAnim;

// The commands of the anim library that write files (its command table lists them).
int32_t cmd_saveanim(qmState* L);
int32_t cmd_beginanimstream(qmState* L);
int32_t cmd_writeanimframe(qmState* L);
int32_t cmd_finishanimstream(qmState* L);

// Registers the stream list.
int32_t anim_streams_open();
// Exit: finishes every stream that is still open, so that its file is complete.
void anim_streams_finish_all();

// Writes every frame of the anim at its current size, each with its delay. An existing file is
// replaced only by the complete new one (on failure it stays as it was and no temporary file is
// left); a new file keeps what was written before a failure, completed as far as the writer can.
// 0 or the first error.
int32_t anim_save(qmAnim* anim, const char* name, int32_t format, AnimFrameOptions options,
                  int32_t quality, int32_t fps);

}  // namespace qm
