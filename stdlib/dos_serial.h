// The readers and writers of serialised functions and tables, over an open file object. Tests
// and the fuzz target call them directly.
#pragma once

#include <cstdint>
#include <string>

#include "engine/vm.h"
#include "stdlib/dos_internal.h"

namespace dos {

// The length field and chunk of the function at idx at the file's position (text: Base64 lines).
int32_t write_serialized(qmState* L, FileObject* f, int32_t idx, bool text);
// Reads the length field and chunk and pushes the loaded function; 0 or an error code (nothing
// pushed then).
int32_t read_serialized(qmState* L, FileObject* f, bool text);
// The entry list of the table at idx and its end byte. Functions inside are written in the raw
// form whatever text says. Nothing is left on the stack.
int32_t write_serialized_table(qmState* L, int32_t idx, FileObject* f, bool text);
// Reads an entry list and pushes the new table; 0 or an error code (nothing pushed then).
int32_t read_serialized_table(qmState* L, FileObject* f);
// Base64 text to bytes: characters below 33 are skipped, '=' counts as 0, decoding ends after a
// short block. ERR_BADBASE64 for a character outside the alphabet or text ending inside a block.
int32_t base64_decode(const std::string& in, std::string* out);

}  // namespace dos
