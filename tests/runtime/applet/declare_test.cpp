// Declared objects are created through recorder commands that note each call's arguments and
// option-table fields.
#include <cstdio>
#include <map>

#include "engine/errcodes.h"
#include "runtime/declare.h"
#include "runtime/os/qmos.h"
#include "tests/runtime/applet/applet_fixture.h"

using namespace qm;

namespace {

struct Call {
  std::string command;
  std::vector<std::string> args;               // numbers as %g, strings quoted
  std::map<std::string, std::string> fields;   // the option table, if any
};

std::vector<Call> g_calls;
int32_t g_fail_code = 0;

std::string value_text(qmState* L, int32_t idx) {
  if (vm_type(L, idx) == QM_TNUMBER) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", vm_to_number(L, idx));
    return buf;
  }
  if (vm_type(L, idx) == QM_TSTRING) return std::string("\"") + vm_to_string(L, idx) + "\"";
  if (vm_type(L, idx) == QM_TTABLE) return "table";
  return "?";
}

constexpr const char* kCommands[] = {"LoadBGPic", "LoadBrush", "LoadAnim", "OpenMusic",
                                     "LoadSample", "CreateButton", "CreateKeyDown", "LoadSprite",
                                     "OpenFile", "OpenFont", "CreateDisplay", "OpenVideo"};

template <int N>
int32_t recorder(qmState* L) {
  Call c{kCommands[N], {}, {}};
  for (int32_t i = 1; i <= vm_get_top(L); ++i) {
    if (vm_type(L, i) != QM_TTABLE) {
      c.args.push_back(value_text(L, i));
      continue;
    }
    vm_push_nil(L);
    while (vm_next(L, i)) {
      std::string key = vm_type(L, -2) == QM_TSTRING ? vm_to_string(L, -2) : value_text(L, -2);
      if (vm_type(L, -1) == QM_TTABLE) {
        // Sub-tables (regions, gradient colours): index and fields flattened into the key.
        int32_t t = vm_get_top(L);
        vm_push_nil(L);
        while (vm_next(L, t)) {
          std::string sub = value_text(L, -2);
          if (vm_type(L, -1) == QM_TTABLE) {
            vm_push_nil(L);
            while (vm_next(L, t + 2)) {
              c.fields[key + "[" + sub + "]." + vm_to_string(L, -2)] = value_text(L, -1);
              vm_pop(L, 1);
            }
          } else {
            c.fields[key + "[" + sub + "]"] = value_text(L, -1);
          }
          vm_pop(L, 1);
        }
      } else {
        c.fields[key] = value_text(L, -1);
      }
      vm_pop(L, 1);
    }
  }
  g_calls.push_back(std::move(c));
  return g_fail_code;
}

template <int... N>
void register_recorders(qmState* L, std::integer_sequence<int, N...>) {
  qmCommand rows[] = {{kCommands[N], recorder<N>}..., {nullptr, nullptr}};
  vm_push_value(L, QM_GLOBALSINDEX);
  vm_register_commands(L, nullptr, rows, 0);
  vm_set_top(L, 0);
}

class DeclareTest : public qmtest::AppletTest {
 protected:
  void SetUp() override {
    qmtest::AppletTest::SetUp();
    g_calls.clear();
    g_fail_code = 0;
    register_recorders(L, std::make_integer_sequence<int, 12>{});
  }

  static Declaration decl(int32_t type, int32_t id, const char* name, int32_t arg1 = -1, int32_t arg2 = 0) {
    Declaration d;
    d.type = type;
    d.id = id;
    d.has_name = name != nullptr;
    d.source_name = name ? name : "";
    d.arg1 = arg1;
    d.arg2 = arg2;
    d.from_applet = 1;
    d.words[PIC_GLOBALALPHA] = -1;
    return d;
  }

  int32_t create(std::vector<Declaration>& list, const DeclareContext& ctx = {}) {
    return declarations_create(L, &list, ctx);
  }

