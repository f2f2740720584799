// The project record: what the program reader hands back for one run, the main chunk with the
// program's metadata and its linked files. Start-up keeps it under the registry key "applet",
// where every reader that resolves a script's file name finds it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/vfile.h"

struct qmState;

namespace qm {

struct Program {
  std::vector<uint8_t> bytecode;  // a compiled chunk (first byte 27)
  std::string chunk_name;         // the name errors report for the main chunk
  std::string title, version, copyright, author, description;
  qmLinkedFiles linked;           // empty for a program that is no applet
};

// Registers program as the project record of L (null: none).
void project_register(qmState* L, Program* program);
// The project record of L, or null when none is registered.
const Program* project_record(qmState* L);

}  // namespace qm
