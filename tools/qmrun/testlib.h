// The small command library of the test runner: enough to observe and steer scripts in tests
// (printing, error codes, Gosub requests, the end request, exit-on-error, the last error and the
// collector). Not part of the player.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/object.h"

namespace qm::testlib {

// Registers the commands as globals: print, fail, raise, gosub, endrequest, exitonerror,
// getlasterror, collect, pcall, call. Output of print goes to `out` when given, else stdout.
void open(qmState* L, std::string* out = nullptr);

// Loads a chunk (bytes of a compiled chunk) and pushes its main function. Returns 0 or an error
// code (nothing pushed then).
int32_t load_chunk(qmState* L, const std::vector<uint8_t>& chunk, const char* name);

// Runs the function on top of the stack protected with no arguments. Returns 0 or the code; on
// error `where` receives "file:line: message" with the given file name.
int32_t run(qmState* L, const char* file, std::string* where);

}  // namespace qm::testlib
