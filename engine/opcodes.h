// The instruction word of the script engine and the operand modes of its 43 operations.
//
// One unsigned 32-bit word per instruction:
//
//   31      24 23       15 14        6 5    0
//   +---------+-----------+-----------+------+
//   |    A    |     B     |     C     |  OP  |   A B C
//   |    A    |          Bx           |  OP  |   A Bx / A sBx (sBx = Bx - 131071)
//   | M |              J              |  OP  |   JMP: distance J - 8388607, M = 2 is a Gosub
//   +---------+-----------+-----------+------+
//
// A 9-bit B or C that is an RK operand names register x for 0..249 and constant x - 250 for
// 250..511. Jump distances count instructions from the one after the jumping instruction.
#pragma once

#include <cstdint>

namespace qm {

enum OpCode : uint8_t {
  OP_MOVE = 0,
  OP_LOADK,
  OP_LOADBOOL,
  OP_LOADNIL,
  OP_GETUPVAL,
  OP_GETGLOBAL,
  OP_GETTABLE,
  OP_SETGLOBAL,
  OP_SETUPVAL,
  OP_SETTABLE,
  OP_NEWTABLE,
  OP_ADD,
  OP_SUB,
  OP_MUL,
  OP_DIV,
  OP_DIVINT,
  OP_MOD,
  OP_LSH,
  OP_RSH,
  OP_OR,
  OP_AND,
  OP_XOR,
  OP_POW,
  OP_UNM,
  OP_NOT,
  OP_BNOT,
  OP_CONCAT,
  OP_JMP,
  OP_EQ,
  OP_LT,
  OP_LE,
  OP_TEST,
  OP_CALL,
  OP_TAILCALL,
  OP_RETURN,
  OP_FORLOOP,
  OP_TFORLOOP,
  OP_TFORPREP,
  OP_SETLIST,
  OP_SETLISTO,
  OP_CLOSE,
  OP_CLOSURE,
  OP_SELF,
};

// Operations 0..42 are defined; 43..63 fit the OP field, load, and do nothing.
inline constexpr int kNumOpcodes = 43;

// Field widths, as the chunk header states them (bits of OP, A, B, C).
inline constexpr int kSizeOp = 6;
inline constexpr int kSizeA = 8;
inline constexpr int kSizeB = 9;
inline constexpr int kSizeC = 9;
inline constexpr int kSizeBx = kSizeB + kSizeC;
inline constexpr int kSizeJ = 24;
inline constexpr int kSizeM = 2;

inline constexpr int kPosOp = 0;
inline constexpr int kPosC = kPosOp + kSizeOp;  // 6
inline constexpr int kPosB = kPosC + kSizeC;    // 15
inline constexpr int kPosA = kPosB + kSizeB;    // 24
inline constexpr int kPosBx = kPosC;
inline constexpr int kPosJ = kPosC;
inline constexpr int kPosM = kPosJ + kSizeJ;  // 30

inline constexpr uint32_t kMaxArgOp = (1u << kSizeOp) - 1;  // 63
inline constexpr uint32_t kMaxArgA = (1u << kSizeA) - 1;    // 255
inline constexpr uint32_t kMaxArgB = (1u << kSizeB) - 1;    // 511
inline constexpr uint32_t kMaxArgC = (1u << kSizeC) - 1;    // 511
inline constexpr uint32_t kMaxArgBx = (1u << kSizeBx) - 1;  // 262143
inline constexpr int32_t kBiasSBx = int32_t(kMaxArgBx >> 1);  // 131071
inline constexpr uint32_t kMaxArgJ = (1u << kSizeJ) - 1;    // 16777215
inline constexpr int32_t kBiasJ = int32_t(kMaxArgJ >> 1);     // 8388607
inline constexpr uint32_t kMaxArgM = (1u << kSizeM) - 1;

// JMP mode that pushes the position after the jump on the Gosub return stack; every other mode
// is a plain jump.
inline constexpr uint32_t kJmpGosub = 2;
// RETURN with C = 1 is a Basic Return (pops the Gosub return stack).
inline constexpr uint32_t kReturnBasic = 1;

// RK operands: values at or above this name constants.
inline constexpr uint32_t kRKConst = 250;
// Registers a function may use (the prototype's maximum stack size is at most this).
inline constexpr int kMaxStack = 250;
// SETLIST/SETLISTO: Bx keeps the first key in its high bits and (count - 1) in the low five.
inline constexpr uint32_t kFieldsPerFlush = 32;

// The chunk's size bytes and test number.
inline constexpr uint8_t kSizeInt = 4;
inline constexpr uint8_t kSizeLength = 4;
inline constexpr uint8_t kSizeInstruction = 4;
inline constexpr uint8_t kSizeNumber = 8;

using Instruction = uint32_t;

// NEWTABLE size hints: B is a tiny float, array size (B & 7) << (B >> 3); C is the log2 of the
// hash size (0: no hash part). The code check refuses hints beyond these limits, so the array
// size always fits an int32 and the hash size a shift of a 32-bit one.
inline constexpr uint32_t kMaxNewTableShift = 28;
inline constexpr uint32_t kMaxNewTableLogHash = 30;
inline constexpr bool newtable_sizes_ok(uint32_t b, uint32_t c) {
  return (b >> 3) <= kMaxNewTableShift && c <= kMaxNewTableLogHash;
}
inline constexpr uint32_t newtable_array_size(uint32_t b) { return (b & 7) << (b >> 3); }

inline constexpr uint32_t inst_op(Instruction i) { return (i >> kPosOp) & kMaxArgOp; }
inline constexpr uint32_t inst_a(Instruction i) { return (i >> kPosA) & kMaxArgA; }
inline constexpr uint32_t inst_b(Instruction i) { return (i >> kPosB) & kMaxArgB; }
inline constexpr uint32_t inst_c(Instruction i) { return (i >> kPosC) & kMaxArgC; }
inline constexpr uint32_t inst_bx(Instruction i) { return (i >> kPosBx) & kMaxArgBx; }
inline constexpr int32_t inst_sbx(Instruction i) { return int32_t(inst_bx(i)) - kBiasSBx; }
inline constexpr uint32_t inst_j(Instruction i) { return (i >> kPosJ) & kMaxArgJ; }
// Signed jump distance of a JMP.
inline constexpr int32_t inst_jdist(Instruction i) { return int32_t(inst_j(i)) - kBiasJ; }
inline constexpr uint32_t inst_m(Instruction i) { return (i >> kPosM) & kMaxArgM; }

// Encoders: operands are masked to their fields, so out-of-range values wrap instead of
// spilling into neighbouring fields.
inline constexpr Instruction make_abc(uint32_t op, uint32_t a, uint32_t b, uint32_t c) {
  return ((op & kMaxArgOp) << kPosOp) | ((a & kMaxArgA) << kPosA) | ((b & kMaxArgB) << kPosB) |
         ((c & kMaxArgC) << kPosC);
}
inline constexpr Instruction make_abx(uint32_t op, uint32_t a, uint32_t bx) {
  return ((op & kMaxArgOp) << kPosOp) | ((a & kMaxArgA) << kPosA) | ((bx & kMaxArgBx) << kPosBx);
}
inline constexpr Instruction make_asbx(uint32_t op, uint32_t a, int32_t sbx) {
  return make_abx(op, a, uint32_t(sbx + kBiasSBx));
}
// JMP with mode m over a signed distance.
inline constexpr Instruction make_jmp(uint32_t m, int32_t dist) {
  return (uint32_t(OP_JMP) << kPosOp) | ((uint32_t(dist + kBiasJ) & kMaxArgJ) << kPosJ) |
         ((m & kMaxArgM) << kPosM);
}

inline constexpr bool rk_is_const(uint32_t x) { return x >= kRKConst; }
inline constexpr uint32_t rk_const_index(uint32_t x) { return x - kRKConst; }
inline constexpr uint32_t rk_const(uint32_t k) { return k + kRKConst; }

// Operand modes, for the code check, the disassembler and the assembler.
enum class OpFormat : uint8_t { ABC, ABx, AsBx, J };
enum class ArgMode : uint8_t {
  Unused,  // field ignored
  Reg,     // register R(x)
  RK,      // register or constant
  Num,     // plain number (count, flag, size)
  Upval,   // upvalue index
  Const,   // constant index (Bx)
  Proto,   // nested-function index (Bx)
};

struct OpInfo {
  const char* name;
  OpFormat format;
  ArgMode a;  // Reg when A names a register the operation uses, Num for a flag, Unused
  ArgMode b;  // for ABx/AsBx formats: the mode of Bx/sBx
  ArgMode c;
  bool test;  // must be followed by a JMP whose jump it may take
};

inline constexpr OpInfo kOpInfo[kNumOpcodes] = {
    {"MOVE", OpFormat::ABC, ArgMode::Reg, ArgMode::Reg, ArgMode::Unused, false},
    {"LOADK", OpFormat::ABx, ArgMode::Reg, ArgMode::Const, ArgMode::Unused, false},
    {"LOADBOOL", OpFormat::ABC, ArgMode::Reg, ArgMode::Num, ArgMode::Num, false},
    {"LOADNIL", OpFormat::ABC, ArgMode::Reg, ArgMode::Reg, ArgMode::Unused, false},
    {"GETUPVAL", OpFormat::ABC, ArgMode::Reg, ArgMode::Upval, ArgMode::Unused, false},
    {"GETGLOBAL", OpFormat::ABx, ArgMode::Reg, ArgMode::Const, ArgMode::Unused, false},
    {"GETTABLE", OpFormat::ABC, ArgMode::Reg, ArgMode::Reg, ArgMode::RK, false},
    {"SETGLOBAL", OpFormat::ABx, ArgMode::Reg, ArgMode::Const, ArgMode::Unused, false},
    {"SETUPVAL", OpFormat::ABC, ArgMode::Reg, ArgMode::Upval, ArgMode::Unused, false},
    {"SETTABLE", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"NEWTABLE", OpFormat::ABC, ArgMode::Reg, ArgMode::Num, ArgMode::Num, false},
    {"ADD", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"SUB", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"MUL", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"DIV", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"DIVINT", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"MOD", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"LSH", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"RSH", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"OR", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"AND", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"XOR", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"POW", OpFormat::ABC, ArgMode::Reg, ArgMode::RK, ArgMode::RK, false},
    {"UNM", OpFormat::ABC, ArgMode::Reg, ArgMode::Reg, ArgMode::Unused, false},
    {"NOT", OpFormat::ABC, ArgMode::Reg, ArgMode::Reg, ArgMode::Unused, false},
    {"BNOT", OpFormat::ABC, ArgMode::Reg, ArgMode::Reg, ArgMode::Unused, false},
    {"CONCAT", OpFormat::ABC, ArgMode::Reg, ArgMode::Reg, ArgMode::Reg, false},
    {"JMP", OpFormat::J, ArgMode::Unused, ArgMode::Unused, ArgMode::Unused, false},
    {"EQ", OpFormat::ABC, ArgMode::Num, ArgMode::RK, ArgMode::RK, true},
    {"LT", OpFormat::ABC, ArgMode::Num, ArgMode::RK, ArgMode::RK, true},
    {"LE", OpFormat::ABC, ArgMode::Num, ArgMode::RK, ArgMode::RK, true},
    {"TEST", OpFormat::ABC, ArgMode::Reg, ArgMode::Reg, ArgMode::Num, true},
    {"CALL", OpFormat::ABC, ArgMode::Reg, ArgMode::Num, ArgMode::Num, false},
    {"TAILCALL", OpFormat::ABC, ArgMode::Reg, ArgMode::Num, ArgMode::Num, false},
    {"RETURN", OpFormat::ABC, ArgMode::Reg, ArgMode::Num, ArgMode::Num, false},
    {"FORLOOP", OpFormat::AsBx, ArgMode::Reg, ArgMode::Num, ArgMode::Unused, false},
    {"TFORLOOP", OpFormat::ABC, ArgMode::Reg, ArgMode::Unused, ArgMode::Num, true},
    {"TFORPREP", OpFormat::AsBx, ArgMode::Reg, ArgMode::Num, ArgMode::Unused, false},
    {"SETLIST", OpFormat::ABx, ArgMode::Reg, ArgMode::Num, ArgMode::Unused, false},
    {"SETLISTO", OpFormat::ABx, ArgMode::Reg, ArgMode::Num, ArgMode::Unused, false},
    {"CLOSE", OpFormat::ABC, ArgMode::Reg, ArgMode::Unused, ArgMode::Unused, false},
    {"CLOSURE", OpFormat::ABx, ArgMode::Reg, ArgMode::Proto, ArgMode::Unused, false},
    {"SELF", OpFormat::ABC, ArgMode::Reg, ArgMode::Reg, ArgMode::RK, false},
};

}  // namespace qm
