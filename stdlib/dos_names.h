// Work functions of the dos library on names, paths and dates; tests call them directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/os/qmos.h"

namespace dos {

// "05-Mar-2010 14:07:09" in local time.
std::string date_text(int64_t stamp);
// Exactly that shape: '-' at 2 and 6, ':' at 14 and 17, day 1-31, the month's three letters in
// any case, hours to 23, minutes and seconds to 59. false for anything else.
bool date_parse(const char* text, qmDate* out);
// Up to and including the last '/' or '\' (leading '/' skipped first), else up to and including
// the last ':', else "".
std::string path_part(const std::string& path);
// path + '/' + part, without the '/' when path is empty or ends in '/' or '\'.
std::string path_join(const std::string& path, const std::string& part);
// Creates every missing directory along path; 0 or ERR_CREATEDIR with the path.
int32_t make_path(const char* path);
// The current directory's full name, "" when it cannot be locked.
std::string current_dir_name();
void dir_get_current_name(char* out, size_t size);
// A fresh temporary file, deleted at exit. With a virtual source name its display name's
// extension is kept. 0 or an error code.
int32_t temp_copy_new(const char* source, std::string* out);
// The temporary copy made earlier for this virtual name, or null.
const std::string* temp_copy_find(const char* source);

}  // namespace dos
