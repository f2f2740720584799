// Appending an applet to a copy of the player: the copy's applet-location record gets the offset
// at which the applet begins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// Where the unpatched applet-location record sits in an executable's bytes; -1 when it is not
// there, -2 when it is there more than once (the patch would be ambiguous).
int64_t find_location_record(const std::vector<uint8_t>& exe);

// The player's bytes with the applet appended and the record patched. Empty with a message in
// *error when the record is not found exactly once or the result would not fit the 32-bit
// offset.
std::vector<uint8_t> append_applet(const std::vector<uint8_t>& player,
                                   const std::vector<uint8_t>& applet, std::string* error);

}  // namespace qm
