// Slow paths of the value operations. Tables and user data reach their metatables' events;
// numbers, strings and nil follow the engine's conversion rules.
#include "engine/value.h"

#include <cstring>

#include "engine/call.h"
#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/memory.h"
#include "engine/table.h"
#include "engine/vmstring.h"

using namespace qm;

namespace {

const char* const kEventNames[QM_NUM_EVENTS] = {
    "__index", "__newindex", "__gc",  "__mode", "__eq",  "__add", "__sub",    "__mul",
    "__div",   "__divint",   "__mod", "__lsh",  "__rsh", "__or",  "__and",    "__xor",
    "__pow",   "__unm",      "__not", "__lt",   "__le",  "__concat", "__call",
};

constexpr int32_t kMaxEventChain = 100;

qmTable* metatable_of(const qmValue* o) {
  if (ttistable(o)) return hvalue(o)->metatable;
  if (o->tt == QM_TUSERDATA) return uvalue(o)->metatable;
  return nullptr;
}

bool arith_numbers(qmState* L, double a, double b, int32_t event, double* out) {
  switch (event) {
    case QM_EV_ADD: *out = a + b; return true;
    case QM_EV_SUB: *out = a - b; return true;
    case QM_EV_MUL: *out = a * b; return true;
    case QM_EV_DIV:
      if (b == 0) vm_raise_error(L, ERR_ZERODIVISION);
      *out = a / b;
      return true;
    case QM_EV_DIVINT:
    case QM_EV_MOD: {
      int32_t ib = to_i32(b);
      if (ib == 0) vm_raise_error(L, ERR_ZERODIVISION);
      *out = event == QM_EV_DIVINT ? qmnum::divint(to_i32(a), ib) : qmnum::mod(to_i32(a), ib);
      return true;
    }
    case QM_EV_LSH: *out = qmnum::lsh(a, b); return true;
    case QM_EV_RSH: *out = qmnum::rsh(a, b); return true;
    case QM_EV_OR: *out = qmnum::bor(a, b); return true;
    case QM_EV_AND: *out = qmnum::band(a, b); return true;
    case QM_EV_XOR: *out = qmnum::bxor(a, b); return true;
    case QM_EV_POW: *out = std::pow(a, b); return true;
    default: return false;
  }
}

// Result rule of comparison events: only nil and the number 0 are false.
bool event_truth(const qmValue* v) { return !(ttisnil(v) || (ttisnumber(v) && v->v.n == 0)); }

}  // namespace

void vm_events_init(qmState* L) {
  for (int32_t i = 0; i < QM_NUM_EVENTS; i++) {
    L->g->tmname[i] = vm_new_cstring(L, kEventNames[i]);
    L->g->tmname[i]->marked |= QM_GC_FIXED;
  }
}

const qmValue* vm_event_of_value(qmState* L, const qmValue* o, int32_t event) {
  qmTable* mt = metatable_of(o);
  if (mt == nullptr) return &vm_nilobject;
  return vm_table_get_str(mt, L->g->tmname[event]);
}

void vm_call_event_result(qmState* L, qmValue* res, const qmValue* f, const qmValue* p1, const qmValue* p2) {
  bool in_stack = res >= L->stack && res < L->stack + L->stacksize;
  ptrdiff_t result = in_stack ? savestack(L, res) : 0;
  qmValue fv = *f, a = *p1, b = *p2;
  vm_check_stack_space(L, 3);
  L->top[0] = fv;
  L->top[1] = a;
  L->top[2] = b;
  L->top += 3;
  vm_call_raw(L, L->top - 3, 1);
  L->top--;
  if (in_stack) res = restorestack(L, result);
  *res = *L->top;
}

const qmValue* vm_tonumber(const qmValue* obj, qmValue* tmp) {
  switch (obj->tt) {
    case QM_TNUMBER: return obj;
    case QM_TNIL: setnvalue(tmp, 0.0); return tmp;
    case QM_TSTRING: {
      double n;
      if (!vm_str_to_number(tsvalue(obj)->data(), &n)) return nullptr;
      setnvalue(tmp, n);
      return tmp;
    }
    default: return nullptr;
  }
}