  std::vector<std::string> commands() const {
    std::vector<std::string> out;
    for (const Call& c : g_calls) out.push_back(c.command);
    return out;
  }
};

using Fields = std::map<std::string, std::string>;

// Every type's command in list order, displays last, the default display added, plug-in
// requirements passed over; arguments and option tables as each type asks.
TEST_F(DeclareTest, CommandsArgumentsAndTables) {
  std::vector<Declaration> list;
  Declaration disp2 = decl(DECL_DISPLAY, 2, nullptr);
  disp2.display.title = "Two";
  disp2.display.width = 320;
  disp2.display.height = 200;
  disp2.display.color = 0xFF;
  disp2.display.flags = DISPF_SCALEMODE1 | DISPF_SCALEMODE2 | DISPF_HIDDEN;
  disp2.display.drag_regions.push_back({1, 2, 3, 4, 5});
  list.push_back(disp2);
  Declaration brush = decl(DECL_BRUSH, 1, "/pics/a.png", 0x00FF00, 1);
  brush.words[PIC_WIDTH] = 30;
  brush.words[PIC_HARDWARE] = 1;
  list.push_back(brush);
  list.push_back(decl(DECL_SAMPLE, 2, "/snd/s.wav"));
  Declaration button = decl(DECL_BUTTON, 3, nullptr);
  for (int i = 0; i < 4; ++i) button.words[i] = 10 * (i + 1);
  list.push_back(button);
  list.push_back(decl(DECL_FILE, 4, "/f.txt", 0));
  list.push_back(decl(DECL_FONT, 5, "Arial.font", 12, 0x10004));
  list.push_back(decl(DECL_PLUGIN, 0, "someplugin", 1, 0));
  Declaration bg = decl(DECL_BGPIC, 1, "/bg.png");
  bg.bgpic.fill_style = 1;
  bg.bgpic.color = 0x102030;
  list.push_back(bg);

  ASSERT_EQ(create(list), 0);
  EXPECT_EQ(commands(), (std::vector<std::string>{"LoadBrush", "LoadSample", "CreateButton", "OpenFile",
                                                  "OpenFont", "LoadBGPic", "CreateDisplay", "CreateDisplay"}));
  EXPECT_EQ(g_calls[0].args, (std::vector<std::string>{"1", "\"/pics/a.png\""}));
  EXPECT_EQ(g_calls[0].fields, (Fields{{"transparency", "65280"}, {"loadalpha", "1"}, {"width", "30"},
                                       {"height", "0"}, {"x", "0"}, {"y", "0"}, {"hardware", "1"}}));
  EXPECT_EQ(g_calls[2].args, (std::vector<std::string>{"3", "10", "20", "30", "40"}));
  EXPECT_EQ(g_calls[3].args, (std::vector<std::string>{"4", "\"/f.txt\"", "1005"}));
  EXPECT_EQ(g_calls[4].args, (std::vector<std::string>{"5", "\"Arial.font\"", "12"}));
  EXPECT_EQ(g_calls[4].fields, (Fields{{"engine", "4"}, {"cache", "0"}}));
  EXPECT_EQ(g_calls[5].fields, (Fields{{"loadalpha", "0"}, {"fillstyle", "1"}, {"fillcolor", "1056816"}}));
  EXPECT_EQ(g_calls[6].args, (std::vector<std::string>{"2"}));
  EXPECT_EQ(g_calls[6].fields,
            (Fields{{"title", "\"Two\""}, {"x", "0"}, {"y", "0"}, {"width", "320"}, {"height", "200"},
                    {"fillstyle", "1"}, {"color", "255"}, {"hidden", "1"}, {"scalemode", "2"},
                    {"dragregion[0].type", "1"}, {"dragregion[0].x", "2"}, {"dragregion[0].y", "3"},
                    {"dragregion[0].width", "4"}, {"dragregion[0].height", "5"}}));
  // The default display 1 shows background picture 1 instead of a size and a fill.
  EXPECT_EQ(g_calls[7].args, (std::vector<std::string>{"1"}));
  EXPECT_EQ(g_calls[7].fields, (Fields{{"title", "\"Quillmere\""}, {"x", "-100000"}, {"y", "-100000"},
                                       {"active", "1"}, {"bgpic", "1"}}));
  EXPECT_EQ(err_context().line, -1);
  EXPECT_STREQ(err_context().function_name, "----");
}

