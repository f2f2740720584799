// The vectorgraphics library without a plug-in: the operation buffer each command writes, its
// growth, the stroke settings, the ids, and the commands that need geometry.
#include <gtest/gtest.h>

#include <functional>

#include "engine/errcodes.h"
#include "tests/draw/path_harness.h"

namespace qmtest {
namespace {

using namespace qm;

class Paths : public PathHarness {};

std::vector<uint32_t> op(std::initializer_list<uint32_t> head, std::initializer_list<double> reals = {},
                         std::initializer_list<uint32_t> tail = {}) {
  std::vector<uint32_t> w(head);
  for (double r : reals) put_real(w, r);
  w.insert(w.end(), tail);
  w.push_back(0);
  return w;
}

TEST_F(Paths, EachBuildingCommandWritesItsOperation) {
  struct Case {
    const char* command;
    std::vector<Arg> args;  // after the id
    std::vector<uint32_t> words;
    std::function<void()> table = nullptr;  // an option table as the last argument
  };
  const Case cases[] = {
      {"MoveTo", {1.5, -2.0}, op({1, 0}, {1.5, -2})},
      {"LineTo", {3.0, 4.0}, op({2, 0}, {3, 4})},
      {"RelMoveTo", {-1.0, 0.25}, op({1, 1}, {-1, 0.25})},
      {"RelLineTo", {7.0, 8.0}, op({2, 1}, {7, 8})},
      {"CurveTo", {1.0, 2.0, 3.0, 4.0, 5.0, 6.0}, op({3, 0}, {1, 2, 3, 4, 5, 6})},
      {"RelCurveTo", {1.0, 2.0, 3.0, 4.0, 5.0, 6.0}, op({3, 1}, {1, 2, 3, 4, 5, 6})},
      {"StartSubPath", {}, op({5})},
      {"ClosePath", {}, op({6})},
      {"AddArcToPath", {10.0, 20.0, 5.0, 6.0, 30.0, 200.0}, op({7}, {10, 20, 5, 6, 30, 200}, {1})},
      {"AddArcToPath", {10.0, 20.0, 5.0, 6.0, 30.0, 200.0, 0.0}, op({7}, {10, 20, 5, 6, 30, 200}, {0})},
      {"AddEllipseToPath", {10.0, 20.0, 5.0, 6.0}, op({7}, {10, 20, 5, 6, 0, 360}, {1})},
      {"AddCircleToPath", {10.0, 20.0, 5.0}, op({7}, {10, 20, 5, 5, 0, 360}, {1})},
      {"AddBoxToPath", {1.0, 2.0, 3.0, 4.0}, op({8}, {1, 2, 3, 4}, {0, 0, 0, 0})},
      {"AddBoxToPath", {1.0, 2.0, 3.0, 4.0}, op({8}, {1, 2, 3, 4}, {30, 100, 30, 0}), [this] {
         set_number("roundlevel", 30);
         set_number("cornerb", 150);
         set_number("cornerd", -5);
       }},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(code("StartPath", {1.0}), 0);
    std::string lower(c.command);
    for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    vm_set_top(L, 0);
    vm_push_string(L, lower.c_str());
    vm_get_table(L, QM_GLOBALSINDEX);
    push(1.0);
    for (const Arg& a : c.args) push(a);
    if (c.table) {
      vm_new_table(L);
      c.table();
    }
    ASSERT_EQ(vm_pcall(L, int32_t(c.args.size()) + (c.table ? 2 : 1), QM_MULTRET, 0), 0) << c.command;
    EXPECT_EQ(words(1), c.words) << c.command;
  }
}

TEST_F(Paths, BuffersStartAt1024BytesAndGrowInSteps) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  EXPECT_EQ(path(1)->capacity, 0u);
  ASSERT_EQ(code("MoveTo", {1.0, 0.0, 0.0}), 0);
  EXPECT_EQ(path(1)->capacity, 1024u);
  // 100 lines of 24 bytes: the buffer grows each time 128 bytes no longer fit, by 1024.
  for (int i = 0; i < 100; ++i) ASSERT_EQ(code("LineTo", {1.0, double(i), 1.0}), 0);
  EXPECT_EQ(path(1)->used, 101 * 24u);
  EXPECT_EQ(path(1)->capacity, 3072u);
  std::vector<uint32_t> w = words(1);
  std::vector<uint32_t> want = op({1, 0}, {0, 0});
  want.pop_back();
  for (int i = 0; i < 100; ++i) {
    want.insert(want.end(), {2, 0});
    put_real(want, i);
    put_real(want, 1);
  }
  want.push_back(0);
  EXPECT_EQ(w, want);
}

TEST_F(Paths, TextOperandsTakeWholeWordsWithRoomForTheirZero) {
  EXPECT_EQ(qmvec_text_room(0), 4u);
  EXPECT_EQ(qmvec_text_room(3), 4u);
  EXPECT_EQ(qmvec_text_room(4), 8u);
  EXPECT_EQ(qmvec_text_room(7), 8u);
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  for (const char* text : {"", "abc", "abcd", "abcdefg"}) {
    const qm::PathOperand o[3] = {qm::PathOperand::handle(9), qm::PathOperand::integer(12),
                                  qm::PathOperand::string(text, std::strlen(text))};
    ASSERT_EQ(qm::path_append(path(1), 9, o, 3), 0);
    ASSERT_EQ(code("ClosePath", {1.0}), 0);
  }
  // opcode, handle, size, text words, then the close that follows each.
  const std::vector<uint32_t> w = words(1);
  auto text_words = [](const char* s) {
    std::vector<uint32_t> out(qmvec_text_room(std::strlen(s)) / 4, 0);
    std::memcpy(out.data(), s, std::strlen(s));
    return out;
  };
  std::vector<uint32_t> want;
  for (const char* text : {"", "abc", "abcd", "abcdefg"}) {
    want.insert(want.end(), {9, 9, 12});
    const std::vector<uint32_t> t = text_words(text);
    want.insert(want.end(), t.begin(), t.end());
    want.push_back(6);
  }
  want.push_back(0);
  EXPECT_EQ(w, want);
}

TEST_F(Paths, SetDashTakesThePatternOrSwitchesDashingOff) {
  ASSERT_EQ(code("SetDash", {2.0, 4.0, 2.0}), 0);
  EXPECT_EQ(qm::path_vector_style().dash_offset, 2.0);
  EXPECT_EQ(qm::path_vector_style().dashes, (std::vector<double>{4, 2}));
  ASSERT_EQ(code("SetDash", {0.0, -1.0}), 0);
  EXPECT_EQ(qm::path_vector_style().dash_offset, 0.0);
  EXPECT_TRUE(qm::path_vector_style().dashes.empty());
  EXPECT_EQ(code("SetDash", {1.0}), ERR_MISSINGPARAMTR);
  ASSERT_EQ(code("SetLineJoin", {2.0}), 0);
  ASSERT_EQ(code("SetLineCap", {1.0}), 0);
  ASSERT_EQ(code("SetFillRule", {1.0}), 0);
  const qmVecStroke s = qm::path_stroke_block(qm::path_vector_style(), true);
  EXPECT_EQ(s.size, sizeof(qmVecStroke));
  EXPECT_EQ(s.line_join, 2);
  EXPECT_EQ(s.line_cap, 1);
  EXPECT_EQ(s.fill_rule, 1);
  EXPECT_EQ(s.antialias, 1);
  EXPECT_EQ(s.dash_count, 0);
}

// Ids: replacing, freeing what is gone, and a path named twice by one command.
TEST_F(Paths, IdsFollowTheObjectRules) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("MoveTo", {1.0, 1.0, 1.0}), 0);
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  EXPECT_EQ(qm::objlist_count_type(OBJ_VECTORPATH), 1);
  EXPECT_TRUE(words(1).empty());
  ASSERT_EQ(code("FreePath", {1.0}), 0);
  EXPECT_EQ(code("FreePath", {1.0}), ERR_FINDPATH);
  char text[256];
  qm::err_get_text(ERR_FINDPATH, text, sizeof text);
  EXPECT_STREQ(text, "Could not find path 1!");
  // A handle that no path holds any longer.
  qm::qmPath* gone = nullptr;
  ASSERT_EQ(qm::path_new(L, qm::automatic_id(), &gone), 0);
  void* handle = gone;
  qm::path_free(L, gone);
  vm_set_top(L, 0);
  vm_push_string(L, "freepath");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_lightuserdata(L, handle);
  EXPECT_EQ(vm_pcall(L, 1, QM_MULTRET, 0), ERR_FINDARRAY);

  ASSERT_EQ(code("StartPath", {2.0}), 0);
  EXPECT_EQ(code("AppendPath", {2.0, 2.0}), ERR_WRONGUSAGE);
  EXPECT_EQ(code("CopyPath", {2.0, 2.0}), ERR_WRONGUSAGE);
  // An empty source: the copy is empty, the append changes nothing.
  ASSERT_EQ(code("CopyPath", {2.0, 3.0}), 0);
  EXPECT_TRUE(words(3).empty());
  ASSERT_EQ(code("MoveTo", {3.0, 5.0, 6.0}), 0);
  ASSERT_EQ(code("AppendPath", {3.0, 2.0}), 0);
  EXPECT_EQ(words(3), op({1, 0}, {5, 6}));
  // Appending joins the operations under one end word; copying keeps the source's capacity.
  ASSERT_EQ(code("ClosePath", {2.0}), 0);
  ASSERT_EQ(code("AppendPath", {3.0, 2.0}), 0);
  EXPECT_EQ(words(3), op({1, 0, 0, 0x40140000, 0, 0x40180000, 6}));
  ASSERT_EQ(code("CopyPath", {3.0, 2.0}), 0);
  EXPECT_EQ(words(2), words(3));
  EXPECT_EQ(path(2)->capacity, path(3)->capacity);
  EXPECT_EQ(code("CopyPath", {9.0, 4.0}), ERR_FINDPATH);
  EXPECT_EQ(call("CopyPath", {3.0, Nil{}}).results, std::vector<std::string>{"other"});
  EXPECT_EQ(qm::objlist_count_type(OBJ_VECTORPATH), 3);
}

