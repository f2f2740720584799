// Owned sources and samples for the sound driver's tests.
#pragma once

#include <memory>

#include "sound/driver.h"

namespace qmtest {

struct SoundCloser {
  void operator()(qm::qmSoundSource* s) const { qm::qmos_source_close(s); }
  void operator()(qm::qmSampleData* s) const { qm::qmos_sample_free(s); }
};
using Source = std::unique_ptr<qm::qmSoundSource, SoundCloser>;
using Sample = std::unique_ptr<qm::qmSampleData, SoundCloser>;

}  // namespace qmtest
