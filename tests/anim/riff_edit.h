// The fixture tool for AVI files: a RIFF file as a tree of chunks that tests edit (strip idx1,
// rewrite its offsets as absolute ones, strip a frame's DHT segments, pad raw rows, patch header
// fields) and write back with every size and the movi-relative index recomputed.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace riff {

struct Node {
  std::string id;    // "RIFF", "LIST" or a chunk id
  std::string type;  // the list type of RIFF and LIST
  std::vector<uint8_t> data;
  std::vector<Node> kids;
  bool is_list() const { return id == "RIFF" || id == "LIST"; }
};

inline uint32_t le32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
inline void put_le32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

inline std::vector<Node> parse(const uint8_t* p, size_t n) {
  std::vector<Node> out;
  size_t at = 0;
  while (at + 8 <= n) {
    Node node;
    node.id.assign(reinterpret_cast<const char*>(p + at), 4);
    const size_t size = std::min<size_t>(le32(p + at + 4), n - at - 8);
    if (node.is_list()) {
      node.type.assign(reinterpret_cast<const char*>(p + at + 8), 4);
      node.kids = parse(p + at + 12, size - 4);
    } else {
      node.data.assign(p + at + 8, p + at + 8 + size);
    }
    out.push_back(std::move(node));
    at += 8 + size + (size & 1);
  }
  return out;
}

inline size_t size_of(const Node& n) {
  size_t s = 0;
  if (n.is_list()) {
    s = 4;
    for (const Node& k : n.kids) s += size_of(k);
  } else {
    s = n.data.size();
  }
  return 8 + s + (s & 1);
}

inline void write(const Node& n, std::vector<uint8_t>& out) {
  out.insert(out.end(), n.id.begin(), n.id.end());
  size_t s = size_of(n) - 8;
  out.resize(out.size() + 4);
  const size_t body = n.is_list() ? s : n.data.size();
  put_le32(&out[out.size() - 4], uint32_t(body - (n.is_list() ? (s & 1) : 0)));
  if (n.is_list()) {
    out.insert(out.end(), n.type.begin(), n.type.end());
    for (const Node& k : n.kids) write(k, out);
  } else {
    out.insert(out.end(), n.data.begin(), n.data.end());
    if (n.data.size() & 1) out.push_back(0);
  }
}

inline Node* find(std::vector<Node>& nodes, const std::string& id, const std::string& type = "") {
  for (Node& n : nodes) {
    if (n.id == id && (type.empty() || n.type == type)) return &n;
    if (n.is_list())
      if (Node* k = find(n.kids, id, type)) return k;
  }
  return nullptr;
}

struct Avi {
  Node riff;
  static Avi from(const std::vector<uint8_t>& bytes) {
    Avi a;
    a.riff = parse(bytes.data(), bytes.size()).at(0);
    return a;
  }
  Node& movi() { return *find(riff.kids, "LIST", "movi"); }
  Node* idx1() { return find(riff.kids, "idx1"); }
  // The file offset of the "movi" list type.
  size_t movi_offset() {
    size_t at = 12;
    for (Node& n : riff.kids) {
      if (n.id == "LIST" && n.type == "movi") return at + 8;
      at += size_of(n);
    }
    return 0;
  }
  void strip_idx1() {
    std::erase_if(riff.kids, [](const Node& n) { return n.id == "idx1"; });
  }
  // A new idx1 of every movi chunk (keyframes), offsets relative to the movi type, or absolute.
  void rebuild_idx1(bool absolute) {
    strip_idx1();
    Node idx{"idx1", "", {}, {}};
    size_t at = 4;
    const size_t base = absolute ? movi_offset() : 0;
    for (const Node& k : movi().kids) {
      if (!std::isdigit(uint8_t(k.id[0])) || !std::isdigit(uint8_t(k.id[1]))) {
        at += size_of(k);
        continue;
      }
      uint8_t e[16];
      std::copy_n(k.id.data(), 4, e);
      put_le32(e + 4, 0x10);
      put_le32(e + 8, uint32_t(base + at));
      put_le32(e + 12, uint32_t(k.data.size()));
      idx.data.insert(idx.data.end(), e, e + 16);
      at += size_of(k);
    }
    riff.kids.push_back(std::move(idx));
  }
  void for_video(const std::function<void(std::vector<uint8_t>&)>& edit) {
    for (Node& k : movi().kids)
      if (k.id.size() == 4 && k.id[2] == 'd') edit(k.data);
  }
  std::vector<uint8_t> bytes() const {
    std::vector<uint8_t> out;
    write(riff, out);
    return out;
  }
};

}  // namespace riff
