// The system library's program information and object data: GetVersion, GetCommandLine,
// GetProgramInfo, GetFileArgument, GetSystemLanguage, GetSystemCountry, CompareDates, OpenURL,
// DebugPrompt, Assert, GetObjectType and the data items that programs attach to objects.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "layers/layers.h"
#include "platform/platform.h"
#include "runtime/applet.h"
#include "runtime/args.h"
#include "runtime/config.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/registry.h"
#include "stdlib/system_internal.h"

using namespace qm;

namespace {

constexpr int32_t PRGTYPE_SCRIPT = 0, PRGTYPE_APPLET = 1, PRGTYPE_PROGRAM = 2;
constexpr size_t kPromptSize = 16384;

const Config* config_of(qmState* L) { return static_cast<const Config*>(vm_reg_get_userdata(L, "clargs")); }

int32_t cmd_getversion(qmState* L) {
  arg_check_count(L, 0, 0);
  vm_new_table(L);
  table_set_string(L, "application", "QuillmerePlayer");
  table_set_string(L, "version", "5.0");
  table_set_string(L, "version_date", "19.02.12");
  table_set_string(L, "kernel", "5.0");
  table_set_string(L, "kernel_date", "19.02.12");
  table_set_double(L, "beta", 0.0);
  table_set_string(L, "platform", "Linux");
  return 1;
}

int32_t cmd_getcommandline(qmState* L) {
  arg_check_count(L, 0, 0);
  const Config* config = config_of(L);
  vm_new_table(L);
  int32_t count = 0;
  if (config) {
    for (const ForeignOption& o : config->foreign) {
      vm_new_table(L);
      table_set_string(L, "arg", o.name.c_str());
      table_set_string(L, "param", o.value ? o.value->c_str() : "");
      vm_raw_seti(L, -2, count++);
    }
  }
  vm_push_number(L, count);
  vm_push_number(L, 0);  // the start-up's word: nothing changes it on this host
  return 3;
}

int32_t cmd_getprograminfo(qmState* L) {
  arg_check_count(L, 0, 0);
  const Config* config = config_of(L);
  if (applet_location_offset(applet_location_copy()) >= 0) {
    vm_push_number(L, PRGTYPE_PROGRAM);
    vm_push_string(L, platform_executable_path().c_str());
    return 2;
  }
  vm_push_number(L, config && config->applet ? PRGTYPE_APPLET : PRGTYPE_SCRIPT);
  vm_push_string(L, config ? config->script_path.c_str() : "");
  vm_push_string(L, platform_executable_path().c_str());
  return 3;
}

int32_t cmd_getfileargument(qmState* L) {
  arg_check_count(L, 0, 0);
  vm_push_string(L, "");
  return 1;
}

int32_t cmd_getsystemlanguage(qmState* L) {
  arg_check_count(L, 0, 0);
  vm_push_number(L, qmos_get_language());
  return 1;
}

int32_t cmd_getsystemcountry(qmState* L) {
  arg_check_count(L, 0, 0);
  vm_push_number(L, qmos_get_country());
  return 1;
}

int32_t cmd_openurl(qmState* L) {
  arg_check_count(L, 1, 1);
  platform_open_url(vm_arg_check_string(L, 1, nullptr));
  return 0;
}

int32_t cmd_debugprompt(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* prompt = vm_arg_check_string(L, 1, nullptr);
  if (*prompt) {
    std::fputs(prompt, stdout);
    std::fflush(stdout);
  }
  std::string line(kPromptSize, '\0');
  if (!std::fgets(line.data(), int(line.size()), stdin)) line[0] = 0;
  line.resize(std::strlen(line.c_str()));
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  vm_push_lstring(L, line.data(), line.size());
  return 1;
}

int32_t cmd_assert(qmState* L) {
  arg_check_count(L, 1, 1);
  const int32_t type = vm_type(L, 1);
  if (type == QM_TNIL || (type == QM_TNUMBER && vm_to_number(L, 1) == 0)) return ERR_ASSERTFAILED;
  vm_set_top(L, 1);
  return 1;
}

int32_t cmd_getobjecttype(qmState* L) {
  arg_check_count(L, 1, 1);
  vm_push_number(L, objlist_type_of_handle(vm_to_userdata(L, 1)));
  return 1;
}

// The item list of the object named by type and id at argument n (type) and n + 1 (id).
int32_t object_items(qmState* L, int32_t n, RefNode*** out) {
  const int32_t type = to_i32(vm_arg_check_number(L, n));
  if (type == OBJ_LAYER) {
    // A layer of the current picture, by position or name; the items live in the layer record.
    qmDisplay* d = display_current();
    qmBGPic* pic = layers_current_picture();
    if (!d || !d->layers || !pic) return ERR_NOLAYERS;
    int32_t index = 0;
    if (int32_t err = layer_arg_index(L, pic, n + 1, &index)) return err;
    qmLayer* layer = layer_at_index(pic, index);
    if (!layer) return ERR_LAYERRANGE;
    *out = &layer->refs;
    return 0;
  }
  ObjectHeader* h = objlist_find(type, arg_get_id(L, n + 1));
  if (!h) return ERR_FINDARRAY;
  *out = &h->refs;
  return 0;
}

RefNode* find_item(RefNode* list, const char* key) {
  for (RefNode* n = list; n; n = n->next)
    if (strcasecmp(n->name, key) == 0) return n;
  return nullptr;
}

// Appends a node with a copy of the key and a reference to the value on top (popped).
int32_t append_item(qmState* L, RefNode** list, const char* key) {
  auto* node = new (std::nothrow) RefNode{nullptr, nullptr, -1};
  char* name = new (std::nothrow) char[std::strlen(key) + 1];
  if (!node || !name) {
    delete node;
    delete[] name;
    vm_pop(L, 1);
    return ERR_MEM;
  }
  std::strcpy(name, key);
  node->name = name;
  node->ref = vm_ref_new(L, QM_REGISTRYINDEX);
  while (*list) list = &(*list)->next;
  *list = node;
  return 0;
}

const char* key_arg(qmState* L, int32_t n) {
  const char* key = vm_arg_check_string(L, n, nullptr);
  return *key ? key : nullptr;
}

int32_t cmd_setobjectdata(qmState* L) {
  arg_check_count(L, 4, 4);
  RefNode** list = nullptr;
  const char* key = key_arg(L, 3);
  if (!key) return ERR_WRONGUSAGE;
  if (int32_t err = object_items(L, 1, &list)) return err;
  vm_set_top(L, 4);
  if (RefNode* item = find_item(*list, key)) {
    vm_ref_free(L, QM_REGISTRYINDEX, item->ref);
    item->ref = vm_ref_new(L, QM_REGISTRYINDEX);
    return 0;
  }
  return append_item(L, list, key);
}

int32_t cmd_getobjectdata(qmState* L) {
  arg_check_count(L, 3, 3);
  RefNode** list = nullptr;
  const char* key = key_arg(L, 3);
  if (!key) return ERR_WRONGUSAGE;
  if (int32_t err = object_items(L, 1, &list)) return err;
  RefNode* item = find_item(*list, key);
  if (!item) {
    err_set_string_arg(key);
    return ERR_FINDOBJECTDATA;
  }
  vm_raw_geti(L, QM_REGISTRYINDEX, item->ref);
  return 1;
}

int32_t cmd_clearobjectdata(qmState* L) {
  arg_check_count(L, 2, 3);
  RefNode** list = nullptr;
  const bool all = vm_get_top(L) < 3 || vm_type(L, 3) == QM_TNIL;
  const char* key = all ? nullptr : key_arg(L, 3);
  if (!all && !key) return ERR_WRONGUSAGE;
  if (int32_t err = object_items(L, 1, &list)) return err;
  if (all) {
    reflist_free(L, *list);
    *list = nullptr;
    return 0;
  }
  for (RefNode** p = list; *p; p = &(*p)->next) {
    if (strcasecmp((*p)->name, key) != 0) continue;
    RefNode* item = *p;
    *p = item->next;
    item->next = nullptr;
    reflist_free(L, item);
    return 0;
  }
  err_set_string_arg(key);
  return ERR_FINDOBJECTDATA;
}

int32_t cmd_copyobjectdata(qmState* L) {
  arg_check_count(L, 4, 5);
  RefNode** source = nullptr;
  RefNode** target = nullptr;
  if (int32_t err = object_items(L, 1, &source)) return err;
  if (int32_t err = object_items(L, 3, &target)) return err;
  const bool overwrite = vm_arg_opt_number(L, 5, 0) != 0;
  for (RefNode* item = *source; item; item = item->next) {
    RefNode* same = find_item(*target, item->name);
    if (same && !overwrite) continue;
    vm_raw_geti(L, QM_REGISTRYINDEX, item->ref);
    if (same) {
      vm_ref_free(L, QM_REGISTRYINDEX, same->ref);
      same->ref = vm_ref_new(L, QM_REGISTRYINDEX);
    } else if (int32_t err = append_item(L, target, item->name)) {
      return err;
    }
  }
  return 0;
}

}  // namespace

