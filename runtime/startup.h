// The player's main road: main_real starts the player, reads its options and .ini file, opens the
// libraries, runs the program, and ends through shutdown_exit, the one clean-up path that reports
// errors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/applet.h"
#include "runtime/config.h"
#include "runtime/project.h"
#include "runtime/registry.h"

struct qmState;

namespace qm {


// Reads a compiled chunk file (first byte 27) into out; ERR_NOAPPLET for any other file.
int32_t read_chunk_file(qmState* L, const char* path, Config* config, Program* out);

// Everything main_real keeps for one run. The registry holds "applet" = &program (the project
// record) and "clargs" = &config as light user data.
struct Player {
  qmState* L = nullptr;
  Config config;
  DisplaySettings display;
  Program program;
  bool has_applet = false;  // the program came from an applet (file or appended)
  Applet applet;
};

// Reads the program named by the configuration: the applet appended to the player, an applet
// file, or a compiled chunk file. 0 or an error code.
int32_t read_program(Player* player);

// ---- the composition: which libraries the player holds -----------------------------------------
//
// The runtime knows no command library. The player (player/libraries.cpp) fills one
// PlayerLibraries record and registers it before main_real; start-up and exit only walk it.
// A library that arrives adds its open function to `libraries` at its place in the start-up
// order, its clean-ups to `cleanups` at their places in the exit order, and its hooks below.

// One command library, in start-up order. open registers the library's commands and constants
// and records its name for the listing; it runs with the globals table pushed and returns 0 or an
// error code, which stops start-up. A null open stands for a library not built yet: it opens
// without registering anything, so no listing shows it.
struct LibraryEntry {
  const char* name;
  int32_t (*open)(qmState* L);
};

// One step of the exit's library clean-ups, in exit order. close frees what the program left
// open; L is null when the exit comes before the script state exists. Clean-ups report nothing.
struct CleanupEntry {
  const char* name;
  void (*close)(qmState* L);
};

// The composition, with the hooks of the libraries that start-up and the per-line hook call; any
// hook may be null.
struct PlayerLibraries {
  const LibraryEntry* libraries = nullptr;  // start-up order
  size_t library_count = 0;
  const CleanupEntry* cleanups = nullptr;   // exit order
  size_t cleanup_count = 0;
  const AttrHook* set_hooks = nullptr;      // runtime attribute hooks, registered in this order
  size_t set_hook_count = 0;
  const AttrHook* get_hooks = nullptr;
  size_t get_hook_count = 0;
  // Frees the images the picture loaders cached for the declared objects.
  void (*free_image_cache)() = nullptr;
  // Opens display 1 once the declared objects exist; 0 or an error code.
  int32_t (*open_first_display)(qmState* L, const Config* config, const DisplaySettings* display,
                                const char* private3) = nullptr;
  // Serves the host's pending events without waiting (from the per-line hook); 0, or a code that
  // stops the program.
  int32_t (*pump_events)(qmState* L) = nullptr;
};

// Registers the composition (kept by address; it must outlive the run). Without one the player
// runs with no libraries at all.
void startup_register_libraries(const PlayerLibraries* libraries);
const PlayerLibraries& startup_libraries();

// The banner: "QuillmerePlayer 5.0 [Linux]" and the maker's notice, the system's one-line
// description, a line with one blank and an empty line.
std::string startup_banner();
// The usage: the command line's form and the options by section, from the option table.
std::string startup_usage(const char* program);

// Start-up initialisation: platform, catalog, CRC table, options and .ini file, banner, runtime
// services, registry entries and the libraries. 0 or an error code; ERR_USERABORT when there is
// nothing to run (no file and no applet).
int32_t startup_init(Player* player, int argc, const char* const argv[]);

// Loads the program's bytecode and leaves its main function on the stack; 0 or an error code.
int32_t startup_load_chunk(qmState* L, const Program& program);

// The per-line hook: installs it on L and starts the 10 ms tick that lets it pump events; the
// tick stops when the hook is removed.
void line_hook_install(qmState* L);
void line_hook_remove(qmState* L);
// How often the hook has served events so far.
uint64_t line_hook_pumps();

// The whole life of the player. Returns the process exit status: 0 after a normal end, a user
// abort or a code below 1; 1 after a reported error.
int main_real(int argc, const char* const argv[]);

// ---- exit ----------------------------------------------------------------------------------------

// The one way out once the script state exists: the library clean-ups in their fixed order, the
// report of code (unless 0, negative or ERR_USERABORT), the registries, the state, the
// temporary files, the catalog and the platform. player may be null. Returns the exit status.
int shutdown_exit(int32_t code, Player* player);

// Files to delete at exit (player text).
void tempfile_register(const char* name);

// Observes the exit: called with the name of each step as it runs (tests).
using ShutdownTrace = void (*)(const char* step);
void shutdown_set_trace(ShutdownTrace trace);

}  // namespace qm
