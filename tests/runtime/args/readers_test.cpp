// The readers over a real script stack: each case runs as a command so that raised errors come
// back as the status of a protected call.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace {

using namespace qm;

std::function<void(qmState*)> g_body;

int32_t run_body(qmState* L) {
  g_body(L);
  return 0;
}

class Readers : public ::testing::Test {
 protected:
  void SetUp() override {
    L = vm_open();
    ASSERT_NE(L, nullptr);
    err_install(L);
    err_set_string_arg("");
    err_set_number_arg(0);
    arg_services_reset();
  }
  void TearDown() override {
    arg_services_reset();
    vm_close_state(L);
  }

  // Calls body as a command with the arguments that push_args pushes; the status of the call.
  int32_t call(const std::function<int32_t(qmState*)>& push_args, std::function<void(qmState*)> body) {
    g_body = std::move(body);
    vm_push_cfunction(L, run_body);
    int32_t n = push_args(L);
    return vm_pcall(L, n, 0, 0);
  }

  // Pushes the option table used by the option readers' tests.
  static void push_options(qmState* L) {
    vm_new_table(L);
    table_set_double(L, "x", 5.7);
    table_set_double(L, "neg", -1);
    table_set_string(L, "name", "abcdef");
    table_set_string(L, "half", "50%");
    table_set_string(L, "bad", "zz");
    table_set_string(L, "layer", "sky");
    table_set_double(L, "shadow", 0);
    vm_push_string(L, "sub");
    vm_new_table(L);
    vm_set_table(L, -3);
  }

  qmState* L = nullptr;
};

int32_t no_args(qmState*) { return 0; }

TEST_F(Readers, ArgumentCount) {
  struct Case {
    int32_t min, max, n, code;
  };
  const Case cases[] = {{0, 0, 0, 0}, {0, 0, 1, ERR_TOOMANYARGS}, {1, 0, 1, 0},
                        {1, 0, 9, 0}, {2, 3, 1, ERR_MISSINGPARAMTR}, {2, 3, 3, 0},
                        {2, 3, 4, ERR_TOOMANYARGS}, {0, 2, 0, 0}};
  for (const Case& c : cases) {
    int32_t status = call(
        [&](qmState* S) {
          for (int32_t i = 0; i < c.n; ++i) vm_push_number(S, i);
          return c.n;
        },
        [&](qmState* S) { EXPECT_EQ(arg_check_count(S, c.min, c.max), S); });
    EXPECT_EQ(status, c.code) << c.min << " " << c.max << " " << c.n;
  }
}

TEST_F(Readers, Ids) {
  int dummy = 0;
  ObjectId got;
  auto read_first = [&](qmState* S) { got = arg_get_id(S, 1); };
  EXPECT_EQ(call([](qmState* S) { vm_push_number(S, 7.9); return 1; }, read_first), 0);
  EXPECT_EQ(got, (ObjectId{7, nullptr}));
  EXPECT_EQ(call([&](qmState* S) { vm_push_lightuserdata(S, &dummy); return 1; }, read_first), 0);
  EXPECT_EQ(got, (ObjectId{0, &dummy}));
  EXPECT_EQ(call([](qmState* S) { vm_push_string(S, "12"); return 1; }, read_first), 0);
  EXPECT_EQ(got, (ObjectId{12, nullptr}));
  // The second argument is wrong: the message names it.
  EXPECT_EQ(call([](qmState* S) { vm_push_number(S, 1); vm_push_string(S, "x"); return 2; },
                 [&](qmState* S) { got = arg_get_id(S, 2); }),
            ERR_NUMEXPECTED);
  char text[ERR_TEXT_SIZE];
  err_get_text(ERR_NUMEXPECTED, text, sizeof text);
  EXPECT_STREQ(text, "Number expected in argument 2!");

  OptNumber opt;
  auto read_opt = [&](qmState* S) { opt = arg_get_opt_number(S, 1); };
  EXPECT_EQ(call(no_args, read_opt), 0);
  EXPECT_TRUE(opt.absent);
  EXPECT_EQ(call([](qmState* S) { vm_push_nil(S); return 1; }, read_opt), 0);
  EXPECT_TRUE(opt.absent);
  EXPECT_EQ(opt.value, 0);
  EXPECT_EQ(call([](qmState* S) { vm_push_number(S, -5.9); return 1; }, read_opt), 0);
  EXPECT_FALSE(opt.absent);
  EXPECT_EQ(opt.value, -5);
}

