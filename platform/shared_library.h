// Libraries opened when the player first needs them rather than when it starts (FFmpeg for sound
// files and movies, libtiff for TIFF pictures): a library linked in costs every start the dynamic
// loader's mapping and relocation of it and of everything it needs.
#pragma once

#include <string>

namespace qm {

// Opens the shared library by soname, its symbols bound at once and reachable only through
// dlsym on the handle: the handle, or null with the loader's reason in `why`.
void* shared_library_open(const char* soname, std::string* why);

}  // namespace qm
