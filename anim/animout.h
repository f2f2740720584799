// Anims leaving the player: one frame writer over the GIF writer (palette frames), the AVI writer
// (true-colour Motion JPEG) and the anim-saver plug-ins, which anim streams and SaveAnim share.
// The frame writer makes palette frames itself: the colour quantiser reduces each frame to the
// colours asked for, keeping the last entry for the transparency colour when there is one.
#pragma once

#include <cstdint>

struct qmPluginEntry;
struct qmFileHandle;

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
struct qmGifWriter;
struct qmAviWriter;

enum : int32_t { ANMFMT_GIF = 0, ANMFMT_MJPEG = 1 };

// What each frame is written with (the option table of WriteAnimFrame and SaveAnim).
struct AnimFrameOptions {
  int32_t dither = 0;
  int32_t colors = 256;        // 2..256
  int32_t transparency = -1;   // 0xRRGGBB, or -1 for none
  int32_t optimize = 1;
  int32_t delay = 0;           // milliseconds
};

struct AnimOut {
  int32_t format = ANMFMT_GIF;
  int32_t width = 0, height = 0;
  bool palette = true;   // frames go out as palette indices
  bool keep_partial = false;  // an abandoned writing keeps what was written
  qmGifWriter* gif = nullptr;
  qmAviWriter* avi = nullptr;
  qmPluginEntry* plugin = nullptr;
  void* plugin_handle = nullptr;
  qmFileHandle* plugin_file = nullptr;  // the temporary file the plug-in writes
};

// Opens the writer of the format for width x height frames. The file is written beside the
// target, whose place it takes only when animout_close completes it: a failed writing leaves a
// file of that name as it was and nothing beside it. With keep_partial, animout_abandon completes
// what was written instead (when every write reached the disk).
// 0, ERR_WRONGUSAGE, ERR_MEM, ERR_WRITEFILE (the name in the error's string slot),
// ERR_UNKNOWNANMOUT (no plug-in registered the format) or ERR_SAVEANIM (the plug-in refused).
int32_t animout_open(const char* name, const char* display_name, int32_t width, int32_t height,
                     int32_t format, int32_t quality, int32_t fps, bool keep_partial, AnimOut* out);

// Writes one frame of the writer's size. Mask and alpha (either may be null) reach only a plug-in
// that takes ARGB frames. 0, ERR_LOCKBMAP, ERR_MEM, ERR_WRITEFILE or ERR_SAVEANIM; the writer
// stays usable after an error.
int32_t animout_write(AnimOut* out, const qmBitmap* bitmap, const qmMask* mask,
                      const qmAlphaChannel* alpha, const AnimFrameOptions& options);

// Completes the file and closes the writer. 0 or ERR_WRITEFILE.
int32_t animout_close(AnimOut* out);
// Closes the writer after a failure: the target stays as it was and the temporary file goes,
// unless the writer keeps what it wrote (keep_partial), which is completed as by animout_close.
void animout_abandon(AnimOut* out);

}  // namespace qm
