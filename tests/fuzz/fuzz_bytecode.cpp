// libFuzzer target over the chunk loader: any input must load or fail with an error code, never
// crash, leak or allocate beyond its size; a chunk that loads must dump and reload to the same
// bytes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/bytecode.h"
#include "engine/call.h"
#include "engine/func.h"
#include "engine/vm.h"

namespace {

struct Input {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

// Hands the input out in blocks of 1 to 16 bytes, chosen by the input's last byte, so that
// fields straddle block ends.
const char* reader(qmState*, void* ud, size_t* size) {
  auto* in = static_cast<Input*>(ud);
  size_t block = in->size ? (in->data[in->size - 1] & 15) + 1 : 1;
  *size = std::min(block, in->size - in->pos);
  const char* p = reinterpret_cast<const char*>(in->data + in->pos);
  in->pos += *size;
  return p;
}

int32_t collect(qmState*, const void* p, size_t size, void* ud) {
  auto* out = static_cast<std::vector<uint8_t>*>(ud);
  out->insert(out->end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size);
  return 0;
}

struct Job {
  Input in;
  qmBuffer buff;
  qmProto* proto;
};

void load(qmState* L, void* ud) {
  auto* j = static_cast<Job*>(ud);
  qmStream z;
  stream_init(L, &z, reader, &j->in, "=fuzz");
  j->proto = bytecode_load(L, &z, &j->buff);
}

int32_t load_bytes(qmState* L, const uint8_t* data, size_t size, qmProto** out) {
  Job job{{data, size, 0}, {}, nullptr};
  buffer_init(&job.buff);
  int32_t status = vm_raw_run_protected(L, load, &job);
  buffer_free(L, &job.buff);
  *out = job.proto;
  return status;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qmState* L = vm_open();
  if (L == nullptr) return 0;
  qmProto* p = nullptr;
  if (load_bytes(L, data, size, &p) == 0) {
    std::vector<uint8_t> first, second;
    bytecode_dump_proto(L, p, collect, &first);
    qmProto* q = nullptr;
    if (load_bytes(L, first.data(), first.size(), &q) != 0) abort();
    bytecode_dump_proto(L, q, collect, &second);
    if (first != second) abort();
  }
  vm_close_state(L);
  return 0;
}
