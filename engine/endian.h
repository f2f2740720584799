// Explicit big- and little-endian readers and writers over byte buffers. File formats are
// byte-exact whatever the host's byte order.
#pragma once

#include <cstdint>

namespace qm {

inline uint16_t get_be16(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }
inline uint16_t get_le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t get_be32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline uint32_t get_le32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t get_be64(const uint8_t* p) { return (uint64_t(get_be32(p)) << 32) | get_be32(p + 4); }
inline uint64_t get_le64(const uint8_t* p) { return uint64_t(get_le32(p)) | (uint64_t(get_le32(p + 4)) << 32); }

inline void put_be16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v >> 8); p[1] = uint8_t(v); }
inline void put_le16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void put_be32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 24); p[1] = uint8_t(v >> 16); p[2] = uint8_t(v >> 8); p[3] = uint8_t(v);
}
inline void put_le32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}
inline void put_be64(uint8_t* p, uint64_t v) { put_be32(p, uint32_t(v >> 32)); put_be32(p + 4, uint32_t(v)); }
inline void put_le64(uint8_t* p, uint64_t v) { put_le32(p, uint32_t(v)); put_le32(p + 4, uint32_t(v >> 32)); }

}  // namespace qm