bool vm_tostring(qmState* L, qmValue* obj) {
  if (ttisstring(obj)) return true;
  if (ttisnil(obj)) {
    setsvalue(obj, vm_new_string(L, "", 0));
    return true;
  }
  if (!ttisnumber(obj)) return false;
  char buf[32];
  int len = vm_number_to_text(obj->v.n, buf);
  setsvalue(obj, vm_new_string(L, buf, static_cast<size_t>(len)));
  return true;
}

void vm_arith(qmState* L, qmValue* ra, const qmValue* rb, const qmValue* rc, int32_t event) {
  qmValue tb, tc;
  const qmValue* b = vm_tonumber(rb, &tb);
  const qmValue* c = vm_tonumber(rc, &tc);
  if (b && c) {
    double r = 0;
    arith_numbers(L, b->v.n, c->v.n, event, &r);
    setnvalue(ra, r);
    return;
  }
  const qmValue* tm = vm_event_of_value(L, rb, event);
  if (ttisnil(tm)) tm = vm_event_of_value(L, rc, event);
  if (!ttisfunction(tm)) vm_raise_error(L, ERR_WRONGOP);
  vm_call_event_result(L, ra, tm, rb, rc);
}

void vm_arith_unary(qmState* L, qmValue* ra, const qmValue* rb, int32_t event) {
  qmValue tmp;
  if (const qmValue* n = vm_tonumber(rb, &tmp)) {
    setnvalue(ra, event == QM_EV_UNM ? -n->v.n : qmnum::bnot(n->v.n));
    return;
  }
  const qmValue* tm = vm_event_of_value(L, rb, event);
  if (!ttisfunction(tm)) vm_raise_error(L, ERR_WRONGOP);
  vm_call_event_result(L, ra, tm, rb, &vm_nilobject);
}

int32_t vm_str_compare(const qmTString* ls, const qmTString* rs, int32_t mode) {
  const char* l = ls->data();
  size_t ll = ls->len;
  const char* r = rs->data();
  size_t lr = rs->len;
  for (;;) {
    int temp = mode ? std::strcmp(l, r) : str_case_cmp(l, r);
    if (temp != 0) return temp;
    size_t len = std::strlen(l);  // both pieces are equal up to their NUL
    if (len == lr) return len == ll ? 0 : 1;
    if (len == ll) return -1;
    len++;
    l += len;
    ll -= len;
    r += len;
    lr -= len;
  }
}

int32_t vm_value_less(qmState* L, const qmValue* l, const qmValue* r, int32_t mode) {
  if (ttisnil(l)) {
    if (ttisnumber(r)) return r->v.n > 0;
    if (ttisnil(r) || ttisstring(r)) return 0;
    vm_raise_error(L, ERR_WRONGOP);
  }
  if (ttisnil(r)) {
    if (ttisnumber(l)) return l->v.n < 0;
    if (ttisstring(l)) return 0;
    vm_raise_error(L, ERR_WRONGOP);
  }
  if (l->tt != r->tt) {
    if ((ttisnumber(l) && ttisstring(r)) || (ttisstring(l) && ttisnumber(r)))
      vm_raise_error(L, ERR_NUMSTRCMP);
    vm_raise_error(L, ERR_WRONGOP);
  }
  if (ttisnumber(l)) return l->v.n < r->v.n;
  if (ttisstring(l)) return vm_str_compare(tsvalue(l), tsvalue(r), mode) < 0;
  const qmValue* tm1 = vm_event_of_value(L, l, QM_EV_LT);
  const qmValue* tm2 = vm_event_of_value(L, r, QM_EV_LT);
  if (ttisnil(tm1) || !vm_raw_equal_obj(tm1, tm2)) vm_raise_error(L, ERR_WRONGOP);
  qmValue res;
  vm_call_event_result(L, &res, tm1, l, r);
  return event_truth(&res);
}

