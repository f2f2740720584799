#include "modgen.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace modgen {

int Module::add(Sample s) {
  samples.push_back(std::move(s));
  return int(samples.size());
}

Cell& Module::at(int pattern, int row, int channel) {
  if (int(patterns.size()) <= pattern) patterns.resize(size_t(pattern) + 1);
  return patterns[size_t(pattern)][size_t(row) * 4 + size_t(channel)];
}

namespace {

void put16(std::vector<uint8_t>& out, size_t at, int value) {
  out[at] = uint8_t(value >> 8);
  out[at + 1] = uint8_t(value);
}

}  // namespace

std::vector<uint8_t> Module::build() const {
  if (samples.size() > 31 || order.size() + trailing.size() > 128)
    throw std::invalid_argument("modgen");
  std::vector<uint8_t> out(1084, 0);
  std::copy_n(title.begin(), std::min<size_t>(title.size(), 20), out.begin());
  for (size_t i = 0; i < samples.size(); ++i) {
    const Sample& s = samples[i];
    const size_t h = 20 + 30 * i;
    std::string name = "sample " + std::to_string(i + 1);
    std::copy(name.begin(), name.end(), out.begin() + long(h));
    put16(out, h + 22, s.length_words >= 0 ? s.length_words : int(s.data.size() / 2));
    out[h + 24] = uint8_t(s.finetune & 15);
    out[h + 25] = uint8_t(s.volume);
    put16(out, h + 26, s.loop_start_words);
    put16(out, h + 28, s.loop_length_words);
  }
  out[950] = uint8_t(song_length >= 0 ? song_length : int(order.size()));
  out[951] = 127;
  int highest = 0;
  size_t n = 0;
  for (int p : order) highest = std::max(highest, p), out[952 + n++] = uint8_t(p);
  for (int p : trailing) highest = std::max(highest, p), out[952 + n++] = uint8_t(p);
  std::copy_n("M.K.", 4, out.begin() + 1080);
  for (int p = 0; p <= highest; ++p) {
    for (size_t c = 0; c < 256; ++c) {
      Cell cell = size_t(p) < patterns.size() ? patterns[size_t(p)][c] : Cell{};
      out.push_back(uint8_t((cell.sample & 0xF0) | ((cell.period >> 8) & 15)));
      out.push_back(uint8_t(cell.period));
      out.push_back(uint8_t(((cell.sample & 15) << 4) | (cell.effect & 15)));
      out.push_back(uint8_t(cell.param));
    }
  }
  for (const Sample& s : samples) {
    for (int8_t v : s.data) out.push_back(uint8_t(v));
  }
  return out;
}

std::vector<int8_t> square(int bytes, int wavelength, int amplitude) {
  std::vector<int8_t> v(static_cast<size_t>(bytes));
  for (int i = 0; i < bytes; ++i)
    v[size_t(i)] = int8_t(i % wavelength < wavelength / 2 ? amplitude : -amplitude);
  return v;
}

std::vector<int8_t> sine(int bytes, int wavelength, int amplitude) {
  std::vector<int8_t> v(static_cast<size_t>(bytes));
  for (int i = 0; i < bytes; ++i) {
    v[size_t(i)] = int8_t(std::lround(amplitude * std::sin(2 * M_PI * i / wavelength)));
  }
  return v;
}

