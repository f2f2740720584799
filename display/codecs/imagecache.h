// The image cache: brushes and anims loaded from the same file with the "cache" option share one
// decoded picture. Entries hold a reference to the image source and a copy of the alpha plane.
#pragma once

#include <cstdint>

namespace qm {

struct qmImageSource;
struct qmAlphaChannel;

// Appends an entry for the file: retains the source and copies the alpha plane (null: none).
// The two words are kept for the loader as it passed them. 0 or ERR_MEM (nothing added then).
int32_t imagecache_add(const char* name, int32_t width, int32_t height, int32_t word1,
                       qmImageSource* source, const qmAlphaChannel* alpha, int32_t word2);

// The first entry whose name equals the file name without regard to case (Latin-1). The source is
// retained once more for the caller (when it asks for it); with want_alpha a fresh copy of the alpha plane is handed
// out, which the caller frees. ERR_CACHEERROR when there is no entry, or alpha is wanted and the
// entry has none; ERR_MEM when the copy cannot be made. Out pointers may be null.
int32_t imagecache_find(const char* name, int32_t want_alpha, int32_t* width, int32_t* height,
                        int32_t* word1, qmImageSource** source, qmAlphaChannel** alpha,
                        int32_t* word2);

// Releases every entry's source and frees its alpha copy; the cache is empty afterwards.
void imagecache_free_all();

// How many look-ups the cache has answered since the program started (for tests).
int64_t imagecache_hits();

}  // namespace qm
