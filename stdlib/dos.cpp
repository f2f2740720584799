// The "dos" library: its command and constant tables, the open-file objects and every stream
// command over them, virtual files, whole-file strings and lines, and the checksum commands. The
// file and directory commands are in dos_dir.cpp, serialised data in dos_serial.cpp, packed
// files in dos_pack.cpp.
//
// Every number a stream command reads or writes is big-endian in the file.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "display/graphics.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/registry.h"
#include "runtime/vfile.h"
#include "stdlib/checksum.h"
#include "stdlib/dos_internal.h"
#include "stdlib/stdlib.h"

using namespace qm;

namespace dos {

// A string defined as a file. The registry reference keeps the script string (and so the bytes
// that the memory window reads) alive; the record lives on while files opened on it are open,
// even after the program undefined it.
struct StringFile {
  StringFile* next = nullptr;
  int32_t ref = -1;
  const char* data = nullptr;
  size_t length = 0;
  bool defined = true;
  int32_t open_files = 0;
};

namespace {

ObjectList g_files;
StringFile* g_strings = nullptr;
int32_t g_io_mode = IO_BUFFERED;

constexpr size_t kPiece = 16384;
constexpr size_t kChecksumPiece = 65536;
constexpr size_t kLinePiece = 1024;

void string_file_release(qmState* L, StringFile* s) {
  for (StringFile** p = &g_strings; *p; p = &(*p)->next) {
    if (*p == s) {
      *p = s->next;
      break;
    }
  }
  qmos_unregister_memory(s->data);
  if (L) vm_ref_free(L, QM_REGISTRYINDEX, s->ref);
  delete s;
}

StringFile* string_file_by_ref(int32_t ref) {
  for (StringFile* s = g_strings; s; s = s->next)
    if (s->ref == ref && s->defined) return s;
  return nullptr;
}

// The defined string a virtual name reads, or null.
StringFile* string_file_by_name(const std::string& name) {
  qmVirtualName v;
  if (!vfile_parse_name(name.c_str(), &v) || !v.memory) return nullptr;
  for (StringFile* s = g_strings; s; s = s->next)
    if (reinterpret_cast<uintptr_t>(s->data) == v.address && s->length == v.length) return s;
  return nullptr;
}

int32_t file_close(qmState* L, FileObject* f) {
  int32_t result = 0;
  if (f->handle && !qmos_close(f->handle)) result = ERR_WRITE;
  f->handle = nullptr;
  if (StringFile* s = f->string_file) {
    f->string_file = nullptr;
    if (--s->open_files == 0 && !s->defined) string_file_release(L, s);
  }
  if (L) reflist_free(L, f->header.refs);
  f->header.refs = nullptr;
  delete f;
  return result;
}

void file_unlink(FileObject* f) { g_files.remove(&f->header); }

FileObject* readable(qmState* L, int32_t n) {
  FileObject* f = file_arg(L, n);
  if (f->access == ACCESS_WRITE) vm_command_fail(L, ERR_WRITEONLY);
  return f;
}

FileObject* writable(qmState* L, int32_t n) {
  FileObject* f = file_arg(L, n);
  if (f->access == ACCESS_READ) vm_command_fail(L, ERR_READONLY);
  return f;
}

// ---- opening and closing ----

int32_t cmd_openfile(qmState* L) {
  arg_check_count(L, 2, 3);
  bool automatic = vm_type(L, 1) == QM_TNIL;
  ObjectId id;
  if (!automatic) id = arg_get_id(L, 1);
  int32_t mode = to_i32(vm_arg_opt_number(L, 3, MODE_READ));
  int32_t access;
  switch (mode) {
    case MODE_READ: access = ACCESS_READ; break;
    case MODE_WRITE: access = ACCESS_WRITE; break;
    case MODE_READWRITE: access = ACCESS_UPDATE; break;
    default: return ERR_WRONGUSAGE;
  }
  std::string name = mode == MODE_READ ? arg_get_linked_file(L, 2, 0, nullptr) : arg_get_file_name(L, 2, ERR_WRITEFILE);
  if (name.empty()) return ERR_WRONGUSAGE;
  if (!automatic) {
    FileObject* old = nullptr;
    if (file_object_find(id, &old) == 0) {
      file_unlink(old);
      file_close(L, old);
    }
  }
  console_print_file("Opening file %s", name.c_str(), true);
  qmFileHandle* h = qmos_open(name.c_str(), access);
  if (!h) {
    console_print_failed();
    err_set_string_arg(name.c_str());
    return access == ACCESS_READ ? ERR_READFILE : ERR_WRITEFILE;
  }
  auto* f = new (std::nothrow) FileObject();
  if (!f) {
    qmos_close(h);
    console_print_failed();
    return ERR_MEM;
  }
  f->header.type = OBJ_FILE;
  f->header.id = automatic ? ObjectId{0, f} : id;
  f->mode = mode;
  f->access = access;
  f->handle = h;
  qmos_seek(h, 0, QMOS_SEEK_END);
  int64_t size = qmos_seek(h, 0, QMOS_SEEK_BEGINNING);
  f->size = size > 0 ? uint64_t(size) : 0;
  if (StringFile* s = string_file_by_name(name)) {
    s->open_files++;
    f->string_file = s;
  }
  if (!g_files.append(&f->header)) {
    file_close(L, f);
    console_print_failed();
    return ERR_MEM;
  }
  console_print_done();
  if (automatic) {
    vm_push_lightuserdata(L, f);
    return 1;
  }
  return 0;
}

int32_t cmd_closefile(qmState* L) {
  arg_check_count(L, 1, 1);
  FileObject* f = file_arg(L, 1);
  file_unlink(f);
  return file_close(L, f);
}

int32_t cmd_eof(qmState* L) {
  arg_check_count(L, 1, 1);
  FileObject* f = file_arg(L, 1);
  vm_push_number(L, f->position == f->size ? 1 : 0);
  return 1;
}

// ---- reading ----

int32_t read_be(qmState* L, uint8_t* b, uint64_t n) {
  arg_check_count(L, 1, 1);
  FileObject* f = readable(L, 1);
  return file_read(f, b, n);
}

int32_t cmd_readchr(qmState* L) {
  uint8_t b[1];
  if (int32_t err = read_be(L, b, 1)) return err;
  vm_push_number(L, b[0]);
  return 1;
}

int32_t cmd_readshort(qmState* L) {
  uint8_t b[2];
  if (int32_t err = read_be(L, b, 2)) return err;
  vm_push_number(L, get_be16(b));
  return 1;
}

int32_t cmd_readint(qmState* L) {
  uint8_t b[4];
  if (int32_t err = read_be(L, b, 4)) return err;
  vm_push_number(L, int32_t(get_be32(b)));
  return 1;
}

int32_t cmd_readfloat(qmState* L) {
  uint8_t b[8];
  if (int32_t err = read_be(L, b, 8)) return err;
  uint64_t bits = get_be64(b);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  vm_push_number(L, d);
  return 1;
}

int32_t cmd_readstring(qmState* L) {
  arg_check_count(L, 2, 2);
  FileObject* f = readable(L, 1);
  int64_t length = to_i64(vm_arg_check_number(L, 2));
  if (length < 0) return ERR_WRONGUSAGE;
  if (uint64_t(length) > file_bytes_left(f)) return ERR_READRANGE;
  std::string buf;
  try {
    buf.resize(size_t(length));
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  if (int32_t err = file_read(f, buf.data(), buf.size())) return err;
  vm_push_lstring(L, buf.data(), buf.size());
  return 1;
}

int32_t cmd_readline(qmState* L) {
  arg_check_count(L, 1, 1);
  FileObject* f = readable(L, 1);
  if (f->position >= f->size) return ERR_READRANGE;
  std::string line;
  while (f->position < f->size) {
    int32_t c = qmos_read_byte(f->handle);
    f->position++;
    if (c < 0) return ERR_READ;
    if (c == '\n') break;
    if (c != '\r') line += char(c);
  }
  vm_push_lstring(L, line.data(), line.size());
  return 1;
}

// ---- writing ----

int32_t write_be(qmState* L, const uint8_t* b, uint64_t n) { return file_write(writable(L, 1), b, n); }

int32_t cmd_writechr(qmState* L) {
  arg_check_count(L, 2, 2);
  uint8_t b[1] = {uint8_t(to_u32_bits(vm_arg_check_number(L, 2)))};
  return write_be(L, b, 1);
}

int32_t cmd_writeshort(qmState* L) {
  arg_check_count(L, 2, 2);
  uint8_t b[2];
  put_be16(b, uint16_t(to_u32_bits(vm_arg_check_number(L, 2))));
  return write_be(L, b, 2);
}

int32_t cmd_writeint(qmState* L) {
  arg_check_count(L, 2, 2);
  uint8_t b[4];
  put_be32(b, to_u32_bits(vm_arg_check_number(L, 2)));
  return write_be(L, b, 4);
}

int32_t cmd_writefloat(qmState* L) {
  arg_check_count(L, 2, 2);
  double d = vm_arg_check_number(L, 2);
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  uint8_t b[8];
  put_be64(b, bits);
  return write_be(L, b, 8);
}

int32_t cmd_writestring(qmState* L) {
  arg_check_count(L, 2, 3);
  size_t len = 0;
  const char* s = vm_arg_check_string(L, 2, &len);
  int64_t n = to_i64(vm_arg_opt_number(L, 3, 0));
  if (n < 0) return ERR_WRONGUSAGE;
  if (uint64_t(n) > len) return ERR_STRTOOSHORT;
  if (n == 0) n = int64_t(len);
  return file_write(writable(L, 1), s, uint64_t(n));
}

int32_t cmd_writeline(qmState* L) {
  arg_check_count(L, 2, 2);
  size_t len = 0;
  const char* s = vm_arg_check_string(L, 2, &len);
  FileObject* f = writable(L, 1);
  if (int32_t err = file_write(f, s, len)) return err;
  return file_write(f, "\n", 1);
}

// ---- position ----

int32_t cmd_seek(qmState* L) {
  arg_check_count(L, 2, 2);
  FileObject* f = file_arg(L, 1);
  int64_t pos = to_i64(vm_arg_check_number(L, 2));
  if (pos == -1) pos = int64_t(f->size);
  if (pos < 0 || uint64_t(pos) > f->size) return ERR_SEEK;
  file_set_position(f, uint64_t(pos));
  return 0;
}

int32_t cmd_filepos(qmState* L) {
  arg_check_count(L, 1, 1);
  vm_push_number(L, double(file_arg(L, 1)->position));
  return 1;
}

int32_t cmd_filelength(qmState* L) {
  arg_check_count(L, 1, 1);
  vm_push_number(L, double(file_arg(L, 1)->size));
  return 1;
}

int32_t cmd_flushfile(qmState* L) {
  arg_check_count(L, 1, 1);
  return qmos_flush(file_arg(L, 1)->handle) ? 0 : ERR_WRITE;
}

int32_t cmd_setiomode(qmState* L) {
  arg_check_count(L, 1, 1);
  int32_t mode = to_i32(vm_arg_check_number(L, 1));
  if (mode != IO_BUFFERED && mode != IO_UNBUFFERED) return ERR_WRONGUSAGE;
  g_io_mode = mode;
  return 0;
}

// ---- virtual files ----

int32_t cmd_definevirtualfile(qmState* L) {
  arg_check_count(L, 4, 4);
  const char* file = arg_get_file_name(L, 1, ERR_READFILE);
  int64_t offset = to_i64(vm_arg_check_number(L, 2));
  int64_t length = to_i64(vm_arg_check_number(L, 3));
  const char* display = vm_arg_check_string(L, 4, nullptr);
  if (length <= 0 || offset < 0 || !*file) return ERR_WRONGUSAGE;
  // The window holds what the host file holds now; opening it clamps again to what is there then.
  qmFileInfo info;
  qmVLock* lock = vfile_lock(file, QMOS_LOCK_READ);
  if (lock && vfile_examine(lock, &info) && !info.is_dir) {
    length = std::clamp<int64_t>(int64_t(info.size) - offset, 0, length);
  }
  vfile_unlock(lock);
  char name[VFILE_NAME_SIZE];
  if (!vfile_make_chunk_name(display, name, sizeof name, offset, uint64_t(length), 0, file)) return ERR_WRONGUSAGE;
  vm_push_string(L, name);
  return 1;
}

int32_t cmd_definevirtualfilefromstring(qmState* L) {
  arg_check_count(L, 2, 2);
  size_t len = 0;
  const char* data = vm_arg_check_string(L, 1, &len);
  const char* display = vm_arg_check_string(L, 2, nullptr);
  if (len == 0) return ERR_WRONGUSAGE;
  auto* s = new (std::nothrow) StringFile();
  if (!s) return ERR_MEM;
  vm_push_value(L, 1);
  s->ref = vm_ref_new(L, QM_REGISTRYINDEX);
  s->data = data;
  s->length = len;
  char name[VFILE_NAME_SIZE];
  if (!vfile_make_chunk_name(display, name, sizeof name, -1, len, s->ref, data)) {
    vm_ref_free(L, QM_REGISTRYINDEX, s->ref);
    delete s;
    return ERR_WRONGUSAGE;
  }
  qmos_register_memory(data, len);
  s->next = g_strings;
  g_strings = s;
  vm_push_string(L, name);
  return 1;
}

// Only a reference that DefineVirtualFileFromString made is released, and only once; files still
// open on the string keep reading it until they are closed.
int32_t cmd_undefinevirtualstringfile(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* name = vm_arg_check_string(L, 1, nullptr);
  if (std::strncmp(name, ":::chunkS", 9) != 0) return ERR_WRONGUSAGE;
  char* end = nullptr;
  long ref = std::strtol(name + 9, &end, 10);
  if (end == name + 9) return ERR_WRONGUSAGE;
  StringFile* s = string_file_by_ref(int32_t(ref));
  if (!s) return ERR_WRONGUSAGE;
  s->defined = false;
  if (s->open_files == 0) string_file_release(L, s);
  return 0;
}

// ---- whole files ----

size_t read_into(char* dest, size_t len, void* handle) {
  qmos_prepare_bulk_write(dest, len);
  const int64_t got = io_read(static_cast<qmFileHandle*>(handle), dest, int64_t(len));
  return got > 0 ? size_t(got) : 0;
}

int32_t cmd_filetostring(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* name = arg_get_file_name(L, 1, ERR_READFILE);
  qmFileHandle* h = qmos_open(name, QMOS_MODE_READ);
  if (!h) {
    err_set_string_arg(name);
    return ERR_READFILE;
  }
  std::unique_ptr<qmFileHandle, int32_t (*)(qmFileHandle*)> guard(h, qmos_close);
  // The size the file reports is read in one go straight into the string. What comes after it (a
  // file that grew, or one that reports no size) is read on in pieces and joined to it.
  if (int32_t err = vm_push_lstring_filled(L, size_t(std::max<int64_t>(h->length, 0)), read_into, h)) return err;
  std::string rest;
  try {
    for (size_t used = 0;;) {
      rest.resize(used + kPiece);
      const int64_t got = io_read(h, rest.data() + used, int64_t(kPiece));
      if (got <= 0) {
        rest.resize(used);
        break;
      }
      used += size_t(got);
    }
    if (!rest.empty()) {
      rest.insert(0, vm_to_string(L, -1), vm_string_length(L, -1));
    }
  } catch (const std::bad_alloc&) {
    vm_pop(L, 1);
    return ERR_MEM;
  }
  guard.reset();
  if (!rest.empty()) {
    vm_pop(L, 1);
    vm_push_lstring(L, rest.data(), rest.size());
  }
  vm_push_number(L, double(vm_string_length(L, -1)));
  return 2;
}

int32_t cmd_stringtofile(qmState* L) {
  arg_check_count(L, 2, 2);
  size_t len = 0;
  const char* data = vm_arg_check_string(L, 1, &len);
  const char* name = arg_get_file_name(L, 2, ERR_WRITEFILE);
  qmFileHandle* h = qmos_open(name, QMOS_MODE_WRITE);
  if (!h) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  bool ok = io_write(h, data, int64_t(len)) == int64_t(len);
  if (!qmos_close(h)) ok = false;
  return ok ? 0 : ERR_WRITE;
}

// FileLines keeps its handle in a user data block; collecting an abandoned loop closes it.
constexpr const char* kLinesMeta = "dos.FileLines";

int32_t lines_gc(qmState* L) {
  auto** slot = static_cast<qmFileHandle**>(vm_to_userdata(L, 1));
  if (slot && *slot) {
    qmos_close(*slot);
    *slot = nullptr;
  }
  return 0;
}

int32_t lines_next(qmState* L) {
  auto** slot = static_cast<qmFileHandle**>(vm_to_userdata(L, vm_upvalue_index(1)));
  if (!slot || !*slot) return 0;
  qmFileHandle* h = *slot;
  if (qmos_eof(h)) {
    vm_set_top(L, 0);
    qmos_close(h);
    *slot = nullptr;
    return 0;
  }
  char line[kLinePiece];
  size_t n = 0;
  for (size_t count = 0; count < kLinePiece; count++) {
    int32_t c = qmos_read_byte(h);
    if (c < 0 || c == '\n') break;
    if (c != '\r') line[n++] = char(c);
  }
  vm_push_lstring(L, line, strnlen(line, n));
  return 1;
}

int32_t cmd_filelines(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* name = arg_get_file_name(L, 1, ERR_READFILE);
  auto** slot = static_cast<qmFileHandle**>(vm_new_userdata(L, sizeof(qmFileHandle*)));
  *slot = nullptr;
  if (vm_new_metatable(L, kLinesMeta)) {
    vm_push_string(L, "__gc");
    vm_push_cfunction(L, lines_gc);
    vm_raw_set(L, -3);
  }
  vm_set_metatable(L, -2);
  *slot = qmos_open(name, QMOS_MODE_READ);
  if (!*slot) {
    err_set_string_arg(name);
    return ERR_READFILE;
  }
  vm_push_cclosure(L, lines_next, 1);
  return 1;
}

// ---- checksums and patterns ----

template <typename Feed>
int32_t checksum_file(qmState* L, Feed feed) {
  arg_check_count(L, 1, 1);
  const char* name = arg_get_file_name(L, 1, ERR_READFILE);
  if (!*name) return ERR_WRONGUSAGE;
  std::unique_ptr<uint8_t[]> buf(new (std::nothrow) uint8_t[kChecksumPiece]);
  if (!buf) return ERR_MEM;
  qmFileHandle* h = qmos_open(name, QMOS_MODE_READ);
  if (!h) {
    err_set_string_arg(name);
    return ERR_READFILE;
  }
  for (;;) {
    int64_t got = qmos_read(h, buf.get(), int64_t(kChecksumPiece));
    if (got <= 0) break;
    feed(buf.get(), size_t(got));
  }
  qmos_close(h);
  return 0;
}

int32_t cmd_crc32(qmState* L) {
  uint32_t crc = 0;
  int32_t err = checksum_file(L, [&](const uint8_t* p, size_t n) { crc = crc32_update(crc, p, n); });
  if (err) return err;
  vm_push_number(L, crc);
  return 1;
}

int32_t cmd_md5(qmState* L) {
  qmMD5 ctx;
  md5_init(&ctx);
  int32_t err = checksum_file(L, [&](const uint8_t* p, size_t n) { md5_update(&ctx, p, n); });
  if (err) return err;
  uint8_t digest[16];
  md5_final(&ctx, digest);
  char hex[33];
  md5_hex(digest, hex);
  vm_push_string(L, hex);
  return 1;
}

int32_t cmd_matchpattern(qmState* L) {
  arg_check_count(L, 2, 2);
  const char* s = vm_arg_check_string(L, 1, nullptr);
  const char* patterns = vm_arg_check_string(L, 2, nullptr);
  vm_push_number(L, match_pattern_list(patterns, s));
  return 1;
}

const qmCommand kDosCommands[] = {
    {"OpenFile", cmd_openfile},
    {"Eof", cmd_eof},
    {"ReadChr", cmd_readchr},
    {"ReadLine", cmd_readline},
    {"ReadString", cmd_readstring},
    {"Seek", cmd_seek},
    {"WriteChr", cmd_writechr},
    {"WriteLine", cmd_writeline},
    {"WriteString", cmd_writestring},
    {"Exists", cmd_exists},
    {"FileSize", cmd_filesize},
    {"PathPart", cmd_pathpart},
    {"FilePart", cmd_filepart},
    {"MakeDirectory", cmd_makedirectory},
    {"GetVolumeInfo", cmd_getvolumeinfo},
    {"DeleteFile", cmd_deletefile},
    {"Execute", cmd_execute},
    {"Run", cmd_run},
    {"ChangeDirectory", cmd_changedirectory},
    {"GetVolumeName", cmd_getvolumename},
    {"CloseFile", cmd_closefile},
    {"ReadDirectory", cmd_readdirectory},
    {"FullPath", cmd_fullpath},
    {"CopyFile", cmd_copyfile},
    {"Rename", cmd_rename},
    {"IsDirectory", cmd_isdirectory},
    {"CRC32", cmd_crc32},
    {"WriteShort", cmd_writeshort},
    {"WriteInt", cmd_writeint},
    {"WriteFloat", cmd_writefloat},
    {"ReadShort", cmd_readshort},
    {"ReadInt", cmd_readint},
    {"ReadFloat", cmd_readfloat},
    {"FilePos", cmd_filepos},
    {"MatchPattern", cmd_matchpattern},
    {"FlushFile", cmd_flushfile},
    {"SetIOMode", cmd_setiomode},
    {"GetFileAttributes", cmd_getfileattributes},
    {"SetFileAttributes", cmd_setfileattributes},
    {"GetTempFileName", cmd_gettempfilename},
    {"FileLength", cmd_filelength},
    {"CompressFile", cmd_compressfile},
    {"DecompressFile", cmd_decompressfile},
    {"OpenDirectory", cmd_opendirectory},
    {"CloseDirectory", cmd_closedirectory},
    {"NextDirectoryEntry", cmd_nextdirectoryentry},
    {"WriteFunction", cmd_writefunction},
    {"ReadFunction", cmd_readfunction},
    {"DefineVirtualFile", cmd_definevirtualfile},
    {"ReadTable", cmd_readtable},
    {"WriteTable", cmd_writetable},
    {"GetCurrentDirectory", cmd_getcurrentdirectory},
    {"ApplyPatch", cmd_applypatch},
    {"DefineVirtualFileFromString", cmd_definevirtualfilefromstring},
    {"UndefineVirtualStringFile", cmd_undefinevirtualstringfile},
    {"FileToString", cmd_filetostring},
    {"StringToFile", cmd_stringtofile},
    {"GetEnv", cmd_getenv},
    {"SetEnv", cmd_setenv},
    {"UnsetEnv", cmd_unsetenv},
    {"MD5", cmd_md5},
    {"FileLines", cmd_filelines},
    {nullptr, nullptr},
};

const qmConstant kDosConstants[] = {
    {"FREESPACE", nullptr, 1},
    {"USEDSPACE", nullptr, 0},
    {"EOF", nullptr, -1},
    {"MODE_READWRITE", nullptr, MODE_READWRITE},
    {"MODE_WRITE", nullptr, MODE_WRITE},
    {"MODE_READ", nullptr, MODE_READ},
    {"COPYFILE_STATUS", nullptr, 0},
    {"COPYFILE_OVERWRITE", nullptr, 1},
    {"COPYFILE_UNPROTECT", nullptr, 2},
    {"DELETEFILE_STATUS", nullptr, 0},
    {"DELETEFILE_UNPROTECT", nullptr, 1},
    {"IO_BUFFERED", nullptr, IO_BUFFERED},
    {"IO_UNBUFFERED", nullptr, IO_UNBUFFERED},
    {"FILEATTR_NORMAL", nullptr, 65536},
    {"DOSTYPE_FILE", nullptr, 0},
    {"DOSTYPE_DIRECTORY", nullptr, 1},
    {"FILEATTR_READ_USR", nullptr, 1},
    {"FILEATTR_WRITE_USR", nullptr, 2},
    {"FILEATTR_DELETE_USR", nullptr, 4},
    {"FILEATTR_EXECUTE_USR", nullptr, 8},
    {"FILEATTR_READ_GRP", nullptr, 512},
    {"FILEATTR_WRITE_GRP", nullptr, 1024},
    {"FILEATTR_EXECUTE_GRP", nullptr, 2048},
    {"FILEATTR_READ_OTH", nullptr, 4096},
    {"FILEATTR_WRITE_OTH", nullptr, 8192},
    {"FILEATTR_EXECUTE_OTH", nullptr, 16384},
    {"FILEATTR_PURE", nullptr, 16},
    {"FILEATTR_ARCHIVE", nullptr, 32},
    {"FILEATTR_SCRIPT", nullptr, 64},
    {"FILEATTR_HIDDEN", nullptr, 128},
    {"FILEATTR_SYSTEM", nullptr, 256},
    {"FILEATTR_READONLY", nullptr, 32768},
    {nullptr, nullptr, 0},
};

}  // namespace

int32_t io_mode() { return g_io_mode; }

int64_t io_read(qmFileHandle* h, void* buffer, int64_t n) {
  return g_io_mode == IO_UNBUFFERED ? qmos_read_block(h, buffer, n) : qmos_read(h, buffer, n);
}

int64_t io_write(qmFileHandle* h, const void* buffer, int64_t n) {
  return g_io_mode == IO_UNBUFFERED ? qmos_write_block(h, buffer, n) : qmos_write(h, buffer, n);
}

int32_t file_object_find(const ObjectId& id, FileObject** out) {
  *out = reinterpret_cast<FileObject*>(g_files.find(id));
  if (*out) return 0;
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDFILE;
}

FileObject* file_arg(qmState* L, int32_t n) {
  FileObject* f = nullptr;
  int32_t err = file_object_find(arg_get_id(L, n), &f);
  if (err) vm_command_fail(L, err);
  return f;
}

int32_t file_read(FileObject* f, void* buffer, uint64_t n) {
  if (n > file_bytes_left(f)) return ERR_READRANGE;
  int64_t got = io_read(f->handle, buffer, int64_t(n));
  if (got > 0) f->position += uint64_t(got);
  return got == int64_t(n) ? 0 : ERR_READ;
}

int32_t file_write(FileObject* f, const void* buffer, uint64_t n) {
  int64_t put = n ? io_write(f->handle, buffer, int64_t(n)) : 0;
  if (put > 0) f->position += uint64_t(put);
  if (f->position > f->size) f->size = f->position;
  return put == int64_t(n) ? 0 : ERR_WRITE;
}

void file_set_position(FileObject* f, uint64_t pos) {
  qmos_seek(f->handle, int64_t(pos), QMOS_SEEK_BEGINNING);
  f->position = pos;
}

FileObject* file_object_wrap(qmFileHandle* h, int32_t access) {
  auto* f = new (std::nothrow) FileObject();
  if (!f) return nullptr;
  f->header.type = OBJ_FILE;
  f->header.id.handle = f;
  f->access = access;
  f->mode = access == ACCESS_READ ? MODE_READ : access == ACCESS_WRITE ? MODE_WRITE : MODE_READWRITE;
  f->handle = h;
  qmos_seek(h, 0, QMOS_SEEK_END);
  int64_t size = qmos_seek(h, 0, QMOS_SEEK_BEGINNING);
  f->size = size > 0 ? uint64_t(size) : 0;
  return f;
}

void file_object_free(qmState* L, FileObject* f) { file_close(L, f); }

bool truthy(qmState* L, int32_t idx) {
  switch (vm_type(L, idx)) {
    case QM_TNONE:
    case QM_TNIL: return false;
    case QM_TBOOLEAN: return vm_to_boolean(L, idx) != 0;
    case QM_TNUMBER: return vm_to_number(L, idx) != 0;
    case QM_TSTRING: return vm_string_length(L, idx) != 0;
    default: return true;
  }
}

int32_t call_progress(qmState* L, int32_t fn, double* answer) {
  *answer = 0;
  int32_t table = vm_abs_index(L, -1);
  vm_push_value(L, fn);
  vm_insert(L, table);
  runtime_flags().protected_calls++;
  int32_t err = vm_pcall(L, 1, 1, 0);
  runtime_flags().protected_calls--;
  if (err) return err;
  if (vm_type(L, -1) == QM_TNUMBER) *answer = vm_to_number(L, -1);
  else if (vm_type(L, -1) == QM_TBOOLEAN) *answer = vm_to_boolean(L, -1);
  vm_pop(L, 1);
  if (vm_end_requested()) return ERR_USERABORT;
  return 0;
}

}  // namespace dos

using namespace dos;

int32_t dos_open(qmState* L) {
  vm_push_value(L, QM_GLOBALSINDEX);
  vm_register_commands(L, nullptr, kDosCommands, 0);
  vm_set_top(L, 0);
  int32_t err = library_register_name(kDosCommands, "dos");
  if (err) return err;
  vm_register_constants(L, kDosConstants, 0);
  objlist_register(&g_files.head);
  objlist_register(directory_list());
  // GetAttribute(#FILE, id, #ATTRMODE).
  graphics_set_attribute_handler(OBJ_FILE, [](qmState* S, int32_t attribute) -> int32_t {
    FileObject* f = nullptr;
    if (int32_t err = file_object_find(arg_get_id(S, 2), &f)) return err;
    if (attribute != 42) return ERR_UNKNOWNATTR;
    vm_push_number(S, f->mode);
    return 1;
  });
  return 0;
}

void dos_cleanup(qmState* L) {
  // Newest first: the C library keeps its open streams in a list with the newest in front and
  // searches it for each one it closes, so closing the oldest first takes time growing with the
  // square of the number of open files (seconds for thousands).
  ObjectHeader* newest = nullptr;
  for (ObjectHeader* h = g_files.take_all(); h;) {
    ObjectHeader* older = h->next;
    h->next = newest;
    newest = h;
    h = older;
  }
  for (ObjectHeader* h = newest; h;) {
    auto* f = reinterpret_cast<FileObject*>(h);
    h = h->next;
    file_close(L, f);
  }
  while (g_strings) string_file_release(L, g_strings);
  dir_cleanup(L);
  g_io_mode = IO_BUFFERED;
}
