// Checksums (CRC-32, MD5) and the wildcard name patterns of the dos library. Plain functions over
// bytes; the commands that read files sit in the dos library.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

// CRC-32 of RFC 1952 (reflected polynomial 0xEDB88320). Start with crc = 0 and feed the bytes in
// any number of pieces; the result is final after each call.
uint32_t crc32_update(uint32_t crc, const uint8_t* data, size_t len);
const uint32_t* crc32_table();

// MD5 of RFC 1321.
struct qmMD5 {
  uint32_t count[2];  // message length in bits, low word first
  uint32_t state[4];  // chaining words
  uint8_t buffer[64];
};
void md5_init(qmMD5* ctx);
void md5_update(qmMD5* ctx, const uint8_t* data, size_t len);
void md5_final(qmMD5* ctx, uint8_t out[16]);
// The digest as 32 lowercase hexadecimal digits plus NUL.
void md5_hex(const uint8_t digest[16], char out[33]);

// 1 when the whole string matches the pattern ("#" digit, "?" any, "*" any run, "[...]" class
// with "!" negation and ranges), else 0. Case-sensitive, over bytes.
int match_pattern(const char* pattern, const char* str);
// ";"-separated pattern list: 1 when one pattern matches. An empty pattern ends the list.
int match_pattern_list(const char* patterns, const char* str);

}  // namespace qm
