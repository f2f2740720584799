// The module player: opening and refusing files, the effects tick by tick, hostile files, jumps and
// the output formats.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "mod_harness.h"
#include "sound/modplayer_state.h"

namespace {

using modgen::Cell;
using modgen::Module;
using qm::ModProbe;

// A long looping square (sample 1) and a short looping sine (sample 2).
Module base() {
  Module m;
  m.add({modgen::square(4096, 32, 100), 32, 0, -1, 0, 2048});
  m.add({modgen::sine(64, 64, 100), 48, 0, -1, 0, 32});
  m.order = {0, 1, 2};
  return m;
}

TEST(ModOpen, StateSizeFollowsTheHighestPatternOfTheWholeOrderList) {
  // The song plays pattern 0 only, but the order list names pattern 5 beyond the song's end.
  Module m = base();
  m.order = {0};
  m.trailing = {3, 5};
  std::vector<uint8_t> image = m.build();
  size_t size = 0;
  ASSERT_EQ(qm::qmos_mod_open(nullptr, image.data(), image.size(), 48000, &size), 0);
  EXPECT_EQ(size, 2916u + 3072u * 6);

  // The data of all six patterns must be there: one byte short is refused.
  std::vector<uint8_t> cut(image.begin(), image.begin() + 1084 + 1024 * 6 - 1);
  EXPECT_EQ(qm::qmos_mod_open(nullptr, cut.data(), cut.size(), 48000, &size),
            qm::ERR_UNKNOWNMUSFMT);
  cut.push_back(0);
  EXPECT_EQ(qm::qmos_mod_open(nullptr, cut.data(), cut.size(), 48000, &size), 0);
}

TEST(ModOpen, Refusals) {
  std::vector<uint8_t> image = base().build();
  size_t size = 0;
  EXPECT_EQ(qm::qmos_mod_open(nullptr, image.data(), 1083, 48000, &size), qm::ERR_UNKNOWNMUSFMT);
  EXPECT_EQ(qm::qmos_mod_open(nullptr, nullptr, 0, 48000, &size), qm::ERR_UNKNOWNMUSFMT);
  EXPECT_EQ(qm::qmos_mod_open(nullptr, image.data(), image.size(), 0, &size), qm::ERR_WRONGUSAGE);
  EXPECT_EQ(qm::qmos_mod_open(nullptr, image.data(), image.size(), 2000000, &size),
            qm::ERR_WRONGUSAGE);
}

// The period table is typed in: every entry lies within 1.5 of the even-tempered period of its note
// and finetune (eighths of a semitone, rows 8..15 flat), and the rows fall strictly.
TEST(ModTables, PeriodsFollowTheScale) {
  for (int row = 0; row < 16; ++row) {
    const int finetune = row < 8 ? row : row - 16;
    for (int note = 0; note < 36; ++note) {
      const double even = 856 * std::pow(2.0, -note / 12.0 - finetune / 96.0);
      EXPECT_NEAR(qm::kModPeriods[row][note], even, 1.5) << row << " " << note;
      if (note > 0) {
        EXPECT_LT(qm::kModPeriods[row][note], qm::kModPeriods[row][note - 1]);
      }
    }
  }
  EXPECT_EQ(qm::kModPeriods[0][0], 856);
  EXPECT_EQ(qm::kModPeriods[0][35], 113);
  EXPECT_EQ(qm::kModPeriods[8][0], 907);
  EXPECT_EQ(qm::kModPeriods[8][35], 120);
}

// ---- Effects, tick by tick ----------------------------------------------------------------------

struct EffectCase {
  const char* name;
  std::function<void(Module&)> cells;
  size_t ticks;
  std::function<void(const std::vector<ModProbe>&)> check;
};

std::vector<int> effective_periods(const std::vector<ModProbe>& t, size_t from, size_t to) {
  std::vector<int> v;
  for (size_t i = from; i < to; ++i) v.push_back(t[i].channels[0].effective_period);
  return v;
}

std::vector<int> effective_volumes(const std::vector<ModProbe>& t, size_t from, size_t to) {
  std::vector<int> v;
  for (size_t i = from; i < to; ++i) v.push_back(t[i].channels[0].effective_volume);
  return v;
}

std::vector<int> steps(const std::vector<ModProbe>& t, size_t from, size_t to) {
  std::vector<int> v;
  for (size_t i = from; i < to; ++i) v.push_back(t[i].channels[0].step);
  return v;
}

using Rows = std::vector<std::pair<int, int>>;

Rows row_run(int position, int first, int last) {
  Rows r;
  for (int i = first; i <= last; ++i) r.push_back({position, i});
  return r;
}

Rows operator+(Rows a, const Rows& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Vibrato 4xy on period 428 with waveform w (E4w on the row before), speed 15, depth 8: ticks 1..4
// of the row read the wave at positions 0, 15, 30 and 45.
EffectCase vibrato_case(const char* name, int waveform, std::vector<int> expected) {
  return {name,
          [waveform](Module& m) {
            m.at(0, 0, 0) = {428, 1, 0xE, 0x40 | waveform};
            m.at(0, 1, 0) = {0, 0, 0x4, 0xF8};
          },
          12,
          [expected](const std::vector<ModProbe>& t) {
            EXPECT_EQ(effective_periods(t, 6, 11), expected);  // tick 6 reads the row: no change
          }};
}

// Tremolo 7xy on volume 32 with waveform w, speed 15, depth 4 (x 2): ticks 0..3 of the row.
EffectCase tremolo_case(const char* name, int waveform, std::vector<int> expected) {
  return {name,
          [waveform](Module& m) {
            m.at(0, 0, 0) = {428, 1, 0xE, 0x70 | waveform};
            m.at(0, 1, 0) = {0, 0, 0x7, 0xF4};
          },
          12,
          [expected](const std::vector<ModProbe>& t) {
            EXPECT_EQ(effective_volumes(t, 6, 10), expected);
          }};
}

const EffectCase kEffects[] = {
    {"F1F sets speed 31",
     [](Module& m) {
       m.at(0, 0, 0) = {0, 0, 0xF, 0x1F};
     },
     1, [](const std::vector<ModProbe>& t) { EXPECT_EQ(t[0].speed, 31); }},
    {"F20 sets tempo 32, 7500 samples per tick",
     [](Module& m) {
       m.at(0, 0, 2) = {0, 0, 0xF, 0x20};
     },
     1,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(t[0].tempo, 32);
       EXPECT_EQ(t[0].samples_per_tick, 7500);
     }},
    {"D40 starts the next position at row 40",
     [](Module& m) {
       m.at(0, 2, 0) = {0, 0, 0xD, 0x40};
     },
     36,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(rows_read(t), row_run(0, 0, 2) + row_run(1, 40, 42));
     }},
    {"D64 ends the pattern like D00",
     [](Module& m) {
       m.at(0, 1, 3) = {0, 0, 0xD, 0x64};
     },
     18,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(rows_read(t), row_run(0, 0, 1) + row_run(1, 0, 0));
     }},
    {"E6x loops back to the row of E60",
     [](Module& m) {
       m.at(0, 1, 1) = {0, 0, 0xE, 0x60};
       m.at(0, 3, 1) = {0, 0, 0xE, 0x62};
     },
     6 * 11,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(rows_read(t), row_run(0, 0, 3) + row_run(0, 1, 3) + row_run(0, 1, 4));
     }},
    {"E6x without E60 loops back to row 0",
     [](Module& m) {
       m.at(0, 2, 0) = {0, 0, 0xE, 0x61};
     },
     6 * 7,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(rows_read(t), row_run(0, 0, 2) + row_run(0, 0, 3));
     }},
    {"EEx holds the row for x more rows",
     [](Module& m) {
       m.at(0, 1, 0) = {0, 0, 0xE, 0xE2};
     },
     6 * 5,
     [](const std::vector<ModProbe>& t) {
       std::vector<size_t> reads;
       for (size_t i = 0; i < t.size(); ++i) {
         if (t[i].row_read) reads.push_back(i);
       }
       EXPECT_EQ(reads, (std::vector<size_t>{0, 6, 24}));
     }},
    {"Bxx back to an earlier position sets the looped flag",
     [](Module& m) {
       m.at(0, 0, 0) = {0, 0, 0xB, 0x01};
       m.at(1, 1, 0) = {0, 0, 0xB, 0x01};
     },
     6 * 3,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(rows_read(t), (Rows{{0, 0}, {1, 0}, {1, 1}}));
       EXPECT_FALSE(t[11].looped);  // a jump forward is no loop
       EXPECT_TRUE(t[12].looped);
     }},
    {"Axy slides on every tick, the first included",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1, 0xA, 0x20};
       m.at(0, 1, 0) = {0, 0, 0xA, 0x05};
     },
     12,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(effective_volumes(t, 0, 12),
                 (std::vector<int>{34, 36, 38, 40, 42, 44, 39, 34, 29, 24, 19, 14}));
     }},
    {"Volumes stop at 63",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1, 0xC, 0x40};
       m.at(0, 1, 0) = {0, 0, 0xE, 0xA5};
     },
     7,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(t[0].channels[0].volume, 63);
       EXPECT_EQ(t[6].channels[0].volume, 63);
     }},
    {"9xx starts at xx x 256 frames; 900 repeats the last offset",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1, 0x9, 0x03};
       m.at(0, 1, 0) = {428, 1, 0x9, 0x00};
       m.at(0, 2, 0) = {428, 1};
       m.at(0, 3, 0) = {0, 0, 0x9, 0x05};  // no note: no offset
     },
     19,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(t[0].channels[0].position, 768 * 16384);
       EXPECT_EQ(t[6].channels[0].position, 768 * 16384);
       EXPECT_EQ(t[12].channels[0].position, 0);
       EXPECT_GT(t[18].channels[0].position, t[17].channels[0].position);
     }},
    {"E9x restarts the note on ticks 0, x and 2x",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1};
       m.at(0, 1, 0) = {0, 0, 0xE, 0x92};
     },
     12,
     [](const std::vector<ModProbe>& t) {
       for (size_t i = 6; i < 12; ++i)
         EXPECT_EQ(t[i].channels[0].position == 0, i % 2 == 0) << "tick " << i;
     }},
    {"ECx cuts the note after x ticks",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1, 0xE, 0xC3};
     },
     6,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(effective_volumes(t, 0, 6), (std::vector<int>{32, 32, 32, 0, 0, 0}));
     }},
    {"EDx starts the note after x ticks",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1};
       m.at(0, 1, 0) = {428, 1, 0xE, 0xD2};
     },
     12,
     [](const std::vector<ModProbe>& t) {
       EXPECT_GT(t[6].channels[0].position, t[5].channels[0].position);  // the old note goes on
       EXPECT_GT(t[7].channels[0].position, t[6].channels[0].position);
       EXPECT_EQ(t[8].channels[0].position, 0);
     }},
    {"Arpeggio steps through the notes as the tick counter falls",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1, 0x0, 0x47};
     },
     6,
     [](const std::vector<ModProbe>& t) {
       // Tick counters 5, 4, 3, 2, 1, 0: y, x, base, y, x, base (notes 12 + 7, 12 + 4, 12).
       EXPECT_EQ(steps(t, 0, 6), (std::vector<int>{step_of(285), step_of(339), step_of(428),
                                                   step_of(285), step_of(339), step_of(428)}));
       EXPECT_EQ(t[5].channels[0].period, 428);
     }},
    {"Arpeggio stops at the last note",
     [](Module& m) {
       m.at(0, 0, 0) = {135, 1, 0x0, 0xF0};
     },
     2, [](const std::vector<ModProbe>& t) { EXPECT_EQ(t[1].channels[0].step, step_of(113)); }},
    vibrato_case("Vibrato, sine", 0, {428, 428, 443, 431, 413}),
    vibrato_case("Vibrato, ramp", 1, {428, 428, 435, 443, 419}),
    vibrato_case("Vibrato, square", 2, {428, 443, 443, 443, 413}),
    vibrato_case("Vibrato, ramp (3)", 3, {428, 428, 435, 443, 419}),
    tremolo_case("Tremolo, sine", 0, {32, 39, 33, 25}),
    tremolo_case("Tremolo, ramp", 1, {32, 35, 39, 28}),
    tremolo_case("Tremolo, square", 2, {39, 39, 39, 25}),
    {"Vibrato's pitch returns after it ends",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1, 0x4, 0x88};
       m.at(0, 1, 0) = {0, 0, 0x0, 0x00};
     },
     7,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(t[4].channels[0].effective_period, 439);
       EXPECT_EQ(t[6].channels[0].effective_period, 428);
       EXPECT_EQ(t[6].channels[0].step, step_of(428));
     }},
    {"3xx slides to its note, rounded to notes with glissando",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1, 0xE, 0x31};
       m.at(0, 1, 0) = {214, 0, 0x3, 0x08};
       m.at(0, 2, 0) = {0, 0, 0x5, 0x01};
     },
     18,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(t[6].channels[0].period, 428);  // the row's own tick does not slide
       EXPECT_EQ(t[7].channels[0].period, 420);
       EXPECT_EQ(t[7].channels[0].step, step_of(404));  // 420 rounded to the note at or below
       EXPECT_EQ(t[11].channels[0].period, 388);
       EXPECT_GT(t[7].channels[0].position, t[6].channels[0].position);  // the note went on
       // 5xy: the slide goes on from the row's own tick, with the volume slide.
       EXPECT_EQ(t[12].channels[0].period, 380);
       EXPECT_EQ(t[12].channels[0].volume, 31);
       EXPECT_EQ(t[17].channels[0].period, 340);
     }},
    {"1xx and 2xx slide on the following ticks, within 113..856",
     [](Module& m) {
       m.at(0, 0, 0) = {120, 1, 0x1, 0x05};
       m.at(0, 1, 0) = {0, 0, 0x2, 0x10};
     },
     8,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(t[0].channels[0].period, 120);
       EXPECT_EQ(t[1].channels[0].period, 115);
       EXPECT_EQ(t[2].channels[0].period, 113);
       EXPECT_EQ(t[6].channels[0].period, 113);
       EXPECT_EQ(t[7].channels[0].period, 129);
       EXPECT_EQ(t[7].channels[0].step, step_of(129));
     }},
    // Sample 1 is 4096 frames long, sample 2 64: after a row at period 320 (670 frames) the
    // position tells which one plays.
    {"A note without a sample number and effect 0 takes the last sample named, keeping the volume",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1, 0xC, 0x10};
       m.at(0, 1, 0) = {0, 2};  // sample 2 waits for the loop end; its volume applies now
       m.at(0, 2, 0) = {0, 0, 0xC, 0x05};
       m.at(0, 3, 0) = {320, 0};
     },
     24,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(t[0].channels[0].volume, 16);
       EXPECT_EQ(t[6].channels[0].volume, 48);
       EXPECT_EQ(t[18].channels[0].volume, 5);
       EXPECT_EQ(t[18].channels[0].period, 320);
       EXPECT_EQ(t[18].channels[0].position, 0);
       EXPECT_LT(t[23].channels[0].position, 64 * 16384);
     }},
    {"A note without a sample number and another effect plays the current sample",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1};
       m.at(0, 1, 0) = {0, 2, 0xC, 0x05};
       m.at(0, 2, 0) = {320, 0, 0x8, 0x00};
     },
     18,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(t[12].channels[0].volume, 5);
       EXPECT_EQ(t[12].channels[0].position, 0);
       EXPECT_GT(t[17].channels[0].position, 64 * 16384);
     }},
    {"E5x plays the note with another finetune",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 1, 0xE, 0x58};
     },
     1, [](const std::vector<ModProbe>& t) { EXPECT_EQ(t[0].channels[0].period, 453); }},
    {"A sample's finetune picks its period row",
     [](Module& m) {
       m.samples[0].finetune = 15;  // -1
       m.at(0, 0, 0) = {856, 1};
       m.at(0, 1, 0) = {900, 1};  // off the table: the note at or below it
       m.at(0, 2, 0) = {100, 1};  // below the table: the last note
     },
     13,
     [](const std::vector<ModProbe>& t) {
       EXPECT_EQ(t[0].channels[0].period, 862);
       EXPECT_EQ(t[6].channels[0].period, 862);
       EXPECT_EQ(t[12].channels[0].period, 114);
     }},
    {"A loop of one word does not loop",
     [](Module& m) {
       m.samples[1] = {modgen::sine(64, 64, 100), 48, 0, -1, 10, 1};
       m.at(0, 0, 0) = {113, 2};
     },
     6, [](const std::vector<ModProbe>& t) { EXPECT_LT(t[5].channels[0].position, 0); }},
    {"A loop of two words loops",
     [](Module& m) {
       m.samples[1] = {modgen::sine(64, 64, 100), 48, 0, -1, 10, 2};
       m.at(0, 0, 0) = {113, 2};
     },
     6,
     [](const std::vector<ModProbe>& t) {
       EXPECT_GE(t[5].channels[0].position, 20 * 16384);
       EXPECT_LT(t[5].channels[0].position, 24 * 16384);
     }},
};