TEST_F(Readers, NumberOrPercent) {
  double value = 0;
  bool fraction = false;
  auto read = [&](double reference, bool over) {
    return [&, reference, over](qmState* S) { value = arg_get_number_or_percent(S, 1, reference, over, &fraction); };
  };
  auto push_string = [](const char* s) {
    return [s](qmState* S) { vm_push_string(S, s); return 1; };
  };
  EXPECT_EQ(call(push_string("50%"), read(640, false)), 0);
  EXPECT_EQ(value, 320);
  EXPECT_EQ(call(push_string("150%"), read(640, true)), 0);
  EXPECT_EQ(value, 960);
  EXPECT_EQ(call(push_string("50%"), read(0, false)), 0);
  EXPECT_EQ(value, 0.5);
  EXPECT_TRUE(fraction);
  EXPECT_EQ(call([](qmState* S) { vm_push_number(S, 33); return 1; }, read(640, false)), 0);
  EXPECT_EQ(value, 33);
  EXPECT_FALSE(fraction);
  EXPECT_EQ(call(push_string("150%"), read(640, false)), ERR_PERCENTFORMAT);
  EXPECT_EQ(err_context().number_arg, 1);
  EXPECT_EQ(call(no_args, read(640, false)), ERR_NUMEXPECTED);
  EXPECT_EQ(call([](qmState* S) { vm_push_number(S, 1); vm_new_table(S); return 2; },
                 [&](qmState* S) { value = arg_get_number_or_percent(S, 2, 640, false, &fraction); }),
            ERR_STRORNUM);
  EXPECT_EQ(err_context().number_arg, 2);
}

TEST_F(Readers, ConstantReferences) {
  const qmConstant rows[] = {{"ERR_MEM", nullptr, 1000}, {"GREETING", "hello", 0}, {nullptr, nullptr, 0}};
  ASSERT_EQ(vm_register_constants(L, rows, 0), 0);
  size_t consumed = 0;
  ConstantValue v;
  EXPECT_EQ(constant_parse_ref(L, "#err_mem + 1", &consumed, &v), 0);
  EXPECT_EQ(consumed, 8u);
  EXPECT_EQ(v.type, QM_TNUMBER);
  EXPECT_EQ(v.number, 1000);
  EXPECT_EQ(constant_parse_ref(L, "#Greeting", &consumed, &v), 0);
  EXPECT_EQ(v.type, QM_TSTRING);
  EXPECT_STREQ(v.text, "hello");
  EXPECT_EQ(constant_parse_ref(L, "#nothing", &consumed, &v), ERR_FINDCST);
  EXPECT_EQ(constant_parse_ref(L, "#9", &consumed, &v), ERR_SYNTAXERROR);
  EXPECT_EQ(constant_parse_ref(L, "err_mem", &consumed, &v), ERR_WRONGUSAGE);
}

TEST_F(Readers, TableSettersKeepTheStack) {
  int dummy = 0;
  vm_new_table(L);
  int32_t top = vm_get_top(L);
  table_set_number(L, "n", -4);
  table_set_double(L, "d", 2.5);
  table_set_string(L, "s", "text");
  table_set_id(L, "num", ObjectId{9, nullptr});
  table_set_id(L, "auto", ObjectId{0, &dummy});
  EXPECT_EQ(vm_get_top(L), top);
  auto field_type = [&](const char* key) {
    vm_push_string(L, key);
    vm_get_table(L, -2);
    int32_t type = vm_type(L, -1);
    vm_pop(L, 1);
    return type;
  };
  EXPECT_EQ(field_type("n"), QM_TNUMBER);
  EXPECT_EQ(field_type("s"), QM_TSTRING);
  EXPECT_EQ(field_type("num"), QM_TNUMBER);
  EXPECT_EQ(field_type("auto"), QM_TLIGHTUSERDATA);
}

