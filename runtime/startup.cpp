// main_real and startup_init: the player's life in one straight sequence. There is no event loop
// here; the program's main chunk runs its own.
#include "runtime/startup.h"

#include <sys/utsname.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>

#include "engine/errcodes.h"
#include "engine/vm.h"
#include "platform/fonts.h"
#include "platform/platform.h"
#include "runtime/applet.h"
#include "runtime/catalog.h"
#include "runtime/declare.h"
#include "runtime/errors.h"
#include "runtime/messages.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"
#include "runtime/registry.h"
#include "runtime/vfile.h"

namespace qm {

namespace {
const PlayerLibraries kNoLibraries{};
const PlayerLibraries* g_libraries = &kNoLibraries;
}  // namespace

void startup_register_libraries(const PlayerLibraries* libraries) {
  g_libraries = libraries ? libraries : &kNoLibraries;
}

const PlayerLibraries& startup_libraries() { return *g_libraries; }

namespace {

constexpr int32_t kVersionMajor = 5;
constexpr int32_t kVersionMinor = 0;

// Runs f inside a protected call so that a raised error comes back as its code.
template <typename F>
int32_t run_protected(qmState* L, F&& f) {
  struct Box {
    F* f;
    int32_t result;
  } box{&f, 0};
  int32_t status = vm_cpcall(
      L, [](qmState* L2, void* ud) {
        Box* b = static_cast<Box*>(ud);
        b->result = (*b->f)(L2);
      },
      &box);
  return status != 0 ? status : box.result;
}

int32_t open_libraries(qmState* L) {
  const PlayerLibraries& libs = startup_libraries();
  for (size_t i = 0; i < libs.library_count; ++i) {
    const LibraryEntry& lib = libs.libraries[i];
    if (!lib.open) continue;
    int32_t err = run_protected(L, [&lib](qmState* L2) {
      vm_push_value(L2, QM_GLOBALSINDEX);
      return lib.open(L2);
    });
    vm_set_top(L, 0);
    if (err) return err;
  }
  return 0;
}

// The registry entries that libraries look up: the program and configuration records, the
// include-level table and the global "_g".
void set_registry_entries(qmState* L, Player* p) {
  project_register(L, &p->program);
  vm_reg_set_pointer(L, "clargs", &p->config);
  vm_push_string(L, "inclevels");
  vm_new_table(L);
  vm_push_string(L, "count");
  vm_push_number(L, 0);
  vm_set_table(L, -3);
  vm_set_table(L, QM_REGISTRYINDEX);
  vm_push_string(L, "_g");
  vm_push_value(L, QM_GLOBALSINDEX);
  vm_set_table(L, QM_GLOBALSINDEX);
}

void set_attr(qmState* L, int32_t tag, intptr_t value) {
  TagItem tags[] = {{tag, value}, {0, 0}};
  runtime_set_attrs(L, tags);
}

const char* reader_block(qmState*, void* data, size_t* size) {
  auto* state = static_cast<std::pair<const Program*, bool>*>(data);
  if (state->second) {
    *size = 0;
    return nullptr;
  }
  state->second = true;
  *size = state->first->bytecode.size();
  return reinterpret_cast<const char*>(state->first->bytecode.data());
}

// The listing modes: each listing that the options ask for, then the end of the run.
// The plug-ins register only after the command and constant listings, which therefore hold no
// plug-in names. 0, or the failing InitLibrary's code.
// A listing that could not be written fails the run with the file's name: a listing asked for and
// missing is no success.
int32_t listing_written(int32_t ok, const std::string& file) {
  if (ok) return 0;
  err_set_string_arg(file.c_str());
  return ERR_WRITEFILE;
}

int32_t write_listings(Player* p) {
  Config& c = p->config;
  if (!c.export_commands.empty())
    if (int32_t err =
            listing_written(export_command_list(c.export_commands.c_str()), c.export_commands))
      return err;
  if (!c.export_constants.empty())
    if (int32_t err = listing_written(export_constant_list(p->L, c.export_constants.c_str()),
                                      c.export_constants))
      return err;
  if (c.export_plugins.empty()) return 0;
  if (int32_t err = register_plugin_formats(p->L, c.executable_path.c_str())) return err;
  return listing_written(plugin_export_list(c.export_plugins.c_str()) == 0, c.export_plugins);
}

bool asks_for_help(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i] ? argv[i] : "";
    if (std::strcmp(a, "-h") == 0 || std::strcmp(a, "-help") == 0 ||
        std::strcmp(a, "--help") == 0 || std::strcmp(a, "-?") == 0)
      return true;
  }
  return false;
}

