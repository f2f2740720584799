// The graphics library frame: start and clean-up, the constant table, the two library words that
// the runtime's attribute hooks reach, position specials, keep-aspect sizes and GetAttribute.
#include "display/graphics.h"
#include "display/asyncdraw.h"
#include "display/clipregion.h"
#include "display/pointer.h"

#include "display/frame.h"

#include <cmath>
#include <map>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/codecs/imagecache.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/snapshot.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/blitservices.h"
#include "runtime/args.h"
#include "runtime/registry.h"

namespace qm {

namespace {

// The two words live where the blit layer reads them while it draws into a mask or alpha channel.
int32_t& g_mask_mode = blit_globals().mask_mode;
int32_t& g_alpha_intensity = blit_globals().alpha_intensity;
std::map<int32_t, AttributeHandler> g_attribute_handlers;

const qmConstant kGraphicsConstants[] = {
    {"CENTER", nullptr, -100000}, {"LEFT", nullptr, -90000}, {"RIGHT", nullptr, -80000},
    {"TOP", nullptr, -70000}, {"BOTTOM", nullptr, -60000}, {"LEFTOUT", nullptr, -50000},
    {"RIGHTOUT", nullptr, -40000}, {"TOPOUT", nullptr, -30000}, {"BOTTOMOUT", nullptr, -20000},
    {"BGPIC", nullptr, 1}, {"BRUSH", nullptr, 3}, {"ANIM", nullptr, 4}, {"TEXTOBJECT", nullptr, 8},
    {"TEXTOUT", nullptr, 9}, {"UNDO", nullptr, 10}, {"PRINT", nullptr, 11}, {"BRUSHPART", nullptr, 12},
    {"BGPICPART", nullptr, 13}, {"DISPLAY", nullptr, 21}, {"LAYER", nullptr, 22}, {"HIDEBRUSH", nullptr, 23},
    {"INSERTBRUSH", nullptr, 24}, {"HIDELAYER", nullptr, 25}, {"REMOVELAYER", nullptr, 26},
    {"SHAPE", nullptr, 28}, {"MASK", nullptr, 28}, {"NEXTFRAME", nullptr, 29}, {"ALPHACHANNEL", nullptr, 30},
    {"SPRITE", nullptr, 32}, {"NEXTFRAME2", nullptr, 34}, {"CLIPREGION", nullptr, 35},
    {"POINTER", nullptr, 36}, {"ASYNCDRAW", nullptr, 37}, {"DOUBLEBUFFER", nullptr, 38},
    {"MEMORY", nullptr, 39}, {"EVENTHANDLER", nullptr, 40}, {"INTERVAL", nullptr, 41},
    {"TIMEOUT", nullptr, 42}, {"FONT", nullptr, 43}, {"FILE", nullptr, 44}, {"DIRECTORY", nullptr, 45},
    {"BRUSH_VS_BOX", nullptr, 46}, {"LAYER_VS_BOX", nullptr, 47}, {"SPRITE_VS_BOX", nullptr, 48},
    {"VECTORPATH", nullptr, 49}, {"VIDEO", nullptr, 50}, {"MOVELIST", nullptr, 51},
    {"ANIMSTREAM", nullptr, 52}, {"TIMER", nullptr, 53}, {"CLIENT", nullptr, 54}, {"SERVER", nullptr, 55},
    {"UDPOBJECT", nullptr, 56}, {"ATTRWIDTH", nullptr, 0}, {"ATTRHEIGHT", nullptr, 1},
    {"ATTRMAXWIDTH", nullptr, 2}, {"ATTRMAXHEIGHT", nullptr, 3}, {"ATTRBGPIC", nullptr, 4},
    {"ATTRTRANSPARENTCOLOR", nullptr, 5}, {"ATTRLAYERS", nullptr, 6}, {"ATTRXPOS", nullptr, 7},
    {"ATTRYPOS", nullptr, 8}, {"ATTRTYPE", nullptr, 9}, {"ATTRVISIBLE", nullptr, 10},
    {"ATTRNUMFRAMES", nullptr, 11}, {"ATTRCURFRAME", nullptr, 12}, {"ATTRLAYERID", nullptr, 13},
    {"ATTRDURATION", nullptr, 14}, {"ATTRPITCH", nullptr, 15}, {"ATTRHASMASK", nullptr, 16},
    {"ATTRHASALPHA", nullptr, 17}, {"ATTRPOSITION", nullptr, 18}, {"ATTRFORMAT", nullptr, 19},
    {"ATTRBITRATE", nullptr, 20}, {"ATTRCURSORX", nullptr, 21}, {"ATTRCURSORY", nullptr, 22},
    {"ATTRONSCREEN", nullptr, 23}, {"ATTRBORDERLEFT", nullptr, 24}, {"ATTRBORDERTOP", nullptr, 25},
    {"ATTRBORDERRIGHT", nullptr, 26}, {"ATTRBORDERBOTTOM", nullptr, 27}, {"ATTRHOSTWIDTH", nullptr, 28},
    {"ATTRHOSTHEIGHT", nullptr, 29}, {"ATTRFONTASCENDER", nullptr, 30}, {"ATTRFONTDESCENDER", nullptr, 31},
    {"ATTRFONTNAME", nullptr, 32}, {"ATTRFONTSIZE", nullptr, 33}, {"ATTRFONTSCALABLE", nullptr, 34},
    {"ATTRFONTAA", nullptr, 35}, {"ATTRTEXT", nullptr, 36}, {"ATTRFRAMEDELAY", nullptr, 37},
    {"ATTRPOINTER", nullptr, 38}, {"ATTRCLIPREGION", nullptr, 39}, {"ATTRSTATE", nullptr, 40},
    {"ATTRACTIVE", nullptr, 41}, {"ATTRMODE", nullptr, 42}, {"ATTRSCALEMODE", nullptr, 43},
    {"ATTRSCALEWIDTH", nullptr, 44}, {"ATTRSCALEHEIGHT", nullptr, 45}, {"ATTRBORDERLESS", nullptr, 46},
    {"ATTRFIXED", nullptr, 47}, {"ATTRSIZEABLE", nullptr, 48}, {"ATTRNOHIDE", nullptr, 49},
    {"ATTRNOMODESWITCH", nullptr, 50}, {"ATTRTITLE", nullptr, 51}, {"ATTRMARGINLEFT", nullptr, 52},
    {"ATTRMARGINRIGHT", nullptr, 53}, {"ATTROUTPUTDEVICE", nullptr, 54}, {"ATTRDOUBLEBUFFER", nullptr, 55},
    {"ATTRHOSTDEPTH", nullptr, 56}, {"ATTRSIZE", nullptr, 57}, {"ATTRFUNCTION", nullptr, 58},
    {"ATTRUSERDATA", nullptr, 59}, {"ATTRCOUNT", nullptr, 60}, {"ATTRNOCLOSE", nullptr, 61},
    {"ATTRGROUP", nullptr, 62}, {"ATTRMASKMODE", nullptr, 63}, {"ATTRALPHAINTENSITY", nullptr, 64},
    {"ATTRRAWXPOS", nullptr, 65}, {"ATTRRAWYPOS", nullptr, 66}, {"ATTRRAWWIDTH", nullptr, 67},
    {"ATTRRAWHEIGHT", nullptr, 68}, {"ATTRLAYERSON", nullptr, 69}, {"ATTRORIENTATION", nullptr, 70},
    {"ATTRKEYBOARD", nullptr, 71}, {"ATTRCANSEEK", nullptr, 72}, {"ATTRHARDWARE", nullptr, 73},
    {"IMGFMT_BMP", nullptr, 0}, {"IMGFMT_PNG", nullptr, 1}, {"IMGFMT_JPEG", nullptr, 2},
    {"IMGFMT_GIF", nullptr, 3}, {"IMGFMT_ILBM", nullptr, 4}, {"ANMFMT_GIF", nullptr, 0},
    {"ANMFMT_MJPEG", nullptr, 1}, {"IMAGETYPE_RASTER", nullptr, 0}, {"IMAGETYPE_VECTOR", nullptr, 1},
    {"SNAPWINDOW", nullptr, 0}, {"SNAPDISPLAY", nullptr, 1}, {"SNAPDESKTOP", nullptr, 2},
    {"STDPTR_SYSTEM", nullptr, 0}, {"STDPTR_BUSY", nullptr, 1}, {"STDPTR_CUSTOM", nullptr, 2},
    {"ADF_FX", nullptr, 0}, {"ADF_MOVEOBJECT", nullptr, 1}, {"ADF_ANIM", nullptr, 2},
    {"NOTRANSPARENCY", nullptr, 4294967295}, {"NOCOLOR", nullptr, 4294967295},
    {"USELAYERPOSITION", nullptr, 100000}, {"KEEPASPRAT", nullptr, 100000}, {"NORMALSPEED", nullptr, -1},
    {"FASTSPEED", nullptr, -2}, {"SLOWSPEED", nullptr, -3}, {"DEFAULTSPEED", nullptr, -4},
    {"NONE", nullptr, -1}, {"LINEAR", nullptr, 2}, {"RADIAL", nullptr, 3}, {"CONICAL", nullptr, 4},
    {nullptr, nullptr, 0},
};

int32_t saturate(int64_t v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v); }

bool in_range(int32_t v, int32_t special) { return v >= special - 4999 && v <= special + 4999; }

// The origin and size of the container along one axis.
void container_of(int32_t given, bool horizontal, int64_t* origin, int64_t* size) {
  *origin = 0;
  *size = given;
  int32_t x = 0, y = 0, w = 0, h = 0;
  if (given == 0 && output_hooks().output_area(&x, &y, &w, &h)) {
    *origin = horizontal ? x : y;
    *size = horizontal ? w : h;
  }
}

int32_t resolve(int32_t v, int32_t object, int32_t container_given, double anchor, bool horizontal) {
  if (v > POS_BOTTOMOUT + 4999 || v < POS_CENTER - 4999) return v;  // a plain position, as most are
  const int32_t near = horizontal ? POS_LEFT : POS_TOP, far = horizontal ? POS_RIGHT : POS_BOTTOM;
  const int32_t out_near = horizontal ? POS_LEFTOUT : POS_TOPOUT;
  const int32_t out_far = horizontal ? POS_RIGHTOUT : POS_BOTTOMOUT;
  const int32_t specials[] = {POS_CENTER, near, far, out_near, out_far};
  int32_t which = -1;
  for (int32_t i = 0; i < 5; ++i)
    if (in_range(v, specials[i])) which = i;
  if (which < 0) return v;
  int64_t origin, container;
  container_of(container_given, horizontal, &origin, &container);
  const int64_t base = origin + to_i32(double(object) * anchor);
  const int64_t offset = int64_t(v) - specials[which];
  switch (which) {
    case 0: return saturate(offset + base + (container - object) / 2);
    case 1: return saturate(offset + base);
    case 2: return saturate(offset + base + (container - object));
    case 3: return saturate(offset + base - object);
    default: return saturate(offset + base + container);
  }
}

// Types that GetAttribute knows, and those of them that answer ATTRCOUNT only.
bool attribute_type_known(int32_t type) {
  switch (type) {
    case OBJ_BGPIC: case OBJ_SAMPLE: case OBJ_BRUSH: case OBJ_ANIM: case OBJ_TEXTOBJECT: case OBJ_DISPLAY:
    case OBJ_LAYER: case OBJ_SPRITE: case OBJ_MUSIC: case OBJ_CLIPREGION: case OBJ_POINTER: case OBJ_ASYNCDRAW:
    case OBJ_MEMORY: case OBJ_EVENTHANDLER: case OBJ_INTERVAL: case OBJ_TIMEOUT: case OBJ_FONT: case OBJ_FILE:
    case OBJ_VIDEO: case OBJ_DIRECTORY: case OBJ_VECTORPATH: case OBJ_MOVELIST: case OBJ_ANIMSTREAM:
    case OBJ_TIMER: case OBJ_CLIENT: case OBJ_SERVER: case OBJ_UDPOBJECT: return true;
    default: return false;
  }
}

bool count_only(int32_t type) {
  switch (type) {
    case OBJ_DIRECTORY: case OBJ_VECTORPATH: case OBJ_MOVELIST: case OBJ_ANIMSTREAM: case OBJ_TIMER:
    case OBJ_CLIENT: case OBJ_SERVER: case OBJ_UDPOBJECT: return true;
    default: return false;
  }
}

int32_t push_int(qmState* L, int64_t v) {
  vm_push_number(L, double(v));
  return 1;
}

int32_t brush_attribute(qmState* L, int32_t attribute) {
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(arg_get_id(L, 2), 0, &b)) return err;
  switch (attribute) {
    case ATTRWIDTH: return push_int(L, b->width);
    case ATTRHEIGHT: return push_int(L, b->height);
    case ATTRTRANSPARENTCOLOR: return push_int(L, b->transparent);
    case ATTRTYPE: return push_int(L, b->kind);
    // An accelerated brush reports its planes in its second word; none exists on this host.
    case ATTRHASMASK: return push_int(L, b->accel[0] ? (b->accel[1] & 1) : b->mask != nullptr);
    case ATTRHASALPHA: return push_int(L, b->accel[0] ? (b->accel[1] >> 1 & 1) : b->alpha != nullptr);
    case ATTRHARDWARE: return push_int(L, b->accel[0]);
    default: return ERR_UNKNOWNATTR;
  }
}

