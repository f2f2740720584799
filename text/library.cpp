// The text library's commands: fonts and font objects, the style, the cursor, margins and tab
// stops of the current display, measuring, font discovery and folders; its constants, start and
// clean-up. Printing, TextOut and InKeyStr live beside their work.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "display/clipregion.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "text/font_driver.h"
#include "text/layout.h"
#include "text/text.h"
#include "text/text_internal.h"
#include "text/textobject.h"

namespace qm {

namespace {

qmTextStyle g_style;
LayerFont g_request;  // how the current font was asked for
int32_t g_encoding = TEXTENCODING_LATIN1;
ObjectList g_fonts;

qmFontObject* as_font(ObjectHeader* h) {
  return reinterpret_cast<qmFontObject*>(h);
}

void fontobj_free(qmState* L, qmFontObject* f) {
  g_fonts.remove(&f->header);
  if (f->header.refs) reflist_free(L ? L : picture_state(), f->header.refs);
  delete f;
}

int32_t arg_int(qmState* L, int32_t n) {
  return to_i32(vm_arg_check_number(L, n));
}
uint32_t arg_colour(qmState* L, int32_t n) {
  return to_u32_bits(vm_arg_check_number(L, n));
}

qmFontObject* font_arg(qmState* L, int32_t n) {
  qmFontObject* f = nullptr;
  if (int32_t err = fontobj_find(arg_get_id(L, n), &f)) vm_command_fail(L, err);
  return f;
}

// Name, size and the options table after the size ("engine" 0, "cache" 1), opened through the
// font cache with a line on the console.
int32_t font_open_from_args(qmState* L, int32_t first, LayerFont* out) {
  LayerFont f;
  f.name = arg_get_linked_file(L, first, 1, &f.linked);
  f.size = arg_int(L, first + 1);
  f.engine = FONTENGINE_NATIVE;
  f.cache = 1;
  if (vm_get_top(L) >= first + 2) {
    vm_arg_check_table(L, first + 2);
    opt_get_int(L, first + 2, "engine", &f.engine, nullptr);
    opt_get_int(L, first + 2, "cache", &f.cache, nullptr);
  }
  console_print_file("Opening font %s", f.name.c_str(), true);
  qmFont* font = nullptr;
  const int32_t err = font_open_cached(f.name.c_str(), f.size, f.engine, f.cache, f.linked, &font);
  err ? console_print_failed() : console_print_done();
  if (err) return err;
  f.font = font;
  *out = std::move(f);
  return 0;
}

void make_current(const LayerFont& f) {
  g_request = f;
  g_style.font = font_of(f);
  g_style.flags = TEXTSTYLE_NORMAL;
}

// The current display, whose cursor, margins and tab stops the commands use.
qmDisplay* text_display(qmState* L) {
  qmDisplay* d = display_current();
  if (!d) vm_command_fail(L, ERR_CLOSEDDISPDRAW);
  return d;
}

int32_t cmd_openfont(qmState* L) {
  arg_check_count(L, 3, 4);
  const bool automatic = vm_type(L, 1) == QM_TNIL;
  ObjectId id;
  if (!automatic) {
    id = arg_get_id(L, 1);
    // The id is taken over whether or not the new font opens.
    qmFontObject* old = nullptr;
    if (fontobj_find(id, &old) == 0) fontobj_free(L, old);
  }
  LayerFont font;
  if (int32_t err = font_open_from_args(L, 2, &font)) return err;
  auto* f = new (std::nothrow) qmFontObject;
  if (!f) return ERR_MEM;
  f->header.type = OBJ_FONT;
  f->header.id = automatic ? ObjectId{0, f} : id;
  f->font = std::move(font);
  if (!g_fonts.append(&f->header)) {
    delete f;
    return ERR_MEM;
  }
  return push_new_id(L, NewId{automatic, f->header.id}, f);
}

int32_t cmd_setfont(qmState* L) {
  arg_check_count(L, 2, 3);
  LayerFont font;
  if (int32_t err = font_open_from_args(L, 1, &font)) return err;
  make_current(font);
  return 0;
}

int32_t cmd_usefont(qmState* L) {
  arg_check_count(L, 1, 1);
  make_current(font_arg(L, 1)->font);
  return 0;
}

int32_t cmd_closefont(qmState* L) {
  arg_check_count(L, 1, 1);
  fontobj_free(L, font_arg(L, 1));
  return 0;
}

int32_t cmd_setfontstyle(qmState* L) {
  arg_check_count(L, 1, 4);
  const int32_t n = vm_get_top(L);
  const uint32_t style = vm_arg_check_integer(L, 1);
  qmTextStyle s = g_style;
  if (style & TEXTSTYLE_NORMAL) {
    s.flags = TEXTSTYLE_NORMAL;
  } else {
    if (style == uint32_t(TEXTSTYLE_SHADOW) && n >= 2) {
      s.shadow_colour = arg_colour(L, 2);
      if (n >= 3) s.shadow_distance = arg_int(L, 3);
      if (n >= 4) s.shadow_direction = arg_int(L, 4);
    } else if (style == uint32_t(TEXTSTYLE_EDGE) && n >= 2) {
      s.edge_colour = arg_colour(L, 2);
      if (n >= 3) s.edge_size = arg_int(L, 3);
    } else if (n > 1) {
      return ERR_TOOMANYARGS;
    }
    // Styles add up until NORMAL, which stands for no other bit.
    s.flags = (s.flags & ~TEXTSTYLE_NORMAL) | int32_t(style);
  }
  text_style_clamp(&s);
  g_style = s;
  return 0;
}

int32_t cmd_setfontcolor(qmState* L) {
  arg_check_count(L, 1, 1);
  g_style.colour = arg_colour(L, 1);
  return 0;
}

int32_t cmd_setmargins(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t left = arg_int(L, 1), right = arg_int(L, 2);
  qmDisplay* d = text_display(L);
  if (left >= right) return ERR_WRONGUSAGE;
  int32_t w = 0, h = 0;
  if (!clipregion_output_size(&w, &h)) w = d->bgpic ? d->bgpic->width : 0;
  const int32_t l = std::max(left, 0), r = std::min(right, w - 1);
  // The right margin clamped to the output may fall left of the left margin: no line area is left.
  if (l > r) return ERR_WRONGUSAGE;
  d->text_margin_left = l;
  d->text_margin_right = r;
  d->cursor_x = l;
  d->cursor_y = 0;
  return 0;
}

int32_t cmd_locate(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t x = arg_int(L, 1), y = arg_int(L, 2);
  if (x == POS_CENTER || x == POS_LEFT || x == POS_RIGHT || y == POS_CENTER || y == POS_TOP ||
      y == POS_BOTTOM)
    return ERR_NOCOORDCST;
  qmDisplay* d = text_display(L);
  d->cursor_x = x >= d->text_margin_left && x <= d->text_margin_right ? x : d->text_margin_left;
  d->cursor_y = y;
  return 0;
}

int32_t cmd_addtab(qmState* L) {
  arg_check_count(L, 1, 0);
  qmDisplay* d = text_display(L);
  const int32_t n = vm_get_top(L);
  for (int32_t i = 1; i <= n; ++i) {
    const int32_t pos = arg_int(L, i);
    if (d->tab_count >= kMaxTabStops) return ERR_INTERNAL;
    if (pos < 0) return ERR_NEGCOORDS;
    int32_t at = 0;
    while (at < d->tab_count && d->tabs[at] <= pos) ++at;
    std::copy_backward(d->tabs + at, d->tabs + d->tab_count, d->tabs + d->tab_count + 1);
    d->tabs[at] = pos;
    ++d->tab_count;
  }
  return 0;
}

int32_t cmd_resettabs(qmState* L) {
  arg_check_count(L, 0, 0);
  text_display(L)->tab_count = 0;
  return 0;
}

// The text argument and the encoding after it, measured in the current style. An empty text is
// not measured when `empty_is_zero`.
qmTextExtent measured_arg(qmState* L, bool empty_is_zero) {
  arg_check_count(L, 1, 2);
  size_t length = 0;
  const char* text = vm_arg_check_string(L, 1, &length);
  const int32_t encoding = text_encoding_arg(L, 2);
  qmTextExtent e;
  if (length > 0 || !empty_is_zero)
    if (int32_t err = text_measure_line(text, length, encoding, g_style, &e))
      vm_command_fail(L, err);
  return e;
}

int32_t cmd_textwidth(qmState* L) {
  vm_push_number(L, measured_arg(L, true).advance);
  return 1;
}

int32_t cmd_textheight(qmState* L) {
  arg_check_count(L, 1, 1);
  vm_arg_check_string(L, 1, nullptr);
  vm_push_number(L, text_get_current_font()->height);
  return 1;
}

int32_t cmd_textextent(qmState* L) {
  const qmTextExtent e = measured_arg(L, false);
  vm_new_table(L);
  table_set_number(L, "minx", e.ink_left + e.extra_left);
  table_set_number(L, "maxx", e.ink_right + e.extra_right);
  table_set_number(L, "miny", e.ink_top + e.extra_top);
  table_set_number(L, "maxy", e.ink_bottom + e.extra_bottom);
  table_set_number(L, "width", e.advance);
  table_set_number(L, "height", e.height);
  return 1;
}

int32_t cmd_getavailablefonts(qmState* L) {
  arg_check_count(L, 0, 0);
  const std::vector<qmFontListEntry>& list = font_list_build(true);
  vm_new_table(L);
  int32_t i = 0;
  for (const qmFontListEntry& e : list) {
    vm_new_table(L);
    table_set_string(L, "name", e.name.c_str());
    table_set_string(L, "family", e.family.c_str());
    table_set_number(L, "bitmap", e.bitmap ? 1 : 0);
    table_set_number(L, "weight", e.weight);
    table_set_number(L, "slant", e.slant);
    vm_push_string(L, "sizes");
    vm_new_table(L);
    for (size_t k = 0; k < e.sizes.size(); ++k) {
      vm_push_number(L, e.sizes[k]);
      vm_raw_seti(L, -2, int32_t(k));
    }
    vm_set_table(L, -3);
    vm_raw_seti(L, -2, i++);
  }
  font_list_free();
  return 1;
}

int32_t cmd_freeglyphcache(qmState* L) {
  arg_check_count(L, 1, 2);
  const int32_t selector = arg_int(L, 1);
  if (selector == 0) {
    font_cache_free_glyph_caches(nullptr);
    return 0;
  }
  if (vm_get_top(L) < 2) return ERR_MISSINGPARAMTR;
  font_cache_free_glyph_caches(font_of(font_arg(L, 2)->font));
  return 0;
}

int32_t cmd_setdefaultencoding(qmState* L) {
  arg_check_count(L, 1, 1);
  const uint32_t encoding = vm_arg_check_integer(L, 1);
  if (encoding > 1) return ERR_WRONGUSAGE;
  g_encoding = int32_t(encoding);
  return 0;
}

int32_t cmd_addfontpath(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* folder = arg_get_file_name(L, 1, ERR_LOCK2);
  for (const std::string& p : font_paths())
    if (str_case_cmp(p.c_str(), folder) == 0) return 0;
  qmLock* lock = qmos_lock(folder, 0);
  if (!lock) {
    err_set_string_arg(folder);
    return ERR_LOCK2;
  }
  const std::string full = qmos_lock_name(lock);
  qmos_unlock(lock);
  return font_path_add(full) ? 0 : ERR_MEM;
}

int32_t cmd_getkerningpair(qmState* L) {
  arg_check_count(L, 2, 3);
  size_t a_length = 0, b_length = 0;
  const char* a = vm_arg_check_string(L, 1, &a_length);
  const char* b = vm_arg_check_string(L, 2, &b_length);
  const int32_t encoding = text_encoding_arg(L, 3);
  int32_t kerning = 0;
  if (a_length > 0 && b_length > 0) {
    const std::string pair = std::string(a, a_length) + std::string(b, b_length);
    kerning = font_kerning(text_get_current_font(), pair.data(), pair.size(),
                           g_style.flags & kFontStyleBits, encoding);
  }
  vm_push_number(L, kerning);
  return 1;
}

const qmCommand kTextCommands[] = {
    {"OpenFont", cmd_openfont},
    {"SetFont", cmd_setfont},
    {"UseFont", cmd_usefont},
    {"CloseFont", cmd_closefont},
    {"SetFontStyle", cmd_setfontstyle},
    {"SetFontColor", cmd_setfontcolor},
    {"SetMargins", cmd_setmargins},
    {"Locate", cmd_locate},
    {"AddTab", cmd_addtab},
    {"ResetTabs", cmd_resettabs},
    {"TextWidth", cmd_textwidth},
    {"TextHeight", cmd_textheight},
    {"TextExtent", cmd_textextent},
    {"Print", cmd_print},
    {"NPrint", cmd_nprint},
    {"TextOut", cmd_textout},
    {"CreateTextObject", cmd_createtextobject},
    {"CopyTextObject", cmd_copytextobject},
    {"FreeTextObject", cmd_freetextobject},
    {"DisplayTextObject", cmd_displaytextobject},
    {"RotateTextObject", cmd_rotatetextobject},
    {"ScaleTextObject", cmd_scaletextobject},
    {"InKeyStr", cmd_inkeystr},
    {"GetAvailableFonts", cmd_getavailablefonts},
    {"FreeGlyphCache", cmd_freeglyphcache},
    {"SetDefaultEncoding", cmd_setdefaultencoding},
    {"AddFontPath", cmd_addfontpath},
    {"GetKerningPair", cmd_getkerningpair},
    {nullptr, nullptr},
};

const qmConstant kTextConstants[] = {
    {"NORMAL", nullptr, 1},
    {"BOLD", nullptr, 2},
    {"ITALIC", nullptr, 4},
    {"UNDERLINED", nullptr, 8},
    {"ANTIALIAS", nullptr, 16},
    {"SHADOW", nullptr, 32},
    {"EDGE", nullptr, 64},
    {"ALL", nullptr, 0},
    {"ALPHANUMERICAL", nullptr, 1},
    {"ALPHABETICAL", nullptr, 2},
    {"NUMERICAL", nullptr, 3},
    {"HEXNUMERICAL", nullptr, 4},
    {"SHDWNORTH", nullptr, 0},
    {"SHDWNORTHEAST", nullptr, 1},
    {"SHDWEAST", nullptr, 2},
    {"SHDWSOUTHEAST", nullptr, 3},
    {"SHDWSOUTH", nullptr, 4},
    {"SHDWSOUTHWEST", nullptr, 5},
    {"SHDWWEST", nullptr, 6},
    {"SHDWNORTHWEST", nullptr, 7},
    {"BITMAP_DEFAULT", ":::default_bitmap", 0},
    {"TRUETYPE_DEFAULT", ":::default_truetype", 0},
    {"SANS", ":::default_sans", 0},
    {"SERIF", ":::default_serif", 0},
    {"MONOSPACE", ":::default_mono", 0},
    {"FONTENGINE_NATIVE", nullptr, 0},
    {"FONTENGINE_INBUILT", nullptr, 4},
    {"FONTWEIGHT_THIN", nullptr, 0},
    {"FONTWEIGHT_EXTRALIGHT", nullptr, 40},
    {"FONTWEIGHT_ULTRALIGHT", nullptr, 40},
    {"FONTWEIGHT_LIGHT", nullptr, 50},
    {"FONTWEIGHT_BOOK", nullptr, 75},
    {"FONTWEIGHT_NORMAL", nullptr, 80},
    {"FONTWEIGHT_REGULAR", nullptr, 80},
    {"FONTWEIGHT_MEDIUM", nullptr, 100},
    {"FONTWEIGHT_SEMIBOLD", nullptr, 180},
    {"FONTWEIGHT_DEMIBOLD", nullptr, 180},
    {"FONTWEIGHT_BOLD", nullptr, 200},
    {"FONTWEIGHT_EXTRABOLD", nullptr, 205},
    {"FONTWEIGHT_ULTRABOLD", nullptr, 205},
    {"FONTWEIGHT_HEAVY", nullptr, 210},
    {"FONTWEIGHT_BLACK", nullptr, 210},
    {"FONTWEIGHT_EXTRABLACK", nullptr, 215},
    {"FONTWEIGHT_ULTRABLACK", nullptr, 215},
    {"FONTSLANT_ROMAN", nullptr, 0},
    {"FONTSLANT_ITALIC", nullptr, 100},
    {"FONTSLANT_OBLIQUE", nullptr, 110},
    {"ENCODING_ISO8859_1", nullptr, 0},
    {"ENCODING_UTF8", nullptr, 1},
    {nullptr, nullptr, 0},
};

int32_t font_attribute(qmState* L, int32_t attribute) {
  qmFontObject* f = nullptr;
  if (int32_t err = fontobj_find(arg_get_id(L, 2), &f)) return err;
  FontAttributes a;
  text_font_attributes(font_of(f->font), &a);
  return graphics_push_font_attribute(L, attribute, a);
}

bool current_font_attributes(FontAttributes* out) {
  text_font_attributes(text_get_current_font(), out);
  return true;
}

}  // namespace

qmTextStyle& text_get_style() {
  return g_style;
}

void text_style_clamp(qmTextStyle* style) {
  style->shadow_distance = std::clamp(style->shadow_distance, 1, 64);
  style->edge_size = std::clamp(style->edge_size, 1, 64);
  if (style->shadow_direction < 0 || style->shadow_direction > 7) style->shadow_direction = 3;
}

qmFont* text_get_current_font() {
  return g_style.font ? g_style.font : font_default();
}

const LayerFont& text_current_font_request() {
  return g_request;
}

int32_t text_default_encoding() {
  return g_encoding;
}

int32_t text_encoding_arg(qmState* L, int32_t n) {
  if (vm_get_top(L) < n || vm_type(L, n) == QM_TNIL) return g_encoding;
  const uint32_t encoding = vm_arg_check_integer(L, n);
  if (encoding > 1) vm_command_fail(L, ERR_WRONGUSAGE);
  return int32_t(encoding);
}

int32_t fontobj_find(const ObjectId& id, qmFontObject** out) {
  if (ObjectHeader* h = g_fonts.find(id)) {
    *out = as_font(h);
    return 0;
  }
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDFONT2;
}

int32_t fontobj_finish_pending() {
  for (ObjectHeader* h = g_fonts.head; h; h = h->next) {
    qmFont* font = font_of(as_font(h)->font);
    if (!font || !font->colour_pixels) continue;
    qmBitmap* bitmap = nullptr;
    qmMask* mask = nullptr;
    // The strip's transparent pixels carry the font's key colour.
    if (int32_t err =
            qmos_scale_bitmap(font->colour_pixels, int32_t(kColourFontKey), font->colour_width,
                              font->colour_height, font->colour_width, &bitmap, &mask))
      return err;
    qmos_free_pixels(font->colour_pixels);
    font->colour_pixels = nullptr;
    font->colour_bitmap = bitmap;
    font->colour_mask = mask;
  }
  return 0;
}

void text_font_attributes(const qmFont* font, FontAttributes* out) {
  if (!font) font = font_default();
  *out = FontAttributes{};
  if (!font) return;
  out->ascender = font->baseline;
  out->descender = font->height - font->baseline;
  out->name = font->name;
  out->size = font->size;
  out->scalable = font->scalable;
  out->antialias = font->outline;
}

int32_t text_open(qmState* L) {
  if (int32_t err = font_init()) return err;
  g_style = qmTextStyle{};
  g_request = LayerFont{};
  g_request.font = g_style.font = font_default();
  g_encoding = TEXTENCODING_LATIN1;
  if (int32_t err = picture_library_open(L, kTextCommands, kTextConstants, "text", &g_fonts.head))
    return err;
  graphics_set_attribute_handler(OBJ_FONT, font_attribute);
  graphics_set_current_font_query(current_font_attributes);
  text_install_layer_services();
  if (int32_t err = textobject_open(L)) return err;
  display_add_pending_conversion(fontobj_finish_pending);
  return 0;
}

void text_cleanup(qmState* L) {
  textobject_free_all(L);
  for (ObjectHeader* h = g_fonts.take_all(); h;) {
    qmFontObject* f = as_font(h);
    h = h->next;
    if (f->header.refs) reflist_free(L ? L : picture_state(), f->header.refs);
    delete f;
  }
  g_style = qmTextStyle{};
  g_request = LayerFont{};
  font_cache_free_all();
  font_shutdown();
  graphics_set_current_font_query(nullptr);
}

}  // namespace qm