// Declared plug-in requirements, tested before any object is made.
int32_t require_plugins(const Player* p) {
  if (!p->has_applet) return 0;
  for (const Declaration& d : p->applet.declarations) {
    if (d.type != DECL_PLUGIN) continue;
    if (int32_t err = plugin_require(d.source_name.c_str(), d.arg1, d.arg2)) return err;
  }
  return 0;
}

// The applet's declared objects, created by the commands a program would call, with the
// command line's display settings merged in.
int32_t create_declared(qmState* L, Player* p) {
  DeclareContext ctx = applet_declare_context(p->applet);
  ctx.quiet_forced = p->config.applet || p->config.quiet;
  ctx.cmdline_flags = p->display.flags;
  ctx.cmdline_scale_width = p->display.scale_width;
  ctx.cmdline_scale_height = p->display.scale_height;
  if (ctx.private2) {
    // Display 1 of the desktop display covers the main screen.
    if (int32_t err = platform_video_start()) return err;
    ctx.screen_width = platform_get_attr(nullptr, PLATATTR_SCREENWIDTH);
    ctx.screen_height = platform_get_attr(nullptr, PLATATTR_SCREENHEIGHT);
  }
  return declarations_create(L, &p->applet.declarations, ctx);
}

}  // namespace

int32_t read_program(Player* p) {
  Config& c = p->config;
  const char* path = c.script_path.c_str();
  int64_t offset = 0;
  if (c.applet) {
    offset = applet_location_offset(applet_location_copy());
  } else {
    // A compiled chunk starts with byte 27; everything else is read as an applet.
    std::ifstream in(qmos_native_name(path, true), std::ios::binary);
    if (in && in.peek() == 27) return read_chunk_file(p->L, path, &c, &p->program);
  }
  Applet& a = p->applet;
  int32_t err = applet_read(p->L, path, offset, &a);
  if (err) return err;
  p->has_applet = true;
  c.applet = true;
  c.quiet = true;  // an applet always runs quiet
  set_attr(p->L, ATTR_QUIET, 1);
  ScriptOrigin& origin = err_script_origin();
  origin.applet_file = c.script_path;
  origin.includes = a.includes;
  Program& prog = p->program;
  prog.bytecode = a.bytecode;
  const std::string base = vfile_basename(path);
  prog.chunk_name.assign(1, '=');
  prog.chunk_name.append(base);
  prog.title = a.title;
  prog.version = a.version_text;
  prog.copyright = a.copyright;
  prog.author = a.author;
  prog.description = a.description;
  prog.linked = a.linked;
  vfile_set_applet_base(a.linked.base);
  return 0;
}

int32_t read_chunk_file(qmState* L, const char* path, Config*, Program* out) {
  err_set_string_arg(path);
  std::ifstream in(qmos_native_name(path, true), std::ios::binary);
  if (!in) return ERR_READFILE;
  out->bytecode.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return ERR_READFILE;
  if (out->bytecode.empty() || out->bytecode[0] != 27) return ERR_NOAPPLET;
  out->chunk_name = std::string("@") + path;
  // Error positions name the chunk file; its lines are the script's own.
  reg_set_string(L, "script", path);
  vm_push_string(L, "beginline");
  vm_push_number(L, 1);
  vm_set_table(L, QM_REGISTRYINDEX);
  return 0;
}

