#include <cstring>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "runtime/os/qmos.h"
#include "runtime/project.h"
#include "tests/runtime/applet/applet_fixture.h"
#include "tools/qmappend/append.h"

using namespace qm;
using namespace qm::asmx;
using qmtest::AppletTest;

namespace {

// An applet that uses every kind of section, version 5.0.
std::vector<uint8_t> full_applet() {
  AppletWriter w;
  w.version(5, 0);
  w.text(11, "Title");
  w.text(12, "1.0");
  w.text(13, "(c)");
  w.text(14, "Author");
  w.text(15, "Description");
  DeclRecord brush{1, 7, "pics/a.png", "", -1, 0, 12, payload_brush(500, 10, 20, 1, 2, -1, 1)};
  DeclRecord sprite{7, 3, "spr.png", "PIXELS", 0xFF00, 1, 13, payload_sprite(8, 8, 4, 2, 0, 0)};
  DisplayFields df;
  df.title = "Main";
  df.drag.push_back({0, 1, 2, 3, 4});
  df.gradient.stops = {{0xFF0000, 0.25}, {0x00FF00, 0.75}};
  DeclRecord disp{10, 1, "", "", -1, 0, 14, payload_display(500, df)};
  w.declarations({brush, sprite, disp});
  w.u8(3), w.u16(800), w.u16(600);
  w.u8(4), w.u16(3), w.raw("abc", 3);
  w.u8(5), w.u32(0x123456);
  w.u8(6), w.u32(10), w.u32(20);
  w.u8(7);
  w.u8(8), w.u32(1), w.u32(1), w.u32(9), w.u32(0), w.cstring("inc.qms");
  w.labels({{"Start", 3}, {"LOOP", 7}});
  w.u8(16), w.u8(2);
  w.u8(17), w.u8(4), w.u32(1), w.u32(2), w.u32(3), w.u32(4), w.u32(5), w.u8(1);
  w.flag(18, 1);
  w.flag(19, 0);
  w.u8(22), w.u16(1024), w.u16(768);
  w.u8(23), w.u8(24);
  w.linked_files({{"Data\\Level.bin", "LEVELDATA", false}, {"music.mod", "MODULE", true}});
  w.u8(27), w.u32(1), w.u32(10), w.u32(19), w.u32(0), w.cstring("b.qms"), w.cstring("/x/b.qms");
  w.u8(28), w.u8(1), w.u32(320), w.u32(240), w.u8(1);
  w.flag(30, 1);
  w.number_constant("#SPEED", 2.5);
  w.string_constant("#NAME", "Quill");
  w.bytecode(qmtest::tiny_chunk());
  return w.bytes();
}

}  // namespace

