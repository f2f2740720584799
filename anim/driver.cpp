// The anim driver: detection, and the dispatch of every per-anim operation to the reader that
// opened the file.
#include <cstring>
#include <new>

#include "anim/anim.h"
#include "anim/readers.h"
#include "display/codecs/gif.h"
#include "display/codecs/picture_io.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "runtime/errors.h"
#include "runtime/plugins/plugins.h"

namespace qm {

namespace {

constexpr size_t kProbeSize = 64;
// A plug-in of kind 2 is called through the manager's indirect path, which answers 0 to
// everything: such a plug-in never opens an anim.
constexpr int32_t kIndirectPluginKind = 2;

struct AnimLoader {
  qmPluginOpenAnimFn open;
  qmPluginLoadFrameFn load;
  qmPluginFreeFrameFn free_frame;
  qmPluginGetFrameDelayFn delay;
  qmPluginCloseAnimFn close;
};

AnimLoader loader_of(const qmPluginEntry* e) {
  return {plugin_entry<qmPluginOpenAnimFn>(e, PLUGIN_EP_OPEN_ANIM),
          plugin_entry<qmPluginLoadFrameFn>(e, PLUGIN_EP_LOAD_FRAME),
          plugin_entry<qmPluginFreeFrameFn>(e, PLUGIN_EP_FREE_FRAME),
          plugin_entry<qmPluginGetFrameDelayFn>(e, PLUGIN_EP_GET_FRAME_DELAY),
          plugin_entry<qmPluginCloseAnimFn>(e, PLUGIN_EP_CLOSE_ANIM)};
}

bool is_anim_loader(const qmPluginNode* n) {
  return (n->caps & QMPLUGIN_CAP_ANIM) && n->handle && n->handle->entry &&
         n->handle->entry->kind != kIndirectPluginKind;
}

// A plug-in's report is used only when it describes frames the player can hold.
bool plugin_report_valid(const qmPluginAnimInfo& info) {
  return info.width >= 1 && info.height >= 1 && info.frames >= 1 &&
         picture_size_allowed(info.width, info.height);
}

// The first anim-loader plug-in that takes the file; false when none does.
bool open_by_plugin(const char* name, qmAnimFile* anim, qmPluginAnimInfo* info) {
  for (qmPluginNode* n = plugin_list(); n; n = n->next) {
    if (!is_anim_loader(n)) continue;
    qmPluginEntry* e = n->handle->entry;
    const AnimLoader f = loader_of(e);
    if (!f.open || !f.load || !f.free_frame || !f.delay || !f.close) continue;
    *info = qmPluginAnimInfo{};
    void* handle = f.open(name, info);
    if (!handle) continue;
    if (!plugin_report_valid(*info)) {
      f.close(handle);
      continue;
    }
    anim->reader = handle;
    anim->kind = ANIMKIND_PLUGIN;
    anim->plugin = e;
    return true;
  }
  return false;
}

qmAnimKind kind_of(const uint8_t* h) {
  if (!std::memcmp(h, "FORM", 4) && !std::memcmp(h + 8, "ANIM", 4)) return ANIMKIND_IFF;
  if (!std::memcmp(h, "GIF87", 5) || !std::memcmp(h, "GIF89", 5)) return ANIMKIND_GIF;
  if (!std::memcmp(h, "RIFF", 4) && !std::memcmp(h + 8, "AVI ", 4)) return ANIMKIND_AVI;
  return ANIMKIND_PLATFORM;
}

// The built-in reader of the kind; 0, ERR_MEM, or ERR_OPENANIM2 when it does not take the file.
int32_t open_builtin(const char* name, qmAnimKind kind, qmAnimFile* anim, int32_t* width,
                     int32_t* height, int32_t* frames) {
  anim->kind = kind;
  switch (kind) {
    case ANIMKIND_IFF: {
      qmIffAnim* r = nullptr;
      int32_t err = iffanim_open(name, &r, width, height, frames);
      anim->reader = r;
      return err == ERR_MEM ? err : err ? ERR_OPENANIM2 : 0;
    }
    case ANIMKIND_AVI: {
      qmAviReader* r = nullptr;
      int32_t err = avi_open(name, &r, width, height, frames);
      anim->reader = r;
      return err == ERR_MEM ? err : err ? ERR_OPENANIM2 : 0;
    }
    case ANIMKIND_GIF: {
      qmGifReader* r = gifanim_open(name, width, height, frames, 0);
      anim->reader = r;
      return r && *frames > 0 ? 0 : ERR_OPENANIM2;
    }
    default:
      return ERR_OPENANIM2;  // the platform slot declines every file
  }
}

void close_reader(qmAnimFile* anim) {
  switch (anim->kind) {
    case ANIMKIND_IFF:
      iffanim_close(static_cast<qmIffAnim*>(anim->reader));
      break;
    case ANIMKIND_GIF:
      gifanim_close(static_cast<qmGifReader*>(anim->reader));
      break;
    case ANIMKIND_AVI:
      avi_close(static_cast<qmAviReader*>(anim->reader));
      break;
    case ANIMKIND_PLUGIN:
      if (anim->reader) loader_of(anim->plugin).close(anim->reader);
      break;
    default:
      break;
  }
  anim->reader = nullptr;
}

}  // namespace

int32_t qmos_open_anim(const char* name, qmAnimFile** out, int32_t* width_out, int32_t* height_out,
                       int32_t* frames_out) {
  err_set_string_arg(name);
  uint8_t head[kProbeSize] = {};
  {
    FilePtr file(qmos_open(name, QMOS_MODE_READ));
    if (!file) return ERR_READFILE;
    qmos_read(file.get(), head, sizeof head);
  }
  auto* anim = new (std::nothrow) qmAnimFile{};
  if (!anim) return ERR_MEM;

  int32_t width = 0, height = 0, frames = 0;
  qmPluginAnimInfo info{};
  int32_t err = 0;
  if (open_by_plugin(name, anim, &info)) {
    width = info.width;
    height = info.height;
    frames = info.frames;
  } else {
    err = open_builtin(name, kind_of(head), anim, &width, &height, &frames);
  }
  if (err) {
    close_reader(anim);
    delete anim;
    err_set_string_arg(name);
    return err;
  }
  anim->width = width;
  anim->height = height;
  *out = anim;
  if (width_out) *width_out = width;
  if (height_out) *height_out = height;
  if (frames_out) *frames_out = frames;
  return 0;
}

uint32_t* qmos_load_frame(qmAnimFile* anim, int32_t index) {
  if (!anim) return nullptr;
  switch (anim->kind) {
    case ANIMKIND_IFF:
      return iffanim_load_frame(static_cast<qmIffAnim*>(anim->reader), index);
    case ANIMKIND_GIF:
      return gifanim_load_frame(static_cast<qmGifReader*>(anim->reader), index);
    case ANIMKIND_AVI:
      return avi_load_frame(static_cast<qmAviReader*>(anim->reader), index);
    case ANIMKIND_PLUGIN: {
      const AnimLoader f = loader_of(anim->plugin);
      qmPluginAnimInfo info{};
      uint32_t* frame = f.load(anim->reader, index, &info);
      // Callers size their copies from the open's report: a frame of another size goes back.
      if (frame && (info.width != anim->width || info.height != anim->height)) {
        f.free_frame(frame);
        return nullptr;
      }
      return frame;
    }
    default:
      return nullptr;
  }
}

void qmos_free_anim_frame(qmAnimFile* anim, uint32_t* frame) {
  if (!frame) return;
  if (anim && anim->kind == ANIMKIND_PLUGIN)
    loader_of(anim->plugin).free_frame(frame);
  else
    qmos_free_pixels(frame);
}

int32_t qmos_anim_frame_delay(qmAnimFile* anim, int32_t index) {
  if (!anim) return 0;
  switch (anim->kind) {
    case ANIMKIND_IFF:
      return iffanim_frame_delay(static_cast<qmIffAnim*>(anim->reader), index);
    case ANIMKIND_GIF:
      return gifanim_frame_delay(static_cast<qmGifReader*>(anim->reader), index);
    case ANIMKIND_PLUGIN:
      return loader_of(anim->plugin).delay(anim->reader, index);
    default:
      return 0;  // AVI frames carry no delay of their own; the platform slot has none
  }
}

void qmos_close_anim(qmAnimFile* anim) {
  if (!anim) return;
  close_reader(anim);
  delete anim;
}

int32_t qmos_anim_info(const char* name) {
  qmAnimFile* anim = nullptr;
  int32_t frames = 0;
  if (qmos_open_anim(name, &anim, nullptr, nullptr, &frames)) return 0;
  qmos_close_anim(anim);
  return frames > 1 ? 1 : 0;
}

}  // namespace qm