std::string startup_usage(const char* program) {
  const char* slash = program ? std::strrchr(program, '/') : nullptr;
  std::string name = slash ? slash + 1 : program && *program ? program : "quillmere";
  std::string out = "Usage: " + name + " [options] <applet or bytecode file>\n";
  out += "Runs a Quillmere applet (or a compiled chunk); options are not case-sensitive.\n";
  bool compiler = false;
  for (const OptionDef* row = kOptionTable; row->name; ++row) {
    // The player holds no compiler: its options only end the run, so the usage leaves them out.
    if (row->help_heading) compiler = row->id == OPT_COMPILE;
    if (!row->help || compiler) continue;
    if (row->help_heading) out += std::string("\n") + row->help_heading + "\n";
    std::string word = std::string("  -") + row->name;
    if (row->argument_template) word += std::string(" ") + row->argument_template;
    word.resize(std::max<size_t>(word.size() + 1, 28), ' ');
    out += word + row->help;
    if (row->allowed_values) out += std::string(" (") + row->allowed_values + ")";
    out += "\n";
  }
  return out;
}

std::string startup_banner() {
  char line[256];
  std::snprintf(line, sizeof line, "QuillmerePlayer %d.%d [Linux] (C) by the Quillmere developers\n",
                kVersionMajor, kVersionMinor);
  std::string out = line;
  struct utsname u {};
  if (uname(&u) == 0) {
    out += std::string(u.sysname) + " " + u.release + " " + u.machine + "\n";
  } else {
    out += "Linux\n";
  }
  out += " \n\n";
  return out;
}

namespace {

// The usage on standard error; the run ends with status 1 and no report.
int32_t usage(Player* p, const char* program) {
  std::fputs(startup_usage(program).c_str(), stderr);
  p->config.usage = true;
  return ERR_USERABORT;
}

}  // namespace

int32_t startup_init(Player* p, int argc, const char* const argv[]) {
  qmState* L = p->L;
  Config& c = p->config;

  if (int32_t err = platform_init()) return err;
  // Fonts linked into the applet reach the font engine as their whole data, read through the
  // file layer.
  platform_set_font_data_reader(file_read_whole);
  catalog_open_runtime();
  // The CRC-32 table is a constant of the checksum code; nothing to fill here.

  int64_t appended_offset = applet_location_offset(applet_location_copy());
  bool appended = appended_offset >= 0;
  c.executable_path = qmos_player_name(qmos_executable_path());

  if (!appended && asks_for_help(argc, argv)) return usage(p, argc > 0 ? argv[0] : nullptr);
  OptionValues values;
  if (int32_t err = parse_command_line(argc, argv, &values)) return err;

  // The program: the file named on the command line; an appended applet always wins.
  if (appended) {
    c.script_path = c.executable_path;
    c.applet = true;
  } else if (const char* file = values.str(OPT_FILE)) {
    c.script_path = file;
  } else if (!(values.is_set(OPT_EXPORTCOMMANDS) || values.is_set(OPT_EXPORTCONSTANTS) ||
               values.is_set(OPT_EXPORTPLUGINS))) {
    // Nothing to run: the user is told how to name a program. A listing run needs no program:
    // it ends before any program is read.
    return usage(p, argc > 0 ? argv[0] : nullptr);
  }

  if (const char* out = values.str(OPT_COMPILE)) {
    char full[1024];
    if (out[0] == '/') {
      c.compile_path = out;
    } else if (qmos_full_path(out, full, sizeof full)) {
      c.compile_path = full;
    } else {
      return ERR_ARGS;
    }
  }

  if (!c.script_path.empty()) {
    std::string ini = ini_path_for(qmos_native_name(c.script_path.c_str(), true));
    if (int32_t err = parse_ini_file(ini, &values)) return err;
  }
  if (int32_t err = apply_options(values, &c, &p->display)) return err;

  if (c.applet) c.quiet = true;
  set_attr(L, ATTR_QUIET, c.quiet ? 1 : 0);
  if (!c.quiet) {
    std::fputs(startup_banner().c_str(), stdout);
    std::fflush(stdout);
  }

  set_registry_entries(L, p);
  if (int32_t err = err_register_constants(L)) return err;
  if (int32_t err = open_libraries(L)) return err;

  const PlayerLibraries& libs = startup_libraries();
  for (size_t i = 0; i < libs.set_hook_count; ++i) {
    if (int32_t err = runtime_add_set_hook(libs.set_hooks[i])) return err;
  }
  for (size_t i = 0; i < libs.get_hook_count; ++i) {
    if (int32_t err = runtime_add_get_hook(libs.get_hooks[i])) return err;
  }
  set_attr(L, ATTR_NOSOUND, c.nosound ? 1 : 0);
  set_attr(L, 4, c.setting1);
  return 0;
}

