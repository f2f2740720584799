// File objects and the stream commands of the dos library, virtual files, whole-file strings and
// lines, and the checksum commands, through the real call path in a scratch folder.
#include <gtest/gtest.h>

#include <string>

#include "engine/errcodes.h"
#include "tests/stdlib/dos_fixture.h"

using namespace qmtest;

namespace {

constexpr double kRead = 1005, kWrite = 1006, kReadWrite = 1004;

class DosStream : public DosTest {};

TEST_F(DosStream, ReadsBigEndianNumbers) {
  std::string bytes("\x12\x34\xff\xff\xff\xfe\xff\xfe\x3f\xf0\0\0\0\0\0\0\x80", 17);
  put_file(path("be.bin"), bytes);
  ASSERT_EQ(call("OpenFile", {1.0, path("be.bin"), kRead}).code, 0);
  EXPECT_EQ(first("ReadShort", {1.0}), "4660");
  EXPECT_EQ(first("ReadInt", {1.0}), "-2");
  EXPECT_EQ(first("ReadShort", {1.0}), "65534");
  EXPECT_EQ(first("ReadFloat", {1.0}), "1");
  EXPECT_EQ(first("ReadChr", {1.0}), "128");
  EXPECT_EQ(first("Eof", {1.0}), "1");
  // At the end a read is out of range, not a failed read; the position stays.
  EXPECT_EQ(first("ReadChr", {1.0}), "error 1242");
  EXPECT_EQ(first("ReadInt", {1.0}), "error 1242");
  EXPECT_EQ(first("FilePos", {1.0}), "17");
}

TEST_F(DosStream, WritesBigEndianNumbers) {
  ASSERT_EQ(call("OpenFile", {1.0, path("w.bin"), kWrite}).code, 0);
  EXPECT_EQ(call("WriteShort", {1.0, double(0x12345)}).code, 0);  // the low 16 bits
  EXPECT_EQ(call("WriteInt", {1.0, -2.0}).code, 0);
  EXPECT_EQ(call("WriteFloat", {1.0, -2.5}).code, 0);
  EXPECT_EQ(call("WriteChr", {1.0, double(0x1ff)}).code, 0);
  EXPECT_EQ(call("WriteLine", {1.0, std::string("a\0b", 3)}).code, 0);
  EXPECT_EQ(first("FileLength", {1.0}), "19");
  ASSERT_EQ(call("CloseFile", {1.0}).code, 0);
  EXPECT_EQ(get_file(path("w.bin")),
            std::string("\x23\x45\xff\xff\xff\xfe\xc0\x04\0\0\0\0\0\0\xff" "a\0b\n", 19));
}

TEST_F(DosStream, PositionAndSizeBookkeeping) {
  put_file(path("8.bin"), "01234567");
  ASSERT_EQ(call("OpenFile", {2.0, path("8.bin"), kReadWrite}).code, 0);
  EXPECT_EQ(first("FileLength", {2.0}), "8");
  EXPECT_EQ(call("Seek", {2.0, -1.0}).code, 0);  // EOF: the end
  EXPECT_EQ(first("Eof", {2.0}), "1");
  EXPECT_EQ(call("Seek", {2.0, 8.0}).code, 0);
  EXPECT_EQ(call("Seek", {2.0, 9.0}).code, 1076);
  EXPECT_EQ(call("Seek", {2.0, -2.0}).code, 1076);
  EXPECT_EQ(call("Seek", {2.0, 5.0}).code, 0);
  EXPECT_EQ(call("WriteString", {2.0, std::string("abcdefghij")}).code, 0);
  EXPECT_EQ(first("FileLength", {2.0}), "15");
  EXPECT_EQ(first("FilePos", {2.0}), "15");
  EXPECT_EQ(call("Seek", {2.0, 3.0}).code, 0);
  EXPECT_EQ(first("ReadString", {2.0, 4.0}), "'34ab'");
  EXPECT_EQ(first("ReadString", {2.0, 0.0}), "''");
  EXPECT_EQ(first("ReadString", {2.0, -1.0}), "error 1055");
  EXPECT_EQ(first("ReadString", {2.0, 9.0}), "error 1242");  // 8 bytes left
  // A length far beyond the file is refused before anything is allocated.
  EXPECT_EQ(first("ReadString", {2.0, 1e15}), "error 1242");
  ASSERT_EQ(call("CloseFile", {2.0}).code, 0);
  EXPECT_EQ(get_file(path("8.bin")), "01234abcdefghij");
}

TEST_F(DosStream, ReadLineDropsCarriageReturns) {
  put_file(path("l.txt"), "ab\r\ncd");
  ASSERT_EQ(call("OpenFile", {1.0, path("l.txt")}).code, 0);
  EXPECT_EQ(first("ReadLine", {1.0}), "'ab'");
  EXPECT_EQ(first("ReadLine", {1.0}), "'cd'");
  EXPECT_EQ(first("ReadLine", {1.0}), "error 1242");
}

TEST_F(DosStream, ModesIdsAndWrongUsage) {
  put_file(path("r.txt"), "xyz");
  ASSERT_EQ(call("OpenFile", {1.0, path("r.txt"), kRead}).code, 0);
  ASSERT_EQ(call("OpenFile", {2.0, path("o.txt"), kWrite}).code, 0);
  struct Case {
    const char* cmd;
    std::initializer_list<Arg> args;
    int32_t code;
  };
  const Case cases[] = {
      {"WriteChr", {1.0, 65.0}, 1141},
      {"WriteLine", {1.0, std::string("a")}, 1141},
      {"WriteString", {1.0, std::string("a")}, 1141},
      {"ReadChr", {2.0}, 1142},
      {"ReadLine", {2.0}, 1142},
      {"ReadString", {2.0, 1.0}, 1142},
      {"WriteString", {2.0, std::string("abc"), 4.0}, 1245},
      {"WriteString", {9.0, std::string("abc"), 4.0}, 1245},  // tested before the id
      {"ReadChr", {9.0}, 1179},
      {"OpenFile", {3.0, path("r.txt"), 77.0}, 1055},
      {"OpenFile", {3.0, std::string(""), kRead}, 1055},
      {"OpenFile", {3.0, path("missing"), kRead}, 1045},
      {"OpenFile", {3.0, path("no/such/dir"), kWrite}, 1052},
      {"SetIOMode", {2.0}, 1055},
  };
  for (const Case& c : cases) EXPECT_EQ(call(c.cmd, c.args).code, c.code) << c.cmd;
  EXPECT_EQ(call("WriteString", {2.0, std::string("abc"), 2.0}).code, 0);
  // A number id in use is closed first: the first file is flushed and gone.
  ASSERT_EQ(call("OpenFile", {2.0, path("r.txt")}).code, 0);
  EXPECT_EQ(get_file(path("o.txt")), "ab");
  EXPECT_EQ(first("ReadString", {2.0, 3.0}), "'xyz'");
  Outcome handle = call("OpenFile", {Nil{}, path("r.txt")});
  ASSERT_EQ(handle.code, 0);
  EXPECT_EQ(handle.results, std::vector<std::string>{"other"});  // light user data
}

TEST_F(DosStream, FileLinesEndsAfterALastLineWithoutLineFeed) {
  put_file(path("lines.txt"), "one\r\n\ntwo\n" + std::string(1030, 'x') + "\nlast");
  ASSERT_EQ(call("FileLines", {path("lines.txt")}).code, 0);
  vm_set_top(L, 1);
  std::vector<std::string> got;
  for (int32_t i = 0; i < 10; i++) {
    vm_push_value(L, 1);
    ASSERT_EQ(vm_pcall(L, 0, 1, 0), 0);
    if (vm_type(L, -1) == QM_TNIL) break;
    got.emplace_back(vm_to_string(L, -1), vm_string_length(L, -1));
    vm_pop(L, 1);
  }
  const std::vector<std::string> want = {"one", "", "two", std::string(1024, 'x'), std::string(6, 'x'), "last"};
  EXPECT_EQ(got, want);
  vm_set_top(L, 1);
  vm_push_value(L, 1);  // called again after the end: still no value
  ASSERT_EQ(vm_pcall(L, 0, 1, 0), 0);
  EXPECT_EQ(vm_type(L, -1), QM_TNIL);
  EXPECT_EQ(call("FileLines", {path("missing")}).code, 1045);
}

TEST_F(DosStream, WholeFileStrings) {
  const std::string data("a\0\xff" "b", 4);
  ASSERT_EQ(call("StringToFile", {data, path("s.bin")}).code, 0);
  EXPECT_EQ(get_file(path("s.bin")), data);
  Outcome o = call("FileToString", {path("s.bin")});
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(o.results, (std::vector<std::string>{"'" + data + "'", "4"}));
  ASSERT_EQ(call("StringToFile", {std::string(), path("e.bin")}).code, 0);
  EXPECT_EQ(first("FileToString", {path("e.bin")}), "''");
  EXPECT_EQ(call("FileToString", {path("missing")}).code, 1045);
  EXPECT_EQ(call("StringToFile", {data, path("no/dir/x")}).code, 1052);
}

// The file's bytes go straight into the string, which is still the one interned string of those
// bytes (a table key found by either); a file that reports no size is still read whole.
TEST_F(DosStream, WholeFileStringsAreInterned) {
  std::string big(100000, 'q');
  for (size_t i = 0; i < big.size(); i += 7) big[i] = char(i);
  put_file(path("big.bin"), big);
  put_file(path("key.txt"), "a key");
  vm_push_string(L, "held");  // the same bytes, made first and kept alive in a global
  vm_push_string(L, "a key");
  vm_set_table(L, QM_GLOBALSINDEX);
  for (int32_t pass = 0; pass < 2; ++pass) {
    ASSERT_EQ(call("FileToString", {path("key.txt")}).code, 0);
    vm_set_top(L, 1);
    vm_push_string(L, "held");
    vm_get_table(L, QM_GLOBALSINDEX);
    EXPECT_TRUE(vm_raw_equal(L, 1, 2));
  }
  Outcome o = call("FileToString", {path("big.bin")});
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(o.results[1], "100000");
  EXPECT_EQ(vm_string_length(L, 1), big.size());
  EXPECT_EQ(std::string(vm_to_string(L, 1), big.size()), big);
  const std::string status = first("FileToString", {std::string("/proc/self/status")});
  EXPECT_NE(status.find("Name:"), std::string::npos) << status;
}

TEST_F(DosStream, VirtualFileWindows) {
  put_file(path("host.bin"), "0123456789");
  Outcome v = call("DefineVirtualFile", {path("host.bin"), 3.0, 4.0, std::string("part.txt")});
  ASSERT_EQ(v.code, 0);
  std::string name = v.results[0].substr(1, v.results[0].size() - 2);
  EXPECT_EQ(first("FileToString", {name}), "'3456'");
  EXPECT_EQ(first("FilePart", {name}), "'part.txt'");
  ASSERT_EQ(call("OpenFile", {1.0, name}).code, 0);
  EXPECT_EQ(first("FileLength", {1.0}), "4");
  EXPECT_EQ(first("ReadString", {1.0, 5.0}), "error 1242");
  EXPECT_EQ(call("DefineVirtualFile", {path("host.bin"), 0.0, 0.0, std::string("x")}).code, 1055);
  EXPECT_EQ(call("OpenFile", {2.0, name, kWrite}).code, 1052);
}

// A file open on a defined string keeps reading it after the program undefined it and the
// collector ran; the reference is released once, and only one that the definition made.
TEST_F(DosStream, StringFileOutlivesItsDefinitionWhileOpen) {
  Outcome v = call("DefineVirtualFileFromString", {std::string("he\0llo", 6), std::string("s.dat")});
  ASSERT_EQ(v.code, 0);
  std::string name = v.results[0].substr(1, v.results[0].size() - 2);
  ASSERT_EQ(name.rfind(":::chunkS", 0), 0u);
  ASSERT_EQ(call("OpenFile", {1.0, name}).code, 0);
  EXPECT_EQ(call("UndefineVirtualStringFile", {name}).code, 0);
  vm_set_top(L, 0);
  vm_collect(L);
  EXPECT_EQ(first("ReadString", {1.0, 6.0}), "'" + std::string("he\0llo", 6) + "'");
  EXPECT_EQ(call("UndefineVirtualStringFile", {name}).code, 1055);
  EXPECT_EQ(call("UndefineVirtualStringFile", {std::string(":::chunkS1:5*x/0")}).code, 1055);
  EXPECT_EQ(call("UndefineVirtualStringFile", {std::string("plain.txt")}).code, 1055);
  EXPECT_EQ(call("DefineVirtualFileFromString", {std::string(), std::string("e")}).code, 1055);
  ASSERT_EQ(call("CloseFile", {1.0}).code, 0);
  EXPECT_EQ(call("OpenFile", {1.0, name}).code, 1045);  // gone once the last file closed
}

TEST_F(DosStream, ChecksumsAndPatterns) {
  put_file(path("c.txt"), "123456789");
  put_file(path("empty"), "");
  EXPECT_EQ(first("CRC32", {path("c.txt")}), "3421780262");  // 0xCBF43926, unsigned
  EXPECT_EQ(first("MD5", {path("empty")}), "'d41d8cd98f00b204e9800998ecf8427e'");
  EXPECT_EQ(first("CRC32", {std::string()}), "error 1055");
  EXPECT_EQ(first("MD5", {path("missing")}), "error 1045");
  EXPECT_EQ(first("MatchPattern", {std::string("img12.png"), std::string("*.jpg;img##.png")}), "1");
  EXPECT_EQ(first("MatchPattern", {std::string("img12.png"), std::string("img#.png")}), "0");
}

}  // namespace
