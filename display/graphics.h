// The graphics library frame: the library-wide mask-mode and alpha-intensity words, the routines
// that turn position specials and keep-aspect sizes into pixels, and GetAttribute with the
// handlers that the object libraries plug into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct qmState;

namespace qm {

// Position specials, each accepting an offset of up to 4999 either way.
enum : int32_t {
  POS_CENTER = -100000, POS_LEFT = -90000, POS_RIGHT = -80000, POS_TOP = -70000, POS_BOTTOM = -60000,
  POS_LEFTOUT = -50000, POS_RIGHTOUT = -40000, POS_TOPOUT = -30000, POS_BOTTOMOUT = -20000,
};
inline constexpr int32_t KEEPASPRAT = 100000;

// Positions that commands take, plain ones and specials with their offsets alike, lie within
// ±kPositionLimit: a position plus a picture's size or plus another position then never leaves
// int32, and a move or a layer placed beyond every picture stays a reasonable number of pixels
// away. An argument beyond it (NaN and the infinities among them, which to_i32 makes INT32_MIN)
// is refused with ERR_WRONGUSAGE.
inline constexpr int32_t kPositionLimit = 1 << 24;
inline bool position_in_range(int32_t v) { return v >= -kPositionLimit && v <= kPositionLimit; }
inline int32_t position_clamp(int64_t v) {
  return int32_t(v < -kPositionLimit ? -kPositionLimit : v > kPositionLimit ? kPositionLimit : v);
}

// Attribute numbers of GetAttribute used here.
enum : int32_t {
  ATTRWIDTH = 0, ATTRHEIGHT = 1, ATTRTRANSPARENTCOLOR = 5, ATTRLAYERS = 6, ATTRTYPE = 9, ATTRHASMASK = 16,
  ATTRHASALPHA = 17, ATTRCLIPREGION = 39, ATTRCOUNT = 60, ATTRMASKMODE = 63, ATTRALPHAINTENSITY = 64,
  ATTRHARDWARE = 73,
};

// Runtime attribute tags of the two library words.
inline constexpr int32_t ATTR_MASKMODE = 5;
inline constexpr int32_t ATTR_ALPHAINTENSITY = 7;
inline constexpr int32_t VANILLACOPY = -1;

int32_t graphics_mask_mode();
int32_t graphics_alpha_intensity();

// x (or y) that may hold a special, for an object of the given size in a container of the given
// size (0: the current output or its active clip region); anchor 0..1 of the object's size.
int32_t coord_resolve_special_x(int32_t x, int32_t object_width, int32_t container_width, double anchor);
int32_t coord_resolve_special_y(int32_t y, int32_t object_height, int32_t container_height, double anchor);
// Completes a width or height given as KEEPASPRAT. 0, ERR_BADDIMENSIONS or ERR_WRONGUSAGE.
int32_t size_keep_aspect(int32_t source_width, int32_t source_height, int32_t* width, int32_t* height);

// A GetAttribute handler for one object type: looks the object up by the id at argument 2 and
// pushes the attribute's results; returns their number or an error code.
using AttributeHandler = int32_t (*)(qmState* L, int32_t attribute);
void graphics_set_attribute_handler(int32_t type, AttributeHandler handler);
// Font attributes (ATTRFONTASCENDER .. ATTRFONTAA) as GetAttribute reports them for a font, a text
// object, a text layer or a display's current font.
enum : int32_t {
  ATTRFONTASCENDER = 30, ATTRFONTDESCENDER = 31, ATTRFONTNAME = 32, ATTRFONTSIZE = 33, ATTRFONTSCALABLE = 34,
  ATTRFONTAA = 35,
};
struct FontAttributes {
  int32_t ascender = 0;
  int32_t descender = 0;  // the font's height minus its ascender
  std::string name;
  int32_t size = 0;
  int32_t scalable = 0;
  int32_t antialias = 0;
};
// Pushes the one result of a font attribute.
int32_t graphics_push_font_attribute(qmState* L, int32_t attribute, const FontAttributes& font);
// The text library's current font, which is every display's. Until a query is installed (the
// text library installs it when it opens) no font is known and the display's font attributes
// answer ERR_UNKNOWNATTR.
using CurrentFontQuery = bool (*)(FontAttributes* out);
void graphics_set_current_font_query(CurrentFontQuery query);
bool graphics_current_font(FontAttributes* out);

// The object-count report: one line per kind, the label padded to 20 columns, then the count.
// Writes at most size - 1 characters and a terminating zero; returns the whole report's length.
size_t graphics_object_report(char* buffer, size_t size);

// The pictures and brush locks of the plug-ins' graphics table (display/plugin_graphics.cpp):
// installed while the library runs.
void plugin_graphics_open();
void plugin_graphics_close();

}  // namespace qm

// The library's start, its clean-up at exit, and the runtime attribute hooks of the two words
// (non-zero when the hook took the tag).
int32_t graphics_init(qmState* L);
void graphics_cleanup();
int graphics_setting_hook(qmState* L, int32_t tag, intptr_t data);
int graphics_query_hook(qmState* L, int32_t tag, intptr_t data);
