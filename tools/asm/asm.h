// qm_asm: builds bytecode chunks for tests and the qmasm/qmdis tools.
//
// A chunk is modelled as a tree of `asmx::Function` records that mirror the chunk's fields one to
// one, so a test can write any chunk the loader may meet, valid or not: every count can be
// overridden, every string can be absent, constants may carry any type byte, and the header's
// signature, byte-order flag, size bytes and test number are free. `write_chunk` turns the tree
// into bytes; `read_chunk` parses bytes back into a tree without judging them (the engine's
// loader is the judge). `Builder` adds constants, labels and instruction forms on top.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/opcodes.h"

namespace qm::asmx {

// A string field: nullopt is the absent string (length 0), "" the empty one (length 1).
using OptString = std::optional<std::string>;

inline constexpr uint8_t kConstNil = 0;
inline constexpr uint8_t kConstNumber = 3;
inline constexpr uint8_t kConstString = 4;

struct Constant {
  uint8_t type = kConstNil;  // any byte; 3 carries `number`, 4 carries `text`, others no payload
  double number = 0;
  OptString text;
  bool operator==(const Constant& o) const;  // numbers compare by bit pattern
};

struct Local {
  OptString name;
  int32_t startpc = 0;
  int32_t endpc = 0;
};

// Written in place of the real element counts when set (for malformed chunks).
struct CountOverrides {
  std::optional<int32_t> lines, locals, upvalue_names, constants, protos, code;
};

struct Function {
  OptString source;  // absent: inherits the enclosing function's
  int32_t line_defined = 0;
  uint8_t nups = 0;
  uint8_t numparams = 0;
  uint8_t is_vararg = 0;
  uint8_t maxstack = 2;
  std::vector<int32_t> lines;  // empty or one per instruction
  std::vector<Local> locals;
  std::vector<OptString> upvalue_names;
  std::vector<Constant> constants;
  std::vector<Function> protos;  // references into this vector die when another is added
  std::vector<Instruction> code;
  CountOverrides counts;
};

struct Header {
  uint8_t signature[4] = {27, 'Q', 'M', 'B'};
  uint8_t byte_order = 1;  // 1 writes little-endian fields, any other value big-endian
  // integer, length, instruction sizes; bits of OP, A, B, C; number size
  uint8_t sizes[8] = {4, 4, 4, 6, 8, 9, 9, 8};
  double test_number = 31415926.535897933;
};

inline constexpr size_t kHeaderSize = 21;

std::vector<uint8_t> write_chunk(const Function& main, const Header& header = {});

// Parses a chunk without checking its contents beyond what parsing needs. On failure returns
// false with a message in `error` (and whatever was read so far).
bool read_chunk(const uint8_t* data, size_t size, Header& header, Function& main,
                std::string& error);

// Thrown by Builder for programming mistakes in a test (unbound label, jump out of range).
struct AsmError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Label {
  int id = -1;
};

// One capture line after CLOSURE: a register of the running function (MOVE) or one of its
// upvalues (GETUPVAL).
struct Capture {
  bool upvalue;
  uint32_t index;
  static Capture reg(uint32_t r) { return {false, r}; }
  static Capture up(uint32_t u) { return {true, u}; }
};

// Appends code and constants to a Function. Jumps to labels are resolved by finish(), which must
// run before the function is written.
class Builder {
 public:
  explicit Builder(Function& fn) : fn_(fn) {}

  // Constants, deduplicated by type and bit pattern. The *_rk forms give the RK operand value.
  uint32_t k_nil();
  uint32_t k_num(double v);
  uint32_t k_str(std::string_view s);
  uint32_t k_add(const Constant& c);  // finds or appends
  static uint32_t rk(uint32_t k) { return rk_const(k); }

  // Source line recorded for every following instruction; once set, the function carries a line
  // for each instruction (0 for those emitted before).
  void line(int32_t l);

  size_t pc() const { return fn_.code.size(); }
  void emit(Instruction i);
  void abc(OpCode op, uint32_t a, uint32_t b, uint32_t c) { emit(make_abc(op, a, b, c)); }
  void abx(OpCode op, uint32_t a, uint32_t bx) { emit(make_abx(op, a, bx)); }
  void asbx(OpCode op, uint32_t a, int32_t sbx) { emit(make_asbx(op, a, sbx)); }
  void asbx(OpCode op, uint32_t a, Label target);  // FORLOOP, TFORPREP to a label
  void jmp(Label target, uint32_t mode = 0);
  void jmp_raw(int32_t dist, uint32_t mode = 0) { emit(make_jmp(mode, dist)); }
  void gosub(Label target) { jmp(target, kJmpGosub); }
  void basic_return() { abc(OP_RETURN, 0, 0, kReturnBasic); }
  // CLOSURE A Bx followed by its capture lines.
  void closure(uint32_t a, uint32_t proto, const std::vector<Capture>& captures);

  Label new_label();
  void bind(Label l);
  bool is_bound(Label l) const {
    return l.id >= 0 && size_t(l.id) < labels_.size() && labels_[size_t(l.id)] >= 0;
  }
  // pc of a bound label (for local-variable ranges).
  int32_t label_pc(Label l) const;

  // Resolves label jumps; throws AsmError on an unbound label or a distance out of range.
  void finish();

 private:
  struct Fixup {
    size_t pc;
    int label;
    bool is_jmp;
  };
  Function& fn_;
  std::vector<int64_t> labels_;  // bound pc or -1
  std::vector<Fixup> fixups_;
  std::optional<int32_t> line_;
};

}  // namespace qm::asmx
