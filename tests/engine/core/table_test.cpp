// Table layout, placement of keys, the nil and NaN key rules, traversal and growth errors.
#include <cmath>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "engine/table.h"
#include "engine/vmstring.h"
#include "fixture.h"

namespace {

using TableTest = EngineTest;

constexpr int32_t kArray = 1, kHash = 2, kAbsent = 0;

TEST_F(TableTest, SequentialIntegersFillTheArrayPart) {
  qmTable* t = vm_table_new(L, 0, 0);
  for (int i = 1; i <= 100; i++) *vm_table_set_int(L, t, i) = num(i * 10);
  for (int i = 1; i <= 100; i++) {
    qmValue k = num(i);
    ASSERT_EQ(vm_table_key_place(t, &k), kArray) << i;
    EXPECT_EQ(vm_table_get_int(t, i)->v.n, i * 10);
  }
  EXPECT_GE(t->sizearray, 100);
}

TEST_F(TableTest, PlacementOfSparseAndFractionalKeys) {
  qmTable* t = vm_table_new(L, 0, 0);
  qmValue big = num(1e6), frac = num(2.5), two = num(2), one = num(1);
  *vm_table_set(L, t, &big) = num(1);
  EXPECT_EQ(vm_table_key_place(t, &big), kHash);
  EXPECT_EQ(t->sizearray, 0);
  *vm_table_set(L, t, &frac) = num(2);
  *vm_table_set(L, t, &one) = num(3);
  *vm_table_set(L, t, &two) = num(4);
  for (int i = 3; i <= 40; i++) *vm_table_set_int(L, t, i) = num(i);  // forces rehashes
  EXPECT_EQ(vm_table_key_place(t, &frac), kHash);
  EXPECT_EQ(vm_table_key_place(t, &one), kArray);
  EXPECT_EQ(vm_table_key_place(t, &big), kHash);
  EXPECT_EQ(vm_table_get(t, &frac)->v.n, 2);
  EXPECT_EQ(vm_table_get(t, &big)->v.n, 1);
}

TEST_F(TableTest, NilKeyIsZero) {
  qmTable* t = vm_table_new(L, 0, 0);
  qmValue nil;
  setnilvalue(&nil);
  *vm_table_set(L, t, &nil) = num(5);
  EXPECT_EQ(vm_table_get_int(t, 0)->v.n, 5);
  EXPECT_EQ(vm_table_get(t, &nil)->v.n, 5);
  qmValue key[2];
  setnilvalue(&key[0]);
  ASSERT_EQ(vm_table_next(L, t, key), 1);
  EXPECT_EQ(key[0].tt, QM_TNUMBER);
  EXPECT_EQ(key[0].v.n, 0);
  EXPECT_EQ(vm_table_next(L, t, key), 0);
}

TEST_F(TableTest, RaisedErrors) {
  qmTable* t = vm_table_new(L, 0, 0);
  qmValue nan = num(std::nan("")), absent = num(7);
  EXPECT_EQ(raises([&] { vm_table_set(L, t, &nan); }), qm::ERR_TABLEINDEX);
  EXPECT_TRUE(ttisnil(vm_table_get(t, &nan)));
  EXPECT_EQ(raises([&] { vm_table_next(L, t, &absent); }), qm::ERR_INVNEXTKEY);
  EXPECT_EQ(raises([&] { vm_table_new(L, 0, 25); }), qm::ERR_TABLEOVERFLOW);
  EXPECT_EQ(raises([&] { vm_table_new(L, 0, 24); }), 0);
}

TEST_F(TableTest, ConstructorListKeepsZeroInTheHashPart) {
  // A list constructor stores items under 0..n-1; after sizing only 0 stays in the hash part.
  qmTable* t = vm_table_new(L, 0, 0);
  for (int i = 9; i >= 0; i--) *vm_table_set_int(L, t, i) = num(i);
  for (int i = 10; i < 20; i++) *vm_table_set_int(L, t, i) = num(i);
  qmValue zero = num(0);
  EXPECT_EQ(vm_table_key_place(t, &zero), kHash);
  for (int i = 1; i < 20; i++) {
    qmValue k = num(i);
    EXPECT_EQ(vm_table_key_place(t, &k), kArray) << i;
  }
}

TEST_F(TableTest, RemovedFieldsKeepTraversalOrderAndReuseTheirNode) {
  qmTable* t = vm_table_new(L, 0, 3);
  std::vector<qmTString*> keys;
  for (const char* s : {"x", "y", "z", "w"}) keys.push_back(vm_new_cstring(L, s));
  for (qmTString* k : keys) *vm_table_set_str(L, t, k) = num(1);
  qmValue key[2];
  setnilvalue(&key[0]);
  int seen = 0;
  while (vm_table_next(L, t, key)) {
    setnilvalue(vm_table_set(L, t, &key[0]));  // clearing during traversal is allowed
    seen++;
  }
  EXPECT_EQ(seen, 4);
  for (qmTString* k : keys) EXPECT_TRUE(ttisnil(vm_table_get_str(t, k)));
  qmValue absent;
  setsvalue(&absent, keys[0]);
  EXPECT_EQ(vm_table_key_place(t, &absent), kAbsent);
}

// The traversal order for a fixed insertion sequence is visible to scripts (serialised tables,
// listings); this pins the hashes, the collision handling and the rehash order.
TEST_F(TableTest, GoldenIterationOrder) {
  qmTable* t = vm_table_new(L, 0, 0);
  std::vector<qmValue> inserted;
  auto str = [&](const char* s) {
    qmValue v;
    setsvalue(&v, vm_new_cstring(L, s));
    return v;
  };
  for (qmValue k : {str("name"), num(3), str("x"), num(1), num(-1), num(0.5), str("width"),
                    num(2), str("height"), num(100), str("a"), num(0), str("id"), num(1e9)}) {
    *vm_table_set(L, t, &k) = num(1);
  }
  std::string order;
  qmValue key[2];
  setnilvalue(&key[0]);
  while (vm_table_next(L, t, key)) {
    if (ttisstring(&key[0])) {
      order += tsvalue(&key[0])->data();
    } else {
      char buf[32];
      vm_number_to_text(key[0].v.n, buf);
      order += buf;
    }
    order += ' ';
  }
  EXPECT_EQ(order, "1 2 3 a 0 id width x name 0.5 height -1 1000000000 100 ");
}

}  // namespace