TEST_F(AppletTest, ReadsEverySection) {
  Applet a;
  ASSERT_EQ(read(full_applet(), &a), 0);
  EXPECT_EQ(a.version, 500);
  EXPECT_EQ(a.bytecode, qmtest::tiny_chunk());
  EXPECT_EQ(a.title, "Title");
  EXPECT_EQ(a.description, "Description");
  ASSERT_EQ(a.declarations.size(), 3u);
  const Declaration& brush = a.declarations[0];
  EXPECT_EQ(brush.source_name, "pics/a.png");
  EXPECT_EQ(brush.context, 12);
  EXPECT_EQ(brush.words[PIC_WIDTH], 10);
  EXPECT_EQ(brush.words[PIC_Y], 2);
  EXPECT_EQ(brush.words[PIC_GLOBALALPHA], -1);
  EXPECT_EQ(brush.words[PIC_HARDWARE], 1);
  EXPECT_EQ(brush.from_applet, 1);
  const Declaration& sprite = a.declarations[1];
  EXPECT_EQ(sprite.words[PIC_FRAMES], 4);
  EXPECT_EQ(sprite.words[PIC_FPR], 2);
  EXPECT_EQ(sprite.linked_size, 6u);
  const DisplayPayload& d = a.declarations[2].display;
  EXPECT_EQ(d.title, "Main");
  EXPECT_EQ(d.width, 800);
  EXPECT_EQ(d.color, 0x123456u);
  EXPECT_EQ(d.x, 10);
  ASSERT_EQ(d.drag_regions.size(), 1u);
  EXPECT_EQ(d.drag_regions[0].height, 4);
  ASSERT_EQ(d.gradient.stop_count, 2);
  EXPECT_DOUBLE_EQ(d.gradient.stops[1].position, 0.75);
  // Tags 18, 19, 28 and 30: the byte decides the flag, the given mask takes every bit named.
  EXPECT_EQ(d.flags, DISPF_BORDERLESS | DISPF_SCALEMODE2 | DISPF_SMOOTHSCALE | DISPF_NOHIDE);
  EXPECT_EQ(d.given_mask, DISPF_BORDERLESS | DISPF_FIXED | DISPF_SCALEMODE2 | DISPF_SMOOTHSCALE |
                              DISPF_NOHIDE);
  EXPECT_EQ(d.scale_width, 320);
  EXPECT_TRUE(a.settings.private2);
  EXPECT_EQ(a.settings.display_mode, 2);
  EXPECT_EQ(a.settings.backfill, 4);
  EXPECT_EQ(a.settings.scale_picture, 1);
  EXPECT_EQ(a.settings.screen_height, 768);
  EXPECT_EQ(a.settings.screen_depth, 24);
  ASSERT_EQ(a.includes.size(), 2u);
  EXPECT_EQ(a.includes[1].file_name, "b.qms");
  // Labels and constants land in the registry.
  EXPECT_EQ(vm_label_find(L, "start"), 3);
  EXPECT_EQ(vm_label_find(L, "loop"), 7);
  double num = 0;
  const char* text = nullptr;
  ASSERT_TRUE(vm_find_constant(L, "#speed", &text, &num));
  EXPECT_EQ(num, 2.5);
  ASSERT_TRUE(vm_find_constant(L, "#name", &text, &num));
  EXPECT_STREQ(text, "Quill");
  EXPECT_STREQ(vm_reg_get_string(L, "script"), ":none:");
}

// Both kinds of linked-file entry resolve to virtual names whose bytes are the linked data, with
// the script's own spelling of the name.
TEST_F(AppletTest, LinkedFilesBothWays) {
  for (int64_t offset : {0, 100}) {
    std::vector<uint8_t> bytes(size_t(offset), 0x7F);
    std::vector<uint8_t> applet = full_applet();
    bytes.insert(bytes.end(), applet.begin(), applet.end());
    Applet a;
    ASSERT_EQ(read(bytes, &a, offset), 0);
    Program project;
    project.linked = a.linked;
    project_register(L, &project);
    for (auto [name, want] : {std::pair{"data/level.BIN", "LEVELDATA"}, {"MUSIC.mod", "MODULE"}}) {
      int32_t is_font = 1;
      std::string v = linked_file_lookup(L, name, 0, &is_font);
      EXPECT_EQ(is_font, 0);
      qmFileHandle* h = qmos_open(v.c_str(), QMOS_MODE_READ);
      ASSERT_NE(h, nullptr) << v;
      char buf[32] = {};
      EXPECT_EQ(qmos_read(h, buf, sizeof buf), int64_t(std::strlen(want)));
      EXPECT_STREQ(buf, want);
      qmos_close(h);
    }
    EXPECT_EQ(linked_file_lookup(L, "other.bin", 0, nullptr), "other.bin");
  }
}

TEST_F(AppletTest, TooShortOrNoMagicIsNoApplet) {
  for (std::vector<uint8_t> bytes : {std::vector<uint8_t>{}, {'Q'}, {'Q', 'M', 'A', 0},
                                     {'Q', 'M', 'B', 0, 1}, {'Q', 'M', 'A', 1, 1}}) {
    Applet a;
    EXPECT_EQ(read(bytes, &a), ERR_NOAPPLET) << bytes.size();
    EXPECT_STREQ(err_context().string_arg, "prog.qma");
  }
  Applet a;
  EXPECT_EQ(applet_read(L, (dir / "missing.qma").c_str(), 0, &a), ERR_FILEEXIST);
}