class ModEffects : public testing::TestWithParam<EffectCase> {};

TEST_P(ModEffects, TickByTick) {
  Module m = base();
  GetParam().cells(m);
  LoadedModule mod = load_module(m);
  ASSERT_NE(mod.player, nullptr);
  GetParam().check(record_ticks(mod.player, GetParam().ticks));
}

INSTANTIATE_TEST_SUITE_P(Table, ModEffects, testing::ValuesIn(kEffects), [](const auto& info) {
  std::string n;
  for (const char* p = info.param.name; *p; ++p)
    n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return n;
});

TEST(ModPlayer, TicksFallEverySamplesPerTickFromTheFirstFrame) {
  LoadedModule mod = load_module(base());
  std::vector<int> at;  // output frames rendered before each tick
  int frame = 0;
  struct Ctx {
    std::vector<int>* at;
    int* frame;
  } ctx{&at, &frame};
  qm::mod_probe_watch(
      mod.player,
      [](const ModProbe&, void* c) {
        auto* x = static_cast<Ctx*>(c);
        x->at->push_back(*x->frame);
      },
      &ctx);
  int16_t out[2];
  for (; frame < 4000; ++frame) qm::qmos_mod_render(mod.player, out, out + 1, 4, 1, 16, 2);
  EXPECT_EQ(at, (std::vector<int>{0, 960, 1920, 2880, 3840}));
}