TEST_F(Readers, OptionFields) {
  auto with_options = [](qmState* S) {
    push_options(S);
    return 1;
  };
  int32_t status = call(with_options, [](qmState* S) {
    int32_t given = 0, i = 42;
    EXPECT_EQ(opt_get_int(S, 1, "x", &i, &given), 1);
    EXPECT_EQ(i, 5);
    EXPECT_EQ(given, 1);
    given = 0;
    i = 42;
    EXPECT_EQ(opt_get_int(S, 1, "absent", &i, &given), 0);
    EXPECT_EQ(i, 42);
    EXPECT_EQ(given, 0);
    uint32_t u = 0;
    EXPECT_EQ(opt_get_uint(S, 1, "neg", &u, nullptr), 1);
    EXPECT_EQ(u, 4294967295u);
    double d = 0;
    EXPECT_EQ(opt_get_float(S, 1, "x", &d, nullptr), 1);
    EXPECT_EQ(d, 5.7);
    char small[4];
    EXPECT_EQ(opt_get_string(S, 1, "name", small, sizeof small, nullptr), 1);
    EXPECT_STREQ(small, "abc");
    bool fraction = false;
    EXPECT_EQ(opt_get_number_or_percent(S, 1, "half", 200, false, &d, &fraction, nullptr), 1);
    EXPECT_EQ(d, 100);
    std::string copy;
    bool linked = true;
    EXPECT_EQ(opt_get_string_alloc(S, 1, "name", 1, &linked, &copy, nullptr), 1);
    EXPECT_EQ(copy, "abcdef");
    EXPECT_FALSE(linked);
    ObjectId id;
    EXPECT_EQ(opt_get_id(S, 1, "x", &id, nullptr), 1);
    EXPECT_EQ(id, (ObjectId{5, nullptr}));
    EXPECT_EQ(vm_get_top(S), 1);
  });
  EXPECT_EQ(status, 0);

  struct Bad {
    const char* field;
    int32_t code;
    std::function<void(qmState*)> read;
  };
  int32_t i = 0;
  char buf[8];
  const Bad bad[] = {
      {"bad", ERR_NUMTABLEARG, [&](qmState* S) { opt_get_int(S, 1, "bad", &i, nullptr); }},
      {"sub", ERR_STRTABLEARG, [&](qmState* S) { opt_get_string(S, 1, "sub", buf, sizeof buf, nullptr); }},
      {"sub", ERR_NUMTABLEARG, [&](qmState* S) { ObjectId id; opt_get_id(S, 1, "sub", &id, nullptr); }},
  };
  for (const Bad& b : bad) {
    EXPECT_EQ(call(with_options, b.read), b.code) << b.field;
    EXPECT_STREQ(err_context().string_arg, b.field);
  }
  // A wrong percentage names the option table's argument.
  EXPECT_EQ(call([](qmState* S) { vm_push_number(S, 0); push_options(S); return 2; },
                 [](qmState* S) {
                   double d;
                   bool f;
                   opt_get_number_or_percent(S, 2, "bad", 10, false, &d, &f, nullptr);
                 }),
            ERR_PERCENTFORMAT);
  EXPECT_EQ(err_context().number_arg, 2);
}

