#include "engine/table.h"

#include <bit>
#include <cstring>

#include "engine/call.h"
#include "engine/errcodes.h"
#include "engine/gc.h"
#include "engine/memory.h"
#include "engine/numconv.h"

namespace {

bool is_dummy(qmState* L, const qmTable* t) { return t->node == &L->g->dummynode; }

int32_t node_count(const qmTable* t) { return 1 << t->lsizenode; }

qmNode* hashmod(const qmTable* t, uintptr_t n) {
  return &t->node[n % static_cast<uintptr_t>((node_count(t) - 1) | 1)];
}

qmNode* hashnum(const qmTable* t, double n) {
  n += 1;  // folds -0 into +0
  uint64_t bits;
  std::memcpy(&bits, &n, sizeof bits);
  uint32_t sum = static_cast<uint32_t>(bits) + static_cast<uint32_t>(bits >> 32);
  return hashmod(t, sum);
}

qmNode* hashstr(const qmTable* t, const qmTString* s) {
  return &t->node[s->hash & static_cast<uint32_t>(node_count(t) - 1)];
}

qmNode* mainposition(const qmTable* t, const qmValue* key) {
  switch (key->tt) {
    case QM_TNUMBER: return hashnum(t, key->v.n);
    case QM_TSTRING: return hashstr(t, tsvalue(key));
    case QM_TBOOLEAN:
      return &t->node[static_cast<uint32_t>(key->v.b) & static_cast<uint32_t>(node_count(t) - 1)];
    case QM_TLIGHTUSERDATA: return hashmod(t, reinterpret_cast<uintptr_t>(key->v.p));
    default: return hashmod(t, reinterpret_cast<uintptr_t>(key->v.gc));
  }
}

// The integer a number key stands for in the array part, or 0 when it is not a whole number
// in 1..2^24 (0 itself never lives in the array part).
int32_t arrayindex(double n) {
  if (!(n >= 1.0 && n <= double(1 << QM_TABLE_MAXBITS))) return 0;
  int32_t k = static_cast<int32_t>(n);
  return double(k) == n ? k : 0;
}

int32_t ceil_log2(uint32_t x) { return static_cast<int32_t>(std::bit_width(x - 1)); }  // x >= 1

int32_t floor_log2(uint32_t x) { return static_cast<int32_t>(std::bit_width(x)) - 1; }  // x >= 1

void set_array_vector(qmState* L, qmTable* t, int32_t size) {
  t->array = vm_resize_array<qmValue>(L, t->array, static_cast<size_t>(t->sizearray),
                                      static_cast<size_t>(size));
  for (int32_t i = t->sizearray; i < size; i++) setnilvalue(&t->array[i]);
  t->sizearray = size;
}

void set_node_vector(qmState* L, qmTable* t, int32_t lsize) {
  if (lsize > QM_TABLE_MAXBITS) vm_raise_error(L, qm::ERR_TABLEOVERFLOW);
  if (lsize == 0) {
    t->node = &L->g->dummynode;
  } else {
    int32_t size = 1 << lsize;
    t->node = vm_new_array<qmNode>(L, static_cast<size_t>(size));
    for (int32_t i = 0; i < size; i++) {
      t->node[i].next = nullptr;
      setnilvalue(&t->node[i].key);
      setnilvalue(&t->node[i].val);
    }
  }
  t->lsizenode = static_cast<uint8_t>(lsize);
  t->firstfree = &t->node[(1 << lsize) - 1];
}

void count_int_key(const qmValue* key, int32_t* nums, int32_t* nint) {
  if (key->tt != QM_TNUMBER) return;
  int32_t k = arrayindex(key->v.n);
  if (k == 0) return;
  nums[ceil_log2(static_cast<uint32_t>(k))]++;
  (*nint)++;
}

// Sizes the array part as the largest 2^i that would be more than half full; the other keys
// go to the hash part.
void compute_sizes(const int32_t* nums, int32_t ntotal, int32_t* narray, int32_t* nhash) {
  int32_t a = 0, na = 0, n = 0;
  for (int32_t i = 0, twotoi = 1; i <= QM_TABLE_MAXBITS && twotoi / 2 < *narray; i++, twotoi *= 2) {
    if (nums[i] > 0) {
      a += nums[i];
      if (a > twotoi / 2) {
        n = twotoi;
        na = a;
      }
    }
  }
  *nhash = ntotal - na;
  *narray = n;
}

void resize(qmState* L, qmTable* t, int32_t nasize, int32_t nhsize);

void rehash(qmState* L, qmTable* t, const qmValue* extra) {
  int32_t nums[QM_TABLE_MAXBITS + 1] = {};
  int32_t nint = 0, total = 0;
  // array part, slice by slice: slice b holds the keys 2^(b-1)+1 .. 2^b (slice 0 the key 1)
  int32_t key = 1;
  for (int32_t b = 0, limit = 1; key <= t->sizearray; b++, limit *= 2) {
    int32_t last = limit < t->sizearray ? limit : t->sizearray, used = 0;
    for (; key <= last; key++) used += !ttisnil(&t->array[key - 1]);
    nums[b] += used;
    nint += used;
    total += used;
  }
  if (!is_dummy(L, t)) {
    for (int32_t i = node_count(t) - 1; i >= 0; i--) {
      const qmNode* n = &t->node[i];
      if (!ttisnil(&n->val)) {
        count_int_key(&n->key, nums, &nint);
        total++;
      }
    }
  }
  if (extra) {
    count_int_key(extra, nums, &nint);
    total++;
  }
  int32_t nasize = nint, nhsize;
  compute_sizes(nums, total, &nasize, &nhsize);
  resize(L, t, nasize, nhsize == 0 ? 0 : floor_log2(static_cast<uint32_t>(nhsize)) + 1);
}

void resize(qmState* L, qmTable* t, int32_t nasize, int32_t lsize) {
  int32_t oldasize = t->sizearray;
  qmNode* nold = t->node;
  int32_t oldhsize = is_dummy(L, t) ? 0 : node_count(t);
  if (lsize > QM_TABLE_MAXBITS) vm_raise_error(L, qm::ERR_TABLEOVERFLOW);
  if (nasize > oldasize) set_array_vector(L, t, nasize);
  set_node_vector(L, t, lsize);
  if (nasize < oldasize) {
    t->sizearray = nasize;
    for (int32_t i = nasize; i < oldasize; i++)
      if (!ttisnil(&t->array[i])) *vm_table_set_int(L, t, i + 1) = t->array[i];
    t->array = vm_resize_array<qmValue>(L, t->array, static_cast<size_t>(oldasize),
                                        static_cast<size_t>(nasize));
  }
  // reinserted from the last old node to the first: this fixes the traversal order
  for (int32_t i = oldhsize - 1; i >= 0; i--) {
    qmNode* old = &nold[i];
    if (!ttisnil(&old->val)) *vm_table_set(L, t, &old->key) = old->val;
  }
  if (oldhsize) vm_free_array(L, nold, static_cast<size_t>(oldhsize));
}

const qmValue* get_any(qmTable* t, const qmValue* key) {
  qmNode* n = mainposition(t, key);
  do {
    if (vm_raw_equal_obj(&n->key, key)) return &n->val;
    n = n->next;
  } while (n);
  return &vm_nilobject;
}

}  // namespace

