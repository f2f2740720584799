// The code check. The executor addresses registers, constants, upvalues and nested functions
// without bounds checks, so every loaded function passes this first: each operand the executor
// will use stays inside the frame (registers below the maximum stack size), the constant array,
// the upvalue list or the nested functions, and every path through the code stays inside the
// code and ends in a RETURN.
#include "engine/bytecode.h"
#include "engine/opcodes.h"

namespace {

using namespace qm;

struct Checker {
  const qmProto* p;
  int32_t size;
  uint32_t ms;  // maximum stack size: registers 0 .. ms-1
  mutable const char* why = "";

  bool fault(const char* reason) const {
    why = reason;
    return false;
  }

  bool reg(uint64_t r) const { return r < ms; }
  bool constant(uint64_t k) const { return k < uint64_t(p->sizek); }
  bool string_constant(uint64_t k) const { return constant(k) && ttisstring(&p->k[k]); }
  bool rk(uint32_t x) const { return rk_is_const(x) ? constant(rk_const_index(x)) : reg(x); }
  bool upvalue(uint32_t u) const { return u < p->nups; }
  // A jump lands on an instruction of this function.
  bool target(int32_t pc, int64_t dist) const {
    int64_t t = int64_t(pc) + 1 + dist;
    return t >= 0 && t < size;
  }
  bool followed_by_jmp(int32_t pc) const {
    return pc + 1 < size && inst_op(p->code[pc + 1]) == OP_JMP;
  }

  bool register_fault() const { return fault("a register at or above the maximum stack size"); }

  bool arg(ArgMode mode, uint32_t v) const {
    switch (mode) {
      case ArgMode::Reg:
        return reg(v) || register_fault();
      case ArgMode::RK:
        if (rk_is_const(v))
          return constant(rk_const_index(v)) || fault("a constant beyond the constants");
        return reg(v) || register_fault();
      case ArgMode::Upval:
        return upvalue(v) || fault("an upvalue beyond the function's upvalues");
      case ArgMode::Const:
        return constant(v) || fault("a constant beyond the constants");
      case ArgMode::Proto:
        return v < uint32_t(p->sizep) || fault("a nested function that does not exist");
      default:
        return true;
    }
  }

  bool header() const {
    if (ms > uint32_t(kMaxStack)) return fault("a maximum stack size above the limit");
    if (uint32_t(p->numparams) + (p->is_vararg ? 1 : 0) > ms)
      return fault("more parameters than the maximum stack size holds");
    if (p->sizelineinfo != 0 && p->sizelineinfo != size)
      return fault("a line table that is not one line per instruction");
    if (p->sizeupvalues != 0 && p->sizeupvalues != p->nups)
      return fault("upvalue names that are not one per upvalue");
    for (int32_t i = 0; i < p->sizelocvars; i++) {
      const qmLocVar& l = p->locvars[i];
      if (l.startpc < 0 || l.endpc < 0 || l.startpc > size || l.endpc > size)
        return fault("a local variable's range outside the code");
    }
    if (size == 0) return fault("no instructions");
    return inst_op(p->code[size - 1]) == OP_RETURN || fault("no RETURN at the end");
  }

  // Operand fields by the operation's modes, then what each operation adds.
  bool instruction(int32_t pc) const {
    const Instruction i = p->code[pc];
    const uint32_t op = inst_op(i);
    if (op >= uint32_t(kNumOpcodes)) return true;  // no-ops
    const OpInfo& info = kOpInfo[op];
    const uint32_t a = inst_a(i), b = inst_b(i), c = inst_c(i), bx = inst_bx(i);
    const bool basic_return = op == OP_RETURN && c == kReturnBasic;
    if (info.a == ArgMode::Reg && !basic_return && !reg(a)) return register_fault();
    switch (info.format) {
      case OpFormat::ABC:
        if (!arg(info.b, b) || !arg(info.c, c)) return false;
        break;
      case OpFormat::ABx:
        if (!arg(info.b, bx)) return false;
        break;
      case OpFormat::AsBx:
        if (!target(pc, inst_sbx(i))) return fault("a jump outside the code");
        break;
      case OpFormat::J:
        if (!target(pc, inst_jdist(i))) return fault("a jump outside the code");
        break;
    }
    if (info.test && !followed_by_jmp(pc)) return fault("a test that no JMP follows");
    // The registers an operation uses beyond its fields.
    auto regs = [&](uint64_t last) { return reg(last) || register_fault(); };
    switch (op) {
      case OP_LOADBOOL:
        return c == 0 || pc + 2 < size || fault("a skip past the end of the code");
      case OP_LOADNIL:
        return a <= b || fault("a register range that ends before it starts");
      case OP_GETGLOBAL:
      case OP_SETGLOBAL:
        return string_constant(bx) || fault("a global name that is no string constant");
      case OP_NEWTABLE:
        return newtable_sizes_ok(b, c) || fault("table sizes beyond the limit");
      case OP_CONCAT:
        return b <= c || fault("a register range that ends before it starts");
      case OP_CALL:
      case OP_TAILCALL:
        // B-1 arguments above R(A); C-1 results from R(A).
        return (b == 0 || regs(uint64_t(a) + b - 1)) && (c < 2 || regs(uint64_t(a) + c - 2));
      case OP_RETURN:
        return basic_return || b < 2 || regs(uint64_t(a) + b - 2);
      case OP_FORLOOP:
        return regs(uint64_t(a) + 2);  // index, limit, step
      case OP_TFORPREP:
        return regs(uint64_t(a) + 1);
      // The loop's C+1 variables from R(A+2), and the copy of the iterator, state and control
      // value above them at R(A+C+3) .. R(A+C+5) for the call.
      case OP_TFORLOOP:
        return regs(uint64_t(a) + c + 5);
      case OP_SETLIST:
        return regs(uint64_t(a) + (bx & (kFieldsPerFlush - 1)) + 1);
      case OP_SELF:
        return regs(uint64_t(a) + 1) && ((rk_is_const(c) && string_constant(rk_const_index(c))) ||
                                         fault("a method name that is no string constant"));
      case OP_CLOSURE: {
        // The nested function's upvalues are described by the instructions that follow: MOVE
        // shares a register, GETUPVAL an upvalue of this function. They are checked as
        // ordinary instructions too, since a jump may land on them.
        const int32_t nup = p->p[bx]->nups;
        if (pc + nup >= size) return fault("capture lines past the end of the code");
        for (int32_t j = 1; j <= nup; j++) {
          const uint32_t cop = inst_op(p->code[pc + j]);
          if (cop != OP_MOVE && cop != OP_GETUPVAL)
            return fault("fewer capture lines (MOVE or GETUPVAL) than the function's upvalues");
        }
        return true;
      }
      default:
        return true;
    }
  }
};

}  // namespace

bool bytecode_check_code(const qmProto* p, qmCodeFault* fault) {
  Checker ck{p, p->sizecode, p->maxstacksize};
  int32_t at = -1;  // the function as a whole until its instructions are checked
  bool ok = ck.header();
  for (int32_t pc = 0; ok && pc < ck.size; pc++) {
    at = pc;
    ok = ck.instruction(pc);
  }
  if (!ok && fault) {
    fault->pc = at;
    fault->reason = ck.why;
  }
  return ok;
}