TEST_F(Readers, LayerIds) {
  int32_t layer = 0;
  auto push = [](const char* text_or_null) {
    return [text_or_null](qmState* S) {
      vm_new_table(S);
      if (text_or_null) {
        table_set_string(S, "layer", text_or_null);
      } else {
        vm_push_string(S, "layer");
        vm_new_table(S);
        vm_set_table(S, -3);
      }
      return 1;
    };
  };
  auto read = [&](qmState* S) { opt_get_layer_id(S, 1, "layer", &layer, nullptr); };
  // Without the layers library a name cannot be resolved.
  EXPECT_EQ(call(push("sky"), read), ERR_WRONGUSAGE);
  arg_services().layer_find_by_name = [](const char* name, int32_t* position) {
    *position = std::string(name) == "sky" ? 3 : 0;
    return 0;
  };
  EXPECT_EQ(call(push("sky"), read), 0);
  EXPECT_EQ(layer, 3);
  EXPECT_EQ(call(
                [](qmState* S) {
                  vm_new_table(S);
                  table_set_double(S, "layer", 7.8);
                  return 1;
                },
                read),
            0);
  EXPECT_EQ(layer, 7);
  EXPECT_EQ(call(push("ground"), read), ERR_FINDLAYER);
  char text[ERR_TEXT_SIZE];
  err_get_text(ERR_FINDLAYER, text, sizeof text);
  EXPECT_STREQ(text, "Cannot find layer \"ground\" in current BGPic!");
  EXPECT_EQ(call(push(nullptr), read), ERR_WRONGUSAGE);
}

}  // namespace