int32_t bgpic_attribute(qmState* L, int32_t attribute) {
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_find(arg_get_id(L, 2), 0, &pic)) return err;
  switch (attribute) {
    case ATTRWIDTH: return push_int(L, pic->width);
    case ATTRHEIGHT: return push_int(L, pic->height);
    case ATTRTRANSPARENTCOLOR: return push_int(L, pic->transparent);
    case ATTRLAYERS: return push_int(L, layer_hooks().layer_count(pic));
    case ATTRTYPE: return push_int(L, pic->rerender);
    case ATTRHASMASK: return push_int(L, pic->unscaled.mask != nullptr);
    case ATTRHASALPHA: return push_int(L, pic->unscaled.alpha != nullptr);
    case ATTRCLIPREGION: return clipregion_push_active_id(L);
    default: return ERR_UNKNOWNATTR;
  }
}

int32_t cmd_getattribute(qmState* L) {
  arg_check_count(L, 3, 4);
  const int32_t type = to_i32(vm_arg_check_number(L, 1));
  const int32_t attribute = to_i32(vm_arg_check_number(L, 3));
  if (!attribute_type_known(type)) return ERR_WRONGUSAGE;
  if (attribute == ATTRCOUNT && type != OBJ_LAYER && type != OBJ_EVENTHANDLER && type != OBJ_INTERVAL &&
      type != OBJ_TIMEOUT)
    return push_int(L, objlist_count_type(type));
  if (count_only(type)) return ERR_UNKNOWNATTR;
  auto it = g_attribute_handlers.find(type);
  if (it == g_attribute_handlers.end()) return ERR_WRONGUSAGE;
  return it->second(L, attribute);
}

