// Shared between the files of the dos library: open-file objects, the IO mode, the bounded reads
// and the counted writes that keep a file object's position and size right, and the progress
// callbacks of the long-running commands.
#pragma once

#include <cstdint>
#include <string>

#include "engine/vm.h"
#include "runtime/os/qmos.h"
#include "runtime/registry.h"

namespace dos {

inline constexpr int32_t MODE_READWRITE = 1004;
inline constexpr int32_t MODE_READ = 1005;
inline constexpr int32_t MODE_WRITE = 1006;

// Access kinds handed to the file layer.
inline constexpr int32_t ACCESS_READ = 0;
inline constexpr int32_t ACCESS_WRITE = 1;
inline constexpr int32_t ACCESS_UPDATE = 2;

struct StringFile;

// One open file. position and size are counted here, not asked from the file layer: size is the
// length found at opening, raised whenever a write ends beyond it.
struct FileObject {
  qm::ObjectHeader header;  // type OBJ_FILE
  int32_t mode = 0;
  int32_t access = 0;
  uint64_t position = 0;
  uint64_t size = 0;
  qmFileHandle* handle = nullptr;
  StringFile* string_file = nullptr;  // the defined string this file reads, kept alive while open
};

inline constexpr int32_t IO_BUFFERED = 0;
inline constexpr int32_t IO_UNBUFFERED = 1;
int32_t io_mode();
int64_t io_read(qmFileHandle* h, void* buffer, int64_t n);
int64_t io_write(qmFileHandle* h, const void* buffer, int64_t n);

// 0 with *out, or ERR_FINDARRAY (automatic id) / ERR_FINDFILE with the id as the message number.
int32_t file_object_find(const qm::ObjectId& id, FileObject** out);
// The file object named by argument n; the not-found error is raised.
FileObject* file_arg(qmState* L, int32_t n);

// Reads n bytes at the object's position. ERR_READRANGE when they lie beyond its size (tested in
// 64 bits before anything is read), ERR_READ when fewer came; the position moves by what came.
int32_t file_read(FileObject* f, void* buffer, uint64_t n);
// Writes n bytes; position and size follow what the layer wrote; ERR_WRITE for a short write.
int32_t file_write(FileObject* f, const void* buffer, uint64_t n);
// Moves the handle and the counted position to pos (no checks).
void file_set_position(FileObject* f, uint64_t pos);
inline uint64_t file_bytes_left(const FileObject* f) { return f->position < f->size ? f->size - f->position : 0; }

// A new file object on an open handle for the memory and serial tests and the fuzz target: not in
// the library's list; file_object_free closes it.
FileObject* file_object_wrap(qmFileHandle* h, int32_t access);
void file_object_free(qmState* L, FileObject* f);

// The script's truth rule: nil, false, the number 0 and the empty string are false.
bool truthy(qmState* L, int32_t idx);

// Calls the function at stack index fn protected, with the table on top of the stack as its one
// argument (popped), the runtime's protected-call counter raised around it. 0 with the first
// result in *answer (0 when it is not a number), or the callback's error. A pending end request
// reads as ERR_USERABORT.
int32_t call_progress(qmState* L, int32_t fn, double* answer);

}  // namespace dos

// Commands of the other dos files, registered from the library's one command table.
namespace dos {
// dos_serial.cpp
int32_t cmd_writefunction(qmState* L);
int32_t cmd_readfunction(qmState* L);
int32_t cmd_writetable(qmState* L);
int32_t cmd_readtable(qmState* L);
// dos_pack.cpp
int32_t cmd_compressfile(qmState* L);
int32_t cmd_decompressfile(qmState* L);
// dos_dir.cpp
int32_t cmd_exists(qmState* L);
int32_t cmd_filesize(qmState* L);
int32_t cmd_pathpart(qmState* L);
int32_t cmd_filepart(qmState* L);
int32_t cmd_makedirectory(qmState* L);
int32_t cmd_getvolumeinfo(qmState* L);
int32_t cmd_deletefile(qmState* L);
int32_t cmd_execute(qmState* L);
int32_t cmd_run(qmState* L);
int32_t cmd_changedirectory(qmState* L);
int32_t cmd_getvolumename(qmState* L);
int32_t cmd_readdirectory(qmState* L);
int32_t cmd_fullpath(qmState* L);
int32_t cmd_copyfile(qmState* L);
int32_t cmd_rename(qmState* L);
int32_t cmd_isdirectory(qmState* L);
int32_t cmd_getfileattributes(qmState* L);
int32_t cmd_setfileattributes(qmState* L);
int32_t cmd_gettempfilename(qmState* L);
int32_t cmd_opendirectory(qmState* L);
int32_t cmd_closedirectory(qmState* L);
int32_t cmd_nextdirectoryentry(qmState* L);
int32_t cmd_getcurrentdirectory(qmState* L);
int32_t cmd_applypatch(qmState* L);
int32_t cmd_getenv(qmState* L);
int32_t cmd_setenv(qmState* L);
int32_t cmd_unsetenv(qmState* L);
// The directory objects and temporary copies, registered and freed with the library.
qm::ObjectHeader** directory_list();
void dir_cleanup(qmState* L);
}  // namespace dos