namespace {

// Pushes {field = {values...}} where a value of NAN stands for a string entry.
int32_t push_subtable(qmState* S, const char* field, std::initializer_list<double> values) {
  vm_new_table(S);
  vm_push_string(S, field);
  vm_new_table(S);
  int32_t i = 0;
  for (double v : values) {
    if (v != v) {
      vm_push_string(S, "x");
    } else {
      vm_push_number(S, v);
    }
    vm_raw_seti(S, -2, i++);
  }
  vm_set_table(S, -3);
  return 1;
}

TEST_F(Readers, NumberQuadruples) {
  double out[4] = {};
  auto read = [&](qmState* S) { opt_get_number4(S, 1, "m", out, nullptr); };
  EXPECT_EQ(call([](qmState* S) { return push_subtable(S, "m", {1, 2, 3, 4}); }, read), 0);
  EXPECT_EQ(out[3], 4);
  EXPECT_EQ(call([](qmState* S) { return push_subtable(S, "m", {1, 2, 3}); }, read), ERR_MISSINGPARAMTR);
  EXPECT_EQ(call([](qmState* S) { return push_subtable(S, "m", {1, NAN, 3, 4}); }, read), ERR_NUMTABLEARG);
  EXPECT_STREQ(err_context().string_arg, "m");
  EXPECT_EQ(call(
                [](qmState* S) {
                  vm_new_table(S);
                  table_set_double(S, "m", 1);
                  return 1;
                },
                read),
            ERR_TABEXPECTED2);
}

TEST_F(Readers, IdLists) {
  int dummy = 0;
  ObjectId ids[2];
  int32_t count = -1;
  int32_t code = -1;
  EXPECT_EQ(call(
                [&](qmState* S) {
                  push_subtable(S, "ids", {1, 2, 3});
                  vm_push_string(S, "ids");
                  vm_get_table(S, -2);
                  vm_push_lightuserdata(S, &dummy);
                  vm_raw_seti(S, -2, 1);
                  vm_pop(S, 1);
                  return 1;
                },
                [&](qmState* S) {
                  // Counting only, then storing no more than the array holds.
                  EXPECT_EQ(opt_get_id_list(S, 1, "ids", nullptr, 0, &count), 0);
                  EXPECT_EQ(count, 3);
                  code = opt_get_id_list(S, 1, "ids", ids, 2, &count);
                  EXPECT_EQ(vm_get_top(S), 1);
                }),
            0);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(ids[0], (ObjectId{1, nullptr}));
  EXPECT_EQ(ids[1], (ObjectId{0, &dummy}));

  EXPECT_EQ(call([](qmState* S) { return push_subtable(S, "ids", {1, NAN}); },
                 [&](qmState* S) { code = opt_get_id_list(S, 1, "ids", ids, 2, &count); }),
            0);
  EXPECT_EQ(code, ERR_NUMTABLEARG);
  EXPECT_STREQ(err_context().string_arg, "ids");
  EXPECT_EQ(call([](qmState* S) { return push_subtable(S, "ids", {}); },
                 [&](qmState* S) { code = opt_get_id_list(S, 1, "other", ids, 2, &count); }),
            0);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(call(
                [](qmState* S) {
                  vm_new_table(S);
                  table_set_string(S, "ids", "1,2");
                  return 1;
                },
                [&](qmState* S) { code = opt_get_id_list(S, 1, "ids", ids, 2, &count); }),
            0);
  EXPECT_EQ(code, ERR_TABEXPECTED2);
}

TEST_F(Readers, ShadowAndBorder) {
  struct Case {
    std::function<void(qmState*)> fill;
    int32_t shadow_code, border_code;
  };
  ShadowBlock shadow;
  BorderBlock border;
  int32_t sc = -1, bc = -1, given = 0;
  auto read = [&](bool is_text) {
    return [&, is_text](qmState* S) {
      shadow = ShadowBlock{};
      shadow.radius = 9;  // a caller's default
      border = BorderBlock{};
      given = 0;
      sc = opt_get_shadow(S, 1, &shadow, &given);
      bc = opt_get_border(S, 1, is_text, &border, &given);
    };
  };
  auto table = [](std::function<void(qmState*)> fill) {
    return [fill](qmState* S) {
      vm_new_table(S);
      fill(S);
      return 1;
    };
  };
  // Nothing set: defaults stay and nothing is reported.
  EXPECT_EQ(call(table([](qmState*) {}), read(false)), 0);
  EXPECT_EQ(sc, 0);
  EXPECT_EQ(bc, 0);
  EXPECT_EQ(given, 0);
  EXPECT_EQ(shadow.radius, 9);
  // With the shadow off its other fields are not even read.
  EXPECT_EQ(call(table([](qmState* S) {
                   table_set_double(S, "shadow", 0);
                   table_set_string(S, "shadowsize", "junk");
                 }),
                 read(false)),
            0);
  EXPECT_EQ(sc, 0);
  EXPECT_EQ(call(table([](qmState* S) {
                   table_set_double(S, "shadow", 1);
                   table_set_double(S, "shadowcolor", 0xFF0000);
                   table_set_double(S, "shadowdir", 3);
                   table_set_double(S, "shadowsize", 4);
                   table_set_double(S, "shadowsigma", 0.5);
                 }),
                 read(false)),
            0);
  EXPECT_EQ(sc, 0);
  EXPECT_EQ(shadow.color, 0xFF0000u);
  EXPECT_EQ(shadow.direction, 3);
  EXPECT_EQ(call(table([](qmState* S) {
                   table_set_double(S, "shadow", 1);
                   table_set_double(S, "shadowradius", 0.5);
                   table_set_double(S, "shadowsigma", 1);
                 }),
                 read(false)),
            0);
  EXPECT_EQ(sc, ERR_WRONGUSAGE);
  EXPECT_EQ(call(table([](qmState* S) { table_set_double(S, "border", 1); }), read(false)), 0);
  EXPECT_EQ(bc, ERR_WRONGUSAGE);
  // For text the outline thickness, read last, wins over the edge size.
  EXPECT_EQ(call(table([](qmState* S) {
                   table_set_double(S, "border", 1);
                   table_set_double(S, "bordersize", 2);
                   table_set_double(S, "edgesize", 3);
                   table_set_double(S, "outlinethickness", 5);
                   table_set_double(S, "edgecolor", 0x123456);
                 }),
                 read(true)),
            0);
  EXPECT_EQ(bc, 0);
  EXPECT_EQ(border.size, 5);
  EXPECT_EQ(border.color, 0x123456u);
  EXPECT_EQ(given, 1);
}

}  // namespace
