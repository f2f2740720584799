#include "engine/bytecode.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "engine/call.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "engine/func.h"
#include "engine/memory.h"
#include "engine/numconv.h"
#include "engine/opcodes.h"
#include "engine/vmstring.h"

namespace {

constexpr uint8_t kSignature[4] = {27, 'Q', 'M', 'B'};
constexpr uint8_t kOrderLittle = 1;
// Size bytes after the byte-order flag: integer, length, instruction; bits of OP, A, B, C;
// number. Written as these literals: they describe the chunk, not this host.
constexpr uint8_t kSizes[8] = {qm::kSizeInt, qm::kSizeLength, qm::kSizeInstruction,
                               qm::kSizeOp,  qm::kSizeA,      qm::kSizeB,
                               qm::kSizeC,   qm::kSizeNumber};
constexpr double kTestNumber = 31415926.535897933;
constexpr int32_t kTestInteger = 31415926;
// Scratch reads grow by at most this much beyond the bytes that actually arrived, so a count
// near 2^31 in a tiny chunk costs nothing before the input runs out.
constexpr size_t kReadStep = 64 * 1024;

}  // namespace

// ---- input stream ----

void stream_init(qmState* L, qmStream* z, qmReader reader, void* data, const char* name) {
  z->n = 0;
  z->p = nullptr;
  z->reader = reader;
  z->data = data;
  z->name = name;
  z->L = L;
}

int32_t stream_fill(qmStream* z) {
  size_t size = 0;
  const char* buff = z->reader(z->L, z->data, &size);
  if (buff == nullptr || size == 0) return -1;
  z->n = size - 1;
  z->p = buff;
  return static_cast<unsigned char>(*z->p++);
}

int32_t stream_peek(qmStream* z) {
  if (z->n == 0) {
    if (stream_fill(z) == -1) return -1;
    z->n++;
    z->p--;
  }
  return static_cast<unsigned char>(*z->p);
}

size_t stream_read(qmStream* z, void* dst, size_t n) {
  char* out = static_cast<char*>(dst);
  while (n > 0) {
    if (stream_peek(z) == -1) return n;
    size_t m = std::min(n, z->n);
    std::memcpy(out, z->p, m);
    z->n -= m;
    z->p += m;
    out += m;
    n -= m;
  }
  return 0;
}

void buffer_init(qmBuffer* b) {
  b->buffer = nullptr;
  b->size = 0;
}

char* buffer_reserve(qmState* L, qmBuffer* b, size_t n) {
  if (n > b->size) {
    n = std::max<size_t>(n, 32);
    b->buffer = static_cast<char*>(vm_realloc(L, b->buffer, b->size, n));
    b->size = n;
  }
  return b->buffer;
}

void buffer_free(qmState* L, qmBuffer* b) {
  vm_free(L, b->buffer, b->size);
  buffer_init(b);
}

// ---- loader ----

