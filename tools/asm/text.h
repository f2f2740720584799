// The assembler's text form (see tools/qmasm/README.md) and its inverse.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm::asmx {

// Assembles source text into chunk bytes. On failure returns false with "line N: message".
bool assemble(std::string_view text, std::vector<uint8_t>& chunk, std::string& error);

// The same, and when the text holds applet directives (.applet, .compress, .appletversion, .meta,
// .scriptlabel, .constant, .link, .declare) the result is an applet around the chunk instead;
// files named by .link and link= are read relative to base_dir. The result is a program for the
// player: a function without .lineno or .lines carries the source line of each instruction, the
// main function without .source is named file_name, an applet carries the include records that
// map those lines back to their files, and the chunk passes the player's code check (else false
// with the line of the first fault).
bool assemble_program(std::string_view text, const std::string& base_dir, std::vector<uint8_t>& out,
                      bool& is_applet, std::string& error, const std::string& file_name = "");

// Prints chunk bytes as source text that assembles back to the same bytes.
bool disassemble(const uint8_t* data, size_t size, std::string& text, std::string& error);

}  // namespace qm::asmx