int32_t vm_value_less_equal(qmState* L, const qmValue* l, const qmValue* r) {
  if (ttisnil(l)) {
    if (ttisnil(r)) return 1;
    if (ttisnumber(r)) return r->v.n >= 0;
    if (ttisstring(r)) return 0;
    vm_raise_error(L, ERR_WRONGOP);
  }
  if (ttisnil(r)) {
    if (ttisnumber(l)) return l->v.n <= 0;
    if (ttisstring(l)) return 0;
    vm_raise_error(L, ERR_WRONGOP);
  }
  if (l->tt != r->tt) {
    if ((ttisnumber(l) && ttisstring(r)) || (ttisstring(l) && ttisnumber(r)))
      vm_raise_error(L, ERR_NUMSTRCMP);
    vm_raise_error(L, ERR_WRONGOP);
  }
  if (ttisnumber(l)) return l->v.n <= r->v.n;
  if (ttisstring(l)) return vm_str_compare(tsvalue(l), tsvalue(r), 1) <= 0;
  const qmValue* le1 = vm_event_of_value(L, l, QM_EV_LE);
  const qmValue* le2 = vm_event_of_value(L, r, QM_EV_LE);
  qmValue res;
  if (!ttisnil(le1) && vm_raw_equal_obj(le1, le2)) {
    vm_call_event_result(L, &res, le1, l, r);
    return event_truth(&res);
  }
  const qmValue* lt1 = vm_event_of_value(L, r, QM_EV_LT);
  const qmValue* lt2 = vm_event_of_value(L, l, QM_EV_LT);
  if (ttisnil(lt1) || !vm_raw_equal_obj(lt1, lt2)) vm_raise_error(L, ERR_WRONGOP);
  vm_call_event_result(L, &res, lt1, r, l);
  return !event_truth(&res);
}

int32_t vm_values_equal(qmState* L, const qmValue* a, const qmValue* b) {
  if (ttisnil(a)) {
    return ttisnil(b) || (ttisnumber(b) && b->v.n == 0) || (ttisstring(b) && tsvalue(b)->len == 0);
  }
  if (ttisnil(b)) return (ttisnumber(a) && a->v.n == 0) || (ttisstring(a) && tsvalue(a)->len == 0);
  if (a->tt != b->tt) {
    if ((ttisnumber(a) && ttisstring(b)) || (ttisstring(a) && ttisnumber(b)))
      vm_raise_error(L, ERR_NUMSTRCMP);
    vm_raise_error(L, ERR_WRONGOP);
  }
  switch (a->tt) {
    case QM_TNUMBER: return a->v.n == b->v.n;
    case QM_TBOOLEAN: return a->v.b == b->v.b;
    case QM_TLIGHTUSERDATA: return a->v.p == b->v.p;
    case QM_TTABLE:
    case QM_TUSERDATA: {
      if (a->v.gc == b->v.gc) return 1;
      qmTable* ma = metatable_of(a);
      qmTable* mb = metatable_of(b);
      const qmValue* tm = vm_fast_event(L, ma, QM_EV_EQ);
      if (tm == nullptr) return 0;
      if (mb != ma) {
        const qmValue* tm2 = vm_fast_event(L, mb, QM_EV_EQ);
        if (tm2 == nullptr || !vm_raw_equal_obj(tm, tm2)) return 0;
      }
      qmValue res;
      vm_call_event_result(L, &res, tm, a, b);
      return event_truth(&res);
    }
    default: return a->v.gc == b->v.gc;
  }
}

