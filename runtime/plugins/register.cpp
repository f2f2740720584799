// Start-up registration of what the loaded plug-ins offer to scripts, and the library clean-up at
// exit.
#include <cstdio>
#include <cstring>

#include "engine/vm.h"
#include "runtime/plugins/plugins.h"
#include "runtime/registry.h"

namespace {

qmPluginEntry* g_vector = nullptr;

// The plug-in's rows are handed to the engine as they are.
static_assert(sizeof(qmPluginCommand) == sizeof(qmCommand) &&
              offsetof(qmPluginCommand, func) == offsetof(qmCommand, func));
static_assert(sizeof(qmPluginConstant) == sizeof(qmConstant) &&
              offsetof(qmPluginConstant, text) == offsetof(qmConstant, str) &&
              offsetof(qmPluginConstant, number) == offsetof(qmConstant, num));

int32_t register_library(qmState* L, qmPluginEntry* e) {
  const char* base = plugin_entry<qmPluginGetBaseTableFn>(e, PLUGIN_EP_GET_BASE_TABLE)();
  const qmPluginCommand* commands = plugin_entry<qmPluginGetCommandsFn>(e, PLUGIN_EP_GET_COMMANDS)();
  const qmPluginConstant* constants =
      plugin_entry<qmPluginGetConstantsFn>(e, PLUGIN_EP_GET_CONSTANTS)();
  if (commands) {
    const auto* rows = reinterpret_cast<const qmCommand*>(commands);
    vm_push_value(L, QM_GLOBALSINDEX);
    // A refused (over-long) command name leaves that command out; the others are registered.
    vm_register_commands(L, base, rows, 0);
    qm::library_register_name(rows, base ? base : "plugin");
    vm_set_top(L, 0);
  }
  if (constants) vm_register_constants(L, reinterpret_cast<const qmConstant*>(constants), 0);
  return plugin_entry<qmPluginInitLibraryFn>(e, PLUGIN_EP_INIT_LIBRARY)(L);
}

// One constant "<prefix><format name>" with the format id as its value. A saver without a name,
// or with one too long for a constant, registers none.
void register_saver(qmState* L, qmPluginEntry* e, qmPluginEntryPoint ep, qmPluginSaverRecord* rec,
                    const char* prefix) {
  plugin_entry<qmPluginRegisterSaverFn>(e, ep)(rec);
  if (rec->format_name == nullptr ||
      strnlen(rec->format_name, QMPLUGIN_NAME_MAX + 1) > QMPLUGIN_NAME_MAX) {
    return;
  }
  char name[QMPLUGIN_NAME_MAX + 16];
  std::snprintf(name, sizeof name, "%s%s", prefix, rec->format_name);
  const qmConstant rows[] = {{name, nullptr, static_cast<double>(rec->format_id)},
                             {nullptr, nullptr, 0}};
  vm_register_constants(L, rows, 0);
}

}  // namespace

int32_t register_plugin_formats(qmState* L, const char* exe_path) {
  plugin_load_directory(exe_path);
  for (qmPluginNode* n = plugin_list(); n; n = n->next) {
    qmPluginEntry* e = plugin_get_info(n->handle);
    if ((n->caps & QMPLUGIN_CAP_VECTOR) && g_vector == nullptr) g_vector = e;
    if (n->caps & QMPLUGIN_CAP_LIBRARY) {
      int32_t code = register_library(L, e);
      if (code != 0) return code;
    }
    if (n->caps & QMPLUGIN_CAP_IMAGESAVER) {
      register_saver(L, e, PLUGIN_EP_REGISTER_IMAGE_SAVER, &e->image_saver, "imgfmt_");
    }
    if (n->caps & QMPLUGIN_CAP_ANIMSAVER) {
      register_saver(L, e, PLUGIN_EP_REGISTER_ANIM_SAVER, &e->anim_saver, "anmfmt_");
    }
    if (n->caps & QMPLUGIN_CAP_SAMPLESAVER) {
      register_saver(L, e, PLUGIN_EP_REGISTER_SAMPLE_SAVER, &e->sample_saver, "smpfmt_");
    }
  }
  return 0;
}

void plugin_free_libraries(qmState* L) {
  for (qmPluginNode* n = plugin_list(); n; n = n->next) {
    if (n->caps & QMPLUGIN_CAP_LIBRARY) {
      plugin_entry<qmPluginFreeLibraryFn>(plugin_get_info(n->handle), PLUGIN_EP_FREE_LIBRARY)(L);
    }
  }
}

qmPluginEntry* plugin_vector_graphics() { return g_vector; }

void plugin_forget_vector_graphics() { g_vector = nullptr; }

qmPluginEntry* plugin_find_saver(uint32_t kind, uint32_t format_id) {
  for (qmPluginNode* n = plugin_list(); n; n = n->next) {
    if ((n->caps & kind) == 0) continue;
    qmPluginEntry* e = plugin_get_info(n->handle);
    const qmPluginSaverRecord* rec = kind == QMPLUGIN_CAP_IMAGESAVER ? &e->image_saver
                                     : kind == QMPLUGIN_CAP_ANIMSAVER ? &e->anim_saver
                                                                      : &e->sample_saver;
    if (rec->format_id == format_id) return e;
  }
  return nullptr;
}
