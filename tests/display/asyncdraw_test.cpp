// Async draw objects with a recording producer: the order of the producer's calls under
// AsyncDrawFrame, FinishAsyncDraw and CancelAsyncDraw, the frame argument's rules, and the errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/asyncdraw.h"
#include "display/display.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "tests/display/display_harness.h"

namespace {

using namespace qm;

// A producer of `total` frames that logs every call it gets.
struct Producer {
  std::vector<std::string> log;
  int32_t total = 3, current = 0;
  int32_t fail_next = 0;  // the next frame fails with this code
  void* layer = nullptr;

  static int32_t frame(void* data, int32_t* finished) {
    auto* p = static_cast<Producer*>(data);
    p->log.push_back("frame");
    if (p->fail_next) return std::exchange(p->fail_next, 0);
    if (++p->current == p->total) *finished = 1;
    return 0;
  }
  static void finish(void* data, int32_t finished) {
    static_cast<Producer*>(data)->log.push_back("finish " + std::to_string(finished));
  }
  static void release(void* data, int32_t finished) {
    static_cast<Producer*>(data)->log.push_back("free " + std::to_string(finished));
  }
  static intptr_t control(int32_t code, intptr_t argument, void* data) {
    auto* p = static_cast<Producer*>(data);
    switch (code) {
      case ADCTL_TOTAL: return p->total;
      case ADCTL_CURRENT: return p->current;
      case ADCTL_SEEK:
        p->current = *reinterpret_cast<int32_t*>(argument);
        p->log.push_back("seek " + std::to_string(p->current));
        return 0;
      case ADCTL_LAYER: *reinterpret_cast<void**>(argument) = p->layer; return 0;
      default: p->log.push_back("ctl " + std::to_string(code) + " " + std::to_string(argument)); return 0;
    }
  }
};

class AsyncDrawTest : public qmtest::DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    d = open_display();
  }
  qmAsyncDraw* start(Producer& p) {
    qmAsyncDraw* a = nullptr;
    EXPECT_EQ(asyncdraw_new(ADF_ANIM, Producer::frame, Producer::finish, Producer::release, Producer::control, &p, &a),
              0);
    return a;
  }
  // Calls name(handle [, frame]); the code, and the result (the number 1 or 0) as "true"/"false".
  std::pair<int32_t, std::string> step(const char* name, void* handle, double frame = -1) {
    vm_set_top(L, 0);
    vm_push_string(L, name);
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_lightuserdata(L, handle);
    if (frame >= 0) vm_push_number(L, frame);
    const int32_t code = vm_pcall(L, frame >= 0 ? 2 : 1, QM_MULTRET, 0);
    std::string result;
    if (code == 0 && vm_get_top(L) >= 1)
      result = vm_type(L, 1) != QM_TNUMBER ? "not a number" : vm_to_number(L, 1) != 0 ? "true" : "false";
    return {code, result};
  }
  std::pair<int32_t, std::string> frame(void* handle, double f = -1) { return step("asyncdrawframe", handle, f); }
  qmDisplay* d = nullptr;
  Producer p, p1, p2, p3;  // outlive the objects, which the display library's exit may free
};

TEST_F(AsyncDrawTest, StepsUntilTheCallAfterTheLastFrameFreesTheObject) {
  qmAsyncDraw* a = start(p);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(frame(a), std::make_pair(0, std::string("false")));
  EXPECT_EQ(frame(a), std::make_pair(0, std::string("true")));
  EXPECT_EQ(p.log, (std::vector<std::string>{"frame", "frame", "frame", "finish 1", "free 1"}));
  EXPECT_EQ(frame(a).first, ERR_FINDARRAY);
}

TEST_F(AsyncDrawTest, PictureOutputBracketsEveryFrameAlsoWhenItFails) {
  qmAsyncDraw* a = start(p);
  d->output_type = TARGET_LAYERS;  // the display's picture with layers is the output
  p.fail_next = ERR_WRONGUSAGE;
  EXPECT_EQ(frame(a).first, ERR_WRONGUSAGE);
  EXPECT_EQ(frame(a).first, 0);
  EXPECT_EQ(p.log, (std::vector<std::string>{"ctl 8 1", "frame", "ctl 8 0", "ctl 8 1", "frame", "ctl 8 0"}));
  d->output_type = kOutputDisplay;
}

TEST_F(AsyncDrawTest, FrameArgumentRules) {
  p.total = 5;
  qmAsyncDraw* a = start(p);
  EXPECT_EQ(frame(a, 1).first, ERR_NOLAYERS);
  d->layers = 1;
  EXPECT_EQ(frame(a, 0), std::make_pair(0, std::string("false")));  // an ordinary step
  EXPECT_EQ(frame(a, 1), std::make_pair(0, std::string("false")));  // the current frame: nothing drawn
  EXPECT_EQ(frame(a, 6).first, ERR_ANIMFRAME);
  EXPECT_EQ(frame(a, 5), std::make_pair(0, std::string("true")));    // a seek to the end
  EXPECT_EQ(frame(a, 0), std::make_pair(0, std::string("true")));    // finished: freed
  EXPECT_EQ(p.log, (std::vector<std::string>{"frame", "seek 5", "ctl 5 0", "finish 1", "free 1"}));
  d->layers = 0;
}

TEST_F(AsyncDrawTest, FinishCancelAndTheWrongDisplay) {
  qmAsyncDraw* a = start(p1);
  qmAsyncDraw* b = start(p2);
  EXPECT_TRUE(asyncdraw_uses_display(d));
  EXPECT_EQ(step("finishasyncdraw", a).first, 0);
  EXPECT_EQ(p1.log, (std::vector<std::string>{"finish 0", "free 0"}));
  EXPECT_EQ(step("cancelasyncdraw", b).first, 0);
  EXPECT_EQ(p2.log, (std::vector<std::string>{"free 0"}));
  EXPECT_EQ(step("cancelasyncdraw", b).first, ERR_FINDARRAY);
  EXPECT_FALSE(asyncdraw_uses_display(d));

  qmAsyncDraw* c = start(p3);
  open_display(3);
  EXPECT_EQ(frame(c).first, ERR_ADFWRONGDISP);
  EXPECT_TRUE(p3.log.empty());
  EXPECT_EQ(code("FreeDisplay", {2.0}), ERR_ADFFREEDISP);
  // The display library's exit frees what is left without finishing it.
  asyncdraw_free_all(L);
  EXPECT_EQ(p3.log, (std::vector<std::string>{"free 0"}));
}

}  // namespace
