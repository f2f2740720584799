#include "soundgen.h"

#include <fstream>
#include <iterator>

namespace soundgen {

namespace {

void put32(Bytes& b, uint32_t v, bool big) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (big ? 24 - 8 * i : 8 * i)));
}
void put16(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void put_id(Bytes& b, const std::string& id) { b.insert(b.end(), id.begin(), id.begin() + 4); }

void put_chunk(Bytes& b, const Chunk& c, bool big) {
  put_id(b, c.id);
  put32(b, uint32_t(c.data.size()), big);
  b.insert(b.end(), c.data.begin(), c.data.end());
  if ((c.data.size() & 1) && c.pad) b.push_back(0);
}

Bytes riff_like(const std::string& form, const std::string& type, const Bytes& body, bool big) {
  Bytes out;
  put_id(out, form);
  put32(out, uint32_t(body.size() + 4), big);
  put_id(out, type);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace

Bytes iff(const Iff& f, const Bytes& frames) {
  const size_t sample_bytes = f.type == "16SV" ? 2 : 1;
  const size_t channels = size_t(f.channels);
  const size_t count = frames.size() / (sample_bytes * channels);
  Bytes b;
  put_id(b, "VHDR");
  put32(b, 20, true);
  put32(b, uint32_t(count), true);  // one-shot part
  put32(b, 0, true);
  put32(b, 0, true);
  b.push_back(uint8_t(f.rate >> 8));
  b.push_back(uint8_t(f.rate));
  b.push_back(1);  // octaves
  b.push_back(uint8_t(f.compression));
  put32(b, 0x10000, true);  // volume 1.0
  if (channels == 2) put_chunk(b, {"CHAN", {0, 0, 0, 6}}, true);
  for (const Chunk& c : f.before) put_chunk(b, c, true);
  put_id(b, "BODY");
  put32(b, uint32_t(f.body_size < 0 ? int64_t(frames.size()) : f.body_size), true);
  for (size_t ch = 0; ch < channels; ++ch) {
    for (size_t i = 0; i < count; ++i) {
      const size_t at = (i * channels + ch) * sample_bytes;
      b.insert(b.end(), frames.begin() + long(at), frames.begin() + long(at + sample_bytes));
    }
  }
  return riff_like("FORM", f.type, b, true);
}

Bytes wave(const Wave& f, const Bytes& data) {
  Bytes b;
  put_id(b, "fmt ");
  put32(b, uint32_t(f.fmt_size), false);
  put16(b, uint16_t(f.tag));
  put16(b, uint16_t(f.channels));
  put32(b, uint32_t(f.rate), false);
  const int align = f.channels * f.bits / 8;
  put32(b, uint32_t(f.rate * align), false);
  put16(b, uint16_t(align));
  put16(b, uint16_t(f.bits));
  b.resize(b.size() + size_t(f.fmt_size - 16), 0);
  for (const Chunk& c : f.before) put_chunk(b, c, false);
  put_id(b, "data");
  put32(b, uint32_t(f.data_size < 0 ? int64_t(data.size()) : f.data_size), false);
  b.insert(b.end(), data.begin(), data.end());
  return riff_like("RIFF", "WAVE", b, false);
}

Bytes ramp(size_t n, uint8_t first) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = uint8_t(first + i);
  return b;
}

bool write_file(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

Bytes read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace soundgen
