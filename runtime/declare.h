// Declared objects: what a program asks the player to create before its main chunk runs, and
// their creation at start-up by calling the same script commands a program would call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/gradient.h"

struct qmState;

namespace qm {

enum DeclType : int32_t {
  DECL_BGPIC = 0, DECL_BRUSH = 1, DECL_ANIM = 2, DECL_MUSIC = 3, DECL_SAMPLE = 4, DECL_BUTTON = 5,
  DECL_KEYDOWN = 6, DECL_SPRITE = 7, DECL_FILE = 8, DECL_FONT = 9, DECL_DISPLAY = 10,
  DECL_VIDEO = 11, DECL_PLUGIN = 12,
};
inline constexpr int32_t DECL_TYPE_MAX = 12;

// Display flag word and given mask share these bits.
enum : uint32_t {
  DISPF_BORDERLESS = 1, DISPF_SIZEABLE = 2, DISPF_FIXED = 4, DISPF_NOMODESWITCH = 8,
  DISPF_HIDEPOINTER = 16, DISPF_NOHIDE = 32, DISPF_SCALEMODE1 = 64, DISPF_SMOOTHSCALE = 128,
  DISPF_SCALEMODE2 = 0x100, DISPF_BGPIC = 0x200, DISPF_ACTIVE = 0x400, DISPF_HIDDEN = 0x800,
  DISPF_LAYERS = 0x1000, DISPF_USEQUARTZ = 0x2000, DISPF_NOCLOSE = 0x4000,
  DISPF_KEEPPROPORTIONS = 0x8000, DISPF_FITSCALE = 0x10000,
};

inline constexpr int32_t DECL_MAX_REGIONS = 64;
inline constexpr int32_t DECL_MAX_STOPS = 64;
inline constexpr size_t DECL_TITLE_SIZE = 256;  // NUL included
inline constexpr size_t DECL_NAME_SIZE = 1024;  // source names and host paths, NUL included

// Picture payload words (brush, anim, sprite).
enum : int32_t {
  PIC_WIDTH = 0, PIC_HEIGHT, PIC_X, PIC_Y, PIC_FRAMES, PIC_FPR, PIC_GLOBALALPHA, PIC_CACHE,
  PIC_CACHEALPHA, PIC_CACHEDLOAD, PIC_FROMDISK, PIC_HARDWARE, PIC_WORDS
};

struct Region {
  int32_t type = 0, x = 0, y = 0, width = 0, height = 0;
};

struct BgPicPayload {
  int32_t fill_style = 0;
  uint32_t color = 0;
  qmGradient gradient{};
  int32_t texture_brush = 0, texture_x = 0, texture_y = 0;
};

struct DisplayPayload {
  std::string title;
  uint32_t flags = 0;
  uint32_t given_mask = 0;
  int32_t bgpic = 0, x = 0, y = 0, width = 0, height = 0;
  uint32_t color = 0;
  int32_t scale_width = 0, scale_height = 0;
  std::vector<Region> drag_regions, size_regions;  // at most DECL_MAX_REGIONS each
  int32_t fill_style = 1;
  qmGradient gradient{};
  int32_t texture_brush = 0, texture_x = 0, texture_y = 0;
};

// One declared object. Which payload member is meaningful follows the type.
struct Declaration {
  int32_t type = 0;
  int32_t id = 0;
  int32_t from_applet = 0;
  bool has_name = false;
  std::string source_name;
  uint32_t name_offset = 0, name_length = 0;
  uint32_t linked_offset = 0, linked_size = 0;  // size 0: not linked
  int32_t arg1 = 0;  // transparency colour, font size, file mode, plug-in version
  int32_t arg2 = 0;  // load-alpha flag, font engine | 0x10000 no-cache, plug-in revision
  int32_t context = 0;  // script line of the declaration
  int32_t words[PIC_WORDS] = {};  // brush, anim, sprite; button uses words 0..3
  BgPicPayload bgpic;
  DisplayPayload display;
  std::string host_path;    // empty: the applet file
  std::string current_dir;  // relative source names resolve against it; empty: none
  int32_t quiet = 0;
};

// Sets style 2 (linear), centre 0.5/0.5, balance 0.5 and border 0; the rest keeps its values.
void declaration_set_gradient_defaults(qmGradient* g);

// Appends a declaration built from the given fields (the payload members of `decl` are taken for
// the types that carry one). Records the current directory for the types that resolve relative
// names. 0 or ERR_MEM.
int32_t add_declaration(std::vector<Declaration>* list, const Declaration& decl);

// Declares display 1 (640 x 480, centred, titled "Quillmere" or the given title, active).
int32_t add_default_display(std::vector<Declaration>* list, const char* title);

// What the creation reads besides the list.
struct DeclareContext {
  std::string applet_path;     // host of linked data when a record names none
  int64_t applet_offset = 0;   // the applet's offset in its host file
  bool quiet_forced = false;   // the configuration's applet flag or quiet word
  bool settings_reset = false; // applet section 29: no command-line display flags merged
  bool private2 = false;
  uint32_t cmdline_flags = 0;  // display flags given on the command line
  int32_t cmdline_scale_width = 0, cmdline_scale_height = 0;
  int32_t screen_width = 0, screen_height = 0;  // the main screen, for private2
};

// Creates every declared object by calling its command by name: displays last, plug-in
// requirements skipped (start-up tests them before). Adds the default display when no display 1
// is declared. The first failing command ends the creation with its code; the error position
// then names the command and the declaration's line.
int32_t declarations_create(qmState* L, std::vector<Declaration>* list, const DeclareContext& ctx);

}  // namespace qm