int32_t startup_load_chunk(qmState* L, const Program& program) {
  std::pair<const Program*, bool> state{&program, false};
  return vm_load(L, reader_block, &state, program.chunk_name.c_str());
}

int main_real(int argc, const char* const argv[]) {
  // A write past the file-size limit fails and is reported as the command's error; the signal
  // would end the player instead.
  std::signal(SIGXFSZ, SIG_IGN);
  Player* p = new (std::nothrow) Player;
  if (!p) {
    std::fputs("Not enough memory.\n", stdout);
    return 1;
  }
  p->L = vm_open();
  if (!p->L) {
    std::fputs("Not enough memory.\n", stdout);
    delete p;
    return 1;
  }
  qmState* L = p->L;
  err_install(L);

  if (int32_t err = startup_init(p, argc, argv)) {
    const bool usage = p->config.usage;
    const int status = shutdown_exit(err, p);
    return usage ? 1 : status;
  }

  Config& c = p->config;
  if (!c.export_commands.empty() || !c.export_constants.empty() || !c.export_plugins.empty()) {
    return shutdown_exit(write_listings(p), p);
  }

  if (int32_t err = register_plugin_formats(L, c.executable_path.c_str())) return shutdown_exit(err, p);
  c.reading_program = true;
  if (int32_t err = read_program(p)) return shutdown_exit(err, p);
  c.reading_program = false;

  console_print_file(err_get_message(MSG_COMPILING_SCRIPT), "", true);
  set_attr(L, ATTR_SCRIPT_RUNNING, 1);
  if (int32_t err = startup_load_chunk(L, p->program)) return shutdown_exit(err, p);
  set_attr(L, ATTR_SCRIPT_RUNNING, 0);
  line_hook_install(L);
  console_print_done();

  if (c.compile) return shutdown_exit(ERR_PLAYERCOMP, p);

  console_print_file(err_get_message(MSG_LOADING_APPLET),
                     c.script_alias.empty() ? c.script_path.c_str() : c.script_alias.c_str(), true);
  // Declared objects are made even when there are none: the creation adds the default display 1
  // that every program opens.
  if (int32_t err = require_plugins(p)) return shutdown_exit(err, p);
  {
    set_attr(L, ATTR_WORD6, 1);
    int32_t err = run_protected(L, [p](qmState* L2) { return create_declared(L2, p); });
    if (err) return shutdown_exit(err, p);
  }
  set_attr(L, ATTR_WORD6, 0);
  set_attr(L, ATTR_QUIET, c.quiet ? 1 : 0);
  set_attr(L, ATTR_SCRIPT_RUNNING, 0);
  const PlayerLibraries& libs = startup_libraries();
  if (libs.free_image_cache) libs.free_image_cache();
  // The progress line of the program ends here whether or not it came from an applet, so that the
  // program's own output starts on a line of its own.
  console_print_done();

  if (libs.open_first_display) {
    // Protected: the backfill is made by commands called by name, whose errors end the run here.
    int32_t err = run_protected(L, [&libs, p](qmState* L2) {
      return libs.open_first_display(L2, &p->config, &p->display, p->config.private3.c_str());
    });
    if (err) return shutdown_exit(err, p);
  }

  set_attr(L, ATTR_SCRIPT_RUNNING, 1);
  if (int32_t err = platform_run_main_chunk(L)) return shutdown_exit(err, p);
  return shutdown_exit(0, p);
}

}  // namespace qm