// ---- Hostile files ------------------------------------------------------------------------------

struct HostileCase {
  const char* name;
  std::function<void(Module&)> cells;
  std::function<void(std::vector<uint8_t>&)> patch;
  std::function<void(const LoadedModule&, const std::vector<uint8_t>& before)> check;
};

const HostileCase kHostile[] = {
    {"Sample number 0xF0 counts as none",
     [](Module& m) {
       m.at(0, 0, 0) = {428, 0xF0};
     },
     nullptr,
     [](const LoadedModule& mod, const std::vector<uint8_t>&) {
       EXPECT_LT(qm::mod_probe(mod.player).channels[0].position, 0);
     }},
    {"Loop start past the length plays as no loop",
     [](Module& m) {
       m.samples[1] = {modgen::sine(64, 64, 100), 48, 0, -1, 40, 8};
       m.at(0, 0, 0) = {113, 2};
     },
     nullptr,
     [](const LoadedModule& mod, const std::vector<uint8_t>&) {
       EXPECT_LT(qm::mod_probe(mod.player).channels[0].position, 0);
     }},
    {"A loop past a sample cut at the end of the file",
     [](Module& m) {
       m.samples[1] = {modgen::sine(64, 64, 100), 48, 0, 5000, 10, 4000};
       m.at(0, 0, 0) = {113, 2};
     },
     nullptr, nullptr},
    {"9FF on a 10-byte looping sample wraps into the loop",
     [](Module& m) {
       m.samples[1] = {modgen::sine(10, 10, 100), 48, 0, -1, 1, 3};
       m.at(0, 0, 0) = {428, 2, 0x9, 0xFF};
     },
     nullptr,
     [](const LoadedModule& mod, const std::vector<uint8_t>&) {
       int64_t p = qm::mod_probe(mod.player).channels[0].position;
       EXPECT_GE(p, 2 * 16384);
       EXPECT_LT(p, 8 * 16384);
     }},
    {"9FF on a sample without a loop stops it",
     [](Module& m) {
       m.samples[1] = {modgen::sine(10, 10, 100), 48, 0, -1, 0, 1};
       m.at(0, 0, 0) = {428, 2, 0x9, 0xFF};
     },
     nullptr,
     [](const LoadedModule& mod, const std::vector<uint8_t>&) {
       EXPECT_LT(qm::mod_probe(mod.player).channels[0].position, 0);
     }},
    {"Song length 0 plays one position",
     [](Module& m) {
       m.song_length = 0;
       m.at(0, 0, 2) = {0, 0, 0xF, 0x01};  // a pattern in 0.63 s
       m.at(0, 0, 3) = {0, 0, 0xF, 0xFF};
     },
     nullptr,
     [](const LoadedModule& mod, const std::vector<uint8_t>&) {
       EXPECT_EQ(qm::qmos_mod_song_position(mod.player), 0);
       EXPECT_TRUE(qm::mod_probe(mod.player).looped);
     }},
    {"Song length 200 plays 128 positions", [](Module& m) { m.song_length = 200; }, nullptr,
     [](const LoadedModule& mod, const std::vector<uint8_t>&) {
       EXPECT_TRUE(qm::qmos_mod_queue_jump(mod.player, 127));
       EXPECT_FALSE(qm::qmos_mod_queue_jump(mod.player, 128));
     }},
    {"B7F past the song's end restarts the song",
     [](Module& m) {
       m.at(0, 0, 0) = {0, 0, 0xB, 0x7F};
     },
     nullptr,
     [](const LoadedModule& mod, const std::vector<uint8_t>&) {
       EXPECT_EQ(qm::qmos_mod_song_position(mod.player), 0);
       EXPECT_TRUE(qm::mod_probe(mod.player).looped);
     }},
    {"EFx on a 2-byte loop flips only bytes of its sample",
     [](Module& m) {
       m.samples[1] = {modgen::sine(8, 8, 100), 48, 0, -1, 2, 1};
       m.add({modgen::square(8, 8, 50), 48, 0, -1, 0, 1});
       m.at(0, 0, 0) = {428, 2, 0xE, 0xFF};
       for (int r = 1; r < 64; ++r) m.at(0, r, 0) = {0, 0, 0x8, 0};
     },
     nullptr,
     [](const LoadedModule& mod, const std::vector<uint8_t>& before) {
       const size_t sample2 = before.size() - 16, sample3 = before.size() - 8;
       EXPECT_TRUE(std::equal(before.begin(), before.begin() + long(sample2), mod.image.begin()));
       EXPECT_TRUE(std::equal(before.begin() + long(sample3), before.end(),
                              mod.image.begin() + long(sample3)));
       EXPECT_TRUE(std::equal(before.begin() + long(sample2), before.begin() + long(sample2) + 2,
                              mod.image.begin() + long(sample2)));  // before the loop
     }},
    {"A pending sample shorter than the position it takes over",
     [](Module& m) {
       m.samples[0] = {modgen::square(4096, 32, 100), 32, 0, -1, 1000, 1000};
       m.add({modgen::square(4, 4, 50), 48, 0, -1, 0, 2});
       m.at(0, 0, 0) = {113, 1};
       m.at(0, 1, 0) = {0, 3};
     },
     nullptr, nullptr},
    {"Sample numbers of every value, periods of every value",
     [](Module& m) {
       for (int r = 0; r < 64; ++r) {
         for (int c = 0; c < 4; ++c)
           m.at(0, r, c) = {(r * 977 + c * 131) % 4096, (r * 4 + c) * 5 % 256, c * 4 + r % 4,
                            r * 4};
       }
     },
     nullptr, nullptr},
    {"Sample headers claiming more than the file holds", nullptr,
     [](std::vector<uint8_t>& image) {
       for (size_t i = 0; i < 31; ++i) std::memset(&image[20 + 30 * i + 22], 0xFF, 8);
     },
     nullptr},
};

