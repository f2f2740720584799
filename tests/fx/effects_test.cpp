// Every effect id through the harness: a covering set of cases (each id meets every kind, size and
// speed) in the ordinary run, the whole cross of kinds, sizes, speeds and parameters as the sweep.
#include <gtest/gtest.h>

#include "tests/fx/fx_harness.h"

namespace fxtest {
namespace {

std::vector<int32_t> every_id() {
  std::vector<int32_t> ids;
  for (int32_t id = 0; id < qm::FX_EFFECTS; ++id)
    if (id != qm::FX_UNUSED_ID) ids.push_back(id);
  return ids;
}

// bgpicemu layers are for the two-picture effects, which no other layer kind runs.
std::vector<Kind> kinds_of(int32_t id) {
  std::vector<Kind> kinds;
  const bool two = qm::fx_in_set(id, qm::FXSET_TWOPICTURE);
  for (Kind k : kAllKinds)
    if ((k == Kind::Emulated) == two || k == Kind::Picture) kinds.push_back(k);
  return kinds;
}

std::vector<FxCase> covering(int32_t id) {
  const std::vector<Kind> kinds = kinds_of(id);
  const size_t sizes = std::size(kSizes), speeds = std::size(kSpeeds);
  const size_t n = std::max({kinds.size(), sizes, speeds});
  std::vector<FxCase> cases;
  for (size_t i = 0; i < n; ++i) {
    FxCase c;
    c.id = id;
    c.kind = kinds[i % kinds.size()];
    c.w = kSizes[i % sizes][0], c.h = kSizes[i % sizes][1];
    c.speed = kSpeeds[i % speeds];
    c.parameter = kParameters[i % std::size(kParameters)];
    cases.push_back(c);
  }
  return cases;
}

std::vector<FxCase> full(int32_t id) {
  std::vector<FxCase> cases;
  for (Kind k : kinds_of(id))
    for (const auto& size : kSizes)
      for (int32_t speed : kSpeeds)
        for (int32_t parameter : kParameters) {
          FxCase c;
          c.id = id, c.kind = k, c.w = size[0], c.h = size[1], c.speed = speed, c.parameter = parameter;
          cases.push_back(c);
        }
  return cases;
}

class EveryId : public FxHarness, public ::testing::WithParamInterface<int32_t> {
 protected:
  void run_all(const std::vector<FxCase>& cases) {
    ASSERT_FALSE(effect_pending(GetParam())) << "id " << GetParam() << " has no step function";
    for (const FxCase& c : cases) {
      const std::string failure = run_both(c);
      ASSERT_EQ(failure, "");
    }
  }
};

TEST_P(EveryId, Covering) { run_all(covering(GetParam())); }
TEST_P(EveryId, Sweep) { run_all(full(GetParam())); }

INSTANTIATE_TEST_SUITE_P(Effects, EveryId, ::testing::ValuesIn(every_id()),
                         [](const ::testing::TestParamInfo<int32_t>& info) { return "id" + std::to_string(info.param); });

}  // namespace
}  // namespace fxtest
