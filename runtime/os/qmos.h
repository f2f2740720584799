// The portable operating-system layer: every library reaches memory, files, directories, time, the
// environment and other programs through these `qmos_` functions.
//
// Names handed to this layer are Latin-1 text, as everything inside the player; the host's file
// names are UTF-8. The layer converts at this boundary in both directions, so a name that a
// directory listing returned opens again. Besides host names it understands "PROGDIR:" (the
// executable's folder) and the virtual names of linked files (":::chunk", see runtime/vfile.h),
// which open read-only as a window on a byte range of a host file or on a registered memory block.
//
// Failures are reported by results (a null handle, 0 for failure, or an error code where the
// function says so); nothing here raises a script error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// ---- Memory ------------------------------------------------------------------------------------

// A block of size bytes (0 for size 0 or when out of memory), zero-filled when clear is 1.
void* qmos_alloc(size_t size, int32_t clear);
void qmos_free(void* block);
// Fresh memory that is about to be written whole (a large file read into it): backed by large
// pages where the system offers them, so that it faults in once per 2 MB instead of once per
// 4 KB page. Only a hint; small blocks are left alone.
void qmos_prepare_bulk_write(void* block, size_t size);
// Makes the whole pages inside a range that is about to be written from end to end (a download)
// present in one go: one system call instead of a page fault per 4 KB page at the first touch.
// Only a hint: false where the system cannot (the pages then come at the first touch as usual),
// so that a caller working through a large block in steps can give up.
bool qmos_prefault(void* block, size_t size);

// ---- Files -------------------------------------------------------------------------------------

inline constexpr int32_t QMOS_MODE_READ = 0;       // "rb"
inline constexpr int32_t QMOS_MODE_WRITE = 1;      // "wb": created or truncated
inline constexpr int32_t QMOS_MODE_READWRITE = 2;  // "r+b", creating the file when it is missing

inline constexpr int32_t QMOS_SEEK_CURRENT = 0;    // from the current position
inline constexpr int32_t QMOS_SEEK_BEGINNING = 1;  // from the window start
inline constexpr int32_t QMOS_SEEK_END = 2;        // from the window end
// Any other seek mode takes the offset as an absolute offset in the host file.

struct qmMemoryBlockEntry;

// An open file. For a plain file the window starts at 0; its length is the file size when opened
// for reading and -1 (unbounded) when opened for writing. A virtual name gives a window: a byte
// range of a host file (stream set) or a memory block (stream null, mem set). Positions are
// relative to the window start and never leave the window.
struct qmFileHandle {
  FILE* fp = nullptr;
  int32_t window = 0;
  int64_t start = 0;
  int64_t length = -1;
  int64_t pos = 0;
  int32_t last_write = 0;
  const uint8_t* mem = nullptr;
  // Keeps the registration of a memory window's block; the window reads nothing once the owner
  // has unregistered the block.
  std::shared_ptr<qmMemoryBlockEntry> block;
  // A handle of qmos_save_open: the host names of the temporary file written and of the file it
  // replaces (empty when the target is written in place).
  std::string save_temp, save_target;
};