// Every cut of a complete applet ends inside a field or before the bytecode.
TEST_F(AppletTest, EveryCutIsUnexpectedEnd) {
  std::vector<uint8_t> whole = full_applet();
  for (size_t n = 5; n < whole.size(); ++n) {
    Applet a;
    ASSERT_EQ(read({whole.begin(), whole.begin() + std::ptrdiff_t(n)}, &a), ERR_UNEXPECTEDEOF)
        << "cut at " << n;
  }
}

TEST_F(AppletTest, BytesAfterTheBytecodeAreNeverRead) {
  AppletWriter w;
  w.bytecode(qmtest::tiny_chunk());
  w.u8(99);  // no such section
  w.u8(1), w.u32(0xFFFFFFF0u);
  Applet a;
  EXPECT_EQ(read(w.bytes(), &a), 0);
}

TEST_F(AppletTest, Versions) {
  struct Case {
    uint8_t major, minor;
    int32_t code;
    const char* text;
  } cases[] = {{5, 0, 0, ""}, {4, 9, 0, ""}, {5, 1, ERR_APPLETVERSION, "5.1"},
               {6, 0, ERR_APPLETVERSION, "6.0"}};
  for (const Case& c : cases) {
    AppletWriter w;
    w.version(c.major, c.minor);
    w.bytecode(qmtest::tiny_chunk());
    Applet a;
    err_set_string_arg("");
    EXPECT_EQ(read(w.bytes(), &a), c.code) << int(c.major) << "." << int(c.minor);
    if (c.code) {
      EXPECT_STREQ(err_context().string_arg, c.text);
    }
  }
}

// Payload sizes by version, counted by hand from the layout: a reader that takes a field from the
// wrong version reads the next section from the wrong place.
TEST_F(AppletTest, VersionGatedPayloads) {
  DisplayFields df;
  df.title = "T";
  df.fill_style = 2;
  df.end_color = 0xABCDEF;
  struct Case {
    int32_t version;
    uint8_t type;
    std::vector<uint8_t> payload;
    size_t size;
  } cases[] = {
      {300, 2, payload_anim(300, 1, 5, 6, 7, 8, 9, 10), 1},
      {401, 2, payload_anim(401, 1, 5, 6, 7, 8, 9, 10), 13},
      {299, 2, payload_anim(299, 1, 5, 6, 7, 8, 9, 10), 0},
      {406, 0, payload_bgpic(406, 1, 2, 3, 4, 5, 6, 7), 0},
      {407, 0, payload_bgpic(407, 1, 2, 3, 4, 5, 6, 7), 23},
      {500, 0, payload_bgpic(500, 1, 2, 3, 4, 5, 6, 7), 23 + 18},
      {407, 1, payload_brush(407, 1, 2, 3, 4, 5, 1), 10},
      {500, 1, payload_brush(500, 1, 2, 3, 4, 5, 1), 11},
      {406, 10, payload_display(406, df), 40 + 8 + 3},
      {407, 10, payload_display(407, df), 40 + 8 + 3 + 19},
      {500, 10, payload_display(500, df), 40 + 8 + 3 + 19 + 18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "version " << c.version << " type " << int(c.type));
    EXPECT_EQ(c.payload.size(), c.size);
    AppletWriter w;
    w.version(uint8_t(c.version / 100), uint8_t(c.version % 100));
    w.declarations({{c.type, 1, c.type == 10 ? "" : "x", "", -1, 0, 0, c.payload}});
    w.text(11, "after");
    w.bytecode(qmtest::tiny_chunk());
    Applet a;
    ASSERT_EQ(read(w.bytes(), &a), 0);
    EXPECT_EQ(a.title, "after");
    const Declaration& d = a.declarations.at(0);
    if (c.type == 2) {
      EXPECT_EQ(d.words[PIC_FROMDISK], c.version >= 300 ? 1 : 0);
      EXPECT_EQ(d.words[PIC_FRAMES], c.version >= 401 ? 7 : 0);
      EXPECT_EQ(d.words[PIC_X], c.version >= 401 ? 9 : 0);
    } else if (c.type == 10) {
      EXPECT_EQ(d.display.fill_style, c.version >= 407 ? 2 : 1);
      EXPECT_EQ(d.display.gradient.end_colour, c.version >= 407 ? 0xABCDEFu : 0u);
    } else if (c.type == 0) {
      EXPECT_EQ(d.bgpic.fill_style, c.version >= 407 ? 1 : 0);
      EXPECT_EQ(d.bgpic.gradient.type, 2);
    }
  }
}

