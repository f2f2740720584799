#include "tools/asm/asm.h"

#include <bit>
#include <cstring>

#include "engine/endian.h"

namespace qm::asmx {

bool Constant::operator==(const Constant& o) const {
  if (type != o.type) return false;
  if (type == kConstNumber)
    return std::bit_cast<uint64_t>(number) == std::bit_cast<uint64_t>(o.number);
  if (type == kConstString) return text == o.text;
  return true;
}

namespace {

class Writer {
 public:
  explicit Writer(bool little) : little_(little) {}
  std::vector<uint8_t> out;

  void u8(uint8_t v) { out.push_back(v); }
  void u32(uint32_t v) {
    uint8_t b[4];
    little_ ? put_le32(b, v) : put_be32(b, v);
    out.insert(out.end(), b, b + 4);
  }
  void s32(int32_t v) { u32(uint32_t(v)); }
  void f64(double d) {
    uint8_t b[8];
    uint64_t bits = std::bit_cast<uint64_t>(d);
    little_ ? put_le64(b, bits) : put_be64(b, bits);
    out.insert(out.end(), b, b + 8);
  }
  // Length counts the terminating zero; 0 is the absent string.
  void str(const OptString& s) {
    if (!s) {
      u32(0);
      return;
    }
    u32(uint32_t(s->size() + 1));
    out.insert(out.end(), s->begin(), s->end());
    out.push_back(0);
  }
  template <class T>
  void count(const std::optional<int32_t>& override_count, const std::vector<T>& v) {
    s32(override_count ? *override_count : int32_t(v.size()));
  }

  void function(const Function& f) {
    str(f.source);
    s32(f.line_defined);
    u8(f.nups);
    u8(f.numparams);
    u8(f.is_vararg);
    u8(f.maxstack);
    count(f.counts.lines, f.lines);
    for (int32_t l : f.lines) s32(l);
    count(f.counts.locals, f.locals);
    for (const Local& l : f.locals) {
      str(l.name);
      s32(l.startpc);
      s32(l.endpc);
    }
    count(f.counts.upvalue_names, f.upvalue_names);
    for (const OptString& n : f.upvalue_names) str(n);
    count(f.counts.constants, f.constants);
    for (const Constant& k : f.constants) {
      u8(k.type);
      if (k.type == kConstNumber) f64(k.number);
      if (k.type == kConstString) str(k.text);
    }
    count(f.counts.protos, f.protos);
    for (const Function& p : f.protos) function(p);
    count(f.counts.code, f.code);
    for (Instruction i : f.code) u32(i);
  }

 private:
  bool little_;
};

class Reader {
 public:
  Reader(const uint8_t* p, size_t n) : p_(p), n_(n) {}
  bool little = true;
  std::string error;
  int depth = 0;

  bool bytes(void* dst, size_t n) {
    if (n > n_ - pos_) return fail("unexpected end of chunk");
    std::memcpy(dst, p_ + pos_, n);
    pos_ += n;
    return true;
  }
  bool u8(uint8_t& v) { return bytes(&v, 1); }
  bool u32(uint32_t& v) {
    uint8_t b[4] = {};
    if (!bytes(b, 4)) return false;
    v = little ? get_le32(b) : get_be32(b);
    return true;
  }
  bool s32(int32_t& v) {
    uint32_t u;
    if (!u32(u)) return false;
    v = int32_t(u);
    return true;
  }
  bool f64(double& d) {
    uint8_t b[8] = {};
    if (!bytes(b, 8)) return false;
    d = std::bit_cast<double>(little ? get_le64(b) : get_be64(b));
    return true;
  }
  bool str(OptString& s) {
    uint32_t len;
    if (!u32(len)) return false;
    if (len == 0) {
      s.reset();
      return true;
    }
    if (len > n_ - pos_) return fail("unexpected end of chunk");
    s = std::string(reinterpret_cast<const char*>(p_ + pos_), len - 1);
    pos_ += len;
    return true;
  }
  // A count, refused when negative or when even one byte per element would overrun the input.
  bool count(int32_t& n, size_t min_elem) {
    if (!s32(n)) return false;
    if (n < 0) return fail("negative count");
    if (uint64_t(n) * min_elem > n_ - pos_) return fail("unexpected end of chunk");
    return true;
  }

