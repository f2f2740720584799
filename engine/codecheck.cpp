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

  bool arg(ArgMode mode, uint32_t v) const {
    switch (mode) {
      case ArgMode::Reg:
        return reg(v);
      case ArgMode::RK:
        return rk(v);
      case ArgMode::Upval:
        return upvalue(v);
      case ArgMode::Const:
        return constant(v);
      case ArgMode::Proto:
        return v < uint32_t(p->sizep);
      default:
        return true;
    }
  }

  bool header() const {
    if (ms > uint32_t(kMaxStack)) return false;
    if (uint32_t(p->numparams) + (p->is_vararg ? 1 : 0) > ms) return false;
    if (p->sizelineinfo != 0 && p->sizelineinfo != size) return false;
    if (p->sizeupvalues != 0 && p->sizeupvalues != p->nups) return false;
    for (int32_t i = 0; i < p->sizelocvars; i++) {
      const qmLocVar& l = p->locvars[i];
      if (l.startpc < 0 || l.endpc < 0 || l.startpc > size || l.endpc > size) return false;
    }
    return size > 0 && inst_op(p->code[size - 1]) == OP_RETURN;
  }

  // Operand fields by the operation's modes, then what each operation adds.
  bool instruction(int32_t pc) const {
    const Instruction i = p->code[pc];
    const uint32_t op = inst_op(i);
    if (op >= uint32_t(kNumOpcodes)) return true;  // no-ops
    const OpInfo& info = kOpInfo[op];
    const uint32_t a = inst_a(i), b = inst_b(i), c = inst_c(i), bx = inst_bx(i);
    const bool basic_return = op == OP_RETURN && c == kReturnBasic;
    if (info.a == ArgMode::Reg && !basic_return && !reg(a)) return false;
    switch (info.format) {
      case OpFormat::ABC:
        if (!arg(info.b, b) || !arg(info.c, c)) return false;
        break;
      case OpFormat::ABx:
        if (!arg(info.b, bx)) return false;
        break;
      case OpFormat::AsBx:
        if (!target(pc, inst_sbx(i))) return false;
        break;
      case OpFormat::J:
        if (!target(pc, inst_jdist(i))) return false;
        break;
    }
    if (info.test && !followed_by_jmp(pc)) return false;
    switch (op) {
      case OP_LOADBOOL:
        return c == 0 || pc + 2 < size;
      case OP_LOADNIL:
        return a <= b;
      case OP_GETGLOBAL:
      case OP_SETGLOBAL:
        return string_constant(bx);
      case OP_NEWTABLE:
        return newtable_sizes_ok(b, c);
      case OP_CONCAT:
        return b <= c;
      case OP_CALL:
      case OP_TAILCALL:
        // B-1 arguments above R(A); C-1 results from R(A).
        return (b == 0 || reg(uint64_t(a) + b - 1)) && (c < 2 || reg(uint64_t(a) + c - 2));
      case OP_RETURN:
        return basic_return || b < 2 || reg(uint64_t(a) + b - 2);
      case OP_FORLOOP:
        return reg(uint64_t(a) + 2);  // index, limit, step
      case OP_TFORPREP:
        return reg(uint64_t(a) + 1);
      // The loop's C+1 variables from R(A+2), and the copy of the iterator, state and control
      // value above them at R(A+C+3) .. R(A+C+5) for the call.
      case OP_TFORLOOP:
        return reg(uint64_t(a) + c + 5);
      case OP_SETLIST:
        return reg(uint64_t(a) + (bx & (kFieldsPerFlush - 1)) + 1);
      case OP_SELF:
        return reg(uint64_t(a) + 1) && rk_is_const(c) && string_constant(rk_const_index(c));
      case OP_CLOSURE: {
        // The nested function's upvalues are described by the instructions that follow: MOVE
        // shares a register, GETUPVAL an upvalue of this function. They are checked as
        // ordinary instructions too, since a jump may land on them.
        const int32_t nup = p->p[bx]->nups;
        if (pc + nup >= size) return false;
        for (int32_t j = 1; j <= nup; j++) {
          const uint32_t cop = inst_op(p->code[pc + j]);
          if (cop != OP_MOVE && cop != OP_GETUPVAL) return false;
        }
        return true;
      }
      default:
        return true;
    }
  }
};

}  // namespace

bool bytecode_check_code(const qmProto* p) {
  Checker ck{p, p->sizecode, p->maxstacksize};
  if (!ck.header()) return false;
  for (int32_t pc = 0; pc < ck.size; pc++)
    if (!ck.instruction(pc)) return false;
  return true;
}
