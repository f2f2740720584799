// Loading and unloading one plug-in: the library, its information record and its entry points.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"
#include "runtime/vfile.h"

namespace {

const char* const kEntryNames[PLUGIN_EP_COUNT] = {
    "InitPlugin", "ClosePlugin",
    "IsImage", "LoadImage", "GetImage", "FreeImage", "TransformImage",
    "OpenAnim", "LoadFrame", "FreeFrame", "GetFrameDelay", "CloseAnim",
    "OpenStream", "CloseStream", "SeekStream", "StreamSamples", "GetFormatName",
    "GetPathExtents", "DrawPath", "TranslatePath", "GetCurrentPoint", "CreateVectorFont",
    "FreeVectorFont", "OpenFont", "CloseFont",
    "OpenVideo", "CloseVideo", "NextPacket", "FreePacket", "DecodeVideoFrame",
    "DecodeAudioFrame", "SeekVideo", "FlushAudio", "FlushVideo", "GetVideoFrames",
    "GetVideoFormat",
    "GetBaseTable", "GetCommands", "GetConstants", "InitLibrary", "FreeLibrary",
    "GetScript", "FreeScript",
    "RegisterImageSaver", "SaveImage",
    "RegisterAnimSaver", "BeginAnimStream", "WriteAnimFrame", "FinishAnimStream",
    "RegisterSampleSaver", "SaveSample",
};

struct Kind {
  uint32_t bit;
  qmPluginEntryPoint first;
  qmPluginEntryPoint end;  // one past the last
};

// The order in which the kinds' entry points are resolved.
constexpr Kind kKinds[] = {
    {QMPLUGIN_CAP_VECTOR, PLUGIN_EP_GET_PATH_EXTENTS, PLUGIN_EP_OPEN_VIDEO},
    {QMPLUGIN_CAP_VIDEO, PLUGIN_EP_OPEN_VIDEO, PLUGIN_EP_GET_BASE_TABLE},
    {QMPLUGIN_CAP_LIBRARY, PLUGIN_EP_GET_BASE_TABLE, PLUGIN_EP_GET_SCRIPT},
    {QMPLUGIN_CAP_SCRIPT, PLUGIN_EP_GET_SCRIPT, PLUGIN_EP_REGISTER_IMAGE_SAVER},
    {QMPLUGIN_CAP_IMAGE, PLUGIN_EP_IS_IMAGE, PLUGIN_EP_OPEN_ANIM},
    {QMPLUGIN_CAP_ANIM, PLUGIN_EP_OPEN_ANIM, PLUGIN_EP_OPEN_STREAM},
    {QMPLUGIN_CAP_SOUND, PLUGIN_EP_OPEN_STREAM, PLUGIN_EP_GET_PATH_EXTENTS},
    {QMPLUGIN_CAP_IMAGESAVER, PLUGIN_EP_REGISTER_IMAGE_SAVER, PLUGIN_EP_REGISTER_ANIM_SAVER},
    {QMPLUGIN_CAP_ANIMSAVER, PLUGIN_EP_REGISTER_ANIM_SAVER, PLUGIN_EP_REGISTER_SAMPLE_SAVER},
    {QMPLUGIN_CAP_SAMPLESAVER, PLUGIN_EP_REGISTER_SAMPLE_SAVER, PLUGIN_EP_COUNT},
};

// Owns the pieces of a load in progress; whatever is still held when it goes out of scope is
// released, ClosePlugin included once InitPlugin has been called.
struct LoadState {
  qmPluginHandle* handle = nullptr;
  bool initialised = false;

