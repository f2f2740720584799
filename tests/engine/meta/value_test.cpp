// Operators across types: conversions, arithmetic, equality, order, concatenation, indexed
// reads and writes through events, and the absence cache.
#include <cmath>
#include <cstring>

#include "engine/errcodes.h"
#include "tests/engine/meta/meta_fixture.h"

namespace {

using namespace qm;

// A value described in a case table; tables are made fresh for each case.
struct V {
  enum Kind { Nil, Num, Str, Tab, Bool } kind;
  double n = 0;
  const char* s = "";
};
V vnil() { return {V::Nil}; }
V vnum(double n) { return {V::Num, n}; }
V vstr(const char* s) { return {V::Str, 0, s}; }
V vtab() { return {V::Tab}; }
V vbool(bool b) { return {V::Bool, b ? 1.0 : 0.0}; }

class ValueTest : public MetaTest {
 protected:
  qmValue make(const V& v) {
    switch (v.kind) {
      case V::Nil: return nil();
      case V::Num: return num(v.n);
      case V::Str: return str(v.s);
      case V::Tab: return table();
      case V::Bool: return boolean(v.n != 0);
    }
    return nil();
  }
};

// ---- conversions ------------------------------------------------------------------------------

TEST_F(ValueTest, ToNumber) {
  struct Case {
    V in;
    bool ok;
    double out;
  } cases[] = {
      {vnil(), true, 0},        {vnum(2.5), true, 2.5},   {vstr("12"), true, 12},
      {vstr(" 7 "), true, 7},   {vstr("$FF"), true, 255}, {vstr("0x10"), true, 16},
      {vstr("1e3"), true, 1000}, {vstr("x"), false, 0},   {vstr(""), false, 0},
      {vstr("12a"), false, 0},  {vtab(), false, 0},       {vbool(true), false, 0},
  };
  for (const Case& c : cases) {
    qmValue v = make(c.in), tmp;
    const qmValue* r = vm_tonumber(&v, &tmp);
    ASSERT_EQ(r != nullptr, c.ok) << c.in.s;
    if (r) {
      EXPECT_EQ(r->v.n, c.out) << c.in.s;
    }
  }
}

TEST_F(ValueTest, ToStringConvertsInPlace) {
  struct Case {
    V in;
    const char* out;
  } cases[] = {
      {vnil(), ""},         {vnum(0.1), "0.1"},  {vnum(1e15), "1e+15"}, {vnum(1e14), "1e+14"},
      {vnum(-0.0), "-0"},   {vnum(12), "12"},    {vnum(1.0 / 3), "0.33333333333333"},
      {vnum(123456789012345678.0), "1.2345678901235e+17"},
      {vstr("same"), "same"},
  };
  for (const Case& c : cases) {
    qmValue* cell = push(make(c.in));
    ASSERT_TRUE(vm_tostring(L, cell));
    ASSERT_TRUE(ttisstring(cell));
    EXPECT_EQ(text(*cell), c.out);
  }
  qmValue* t = push(table());
  EXPECT_FALSE(vm_tostring(L, t));
  EXPECT_TRUE(ttistable(t));
}

// ---- arithmetic -------------------------------------------------------------------------------

TEST_F(ValueTest, ArithmeticAcrossTypes) {
  struct Case {
    V a, b;
    int32_t event;
    double result;  // when error is 0
    int32_t error;
  } cases[] = {
      {vnil(), vnum(1), QM_EV_ADD, 1, 0},
      {vnum(1), vnil(), QM_EV_SUB, 1, 0},
      {vnil(), vnil(), QM_EV_MUL, 0, 0},
      {vstr("2"), vstr("3"), QM_EV_MUL, 6, 0},
      {vstr("$10"), vnum(1), QM_EV_ADD, 17, 0},
      {vstr("10"), vstr("4"), QM_EV_DIV, 2.5, 0},
      {vstr("7.9"), vstr("2.9"), QM_EV_DIVINT, 3, 0},
      {vnum(-7), vstr("2"), QM_EV_MOD, -1, 0},
      {vstr("-1"), vnil(), QM_EV_OR, 4294967295.0, 0},
      {vstr("1"), vstr("31"), QM_EV_LSH, 2147483648.0, 0},
      {vnum(5e9), vstr("1"), QM_EV_AND, 1, 0},
      {vstr("2"), vnum(10), QM_EV_POW, 1024, 0},
      {vstr("x"), vnum(1), QM_EV_ADD, 0, ERR_WRONGOP},
      {vnum(1), vstr(""), QM_EV_ADD, 0, ERR_WRONGOP},
      {vtab(), vnum(1), QM_EV_ADD, 0, ERR_WRONGOP},
      {vbool(true), vnum(1), QM_EV_SUB, 0, ERR_WRONGOP},
      {vnum(1), vnil(), QM_EV_DIV, 0, ERR_ZERODIVISION},
      {vnum(1), vstr("0.4"), QM_EV_DIVINT, 0, ERR_ZERODIVISION},
      {vnum(5), vnil(), QM_EV_MOD, 0, ERR_ZERODIVISION},
  };
  for (const Case& c : cases) {
    qmValue a = make(c.a), b = make(c.b);
    qmValue* ra = push(nil());
    int32_t err = raises([&] { vm_arith(L, ra, &a, &b, c.event); });
    EXPECT_EQ(err, c.error) << "event " << c.event << " " << c.a.s << " " << c.b.s;
    if (err == 0 && c.error == 0) {
      ASSERT_TRUE(ttisnumber(ra));
      EXPECT_EQ(ra->v.n, c.result) << "event " << c.event << " " << c.a.s << " " << c.b.s;
    }
  }
}

TEST_F(ValueTest, ArithmeticEventsGetBothOperandsInOrder) {
  qmValue t = table();
  qmValue mt = with_meta(t);
  set(mt, "__add", cfunc(EventLog::record));
  set(mt, "__pow", num(3));  // present but not a function

  // The left operand's event first, else the right one's; arguments stay (left, right).
  for (bool table_left : {true, false}) {
    EventLog::reset(num(42));
    qmValue one = num(1);
    qmValue* ra = push(nil());
    ASSERT_EQ(raises([&] {
                vm_arith(L, ra, table_left ? &t : &one, table_left ? &one : &t, QM_EV_ADD);
              }),
              0);
    ASSERT_EQ(EventLog::calls, 1);
    ASSERT_EQ(EventLog::args.size(), 2u);
    const qmValue& left = EventLog::args[0];
    const qmValue& right = EventLog::args[1];
    EXPECT_TRUE(vm_raw_equal_obj(&left, table_left ? &t : &one));
    EXPECT_TRUE(vm_raw_equal_obj(&right, table_left ? &one : &t));
    EXPECT_EQ(ra->v.n, 42);
  }
  qmValue one = num(1);
  qmValue* ra = push(nil());
  EXPECT_EQ(raises([&] { vm_arith(L, ra, &t, &one, QM_EV_POW); }), ERR_WRONGOP);
  EXPECT_EQ(raises([&] { vm_arith(L, ra, &t, &one, QM_EV_SUB); }), ERR_WRONGOP);
}

TEST_F(ValueTest, UnaryOperators) {
  qmValue* ra = push(nil());
  qmValue n = nil();
  vm_arith_unary(L, ra, &n, QM_EV_UNM);
  EXPECT_EQ(ra->v.n, 0.0);
  EXPECT_TRUE(std::signbit(ra->v.n));
  qmValue s = str("3");
  vm_arith_unary(L, ra, &s, QM_EV_UNM);
  EXPECT_EQ(ra->v.n, -3);
  vm_arith_unary(L, ra, &n, QM_EV_NOT);
  EXPECT_EQ(ra->v.n, 4294967295.0);

  qmValue t = table();
  qmValue mt = with_meta(t);
  EXPECT_EQ(raises([&] { vm_arith_unary(L, ra, &t, QM_EV_UNM); }), ERR_WRONGOP);
  set(mt, "__unm", cfunc(EventLog::record));
  EventLog::reset(num(9));
  vm_arith_unary(L, ra, &t, QM_EV_UNM);
  EXPECT_EQ(ra->v.n, 9);
  ASSERT_EQ(EventLog::args.size(), 2u);
  EXPECT_TRUE(ttistable(&EventLog::args[0]));
  EXPECT_TRUE(ttisnil(&EventLog::args[1]));
}

// ---- equality and order -----------------------------------------------------------------------

TEST_F(ValueTest, EqualityAcrossTypes) {
  struct Case {
    V a, b;
    int32_t equal;
    int32_t error;
  } cases[] = {
      {vnil(), vnil(), 1, 0},          {vnil(), vnum(0), 1, 0},
      {vnil(), vstr(""), 1, 0},        {vnil(), vnum(1), 0, 0},
      {vnil(), vstr("a"), 0, 0},       {vnil(), vtab(), 0, 0},
      {vnum(0), vnil(), 1, 0},         {vstr(""), vnil(), 1, 0},
      {vnum(NAN), vnil(), 0, 0},       {vbool(false), vnil(), 0, 0},
      {vnum(-0.0), vnum(0), 1, 0},     {vnum(NAN), vnum(NAN), 0, 0},
      {vstr("abc"), vstr("abc"), 1, 0}, {vstr("abc"), vstr("ABC"), 0, 0},
      {vbool(true), vbool(true), 1, 0}, {vtab(), vtab(), 0, 0},
      {vnum(0), vstr(""), 0, ERR_NUMSTRCMP},
      {vnum(1), vstr("1"), 0, ERR_NUMSTRCMP},
      {vstr("1"), vnum(1), 0, ERR_NUMSTRCMP},
      {vtab(), vnum(1), 0, ERR_WRONGOP},
      {vbool(true), vnum(1), 0, ERR_WRONGOP},
      {vstr("a"), vtab(), 0, ERR_WRONGOP},
  };
  for (const Case& c : cases) {
    qmValue a = make(c.a), b = make(c.b);
    int32_t r = -1;
    EXPECT_EQ(raises([&] { r = vm_values_equal(L, &a, &b); }), c.error) << c.a.s << "|" << c.b.s;
    if (c.error == 0) {
      EXPECT_EQ(r, c.equal) << c.a.s << "|" << c.b.s << " kinds " << c.a.kind << c.b.kind;
    }
  }
  qmValue t = table();
  EXPECT_EQ(vm_values_equal(L, &t, &t), 1);
}

TEST_F(ValueTest, EqualityEventRules) {
  qmValue a = table(), b = table(), c = table();
  qmValue mt = with_meta(a);
  hvalue(&b)->metatable = hvalue(&mt);
  qmValue other = with_meta(c);
  qmValue eq = cfunc(EventLog::record);
  set(mt, "__eq", eq);

  // result rule: only nil and the number 0 are false; a boolean false counts as true
  struct Case {
    qmValue result;
    int32_t equal;
  } results[] = {{num(1), 1}, {num(0), 0}, {nil(), 0}, {boolean(false), 1}, {num(NAN), 1}};
  for (const Case& r : results) {
    EventLog::reset(r.result);
    EXPECT_EQ(vm_values_equal(L, &a, &b), r.equal);
    ASSERT_EQ(EventLog::args.size(), 2u);
    EXPECT_EQ(EventLog::args[0].v.gc, a.v.gc);
    EXPECT_EQ(EventLog::args[1].v.gc, b.v.gc);
  }

  // another metatable must carry the very same __eq; otherwise not equal, and no call
  EventLog::reset(num(1));
  EXPECT_EQ(vm_values_equal(L, &a, &c), 0);
  set(other, "__eq", cfunc(EventLog::record));  // another closure of the same function
  EXPECT_EQ(vm_values_equal(L, &a, &c), 0);
  EXPECT_EQ(EventLog::calls, 0);
  set(other, "__eq", eq);
  EXPECT_EQ(vm_values_equal(L, &a, &c), 1);
  EXPECT_EQ(EventLog::calls, 1);
  // the left operand's metatable must have it
  set(mt, "__eq", nil());
  EXPECT_EQ(vm_values_equal(L, &a, &c), 0);
}

TEST_F(ValueTest, OrderAcrossTypes) {
  struct Case {
    V l, r;
    int32_t mode;
    int32_t less;
    int32_t error;
  } cases[] = {
      {vnil(), vnum(1), 1, 1, 0},        {vnil(), vnum(-1), 1, 0, 0},
      {vnum(-1), vnil(), 1, 1, 0},       {vnum(1), vnil(), 1, 0, 0},
      {vnil(), vnil(), 1, 0, 0},         {vnil(), vstr("a"), 1, 0, 0},
      {vstr("a"), vnil(), 1, 0, 0},      {vstr("a"), vstr("b"), 1, 1, 0},
      {vstr("abc"), vstr("ab"), 1, 0, 0}, {vstr("ab"), vstr("abc"), 1, 1, 0},
      {vstr("ab"), vstr("ab"), 1, 0, 0}, {vstr("B"), vstr("a"), 1, 1, 0},
      {vstr("B"), vstr("a"), 0, 0, 0},   {vstr("ABC"), vstr("abc"), 0, 0, 0},
      {vstr("abc"), vstr("ABC"), 0, 0, 0}, {vstr("abc"), vstr("ABD"), 0, 1, 0},
      {vstr("\xe9"), vstr("\xc9"), 0, 0, 0}, {vstr("\xc9"), vstr("\xe9"), 1, 1, 0},
      {vnum(1), vnum(2), 1, 1, 0},       {vnum(NAN), vnum(1), 1, 0, 0},
      {vnil(), vtab(), 1, 0, ERR_WRONGOP}, {vtab(), vnil(), 1, 0, ERR_WRONGOP},
      {vbool(true), vnil(), 1, 0, ERR_WRONGOP},
      {vnum(1), vstr("2"), 1, 0, ERR_NUMSTRCMP}, {vstr("1"), vnum(2), 1, 0, ERR_NUMSTRCMP},
      {vtab(), vtab(), 1, 0, ERR_WRONGOP}, {vtab(), vnum(1), 1, 0, ERR_WRONGOP},
      {vbool(false), vbool(true), 1, 0, ERR_WRONGOP},
  };
  for (const Case& c : cases) {
    qmValue l = make(c.l), r = make(c.r);
    int32_t res = -1;
    EXPECT_EQ(raises([&] { res = vm_value_less(L, &l, &r, c.mode); }), c.error)
        << c.l.s << " < " << c.r.s << " kinds " << c.l.kind << c.r.kind;
    if (c.error == 0) {
      EXPECT_EQ(res, c.less) << c.l.s << " < " << c.r.s << " mode " << c.mode;
    }
  }
}

TEST_F(ValueTest, StringOrderRunsAcrossEmbeddedZeros) {
  struct Case {
    std::string l, r;
    int32_t less;
  } cases[] = {
      {std::string("a\0b", 3), std::string("a\0c", 3), 1},
      {std::string("a\0c", 3), std::string("a\0b", 3), 0},
      {std::string("a", 1), std::string("a\0", 2), 1},
      {std::string("a\0", 2), std::string("a", 1), 0},
      {std::string("a\0", 2), std::string("a\0", 2), 0},
  };
  for (const Case& c : cases) {
    qmValue l = str(c.l), r = str(c.r);
    EXPECT_EQ(vm_value_less(L, &l, &r, 1), c.less) << c.l.size() << " " << c.r.size();
    EXPECT_EQ(vm_value_less(L, &l, &r, 0), c.less);
  }
}

TEST_F(ValueTest, LessOrEqualAcrossTypes) {
  struct Case {
    V l, r;
    int32_t le;
    int32_t error;
  } cases[] = {
      {vnil(), vnum(0), 1, 0},          {vnil(), vnil(), 1, 0},
      {vnil(), vnum(-1), 0, 0},         {vnum(0), vnil(), 1, 0},
      {vnum(1), vnil(), 0, 0},          {vnil(), vstr("a"), 0, 0},
      {vstr("a"), vnil(), 0, 0},        {vstr("ab"), vstr("ab"), 1, 0},
      {vstr("b"), vstr("ab"), 0, 0},    {vnum(2), vnum(2), 1, 0},
      {vnum(1), vstr("1"), 0, ERR_NUMSTRCMP}, {vtab(), vnum(1), 0, ERR_WRONGOP},
      {vnil(), vtab(), 0, ERR_WRONGOP}, {vtab(), vtab(), 0, ERR_WRONGOP},
  };
  for (const Case& c : cases) {
    qmValue l = make(c.l), r = make(c.r);
    int32_t res = -1;
    EXPECT_EQ(raises([&] { res = vm_value_less_equal(L, &l, &r); }), c.error) << c.l.s << " <= " << c.r.s;
    if (c.error == 0) {
      EXPECT_EQ(res, c.le) << c.l.s << " <= " << c.r.s;
    }
  }
}

TEST_F(ValueTest, OrderEvents) {
  qmValue a = table(), b = table();
  qmValue mt = with_meta(a);
  hvalue(&b)->metatable = hvalue(&mt);
  set(mt, "__lt", cfunc(EventLog::record));

  EventLog::reset(num(1));
  EXPECT_EQ(vm_value_less(L, &a, &b, 1), 1);
  ASSERT_EQ(EventLog::args.size(), 2u);
  EXPECT_EQ(EventLog::args[0].v.gc, a.v.gc);
  EXPECT_EQ(EventLog::args[1].v.gc, b.v.gc);

  // without __le, a <= b is not (b < a)
  EventLog::reset(num(0));
  EXPECT_EQ(vm_value_less_equal(L, &a, &b), 1);
  ASSERT_EQ(EventLog::args.size(), 2u);
  EXPECT_EQ(EventLog::args[0].v.gc, b.v.gc);
  EXPECT_EQ(EventLog::args[1].v.gc, a.v.gc);

  // __le when both share it
  set(mt, "__le", cfunc(EventLog::record));
  EventLog::reset(nil());
  EXPECT_EQ(vm_value_less_equal(L, &a, &b), 0);
  EXPECT_EQ(EventLog::args[0].v.gc, a.v.gc);

  // a different __lt on the right operand
  qmValue c = table();
  qmValue other = with_meta(c);
  set(other, "__lt", cfunc(EventLog::record));
  EXPECT_EQ(raises([&] { vm_value_less(L, &a, &c, 1); }), ERR_WRONGOP);
}

// ---- concatenation ----------------------------------------------------------------------------

class ConcatTest : public ValueTest {
 protected:
  // Concatenates the values as registers 0..n-1 of the base frame; returns the error code.
  int32_t concat(std::vector<qmValue> values) {
    L->top = L->base;
    for (const qmValue& v : values) push(v);
    int32_t n = static_cast<int32_t>(values.size());
    return raises([&] { vm_concat_values(L, n, n - 1); });
  }
  qmValue* reg(int i) { return L->base + i; }
};

TEST_F(ConcatTest, TextsOfEveryConvertibleType) {
  struct Case {
    std::vector<V> in;
    const char* out;
  } cases[] = {
      {{vstr("a"), vnil()}, "a"},
      {{vnil(), vstr("a")}, "a"},
      {{vnum(1), vnum(2)}, "12"},
      {{vnum(0.1), vstr("")}, "0.1"},
      {{vnum(1e15), vstr("")}, "1e+15"},
      {{vnil(), vnil()}, ""},
      {{vstr("x"), vnum(1.5), vnil(), vstr("y"), vnum(-3)}, "x1.5y-3"},
      {{vstr(""), vstr(""), vstr("")}, ""},
      {{vnum(100), vstr(""), vnum(7)}, "1007"},
  };
  for (const Case& c : cases) {
    std::vector<qmValue> values;
    for (const V& v : c.in) values.push_back(make(v));
    ASSERT_EQ(concat(values), 0) << c.out;
    ASSERT_TRUE(ttisstring(reg(0)));
    EXPECT_EQ(text(*reg(0)), c.out);
  }
}

TEST_F(ConcatTest, LongResultIsInternedOnce) {
  std::string big(5000, 'q');
  ASSERT_EQ(concat({str(big), num(1), str(big)}), 0);
  EXPECT_EQ(text(*reg(0)), big + "1" + big);
  qmValue again = str(big + "1" + big);
  EXPECT_EQ(again.v.gc, reg(0)->v.gc);
}

TEST_F(ConcatTest, WrongTypesAndTheEvent) {
  qmValue t = table();
  EXPECT_EQ(concat({t, str("s")}), ERR_CONCAT);
  EXPECT_EQ(concat({str("s"), t}), ERR_CONCAT);
  EXPECT_EQ(concat({boolean(true), str("s")}), ERR_CONCAT);
  // conversions made before the error stay
  EXPECT_EQ(concat({num(5), nil(), t}), ERR_CONCAT);
  EXPECT_EQ(text(*reg(1)), "");  // the lower operand of the failing pair was converted first
  EXPECT_TRUE(ttisnumber(reg(0)));
  EXPECT_EQ(concat({num(5), t, nil()}), ERR_CONCAT);
  EXPECT_TRUE(ttisnil(reg(2)));  // a failing lower operand stops before the upper one

  qmValue mt = with_meta(t);
  set(mt, "__concat", cfunc(EventLog::record));
  EventLog::reset(str("T"));
  ASSERT_EQ(concat({str("a"), t, str("b")}), 0);
  // the pair (t, "b") goes to the event first; "a" .. its result follows
  ASSERT_EQ(EventLog::calls, 1);
  EXPECT_TRUE(ttistable(&EventLog::args[0]));
  EXPECT_EQ(text(EventLog::args[1]), "b");
  EXPECT_EQ(text(*reg(0)), "aT");
}

// ---- indexed reads and writes -----------------------------------------------------------------

TEST_F(ValueTest, SelfReferentialIndexStopsAtTheChainLimit) {
  qmValue t = table();
  qmValue mt = with_meta(t);
  set(mt, "__index", t);
  set(mt, "__newindex", t);
  qmValue key = str("missing"), res, one = num(1);
  EXPECT_EQ(raises([&] { vm_gettable(L, &t, &key, &res); }), ERR_INTERNAL1);
  EXPECT_STREQ(vm_get_error_text(L), "#1");
  // the slot for a new key is made (nil) before __newindex is asked, so every pass finds it nil
  // and is sent back to the same table
  EXPECT_EQ(raises([&] { vm_settable(L, &t, &key, &one); }), ERR_INTERNAL1);
  EXPECT_STREQ(vm_get_error_text(L), "#2");
}

TEST_F(ValueTest, IndexChainOfOneHundredRedirectionsIsAllowed) {
  // chain[0] -> chain[1] -> ... each through __index; the key sits at the end.
  for (int length : {100, 101}) {
    std::vector<qmValue> chain;
    for (int i = 0; i <= length; i++) chain.push_back(table());
    for (int i = 0; i < length; i++) {
      qmValue mt = with_meta(chain[i]);
      set(mt, "__index", chain[i + 1]);
    }
    set(chain[length], "k", num(7));
    qmValue key = str("k"), res;
    bool found = false;
    int32_t err = raises([&] { found = vm_gettable(L, &chain[0], &key, &res); });
    if (length == 100) {
      ASSERT_EQ(err, 0);
      EXPECT_TRUE(found);
      EXPECT_EQ(res.v.n, 7);
    } else {
      EXPECT_EQ(err, ERR_INTERNAL1);
    }
  }
}

TEST_F(ValueTest, IndexEvents) {
  qmValue t = table(), fallback = table();
  qmValue key = str("k"), res;
  // no metatable event: not found, nil
  EXPECT_FALSE(vm_gettable(L, &t, &key, &res));
  EXPECT_TRUE(ttisnil(&res));

  qmValue mt = with_meta(t);
  set(mt, "__index", fallback);
  set(fallback, "k", num(3));
  EXPECT_TRUE(vm_gettable(L, &t, &key, &res));
  EXPECT_EQ(res.v.n, 3);

  set(mt, "__index", cfunc(EventLog::record));
  EventLog::reset(nil());
  EXPECT_TRUE(vm_gettable(L, &t, &key, &res));  // a function's nil answer still counts
  EXPECT_TRUE(ttisnil(&res));
  ASSERT_EQ(EventLog::args.size(), 2u);
  EXPECT_EQ(EventLog::args[0].v.gc, t.v.gc);
  EXPECT_EQ(text(EventLog::args[1]), "k");

  // values without events cannot be indexed
  qmValue n = num(1);
  EXPECT_EQ(raises([&] { vm_gettable(L, &n, &key, &res); }), ERR_TABLEDECLA);
  EXPECT_STREQ(vm_get_error_text(L), "??{}");
  EXPECT_EQ(raises([&] { vm_settable(L, &n, &key, &n); }), ERR_TABLEDECLA);
}

TEST_F(ValueTest, NewIndexEvents) {
  qmValue t = table(), target = table();
  qmValue mt = with_meta(t);
  qmValue key = str("k"), v = num(5);
  set(mt, "__newindex", target);
  vm_settable(L, &t, &key, &v);
  EXPECT_TRUE(ttisnil(vm_table_get(hvalue(&t), &key)));
  EXPECT_EQ(vm_table_get(hvalue(&target), &key)->v.n, 5);

  set(mt, "__newindex", cfunc(EventLog::record));
  EventLog::reset(nil());
  qmValue key2 = str("j");
  vm_settable(L, &t, &key2, &v);
  ASSERT_EQ(EventLog::args.size(), 3u);
  EXPECT_EQ(EventLog::args[0].v.gc, t.v.gc);
  EXPECT_EQ(text(EventLog::args[1]), "j");
  EXPECT_EQ(EventLog::args[2].v.n, 5);
  EXPECT_TRUE(ttisnil(vm_table_get(hvalue(&t), &key2)));

  // an existing field is written in place, the event is not asked
  set(t, "have", num(1));
  qmValue have = str("have");
  EventLog::reset(nil());
  vm_settable(L, &t, &have, &v);
  EXPECT_EQ(EventLog::calls, 0);
  EXPECT_EQ(vm_table_get(hvalue(&t), &have)->v.n, 5);
}

TEST_F(ValueTest, AbsenceCacheRemembersMissingEventsUntilTheMetatableChanges) {
  qmValue t = table();
  qmValue mt = with_meta(t);
  qmTable* m = hvalue(&mt);
  m->flags = 0;
  qmValue key = str("k"), res;
  EXPECT_FALSE(vm_gettable(L, &t, &key, &res));
  EXPECT_TRUE(m->flags & (1u << QM_EV_INDEX));
  EXPECT_EQ(vm_fast_event(L, m, QM_EV_EQ), nullptr);
  EXPECT_TRUE(m->flags & (1u << QM_EV_EQ));
  // a raw store into the metatable clears the cache, so the new event is seen
  qmValue fallback = table();
  set(fallback, "k", num(8));
  set(mt, "__index", fallback);
  EXPECT_EQ(m->flags, 0);
  EXPECT_TRUE(vm_gettable(L, &t, &key, &res));
  EXPECT_EQ(res.v.n, 8);
  // events above 7 have no cache bit and are looked up every time
  EXPECT_EQ(vm_fast_event(L, m, QM_EV_POW), nullptr);
  set(mt, "__pow", num(1));
  ASSERT_NE(vm_fast_event(L, m, QM_EV_POW), nullptr);
}

TEST_F(ValueTest, EventsOnlyForTablesAndUserData) {
  qmValue values[] = {num(1), str("s"), boolean(true), nil()};
  for (const qmValue& v : values) EXPECT_TRUE(ttisnil(vm_event_of_value(L, &v, QM_EV_INDEX)));
  const char* names[] = {"__index", "__newindex", "__gc",  "__mode", "__eq",  "__add",
                         "__sub",   "__mul",      "__div", "__divint", "__mod", "__lsh",
                         "__rsh",   "__or",       "__and", "__xor",  "__pow", "__unm",
                         "__not",   "__lt",       "__le",  "__concat", "__call"};
  for (int i = 0; i < QM_NUM_EVENTS; i++) {
    EXPECT_STREQ(L->g->tmname[i]->data(), names[i]);
    EXPECT_TRUE(L->g->tmname[i]->marked & QM_GC_FIXED);
  }
}

}  // namespace
