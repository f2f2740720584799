// The player's main road: main_real starts the player, reads its options and .ini file, opens the
// libraries, runs the program, and ends through shutdown_exit, the one clean-up path that reports
// errors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/applet.h"
#include "runtime/config.h"

struct qmState;

namespace qm {

// What a program reader hands back: the main chunk and the program's metadata.
struct Program {
  std::vector<uint8_t> bytecode;  // a compiled chunk (first byte 27)
  std::string chunk_name;         // the name errors report for the main chunk
  std::string title, version, copyright, author, description;
};

// Reads a compiled chunk file (first byte 27) into out; ERR_NOAPPLET for any other file.
int32_t read_chunk_file(qmState* L, const char* path, Config* config, Program* out);

// Everything main_real keeps for one run. The registry holds "applet" = &program and "clargs" =
// &config as light user data.
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

// The libraries in the order they open; the entry after the last holds no function.
struct LibraryEntry {
  const char* name;
  int32_t (*init)(qmState* L);
};
extern const LibraryEntry kLibraryTable[];

// The banner: "QuillmerePlayer 5.0 [Linux]" and the maker's notice, the system's one-line
// description, a line with one blank and an empty line.
std::string startup_banner();

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
