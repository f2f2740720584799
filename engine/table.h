// Tables: an array part for the integer keys 1..n when dense enough, and a chained hash part
// whose node order is visible to scripts through traversal (so the hashes are bit-exact).
#pragma once

#include <cstdint>

#include "engine/numconv.h"
#include "engine/object.h"

inline constexpr int32_t QM_TABLE_MAXBITS = 24;  // at most 2^24 nodes and array cells

// New table with `narray` nil cells and 2^lnhash nodes (0: the shared empty node). Its metatable
// is the default metatable. Raises 1207 when lnhash is above 24 or narray above 2^24.
qmTable* vm_table_new(qmState* L, int32_t narray, int32_t lnhash);
void vm_table_free(qmState* L, qmTable* t);

// Raw reads. The result points at the value cell or at vm_nilobject; it is never null.
const qmValue* vm_table_get(qmTable* t, const qmValue* key);
const qmValue* vm_table_get_int(qmTable* t, int32_t key);
const qmValue* vm_table_get_num(qmTable* t, double key);
// Inline: global and field reads by constant string keys are the executor's commonest lookups.
inline const qmValue* vm_table_get_str(qmTable* t, const qmTString* key) {
  const qmNode* n = &t->node[key->hash & ((uint32_t(1) << t->lsizenode) - 1)];
  do {
    if (n->key.tt == QM_TSTRING && n->key.v.gc == key) return &n->val;
    n = n->next;
  } while (n);
  return &vm_nilobject;
}

// The array cell of a number key: true and the cell in *cell when the key is a whole number in
// 1..sizearray. One truncation (NaN and numbers out of range give INT64_MIN, which fails the
// range test like 0 and the negatives do, in unsigned arithmetic), one unsigned range test and
// one exactness test.
inline bool vm_table_array_find(qmTable* t, double key, qmValue** cell) {
  uint64_t n = static_cast<uint64_t>(qm::to_i64_fast(key));
  if (n - 1 >= static_cast<uint64_t>(t->sizearray) || double(static_cast<int64_t>(n)) != key) return false;
  *cell = &t->array[n - 1];
  return true;
}

// The value cell for a key, created (holding nil) when absent. Clears the table's absence cache.
// A nil key stands for the number 0; a NaN key raises 1208.
qmValue* vm_table_set(qmState* L, qmTable* t, const qmValue* key);
qmValue* vm_table_set_int(qmState* L, qmTable* t, int32_t key);
qmValue* vm_table_set_str(qmState* L, qmTable* t, qmTString* key);
qmValue* vm_table_new_key(qmState* L, qmTable* t, const qmValue* key);

// Traversal: the key cell holds the previous key (nil to start); on success the next key and
// its value are written into key[0] and key[1] and 1 is returned; 0 at the end. A key that is
// not in the table raises 1206.
int32_t vm_table_next(qmState* L, qmTable* t, qmValue* key);

// Where a key lives: 1 array part, 2 hash part, 0 not present (for tests and diagnostics).
int32_t vm_table_key_place(qmTable* t, const qmValue* key);

inline int32_t vm_table_node_count(const qmTable* t) { return 1 << t->lsizenode; }