// Without a plug-in the paths are built as ever; what needs geometry gives ERR_VECGFXPLUGIN
// before the path is looked up, and TranslatePath only when it has something to move.
TEST_F(Paths, WithoutAPluginGeometryFails) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("TranslatePath", {1.0, 5.0, 5.0}), 0);
  ASSERT_EQ(code("MoveTo", {1.0, 1.0, 2.0}), 0);
  ASSERT_EQ(code("TranslatePath", {1.0, 0.0, 0.0}), 0);
  const std::vector<uint32_t> before = words(1);
  EXPECT_EQ(code("TranslatePath", {1.0, 5.0, 0.0}), ERR_VECGFXPLUGIN);
  EXPECT_EQ(words(1), before);
  EXPECT_EQ(code("TranslatePath", {7.0, 5.0, 0.0}), ERR_FINDPATH);
  for (double id : {1.0, 7.0}) {
    EXPECT_EQ(code("DrawPath", {id, 0.0, 0.0}), ERR_VECGFXPLUGIN);
    EXPECT_EQ(code("AddTextToPath", {id, std::string("a")}), ERR_VECGFXPLUGIN);
    EXPECT_EQ(code("GetPathExtents", {id}), ERR_VECGFXPLUGIN);
    EXPECT_EQ(code("GetCurrentPoint", {id}), ERR_VECGFXPLUGIN);
    EXPECT_EQ(code("NormalizePath", {id}), ERR_VECGFXPLUGIN);
  }
  ASSERT_EQ(code("ForcePathUse", {1.0}), 0);
  EXPECT_EQ(code("Circle", {10.0, 10.0, 5.0}), ERR_VECGFXPLUGIN);
  EXPECT_EQ(qm::objlist_count_type(OBJ_VECTORPATH), 1);
  EXPECT_EQ(words(1), before);
}