bool vm_gettable(qmState* L, const qmValue* t, const qmValue* key, qmValue* result, int32_t count) {
  qmValue cur = *t;
  qmValue k = *key;
  bool in_stack = result >= L->stack && result < L->stack + L->stacksize;
  ptrdiff_t res = in_stack ? savestack(L, result) : 0;
  for (;;) {
    if (count >= kMaxEventChain + 1) {
      vm_set_error_text(L, "#1");
      vm_raise_error(L, ERR_INTERNAL1);
    }
    const qmValue* tm;
    if (ttistable(&cur)) {
      const qmValue* v = vm_table_get(hvalue(&cur), &k);
      if (!ttisnil(v)) {
        *result = *v;
        return true;
      }
      count++;
      tm = vm_fast_event(L, hvalue(&cur)->metatable, QM_EV_INDEX);
      if (tm == nullptr) {
        setnilvalue(result);
        return false;
      }
    } else {
      count++;
      tm = vm_event_of_value(L, &cur, QM_EV_INDEX);
      if (ttisnil(tm)) vm_raise_value_error(L, t, ERR_TABLEDECLA, "{}");
    }
    if (ttisfunction(tm)) {
      vm_call_event_result(L, result, tm, &cur, &k);
      if (in_stack) result = restorestack(L, res);
      return true;
    }
    cur = *tm;
  }
}

void vm_settable(qmState* L, const qmValue* t, const qmValue* key, const qmValue* val) {
  qmValue cur = *t;
  int32_t count = 0;
  for (;;) {
    const qmValue* tm;
    if (ttistable(&cur)) {
      qmTable* h = hvalue(&cur);
      qmValue* slot = vm_table_set(L, h, key);
      if (!ttisnil(slot) || (tm = vm_fast_event(L, h->metatable, QM_EV_NEWINDEX)) == nullptr) {
        *slot = *val;
        return;
      }
    } else {
      tm = vm_event_of_value(L, &cur, QM_EV_NEWINDEX);
      if (ttisnil(tm)) vm_raise_value_error(L, t, ERR_TABLEDECLA, "{}");
    }
    if (ttisfunction(tm)) {
      qmValue f = *tm, k = *key, v = *val;
      vm_check_stack_space(L, 4);
      L->top[0] = f;
      L->top[1] = cur;
      L->top[2] = k;
      L->top[3] = v;
      L->top += 4;
      vm_call_raw(L, L->top - 4, 0);
      return;
    }
    cur = *tm;
    if (++count >= kMaxEventChain + 1) {
      vm_set_error_text(L, "#2");
      vm_raise_error(L, ERR_INTERNAL1);
    }
  }
}

namespace {

// nil and numbers become strings in their register; false for other types.
bool to_piece(qmState* L, qmValue* o) {
  return ttisstring(o) || ((ttisnil(o) || ttisnumber(o)) && vm_tostring(L, o));
}

}  // namespace

void vm_concat_values(qmState* L, int32_t total, int32_t last) {
  do {
    qmValue* top = L->base + last + 1;
    int32_t n = 2;
    if (!to_piece(L, top - 2) || !to_piece(L, top - 1)) {
      const qmValue* tm = vm_event_of_value(L, top - 2, QM_EV_CONCAT);
      if (ttisnil(tm)) tm = vm_event_of_value(L, top - 1, QM_EV_CONCAT);
      if (!ttisfunction(tm)) vm_raise_error(L, ERR_CONCAT);
      vm_call_event_result(L, top - 2, tm, top - 2, top - 1);
    } else if (tsvalue(top - 1)->len == 0) {
      // below is already a string: it is the result of the pair
    } else {
      uint64_t tl = tsvalue(top - 1)->len;
      for (n = 1; n < total && to_piece(L, top - n - 1); n++) tl += tsvalue(top - n - 1)->len;
      if (tl > 4294967293u) vm_raise_error(L, ERR_INTERNAL);
      qmGlobalState* g = L->g;
      if (tl > g->buffsize) {
        size_t newsize = static_cast<size_t>(tl);
        g->buff = static_cast<char*>(vm_realloc(L, g->buff, g->buffsize, newsize));
        g->buffsize = newsize;
      }
      size_t pos = 0;
      for (int32_t i = n; i > 0; i--) {
        qmTString* s = tsvalue(top - i);
        std::memcpy(g->buff + pos, s->data(), s->len);
        pos += s->len;
      }
      setsvalue(top - n, vm_new_string(L, g->buff, pos));
    }
    total -= n - 1;
    last -= n - 1;
  } while (total > 1);
}