namespace {

struct LoadState {
  qmState* L;
  qmStream* z;
  qmBuffer* b;
  bool swap;  // fields are big-endian
  int32_t depth;
  qmCodeFault* fault;             // where a failing code check is told, or null
  std::vector<int32_t> function;  // the nested-function indices of the function being read
};

[[noreturn]] void load_error(LoadState* S, int32_t code) {
  vm_raise_error(S->L, code);
}

void load_block(LoadState* S, void* dst, size_t n) {
  if (stream_read(S->z, dst, n) != 0) load_error(S, qm::ERR_UNEXPECTEDEOF);
}

uint8_t load_byte(LoadState* S) {
  uint8_t v;
  load_block(S, &v, 1);
  return v;
}

uint32_t decode_u32(const LoadState* S, const uint8_t* p) {
  return S->swap ? qm::get_be32(p) : qm::get_le32(p);
}

uint32_t load_u32(LoadState* S) {
  uint8_t b[4];
  load_block(S, b, 4);
  return decode_u32(S, b);
}

int32_t load_s32(LoadState* S) {
  return static_cast<int32_t>(load_u32(S));
}

double load_number(LoadState* S) {
  uint8_t b[8];
  load_block(S, b, 8);
  return std::bit_cast<double>(S->swap ? qm::get_be64(b) : qm::get_le64(b));
}

int32_t load_count(LoadState* S) {
  int32_t n = load_s32(S);
  if (n < 0) load_error(S, qm::ERR_BADINTEGER);
  return n;
}

// Reads n bytes into the scratch buffer. The buffer only grows ahead of bytes that arrived, so a
// huge length in a short chunk ends in 1198 rather than a huge allocation.
const char* load_scratch(LoadState* S, size_t n) {
  size_t have = 0;
  while (have < n) {
    size_t want = std::min(n, std::max({have + kReadStep, have * 2, S->b->size}));
    char* buf = buffer_reserve(S->L, S->b, want);
    load_block(S, buf + have, want - have);
    have = want;
  }
  return S->b->buffer;
}

qmTString* bytecode_load_string(LoadState* S) {
  uint32_t size = load_u32(S);
  if (size == 0) return nullptr;
  const char* s = load_scratch(S, size);
  return vm_new_string(S->L, s, size - 1);  // the stored terminating zero is not text
}

// An array of n 4-byte fields, allocated only after all its bytes have arrived.
template <typename T>
T* load_words(LoadState* S, int32_t n) {
  static_assert(sizeof(T) == 4);
  const auto* raw = reinterpret_cast<const uint8_t*>(load_scratch(S, size_t(n) * 4));
  T* out = vm_new_array<T>(S->L, size_t(n));
  for (int32_t i = 0; i < n; i++) out[i] = static_cast<T>(decode_u32(S, raw + size_t(i) * 4));
  return out;
}

void load_lines(LoadState* S, qmProto* f) {
  int32_t n = load_count(S);
  f->lineinfo = load_words<int32_t>(S, n);
  f->sizelineinfo = n;
}

// Variable-length records go through a vector that grows with what was read, and reach the
// prototype in one exactly sized array.
template <typename T>
void adopt(LoadState* S, const std::vector<T>& v, T*& array, int32_t& size) {
  array = vm_new_array<T>(S->L, v.size());
  std::copy(v.begin(), v.end(), array);
  size = static_cast<int32_t>(v.size());
}

void load_locals(LoadState* S, qmProto* f) {
  int32_t n = load_count(S);
  std::vector<qmLocVar> v;
  for (int32_t i = 0; i < n; i++) {
    qmLocVar l;
    l.varname = bytecode_load_string(S);
    l.startpc = load_s32(S);
    l.endpc = load_s32(S);
    if (l.startpc < 0 || l.endpc < 0) load_error(S, qm::ERR_BADINTEGER);
    v.push_back(l);
  }
  adopt(S, v, f->locvars, f->sizelocvars);
}

void load_upvalue_names(LoadState* S, qmProto* f) {
  int32_t n = load_count(S);
  if (n != 0 && n != f->nups) load_error(S, qm::ERR_BADUPVALUES);
  std::vector<qmTString*> v;
  for (int32_t i = 0; i < n; i++) v.push_back(bytecode_load_string(S));
  adopt(S, v, f->upvalues, f->sizeupvalues);
}

void load_constants(LoadState* S, qmProto* f) {
  int32_t n = load_count(S);
  std::vector<qmValue> v;
  for (int32_t i = 0; i < n; i++) {
    qmValue o;
    switch (load_byte(S)) {
      case QM_TNIL:
        setnilvalue(&o);
        break;
      case QM_TNUMBER:
        setnvalue(&o, load_number(S));
        break;
      case QM_TSTRING: {
        // An absent string would be a string value without a string.
        qmTString* s = bytecode_load_string(S);
        if (s == nullptr) load_error(S, qm::ERR_BADCONSTANT);
        setsvalue(&o, s);
        break;
      }
      default:
        load_error(S, qm::ERR_BADCONSTANT);
    }
    v.push_back(o);
  }
  adopt(S, v, f->k, f->sizek);
}

qmProto* bytecode_load_function(LoadState* S, qmTString* enclosing);

void load_nested(LoadState* S, qmProto* f) {
  int32_t n = load_count(S);
  std::vector<qmProto*> v;
  for (int32_t i = 0; i < n; i++) {
    S->function.push_back(i);
    v.push_back(bytecode_load_function(S, f->source));
    S->function.pop_back();
  }
  adopt(S, v, f->p, f->sizep);
}

qmProto* bytecode_load_function(LoadState* S, qmTString* enclosing) {
  // Each level costs host stack; a chunk nested deeper than any program is refused before it
  // can exhaust it.
  if (S->depth++ > QM_MAX_FUNCTION_NESTING) load_error(S, qm::ERR_BADBYTECODE);
  qmProto* f = vm_proto_new(S->L);
  f->source = bytecode_load_string(S);
  if (f->source == nullptr) f->source = enclosing;
  f->linedefined = load_s32(S);
  if (f->linedefined < 0) load_error(S, qm::ERR_BADINTEGER);
  f->nups = load_byte(S);
  f->numparams = load_byte(S);
  f->is_vararg = load_byte(S);
  f->maxstacksize = load_byte(S);
  load_lines(S, f);
  load_locals(S, f);
  load_upvalue_names(S, f);
  load_constants(S, f);
  load_nested(S, f);
  int32_t n = load_count(S);
  f->code = load_words<uint32_t>(S, n);
  f->sizecode = n;
  if (!bytecode_check_code(f, S->fault)) {
    if (S->fault) S->fault->function = S->function;
    load_error(S, qm::ERR_BADBYTECODE);
  }
  S->depth--;
  return f;
}

void load_header(LoadState* S) {
  uint8_t sig[4];
  load_block(S, sig, 4);
  if (std::memcmp(sig, kSignature, 4) != 0) load_error(S, qm::ERR_BADSIGNATURE);
  S->swap = load_byte(S) != kOrderLittle;
  uint8_t sizes[8];
  load_block(S, sizes, 8);
  if (std::memcmp(sizes, kSizes, 8) != 0) load_error(S, qm::ERR_VMMISMATCH);
  if (qm::to_i64(load_number(S)) != kTestInteger) load_error(S, qm::ERR_UNKNUMFMT);
}

}  // namespace