class ModHostile : public testing::TestWithParam<HostileCase> {};

TEST_P(ModHostile, RendersOneSecond) {
  Module m = base();
  m.at(0, 0, 1) = {428, 1};
  if (GetParam().cells) GetParam().cells(m);
  std::vector<uint8_t> image = m.build();
  if (GetParam().patch) GetParam().patch(image);
  LoadedModule mod;
  ASSERT_EQ(load_module(mod, image), 0);
  for (int i = 0; i < 48; ++i) render_frames(mod.player, 1000);
  if (GetParam().check) GetParam().check(mod, image);
}

INSTANTIATE_TEST_SUITE_P(Table, ModHostile, testing::ValuesIn(kHostile), [](const auto& info) {
  std::string n;
  for (const char* p = info.param.name; *p; ++p)
    n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return n;
});

// ---- Jumps and stops ----------------------------------------------------------------------------

TEST(ModPlayer, QueuedJumpGoesToRowZeroOfThePositionAtTheNextFill) {
  LoadedModule mod = load_module(base());
  std::vector<int16_t> buf(2 * 960 * 6);
  qm::qmos_mod_fill_buffer(mod.player, buf.data(), 1000);
  EXPECT_FALSE(qm::qmos_mod_queue_jump(mod.player, -1));
  EXPECT_FALSE(qm::qmos_mod_queue_jump(mod.player, 3));
  ASSERT_TRUE(qm::qmos_mod_queue_jump(mod.player, 2));
  EXPECT_EQ(qm::qmos_mod_song_position(mod.player), 0);  // nothing moves before the fill
  qm::qmos_mod_fill_buffer(mod.player, buf.data(), 1);
  EXPECT_EQ(qm::qmos_mod_song_position(mod.player), 2);
  EXPECT_EQ(qm::qmos_mod_row(mod.player), 0);
  EXPECT_EQ(qm::qmos_mod_heard_position(mod.player), 2);
  // The row is read when the current one ends; it sounds while the player points at the next.
  qm::qmos_mod_fill_buffer(mod.player, buf.data(), 960 * 6);
  EXPECT_EQ(qm::qmos_mod_row(mod.player), 1);
  EXPECT_EQ(qm::qmos_mod_heard_row(mod.player), 0);
  EXPECT_EQ(qm::qmos_mod_heard_position(mod.player), 2);
}