  ~LoadState() {
    if (handle == nullptr) return;
    if (initialised) plugin_entry<qmPluginCloseFn>(handle->entry, PLUGIN_EP_CLOSE)();
    if (handle->library) dlclose(handle->library);
    delete handle->entry;
    delete handle;
  }
};

int32_t load_error(const std::string& display) {
  qm::err_set_string_arg(display.c_str());
  return qm::ERR_LOADPLUGIN;
}

// The plug-in's name must be the file's display name without its extension.
bool name_matches(const char* name, const std::string& display) {
  if (name == nullptr || strnlen(name, QMPLUGIN_NAME_MAX + 1) > QMPLUGIN_NAME_MAX) return false;
  std::string stem = display.size() >= 4 ? display.substr(0, display.size() - 4) : std::string();
  return qm::str_case_cmp(name, stem.c_str()) == 0;
}

bool resolve_kinds(qmPluginHandle* h, uint32_t caps) {
  for (const Kind& kind : kKinds) {
    if ((caps & kind.bit) == 0) continue;
    for (int32_t ep = kind.first; ep < kind.end; ++ep) {
      h->entry->entry[ep] = dlsym(h->library, kEntryNames[ep]);
      if (h->entry->entry[ep] == nullptr) return false;
    }
  }
  return true;
}

}  // namespace

int32_t plugin_load(const char* path, uint32_t* caps, qmPluginHandle** out) {
  std::string display = vfile_basename(path);
  LoadState st;
  st.handle = new (std::nothrow) qmPluginHandle;
  if (st.handle == nullptr) return qm::ERR_MEM;
  std::string host = qmos_native_name(path, true);
  st.handle->library = dlopen(host.c_str(), RTLD_LAZY | RTLD_LOCAL);
  if (st.handle->library == nullptr) return load_error(display);

  st.handle->entry = new (std::nothrow) qmPluginEntry;
  if (st.handle->entry == nullptr) return qm::ERR_MEM;
  qmPluginEntry* e = st.handle->entry;
  e->entry[PLUGIN_EP_INIT] = dlsym(st.handle->library, kEntryNames[PLUGIN_EP_INIT]);
  e->entry[PLUGIN_EP_CLOSE] = dlsym(st.handle->library, kEntryNames[PLUGIN_EP_CLOSE]);
  if (e->entry[PLUGIN_EP_INIT] == nullptr || e->entry[PLUGIN_EP_CLOSE] == nullptr) {
    return load_error(display);
  }

  qmPluginInfo info{};
  info.required_version = QMPLUGIN_PLAYER_VERSION;
  info.required_revision = QMPLUGIN_PLAYER_REVISION;
  char full[1024];
  if (!qmos_full_path(path, full, sizeof full)) return load_error(display);
  int32_t ok = plugin_entry<qmPluginInitFn>(e, PLUGIN_EP_INIT)(&info, &plugin_base_table, full);
  st.initialised = true;
  if (ok == 0 || !name_matches(info.name, display)) return load_error(display);

  if (info.required_version > QMPLUGIN_PLAYER_VERSION ||
      (info.required_version == QMPLUGIN_PLAYER_VERSION &&
       info.required_revision > QMPLUGIN_PLAYER_REVISION)) {
    char version[32];
    std::snprintf(version, sizeof version, "%d.%d", info.required_version, info.required_revision);
    qm::err_set_string_arg(version);
    return qm::ERR_NEWQMPLUGIN;
  }

  e->info = info;
  if (!resolve_kinds(st.handle, info.caps)) return load_error(display);
  if ((info.caps & QMPLUGIN_CAP_ALL) == 0) {
    char bits[32];
    std::snprintf(bits, sizeof bits, "%lx", static_cast<unsigned long>(info.caps));
    qm::err_set_string_arg(bits);
    return qm::ERR_PLUGINTYPE;
  }

  st.handle->caps = info.caps;
  *caps = info.caps;
  *out = st.handle;
  st.handle = nullptr;
  return 0;
}

void plugin_unload(qmPluginHandle* handle) {
  if (handle == nullptr) return;
  LoadState st;
  st.handle = handle;
  st.initialised = true;
}

qmPluginEntry* plugin_get_info(qmPluginHandle* handle) { return handle ? handle->entry : nullptr; }