void system_items_drop(RefNode* list) {
  while (list) {
    RefNode* next = list->next;
    delete[] list->name;
    delete list;
    list = next;
  }
}

// Date texts "DD-Mon-YYYY HH:MM:SS" (20 characters) or, date only, "DD-Mon-YYYY" (11): 0 equal,
// 1 the first is later, 2 it is earlier; -1 when either is malformed.
int32_t system_compare_dates(const char* a, const char* b, bool date_only) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const size_t want = date_only ? 11 : 20;
  int32_t fields[2][6];
  const char* texts[2] = {a, b};
  for (int k = 0; k < 2; k++) {
    const char* t = texts[k];
    if (std::strlen(t) != want) return -1;
    auto digits = [&](size_t at, size_t n, int32_t* out) {
      int32_t v = 0;
      for (size_t i = at; i < at + n; i++) {
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) return false;
        v = v * 10 + (t[i] - '0');
      }
      *out = v;
      return true;
    };
    int32_t month = -1;
    for (int32_t m = 0; m < 12; m++)
      if (strncasecmp(t + 3, kMonths[m], 3) == 0) month = m + 1;
    bool ok = t[2] == '-' && t[6] == '-' && month > 0 && digits(0, 2, &fields[k][2]) && digits(7, 4, &fields[k][0]);
    fields[k][1] = month;
    fields[k][3] = fields[k][4] = fields[k][5] = 0;
    if (ok && !date_only)
      ok = t[11] == ' ' && t[14] == ':' && t[17] == ':' && digits(12, 2, &fields[k][3]) &&
           digits(15, 2, &fields[k][4]) && digits(18, 2, &fields[k][5]);
    if (!ok) return -1;
  }
  for (int i = 0; i < 6; i++) {
    if (fields[0][i] > fields[1][i]) return 1;
    if (fields[0][i] < fields[1][i]) return 2;
  }
  return 0;
}