TEST(ModPlayer, ReopenStartsAgainButKeepsTheInvertedBytes) {
  Module m = base();
  m.samples[0].loop_start_words = 100;
  m.samples[0].loop_length_words = 1948;
  m.at(0, 0, 0) = {428, 1, 0xE, 0xFF};
  LoadedModule mod = load_module(m);
  render_frames(mod.player, 48000);
  const std::vector<uint8_t> changed = mod.image;
  EXPECT_NE(changed, m.build());
  ASSERT_EQ(qm::qmos_mod_open(mod.player, mod.image.data(), mod.image.size(), 48000, nullptr), 0);
  EXPECT_EQ(mod.image, changed);
  EXPECT_EQ(qm::qmos_mod_song_position(mod.player), 0);
  EXPECT_EQ(qm::qmos_mod_row(mod.player), 0);

  // Started again from the image as it now is: the same as a fresh player on that image.
  LoadedModule fresh;
  ASSERT_EQ(load_module(fresh, changed), 0);
  EXPECT_EQ(render_frames(mod.player, 48000), render_frames(fresh.player, 48000));
}

TEST(ModPlayer, StopAtLoopRendersSilenceOnceLooped) {
  Module m = base();
  m.order = {0};
  for (int r = 0; r < 64; r += 8) m.at(0, r, 1) = {428, 1};
  LoadedModule mod = load_module(m);
  qm::mod_probe_set_stop_at_loop(mod.player, true);
  render_frames(mod.player, 960 * 6 * 64);
  std::vector<int16_t> after = render_frames(mod.player, 4800);
  EXPECT_EQ(std::count(after.begin(), after.end(), 0), long(after.size()));
}