TEST_F(DeclareTest, GradientKeysAndPrivate2) {
  std::vector<Declaration> list;
  add_default_display(&list, "Grad");
  DisplayPayload& p = list[0].display;
  p.fill_style = 2;
  p.gradient.start_colour = 1;
  p.gradient.end_colour = 2;
  p.gradient.angle = 45;
  p.gradient.stop_count = 1;
  p.gradient.stops[0] = {0xFFFFFFFFu, 0.5};
  DeclareContext ctx;
  ctx.private2 = true;
  ctx.screen_width = 1920;
  ctx.screen_height = 1080;
  ASSERT_EQ(create(list, ctx), 0);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].fields,
            (Fields{{"title", "\"Grad\""}, {"x", "-100000"}, {"y", "-100000"}, {"active", "1"},
                    {"width", "1920"}, {"height", "1080"}, {"fillstyle", "2"}, {"gradientstyle", "2"},
                    {"gradientstartcolor", "1"}, {"gradientendcolor", "2"}, {"gradientangle", "45"},
                    {"gradientcenterx", "0.5"}, {"gradientcentery", "0.5"}, {"gradientbalance", "0.5"},
                    {"gradientborder", "0"}, {"gradientcolors[0]", "4294967295"},
                    {"gradientcolors[1]", "0.5"}, {"private2", "1"}}));
}

// One file named by several picture declarations is read once: the first keeps it in the cache.
TEST_F(DeclareTest, ImageSharing) {
  std::vector<Declaration> list;
  list.push_back(decl(DECL_BRUSH, 1, "/Pic.png", -1, 0));
  list.push_back(decl(DECL_BRUSH, 2, "/pic.PNG", -1, 0));
  list.push_back(decl(DECL_BRUSH, 3, "/PIC.png", -1, 1));
  list.push_back(decl(DECL_ANIM, 4, "/x.png"));  // no frames: offers nothing
  list.push_back(decl(DECL_BRUSH, 5, "/x.png"));
  Declaration sprite = decl(DECL_SPRITE, 6, "/X.png");
  sprite.words[PIC_FRAMES] = 2;
  list.push_back(sprite);
  list.push_back(decl(DECL_BRUSH, 7, nullptr));  // no name: never compared
  list.push_back(decl(DECL_BRUSH, 8, nullptr));
  ASSERT_EQ(create(list), 0);
  ASSERT_EQ(g_calls.size(), 9u);
  auto key = [](int i, const char* k) {
    auto it = g_calls[size_t(i)].fields.find(k);
    return it == g_calls[size_t(i)].fields.end() ? std::string("-") : it->second;
  };
  EXPECT_EQ(key(0, "cache"), "\"/Pic.png\"");
  EXPECT_EQ(key(0, "cachealpha"), "1");
  EXPECT_EQ(key(1, "cachedload"), "\"/pic.PNG\"");
  EXPECT_EQ(key(2, "cachedload"), "\"/PIC.png\"");
  EXPECT_EQ(key(1, "cache"), "-");
  EXPECT_EQ(key(3, "cache") + key(3, "cachedload"), "--");
  EXPECT_EQ(key(4, "cache"), "\"/x.png\"");
  EXPECT_EQ(key(4, "cachealpha"), "0");
  EXPECT_EQ(key(5, "cachedload"), "\"/X.png\"");
  EXPECT_EQ(key(6, "cache") + key(7, "cachedload"), "--");
}

