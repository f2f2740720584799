// Font discovery: the faces and bitmap fonts of the font folders, named from the faces' own 'name'
// tables, and the readers of the files involved (outside input: every table, record and string is
// read inside the file).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/os/qmos.h"

// Random reads within a file or a buffer.
struct qmFontBytes {
  qmFileHandle* file = nullptr;
  const uint8_t* data = nullptr;
  uint64_t size = 0;
  // False (nothing read) unless [offset, offset + n) lies within.
  bool read(uint64_t offset, void* out, size_t n) const;
};

// The family (name id 1) and style (name id 2) of the face whose table directory is at `directory`
// and whose table offsets count from `tables` (0 for a file or a collection's member, the
// resource's start in a resource file):
// Macintosh records only in language 0, Windows records only in an English language, others
// taken; zero bytes dropped (UTF-16 Latin text becomes Latin-1); a later record overwrites an
// earlier one, and the walk stops once both are set. False when the face has no 'name' table or a
// record claims more than 511 bytes.
bool ttf_read_names(const qmFontBytes& src, uint64_t directory, uint64_t tables,
                    std::string* family, std::string* style);

// Where the faces of a collection (".ttc": "ttcf", version, count, offsets) and of a resource file
// (".dfont": the resources of the data area, each a 32-bit length and the data) start. Only
// offsets inside the file are listed.
std::vector<uint64_t> ttc_face_offsets(const qmFontBytes& src);
std::vector<uint64_t> dfont_face_offsets(const qmFontBytes& src);

// True for the plain style names: "regular", "plain", "normal", "book", "roman", any case.
bool style_is_plain(const char* style);
// The weight and slant a style name's words give (80 and 0 when none of them is known).
void style_weight_slant(const std::string& style, int32_t* weight, int32_t* slant);

// A face of the font list: weight -1 finds the first entry whose full name equals name (any
// case), otherwise the first whose family, weight and slant match. plain_only passes over faces
// inside collections and resource files. True with the file and face index.
bool font_find(const char* name, int32_t weight, int32_t slant, bool plain_only, std::string* path,
               int32_t* index);
