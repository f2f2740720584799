// The debug interface: installing the hook, finding call levels and describing them (source,
// current line, upvalues, the name the caller used for the function). The hook itself is called
// from the call core and the executor (vm_call_hook).
#include <cstdio>
#include <cstring>

#include "engine/call.h"
#include "engine/errcodes.h"
#include "engine/func.h"
#include "engine/opcodes.h"
#include "engine/vm.h"

using namespace qm;

void vm_store_hook_mask(qmState* L, uint8_t mask) {
  constexpr uint8_t kStep = QM_MASK_LINE | QM_MASK_COUNT;
  // The exchange sees every change of a state's mask exactly once, whichever thread makes it.
  uint8_t old = L->hookmask.exchange(mask, std::memory_order_relaxed);
  bool was = (old & kStep) != 0, now = (mask & kStep) != 0;
  if (was && !now) vm_attention.fetch_sub(VM_ATTENTION_HOOK, std::memory_order_relaxed);
  if (!was && now) vm_attention.fetch_add(VM_ATTENTION_HOOK, std::memory_order_relaxed);
}

int32_t vm_set_hook(qmState* L, qmHook func, int32_t mask, int32_t count) {
  if (func == nullptr || mask == 0) {
    func = nullptr;
    mask = 0;
  }
  L->hook = func;
  vm_store_hook_mask(L, static_cast<uint8_t>(mask));
  L->basehookcount = count;
  L->hookcount = count;
  L->hookinit = 0;
  return 1;
}

int32_t vm_get_stack(qmState* L, int32_t level, qmDebug* ar) {
  qmCallInfo* ci = L->ci;
  // a script frame that ended in tail calls stands for itself and the frames it replaced
  for (; level > 0 && ci > L->base_ci; ci--) {
    level--;
    if (!(ci->state & QM_CI_C)) level -= ci->tailcalls;
  }
  // A negative remainder lies inside the tail calls of the last frame visited: such a level
  // exists even when that frame was the outermost one.
  if (level < 0) {
    ar->i_ci = 0;
    return 1;
  }
  if (level > 0 || ci == L->base_ci) return 0;
  ar->i_ci = static_cast<int32_t>(ci - L->base_ci);
  return 1;
}

void vm_short_source(char (&out)[VM_SHORT_SOURCE], const char* source) {
  constexpr size_t size = VM_SHORT_SOURCE;
  if (*source == '=') {
    std::strncpy(out, source + 1, size - 1);
    out[size - 1] = '\0';
    return;
  }
  if (*source == '@') {
    // a file name: keep its end, which tells files apart better than its start
    constexpr size_t keep = size - 8;
    const char* name = source + 1;
    size_t len = std::strlen(name);
    if (len > keep) {
      std::snprintf(out, size, "...%s", name + (len - keep));
    } else {
      std::snprintf(out, size, "%s", name);
    }
    return;
  }
  // source text: its first line, cut to fit "[string \"...\"]"
  constexpr size_t keep = size - 17;
  size_t len = std::strcspn(source, "\n");
  if (len > keep) len = keep;
  const char* more = source[len] != '\0' ? "..." : "";
  std::snprintf(out, size, "[string \"%.*s%s\"]", static_cast<int>(len), source, more);
}

namespace {

int32_t current_pc(const qmCallInfo* ci) {
  if (!vm_is_script_frame(ci)) return -1;
  return static_cast<int32_t>(ci->savedpc - clvalue(ci->base - 1)->p->code) - 1;
}

int32_t current_line(const qmCallInfo* ci) {
  int32_t pc = current_pc(ci);
  return pc < 0 ? -1 : vm_proto_line(clvalue(ci->base - 1)->p, pc);
}

void function_info(qmDebug* ar, const qmClosure* cl) {
  if (cl->is_c) {
    ar->source = "=[C]";
    ar->linedefined = -1;
    ar->what = "C";
  } else {
    const qmProto* p = cl->p;
    ar->source = p->source ? p->source->data() : "=?";
    ar->linedefined = p->linedefined;
    ar->what = p->linedefined == 0 ? "main" : "Quillmere";
  }
  vm_short_source(ar->short_src, ar->source);
}

// The name under which the caller of ci fetched the function, from the caller's call
// instruction; nullptr when the caller is not script code or the code does not show it.
const char* called_name(const qmState* L, const qmCallInfo* ci, const char** kind) {
  if (ci == L->base_ci) return nullptr;
  if (vm_is_script_frame(ci) && ci->tailcalls > 0) return nullptr;  // the real caller is gone
  const qmCallInfo* caller = ci - 1;
  int32_t pc = current_pc(caller);
  if (pc < 0) return nullptr;
  Instruction i = clvalue(caller->base - 1)->p->code[pc];
  if (inst_op(i) != OP_CALL && inst_op(i) != OP_TAILCALL) return nullptr;
  return vm_frame_var_name(caller, inst_a(i), kind);
}

void tail_call_info(qmDebug* ar) {
  ar->name = "";
  ar->namewhat = "";
  ar->what = "tail";
  ar->source = "=(tail call)";
  ar->currentline = -1;
  ar->linedefined = -1;
  ar->nups = 0;
  vm_short_source(ar->short_src, "=(tail call)");
}

}  // namespace

int32_t vm_get_info(qmState* L, const char* what, qmDebug* ar) {
  qmValue func;
  const qmCallInfo* ci = nullptr;
  if (*what == '>') {
    if (!ttisfunction(L->top - 1)) vm_raise_error(L, ERR_FUNCEXPECTED);
    func = *--L->top;
    what++;
  } else if (ar->i_ci != 0) {
    ci = L->base_ci + ar->i_ci;
    func = *(ci->base - 1);
  } else {
    setnilvalue(&func);
    tail_call_info(ar);
  }

  int32_t status = 1;
  bool tail = ttisnil(&func);
  for (; *what; what++) {
    switch (*what) {
      case 'S':
        if (!tail) function_info(ar, clvalue(&func));
        break;
      case 'l':
        if (!tail) ar->currentline = ci ? current_line(ci) : -1;
        break;
      case 'u':
        if (!tail) ar->nups = clvalue(&func)->nupvalues;
        break;
      case 'n': {
        if (tail) break;
        const char* kind = "";
        const char* name = ci ? called_name(L, ci, &kind) : nullptr;
        if (!name) {
          name = vm_global_name_of(L, &func);
          kind = name ? "global" : "";
        }
        ar->name = name;
        ar->namewhat = kind;
        break;
      }
      case 'f':
        vm_check_stack_space(L, 1);
        *L->top++ = func;
        break;
      default:
        status = 0;
    }
  }
  return status;
}

const char* vm_get_local(qmState* L, const qmDebug* ar, int32_t n) {
  const qmCallInfo* ci = L->base_ci + ar->i_ci;
  int32_t pc = current_pc(ci);
  if (pc < 0 || n < 1) return nullptr;
  const char* name = vm_local_var_name(clvalue(ci->base - 1)->p, n - 1, pc);
  if (name) {
    vm_check_stack_space(L, 1);
    *L->top++ = ci->base[n - 1];
  }
  return name;
}