const qmCommand kGraphicsCommands[] = {
    {"Red", cmd_red},
    {"Green", cmd_green},
    {"Blue", cmd_blue},
    {"RGB", cmd_rgb},
    {"ARGB", cmd_argb},
    {"GetAttribute", cmd_getattribute},
    {"GetPen", cmd_getpen},
    {"VWait", cmd_vwait},
    {"SetFPSLimit", cmd_setfpslimit},
    {"GetFPSLimit", cmd_getfpslimit},
    {"IsPicture", cmd_ispicture},
    {"GetRealColor", cmd_getrealcolor},
    {"SaveSnapshot", cmd_savesnapshot},
    {"MixRGB", cmd_mixrgb},
    {"DumpVideoTime", cmd_dumpvideotime},
    {"GetRandomColor", cmd_getrandomcolor},
    {"SetDrawTagsDefault", cmd_setdrawtagsdefault},
    {nullptr, nullptr},
};

}  // namespace

int32_t graphics_mask_mode() { return g_mask_mode; }
int32_t graphics_alpha_intensity() { return g_alpha_intensity; }

int32_t coord_resolve_special_x(int32_t x, int32_t object_width, int32_t container_width, double anchor) {
  return resolve(x, object_width, container_width, anchor, true);
}

int32_t coord_resolve_special_y(int32_t y, int32_t object_height, int32_t container_height, double anchor) {
  return resolve(y, object_height, container_height, anchor, false);
}

