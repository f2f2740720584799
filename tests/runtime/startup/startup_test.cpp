// Start-up and exit in process: the library table, the clean-up order and the temporary files,
// the CRC table, and the default program reader.
#include <gtest/gtest.h>
#include <unistd.h>
#include <time.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/errcodes.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "player/libraries.h"
#include "runtime/startup.h"
#include "stdlib/checksum.h"
#include "tools/asm/text.h"

namespace {

using namespace qm;

std::vector<std::string> g_steps;
void record(const char* step) { g_steps.emplace_back(step); }

Player* new_player() {
  Player* p = new Player;
  p->L = vm_open();
  return p;
}

TEST(Startup, LibraryTableOrder) {
  const char* expected[] = {"string", "math", "graphics", "draw", "moveobject", "dos", "event",
                            "system", "layers", "text", "anim", "display", "sound", "brush",
                            "bgpic", "transitionfx", "sprite", "memblock", "vectorgraphics",
                            "network", "video"};
  const PlayerLibraries& libs = player_libraries();
  ASSERT_EQ(libs.library_count, std::size(expected));
  for (size_t n = 0; n < libs.library_count; ++n) EXPECT_STREQ(libs.libraries[n].name, expected[n]);
}

TEST(Shutdown, CleanupOrderReportAndTemporaryFiles) {
  const std::vector<std::string> libraries = {
      "os", "effects", "sound_stop", "video_stop", "display", "network", "graphics",
      "draw", "brush", "bgpic", "video", "path", "sprite", "timer", "text", "anim",
      "layers", "dos", "memblock", "event", "sound"};
  const std::vector<std::string> tail = {"registries", "plugin_libraries", "state", "plugins",
                                         "temp_files", "catalog", "platform"};

  std::string temp;
  ASSERT_EQ(platform_tmpnam(&temp), 1);
  ASSERT_EQ(access(temp.c_str(), F_OK), 0);
  tempfile_register(temp.c_str());

  startup_register_libraries(&player_libraries());
  shutdown_set_trace(record);
  g_steps.clear();
  EXPECT_EQ(shutdown_exit(0, new_player()), 0);
  std::vector<std::string> expected = libraries;
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_EQ(g_steps, expected);
  EXPECT_NE(access(temp.c_str(), F_OK), 0) << "temporary file left behind";

  // A user abort and negative codes are not reported; every other code is, after the library
  // clean-ups and before the registries go.
  for (int32_t code : {ERR_USERABORT, -5}) {
    g_steps.clear();
    EXPECT_EQ(shutdown_exit(code, new_player()), 0) << code;
    EXPECT_EQ(g_steps, expected) << code;
  }
  g_steps.clear();
  testing::internal::CaptureStderr();
  EXPECT_EQ(shutdown_exit(ERR_ARGS, new_player()), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Wrong arguments specified!"), std::string::npos) << err;
  std::vector<std::string> reported = libraries;
  reported.push_back("report");
  reported.insert(reported.end(), tail.begin(), tail.end());
  EXPECT_EQ(g_steps, reported);
  shutdown_set_trace(nullptr);
  startup_register_libraries(nullptr);
}

TEST(Startup, CrcTableEqualsZlib) {
  const z_crc_t* zt = get_crc_table();
  const uint32_t* ours = crc32_table();
  for (int i = 0; i < 256; ++i) ASSERT_EQ(ours[i], uint32_t(zt[i])) << i;
}

TEST(Startup, ChunkFileReader) {
  std::string name;
  ASSERT_EQ(platform_tmpnam(&name), 1);
  qmState* L = vm_open();
  Config config;
  Program program;
  struct Case {
    std::string bytes;
    int32_t err;
  } cases[] = {{"", ERR_NOAPPLET}, {"not a chunk", ERR_NOAPPLET}, {"\x1bQMB", 0}};
  for (const Case& c : cases) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    std::fwrite(c.bytes.data(), 1, c.bytes.size(), f);
    std::fclose(f);
    EXPECT_EQ(read_chunk_file(L, name.c_str(), &config, &program), c.err) << c.bytes;
  }
  EXPECT_EQ(program.bytecode.size(), 4u);
  std::remove(name.c_str());
  EXPECT_EQ(read_chunk_file(L, name.c_str(), &config, &program), ERR_READFILE);
  vm_close_state(L);
}

struct ChunkInput {
  const std::vector<uint8_t>* chunk;
  bool given;
};

const char* reader_once(qmState*, void* data, size_t* size) {
  auto* in = static_cast<ChunkInput*>(data);
  *size = in->given ? 0 : in->chunk->size();
  const char* p = in->given ? nullptr : reinterpret_cast<const char*>(in->chunk->data());
  in->given = true;
  return p;
}

// The hook stays idle between ticks and serves events once the tick has armed it; a loop that
// runs for 50 ms sees it serve at least once, and never more often than once per 10 ms.
TEST(LineHook, TickerArmsTheHook) {
  std::vector<uint8_t> chunk;
  std::string error;
  ASSERT_TRUE(qm::asmx::assemble(R"(
.maxstack 6
.lineno 1
  LOADK r0 #0
  LOADK r1 #1
  LOADK r2 #3000000
  LOADK r3 #1
  JMP @test
body:
.lineno 2
  ADD r0 r0 r1
test:
.lineno 3
  FORLOOP r1 @body
  RETURN r0 1
)", chunk, error)) << error;
  qmState* L = vm_open();
  ChunkInput input{&chunk, false};
  ASSERT_EQ(vm_load(L, reader_once, &input, "=loop"), 0);
  line_hook_install(L);
  uint64_t before = line_hook_pumps();
  auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(vm_pcall(L, 0, 0, 0), 0);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  uint64_t pumps = line_hook_pumps() - before;
  line_hook_remove(L);
  vm_close_state(L);
  if (ms >= 50) {
    EXPECT_GE(pumps, 1u) << ms << " ms";
  }
  EXPECT_LE(pumps, uint64_t(ms / 10 + 1)) << ms << " ms";
}

TEST(Platform, RecursiveMutex) {
  qmMutex* m = platform_mutex_create();
  ASSERT_NE(m, nullptr);
  platform_mutex_lock(m);
  EXPECT_EQ(platform_mutex_trylock(m), 1);  // the holder may take it again
  int32_t other = -1;
  std::thread t([&] { other = platform_mutex_trylock(m); });
  t.join();
  EXPECT_EQ(other, 0);
  platform_mutex_unlock(m);
  platform_mutex_unlock(m);
  std::thread t2([&] {
    other = platform_mutex_trylock(m);
    if (other) platform_mutex_unlock(m);
  });
  t2.join();
  EXPECT_EQ(other, 1);
  platform_mutex_free(m);
}

}  // namespace