// mode is one of QMOS_MODE_*; returns 0 when the file cannot be opened. Virtual names open only
// for reading. Reading (also in QMOS_MODE_READWRITE) opens regular files only: a pipe, socket or
// device is refused at once instead of waiting for data that may never come, and no open waits
// for a pipe's other end.
qmFileHandle* qmos_open(const char* name, int32_t mode);
// 1 on success. A handle of qmos_save_open that was not committed drops its temporary file.
int32_t qmos_close(qmFileHandle* h);
// The host file (host name, UTF-8) as a stdio stream, with qmos_open's rules for mode; null when
// it cannot be opened or is no file for that mode. For readers that do not go through handles.
FILE* qmos_open_stream(const std::string& host, int32_t mode);
// Returns the position before the seek (relative to the window start).
int64_t qmos_seek(qmFileHandle* h, int64_t offset, int32_t mode);
// Return the number of bytes transferred; the position advances by that number. The block
// entries are the same operations under the names the unbuffered IO mode uses.
int64_t qmos_read(qmFileHandle* h, void* buffer, int64_t n);
int64_t qmos_read_block(qmFileHandle* h, void* buffer, int64_t n);
int64_t qmos_write(qmFileHandle* h, const void* buffer, int64_t n);
int64_t qmos_write_block(qmFileHandle* h, const void* buffer, int64_t n);
// The next byte, or -1 at the end of the window or file. The position advances in either case
// (readers of fixed-size fields rely on it).
int32_t qmos_read_byte(qmFileHandle* h);
// A test seam: the observer sees every read (qmos_read, qmos_read_block, qmos_read_byte) with its
// handle and the bytes asked for, so that tests count how far a reader goes. Returns the previous
// observer; null removes it.
using qmReadObserver = void (*)(const qmFileHandle* h, int64_t n);
qmReadObserver qmos_set_read_observer(qmReadObserver observer);
// 1 when the byte was written.
int32_t qmos_write_byte(qmFileHandle* h, int32_t byte);
int32_t qmos_eof(qmFileHandle* h);
// 1 when every byte written so far reached the file; 0 when the stream failed (a full disk, the
// file-size limit), now or in an earlier buffered write.
int32_t qmos_flush(qmFileHandle* h);

// ---- Saving a file whole -------------------------------------------------------------------------
//
// Every writer that makes a file the user names (pictures; sounds, anims and downloads too) saves
// through these two calls, so that a failed save never costs the file that was there:
//
//   qmFileHandle* h = qmos_save_open(name);       // 0: ERR_WRITEFILE
//   ... qmos_write / qmos_seek on h, checking each ...
//   if (!ok) { qmos_close(h); fail; }            // the old file stays, the temporary one goes
//   if (!qmos_save_commit(h)) fail;               // the same on a late failure
//
// qmos_save_open opens a new temporary file beside the target (same folder, so the rename is
// atomic) for writing. qmos_save_commit flushes it, checks that every buffered write reached it,
// closes it (no sync to the disk: the aim is failed writes, not power cuts), gives it the target's
// permission bits (a new file gets those that qmos_open would give it) and renames it over the
// target: readers see the old file or the whole new one, never a part. It answers 1 on success; on any failure it removes the temporary
// file and answers 0, and the target is as it was. Either way the handle is freed.
//
// The target is the file the name reaches: a symbolic link is followed and stays a link. An
// existing file that the user may not write is refused, as opening it would be. An existing
// device or pipe is written in place (nothing of it can be kept), a pipe only while it has a
// reader. A virtual name or a folder is refused.
qmFileHandle* qmos_save_open(const char* name);
int32_t qmos_save_commit(qmFileHandle* h);
// The temporary file's name (player text), for a writer that must be handed a name instead of a
// handle (an image saver plug-in); empty when the target is written in place.
std::string qmos_save_temp_name(const qmFileHandle* h);

// 1 on success, 0 on failure.
int32_t qmos_delete(const char* name);  // a file or an empty directory
int32_t qmos_rename(const char* from, const char* to);
int32_t qmos_mkdir(const char* name);  // mode 0755

// Date record in local time: month 1-12, year in full.
struct qmDate {
  int32_t second = 0, minute = 0, hour = 0, day = 1, month = 1, year = 1970;
};
int32_t qmos_set_file_date(const char* name, const qmDate* date);  // access and modification
// Sets the modification and the access date apart; a null date keeps the file's own. 1 on success.
int32_t qmos_set_file_dates(const char* name, const qmDate* modify, const qmDate* access);

// Protection bits of the file-information record. Host mode bits map to these and back.
inline constexpr uint32_t QMOS_PROT_READ = 0x1;     // owner read
inline constexpr uint32_t QMOS_PROT_WRITE = 0x2;    // owner write
inline constexpr uint32_t QMOS_PROT_EXECUTE = 0x8;  // owner execute
inline constexpr uint32_t QMOS_PROT_GROUP_READ = 0x200;
inline constexpr uint32_t QMOS_PROT_GROUP_WRITE = 0x400;
inline constexpr uint32_t QMOS_PROT_GROUP_EXECUTE = 0x800;
inline constexpr uint32_t QMOS_PROT_OTHER_READ = 0x1000;
inline constexpr uint32_t QMOS_PROT_OTHER_WRITE = 0x2000;
inline constexpr uint32_t QMOS_PROT_OTHER_EXECUTE = 0x4000;
inline constexpr uint32_t QMOS_PROT_DEFAULT = 0x10000;  // in qmos_set_protection: mode 0644
uint32_t qmos_protection_from_mode(uint32_t mode);
uint32_t qmos_mode_from_protection(uint32_t bits);
int32_t qmos_set_protection(const char* name, uint32_t bits);

