// SaveSnapshot: a picture of the display, its window or the desktop written as a file of one of
// the export formats.
#pragma once

#include <cstdint>

struct qmState;

namespace qm {

struct qmBitmap;

enum : int32_t { SNAPWINDOW = 0, SNAPDISPLAY = 1, SNAPDESKTOP = 2 };

// Where the pictures come from. The display library installs the window and display captures
// and the platform the desktop's; until then no display is open (ERR_CLOSEDDISPDRAW) and the
// desktop cannot be copied (ERR_MEM). Tests install fakes.
struct SnapshotHooks {
  // A new bitmap (freed by the caller) of what the type shows; 0 or an error code.
  int32_t (*capture)(int32_t type, qmBitmap** out);
};
SnapshotHooks& snapshot_hooks();
void snapshot_hooks_reset();

// Takes the picture of the type and writes it opaque, without a transparent colour. 0, or
// ERR_WRONGUSAGE for an unknown type, the capture's error, or the writer's.
int32_t snapshot_save(const char* name, int32_t type, int32_t format, int32_t quality,
                      int32_t colors, int32_t dither);

// SaveSnapshot(file [, type [, format [, options]]])
int32_t cmd_savesnapshot(qmState* L);

}  // namespace qm