int32_t size_keep_aspect(int32_t source_width, int32_t source_height, int32_t* width, int32_t* height) {
  const bool keep_w = *width == KEEPASPRAT, keep_h = *height == KEEPASPRAT;
  if ((!keep_w && *width < 1) || (!keep_h && *height < 1)) return ERR_BADDIMENSIONS;
  if (keep_w && keep_h) return ERR_WRONGUSAGE;
  if (!keep_w && !keep_h) return 0;
  if (source_width < 1 || source_height < 1) return ERR_BADDIMENSIONS;
  const double ratio = double(source_width) / double(source_height);
  const double v = keep_w ? *height * ratio : *width / ratio;
  const double whole = std::floor(v);
  const int32_t result = to_i32(v - whole >= 0.5 ? whole + 1 : whole);
  if (result < 1) return ERR_BADDIMENSIONS;
  (keep_w ? *width : *height) = result;
  return 0;
}

void graphics_set_attribute_handler(int32_t type, AttributeHandler handler) {
  g_attribute_handlers[type] = handler;
}

namespace {
CurrentFontQuery g_current_font = nullptr;
}  // namespace

void graphics_set_current_font_query(CurrentFontQuery query) { g_current_font = query; }

bool graphics_current_font(FontAttributes* out) { return g_current_font && g_current_font(out); }