// The absolute form of name into out (Latin-1). When the name does not resolve, a name beginning
// with '/' is taken as it is and any other is joined to the current directory. 1 on success; 0
// when the result does not fit into size bytes (nothing is cut).
int32_t qmos_full_path(const char* name, char* out, size_t size);
// Changes the current directory; returns the previous one, allocated with qmos_alloc (the caller
// frees it with qmos_free), or 0 when the change or the allocation fails.
char* qmos_change_dir(const char* name);

// Copies path into out with every '\' turned into '/'; 0 when it does not fit (nothing is cut).
int32_t path_to_unix(char* out, size_t size, const char* path);

// ---- Names at the host boundary ----------------------------------------------------------------

// Latin-1 to UTF-8 (always possible).
std::string qmos_latin1_to_utf8(const std::string& text);
// UTF-8 to Latin-1; false (out untouched) when text is not valid UTF-8 or holds characters
// beyond U+00FF.
bool qmos_utf8_to_latin1(const std::string& text, std::string* out);
// The host name for a player name: "PROGDIR:" expanded, '\' read as '/', Latin-1 to UTF-8. When
// existing is set and the converted name does not exist but the name itself does (a host name
// that was not valid Latin-1 text and came back from a listing unconverted), the name itself.
std::string qmos_native_name(const char* name, bool existing);
// True when a script's name of length bytes reaches the host whole: a NUL byte inside would cut
// it short, so that the host acts on another file than the one named. Every reader of a file
// name asks this before the name goes anywhere.
bool qmos_name_is_whole(const char* name, size_t length);
// True when both names reach one existing file: the same device and inode, links followed; a
// virtual name stands for its host file. Commands that copy one file into another refuse that,
// since opening the target would empty the source first.
bool qmos_same_file(const char* a, const char* b);
// A host name (UTF-8) as player text: converted to Latin-1, or unchanged when it cannot be.
std::string qmos_player_name(const std::string& host);
// The running executable's path (host form) and its folder without the trailing '/'.
std::string qmos_executable_path();
std::string qmos_executable_folder();

// ---- Directories and locks ---------------------------------------------------------------------

inline constexpr int32_t QMOS_LOCK_READ = 0;
inline constexpr int32_t QMOS_LOCK_WRITE = 1;

struct qmLock;

// File-information record; the three time stamps are seconds since the epoch.
struct qmFileInfo {
  int32_t is_dir = 0;
  int64_t size = 0;
  uint32_t protection = 0;
  int64_t access_time = 0;
  int64_t modify_time = 0;
  int64_t change_time = 0;
};

// A directory (opened for listing) or a regular file. Write locks are refused with a console line.
qmLock* qmos_lock(const char* name, int32_t write);
void qmos_unlock(qmLock* lock);
// The lock's absolute name (Latin-1).
const std::string& qmos_lock_name(const qmLock* lock);
int32_t qmos_examine(qmLock* lock, qmFileInfo* info);  // 1 on success
// The next entry of a directory lock, skipping "." and ".."; the name is converted to Latin-1
// (left unconverted when it cannot be). 1 for an entry, 0 at the end.
int32_t qmos_next_entry(qmLock* lock, std::string* name, int32_t* is_dir, qmFileInfo* info);
// 0 with *is_dir set for a directory; a file lock is not one: its name goes into the error's
// string slot and ERR_NOTADIR comes back.
int32_t qmos_lock_is_dir(qmLock* lock, int32_t* is_dir);
const char* qmos_volume_name(qmLock* lock);  // always "unimplemented"
void qmos_volume_info(qmLock* lock, uint64_t* free_bytes, uint64_t* used_bytes);  // always 0, 0
void qmos_nop();

