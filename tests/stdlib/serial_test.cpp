// Serialised tables and functions: exact bytes, round trips, the text form judged by coreutils
// base64, and the faults a file's contents or a table's shape must not turn into hangs, crashes
// or unreadable files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/bytecode.h"
#include "engine/errcodes.h"
#include "tests/stdlib/dos_fixture.h"
#include "tools/asm/text.h"

using namespace qmtest;

namespace {

constexpr double kRead = 1005, kWrite = 1006;

class Serial : public DosTest {
 protected:
  // Pushes a loaded script function that returns 42.
  void push_function() {
    std::vector<uint8_t> chunk;
    std::string err;
    ASSERT_TRUE(qm::asmx::assemble(".const 42\nLOADK r0 k0\nRETURN r0 2", chunk, err)) << err;
    struct In {
      std::vector<uint8_t>* c;
      bool done;
    } in{&chunk, false};
    auto reader = [](qmState*, void* d, size_t* size) -> const char* {
      auto* i = static_cast<In*>(d);
      *size = i->done ? 0 : i->c->size();
      i->done = true;
      return reinterpret_cast<const char*>(i->c->data());
    };
    ASSERT_EQ(vm_load(L, reader, &in, "=test"), 0);
  }

  // The chunk of the function on top of the stack (a loaded function dumps to the bytes it
  // was loaded from).
  std::string dump_top() {
    std::string out;
    vm_bytecode_dump(L, -1, [](qmState*, const void* p, size_t n, void* d) -> int32_t {
      static_cast<std::string*>(d)->append(static_cast<const char*>(p), n);
      return 0;
    }, &out);
    return out;
  }

  std::string dump_function() {
    push_function();
    std::string out = dump_top();
    vm_pop(L, 1);
    return out;
  }

  int32_t write_table(const std::function<void()>& build, bool text = false) {
    return callv("WriteTable", [&] {
      vm_push_number(L, 1);
      build();
      if (text) vm_push_number(L, 1);
      return text ? 3 : 2;
    }).code;
  }

  static void set(qmState* L, const char* key, double v) {
    vm_push_string(L, key);
    vm_push_number(L, v);
    vm_raw_set(L, -3);
  }

