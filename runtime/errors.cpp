#include "runtime/errors.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <new>

#include "engine/latin1.h"
#include "engine/strutil.h"
#include "runtime/catalog.h"
#include "runtime/messages.h"
#include "runtime/registry.h"
#include "runtime/vfile.h"

namespace qm {
namespace {

ErrorContext g_context;
ScriptOrigin g_origin;
std::vector<std::string> g_user_errors;  // index = code - ERR_FIRST_USER; never shrinks while running

// The one place where a built-in text meets the locale catalog: its own text or the default.
const char* translate(int32_t id, const char* default_text) { return catalog_text(id, default_text); }

const char* builtin_message(int32_t id) {
  for (size_t i = 0; i < kMessageCount; ++i) {
    if (kMessages[i].id == id) return kMessages[i].text;
  }
  return nullptr;
}

// The codes whose %s is a file path that the message shows by its display name only.
bool shows_base_name(int32_t code) {
  switch (code) {
    case ERR_LOADPICTURE: case ERR_READFILE: case ERR_OPENSOUND: case ERR_NOALPHA:
    case ERR_OPENANIM2: case ERR_OPENSOUND2: case ERR_LOADPICTURE2: case ERR_IMAGEERROR:
      return true;
    default:
      return false;
  }
}

// Appends src (n bytes) to out at *pos, never past size - 1.
void append(char* out, size_t size, size_t* pos, const char* src, size_t n) {
  size_t room = size - 1 - *pos;
  if (n > room) n = room;
  std::memcpy(out + *pos, src, n);
  *pos += n;
}

int32_t default_request(const char* title, const char* text, const char*, int32_t) {
  std::fprintf(stderr, "%s: %s\n", title, text);
  return 1;
}

RequestFn g_request = default_request;

}  // namespace

ErrorContext& err_context() { return g_context; }
ScriptOrigin& err_script_origin() { return g_origin; }

void err_reset_position() {
  copy_bounded(g_context.function_name, sizeof g_context.function_name, "----");
  copy_bounded(g_context.source_name, sizeof g_context.source_name, "?");
  g_context.line = -1;
}

const char* err_set_string_arg(const char* text) {
  copy_bounded(g_context.string_arg, sizeof g_context.string_arg, text ? text : "");
  return g_context.string_arg;
}

void err_set_number_arg(int32_t n) { g_context.number_arg = n; }

int32_t err_add_user(const char* text) {
  try {
    g_user_errors.emplace_back(text ? text : "");
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  return ERR_FIRST_USER + static_cast<int32_t>(g_user_errors.size() - 1);
}

void err_free_user() { std::vector<std::string>().swap(g_user_errors); }

int32_t err_message_id(int32_t code) {
  if (code == ERR_OPENFONT || code == ERR_ERRORCALLED) return -1;
  if (code < ERR_FIRST_BUILTIN || code > ERR_LAST_BUILTIN) return MSG_UNKNOWN_CODE;
  // ERR_UNKNOWN is message 91 itself; ERR_CONFIG2 and the unnamed codes have no text of their own.
  if (builtin_message(code) == nullptr || code == ERR_UNKNOWN) return MSG_UNKNOWN_CODE;
  return code;
}

const char* err_get_message(int32_t id) {
  const char* text = builtin_message(id);
  if (text == nullptr) text = builtin_message(MSG_UNKNOWN_CODE);
  const char* translated = translate(id, text);
  return translated ? translated : text;
}

size_t err_fill_placeholder(char* out, size_t size, const char* text, const char* s, int32_t n) {
  if (size == 0) return 0;
  size_t pos = 0;
  const char* hole = std::strstr(text, "%s");
  size_t hole_len = 2;
  char number[16];
  const char* value = s ? s : "";
  if (hole == nullptr) {
    const char* d = std::strstr(text, "%d");
    const char* ld = std::strstr(text, "%ld");
    hole = d;
    if (ld && (!d || ld < d)) hole = ld, hole_len = 3;
    std::snprintf(number, sizeof number, "%" PRId32, n);
    value = number;
  }
  if (hole == nullptr) {
    append(out, size, &pos, text, std::strlen(text));
  } else {
    append(out, size, &pos, text, static_cast<size_t>(hole - text));
    append(out, size, &pos, value, std::strlen(value));
    const char* rest = hole + hole_len;
    append(out, size, &pos, rest, std::strlen(rest));
  }
  out[pos] = '\0';
  return pos;
}

size_t err_get_text(int32_t code, char* out, size_t size) {
  if (size == 0) return 0;
  const ErrorContext& ctx = g_context;
  // A text that the caller set, or a program's own error text, is shown exactly as it is.
  if ((code == ERR_OPENFONT || code == ERR_ERRORCALLED) && ctx.string_arg[0] != '\0') {
    copy_bounded(out, size, ctx.string_arg);
    return std::strlen(out);
  }
  if (code >= ERR_FIRST_USER) {
    size_t index = static_cast<size_t>(code - ERR_FIRST_USER);
    if (index < g_user_errors.size()) {
      copy_bounded(out, size, g_user_errors[index].c_str());
      return std::strlen(out);
    }
  }
  const char* text;
  if (code == ERR_OPENFONT || code == ERR_ERRORCALLED) {
    text = translate(code, builtin_message(code));  // the slot is empty: our fallback text
  } else {
    text = err_get_message(err_message_id(code));
  }
  std::string arg;
  if (vfile_is_virtual(ctx.string_arg) || shows_base_name(code)) {
    arg = vfile_basename(ctx.string_arg);
  } else {
    arg = ctx.string_arg;
  }
  return err_fill_placeholder(out, size, text, arg.c_str(), ctx.number_arg);
}

int32_t err_map_line(const ScriptOrigin& origin, const char* source_name, int32_t line) {
  if (origin.script == ":none:") {
    const char* wanted = (source_name == nullptr || source_name[0] == '?') ? "" : source_name;
    for (const IncludeRange& r : origin.includes) {
      if (r.file_name == wanted && line >= r.first_line && line <= r.last_line)
        return line - r.first_line + r.line_offset + 1;
    }
    return -1;
  }
  int32_t skipped = 0;
  for (const IncludeRange& r : origin.includes) {
    if (str_case_cmp(r.file_name.c_str(), origin.script.c_str()) == 0) skipped += r.last_line - r.first_line;
  }
  return line - origin.begin_line + skipped + 1;
}

std::string err_position_file(const ScriptOrigin& origin, const char* source_name, int32_t line) {
  if (origin.script != ":none:") return origin.script;
  const char* wanted = (source_name == nullptr || source_name[0] == '?') ? "" : source_name;
  for (const IncludeRange& r : origin.includes) {
    if (r.file_name == wanted && line >= r.first_line && line <= r.last_line) return r.file_name;
  }
  return origin.applet_file;
}

std::string err_report_text(const char* text, bool plain, const char* file, int32_t line,
                            const char* function_name) {
  if (plain) return text;
  std::string out = text;
  out += '\n';
  out += err_get_message(MSG_FILE);
  out += ": ";
  out += vfile_basename(file);
  out += " (";
  out += err_get_message(MSG_CURRENT_LINE);
  out += ": ";
  out += std::to_string(line);
  if (std::strcmp(function_name, "----") != 0) {
    out += " - ";
    out += err_get_message(MSG_IN_FUNCTION);
    out += ": ";
    out += function_name;
  }
  out += ')';
  return out;
}

std::string err_debug_line(const char* file, int32_t line, const char* text) {
  if (file != nullptr && file[0] != '\0') return std::string(file) + ':' + std::to_string(line) + ": " + text + '\n';
  return std::string(err_get_message(MSG_ERROR)) + ": " + text + '\n';
}

void err_set_request_fn(RequestFn fn) { g_request = fn ? fn : default_request; }

int32_t err_system_request(const char* title, const char* text, const char* buttons, int32_t icon) {
  return g_request(title, text, buttons, icon);
}

void console_print_done() {
  if (!runtime_flags().quiet) std::printf("%s\n", err_get_message(MSG_DONE));
}

void console_print_failed() {
  if (!runtime_flags().quiet) std::printf("%s\n", err_get_message(MSG_FAILED));
}

}  // namespace qm