qmTable* vm_table_new(qmState* L, int32_t narray, int32_t lnhash) {
  if (lnhash > QM_TABLE_MAXBITS || lnhash < 0) vm_raise_error(L, qm::ERR_TABLEOVERFLOW);
  if (narray > (1 << QM_TABLE_MAXBITS) || narray < 0) vm_raise_error(L, qm::ERR_TABLEOVERFLOW);
  qmTable* t = static_cast<qmTable*>(vm_malloc(L, sizeof(qmTable)));
  t->flags = 0xFF;
  t->lsizenode = 0;
  t->metatable = hvalue(&L->g->default_meta);
  t->array = nullptr;
  t->sizearray = 0;
  t->gclist = nullptr;
  t->node = &L->g->dummynode;
  t->firstfree = t->node;
  vm_gc_link(L, t, QM_TTABLE);
  set_array_vector(L, t, narray);
  set_node_vector(L, t, lnhash);
  return t;
}

void vm_table_free(qmState* L, qmTable* t) {
  if (!is_dummy(L, t)) vm_free_array(L, t->node, static_cast<size_t>(node_count(t)));
  vm_free_array(L, t->array, static_cast<size_t>(t->sizearray));
  vm_free(L, t, sizeof(qmTable));
}

const qmValue* vm_table_get_int(qmTable* t, int32_t key) {
  if (static_cast<uint32_t>(key) - 1u < static_cast<uint32_t>(t->sizearray)) return &t->array[key - 1];
  return vm_table_get_num(t, double(key));
}

const qmValue* vm_table_get_num(qmTable* t, double key) {
  int32_t k = arrayindex(key);
  if (k != 0 && k <= t->sizearray) return &t->array[k - 1];
  qmNode* n = hashnum(t, key);
  do {
    if (n->key.tt == QM_TNUMBER && n->key.v.n == key) return &n->val;
    n = n->next;
  } while (n);
  return &vm_nilobject;
}