qmProto* bytecode_load(qmState* L, qmStream* z, qmBuffer* buff, qmCodeFault* fault) {
  LoadState S{L, z, buff, false, 0, fault, {}};
  load_header(&S);
  // The debug interface and error reports need a source for every function: a main function
  // without one takes the chunk name (and its nested functions inherit that).
  qmTString* chunkname = z->name != nullptr ? vm_new_cstring(L, z->name) : nullptr;
  return bytecode_load_function(&S, chunkname);
}

// ---- writer ----

namespace {

// Collects the chunk and hands it to the writer in pieces of about kReadStep bytes. Fields go
// out little-endian, the byte order the header states.
class DumpState {
 public:
  DumpState(qmState* L, qmWriter w, void* data) : L_(L), w_(w), data_(data) {
    buf_.reserve(kReadStep);
  }

  void flush() {
    if (!buf_.empty()) w_(L_, buf_.data(), buf_.size(), data_);
    buf_.clear();
  }
  void flush_if_full() {
    if (buf_.size() >= kReadStep) flush();
  }

  void bytes(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    buf_.insert(buf_.end(), b, b + n);
  }
  void byte(uint8_t v) { buf_.push_back(v); }
  void s32(int32_t v) {
    uint8_t b[4];
    qm::put_le32(b, static_cast<uint32_t>(v));
    bytes(b, 4);
  }
  void number(double d) {
    uint8_t b[8];
    qm::put_le64(b, std::bit_cast<uint64_t>(d));
    bytes(b, 8);
  }
  void string(const qmTString* s) {
    if (s == nullptr) {
      s32(0);
      return;
    }
    s32(static_cast<int32_t>(s->len + 1));
    bytes(s->data(), s->len + 1);  // with its terminating zero
  }

 private:
  qmState* L_;
  qmWriter w_;
  void* data_;
  std::vector<uint8_t> buf_;
};

void bytecode_write_header(DumpState* D) {
  D->bytes(kSignature, 4);
  D->byte(kOrderLittle);
  D->bytes(kSizes, 8);
  D->number(kTestNumber);
}

void bytecode_write_function(DumpState* D, const qmProto* f, const qmTString* enclosing) {
  D->string(f->source == enclosing ? nullptr : f->source);
  D->s32(f->linedefined);
  D->byte(f->nups);
  D->byte(f->numparams);
  D->byte(f->is_vararg);
  D->byte(f->maxstacksize);
  D->s32(f->sizelineinfo);
  for (int32_t i = 0; i < f->sizelineinfo; i++) D->s32(f->lineinfo[i]);
  D->s32(f->sizelocvars);
  for (int32_t i = 0; i < f->sizelocvars; i++) {
    D->string(f->locvars[i].varname);
    D->s32(f->locvars[i].startpc);
    D->s32(f->locvars[i].endpc);
  }
  D->s32(f->sizeupvalues);
  for (int32_t i = 0; i < f->sizeupvalues; i++) D->string(f->upvalues[i]);
  D->s32(f->sizek);
  for (int32_t i = 0; i < f->sizek; i++) {
    const qmValue* o = &f->k[i];
    D->byte(static_cast<uint8_t>(o->tt));
    if (o->tt == QM_TNUMBER) D->number(o->v.n);
    if (o->tt == QM_TSTRING) D->string(tsvalue(o));
  }
  D->s32(f->sizep);
  for (int32_t i = 0; i < f->sizep; i++) bytecode_write_function(D, f->p[i], f->source);
  D->s32(f->sizecode);
  for (int32_t i = 0; i < f->sizecode; i++) D->s32(static_cast<int32_t>(f->code[i]));
  D->flush_if_full();
}

}  // namespace

void bytecode_dump_proto(qmState* L, const qmProto* f, qmWriter writer, void* data) {
  DumpState D(L, writer, data);
  bytecode_write_header(&D);
  bytecode_write_function(&D, f, nullptr);
  D.flush();
}

int32_t vm_bytecode_dump(qmState* L, int32_t idx, qmWriter writer, void* data) {
  const qmValue* o = idx > 0 ? L->base + (idx - 1) : L->top + idx;
  const qmClosure* cl = clvalue(o);
  if (cl->is_c) return qm::ERR_NOQMFUNC;
  bytecode_dump_proto(L, cl->p, writer, data);
  return 0;
}