// ---- Output -------------------------------------------------------------------------------------

TEST(ModOutput, ChannelsOneAndFourOnTheRightTwoAndThreeOnTheLeft) {
  for (int channel = 0; channel < 4; ++channel) {
    Module m = base();
    m.at(0, 0, channel) = {428, 1};
    LoadedModule mod = load_module(m);
    std::vector<int16_t> out = render_frames(mod.player, 4800);
    int64_t left = 0, right = 0;
    for (size_t i = 0; i < out.size(); i += 2)
      left += std::abs(out[i]), right += std::abs(out[i + 1]);
    const bool on_left = channel == 1 || channel == 2;
    EXPECT_EQ(left > 0, on_left) << channel;
    EXPECT_EQ(right > 0, !on_left) << channel;
  }
}

TEST(ModOutput, LevelOfAConstantSample) {
  Module m;
  m.add({std::vector<int8_t>(64, 100), 64, 0, -1, 0, 32});
  m.at(0, 0, 1) = {428, 1};
  m.at(0, 0, 3) = {428, 1, 0xC, 0x20};
  LoadedModule mod = load_module(m);
  std::vector<int16_t> out = render_frames(mod.player, 2000);
  EXPECT_EQ(out[1000], 255 * 100 * 63 / 128);  // full panning, volume 63
  EXPECT_EQ(out[1001], 255 * 100 * 32 / 128);
}