  // Reads the table back from the start of file name (left on the stack at index 1).
  int32_t read_back(const std::string& name) {
    call("CloseFile", {1.0});
    EXPECT_EQ(call("OpenFile", {1.0, name, kRead}).code, 0);
    Outcome o = call("ReadTable", {1.0});
    return o.code;
  }
};

TEST_F(Serial, ExactBytesOfSmallTables) {
  ASSERT_EQ(call("OpenFile", {1.0, path("t"), kWrite}).code, 0);
  ASSERT_EQ(write_table([&] { vm_new_table(L); }), 0);
  ASSERT_EQ(write_table([&] {
              vm_new_table(L);
              set(L, "x", 1);
            }),
            0);
  ASSERT_EQ(call("CloseFile", {1.0}).code, 0);
  EXPECT_EQ(get_file(path("t")),
            std::string("QMT0\0" "QMT0\x03\0\0\0\x01x\x02\x3f\xf0\0\0\0\0\0\0\0", 5 + 20));
}

TEST_F(Serial, NestedTablesLongKeysAndFunctionsReadBack) {
  ASSERT_EQ(call("OpenFile", {1.0, path("t"), kWrite}).code, 0);
  const std::string long_key(300, 'k');
  ASSERT_EQ(write_table([&] {
              vm_new_table(L);
              vm_push_string(L, "inner");
              vm_new_table(L);
              set(L, "a", 2);
              vm_raw_set(L, -3);
              vm_push_lstring(L, long_key.data(), long_key.size());
              vm_push_lstring(L, "v\0w", 3);
              vm_raw_set(L, -3);
              vm_push_number(L, 7);
              push_function();
              vm_raw_set(L, -3);
            }, true),
            0);
  ASSERT_EQ(read_back(path("t")), 0);
  ASSERT_EQ(vm_type(L, 1), QM_TTABLE);
  vm_push_string(L, "inner");
  vm_raw_get(L, 1);
  vm_push_string(L, "a");
  vm_raw_get(L, -2);
  EXPECT_EQ(vm_to_number(L, -1), 2);
  vm_set_top(L, 1);
  vm_push_lstring(L, long_key.data(), long_key.size());
  vm_raw_get(L, 1);
  EXPECT_EQ(std::string(vm_to_string(L, -1), vm_string_length(L, -1)), std::string("v\0w", 3));
  vm_set_top(L, 1);
  vm_raw_geti(L, 1, 7);
  ASSERT_EQ(vm_type(L, -1), QM_TFUNCTION);
  EXPECT_EQ(dump_top(), dump_function());
}

// A table that holds itself, or a value without a tag, is refused before the entry's key is
// written; the file keeps only what came before.
TEST_F(Serial, RefusedShapesLeaveNoHalfEntry) {
  ASSERT_EQ(call("OpenFile", {1.0, path("t"), kWrite}).code, 0);
  EXPECT_EQ(write_table([&] {
              vm_new_table(L);
              vm_push_string(L, "me");
              vm_push_value(L, -2);
              vm_raw_set(L, -3);
            }),
            1055);
  EXPECT_EQ(write_table([&] {
              vm_new_table(L);
              vm_push_string(L, "b");
              vm_push_boolean(L, 1);
              vm_raw_set(L, -3);
            }),
            1055);
  EXPECT_EQ(write_table([&] {
              vm_new_table(L);
              vm_push_boolean(L, 1);
              vm_push_number(L, 1);
              vm_raw_set(L, -3);
            }),
            1055);
  EXPECT_EQ(write_table([&] {
              vm_new_table(L);
              vm_push_string(L, "c");
              vm_push_cfunction(L, [](qmState*) -> int32_t { return 0; });
              vm_raw_set(L, -3);
            }),
            1055);
  ASSERT_EQ(call("CloseFile", {1.0}).code, 0);
  EXPECT_EQ(get_file(path("t")), "QMT0QMT0QMT0QMT0");
}

TEST_F(Serial, TextFormIsWrappedBase64ThatStillLoadsReWrapped) {
  const std::string chunk = dump_function();
  ASSERT_EQ(call("OpenFile", {1.0, path("f"), kWrite}).code, 0);
  ASSERT_EQ(callv("WriteFunction", [&] {
              vm_push_number(L, 1);
              push_function();
              vm_push_number(L, 1);
              return 3;
            }).code,
            0);
  ASSERT_EQ(call("CloseFile", {1.0}).code, 0);
  const std::string file = get_file(path("f"));
  ASSERT_EQ(file.substr(0, 4), "QMF1");
  const std::string body = file.substr(12);
  char hex[9];
  std::snprintf(hex, sizeof hex, "%.8zx", body.size());
  EXPECT_EQ(file.substr(4, 8), hex);

  // The body equals coreutils' wrapping at 72 columns (which adds a final line feed).
  put_file(path("raw"), chunk);
  std::string cmd = "base64 -w72 < '" + path("raw") + "'";
  FILE* p = popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string judged;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) judged.append(buf, n);
  ASSERT_EQ(pclose(p), 0);
  EXPECT_EQ(body + "\n", judged);

  // Re-wrapped in short indented lines with carriage returns, the function still loads.
  std::string flat;
  for (char c : body)
    if (c != '\n') flat += c;
  std::string rewrapped;
  for (size_t i = 0; i < flat.size(); i += 10) rewrapped += "  " + flat.substr(i, 10) + "\r\n";
  std::snprintf(hex, sizeof hex, "%.8zx", rewrapped.size());
  put_file(path("g"), "QMF1" + std::string(hex) + rewrapped);
  ASSERT_EQ(call("OpenFile", {1.0, path("g"), kRead}).code, 0);
  Outcome o = call("ReadFunction", {1.0});
  ASSERT_EQ(o.code, 0);
  EXPECT_EQ(dump_top(), chunk);
}

