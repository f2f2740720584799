// The option table, the command-line and .ini parsers and apply_options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "runtime/config.h"
#include "runtime/numparse.h"

namespace {

using namespace qm;

int32_t parse_args(std::vector<const char*> words, OptionValues* v) {
  words.insert(words.begin(), "quillmere");
  return parse_command_line(int(words.size()), words.data(), v);
}

int32_t parse_ini(const std::string& text, OptionValues* v) { return parse_ini_text(text.data(), text.size(), v); }

int32_t apply_args(std::vector<const char*> words, Config* c, DisplaySettings* d) {
  OptionValues v;
  if (int32_t err = parse_args(std::move(words), &v)) return err;
  return apply_options(v, c, d);
}

TEST(OptionNumber, Forms) {
  struct Case {
    const char* text;
    int32_t err;
    double value;
    size_t used;
  } cases[] = {
      {"$FF", 0, 255, 3},    {"-$10", 0, -16, 4},    {"%101", 0, 5, 4},    {"0x1f", 0, 31, 4},
      {"12.5", 0, 12.5, 4},  {"50%", 0, 50, 2},      {"$", ERR_SYNTAXERROR, 0, 0},
      {"0x", ERR_SYNTAXERROR, 0, 0}, {"a", ERR_VALUEEXPECTED, 0, 0}, {"", ERR_VALUEEXPECTED, 0, 0},
  };
  for (const Case& c : cases) {
    double v = -1;
    size_t used = 99;
    EXPECT_EQ(parse_option_number(c.text, &v, &used), c.err) << c.text;
    if (c.err == 0) {
      EXPECT_EQ(v, c.value) << c.text;
      EXPECT_EQ(used, c.used) << c.text;
    }
  }
}

TEST(OptionTable, RowsAndCaseInsensitiveNames) {
  int rows = 0;
  for (const OptionDef* r = kOptionTable; r->name; ++r) rows++;
  EXPECT_EQ(rows, 55);
  for (const char* spelling : {"-quiet", "-QUIET", "-Quiet"}) {
    OptionValues v;
    ASSERT_EQ(parse_args({spelling}, &v), 0) << spelling;
    EXPECT_EQ(v.flag[OPT_QUIET], 1) << spelling;
  }
  // PRIVATE1 shares the slot of EXPORTCOMMANDS
  OptionValues v;
  ASSERT_EQ(parse_args({"-private1", "x.txt"}, &v), 0);
  EXPECT_STREQ(v.str(OPT_EXPORTCOMMANDS), "x.txt");
}

TEST(CommandLine, WordsValuesAndForeignOptions) {
  OptionValues v;
  ASSERT_EQ(parse_args({"-window", "my \"prog\".qmb", "-exportcommands", "a b.txt", "-Custom", "7"}, &v), 0);
  EXPECT_STREQ(v.str(OPT_FILE), "my \"prog\".qmb");  // a word holding a quote stays one word
  EXPECT_EQ(v.flag[OPT_WINDOW], 1);
  EXPECT_STREQ(v.str(OPT_EXPORTCOMMANDS), "a b.txt");
  ASSERT_EQ(v.foreign.size(), 1u);
  OptionValues w;
  EXPECT_EQ(parse_args({"-Custom", "7", "prog"}, &w), 0);
  ASSERT_EQ(w.foreign.size(), 1u);
  EXPECT_EQ(w.foreign[0].name, "Custom");
  EXPECT_EQ(*w.foreign[0].value, "7");
  EXPECT_STREQ(w.str(OPT_FILE), "prog");
  OptionValues eq;
  ASSERT_EQ(parse_args({"-EXPORTCONSTANTS=k.txt"}, &eq), 0);
  EXPECT_STREQ(eq.str(OPT_EXPORTCONSTANTS), "k.txt");
}

TEST(CommandLine, Errors) {
  struct Case {
    std::vector<const char*> words;
  } cases[] = {
      {{"-exportcommands"}},             // value missing at the end
      {{"-exportcommands", "-quiet"}},   // option while a value is pending
      {{"a.qmb", "b.qmb"}},              // second file name
      {{"-foreign"}},                    // a foreign option waits for its value too
  };
  for (const Case& c : cases) {
    OptionValues v;
    EXPECT_EQ(parse_args(c.words, &v), ERR_ARGS) << c.words[0];
  }
}

TEST(Ini, KeysValuesAndSyntax) {
  OptionValues v;
  ASSERT_EQ(parse_ini("# comment\n[section]\r\n  Quiet = yes\nBACKFILL=\"gradient\"  \nDEBUGDEVICE = con  \t\r\n"
                      "nosound=0\nwindow=1\nMyKey = some value\n",
                      &v),
            0);
  EXPECT_EQ(v.flag[OPT_QUIET], 1);
  EXPECT_STREQ(v.str(OPT_BACKFILL), "gradient");
  EXPECT_STREQ(v.str(OPT_DEBUGDEVICE), "con");
  EXPECT_EQ(v.flag[OPT_NOSOUND], 0);
  EXPECT_EQ(v.flag[OPT_WINDOW], 1);
  ASSERT_EQ(v.foreign.size(), 1u);
  EXPECT_EQ(*v.foreign[0].value, "some value");

  std::string k127(127, 'k'), k128(128, 'k');
  OptionValues a, b;
  EXPECT_EQ(parse_ini(k127 + "=1\n", &a), 0);
  EXPECT_EQ(parse_ini(k128 + "=1\n", &b), ERR_INISYNTAX);

  for (const char* bad : {"quiet\n", "quiet yes\n", "1quiet=1\n", "=1\n", "backfill=\"color\n"}) {
    OptionValues w;
    EXPECT_EQ(parse_ini(bad, &w), ERR_INISYNTAX) << bad;
  }
}

TEST(Ini, OverridesTheCommandLine) {
  OptionValues v;
  ASSERT_EQ(parse_args({"-quiet", "-exportcommands", "cl.txt", "prog.qmb"}, &v), 0);
  ASSERT_EQ(parse_ini("quiet=off\nexportcommands=ini.txt\n", &v), 0);
  EXPECT_EQ(v.flag[OPT_QUIET], 0);
  EXPECT_STREQ(v.str(OPT_EXPORTCOMMANDS), "ini.txt");
  EXPECT_STREQ(v.str(OPT_FILE), "prog.qmb");
}

TEST(Ini, PathNextToTheProgram) {
  EXPECT_EQ(ini_path_for("/a/b/prog.qmb"), "/a/b/prog.ini");
  EXPECT_EQ(ini_path_for("/a.d/prog"), "/a.d/prog.ini");
  EXPECT_EQ(ini_path_for("prog"), "prog.ini");
}

TEST(ApplyOptions, ModesAndClashes) {
  struct Case {
    std::vector<const char*> words;
    int32_t err;
    int32_t mode;
  } cases[] = {
      {{"-window"}, 0, DISPMODE_WINDOW},
      {{"-fullscreen"}, 0, DISPMODE_FULLSCREEN},
      {{"-ownscreen"}, 0, DISPMODE_OWNSCREEN},
      {{"-fakefullscreen"}, 0, DISPMODE_FAKEFULLSCREEN},
      {{"-fullscreen", "-ownscreen"}, ERR_ARGS, 0},
      {{"-ownscreen", "-fullscreen"}, ERR_ARGS, 0},
      {{"-fakefullscreen", "-ownscreen"}, ERR_ARGS, 0},
      {{"-fullscreen", "-fakefullscreen"}, ERR_ARGS, 0},
      {{"-autoscale", "-layerscale"}, ERR_ARGS, 0},
  };
  for (const Case& c : cases) {
    Config cfg;
    DisplaySettings d;
    EXPECT_EQ(apply_args(c.words, &cfg, &d), c.err) << c.words[0];
    if (c.err == 0) {
      EXPECT_EQ(d.mode, c.mode) << c.words[0];
    }
  }
}

TEST(ApplyOptions, FlagsScalingAndNumbers) {
  Config cfg;
  DisplaySettings d;
  ASSERT_EQ(apply_args({"-borderless", "-nohide", "-autoscale", "-smoothscale", "-scalewidth", "50%",
                        "-scaleheight", "$100", "-scrwidth", "800", "-depth", "%10000", "-quiet", "-nosound"},
                       &cfg, &d),
            0);
  EXPECT_EQ(d.flags, DISPFLAG_BORDERLESS | DISPFLAG_NOHIDE | DISPFLAG_AUTOSCALE | DISPFLAG_SMOOTHSCALE);
  EXPECT_EQ(d.scale_width, -50);
  EXPECT_EQ(d.scale_height, 256);
  EXPECT_EQ(d.width, 800);
  EXPECT_EQ(d.height, -1);
  EXPECT_EQ(d.depth, 16);
  EXPECT_TRUE(cfg.quiet);
  EXPECT_TRUE(cfg.nosound);

  Config c2;
  DisplaySettings d2;
  EXPECT_EQ(apply_args({"-scrwidth", "wide"}, &c2, &d2), ERR_VALUEEXPECTED);
  // without a scaling engine the scale sizes are not read
  Config c3;
  DisplaySettings d3;
  EXPECT_EQ(apply_args({"-scalewidth", "50%"}, &c3, &d3), 0);
  EXPECT_EQ(d3.scale_width, 0);
}

TEST(ApplyOptions, Backfill) {
  struct Case {
    std::vector<const char*> words;
    int32_t err;
    int32_t type;
  } cases[] = {
      {{"-backfill", "color", "-startcolor", "$ff0000"}, 0, BACKFILL_COLOR},
      {{"-backfill", "COLOR"}, ERR_BACKFILL, 0},
      {{"-backfill", "rainbow", "-startcolor", "0", "-endcolor", "$ffffff"}, 0, BACKFILL_GRADIENT},
      {{"-backfill", "gradient", "-startcolor", "0"}, ERR_BACKFILL, 0},
      {{"-backfill", "texture", "-brush", "2"}, 0, BACKFILL_TEXTURE},
      {{"-backfill", "picture", "-brushfile", "a.png"}, 0, BACKFILL_PICTURE},
      {{"-backfill", "picture"}, ERR_BACKFILL, 0},
      {{"-backfill", "picture", "-brush", "1", "-brushfile", "a.png"}, ERR_BACKFILL, 0},
      {{"-backfill", "stripes"}, ERR_BACKFILL, 0},
  };
  for (const Case& c : cases) {
    Config cfg;
    DisplaySettings d;
    EXPECT_EQ(apply_args(c.words, &cfg, &d), c.err) << c.words[1];
    if (c.err == 0) {
      EXPECT_EQ(d.backfill_type, c.type) << c.words[1];
    }
  }
  Config cfg;
  DisplaySettings d;
  ASSERT_EQ(apply_args({"-backfill", "picture", "-brushfile", "a.png", "-picxpos", "-$10"}, &cfg, &d), ERR_ARGS);
  ASSERT_EQ(apply_args({"-backfill", "picture", "-brushfile", "a.png", "-picypos", "12", "-pictrans", "$00ff00"}, &cfg, &d), 0);
  EXPECT_EQ(d.backfill_brush_file, "a.png");
  EXPECT_EQ(d.pic_x, BACKFILL_CENTERED);
  EXPECT_EQ(d.pic_y, 12);
  EXPECT_EQ(d.pic_trans, 0x00ff00);
}

TEST(ApplyOptions, ExeTypesListingsAndForeignOptions) {
  struct Case {
    const char* types;
    int32_t err;
  } cases[] = {{"linux", 0}, {"LINUX+applet", 0}, {"", ERR_EXETYPE}, {"linux+", ERR_EXETYPE}, {"nosuchtype", ERR_EXETYPE}};
  for (const Case& c : cases) {
    Config cfg;
    DisplaySettings d;
    EXPECT_EQ(apply_args({"-exetype", c.types}, &cfg, &d), c.err) << c.types;
  }
  Config cfg;
  DisplaySettings d;
  ASSERT_EQ(apply_args({"-exportcommands", "c.txt", "-exportplugins", "p.txt", "-scriptalias", "Demo",
                        "-mine", "1", "-compile", "out"},
                       &cfg, &d),
            0);
  EXPECT_EQ(cfg.export_commands, "c.txt");
  EXPECT_EQ(cfg.export_constants, "");
  EXPECT_EQ(cfg.export_plugins, "p.txt");
  EXPECT_EQ(cfg.script_alias, "Demo");
  EXPECT_TRUE(cfg.compile);
  ASSERT_EQ(cfg.foreign.size(), 1u);
  EXPECT_EQ(cfg.foreign[0].name, "mine");
}

}  // namespace
