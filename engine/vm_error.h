// The engine's non-local error exit: raising an error code unwinds to the innermost protected
// call as a C++ exception. Only the engine throws it; everything else returns error codes.
#pragma once

#include <cstdint>

namespace qm {

struct ScriptError {
  int32_t code;  // the error code (1000..1498 built-in, 1499 and above the program's own)
};

// A command's own error on its way to the command-calling path (vm_command_fail), which turns it
// into the command's result code.
struct CommandError {
  int32_t code;
};

}  // namespace qm