// Malformed sections and fields over their bounds.
TEST_F(AppletTest, MalformedSections) {
  auto with = [](auto build) {
    AppletWriter w;
    w.version(5, 0);
    build(w);
    w.bytecode(qmtest::tiny_chunk());
    return w.bytes();
  };
  DisplayFields many_regions;
  many_regions.drag.resize(65);
  DisplayFields many_stops;
  many_stops.gradient.stops.resize(65);
  DisplayFields long_title;
  long_title.title.assign(256, 't');
  DisplayFields ok_title;
  ok_title.title.assign(255, 't');
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int32_t code;
  } cases[] = {
      {"tag 32", with([](AppletWriter& w) { w.u8(32); }), ERR_UNKNOWNSEC},
      {"negative tag 4", with([](AppletWriter& w) { w.u8(4), w.u16(0xFFFE); }), ERR_UNKNOWNSEC},
      {"title of 256", with([](AppletWriter& w) { w.text(11, std::string(256, 'x')); }), ERR_UNKNOWNSEC},
      {"title of 255", with([](AppletWriter& w) { w.text(11, std::string(255, 'x')); }), 0},
      {"object type 13", with([](AppletWriter& w) { w.declarations({{13, 1, "", "", 0, 0, 0, {}}}); }), ERR_UNKNOWNSEC},
      {"65 regions", with([&](AppletWriter& w) { w.declarations({{10, 1, "", "", 0, 0, 0, payload_display(500, many_regions)}}); }), ERR_UNKNOWNSEC},
      {"65 stops", with([&](AppletWriter& w) { w.declarations({{10, 1, "", "", 0, 0, 0, payload_display(500, many_stops)}}); }), ERR_UNKNOWNSEC},
      {"display title 256", with([&](AppletWriter& w) { w.declarations({{10, 1, "", "", 0, 0, 0, payload_display(500, long_title)}}); }), ERR_UNKNOWNSEC},
      {"display title 255", with([&](AppletWriter& w) { w.declarations({{10, 1, "", "", 0, 0, 0, payload_display(500, ok_title)}}); }), 0},
      {"source name of 1024", with([](AppletWriter& w) { w.declarations({{4, 1, std::string(1024, 'n'), "", 0, 0, 0, {}}}); }), ERR_UNKNOWNSEC},
      {"name past the end", with([](AppletWriter& w) {
         w.u8(2), w.u32(1), w.u8(4), w.u32(1), w.u32(0x7FFFFFF0), w.u32(8);
         for (int i = 0; i < 5; ++i) w.u32(0);
       }), ERR_UNEXPECTEDEOF},
      {"linked data past the end", with([](AppletWriter& w) {
         w.u8(2), w.u32(1), w.u8(4), w.u32(1), w.u32(0), w.u32(0), w.u32(4), w.u32(0xFFFFFFFF);
         for (int i = 0; i < 3; ++i) w.u32(0);
       }), ERR_UNEXPECTEDEOF},
      {"linked entry past the end", with([](AppletWriter& w) {
         w.u8(26), w.u32(1), w.u32(0), w.cstring("f"), w.u32(0xFFFFFFFF), w.u32(100), w.u32(90000);
       }), ERR_UNEXPECTEDEOF},
      {"huge bytecode length", [] {
         AppletWriter w;
         w.u8(1), w.u32(0xFFFFFFFF), w.u8(0);
         return w.bytes();
       }(), ERR_UNEXPECTEDEOF},
      {"huge declaration count", with([](AppletWriter& w) { w.u8(2), w.u32(0xFFFFFFFF); }), ERR_UNEXPECTEDEOF},
      {"label name of 128", with([](AppletWriter& w) { w.labels({{std::string(128, 'l'), 1}}); }), ERR_UNKNOWNSEC},
  };
  for (const Case& c : cases) {
    Applet a;
    EXPECT_EQ(read(c.bytes, &a), c.code) << c.what;
  }
}

