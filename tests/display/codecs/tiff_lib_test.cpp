// libtiff opened on first use: every function found in the library the player was built against,
// and a clear refusal, with nothing left mapped, when the library or a function is missing.
#include "display/codecs/tiff_lib.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace qm {
namespace {

TEST(TiffLib, LoadsEveryFunctionFromTheBuiltAgainstLibrary) {
  TiffLibrary lib;
  std::string why;
  ASSERT_TRUE(tiff_load_from(kTiffSoname, &lib, &why)) << why;
#define QM_CHECK_LOADED(name) EXPECT_NE(lib.name, nullptr) << #name;
  QM_TIFF_FUNCTIONS(QM_CHECK_LOADED)
#undef QM_CHECK_LOADED
}

bool jbig_mapped() {
  void* h = dlopen("libjbig.so.0", RTLD_NOW | RTLD_NOLOAD);
  if (h) dlclose(h);
  return h != nullptr;
}

// 0 when each library is refused for its reason and libjbig, which libtiff needs (so it is on the
// system), is not left mapped after it was loaded and refused for lacking libtiff's functions.
int refusals_leave_nothing_mapped() {
  if (jbig_mapped()) return 2;
  const struct {
    const char* soname;
    const char* reason;  // what the reason must hold
  } cases[] = {
      {"libqm-missing.so.0", "libqm-missing.so.0: cannot open"},
      {"libjbig.so.0", "libjbig.so.0 lacks TIFFClientOpenExt"},
  };
  for (const auto& c : cases) {
    TiffLibrary lib;
    std::string why;
    if (tiff_load_from(c.soname, &lib, &why)) return 3;
    if (why.find(c.reason) == std::string::npos || lib.TIFFClientOpenExt) {
      std::fprintf(stderr, "refused as: %s\n", why.c_str());
      return 4;
    }
  }
  return jbig_mapped() ? 5 : 0;
}

TEST(TiffLib, RefusesAMissingLibraryOrFunctionAndClosesIt) {
  // In a fresh process, where libtiff and what it needs are not mapped yet.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(_exit(refusals_leave_nothing_mapped()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace qm
