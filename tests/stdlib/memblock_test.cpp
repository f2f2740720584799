// The memblock library: big-endian values, 64-bit bounds, fills, copies, file transfers and the
// dump text.
#include <gtest/gtest.h>

#include <string>

#include "stdlib/memblock.h"
#include "tests/stdlib/dos_fixture.h"

using namespace qmtest;

namespace {

constexpr double kLong = 1, kString = 3, kWord = 6, kByte = 7;

class Memblock : public DosTest {};

TEST_F(Memblock, ValuesAreBigEndianAndBoundsAreExact) {
  ASSERT_EQ(call("AllocMem", {1.0, 16.0}).code, 0);
  EXPECT_EQ(call("Poke", {1.0, 0.0, double(0x11223344)}).code, 0);
  EXPECT_EQ(first("Peek", {1.0, 0.0, kByte}), "17");
  EXPECT_EQ(first("Peek", {1.0, 2.0, kWord}), "13124");  // 0x3344
  EXPECT_EQ(first("Peek", {1.0, 0.0}), "287454020");
  EXPECT_EQ(call("Poke", {1.0, 0.0, -1.0, kLong}).code, 0);
  EXPECT_EQ(first("Peek", {1.0, 0.0, kLong}), "4294967295");  // unsigned
  struct Case {
    const char* cmd;
    std::initializer_list<Arg> args;
    int32_t code;
  };
  const Case cases[] = {
      {"Poke", {1.0, 12.0, 1.0, kLong}, 0},
      {"Poke", {1.0, 13.0, 1.0, kLong}, 1146},
      {"Poke", {1.0, 14.0, 1.0, kWord}, 0},
      {"Poke", {1.0, 15.0, 1.0, kWord}, 1146},
      {"Poke", {1.0, 15.0, 1.0, kByte}, 0},
      {"Poke", {1.0, 16.0, 1.0, kByte}, 1146},
      {"Poke", {1.0, -1.0, 1.0, kByte}, 1146},
      {"Poke", {1.0, 2147483646.0, 1.0, kLong}, 1146},  // no wrap near 2^31
      {"Peek", {1.0, 2147483647.0, kLong}, 1146},
      {"Peek", {1.0, 4294967295.0, kByte}, 1146},
      {"Poke", {1.0, 0.0, 1.0, 2.0}, 1055},
      {"Peek", {1.0, 0.0, 5.0}, 1055},
      {"Poke", {1.0, 12.0, std::string("abcd"), kString}, 1146},  // needs room for the NUL
      {"Poke", {1.0, 10.0, std::string("abcde"), kString}, 0},
      {"Peek", {1.0, 10.0, kString, 7.0}, 1146},
      {"Peek", {1.0, 10.0, kString, -1.0}, 1055},
      {"Peek", {9.0, 0.0}, 1180},
      {"AllocMem", {2.0, 0.0}, 1000},
      {"AllocMem", {2.0, -5.0}, 1000},
  };
  for (const Case& c : cases) EXPECT_EQ(call(c.cmd, c.args).code, c.code) << c.cmd;
  EXPECT_EQ(first("Peek", {1.0, 10.0, kString}), "'abcde'");  // up to the NUL
  EXPECT_EQ(first("Peek", {1.0, 10.0, kString, 6.0}), "'" + std::string("abcde\0", 6) + "'");
}

TEST_F(Memblock, FillAndCopy) {
  ASSERT_EQ(call("AllocMem", {1.0, 8.0}).code, 0);
  ASSERT_EQ(call("AllocMem", {2.0, 8.0}).code, 0);
  EXPECT_EQ(call("FillMem", {1.0, 0.0, 8.0}).code, 0);
  EXPECT_EQ(call("FillMem", {1.0, double(0xABCD), 6.0, 0.0, kWord}).code, 0);
  EXPECT_EQ(first("Peek", {1.0, 0.0, kString, 8.0}), "'" + std::string("\xab\xcd\xab\xcd\xab\xcd\0\0", 8) + "'");
  EXPECT_EQ(call("FillMem", {1.0, double(0xABCD), 5.0, 0.0, kWord}).code, 1055);
  EXPECT_EQ(call("FillMem", {1.0, 1.0, 4.0, 2.0, kLong}).code, 1055);
  EXPECT_EQ(call("FillMem", {1.0, 1.0, 4.0, 6.0}).code, 1146);
  EXPECT_EQ(call("FillMem", {1.0, 1.0, 0.0, 100.0}).code, 0);  // nothing to do
  EXPECT_EQ(call("CopyMem", {1.0, 1.0, 2.0, 0.0, 4.0}).code, 1055);
  EXPECT_EQ(call("CopyMem", {1.0, 2.0, 4.0, 6.0}).code, 1146);
  EXPECT_EQ(call("CopyMem", {1.0, 2.0, 4.0, -1.0}).code, 1146);
  EXPECT_EQ(call("CopyMem", {1.0, 2.0, 4.0, 2.0, 4.0}).code, 0);
  EXPECT_EQ(first("Peek", {2.0, 4.0, kLong}), std::to_string(0xABCDABCDu));
}

TEST_F(Memblock, FileTransfersKeepTheFileObjectRight) {
  ASSERT_EQ(call("AllocMem", {1.0, 8.0}).code, 0);
  ASSERT_EQ(call("Poke", {1.0, 0.0, std::string("abcdefg"), kString}).code, 0);
  ASSERT_EQ(call("OpenFile", {1.0, path("m"), 1006.0}).code, 0);
  EXPECT_EQ(call("WriteMem", {1.0, 1.0, 3.0, 2.0}).code, 0);
  EXPECT_EQ(first("FileLength", {1.0}), "3");
  EXPECT_EQ(call("ReadMem", {1.0, 1.0, 3.0}).code, 1142);
  EXPECT_EQ(call("WriteMem", {1.0, 1.0, 3.0, 6.0}).code, 1146);
  ASSERT_EQ(call("CloseFile", {1.0}).code, 0);
  EXPECT_EQ(get_file(path("m")), "cde");
  ASSERT_EQ(call("OpenFile", {1.0, path("m")}).code, 0);
  EXPECT_EQ(call("WriteMem", {1.0, 1.0, 3.0}).code, 1141);
  EXPECT_EQ(call("ReadMem", {1.0, 1.0, 2.0, 5.0}).code, 0);
  EXPECT_EQ(first("FilePos", {1.0}), "2");
  EXPECT_EQ(call("ReadMem", {1.0, 1.0, 4.0}).code, 1009);  // one byte came, into offset 0
  EXPECT_EQ(first("Peek", {1.0, 0.0, kString}), "'ebcdecd'");
}

TEST_F(Memblock, DumpText) {
  std::string bytes;
  for (int i = 0; i < 20; i++) bytes += char(i * 13 + 30);
  const std::string want =
      "00000000: 1e 2b 38 45 52 5f 6c 79 86 93 a0 ad ba c7 d4 e1 .+8ER_ly........\n"
      "00000010: ee fb 08 15                                     ....\n";
  EXPECT_EQ(memblock_dump_text(reinterpret_cast<const uint8_t*>(bytes.data()), 0, 20), want);
  EXPECT_EQ(memblock_dump_text(reinterpret_cast<const uint8_t*>(bytes.data()), 16, 2),
            "00000010: ee fb                                           ..\n");
  ASSERT_EQ(call("AllocMem", {1.0, 20.0}).code, 0);
  EXPECT_EQ(call("DumpMem", {1.0, 0.0, 4.0}).code, 1146);  // the count is the whole block
  EXPECT_EQ(call("DumpMem", {1.0, 0.0, -1.0}).code, 1055);
  EXPECT_EQ(call("FreeMem", {1.0}).code, 0);
  EXPECT_EQ(call("FreeMem", {1.0}).code, 1180);
}

}  // namespace