// The first-display sections change the last display declared, never another object, and declare
// the default display when there is none.
TEST_F(AppletTest, FirstDisplaySettingsGoToADisplay) {
  DisplayFields df;
  df.title = "Two";
  AppletWriter w;
  w.version(5, 0);
  w.declarations({{10, 2, "", "", -1, 0, 0, payload_display(500, df)},
                  {1, 5, "b.png", "", -1, 0, 0, payload_brush(500, 1, 1, 0, 0, -1, 0)},
                  {4, 6, "s.wav", "", -1, 0, 0, {}}});
  w.flag(18, 1);
  w.u8(3), w.u16(320), w.u16(200);
  w.bytecode(qmtest::tiny_chunk());
  Applet a;
  ASSERT_EQ(read(w.bytes(), &a), 0);
  ASSERT_EQ(a.declarations.size(), 3u);
  EXPECT_EQ(a.declarations[0].display.flags, DISPF_BORDERLESS);
  EXPECT_EQ(a.declarations[0].display.width, 320);
  EXPECT_EQ(a.declarations[1].display.flags, 0u);
  EXPECT_EQ(a.declarations[2].display.width, 0);

  AppletWriter none;
  none.declarations({{4, 6, "s.wav", "", -1, 0, 0, {}}});
  none.flag(24, 1);
  none.bytecode(qmtest::tiny_chunk());
  Applet b;
  ASSERT_EQ(read(none.bytes(), &b), 0);
  ASSERT_EQ(b.declarations.size(), 2u);
  const Declaration& def = b.declarations[1];
  EXPECT_EQ(def.type, DECL_DISPLAY);
  EXPECT_EQ(def.id, 1);
  EXPECT_EQ(def.display.width, 640);
  EXPECT_EQ(def.display.title, "Quillmere");
  EXPECT_EQ(def.display.flags, DISPF_ACTIVE | DISPF_HIDEPOINTER);
  EXPECT_EQ(def.display.given_mask, DISPF_HIDEPOINTER);
}

// A compressed applet inflates into a temporary file; python3's zlib agrees with the stream.
TEST_F(AppletTest, CompressedApplet) {
  std::vector<uint8_t> plain = full_applet();
  std::vector<uint8_t> packed = compress_applet(plain);
  std::string packed_path = dir / "packed.qmz";
  qmtest::write_bytes(packed_path, packed);
  std::string py = dir / "plain.py.qma";
  qmtest::shell("python3 -c \"import sys,zlib; d=open(sys.argv[1],'rb').read(); "
                "open(sys.argv[2],'wb').write(zlib.decompress(d[8:]))\" '" + packed_path + "' '" + py + "'");
  EXPECT_EQ(qmtest::read_bytes(py), plain);

  std::vector<uint8_t> appended(300, 0xEE);
  appended.insert(appended.end(), packed.begin(), packed.end());
  Applet a;
  ASSERT_EQ(read(appended, &a, 300), 0);
  EXPECT_TRUE(a.compressed);
  EXPECT_EQ(a.offset, 0);
  // The inflated copy has no name in any folder; it is reached through its open descriptor.
  EXPECT_EQ(a.path.rfind("/proc/self/fd/", 0), 0u) << a.path;
  EXPECT_EQ(qmtest::read_bytes(a.path), plain);
  EXPECT_EQ(a.bytecode, qmtest::tiny_chunk());
  EXPECT_EQ(a.declarations.at(0).host_path, a.path);

  std::vector<uint8_t> cut(packed.begin(), packed.end() - 6);
  Applet b;
  EXPECT_EQ(read(cut, &b), ERR_ZLIBDATA);
}

TEST(AppletLocation, RecordIsUnpatchedAndMatchesTheTemplate) {
  AppletLocation loc = applet_location_copy();
  EXPECT_EQ(applet_location_offset(loc), -1);
  uint8_t tmpl[APPLET_LOCATION_SIZE];
  applet_location_template(tmpl);
  EXPECT_EQ(std::memcmp(&loc, tmpl, APPLET_LOCATION_SIZE), 0);
  EXPECT_STREQ(loc.marker, "Brenkal Dovitran Entertainment");
  put_be32(loc.offset, 1234);
  EXPECT_EQ(applet_location_offset(loc), 1234);
}