namespace {

int32_t cmd_comparedates(qmState* L) {
  arg_check_count(L, 2, 3);
  const char* a = vm_arg_check_string(L, 1, nullptr);
  const char* b = vm_arg_check_string(L, 2, nullptr);
  const bool date_only = vm_arg_opt_number(L, 3, 0) != 0;
  const int32_t r = system_compare_dates(a, b, date_only);
  if (r < 0) return ERR_INVALIDDATE;
  vm_push_number(L, r);
  return 1;
}

}  // namespace

const qmCommand kSystemInfoCommands[] = {
    {"GetVersion", cmd_getversion},
    {"GetCommandLine", cmd_getcommandline},
    {"GetProgramInfo", cmd_getprograminfo},
    {"GetFileArgument", cmd_getfileargument},
    {"GetSystemLanguage", cmd_getsystemlanguage},
    {"GetSystemCountry", cmd_getsystemcountry},
    {"CompareDates", cmd_comparedates},
    {"OpenURL", cmd_openurl},
    {"DebugPrompt", cmd_debugprompt},
    {"Assert", cmd_assert},
    {"GetObjectType", cmd_getobjecttype},
    {"SetObjectData", cmd_setobjectdata},
    {"GetObjectData", cmd_getobjectdata},
    {"ClearObjectData", cmd_clearobjectdata},
    {"CopyObjectData", cmd_copyobjectdata},
    {nullptr, nullptr},
};
