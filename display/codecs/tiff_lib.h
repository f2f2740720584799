// libtiff, loaded when a TIFF picture is first read rather than when the player starts: linked in,
// it and the codecs it brings (libwebp, libsharpyuv, libLerc, libjbig, libdeflate) cost every
// start about two milliseconds of the dynamic loader's work.
//
// The TIFF reader calls libtiff only through `libtiff`, after `tiff_load()` answered true. The
// player links none of libtiff, so a direct call fails to link.
#pragma once

#include <tiffio.h>

#include <string>

namespace qm {

// The functions used.
#define QM_TIFF_FUNCTIONS(X)              \
  X(TIFFClientOpenExt)                    \
  X(TIFFClose)                            \
  X(TIFFGetField)                         \
  X(TIFFGetFieldDefaulted)                \
  X(TIFFOpenOptionsAlloc)                 \
  X(TIFFOpenOptionsFree)                  \
  X(TIFFOpenOptionsSetErrorHandlerExtR)   \
  X(TIFFOpenOptionsSetMaxSingleMemAlloc)  \
  X(TIFFOpenOptionsSetWarningHandlerExtR) \
  X(TIFFReadRGBAImageOriented)            \
  X(TIFFRGBAImageOK)                      \
  X(TIFFSetField)

struct TiffLibrary {
#define QM_TIFF_MEMBER(name) decltype(&::name) name = nullptr;
  QM_TIFF_FUNCTIONS(QM_TIFF_MEMBER)
#undef QM_TIFF_MEMBER
};

// The soname of the libtiff the player was built against ("libtiff.so.6").
extern const char* const kTiffSoname;

// Opens the library by this name and fills `out`: true, or false with the reason in `why` (the
// library failed to open, or a function is missing). A loaded library stays loaded; a failed load
// closes it again.
bool tiff_load_from(const char* soname, TiffLibrary* out, std::string* why);

// Loads libtiff once for the process (any thread may ask). False when it cannot be loaded: the
// first caller says why on stderr, and TIFF pictures are then refused as pictures that cannot be
// read. QM_TIFF_LIBRARY names another soname (for tests of that refusal).
bool tiff_load();

// The functions, valid once tiff_load() answered true.
extern const TiffLibrary& libtiff;

}  // namespace qm
