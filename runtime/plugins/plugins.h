// The plug-in manager: loading the ".qmp" files beside the player, the list of loaded plug-ins,
// requirements, the plug-in listing and the registration of plug-in formats at start-up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/plugins/qmplugin.h"

struct qmState;

// Entry points in the order of the entry record. The kinds' entry points are contiguous.
enum qmPluginEntryPoint : int32_t {
  PLUGIN_EP_INIT, PLUGIN_EP_CLOSE,
  PLUGIN_EP_IS_IMAGE, PLUGIN_EP_LOAD_IMAGE, PLUGIN_EP_GET_IMAGE, PLUGIN_EP_FREE_IMAGE,
  PLUGIN_EP_TRANSFORM_IMAGE,
  PLUGIN_EP_OPEN_ANIM, PLUGIN_EP_LOAD_FRAME, PLUGIN_EP_FREE_FRAME, PLUGIN_EP_GET_FRAME_DELAY,
  PLUGIN_EP_CLOSE_ANIM,
  PLUGIN_EP_OPEN_STREAM, PLUGIN_EP_CLOSE_STREAM, PLUGIN_EP_SEEK_STREAM, PLUGIN_EP_STREAM_SAMPLES,
  PLUGIN_EP_GET_FORMAT_NAME,
  PLUGIN_EP_GET_PATH_EXTENTS, PLUGIN_EP_DRAW_PATH, PLUGIN_EP_TRANSLATE_PATH,
  PLUGIN_EP_GET_CURRENT_POINT, PLUGIN_EP_CREATE_VECTOR_FONT, PLUGIN_EP_FREE_VECTOR_FONT,
  PLUGIN_EP_OPEN_FONT, PLUGIN_EP_CLOSE_FONT,
  PLUGIN_EP_OPEN_VIDEO, PLUGIN_EP_CLOSE_VIDEO, PLUGIN_EP_NEXT_PACKET, PLUGIN_EP_FREE_PACKET,
  PLUGIN_EP_DECODE_VIDEO_FRAME, PLUGIN_EP_DECODE_AUDIO_FRAME, PLUGIN_EP_SEEK_VIDEO,
  PLUGIN_EP_FLUSH_AUDIO, PLUGIN_EP_FLUSH_VIDEO, PLUGIN_EP_GET_VIDEO_FRAMES,
  PLUGIN_EP_GET_VIDEO_FORMAT,
  PLUGIN_EP_GET_BASE_TABLE, PLUGIN_EP_GET_COMMANDS, PLUGIN_EP_GET_CONSTANTS,
  PLUGIN_EP_INIT_LIBRARY, PLUGIN_EP_FREE_LIBRARY,
  PLUGIN_EP_GET_SCRIPT, PLUGIN_EP_FREE_SCRIPT,
  PLUGIN_EP_REGISTER_IMAGE_SAVER, PLUGIN_EP_SAVE_IMAGE,
  PLUGIN_EP_REGISTER_ANIM_SAVER, PLUGIN_EP_BEGIN_ANIM_STREAM, PLUGIN_EP_WRITE_ANIM_FRAME,
  PLUGIN_EP_FINISH_ANIM_STREAM,
  PLUGIN_EP_REGISTER_SAMPLE_SAVER, PLUGIN_EP_SAVE_SAMPLE,
  PLUGIN_EP_COUNT
};

// One loaded plug-in. Entry points of kinds it does not declare stay null.
struct qmPluginEntry {
  int32_t kind = 0;
  qmPluginInfo info{};
  void* entry[PLUGIN_EP_COUNT] = {};
  qmPluginSaverRecord image_saver{};
  qmPluginSaverRecord anim_saver{};
  qmPluginSaverRecord sample_saver{};
};

struct qmPluginHandle {
  uint32_t caps = 0;
  qmPluginEntry* entry = nullptr;
  void* library = nullptr;  // the dynamic-library handle
};

inline constexpr size_t PLUGIN_FILE_NAME_SIZE = 256;

// The global list, in load order.
struct qmPluginNode {
  qmPluginNode* next = nullptr;
  uint32_t caps = 0;
  qmPluginHandle* handle = nullptr;
  char file_name[PLUGIN_FILE_NAME_SIZE] = "";  // with its extension
};

