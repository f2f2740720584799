// The runtime's hooks in the engine's error path and the position of an error in the script.
#include <array>
#include <cstdio>
#include <cstring>

#include "engine/numconv.h"
#include "engine/strutil.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "platform/requester.h"
#include "runtime/errors.h"
#include "runtime/registry.h"

namespace qm {
namespace {

int32_t throw_code_hook(qmState* L, int32_t code) { return err_throw_code(L, code); }

void error_text_hook(qmState*, const char* text) { err_set_string_arg(text); }

void error_number_hook(qmState*, int32_t n) { err_set_number_arg(n); }

bool has_name_kind(const char* namewhat) {
  return std::strcmp(namewhat, "global") == 0 || std::strcmp(namewhat, "local") == 0 ||
         std::strcmp(namewhat, "method") == 0 || std::strcmp(namewhat, "field") == 0;
}

bool unnamed_yet(const ErrorContext& ctx) { return std::strcmp(ctx.function_name, "----") == 0; }

// The script as the start-up recorded it, with the include ranges of the applet.
ScriptOrigin current_origin(qmState* L) {
  ScriptOrigin origin = err_script_origin();
  if (const char* script = vm_reg_get_string(L, "script")) origin.script = script;
  origin.begin_line = to_i32(vm_reg_get_number(L, "beginline"));
  return origin;
}

}  // namespace

void err_install(qmState* L) {
  vm_set_error_hooks(L, throw_code_hook, script_error_position, error_text_hook);
  vm_set_error_number_hook(L, error_number_hook);
}

void script_error_position(qmState* L) {
  ErrorContext& ctx = err_context();
  bool have_source = false;
  qmDebug ar{};
  for (int32_t level = 0; vm_get_stack(L, level, &ar) != 0; ++level) {
    vm_get_info(L, "Sln", &ar);
    if (!have_source && ar.source != nullptr && ar.source[0] != '?' && ar.source[0] != '=') {
      copy_bounded(ctx.source_name, sizeof ctx.source_name, ar.source);
      have_source = true;
    }
    bool is_command = std::strcmp(ar.what, "C") == 0;
    // The main chunk is no function of the script's own: an error there keeps "----".
    bool is_script = std::strcmp(ar.what, "Quillmere") == 0;
    if (unnamed_yet(ctx)) {
      if (has_name_kind(ar.namewhat)) {
        const char* name;
        if (is_command) {
          name = ar.name ? library_command_name(ar.name) : nullptr;
          if (name == nullptr) name = "?";
        } else if (is_script) {
          name = ar.name ? ar.name : "anonymous";
        } else {
          continue;
        }
        copy_bounded(ctx.function_name, sizeof ctx.function_name, name);
      } else if (ar.namewhat[0] == '\0' && is_script) {
        copy_bounded(ctx.function_name, sizeof ctx.function_name, "<<unnamed>>");
      }
    }
  }
  if (ctx.line == -1) {
    // A raise from a script frame has its own line; one from inside a command (which has none)
    // takes the line of the script code that called it.
    ctx.line = vm_get_error_line(L);
    if (ctx.line < 0 && vm_get_stack(L, 1, &ar) != 0) {
      vm_get_info(L, "l", &ar);
      ctx.line = ar.currentline;
    }
  }
}

int32_t script_line_to_file(qmState* L) {
  const ErrorContext& ctx = err_context();
  return err_map_line(current_origin(L), ctx.source_name, ctx.line);
}

size_t err_get_text_and_position(qmState* L, int32_t code, char* out, size_t size, std::string* file, int32_t* line) {
  size_t n = err_get_text(code, out, size);
  const ErrorContext& ctx = err_context();
  bool running = runtime_flags().script_running;
  if (file) *file = running ? err_position_file(current_origin(L), ctx.source_name, ctx.line) : std::string();
  if (line) *line = running ? script_line_to_file(L) : 0;
  return n;
}

int32_t err_report(qmState* L, const char* text, bool plain, const char* buttons) {
  const ErrorContext& ctx = err_context();
  std::string report;
  if (plain || !runtime_flags().script_running) {
    report = text;
  } else {
    ScriptOrigin origin = current_origin(L);
    std::string file = err_position_file(origin, ctx.source_name, ctx.line);
    report = err_report_text(text, false, file.c_str(), err_map_line(origin, ctx.source_name, ctx.line),
                             ctx.function_name);
  }
  // Where a box shows, a user at the terminal sees the report there too. (Without one, the
  // message box itself writes its text to standard error.)
  if (platform_message_box_possible()) {
    std::string line =
        platform_latin1_to_utf8(std::string(ERR_REQUEST_TITLE) + ": " + report + "\n");
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
  }
  return err_system_request(ERR_REQUEST_TITLE, report.c_str(), buttons, 0);
}

int32_t err_register_constants(qmState* L) {
  static const auto rows = [] {
    std::array<qmConstant, kErrorNameCount + 1> r{};
    for (int i = 0; i < kErrorNameCount; ++i) r[i] = {kErrorNames[i].name, nullptr, double(kErrorNames[i].code)};
    r[kErrorNameCount] = {nullptr, nullptr, 0.0};
    return r;
  }();
  return vm_register_constants(L, rows.data(), 0);
}

int32_t err_throw_code(qmState* L, int32_t code) {
  vm_set_last_error(L, code);
  bool raise = vm_get_exit_on_error(L) != 0;
  if (runtime_flags().protected_calls == 0) {
    if (!raise) {
      err_reset_position();
      return 0;
    }
    // The report is under way from here on: the call tracer keeps quiet.
    vm_set_error_pending(L, 1);
  }
  if (raise) vm_raise_error(L, code);
  return 0;
}

}  // namespace qm
