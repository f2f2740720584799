// Argument readers: what each accepts, the error it raises and the failing argument it records.
#include <cmath>
#include <cstring>
#include <string>

#include "engine/errcodes.h"
#include "tests/engine/core/fixture.h"

namespace {

using namespace qm;

// One argument as a test writes it. kNone leaves the position above the top.
struct Arg {
  enum Kind { kNone, kNil, kNum, kStr, kTable, kFunc, kLight } kind;
  double n = 0;
  const char* s = nullptr;
};
Arg none() { return {Arg::kNone}; }
Arg nil() { return {Arg::kNil}; }
Arg number(double n) { return {Arg::kNum, n}; }
Arg str(const char* s) { return {Arg::kStr, 0, s}; }
Arg table() { return {Arg::kTable}; }

int32_t noop(qmState*) { return 0; }

std::string describe(const Arg& a) {
  switch (a.kind) {
    case Arg::kNone: return "none";
    case Arg::kNil: return "nil";
    case Arg::kNum: return std::to_string(a.n);
    case Arg::kStr: return std::string("\"") + a.s + "\"";
    case Arg::kTable: return "table";
    case Arg::kFunc: return "function";
    case Arg::kLight: return "light user data";
  }
  return "?";
}

class ReaderTest : public EngineTest {
 protected:
  // Puts `a` at argument 2 (argument 1 is a filler string) and runs the reader on it.
  int32_t read(const Arg& a, const std::function<void()>& reader) {
    vm_set_top(L, 0);
    vm_push_string(L, "filler");
    switch (a.kind) {
      case Arg::kNone: break;
      case Arg::kNil: vm_push_nil(L); break;
      case Arg::kNum: vm_push_number(L, a.n); break;
      case Arg::kStr: vm_push_string(L, a.s); break;
      case Arg::kTable: vm_new_table(L); break;
      case Arg::kFunc: vm_push_cfunction(L, noop); break;
      case Arg::kLight: vm_push_lightuserdata(L, this); break;
    }
    vm_set_error_number(L, 0);
    return raises(reader);
  }
};

TEST_F(ReaderTest, NumberReadersAcceptNumbersAndNumericTextOnly) {
  struct Case { Arg arg; int32_t code; double value; } cases[] = {
      {number(0), 0, 0},        {str("0"), 0, 0},      {str("12.5"), 0, 12.5}, {str("$ff"), 0, 255},
      {number(-3), 0, -3},      {str(""), ERR_NUMEXPECTED, 0},   {str("12a"), ERR_NUMEXPECTED, 0},
      {table(), ERR_NUMEXPECTED, 0}, {nil(), ERR_NUMEXPECTED, 0}, {none(), ERR_NUMEXPECTED, 0},
      {{Arg::kFunc}, ERR_NUMEXPECTED, 0},
  };
  for (const auto& c : cases) {
    double got = -99;
    EXPECT_EQ(read(c.arg, [&] { got = vm_arg_check_number(L, 2); }), c.code) << describe(c.arg);
    if (c.code == 0) {
      EXPECT_EQ(got, c.value) << describe(c.arg);
    } else {
      EXPECT_EQ(vm_get_error_number(L), 2) << describe(c.arg);
    }
  }
}

TEST_F(ReaderTest, OptionalReadersTakeTheDefaultOnlyWhenAbsent) {
  double d = 0;
  EXPECT_EQ(read(none(), [&] { d = vm_arg_opt_number(L, 2, 7.5); }), 0);
  EXPECT_EQ(d, 7.5);
  EXPECT_EQ(read(nil(), [&] { d = vm_arg_opt_number(L, 2, 7.5); }), ERR_NUMEXPECTED);
  EXPECT_EQ(vm_get_error_number(L), 2);
  EXPECT_EQ(read(str("3"), [&] { d = vm_arg_opt_number(L, 2, 7.5); }), 0);
  EXPECT_EQ(d, 3);

  uint32_t u = 0;
  EXPECT_EQ(read(none(), [&] { u = vm_arg_opt_integer(L, 2, 9); }), 0);
  EXPECT_EQ(u, 9u);
  EXPECT_EQ(read(nil(), [&] { u = vm_arg_opt_integer(L, 2, 9); }), ERR_NUMEXPECTED);

  const char* s = nullptr;
  size_t len = 99;
  EXPECT_EQ(read(none(), [&] { s = vm_arg_opt_string(L, 2, "dflt", &len); }), 0);
  EXPECT_STREQ(s, "dflt");
  EXPECT_EQ(len, 4u);
  EXPECT_EQ(read(none(), [&] { s = vm_arg_opt_string(L, 2, nullptr, &len); }), 0);
  EXPECT_EQ(s, nullptr);
  EXPECT_EQ(len, 0u);
  EXPECT_EQ(read(nil(), [&] { s = vm_arg_opt_string(L, 2, "dflt", &len); }), ERR_STREXPECTED);
  EXPECT_EQ(vm_get_error_number(L), 2);
}

TEST_F(ReaderTest, IntegerConversionKeepsBitPatternsAndSaturates) {
  struct Case { Arg arg; uint32_t value; } cases[] = {
      {number(-1), 4294967295u}, {number(5e9), 4294967295u}, {number(3.9), 3u},
      {number(-3.9), 4294967293u}, {str("-1"), 4294967295u}, {number(0), 0u},
      {number(4294967295.0), 4294967295u},
  };
  for (const auto& c : cases) {
    uint32_t got = 0;
    ASSERT_EQ(read(c.arg, [&] { got = vm_arg_check_integer(L, 2); }), 0) << describe(c.arg);
    EXPECT_EQ(got, c.value) << describe(c.arg);
  }
  EXPECT_EQ(read(str(""), [&] { vm_arg_check_integer(L, 2); }), ERR_NUMEXPECTED);
}

TEST_F(ReaderTest, StringReaderConvertsNumbersInPlace) {
  const char* s = nullptr;
  size_t len = 0;
  ASSERT_EQ(read(number(0.1), [&] { s = vm_arg_check_string(L, 2, &len); }), 0);
  EXPECT_STREQ(s, "0.1");
  EXPECT_EQ(len, 3u);
  EXPECT_EQ(vm_type(L, 2), QM_TSTRING);
  ASSERT_EQ(read(str(""), [&] { s = vm_arg_check_string(L, 2, &len); }), 0);
  EXPECT_EQ(len, 0u);
  for (const Arg& a : {nil(), none(), table()}) {
    EXPECT_EQ(read(a, [&] { vm_arg_check_string(L, 2, nullptr); }), ERR_STREXPECTED) << describe(a);
    EXPECT_EQ(vm_get_error_number(L), 2);
  }
}

TEST_F(ReaderTest, TypeCheckersNameTheExpectedType) {
  EXPECT_EQ(read(table(), [&] { vm_arg_check_table(L, 2); }), 0);
  EXPECT_EQ(read(nil(), [&] { vm_arg_check_table(L, 2); }), ERR_TABEXPECTED);
  int32_t t = -5;
  EXPECT_EQ(read({Arg::kFunc}, [&] { t = vm_arg_check_function(L, 2); }), 0);
  EXPECT_EQ(t, QM_TFUNCTION);
  EXPECT_EQ(read(table(), [&] { vm_arg_check_function(L, 2); }), ERR_FUNCEXPECTED);

  struct Case { int32_t type; int32_t code; } cases[] = {
      {QM_TSTRING, ERR_STREXPECTED},   {QM_TNUMBER, ERR_NUMEXPECTED},
      {QM_TTABLE, ERR_TABEXPECTED},    {QM_TFUNCTION, ERR_FUNCEXPECTED},
      {QM_TUSERDATA, ERR_UDEXPECTED},  {QM_TLIGHTUSERDATA, ERR_UDEXPECTED},
      {QM_TBOOLEAN, ERR_UDEXPECTED},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read(nil(), [&] { arg_check_type(L, 2, c.type); }), c.code) << c.type;
    EXPECT_EQ(vm_get_error_number(L), 2);
  }
  // arg_check_type is exact: a numeric string is not a number here
  EXPECT_EQ(read(str("5"), [&] { arg_check_type(L, 2, QM_TNUMBER); }), ERR_NUMEXPECTED);
  EXPECT_EQ(read({Arg::kLight}, [&] { t = arg_check_type(L, 2, QM_TLIGHTUSERDATA); }), 0);
  EXPECT_EQ(t, QM_TLIGHTUSERDATA);
}

