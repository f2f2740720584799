// Number texts of the command line, the .ini file, Val and Eval: "$FF", "-$10", "%101", "0x1f",
// "12.5". Independent of the process locale.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads a number at the start of text. Returns 0 and sets *value and *used (characters read), or
// ERR_SYNTAXERROR (a prefix without digits) or ERR_VALUEEXPECTED (no number at all).
int32_t parse_option_number(const char* text, double* value, size_t* used);
