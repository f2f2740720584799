// Virtual files, linked files and the endian readers and writers over the file layer.
//
// A linked file stays inside the applet's host file or in memory; the player names it with a
// virtual name that the file layer (runtime/os/qmos.h) opens like a file:
//   ":::chunk<offset>:<length>*<display name>/<host path>"   a byte range of a host file
//   ":::chunkS<segment>:<length>*<display name>/<address>"   a memory block (address in hex)
// The display name is the name the script knows; a '/' in it is written as '\' so that the first
// '/' after the '*' always starts the host part. A memory name opens only while its block is
// registered (qmos_register_memory) with the same address and length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/os/qmos.h"

inline constexpr size_t VFILE_NAME_SIZE = 1024;  // a virtual name has at most 1023 characters

// Writes a virtual name into out. offset -1: the memory form, with base as the segment number and
// host taken as the address of the data. Otherwise the host-file form with offset + base as the
// byte offset in the host file. 1 on success, 0 when the name does not fit into size (nothing is
// cut) or the offset is negative.
int32_t vfile_make_chunk_name(const char* display, char* out, size_t size, int64_t offset,
                              uint64_t length, int64_t base, const char* host);

// A virtual name taken apart.
struct qmVirtualName {
  bool memory = false;
  int32_t segment = 0;
  uint64_t offset = 0;  // host-file form
  uint64_t length = 0;
  std::string display;
  std::string host;       // host-file form: the host path (player text)
  uintptr_t address = 0;  // memory form
};

// True when name begins with ":::chunk" (case-sensitive).
bool vfile_is_virtual(const char* name);
// Takes a virtual name apart; false when it is malformed.
bool vfile_parse_name(const char* name, qmVirtualName* out);

// The name for messages: for a virtual name its display name; otherwise the part after the last
// '/' or '\' (empty when the path ends in one; a path of fewer than 2 characters whole), else the
// part after the first ':', else the path itself.
std::string vfile_basename(const char* path);
// Appends name to path in a buffer of size bytes, inserting '/' unless path is empty or ends in
// '/' or '\'. 0 when the result does not fit (path is then unchanged).
int32_t path_add_part(char* path, size_t size, const char* name);
// The part after the last '/', '\' or ':'.
const char* path_file_part(const char* path);

// A new, empty temporary file for the copy of a virtual file; its name ends in the extension of
// the virtual name's display name. 1 on success.
int32_t vfile_temp_name(char* out, size_t size, const char* virtual_name);

// Copies a real or virtual file into a new real file in blocks of 16384 bytes. 0, or ERR_MEM,
// ERR_READFILE (source cannot be opened), ERR_WRITEFILE (destination cannot be created or
// written); the name concerned goes into the error's string slot before each open.
int32_t file_copy(const char* source, const char* destination);

// The whole of a real or virtual file in memory (the data of a linked font). False when it
// cannot be opened or read whole, or memory runs out.
bool file_read_whole(const char* name, std::vector<uint8_t>* out);

// ---- Linked files ------------------------------------------------------------------------------

// One file linked into the applet. Font entries are named "::font:" + the font name (without
// ".font" for bitmap fonts).
struct qmLinkedFile {
  std::string name;
  std::string host;    // host file (player text); empty: the applet file itself
  int32_t offset = 0;  // within the applet; -1: the data is in memory
  uint32_t length = 0;
  const uint8_t* data = nullptr;  // offset -1: the bytes, registered with qmos_register_memory
};

struct qmLinkedFiles {
  std::vector<qmLinkedFile> files;
  int64_t base = 0;         // the applet's offset in its host file (0 for a separate applet)
  std::string applet_path;  // the applet file (player text)
};

// The name to open for a script's file name: a virtual name when the applet links a file of
// that name, else the name unchanged. font_kind 0 is a plain lookup; otherwise ".ttf" and ".otf"
// names are plain, "x.font" looks for the font entry x and any other name for the font entry of
// the whole name. *is_font is set when a font entry was found. Names compare case-insensitively
// (Latin-1) with '\' read as '/'.
std::string linked_file_resolve(const qmLinkedFiles& linked, const char* name, int32_t font_kind,
                                int32_t* is_font);

// The running applet's offset in its host file (linked.base), for readers that meet offsets
// within the applet inside linked data (a linked bitmap font's list of size files). 0 until an
// applet is read.
void vfile_set_applet_base(int64_t base);
int64_t vfile_applet_base();

// ---- Locks on real or virtual names ------------------------------------------------------------

struct qmVLock {
  qmLock* real = nullptr;  // null for a virtual name
  std::string vname;
};

qmVLock* vfile_lock(const char* name, int32_t mode);  // 0 when a real name cannot be locked
void vfile_unlock(qmVLock* lock);
// A virtual lock reads as a file of the name's length, protection 15, every date stamp
// 16 August 1982 00:00:00 local time.
int32_t vfile_examine(qmVLock* lock, qmFileInfo* info);
// 0 with *is_dir set, or ERR_NOTADIR with the name in the error's string slot.
int32_t vfile_lock_is_dir(qmVLock* lock, int32_t* is_dir);
// The full name of the locked object; for a virtual lock the host file's folder joined with the
// display name ("unknown" when there is none). 1 on success, 0 when it does not fit.
int32_t vfile_lock_name(qmVLock* lock, char* out, size_t size);
int32_t dir_next_entry(qmVLock* lock, std::string* name, int32_t* is_dir, qmFileInfo* info);

// ---- Endian integers over the file layer -------------------------------------------------------

// Bytes are read one at a time in file order. A byte read past the end of the window reads as -1
// and is combined as it is (the result is then garbage, not an error), as readers of fixed-size
// headers expect; they test qmos_eof.
int32_t file_read_be32(qmFileHandle* h);
int32_t file_read_le32(qmFileHandle* h);
int32_t file_read_be16(qmFileHandle* h);  // sign-extended
int32_t file_read_le16(qmFileHandle* h);  // sign-extended
// 1 when every byte was written.
int32_t file_write_be32(qmFileHandle* h, uint32_t value);
int32_t file_write_le32(qmFileHandle* h, uint32_t value);
int32_t file_write_be16(qmFileHandle* h, uint16_t value);
int32_t file_write_le16(qmFileHandle* h, uint16_t value);
