// The function tables handed to plug-ins through their InitPlugin, and the small adapters that
// exist only for them. Slots of services that have no implementation in this player yet, or whose
// library is not running, point at functions that report failure.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/strutil.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "platform/requester.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"
#include "runtime/vfile.h"

namespace {

template <typename F>
qmPluginFunction slot(F f) {
  return reinterpret_cast<qmPluginFunction>(f);
}

static_assert(sizeof(qmPluginTime) == sizeof(qmTimeVal));
static_assert(sizeof(qmPluginIdPair) == sizeof(qmPluginObjectId) &&
              offsetof(qmPluginIdPair, handle) == offsetof(qmPluginObjectId, handle));

// The tag whose occurrences plug-ins count in an attribute list.
constexpr uint32_t kCountedTag = 25;

int32_t plugin_tag_count(qmPluginTag* tags) {
  int32_t count = 0;
  for (qmPluginTag* t = tags; t && t->tag != 0; ++t) {
    if (t->tag == kCountedTag) {
      t->data = 0;
      ++count;
    }
  }
  return count;
}

int32_t plugin_date_text(int32_t mode, char* out, size_t size) {
  return qm::copy_bounded(out, size, platform_format_date(mode).c_str()) ? 1 : 0;
}

void* plugin_alloc(size_t size, uint32_t flags) { return qmos_alloc(size, (flags & 1) ? 1 : 0); }
void plugin_free(void* block) { qmos_free(block); }

int64_t plugin_file_seek(qmFileHandle* h, int32_t offset, int32_t mode) {
  return qmos_seek(h, offset, mode);
}

void fill_record(qmPluginFileRecord* rec, int32_t is_dir, const qmFileInfo& info) {
  uint64_t size = static_cast<uint64_t>(info.size);
  rec->is_dir = is_dir;
  rec->size_low = static_cast<uint32_t>(size);
  rec->size_high = static_cast<uint32_t>(size >> 32);
  rec->protection = info.protection;
}

int32_t plugin_file_examine(qmVLock* lock, qmPluginFileRecord* rec) {
  qmFileInfo info;
  vfile_examine(lock, &info);
  fill_record(rec, 0, info);
  return 1;
}

// 1 for an entry, 0 at the end. An entry whose name does not fit into the plug-in's buffer is
// refused with 0 rather than handed over shortened.
int32_t plugin_dir_next(qmVLock* lock, char* name, size_t size, qmPluginFileRecord* rec) {
  std::string entry;
  int32_t is_dir = 0;
  qmFileInfo info;
  if (dir_next_entry(lock, &entry, &is_dir, &info) != 1) return 0;
  if (!qm::copy_bounded(name, size, entry.c_str())) return 0;
  fill_record(rec, is_dir, info);
  return 1;
}

int32_t plugin_current_dir(char* out, size_t size) {
  char buf[4096];
  if (getcwd(buf, sizeof buf) == nullptr) return 0;
  return qm::copy_bounded(out, size, qmos_player_name(buf).c_str()) ? 1 : 0;
}

int32_t plugin_temp_name(char* out, size_t size) { return vfile_temp_name(out, size, ""); }

int32_t plugin_basename(const char* path, char* out, size_t size) {
  return qm::copy_bounded(out, size, vfile_basename(path).c_str()) ? 1 : 0;
}

int plugin_char_lower(int c) { return qm::char_to_lower(static_cast<unsigned char>(c)); }
int plugin_char_upper(int c) { return qm::char_to_upper(static_cast<unsigned char>(c)); }
void plugin_str_upper(char* text) {
  for (char* p = text; *p; ++p) *p = static_cast<char>(qm::char_to_upper(static_cast<unsigned char>(*p)));
}

// The graphics slots reach the graphics library through the services it installed.
const PluginGraphicsServices* g_graphics = nullptr;

void clear_out(int32_t* width, int32_t* height, int32_t* has_alpha) {
  if (width) *width = 0;
  if (height) *height = 0;
  if (has_alpha) *has_alpha = 0;
}

int32_t plugin_picture_info(const char* name, int32_t* width, int32_t* height, int32_t* has_alpha) {
  clear_out(width, height, has_alpha);
  if (!g_graphics || !name) return 0;
  return g_graphics->picture_info(name, width, height, has_alpha);
}
void* plugin_picture_load(const char* name, int32_t* width, int32_t* height, int32_t* has_alpha) {
  clear_out(width, height, has_alpha);
  if (!g_graphics || !name) return nullptr;
  return g_graphics->picture_load(name, width, height, has_alpha);
}
// A picture handed out is its own pixel block.
void* plugin_picture_pixels(void* picture) { return picture; }
void plugin_picture_free(void* picture) {
  if (g_graphics && picture) g_graphics->picture_free(static_cast<uint32_t*>(picture));
}
int32_t plugin_brush_lock(int32_t id, uint32_t, qmPluginBrushLock* record) {
  if (!record) return 0;
  *record = qmPluginBrushLock{};
  return g_graphics ? g_graphics->brush_lock(id, record) : 0;
}
void plugin_brush_unlock(qmPluginBrushLock* record) {
  if (g_graphics && record && record->brush) g_graphics->brush_unlock(record);
}

// The sample slots reach the sound library through the services it installed.
const PluginSoundServices* g_sound = nullptr;

int32_t plugin_sample_lock(int32_t id, int32_t copy, uint32_t, qmPluginSampleLock* record) {
  if (!record) return 0;
  *record = qmPluginSampleLock{};
  return g_sound ? g_sound->sample_lock(id, copy, record) : 0;
}
void plugin_sample_unlock(qmPluginSampleLock* record) {
  if (g_sound && record && record->sample) g_sound->sample_unlock(record);
}
int32_t plugin_font_open_none(const char*, int32_t, int32_t, int32_t, int32_t, void** font) {
  *font = nullptr;
  return qm::ERR_OPENFONT;
}

// The requesters answer into the plug-in's buffer: a path that does not fit is no answer.
int32_t plugin_file_request(const char* title, char* out, size_t size) {
  if (!out || size == 0) return 0;
  out[0] = '\0';
  FileRequestResult result;
  if (platform_file_request(title ? title : "", "#?", REQ_NORMAL, "", "", &result) != 1 ||
      result.names.empty())
    return 0;
  if (qm::copy_bounded(out, size, result.path.c_str()) &&
      path_add_part(out, size, result.names[0].c_str()))
    return 1;
  out[0] = '\0';
  return 0;
}

int32_t plugin_path_request(const char* title, char* out, size_t size) {
  if (!out || size == 0) return 0;
  out[0] = '\0';
  std::string folder;
  if (platform_path_request(title ? title : "", "", &folder) != 1) return 0;
  if (qm::copy_bounded(out, size, folder.c_str())) return 1;
  out[0] = '\0';
  return 0;
}

int32_t plugin_system_request(const char* title, const char* text, const char* buttons) {
  return qm::err_system_request(title, text, buttons, 1);
}

const qmPluginFunction kStrings[QMPLUGIN_STRINGS_SLOTS] = {
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,   // 0
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,   // 8
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,            // 16
    slot(qm::str_case_cmp), slot(qm::str_case_ncmp), slot(plugin_char_lower),  // 23
    slot(plugin_char_upper), slot(qm::str_to_lower), slot(plugin_str_upper),
    nullptr, nullptr, nullptr,
};

const qmPluginFunction kSystem[QMPLUGIN_SYSTEM_SLOTS] = {
    slot(plugin_tag_count),      slot(qm::err_add_user), slot(qm::err_set_string_arg),
    slot(qm::err_set_number_arg), slot(qm::err_get_text), slot(qmos_get_time),         // 5
    slot(qmos_time_sub),         slot(qmos_time_add),    slot(qmos_time_cmp),
    slot(platform_wait_ms),      slot(plugin_date_text), slot(plugin_alloc),           // 11
    slot(plugin_free),
};

const qmPluginFunction kFile[QMPLUGIN_FILE_SLOTS] = {
    slot(qmos_open),          slot(qmos_close),       slot(plugin_file_seek),
    slot(qmos_read),          slot(qmos_write),       slot(qmos_read_byte),        // 5
    slot(qmos_write_byte),    slot(qmos_eof),         slot(qmos_delete),
    slot(vfile_lock),         slot(vfile_unlock),     slot(vfile_lock_name),       // 11
    slot(plugin_file_examine), slot(vfile_lock_is_dir), slot(qmos_nop),
    slot(plugin_dir_next),    slot(qmos_mkdir),       slot(qmos_rename),           // 17
    slot(plugin_current_dir), slot(plugin_temp_name), slot(path_add_part),
    slot(path_file_part),     slot(plugin_basename),                                // 22
};

const qmPluginFunction kGraphics[QMPLUGIN_GRAPHICS_SLOTS] = {
    slot(plugin_picture_info), slot(plugin_picture_load), slot(plugin_picture_pixels),
    slot(plugin_picture_free), slot(plugin_brush_lock),   slot(plugin_brush_unlock),
};

const qmPluginFunction kSound[QMPLUGIN_SOUND_SLOTS] = {
    slot(plugin_sample_lock), slot(plugin_sample_unlock),
};

const qmPluginFunction kRequester[QMPLUGIN_REQUESTER_SLOTS] = {
    slot(plugin_system_request), slot(plugin_file_request), slot(plugin_path_request),
};

qmPluginFunction g_font[QMPLUGIN_FONT_SLOTS] = {slot(plugin_font_open_none)};

const qmPluginFunction kFreeType[QMPLUGIN_FREETYPE_SLOTS] = {
    slot(FT_Init_FreeType),     slot(FT_Done_FreeType),      slot(FT_New_Face),
    slot(FT_New_Memory_Face),   slot(FT_Load_Glyph),         slot(FT_Render_Glyph),
    slot(FT_Get_Glyph),         slot(FT_Done_Glyph),         slot(FT_Outline_Transform),
    slot(FT_Outline_Translate), slot(FT_Outline_Get_Bitmap), slot(FT_Outline_Get_CBox),
    slot(FT_Outline_Decompose), slot(FT_Done_Face),          slot(FT_Get_Char_Index),
    slot(FT_Get_First_Char),    slot(FT_Get_Next_Char),      slot(FT_Set_Transform),
    slot(FT_Set_Charmap),       slot(FT_Set_Pixel_Sizes),    slot(FT_Set_Char_Size),
    slot(FT_MulFix),            slot(FT_Vector_Transform),   slot(FT_Get_Kerning),
    slot(FT_Get_Sfnt_Table),    slot(FT_Load_Sfnt_Table),
};

constexpr size_t kMaxDefaultFonts = 3;
qmPluginFontBlock g_default_fonts[kMaxDefaultFonts + 1] = {};

}  // namespace

const qmPluginBase plugin_base_table = {
    QMPLUGIN_PLAYER_VERSION, QMPLUGIN_PLAYER_REVISION,
    kStrings, kSystem, kFile, kGraphics, kSound, kRequester, g_font, kFreeType,
    vm_plugin_script_table, g_default_fonts,
};

void plugin_set_font_services(qmPluginFunction open, const qmPluginFontBlock* faces, size_t count) {
  g_font[QMPLUGIN_FONT_OPEN] = open ? open : slot(plugin_font_open_none);
  count = std::min(count, kMaxDefaultFonts);
  for (size_t i = 0; i <= kMaxDefaultFonts; ++i) g_default_fonts[i] = i < count ? faces[i] : qmPluginFontBlock{};
}

void plugin_set_graphics_services(const PluginGraphicsServices* services) { g_graphics = services; }
void plugin_set_sound_services(const PluginSoundServices* services) { g_sound = services; }
