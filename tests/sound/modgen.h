// Writes small "M.K." modules for the module player's tests, fuzz seeds and benchmark: square and
// sine samples, chosen cells, and header values that may lie (lengths and loops are written as
// given, whatever data follows). Named fixtures are shared by the tests, the peers' comparisons,
// the benchmark and the modgen tool.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace modgen {

struct Sample {
  std::vector<int8_t> data;
  int volume = 64;
  int finetune = 0;
  int length_words = -1;  // -1: the data's length
  int loop_start_words = 0;
  int loop_length_words = 1;  // one word: no loop
};

struct Cell {
  int period = 0;
  int sample = 0;  // 0..255 as stored; the file has room for eight bits
  int effect = 0;
  int param = 0;
};

using Pattern = std::array<Cell, 64 * 4>;

struct Module {
  std::string title = "modgen";
  std::vector<Sample> samples;  // sample 1 first
  std::vector<int> order{0};    // the song
  std::vector<int> trailing;    // order-list entries after the song, not played
  int song_length = -1;         // the header byte; -1: the song's length
  std::vector<Pattern> patterns;

  // Adds a sample and returns its number.
  int add(Sample s);
  // The cell at a pattern, row and channel (0..3); patterns appear as they are named.
  Cell& at(int pattern, int row, int channel);
  // The file image: patterns up to the highest order-list entry, then the sample data.
  std::vector<uint8_t> build() const;
};

std::vector<int8_t> square(int bytes, int wavelength, int amplitude);
std::vector<int8_t> sine(int bytes, int wavelength, int amplitude);

// Named fixtures: "tones" (four channels, a tune), "level" (a constant level on one side),
// "effects" (every effect, for the benchmark), and the peer comparisons' "speed", "jump", "break",
// "loop", "delay", "onsets".
std::vector<std::string> fixture_names();
Module fixture(const std::string& name);

}  // namespace modgen
