#include "engine/bytecode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engine/call.h"
#include "engine/errcodes.h"
#include "engine/func.h"
#include "engine/vm.h"
#include "tools/asm/asm.h"
#include "tools/asm/text.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace qm;
using namespace qm::asmx;

Bytes asm_text(const std::string& text) {
  Bytes out;
  std::string err;
  EXPECT_TRUE(assemble(text, out, err)) << err << "\n" << text;
  return out;
}

struct MemReader {
  const Bytes* bytes;
  size_t pos;
  size_t block;  // bytes handed out per call
};

const char* mem_reader(qmState*, void* data, size_t* size) {
  auto* r = static_cast<MemReader*>(data);
  *size = std::min(r->block, r->bytes->size() - r->pos);
  const char* p = reinterpret_cast<const char*>(r->bytes->data() + r->pos);
  r->pos += *size;
  return p;
}

int32_t collect(qmState*, const void* p, size_t size, void* data) {
  auto* out = static_cast<Bytes*>(data);
  out->insert(out->end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size);
  return 0;
}

class Chunk : public ::testing::Test {
 protected:
  void SetUp() override {
    L = vm_open();
    ASSERT_NE(L, nullptr);
  }
  void TearDown() override { vm_close_state(L); }

  // Loads under protection; on success the main function's closure is left on the stack.
  int32_t load(const Bytes& bytes, size_t block = SIZE_MAX, const char* name = "=test") {
    struct Job {
      MemReader reader;
      const char* name;
      qmBuffer buff;
    } job{{&bytes, 0, block}, name, {}};
    buffer_init(&job.buff);
    L->top = L->base;
    auto body = [](qmState* L, void* ud) {
      auto* j = static_cast<Job*>(ud);
      qmStream z;
      stream_init(L, &z, mem_reader, &j->reader, j->name);
      qmProto* p = bytecode_load(L, &z, &j->buff);
      qmClosure* cl = vm_closure_new_script(L, p, &L->gt);
      setclvalue(L->top, cl);
      L->top++;
    };
    int32_t status = vm_raw_run_protected(L, body, &job);
    buffer_free(L, &job.buff);
    return status;
  }

  Bytes dump_top() {
    Bytes out;
    EXPECT_EQ(vm_bytecode_dump(L, -1, collect, &out), 0);
    return out;
  }

  qmProto* top_proto() { return clvalue(L->top - 1)->p; }

  qmState* L = nullptr;
};

// Every field kind: lines, locals (one without a name), upvalue names (one absent), all
// constant kinds including -0, inf, nan and the empty string, nested functions with inherited
// and own sources, Gosub and Basic Return, CLOSURE with a capture line, a no-op operation.
const char* const kRich = R"(
.source "@roundtrip.qm"
.maxstack 10
.local "t" 2 12
.local none 0 1
.lineno 1
  GETGLOBAL r0 "Print"
  LOADK r1 "h\x00i\n"
  LOADK r2 #-0
  LOADK r3 #inf
  LOADK r4 #nan
  LOADK r4 ""
  LOADK r4 #nil
  LOADNIL r5 r6
  NEWTABLE r5 9 2
  SETLIST r5 2
.lineno 2
loop:
  ADD r1 r1 #1
  LT 1 r1 #10
  JMP @loop
  EQ 0 r1 #nil
  JMP @skip
  GOSUB @sub
skip:
  SELF r6 r5 "m"
  CALL r6 2 1
  CLOSURE r7 f:inner
  MOVE 0 r1
  FORLOOP r1 @loop
  TFORPREP r2 @tl
tl:
  TFORLOOP r2 1
  JMP @loop
  .word 0xffffffff
  RETURN r0 1
sub:
  RETURN 0 0 1
.function inner
  .linedefined 5
  .params 1
  .vararg
  .maxstack 3
  .upname "x"
  .local "a" 0 2
  .lines 6 6 7
  GETUPVAL r1 u0
  SETUPVAL r0 u0
  RETURN r1 2
  .function
    .source "other"
    .upvalues 2
    .upname none
    .upname "y"
    RETURN r0 1
  .end
.end
)";