  bool function(Function& f) {
    if (++depth > 250) return fail("functions nested too deeply");
    int32_t n;
    if (!str(f.source) || !s32(f.line_defined) || !u8(f.nups) || !u8(f.numparams) ||
        !u8(f.is_vararg) || !u8(f.maxstack))
      return false;
    if (!count(n, 4)) return false;
    f.lines.resize(size_t(n));
    for (int32_t& l : f.lines)
      if (!s32(l)) return false;
    if (!count(n, 12)) return false;
    f.locals.resize(size_t(n));
    for (Local& l : f.locals)
      if (!str(l.name) || !s32(l.startpc) || !s32(l.endpc)) return false;
    if (!count(n, 4)) return false;
    f.upvalue_names.resize(size_t(n));
    for (OptString& s : f.upvalue_names)
      if (!str(s)) return false;
    if (!count(n, 1)) return false;
    f.constants.resize(size_t(n));
    for (Constant& k : f.constants) {
      if (!u8(k.type)) return false;
      if (k.type == kConstNumber && !f64(k.number)) return false;
      if (k.type == kConstString && !str(k.text)) return false;
      if (k.type != kConstNil && k.type != kConstNumber && k.type != kConstString)
        return fail("constant of unknown type " + std::to_string(k.type));
    }
    if (!count(n, 20)) return false;
    f.protos.resize(size_t(n));
    for (Function& p : f.protos)
      if (!function(p)) return false;
    if (!count(n, 4)) return false;
    f.code.resize(size_t(n));
    for (Instruction& i : f.code)
      if (!u32(i)) return false;
    --depth;
    return true;
  }

  size_t left() const { return n_ - pos_; }

 private:
  bool fail(std::string msg) {
    if (error.empty()) error = std::move(msg) + " at byte " + std::to_string(pos_);
    return false;
  }
  const uint8_t* p_;
  size_t n_;
  size_t pos_ = 0;
};

}  // namespace

std::vector<uint8_t> write_chunk(const Function& main, const Header& header) {
  Writer w(header.byte_order == 1);
  w.out.insert(w.out.end(), header.signature, header.signature + 4);
  w.u8(header.byte_order);
  w.out.insert(w.out.end(), header.sizes, header.sizes + 8);
  w.f64(header.test_number);
  w.function(main);
  return std::move(w.out);
}

bool read_chunk(const uint8_t* data, size_t size, Header& header, Function& main,
                std::string& error) {
  Reader r(data, size);
  bool ok = r.bytes(header.signature, 4) && r.u8(header.byte_order);
  if (ok) {
    r.little = header.byte_order == 1;
    ok = r.bytes(header.sizes, 8) && r.f64(header.test_number) && r.function(main);
  }
  if (ok && r.left() != 0) {
    r.error = std::to_string(r.left()) + " bytes after the main function";
    ok = false;
  }
  error = r.error;
  return ok;
}

// ---- Builder ----

uint32_t Builder::k_add(const Constant& c) {
  for (size_t i = 0; i < fn_.constants.size(); ++i)
    if (fn_.constants[i] == c) return uint32_t(i);
  fn_.constants.push_back(c);
  return uint32_t(fn_.constants.size() - 1);
}

uint32_t Builder::k_nil() {
  return k_add(Constant{});
}
uint32_t Builder::k_num(double v) {
  return k_add(Constant{kConstNumber, v, std::nullopt});
}
uint32_t Builder::k_str(std::string_view s) {
  return k_add(Constant{kConstString, 0, std::string(s)});
}

void Builder::line(int32_t l) {
  if (!line_) fn_.lines.assign(fn_.code.size(), 0);
  line_ = l;
}

void Builder::emit(Instruction i) {
  fn_.code.push_back(i);
  if (line_) fn_.lines.push_back(*line_);
}

Label Builder::new_label() {
  labels_.push_back(-1);
  return Label{int(labels_.size() - 1)};
}

void Builder::bind(Label l) {
  if (l.id < 0 || size_t(l.id) >= labels_.size()) throw AsmError("bind of an unknown label");
  if (labels_[size_t(l.id)] >= 0) throw AsmError("label bound twice");
  labels_[size_t(l.id)] = int64_t(fn_.code.size());
}

int32_t Builder::label_pc(Label l) const {
  if (l.id < 0 || size_t(l.id) >= labels_.size() || labels_[size_t(l.id)] < 0)
    throw AsmError("label not bound");
  return int32_t(labels_[size_t(l.id)]);
}

void Builder::asbx(OpCode op, uint32_t a, Label target) {
  fixups_.push_back({fn_.code.size(), target.id, false});
  abx(op, a, 0);
}

void Builder::jmp(Label target, uint32_t mode) {
  fixups_.push_back({fn_.code.size(), target.id, true});
  emit(make_jmp(mode, 0));
}

void Builder::closure(uint32_t a, uint32_t proto, const std::vector<Capture>& captures) {
  abx(OP_CLOSURE, a, proto);
  for (const Capture& c : captures) abc(c.upvalue ? OP_GETUPVAL : OP_MOVE, 0, c.index, 0);
}

void Builder::finish() {
  for (const Fixup& f : fixups_) {
    int64_t dist = int64_t(label_pc(Label{f.label})) - int64_t(f.pc) - 1;
    Instruction& i = fn_.code[f.pc];
    if (f.is_jmp) {
      if (dist < -kBiasJ || dist > int64_t(kMaxArgJ) - kBiasJ) throw AsmError("jump too far");
      i = make_jmp(inst_m(i), int32_t(dist));
    } else {
      if (dist < -kBiasSBx || dist > int64_t(kMaxArgBx) - kBiasSBx) throw AsmError("jump too far");
      i = make_asbx(inst_op(i), inst_a(i), int32_t(dist));
    }
  }
  fixups_.clear();
}

}  // namespace qm::asmx
