#include "engine/func.h"

#include "engine/gc.h"
#include "engine/memory.h"

qmProto* vm_proto_new(qmState* L) {
  qmProto* p = static_cast<qmProto*>(vm_malloc(L, sizeof(qmProto)));
  p->k = nullptr;
  p->code = nullptr;
  p->p = nullptr;
  p->lineinfo = nullptr;
  p->locvars = nullptr;
  p->upvalues = nullptr;
  p->source = nullptr;
  p->sizek = p->sizecode = p->sizep = p->sizelineinfo = p->sizelocvars = p->sizeupvalues = 0;
  p->linedefined = 0;
  p->nups = p->numparams = p->is_vararg = 0;
  p->maxstacksize = 0;
  p->gclist = nullptr;
  vm_gc_link(L, p, QM_TPROTO);
  return p;
}

void vm_proto_free(qmState* L, qmProto* p) {
  vm_free_array(L, p->k, static_cast<size_t>(p->sizek));
  vm_free_array(L, p->code, static_cast<size_t>(p->sizecode));
  vm_free_array(L, p->p, static_cast<size_t>(p->sizep));
  vm_free_array(L, p->lineinfo, static_cast<size_t>(p->sizelineinfo));
  vm_free_array(L, p->locvars, static_cast<size_t>(p->sizelocvars));
  vm_free_array(L, p->upvalues, static_cast<size_t>(p->sizeupvalues));
  vm_free(L, p, sizeof(qmProto));
}

size_t vm_closure_size(const qmClosure* c) {
  return sizeof(qmClosure) + c->nupvalues * (c->is_c ? sizeof(qmValue) : sizeof(qmUpVal*));
}

qmClosure* vm_closure_new_c(qmState* L, qmCFunction f, int32_t nupvalues, const qmValue* env) {
  size_t size = sizeof(qmClosure) + static_cast<size_t>(nupvalues) * sizeof(qmValue);
  qmClosure* c = static_cast<qmClosure*>(vm_malloc(L, size));
  c->is_c = 1;
  c->nupvalues = static_cast<uint8_t>(nupvalues);
  c->gclist = nullptr;
  c->env = *env;
  c->f = f;
  c->p = nullptr;
  for (int32_t i = 0; i < nupvalues; i++) setnilvalue(&c->c_upvalues()[i]);
  vm_gc_link(L, c, QM_TFUNCTION);
  return c;
}

qmClosure* vm_closure_new_script(qmState* L, qmProto* p, const qmValue* env) {
  size_t size = sizeof(qmClosure) + p->nups * sizeof(qmUpVal*);
  qmClosure* c = static_cast<qmClosure*>(vm_malloc(L, size));
  c->is_c = 0;
  c->nupvalues = p->nups;
  c->gclist = nullptr;
  c->env = *env;
  c->f = nullptr;
  c->p = p;
  for (int32_t i = 0; i < p->nups; i++) c->upvals()[i] = nullptr;
  vm_gc_link(L, c, QM_TFUNCTION);
  return c;
}

void vm_closure_free(qmState* L, qmClosure* c) { vm_free(L, c, vm_closure_size(c)); }

qmUpVal* vm_find_upval(qmState* L, qmValue* level) {
  qmGCObject** pp = &L->openupval;
  qmUpVal* p;
  while ((p = static_cast<qmUpVal*>(*pp)) != nullptr && p->v >= level) {
    if (p->v == level) return p;
    pp = &p->next;
  }
  qmUpVal* v = static_cast<qmUpVal*>(vm_malloc(L, sizeof(qmUpVal)));
  v->tt = QM_TUPVAL;
  v->marked = 0;
  v->v = level;
  setnilvalue(&v->value);
  v->next = *pp;
  *pp = v;
  return v;
}

void vm_close_upvalues(qmState* L, qmValue* level) {
  qmUpVal* p;
  while ((p = static_cast<qmUpVal*>(L->openupval)) != nullptr && p->v >= level) {
    p->value = *p->v;
    p->v = &p->value;
    L->openupval = p->next;
    vm_gc_link(L, p, QM_TUPVAL);
  }
}

qmUserdata* vm_userdata_new(qmState* L, size_t size) {
  if (size > 4294967292u - sizeof(qmUserdata)) vm_realloc(L, nullptr, 0, 4294967293u);  // raises 1000
  qmUserdata* u = static_cast<qmUserdata*>(vm_malloc(L, sizeof(qmUserdata) + size));
  u->tt = QM_TUSERDATA;
  u->marked = QM_GC_UNFINALIZED;
  u->metatable = hvalue(&L->g->default_meta);
  u->len = size;
  u->next = L->g->rootudata;
  L->g->rootudata = u;
  return u;
}

void vm_userdata_free(qmState* L, qmUserdata* u) { vm_free(L, u, sizeof(qmUserdata) + u->len); }

int32_t vm_proto_line(const qmProto* p, int32_t pc) {
  if (pc < 0 || pc >= p->sizelineinfo) return 0;
  return p->lineinfo[pc];
}