TEST_F(Chunk, RoundTripIsByteIdentical) {
  Bytes chunk = asm_text(kRich);
  ASSERT_EQ(load(chunk), 0);
  EXPECT_EQ(dump_top(), chunk);

  const qmProto* p = top_proto();
  ASSERT_EQ(p->sizep, 1);
  EXPECT_EQ(p->p[0]->source, p->source);  // inherited, so written as absent
  EXPECT_STREQ(p->p[0]->p[0]->source->data(), "other");
  EXPECT_EQ(p->locvars[1].varname, nullptr);

  // The same program in big-endian order loads to the same tree.
  ASSERT_EQ(load(asm_text(std::string(".byteorder 0\n") + kRich)), 0);
  EXPECT_EQ(dump_top(), chunk);
  // Read one byte per reader call, across every field boundary.
  ASSERT_EQ(load(chunk, 1), 0);
  EXPECT_EQ(dump_top(), chunk);
}

TEST_F(Chunk, BigEndianFixtureFromIndependentWriter) {
  FILE* f = popen("python3 " QM_CHUNK_TEST_DIR "/be_fixture.py", "r");
  ASSERT_NE(f, nullptr);
  Bytes be;
  for (int c; (c = fgetc(f)) != EOF;) be.push_back(uint8_t(c));
  ASSERT_EQ(pclose(f), 0);
  ASSERT_GT(be.size(), kHeaderSize);
  EXPECT_EQ(be[4], 0);

  ASSERT_EQ(load(be), 0);
  const Bytes same_le = asm_text(R"(
.source "@be.qm"
.maxstack 4
.local "t" 1 4
.const nil
.const -0
.const "text\n"
.const ""
.function
  .linedefined 3
  .params 2
  .vararg
  .maxstack 4
  .upname "u"
  .local "p" 0 2
  .const 2.5
  .lines 3 4
  GETUPVAL r2 u0
  RETURN r2 2
.end
.lines 1 1 2 2
  LOADK r0 k2
  CLOSURE r1 f0
  MOVE 0 r0
  RETURN r0 1
)");
  EXPECT_EQ(dump_top(), same_le);
}

TEST_F(Chunk, MainWithoutSourceTakesTheChunkName) {
  ASSERT_EQ(load(asm_text(".function\nRETURN r0 1\n.end\nCLOSURE r0 f0\nRETURN r0 1"), SIZE_MAX,
                 "@prog.qm"),
            0);
  const qmProto* p = top_proto();
  ASSERT_NE(p->source, nullptr);
  EXPECT_STREQ(p->source->data(), "@prog.qm");
  EXPECT_EQ(p->p[0]->source, p->source);
}

TEST_F(Chunk, EveryCutPointIsUnexpectedEof) {
  const Bytes chunk = asm_text(kRich);
  for (size_t n = 0; n < chunk.size(); ++n) {
    Bytes cut(chunk.begin(), chunk.begin() + std::ptrdiff_t(n));
    ASSERT_EQ(load(cut, n % 2 ? 7 : SIZE_MAX), ERR_UNEXPECTEDEOF) << "cut at " << n;
  }
}

TEST_F(Chunk, HeaderChecks) {
  struct Case {
    const char* what;
    size_t offset;
    uint8_t value;
    int32_t code;
  } cases[] = {
      {"escape byte", 0, 26, ERR_BADSIGNATURE},  {"signature Q", 1, 'q', ERR_BADSIGNATURE},
      {"signature B", 3, 'C', ERR_BADSIGNATURE}, {"integer size", 5, 8, ERR_VMMISMATCH},
      {"length size", 6, 8, ERR_VMMISMATCH},     {"instruction size", 7, 2, ERR_VMMISMATCH},
      {"bits of OP", 8, 7, ERR_VMMISMATCH},      {"bits of A", 9, 9, ERR_VMMISMATCH},
      {"bits of B", 10, 8, ERR_VMMISMATCH},      {"bits of C", 11, 8, ERR_VMMISMATCH},
      {"number size", 12, 4, ERR_VMMISMATCH},
  };
  const Bytes good = asm_text("RETURN r0 1");
  for (const Case& c : cases) {
    Bytes bad = good;
    bad[c.offset] = c.value;
    EXPECT_EQ(load(bad), c.code) << c.what;
  }

  struct Number {
    double value;
    int32_t code;
  } numbers[] = {
      {31415926.9, 0},
      {31415926.0, 0},
      {31415927.0, ERR_UNKNUMFMT},
      {-31415926.5, ERR_UNKNUMFMT},
      {std::numeric_limits<double>::quiet_NaN(), ERR_UNKNUMFMT},
      {std::numeric_limits<double>::infinity(), ERR_UNKNUMFMT},
  };
  Function f;
  Builder(f).abc(OP_RETURN, 0, 1, 0);
  for (const Number& n : numbers) {
    Header h;
    h.test_number = n.value;
    EXPECT_EQ(load(write_chunk(f, h)), n.code) << n.value;
  }
}