TEST_F(ReaderTest, FieldReadersNameTheFieldAndLeaveTheArgumentIndex) {
  vm_set_error_number(L, 0);
  EXPECT_EQ(read(str("x"), [&] { vm_arg_check_number_field(L, 2, "width"); }), ERR_NUMTABLEARG);
  EXPECT_STREQ(vm_get_error_text(L), "width");
  EXPECT_EQ(vm_get_error_number(L), 0);
  EXPECT_EQ(read(table(), [&] { vm_arg_check_string_field(L, 2, nullptr, "title"); }), ERR_STRTABLEARG);
  EXPECT_STREQ(vm_get_error_text(L), "title");
  EXPECT_EQ(read(nil(), [&] { vm_arg_check_integer_field(L, 2, "color"); }), ERR_NUMTABLEARG);
  EXPECT_STREQ(vm_get_error_text(L), "color");
  uint32_t u = 0;
  EXPECT_EQ(read(number(-1), [&] { u = vm_arg_check_integer_field(L, 2, "color"); }), 0);
  EXPECT_EQ(u, 4294967295u);
}

TEST_F(ReaderTest, CallbackResultReadersReportInsteadOfRaising) {
  int32_t code = -1;
  size_t len = 9;
  EXPECT_EQ(read(table(), [&] { EXPECT_EQ(vm_arg_get_string_or_code(L, 2, &len, &code), nullptr); }), 0);
  EXPECT_EQ(code, ERR_STRCALLBACK);
  EXPECT_EQ(read(number(5), [&] { EXPECT_STREQ(vm_arg_get_string_or_code(L, 2, &len, &code), "5"); }), 0);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(len, 1u);

  EXPECT_EQ(read(str("x"), [&] { EXPECT_EQ(vm_arg_get_number_or_code(L, 2, &code), 0); }), 0);
  EXPECT_EQ(code, ERR_NUMCALLBACK);
  EXPECT_EQ(read(str("0"), [&] { EXPECT_EQ(vm_arg_get_number_or_code(L, 2, &code), 0); }), 0);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(read(number(2.5), [&] { EXPECT_EQ(vm_arg_get_number_or_code(L, 2, &code), 2.5); }), 0);
  EXPECT_EQ(code, 0);
}

// The hook is how the runtime's error context learns the failing argument.
int32_t g_hooked_number = -1;
void number_hook(qmState*, int32_t n) { g_hooked_number = n; }

int32_t reads_third_argument(qmState* L) {
  vm_arg_check_number(L, 3);
  return 0;
}

TEST_F(ReaderTest, FailingArgumentReachesTheRuntimeThroughACommandCall) {
  vm_set_error_number_hook(L, number_hook);
  vm_set_top(L, 0);
  vm_push_cfunction(L, reads_third_argument);
  vm_push_number(L, 1);
  vm_push_number(L, 2);
  vm_push_string(L, "three");
  EXPECT_EQ(vm_pcall(L, 3, 0, 0), ERR_NUMEXPECTED);
  EXPECT_EQ(g_hooked_number, 3);
  EXPECT_EQ(vm_get_error_number(L), 3);
}

}  // namespace