int32_t graphics_push_font_attribute(qmState* L, int32_t attribute, const FontAttributes& font) {
  switch (attribute) {
    case ATTRFONTASCENDER: vm_push_number(L, font.ascender); return 1;
    case ATTRFONTDESCENDER: vm_push_number(L, font.descender); return 1;
    case ATTRFONTNAME: vm_push_string(L, font.name.c_str()); return 1;
    case ATTRFONTSIZE: vm_push_number(L, font.size); return 1;
    case ATTRFONTSCALABLE: vm_push_number(L, font.scalable); return 1;
    case ATTRFONTAA: vm_push_number(L, font.antialias); return 1;
    default: return ERR_UNKNOWNATTR;
  }
}

}  // namespace qm

using namespace qm;

int32_t graphics_init(qmState* L) {
  g_mask_mode = MASKVISIBLE;
  g_alpha_intensity = VANILLACOPY;
  drawtag_defaults_reset();
  graphics_set_attribute_handler(OBJ_BRUSH, brush_attribute);
  graphics_set_attribute_handler(OBJ_BGPIC, bgpic_attribute);
  if (int32_t err = picture_library_open(L, kGraphicsCommands, kGraphicsConstants, "graphics", nullptr)) return err;
  if (int32_t err = pointer_open(L)) return err;
  plugin_graphics_open();
  return asyncdraw_open(L);
}

int graphics_setting_hook(qmState*, int32_t tag, intptr_t data) {
  if (tag == ATTR_MASKMODE) g_mask_mode = int32_t(data);
  else if (tag == ATTR_ALPHAINTENSITY) g_alpha_intensity = int32_t(data);
  else return 0;
  return 1;
}

int graphics_query_hook(qmState*, int32_t tag, intptr_t data) {
  auto* out = reinterpret_cast<intptr_t*>(data);
  if (tag == ATTR_MASKMODE) *out = g_mask_mode;
  else if (tag == ATTR_ALPHAINTENSITY) *out = g_alpha_intensity;
  else return 0;
  return 1;
}

size_t qm::graphics_object_report(char* buffer, size_t size) {
  struct Row {
    const char* label;
    int32_t type;
    int32_t less;
  };
  // Types without a registered list count 0; the on-screen rows are the current picture's.
  static const Row kRows[] = {
      {"Anims", OBJ_ANIM, 0},           {"Async draws", OBJ_ASYNCDRAW, 0}, {"BGPics", OBJ_BGPIC, 1},
      {"Brushes", OBJ_BRUSH, 0},        {"Clip regions", OBJ_CLIPREGION, 0}, {"Directories", OBJ_DIRECTORY, 0},
      {"Displays", OBJ_DISPLAY, 1},     {"Files", OBJ_FILE, 0},            {"Fonts", OBJ_FONT, 0},
      {"Layers (on screen)", -1, 0},    {"Layers (total)", OBJ_LAYER, 1},  {"Memory blocks", OBJ_MEMORY, 0},
      {"Musics", OBJ_MUSIC, 0},         {"Pointer images", OBJ_POINTER, 0}, {"Samples", OBJ_SAMPLE, 0},
      {"Sprites (on screen)", -2, 0},   {"Sprites (total)", OBJ_SPRITE, 0}, {"Text objects", OBJ_TEXTOBJECT, 0},
      {"Timers", OBJ_TIMER, 0},         {"Vector paths", OBJ_VECTORPATH, 0}, {"Videos", OBJ_VIDEO, 0},
  };
  std::string out;
  for (const Row& r : kRows) {
    int32_t n = 0;
    if (r.type == -1) {
      const qmBGPic* pic = output_hooks().current_bgpic();
      n = pic ? layer_hooks().layer_count(pic) : 0;
    } else if (r.type == -2) {
      // The shown sprites' list begins each entry with the blit layer's view of it.
      const qmBGPic* pic = output_hooks().current_bgpic();
      for (auto* e = static_cast<const qmSpriteRect*>(pic ? pic->sprites : nullptr); e; e = e->next) ++n;
    } else if (r.type >= 0) {
      n = std::max(0, objlist_count_type(r.type) - r.less);
    }
    char line[64];
    std::snprintf(line, sizeof line, "%-20s%d\n", r.label, n);
    out += line;
  }
  if (size > 0) {
    const size_t n = std::min(out.size(), size - 1);
    std::memcpy(buffer, out.data(), n);
    buffer[n] = '\0';
  }
  return out.size();
}

void graphics_cleanup() {
  plugin_graphics_close();
  g_attribute_handlers.clear();
  imagecache_free_all();
  clipregion_free_all(nullptr);
  pointer_free_all(nullptr);
}