const qmValue* vm_table_get(qmTable* t, const qmValue* key) {
  switch (key->tt) {
    case QM_TNIL: return vm_table_get_num(t, 0.0);
    case QM_TSTRING: return vm_table_get_str(t, tsvalue(key));
    case QM_TNUMBER: return vm_table_get_num(t, key->v.n);
    default: return get_any(t, key);
  }
}

qmValue* vm_table_new_key(qmState* L, qmTable* t, const qmValue* key) {
  if (is_dummy(L, t)) {
    // no hash part of its own yet: size the table with the new key counted, then insert
    rehash(L, t, key);
    return vm_table_set(L, t, key);
  }
  qmNode* mp = mainposition(t, key);
  if (!ttisnil(&mp->val)) {
    qmNode* othern = mainposition(t, &mp->key);
    qmNode* n = t->firstfree;
    if (othern != mp) {
      // the colliding node is not in its main position: move it to the free node
      while (othern->next != mp) othern = othern->next;
      othern->next = n;
      *n = *mp;
      mp->next = nullptr;
      setnilvalue(&mp->val);
    } else {
      n->next = mp->next;
      mp->next = n;
      mp = n;
    }
  }
  mp->key = *key;
  for (;;) {
    if (ttisnil(&t->firstfree->key)) return &mp->val;
    if (t->firstfree == t->node) break;
    t->firstfree--;
  }
  // no free node left: a false value keeps the new entry counted and alive through the rehash
  setbvalue(&mp->val, 0);
  rehash(L, t, nullptr);
  qmValue* val = const_cast<qmValue*>(vm_table_get(t, key));
  setnilvalue(val);
  return val;
}

qmValue* vm_table_set(qmState* L, qmTable* t, const qmValue* key) {
  t->flags = 0;
  qmValue zero;
  if (key->tt == QM_TNIL) {
    setnvalue(&zero, 0.0);
    key = &zero;
  }
  const qmValue* p = vm_table_get(t, key);
  if (p != &vm_nilobject) return const_cast<qmValue*>(p);
  if (key->tt == QM_TNUMBER && key->v.n != key->v.n) vm_raise_error(L, qm::ERR_TABLEINDEX);
  return vm_table_new_key(L, t, key);
}

qmValue* vm_table_set_int(qmState* L, qmTable* t, int32_t key) {
  t->flags = 0;
  const qmValue* p = vm_table_get_int(t, key);
  if (p != &vm_nilobject) return const_cast<qmValue*>(p);
  qmValue k;
  setnvalue(&k, double(key));
  return vm_table_new_key(L, t, &k);
}

qmValue* vm_table_set_str(qmState* L, qmTable* t, qmTString* key) {
  t->flags = 0;
  const qmValue* p = vm_table_get_str(t, key);
  if (p != &vm_nilobject) return const_cast<qmValue*>(p);
  qmValue k;
  setsvalue(&k, key);
  return vm_table_new_key(L, t, &k);
}

int32_t vm_table_next(qmState* L, qmTable* t, qmValue* key) {
  int32_t i;  // position to continue after, counting array cells first, then nodes
  if (key->tt == QM_TNIL) {
    i = -1;
  } else {
    int32_t k = key->tt == QM_TNUMBER ? arrayindex(key->v.n) : 0;
    if (k != 0 && k <= t->sizearray) {
      i = k - 1;
    } else {
      const qmValue* v = vm_table_get(t, key);
      if (v == &vm_nilobject) vm_raise_error(L, qm::ERR_INVNEXTKEY);
      const qmNode* n = reinterpret_cast<const qmNode*>(reinterpret_cast<const char*>(v) - offsetof(qmNode, val));
      i = static_cast<int32_t>(n - t->node) + t->sizearray;
    }
  }
  for (i++; i < t->sizearray; i++) {
    if (!ttisnil(&t->array[i])) {
      setnvalue(key, double(i + 1));
      key[1] = t->array[i];
      return 1;
    }
  }
  for (i -= t->sizearray; i < node_count(t); i++) {
    if (!ttisnil(&t->node[i].val)) {
      key[0] = t->node[i].key;
      key[1] = t->node[i].val;
      return 1;
    }
  }
  return 0;
}

int32_t vm_table_key_place(qmTable* t, const qmValue* key) {
  qmValue zero;
  if (key->tt == QM_TNIL) {
    setnvalue(&zero, 0.0);
    key = &zero;
  }
  if (key->tt == QM_TNUMBER) {
    int32_t k = arrayindex(key->v.n);
    if (k != 0 && k <= t->sizearray) return ttisnil(&t->array[k - 1]) ? 0 : 1;
  }
  const qmValue* v = vm_table_get(t, key);
  return (v == &vm_nilobject || ttisnil(v)) ? 0 : 2;
}
