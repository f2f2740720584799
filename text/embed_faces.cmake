# Writes OUT, a C++ source holding the bytes of SANS, SERIF and MONO (the Bitstream Vera faces) as
# the arrays that text/truetype.cpp declares. Run by CMake at build time.
set(text "// Made at build time from the ttf-bitstream-vera package's files; do not edit.\n#include <cstddef>\n#include <cstdint>\n")
foreach(face SANS SERIF MONO)
  file(READ "${${face}}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" hex "${hex}")
  string(TOLOWER "${face}" lower)
  string(APPEND text "extern const uint8_t kVera_${lower}[${bytes}];\nconst uint8_t kVera_${lower}[${bytes}] = {\n${hex}};\nextern const size_t kVera_${lower}_size;\nconst size_t kVera_${lower}_size = ${bytes};\n")
endforeach()
file(WRITE "${OUT}.tmp" "${text}")
file(RENAME "${OUT}.tmp" "${OUT}")