// The entry point as a typed function pointer (null when absent).
template <typename F>
F plugin_entry(const qmPluginEntry* e, qmPluginEntryPoint ep) {
  return reinterpret_cast<F>(e->entry[ep]);
}

// The base table every plug-in receives.
extern const qmPluginBase plugin_base_table;

// The font services of the base table: the font slot and the faces held inside the player (at
// most three). The font driver installs them at its start and takes them back (null, 0) at its
// end; meanwhile the slot opens no font and the face table is empty.
void plugin_set_font_services(qmPluginFunction open, const qmPluginFontBlock* faces, size_t count);

// The picture and brush operations behind the graphics table's slots; they belong to the
// graphics library, which installs them at its start and takes them back (null) at its end.
// Meanwhile every slot fails: no picture, no block, no lock.
struct PluginGraphicsServices {
  int32_t (*picture_info)(const char* name, int32_t* width, int32_t* height, int32_t* has_alpha);
  uint32_t* (*picture_load)(const char* name, int32_t* width, int32_t* height, int32_t* has_alpha);
  void (*picture_free)(uint32_t* pixels);
  int32_t (*brush_lock)(int32_t id, qmPluginBrushLock* record);
  void (*brush_unlock)(qmPluginBrushLock* record);
};
void plugin_set_graphics_services(const PluginGraphicsServices* services);

// The sample locks behind the sound table's slots; they belong to the sound library, which
// installs them at its start and takes them back (null) at its end. Meanwhile no sample locks.
struct PluginSoundServices {
  int32_t (*sample_lock)(int32_t id, int32_t copy, qmPluginSampleLock* record);
  void (*sample_unlock)(qmPluginSampleLock* record);
};
void plugin_set_sound_services(const PluginSoundServices* services);

// Loads one plug-in file. 0 with *caps and *out set, or ERR_MEM, 1459 (the file's display name in
// the error's string slot), 1400 ("%d.%d" of the required version) or 1483 (the bits as "%lx").
// On failure nothing stays loaded and ClosePlugin has run when InitPlugin had.
int32_t plugin_load(const char* path, uint32_t* caps, qmPluginHandle** out);
// ClosePlugin, then the library is closed and the handle freed.
void plugin_unload(qmPluginHandle* handle);
qmPluginEntry* plugin_get_info(qmPluginHandle* handle);

// Loads every ".qmp" file of the folder that holds path (the file part of path is dropped) that
// is not loaded already, in name order, printing a progress line for each unless quiet.
void plugin_load_directory(const char* path);
// Unloads every plug-in in list order and empties the list (and forgets the vector plug-in).
void plugin_unload_all();
qmPluginNode* plugin_list();

// 0 when a plug-in called name (".qmp" optional) of at least version.revision is loaded; else
// 1494 with the requirement's text in the error's string slot.
int32_t plugin_require(const char* name, int32_t version, int32_t revision);

// Writes the plug-in listing; 0, or ERR_WRITEFILE when the file cannot be written.
int32_t plugin_export_list(const char* file_name);

// Start-up: loads the plug-ins beside the executable (exe_path is the executable's own path),
// registers library plug-ins' commands and constants and calls their InitLibrary, registers the
// saver format constants and picks the vector-graphics plug-in. 0, or the first non-zero
// InitLibrary result (the remaining plug-ins are then not visited).
int32_t register_plugin_formats(qmState* L, const char* exe_path);
// Exit: FreeLibrary of every library plug-in, in list order, before plugin_unload_all.
void plugin_free_libraries(qmState* L);

// The plug-in that draws vector paths and fonts; null when none is loaded.
qmPluginEntry* plugin_vector_graphics();
void plugin_forget_vector_graphics();
// The saver plug-in of a kind bit (QMPLUGIN_CAP_IMAGESAVER, _ANIMSAVER, _SAMPLESAVER) whose
// registered format id is format_id; null when none has it.
qmPluginEntry* plugin_find_saver(uint32_t kind, uint32_t format_id);