// A buffer that cannot grow leaves the path as it was.
TEST_F(Paths, OutOfMemoryLeavesThePath) {
  ASSERT_EQ(code("StartPath", {1.0}), 0);
  ASSERT_EQ(code("MoveTo", {1.0, 1.0, 2.0}), 0);
  while (path(1)->capacity - path(1)->used >= 128) ASSERT_EQ(code("LineTo", {1.0, 3.0, 4.0}), 0);
  const std::vector<uint32_t> before = words(1);
  const size_t capacity = path(1)->capacity;
  qm::path_set_allocator([](size_t) -> void* { return nullptr; });
  EXPECT_EQ(code("LineTo", {1.0, 3.0, 4.0}), ERR_MEM);
  ASSERT_EQ(code("StartPath", {2.0}), 0);
  EXPECT_EQ(code("AppendPath", {2.0, 1.0}), ERR_MEM);
  EXPECT_EQ(code("CopyPath", {1.0, 3.0}), ERR_MEM);
  qm::path_set_allocator(nullptr);
  EXPECT_EQ(words(1), before);
  EXPECT_EQ(path(1)->capacity, capacity);
  EXPECT_TRUE(words(2).empty());
  EXPECT_EQ(path(3), nullptr);
}

}  // namespace
}  // namespace qmtest
