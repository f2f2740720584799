// Locale catalogs: translations of the player's messages, looked up by message id.
//
// A catalog is either an IFF file ("FORM", length, "CTLG", "FVER" chunk, and a "STRS" chunk of
// entries {id, text length, text padded with zeros to a multiple of 4}, all numbers big-endian),
// or a text file with one message per line (line k is message k; "\n", "\t", "\r" are escapes).
// A catalog that is missing or malformed is simply absent: every lookup gives its default.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct qmCatalog {
  std::vector<char> data;     // the file, then 8 bytes of padding
  size_t size = 0;            // the file's size
  size_t strs = 0;            // IFF: offset of the first entry; 0 for a text catalog
  size_t strs_end = 0;        // IFF: end of the STRS chunk, within the data
  std::vector<size_t> lines;  // text catalog: start of each line
};

// The catalog file_name (player text) from the language folder of LANG next to the executable
// (<folder>/Catalogs/<language>/<file_name>, trying the language's two folder names); 0 when
// the language is English or none, or there is no usable catalog.
qmCatalog* qmos_open_catalog(const char* file_name);
// The translated text of message id, or def when the catalog is absent or lacks the id.
const char* qmos_get_catalog_string(const qmCatalog* catalog, int32_t id, const char* def);
void qmos_close_catalog(qmCatalog* catalog);

// What the rest of the runtime calls.
qmCatalog* qmos_open_catalog_thunk(const char* file_name);
const char* qmos_get_catalog_string_thunk(const qmCatalog* catalog, int32_t id, const char* def);
void qmos_close_catalog_thunk(qmCatalog* catalog);

// A catalog from a host file or from bytes in memory (the bytes are copied).
qmCatalog* catalog_from_file(const std::string& host_path);
qmCatalog* catalog_from_bytes(const void* bytes, size_t size);

// The two folder names tried for a language id (1..17), host form; empty for the others.
std::vector<std::string> catalog_language_folders(int32_t language);

// The runtime's own catalog "Quillmere.catalog", opened once at start-up and closed at exit;
// the message texts of the error system are looked up through catalog_text.
void catalog_open_runtime();
void catalog_close_runtime();
const char* catalog_text(int32_t id, const char* def);