TEST_F(Chunk, FieldChecks) {
  struct Case {
    const char* text;
    int32_t code;
  } cases[] = {
      {".const type 1\nRETURN r0 1", ERR_BADCONSTANT},
      {".const type 5\nRETURN r0 1", ERR_BADCONSTANT},
      {".const none\nRETURN r0 1", ERR_BADCONSTANT},  // a string constant with no string
      {".upvalues 2\n.upname \"a\"\nRETURN r0 1", ERR_BADUPVALUES},
      {".upvalues 1\n.upname \"a\"\n.upname \"b\"\nRETURN r0 1", ERR_BADUPVALUES},
      {".upvalues 2\nRETURN r0 1", 0},
      {".linedefined -1\nRETURN r0 1", ERR_BADINTEGER},
      {".local \"x\" -1 1\nRETURN r0 1", ERR_BADINTEGER},
      {".local \"x\" 0 -5\nRETURN r0 1", ERR_BADINTEGER},
      {".count lines -1\nRETURN r0 1", ERR_BADINTEGER},
      {".count locals -1\nRETURN r0 1", ERR_BADINTEGER},
      {".count upnames -1\nRETURN r0 1", ERR_BADINTEGER},
      {".count constants -1\nRETURN r0 1", ERR_BADINTEGER},
      {".count functions -2147483648\nRETURN r0 1", ERR_BADINTEGER},
      {".count code -1\nRETURN r0 1", ERR_BADINTEGER},
      // Counts far beyond the input: the load runs out of bytes long before allocating them.
      {".count code 2147483647\nRETURN r0 1", ERR_UNEXPECTEDEOF},
      {".count lines 2147483647\nRETURN r0 1", ERR_UNEXPECTEDEOF},
      {".count constants 2147483647\nRETURN r0 1", ERR_BADCONSTANT},  // reads on into the code
      {".count locals 2147483647\nRETURN r0 1", ERR_UNEXPECTEDEOF},
      {".count functions 2147483647\nRETURN r0 1", ERR_UNEXPECTEDEOF},
  };
  for (const Case& c : cases) EXPECT_EQ(load(asm_text(c.text)), c.code) << c.text;

  // A string length near 4 GiB in a chunk of a few dozen bytes.
  Bytes chunk = asm_text(".source \"x\"\nRETURN r0 1");
  const uint8_t huge[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  std::memcpy(chunk.data() + kHeaderSize, huge, 4);
  EXPECT_EQ(load(chunk), ERR_UNEXPECTEDEOF);
}

// One malformed program per rule of the code check (and programs right at each limit, which
// must load). Every program has a maximum stack of 4 unless it says otherwise.
TEST_F(Chunk, CodeCheck) {
  struct Case {
    const char* rule;
    const char* body;
    int32_t code;
  } cases[] = {
      {"params + vararg above max stack", ".maxstack 2\n.params 2\n.vararg\nRETURN r0 1",
       ERR_BADBYTECODE},
      {"params at max stack", ".maxstack 2\n.params 1\n.vararg\nRETURN r0 1", 0},
      {"max stack above 250", ".maxstack 251\nRETURN r0 1", ERR_BADBYTECODE},
      {"line count not code size", ".lines 1 2\nRETURN r0 1", ERR_BADBYTECODE},
      {"local pc beyond code", ".local \"x\" 0 2\nRETURN r0 1", ERR_BADBYTECODE},
      {"local pc at code end", ".local \"x\" 1 1\nRETURN r0 1", 0},
      {"register written", "MOVE r4 r0\nRETURN r0 1", ERR_BADBYTECODE},
      {"register read", "NOT r0 r4\nRETURN r0 1", ERR_BADBYTECODE},
      {"top register", "MOVE r3 r3\nRETURN r3 2", 0},
      {"RK register", "ADD r0 r1 r4\nRETURN r0 1", ERR_BADBYTECODE},
      {"RK constant", "ADD r0 k0 r1\nRETURN r0 1", ERR_BADBYTECODE},
      {"RK constant present", "ADD r0 #1 r1\nRETURN r0 1", 0},
      {"LOADK beyond constants", "LOADK r0 k0\nRETURN r0 1", ERR_BADBYTECODE},
      {"GETGLOBAL number key", ".const 1\nGETGLOBAL r0 k0\nRETURN r0 1", ERR_BADBYTECODE},
      {"SETGLOBAL nil key", ".const nil\nSETGLOBAL r0 k0\nRETURN r0 1", ERR_BADBYTECODE},
      {"GETUPVAL beyond upvalues", "GETUPVAL r0 u0\nRETURN r0 1", ERR_BADBYTECODE},
      {"SETUPVAL beyond upvalues", ".upvalues 1\nSETUPVAL r0 u1\nRETURN r0 1", ERR_BADBYTECODE},
      {"LOADNIL A above B", "LOADNIL r2 r1\nRETURN r0 1", ERR_BADBYTECODE},
      {"CONCAT B above C", "CONCAT r0 r2 r1\nRETURN r0 1", ERR_BADBYTECODE},
      {"CALL arguments", "CALL r2 3 1\nRETURN r0 1", ERR_BADBYTECODE},
      {"CALL results", "CALL r2 1 4\nRETURN r0 1", ERR_BADBYTECODE},
      {"TAILCALL arguments", "TAILCALL r1 4 0\nRETURN r0 1", ERR_BADBYTECODE},
      {"CALL at the limit", "CALL r2 2 3\nRETURN r0 1", 0},
      {"RETURN values", "RETURN r2 4", ERR_BADBYTECODE},
      {"TFORLOOP call area", "TFORLOOP r0 0\nJMP @x\nx: RETURN r0 1", ERR_BADBYTECODE},
      {"TFORLOOP at the limit", ".maxstack 6\nTFORLOOP r0 0\nJMP @x\nx: RETURN r0 1", 0},
      {"SETLIST values", "SETLIST r0 3\nRETURN r0 1", ERR_BADBYTECODE},
      {"FORLOOP registers", "x: FORLOOP r2 @x\nRETURN r0 1", ERR_BADBYTECODE},
      {"SELF registers", "SELF r3 r0 \"m\"\nRETURN r0 1", ERR_BADBYTECODE},
      {"JMP past the end", "JMP 1\nRETURN r0 1", ERR_BADBYTECODE},
      {"JMP before the start", "JMP -2\nRETURN r0 1", ERR_BADBYTECODE},
      {"Gosub past the end", "GOSUB 1\nRETURN r0 1", ERR_BADBYTECODE},
      {"FORLOOP target", "FORLOOP r0 1\nRETURN r0 1", ERR_BADBYTECODE},
      {"TFORPREP target", "TFORPREP r0 -3\nRETURN r0 1", ERR_BADBYTECODE},
      {"LOADBOOL skip", "LOADBOOL r0 1 1\nRETURN r0 1", ERR_BADBYTECODE},
      {"LOADBOOL skip inside", "LOADBOOL r0 1 1\nMOVE r0 r0\nRETURN r0 1", 0},
      {"EQ without JMP", "EQ 0 r0 r1\nMOVE r0 r1\nRETURN r0 1", ERR_BADBYTECODE},
      {"LT without JMP", "LT 0 r0 r1\nMOVE r0 r1\nRETURN r0 1", ERR_BADBYTECODE},
      {"LE without JMP", "LE 0 r0 r1\nMOVE r0 r1\nRETURN r0 1", ERR_BADBYTECODE},
      {"TEST without JMP", "TEST r0 r1 0\nMOVE r0 r1\nRETURN r0 1", ERR_BADBYTECODE},
      {"TFORLOOP without JMP", ".maxstack 6\nTFORLOOP r0 0\nRETURN r0 1", ERR_BADBYTECODE},
      {"CLOSURE beyond functions", "CLOSURE r0 f0\nRETURN r0 1", ERR_BADBYTECODE},
      {"CLOSURE without its capture",
       ".function\n.upvalues 1\nRETURN r0 1\n.end\nCLOSURE r0 f0\nRETURN r0 1", ERR_BADBYTECODE},
      {"CLOSURE capture not MOVE",
       ".function\n.upvalues 1\nRETURN r0 1\n.end\nCLOSURE r0 f0\nLOADNIL 0 1\nRETURN r0 1",
       ERR_BADBYTECODE},
      {"CLOSURE capture register",
       ".function\n.upvalues 1\nRETURN r0 1\n.end\nCLOSURE r0 f0\nMOVE 0 r4\nRETURN r0 1",
       ERR_BADBYTECODE},
      {"CLOSURE capture upvalue",
       ".function\n.upvalues 1\nRETURN r0 1\n.end\nCLOSURE r0 f0\nGETUPVAL 0 u0\nRETURN r0 1",
       ERR_BADBYTECODE},
      {"CLOSURE captures",
       ".upvalues 1\n.function\n.upvalues 2\nRETURN r0 1\n.end\nCLOSURE r0 f0\nMOVE 0 r3\nGETUPVAL "
       "0 u0\nRETURN r0 1",
       0},
      {"SELF key in a register", "SELF r0 r1 r2\nRETURN r0 1", ERR_BADBYTECODE},
      {"SELF key a number", "SELF r0 r1 #1\nRETURN r0 1", ERR_BADBYTECODE},
      {"NEWTABLE array size", "NEWTABLE r0 255 0\nRETURN r0 1", ERR_BADBYTECODE},
      {"NEWTABLE hash size", "NEWTABLE r0 0 31\nRETURN r0 1", ERR_BADBYTECODE},
      {"last not RETURN", "RETURN r0 1\nMOVE r0 r0", ERR_BADBYTECODE},
      {"no code", "", ERR_BADBYTECODE},
      {"operations 43-63 do nothing", ".word 0xffffffeb\n.word 0x0000002b\nRETURN r0 1", 0},
      {"nested function checked", ".function\nMOVE r0 r0\n.end\nRETURN r0 1", ERR_BADBYTECODE},
  };
  for (const Case& c : cases) {
    const std::string text =
        std::strstr(c.body, ".maxstack") ? c.body : std::string(".maxstack 4\n") + c.body;
    EXPECT_EQ(load(asm_text(text)), c.code) << c.rule;
  }
}

// Nested functions 200 levels deep load; one level more is refused before the host stack is at
// risk.
TEST_F(Chunk, NestingLimit) {
  auto chain = [](int levels) {
    Function main;
    Function* f = &main;
    for (int i = 0; i < levels; ++i) {
      f->protos.emplace_back();
      f = &f->protos.back();
    }
    for (Function* g = &main;; g = &g->protos.back()) {
      Builder(*g).abc(OP_RETURN, 0, 1, 0);
      if (g->protos.empty()) break;
    }
    return write_chunk(main);
  };
  EXPECT_EQ(load(chain(200)), 0);
  EXPECT_EQ(load(chain(201)), ERR_BADBYTECODE);
}

int32_t a_command(qmState*) {
  return 0;
}

TEST_F(Chunk, DumpingACommandIsRefused) {
  vm_push_cfunction(L, a_command);
  Bytes out;
  EXPECT_EQ(vm_bytecode_dump(L, -1, collect, &out), ERR_NOQMFUNC);
  EXPECT_TRUE(out.empty());
}

}  // namespace
