// The applet: a program's compiled bytecode with its declared objects, linked files, labels,
// constants and metadata, as a file of tagged sections. It is a file of its own or appended to a
// copy of the player's executable, whose applet-location record then says where it begins.
//
// Applet layout (all numbers big-endian; offsets count from the first byte of the magic):
//   "QMA\0" (plain) or "QMZ\0" (compressed: 4 reserved bytes and one zlib stream that inflates
//   to a plain applet), then sections: a one-byte tag and its payload. Tag 1 (the bytecode) ends
//   the section list; nothing after it is read.
//
// The applet is untrusted input: every string field and array is bounded, every offset and size
// is checked against the file, and the end of the file inside any field is ERR_UNEXPECTEDEOF.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/declare.h"
#include "runtime/errors.h"
#include "runtime/vfile.h"

struct qmState;

namespace qm {

// ---- The applet-location record -----------------------------------------------------------------

// 48 bytes in the executable's constant data, patched by qmappend after linking:
//   0  32  marker text, NUL-padded
//   32  4  file offset of the appended applet; 0xDEADC0DE: none appended
//   36  4  0xC0DECAFE
//   40  4  0xC0CAC01A
//   44  4  0
struct AppletLocation {
  char marker[32];
  uint8_t offset[4];
  uint8_t magic1[4];
  uint8_t magic2[4];
  uint8_t zero[4];
};
static_assert(sizeof(AppletLocation) == 48);

inline constexpr uint32_t APPLET_NO_OFFSET = 0xDEADC0DE;
inline constexpr size_t APPLET_LOCATION_SIZE = 48;

// The record as it is in this executable (read through a volatile, so the patched bytes count).
AppletLocation applet_location_copy();
// The offset of the applet appended to this executable, or -1 when none is.
int64_t applet_location_offset(const AppletLocation& loc);
// The 48 bytes an unpatched record holds (for tools that find and patch it).
void applet_location_template(uint8_t out[APPLET_LOCATION_SIZE]);

// ---- Reading an applet --------------------------------------------------------------------------

inline constexpr size_t APPLET_TEXT_SIZE = 256;  // metadata texts, NUL included

// The project settings an applet carries besides its declarations.
struct AppletSettings {
  int32_t display_mode = 0;
  int32_t hide_title = -1;
  int32_t screen_width = -1, screen_height = -1, screen_depth = -1;
  bool private2 = false;
  bool settings_reset = false;
  // Backfill block.
  int32_t backfill = 0;
  uint32_t color = 0;
  int32_t start_color = -1, end_color = -1;
  int32_t brush = 0;
  int32_t pic_x = -100000, pic_y = -100000;
  int32_t scale_picture = 0;
};

struct Applet {
  std::string path;          // the file read (player text); "/proc/self/fd/N" for "QMZ"
  int64_t offset = 0;        // the applet's offset in path
  bool compressed = false;
  std::shared_ptr<int> temp_fd;  // the unlinked inflated copy of a "QMZ" applet, open while held
  int32_t version = 0;       // major * 100 + minor; 0 when the applet names none
  std::vector<uint8_t> bytecode;
  std::string title, version_text, copyright, author, description;
  std::vector<Declaration> declarations;
  std::vector<IncludeRange> includes;
  qmLinkedFiles linked;
  AppletSettings settings;
};

// Reads the applet at `offset` in the file `path` (player text). Labels go into the registry
// table "labels" and constants into the script constants of L (when L is set). On any return
// after the file was opened, the registry entry "script" is ":none:".
// 0, or: ERR_FILEEXIST (path missing), ERR_READFILE, ERR_NOAPPLET (four bytes or less, or no
// magic), ERR_UNEXPECTEDEOF, ERR_UNKNOWNSEC (unknown tag, or a field over its bound),
// ERR_APPLETVERSION (newer than 5.0), ERR_MEM, or the inflation's code.
int32_t applet_read(qmState* L, const char* path, int64_t offset, Applet* out);

// The declaration context for creating an applet's objects.
DeclareContext applet_declare_context(const Applet& applet);

// ---- Linked files of the running applet ---------------------------------------------------------

// The name to open for a script's file name: linked_file_resolve over the linked files of the
// project record under the registry key "applet" (the name unchanged when there is none).
std::string linked_file_lookup(qmState* L, const char* name, int32_t font_kind, int32_t* is_font);

}  // namespace qm
