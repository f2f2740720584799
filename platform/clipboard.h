// The clipboard: text through SDL's clipboard (UTF-8 there, Latin-1 here), and pictures in a
// slot of this process that holds the PNG bytes of our own last picture write. The slot counts
// only while the system clipboard's text is still what it was right after that write: anyone who
// copies text afterwards replaces the picture. Data of another kind (4) never occurs here.
// SDL 2.26 sends no SDL_CLIPBOARDUPDATE for this process's own writes (offscreen and x11 alike),
// so the writers do not mark them with platform_clipboard_note_own_write: that mark would swallow
// the next change another program makes. The system library tells the displays of its writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int32_t CLIPBOARD_EMPTY = 0;
inline constexpr int32_t CLIPBOARD_TEXT = 1;
inline constexpr int32_t CLIPBOARD_IMAGE = 2;
inline constexpr int32_t CLIPBOARD_UNKNOWN = 4;

// What the clipboard holds: 0 and *kind, or ERR_CLIPOPEN when video cannot start.
int32_t platform_clipboard_type(int32_t* kind);
// Reads the clipboard: *kind, and the text (Latin-1, CRLF and a lone CR turned into LF) for
// kind 1 or the PNG bytes for kind 2. 0, ERR_CLIPOPEN or ERR_CLIPREAD.
int32_t platform_clipboard_read(int32_t* kind, std::string* text, std::vector<uint8_t>* png);
// Puts Latin-1 text (up to its first NUL) on the clipboard. 0 or ERR_CLIPWRITE.
int32_t platform_clipboard_write_text(const std::string& text);
// Puts a picture (its PNG bytes) on the clipboard. 0 or ERR_CLIPWRITE.
int32_t platform_clipboard_write_picture(std::vector<uint8_t> png);
// Empties the clipboard. 0 or ERR_CLIPWRITE.
int32_t platform_clipboard_clear();
// Text as the clipboard's reader hands it back: CRLF and a lone CR become LF.
std::string clipboard_normalise_line_ends(std::string text);