TEST_F(Serial, RawFunctionRoundTripAndWrongItems) {
  ASSERT_EQ(call("OpenFile", {1.0, path("f"), kWrite}).code, 0);
  ASSERT_EQ(callv("WriteFunction", [&] {
              vm_push_number(L, 1);
              push_function();
              return 2;
            }).code,
            0);
  ASSERT_EQ(write_table([&] { vm_new_table(L); }), 0);
  ASSERT_EQ(call("CloseFile", {1.0}).code, 0);
  const std::string chunk = dump_function();
  std::string file = get_file(path("f"));
  EXPECT_EQ(file.substr(0, 8), std::string("QMF0\0\0\0", 7) + char(chunk.size()));
  EXPECT_EQ(file.substr(8, chunk.size()), chunk);

  ASSERT_EQ(call("OpenFile", {1.0, path("f"), kRead}).code, 0);
  EXPECT_EQ(call("ReadTable", {1.0}).code, 1328);
  ASSERT_EQ(call("Seek", {1.0, 0.0}).code, 0);
  ASSERT_EQ(call("ReadFunction", {1.0}).code, 0);
  EXPECT_EQ(call("ReadFunction", {1.0}).code, 1322);  // a table stands here
  ASSERT_EQ(call("Seek", {1.0, double(8 + chunk.size())}).code, 0);
  EXPECT_EQ(first("ReadTable", {1.0}), "table");
  EXPECT_EQ(call("ReadTable", {1.0}).code, 1242);
}

// Hostile contents: every one must fail with a code, allocate nothing large and not recurse
// without bound.
TEST_F(Serial, HostileFilesFailCleanly) {
  struct Case {
    const char* what;
    std::string bytes;
    const char* cmd;
    int32_t code;
  };
  std::string deep = "QMT0";
  for (int i = 0; i < 5000; i++) deep += std::string("\x02\0\0\0\0\0\0\0\0\x04", 10);
  const Case cases[] = {
      {"huge string length", std::string("QMT0\x03\xff\xff\xff\xf0", 9), "ReadTable", 1242},
      {"huge value length", std::string("QMT0\x02\0\0\0\0\0\0\0\0\x03\x7f\xff\xff\xff", 18), "ReadTable", 1242},
      {"bad key tag", std::string("QMT0\x07", 5), "ReadTable", 1055},
      {"bad value tag", std::string("QMT0\x02\0\0\0\0\0\0\0\0\x09", 14), "ReadTable", 1055},
      {"NaN key", std::string("QMT0\x02\x7f\xf8\0\0\0\0\0\0\x02\0\0\0\0\0\0\0\0\0", 23), "ReadTable", 1055},
      {"cut short", std::string("QMT0\x02\0\0", 7), "ReadTable", 1242},
      {"no end byte", std::string("QMT0\x02\0\0\0\0\0\0\0\0\x02\0\0\0\0\0\0\0\0", 22), "ReadTable", 1242},
      {"deep nesting", deep, "ReadTable", 1055},
      {"huge chunk length", std::string("QMF0\xff\xff\xff\xff", 8), "ReadFunction", 1242},
      {"bad hex length", "QMF1zzzzzzzz", "ReadFunction", 1322},
      {"bad base64", "QMF100000004ab*d", "ReadFunction", 1323},
      {"base64 cut in a block", "QMF100000003abc", "ReadFunction", 1323},
      {"not a chunk", "QMF000000002ab", "ReadFunction", -1},
  };
  for (const Case& c : cases) {
    put_file(path("h"), c.bytes);
    ASSERT_EQ(call("OpenFile", {1.0, path("h"), kRead}).code, 0);
    int32_t code = call(c.cmd, {1.0}).code;
    if (c.code < 0) EXPECT_NE(code, 0) << c.what;
    else EXPECT_EQ(code, c.code) << c.what;
  }
}

}  // namespace
