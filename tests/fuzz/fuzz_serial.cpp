// libFuzzer target over the readers of serialised tables and functions: any file contents must
// read or fail with an error code, never crash, hang, leak or allocate beyond the file's size.
// The first byte picks the reader: 0 ReadTable, 1 ReadFunction raw, 2 ReadFunction as text.
#include <cstdint>
#include <cstring>

#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/vfile.h"
#include "stdlib/dos_internal.h"
#include "stdlib/dos_serial.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static qmState* L = [] {
    qmState* s = vm_open();
    qm::err_install(s);
    return s;
  }();
  int kind = data[0] % 3;
  data++;
  size--;
  if (size == 0) return 0;
  qmos_register_memory(data, size);
  char name[VFILE_NAME_SIZE];
  vfile_make_chunk_name("fuzz", name, sizeof name, -1, size, 0, reinterpret_cast<const char*>(data));
  qmFileHandle* h = qmos_open(name, QMOS_MODE_READ);
  if (h) {
    dos::FileObject* f = dos::file_object_wrap(h, dos::ACCESS_READ);
    vm_set_top(L, 0);
    if (kind == 0) dos::read_serialized_table(L, f);
    else dos::read_serialized(L, f, kind == 2);
    vm_set_top(L, 0);
    dos::file_object_free(L, f);
    vm_collect(L);
  }
  qmos_unregister_memory(data);
  return 0;
}
