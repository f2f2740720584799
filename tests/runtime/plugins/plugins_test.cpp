// The plug-in loader, the folder scan, requirements, the listing and start-up registration, with
// the test plug-ins built from fixtures/fixture.c.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/plugins/plugins.h"
#include "runtime/registry.h"
#include "runtime/vfile.h"

namespace {

namespace fs = std::filesystem;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A scratch folder of plug-ins and the log that the fixtures write.
class Plugins : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/qmplugins_testXXXXXX";
    dir_ = mkdtemp(tmpl);
    log_ = dir_ + "/log.txt";
    setenv("QMP_TEST_LOG", log_.c_str(), 1);
    fs::create_directory(dir_ + "/plugins");
  }
  void TearDown() override {
    plugin_unload_all();
    unsetenv("QMP_TEST_LOG");
    fs::remove_all(dir_);
  }
  // Copies fixture name.qmp into the plug-in folder as file (default: its own name).
  std::string place(const std::string& name, std::string file = "") {
    if (file.empty()) file = name + ".qmp";
    std::string to = dir_ + "/plugins/" + file;
    fs::copy_file(std::string(QMP_FIXTURE_DIR) + "/" + name + ".qmp", to);
    return to;
  }
  std::string folder_path() const { return dir_ + "/plugins/quillmere"; }
  std::string log() const { return read_file(log_); }
  int list_size() const {
    int n = 0;
    for (qmPluginNode* p = plugin_list(); p; p = p->next) ++n;
    return n;
  }

  std::string dir_;
  std::string log_;
};

TEST_F(Plugins, LoadFailuresGiveTheirCodeAndCloseOnce) {
  struct Case {
    const char* fixture;
    const char* file;
    int32_t code;
    const char* text;  // the message with its placeholder filled
    const char* log;   // what the plug-in saw
  };
  const Case cases[] = {
      {"good", "other.qmp", 1459, "Error loading plugin \"other.qmp\"!", "init good\nclose good\n"},
      {"newer", "", 1400, "This plugin requires at least Quillmere 5.1!", "init newer\nclose newer\n"},
      {"oddkind", "", 1483, "Plugin type not recognized! (400)", "init oddkind\nclose oddkind\n"},
      {"refuser", "", 1459, "Error loading plugin \"refuser.qmp\"!", "init refuser\nclose refuser\n"},
      {"noclose", "", 1459, "Error loading plugin \"noclose.qmp\"!", ""},
      {"halfvec", "", 1459, "Error loading plugin \"halfvec.qmp\"!", "init halfvec\nclose halfvec\n"},
      {"longname", "", 1459, "Error loading plugin \"longname.qmp\"!",
       "init longname\nclose longname\n"},
      {nullptr, "missing.qmp", 1459, "Error loading plugin \"missing.qmp\"!", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file[0] ? c.file : c.fixture);
    fs::remove(log_);
    std::string path = c.fixture ? place(c.fixture, c.file) : dir_ + "/plugins/" + c.file;
    uint32_t caps = 99;
    qmPluginHandle* handle = nullptr;
    EXPECT_EQ(plugin_load(path.c_str(), &caps, &handle), c.code);
    EXPECT_EQ(handle, nullptr);
    char text[qm::ERR_TEXT_SIZE];
    qm::err_get_text(c.code, text, sizeof text);
    EXPECT_STREQ(text, c.text);
    EXPECT_EQ(log(), c.log);
    fs::remove(path);
  }
}

TEST_F(Plugins, LoadAndUnloadCallEachEntryOnce) {
  std::string path = place("good");
  uint32_t caps = 0;
  qmPluginHandle* handle = nullptr;
  ASSERT_EQ(plugin_load(path.c_str(), &caps, &handle), 0);
  EXPECT_EQ(caps, QMPLUGIN_CAP_LIBRARY);
  qmPluginEntry* e = plugin_get_info(handle);
  EXPECT_STREQ(e->info.name, "good");
  EXPECT_NE(e->entry[PLUGIN_EP_INIT_LIBRARY], nullptr);
  EXPECT_EQ(e->entry[PLUGIN_EP_DRAW_PATH], nullptr);  // a kind it did not declare
  plugin_unload(handle);
  EXPECT_EQ(log(), "init good\nclose good\n");
}

TEST_F(Plugins, ScanLoadsPluginFilesOnceAndReportsFailures) {
  place("good");
  place("vec_a");
  place("newer");
  place("good", "notes.txt");
  fs::create_directory(dir_ + "/plugins/folder.qmp");
  testing::internal::CaptureStdout();
  plugin_load_directory(folder_path().c_str());
  plugin_load_directory(folder_path().c_str());  // everything already loaded is skipped
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out,
            "Loading plugin good.qmp...done\n"
            "Loading plugin newer.qmp...failed\n"
            "(Reason: This plugin requires at least Quillmere 5.1!)\n"
            "Loading plugin vec_a.qmp...done\n"
            "Loading plugin newer.qmp...failed\n"
            "(Reason: This plugin requires at least Quillmere 5.1!)\n");
  ASSERT_EQ(list_size(), 2);
  EXPECT_STREQ(plugin_list()->file_name, "good.qmp");
  EXPECT_STREQ(plugin_list()->next->file_name, "vec_a.qmp");
  plugin_unload_all();
  EXPECT_EQ(list_size(), 0);
  EXPECT_EQ(log(),
            "init good\ninit newer\nclose newer\ninit vec_a\ninit newer\nclose newer\n"
            "close good\nclose vec_a\n");
}

TEST_F(Plugins, SameNameInAnotherCaseIsSkipped) {
  place("good", "Good.qmp");
  place("good");
  testing::internal::CaptureStdout();
  plugin_load_directory(folder_path().c_str());
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(list_size(), 1);
  EXPECT_STREQ(plugin_list()->file_name, "Good.qmp");
}

