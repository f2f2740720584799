#include "tools/qmrun/testlib.h"

#include <cstdio>
#include <cstring>

#include "engine/bytecode.h"
#include "engine/call.h"
#include "engine/gc.h"
#include "engine/func.h"
#include "engine/memory.h"
#include "engine/vm.h"
#include "engine/vmstring.h"
#include "runtime/errors.h"

namespace qm::testlib {

namespace {

std::string* g_out = nullptr;

void append_text(qmState* L, int32_t idx, std::string& line) {
  switch (vm_type(L, idx)) {
    case QM_TNIL: line += "nil"; break;
    case QM_TBOOLEAN: line += vm_to_boolean(L, idx) ? "true" : "false"; break;
    case QM_TNUMBER:
    case QM_TSTRING: {
      vm_push_value(L, idx);  // converting a copy keeps the argument a number
      line.append(vm_to_string(L, -1), vm_string_length(L, -1));
      vm_set_top(L, -2);
      break;
    }
    case QM_TTABLE: line += "table"; break;
    case QM_TFUNCTION: line += "function"; break;
    default: line += "userdata"; break;
  }
}

int32_t cmd_print(qmState* L) {
  std::string line;
  for (int32_t i = 1; i <= vm_get_top(L); i++) {
    if (i > 1) line += ' ';
    append_text(L, i, line);
  }
  line += '\n';
  if (g_out) {
    *g_out += line;
  } else {
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return 0;
}

// fail(code): returns the code as the command's result (an error code, or -1/-2).
int32_t cmd_fail(qmState* L) { return static_cast<int32_t>(static_cast<int64_t>(vm_to_number(L, 1))); }

// raise(code): raises the code at once, whatever exit-on-error says.
int32_t cmd_raise(qmState* L) { vm_raise_error(L, static_cast<int32_t>(vm_to_number(L, 1))); }

// gosub(distance [, again]): a Gosub request over `distance` instructions from the instruction
// after the call; with `again` the Return resumes two instructions before that point.
int32_t cmd_gosub(qmState* L) {
  vm_set_jump_distance(L, static_cast<int32_t>(vm_to_number(L, 1)));
  return vm_type(L, 2) > QM_TNIL ? -2 : -1;
}

int32_t cmd_endrequest(qmState*) {
  vm_request_end();
  return 0;
}

int32_t cmd_exitonerror(qmState* L) {
  vm_set_exit_on_error(L, vm_to_boolean(L, 1) && vm_to_number(L, 1) != 0);
  return 0;
}

int32_t cmd_getlasterror(qmState* L) {
  vm_push_number(L, vm_get_last_error(L));
  return 1;
}

int32_t cmd_collect(qmState* L) {
  vm_collect(L);
  vm_push_number(L, static_cast<double>(vm_bytes_in_use(L)));
  return 1;
}

// pcall(f, ...): the error code (0 on success) followed by f's results.
int32_t cmd_pcall(qmState* L) {
  int32_t nargs = vm_get_top(L) - 1;
  int32_t status = vm_pcall(L, nargs, QM_MULTRET, 0);
  vm_push_number(L, status);
  vm_insert(L, 1);
  return vm_get_top(L);
}

// call(f, ...): calls f through the host (one more host-call level) and returns its results.
int32_t cmd_call(qmState* L) {
  vm_call(L, vm_get_top(L) - 1, QM_MULTRET);
  return vm_get_top(L);
}

// strlen(s) and setmetatable(t, mt): the two player commands the benchmark programs use, so that
// the same chunk runs in the player and here.
int32_t cmd_strlen(qmState* L) {
  vm_push_number(L, double(vm_string_length(L, 1)));
  return 1;
}

int32_t cmd_setmetatable(qmState* L) {
  vm_set_top(L, 2);
  vm_set_metatable(L, 1);
  return 1;
}

struct Command {
  const char* name;
  qmCFunction f;
};

const Command kCommands[] = {
    {"print", cmd_print},       {"fail", cmd_fail},
    {"raise", cmd_raise},       {"gosub", cmd_gosub},
    {"endrequest", cmd_endrequest}, {"exitonerror", cmd_exitonerror},
    {"getlasterror", cmd_getlasterror}, {"collect", cmd_collect},
    {"pcall", cmd_pcall},       {"call", cmd_call},
    {"strlen", cmd_strlen},     {"setmetatable", cmd_setmetatable},
};

struct LoadArgs {
  const std::vector<uint8_t>* chunk;
  const char* name;
  bool given;
};

const char* read_all(qmState*, void* data, size_t* size) {
  LoadArgs* a = static_cast<LoadArgs*>(data);
  if (a->given) {
    *size = 0;
    return nullptr;
  }
  a->given = true;
  *size = a->chunk->size();
  return reinterpret_cast<const char*>(a->chunk->data());
}

void load_body(qmState* L, void* ud) {
  LoadArgs* a = static_cast<LoadArgs*>(ud);
  qmStream z;
  qmBuffer buff;
  buffer_init(&buff);
  stream_init(L, &z, read_all, a, a->name);
  qmProto* p;
  try {
    p = bytecode_load(L, &z, &buff);
  } catch (...) {
    buffer_free(L, &buff);
    throw;
  }
  buffer_free(L, &buff);
  qmClosure* cl = vm_closure_new_script(L, p, &L->gt);
  setclvalue(L->top, cl);
  L->top++;
  for (int32_t i = 0; i < p->nups; i++) {  // a dumped closure's upvalues start out nil
    qmUpVal* up = static_cast<qmUpVal*>(vm_malloc(L, sizeof(qmUpVal)));
    setnilvalue(&up->value);
    up->v = &up->value;
    vm_gc_link(L, up, QM_TUPVAL);
    cl->upvals()[i] = up;
  }
}

}  // namespace

void open(qmState* L, std::string* out) {
  g_out = out;
  for (const Command& c : kCommands) {
    vm_push_string(L, c.name);
    vm_push_cfunction(L, c.f);
    vm_set_table(L, QM_GLOBALSINDEX);
  }
  vm_set_getlasterror_command(L, cmd_getlasterror);
  err_install(L);
}

int32_t load_chunk(qmState* L, const std::vector<uint8_t>& chunk, const char* name) {
  LoadArgs args{&chunk, name, false};
  return vm_cpcall(L, load_body, &args);
}

int32_t run(qmState* L, const char* file, std::string* where) {
  err_set_string_arg("");
  err_reset_position();
  int32_t status = vm_pcall(L, 0, 0, 0);
  if (status != 0 && where) {
    char text[ERR_TEXT_SIZE];
    err_get_text(status, text, sizeof text);
    char buf[ERR_TEXT_SIZE + 64];
    // The error position's line: a command's error takes the line of the script that called it.
    std::snprintf(buf, sizeof buf, "%s:%d: %s", file, err_context().line, text);
    *where = buf;
  }
  return status;
}

}  // namespace qm::testlib