namespace {

// A looping square and a looping sine, one wave each.
void add_tone_samples(Module& m) {
  m.add({square(64, 64, 100), 48, 0, -1, 0, 32});
  m.add({sine(64, 64, 110), 48, 0, -1, 0, 32});
}

void note(Module& m, int pattern, int row, int channel, int period, int sample, int effect = 0,
          int param = 0) {
  m.at(pattern, row, channel) = {period, sample, effect, param};
}

// Four channels with a clear rise and fall of loudness: a melody of short notes, a bass that
// fades out every bar, chords that come and go, and rests.
Module tones() {
  Module m;
  add_tone_samples(m);
  m.order = {0, 1};
  const int melody[8] = {428, 381, 339, 320, 285, 320, 339, 381};
  for (int p = 0; p < 2; ++p) {
    for (int r = 0; r < 64; r += 4) note(m, p, r, 0, melody[(r / 4 + p) % 8], 1, 0xE, 0xC2 + r % 3);
    for (int r = 0; r < 64; r += 16) {
      note(m, p, r, 1, p ? 856 : 808, 2, 0xC, 0x3F);
      for (int k = 1; k < 16; ++k) note(m, p, r + k, 1, 0, 0, 0xA, 0x04);
    }
    for (int r = 8; r < 64; r += 16) {
      for (int k = 0; k < 6; ++k) note(m, p, r + k, 2, 0, 0, 0x0, 0x00);
      note(m, p, r, 2, 640, 2, 0xC, 0x30);
      note(m, p, r, 3, 508, 1, 0xC, 0x28);
      note(m, p, r + 6, 2, 0, 0, 0xC, 0x00);
      note(m, p, r + 6, 3, 0, 0, 0xC, 0x00);
    }
  }
  return m;
}

// A constant 100 at full volume on the first channel: a known level on the right side and silence
// on the left.
Module level() {
  Module m;
  m.add({std::vector<int8_t>(64, 100), 64, 0, -1, 0, 32});
  note(m, 0, 0, 0, 428, 1);
  return m;
}

// Every effect at least once, over three positions that loop.
Module effects() {
  Module m;
  add_tone_samples(m);
  m.add({square(2048, 40, 90), 40, 0, -1, 100, 400});
  m.order = {0, 1, 2};
  note(m, 0, 0, 0, 428, 1, 0x0, 0x37);
  note(m, 0, 4, 0, 428, 2, 0x1, 0x02);
  note(m, 0, 8, 0, 0, 0, 0x2, 0x03);
  note(m, 0, 12, 0, 214, 1, 0x3, 0x04);
  note(m, 0, 16, 0, 0, 0, 0x5, 0x01);
  note(m, 0, 20, 0, 0, 0, 0x4, 0x48);
  note(m, 0, 24, 0, 0, 0, 0x6, 0x10);
  note(m, 0, 28, 0, 338, 2, 0x7, 0x46);
  note(m, 0, 32, 0, 320, 3, 0x9, 0x02);
  note(m, 0, 36, 0, 0, 0, 0xA, 0x20);
  note(m, 0, 40, 0, 0, 0, 0x8, 0x80);
  note(m, 0, 44, 0, 285, 1, 0xC, 0x30);
  note(m, 0, 0, 1, 856, 3, 0xE, 0x00);
  note(m, 0, 8, 1, 0, 0, 0xE, 0x13);
  note(m, 0, 12, 1, 0, 0, 0xE, 0x23);
  note(m, 0, 16, 1, 0, 0, 0xE, 0x31);
  note(m, 0, 20, 1, 762, 3, 0x3, 0x10);
  note(m, 0, 24, 1, 0, 0, 0xE, 0x42);
  note(m, 0, 25, 1, 0, 0, 0x4, 0x66);
  note(m, 0, 28, 1, 678, 3, 0xE, 0x53);
  note(m, 0, 32, 1, 0, 0, 0xE, 0x72);
  note(m, 0, 33, 1, 0, 0, 0x7, 0x34);
  note(m, 0, 36, 1, 570, 2, 0xE, 0x93);
  note(m, 0, 40, 1, 0, 0, 0xE, 0xA4);
  note(m, 0, 44, 1, 0, 0, 0xE, 0xB8);
  note(m, 0, 48, 1, 508, 2, 0xE, 0xC3);
  note(m, 0, 52, 1, 508, 2, 0xE, 0xD2);
  note(m, 0, 56, 1, 0, 0, 0xE, 0x01);
  for (int r = 0; r < 64; r += 2) note(m, 0, r, 2, 214 + (r % 8) * 4, 2);
  note(m, 0, 4, 3, 0, 0, 0xE, 0x60);
  note(m, 0, 6, 3, 0, 0, 0xE, 0x62);
  note(m, 0, 10, 3, 0, 0, 0xE, 0xE1);
  note(m, 0, 0, 3, 160, 3, 0xE, 0xF7);
  note(m, 0, 63, 3, 0, 0, 0xF, 0x05);
  for (int r = 0; r < 64; r += 4) note(m, 1, r, 0, r % 8 ? 381 : 453, 1, 0x0, 0x47);
  for (int r = 0; r < 64; r += 8) note(m, 1, r, 1, 226, 2, 0x4, 0x8A);
  for (int r = 2; r < 64; r += 8) note(m, 1, r, 2, 170, 3, 0xE, 0x92);
  note(m, 1, 0, 3, 0, 0, 0xF, 0x8C);
  note(m, 1, 60, 3, 0, 0, 0xD, 0x08);
  for (int r = 8; r < 64; r += 8) note(m, 2, r, 0, 302 + r, 2, 0xA, 0x0F);
  for (int r = 0; r < 64; r += 6) note(m, 2, r, 1, 640, 1, 0x9, 0x01);
  note(m, 2, 0, 3, 0, 0, 0xF, 0x7D);
  note(m, 2, 40, 3, 0, 0, 0xB, 0x00);
  return m;
}

Module duration_base() {
  Module m;
  add_tone_samples(m);
  return m;
}

// Speed and tempo changes in one pattern played twice.
Module speed() {
  Module m = duration_base();
  m.order = {0, 0};
  note(m, 0, 0, 0, 428, 1, 0xF, 0x03);
  note(m, 0, 16, 0, 381, 2, 0xF, 0x96);
  note(m, 0, 32, 0, 339, 1, 0xF, 0x0A);
  note(m, 0, 48, 0, 320, 2, 0xF, 0x20);
  return m;
}

// A forward jump, then a jump back to the start.
Module jump() {
  Module m = duration_base();
  m.order = {0, 1, 2};
  note(m, 0, 0, 0, 428, 1);
  note(m, 0, 10, 0, 381, 2, 0xB, 0x02);
  note(m, 2, 0, 0, 339, 1);
  note(m, 2, 20, 1, 320, 2, 0xB, 0x00);
  note(m, 1, 0, 0, 856, 1);
  return m;
}

// Pattern breaks into later rows.
Module pattern_break() {
  Module m = duration_base();
  m.order = {0, 1, 2};
  note(m, 0, 0, 3, 0, 0, 0xF,
       0x7D);  // tempo 125 as before: marks the file as one that breaks into rows
  note(m, 0, 5, 0, 428, 1, 0xD, 0x10);
  note(m, 1, 10, 0, 381, 2);
  note(m, 1, 20, 2, 339, 1, 0xD, 0x32);
  note(m, 2, 32, 0, 320, 2);
  return m;
}

// A pattern loop of rows 4 to 8, four times over.
Module loop() {
  Module m = duration_base();
  note(m, 0, 0, 0, 428, 1);
  note(m, 0, 4, 1, 381, 2, 0xE, 0x60);
  note(m, 0, 8, 1, 339, 1, 0xE, 0x63);
  return m;
}

// Pattern delays of three and five rows.
Module delay() {
  Module m = duration_base();
  note(m, 0, 0, 0, 428, 1);
  note(m, 0, 2, 0, 381, 2, 0xE, 0xE3);
  note(m, 0, 10, 3, 339, 1, 0xE, 0xE5);
  return m;
}

// One channel of short notes that end before the next: each note's start is clear in the output.
Module onsets() {
  Module m;
  m.add({square(300, 24, 100), 64, 0, -1, 0, 1});
  m.order = {0};
  const int rows[] = {0, 3, 7, 8, 12, 16, 21, 24, 30, 31, 40, 46, 52, 60};
  int i = 0;
  for (int r : rows) note(m, 0, r, 0, i++ % 2 ? 320 : 428, 1);
  note(m, 0, 20, 1, 0, 0, 0xF, 0x04);
  note(m, 0, 40, 1, 0, 0, 0xF, 0x03);
  return m;
}

}  // namespace

std::vector<std::string> fixture_names() {
  return {"tones", "level", "effects", "speed", "jump", "break", "loop", "delay", "onsets"};
}

Module fixture(const std::string& name) {
  if (name == "tones") return tones();
  if (name == "level") return level();
  if (name == "effects") return effects();
  if (name == "speed") return speed();
  if (name == "jump") return jump();
  if (name == "break") return pattern_break();
  if (name == "loop") return loop();
  if (name == "delay") return delay();
  if (name == "onsets") return onsets();
  throw std::invalid_argument("no fixture " + name);
}

}  // namespace modgen
