// The anim subsystem. Its floor is the anim driver: the one door through which everything that
// reads anim files (the anim library, the sprite loader, qmanim) opens them. The driver detects a
// file's format, opens it with its reader and dispatches the per-anim operations to that reader.
// The readers (anim/readers.h) are the IFF ANIM and AVI readers here and the GIF reader of the
// picture codecs; anim-loader plug-ins come before all of them.
//
// Frames are width x height words 0x00RRGGBB, rows packed, top row first. A frame belongs to the
// caller until it goes back through qmos_free_anim_frame (a plug-in's frame goes back to its
// plug-in). Delays are milliseconds. Every file goes through the file layer, so linked ":::chunk"
// files open like real ones. Files are untrusted: readers bound every read by the data and every
// write by the frame, and keep every picture under the allocation cap (gfx/bitmap.h).
#pragma once

#include <cstdint>

struct qmPluginEntry;

namespace qm {

enum qmAnimKind : int32_t {
  ANIMKIND_IFF = 1,
  ANIMKIND_GIF = 2,
  ANIMKIND_AVI = 3,
  ANIMKIND_PLATFORM = 4,  // the platform's own formats: none on this host
  ANIMKIND_PLUGIN = 5,
};

// An open anim file, owned by the caller between qmos_open_anim and qmos_close_anim.
struct qmAnimFile {
  void* reader;           // the reader's own context
  int32_t kind;           // qmAnimKind
  qmPluginEntry* plugin;  // ANIMKIND_PLUGIN: the plug-in that serves the file
  int32_t width, height;  // the frames' size
};

// Opens an anim file: anim-loader plug-ins first (list order, the first to accept wins), then the
// built-in readers by the first bytes ("FORM"..."ANIM", "GIF87"/"GIF89", "RIFF"..."AVI "). The
// name goes into the error's string slot first. 0 with *out, width, height and frames set (frames
// above 0); ERR_READFILE when the file cannot be opened (no plug-in is asked then), ERR_MEM when
// memory runs out or the frames pass the allocation cap, ERR_OPENANIM2 when no reader takes it.
int32_t qmos_open_anim(const char* name, qmAnimFile** out, int32_t* width, int32_t* height,
                       int32_t* frames);
// Frame index (from 0) in a new buffer, or null on failure (the caller reports ERR_LOADFRAME).
uint32_t* qmos_load_frame(qmAnimFile* anim, int32_t index);
void qmos_free_anim_frame(qmAnimFile* anim, uint32_t* frame);  // null frame allowed
int32_t qmos_anim_frame_delay(qmAnimFile* anim, int32_t index);
void qmos_close_anim(qmAnimFile* anim);  // null allowed
// 1 when the file opens as an anim of two frames or more; else 0 (also when it cannot be opened):
// a one-frame GIF is a picture, not an anim.
int32_t qmos_anim_info(const char* name);

}  // namespace qm
