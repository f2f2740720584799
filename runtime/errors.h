// Error codes turned into texts, the program's own error codes, the position of an error in the
// script and the error report. Codes themselves are in engine/errcodes.h; message ids and the
// built-in texts in runtime/messages.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/errcodes.h"

struct qmState;

namespace qm {

inline constexpr size_t ERR_ARG_SIZE = 1024;    // the string slot, NUL included
inline constexpr size_t ERR_TEXT_SIZE = 1024;   // a final message text, NUL included
inline constexpr size_t ERR_NAME_SIZE = 1024;   // function name and source name of the position

// The runtime's share of the error context: the two argument slots that fill a message's
// placeholder and the position of the error in the script. Commands fill a slot before returning
// a code whose message has a placeholder. The last error, the exit-on-error flag and the error
// line of the raising frame are kept by the engine (vm_get_last_error and its companions).
struct ErrorContext {
  int32_t line = -1;              // current line of the error position, -1 when none
  int32_t number_arg = 0;         // the %d / %ld value; also the failing-argument index
  char string_arg[ERR_ARG_SIZE] = "";
  char function_name[ERR_NAME_SIZE] = "----";   // "----" = not inside a named function
  char source_name[ERR_NAME_SIZE] = "?";        // chunk name of the code that raised
};

ErrorContext& err_context();

// Restores the position part of the context (function "----", line -1, source "?").
void err_reset_position();

// Copies text into the string slot, cut to fit; returns the slot.
const char* err_set_string_arg(const char* text);
void err_set_number_arg(int32_t n);

// Registers a program error text; returns its code (1499 for the first, then 1500, ...), or
// ERR_MEM when memory runs out (nothing registered then).
int32_t err_add_user(const char* text);
void err_free_user();

// Message id of a built-in code, -1 for the codes whose text the caller sets (1064, 1239).
int32_t err_message_id(int32_t code);

// Text of a message id: the built-in text, through the open catalog. Never NULL.
const char* err_get_message(int32_t id);

// Copies text into out (size bytes, always terminated), filling only its first "%s" with s, or,
// when it has none, its first "%d" or "%ld" with n. Everything else, '%' included, is copied as it
// stands. Returns the length written.
size_t err_fill_placeholder(char* out, size_t size, const char* text, const char* s, int32_t n);

// The final text of code (from the argument slots) into out; returns its length.
size_t err_get_text(int32_t code, char* out, size_t size);

// One include file joined into the script: lines first..last of the joined script are lines
// offset.. of the include file.
struct IncludeRange {
  int32_t first_line = 0;
  int32_t last_line = 0;
  int32_t line_offset = 0;
  std::string file_name;
};

// Where the running script's lines come from. The applet reader and the start-up fill it.
struct ScriptOrigin {
  std::string script;        // the script name; ":none:" when the script came from an applet
  int32_t begin_line = 0;    // first line of the script's own code in the joined script
  std::string applet_file;   // the main applet file (configuration)
  std::vector<IncludeRange> includes;
};

ScriptOrigin& err_script_origin();

// The line within its own file of a line of the joined script, or -1. source_name is the chunk
// name recorded with the position.
int32_t err_map_line(const ScriptOrigin& origin, const char* source_name, int32_t line);

// The file name of the position (empty when there is none).
std::string err_position_file(const ScriptOrigin& origin, const char* source_name, int32_t line);

// The text of the error requester: the text alone when plain; the short form when the function
// name is "----"; else the long form with the function.
std::string err_report_text(const char* text, bool plain, const char* file, int32_t line,
                            const char* function_name);

// The line that the exit writes to a debug device: "file:line: text" or "Error: text".
std::string err_debug_line(const char* file, int32_t line, const char* text);

// The message requester. Until the platform layer takes over, the default prints the title and
// text to stderr and answers 1.
using RequestFn = int32_t (*)(const char* title, const char* text, const char* buttons, int32_t icon);
void err_set_request_fn(RequestFn fn);
int32_t err_system_request(const char* title, const char* text, const char* buttons, int32_t icon);

inline constexpr const char* ERR_REQUEST_TITLE = "QuillmerePlayer";

// Unless quiet, print the translated "done" or "failed" and a line end on the console.
void console_print_done();
void console_print_failed();

}  // namespace qm

// ---- The engine's side ---------------------------------------------------------------------------

namespace qm {

// Hands the runtime's error handling to the engine: returned codes go to err_throw_code, raised
// errors record their position, and the %s text of the engine's own errors lands in the string
// slot.
void err_install(qmState* L);

// Registers every named error code as a script constant (ERR_MEM = 1000, ...). 0 or an error code.
int32_t err_register_constants(qmState* L);

// A code that a command returned: it becomes the last error and is raised only while
// exit-on-error is on (then it does not return). Otherwise 0; outside any protected call the
// error position is cleared.
int32_t err_throw_code(qmState* L, int32_t code);

// Fills the function name and line of the error position from the engine's call levels, keeping
// what an earlier, inner raise already recorded; the source name is that of the innermost level
// with a named source.
void script_error_position(qmState* L);

// The line of the position within its own file, or -1.
int32_t script_line_to_file(qmState* L);

// err_get_text, then the file name and line of the position (either may be null). Without a
// running script the file is empty and the line 0.
size_t err_get_text_and_position(qmState* L, int32_t code, char* out, size_t size, std::string* file, int32_t* line);

// Shows the error requester with the report text; returns the chosen button.
int32_t err_report(qmState* L, const char* text, bool plain, const char* buttons);

}  // namespace qm
