#include "tools/asm/asm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tools/asm/text.h"

namespace {

using namespace qm;
using namespace qm::asmx;

std::vector<uint8_t> assemble_ok(const std::string& text) {
  std::vector<uint8_t> out;
  std::string err;
  EXPECT_TRUE(assemble(text, out, err)) << err;
  return out;
}

// The smallest chunk, byte by byte: header, then a main function with one RETURN.
TEST(Asm, MinimalChunkLayout) {
  Function f;
  Builder b(f);
  b.abc(OP_RETURN, 0, 1, 0);
  const std::vector<uint8_t> expect = {
      27, 'Q',  'M',  'B',  1,    4,    4,    4,    6,    8, 9, 9,
      8,  0xB6, 0x09, 0x93, 0x68, 0xE7, 0xF5, 0x7D, 0x41,  // 31415926.535897933
      0,  0,    0,    0,                                   // source: absent
      0,  0,    0,    0,                                   // line defined
      0,  0,    0,    2,                                   // nups, params, vararg, maxstack
      0,  0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0,  // lines, locals, upvalue names
      0,  0,    0,    0,    0,    0,    0,    0,                    // constants, nested functions
      1,  0,    0,    0,    0x22, 0x80, 0,    0,                    // one instruction: RETURN 0 1 0
  };
  EXPECT_EQ(write_chunk(f), expect);
  EXPECT_EQ(assemble_ok("RETURN r0 1"), expect);

  Header be;
  be.byte_order = 0;
  std::vector<uint8_t> big = write_chunk(f, be);
  ASSERT_EQ(big.size(), expect.size());
  EXPECT_EQ(big[4], 0);
  EXPECT_EQ(big[13], 0x41);  // the test number's bytes reversed
  EXPECT_EQ(big[20], 0xB6);
  const uint8_t code_be[] = {0, 0, 0, 1, 0, 0, 0x80, 0x22};
  EXPECT_EQ(0, std::memcmp(big.data() + big.size() - 8, code_be, 8));
}

TEST(Asm, StringsConstantsAndLabels) {
  std::vector<uint8_t> c = assemble_ok(
      ".maxstack 3\n"
      ".const none\n"
      "top: LOADK r0 \"a\\x00\\\"\\n\\255\"\n"
      "  LOADK r1 #-0\n"
      "  LOADK r1 #-0 ; deduplicated\n"
      "  EQ 0 k1 #nan\n"
      "  JMP @top\n"
      "  GOSUB @end\n"
      "  FORLOOP r0 @top\n"
      "end: RETURN 0 0 1\n");
  Header h;
  Function f;
  std::string err;
  ASSERT_TRUE(read_chunk(c.data(), c.size(), h, f, err)) << err;
  ASSERT_EQ(f.constants.size(), 4u);
  EXPECT_FALSE(f.constants[0].text.has_value());
  EXPECT_EQ(*f.constants[1].text, std::string("a\0\"\n\xff", 5));
  EXPECT_TRUE(std::signbit(f.constants[2].number));
  EXPECT_TRUE(std::isnan(f.constants[3].number));
  ASSERT_EQ(f.code.size(), 8u);
  EXPECT_EQ(f.code[2], f.code[1]);
  EXPECT_EQ(f.code[3], make_abc(OP_EQ, 0, rk_const(1), rk_const(3)));
  EXPECT_EQ(f.code[4], make_jmp(0, -5));
  EXPECT_EQ(f.code[5], make_jmp(kJmpGosub, 1));
  EXPECT_EQ(f.code[6], make_asbx(OP_FORLOOP, 0, -7));
}

// Text -> chunk -> text -> chunk gives the same bytes, in both byte orders, for every kind of
// field the text form can express.
TEST(Asm, DisassemblyRoundTrip) {
  const std::string body =
      ".source \"@demo.qm\"\n.linedefined 0\n.maxstack 8\n"
      ".lineno 3\n"
      "  GETGLOBAL r0 \"Print\"\n  LOADK r1 #inf\n  LOADK r2 k0\n"
      "  NEWTABLE r3 9 2\n  SETLIST r3 2\n  SELF r4 r3 \"m\"\n"
      ".lineno 4\n"
      "loop: TEST r5 r4 1\n  JMP @done 1\n  TFORPREP r0 @loop\n  TFORLOOP r0 1\n  JMP @loop\n"
      "  CLOSURE r6 f:g\n  MOVE 0 r1\n  GETUPVAL 0 u0\n"
      "  .word 0xfffffffe\n  JMP 100\n"
      "done: RETURN r0 0 1\n  RETURN r0 1\n"
      ".upname \"up\"\n.local \"i\" 1 @done\n.local none 0 0\n"
      ".function g\n  .source none\n  .params 2\n  .vararg\n  .upvalues 2\n"
      "  .lines 7 8 9\n  .const bits 0x7ff8000000000001\n  .const nil\n  .const \"\"\n"
      "  RETURN r0 1\n"
      "  .function\n    .source \"inner\"\n    RETURN r0 1\n  .end\n"
      ".end\n";
  for (const char* order : {"", ".byteorder 0\n"}) {
    std::vector<uint8_t> first = assemble_ok(order + body);
    std::string text, err;
    ASSERT_TRUE(disassemble(first.data(), first.size(), text, err)) << err;
    EXPECT_EQ(assemble_ok(text), first) << text;
  }
}

TEST(Asm, HeaderControl) {
  std::vector<uint8_t> c = assemble_ok(
      ".signature \"\\x1bQMX\"\n.byteorder 7\n.sizes 1 2 3 4 5 6 7 8\n.testnumber 31415926.9\n"
      "RETURN r0 1\n");
  const uint8_t head[] = {27, 'Q', 'M', 'X', 7, 1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(0, std::memcmp(c.data(), head, sizeof head));
  std::string text, err;
  ASSERT_TRUE(disassemble(c.data(), c.size(), text, err)) << err;
  EXPECT_EQ(assemble_ok(text), c);
}

TEST(Asm, TextErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"RETURN 0 1\nFROB 1", "line 2: unknown instruction FROB"},
      {"RETURN 0 1\nJMP @nowhere\nRETURN 0 1", "line 2: label nowhere is never bound"},
      {"LOADK r0 \"abc", "line 1: unterminated string"},
      {"MOVE r256 r0", "line 1: '256' outside 0..255"},
      {".function f\nRETURN 0 1", "line 2: .function without .end"},
      {"CLOSURE r0 f:missing", "line 1: no nested function named missing"},
      {".const \"x\\q\"", "line 1: unknown escape \\q"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> out;
    std::string err;
    EXPECT_FALSE(assemble(c.text, out, err)) << c.text;
    EXPECT_EQ(err, c.error) << c.text;
  }
}

// A program for the player passes the player's code check; its first fault names the source line.
TEST(Asm, ProgramFaultsNameTheLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"", "line 1: the player's code check refuses the program: no instructions"},
      {"; setup\n.maxstack 2\n  LOADK r0 #1\n",
       "line 3: the player's code check refuses the program: no RETURN at the end"},
      {".maxstack 4\n  LOADK r0 #1\n  MOVE r4 r0\n  RETURN r0 1",
       "line 3: the player's code check refuses this instruction: "
       "a register at or above the maximum stack size (.maxstack 4)"},
      {"  CLOSURE r0 f0\n  RETURN r0 1\n"
       ".function\n  .maxstack 2\n  EQ 0 r0 r1\n  RETURN r0 1\n.end",
       "line 5: the player's code check refuses this instruction: a test that no JMP follows"},
      {"  CLOSURE r0 f0\n  RETURN r0 1\n.function\n  LOADK r0 #1\n.end",
       "line 4: the player's code check refuses this function: no RETURN at the end"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> out;
    std::string err;
    bool applet = false;
    EXPECT_FALSE(assemble_program(c.text, "", out, applet, err)) << c.text;
    EXPECT_EQ(err, c.error) << c.text;
  }
}

}  // namespace