// The command line's display flags fill the bits that the applet did not give.
TEST_F(DeclareTest, CommandLineFlagMerge) {
  for (bool reset : {false, true}) {
    g_calls.clear();
    std::vector<Declaration> list;
    add_default_display(&list, nullptr);
    list[0].display.given_mask = DISPF_BORDERLESS;
    list[0].display.scale_width = 100;
    DeclareContext ctx;
    ctx.cmdline_flags = DISPF_BORDERLESS | DISPF_SIZEABLE;
    ctx.cmdline_scale_width = 800;
    ctx.cmdline_scale_height = 600;
    ctx.settings_reset = reset;
    ASSERT_EQ(create(list, ctx), 0);
    const Fields& f = g_calls.at(0).fields;
    EXPECT_EQ(f.count("borderless"), 0u);
    EXPECT_EQ(f.count("sizeable"), reset ? 0u : 1u);
    EXPECT_EQ(f.at("scalewidth"), "100");
    EXPECT_EQ(f.count("scaleheight"), reset ? 0u : 1u);
  }
}

// A linked object opens through its virtual name; a relative name through the directory current
// at its declaration.
TEST_F(DeclareTest, LinkedAndRelativeNames) {
  std::string host = dir / "host.bin";
  qmtest::write_bytes(host, {'x', 'x', 'x', 'x', 'x', 'D', 'A', 'T', 'A'});
  std::vector<Declaration> list;
  Declaration linked = decl(DECL_SAMPLE, 1, "Boom.wav");
  linked.linked_offset = 3;
  linked.linked_size = 4;
  list.push_back(linked);
  Declaration rel = decl(DECL_MUSIC, 2, "songs/a.mod");
  ASSERT_EQ(add_declaration(&list, rel), 0);
  EXPECT_FALSE(list[1].current_dir.empty());
  list[1].current_dir = "/base";
  DeclareContext ctx;
  ctx.applet_path = host;
  ctx.applet_offset = 2;
  ASSERT_EQ(create(list, ctx), 0);
  std::string vname = g_calls.at(0).args.at(1);
  vname = vname.substr(1, vname.size() - 2);
  EXPECT_TRUE(vfile_is_virtual(vname.c_str())) << vname;
  EXPECT_EQ(vfile_basename(vname.c_str()), "Boom.wav");
  qmFileHandle* h = qmos_open(vname.c_str(), QMOS_MODE_READ);
  ASSERT_NE(h, nullptr);
  char buf[8] = {};
  EXPECT_EQ(qmos_read(h, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "DATA");
  qmos_close(h);
  EXPECT_EQ(g_calls.at(1).args.at(1), "\"/base/songs/a.mod\"");
}

// A command that no library registers stops the creation with a clear error naming it and the
// declaration's line; so does a command that fails.
TEST_F(DeclareTest, FailuresNameTheCommandAndLine) {
  vm_push_string(L, "openvideo");
  vm_push_nil(L);
  vm_set_table(L, QM_GLOBALSINDEX);
  std::vector<Declaration> list;
  list.push_back(decl(DECL_SAMPLE, 1, "/a.wav"));
  Declaration video = decl(DECL_VIDEO, 2, "/v.mov");
  video.context = 42;
  list.push_back(video);
  list.push_back(decl(DECL_SAMPLE, 3, "/b.wav"));
  EXPECT_EQ(create(list), ERR_UNIMPLCMD);
  EXPECT_EQ(commands(), std::vector<std::string>{"LoadSample"});
  EXPECT_EQ(err_context().line, 42);
  EXPECT_STREQ(err_context().function_name, "OpenVideo");

  g_calls.clear();
  g_fail_code = ERR_READFILE;
  std::vector<Declaration> two;
  Declaration brush = decl(DECL_BRUSH, 1, "/a.png");
  brush.context = 7;
  two.push_back(brush);
  int32_t code = vm_cpcall(L, [](qmState* L2, void* ud) {
    declarations_create(L2, static_cast<std::vector<Declaration>*>(ud), DeclareContext{});
  }, &two);
  EXPECT_EQ(code, ERR_READFILE);
  EXPECT_EQ(commands(), std::vector<std::string>{"LoadBrush"});
  EXPECT_STREQ(err_context().function_name, "LoadBrush");
}

}  // namespace