TEST(ModOutput, MonoAndEightBitsDeriveFromTheStereoFrames) {
  Module m = base();
  m.at(0, 0, 0) = {428, 1};
  m.at(0, 0, 1) = {320, 2};
  m.at(0, 4, 2) = {0, 0, 0xE, 0x00};  // the filter on
  std::vector<uint8_t> image = m.build();
  LoadedModule a, b, c;
  ASSERT_EQ(load_module(a, image), 0);
  ASSERT_EQ(load_module(b, image), 0);
  ASSERT_EQ(load_module(c, image), 0);
  const int32_t n = 9000;
  std::vector<int16_t> stereo = render_frames(a.player, n);
  std::vector<int16_t> mono(size_t(n) * 3, 7777);  // a stride of 6 bytes leaves the rest alone
  qm::qmos_mod_render(b.player, mono.data(), nullptr, 6, n, 16, 1);
  std::vector<int8_t> eight(size_t(n) * 2);
  qm::qmos_mod_render(c.player, eight.data() + 1, eight.data(), 2, n, 8, 2);  // sides swapped
  for (int32_t i = 0; i < n; ++i) {
    const int l = stereo[2 * size_t(i)], r = stereo[2 * size_t(i) + 1];
    ASSERT_EQ(mono[3 * size_t(i)], (l + r) / 2) << i;
    ASSERT_EQ(mono[3 * size_t(i) + 1], 7777);
    ASSERT_EQ(eight[2 * size_t(i) + 1], l / 256) << i;
    ASSERT_EQ(eight[2 * size_t(i)], r / 256) << i;
  }
  EXPECT_NE(std::count(stereo.begin(), stereo.end(), 0), long(stereo.size()));
}

}  // namespace