TEST_F(Plugins, RequireComparesVersionThenRevision) {
  place("good");
  place("ver15");
  place("ver14");
  testing::internal::CaptureStdout();
  plugin_load_directory(folder_path().c_str());
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(list_size(), 3);
  struct Case {
    const char* name;
    int32_t version, revision, code;
    const char* arg;
  } cases[] = {
      {"good", 1, 5, 0, nullptr},            // 2.0 meets 1.5
      {"GOOD.QMP", 2, 0, 0, nullptr},
      {"ver15", 1, 5, 0, nullptr},
      {"ver14", 1, 5, 1494, "ver14.qmp 1.5"},
      {"good", 2, 1, 1494, "good.qmp 2.1"},
      {"absent", 0, 0, 1494, "absent.qmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(plugin_require(c.name, c.version, c.revision), c.code);
    if (c.arg) {
      EXPECT_STREQ(qm::err_context().string_arg, c.arg);
    }
  }
}

TEST_F(Plugins, ListingOfAnEmptyFolderAndOfALibraryPlugin) {
  std::string out = dir_ + "/list.txt";
  plugin_load_directory(folder_path().c_str());
  plugin_export_list(out.c_str());
  EXPECT_EQ(read_file(out), "::end\n");

  place("good");
  place("ver15");
  testing::internal::CaptureStdout();
  plugin_load_directory(folder_path().c_str());
  testing::internal::GetCapturedStdout();
  plugin_export_list(out.c_str());
  EXPECT_EQ(read_file(out),
            "::plugin\n2.0\n0x00000002\nTest plug-in good\nAuthor\n\nThird\n\n\n\n\n"
            "::commands\ngood.Twice\ngood.ReadFile\ngood.PictureInfo\ngood.ComparePicture\n"
            "good.BrushPixel\ngood.FileRequest\ngood.PathRequest\ngood.SampleLock\ngood.HoldSample\ngood.ReleaseSample\n::constants\nGOOD_ANSWER\n"
            "::plugin\n1.5\n0x00000001\nTest plug-in ver15\nAuthor\n\nThird\n\n\n\n\n"
            "::end\n");
}

// Calls global table lib's command name with one argument; its result stays on the stack.
int32_t call(qmState* L, const char* lib, const char* name, const char* arg, double num) {
  vm_push_cstring(L, lib);
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_cstring(L, name);
  vm_get_table(L, -2);
  if (arg) {
    vm_push_cstring(L, arg);
  } else {
    vm_push_number(L, num);
  }
  return vm_pcall(L, 1, 1, 0);
}

TEST_F(Plugins, RegistrationMakesCommandsConstantsAndFormatsKnown) {
  place("good");
  place("saver");
  place("vec_b");
  place("vec_a");
  qmState* L = vm_open();
  ASSERT_NE(L, nullptr);
  qm::err_install(L);
  testing::internal::CaptureStdout();
  EXPECT_EQ(register_plugin_formats(L, folder_path().c_str()), 0);
  testing::internal::GetCapturedStdout();

  ASSERT_EQ(call(L, "good", "twice", nullptr, 21), 0);
  EXPECT_EQ(vm_to_number(L, -1), 42);
  vm_set_top(L, 0);

  // A linked file held in memory, read by the plug-in through the file table.
  static const char data[] = "linked text";
  qmos_register_memory(data, sizeof data - 1);
  char name[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("data.txt", name, sizeof name, -1, sizeof data - 1, 3,
                                  reinterpret_cast<const char*>(data)),
            1);
  ASSERT_EQ(call(L, "good", "readfile", name, 0), 0);
  EXPECT_STREQ(vm_to_string(L, -1), "linked text");
  vm_set_top(L, 0);
  qmos_unregister_memory(data);

  struct {
    const char* name;
    double value;
  } constants[] = {{"good_answer", 42}, {"imgfmt_pngx", 4294967280.0}, {"smpfmt_wavx", 7}};
  for (const auto& c : constants) {
    double num = -1;
    EXPECT_EQ(vm_find_constant(L, c.name, nullptr, &num), 1) << c.name;
    EXPECT_EQ(num, c.value) << c.name;
  }
  ASSERT_NE(plugin_vector_graphics(), nullptr);
  EXPECT_STREQ(plugin_vector_graphics()->info.name, "vec_a");
  EXPECT_EQ(plugin_find_saver(QMPLUGIN_CAP_IMAGESAVER, 0xFFFFFFF0u), plugin_get_info(plugin_list()->next->handle));
  EXPECT_EQ(plugin_find_saver(QMPLUGIN_CAP_ANIMSAVER, 0xFFFFFFF0u), nullptr);

  plugin_free_libraries(L);
  plugin_unload_all();
  EXPECT_EQ(plugin_vector_graphics(), nullptr);
  vm_close_state(L);
  EXPECT_EQ(log(),
            "init good\ninit saver\ninit vec_a\ninit vec_b\ninitlib good\n"
            "freelib good\nclose good\nclose saver\nclose vec_a\nclose vec_b\n");
}

TEST_F(Plugins, FailingInitLibraryStopsRegistration) {
  place("badlib");
  place("good");
  qmState* L = vm_open();
  qm::err_install(L);
  testing::internal::CaptureStdout();
  EXPECT_EQ(register_plugin_formats(L, folder_path().c_str()), 1234);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(vm_find_constant(L, "good_answer", nullptr, nullptr), 1);  // badlib's own, kept
  plugin_unload_all();
  vm_close_state(L);
  EXPECT_EQ(log(), "init badlib\ninit good\ninitlib badlib\nclose badlib\nclose good\n");
}

}  // namespace
