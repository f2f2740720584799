// The list of loaded plug-ins: the folder scan, unloading, requirements and the plug-in listing.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/strutil.h"
#include "runtime/errors.h"
#include "runtime/plugins/plugins.h"
#include "runtime/registry.h"
#include "runtime/vfile.h"

namespace {

qmPluginNode* g_list = nullptr;

bool has_qmp_extension(const std::string& name) {
  return name.size() >= 4 && qm::str_case_cmp(name.c_str() + name.size() - 4, ".qmp") == 0;
}

bool is_loaded(const std::string& file_name) {
  for (qmPluginNode* n = g_list; n; n = n->next) {
    if (qm::str_case_cmp(n->file_name, file_name.c_str()) == 0) return true;
  }
  return false;
}

void append_node(qmPluginNode* node) {
  qmPluginNode** tail = &g_list;
  while (*tail) tail = &(*tail)->next;
  *tail = node;
}

void print_reason(int32_t code) {
  if (qm::runtime_flags().quiet) return;
  char text[qm::ERR_TEXT_SIZE];
  qm::err_get_text(code, text, sizeof text);
  char line[qm::ERR_TEXT_SIZE + 64];
  qm::err_fill_placeholder(line, sizeof line, qm::err_get_message(616), text, 0);
  std::fputs(line, stdout);
  std::fflush(stdout);
}

// Loads one file of the scan and appends it to the list, with its console lines.
void load_one(const std::string& folder, const std::string& file_name) {
  qm::console_print_file(qm::err_get_message(107), file_name.c_str(), true);
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  path += file_name;
  uint32_t caps = 0;
  qmPluginHandle* handle = nullptr;
  int32_t code = plugin_load(path.c_str(), &caps, &handle);
  if (code != 0) {
    qm::console_print_failed();
    print_reason(code);
    return;
  }
  auto* node = new (std::nothrow) qmPluginNode;
  if (node == nullptr) {
    plugin_unload(handle);
    qm::console_print_failed();
    return;
  }
  node->caps = caps;
  node->handle = handle;
  qm::copy_bounded(node->file_name, sizeof node->file_name, file_name.c_str());
  append_node(node);
  qm::console_print_done();
}

void write_line(qmFileHandle* f, const char* text) {
  qmos_write(f, text, static_cast<int64_t>(std::strlen(text)));
  qmos_write(f, "\n", 1);
}

void write_library_names(qmFileHandle* f, const qmPluginEntry* e) {
  const char* base = plugin_entry<qmPluginGetBaseTableFn>(e, PLUGIN_EP_GET_BASE_TABLE)();
  const qmPluginCommand* commands = plugin_entry<qmPluginGetCommandsFn>(e, PLUGIN_EP_GET_COMMANDS)();
  const qmPluginConstant* constants =
      plugin_entry<qmPluginGetConstantsFn>(e, PLUGIN_EP_GET_CONSTANTS)();
  if (commands && commands->name) {
    write_line(f, "::commands");
    for (const qmPluginCommand* c = commands; c->name; ++c) {
      std::string line = base ? std::string(base) + "." + c->name : std::string(c->name);
      write_line(f, line.c_str());
    }
  }
  if (constants && constants->name) {
    write_line(f, "::constants");
    for (const qmPluginConstant* c = constants; c->name; ++c) write_line(f, c->name);
  }
}

}  // namespace

qmPluginNode* plugin_list() { return g_list; }

void plugin_load_directory(const char* path) {
  std::string folder(path, path_file_part(path));
  if (folder.empty()) folder.push_back('.');
  qmVLock* lock = vfile_lock(folder.c_str(), QMOS_LOCK_READ);
  if (lock == nullptr) return;
  int32_t is_dir = 0;
  std::vector<std::string> names;
  if (vfile_lock_is_dir(lock, &is_dir) == 0 && is_dir) {
    std::string name;
    int32_t entry_is_dir = 0;
    qmFileInfo info;
    while (dir_next_entry(lock, &name, &entry_is_dir, &info) == 1) {
      if (!entry_is_dir && has_qmp_extension(name)) names.push_back(name);
    }
  }
  // Name order makes "the first plug-in of a kind" the same on every host.
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    if (name.size() >= PLUGIN_FILE_NAME_SIZE || is_loaded(name)) continue;
    load_one(folder, name);
  }
  vfile_unlock(lock);
}

void plugin_unload_all() {
  plugin_forget_vector_graphics();
  qmPluginNode* n = g_list;
  g_list = nullptr;
  while (n) {
    qmPluginNode* next = n->next;
    plugin_unload(n->handle);
    delete n;
    n = next;
  }
}

int32_t plugin_require(const char* name, int32_t version, int32_t revision) {
  std::string wanted(name);
  if (has_qmp_extension(wanted)) wanted.resize(wanted.size() - 4);
  for (qmPluginNode* n = g_list; n; n = n->next) {
    const qmPluginInfo& info = n->handle->entry->info;
    if (qm::str_case_cmp(info.name, wanted.c_str()) != 0) continue;
    if (info.version > version || (info.version == version && info.revision >= revision)) return 0;
    break;
  }
  std::string text = wanted + ".qmp";
  if (version != 0 || revision != 0) {
    char v[32];
    std::snprintf(v, sizeof v, " %d.%d", version, revision);
    text += v;
  }
  qm::err_set_string_arg(text.c_str());
  return qm::ERR_REQUIREPLUGIN;
}

int32_t plugin_export_list(const char* file_name) {
  qmFileHandle* f = qmos_open(file_name, QMOS_MODE_WRITE);
  if (f == nullptr) return qm::ERR_WRITEFILE;
  for (qmPluginNode* n = g_list; n; n = n->next) {
    const qmPluginEntry* e = n->handle->entry;
    char line[64];
    write_line(f, "::plugin");
    std::snprintf(line, sizeof line, "%d.%d", e->info.version, e->info.revision);
    write_line(f, line);
    std::snprintf(line, sizeof line, "0x%.8x", n->caps);
    write_line(f, line);
    write_line(f, e->info.description ? e->info.description : "");
    for (const char* t : e->info.texts) write_line(f, t ? t : "");
    if (n->caps & QMPLUGIN_CAP_LIBRARY) write_library_names(f, e);
  }
  write_line(f, "::end");
  qmos_close(f);
  return 0;
}
