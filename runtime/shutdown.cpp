// shutdown_exit: the one way out of the player once the script state exists.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "runtime/catalog.h"
#include "runtime/errors.h"
#include "runtime/messages.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"
#include "runtime/registry.h"
#include "runtime/startup.h"
#include "runtime/vfile.h"

namespace qm {

namespace {

std::vector<std::string> g_temp_files;
ShutdownTrace g_trace = nullptr;

void trace(const char* step) {
  if (g_trace) g_trace(step);
}

bool is_reported(int32_t code) { return code > 0 && code != ERR_USERABORT; }

void report(int32_t code, Player* p) {
  // The engine keeps the line of the raising instruction; the runtime's context takes it when
  // nothing recorded a position of its own.
  ErrorContext& ctx = err_context();
  if (ctx.line < 0) ctx.line = vm_get_error_line(p->L);
  char text[ERR_TEXT_SIZE];
  std::string file;
  int32_t line = 0;
  err_get_text_and_position(p->L, code, text, sizeof text, &file, &line);
  // A fault of the program file names the file, where the text itself does not.
  if (p->config.reading_program) {
    const std::string name = vfile_basename(p->config.script_path.c_str());
    if (!std::strstr(text, name.c_str()))
      std::snprintf(text + std::strlen(text), sizeof text - std::strlen(text), "\n%s: %s",
                    err_get_message(MSG_FILE), name.c_str());
  }
  p->config.message = text;
  if (config_debug_device()) {
    std::string out = err_debug_line(file.c_str(), line, text);
    platform_debug_write(out.data(), out.size());
  } else {
    err_report(p->L, text, false, err_get_message(MSG_OK));
  }
}

}  // namespace

void shutdown_set_trace(ShutdownTrace t) { g_trace = t; }

void tempfile_register(const char* name) { g_temp_files.emplace_back(name); }

int shutdown_exit(int32_t code, Player* p) {
  qmState* L = p ? p->L : nullptr;
  if (p) p->config.icons = {};
  if (L) {
    TagItem tags[] = {{ATTR_WORD6, 0}, {ATTR_QUIET, p->config.quiet ? 1 : 0}, {0, 0}};
    runtime_set_attrs(L, tags);
  }

  // The library clean-ups in the player's exit order: everything that plays or shows stops before
  // the objects it might still read are freed.
  const PlayerLibraries& libs = startup_libraries();
  for (size_t i = 0; i < libs.cleanup_count; ++i) {
    trace(libs.cleanups[i].name);
    if (libs.cleanups[i].close) libs.cleanups[i].close(L);
  }

  if (p) {
    p->config.foreign.clear();
    p->config.export_commands.clear();
    p->config.export_constants.clear();
    p->config.export_plugins.clear();
  }

  if (is_reported(code) && p && L) {
    trace("report");
    report(code, p);
  }

  trace("registries");
  registry_free_all();
  if (p) p->program = Program{};

  if (L) {
    trace("plugin_libraries");
    plugin_free_libraries(L);
    trace("state");
    line_hook_remove(L);
    vm_close_state(L);
  }
  trace("plugins");
  plugin_unload_all();

  trace("temp_files");
  for (const std::string& name : g_temp_files) qmos_delete(name.c_str());
  g_temp_files.clear();

  trace("catalog");
  delete p;
  catalog_close_runtime();
  trace("platform");
  platform_exit();
  std::fflush(stdout);
  return is_reported(code) ? 1 : 0;
}

}  // namespace qm