// qmasm's applet directives produce what the reader expects, plain and compressed.
TEST_F(AppletTest, AssemblerWritesApplets) {
  qmtest::write_bytes(dir / "logo.bin", {'L', 'O', 'G', 'O'});
  for (bool compress : {false, true}) {
    std::string text = std::string(compress ? ".compress\n" : "") +
                       ".appletversion 4 7\n"
                       ".meta title \"Demo\"\n"
                       ".declare brush 3 \"logo.png\" width=64 alpha=128 link=\"logo.bin\" line=5\n"
                       ".declare display 1 title=\"Demo Display\" width=320 height=200 fill=3\n"
                       ".link \"Data\\\\x.bin\" \"logo.bin\"\n"
                       ".constant #LIMIT 99\n"
                       ".constant #WHO \"me\"\n"
                       "  LOADK r0 #1\n"
                       ".scriptlabel again\n"
                       "  RETURN r0 1\n";
    std::vector<uint8_t> bytes;
    bool is_applet = false;
    std::string error;
    ASSERT_TRUE(assemble_program(text, dir.path(), bytes, is_applet, error)) << error;
    ASSERT_TRUE(is_applet);
    Applet a;
    ASSERT_EQ(read(bytes, &a), 0);
    EXPECT_EQ(a.compressed, compress);
    EXPECT_EQ(a.version, 407);
    EXPECT_EQ(a.title, "Demo");
    ASSERT_EQ(a.declarations.size(), 2u);
    EXPECT_EQ(a.declarations[0].words[PIC_WIDTH], 64);
    EXPECT_EQ(a.declarations[0].words[PIC_GLOBALALPHA], 128);
    EXPECT_EQ(a.declarations[0].linked_size, 4u);
    EXPECT_EQ(a.declarations[0].context, 5);
    EXPECT_EQ(a.declarations[1].display.title, "Demo Display");
    EXPECT_EQ(a.declarations[1].display.fill_style, 3);
    ASSERT_EQ(a.linked.files.size(), 1u);
    EXPECT_EQ(vm_label_find(L, "again"), 1);
    double n = 0;
    ASSERT_TRUE(vm_find_constant(L, "#limit", nullptr, &n));
    EXPECT_EQ(n, 99);
  }
  std::vector<uint8_t> chunk;
  bool is_applet = true;
  std::string error;
  ASSERT_TRUE(assemble_program("  RETURN r0 1\n", "", chunk, is_applet, error));
  EXPECT_FALSE(is_applet);
  EXPECT_FALSE(assemble_program(".declare brush 1 \"x\" frames=2\n", "", chunk, is_applet, error));
  EXPECT_NE(error.find("frames"), std::string::npos) << error;
}

// The record is in this very executable exactly once; qmappend patches it and the applet reads
// back from the offset it wrote.
TEST_F(AppletTest, AppendedApplet) {
  std::vector<uint8_t> self = qmtest::read_bytes("/proc/self/exe");
  EXPECT_GE(find_location_record(self), 0);

  uint8_t tmpl[APPLET_LOCATION_SIZE];
  applet_location_template(tmpl);
  std::vector<uint8_t> player(1000, 0x90);
  std::copy(tmpl, tmpl + APPLET_LOCATION_SIZE, player.begin() + 200);
  std::vector<uint8_t> applet = full_applet();
  std::string error;
  std::vector<uint8_t> joined = append_applet(player, applet, &error);
  ASSERT_EQ(joined.size(), 1000 + applet.size()) << error;
  AppletLocation loc;
  std::memcpy(&loc, joined.data() + 200, sizeof loc);
  ASSERT_EQ(applet_location_offset(loc), 1000);
  Applet a;
  ASSERT_EQ(read(joined, &a, applet_location_offset(loc), "player"), 0);
  EXPECT_EQ(a.title, "Title");

  std::vector<uint8_t> twice = player;
  std::copy(tmpl, tmpl + APPLET_LOCATION_SIZE, twice.begin() + 600);
  EXPECT_TRUE(append_applet(twice, applet, &error).empty());
  EXPECT_TRUE(append_applet(std::vector<uint8_t>(100, 0), applet, &error).empty());
  EXPECT_TRUE(append_applet(joined, applet, &error).empty());  // already patched
}
