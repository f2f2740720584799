// Writes IFF catalogs for tests and the fuzz corpus.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qmtest {

inline void put_be32(std::string* out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) *out += char((v >> shift) & 0xFF);
}

// {id, text}: each text gets its NUL and is padded with zeros to a multiple of 4.
inline std::string iff_catalog(const std::vector<std::pair<uint32_t, std::string>>& strings) {
  std::string fver = "$VER: test.catalog 1.0";
  fver += '\0';
  while (fver.size() % 2) fver += '\0';
  std::string strs;
  for (const auto& [id, text] : strings) {
    std::string body = text;
    body += '\0';
    put_be32(&strs, id);
    put_be32(&strs, uint32_t(body.size()));
    while (body.size() % 4) body += '\0';
    strs += body;
  }
  std::string form = "CTLG";
  form += "FVER";
  put_be32(&form, uint32_t(fver.size()));
  form += fver;
  // A language chunk before STRS: the reader must find STRS wherever it is.
  std::string lang = "deutsch";
  lang += '\0';
  form += "LANG";
  put_be32(&form, uint32_t(lang.size()));
  form += lang;
  form += "STRS";
  put_be32(&form, uint32_t(strs.size()));
  form += strs;
  std::string file = "FORM";
  put_be32(&file, uint32_t(form.size()));
  file += form;
  // Only files above 100 bytes count as IFF.
  while (file.size() <= 100) file += '\0';
  return file;
}

}  // namespace qmtest
