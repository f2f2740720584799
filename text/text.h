// The text library: the process-wide text style (font, colour, style flags, shadow and edge), the
// font objects that scripts open, measuring, printing at the display's cursor, TextOut and
// InKeyStr. Layout and drawing are text/layout.h's; fonts come from the font driver's cache
// (text/font_driver.h), which owns them: a font object, the style and a text layer only refer to
// a cached font, so closing a font object never closes its font.
//
// Text objects, with the interface that transitions, anims and moving objects use
// (textobject_find and its flags, the locked count), are text/textobject.h's; the edges of text
// are text/edges.h's.
//
// The cursor, the margins and the tab stops that Print uses live in each display record
// (display/display.h); the library reads and writes them there.
//
// Text inside the player is Latin-1; a text in ENCODING_UTF8 is decoded by the font driver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "layers/content.h"
#include "runtime/registry.h"
#include "text/font.h"

struct qmState;

namespace qm {

// Style flags: NORMAL stands for no other bit; BOLD, ITALIC, UNDERLINED and ANTIALIAS go to the
// font engines (text/font.h); SHADOW and EDGE are drawn around the glyphs.
inline constexpr int32_t TEXTSTYLE_BOLD = FONTSTYLE_BOLD;
inline constexpr int32_t TEXTSTYLE_ITALIC = FONTSTYLE_ITALIC;
inline constexpr int32_t TEXTSTYLE_UNDERLINED = FONTSTYLE_UNDERLINED;
inline constexpr int32_t TEXTSTYLE_ANTIALIAS = FONTSTYLE_ANTIALIAS;
inline constexpr int32_t kFontStyleBits =
    TEXTSTYLE_BOLD | TEXTSTYLE_ITALIC | TEXTSTYLE_UNDERLINED | TEXTSTYLE_ANTIALIAS;

inline constexpr int32_t TEXTENCODING_LATIN1 = 0;
inline constexpr int32_t TEXTENCODING_UTF8 = 1;

inline constexpr int32_t kMaxTabStops = 32;

// The text style: what every print, TextOut, text layer and text object starts from. Colours are
// 0xAARRGGBB whose top byte is a transparency (0 opaque).
struct qmTextStyle {
  int32_t flags = TEXTSTYLE_NORMAL;
  uint32_t colour = 0xFFFFFF;
  uint32_t shadow_colour = 0;
  uint32_t edge_colour = 0x0093DD;
  int32_t shadow_distance = 4;
  int32_t shadow_direction = 3;  // SHDWSOUTHEAST
  int32_t edge_size = 2;
  qmFont* font = nullptr;  // the font cache's; null is the driver's default font
  bool operator==(const qmTextStyle&) const = default;
};

// The library's style record.
qmTextStyle& text_get_style();
// Shadow distance and edge size into 1..64; a direction above 7 becomes south-east.
void text_style_clamp(qmTextStyle* style);
// The font in use (never null once the library is open).
qmFont* text_get_current_font();

// The default encoding (ENCODING_ISO8859_1 at start), used wherever a command's encoding argument
// is absent.
int32_t text_default_encoding();

// A font object: a script's handle on a cached font, and how it was asked for (a text layer made
// while the font is current keeps the request, to open the font again by name).
struct qmFontObject {
  ObjectHeader header{};  // OBJ_FONT
  LayerFont font;         // font.font is the cached qmFont
};
inline qmFont* font_of(const LayerFont& f) {
  return static_cast<qmFont*>(f.font);
}

// How the current font was asked for.
const LayerFont& text_current_font_request();
// 0, ERR_FINDARRAY for an automatic id, or ERR_FINDFONT2 with the number.
int32_t fontobj_find(const ObjectId& id, qmFontObject** out);
// Colour glyph strips kept as raw pixels (made before any display existed) become bitmaps; run
// once when the first display opens. 0 or the first error.
int32_t fontobj_finish_pending();

// The font attributes that GetAttribute reports for a font.
struct FontAttributes;
void text_font_attributes(const qmFont* font, FontAttributes* out);

// The library's start (tenth of the command libraries) and its clean-up at exit.
int32_t text_open(qmState* L);
void text_cleanup(qmState* L);

}  // namespace qm
