#include "runtime/registry.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/strutil.h"
#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/vfile.h"

namespace qm {
namespace {

RuntimeFlags g_flags;
std::vector<AttrHook> g_set_hooks;  // asked in registration order
std::vector<AttrHook> g_get_hooks;
std::vector<ObjectHeader**> g_object_lists;

struct Library {
  const qmCommand* commands;
  char name[64];
};
std::vector<Library> g_libraries;  // in registration order

template <typename T>
int32_t append(std::vector<T>& list, T item) {
  try {
    list.push_back(item);
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  return 0;
}

bool offer(const std::vector<AttrHook>& hooks, qmState* state, int32_t tag, intptr_t data) {
  for (AttrHook hook : hooks) {
    if (hook(state, tag, data) != 0) return true;
  }
  return false;
}

}  // namespace

RuntimeFlags& runtime_flags() { return g_flags; }

int32_t runtime_add_set_hook(AttrHook hook) { return append(g_set_hooks, hook); }
int32_t runtime_add_get_hook(AttrHook hook) { return append(g_get_hooks, hook); }

int32_t runtime_set_attrs(qmState* state, const TagItem* tags) {
  int32_t taken = 0;
  for (; tags != nullptr && tags->tag != 0; ++tags) {
    switch (tags->tag) {
      case ATTR_QUIET: g_flags.quiet = tags->data != 0; break;
      case ATTR_SCRIPT_RUNNING: g_flags.script_running = tags->data != 0; break;
      case ATTR_PROTECTED_CALLS: g_flags.protected_calls += tags->data != 0 ? 1 : -1; break;
      case ATTR_WORD1: g_flags.word1 = tags->data; break;
      case ATTR_WORD6: g_flags.word6 = tags->data; break;
      case ATTR_WORD12: g_flags.word12 = tags->data; break;
      default:
        if (!offer(g_set_hooks, state, tags->tag, tags->data)) continue;
    }
    ++taken;
  }
  return taken;
}

int32_t runtime_get_attrs(qmState* state, const TagItem* tags) {
  int32_t taken = 0;
  for (; tags != nullptr && tags->tag != 0; ++tags) {
    auto* out = reinterpret_cast<intptr_t*>(tags->data);
    switch (tags->tag) {
      case ATTR_QUIET: *out = g_flags.quiet ? 1 : 0; break;
      case ATTR_PROTECTED_CALLS: *out = g_flags.protected_calls; break;
      case ATTR_WORD1: *out = g_flags.word1; break;
      case ATTR_WORD6: *out = g_flags.word6; break;
      default:
        if (!offer(g_get_hooks, state, tags->tag, tags->data)) continue;
    }
    ++taken;
  }
  return taken;
}

int32_t objlist_register(ObjectHeader** head) { return append(g_object_lists, head); }

int32_t objlist_count_type(int32_t type) {
  int32_t n = 0;
  for (ObjectHeader** head : g_object_lists) {
    for (ObjectHeader* o = *head; o != nullptr; o = o->next) n += o->type == type ? 1 : 0;
  }
  return n;
}

int32_t objlist_type_of_handle(const void* handle) {
  if (handle == nullptr) return -1;
  for (ObjectHeader** head : g_object_lists) {
    for (ObjectHeader* o = *head; o != nullptr; o = o->next) {
      if (o->id.handle == handle) return o->type;
    }
  }
  return -1;
}

ObjectHeader* objlist_find(int32_t type, const ObjectId& id) {
  for (ObjectHeader** head : g_object_lists) {
    for (ObjectHeader* o = *head; o != nullptr; o = o->next) {
      if (o->type != type) continue;
      if (id.handle != nullptr ? o->id.handle == id.handle : (o->id.handle == nullptr && o->id.number == id.number))
        return o;
    }
  }
  return nullptr;
}

int32_t script_call_command(qmState* L, const char* name, int32_t results, std::initializer_list<CallArg> args) {
  if (L == nullptr) return 0;
  char lower[256];
  copy_bounded(lower, sizeof lower, name);
  str_to_lower(lower);
  vm_push_string(L, lower);
  vm_get_table(L, QM_GLOBALSINDEX);
  int32_t count = 0;
  for (const CallArg& a : args) {
    switch (a.type) {
      case CALLARG_INT:
      case CALLARG_UINT: vm_push_number(L, static_cast<double>(a.number)); break;
      case CALLARG_STRING: vm_push_cstring(L, a.text); break;
      case CALLARG_NIL: vm_push_nil(L); break;
      case CALLARG_LIGHTUSERDATA: vm_push_lightuserdata(L, a.pointer); break;
      case CALLARG_ID:
        if (a.id.handle != nullptr) {
          vm_push_lightuserdata(L, a.id.handle);
        } else {
          vm_push_number(L, a.id.number);
        }
        break;
      default: continue;
    }
    ++count;
  }
  return vm_call(L, count, results);
}

int32_t library_register_name(const qmCommand* commands, const char* name) {
  Library lib{commands, {}};
  copy_bounded(lib.name, sizeof lib.name, name);
  return append(g_libraries, lib);
}

const char* library_command_name(const char* name) {
  for (const Library& lib : g_libraries) {
    for (const qmCommand* c = lib.commands; c != nullptr && c->name != nullptr; ++c) {
      if (str_case_cmp(c->name, name) == 0) return c->name;
    }
  }
  return nullptr;
}

int32_t file_write_string(qmFileHandle* handle, const char* text) {
  int64_t n = static_cast<int64_t>(std::strlen(text));
  return qmos_write(handle, text, n) == n ? 1 : 0;
}

int32_t export_command_list(const char* file_name) {
  qmFileHandle* f = qmos_open(file_name, QMOS_MODE_WRITE);
  if (f == nullptr) return 0;
  bool ok = true;
  for (const Library& lib : g_libraries) {
    size_t count = 0;
    while (lib.commands != nullptr && lib.commands[count].name != nullptr) ++count;
    ok &= file_write_string(f, (std::string("::") + lib.name + "\n").c_str()) != 0;
    ok &= file_write_string(f, (std::to_string(count) + "\n").c_str()) != 0;
    for (size_t i = 0; i < count; ++i) ok &= file_write_string(f, (std::string(lib.commands[i].name) + "\n").c_str()) != 0;
  }
  ok &= file_write_string(f, "::end\n") != 0;
  return (qmos_close(f) == 1 && ok) ? 1 : 0;
}

int32_t export_constant_list(qmState* L, const char* file_name) {
  qmFileHandle* f = qmos_open(file_name, QMOS_MODE_WRITE);
  if (f == nullptr) return 0;
  bool ok = true;
  vm_reg_push(L, "constants");
  if (vm_type(L, -1) == QM_TTABLE) {
    vm_push_nil(L);
    while (vm_next(L, -2) != 0) {
      vm_pop(L, 1);  // the value; the key stays for the next step
      if (vm_type(L, -1) == QM_TSTRING) ok &= file_write_string(f, (std::string(vm_to_string(L, -1)) + "\n").c_str()) != 0;
    }
  }
  vm_pop(L, 1);
  return (qmos_close(f) == 1 && ok) ? 1 : 0;
}

void console_print_file(const char* format, const char* file_name, bool dots) {
  if (g_flags.quiet) return;
  char line[ERR_TEXT_SIZE];
  err_fill_placeholder(line, sizeof line, format, vfile_basename(file_name).c_str(), 0);
  std::fputs(line, stdout);
  if (dots) std::fputs("...", stdout);
  std::fflush(stdout);
}

namespace {

std::recursive_mutex g_runtime_lock;

RefNode* new_ref_node(const char* name) {
  auto* node = new (std::nothrow) RefNode{nullptr, nullptr, -1};
  if (node == nullptr) return nullptr;
  size_t n = name ? std::strlen(name) : 0;
  node->name = new (std::nothrow) char[n + 1];
  if (node->name == nullptr) {
    delete node;
    return nullptr;
  }
  if (n != 0) std::memcpy(node->name, name, n);
  node->name[n] = '\0';
  return node;
}

}  // namespace

RefNode* reflist_copy(qmState* L, const RefNode* list) {
  RefNode* head = nullptr;
  RefNode** tail = &head;
  for (const RefNode* n = list; n != nullptr; n = n->next) {
    RefNode* copy = new_ref_node(n->name);
    if (copy == nullptr) {
      reflist_free(L, head);
      return nullptr;
    }
    vm_raw_geti(L, QM_REGISTRYINDEX, n->ref);
    copy->ref = vm_ref_new(L, QM_REGISTRYINDEX);
    *tail = copy;
    tail = &copy->next;
  }
  return head;
}

void reflist_free(qmState* L, RefNode* list) {
  while (list != nullptr) {
    RefNode* next = list->next;
    vm_ref_free(L, QM_REGISTRYINDEX, list->ref);
    delete[] list->name;
    delete list;
    list = next;
  }
}

void runtime_lock() { g_runtime_lock.lock(); }
void runtime_unlock() { g_runtime_lock.unlock(); }

ObjectHeader* ObjectList::find(const ObjectId& id) const {
  auto it = index_.find(id);
  return it == index_.end() ? nullptr : it->second;
}

bool ObjectList::append(ObjectHeader* h) {
  try {
    index_.emplace(h->id, h);
  } catch (const std::bad_alloc&) {
    return false;
  }
  h->next = nullptr;
  h->prev = tail_;
  (tail_ ? tail_->next : head) = h;
  tail_ = h;
  return true;
}

void ObjectList::remove(ObjectHeader* h) {
  auto it = index_.find(h->id);
  if (it == index_.end() || it->second != h) return;
  index_.erase(it);
  (h->prev ? h->prev->next : head) = h->next;
  (h->next ? h->next->prev : tail_) = h->prev;
  h->next = h->prev = nullptr;
}

bool ObjectList::rekey(ObjectHeader* h, const ObjectId& id) {
  if (h->id == id) return true;
  try {
    if (!index_.emplace(id, h).second) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  auto it = index_.find(h->id);
  if (it != index_.end() && it->second == h) index_.erase(it);
  h->id = id;
  return true;
}

ObjectHeader* ObjectList::take_all() {
  ObjectHeader* first = head;
  head = tail_ = nullptr;
  index_.clear();
  return first;
}

void* applet_get_record(qmState* L) { return vm_reg_get_userdata(L, "applet"); }

void registry_free_all() {
  std::vector<AttrHook>().swap(g_set_hooks);
  std::vector<AttrHook>().swap(g_get_hooks);
  std::vector<ObjectHeader**>().swap(g_object_lists);
  std::vector<Library>().swap(g_libraries);
  err_free_user();
  g_flags = RuntimeFlags{};
}

}  // namespace qm
