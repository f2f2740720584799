// Requesters: the modal dialogs of the system library, the error report and the first display.
// The message requester is SDL's message box; the file, folder, string, list, font and colour
// requesters run zenity (started with fork/exec and an argument vector, never a shell; the answer
// comes back through a pipe). Every text in and out is Latin-1; the dialogs see UTF-8.
//
// Headless runs never block: every requester first asks the requester responder
// (platform_requester_scripted), whose reply stands for what a person chose:
//   system  the button as the user counts it (1 the first); empty: Escape
//   file    the chosen full paths separated by "|"        path    the folder
//   string  the text                                        list    the row from 0
//   font    "name|size"                                     colour  "#RRGGBB" or "rgb(r,g,b)"
// An empty reply is a cancel (for "system" it is the cancel key).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// ---- the rules, as plain functions -------------------------------------------------------------

inline constexpr int32_t kMaxRequesterButtons = 32;
// Texts and paths that requesters hand back or start with: at most this many bytes.
inline constexpr size_t kRequesterTextMax = 1023;

// Splits a button list at "|": the labels, or -1 for more than 32 of them.
int32_t requester_split_buttons(std::string_view list, std::vector<std::string>* labels);
// The answer of a button list for the button chosen (0-based): index + 1, the last button 0.
int32_t requester_button_result(int32_t index, int32_t count);
// The extensions of a pattern list, each with its leading "."; none means all files (an empty
// list, one that starts with "*", or exactly "#?").
std::vector<std::string> requester_patterns(std::string_view list);
// True when the name ends in one of the extensions (compared without case); always with none.
bool requester_pattern_matches(const std::vector<std::string>& extensions, std::string_view name);

// What the file requester hands back: the folder of the first item (with its trailing "/"), the
// base names of all items in order.
struct FileRequestResult {
  std::string path;
  std::vector<std::string> names;
  int32_t ok = 0;
};
// The record for the full paths chosen; false when a path has no folder part.
bool requester_file_record(const std::vector<std::string>& paths, FileRequestResult* out);

// The numeric rule of the string requester: an optional "-", then digits with at most one "."
// anywhere ("." and "-." alone pass, the empty text does not).
bool requester_is_number(std::string_view text);
// The default text as the string requester starts with it: numeric kinds take "0" for anything
// that is not a number; a maximum above 0 cuts longer texts, and so does the buffer's size.
std::string requester_string_default(std::string_view text, int32_t kind, int32_t max_length);
// The colour a dialog's 16-bit components give: each component / 257, fraction dropped.
int32_t requester_colour_from_16(uint32_t red, uint32_t green, uint32_t blue);
// Parses "#RRGGBB", "rgb(r,g,b)" or "rgba(r,g,b,a)" (8-bit components) into 0xRRGGBB; -1 when
// the text is none of these.
int32_t requester_parse_colour(std::string_view text);

// The size typed into the font requester: a whole number from 1 to kMaxFontRequestSize (the
// sizes the font engine's size search reaches), else 0.
inline constexpr int32_t kMaxFontRequestSize = 4096;
int32_t requester_font_size(std::string_view text);

// ---- the requesters ----------------------------------------------------------------------------

inline constexpr int32_t REQ_NORMAL = 0;
inline constexpr int32_t REQ_MULTISELECT = 1;
inline constexpr int32_t REQ_SAVEMODE = 2;
inline constexpr int32_t REQ_STRING_NUMERICAL = 3;

// The message box: the chosen button counted from 1, the last giving 0; without a button list
// the OK box gives 0; -1 when it cannot be shown (no video, a headless driver, 33 labels). The
// first button is the default; of exactly two, the second is the cancel button.
int32_t platform_system_request(const char* title, const char* text, const char* buttons, int32_t icon);
// True when a message box can reach a person: video runs on a real display (not offscreen, not
// dummy).
bool platform_message_box_possible();

// 1 chosen (out->ok 1), 0 cancelled, -1 failure.
int32_t platform_file_request(const char* title, const char* patterns, int32_t mode, const char* folder,
                              const char* file, FileRequestResult* out);
// 1 with the folder, 0 cancelled, -1 failure.
int32_t platform_path_request(const char* title, const char* folder, std::string* out);
// 1 OK (out filled, at most 1024 bytes), 0 cancelled, -1 failure. The flags' bit 0 hides the
// typed text.
int32_t platform_string_request(const char* title, const char* text, const char* default_text, std::string* out,
                                int32_t max_length, int32_t flags, int32_t kind);
// 1 OK (*selection the row from 0, or -1), 0 cancelled, -1 failure. The row `initial` (-1: none)
// starts chosen.
int32_t platform_list_request(const char* title, const char* text, const std::vector<std::string>& items,
                              int32_t initial, int32_t* selection);
// 1 when a colour was chosen, else 0.
int32_t platform_color_request(const char* title, int32_t initial, int32_t* out);

// The font requester's answer: family, size, weight (80 normal, 200 bold), slant (0, 100
// italic), underline, bold and italic flags.
struct FontRequestResult {
  std::string name;
  int32_t size = 0;
  int32_t weight = 80;
  int32_t slant = 0;
  int32_t underline = 0;
  int32_t bold = 0;
  int32_t italic = 0;
};
// Offers fontconfig's families (the row of the initial font's family marked, a full name mapped
// to its family), then the size, then bold, italic and underline (the initial font's own styles
// marked). 1 (a cancel keeps the initial font and size, without styles).
int32_t platform_font_request(const char* title, const char* name, int32_t size, FontRequestResult* out);

// The dialog program; tests point it elsewhere (an empty name: no program, every dialog cancels).
void platform_set_dialog_program(const char* name);
