// Big- and little-endian integers read and written one byte at a time through the file layer.
#include "engine/endian.h"
#include "runtime/os/qmos.h"
#include "runtime/vfile.h"

namespace {

// Reads n bytes in file order. When one of them was past the end (-1), the bytes are combined
// as the signed values they are, so the -1 spreads over the high bits: garbage that the callers
// recognise by qmos_eof, never undefined behaviour.
template <int N>
bool read_bytes(qmFileHandle* h, uint8_t (&bytes)[N], int32_t (&raw)[N]) {
  bool whole = true;
  for (int i = 0; i < N; ++i) {
    raw[i] = qmos_read_byte(h);
    if (raw[i] < 0) whole = false;
    bytes[i] = uint8_t(raw[i]);
  }
  return whole;
}

// Combines raw bytes most significant first (order lists the indices from high to low).
template <int N>
uint32_t combine(const int32_t (&raw)[N], const int (&order)[N]) {
  uint32_t value = 0;
  for (int i = 0; i < N; ++i) value |= uint32_t(raw[order[i]]) << (8 * (N - 1 - i));
  return value;
}

int32_t sign16(uint32_t v) {
  return int32_t(int16_t(uint16_t(v)));
}

int32_t write_all(qmFileHandle* h, const uint8_t* bytes, int n) {
  for (int i = 0; i < n; ++i) {
    if (!qmos_write_byte(h, bytes[i])) return 0;
  }
  return 1;
}

}  // namespace

int32_t file_read_be32(qmFileHandle* h) {
  uint8_t b[4];
  int32_t raw[4];
  if (read_bytes(h, b, raw)) return int32_t(qm::get_be32(b));
  return int32_t(combine(raw, {0, 1, 2, 3}));
}

int32_t file_read_le32(qmFileHandle* h) {
  uint8_t b[4];
  int32_t raw[4];
  if (read_bytes(h, b, raw)) return int32_t(qm::get_le32(b));
  return int32_t(combine(raw, {3, 2, 1, 0}));
}

int32_t file_read_be16(qmFileHandle* h) {
  uint8_t b[2];
  int32_t raw[2];
  if (read_bytes(h, b, raw)) return sign16(qm::get_be16(b));
  return int32_t(combine(raw, {0, 1}));
}

int32_t file_read_le16(qmFileHandle* h) {
  uint8_t b[2];
  int32_t raw[2];
  if (read_bytes(h, b, raw)) return sign16(qm::get_le16(b));
  return int32_t(combine(raw, {1, 0}));
}

int32_t file_write_be32(qmFileHandle* h, uint32_t value) {
  uint8_t b[4];
  qm::put_be32(b, value);
  return write_all(h, b, 4);
}

int32_t file_write_le32(qmFileHandle* h, uint32_t value) {
  uint8_t b[4];
  qm::put_le32(b, value);
  return write_all(h, b, 4);
}

int32_t file_write_be16(qmFileHandle* h, uint16_t value) {
  uint8_t b[2];
  qm::put_be16(b, value);
  return write_all(h, b, 2);
}

int32_t file_write_le16(qmFileHandle* h, uint16_t value) {
  uint8_t b[2];
  qm::put_le16(b, value);
  return write_all(h, b, 2);
}