// ---- Time --------------------------------------------------------------------------------------

struct qmTimeVal {
  uint32_t seconds = 0;
  uint32_t micros = 0;  // below 1000000
};

// The clock for elapsed time: monotonic, unaffected by changes to the system date. Every user of
// time values measures intervals (timers, timeouts, frame pacing) and only differences count.
void qmos_get_time(qmTimeVal* tv);
// The wall-clock time since the epoch.
void qmos_get_wall_time(qmTimeVal* tv);
void qmos_time_sub(qmTimeVal* a, const qmTimeVal* b);  // a = a - b
void qmos_time_add(qmTimeVal* a, const qmTimeVal* b);  // a = a + b
int32_t qmos_time_cmp(const qmTimeVal* a, const qmTimeVal* b);
// Between time stamps and date records in local time (daylight saving as the host has it).
int64_t qmos_date_to_time(const qmDate* date);
void qmos_time_to_date(int64_t stamp, qmDate* date);

// ---- Environment and language ------------------------------------------------------------------

// An allocated copy of the value (qmos_free), 0 when unset.
char* qmos_getenv(const char* name);
int32_t qmos_setenv(const char* name, const char* value);  // 0 or ERR_SETENV
void qmos_unsetenv(const char* name);

inline constexpr int32_t QMOS_LANGUAGE_ENGLISH = 0;
inline constexpr int32_t QMOS_LANGUAGE_NONE = 18;
inline constexpr int32_t QMOS_COUNTRY_NONE = 38;
// From the environment variable LANG ("de_DE.UTF-8": language 1, country 9).
int32_t qmos_get_language();
int32_t qmos_get_country();
int32_t qmos_language_from(const char* lang);
int32_t qmos_country_from(const char* lang);

// ---- Other programs ----------------------------------------------------------------------------

// Runs a program: synchronously through the shell, or asynchronously as a new process with the
// argument text split at spaces (a double-quoted part is one argument). A path whose file name
// has an extension other than ".app" or ".exe" is a document and goes to the desktop's default
// application. Returns 0, ERR_MEM, ERR_READFILE (the program or document could not be started)
// or ERR_WRONGUSAGE (more than 127 arguments or an open quote).
int32_t qmos_run_program(const char* path, const char* args, int32_t async);

// Opens a document (host name) with the desktop's default application; 0 or an error code.
using qmOpenDocumentFn = int32_t (*)(const std::string& host_path);
// Replaces the opener (tests record the call instead of launching anything); returns the previous
// one. A null function restores the default.
qmOpenDocumentFn qmos_set_document_opener(qmOpenDocumentFn fn);
int32_t qmos_open_document(const char* path);

// ---- The shared 20 ms timer ---------------------------------------------------------------------

namespace qm {
struct ObjectId;
}

// Two users, sound (0) and the event library (1), share one periodic 20 ms interval of the event
// library. It is installed when the first user asks for it and removed when the last one lets it
// go. The event library hands in its interval functions when it starts; until then starting
// fails with ERR_WRONGUSAGE.
inline constexpr int32_t QMOS_TIMER_SOUND = 0;
inline constexpr int32_t QMOS_TIMER_EVENTS = 1;
using qmIntervalAddFn = int32_t (*)(void* context, const qm::ObjectId* id, int32_t ms,
                                    int32_t repeat);
using qmIntervalRemoveFn = void (*)(void* context, const qm::ObjectId* id);
void qmos_set_interval_service(qmIntervalAddFn add, qmIntervalRemoveFn remove);
// 0, or the error of installing the interval.
int32_t qmos_sound_timer_start(void* context, int32_t user);
void qmos_sound_timer_stop(void* context, int32_t user);

// ---- Memory blocks behind virtual names --------------------------------------------------------

// A memory virtual name carries a raw address; the opener accepts it only for a block registered
// here, still registered, with the same address and length. Registering an address again replaces
// its length; unregistering makes windows already open on it read nothing.
void qmos_register_memory(const void* base, uint64_t length);
void qmos_unregister_memory(const void* base);
